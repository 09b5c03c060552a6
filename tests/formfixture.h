#pragma once

// The window as the program starts it, for the test classes of the window: each derives from
// FormTestCase and finds a fresh, loaded and active window in `form` in every test function.

#include "form1.h"
#include "toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A toolkit that records what the window asked of it instead of opening boxes or touching the
// system clipboard.
class RecordingToolkit final : public suma::Toolkit
{
public:
    struct Message
    {
        QString text;
        MessageIcon icon;
    };

    void messageBox(const QString &text, MessageIcon icon = MessageIcon::None) override
    {
        messages.append({text, icon});
    }

    void setClipboardText(const QString &text) override
    {
        clipboard = text;
        ++clipboardWrites;
    }

    QList<Message> messages;
    QString clipboard = QStringLiteral("(untouched)");
    int clipboardWrites = 0;
};

// The text a control shows as its own: the window's title, a button's caption (with its access
// key's "&"), a frame's title, a label's text; none for the others.
inline QString caption(const QWidget &control)
{
    if (control.isWindow())
        return control.windowTitle();
    if (const auto *button = qobject_cast<const QAbstractButton *>(&control))
        return button->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(&control))
        return frame->title();
    if (const auto *label = qobject_cast<const QLabel *>(&control))
        return label->text();
    return {};
}

// Points the window's settings store (its currency choice) at an empty folder of its own for as
// long as it lives, so that no test reads or writes the user's real settings.
class PinnedSettings
{
public:
    PinnedSettings()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
    }
    [[nodiscard]] QString folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};

class FormTestCase : public QObject
{
    Q_OBJECT

protected slots:
    // Numbers are read under Lithuanian settings, whatever the machine's are.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Lithuanian, QLocale::Lithuania)); }
    void init()
    {
        toolkit = std::make_unique<RecordingToolkit>();
        form = std::make_unique<Form1>(*toolkit);
        form->Form_Load();
        // Focus moves and keys reach the focused control only in the active window.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup()
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        form.reset();
        toolkit.reset();
    }

protected:
    PinnedSettings settingsStore; // every window of the suite starts with the currency Lt
    std::unique_ptr<RecordingToolkit> toolkit;
    std::unique_ptr<Form1> form;
};
