// New identifiers for the levels and views that the browsers create.
#pragma once

#include <vedrix/framework/cstring.h>

namespace vedrix::browser {

// A new UUID in its string form; empty when none could be made or it does
// not fit an identifier text (at most 99 characters).
CString newUuidText();

}  // namespace vedrix::browser
