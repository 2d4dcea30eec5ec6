// Bounded copies into the model's fixed-size text fields.
#pragma once

#include <cstddef>
#include <cstring>

namespace vedrix::model {

// Copies at most size - 1 characters of `src` and always terminates `dst`;
// a size of 0 or less writes nothing, a null `src` gives an empty text.
inline void boundedCopy(char* dst, long long size, const char* src) {
    if (dst == nullptr || size <= 0) {
        return;
    }
    std::size_t n = 0;
    if (src != nullptr) {
        const std::size_t limit = static_cast<std::size_t>(size - 1);
        const void* end = std::memchr(src, '\0', limit);
        n = end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - src) : limit;
        std::memcpy(dst, src, n);
    }
    dst[n] = '\0';
}

}  // namespace vedrix::model
