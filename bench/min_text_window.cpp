// The floor for a Qt window that shows any text: one label, shown. Drawing text is what makes
// Qt load its fonts (fontconfig and FreeType), which the empty window never does, so this
// separates the cost every window with words pays from what the real program adds on top.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Suma žodžiais"));
    window.show();
    return app.exec();
}
