#include <vedrix/model/zu_string.h>

#include <cstring>

namespace {
char* copyText(const char* text) {
    const std::size_t n = text != nullptr ? std::strlen(text) : 0;
    char* copy = new char[n + 1];
    if (n > 0) {
        std::memcpy(copy, text, n);
    }
    copy[n] = '\0';
    return copy;
}
}  // namespace

ZU_String::ZU_String(const char* text) : m_text(copyText(text)) {}

ZU_String::ZU_String(const ZU_String& other) : m_text(copyText(other.m_text)) {}

ZU_String& ZU_String::operator=(const ZU_String& other) {
    if (this != &other) {
        char* copy = copyText(other.m_text);
        delete[] m_text;
        m_text = copy;
    }
    return *this;
}

ZU_String::~ZU_String() {
    delete[] m_text;
}
