#include "module1.h"

#include <utility> // move

namespace Module1 {

LONG_PTR PrevWndProc = 0;

namespace {
std::function<void()> aboutCallback;
} // namespace

LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    // wParam is compared whole: masking with 0xFFF0, as one does for the standard SC_*
    // codes, would turn 999 into 992 and the entry would never match.
    if (uMsg == WM_SYSCOMMAND && wParam == aboutCommand) {
        if (aboutCallback)
            aboutCallback();
        return 0;
    }
    return CallWindowProcW(reinterpret_cast<WNDPROC>(PrevWndProc), hWnd, uMsg, wParam, lParam);
}

void appendAboutEntry(HWND hWnd)
{
    // The window's own copy of the system menu; its standard entries are left as they are.
    HMENU menu = GetSystemMenu(hWnd, FALSE);
    AppendMenuW(menu, MF_STRING | MF_ENABLED, aboutCommand, L"Apie...");
}

void installWindowProc(HWND hWnd, std::function<void()> showAbout)
{
    aboutCallback = std::move(showAbout);

    // Stored straight away, before any message can reach WindowProc. A failed call returns
    // 0, which restoreWindowProc then knows not to write back. The Unicode call keeps the
    // window a Unicode one: through an ANSI procedure its text would lose Lithuanian letters.
    PrevWndProc = SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
}

void restoreWindowProc(HWND hWnd)
{
    if (PrevWndProc != 0)
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, PrevWndProc);
}

} // namespace Module1
