// Start-up, the window menu with "Apie...", and shutdown.
//
// Mouse clicks go through the platform window, as real ones do, so that a right click turns
// into a context-menu event the way the toolkit makes it.
#define QTEST_QPA_MOUSE_HANDLING

#include "form1.h"
#include "boxcloser.h"
#include "recordingtoolkit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm> // find_if
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace {

const QString aboutEntryText = QStringLiteral("Apie...");

// A Form1 that records what happens to it: the events it receives while loading, with the
// state of the word tables and of the window menu at that moment, and each unload step.
class ObservedForm : public Form1
{
public:
    using Form1::Form1;

    struct Seen
    {
        QEvent::Type type;
        bool tablesFilled;
        QString lastMenuEntry;
    };

    void load()
    {
        m_loading = true;
        Form_Load();
        m_loading = false;
    }

    void Form_Unload(int &Cancel) override
    {
        ++unloads;
        cancelSeen = Cancel;
        Form1::Form_Unload(Cancel);
        cancelLeft = Cancel;
        if (cancelWith)
            Cancel = *cancelWith;
    }

    bool tablesFilled() const
    {
        for (int i = 1; i <= 9; ++i) {
            if (vienetai[i].isEmpty() || niolika[i].isEmpty() || desimtys[i].isEmpty())
                return false;
        }
        return true;
    }

    QMenu *windowMenu() const { return findChild<QMenu *>(QStringLiteral("windowMenu")); }

    std::vector<Seen> seenWhileLoading;
    int unloads = 0;
    int cancelSeen = -99;
    int cancelLeft = -99;
    std::optional<int> cancelWith; // what a handler of the unload event would set

protected:
    bool event(QEvent *e) override
    {
        if (m_loading) {
            const QMenu *menu = windowMenu();
            const QString last = menu && !menu->actions().isEmpty() ? menu->actions().last()->text()
                                                                    : QString();
            seenWhileLoading.push_back({e->type(), tablesFilled(), last});
        }
        return Form1::event(e);
    }

private:
    bool m_loading = false;
};

// A point of the window where no control lies, found rather than assumed, so that the
// window's design can change without breaking the test.
std::optional<QPoint> freePoint(const QWidget &window)
{
    for (int y = 2; y < window.height(); y += 3) {
        for (int x = 2; x < window.width(); x += 3) {
            if (!window.childAt(x, y))
                return QPoint(x, y);
        }
    }
    return std::nullopt;
}

void clickEntry(QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions()) {
        if (action->text() == text) {
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no entry ") + text));
}

} // namespace

class tst_Lifecycle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Lithuanian, QLocale::Lithuania)); }
    void init()
    {
        toolkit = std::make_unique<RecordingToolkit>();
        form = std::make_unique<ObservedForm>(*toolkit);
        form->load();
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

    void loadFillsTablesBeforeAnythingElse();
    void aboutText();
    void windowMenuEntries();

    void windowMenuOpens_data();
    void windowMenuOpens();
    void rightClickOnAControlIsNotForTheWindow_data();
    void rightClickOnAControlIsNotForTheWindow();

    void aboutEntryShowsTheBoxAndNothingElse();
    void aboutEntryWithTheRealMessageBox();

    void everyCloseUnloadsOnce_data();
    void everyCloseUnloadsOnce();
    void unloadLeavesCancelAsItIs_data();
    void unloadLeavesCancelAsItIs();
    void cancelSetByTheUnloadStepKeepsTheWindow();

private:
    // Right-clicks the window's free area; the window menu if that opened it, else null.
    QMenu *openWindowMenu()
    {
        const std::optional<QPoint> free = freePoint(*form);
        if (!free)
            return nullptr;
        QTest::mouseClick(form.get(), Qt::RightButton, {}, *free);
        QMenu *menu = form->windowMenu();
        return menu && QApplication::activePopupWidget() == menu ? menu : nullptr;
    }

    std::unique_ptr<RecordingToolkit> toolkit;
    std::unique_ptr<ObservedForm> form;
};

