// Small text helpers of the host files: whole-number parsing that refuses
// anything but a number, blank trimming, splitting at one separator.
#pragma once

#include <vedrix/hostsim/export.h>

#include <string>
#include <string_view>
#include <vector>

namespace vedrix::hostsim {

// The whole text as a decimal int (leading and trailing blanks allowed).
// False, and `value` untouched, for anything else or a value out of range.
VEDRIX_HOSTSIM_API bool ParseInt(std::string_view text, int& value);
VEDRIX_HOSTSIM_API std::string TrimBlanks(std::string_view text);
VEDRIX_HOSTSIM_API std::string TrimTrailingBlanks(std::string_view text);
VEDRIX_HOSTSIM_API std::vector<std::string> Split(std::string_view text, char separator);
// The text with every tab, carriage return and line feed made a blank, so
// that it stays one field of one line.
VEDRIX_HOSTSIM_API std::string OneLineField(std::string_view text);
// Appends `text` to `out` as OneLineField gives it.
VEDRIX_HOSTSIM_API void AppendOneLineField(std::string& out, std::string_view text);
// Copies at most size - 1 bytes of `text` and a zero into `buffer`.
VEDRIX_HOSTSIM_API void CopyBounded(char* buffer, std::size_t size, std::string_view text);

// Writes `text` blank padded (or cut) to `length` characters and a zero
// into `buffer`, which holds `length` + 1 bytes.
VEDRIX_HOSTSIM_API void CopyPadded(char* buffer, std::string_view text, std::size_t length);

}  // namespace vedrix::hostsim
