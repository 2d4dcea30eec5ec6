// OLE automation dates, headless build.
#pragma once

#include <windows.h>

typedef double DOUBLE;
typedef double DATE;

// An automation date counts days since 30 December 1899 at midnight; its
// fraction is the time of day (for negative dates too: -1.25 is 29 December
// 1899, 6:00). The time is rounded to the nearest second. Dates from 1 January
// 100 to 31 December 9999 convert; others return FALSE.
WINBASEAPI INT WINAPI VariantTimeToSystemTime(DOUBLE vtime, LPSYSTEMTIME lpSystemTime);
// Milliseconds are ignored. Returns FALSE for an invalid or out-of-range date.
WINBASEAPI INT WINAPI SystemTimeToVariantTime(LPSYSTEMTIME lpSystemTime, DOUBLE* pvtime);