void tst_Lifecycle::loadFillsTablesBeforeAnythingElse()
{
    const std::vector<ObservedForm::Seen> &seen = form->seenWhileLoading;
    QVERIFY(!seen.empty());
    for (const ObservedForm::Seen &s : seen)
        QVERIFY2(s.tablesFilled, qPrintable(QStringLiteral("event %1 came before the tables")
                                                .arg(int(s.type))));

    // The menu is complete by the time the window shows.
    const auto show = std::find_if(seen.begin(), seen.end(),
                                   [](const auto &s) { return s.type == QEvent::Show; });
    QVERIFY(show != seen.end());
    QCOMPARE(show->lastMenuEntry, aboutEntryText);

    QVERIFY(form->isVisible());
    QVERIFY(form->isWindow());
    QVERIFY(!form->parentWidget());
}

void tst_Lifecycle::aboutText()
{
    const QString expected = QStringLiteral("Suma žodžiais " SUMA_SHORT_VERSION
                                            " - programos kūrėjai\r\n"
                                            "\r\n"
                                            "          Freeware\r\n"
                                            "\r\n"
                                            "Naudokitės ir džiaukitės !\r\n");
    QCOMPARE(Form1::aboutText(), expected);
}

void tst_Lifecycle::windowMenuEntries()
{
    QMenu *menu = form->windowMenu();
    QVERIFY(menu);
    const QList<QAction *> entries = menu->actions();
    QVERIFY(entries.size() >= 2);
    QAction *last = entries.last();
    QCOMPARE(last->text(), aboutEntryText); // three full stops, not an ellipsis character
    QVERIFY(last->isEnabled());
    QVERIFY(last->isVisible());
    QVERIFY(!last->isSeparator());
    for (QAction *entry : entries)
        QVERIFY2(entry->isSeparator() || entry->isEnabled(), qPrintable(entry->text()));
}

void tst_Lifecycle::windowMenuOpens_data()
{
    QTest::addColumn<QString>("focus"); // object name of the control with the focus
    QTest::addColumn<QKeyCombination>("key");

    QTest::newRow("menu key in Text1") << "Text1" << QKeyCombination(Qt::Key_Menu);
    QTest::newRow("Shift+F10 in Text1") << "Text1" << (Qt::SHIFT | Qt::Key_F10);
    QTest::newRow("menu key on Check1") << "Check1" << QKeyCombination(Qt::Key_Menu);
    QTest::newRow("Shift+F10 on Command1") << "Command1" << (Qt::SHIFT | Qt::Key_F10);
    QTest::newRow("right click on the free area") << "" << QKeyCombination();
}

void tst_Lifecycle::windowMenuOpens()
{
    QFETCH(QString, focus);
    QFETCH(QKeyCombination, key);

    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    if (focus.isEmpty()) {
        QVERIFY(openWindowMenu());
    } else {
        auto *control = form->findChild<QWidget *>(focus);
        QVERIFY(control);
        control->setFocus();
        QCOMPARE(QApplication::focusWidget(), control);
        QTest::keyClick(control, key.key(), key.keyboardModifiers());
    }
    QCOMPARE(QApplication::activePopupWidget(), form->windowMenu());
    // Opening the menu chose nothing.
    QVERIFY(toolkit->messages.isEmpty());
    QCOMPARE(form->unloads, 0);
}

void tst_Lifecycle::rightClickOnAControlIsNotForTheWindow_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("hasOwnMenu");

    QTest::newRow("Text1 keeps its own menu") << "Text1" << true;
    QTest::newRow("Command1") << "Command1" << false;
    QTest::newRow("Label1") << "Label1" << false;
    QTest::newRow("Check2") << "Check2" << false;
    QTest::newRow("Picture2") << "Picture2" << false;
}

void tst_Lifecycle::rightClickOnAControlIsNotForTheWindow()
{
    QFETCH(QString, control);
    QFETCH(bool, hasOwnMenu);

    auto *widget = form->findChild<QWidget *>(control);
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::RightButton);
    QWidget *popup = QApplication::activePopupWidget();
    QVERIFY(popup != form->windowMenu());
    QCOMPARE(popup != nullptr, hasOwnMenu);
}

