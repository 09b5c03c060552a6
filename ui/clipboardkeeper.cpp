#include "clipboardkeeper.h"

#include <QtGui/qtguiglobal.h> // QT_CONFIG(xcb)

#if QT_CONFIG(xcb)
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <xcb/xcb.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib> // free
#include <memory>
#include <string_view>

namespace {

template <typename Reply> using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_window_t selectionOwner(xcb_connection_t *connection, std::string_view name)
{
    const XcbReply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, /*only_if_exists=*/1,
                                              std::uint16_t(name.size()), name.data()),
                              nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return XCB_WINDOW_NONE; // nobody ever claimed it
    const XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                      nullptr),
        &std::free);
    return owner ? owner->owner : xcb_window_t(XCB_WINDOW_NONE);
}

// The window of this program's that owns the clipboard, asked of the server: Qt's own
// bookkeeping still believes it owns the clipboard when another program set the owner to None
// before taking it.
xcb_window_t ourClipboardOwner(xcb_connection_t *connection)
{
    const xcb_window_t owner = selectionOwner(connection, "CLIPBOARD");
    const xcb_setup_t *setup = xcb_get_setup(connection);
    // Every id this connection creates is its base with bits of its mask.
    if (owner == XCB_WINDOW_NONE || (owner & ~setup->resource_id_mask) != setup->resource_id_base)
        return XCB_WINDOW_NONE;
    return owner;
}

// Whether a clipboard manager runs: it owns the CLIPBOARD_MANAGER selection. Qt hands it the
// text as the program ends, and it serves the text from then on.
bool clipboardManagerRuns(xcb_connection_t *connection)
{
    return selectionOwner(connection, "CLIPBOARD_MANAGER") != XCB_WINDOW_NONE;
}

QByteArray displayName(const QNativeInterface::QX11Application *x11);

// Starts the helper with one end of a socket as its standard input, in its own session, in
// "/", with default signal handling and none of this program's descriptors: nothing of the
// window's (a launcher's lock, a mount) stays held while the helper lives. The helper outlives
// this program, which ends right after; the system reaps it then. Returns the other end, or -1.
int startHelper(const char *program)
{
    int channel[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, channel) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawn_file_actions_addchdir_np(&actions, "/");
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t mask;
    sigemptyset(&mask);
    posix_spawnattr_setsigmask(&attributes, &mask);
    sigfillset(&mask);
    posix_spawnattr_setsigdefault(&attributes, &mask);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    char *const argv[] = {const_cast<char *>(program), nullptr};
    const int failed = posix_spawn(nullptr, program, &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);
    if (failed != 0) {
        close(channel[0]);
        return -1;
    }
    return channel[0];
}

bool sendAll(int fd, const QByteArray &bytes)
{
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t n =
            send(fd, bytes.constData() + sent, std::size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno != EINTR)
            return false;
        sent += std::max<ssize_t>(n, 0);
    }
    return true;
}

} // namespace

namespace suma {

void keepClipboardAfterExit()
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    const xcb_window_t owner = ourClipboardOwner(x11->connection());
    if (owner == XCB_WINDOW_NONE || clipboardManagerRuns(x11->connection()))
        return;
    const QByteArray text = QGuiApplication::clipboard()->text().toUtf8();
    const QByteArray display = displayName(x11);
    if (text.isEmpty() || display.isEmpty())
        return;

    // Where the build put it, relative to this program: the same in the build folder as
    // installed.
    const QByteArray program = QFile::encodeName(QDir::cleanPath(
        QCoreApplication::applicationDirPath() + u'/' + QStringLiteral(SUMA_CLIPBOARD_HELPER)));
    const int channel = startHelper(program.constData());
    if (channel < 0)
        return;
    const QByteArray request = display + '\n' + QByteArray::number(owner) + '\n' + text;
    if (!sendAll(channel, request) || shutdown(channel, SHUT_WR) != 0) {
        close(channel);
        return;
    }

    // The helper takes the clipboard from this program, asking it when it took the clipboard;
    // until the helper closes its end, this one serves the clipboard and answers.
    {
        QEventLoop handedOver;
        QSocketNotifier closed(channel, QSocketNotifier::Read);
        QObject::connect(&closed, &QSocketNotifier::activated, &handedOver, [&] {
            char byte;
            if (read(channel, &byte, 1) <= 0)
                handedOver.quit();
        });
        QTimer::singleShot(3000, &handedOver, &QEventLoop::quit);
        handedOver.exec();
    }
    close(channel);
}

} // namespace suma

// Last: Xlib's macros (None, Bool, Status...) would clash with the names above.
#include <X11/Xlib.h>

namespace {

// The display the window ran on, however it was chosen (-display, $DISPLAY).
QByteArray displayName(const QNativeInterface::QX11Application *x11)
{
    if (Display *display = x11->display())
        return DisplayString(display);
    return qgetenv("DISPLAY");
}

} // namespace

#else

namespace suma {

// Elsewhere the system keeps the clipboard's text when the program ends.
void keepClipboardAfterExit() {}

} // namespace suma

#endif
