// The module's exported C functions, as the CAD host calls them. Every
// string is a zero-terminated 8-bit text in the host's code page.
#pragma once

#include <windows.h>

#if defined(_WIN32)
#if defined(VEDRIX_ENTRY_BUILDING)
#define VEDRIX_EXPORT extern "C" __declspec(dllexport)
#else
#define VEDRIX_EXPORT extern "C" __declspec(dllimport)
#endif
#else
#define VEDRIX_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// Arranges the building structure. IDOK or IDCANCEL from the dialog, -1 when
// it could not be created, 0 when a library could not be loaded.
VEDRIX_EXPORT int WINAPIV tb_list_browser(HWND parent, const char* language, const char* directory,
                                          const char* title, const char* structure,
                                          const char* helpFile);
// Chooses a building: the identifier of the chosen level, 0 for none.
VEDRIX_EXPORT int WINAPIV tb_selprj(HWND parent, const char* language, const char* directory,
                                    const char* title, const char* structure);
// Chooses a view: the dialog's result; `picked` (at least 100 bytes) holds
// "0", or the chosen view's identifier when the result is IDOK.
VEDRIX_EXPORT int WINAPIV tb_fman_ViewSelect(HWND parent, int unused2, const char* language,
                                             const char* directory, const char* title,
                                             const char* structure, int unused7, int mode,
                                             char* picked);
// The facility-management browser; `facility` is the host's facility
// library (may be null).
VEDRIX_EXPORT int WINAPIV tb_fman_browser(HWND parent, HMODULE facility, const char* language,
                                          const char* directory, const char* title,
                                          const char* structure, const char* helpFile);
// Always 1.
VEDRIX_EXPORT int WINAPIV tb_enableattrib();
// Stores the IFC switch; returns its previous value.
VEDRIX_EXPORT int WINAPIV tb_setIFCActive(int active);
