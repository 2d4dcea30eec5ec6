// The number of a drawing file as its name ("tb001234.zdw") gives it, also
// at the start of a tree item's text ("tb001234.zdw  name").
#pragma once

#include <cstddef>

namespace vedrix::browser {

// Characters 2 to 7 of `text` (of `length` characters) read as atoi reads
// them once taken out: white space first, a sign, then the digits up to the
// first other character; 0 without digits. Written out, since every drawing
// file of a project passes here when a browser opens, and the library's
// conversion costs several times the rest of the work on the name.
inline int drawingFileNumberOf(const char* text, std::size_t length) {
    constexpr std::size_t kFirst = 2;
    constexpr std::size_t kEnd = 8;
    const std::size_t end = length < kEnd ? length : kEnd;
    std::size_t at = kFirst;
    while (at < end && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) {
        ++at;
    }
    bool negative = false;
    if (at < end && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    int value = 0;
    for (; at < end && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
    }
    return negative ? -value : value;
}

}  // namespace vedrix::browser
