// The texts a person types for an attribute end up as fields of one line of
// the hierarchy file's attribute section, which separates its fields by TAB
// and its lines by line ends. A TAB or a line end inside a name or value
// would tear that line and everything read after it, so such characters
// become blanks before a text is taken.
#pragma once

#include <vedrix/framework/cstring.h>

namespace vedrix::browser {

// `text` with every TAB, carriage return and line feed replaced by a blank.
CString attributeFieldText(CString text);

}  // namespace vedrix::browser
