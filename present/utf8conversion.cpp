#include "utf8conversion.h"

#include "numberreading.h"
#include "suma_zodziais.h"

#include <QString>

#include <cstddef> // size_t
#include <cstdint>

namespace suma {

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

std::optional<core::Refusal> convertTypedUtf8(QByteArrayView typedText,
                                              const core::ResultSettings &settings,
                                              const QLocale &locale, QByteArray &out)
{
    std::optional<TypedNumber> typed =
        readPlainDigits(std::string_view(typedText.data(), std::size_t(typedText.size())), locale);
    if (!typed)
        typed = readNumber(QString::fromUtf8(typedText), locale);
    if (!typed)
        return core::Refusal::NotANumber;

    const sz_options options = optionsOf(settings);
    const qsizetype start = out.size();
    out.resize(start + SZ_LONGEST_RESULT);
    std::size_t length = 0;
    const sz_status status = sz_spell_cents(centsOf(*typed, settings.money), &options,
                                            out.data() + start, SZ_LONGEST_RESULT, &length);
    out.truncate(start + qsizetype(status == SZ_OK ? length : 0));
    switch (status) {
    case SZ_OK:
        return std::nullopt;
    case SZ_TOO_LARGE:
        return core::Refusal::TooLarge;
    default:
        Q_ASSERT(false); // the options and the room are right, and cents are always a number
        return core::Refusal::NotANumber;
    }
}

} // namespace suma
