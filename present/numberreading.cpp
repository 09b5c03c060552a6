#include "numberreading.h"

#include <QVarLengthArray>

#include <charconv> // from_chars
#include <cmath>    // isfinite, isinf
#include <cstdint>  // uint64_t
#include <string_view>
#include <system_error> // errc
#include <type_traits>  // make_unsigned_t

namespace suma {

namespace {

// Reads with `locale`: a finite number, or an infinity for a number with more digits than a
// double can hold (QLocale refuses it, but hands back the infinity of its sign). The words
// "inf" and "nan" are no numbers.
std::optional<double> numberOf(const QLocale &locale, QStringView text)
{
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (ok ? std::isfinite(value) : std::isinf(value))
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
        return numberOf(plainNumbers(), text);

    // A decimal comma: a '.' would be neither separator nor group here.
    if (text.contains(u'.'))
        return std::nullopt;
    QVarLengthArray<QChar, 64> swapped(text.begin(), text.end());
    for (QChar &c : swapped) {
        if (c == u',')
            c = u'.';
    }
    return numberOf(plainNumbers(), QStringView(swapped.data(), swapped.size()));
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

// Reads -?digits(separator digits)? into `value`, from UTF-16 or from bytes alike; false for every
// other text, which then goes the general way.
template <typename Char>
bool readSimpleForm(std::basic_string_view<Char> text, const SimpleForm &form, double &value)
{
    constexpr std::size_t longest = 40;
    if (text.empty() || text.size() > longest)
        return false;

    char ascii[longest];
    const std::size_t signs = text.front() == Char('-') ? 1 : 0;
    if (signs > 0) {
        if (!form.minus)
            return false;
        ascii[0] = '-';
    }
    constexpr std::size_t none = std::size_t(-1);
    std::size_t separator = none; // where the decimal separator is, if there is one
    std::uint64_t digits = 0;     // the digits as an integer (which wraps when there are many)
    for (std::size_t i = signs; i < text.size(); ++i) {
        const auto c = static_cast<std::make_unsigned_t<Char>>(text[i]);
        if (c >= '0' && c <= '9') {
            ascii[i] = char(c);
            digits = digits * 10 + (c - '0');
        } else if (c == form.decimal && c != 0 && separator == none) {
            ascii[i] = '.';
            separator = i;
        } else {
            return false;
        }
    }
    const bool seenSeparator = separator != none;
    const std::size_t wholeDigits = (seenSeparator ? separator : text.size()) - signs;
    if (wholeDigits == 0 || (seenSeparator && separator + 1 == text.size()))
        return false;

    // Up to 15 digits make an integer below 2^53, which a double holds exactly: the value that
    // from_chars would round to.
    if (!seenSeparator && wholeDigits <= 15) {
        value = signs > 0 ? -double(digits) : double(digits);
        return true;
    }

    const char *const end = ascii + text.size();
    const auto [last, error] = std::from_chars(ascii, end, value);
    return error == std::errc() && last == end;
}

} // namespace

std::optional<double> readNumber(QStringView text, const QLocale &locale)
{
    text = text.trimmed(); // QChar::isSpace covers the no-break space

    double simple = 0.0;
    const std::u16string_view utf16(reinterpret_cast<const char16_t *>(text.utf16()),
                                    std::size_t(text.size()));
    if (readSimpleForm(utf16, simpleFormOf(locale), simple))
        return simple; // at most 40 characters: always finite

    if (const std::optional<double> number = numberOf(locale, text))
        return number;

    const bool localeUsesPoint = locale.decimalPoint() == u".";
    return readPlain(text, localeUsesPoint ? QChar(u',') : QChar(u'.'));
}

std::optional<double> readPlainDigits(std::string_view text, const QLocale &locale)
{
    double value = 0.0;
    if (readSimpleForm(text, simpleFormOf(locale), value))
        return value;
    return std::nullopt;
}

} // namespace suma
