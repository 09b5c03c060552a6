// suma-zodziais-clipboard TEXT: serves TEXT as the X11 clipboard once the window that converted
// it has closed, as long as no other program takes the clipboard and the display lasts. The
// window starts it (see keepClipboardAfterExit); it is not meant to be run by hand.
#include <QClipboard>
#include <QGuiApplication>

int main(int argc, char *argv[])
{
    // Only ever started from the window on X11, and nothing here speaks to a screen reader.
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "0");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2)
        return 2;

    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(arguments.at(1));
    // Another program took the clipboard: nothing left to serve. (A lost display ends the
    // program inside Qt.)
    QObject::connect(clipboard, &QClipboard::changed, &app, [clipboard](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard())
            QGuiApplication::quit();
    });
    return QGuiApplication::exec();
}
