#include "form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/suma-zodziais.ico")));
    // Lets the desktop match the window to its menu entry and icon (Wayland has no WM class).
    QGuiApplication::setDesktopFileName(QStringLiteral("lt.sumazodziais.SumaZodziais"));
    Form1 form;
    form.Form_Load();
    return app.exec();
}
