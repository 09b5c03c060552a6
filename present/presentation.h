#pragma once

#include "typednumber.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <QtGlobal> // qint32

#include <optional>

namespace suma {

class Speller;

// Why a typed text gets no words.
enum class Refusal { NotANumber, TooLarge };

// The window's message for a refusal, which zodziais gives as its reason.
[[nodiscard]] constexpr QStringView messageOf(Refusal why)
{
    return why == Refusal::NotANumber ? QStringView(u"Turi būti skaičius")
                                      : QStringView(u"Apsiribokime milijonais !");
}

// The amount the words are written for, or why there are none: no number at all, or one whose
// whole amount is above 999,999,999 (of either sign). In money mode the magnitude of the typed
// number is rounded to whole cents, half to even, and only then split into the whole amount and
// the cents, so 7,999 is eight and 0,125 twelve cents; for a plain number the fraction is dropped.
struct WholeAmount
{
    double amount = 0;     // 0..999,999,999, as the speller takes it
    qint32 cents = 0;      // 0..99; 0 for a plain number
    bool negative = false; // the word "minus" leads: a negative number that is not zero as shown
    std::optional<Refusal> refusal;
};
[[nodiscard]] WholeAmount wholeAmountOf(const std::optional<TypedNumber> &typed, bool money);

// The currency written after the words in money mode: " Lt" or " Eur", spelled so in every
// letter case, or the noun "euras" in the form the whole amount calls for, as a scale word after
// its count ("vienas euras", "du eurai", "dešimt eurų"), in capitals with capitals.
enum class Currency { Lt, Eur, EurNoun };

// How the cents are written in money mode: in digits followed by " ct" ("56 ct"), spelled so in
// every letter case; or in words followed by the noun "centas" in the form the cents call for,
// as a scale word after its count ("penkiasdešimt šeši centai", "dvidešimt vienas centas",
// "vienuolika centų"), in the words' letter case.
enum class CentsForm { Digits, Words };

// How the result is written: the settings that the window keeps in its check boxes and option
// buttons, read at the moment of the conversion.
struct ResultSettings
{
    bool allCapitals = false;
    bool firstCapital = true; // no effect while allCapitals is set
    bool money = true;        // otherwise a plain number: no currency word, no cents
    Currency currency = Currency::Lt;
    CentsForm centsForm = CentsForm::Digits;
};

struct ResultText
{
    QString label;               // the text to show, without blanks at either end
    std::optional<qint32> cents; // 0..99 in money mode; nothing for a plain number
};

// The finished result text: `words`, as the speller wrote them for `amount` (see wholeAmountOf;
// lower case, no blanks at either end), in the letter case of `settings`, and in money mode
// followed by the currency word (when there are words) and the cents. Zero is the word "nulis"
// (in money mode when there are no cents either: 0,56 is "56 ct"). A negative amount starts with
// the word "minus": "Minus penki Lt 25 ct", "Minus 1 ct". The bytes' way of convertTypedUtf8
// writes the same text by the same rule. Cents in words are `centsWords`, as the speller wrote
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

// The convert rule for text that arrives and leaves as UTF-8 bytes, as zodziais reads its lines:
// appends convertTyped's result text for `typedText`, in UTF-8, to `out`, or appends nothing and
// returns the refusal. Plain digits (see readPlainDigits) are read, spelled and presented without
// ever becoming UTF-16; any other text is decoded and goes through convertTyped.
std::optional<Refusal> convertTypedUtf8(Speller &speller, QByteArrayView typedText,
                                        const ResultSettings &settings, const QLocale &locale,
                                        QByteArray &out);

} // namespace suma
