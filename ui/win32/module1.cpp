#include "module1.h"

#include <utility> // move

namespace Module1 {

namespace {

struct WindowState
{
    LONG_PTR PrevWndProc = 0;
    CommandHandler handler;
};

constexpr const wchar_t *stateProperty = L"SumaZodziais.Module1";

WindowState *stateOf(HWND hWnd)
{
    return static_cast<WindowState *>(GetPropW(hWnd, stateProperty));
}

} // namespace

bool answerCommand(HWND hWnd, WPARAM wParam)
{
    const WindowState *state = stateOf(hWnd);
    return state && state->handler && state->handler(wParam);
}

LONG_PTR PrevWndProc(HWND hWnd)
{
    const WindowState *state = stateOf(hWnd);
    return state ? state->PrevWndProc : 0;
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    // wParam is handed over whole: masking with 0xFFF0, as one does for the standard SC_*
    // codes, would turn 999 into 992 and the entry would never match.
    if (uMsg == WM_SYSCOMMAND && answerCommand(hWnd, wParam))
        return 0;
    WindowState *state = stateOf(hWnd);
    if (!state) // only when a later procedure still calls this one after the unload
        return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    const LRESULT result = CallWindowProcW(reinterpret_cast<WNDPROC>(state->PrevWndProc), hWnd,
                                           uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) { // the window's last message: destroyed without an unload step
        RemovePropW(hWnd, stateProperty);
        delete state;
    }
    return result;
}

void appendAboutEntry(HWND hWnd)
{
    // The window's own copy of the system menu; its standard entries are left as they are.
    HMENU menu = GetSystemMenu(hWnd, FALSE);
    AppendMenuW(menu, MF_STRING | MF_ENABLED, aboutCommand, L"Apie...");
}

void installWindowProc(HWND hWnd, CommandHandler handler)
{
    if (WindowState *state = stateOf(hWnd)) {
        // Installed already: putting WindowProc in front of itself would make it its own
        // predecessor, and every message would go round for ever.
        state->handler = std::move(handler);
        return;
    }
    auto *state = new WindowState{0, std::move(handler)};
    if (!SetPropW(hWnd, stateProperty, state)) {
        delete state; // no such window
        return;
    }
    // Stored straight away, before any message can reach WindowProc. The Unicode call keeps the
    // window a Unicode one: through an ANSI procedure its text would lose Lithuanian letters.
    state->PrevWndProc =
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    if (state->PrevWndProc == 0) {
        RemovePropW(hWnd, stateProperty);
        delete state;
    }
}

void restoreWindowProc(HWND hWnd)
{
    WindowState *state = stateOf(hWnd);
    if (!state)
        return;
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, state->PrevWndProc);
    RemovePropW(hWnd, stateProperty);
    delete state; // and with it the handler, which may point into a window that is going
}

} // namespace Module1
