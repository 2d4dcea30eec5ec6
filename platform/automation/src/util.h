// Small helpers shared by the automation sources.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vedrix::automation::detail {

// The text of a window (GetWindowTextA), any length.
std::string windowText(HWND hwnd);
// `text` in double quotes, cut after 40 characters.
std::string quoted(std::string_view text);
// A client point of `hwnd` in screen coordinates.
POINT toScreen(HWND hwnd, POINT client);
// Whether a client point lies in the client area.
bool inClient(HWND hwnd, POINT client);

}  // namespace vedrix::automation::detail
