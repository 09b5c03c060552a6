// Module1 on real Win32 windows: the "Apie..." entry and the "Valiuta" submenu, what WindowProc
// catches and what it passes on, the unload step, and two windows or two installs at once. The
// window's own procedure records what reaches it and answers with values the test chooses, so
// "passed on unchanged" can be checked both ways.
#include "module1.h"

#include <cstdint> // uint64_t
#include <cstdio>  // printf
#include <cstring> // strcmp
#include <cwchar>  // wcscmp
#include <string>
#include <vector>

namespace {

int passed = 0;
int failed = 0;

void check(bool ok, const char *what, const char *context, int line)
{
    if (ok) {
        ++passed;
        return;
    }
    ++failed;
    if (*context)
        std::printf("FAIL line %d: %s  [%s]\n", line, what, context);
    else
        std::printf("FAIL line %d: %s\n", line, what);
}

#define CHECK_IN(cond, context) check((cond), #cond, (context), __LINE__)
#define CHECK(cond) CHECK_IN(cond, "")

struct Received {
    HWND hWnd;
    UINT uMsg;
    WPARAM wParam;
    LPARAM lParam;
};

// What the window's own procedure saw of the messages the test sends, and what it answers.
std::vector<Received> received;
LRESULT reply = 0;
int aboutShown = 0;

// The handler a window hands to Module1: it answers the About command only.
Module1::CommandHandler countingAbout()
{
    return [](UINT_PTR command) {
        if (command != Module1::aboutCommand)
            return false;
        ++aboutShown;
        return true;
    };
}

bool isTestMessage(UINT uMsg)
{
    return uMsg == WM_SYSCOMMAND || uMsg == WM_COMMAND || uMsg == WM_APP;
}

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    // The test's messages are answered here and go no further, so SC_CLOSE closes nothing.
    if (isTestMessage(uMsg)) {
        received.push_back({hWnd, uMsg, wParam, lParam});
        return reply;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

// Every SetWindowLongPtrW call of the program, seen through its import slot. Wine quietly
// ignores a null window procedure, so whether the unload step writes one can only be seen here.
struct ProcWrite {
    HWND hWnd;
    LONG_PTR value;
};
std::vector<ProcWrite> procWrites;
using SetWindowLongPtrFn = LONG_PTR(WINAPI *)(HWND, int, LONG_PTR);
SetWindowLongPtrFn realSetWindowLongPtrW = nullptr;

LONG_PTR WINAPI countingSetWindowLongPtrW(HWND hWnd, int index, LONG_PTR value)
{
    if (index == GWLP_WNDPROC)
        procWrites.push_back({hWnd, value});
    return realSetWindowLongPtrW(hWnd, index, value);
}

// The slot in this program's import table through which calls to dll!function go.
void **importSlot(const char *dll, const char *function)
{
    auto *base = reinterpret_cast<BYTE *>(GetModuleHandleA(nullptr));
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return nullptr;
    for (auto *entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char *>(base + entry->Name), dll) != 0)
            continue;
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + entry->OriginalFirstThunk);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto *byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char *>(byName->Name), function) == 0)
                return reinterpret_cast<void **>(&slots->u1.Function);
        }
    }
    return nullptr;
}

bool interceptSetWindowLongPtrW()
{
    void **slot = importSlot("user32.dll", "SetWindowLongPtrW");
    DWORD oldProtection = 0;
    if (!slot || !VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &oldProtection))
        return false;
    realSetWindowLongPtrW = reinterpret_cast<SetWindowLongPtrFn>(*slot);
    *slot = reinterpret_cast<void *>(&countingSetWindowLongPtrW);
    VirtualProtect(slot, sizeof *slot, oldProtection, &oldProtection);
    return true;
}

// A crash (a truncated procedure address called, say) ends the run as a failure at once
// instead of waiting on the debugger that Wine would start.
LONG WINAPI reportCrash(EXCEPTION_POINTERS *info)
{
    std::printf("CRASH: exception 0x%08lX\n%d passed, %d failed\n",
                static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode), passed, failed + 1);
    std::fflush(stdout);
    ExitProcess(3);
}

LONG_PTR addressOf(WNDPROC proc)
{
    return reinterpret_cast<LONG_PTR>(proc);
}

LONG_PTR currentProc(HWND hWnd)
{
    return GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
}

