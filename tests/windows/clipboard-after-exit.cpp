// The window as a user meets it, process by process: the currency chosen through the system menu
// by its keys, a number typed and Enter, the window closed; the result must still be on the
// Windows clipboard once the program has ended, and the next start must remember the currency.
//
//   clipboard-after-exit [suma-zodziais.exe]     (the one beside it unless told)
#include "win32test.h"

#include <cstdio>
#include <string>

namespace {

int passed = 0;
int failed = 0;

void check(bool ok, const char *what)
{
    if (ok) {
        ++passed;
        return;
    }
    ++failed;
    std::printf("FAIL: %s\n", what);
}

using win32test::clipboardText;

bool clipboardBecomes(const std::wstring &expected)
{
    for (int tries = 0; tries < 200; ++tries) {
        if (clipboardText() == expected)
            return true;
        Sleep(50);
    }
    std::printf("  clipboard: [%ls]\n", clipboardText().c_str());
    return false;
}

void key(WORD virtualKey, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void press(WORD virtualKey)
{
    key(virtualKey, false);
    key(virtualKey, true);
}

void type(const wchar_t *text)
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

struct Running
{
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

bool start(const wchar_t *program, Running &running)
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
        running.window = win32test::windowOf(running.process.dwProcessId, L"Suma žodžiais");
    }
    if (!running.window)
        return false;
    SetForegroundWindow(running.window);
    Sleep(300); // the input box takes the focus as the window becomes active
    return true;
}

// The close command of the system menu (what the close box and Alt+F4 send), then the end.
bool closeAndEnd(Running &running)
{
    PostMessageW(running.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    const bool ended = WaitForSingleObject(running.process.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(running.process.hProcess, 1);
    CloseHandle(running.process.hThread);
    CloseHandle(running.process.hProcess);
    return ended;
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
    check(closeAndEnd(first), "the program ends when its window closes");
    check(clipboardText() == L"Dvidešimt vienas Eur",
          "the result is still on the clipboard after the program has ended");

    // Second run: the choice is remembered; it is put back to litai by a menu command, as a
    // click on the entry posts it, so that the next run starts as a new user's would.
    Running second;
    check(start(program, second), "the window starts again");
    convert(L"12");
    check(clipboardBecomes(L"Dvylika Eur"), "the euro is remembered across starts");
    PostMessageW(second.window, WM_SYSCOMMAND, 1001, 0);
    check(closeAndEnd(second), "the program ends again");

    Running third;
    check(start(program, third), "the window starts a third time");
    convert(L"7");
    check(clipboardBecomes(L"Septyni Lt"), "litai chosen through the menu command are remembered");
    check(closeAndEnd(third), "the program ends a third time");
    check(clipboardText() == L"Septyni Lt", "and its result outlives it too");

    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
