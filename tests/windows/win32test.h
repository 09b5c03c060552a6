#pragma once

// Small Win32 pieces the Windows tests share: the clipboard's text, keys, a program's window.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <cwchar> // wcscmp
#include <string>

namespace win32test {

// Checks counted; the summary line "N passed, M failed" is what ctest looks for.
struct Checks
{
    int passed = 0;
    int failed = 0;

    void operator()(bool ok, const char *what)
    {
        if (ok) {
            ++passed;
            return;
        }
        ++failed;
        std::printf("FAIL: %s\n", what);
    }

    int summary() const
    {
        std::printf("%d passed, %d failed\n", passed, failed);
        return failed == 0 ? 0 : 1;
    }
};

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

// Whether the clipboard comes to hold `expected` within 10 s; prints what it holds if not.
inline bool clipboardBecomes(const std::wstring &expected)
{
    for (int tries = 0; tries < 200; ++tries) {
        if (clipboardText() == expected)
            return true;
        Sleep(50);
    }
    std::printf("  clipboard: [%ls]\n", clipboardText().c_str());
    return false;
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

inline void press(WORD virtualKey)
{
    key(virtualKey, false);
    key(virtualKey, true);
}

// Text typed as a keyboard that has every letter would type it.
inline void type(const wchar_t *text)
{
    for (; *text; ++text) {
        INPUT input[2]{};
        for (INPUT &i : input) {
            i.type = INPUT_KEYBOARD;
            i.ki.wScan = *text;
            i.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof input[0]);
    }
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

struct Running
{
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

// The window program started and its window "Suma žodžiais" shown, active, its input box
// focused; false if it ended or showed none within 30 s.
inline bool start(const wchar_t *program, Running &running)
{
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &running.process))
        return false;
    for (int tries = 0; tries < 3000 && !running.window; ++tries) {
        if (WaitForSingleObject(running.process.hProcess, 10) == WAIT_OBJECT_0)
            return false;
        running.window = windowOf(running.process.dwProcessId, L"Suma žodžiais");
    }
    if (!running.window)
        return false;
    SetForegroundWindow(running.window);
    Sleep(300); // the input box takes the focus as the window becomes active
    return true;
}

} // namespace win32test
