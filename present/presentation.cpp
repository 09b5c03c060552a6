#include "presentation.h"

#include "numberreading.h"
#include "speller.h"

#include <algorithm> // copy, move_backward
#include <cmath>     // fabs, floor, fmod, isfinite, nearbyint
#include <span>
#include <string_view>

namespace suma {

namespace {

// The room beside the words for the sign, "minus ", and the money suffixes: " EURŲ" (6 bytes in
// UTF-8) and " 99 ct".
constexpr qsizetype suffixRoom = 22;

// The currency word after the words for the floor of `magnitude`, in their letter case.
QStringView currencyWord(const ResultSettings &settings, double magnitude)
{
    switch (settings.currency) {
    case Currency::Lt:
        return u" Lt";
    case Currency::Eur:
        return u" Eur";
    case Currency::EurNoun:
        break;
    }
    static constexpr QStringView nouns[2][3] = {{u" euras", u" eurai", u" eurų"},
                                                {u" EURAS", u" EURAI", u" EURŲ"}};
    // There are words, so the whole amount is 1 to 999,999,999; its last digits choose the form.
    const auto form = scaleForm(static_cast<qint32>(std::fmod(std::floor(magnitude), 1000.0)));
    return nouns[settings.allCapitals][qToUnderlying(form)];
}

void append(char16_t *&end, QStringView text)
{
    end = std::copy(text.utf16(), text.utf16() + text.size(), end);
}

// UTF-8 of the currency words and " ct", which are all below U+0800.
void append(char *&end, QStringView text)
{
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        Q_ASSERT(c < 0x800);
        if (c < 0x80) {
            *end++ = char(c);
        } else {
            *end++ = char(0xC0 | c >> 6);
            *end++ = char(0x80 | (c & 0x3F));
        }
    }
}

void capitalizeFirst(char16_t *text)
{
    *text = QChar::toUpper(*text);
}

// As QChar::toUpper of the first UTF-16 unit would, for a letter whose capital is as long in
// UTF-8, which every word the speller starts with is: an ASCII letter or 'š'.
void capitalizeFirst(char *text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        if (lead >= 'a' && lead <= 'z')
            text[0] = char(lead - 'a' + 'A');
        return;
    }
    Q_ASSERT(lead >= 0xC2 && lead < 0xE0);
    const char32_t upper = QChar::toUpper(char32_t(lead & 0x1F) << 6 | (text[1] & 0x3F));
    Q_ASSERT(upper >= 0x80 && upper < 0x800);
    text[0] = char(0xC0 | upper >> 6);
    text[1] = char(0x80 | (upper & 0x3F));
}

// The result text, in either encoding: `words`, between `begin` and `end`, are the speller's for
// the floor of the magnitude of `typed`, in capitals already if the settings ask for them, and
// room for the sign and the suffixes follows them. Writes in money mode the currency word (after
// words only) and the cents, and sets `cents`; then, for a negative number with anything to
// show, the word "minus" in front; then the capital first letter. Returns the new end.
template <typename Char>
Char *present(Char *begin, Char *end, const ResultSettings &settings, double typed,
              std::optional<qint32> &cents)
{
    const double magnitude = std::fabs(typed);
    if (settings.money) {
        const bool words = end > begin;
        if (words)
            append(end, currencyWord(settings, magnitude));
        cents = centsOf(typed);
        if (*cents > 0) {
            if (words)
                *end++ = Char(' ');
            if (*cents >= 10)
                *end++ = Char('0' + *cents / 10);
            *end++ = Char('0' + *cents % 10);
            append(end, u" ct");
        }
    }
    if (typed < 0 && end > begin) {
        const QStringView sign = settings.allCapitals ? u"MINUS " : u"minus ";
        std::move_backward(begin, end, end + sign.size());
        end += sign.size();
        Char *at = begin;
        append(at, sign);
    }
    if (!settings.allCapitals && settings.firstCapital && end > begin)
        capitalizeFirst(begin);
    return end;
}

} // namespace

qint32 centsOf(double typed)
{
    const double magnitude = std::fabs(typed);
    const double whole = std::floor(magnitude);
    // Most amounts are whole; and nothing that is not finite has cents.
    if (magnitude == whole || !std::isfinite(magnitude))
        return 0;
    const double f = (magnitude - whole) * 100.0;
    // The default floating-point environment rounds to nearest, ties to even: 12.5 gives 12.
    const auto n = static_cast<qint32>(std::nearbyint(f));
    return n % 100;
}

ResultText presentResult(QString words, const ResultSettings &settings, double typed)
{
    if (settings.allCapitals)
        words = std::move(words).toUpper();
    const qsizetype size = words.size();
    words.resize(size + suffixRoom);
    auto *const begin = reinterpret_cast<char16_t *>(words.data());
    ResultText result;
    words.truncate(present(begin, begin + size, settings, typed, result.cents) - begin);
    result.label = std::move(words);
    return result;
}

WholeAmount wholeAmountOf(std::optional<double> typed)
{
    if (!typed)
        return {0, Refusal::NotANumber};
    const double amount = std::floor(std::fabs(*typed));
    if (amount > Speller::largestAmount)
        return {amount, Refusal::TooLarge};
    return {amount, std::nullopt};
}

Conversion convertTyped(Speller &speller, QStringView typedText, const ResultSettings &settings,
                        const QLocale &locale)
{
    const std::optional<double> typed = readNumber(typedText, locale);
    const WholeAmount whole = wholeAmountOf(typed);
    if (whole.refusal)
        return {{}, whole.refusal};
    return {presentResult(speller.versk(whole.amount), settings, *typed), std::nullopt};
}

std::optional<Refusal> convertTypedUtf8(Speller &speller, QByteArrayView typedText,
                                        const ResultSettings &settings, const QLocale &locale,
                                        QByteArray &out)
{
    const std::optional<double> typed =
        readPlainDigits(std::string_view(typedText.data(), std::size_t(typedText.size())), locale);
    if (!typed) {
        // Every other text goes the general way.
        const Conversion done =
            convertTyped(speller, QString::fromUtf8(typedText), settings, locale);
        if (!done.refusal)
            out.append(done.result.label.toUtf8());
        return done.refusal;
    }
    const WholeAmount whole = wholeAmountOf(typed);
    if (whole.refusal)
        return whole.refusal;
    constexpr auto wordRoom = Speller::utf8Room;
    const qsizetype start = out.size();
    out.resize(start + qsizetype(wordRoom) + suffixRoom);
    char *const begin = out.data() + start;
    const qsizetype size = speller.verskUtf8(whole.amount, settings.allCapitals,
                                             std::span<char, wordRoom>(begin, wordRoom));
    std::optional<qint32> cents;
    out.truncate(present(begin, begin + size, settings, *typed, cents) - out.constData());
    return std::nullopt;
}

} // namespace suma
