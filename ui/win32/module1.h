// Module1: the window procedure that puts "Apie..." into a window's own system menu.
//
// Plain C++ and <windows.h>, no Qt: the window layer hands over the native handle of its
// window and a callback that shows the about box. Use it from the window's load and unload
// steps, on the user-interface thread:
//
//     Module1::appendAboutEntry(hwnd);                             // before the window is shown
//     Module1::installWindowProc(hwnd, [this] { showAbout(); });   // after it is shown
//     ...
//     Module1::restoreWindowProc(hwnd);                            // in the unload step
//
// The callback runs inside the window procedure, so it may open a modal box (its message
// loop re-enters WindowProc for other messages, which is fine: WindowProc keeps no state),
// but it must not throw: an exception cannot be carried back through the window manager.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX // keep std::min/std::max usable in files that include this header
#endif
#include <windows.h>

#include <functional>

namespace Module1 {

// Command identifier of the "Apie..." entry; WM_SYSCOMMAND carries it whole in wParam.
inline constexpr UINT_PTR aboutCommand = 999;

// The window procedure that was in place before WindowProc, exactly as SetWindowLongPtrW
// returned it; 0 until installWindowProc succeeds. Pointer-sized: a procedure address does
// not fit in 32 bits on 64-bit Windows.
extern LONG_PTR PrevWndProc;

// Catches WM_SYSCOMMAND with wParam 999, shows the about box and returns 0; every other
// message goes to PrevWndProc unchanged and its result comes back unchanged.
LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// Load step: appends "Apie..." (identifier 999) as the last entry of the window's system menu.
void appendAboutEntry(HWND hWnd);

// Load step, once the window is shown: installs WindowProc in front of the window's procedure.
// Call it once per window. showAbout is called each time the entry is chosen.
void installWindowProc(HWND hWnd, std::function<void()> showAbout);

// Unload step: puts the previous procedure back. Does nothing when installing failed
// (PrevWndProc is 0): writing 0 would leave the window without a procedure.
void restoreWindowProc(HWND hWnd);

} // namespace Module1
