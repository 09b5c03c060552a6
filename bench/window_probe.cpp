// Starts a program on the current X display and waits until it maps its first top-level window.
// Prints the time from start to that moment in milliseconds and the program's peak resident
// memory (VmHWM) by then in KiB, then ends the program. Measured from the outside, so the
// program needs no hooks of its own.
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace {

long peakResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

int fail(const char *why)
{
    std::fprintf(stderr, "window_probe: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2)
        return fail("usage: window_probe PROGRAM [ARGS...]");

    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return fail("cannot open the X display");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the server has taken the mask before the program starts.
    if (std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error{
            xcb_request_check(connection, xcb_change_window_attributes_checked(
                                              connection, root, XCB_CW_EVENT_MASK, &mask)),
            &std::free})
        return fail("cannot watch the root window");

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return fail("fork failed");
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    const auto deadline = start + std::chrono::seconds(30);
    bool mapped = false;
    while (!mapped && std::chrono::steady_clock::now() < deadline) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY
                && !reinterpret_cast<xcb_map_notify_event_t *>(event)->override_redirect)
                mapped = true;
            std::free(event);
        }
        if (mapped)
            break;
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return fail("the program ended before it showed a window");
        pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&fd, 1, 100);
    }
    const auto shown = std::chrono::steady_clock::now();
    const long peak = peakResidentKiB(pid);

    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(connection);
    if (!mapped)
        return fail("no window within 30 seconds");

    std::printf("%.1f %ld\n", std::chrono::duration<double, std::milli>(shown - start).count(),
                peak);
    return 0;
}
