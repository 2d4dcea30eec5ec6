// The process: environment, identifiers, debugger output.
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <windows.h>

#include "kernel/paths.h"

extern char** environ;

namespace {

// The value of a variable: the exact name first, then a name that differs
// only in case (names are case-insensitive on the platform).
const char* FindVariable(const char* name) {
    if (const char* value = std::getenv(name)) {
        return value;
    }
    const size_t length = std::strlen(name);
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const char* equals = std::strchr(*entry, '=');
        if (equals != nullptr && static_cast<size_t>(equals - *entry) == length &&
            vedrix::winapi::kernel::EqualsNoCase(std::string(*entry, length), name)) {
            return equals + 1;
        }
    }
    return nullptr;
}

}  // namespace

DWORD WINAPI GetEnvironmentVariableA(LPCSTR lpName, LPSTR lpBuffer, DWORD nSize) {
    if (lpName == nullptr || lpName[0] == '\0' || std::strchr(lpName, '=') != nullptr) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    const char* value = FindVariable(lpName);
    if (value == nullptr) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    const size_t length = std::strlen(value);
    if (lpBuffer == nullptr || nSize <= length) {
        return static_cast<DWORD>(length + 1);
    }
    std::memcpy(lpBuffer, value, length + 1);
    return static_cast<DWORD>(length);
}

BOOL WINAPI SetEnvironmentVariableA(LPCSTR lpName, LPCSTR lpValue) {
    if (lpName == nullptr || lpName[0] == '\0' || std::strchr(lpName, '=') != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int result = lpValue != nullptr ? setenv(lpName, lpValue, 1) : unsetenv(lpName);
    if (result != 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI GetCurrentProcessId(void) {
    return static_cast<DWORD>(getpid());
}

DWORD WINAPI GetCurrentThreadId(void) {
    return static_cast<DWORD>(syscall(SYS_gettid));
}

void WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
    if (lpOutputString != nullptr) {
        std::fputs(lpOutputString, stderr);
        std::fflush(stderr);
    }
}
