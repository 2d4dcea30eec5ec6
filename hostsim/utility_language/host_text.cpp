// The host's owned texts and its text table (the configured one, or the
// table shipped beside the stand-ins).
#include <zelkar/utility_language.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/guard.h>
#include <vedrix/hostsim/host_texts.h>

#include <cstring>
#include <new>
#include <string>

using namespace vedrix::hostsim;

CZelString::CZelString() : m_pszText(nullptr) {}

CZelString::~CZelString() {
    delete[] m_pszText;
}

CZelString::CZelString(const CZelString& other) : m_pszText(nullptr) {
    assign(other, static_cast<unsigned int>(std::strlen(other)));
}

CZelString& CZelString::operator=(const CZelString& other) {
    if (this != &other) {
        assign(other, static_cast<unsigned int>(std::strlen(other)));
    }
    return *this;
}

CZelString::operator const char*() const {
    return m_pszText != nullptr ? m_pszText : "";
}

void CZelString::assign(const char* text, unsigned int maxLength) {
    const std::size_t length = text != nullptr ? strnlen(text, maxLength) : 0;
    char* copy = new (std::nothrow) char[length + 1];
    if (copy != nullptr) {
        std::memcpy(copy, text != nullptr ? text : "", length);
        copy[length] = '\0';
    }
    delete[] m_pszText;
    m_pszText = copy;
}

CTecString::CTecString() = default;

CTecString::~CTecString() = default;

void CTecString::GetVarlomText(unsigned int text, unsigned int part, unsigned int maxLength) {
    Guarded([&] {
        std::string found;
        if (!LookUpHostText(TextTablePath(CurrentHostConfig()), text, part, found)) {
            found.clear();
        }
        assign(found.c_str(), maxLength);
    });
}
