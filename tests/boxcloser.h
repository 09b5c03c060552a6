#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

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
    BoxCloser()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            QStringList buttonTexts;
            for (const QAbstractButton *button : box->buttons())
                buttonTexts.append(button->text());
            seen.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                            buttonTexts});
            box->done(QMessageBox::Ok);
        });
        m_timer.start(10);
    }
    std::vector<SeenBox> seen;

private:
    QTimer m_timer;
};
