// The host's text table: numbered texts in parts. One line per part: the
// text number, a tab, the part number, a tab, the text in the host's code
// page. Lines starting with "#" are comments.
#pragma once

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/export.h>

#include <string>

namespace vedrix::hostsim {

// The text table the host uses: the configured one, else the default table
// beside the stand-in libraries.
VEDRIX_HOSTSIM_API std::string TextTablePath(const HostConfig& config);
// Part `part` of text `number`. False when the table cannot be read or has
// no such text.
VEDRIX_HOSTSIM_API bool LookUpHostText(const std::string& tablePath, unsigned int number,
                                       unsigned int part, std::string& text);

}  // namespace vedrix::hostsim
