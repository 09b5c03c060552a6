// Feeds arbitrary bytes to everything that reads what a user types: the convert rule (number
// reading, the words, the result text) in every mode and letter case, both for text and for the
// bytes of a line as zodziais converts them (in every currency), and the core's own reading of
// text, against the same amount in whole cents. (Every group's words are tst_speller's.) A broken
// promise aborts, so the fuzzer reports it like a crash.
//
// Input: one byte of switches, then the text. Bit 0 picks how the bytes become text (UTF-8, or
// raw UTF-16 so that lone surrogates get through); bits 1-3 pick money mode and the letter case;
// bit 4 picks the locale; bit 5 cents in words.
#include "numberreading.h"
#include "presentation.h"
#include "utf8conversion.h"
#include "speller.h"
#include "typednumber.h"

#include <QLocale>
#include <QString>

#include <array>
#include <cstddef> // size_t
#include <cstdint> // int64_t, uint8_t
#include <cstdio>  // fprintf
#include <cstdlib> // abort
#include <string_view>

namespace {

void require(bool promise, const char *what, const QString &text)
{
    if (promise)
        return;
    std::fprintf(stderr, "broken promise: %s\ntext: %s\n", what, qUtf8Printable(text));
    std::abort();
}

bool hasBlankAtAnEnd(const QString &text)
{
    return !text.isEmpty() && (text.front() == u' ' || text.back() == u' ');
}

const suma::Speller &speller()
{
    static const suma::Speller filled = [] {
        suma::Speller s;
        s.fillWordTables();
        return s;
    }();
    return filled;
}

QString textFrom(const std::uint8_t *data, std::size_t size, bool utf16)
{
    if (!utf16)
        return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(data[2 * i] | data[2 * i + 1] << 8));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t switches = data[0];
    const QString text = textFrom(data + 1, size - 1, switches & 1);

    suma::ResultSettings settings;
    settings.money = switches & 2;
    settings.allCapitals = switches & 4;
    settings.firstCapital = switches & 8;
    settings.centsForm = switches & 32 ? suma::CentsForm::Words : suma::CentsForm::Digits;
    static const QLocale lithuanian(QLocale::Lithuanian, QLocale::Lithuania);
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale &locale = switches & 16 ? english : lithuanian;

    // The core's own reading, as the library faces read text: an amount of whole cents gives
    // the same text whether it comes as its digits or as the number of cents.
    if (!(switches & 1)) {
        const auto number = suma::core::readAmountText(
            std::string_view(reinterpret_cast<const char *>(data + 1), size - 1));
        if (number && number->whole < 1'000'000'000'000 && number->thousandths % 10 == 0
            && !number->moreDecimals) {
            const auto cents = std::int64_t(number->whole * 100 + number->thousandths / 10);
            std::array<char, suma::core::longestResult> byText, byCents;
            const auto a = suma::core::writeResult(number, settings, byText.data());
            const auto b = suma::core::writeResult(
                suma::core::fromCents(number->negative ? -cents : cents), settings, byCents.data());
            require(a.refusal == b.refusal
                        && std::string_view(byText.data(), a.size)
                               == std::string_view(byCents.data(), b.size),
                    "digits and whole cents alike", text);
        }
    }

    // The text as zodziais sees it, and the window in steps.
    suma::Speller s = speller();
    const auto done = suma::convertTyped(s, text, settings, locale);
    const auto typed = suma::readNumber(text, locale);
    require(typed.has_value() == (done.refusal != suma::Refusal::NotANumber), "no number, refused",
            text);
    // Money is rounded to whole cents first: 999999999,995 is too large, 999999999,994 is not.
    const std::uint64_t whole = !typed           ? 0
                                : settings.money ? typed->roundedCents() / 100
                                                 : typed->whole;
    require(!typed || (whole > 999'999'999) == (done.refusal == suma::Refusal::TooLarge),
            "too large exactly above 999,999,999", text);
    const auto &result = done.result;

    // The same bytes as zodziais converts them: exactly the same result, in UTF-8, in every
    // currency.
    if (!(switches & 1)) {
        for (const auto currency :
             {suma::Currency::Lt, suma::Currency::Eur, suma::Currency::EurNoun}) {
            suma::ResultSettings each = settings;
            each.currency = currency;
            const auto expected = suma::convertTyped(s, text, each, locale);
            char out[suma::utf8ResultRoom];
            const auto done = suma::convertTypedUtf8(
                QByteArrayView(data + 1, qsizetype(size - 1)), each, locale, out);
            require(done.refusal == expected.refusal
                        && QByteArrayView(out, qsizetype(done.size))
                               == expected.result.label.toUtf8(),
                    "bytes converted as the text is", text);
        }
    }

    require(!hasBlankAtAnEnd(result.label) && !result.label.contains(QStringLiteral("  ")),
            "label: single blanks inside only", text);
    if (done.refusal) {
        require(result.label.isEmpty() && !result.cents, "a refusal has no result", text);
        return 0;
    }
    require(result.cents.has_value() == settings.money, "cents exactly in money mode", text);
    if (result.cents)
        require(*result.cents >= 0 && *result.cents <= 99, "cents 0..99", text);
    // Nothing accepted leaves the clipboard empty: zero is a word too, and never negative.
    require(!result.label.isEmpty(), "a text for every number", text);
    require(!result.label.contains(QStringLiteral("inus nulis"), Qt::CaseInsensitive),
            "no minus before zero", text);
    if (whole > 0 && !settings.allCapitals && !settings.firstCapital)
        require(result.label.at(0).isLower(), "words for every amount from 1", text);
    return 0;
}
