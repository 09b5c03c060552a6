// Hands Form1's native window to Module1, which puts "Apie..." into its system menu.
#include "form1.h"

#include "module1.h"

namespace {

HWND handleOf(const QWidget &window)
{
    return reinterpret_cast<HWND>(window.winId());
}

} // namespace

void Form1::extendWindowMenu()
{
    Module1::appendAboutEntry(handleOf(*this)); // winId() makes the native window if need be
}

void Form1::installWindowProc()
{
    // The handler runs inside WindowProc, and an exception cannot unwind through the window
    // manager: noexcept ends the program instead.
    Module1::installWindowProc(handleOf(*this), [this](UINT_PTR command) noexcept {
        if (command != Module1::aboutCommand)
            return false;
        showAbout();
        return true;
    });
}

void Form1::restoreWindowProc()
{
    Module1::restoreWindowProc(handleOf(*this));
}

// Qt opens the system menu for Alt+Space itself and hands the chosen command straight to its
// own window procedure, past WindowProc; that procedure hands it on to the window here, to the
// same handler. Chosen with the mouse, a command reaches WindowProc first and goes no further,
// so it is answered once whichever way it is chosen.
bool Form1::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    const auto *msg = static_cast<const MSG *>(message);
    if (msg->message == WM_SYSCOMMAND && Module1::answerCommand(msg->hwnd, msg->wParam)) {
        *result = 0;
        return true;
    }
    return QWidget::nativeEvent(eventType, message, result);
}
