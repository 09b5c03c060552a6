// The installer as an office PC meets it, run silently: for the current user by a user without
// administrator rights, for all users with /ALLUSERS; each time an older build first, which
// the newer refuses to touch while zodziais runs from it and upgrades in place while its window
// runs; then each copy removed by the quiet command of its own entry, leaving the other copy
// and the user's settings alone.
//
//   installer-test NEWER.exe NEWER_VERSION NEWER_FILES OLDER.exe OLDER_VERSION OLDER_ONLY_FILE
//
// NEWER_FILES: the folder the newer installer was made from, to compare the installed files
// with. OLDER_ONLY_FILE: a file only the older build ships, which the upgrade must take away.
#include "win32test.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

win32test::Checks check;

const wchar_t *const uninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Suma žodžiais";
const wchar_t *const settingsKey = L"Software\\suma-zodziais\\suma-zodziais";

std::wstring knownFolder(REFKNOWNFOLDERID id)
{
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)))
        folder = path;
    CoTaskMemFree(path);
    return folder;
}

// For printing: the C library's %ls stops at the first letter outside ASCII.
std::string utf8(const std::wstring &text)
{
    std::string bytes(size_t(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr,
                                                 nullptr)),
                      '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), int(bytes.size()), nullptr, nullptr);
    bytes.pop_back(); // the terminating zero
    return bytes;
}

bool exists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring registryText(HKEY root, const wchar_t *key, const wchar_t *name)
{
    wchar_t text[1024] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return {};
    return text;
}

DWORD registryNumber(HKEY root, const wchar_t *key, const wchar_t *name)
{
    DWORD number = 0;
    DWORD size = sizeof number;
    RegGetValueW(root, key, name, RRF_RT_REG_DWORD, nullptr, &number, &size);
    return number;
}

