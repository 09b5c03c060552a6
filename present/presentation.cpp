#include "presentation.h"

#include "numberreading.h"
#include "speller.h"

#include <cmath> // floor, isfinite, nearbyint

namespace suma {

namespace {

constexpr QChar blank = u' ';

bool hasNonBlank(QStringView text)
{
    for (QChar c : text) {
        if (c != blank)
            return true;
    }
    return false;
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

} // namespace suma
