// Whole binary files written through the platform's file functions.
#pragma once

#include <vedrix/hostsim/export.h>

#include <string>
#include <string_view>

namespace vedrix::hostsim {

// Writes `bytes` as the whole file at `path`, replacing any file there the
// way the module saves its files (<vedrix/framework/file_save.h>).
VEDRIX_HOSTSIM_API bool WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace vedrix::hostsim
