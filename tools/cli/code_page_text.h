// The structure files' 8-bit texts are in the host's code page, Windows-1252
// (Western European); JSON texts are UTF-8. Every byte has one character and
// every such character one byte: the five bytes that the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters
// of the same number, as the platform's own conversion maps them.
#pragma once

#include <string>
#include <string_view>

namespace vedrix::cli {

// The UTF-8 form of an 8-bit text.
std::string codePageToUtf8(std::string_view text);

// The 8-bit form of a UTF-8 text (which must be valid, as a parsed JSON text
// is). False when a character has no byte in the code page; `refused` then
// holds that character's code point.
bool utf8ToCodePage(std::string_view utf8, std::string& text, char32_t& refused);

}  // namespace vedrix::cli