// A Unicode window, as the toolkit's windows are.
HWND makeWindow()
{
    HWND hWnd = CreateWindowExW(0, L"SumaTestWindow", L"Suma", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hWnd)
        ShowWindow(hWnd, SW_SHOWNORMAL);
    return hWnd;
}

std::vector<UINT> menuIds(HMENU menu)
{
    std::vector<UINT> ids;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        ids.push_back(GetMenuItemID(menu, i));
    return ids;
}

// Large enough to be cut by anything that squeezes a pointer-sized value into 32 bits.
constexpr LPARAM wideValue(std::uint64_t low)
{
    return static_cast<LPARAM>(sizeof(LPARAM) == 8 ? (0x5A5A000000000000ull | low) : low);
}

void testInstallAndPassOn()
{
    HWND hWnd = makeWindow();
    CHECK(hWnd != nullptr);
    if (!hWnd)
        return;

    const std::vector<UINT> before = menuIds(GetSystemMenu(hWnd, FALSE));
    CHECK(!before.empty());

    procWrites.clear();
    Module1::appendAboutEntry(hWnd);
    Module1::installWindowProc(hWnd, countingAbout());
    CHECK(aboutShown == 0);
    CHECK(procWrites.size() == 1);
    if (!procWrites.empty())
        CHECK(procWrites.front().hWnd == hWnd && procWrites.front().value == addressOf(&Module1::WindowProc));

    // The entry: last, identifier 999, text exactly "Apie...", enabled; the others untouched.
    HMENU menu = GetSystemMenu(hWnd, FALSE);
    const std::vector<UINT> after = menuIds(menu);
    CHECK(after.size() == before.size() + 1);
    CHECK(std::vector<UINT>(after.begin(), after.end() - 1) == before);
    const int last = GetMenuItemCount(menu) - 1;
    CHECK(GetMenuItemID(menu, last) == 999);
    wchar_t text[64] = {};
    CHECK(GetMenuStringW(menu, last, text, 64, MF_BYPOSITION) == 7);
    CHECK(std::wcscmp(text, L"Apie...") == 0);
    CHECK((GetMenuState(menu, last, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR)) == 0);

    // WindowProc sits in front of the window's own procedure, which is kept whole.
    CHECK(currentProc(hWnd) == addressOf(&Module1::WindowProc));
    CHECK(Module1::PrevWndProc(hWnd) == addressOf(&RecordingProc));

    // The window stays a Unicode one: text on its way through WindowProc is not squeezed
    // through an ANSI code page, which has no room for most Lithuanian letters. (What Windows
    // makes of text for a window that is one is Windows's.)
    CHECK(IsWindowUnicode(hWnd));

    // The About command is caught every time it comes, and goes no further.
    for (const char *round : {"first about", "second about"}) {
        received.clear();
        reply = 12345;
        const int shownBefore = aboutShown;
        const LRESULT result = SendMessageW(hWnd, WM_SYSCOMMAND, 999, 0);
        CHECK_IN(result == 0, round);
        CHECK_IN(aboutShown == shownBefore + 1, round);
        CHECK_IN(received.empty(), round);
    }

    // Everything else reaches the previous procedure as sent, and its answer comes back as given.
    struct PassOn {
        const char *name;
        UINT uMsg;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT reply;
    };
    const PassOn passOn[] = {
        {"999 with low bits cleared", WM_SYSCOMMAND, 992, 0, 7},
        {"999 in the low word only", WM_SYSCOMMAND, 0x10000 + 999, 0, 8},
        {"move", WM_SYSCOMMAND, SC_MOVE, 0, wideValue(0x0101)},
        {"close", WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(20, 30), wideValue(0x0202)},
        {"command 999", WM_COMMAND, 999, 0, wideValue(0x0303)},
        {"command 999 from a control", WM_COMMAND, MAKEWPARAM(999, BN_CLICKED),
         reinterpret_cast<LPARAM>(hWnd), 10},
        {"pointer-sized parameter", WM_APP, 999, wideValue(0xBEEF), wideValue(0x0404)},
    };
    for (const PassOn &row : passOn) {
        received.clear();
        reply = row.reply;
        const int shownBefore = aboutShown;
        const LRESULT result = SendMessageW(hWnd, row.uMsg, row.wParam, row.lParam);
        CHECK_IN(result == row.reply, row.name);
        CHECK_IN(received.size() == 1, row.name);
        if (received.size() == 1) {
            const Received &got = received.front();
            CHECK_IN(got.hWnd == hWnd && got.uMsg == row.uMsg, row.name);
            CHECK_IN(got.wParam == row.wParam && got.lParam == row.lParam, row.name);
        }
        CHECK_IN(aboutShown == shownBefore, row.name);
    }
    CHECK(IsWindow(hWnd)); // the close command went to the recording, not to a real close

    // Unload: the window's own procedure is back, and the About command is no longer caught.
    procWrites.clear();
    Module1::restoreWindowProc(hWnd);
    CHECK(procWrites.size() == 1);
    if (!procWrites.empty())
        CHECK(procWrites.front().hWnd == hWnd && procWrites.front().value == addressOf(&RecordingProc));
    CHECK(currentProc(hWnd) == addressOf(&RecordingProc));
    received.clear();
    reply = 77;
    const int shownBefore = aboutShown;
    CHECK(SendMessageW(hWnd, WM_SYSCOMMAND, 999, 0) == 77);
    CHECK(received.size() == 1);
    CHECK(aboutShown == shownBefore);
    // The handler is forgotten with the unload: the window that gave it may be gone.
    CHECK(!Module1::answerCommand(hWnd, 999));
    CHECK(Module1::PrevWndProc(hWnd) == 0);

    DestroyWindow(hWnd);
}

