#pragma once

#include "result.h"

#include <QLocale>
#include <QString>
#include <QStringView>
#include <QtGlobal> // qint32

#include <optional>

namespace suma {

class Speller;

// The rule itself is the core's: why a text gets no words, the amount the words are written for
// (rounded to the cent in money mode, then split), and the settings of the result text.
using core::CentsForm;
using core::Currency;
using core::Refusal;
using core::ResultSettings;
using core::WholeAmount;
using core::wholeAmountOf;

// The window's message for a refusal, which zodziais gives as its reason.
[[nodiscard]] QString messageOf(Refusal why);

struct ResultText
{
    QString label;               // the text to show, without blanks at either end
    std::optional<qint32> cents; // 0..99 in money mode; nothing for a plain number
};

// The finished result text: `words`, as the speller wrote them for `amount` (see wholeAmountOf;
// lower case, no blanks at either end), in the letter case of `settings`, and in money mode
// followed by the currency word (when there are words) and the cents. Zero is the word "nulis"
// (in money mode when there are no cents either: 0,56 is "56 ct"). A negative amount starts with
// the word "minus": "Minus penki Lt 25 ct", "Minus 1 ct". The shared library writes the same
// text by the same rule (see convertTypedUtf8). Cents in words are `centsWords`, as the speller wrote
// them for the cents.
[[nodiscard]] ResultText presentResult(QString words, const ResultSettings &settings,
                                       const WholeAmount &amount, QStringView centsWords = {});

// The whole convert rule for one typed text: read it with `locale`, round it down, refuse it or
// spell it with `speller` and present it by `settings`. A refused text has an empty result.
struct Conversion
{
    ResultText result;
    std::optional<Refusal> refusal;
};
[[nodiscard]] Conversion convertTyped(Speller &speller, QStringView typedText,
                                      const ResultSettings &settings, const QLocale &locale);

} // namespace suma
