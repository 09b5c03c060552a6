#pragma once

// The window's currency choice, kept between runs with QSettings: in the registry under the
// current user on Windows, in the user's configuration folder elsewhere
// (suma-zodziais/suma-zodziais.conf), as the one value "valiuta". That file is read and written
// only while it is a regular file of a few KiB, or a symbolic link to one (written through, so
// the link stays); whatever else stands there is no store, and is left as it is.

#include "presentation.h"

namespace suma {

// The stored choice; Lt when there is none, when the store cannot be read or is no store, or
// when it holds a value this program does not know. Never fails, never waits and never
// complains: the window must start.
[[nodiscard]] Currency storedCurrency();

// Stores the choice for the next start. A store that cannot be written, or is no store, is left
// as it is, without a word: the choice still holds for this run.
void storeCurrency(Currency currency);

} // namespace suma
