// Hands Form1's native window to Module1, which puts "Apie..." into its system menu.
#include "form1.h"

#include "module1.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

namespace {

HWND handleOf(const QWidget &window)
{
    return reinterpret_cast<HWND>(window.winId());
}

// Qt opens the system menu for Alt+Space itself and hands the chosen command straight to its
// own window procedure, past WindowProc. "Apie..." chosen that way is caught where Qt's
// procedure hands its messages to the application's filters. Chosen with the mouse, it
// reaches WindowProc first and goes no further, so the box shows once whichever way.
class AboutAtQtsProcedure final : public QObject, public QAbstractNativeEventFilter
{
public:
    explicit AboutAtQtsProcedure(Form1 *form, std::function<void()> showAbout)
        : QObject(form), m_window(handleOf(*form)), m_showAbout(std::move(showAbout))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *result) override
    {
        // Not the messages of the event loop: a posted command is still on its way to WindowProc.
        const auto *msg = static_cast<const MSG *>(message);
        if (type != "windows_generic_MSG" || msg->hwnd != m_window || msg->message != WM_SYSCOMMAND
            || msg->wParam != Module1::aboutCommand)
            return false;
        m_showAbout();
        *result = 0;
        return true;
    }

private:
    HWND m_window;
    std::function<void()> m_showAbout;
};

} // namespace

void Form1::extendWindowMenu()
{
    Module1::appendAboutEntry(handleOf(*this)); // winId() makes the native window if need be
}

void Form1::installWindowProc()
{
    // The callback runs inside a window procedure, and an exception cannot unwind through the
    // window manager: noexcept ends the program instead.
    auto showAboutBox = [this]() noexcept { showAbout(); };
    Module1::installWindowProc(handleOf(*this), showAboutBox);
    new AboutAtQtsProcedure(this, showAboutBox); // the window owns it
}

void Form1::restoreWindowProc()
{
    Module1::restoreWindowProc(handleOf(*this));
}
