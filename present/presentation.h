#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <QtGlobal> // qint32

#include <optional>

namespace suma {

// Why a typed text gets no words: the window's messages, which zodziais gives as its reasons.
inline constexpr QStringView notANumberMessage = u"Turi būti skaičius";
inline constexpr QStringView tooLargeMessage = u"Apsiribokime milijonais !";

// How the result is written: the settings that the window keeps in its check boxes and option
// buttons, read at the moment of the conversion.
struct ResultSettings
{
    bool allCapitals = false;
    bool firstCapital = true; // no effect while allCapitals is set
    bool money = true;        // otherwise a plain number: no currency word, no cents
    QStringView currencyWord = u" Lt";
};

struct ResultText
{
    QString label;               // the text to show, without blanks at either end
    std::optional<qint32> cents; // 0..99 in money mode; nothing for a plain number
};

// The finished result text: `words` (as the speller wrote them for the whole amount) in the
// letter case of `settings`, and in money mode followed by the currency word (when there are
// words) and the cents of `typed`, the number as read from the typed text. The cents are
// (typed - floor(typed)) * 100, rounded half to even, modulo 100: they are measured from the
// floor, so -5.25 has 75 cents, and 7.999 has none rather than a hundred.
[[nodiscard]] ResultText presentResult(QString words, const ResultSettings &settings, double typed);

// The same for the typed text itself, read with `locale` only in money mode, where the cents need
// it. A text that is not a number has no cents.
[[nodiscard]] ResultText presentResult(QString words, const ResultSettings &settings,
                                       QStringView typedText, const QLocale &locale);

// The cents of a typed number as described above, 0..99; 0 for anything not finite.
[[nodiscard]] qint32 centsOf(double typed);

} // namespace suma
