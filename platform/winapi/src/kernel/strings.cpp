// String functions of the base services, with the case rules of the 8-bit
// Western code page.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include <windows.h>

#include "kernel/format.h"
#include "kernel/paths.h"

namespace {

using vedrix::winapi::kernel::FoldLower;
using vedrix::winapi::kernel::FoldUpper;

// FoldLower of every byte, worked out once: a comparison that folds each
// character of both texts (lstrcmpiA sorts whole tree levels with it) looks
// the folding up instead of working it out again.
const unsigned char* lowerFolds() {
    static const auto table = [] {
        std::array<unsigned char, 256> folds{};
        for (int c = 0; c < 256; ++c) {
            folds[static_cast<std::size_t>(c)] = FoldLower(static_cast<unsigned char>(c));
        }
        return folds;
    }();
    return table.data();
}

// wsprintfA writes at most this many bytes, the terminating zero included.
constexpr size_t kWsprintfLimit = 1024;

class VaArguments : public vedrix::winapi::kernel::FormatArguments {
public:
    explicit VaArguments(va_list args) { va_copy(m_args, args); }
    ~VaArguments() override { va_end(m_args); }
    VaArguments(const VaArguments&) = delete;
    VaArguments& operator=(const VaArguments&) = delete;
    std::int32_t NextInt32() override { return va_arg(m_args, std::int32_t); }
    std::int64_t NextInt64() override { return va_arg(m_args, std::int64_t); }
    const void* NextPointer() override { return va_arg(m_args, const void*); }

private:
    va_list m_args;
};

bool IsSingleCharacter(LPSTR lpsz) {
    return (reinterpret_cast<std::uintptr_t>(lpsz) >> 16) == 0;
}

}  // namespace

int WINAPI lstrlenA(LPCSTR lpString) {
    return lpString != nullptr ? static_cast<int>(std::strlen(lpString)) : 0;
}

LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2) {
    if (lpString1 == nullptr || lpString2 == nullptr) {
        return nullptr;
    }
    std::memmove(lpString1, lpString2, std::strlen(lpString2) + 1);
    return lpString1;
}

LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
    if (lpString1 == nullptr || lpString2 == nullptr) {
        return nullptr;
    }
    if (iMaxLength <= 0) {
        return lpString1;
    }
    size_t count = 0;
    const size_t limit = static_cast<size_t>(iMaxLength) - 1;
    while (count < limit && lpString2[count] != '\0') {
        ++count;
    }
    std::memmove(lpString1, lpString2, count);
    lpString1[count] = '\0';
    return lpString1;
}

LPSTR WINAPI lstrcatA(LPSTR lpString1, LPCSTR lpString2) {
    if (lpString1 == nullptr || lpString2 == nullptr) {
        return nullptr;
    }
    std::memmove(lpString1 + std::strlen(lpString1), lpString2, std::strlen(lpString2) + 1);
    return lpString1;
}

int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(lpString1 ? lpString1 : "");
    const unsigned char* b = reinterpret_cast<const unsigned char*>(lpString2 ? lpString2 : "");
    const unsigned char* fold = lowerFolds();
    for (;; ++a, ++b) {
        const unsigned char ca = fold[*a];
        const unsigned char cb = fold[*b];
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        if (ca == '\0') {
            return 0;
        }
    }
}

int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) {
    const int folded = lstrcmpiA(lpString1, lpString2);
    if (folded != 0) {
        return folded;
    }
    // Equal but for case: the lower-case letter at the first difference
    // comes first.
    const unsigned char* a = reinterpret_cast<const unsigned char*>(lpString1 ? lpString1 : "");
    const unsigned char* b = reinterpret_cast<const unsigned char*>(lpString2 ? lpString2 : "");
    for (; *a != '\0'; ++a, ++b) {
        if (*a != *b) {
            return FoldLower(*a) == *a ? -1 : 1;
        }
    }
    return 0;
}

LPSTR WINAPI CharUpperA(LPSTR lpsz) {
    if (IsSingleCharacter(lpsz)) {
        const auto c = static_cast<unsigned char>(reinterpret_cast<std::uintptr_t>(lpsz) & 0xFF);
        return reinterpret_cast<LPSTR>(static_cast<std::uintptr_t>(FoldUpper(c)));
    }
    for (char* p = lpsz; *p != '\0'; ++p) {
        *p = static_cast<char>(FoldUpper(static_cast<unsigned char>(*p)));
    }
    return lpsz;
}

LPSTR WINAPI CharLowerA(LPSTR lpsz) {
    if (IsSingleCharacter(lpsz)) {
        const auto c = static_cast<unsigned char>(reinterpret_cast<std::uintptr_t>(lpsz) & 0xFF);
        return reinterpret_cast<LPSTR>(static_cast<std::uintptr_t>(FoldLower(c)));
    }
    for (char* p = lpsz; *p != '\0'; ++p) {
        *p = static_cast<char>(FoldLower(static_cast<unsigned char>(*p)));
    }
    return lpsz;
}

int WINAPI wvsprintfA(LPSTR lpOut, LPCSTR lpFmt, va_list arglist) {
    if (lpOut == nullptr || lpFmt == nullptr) {
        return -1;
    }
    VaArguments args(arglist);
    std::string out;
    const char* p = lpFmt;
    while (*p != '\0' && out.size() < kWsprintfLimit) {
        if (*p != '%') {
            out.push_back(*p++);
            continue;
        }
        if (p[1] == '%') {
            out.push_back('%');
            p += 2;
            continue;
        }
        const char* end = p + 1 + std::strlen(p + 1);
        const size_t used = vedrix::winapi::kernel::FormatConversion(p + 1, end, args, out);
        if (used == 0) {
            break;  // a conversion cut short by the end of the format
        }
        p += 1 + used;
    }
    if (out.size() > kWsprintfLimit - 1) {
        out.resize(kWsprintfLimit - 1);
    }
    std::memcpy(lpOut, out.c_str(), out.size() + 1);
    return static_cast<int>(out.size());
}

int WINAPIV wsprintfA(LPSTR lpOut, LPCSTR lpFmt, ...) {
    va_list args;
    va_start(args, lpFmt);
    const int result = wvsprintfA(lpOut, lpFmt, args);
    va_end(args);
    return result;
}

int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator) {
    if (nDenominator == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(nNumber) * nNumerator;
    std::int64_t quotient = product / nDenominator;
    const std::int64_t remainder = product % nDenominator;
    // Round halves away from zero.
    const std::int64_t absRemainder2 = (remainder < 0 ? -remainder : remainder) * 2;
    const std::int64_t absDenominator =
        nDenominator < 0 ? -static_cast<std::int64_t>(nDenominator) : nDenominator;
    if (absRemainder2 >= absDenominator) {
        quotient += ((product < 0) != (nDenominator < 0)) ? -1 : 1;
    }
    if (quotient > INT32_MAX || quotient < INT32_MIN) {
        return -1;
    }
    return static_cast<int>(quotient);
}
