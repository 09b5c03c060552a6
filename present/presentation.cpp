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
    // Plain digits never become UTF-16: the core writes their result as UTF-8, into `out`.
    const qsizetype start = out.size();
    out.resize(start + qsizetype(core::longestResult));
    const core::Written written = core::writeResult(typed, settings, out.data() + start);
    out.truncate(start + qsizetype(written.size));
    return written.refusal;
}

} // namespace suma
