#pragma once

#include "result.h"

#include <QByteArrayView>
#include <QLocale>

#include <cstddef> // size_t
#include <optional>

namespace suma {

// The room convertTypedUtf8 writes in: the longest result text, and a byte after it.
inline constexpr std::size_t utf8ResultRoom = 512;

struct Utf8Result
{
    std::size_t size = 0; // of the text written, without the byte after it
    std::optional<core::Refusal> refusal;
};

// The convert rule for text that arrives and leaves as UTF-8 bytes, as zodziais reads its lines:
// reads `typedText` with `locale` as readNumber does (plain digits without ever becoming UTF-16),
// then has the shared library write the result text by `settings` through its C interface, at
// `out`, which has room for utf8ResultRoom bytes (and may hold anything past the text
// afterwards); or writes nothing and gives the refusal. The text is the window's for the same
// typed text (convertTyped), byte for byte.
[[nodiscard]] Utf8Result convertTypedUtf8(QByteArrayView typedText,
                                          const core::ResultSettings &settings,
                                          const QLocale &locale, char *out);

} // namespace suma
