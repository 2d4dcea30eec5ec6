// Decimal numbers in a piece of text, read by the rules of the structure
// files' number fields: white space before them (not the line's end), an
// optional sign, at least one digit; a signed number fits in 32 bits; an
// unsigned one is taken modulo 2^32 after a minus and must not exceed 32 bits.
#pragma once

#include <cstdint>

namespace vedrix::model {

inline bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

// Reads a number from [p, end); on success `p` stands after its last digit.
// On failure nothing is known about `p`.
inline bool parseMagnitude(const char*& p, const char* end, std::uint64_t limit, bool& negative,
                           std::uint64_t& magnitude) {
    while (p < end && isBlank(*p)) {
        ++p;
    }
    negative = false;
    if (p < end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    if (p == end || static_cast<unsigned char>(*p - '0') > 9) {
        return false;
    }
    // Up to 19 digits cannot overflow 64 bits, so the limit is checked once.
    const char* const first = p;
    std::uint64_t value = 0;
    while (p < end && static_cast<unsigned char>(*p - '0') <= 9) {
        value = value * 10 + static_cast<unsigned char>(*p - '0');
        ++p;
        if (p - first > 19) {
            return false;
        }
    }
    if (value > limit) {
        return false;
    }
    magnitude = value;
    return true;
}

inline bool parseInt(const char*& p, const char* end, int& value) {
    bool negative = false;
    std::uint64_t magnitude = 0;
    // The limit allows 2^31 for a negative number; a positive one is checked below.
    if (!parseMagnitude(p, end, 2147483648ULL, negative, magnitude) ||
        (!negative && magnitude > 2147483647ULL)) {
        return false;
    }
    value = negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude))
                     : static_cast<int>(magnitude);
    return true;
}

inline bool parseUnsigned(const char*& p, const char* end, unsigned long& value) {
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!parseMagnitude(p, end, 0xFFFFFFFFULL, negative, magnitude)) {
        return false;
    }
    const auto bits = static_cast<std::uint32_t>(magnitude);
    value = negative ? static_cast<std::uint32_t>(0u - bits) : bits;
    return true;
}

}  // namespace vedrix::model
