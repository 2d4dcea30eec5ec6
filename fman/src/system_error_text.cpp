// System error texts for the diagnostics of the free-number search.
#include <vedrix/fman/system_error_text.h>

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

char g_systemErrorText[kSystemErrorTextSize];

// Codes whose texts the network message module holds.
bool IsNetworkCode(DWORD code) {
    return (code >= 2100 && code <= 2999) || (code >= 10000 && code <= 11999);
}

// Drops one trailing line feed and the carriage return before it.
void StripLineEnd(char* text) {
    std::size_t length = std::strlen(text);
    if (length > 0 && text[length - 1] == '\n') {
        text[--length] = '\0';
        if (length > 0 && text[length - 1] == '\r') {
            text[--length] = '\0';
        }
    }
}

}  // namespace

const char* GetSystemErrorText(DWORD code) {
    g_systemErrorText[0] = '\0';
    DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;
    HMODULE network = nullptr;
    if (IsNetworkCode(code)) {
        network = LoadLibraryExA("netmsg.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (network != nullptr) {
            flags |= FORMAT_MESSAGE_FROM_HMODULE;
        }
    }
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(flags, network, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                       reinterpret_cast<LPSTR>(&text), 0, nullptr);
    if (length != 0 && text != nullptr) {
        std::snprintf(g_systemErrorText, sizeof g_systemErrorText, "%s", text);
        StripLineEnd(g_systemErrorText);
    } else {
        std::snprintf(g_systemErrorText, sizeof g_systemErrorText, "Unknown error [%d]",
                      static_cast<int>(code));
    }
    if (text != nullptr) {
        LocalFree(text);
    }
    if (network != nullptr) {
        FreeLibrary(network);
    }
    return g_systemErrorText;
}
