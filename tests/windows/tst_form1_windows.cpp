// The real window on Qt's windows platform, run under Wine inside Wine's own desktop: its
// system menu, the About command by every road it can take, the commands passed on, the
// Windows clipboard and the unload.
#include "../boxcloser.h"
#include "currencychoice.h"
#include "form1.h"
#include "lithuanian.h"
#include "module1.h"
#include "win32test.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <vector>

namespace {

// A box is closed through the window manager, the way a user's click on its close box is.
void closeThroughWindowManager(QMessageBox &box)
{
    PostMessageW(reinterpret_cast<HWND>(box.winId()), WM_CLOSE, 0, 0);
}

// The window, with what reaches Qt's own window procedure for it recorded (that procedure hands
// every message on to the window's nativeEvent). The messages a test arms are answered here,
// so a move loop never starts.
class SpiedForm1 final : public Form1
{
public:
    struct Seen
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    void arm(UINT message, WPARAM wParam)
    {
        m_message = message;
        m_wParam = wParam;
    }

    static constexpr LRESULT answer = 4242;
    // A message posted behind everything a command may have posted: once it has arrived, and
    // no box is open, any box the command was going to open has opened.
    static constexpr UINT marker = WM_APP + 7;
    int markersSeen = 0;
    std::vector<Seen> seen;
    LONG_PTR procedureAtDestroy = 0; // the window's procedure as it is destroyed

protected:
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override
    {
        const auto *msg = static_cast<const MSG *>(message);
        if (msg->message == WM_DESTROY)
            procedureAtDestroy = GetWindowLongPtrW(msg->hwnd, GWLP_WNDPROC);
        if (msg->message == marker) {
            ++markersSeen;
            *result = 0;
            return true;
        }
        if (m_message == 0 || msg->message != m_message || msg->wParam != m_wParam)
            return Form1::nativeEvent(eventType, message, result);
        seen.push_back({msg->message, msg->wParam, msg->lParam});
        *result = answer;
        return true;
    }

private:
    UINT m_message = 0;
    WPARAM m_wParam = 0;
};

QString clipboardText()
{
    return QString::fromStdWString(win32test::clipboardText());
}

using win32test::key;

void typeKeys(std::initializer_list<WORD> keys)
{
    for (WORD k : keys) {
        win32test::key(k, false);
        win32test::key(k, true);
    }
}

} // namespace

class tst_Form1Windows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Lithuanian, QLocale::Lithuania));
        // As the program starts: Qt's Lithuanian from "translations" beside the program.
        QVERIFY(suma::installLithuanian(*qApp));
        // Each window starts as a new user's would: litai.
        suma::storeCurrency(suma::Currency::Lt);
    }
    void init()
    {
        form = std::make_unique<SpiedForm1>();
        form->Form_Load();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        hwnd = reinterpret_cast<HWND>(form->winId());
    }
    void cleanup() { form.reset(); }

    void systemMenuEndsWithAbout();
    void aboutShowsOnceByEveryRoad_data();
    void aboutShowsOnceByEveryRoad();
    void otherCommandsReachQtUnchanged_data();
    void otherCommandsReachQtUnchanged();
    void enterPutsTheResultOnTheWindowsClipboard();
    void picture1UnloadsWithTheProcedureBack();

private:
    // Waits until everything posted before now has been handled and no box is open.
    bool settled()
    {
        const int before = form->markersSeen;
        PostMessageW(hwnd, SpiedForm1::marker, 0, 0);
        return QTest::qWaitFor(
            [&] {
                return form->markersSeen > before && QApplication::activeModalWidget() == nullptr;
            },
            10000);
    }

    std::unique_ptr<SpiedForm1> form;
    HWND hwnd = nullptr;
};

void tst_Form1Windows::systemMenuEndsWithAbout()
{
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    const int count = GetMenuItemCount(menu);
    QVERIFY(count > 1);
    QCOMPARE(GetMenuItemID(menu, count - 1), 999u);
    QCOMPARE(GetMenuState(menu, 999, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED), 0u);
    // Just before it, the currency submenu, its entry for the stored choice checked. (The
    // entries' texts are tst_module1's.)
    HMENU currencies = GetSubMenu(menu, count - 2);
    QVERIFY(currencies != nullptr);
    QCOMPARE(GetMenuItemCount(currencies), 3);
    QVERIFY(GetMenuState(currencies, 1001, MF_BYCOMMAND) & MF_CHECKED);
    // Still Qt's window, and a Unicode one, with the procedure in front of Qt's.
    QVERIFY(IsWindowUnicode(hwnd));
    QCOMPARE(GetWindowLongPtrW(hwnd, GWLP_WNDPROC),
             reinterpret_cast<LONG_PTR>(&Module1::WindowProc));
}

