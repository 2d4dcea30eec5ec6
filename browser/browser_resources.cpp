#include "browser_resources.h"

namespace vedrix::browser {

CString loadedText(UINT textId) {
    CString text;
    text.LoadString(textId);
    return text;
}

CString textWithArgument(UINT textId, const CString& argument) {
    CString pattern;
    pattern.LoadString(textId);
    CString result;
    bool substituted = false;
    for (int i = 0; i < pattern.GetLength(); ++i) {
        const char c = pattern[i];
        const char next = i + 1 < pattern.GetLength() ? pattern[i + 1] : '\0';
        if (c == '%' && next == '%') {
            result += '%';
            ++i;
        } else if (c == '%' && next == 's' && !substituted) {
            result += argument;
            substituted = true;
            ++i;
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace vedrix::browser
