// The decimal text of a number, as a drawing-file entry's level name holds
// it. Written directly: formatting through a format string costs about fifty
// times as much, and confirming a structure names thousands of entries.
#pragma once

#include <vedrix/framework/cstring.h>

#include <charconv>

namespace vedrix::browser {

inline CString numberText(long long number) {
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits - 1, number);
    *written.ptr = '\0';
    return CString(digits);
}

}  // namespace vedrix::browser
