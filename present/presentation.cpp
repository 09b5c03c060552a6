#include "presentation.h"

#include "numberreading.h"
#include "speller.h"

#include <string_view>

namespace suma {

QString messageOf(Refusal why)
{
    const std::string_view message = core::messageOf(why);
    return QString::fromUtf8(message.data(), qsizetype(message.size()));
}

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
    words.resize(size + qsizetype(core::suffixRoom));
    auto *const begin = reinterpret_cast<char16_t *>(words.data());
    const std::u16string_view cents(reinterpret_cast<const char16_t *>(centsWords.utf16()),
                                    std::size_t(centsWords.size()));
    words.truncate(core::finishResult(begin, begin + size, settings, amount, cents) - begin);
    ResultText result;
    result.label = std::move(words);
    if (settings.money)
        result.cents = amount.cents;
    return result;
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

} // namespace suma