enum class Road { Sent, Posted, StraightToQt, AltSpaceKeys };

void tst_Form1Windows::aboutShowsOnceByEveryRoad_data()
{
    QTest::addColumn<Road>("road");
    QTest::newRow("sent to the window") << Road::Sent;
    QTest::newRow("posted, as a menu click posts it") << Road::Posted;
    QTest::newRow("straight to Qt's procedure, as Alt+Space hands it") << Road::StraightToQt;
    QTest::newRow("keys Alt+Space, Up, Enter") << Road::AltSpaceKeys;
}

void tst_Form1Windows::aboutShowsOnceByEveryRoad()
{
    QFETCH(Road, road);
    BoxCloser closer(closeThroughWindowManager);
    LRESULT result = -1;
    switch (road) {
    case Road::Sent:
        result = SendMessageW(hwnd, WM_SYSCOMMAND, 999, 0);
        break;
    case Road::Posted:
        PostMessageW(hwnd, WM_SYSCOMMAND, 999, 0);
        result = 0;
        break;
    case Road::StraightToQt:
        result = CallWindowProcW(reinterpret_cast<WNDPROC>(Module1::PrevWndProc(hwnd)), hwnd,
                                 WM_SYSCOMMAND, 999, 0);
        break;
    case Road::AltSpaceKeys:
        // The menu tracks the keyboard in a loop of its own; the keys wait in the queue for it.
        SetForegroundWindow(hwnd);
        key(VK_MENU, false);
        typeKeys({VK_SPACE});
        key(VK_MENU, true);
        typeKeys({VK_UP, VK_RETURN});
        result = 0;
        break;
    }
    QVERIFY(QTest::qWaitFor([&] { return !closer.seen.empty(); }, 10000));
    QVERIFY(settled()); // a second box would have been seen by now
    QCOMPARE(result, 0);
    QCOMPARE(closer.seen.size(), std::size_t(1));
    QCOMPARE(closer.seen.front().text, Form1::aboutText());
    QCOMPARE(closer.seen.front().icon, QMessageBox::Information);
    QCOMPARE(closer.seen.front().buttonTexts, QStringList{QStringLiteral("Gerai")});
}

void tst_Form1Windows::otherCommandsReachQtUnchanged_data()
{
    QTest::addColumn<uint>("message");
    QTest::addColumn<qulonglong>("wParam");
    QTest::newRow("WM_SYSCOMMAND SC_MOVE") << uint(WM_SYSCOMMAND) << qulonglong(SC_MOVE);
    QTest::newRow("WM_SYSCOMMAND 992 (999 masked)") << uint(WM_SYSCOMMAND) << qulonglong(992);
    QTest::newRow("WM_COMMAND 999") << uint(WM_COMMAND) << qulonglong(999);
}

void tst_Form1Windows::otherCommandsReachQtUnchanged()
{
    QFETCH(uint, message);
    QFETCH(qulonglong, wParam);
    BoxCloser closer(closeThroughWindowManager);
    form->arm(message, WPARAM(wParam));
    const LPARAM lParam = MAKELPARAM(17, 23);
    QCOMPARE(SendMessageW(hwnd, message, WPARAM(wParam), lParam), SpiedForm1::answer);
    QCOMPARE(form->seen.size(), std::size_t(1));
    QCOMPARE(form->seen.front().lParam, lParam);
    QVERIFY(settled());
    QVERIFY(closer.seen.empty());
}

void tst_Form1Windows::enterPutsTheResultOnTheWindowsClipboard()
{
    form->Text1->setFocus();
    QTest::keyClicks(form->Text1, QStringLiteral("1234,56"));
    QTest::keyClick(form->Text1, Qt::Key_Return);
    const QString expected =
        QStringLiteral("Vienas tūkstantis du šimtai trisdešimt keturi Lt 56 ct");
    QTRY_COMPARE(clipboardText(), expected);
    QCOMPARE(form->Label1->text(), expected);
    QCOMPARE(form->Text1->text(), QStringLiteral("1234,56")); // the Enter was swallowed
}

void tst_Form1Windows::picture1UnloadsWithTheProcedureBack()
{
    const LONG_PTR previous = Module1::PrevWndProc(hwnd);
    QVERIFY(previous != 0);
    QVERIFY(previous != reinterpret_cast<LONG_PTR>(&Module1::WindowProc));
    QTest::mouseClick(form->Picture1, Qt::LeftButton);
    QTRY_VERIFY(!IsWindow(hwnd));
    QCOMPARE(form->procedureAtDestroy, previous);
}

QTEST_MAIN(tst_Form1Windows)
#include "tst_form1_windows.moc"
