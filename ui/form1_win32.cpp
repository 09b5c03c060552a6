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
    // The callback runs inside WindowProc, and an exception cannot unwind through the window
    // manager: noexcept ends the program instead.
    Module1::installWindowProc(handleOf(*this), [this]() noexcept { showAbout(); });
}

void Form1::restoreWindowProc()
{
    Module1::restoreWindowProc(handleOf(*this));
}
