// The library the kernel tests load: built for each platform as that
// platform's kind of library, and copied under other names by the tests, so
// that each copy is a module of its own. It exports one function, which
// tells a copy's own code from the program's, and holds a message table of
// one text for FormatMessageA (a resource on Windows, the exported table on
// the headless platform).
#include <windows.h>

#if defined(_WIN32)
#define KERNEL_TEST_EXPORT extern "C" __declspec(dllexport)
#else
#include <vedrix/headless/modules.h>
#define KERNEL_TEST_EXPORT extern "C" VEDRIX_WINAPI_VISIBLE
#endif

// The library's own name, returned from its own code.
KERNEL_TEST_EXPORT const char* KernelTestLibraryName() {
    return "kernel test library";
}

#if !defined(_WIN32)
// The same text as the resource script's message table.
KERNEL_TEST_EXPORT const VedrixMessageEntry* VedrixMessageTable() {
    static const VedrixMessageEntry entries[] = {
        {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
        {0, nullptr},
    };
    return entries;
}
#endif
