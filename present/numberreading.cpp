#include "numberreading.h"

#include <QVarLengthArray>

#include <cmath> // isfinite

namespace suma {

namespace {

// Reads with `locale`; only a finite result counts.
std::optional<double> finiteNumber(const QLocale &locale, QStringView text)
{
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (ok && std::isfinite(value))
        return value;
    return std::nullopt;
}

// The C locale without digit groups: a plain number with '.' as its decimal separator.
const QLocale &plainNumbers()
{
    static const QLocale plain = [] {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        return c;
    }();
    return plain;
}

std::optional<double> readPlain(QStringView text, QChar decimalSeparator)
{
    if (decimalSeparator == u'.')
        return finiteNumber(plainNumbers(), text);

    // A decimal comma: a '.' would be neither separator nor group here.
    if (text.contains(u'.'))
        return std::nullopt;
    QVarLengthArray<QChar, 64> swapped(text.begin(), text.end());
    for (QChar &c : swapped) {
        if (c == u',')
            c = u'.';
    }
    return finiteNumber(plainNumbers(), QStringView(swapped.data(), swapped.size()));
}

} // namespace

std::optional<double> readNumber(QStringView text, const QLocale &locale)
{
    text = text.trimmed(); // QChar::isSpace covers the no-break space

    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (ok)
        return std::isfinite(value) ? std::optional(value) : std::nullopt;

    const bool localeUsesPoint = locale.decimalPoint() == u".";
    return readPlain(text, localeUsesPoint ? QChar(u',') : QChar(u'.'));
}

} // namespace suma
