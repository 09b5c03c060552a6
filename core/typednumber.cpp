#include "typednumber.h"

#include <algorithm> // min
#include <cstddef>   // size_t
#include <cstdint>   // int64_t

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

} // namespace suma::core
