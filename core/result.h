#pragma once

// The result rule: from a typed number to the finished text, with the currency, the cents, the
// sign and the letter case. Plain C++17, no Qt; no state between calls.

#include "typednumber.h"
#include "words.h"

#include <algorithm> // copy, move_backward
#include <cstddef>   // size_t
#include <cstdint>   // int32_t
#include <optional>
#include <string_view>

namespace suma::core {

// Why a typed text gets no words.
enum class Refusal { NotANumber, TooLarge };

// The message for a refusal, in UTF-8: "Turi būti skaičius", "Apsiribokime milijonais !".
[[nodiscard]] constexpr std::string_view messageOf(Refusal why)
{
    return why == Refusal::NotANumber ? "Turi būti skaičius" : "Apsiribokime milijonais !";
}

// The amount the words are written for, or why there are none: no number at all, or one whose
// whole amount is above 999,999,999 (of either sign). In money mode the magnitude of the typed
// number is rounded to whole cents, half to even, and only then split into the whole amount and
// the cents, so 7,999 is eight and 0,125 twelve cents; for a plain number the fraction is dropped.
struct WholeAmount
{
    double amount = 0;      // 0..999,999,999, as the window's speller takes it
    std::int32_t cents = 0; // 0..99; 0 for a plain number
    bool negative = false;  // the word "minus" leads: a negative number that is not zero as shown
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

// The settings by the numbers the faces outside C++ give them (the C interface's, which the
// Python module and the WebAssembly layer share): `currency` 0 Lt, 1 Eur, 2 the noun, 3 none (a
// plain number); `cents` 0 digits, 1 words; `letterCase` 0 first capital, 1 lower, 2 upper.
// Each in its range: the faces check what their callers give them.
[[nodiscard]] constexpr ResultSettings settingsByNumbers(int currency, int cents, int letterCase)
{
    ResultSettings settings;
    settings.money = currency != 3;
    settings.currency = currency == 1   ? Currency::Eur
                        : currency == 2 ? Currency::EurNoun
                                        : Currency::Lt;
    settings.centsForm = cents == 1 ? CentsForm::Words : CentsForm::Digits;
    settings.allCapitals = letterCase == 2;
    settings.firstCapital = letterCase == 0;
    return settings;
}

// The room beside an amount's words for the rest of its result: the sign, "minus ", or the word
// for zero; the currency, at most " EURŲ" (6 bytes in UTF-8); and the cents, " 99 ct" or in
// words at most " SEPTYNIASDEŠIMT SEPTYNI CENTŲ" (32 bytes).
inline constexpr std::size_t suffixRoom = 48;

// The longest result text, in bytes of UTF-8.
inline constexpr std::size_t longestResult = roomForWords<char>() + suffixRoom;

// Writes the whole result text for `typed` in UTF-8 to `out`, which has room for longestResult
// bytes, and returns its length; or returns the refusal and writes nothing.
struct Written
{
    std::size_t size = 0;
    std::optional<Refusal> refusal;
};
Written writeResult(const std::optional<TypedNumber> &typed, const ResultSettings &settings,
                    char *out);

namespace detail {

// `text`, UTF-8 below U+0800 as every word is, in the encoding of Char, in capitals when asked.
template <typename Char> void append(Char *&end, std::string_view text, bool capitals = false)
{
    if (sizeof(Char) == 1 && !capitals) {
        end = std::copy(text.begin(), text.end(), end);
        return;
    }
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = decodeUtf8(text, at);
        end += encode(capitals ? capitalOf(c) : c, end);
    }
}

// The first letter as a capital. Every result starts with a digit, an ASCII letter or 'š', whose
// capitals are as long as they are.
template <typename Char> void capitalizeFirst(Char *text)
{
    if constexpr (sizeof(Char) == 1) {
        std::size_t at = 0;
        const char32_t first = decodeUtf8(std::string_view(text, 2), at);
        encode(capitalOf(first), text);
    } else {
        *text = Char(capitalOf(*text));
    }
}

} // namespace detail

// The result text, in either encoding (UTF-8 or UTF-16): `words`, between `begin` and `end`, are
// the speller's for `amount`, in capitals already if the settings ask for them, and suffixRoom
// follows them; `centsWords` are the speller's for the cents when they are written in words, in
// the same letter case. Writes the word for zero (in money mode only when there are no cents
// either: 0,56 is "56 ct"), then in money mode the currency word (after words only) and the
// cents; then the word "minus" in front of a negative amount; then the capital first letter.
// Returns the new end.
template <typename Char>
Char *finishResult(Char *begin, Char *end, const ResultSettings &settings,
                   const WholeAmount &amount, std::basic_string_view<Char> centsWords)
{
    using detail::append;
    const bool capitals = settings.allCapitals;
    if (amount.amount == 0 && (!settings.money || amount.cents == 0))
        append(end, "nulis", capitals);
    if (settings.money) {
        const bool hasWords = end > begin;
        if (settings.currency == Currency::EurNoun && hasWords) {
            // The amount's last digits choose the noun's form: "nulis eurų", "vienas euras".
            const auto form = scaleForm(static_cast<std::int32_t>(amount.amount));
            append(end, words::euros[std::size_t(form)], capitals);
        } else if (hasWords) {
            append(end, settings.currency == Currency::Lt ? " Lt" : " Eur");
        }
        if (amount.cents > 0) {
            if (hasWords)
                *end++ = Char(' ');
            if (settings.centsForm == CentsForm::Words) {
                assert(!centsWords.empty());
                end = std::copy(centsWords.begin(), centsWords.end(), end);
                append(end, words::cents[std::size_t(scaleForm(amount.cents))], capitals);
            } else {
                if (amount.cents >= 10)
                    *end++ = Char('0' + amount.cents / 10);
                *end++ = Char('0' + amount.cents % 10);
                append(end, " ct");
            }
        }
    }
    if (amount.negative) {
        constexpr std::string_view sign = "minus ";
        std::move_backward(begin, end, end + sign.size());
        end += sign.size();
        Char *at = begin;
        append(at, sign, capitals);
    }
    if (!capitals && settings.firstCapital)
        detail::capitalizeFirst(begin);
    return end;
}

} // namespace suma::core
