// The drawing files of the simulated host's current unit: checks a reference
// against the configuration and names the file it refers to.
#pragma once

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/export.h>

#include <string>

namespace vedrix::hostsim {

// The path of drawing file `number` of `unit` in the current project. False
// (ZEL_TB_BAD_REFERENCE) when `unit` is not the configured unit or the number
// is out of 1 to ZEL_TB_NUMBER_MAX.
VEDRIX_HOSTSIM_API bool UnitDrawingFile(const HostConfig& config, int unit, int number,
                                        std::string& path);

}  // namespace vedrix::hostsim
