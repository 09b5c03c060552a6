#include "images.h"

#include <QImageReader>
#include <QPixmap>

namespace suma {

QImage readPng(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QIcon programIcon()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48})
        icon.addPixmap(QPixmap::fromImage(readPng(QStringLiteral(":/icons/%1.png").arg(side))));
    return icon;
}

} // namespace suma
