#include "module1.h"

#include <cstddef> // size_t
#include <utility> // move

namespace Module1 {

namespace {

struct WindowState
{
    LONG_PTR PrevWndProc = 0;
    CommandHandler handler;
};

constexpr const wchar_t *stateProperty = L"SumaZodziais.Module1";

constexpr const wchar_t *currencyMenuText = L"&Valiuta";

// The position of the entry with this command in `menu`, or -1 (a menu that is gone has none).
int positionOf(HMENU menu, UINT_PTR command)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuItemID(menu, i) == command)
            return i;
    }
    return -1;
}

// The "Valiuta" submenu of the window's system menu, known by its first command; null if none.
HMENU currencyMenuOf(HWND hWnd)
{
    HMENU menu = GetSystemMenu(hWnd, FALSE);
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        HMENU submenu = GetSubMenu(menu, i);
        if (submenu && positionOf(submenu, currencyCommands[0]) == 0)
            return submenu;
    }
    return nullptr;
}

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

void appendCurrencyMenu(HWND hWnd, const CurrencyTexts &texts, UINT_PTR checked)
{
    if (currencyMenuOf(hWnd)) { // a second load step must not add a second submenu
        checkCurrencyEntry(hWnd, checked);
        return;
    }
    HMENU menu = GetSystemMenu(hWnd, FALSE);
    if (!menu)
        return;
    HMENU submenu = CreatePopupMenu();
    if (!submenu)
        return;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        MENUITEMINFOW item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
        item.fType = MFT_STRING | MFT_RADIOCHECK; // a bullet, not a tick: one of several
        item.fState = currencyCommands[i] == checked ? MFS_CHECKED : MFS_UNCHECKED;
        item.wID = static_cast<UINT>(currencyCommands[i]);
        item.dwTypeData = const_cast<wchar_t *>(texts[i]); // only read
        InsertMenuItemW(submenu, GetMenuItemCount(submenu), TRUE, &item);
    }
    MENUITEMINFOW popup = {};
    popup.cbSize = sizeof popup;
    popup.fMask = MIIM_SUBMENU | MIIM_STRING;
    popup.hSubMenu = submenu;
    popup.dwTypeData = const_cast<wchar_t *>(currencyMenuText);
    const int about = positionOf(menu, aboutCommand);
    const UINT at = static_cast<UINT>(about >= 0 ? about : GetMenuItemCount(menu));
    if (!InsertMenuItemW(menu, at, TRUE, &popup))
        DestroyMenu(submenu); // once inserted, the system menu owns it and destroys it with itself
}

void checkCurrencyEntry(HWND hWnd, UINT_PTR command)
{
    HMENU submenu = currencyMenuOf(hWnd);
    const int position = submenu ? positionOf(submenu, command) : -1;
    if (position < 0)
        return;
    const UINT last = static_cast<UINT>(GetMenuItemCount(submenu) - 1);
    CheckMenuRadioItem(submenu, 0, last, static_cast<UINT>(position), MF_BYPOSITION);
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
