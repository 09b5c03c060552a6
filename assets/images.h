#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace suma {

// A PNG of the resources (":/picture1.png"), read by QtGui's own reader; a null image if it is
// missing or damaged. Told the format and kept from guessing it, QImageReader asks no
// image-format plugin: guessing, it loads every plugin there is to ask it, even for a PNG. An
// "@2x" file comes at device pixel ratio 2.
[[nodiscard]] QImage readPng(const QString &path);

// The program's icon for its windows: green "Lt" on a blue disc, drawn at 16, 24, 32 and 48
// pixels, each size its own PNG.
[[nodiscard]] QIcon programIcon();

} // namespace suma
