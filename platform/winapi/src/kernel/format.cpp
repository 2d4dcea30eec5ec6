#include "kernel/format.h"

#include <cwchar>

namespace vedrix::winapi::kernel {
namespace {

enum class Length { Default, Short, Long, Int64 };

struct Conversion {
    bool left = false;
    bool zero = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;
    Length length = Length::Default;
    bool wideString = false;
    bool narrowString = false;
};

void Pad(std::string& out, const std::string& body, const Conversion& conv, char fill) {
    const int padding = conv.width - static_cast<int>(body.size());
    if (padding <= 0) {
        out += body;
    } else if (conv.left) {
        out += body;
        out.append(static_cast<size_t>(padding), ' ');
    } else {
        out.append(static_cast<size_t>(padding), fill);
        out += body;
    }
}

std::string Digits(std::uint64_t value, unsigned base, bool upper) {
    const char* const digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % base]);
        value /= base;
    } while (value != 0);
    return text;
}

void FormatInteger(std::string& out, const Conversion& conv, char type, FormatArguments& args) {
    const bool isSigned = type == 'd' || type == 'i';
    std::uint64_t magnitude = 0;
    bool negative = false;
    if (conv.length == Length::Int64) {
        const std::int64_t value = args.NextInt64();
        negative = isSigned && value < 0;
        magnitude =
            negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    } else {
        std::int32_t value = args.NextInt32();
        if (conv.length == Length::Short) {
            value = isSigned ? static_cast<std::int16_t>(value) : static_cast<std::uint16_t>(value);
        }
        negative = isSigned && value < 0;
        const std::uint32_t bits = static_cast<std::uint32_t>(value);
        magnitude = negative ? 0u - bits : bits;
    }
    const bool hex = type == 'x' || type == 'X';
    std::string digits = (conv.precision == 0 && magnitude == 0)
                             ? ""
                             : Digits(magnitude, hex ? 16 : 10, type == 'X');
    if (conv.precision > static_cast<int>(digits.size())) {
        digits.insert(0, static_cast<size_t>(conv.precision) - digits.size(), '0');
    }
    std::string prefix;
    if (negative) {
        prefix = "-";
    } else if (hex && conv.alternate && magnitude != 0) {
        prefix = type == 'X' ? "0X" : "0x";
    }
    if (conv.zero && !conv.left && conv.precision < 0) {
        const int padding = conv.width - static_cast<int>(prefix.size() + digits.size());
        if (padding > 0) {
            digits.insert(0, static_cast<size_t>(padding), '0');
        }
    }
    Pad(out, prefix + digits, conv, ' ');
}

void FormatString(std::string& out, const Conversion& conv, bool wide, FormatArguments& args) {
    const void* pointer = args.NextPointer();
    std::string text;
    if (pointer == nullptr) {
        text = "(null)";
    } else if (wide) {
        for (const wchar_t* w = static_cast<const wchar_t*>(pointer); *w != L'\0'; ++w) {
            text.push_back(static_cast<unsigned>(*w) < 256 ? static_cast<char>(*w) : '?');
            if (conv.precision >= 0 && static_cast<int>(text.size()) >= conv.precision) {
                break;
            }
        }
    } else {
        const char* s = static_cast<const char*>(pointer);
        for (size_t i = 0; s[i] != '\0'; ++i) {
            if (conv.precision >= 0 && static_cast<int>(i) >= conv.precision) {
                break;
            }
            text.push_back(s[i]);
        }
    }
    Pad(out, text, conv, conv.zero ? '0' : ' ');
}

}  // namespace

size_t FormatConversion(const char* conv, const char* convEnd, FormatArguments& args,
                        std::string& out) {
    Conversion parsed;
    const char* p = conv;
    for (; p < convEnd; ++p) {
        if (*p == '-') {
            parsed.left = true;
        } else if (*p == '0') {
            parsed.zero = true;
        } else if (*p == '#') {
            parsed.alternate = true;
        } else {
            break;
        }
    }
    if (p < convEnd && *p == '*') {
        parsed.width = args.NextInt32();
        if (parsed.width < 0) {
            parsed.left = true;
            parsed.width = -parsed.width;
        }
        ++p;
    } else {
        while (p < convEnd && *p >= '0' && *p <= '9') {
            parsed.width = parsed.width * 10 + (*p - '0');
            if (parsed.width > 4096) {
                parsed.width = 4096;
            }
            ++p;
        }
    }
    if (p < convEnd && *p == '.') {
        ++p;
        parsed.precision = 0;
        if (p < convEnd && *p == '*') {
            parsed.precision = args.NextInt32();
            ++p;
        } else {
            while (p < convEnd && *p >= '0' && *p <= '9') {
                parsed.precision = parsed.precision * 10 + (*p - '0');
                if (parsed.precision > 4096) {
                    parsed.precision = 4096;
                }
                ++p;
            }
        }
    }
    if (p < convEnd) {
        if (*p == 'l') {
            parsed.length = Length::Long;
            parsed.wideString = true;
            ++p;
        } else if (*p == 'h') {
            parsed.length = Length::Short;
            parsed.narrowString = true;
            ++p;
        } else if (*p == 'w') {
            parsed.wideString = true;
            ++p;
        } else if (convEnd - p >= 3 && p[0] == 'I' && p[1] == '6' && p[2] == '4') {
            parsed.length = Length::Int64;
            p += 3;
        } else if (convEnd - p >= 3 && p[0] == 'I' && p[1] == '3' && p[2] == '2') {
            parsed.length = Length::Long;
            p += 3;
        }
    }
    if (p >= convEnd) {
        return 0;
    }
    const char type = *p++;
    switch (type) {
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X':
            FormatInteger(out, parsed, type, args);
            break;
        case 'c':
        case 'C': {
            const std::int32_t value = args.NextInt32();
            const bool wide = type == 'C' ? !parsed.narrowString : parsed.wideString;
            char c = static_cast<char>(value);
            if (wide && static_cast<std::uint32_t>(value) >= 256) {
                c = '?';
            }
            Pad(out, std::string(1, c), parsed, ' ');
            break;
        }
        case 's':
        case 'S': {
            const bool wide = type == 'S' ? !parsed.narrowString : parsed.wideString;
            FormatString(out, parsed, wide, args);
            break;
        }
        case 'p': {
            // As the platform: the address in upper-case hexadecimal, all digits.
            const auto value = reinterpret_cast<std::uintptr_t>(args.NextPointer());
            std::string digits = Digits(value, 16, true);
            digits.insert(0, sizeof(void*) * 2 - digits.size(), '0');
            Pad(out, digits, parsed, ' ');
            break;
        }
        default:
            // An unknown type is written as it stands.
            out.push_back(type);
            break;
    }
    return static_cast<size_t>(p - conv);
}

}  // namespace vedrix::winapi::kernel