bool keyExists(HKEY root, const wchar_t *key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

// The installed programs of a root that call themselves "Suma žodžiais".
int entriesNamedSo(HKEY root)
{
    HKEY uninstall = nullptr;
    if (RegOpenKeyExW(root, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0, KEY_READ,
                      &uninstall)
        != ERROR_SUCCESS)
        return 0;
    int count = 0;
    wchar_t name[256];
    for (DWORD i = 0, size = 256; RegEnumKeyExW(uninstall, i, name, &size, nullptr, nullptr, nullptr,
                                                nullptr)
                                  == ERROR_SUCCESS;
         ++i, size = 256)
        count += registryText(uninstall, name, L"DisplayName") == L"Suma žodžiais";
    RegCloseKey(uninstall);
    return count;
}

// Entries of a folder whose names start with "Suma" (the Start menu's entry, or its folder).
int namedSumaIn(const std::wstring &folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\Suma*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do
        ++count;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

std::vector<char> bytesOf(const std::wstring &path)
{
    std::vector<char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    bytes.resize(size_t(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr))
        bytes.clear();
    CloseHandle(file);
    return bytes;
}

// The files under a folder, as paths relative to it.
void filesUnder(const std::wstring &root, const std::wstring &relative, std::vector<std::wstring> &files)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((root + relative + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            filesUnder(root, relative + L"\\" + name, files);
        else
            files.push_back(relative + L"\\" + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Whether the installed folder holds exactly the files the installer was made from, byte for
// byte, and its uninstaller.
bool sameFiles(const std::wstring &installed, const std::wstring &made)
{
    std::vector<std::wstring> expected, found;
    filesUnder(made, L"", expected);
    filesUnder(installed, L"", found);
    bool same = !expected.empty();
    for (const std::wstring &file : expected) {
        if (bytesOf(installed + file) != bytesOf(made + file)) {
            std::printf("  installed differently: %s\n", utf8(file).c_str());
            same = false;
        }
    }
    for (const std::wstring &file : found) {
        if (file != L"\\Uninstall.exe" && !exists(made + file)) {
            std::printf("  installed, but not shipped: %s\n", utf8(file).c_str());
            same = false;
        }
    }
    return same;
}

// Waits for the processes `parent` started, and theirs: the uninstaller goes on from a copy.
void waitForChildren(DWORD parent)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID != parent || entry.th32ProcessID == parent)
            continue;
        if (HANDLE child = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            WaitForSingleObject(child, 300000);
            CloseHandle(child);
        }
        waitForChildren(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
}

// Runs a command line to its end, and what it started; its exit code. Without rights: this
// user's token with the Administrators group for denying only, as Windows gives an
// administrator who has not elevated, and every user who is none.
DWORD run(std::wstring commandLine, bool withoutRights)
{
    HANDLE token = nullptr;
    if (withoutRights) {
        HANDLE own = nullptr;
        OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own);
        BYTE administrators[SECURITY_MAX_SID_SIZE];
        DWORD size = sizeof administrators;
        CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size);
        SID_AND_ATTRIBUTES disabled{administrators, 0};
        if (!CreateRestrictedToken(own, DISABLE_MAX_PRIVILEGE, 1, &disabled, 0, nullptr, 0, nullptr,
                                   &token))
            token = nullptr;
        CloseHandle(own);
        if (!token)
            return DWORD(-1);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = token ? CreateProcessAsUserW(token, nullptr, commandLine.data(), nullptr,
                                                      nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                                      &process)
                               : CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                                                0, nullptr, nullptr, &startup, &process);
    if (token)
        CloseHandle(token);
    if (!started)
        return DWORD(-1);
    DWORD exitCode = DWORD(-1);
    if (WaitForSingleObject(process.hProcess, 300000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &exitCode);
    waitForChildren(process.dwProcessId);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

struct Scope
{
    const char *name;
    HKEY root;
    std::wstring folder;       // where the program goes
    std::wstring startMenu;    // where its entry goes
    const wchar_t *option;     // on the installer's command line
    bool withoutRights;
};

// One copy installed in `scope`, of `version`: one entry with what Windows shows of it, one
// Start menu entry that starts it, the programs in the folder.
void checkInstalled(const Scope &scope, const std::wstring &version)
{
    const std::string in = std::string(" (") + scope.name + ")";
    check(exists(scope.folder + L"\\suma-zodziais.exe") && exists(scope.folder + L"\\zodziais.exe")
              && exists(scope.folder + L"\\Uninstall.exe"),
          ("the programs and the uninstaller are in the folder" + in).c_str());
    check(exists(scope.startMenu + L"\\Suma žodžiais.lnk") && namedSumaIn(scope.startMenu) == 1,
          ("one Start menu entry" + in).c_str());
    check(entriesNamedSo(scope.root) == 1, ("one entry among the installed programs" + in).c_str());
    check(registryText(scope.root, uninstallKey, L"DisplayVersion") == version,
          ("the entry's version" + in).c_str());
    check(registryText(scope.root, uninstallKey, L"Publisher") == L"Suma žodžiais komanda",
          ("the entry's publisher" + in).c_str());
    check(registryText(scope.root, uninstallKey, L"DisplayIcon") == scope.folder + L"\\suma-zodziais.exe,0",
          ("the entry's icon" + in).c_str());
    check(registryText(scope.root, uninstallKey, L"InstallLocation") == scope.folder,
          ("the entry's folder" + in).c_str());
    check(registryNumber(scope.root, uninstallKey, L"EstimatedSize") > 1000,
          ("the entry's size, in KiB" + in).c_str());
}

std::wstring quoted(const std::wstring &path)
{
    return L"\"" + path + L"\"";
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: installer-test NEWER.exe NEWER_VERSION NEWER_FILES OLDER.exe "
                             "OLDER_VERSION OLDER_ONLY_FILE\n");
        return 2;
    }
    const std::wstring newer = quoted(argv[1]), newerVersion = argv[2], newerFiles = argv[3];
    const std::wstring older = quoted(argv[4]), olderVersion = argv[5], olderOnly = argv[6];

    const Scope currentUser{"current user, without rights", HKEY_CURRENT_USER,
                            knownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Suma žodžiais",
                            knownFolder(FOLDERID_Programs), L"", true};
    const Scope allUsers{"all users", HKEY_LOCAL_MACHINE,
                         knownFolder(FOLDERID_ProgramFiles) + L"\\Suma žodžiais",
                         knownFolder(FOLDERID_CommonPrograms), L" /ALLUSERS", false};

    // The user chose euros in the window before; no install or uninstall may forget it.
    RegSetKeyValueW(HKEY_CURRENT_USER, settingsKey, L"valiuta", REG_SZ, L"Eur", sizeof L"Eur");

    // Without rights, all users cannot be chosen: refused before anything is written.
    check(run(newer + L" /S /ALLUSERS", true) == 2, "/ALLUSERS without rights ends with exit code 2");
    check(!exists(allUsers.folder) && !keyExists(HKEY_LOCAL_MACHINE, uninstallKey),
          "and installs nothing for all users");

    for (const Scope *scope : {&currentUser, &allUsers}) {
        const std::string in = std::string(" (") + scope->name + ")";
        check(run(older + L" /S" + scope->option, scope->withoutRights) == 0,
              ("the older build installs silently" + in).c_str());
        checkInstalled(*scope, olderVersion);
        check(exists(scope->folder + L"\\" + olderOnly), ("the older build's own file" + in).c_str());

        // While zodziais runs from there (reading a pipe that stays open), the newer build
        // cannot replace it: a silent run ends with exit code 2 and changes nothing.
        PROCESS_INFORMATION speller{};
        HANDLE pipeIn = nullptr, pipeOut = nullptr;
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        CreatePipe(&pipeIn, &pipeOut, &inherit, 0);
        SetHandleInformation(pipeOut, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = pipeIn;
        std::wstring spellerLine = quoted(scope->folder + L"\\zodziais.exe");
        check(CreateProcessW(nullptr, spellerLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                             &startup, &speller),
              ("zodziais starts" + in).c_str());
        check(run(newer + L" /S" + scope->option, scope->withoutRights) == 2,
              ("a running zodziais stops the upgrade with exit code 2" + in).c_str());
        check(registryText(scope->root, uninstallKey, L"DisplayVersion") == olderVersion
                  && exists(scope->folder + L"\\" + olderOnly),
              ("and nothing was changed" + in).c_str());
        CloseHandle(pipeOut); // end of input: zodziais ends
        WaitForSingleObject(speller.hProcess, 30000);
        CloseHandle(pipeIn);
        CloseHandle(speller.hThread);
        CloseHandle(speller.hProcess);

        // The newer build over it, while its window runs: the window is closed, the copy
        // replaced where it is.
        win32test::Running window;
        check(win32test::start((scope->folder + L"\\suma-zodziais.exe").c_str(), window),
              ("the installed window starts" + in).c_str());
        check(run(newer + L" /S" + scope->option, scope->withoutRights) == 0,
              ("the newer build installs over it" + in).c_str());
        check(WaitForSingleObject(window.process.hProcess, 0) == WAIT_OBJECT_0,
              ("the running window was closed" + in).c_str());
        CloseHandle(window.process.hThread);
        CloseHandle(window.process.hProcess);
        checkInstalled(*scope, newerVersion);
        check(sameFiles(scope->folder, newerFiles),
              ("the folder holds the newer build's files and no others" + in).c_str());

        // The same build once more: still one of each.
        check(run(newer + L" /S" + scope->option, scope->withoutRights) == 0,
              ("the same build installs over itself" + in).c_str());
        checkInstalled(*scope, newerVersion);

        // The installed window converts, in the currency the user chose before.
        win32test::Running converting;
        check(win32test::start((scope->folder + L"\\suma-zodziais.exe").c_str(), converting),
              ("the upgraded window starts" + in).c_str());
        win32test::type(L"21");
        win32test::press(VK_RETURN);
        check(win32test::clipboardBecomes(L"Dvidešimt vienas Eur"),
              ("it converts, with the currency remembered" + in).c_str());
        PostMessageW(converting.window, WM_CLOSE, 0, 0);
        WaitForSingleObject(converting.process.hProcess, 30000);
        CloseHandle(converting.process.hThread);
        CloseHandle(converting.process.hProcess);
    }

    // Each copy removed by its entry's quiet command, the other one left as it was.
    for (const Scope *scope : {&allUsers, &currentUser}) {
        const std::string in = std::string(" (") + scope->name + ")";
        const std::wstring command = registryText(scope->root, uninstallKey, L"QuietUninstallString");
        check(!command.empty() && run(command, scope->withoutRights) == 0,
              ("the uninstaller runs silently" + in).c_str());
        check(!exists(scope->folder), ("the folder is gone" + in).c_str());
        check(namedSumaIn(scope->startMenu) == 0, ("the Start menu entry is gone" + in).c_str());
        check(!keyExists(scope->root, uninstallKey), ("the entry is gone" + in).c_str());
        if (scope == &allUsers)
            check(exists(currentUser.folder + L"\\suma-zodziais.exe")
                      && keyExists(HKEY_CURRENT_USER, uninstallKey),
                  "the current user's copy is left alone");
    }
    check(registryText(HKEY_CURRENT_USER, settingsKey, L"valiuta") == L"Eur",
          "the user's settings are kept");
    return check.summary();
}
