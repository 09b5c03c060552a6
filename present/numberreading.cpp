#include "numberreading.h"

#include <QVarLengthArray>

#include <algorithm> // min
#include <charconv>  // from_chars, to_chars
#include <cmath>     // isfinite, isinf
#include <cstdint>   // uint16_t
#include <string_view>
#include <system_error> // errc
#include <type_traits>  // make_unsigned_t

namespace suma {

namespace {

// The symbols a text that a locale has accepted as a number may hold, beside ASCII digits and
// signs; the defaults are the C locale's.
struct Symbols
{
    char16_t decimal = u'.';
    char16_t zero = u'0';
    char16_t minus = u'-';
    char16_t plus = u'+';
    char16_t exponential = u'e';
};

Symbols symbolsOf(const QLocale &locale)
{
    const auto single = [](const QString &symbol, char16_t otherwise) {
        return symbol.size() == 1 ? symbol.front().unicode() : otherwise;
    };
    return {single(locale.decimalPoint(), u'.'), single(locale.zeroDigit(), u'0'),
            single(locale.negativeSign(), u'-'), single(locale.positiveSign(), u'+'),
            single(locale.exponential(), u'e')};
}

// The exact value of a text that `value` was read from, by its digits. The reading and the value
// must agree to the last bit; if they did not, the text would hold a symbol this does not know,
// and its value is then taken from the shortest decimal form of `value` (which is the typed
// digits for any text of up to 15 of them).
TypedNumber exactly(QStringView text, const Symbols &symbols, double value)
{
    QVarLengthArray<char, 64> ascii;
    bool known = true;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c >= u'0' && c <= u'9')
            ascii.append(char(c));
        else if (c >= symbols.zero && c <= symbols.zero + 9)
            ascii.append(char('0' + (c - symbols.zero)));
        else if (c == symbols.decimal)
            ascii.append('.');
        else if (c == u'-' || c == u'\u2212' || c == symbols.minus)
            ascii.append('-');
        else if (c == u'+' || c == symbols.plus)
            ascii.append('+');
        else if (c == u'e' || c == u'E' || c == symbols.exponential)
            ascii.append('e');
        else if (!qc.isSpace() && !qc.isPunct())
            known = false; // anything else is a digit group's separator
    }
    const std::string_view digits(ascii.data(), std::size_t(ascii.size()));
    if (known) {
        if (const std::optional<TypedNumber> number = readDecimal(digits)) {
            // from_chars takes no '+' in front.
            const std::string_view unsigned_ = digits.substr(digits.front() == '+' ? 1 : 0);
            double check = 0.0;
            const auto read = std::from_chars(unsigned_.data(), unsigned_.data() + unsigned_.size(),
                                              check, std::chars_format::general);
            const bool agree = std::isinf(value) ? number->whole == TypedNumber::beyond
                                                 : read.ec == std::errc() && check == value;
            if (agree)
                return *number;
        }
    }
    Q_ASSERT_X(false, "suma::readNumber", "a number in symbols that are not known");
    if (std::isinf(value))
        return TypedNumber{value < 0, TypedNumber::beyond, 0, false};
    char shortest[32];
    const auto [end, error] = std::to_chars(shortest, shortest + sizeof shortest, value);
    Q_ASSERT(error == std::errc());
    return readDecimal(std::string_view(shortest, std::size_t(end - shortest))).value();
}

