// The host's data resource library, "Zelkar_DataResource20.dll".
#pragma once

#include <zelkar/api.h>

#if defined(ZELKAR_DATARESOURCE_BUILDING)
#define ZELKAR_DATARESOURCE_API ZELKAR_EXPORT
#else
#define ZELKAR_DATARESOURCE_API ZELKAR_IMPORT
#endif

extern "C" {
// How the host names copies of drawing files made for a scenario: 0 no new
// name, 1 the scenario's name before the drawing-file name, any other value
// the scenario's name after it.
ZELKAR_DATARESOURCE_API int getScenarioTbNameType(void);
}