void tst_Lifecycle::aboutEntryShowsTheBoxAndNothingElse()
{
    const QString labelBefore = form->Label1->text();
    for (int time = 1; time <= 2; ++time) { // and again the same
        QMenu *menu = openWindowMenu();
        QVERIFY(menu);
        clickEntry(*menu, aboutEntryText);
        QCOMPARE(toolkit->messages.size(), time);
        const RecordingToolkit::Message &shown = toolkit->messages.last();
        QCOMPARE(shown.text, Form1::aboutText());
        QCOMPARE(shown.icon, suma::Toolkit::MessageIcon::Information);
    }
    QVERIFY(form->isVisible());
    QCOMPARE(form->unloads, 0);
    QCOMPARE(form->Label1->text(), labelBefore);
    QCOMPARE(toolkit->clipboardWrites, 0);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

void tst_Lifecycle::aboutEntryWithTheRealMessageBox()
{
    ObservedForm real; // over the real toolkit
    real.load();
    BoxCloser closer;

    QMenu *menu = real.windowMenu();
    QVERIFY(menu);
    menu->actions().last()->trigger(); // returns once the box is closed
    QCOMPARE(closer.seen.size(), size_t(1));
    const SeenBox &box = closer.seen.front();
    QCOMPARE(box.title, QStringLiteral("Suma žodžiais"));
    QCOMPARE(box.text, Form1::aboutText());
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(real.isVisible());
    QCOMPARE(real.unloads, 0);
}

void tst_Lifecycle::everyCloseUnloadsOnce_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close") << "close";
    QTest::newRow("close box") << "close event";
    QTest::newRow("window menu") << "menu";
    QTest::newRow("Picture1") << "Picture1";
}

void tst_Lifecycle::everyCloseUnloadsOnce()
{
    QFETCH(QString, how);

    // Closed from inside the event loop, as in the program, which must then end by itself.
    bool closedOnTime = true;
    QTimer::singleShot(0, form.get(), [&] {
        if (how == QLatin1String("close")) {
            form->close();
        } else if (how == QLatin1String("close event")) {
            form->windowHandle()->close(); // what the window manager's close box delivers
        } else if (how == QLatin1String("menu")) {
            if (QMenu *menu = openWindowMenu())
                clickEntry(*menu, QStringLiteral("&Užverti"));
        } else {
            QTest::mouseClick(form->Picture1, Qt::LeftButton);
        }
    });
    // Only a safety net, so that a window that never closes cannot hang the test; it dies
    // with this function.
    QTimer safetyNet;
    safetyNet.setSingleShot(true);
    connect(&safetyNet, &QTimer::timeout, this, [&] {
        closedOnTime = false;
        QCoreApplication::exit(1);
    });
    safetyNet.start(std::chrono::seconds(30));
    QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);
    QCOMPARE(QApplication::exec(), 0);

    QVERIFY(closedOnTime);
    QCOMPARE(lastWindowClosed.size(), 1);
    QCOMPARE(form->unloads, 1);
    QVERIFY(!form->isVisible());
    QVERIFY(toolkit->messages.isEmpty());
}

void tst_Lifecycle::unloadLeavesCancelAsItIs_data()
{
    QTest::addColumn<int>("cancel");
    QTest::newRow("0") << 0;
    QTest::newRow("1") << 1;
    QTest::newRow("-1") << -1;
}

void tst_Lifecycle::unloadLeavesCancelAsItIs()
{
    QFETCH(int, cancel);
    int Cancel = cancel;
    form->Form_Unload(Cancel);
    QCOMPARE(form->cancelLeft, cancel);
    QCOMPARE(Cancel, cancel);
}

void tst_Lifecycle::cancelSetByTheUnloadStepKeepsTheWindow()
{
    form->cancelWith = 1;
    QVERIFY(!form->close());
    QCOMPARE(form->unloads, 1);
    QCOMPARE(form->cancelSeen, 0); // each close starts from "go on"
    QVERIFY(form->isVisible());

    form->cancelWith.reset();
    QVERIFY(form->close());
    QCOMPARE(form->unloads, 2);
    QVERIFY(!form->isVisible());
}

QTEST_MAIN(tst_Lifecycle)
#include "tst_lifecycle.moc"
