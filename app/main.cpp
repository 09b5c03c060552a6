#include "clipboardkeeper.h"
#include "form1.h"
#include "lithuanian.h"
#include "images.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
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
