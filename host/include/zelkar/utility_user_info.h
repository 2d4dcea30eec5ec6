// The host's user-message library, "Zelkar_UtilityUserInfo10.dll".
#pragma once

#include <zelkar/api.h>

#if defined(ZELKAR_UTILITYUSERINFO_BUILDING)
#define ZELKAR_UTILITYUSERINFO_API ZELKAR_EXPORT
#else
#define ZELKAR_UTILITYUSERINFO_API ZELKAR_IMPORT
#endif

extern "C" {
// Shows host text `textNumber` to the user, with `text` (may be null) put in
// its place of "%s", or on a line of its own when the text has no "%s".
// Returns the answer of the message (IDOK).
ZELKAR_UTILITYUSERINFO_API int sendGuiMessage(int textNumber, const char* text);
// As sendGuiMessage, unless the user has asked not to see that message
// again: then nothing is shown and the result is 0.
ZELKAR_UTILITYUSERINFO_API int sendGuiMessageSuppress(int textNumber, const char* text);
}
