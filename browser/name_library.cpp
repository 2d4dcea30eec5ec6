// The names the host's name-lookup library gives drawing files.
#include "name_library.h"

#include <zelkar/utility_language.h>

namespace vedrix::browser {

namespace {

constexpr int kObjectNameSize = 72;

}  // namespace

CString objectNameOf(VedadaReadObjectName readObjectName, int number,
                     void (*reportMissing)(const char*), const char* errorPrefix) {
    char name[kObjectNameSize];
    std::memset(name, 0, sizeof name);
    if (readObjectName == nullptr) {
        reportMissing(VEDADA_READ_OBJECT_NAME);
    } else if (readObjectName(1, number, name) != 0) {
        std::printf("%serror from DLL %s in function %s\n", errorPrefix, VEDADA_LIBRARY_NAME,
                    VEDADA_READ_OBJECT_NAME);
        std::memset(name, 0, sizeof name);
    }
    name[sizeof name - 1] = '\0';
    AsciiTextToIso(name, name);
    CString text(name);
    text.Trim(' ');
    return text;
}

}  // namespace vedrix::browser
