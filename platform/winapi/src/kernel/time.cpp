// Time: file times, system times, automation dates, and the date and time
// formatting of the headless locale.
#include <cmath>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <oleauto.h>
#include <windows.h>

#include "kernel/files.h"

namespace vedrix::winapi::kernel {
namespace {

constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kTicksPerDay = kTicksPerSecond * 86400;

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void CivilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

// 0 is Sunday, as in SYSTEMTIME. 1970-01-01 was a Thursday.
WORD DayOfWeek(std::int64_t daysSince1970) {
    std::int64_t weekday = (daysSince1970 + 4) % 7;
    if (weekday < 0) {
        weekday += 7;
    }
    return static_cast<WORD>(weekday);
}

bool IsLeapYear(unsigned year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned DaysInMonth(unsigned year, unsigned month) {
    static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool ValidDate(const SYSTEMTIME& time, unsigned minYear, unsigned maxYear) {
    return time.wYear >= minYear && time.wYear <= maxYear && time.wMonth >= 1 &&
           time.wMonth <= 12 && time.wDay >= 1 && time.wDay <= DaysInMonth(time.wYear, time.wMonth);
}

bool ValidTime(const SYSTEMTIME& time) {
    return time.wHour < 24 && time.wMinute < 60 && time.wSecond < 60 && time.wMilliseconds < 1000;
}

// Ticks since 1601 of a system time; the date must be valid.
std::uint64_t TicksOf(const SYSTEMTIME& time) {
    const std::int64_t days =
        DaysFromCivil(time.wYear, time.wMonth, time.wDay) - DaysFromCivil(1601, 1, 1);
    const std::int64_t seconds = time.wHour * 3600 + time.wMinute * 60 + time.wSecond;
    return static_cast<std::uint64_t>(days * kTicksPerDay + seconds * kTicksPerSecond +
                                      time.wMilliseconds * 10000);
}

SYSTEMTIME SystemTimeOfTicks(std::uint64_t ticks) {
    const std::int64_t days = static_cast<std::int64_t>(ticks / kTicksPerDay);
    std::int64_t rest = static_cast<std::int64_t>(ticks % kTicksPerDay);
    const std::int64_t since1970 = days + DaysFromCivil(1601, 1, 1);
    std::int64_t year = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(since1970, year, month, day);
    SYSTEMTIME time;
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wDayOfWeek = DayOfWeek(since1970);
    time.wHour = static_cast<WORD>(rest / (3600 * kTicksPerSecond));
    rest %= 3600 * kTicksPerSecond;
    time.wMinute = static_cast<WORD>(rest / (60 * kTicksPerSecond));
    rest %= 60 * kTicksPerSecond;
    time.wSecond = static_cast<WORD>(rest / kTicksPerSecond);
    rest %= kTicksPerSecond;
    time.wMilliseconds = static_cast<WORD>(rest / 10000);
    return time;
}

std::uint64_t NowTicks() {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return Ticks(FileTimeFromTimespec(now));
}

// The current offset of local time from UTC, in ticks.
std::int64_t LocalOffsetTicks() {
    const time_t now = std::time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    return static_cast<std::int64_t>(local.tm_gmtoff) * kTicksPerSecond;
}

// --- Pictures ---------------------------------------------------------------

struct Token {
    char letter = 0;  // 0: literal text
    int count = 0;
    std::string text;
};

std::vector<Token> Tokenize(const char* picture, const char* fieldLetters) {
    std::vector<Token> tokens;
    auto literal = [&tokens](const std::string& text) {
        if (!tokens.empty() && tokens.back().letter == 0) {
            tokens.back().text += text;
        } else {
            Token token;
            token.text = text;
            tokens.push_back(token);
        }
    };
    const char* p = picture;
    while (*p != '\0') {
        if (*p == '\'') {
            ++p;
            std::string text;
            if (*p == '\'') {
                text = "'";  // '' outside quotes is one quote
                ++p;
            } else {
                while (*p != '\0') {
                    if (*p == '\'') {
                        if (p[1] == '\'') {
                            text.push_back('\'');
                            p += 2;
                            continue;
                        }
                        ++p;
                        break;
                    }
                    text.push_back(*p++);
                }
            }
            literal(text);
        } else if (std::strchr(fieldLetters, *p) != nullptr) {
            Token token;
            token.letter = *p;
            while (*p == token.letter) {
                ++token.count;
                ++p;
            }
            tokens.push_back(token);
        } else {
            literal(std::string(1, *p++));
        }
    }
    return tokens;
}

const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
const char* const kMonthAbbreviations[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kDayAbbreviations[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

std::string Number(unsigned value, int digits) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits) {
        text.insert(0, static_cast<size_t>(digits) - text.size(), '0');
    }
    return text;
}

std::string ExpandDate(const std::vector<Token>& tokens, const SYSTEMTIME& date) {
    std::string out;
    for (const Token& token : tokens) {
        switch (token.letter) {
            case 'd':
                if (token.count == 1) {
                    out += Number(date.wDay, 1);
                } else if (token.count == 2) {
                    out += Number(date.wDay, 2);
                } else if (token.count == 3) {
                    out += kDayAbbreviations[date.wDayOfWeek];
                } else {
                    out += kDayNames[date.wDayOfWeek];
                }
                break;
            case 'M':
                if (token.count <= 2) {
                    out += Number(date.wMonth, token.count);
                } else if (token.count == 3) {
                    out += kMonthAbbreviations[date.wMonth - 1];
                } else {
                    out += kMonthNames[date.wMonth - 1];
                }
                break;
            case 'y':
                if (token.count <= 2) {
                    out += Number(date.wYear % 100, token.count);
                } else {
                    out += Number(date.wYear, 4);
                }
                break;
            case 'g':
                out += "A.D.";
                break;
            default:
                out += token.text;
                break;
        }
    }
    return out;
}

bool IsTimeField(char letter) {
    return letter == 'h' || letter == 'H' || letter == 'm' || letter == 's' || letter == 't';
}

// Drops the fields that the flags leave out, each with the text that joins it
// to the field before (or after, for a leading field).
std::vector<Token> ApplyTimeFlags(std::vector<Token> tokens, DWORD flags) {
    auto dropped = [flags](const Token& token) {
        if (token.letter == 'm') {
            return (flags & TIME_NOMINUTESORSECONDS) != 0;
        }
        if (token.letter == 's') {
            return (flags & (TIME_NOMINUTESORSECONDS | TIME_NOSECONDS)) != 0;
        }
        if (token.letter == 't') {
            return (flags & TIME_NOTIMEMARKER) != 0;
        }
        return false;
    };
    std::vector<Token> kept;
    bool skipNextLiteral = false;
    for (Token& token : tokens) {
        if (token.letter == 0) {
            if (!skipNextLiteral) {
                kept.push_back(token);
            }
            skipNextLiteral = false;
            continue;
        }
        skipNextLiteral = false;
        if (!dropped(token)) {
            if ((flags & TIME_FORCE24HOURFORMAT) != 0 && token.letter == 'h') {
                token.letter = 'H';
            }
            kept.push_back(token);
            continue;
        }
        bool fieldBefore = false;
        for (const Token& k : kept) {
            fieldBefore = fieldBefore || IsTimeField(k.letter);
        }
        if (fieldBefore) {
            while (!kept.empty() && kept.back().letter == 0) {
                kept.pop_back();
            }
        } else {
            skipNextLiteral = true;
        }
    }
    return kept;
}

std::string ExpandTime(const std::vector<Token>& tokens, const SYSTEMTIME& time) {
    std::string out;
    const unsigned hour12 = time.wHour % 12 == 0 ? 12 : time.wHour % 12;
    for (const Token& token : tokens) {
        const int digits = token.count >= 2 ? 2 : 1;
        switch (token.letter) {
            case 'h':
                out += Number(hour12, digits);
                break;
            case 'H':
                out += Number(time.wHour, digits);
                break;
            case 'm':
                out += Number(time.wMinute, digits);
                break;
            case 's':
                out += Number(time.wSecond, digits);
                break;
            case 't': {
                const std::string marker = time.wHour < 12 ? "AM" : "PM";
                out += token.count == 1 ? marker.substr(0, 1) : marker;
                break;
            }
            default:
                out += token.text;
                break;
        }
    }
    return out;
}

int ReturnFormatted(const std::string& text, LPSTR buffer, int size) {
    const int needed = static_cast<int>(text.size()) + 1;
    if (size == 0) {
        return needed;
    }
    if (size < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return needed;
}

}  // namespace
}  // namespace vedrix::winapi::kernel

using namespace vedrix::winapi::kernel;

void WINAPI GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime) {
    if (lpSystemTimeAsFileTime != nullptr) {
        *lpSystemTimeAsFileTime = FromTicks(NowTicks());
    }
}

void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime) {
    if (lpSystemTime != nullptr) {
        *lpSystemTime = SystemTimeOfTicks(NowTicks());
    }
}

void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime) {
    if (lpSystemTime != nullptr) {
        *lpSystemTime = SystemTimeOfTicks(
            static_cast<std::uint64_t>(static_cast<std::int64_t>(NowTicks()) + LocalOffsetTicks()));
    }
}

BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
    if (lpFileTime == nullptr || lpSystemTime == nullptr ||
        (lpFileTime->dwHighDateTime >> 31) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpSystemTime = SystemTimeOfTicks(Ticks(*lpFileTime));
    return TRUE;
}

BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
    if (lpSystemTime == nullptr || lpFileTime == nullptr ||
        !ValidDate(*lpSystemTime, 1601, 30827) || !ValidTime(*lpSystemTime)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpFileTime = FromTicks(TicksOf(*lpSystemTime));
    return TRUE;
}

BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime) {
    if (lpFileTime == nullptr || lpLocalFileTime == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::int64_t local = static_cast<std::int64_t>(Ticks(*lpFileTime)) + LocalOffsetTicks();
    if (local < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpLocalFileTime = FromTicks(static_cast<std::uint64_t>(local));
    return TRUE;
}

BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime) {
    if (lpFileTime == nullptr || lpLocalFileTime == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::int64_t utc =
        static_cast<std::int64_t>(Ticks(*lpLocalFileTime)) - LocalOffsetTicks();
    if (utc < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpFileTime = FromTicks(static_cast<std::uint64_t>(utc));
    return TRUE;
}

LONG WINAPI CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2) {
    if (lpFileTime1 == nullptr || lpFileTime2 == nullptr) {
        return 0;
    }
    const std::uint64_t a = Ticks(*lpFileTime1);
    const std::uint64_t b = Ticks(*lpFileTime2);
    return a < b ? -1 : (a > b ? 1 : 0);
}

INT WINAPI VariantTimeToSystemTime(DOUBLE vtime, LPSYSTEMTIME lpSystemTime) {
    // 1 January 100 and the first instant after 31 December 9999.
    if (lpSystemTime == nullptr || !(vtime >= -657434.0) || !(vtime < 2958466.0)) {
        return FALSE;
    }
    std::int64_t days = static_cast<std::int64_t>(std::trunc(vtime));
    const double fraction = std::fabs(vtime - static_cast<double>(days));
    std::int64_t seconds = std::llround(fraction * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    const std::int64_t since1970 = days + DaysFromCivil(1899, 12, 30);
    std::int64_t year = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(since1970, year, month, day);
    if (year > 9999) {
        return FALSE;
    }
    lpSystemTime->wYear = static_cast<WORD>(year);
    lpSystemTime->wMonth = static_cast<WORD>(month);
    lpSystemTime->wDay = static_cast<WORD>(day);
    lpSystemTime->wDayOfWeek = DayOfWeek(since1970);
    lpSystemTime->wHour = static_cast<WORD>(seconds / 3600);
    lpSystemTime->wMinute = static_cast<WORD>(seconds / 60 % 60);
    lpSystemTime->wSecond = static_cast<WORD>(seconds % 60);
    lpSystemTime->wMilliseconds = 0;
    return TRUE;
}

INT WINAPI SystemTimeToVariantTime(LPSYSTEMTIME lpSystemTime, DOUBLE* pvtime) {
    if (lpSystemTime == nullptr || pvtime == nullptr || !ValidDate(*lpSystemTime, 100, 9999) ||
        !ValidTime(*lpSystemTime)) {
        return FALSE;
    }
    const std::int64_t days =
        DaysFromCivil(lpSystemTime->wYear, lpSystemTime->wMonth, lpSystemTime->wDay) -
        DaysFromCivil(1899, 12, 30);
    const double fraction =
        (lpSystemTime->wHour * 3600.0 + lpSystemTime->wMinute * 60.0 + lpSystemTime->wSecond) /
        86400.0;
    *pvtime =
        days < 0 ? static_cast<double>(days) - fraction : static_cast<double>(days) + fraction;
    return TRUE;
}

int WINAPI GetDateFormatA(LCID, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat,
                          LPSTR lpDateStr, int cchDate) {
    if (cchDate < 0 || (lpDateStr == nullptr && cchDate != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const DWORD kinds = dwFlags & (DATE_SHORTDATE | DATE_LONGDATE | DATE_YEARMONTH);
    if ((lpFormat != nullptr && (kinds != 0 || (dwFlags & LOCALE_NOUSEROVERRIDE) != 0)) ||
        (kinds & (kinds - 1)) != 0) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    SYSTEMTIME date;
    if (lpDate != nullptr) {
        date = *lpDate;
    } else {
        GetLocalTime(&date);
    }
    if (!ValidDate(date, 1601, 9999)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    date.wDayOfWeek = DayOfWeek(DaysFromCivil(date.wYear, date.wMonth, date.wDay));
    const char* picture = lpFormat;
    if (picture == nullptr) {
        picture = (dwFlags & DATE_LONGDATE) != 0    ? "dddd, d MMMM yyyy"
                  : (dwFlags & DATE_YEARMONTH) != 0 ? "MMMM yyyy"
                                                    : "dd.MM.yyyy";
    }
    return ReturnFormatted(ExpandDate(Tokenize(picture, "dMyg"), date), lpDateStr, cchDate);
}

int WINAPI GetTimeFormatA(LCID, DWORD dwFlags, const SYSTEMTIME* lpTime, LPCSTR lpFormat,
                          LPSTR lpTimeStr, int cchTime) {
    if (cchTime < 0 || (lpTimeStr == nullptr && cchTime != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const DWORD known = TIME_NOMINUTESORSECONDS | TIME_NOSECONDS | TIME_NOTIMEMARKER |
                        TIME_FORCE24HOURFORMAT | LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP;
    if ((dwFlags & ~known) != 0 ||
        (lpFormat != nullptr && (dwFlags & LOCALE_NOUSEROVERRIDE) != 0)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    SYSTEMTIME time;
    if (lpTime != nullptr) {
        time = *lpTime;
    } else {
        GetLocalTime(&time);
    }
    if (!ValidTime(time)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const char* picture = lpFormat != nullptr ? lpFormat : "HH:mm:ss";
    const std::vector<Token> tokens = ApplyTimeFlags(Tokenize(picture, "hHmst"), dwFlags);
    return ReturnFormatted(ExpandTime(tokens, time), lpTimeStr, cchTime);
}
