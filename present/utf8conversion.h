#pragma once

#include "result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>

#include <optional>

namespace suma {

// The convert rule for text that arrives and leaves as UTF-8 bytes, as zodziais reads its lines:
// reads `typedText` with `locale` as readNumber does (plain digits without ever becoming UTF-16),
// then has the shared library write the result text by `settings` through its C interface, and
// appends it to `out`; or appends nothing and returns the refusal. The text is the window's for
// the same typed text (convertTyped), byte for byte.
std::optional<core::Refusal> convertTypedUtf8(QByteArrayView typedText,
                                              const core::ResultSettings &settings,
                                              const QLocale &locale, QByteArray &out);

} // namespace suma
