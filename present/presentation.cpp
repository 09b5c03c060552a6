#include "presentation.h"

#include "numberreading.h"
#include "speller.h"

#include <algorithm> // copy, move_backward
#include <array>
#include <cstdint> // uint64_t
#include <span>
#include <string_view>

namespace suma {

namespace {

// The room beside the words for the sign, "minus ", or the word for zero, and the money suffixes:
// " EURŲ" (6 bytes in UTF-8), and the cents, " 99 ct" or in words at most
// " SEPTYNIASDEŠIMT SEPTYNI CENTŲ" (32 bytes).
constexpr qsizetype suffixRoom = 48;

// The currency word after the words for the whole amount `amount`, in their letter case.
QStringView currencyWord(const ResultSettings &settings, double amount)
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
    // The amount's last digits choose the form: "nulis eurų", "vienas euras", "du eurai".
    const auto form = scaleForm(static_cast<qint32>(amount) % 1000);
    return nouns[settings.allCapitals][qToUnderlying(form)];
}

// The noun after cents in words, in the form their count calls for, in their letter case.
QStringView centsNoun(const ResultSettings &settings, qint32 cents)
{
    static constexpr QStringView nouns[2][3] = {{u" centas", u" centai", u" centų"},
                                                {u" CENTAS", u" CENTAI", u" CENTŲ"}};
    return nouns[settings.allCapitals][qToUnderlying(scaleForm(cents))];
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
// `amount`, in capitals already if the settings ask for them, and room for the sign and the
// suffixes follows them; `centsWords` are the speller's for the cents when they are written in
// words, in the same letter case. Writes the word for zero, then in money mode the currency word
// (after words only) and the cents, and sets `cents`; then the word "minus" in front of a
// negative amount; then the capital first letter. Returns the new end.
template <typename Char>
Char *present(Char *begin, Char *end, const ResultSettings &settings, const WholeAmount &amount,
              std::basic_string_view<Char> centsWords, std::optional<qint32> &cents)
{
    if (amount.amount == 0 && (!settings.money || amount.cents == 0))
        append(end, settings.allCapitals ? u"NULIS" : u"nulis");
    if (settings.money) {
        const bool words = end > begin;
        if (words)
            append(end, currencyWord(settings, amount.amount));
        cents = amount.cents;
        if (amount.cents > 0) {
            if (words)
                *end++ = Char(' ');
            if (settings.centsForm == CentsForm::Words) {
                Q_ASSERT(!centsWords.empty());
                end = std::copy(centsWords.begin(), centsWords.end(), end);
                append(end, centsNoun(settings, amount.cents));
            } else {
                if (amount.cents >= 10)
                    *end++ = Char('0' + amount.cents / 10);
                *end++ = Char('0' + amount.cents % 10);
                append(end, u" ct");
            }
        }
    }
    if (amount.negative) {
        const QStringView sign = settings.allCapitals ? u"MINUS " : u"minus ";
        std::move_backward(begin, end, end + sign.size());
        end += sign.size();
        Char *at = begin;
        append(at, sign);
    }
    if (!settings.allCapitals && settings.firstCapital)
        capitalizeFirst(begin);
    return end;
}

} // namespace

ResultText presentResult(QString words, const ResultSettings &settings, const WholeAmount &amount,
                         QStringView centsWords)
{
    QString centsInCase;
    if (settings.allCapitals) {
        words = std::move(words).toUpper();
        centsInCase = centsWords.toString().toUpper();
        centsWords = centsInCase;
    }
    const qsizetype size = words.size();
    words.resize(size + suffixRoom);
    auto *const begin = reinterpret_cast<char16_t *>(words.data());
    ResultText result;
    const std::u16string_view cents(reinterpret_cast<const char16_t *>(centsWords.utf16()),
                                    std::size_t(centsWords.size()));
    words.truncate(present(begin, begin + size, settings, amount, cents, result.cents) - begin);
    result.label = std::move(words);
    return result;
}

WholeAmount wholeAmountOf(const std::optional<TypedNumber> &typed, bool money)
{
    if (!typed)
        return {0, 0, false, Refusal::NotANumber};
    std::uint64_t whole = typed->whole;
    std::uint64_t cents = 0;
    if (money) {
        const std::uint64_t rounded = typed->roundedCents();
        whole = rounded / 100;
        cents = rounded % 100;
    }
    if (whole > std::uint64_t(Speller::largestAmount))
        return {0, 0, false, Refusal::TooLarge};
    return {double(whole), qint32(cents), typed->negative && (whole > 0 || cents > 0),
            std::nullopt};
}

Conversion convertTyped(Speller &speller, QStringView typedText, const ResultSettings &settings,
                        const QLocale &locale)
{
    const WholeAmount whole = wholeAmountOf(readNumber(typedText, locale), settings.money);
    if (whole.refusal)
        return {{}, whole.refusal};
    const QString words = speller.versk(whole.amount);
    const bool centsInWords = settings.centsForm == CentsForm::Words && whole.cents > 0;
    return {presentResult(words, settings, whole,
                          centsInWords ? speller.versk(whole.cents) : QString()),
            std::nullopt};
}

std::optional<Refusal> convertTypedUtf8(Speller &speller, QByteArrayView typedText,
                                        const ResultSettings &settings, const QLocale &locale,
                                        QByteArray &out)
{
    const std::optional<TypedNumber> typed =
        readPlainDigits(std::string_view(typedText.data(), std::size_t(typedText.size())), locale);
    if (!typed) {
        // Every other text goes the general way.
        const Conversion done =
            convertTyped(speller, QString::fromUtf8(typedText), settings, locale);
        if (!done.refusal)
            out.append(done.result.label.toUtf8());
        return done.refusal;
    }
    const WholeAmount whole = wholeAmountOf(typed, settings.money);
    if (whole.refusal)
        return whole.refusal;
    constexpr auto wordRoom = Speller::utf8Room;
    const qsizetype start = out.size();
    out.resize(start + qsizetype(wordRoom) + suffixRoom);
    char *const begin = out.data() + start;
    const qsizetype size = speller.verskUtf8(whole.amount, settings.allCapitals,
                                             std::span<char, wordRoom>(begin, wordRoom));
    // The cents' words, when they are asked for, are spelled after the amount's.
    std::array<char, wordRoom> centsRoom;
    std::string_view centsWords;
    if (settings.centsForm == CentsForm::Words && whole.cents > 0) {
        centsWords = std::string_view(
            centsRoom.data(),
            std::size_t(speller.verskUtf8(whole.cents, settings.allCapitals, centsRoom)));
    }
    std::optional<qint32> cents;
    out.truncate(present(begin, begin + size, settings, whole, centsWords, cents)
                 - out.constData());
    return std::nullopt;
}

} // namespace suma
