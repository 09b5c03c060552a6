#include "typednumber.h"

#include <algorithm> // min
#include <cstddef>   // size_t
#include <cstdint>   // int64_t, uint64_t
#include <new>       // bad_alloc
#include <string>

namespace suma::core {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads an optional sign at `at`; true for '-'.
bool readSign(std::string_view text, std::size_t &at)
{
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        return text[at++] == '-';
    return false;
}

} // namespace

std::optional<TypedNumber> readDecimal(std::string_view text)
{
    std::size_t at = 0;
    TypedNumber number;
    number.negative = readSign(text, at);

    // The digits, and where the point is among them.
    const std::size_t first = at;
    std::size_t digits = 0;
    std::size_t wholeDigits = 0;
    bool point = false;
    for (; at < text.size(); ++at) {
        if (isDigit(text[at])) {
            ++digits;
        } else if (text[at] == '.' && !point) {
            point = true;
            wholeDigits = digits;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (!point)
        wholeDigits = digits;
    const std::size_t last = at;

    // The exponent, held within a range far wider than any count of digits a text has.
    constexpr std::int64_t exponentLimit = 1'000'000'000'000;
    std::int64_t exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        const bool negative = readSign(text, at);
        if (at == text.size() || !isDigit(text[at]))
            return std::nullopt;
        for (; at < text.size() && isDigit(text[at]); ++at)
            exponent = std::min(exponent * 10 + (text[at] - '0'), exponentLimit);
        if (negative)
            exponent = -exponent;
    }
    if (at != text.size())
        return std::nullopt;

    // Digit k (counted without the point) stands `k - pointAt` places after the point; the
    // places before it, 0 and below, make the whole part.
    const std::int64_t pointAt = std::int64_t(wholeDigits) + exponent;
    std::int64_t k = 0;
    for (std::size_t i = first; i < last; ++i) {
        if (text[i] == '.')
            continue;
        const unsigned digit = unsigned(text[i] - '0');
        const std::int64_t place = k++ - pointAt;
        if (place < 0) {
            number.whole = std::min(number.whole * 10 + digit, TypedNumber::beyond);
        } else if (place < 3) {
            static constexpr std::uint16_t weight[] = {100, 10, 1};
            number.thousandths = std::uint16_t(number.thousandths + digit * weight[place]);
        } else if (digit != 0) {
            number.moreDecimals = true;
        }
    }
    // An exponent that moves the point past the last digit appends zeros to the whole part.
    for (std::int64_t zeros = pointAt - k; zeros > 0 && number.whole != 0; --zeros) {
        number.whole = std::min(number.whole * 10, TypedNumber::beyond);
        if (number.whole == TypedNumber::beyond)
            break;
    }
    if (number.whole == TypedNumber::beyond) {
        // Too large for any use: nothing of its fraction matters.
        number.thousandths = 0;
        number.moreDecimals = false;
    }
    return number;
}

namespace {

// The length of the blank at `at` (a space, U+00A0, U+2009 or U+202F in UTF-8), or 0.
std::size_t blankAt(std::string_view text, std::size_t at)
{
    const std::string_view rest = text.substr(at);
    if (!rest.empty() && rest[0] == ' ')
        return 1;
    for (const std::string_view blank : {"\u00A0", "\u2009", "\u202F"}) {
        if (rest.substr(0, blank.size()) == blank)
            return blank.size();
    }
    return 0;
}

} // namespace

std::optional<TypedNumber> readAmountText(std::string_view text)
{
    while (const std::size_t n = blankAt(text, 0))
        text.remove_prefix(n);
    while (!text.empty()) {
        std::size_t last = text.size() - 1;
        while (last > 0 && (static_cast<unsigned char>(text[last]) & 0xC0) == 0x80)
            --last; // the first byte of the last character
        const std::size_t n = blankAt(text, last);
        if (n == 0 || last + n != text.size())
            break;
        text.remove_suffix(n);
    }

    // The same number in the ASCII that readDecimal reads: the minus sign as '-', the decimal
    // comma as '.', and no blanks between the digits.
    std::string ascii;
#if defined(__cpp_exceptions)
    try {
        ascii.reserve(text.size());
    } catch (const std::bad_alloc &) {
        return std::nullopt; // no memory to read a text this long: it is not read as a number
    }
#else
    // Built without exceptions (WebAssembly), the caller makes sure this room can be had.
    ascii.reserve(text.size());
#endif
    constexpr std::string_view minusSign = "\u2212";
    std::size_t at = 0;
    if (text.substr(0, minusSign.size()) == minusSign) {
        ascii += '-';
        at = minusSign.size();
    }
    while (at < text.size()) {
        const char c = text[at];
        if (const std::size_t n = blankAt(text, at)) {
            // Only between two digits: "1 234", never "1  234", "- 5" or "1 ,5".
            const bool betweenDigits = !ascii.empty() && isDigit(ascii.back())
                                       && at + n < text.size() && isDigit(text[at + n]);
            if (!betweenDigits)
                return std::nullopt;
            at += n;
            continue;
        }
        ascii += c == ',' ? '.' : c;
        ++at;
    }
    // readDecimal reads no ',' (one is now a '.') and nothing but ASCII: whatever else is left
    // makes no number.
    return readDecimal(ascii);
}

TypedNumber fromCents(std::int64_t cents)
{
    // The magnitude as unsigned, which holds that of the most negative number too.
    const std::uint64_t magnitude =
        cents < 0 ? std::uint64_t(0) - std::uint64_t(cents) : std::uint64_t(cents);
    TypedNumber number;
    number.negative = cents < 0;
    number.whole = std::min(magnitude / 100, TypedNumber::beyond);
    number.thousandths =
        number.whole == TypedNumber::beyond ? 0 : std::uint16_t(magnitude % 100 * 10);
    return number;
}

} // namespace suma::core
