#include "numberreading.h"

#include <QVarLengthArray>

#include <charconv>     // from_chars
#include <cmath>        // isfinite
#include <system_error> // errc

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

// Most texts are nothing but ASCII digits, perhaps a minus and the decimal separator. QLocale
// takes its slow general road for those too, which dominates batch work, so they are read here
// directly. What a locale accepts of that simple form is probed once through QLocale itself, so
// the shortcut never accepts or reads anything differently.
struct SimpleForm
{
    QLocale locale = QLocale::c();
    bool probed = false;
    bool minus = false;   // "-12" reads as -12
    char16_t decimal = 0; // ',' or '.' when it is this locale's decimal separator; else 0
};

const SimpleForm &simpleFormOf(const QLocale &locale)
{
    thread_local SimpleForm form;
    if (form.probed && form.locale == locale)
        return form;

    form.locale = locale;
    form.probed = true;
    bool ok = false;
    form.minus = locale.toDouble(u"-12", &ok) == -12.0 && ok;
    form.decimal = 0;
    const QString decimalPoint = locale.decimalPoint();
    if (decimalPoint == u"," || decimalPoint == u".") {
        const char16_t separator = decimalPoint.front().unicode();
        const char16_t probe[] = {u'1', separator, u'2', u'5'};
        if (locale.toDouble(QStringView(probe, 4), &ok) == 1.25 && ok)
            form.decimal = separator;
    }
    return form;
}

// Reads -?digits(separator digits)? into `value`; false for every other text, which then goes
// the general way.
bool readSimpleForm(QStringView text, const SimpleForm &form, double &value)
{
    constexpr qsizetype longest = 40;
    if (text.isEmpty() || text.size() > longest)
        return false;

    char ascii[longest];
    qsizetype i = 0;
    if (text.front() == u'-') {
        if (!form.minus)
            return false;
        ascii[i++] = '-';
    }
    qsizetype wholeDigits = 0;
    qsizetype fractionDigits = 0;
    bool seenSeparator = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            ascii[i] = char(c);
            ++(seenSeparator ? fractionDigits : wholeDigits);
        } else if (c == form.decimal && c != 0 && !seenSeparator) {
            ascii[i] = '.';
            seenSeparator = true;
        } else {
            return false;
        }
    }
    if (wholeDigits == 0 || (seenSeparator && fractionDigits == 0))
        return false;

    const char *const end = ascii + text.size();
    const auto [last, error] = std::from_chars(ascii, end, value);
    return error == std::errc() && last == end;
}

} // namespace

std::optional<double> readNumber(QStringView text, const QLocale &locale)
{
    text = text.trimmed(); // QChar::isSpace covers the no-break space

    double simple = 0.0;
    if (readSimpleForm(text, simpleFormOf(locale), simple))
        return simple; // at most 40 characters: always finite

    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (ok)
        return std::isfinite(value) ? std::optional(value) : std::nullopt;

    const bool localeUsesPoint = locale.decimalPoint() == u".";
    return readPlain(text, localeUsesPoint ? QChar(u',') : QChar(u'.'));
}

} // namespace suma
