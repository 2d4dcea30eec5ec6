// Message cracker helpers of the platform API, headless build: the
// coordinate macros that the module uses.
#pragma once

#include <windows.h>

#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))

#define POINTSTOPOINT(pt, pts)         \
    {                                  \
        (pt).x = (LONG)(SHORT)(pts).x; \
        (pt).y = (LONG)(SHORT)(pts).y; \
    }
#define POINTTOPOINTS(pt) (MAKELONG((short)((pt).x), (short)((pt).y)))
