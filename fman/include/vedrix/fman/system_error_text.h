// The system's text for an error code, for diagnostics.
#pragma once

#include <windows.h>

// The size of the buffer GetSystemErrorText fills.
inline constexpr int kSystemErrorTextSize = 1024;

// The system's text for `code` without its line end ("Unknown error [<code>]"
// when the system has none), in one buffer of kSystemErrorTextSize bytes that
// each call overwrites. Network codes (2100 to 2999, 10000 to 11999) are also
// looked up in the network message module when it loads.
const char* GetSystemErrorText(DWORD code);
