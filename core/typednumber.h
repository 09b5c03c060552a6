#pragma once

// Plain C++: no Qt here, so that anything that reads amounts can use it.

#include <cstdint> // int64_t, uint16_t, uint64_t
#include <optional>
#include <string_view>

namespace suma::core {

// A typed number exactly as its decimal digits give it, never put through a binary double: 2,675
// is 2 and 675 thousandths, not 2.67499999... It keeps what an amount needs: the sign, the whole
// part and enough of the fraction to round it to whole cents.
struct TypedNumber
{
    // Whole parts from here up are all alike: far above any amount that is written out.
    static constexpr std::uint64_t beyond = 1'000'000'000'000'000;

    bool negative = false;
    std::uint64_t whole = 0;       // the magnitude's whole part, at most `beyond`
    std::uint16_t thousandths = 0; // its first three decimals, 0..999
    bool moreDecimals = false;     // a decimal other than 0 after those three

    // The magnitude in whole cents, rounded half to even: 0,125 is 12 cents, 0,375 is 38, and
    // 7,999 is 800.
    [[nodiscard]] constexpr std::uint64_t roundedCents() const
    {
        const std::uint64_t cents = whole * 100 + thousandths / 10;
        const unsigned next = thousandths % 10;
        const bool up = next > 5 || (next == 5 && (moreDecimals || cents % 2 == 1));
        return cents + (up ? 1 : 0);
    }
};

// Reads a number written in ASCII: an optional sign ('+' or '-'), digits with at most one '.'
// among them (at least one digit in all), then optionally 'e' or 'E', an optional sign and at
// least one digit. Nothing else: no blanks, no groups. Any number of digits, any exponent.
[[nodiscard]] std::optional<TypedNumber> readDecimal(std::string_view ascii);

// Reads an amount as people write it, in UTF-8, whatever the locale: an optional sign ('+', '-'
// or U+2212 '−'), digits in groups separated only by blanks (a space, a no-break space U+00A0,
// a thin space U+2009 or a narrow no-break space U+202F, one between two digits), at most one
// decimal separator (',' or '.'), then optionally 'e' or 'E', an optional sign and digits.
// Blanks at both ends are ignored: "1234,56", "1 234.56", "−0,5", "1e3", "1.5E-2".
[[nodiscard]] std::optional<TypedNumber> readAmountText(std::string_view utf8);

// An amount given in whole cents: 123456 is 1234,56.
[[nodiscard]] TypedNumber fromCents(std::int64_t cents);

} // namespace suma::core
