// Headless-only parts of the module functions of <winbase.h>.
#pragma once

#include <string>

#include <windef.h>

extern "C" {

// One message of a module's message table. The text ends with "\r\n", as
// message tables on the platform do, and may hold inserts (%1 ...).
struct VedrixMessageEntry {
    DWORD id;
    const char* text;
};

// A module has a message table for FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE)
// when it exports this C function: it returns the entries, ended by one whose
// text is null. The headless system's own table (FORMAT_MESSAGE_FROM_SYSTEM)
// is exported the same way by the platform library.
typedef const VedrixMessageEntry* (*VedrixMessageTableProc)();
#define VEDRIX_MESSAGE_TABLE_SYMBOL "VedrixMessageTable"
}

namespace vedrix::headless {

// The dynamic loader's message for the last failed LoadLibraryA,
// LoadLibraryExA or GetProcAddress of this thread ("" when the last call
// succeeded), e.g. which dependency was missing.
VEDRIX_WINAPI_VISIBLE std::string LastLoaderMessage();

}  // namespace vedrix::headless
