// suma-zodziais-clipboard: serves the window's converted text as the X11 clipboard once the
// window has closed, until anything else owns the clipboard (even None) or the display ends.
// Only the window starts it (keepClipboardAfterExit), with a socket as standard input that
// carries the display's name and the id of the window's clipboard owner, a line each, then the
// text in UTF-8 up to the end. The helper closes that socket once it owns the clipboard or has
// given up: that is what the window waits for. Nothing travels on the command line, where every
// local user could read the amount.
//
// Plain xcb and no toolkit: it is small, and it sees every SelectionClear itself.
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Far more than any result; a larger input is not the window's.
constexpr std::size_t maxInput = 64 * 1024;

struct Request
{
    std::string display;
    xcb_window_t owner = XCB_WINDOW_NONE;
    std::string text;
};

std::optional<Request> readRequest(int fd)
{
    std::string input;
    std::array<char, 4096> block;
    for (;;) {
        const ssize_t n = read(fd, block.data(), block.size());
        if (n == 0)
            break;
        if (n < 0 || input.size() + std::size_t(n) > maxInput)
            return std::nullopt;
        input.append(block.data(), std::size_t(n));
    }
    const std::size_t first = input.find('\n');
    const std::size_t second = first == std::string::npos ? first : input.find('\n', first + 1);
    if (second == std::string::npos)
        return std::nullopt;
    Request request;
    request.display = input.substr(0, first);
    const std::string owner = input.substr(first + 1, second - first - 1);
    char *end = nullptr;
    const unsigned long id = std::strtoul(owner.c_str(), &end, 10);
    if (owner.empty() || *end != '\0' || id == 0 || id > 0xffffffffUL)
        return std::nullopt;
    request.owner = xcb_window_t(id);
    request.text = input.substr(second + 1);
    return request;
}

// Closes the window's socket: the window stops serving and ends.
void releaseWindow()
{
    const int null = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (null >= 0) {
        dup2(null, STDIN_FILENO);
        close(null);
    }
}

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

class Clipboard
{
public:
    explicit Clipboard(xcb_connection_t *connection) : m_connection(connection)
    {
        constexpr std::array<std::string_view, 6> names = {"CLIPBOARD",
                                                           "TARGETS",
                                                           "TIMESTAMP",
                                                           "UTF8_STRING",
                                                           "text/plain;charset=utf-8",
                                                           "_SUMA_ZODZIAIS_TIMESTAMP"};
        std::array<xcb_intern_atom_cookie_t, names.size()> cookies;
        for (std::size_t i = 0; i < names.size(); ++i)
            cookies[i] =
                xcb_intern_atom(connection, 0, std::uint16_t(names[i].size()), names[i].data());
        std::array<xcb_atom_t *, names.size()> atoms = {&m_clipboard, &m_targets,   &m_timestamp,
                                                        &m_utf8,      &m_textPlain, &m_property};
        for (std::size_t i = 0; i < names.size(); ++i) {
            const Reply<xcb_intern_atom_reply_t> reply(
                xcb_intern_atom_reply(connection, cookies[i], nullptr), &std::free);
            *atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        }
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        m_window = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
    }

    bool ready() const { return m_clipboard != XCB_ATOM_NONE && m_property != XCB_ATOM_NONE; }

    xcb_window_t owner() const
    {
        const Reply<xcb_get_selection_owner_reply_t> reply(
            xcb_get_selection_owner_reply(
                m_connection, xcb_get_selection_owner(m_connection, m_clipboard), nullptr),
            &std::free);
        return reply ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
    }

    // Takes the clipboard from WINDOW, only if it still is WINDOW's. The owner's own timestamp
    // goes with the request: the server ignores it if anyone has set the owner since, however
    // narrow the gap between the checks and the taking.
    bool takeFrom(xcb_window_t window)
    {
        if (owner() != window)
            return false;
        const std::optional<xcb_timestamp_t> since = ownersTimestamp();
        // Asked of WINDOW only if it still owned the clipboard once the answer came.
        if (!since || owner() != window)
            return false;
        m_since = *since;
        xcb_set_selection_owner(m_connection, m_window, m_clipboard, m_since);
        return owner() == m_window;
    }

