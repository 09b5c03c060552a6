// The window as a user meets it, process by process: the currency chosen through the system menu
// by its keys, a number typed and Enter, the window closed; the result must still be on the
// Windows clipboard once the program has ended, and the next start must remember the currency.
//
//   clipboard-after-exit [suma-zodziais.exe]     (the one beside it unless told)
//   clipboard-after-exit --expect TEXT          exit status 0 when the clipboard holds TEXT
#include "win32test.h"

#include <cstdio>
#include <string>

namespace {

win32test::Checks check;

using win32test::clipboardBecomes;
using win32test::clipboardText;
using win32test::key;
using win32test::press;
using win32test::Running;
using win32test::start;
using win32test::type;

enum class Close { Command, AltF4, RedPicture };

// The window closed as a user closes it: by the close command of the system menu (what the
// close box sends), by Alt+F4, or by a click on the red picture at its bottom right; then the end.
bool closeAndEnd(Running &running, Close how)
{
    switch (how) {
    case Close::Command:
        PostMessageW(running.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case Close::AltF4:
        key(VK_MENU, false);
        press(VK_F4);
        key(VK_MENU, true);
        break;
    case Close::RedPicture: {
        POINT at{322, 226}; // the middle of the picture, in the window's client area
        ClientToScreen(running.window, &at);
        SetCursorPos(at.x, at.y);
        INPUT click[2]{};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, click, sizeof click[0]);
        break;
    }
    }
    const bool ended = WaitForSingleObject(running.process.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(running.process.hProcess, 1);
    CloseHandle(running.process.hThread);
    CloseHandle(running.process.hProcess);
    return ended;
}

// Whether a program started now, after the window's has ended, reads `expected` from the clipboard.
bool newProgramReads(const std::wstring &expected)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --expect \"" + expected + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 30000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode == 0;
}

void convert(const wchar_t *number)
{
    type(number);
    press(VK_RETURN);
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    wchar_t beside[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, beside, MAX_PATH);
    std::wstring folder(beside);
    folder.erase(folder.find_last_of(L'\\') + 1);
    const std::wstring besideProgram = folder + L"suma-zodziais.exe";
    if (argc == 3 && std::wstring(argv[1]) == L"--expect") {
        const std::wstring text = clipboardText();
        if (text == argv[2])
            return 0;
        std::printf("  a new program reads: [%ls]\n", text.c_str());
        return 1;
    }
    const wchar_t *program = argc > 1 ? argv[1] : besideProgram.c_str();

    // First run: the euro abbreviation chosen by the keys of the system menu (Alt+Space, then
    // the entries' access keys V and E), 21 converted, the window closed.
    Running first;
    check(start(program, first), "the window starts");
    key(VK_MENU, false);
    press(VK_SPACE);
    key(VK_MENU, true);
    Sleep(300);
    press('V');
    Sleep(200);
    press('E');
    Sleep(300);
    convert(L"21");
    check(clipboardBecomes(L"Dvidešimt vienas Eur"), "the euro result is on the clipboard");
    check(closeAndEnd(first, Close::RedPicture), "the program ends on a click on the red picture");
    check(newProgramReads(L"Dvidešimt vienas Eur"),
          "the result is still on the clipboard after the program has ended");

    // Second run: the choice is remembered; it is put back to litai by a menu command, as a
    // click on the entry posts it, so that the next run starts as a new user's would.
    Running second;
    check(start(program, second), "the window starts again");
    convert(L"12");
    check(clipboardBecomes(L"Dvylika Eur"), "the euro is remembered across starts");
    PostMessageW(second.window, WM_SYSCOMMAND, 1001, 0);
    check(closeAndEnd(second, Close::Command), "the program ends by the close command");

    Running third;
    check(start(program, third), "the window starts a third time");
    convert(L"7");
    check(clipboardBecomes(L"Septyni Lt"), "litai chosen through the menu command are remembered");
    check(closeAndEnd(third, Close::AltF4), "the program ends by Alt+F4");
    check(newProgramReads(L"Septyni Lt"), "and its result outlives it too");

    return check.summary();
}
