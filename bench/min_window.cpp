// The floor for any Qt program with a window: an empty one, shown. The window benchmark measures
// it beside the real program.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    return app.exec();
}
