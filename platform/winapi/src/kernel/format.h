// The platform's printf-style conversions, as wsprintfA and the inserts of
// FormatMessageA use them: "l" is 32 bits, "h" 16, "I64" 64; no floating point.
#pragma once

#include <cstdint>
#include <string>

namespace vedrix::winapi::kernel {

// Where the values of conversions come from.
class FormatArguments {
public:
    virtual ~FormatArguments() = default;
    virtual std::int32_t NextInt32() = 0;
    virtual std::int64_t NextInt64() = 0;
    virtual const void* NextPointer() = 0;
};

// Formats one conversion. conv points just after the "%" and ends at
// convEnd (exclusive); the conversion is the conversion's last character. Returns
// the number of characters of conv used (up to and including the type), or 0
// when the conv holds no type before convEnd.
size_t FormatConversion(const char* conv, const char* convEnd, FormatArguments& args,
                        std::string& out);

}  // namespace vedrix::winapi::kernel
