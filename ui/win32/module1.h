// Module1: the window procedure that puts "Valiuta" and "Apie..." into a window's own system
// menu.
//
// Plain C++ and <windows.h>, no Qt: the window layer hands over the native handle of its
// window, the texts of the currency entries and the handler of its own system-menu commands.
// Use it from the window's load and unload steps, on the user-interface thread:
//
//     Module1::appendCurrencyMenu(hwnd, texts, checked);            // before the window is shown
//     Module1::appendAboutEntry(hwnd);
//     Module1::installWindowProc(hwnd, [this](UINT_PTR c) { ... }); // after it is shown
//     ...
//     Module1::restoreWindowProc(hwnd);                             // in the unload step
//
// What WindowProc needs is kept with each window (a window property), so any number of windows
// can have it, and installing twice on one window only replaces the handler. The handler runs
// inside the window procedure, so it may open a modal box (its message loop re-enters
// WindowProc for other messages), but it must not throw: an exception cannot be carried back
// through the window manager.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX // keep std::min/std::max usable in files that include this header
#endif
#include <windows.h>

#include <array>
#include <functional>
#include <iterator> // size

namespace Module1 {

// Command identifier of the "Apie..." entry; WM_SYSCOMMAND carries it whole in wParam.
inline constexpr UINT_PTR aboutCommand = 999;

// Command identifiers of the "Valiuta" submenu's entries, in their order (the currencies' names
// table's). Below 0xF000, where the system's own commands begin.
inline constexpr UINT_PTR currencyCommands[] = {1001, 1002, 1003};

// The texts of those entries, in the same order, "&" before each access key; the window layer
// hands them over from its table of the currencies' names.
using CurrencyTexts = std::array<const wchar_t *, std::size(currencyCommands)>;

// Answers one of the window's own system-menu commands; false for a command that is not its
// own, which then goes on to the window's previous procedure.
using CommandHandler = std::function<bool(UINT_PTR command)>;

// Hands a WM_SYSCOMMAND's wParam to the window's handler: true when it answered it. WindowProc
// asks it first; a command that reaches the window past WindowProc (the toolkit tracks Alt+Space
// itself) is handed here by the window, so one handler answers either road.
bool answerCommand(HWND hWnd, WPARAM wParam);

// The window procedure that was in place before WindowProc on this window, exactly as
// SetWindowLongPtrW returned it; 0 while WindowProc is not installed there. Pointer-sized: a
// procedure address does not fit in 32 bits on 64-bit Windows.
LONG_PTR PrevWndProc(HWND hWnd);

// A WM_SYSCOMMAND that the handler answers returns 0 and goes no further; every other message
// goes to PrevWndProc unchanged and its result comes back unchanged.
LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// Load step: appends "Apie..." (identifier 999) as the last entry of the window's system menu.
void appendAboutEntry(HWND hWnd);

// Load step: puts the "Valiuta" submenu into the window's system menu, just before "Apie..."
// when that is there already, else at the end; its entries are radio items with these texts,
// `checked` (one of currencyCommands) checked. A window that has the submenu already only has
// its check moved.
void appendCurrencyMenu(HWND hWnd, const CurrencyTexts &texts, UINT_PTR checked);

// Moves the radio check of the "Valiuta" submenu to `command`; nothing when that is not one of
// its entries or the window has no such submenu.
void checkCurrencyEntry(HWND hWnd, UINT_PTR command);

// Load step, once the window is shown: installs WindowProc in front of the window's procedure.
// Installing again on the same window only replaces the handler.
void installWindowProc(HWND hWnd, CommandHandler handler);

// Unload step: puts the previous procedure back and forgets the handler. Does nothing when
// WindowProc was never installed (or installing failed): there is nothing to put back.
void restoreWindowProc(HWND hWnd);

} // namespace Module1
