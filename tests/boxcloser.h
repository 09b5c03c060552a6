#pragma once

// Shared by the window's tests on Linux and on Windows: plain Qt Widgets only.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <utility>
#include <vector>

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QStringList buttonTexts;
};

// Closes every modal message box that opens, remembering what it showed. Polls, so that a box
// that never opens leaves nothing waiting, and one that does can never hang the test.
class BoxCloser : public QObject
{
public:
    // By default a box is closed with its OK button; `close` may close it another way (through
    // the window manager, say). A box that takes a while to go is recorded once.
    explicit BoxCloser(std::function<void(QMessageBox &)> close =
                           [](QMessageBox &box) { box.done(QMessageBox::Ok); })
        : m_close(std::move(close))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || box->property("seenByBoxCloser").toBool())
                return;
            box->setProperty("seenByBoxCloser", true);
            QStringList buttonTexts;
            for (const QAbstractButton *button : box->buttons())
                buttonTexts.append(button->text());
            seen.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                            buttonTexts});
            m_close(*box);
        });
        m_timer.start(10);
    }
    std::vector<SeenBox> seen;

private:
    std::function<void(QMessageBox &)> m_close;
    QTimer m_timer;
};
