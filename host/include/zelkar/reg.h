// The host's registry library, "Zelkar_Reg10.dll": where the host is set up.
#pragma once

#include <zelkar/api.h>

#if defined(ZELKAR_REG_BUILDING)
#define ZELKAR_REG_API ZELKAR_EXPORT
#else
#define ZELKAR_REG_API ZELKAR_IMPORT
#endif

// The host's setup directory of the given kind ("Program"), without a
// trailing "\", into `dir` (256 bytes). False, and `dir` untouched, when the
// host has none of that kind.
ZELKAR_REG_API bool ZSYST_ZelRegGetSetupPath(const char* kind, char* dir);

// The path of the host folder with the given tag ("ETC"), without a trailing
// "\"; null when the host has no such folder. The text belongs to the library
// and stays valid until the next call.
ZELKAR_REG_API const char* ZSYST_GetTectoraFolderByTag(const char* tag);
