// Starts a program and waits for its window, found by its title (any title when it is empty),
// then closes it. Exit code 0 when it did both. Prints the time from start to the visible
// window, for the start-time benchmark.
//
//   wait-for-window PROGRAM.exe "WINDOW TITLE"
#include "win32test.h"

#include <cstdio>
#include <string>


int wmain(int argc, wchar_t **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: wait-for-window PROGRAM.exe \"WINDOW TITLE\"\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, shown;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "wait-for-window: cannot start the program (error %lu)\n",
                     GetLastError());
        return 1;
    }
    HWND found = nullptr;
    for (int tries = 0; tries < 60000 && !found; ++tries) {
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "wait-for-window: the program ended without a window\n");
            return 1;
        }
        found = win32test::windowOf(process.dwProcessId, argv[2]);
    }
    if (!found) {
        std::fprintf(stderr, "wait-for-window: no window with that title within 60 s\n");
        TerminateProcess(process.hProcess, 1);
        return 1;
    }
    QueryPerformanceCounter(&shown);
    std::printf("window shown after %.1f ms\n",
                double(shown.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
    PostMessageW(found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "wait-for-window: the program did not end when its window closed\n");
        TerminateProcess(process.hProcess, 1);
        return 1;
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    std::printf("ended with exit code %lu\n", exitCode);
    return exitCode == 0 ? 0 : 1;
}