// Each window keeps its own previous procedure and handler; a second install on one window
// only replaces its handler, so WindowProc never becomes its own predecessor.
void testTwoWindowsAndReinstall()
{
    HWND first = makeWindow();
    HWND second = makeWindow();
    CHECK(first != nullptr && second != nullptr);
    if (!first || !second)
        return;
    int secondShown = 0;
    Module1::installWindowProc(first, countingAbout());
    Module1::installWindowProc(second, [&secondShown](UINT_PTR command) {
        secondShown += command == Module1::aboutCommand;
        return command == Module1::aboutCommand;
    });
    procWrites.clear();
    Module1::installWindowProc(first, countingAbout());
    CHECK(procWrites.empty());
    CHECK(Module1::PrevWndProc(first) == addressOf(&RecordingProc));

    const int shownBefore = aboutShown;
    CHECK(SendMessageW(first, WM_SYSCOMMAND, 999, 0) == 0);
    CHECK(aboutShown == shownBefore + 1 && secondShown == 0);
    CHECK(SendMessageW(second, WM_SYSCOMMAND, 999, 0) == 0);
    CHECK(aboutShown == shownBefore + 1 && secondShown == 1);
    received.clear();
    reply = 66;
    CHECK(SendMessageW(first, WM_APP, 3, 4) == 66); // passed on once, not round for ever
    CHECK(received.size() == 1);

    // Unloading one leaves the other as it was.
    Module1::restoreWindowProc(first);
    CHECK(currentProc(first) == addressOf(&RecordingProc));
    CHECK(currentProc(second) == addressOf(&Module1::WindowProc));
    CHECK(SendMessageW(second, WM_SYSCOMMAND, 999, 0) == 0);
    CHECK(secondShown == 2);

    // A window destroyed without its unload step takes its state with it.
    DestroyWindow(second);
    CHECK(Module1::PrevWndProc(second) == 0);
    DestroyWindow(first);
}

std::wstring menuText(HMENU menu, int position)
{
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

// The command of the one checked entry of `menu`; 0 when none or more than one is checked.
UINT checkedCommand(HMENU menu)
{
    UINT checked = 0;
    int count = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) {
            checked = GetMenuItemID(menu, i);
            ++count;
        }
    }
    return count == 1 ? checked : 0;
}

