// The host's name-lookup library as the browsers reach it: its functions by
// name, the console line when one is missing, and the names it gives drawing
// files.
#pragma once

#include <windows.h>
#include <vedrix/framework/cstring.h>
#include <zelkar/vedada.h>

#include <cstdio>
#include <cstring>

namespace vedrix::browser {

// The function `name` of `library` as a `Function`; null without a library
// or when the library lacks it.
template <typename Function>
Function libraryFunction(HMODULE library, const char* name) {
    if (library == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(::GetProcAddress(library, name)));
}

// Hands `directory` (with its separator) to the name library's
// set_list_path through a 260-byte buffer; a directory that does not fit is
// not handed on cut short. False when the library lacks the function.
inline bool handOnProjectDirectory(HMODULE library, const char* directory) {
    constexpr std::size_t kPathBufferSize = 260;
    auto setListPath = libraryFunction<VedadaSetListPath>(library, VEDADA_SET_LIST_PATH);
    if (setListPath == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(directory);
    if (length < kPathBufferSize) {
        char path[kPathBufferSize];
        std::memcpy(path, directory, length + 1);
        setListPath(path);
    }
    return true;
}

inline void reportMissingFunction(const char* name) {
    std::printf("Function: <%s> in %s not found !\n", name, VEDADA_LIBRARY_NAME);
}

// The name that `readObjectName` gives the drawing file `number`, in the
// display character set and trimmed; empty when the lookup fails. Without
// the function, `reportMissing` says so on the console; a lookup that fails
// prints a line that `errorPrefix` opens.
CString objectNameOf(VedadaReadObjectName readObjectName, int number,
                     void (*reportMissing)(const char*), const char* errorPrefix);

}  // namespace vedrix::browser
