// Blank-padded texts and the diagnostic print.
#include <zelkar/utility_general.h>

#include <vedrix/hostsim/text_lines.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

using namespace vedrix::hostsim;

char* TrimRight(char* text) {
    if (text == nullptr) {
        return text;
    }
    std::size_t length = std::strlen(text);
    while (length > 0 && text[length - 1] == ' ') {
        text[--length] = '\0';
    }
    return text;
}

void CopyAndAddEndingSpaces(char* dst, const char* src, int length) {
    if (dst == nullptr || length < 0) {
        return;
    }
    const std::size_t field = static_cast<std::size_t>(length);
    CopyPadded(dst, src != nullptr ? std::string_view(src, strnlen(src, field)) : "", field);
}

void lfperrC(const char* format, ...) {
    if (format == nullptr) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::fflush(stdout);
}
