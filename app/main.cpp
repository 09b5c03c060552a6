#include "form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/suma-zodziais.ico")));
    Form1 form;
    form.Form_Load();
    return app.exec();
}
