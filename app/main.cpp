#include "clipboardkeeper.h"
#include "form1.h"
#include "lithuanian.h"
#include "images.h"

#include <QApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

// Written by the signal handler, read by the event loop: a handler may do no more.
int signalPipe[2] = {-1, -1};

void requestClose(int)
{
    const int saved = errno;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], "x", 1);
    errno = saved;
}

// SIGTERM and SIGHUP (kill, logging out) end the program as a close does: the event loop ends
// normally and the result is kept on the clipboard.
void closeOnTerminationSignals(QApplication &app)
{
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char bytes[16];
        while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = requestClose;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace
#endif

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
#ifdef Q_OS_UNIX
    closeOnTerminationSignals(app);
#endif
    // Before any widget exists, so that Qt's own words (the boxes' button, Text1's menu) are
    // Lithuanian too.
    suma::installLithuanian(app);
    QApplication::setWindowIcon(suma::programIcon());
    // Lets the desktop match the window to its menu entry and icon (Wayland has no WM class).
    QGuiApplication::setDesktopFileName(QStringLiteral("lt.sumazodziais.SumaZodziais"));
    Form1 form;
    form.Form_Load();
    const int status = app.exec();
    // The result is made to be pasted after the window has closed.
    suma::keepClipboardAfterExit();
    return status;
}
