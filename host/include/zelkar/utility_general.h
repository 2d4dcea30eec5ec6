// The host's general utility library, "Zelkar_UtilityGeneral10.dll": numbers
// kept in the host's settings, blank-padded texts and the diagnostic print.
#pragma once

#include <zelkar/api.h>

#if defined(ZELKAR_UTILITYGENERAL_BUILDING)
#define ZELKAR_UTILITYGENERAL_API ZELKAR_EXPORT
#else
#define ZELKAR_UTILITYGENERAL_API ZELKAR_IMPORT
#endif

#if defined(__GNUC__)
#define ZELKAR_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define ZELKAR_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

extern "C" {
// The number stored under `key` in settings section `section` into `*value`.
// 0 when one is stored; non-zero (and `*value` untouched) when nothing is.
ZELKAR_UTILITYGENERAL_API int ZelRegGetNumber(int section, const char* key, int* value);
// Stores the number. 0 when stored, non-zero when the settings cannot be
// written.
ZELKAR_UTILITYGENERAL_API int ZelRegPutNumber(int section, const char* key, int value);

// Removes the blanks at the end of `text`, in place; returns `text`.
ZELKAR_UTILITYGENERAL_API char* TrimRight(char* text);
// Copies `src` into `dst` and fills it with blanks up to `length`
// characters; `dst` holds `length` + 1 bytes and ends with a zero. A longer
// `src` is cut at `length`.
ZELKAR_UTILITYGENERAL_API void CopyAndAddEndingSpaces(char* dst, const char* src, int length);

// The host's diagnostic print: printf to the console, flushed at once.
ZELKAR_UTILITYGENERAL_API void lfperrC(const char* format, ...) ZELKAR_PRINTF_FORMAT(1, 2);
}