    // Serves the text until the clipboard is someone else's or nobody's, or the display ends.
    void serve(const std::string &text)
    {
        while (xcb_generic_event_t *event = xcb_wait_for_event(m_connection)) {
            const Reply<xcb_generic_event_t> held(event, &std::free);
            switch (event->response_type & 0x7f) {
            case XCB_SELECTION_CLEAR:
                if (reinterpret_cast<xcb_selection_clear_event_t *>(event)->selection
                    == m_clipboard)
                    return;
                break;
            case XCB_SELECTION_REQUEST:
                answer(*reinterpret_cast<xcb_selection_request_event_t *>(event), text);
                break;
            default:
                break;
            }
        }
    }

private:
    // The time the owner took the clipboard (ICCCM's TIMESTAMP target), or none if it does not
    // answer within two seconds.
    std::optional<xcb_timestamp_t> ownersTimestamp()
    {
        xcb_convert_selection(m_connection, m_window, m_clipboard, m_timestamp, m_property,
                              XCB_CURRENT_TIME);
        xcb_flush(m_connection);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        for (;;) {
            xcb_generic_event_t *event = xcb_poll_for_event(m_connection);
            if (!event) {
                if (xcb_connection_has_error(m_connection))
                    return std::nullopt;
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now());
                if (left.count() <= 0)
                    return std::nullopt;
                pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
                poll(&fd, 1, int(left.count()));
                continue;
            }
            const Reply<xcb_generic_event_t> held(event, &std::free);
            if ((event->response_type & 0x7f) != XCB_SELECTION_NOTIFY)
                continue;
            const auto *notify = reinterpret_cast<xcb_selection_notify_event_t *>(event);
            if (notify->property == XCB_ATOM_NONE)
                return std::nullopt;
            const Reply<xcb_get_property_reply_t> reply(
                xcb_get_property_reply(
                    m_connection,
                    xcb_get_property(m_connection, 1, m_window, m_property, XCB_ATOM_INTEGER, 0, 1),
                    nullptr),
                &std::free);
            if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4)
                return std::nullopt;
            return *static_cast<const xcb_timestamp_t *>(xcb_get_property_value(reply.get()));
        }
    }

    void answer(const xcb_selection_request_event_t &request, const std::string &text)
    {
        // Clients from before ICCCM name no property: the target stands for it.
        const xcb_atom_t property =
            request.property != XCB_ATOM_NONE ? request.property : request.target;
        const bool given = request.selection == m_clipboard
                           && (request.time == XCB_CURRENT_TIME || request.time >= m_since)
                           && put(request.requestor, property, request.target, text);
        xcb_selection_notify_event_t notify{};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.time = request.time;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = request.target;
        notify.property = given ? property : xcb_atom_t(XCB_ATOM_NONE);
        xcb_send_event(m_connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&notify));
        xcb_flush(m_connection);
    }

    // Writes the clipboard as TARGET into the requestor's property; false for a target it
    // does not offer.
    bool put(xcb_window_t requestor, xcb_atom_t property, xcb_atom_t target,
             const std::string &text)
    {
        if (target == m_targets) {
            const std::array<xcb_atom_t, 4> targets = {m_targets, m_timestamp, m_utf8, m_textPlain};
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, requestor, property,
                                XCB_ATOM_ATOM, 32, targets.size(), targets.data());
            return true;
        }
        if (target == m_timestamp) {
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, requestor, property,
                                XCB_ATOM_INTEGER, 32, 1, &m_since);
            return true;
        }
        // Within one request (no incremental transfer): the window's results are short.
        const std::size_t room = std::size_t(xcb_get_maximum_request_length(m_connection)) * 4;
        if ((target == m_utf8 || target == m_textPlain) && text.size() + 64 <= room) {
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, requestor, property, target, 8,
                                std::uint32_t(text.size()), text.data());
            return true;
        }
        return false;
    }

    xcb_connection_t *m_connection;
    xcb_window_t m_window = XCB_WINDOW_NONE;
    xcb_timestamp_t m_since = XCB_CURRENT_TIME;
    xcb_atom_t m_clipboard = XCB_ATOM_NONE;
    xcb_atom_t m_targets = XCB_ATOM_NONE;
    xcb_atom_t m_timestamp = XCB_ATOM_NONE;
    xcb_atom_t m_utf8 = XCB_ATOM_NONE;
    xcb_atom_t m_textPlain = XCB_ATOM_NONE;
    xcb_atom_t m_property = XCB_ATOM_NONE;
};

} // namespace

int main()
{
    const std::optional<Request> request = readRequest(STDIN_FILENO);
    if (!request) {
        releaseWindow();
        return 2;
    }
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(request->display.c_str(), nullptr), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get())) {
        releaseWindow();
        return 1;
    }
    Clipboard clipboard(connection.get());
    const bool taken = clipboard.ready() && clipboard.takeFrom(request->owner);
    releaseWindow();
    if (taken)
        clipboard.serve(request->text);
    return 0;
}