// The "Valiuta" submenu sits just before "Apie...", which stays last, whichever load step comes
// first; its entries are radio items, and the check moves only to one of them.
void testCurrencyMenu()
{
    struct Row {
        const char *name;
        bool aboutFirst;
        UINT_PTR checked;
    };
    const Row rows[] = {
        {"submenu, then about; Lt", false, 1001},
        {"about, then submenu; Eur", true, 1002},
    };
    const Module1::CurrencyTexts texts = {L"&Litai (Lt)", L"&Eurai (Eur)", L"Eurai &žodžiu"};
    for (const Row &row : rows) {
        HWND hWnd = makeWindow();
        CHECK_IN(hWnd != nullptr, row.name);
        if (!hWnd)
            continue;
        HMENU menu = GetSystemMenu(hWnd, FALSE);
        const std::vector<UINT> before = menuIds(menu);
        if (row.aboutFirst)
            Module1::appendAboutEntry(hWnd);
        Module1::appendCurrencyMenu(hWnd, texts, row.checked);
        if (!row.aboutFirst)
            Module1::appendAboutEntry(hWnd);

        const std::vector<UINT> after = menuIds(menu);
        CHECK_IN(after.size() == before.size() + 2, row.name);
        CHECK_IN(std::vector<UINT>(after.begin(), after.begin() + before.size()) == before, row.name);
        const int last = GetMenuItemCount(menu) - 1;
        CHECK_IN(GetMenuItemID(menu, last) == 999, row.name);
        HMENU currency = GetSubMenu(menu, last - 1);
        CHECK_IN(currency != nullptr, row.name);
        CHECK_IN(menuText(menu, last - 1) == L"&Valiuta", row.name);
        CHECK_IN(GetMenuItemCount(currency) == 3, row.name);
        for (int i = 0; i < 3; ++i) {
            CHECK_IN(menuText(currency, i) == texts[i], row.name);
            MENUITEMINFOW item = {};
            item.cbSize = sizeof item;
            item.fMask = MIIM_FTYPE | MIIM_STATE;
            CHECK_IN(GetMenuItemInfoW(currency, i, TRUE, &item) && (item.fType & MFT_RADIOCHECK),
                     row.name);
            CHECK_IN((item.fState & (MFS_GRAYED | MFS_DISABLED)) == 0, row.name);
        }
        CHECK_IN(checkedCommand(currency) == row.checked, row.name);

        // The check moves to a currency entry only; any other command leaves it where it is.
        struct Move {
            UINT_PTR command;
            UINT expected;
        };
        for (const Move move : {Move{1003, 1003}, Move{1001, 1001}, Move{999, 1001},
                                Move{1004, 1001}, Move{0, 1001}, Move{1002, 1002}}) {
            Module1::checkCurrencyEntry(hWnd, move.command);
            CHECK_IN(checkedCommand(currency) == move.expected, row.name);
        }
        // A second load step moves the check and adds no second submenu.
        Module1::appendCurrencyMenu(hWnd, texts, 1003);
        CHECK_IN(menuIds(menu).size() == after.size(), row.name);
        CHECK_IN(checkedCommand(currency) == 1003, row.name);

        DestroyWindow(hWnd);
    }

    // A window that is gone gets nothing, and nothing breaks.
    HWND gone = makeWindow();
    DestroyWindow(gone);
    Module1::appendCurrencyMenu(gone, texts, 1001);
    Module1::checkCurrencyEntry(gone, 1002);
}

void testFailedInstall()
{
    // Installing on a window that is gone fails; nothing is saved.
    HWND gone = makeWindow();
    CHECK(gone != nullptr);
    DestroyWindow(gone);
    Module1::appendAboutEntry(gone);
    Module1::installWindowProc(gone, countingAbout());
    CHECK(Module1::PrevWndProc(gone) == 0);

    // Then the unload step must not write a 0 back over a live window's procedure.
    HWND hWnd = makeWindow();
    CHECK(hWnd != nullptr);
    if (!hWnd)
        return;
    procWrites.clear();
    Module1::restoreWindowProc(hWnd);
    CHECK(procWrites.empty());
    CHECK(currentProc(hWnd) == addressOf(&RecordingProc));
    received.clear();
    reply = 55;
    CHECK(SendMessageW(hWnd, WM_APP, 1, 2) == 55);
    DestroyWindow(hWnd);
}

} // namespace

int main()
{
    SetUnhandledExceptionFilter(&reportCrash);
    if (!interceptSetWindowLongPtrW()) {
        std::printf("cannot find SetWindowLongPtrW in the import table\n0 passed, 1 failed\n");
        return 1;
    }

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &RecordingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SumaTestWindow";
    if (!RegisterClassW(&windowClass)) {
        std::printf("cannot register the window class\n0 passed, 1 failed\n");
        return 1;
    }

    testInstallAndPassOn();
    testFailedInstall();
    testTwoWindowsAndReinstall();
    testCurrencyMenu();

    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
