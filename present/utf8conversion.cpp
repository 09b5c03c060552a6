#include "utf8conversion.h"

#include "numberreading.h"
#include "suma_zodziais.h"

#include <QString>

#include <cstddef> // size_t
#include <cstdint>

namespace suma {

static_assert(utf8ResultRoom == SZ_LONGEST_RESULT, "the library's room for any result");

namespace {

sz_options optionsOf(const core::ResultSettings &settings)
{
    sz_options options{};
    options.size = sizeof options;
    options.currency = !settings.money                                ? SZ_CURRENCY_NONE
                       : settings.currency == core::Currency::Eur     ? SZ_CURRENCY_EUR
                       : settings.currency == core::Currency::EurNoun ? SZ_CURRENCY_EUR_NOUN
                                                                      : SZ_CURRENCY_LT;
    options.cents = settings.centsForm == core::CentsForm::Words ? SZ_CENTS_WORDS : SZ_CENTS_DIGITS;
    options.letter_case = settings.allCapitals    ? SZ_CASE_UPPER
                          : settings.firstCapital ? SZ_CASE_FIRST
                                                  : SZ_CASE_LOWER;
    return options;
}

// The amount in whole cents, as the library takes it: in money mode rounded to the cent (half to
// even), otherwise the whole part alone, which is all a plain number's words say. Far above any
// amount still, when the whole part is (it is at most TypedNumber::beyond).
std::int64_t centsOf(const TypedNumber &number, bool money)
{
    const auto cents = std::int64_t(money ? number.roundedCents() : number.whole * 100);
    return number.negative ? -cents : cents;
}

} // namespace

Utf8Result convertTypedUtf8(QByteArrayView typedText, const core::ResultSettings &settings,
                            const QLocale &locale, char *out)
{
    std::optional<TypedNumber> typed =
        readPlainDigits(std::string_view(typedText.data(), std::size_t(typedText.size())), locale);
    if (!typed)
        typed = readNumber(QString::fromUtf8(typedText), locale);
    if (!typed)
        return {0, core::Refusal::NotANumber};

    const sz_options options = optionsOf(settings);
    std::size_t length = 0;
    // Room for the longest text, so the library writes it in place.
    switch (sz_spell_cents(centsOf(*typed, settings.money), &options, out, utf8ResultRoom,
                           &length)) {
    case SZ_OK:
        return {length, std::nullopt};
    case SZ_TOO_LARGE:
        return {0, core::Refusal::TooLarge};
    default:
        Q_ASSERT(false); // the options and the room are right, and cents are always a number
        return {0, core::Refusal::NotANumber};
    }
}

} // namespace suma
