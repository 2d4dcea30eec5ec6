// The host's settings file, where the registry functions keep numbers: an
// INI-style text of numbered sections ("[1]") with "key=value" lines. Keys
// compare without regard to case; "#" and ";" lines are comments.
#pragma once

#include <vedrix/hostsim/export.h>

#include <string>

namespace vedrix::hostsim {

// The value of `key` in `section`. False when the file, the section or the
// key is missing, or the file cannot be read.
VEDRIX_HOSTSIM_API bool ReadSetting(const std::string& path, int section, const std::string& key,
                                    std::string& value);
// Sets the value, keeping every other line of the file. False when the file
// cannot be read or written.
VEDRIX_HOSTSIM_API bool WriteSetting(const std::string& path, int section, const std::string& key,
                                     const std::string& value);

}  // namespace vedrix::hostsim
