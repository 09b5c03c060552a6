#include "presentation.h"

#include "numberreading.h"
#include "speller.h"

#include <algorithm> // any_of, copy, copy_n
#include <cmath>     // floor, isfinite, nearbyint
#include <span>
#include <string_view>

namespace suma {

namespace {

constexpr QChar blank = u' ';

template <typename Text> bool hasNonBlank(const Text &text)
{
    return std::any_of(text.begin(), text.end(), [](auto c) { return c != ' '; });
}

// Removes the blanks (and only the blank, not other white space) at both ends, in place.
void trimBlanks(QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == blank)
        --end;
    text.truncate(end);
    qsizetype first = 0;
    while (first < end && text.at(first) == blank)
        ++first;
    if (first > 0)
        text.remove(0, first);
}

// The speller's words are lower case already; telling so is much cheaper than QString's full
// case mapping of every character, which batch work would otherwise pay for each amount.
bool isLowerCase(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            if (c >= u'A' && c <= u'Z')
                return false;
        } else if (c.isSurrogate() || c.toLower() != c) {
            return false;
        }
    }
    return true;
}

void lowerCase(QString &text)
{
    if (!isLowerCase(text))
        text = std::move(text).toLower();
}

void applyLetterCase(QString &text, const ResultSettings &settings)
{
    if (settings.allCapitals) {
        text = std::move(text).toUpper();
    } else if (!settings.firstCapital) {
        lowerCase(text);
    } else if (!text.isEmpty()) {
        const QChar first = text.front();
        lowerCase(text);
        text.front() = first.toUpper();
    }
}

void appendCents(QString &text, qint32 cents)
{
    text += blank;
    if (cents >= 10)
        text += QChar(u'0' + cents / 10);
    text += QChar(u'0' + cents % 10);
    text += QLatin1StringView(" ct");
}

// Writes the first letter as a capital, as presentResult makes it: QChar::toUpper of the first
// UTF-16 unit. False when that would change the letter's length in UTF-8, which none of the
// speller's words ever asks for (they start with an ASCII letter or with 'š').
bool capitalizeFirstUtf8(char *text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        if (lead >= 'a' && lead <= 'z')
            text[0] = char(lead - 'a' + 'A');
        return true;
    }
    if (lead < 0xC2 || lead >= 0xE0)
        return false;
    const char32_t upper = QChar::toUpper(char32_t(lead & 0x1F) << 6 | (text[1] & 0x3F));
    if (upper < 0x80 || upper >= 0x800)
        return false;
    text[0] = char(0xC0 | upper >> 6);
    text[1] = char(0x80 | (upper & 0x3F));
    return true;
}

// What presentResult does to the speller's words, done to them as UTF-8 where they were spelled,
// between `begin` and `end`, with room for the money suffixes after them. The words come in their
// letter case already (capitals are spelled as capitals), so only a capital first letter is left
// to make, then the currency word, the cents and the trimming. Returns the new end, or nothing
// for what this does not do (a currency word beyond ASCII), which presentResult then has to do.
std::optional<char *> presentUtf8(char *begin, char *end, const ResultSettings &settings,
                                  const WholeAmount &whole, double typed)
{
    if (!settings.allCapitals && settings.firstCapital && end > begin
        && !capitalizeFirstUtf8(begin))
        return std::nullopt;
    if (settings.money) {
        if (hasNonBlank(std::string_view(begin, std::size_t(end - begin)))) {
            for (const QChar c : settings.currencyWord) {
                if (c.unicode() >= 0x80)
                    return std::nullopt;
                *end++ = char(c.unicode());
            }
        }
        // A whole number has no cents; most lines are one.
        const qint32 cents = typed == whole.amount ? 0 : centsOf(typed);
        if (cents > 0) {
            *end++ = ' ';
            if (cents >= 10)
                *end++ = char('0' + cents / 10);
            *end++ = char('0' + cents % 10);
            end = std::copy_n(" ct", 3, end);
        }
    }
    while (end > begin && end[-1] == ' ')
        --end;
    char *first = begin;
    while (first < end && *first == ' ')
        ++first;
    return first == begin ? end : std::copy(first, end, begin);
}

} // namespace

qint32 centsOf(double typed)
{
    if (!std::isfinite(typed))
        return 0;
    const double f = (typed - std::floor(typed)) * 100.0;
    // The default floating-point environment rounds to nearest, ties to even: 12.5 gives 12.
    const auto n = static_cast<qint32>(std::nearbyint(f));
    return n % 100;
}

ResultText presentResult(QString words, const ResultSettings &settings, double typed)
{
    ResultText result{std::move(words), std::nullopt};
    QString &text = result.label;
    applyLetterCase(text, settings);
    if (settings.money) {
        if (hasNonBlank(text))
            text += settings.currencyWord;
        const qint32 cents = centsOf(typed);
        result.cents = cents;
        if (cents > 0)
            appendCents(text, cents);
    }
    trimBlanks(text);
    return result;
}

WholeAmount wholeAmountOf(std::optional<double> typed)
{
    if (!typed)
        return {0, Refusal::NotANumber};
    const double amount = std::floor(*typed);
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
    const std::string_view bytes(typedText.data(), std::size_t(typedText.size()));
    if (const std::optional<double> typed = readPlainDigits(bytes, locale)) {
        const WholeAmount whole = wholeAmountOf(typed);
        if (whole.refusal)
            return whole.refusal;
        // Room for the words, the currency word and the cents; what is left over is cut off.
        constexpr auto wordRoom = Speller::utf8Room;
        const qsizetype start = out.size();
        out.resize(start + qsizetype(wordRoom) + settings.currencyWord.size() + 8);
        char *const begin = out.data() + start;
        char *const words = begin
                            + speller.verskUtf8(whole.amount, settings.allCapitals,
                                                std::span<char, wordRoom>(begin, wordRoom));
        if (const auto end = presentUtf8(begin, words, settings, whole, *typed)) {
            out.truncate(*end - out.constData());
            return std::nullopt;
        }
        out.truncate(start);
    }
    // Everything else, and what the bytes' way does not do, goes the general way.
    const Conversion done = convertTyped(speller, QString::fromUtf8(typedText), settings, locale);
    if (!done.refusal)
        out.append(done.result.label.toUtf8());
    return done.refusal;
}

} // namespace suma
