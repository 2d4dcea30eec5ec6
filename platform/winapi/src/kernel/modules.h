// Module internals shared within the kernel area.
#pragma once

#include <vedrix/headless/modules.h>
#include <windef.h>

namespace vedrix::winapi::kernel {

// The message table that a module exports (VedrixMessageTable), or null.
// A null module is the running program. Leaves the last error alone.
const VedrixMessageEntry* ModuleMessageTable(HMODULE module);

}  // namespace vedrix::winapi::kernel
