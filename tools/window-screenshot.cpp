// Shows the window, optionally converts a number in it, and saves a PNG of the window with
// its title bar as the window manager draws it. Run on an X display with a window manager:
//
//   window-screenshot OUT.png [NUMBER [--capitals | --euro-noun]]
//
// --euro-noun chooses "Eurai žodžiu" in the window menu first (the choice is stored in a
// throwaway settings folder, never the user's own).
// The picture is taken once the window is on screen and decorated, not after a fixed pause.
#include "form1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QWindow>

#include <functional>

namespace {

// Processes events until `done` holds or the time is up; true when it held.
bool waitFor(const std::function<bool()> &done, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/suma-zodziais.ico")));
    QApplication::setCursorFlashTime(0); // a steady text cursor, the same in every picture
    QTextStream err(stderr);

    const QStringList args = QApplication::arguments().mid(1);
    const QString option = args.value(2);
    if (args.isEmpty() || args.size() > 3
        || (args.size() == 3 && option != u"--capitals" && option != u"--euro-noun")) {
        err << "usage: window-screenshot OUT.png [NUMBER [--capitals | --euro-noun]]\n";
        return 2;
    }
    // The window's settings (its currency) in a folder of this run's own.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    Form1 form;
    form.Form_Load();
    if (args.size() >= 2) {
        if (option == u"--capitals")
            form.Check2->click();
        if (option == u"--euro-noun")
            form.findChild<QAction *>(QStringLiteral("currencyEurNoun"))->trigger();
        form.Text1->setText(args[1]);
        form.Command1->click();
        form.Text1->setFocus();
    }

    QWindow *window = form.windowHandle();
    if (!waitFor([&] { return window && window->isExposed(); }, 10000)) {
        err << "window-screenshot: the window never appeared\n";
        return 1;
    }
    // The window manager adds its frame a moment after the window is mapped.
    if (!waitFor([&] { return form.frameGeometry() != form.geometry(); }, 5000))
        err << "window-screenshot: no window frame (is a window manager running?)\n";
    waitFor([] { return false; }, 300); // let the last paints land

    const QRect frame = form.frameGeometry();
    const QPixmap shot =
        form.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    if (shot.isNull() || !shot.save(args[0], "PNG")) {
        err << "window-screenshot: could not write " << args[0] << '\n';
        return 1;
    }
    return 0;
}
