// Start-up, the window menu with "Apie...", and shutdown.
//
// Mouse clicks go through the platform window, as real ones do, so that a right click turns
// into a context-menu event the way the toolkit makes it.
#define QTEST_QPA_MOUSE_HANDLING

#include "boxcloser.h"
#include "formfixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>

#include <algorithm> // find_if
#include <chrono>
#include <optional>
#include <vector>

#include <link.h> // dl_iterate_phdr

namespace {

const QString aboutEntryText = QStringLiteral("Apie...");

QMenu *windowMenu(const Form1 &form)
{
    return form.findChild<QMenu *>(QStringLiteral("windowMenu"));
}

// Every event a window receives from now on, with the state of its word tables and of its
// window menu at that moment.
class EventLog : public QObject
{
public:
    struct Seen
    {
        QEvent::Type type;
        bool tablesFilled;
        QString lastMenuEntry;
    };

    explicit EventLog(Form1 &form) : m_form(form) { form.installEventFilter(this); }

    std::vector<Seen> seen;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        const QMenu *menu = windowMenu(m_form);
        const QString last =
            menu && !menu->actions().isEmpty() ? menu->actions().last()->text() : QString();
        seen.push_back({e->type(), tablesFilled(), last});
        return false;
    }

private:
    bool tablesFilled() const
    {
        for (int i = 1; i <= 9; ++i) {
            if (m_form.vienetai[i].isEmpty() || m_form.niolika[i].isEmpty()
                || m_form.desimtys[i].isEmpty())
                return false;
        }
        return true;
    }

    Form1 &m_form;
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

// The file of every shared object loaded into the process.
QStringList loadedObjects()
{
    QStringList files;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *list) {
            static_cast<QStringList *>(list)->append(QString::fromLocal8Bit(info->dlpi_name));
            return 0;
        },
        &files);
    return files;
}

} // namespace

class tst_Lifecycle : public FormTestCase
{
    Q_OBJECT

private slots:
    void startsWithoutImageFormatPlugins();
    void loadFillsTablesBeforeAnythingElse();

    void windowMenuOpens_data();
    void windowMenuOpens();
    void rightClickOnAControlIsNotForTheWindow_data();
    void rightClickOnAControlIsNotForTheWindow();

    void aboutEntryShowsTheBoxAndNothingElse();
    void aboutEntryWithTheRealMessageBox();

    void everyCloseEndsTheProgram_data();
    void everyCloseEndsTheProgram();

private:
    // Right-clicks the window's free area; the window menu if that opened it, else null.
    QMenu *openWindowMenu()
    {
        const std::optional<QPoint> free = freePoint(*form);
        if (!free)
            return nullptr;
        QTest::mouseClick(form.get(), Qt::RightButton, {}, *free);
        QMenu *menu = windowMenu(*form);
        return menu && QApplication::activePopupWidget() == menu ? menu : nullptr;
    }
};

// The pictures and the icon are PNG, which QtGui reads itself: a window that has started and
// drawn itself has loaded no image-format plugin (each costs start time and memory).
void tst_Lifecycle::startsWithoutImageFormatPlugins()
{
    // A plugin stays loaded for the life of the process, whichever test loaded it: the check is
    // made in a process of its own, which runs this function alone.
    const char *const fresh = "SUMA_TEST_FRESH_PROCESS";
    if (!qEnvironmentVariableIsSet(fresh)) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(fresh), QStringLiteral("1"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QGuiApplication::platformName());
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(QTest::currentTestFunction())});
        QVERIFY(child.waitForFinished(60000));
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 child.readAll().constData());
        return;
    }
    QVERIFY(form->grab().width() > 0);
    QCoreApplication::processEvents();
    const QStringList loaded = loadedObjects();
    // The walk sees Qt's plugins at all: the platform plugin is one.
    QVERIFY2(!loaded.filter(QStringLiteral("/platforms/")).isEmpty(), "no platform plugin seen");
    const QStringList imageFormats = loaded.filter(QStringLiteral("/imageformats/"));
    QVERIFY2(imageFormats.isEmpty(), qPrintable(imageFormats.join(QStringLiteral(", "))));
}

