#pragma once

#include "typednumber.h"

#include <QLocale>
#include <QStringView>

#include <optional>
#include <string_view>

namespace suma {

using core::readDecimal;
using core::TypedNumber;

// Reads a typed text as a number, or refuses it. This one function is both the numeric test and
// the conversion, so the test accepts exactly the texts that the conversion converts. Which texts
// are numbers is the locale's to say; the value is taken from the text's decimal digits exactly.
//
// White space at both ends (the no-break space included) is ignored. The text is read by
// `locale` first; a text the locale refuses is read once more as a plain number whose decimal
// separator is the other one of ',' and '.', without digit groups, so that 1234.56 pasted under
// Lithuanian settings and 1234,56 under English ones both work. A number with more digits than
// a double holds is a number all the same, far too large for any use; the words "inf" and "nan"
// are refused.
[[nodiscard]] std::optional<TypedNumber> readNumber(QStringView text, const QLocale &locale);

// readNumber's quick road, for text that arrives as bytes: the number when the text is nothing
// but ASCII digits, perhaps a leading minus and one decimal separator (`locale`'s, or the other
// of ',' and '.' where `locale` refuses it and groups with neither), read exactly as readNumber
// reads it; nothing for every other text, which readNumber then has to read.
[[nodiscard]] std::optional<TypedNumber> readPlainDigits(std::string_view text,
                                                         const QLocale &locale);

} // namespace suma