// Reads with `locale`, whose symbols are `symbols`: a finite number, or an infinity for a number
// with more digits than a double can hold (QLocale refuses it, but hands back the infinity of its
// sign). The words "inf" and "nan" are no numbers.
std::optional<TypedNumber> numberOf(const QLocale &locale, const Symbols &symbols, QStringView text)
{
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (ok ? std::isfinite(value) : std::isinf(value))
        return exactly(text, symbols, value);
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

std::optional<TypedNumber> readPlain(QStringView text, QChar decimalSeparator)
{
    if (decimalSeparator == u'.')
        return numberOf(plainNumbers(), Symbols(), text);

    // A decimal comma: a '.' would be neither separator nor group here.
    if (text.contains(u'.'))
        return std::nullopt;
    QVarLengthArray<QChar, 64> swapped(text.begin(), text.end());
    for (QChar &c : swapped) {
        if (c == u',')
            c = u'.';
    }
    return numberOf(plainNumbers(), Symbols(), QStringView(swapped.data(), swapped.size()));
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
    // The other of ',' and '.' when the locale refuses it in "1?25" and groups digits with
    // neither, so that a text with it is read the second way, as a plain number: '.' under
    // Lithuanian settings, none under English ones (where "1,234" is a group); else 0.
    char16_t other = 0;
    Symbols symbols; // the locale's, for reading its numbers exactly
};

const SimpleForm &simpleFormOf(const QLocale &locale)
{
    thread_local SimpleForm form;
    if (form.probed && form.locale == locale)
        return form;

    form.locale = locale;
    form.probed = true;
    form.symbols = symbolsOf(locale);
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
    form.other = 0;
    if (form.decimal != 0) {
        const char16_t other = form.decimal == u',' ? u'.' : u',';
        const char16_t probe[] = {u'1', other, u'2', u'5'};
        locale.toDouble(QStringView(probe, 4), &ok);
        const QString group = locale.groupSeparator();
        if (!ok && group != u"," && group != u".")
            form.other = other;
    }
    return form;
}

// Reads -?digits(separator digits)? into `number`, the separator the locale's or, where the locale
// refuses it, the other one, from UTF-16 or from bytes alike; false for every other text, which
// then goes the general way. At most 40 characters: the locale reads all
// of those (none is too large or too small for a double).
template <typename Char>
bool readSimpleForm(std::basic_string_view<Char> text, const SimpleForm &form, TypedNumber &number)
{
    constexpr std::size_t longest = 40;
    if (text.empty() || text.size() > longest)
        return false;

    number = {};
    std::size_t at = 0;
    if (text.front() == Char('-')) {
        if (!form.minus)
            return false;
        number.negative = true;
        ++at;
    }
    const std::size_t wholeStart = at;
    for (; at < text.size() && text[at] >= Char('0') && text[at] <= Char('9'); ++at)
        number.whole =
            std::min(number.whole * 10 + unsigned(text[at] - Char('0')), TypedNumber::beyond);
    if (at == wholeStart)
        return false;
    if (at == text.size())
        return true;

    const auto separator = static_cast<std::make_unsigned_t<Char>>(text[at]);
    if (separator == 0 || (separator != form.decimal && separator != form.other))
        return false;
    const std::size_t fractionStart = ++at;
    for (; at < text.size() && text[at] >= Char('0') && text[at] <= Char('9'); ++at) {
        const unsigned digit = unsigned(text[at] - Char('0'));
        const std::size_t place = at - fractionStart;
        if (place < 3) {
            static constexpr std::uint16_t weight[] = {100, 10, 1};
            number.thousandths = std::uint16_t(number.thousandths + digit * weight[place]);
        } else if (digit != 0) {
            number.moreDecimals = true;
        }
    }
    if (at == fractionStart || at != text.size())
        return false;
    if (number.whole == TypedNumber::beyond) // too large for its fraction to matter
        number = {number.negative, TypedNumber::beyond, 0, false};
    return true;
}

} // namespace

std::optional<TypedNumber> readNumber(QStringView text, const QLocale &locale)
{
    text = text.trimmed(); // QChar::isSpace covers the no-break space

    TypedNumber simple;
    const std::u16string_view utf16(reinterpret_cast<const char16_t *>(text.utf16()),
                                    std::size_t(text.size()));
    const SimpleForm &form = simpleFormOf(locale);
    if (readSimpleForm(utf16, form, simple))
        return simple;

    if (const std::optional<TypedNumber> number = numberOf(locale, form.symbols, text))
        return number;

    return readPlain(text, form.symbols.decimal == u'.' ? QChar(u',') : QChar(u'.'));
}

std::optional<TypedNumber> readPlainDigits(std::string_view text, const QLocale &locale)
{
    TypedNumber value;
    if (readSimpleForm(text, simpleFormOf(locale), value))
        return value;
    return std::nullopt;
}

} // namespace suma
