#include "toolkit.h"

#include "numberreading.h"

#include <QLocale>

namespace suma {

std::optional<double> Toolkit::readNumber(QStringView text)
{
    return suma::readNumber(text, QLocale());
}

} // namespace suma
