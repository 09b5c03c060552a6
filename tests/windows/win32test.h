#pragma once

// Small Win32 pieces the Windows tests share: the clipboard's text, a process's window.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cwchar> // wcscmp
#include <string>

namespace win32test {

// The Windows clipboard's text as a second program reads it (CF_UNICODETEXT); empty if none.
inline std::wstring clipboardText()
{
    std::wstring text;
    for (int tries = 0; tries < 50 && !OpenClipboard(nullptr); ++tries)
        Sleep(20); // another program may hold it for a moment
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto *chars = static_cast<const wchar_t *>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// A key pressed (or released) as the keyboard sends it, to the window that has the focus.
inline void key(WORD virtualKey, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

// The visible window of the process whose title is `title` (any title when it is empty).
inline HWND windowOf(DWORD processId, const wchar_t *title)
{
    struct Search
    {
        DWORD processId;
        const wchar_t *title;
        HWND found;
    } search{processId, title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto &search = *reinterpret_cast<Search *>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t text[256] = {};
            GetWindowTextW(window, text, 256);
            if (owner != search.processId || !IsWindowVisible(window)
                || (*search.title != 0 && std::wcscmp(text, search.title) != 0))
                return TRUE;
            search.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace win32test
