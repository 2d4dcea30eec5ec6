// The host's name-lookup library as the browsers reach it: its functions by
// name, and the console line when one is missing.
#pragma once

#include <windows.h>
#include <zelkar/vedada.h>

#include <cstdio>

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

inline void reportMissingFunction(const char* name) {
    std::printf("Function: <%s> in %s not found !\n", name, VEDADA_LIBRARY_NAME);
}

}  // namespace vedrix::browser