void tst_Lifecycle::loadFillsTablesBeforeAnythingElse()
{
    Form1 loading(*toolkit);
    const EventLog log(loading);
    loading.Form_Load();

    const std::vector<EventLog::Seen> &seen = log.seen;
    QVERIFY(!seen.empty());
    for (const EventLog::Seen &s : seen)
        QVERIFY2(s.tablesFilled, qPrintable(QStringLiteral("event %1 came before the tables")
                                                .arg(int(s.type))));

    // The menu is complete by the time the window shows.
    const auto show = std::find_if(seen.begin(), seen.end(),
                                   [](const auto &s) { return s.type == QEvent::Show; });
    QVERIFY(show != seen.end());
    QCOMPARE(show->lastMenuEntry, aboutEntryText);
    QVERIFY(loading.isVisible());
}

void tst_Lifecycle::windowMenuOpens_data()
{
    QTest::addColumn<QString>("focus"); // object name of the control with the focus
    QTest::addColumn<QKeyCombination>("key");

    QTest::newRow("menu key in Text1") << "Text1" << QKeyCombination(Qt::Key_Menu);
    QTest::newRow("Shift+F10 in Text1") << "Text1" << (Qt::SHIFT | Qt::Key_F10);
    // Both keys are one window-wide shortcut: one row shows it away from Text1.
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
    QMenu *menu = windowMenu(*form);
    QCOMPARE(QApplication::activePopupWidget(), menu);
    // Opening the menu chose nothing.
    QVERIFY(toolkit->messages.isEmpty());
    QVERIFY(form->isVisible());
    if (focus.isEmpty())
        return;
    // From the keyboard it opens on its first entry, so Enter acts at once: it closes.
    QCOMPARE(menu->activeAction(), menu->actions().constFirst());
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(!form->isVisible());
}

void tst_Lifecycle::rightClickOnAControlIsNotForTheWindow_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("hasOwnMenu");

    QTest::newRow("Text1 keeps its own menu") << "Text1" << true;
    QTest::newRow("Command1") << "Command1" << false;
    QTest::newRow("Label1") << "Label1" << false;
}

void tst_Lifecycle::rightClickOnAControlIsNotForTheWindow()
{
    QFETCH(QString, control);
    QFETCH(bool, hasOwnMenu);

    auto *widget = form->findChild<QWidget *>(control);
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::RightButton);
    QWidget *popup = QApplication::activePopupWidget();
    QVERIFY(popup != windowMenu(*form));
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
    QCOMPARE(form->Label1->text(), labelBefore);
    QCOMPARE(toolkit->clipboardWrites, 0);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

void tst_Lifecycle::aboutEntryWithTheRealMessageBox()
{
    Form1 real; // over the real toolkit
    real.Form_Load();
    BoxCloser closer;

    QMenu *menu = windowMenu(real);
    QVERIFY(menu);
    menu->actions().last()->trigger(); // returns once the box is closed
    QCOMPARE(closer.seen.size(), size_t(1));
    const SeenBox &box = closer.seen.front();
    QCOMPARE(box.title, QStringLiteral("Suma žodžiais"));
    QCOMPARE(box.text, Form1::aboutText());
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(real.isVisible());
}

void tst_Lifecycle::everyCloseEndsTheProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close") << "close";
    QTest::newRow("close box") << "close event";
    QTest::newRow("window menu") << "menu";
    QTest::newRow("Picture1") << "Picture1";
}

void tst_Lifecycle::everyCloseEndsTheProgram()
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
    QVERIFY(!form->isVisible());
    QVERIFY(toolkit->messages.isEmpty());
}

QTEST_MAIN(tst_Lifecycle)
#include "tst_lifecycle.moc"
