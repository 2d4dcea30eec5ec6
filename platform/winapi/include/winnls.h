// National language support, headless build: language and locale
// identifiers, and date and time formatting.
//
// The headless build has one locale, whatever identifier is passed: English
// month and day names, short date "dd.MM.yyyy", long date "dddd, d MMMM yyyy",
// time "HH:mm:ss", time markers "AM" and "PM".
#pragma once

#include <windef.h>

typedef DWORD LCID;
typedef WORD LANGID;
typedef DWORD LCTYPE;

struct _SYSTEMTIME;

#ifndef MAKELANGID
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid)&0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#define MAKELCID(lgid, srtid) ((DWORD)((((DWORD)((WORD)(srtid))) << 16) | ((DWORD)((WORD)(lgid)))))
#define LANGIDFROMLCID(lcid) ((WORD)(lcid))
#endif

#define LANG_NEUTRAL 0x00
#define LANG_INVARIANT 0x7f
#define LANG_ENGLISH 0x09
#define LANG_GERMAN 0x07
#define LANG_FRENCH 0x0c
#define LANG_ITALIAN 0x10
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SUBLANG_ENGLISH_US 0x01
#define SUBLANG_ENGLISH_UK 0x02
#define SUBLANG_GERMAN 0x01
#define SORT_DEFAULT 0x0

#define LANG_SYSTEM_DEFAULT (MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT))
#define LANG_USER_DEFAULT (MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT))
#define LOCALE_SYSTEM_DEFAULT (MAKELCID(LANG_SYSTEM_DEFAULT, SORT_DEFAULT))
#define LOCALE_USER_DEFAULT (MAKELCID(LANG_USER_DEFAULT, SORT_DEFAULT))
#define LOCALE_NEUTRAL (MAKELCID(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), SORT_DEFAULT))
#define LOCALE_INVARIANT (MAKELCID(MAKELANGID(LANG_INVARIANT, SUBLANG_NEUTRAL), SORT_DEFAULT))

#define LOCALE_NOUSEROVERRIDE 0x80000000
#define LOCALE_USE_CP_ACP 0x40000000

// GetDateFormatA flags.
#define DATE_SHORTDATE 0x00000001
#define DATE_LONGDATE 0x00000002
#define DATE_USE_ALT_CALENDAR 0x00000004
#define DATE_YEARMONTH 0x00000008
#define DATE_LTRREADING 0x00000010
#define DATE_RTLREADING 0x00000020

// GetTimeFormatA flags.
#define TIME_NOMINUTESORSECONDS 0x00000001
#define TIME_NOSECONDS 0x00000002
#define TIME_NOTIMEMARKER 0x00000004
#define TIME_FORCE24HOURFORMAT 0x00000008

#define CP_ACP 0
#define CP_OEMCP 1

// Formats a date (lpDate, or the current local date when null) with the
// picture lpFormat, or with the locale's short or long date when lpFormat is
// null. Pictures: d dd ddd dddd, M MM MMM MMMM, y yy yyyy, g gg, text in
// single quotes ('' for a quote). Returns the characters written including the
// terminating zero, or the size needed when cchDate is 0; 0 on failure.
WINBASEAPI int WINAPI GetDateFormatA(LCID Locale, DWORD dwFlags, const struct _SYSTEMTIME* lpDate,
                                     LPCSTR lpFormat, LPSTR lpDateStr, int cchDate);
// Formats a time (lpTime, or the current local time when null). Pictures:
// h hh (12-hour), H HH (24-hour), m mm, s ss, t tt (time marker), quoted text.
WINBASEAPI int WINAPI GetTimeFormatA(LCID Locale, DWORD dwFlags, const struct _SYSTEMTIME* lpTime,
                                     LPCSTR lpFormat, LPSTR lpTimeStr, int cchTime);

#define GetDateFormat GetDateFormatA
#define GetTimeFormat GetTimeFormatA
