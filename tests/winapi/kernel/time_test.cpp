// File times, system times, automation dates and the headless locale's date
// and time formats.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include "support/headless_only.h"

#include <ctime>
#include <string>

namespace {

SYSTEMTIME Make(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0) {
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

std::string Date(const SYSTEMTIME& time, DWORD flags, const char* picture) {
    char buffer[128];
    const int length =
        GetDateFormatA(LOCALE_USER_DEFAULT, flags, &time, picture, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length - 1)) : "<failed>";
}

std::string Time(const SYSTEMTIME& time, DWORD flags, const char* picture) {
    char buffer[128];
    const int length =
        GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &time, picture, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length - 1)) : "<failed>";
}

SYSTEMTIME FromVariant(double value) {
    SYSTEMTIME time = {};
    EXPECT_TRUE(VariantTimeToSystemTime(value, &time)) << value;
    return time;
}

std::string Stamp(const SYSTEMTIME& t) {
    char buffer[64];
    wsprintfA(buffer, "%04u-%02u-%02u %02u:%02u:%02u (%u)", t.wYear, t.wMonth, t.wDay, t.wHour,
              t.wMinute, t.wSecond, t.wDayOfWeek);
    return buffer;
}

TEST(KernelFileTime, RoundTripsThroughSystemTime) {
    // 1970-01-01 is 116444736000000000 ticks after 1601-01-01.
    FILETIME epoch = {};
    SYSTEMTIME epochDate = Make(1970, 1, 1);
    ASSERT_TRUE(SystemTimeToFileTime(&epochDate, &epoch));
    EXPECT_EQ((static_cast<ULONGLONG>(epoch.dwHighDateTime) << 32) | epoch.dwLowDateTime,
              116444736000000000ULL);

    SYSTEMTIME leap = Make(2024, 2, 29, 23, 59, 58);
    leap.wMilliseconds = 250;
    FILETIME file;
    ASSERT_TRUE(SystemTimeToFileTime(&leap, &file));
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
    EXPECT_EQ(Stamp(back), "2024-02-29 23:59:58 (4)");
    EXPECT_EQ(back.wMilliseconds, 250);

    SYSTEMTIME bad = Make(2023, 13, 1);
    EXPECT_FALSE(SystemTimeToFileTime(&bad, &file));
    FILETIME tooLarge = {0, 0x80000000u};
    EXPECT_FALSE(FileTimeToSystemTime(&tooLarge, &back));

    FILETIME later = file;
    later.dwLowDateTime += 1;
    EXPECT_EQ(CompareFileTime(&file, &later), -1);
    EXPECT_EQ(CompareFileTime(&later, &file), 1);
    EXPECT_EQ(CompareFileTime(&file, &file), 0);
}

TEST(KernelFileTime, LocalTimeShiftsByTheZoneOffsetAndBack) {
    SYSTEMTIME noon = Make(2023, 6, 1, 12);
    FILETIME utc;
    ASSERT_TRUE(SystemTimeToFileTime(&noon, &utc));
    FILETIME local;
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
    FILETIME again;
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &again));
    EXPECT_EQ(CompareFileTime(&utc, &again), 0);

    // The system time is the clock's, to the second.
    SYSTEMTIME now;
    GetSystemTime(&now);
    FILETIME nowFile;
    ASSERT_TRUE(SystemTimeToFileTime(&now, &nowFile));
    const ULONGLONG nowTicks =
        (static_cast<ULONGLONG>(nowFile.dwHighDateTime) << 32) | nowFile.dwLowDateTime;
    const ULONGLONG clockTicks =
        static_cast<ULONGLONG>(std::time(nullptr)) * 10000000ULL + 116444736000000000ULL;
    EXPECT_LT(nowTicks > clockTicks ? nowTicks - clockTicks : clockTicks - nowTicks,
              5 * 10000000ULL);
}

// A time rounded into the next day is that day's, its day of the week too.
TEST(KernelVariantTime, RoundingIntoTheNextDayGivesThatDaysWeekday) {
    EXPECT_EQ(Stamp(FromVariant(45000.99999999)), "2023-03-16 00:00:00 (4)");
}

TEST(KernelVariantTime, DaysSince1899WithTheTimeOfDay) {
    EXPECT_EQ(Stamp(FromVariant(45000.5)), "2023-03-15 12:00:00 (3)");
    EXPECT_EQ(Stamp(FromVariant(0.0)), "1899-12-30 00:00:00 (6)");
    EXPECT_EQ(Stamp(FromVariant(2.25)), "1900-01-01 06:00:00 (1)");
    // Negative dates count days backwards, the fraction is still the time.
    EXPECT_EQ(Stamp(FromVariant(-1.25)), "1899-12-29 06:00:00 (5)");
    // The time is rounded to the nearest second, into the next day if need be.
    EXPECT_EQ(Stamp(FromVariant(45000.0 + 1.4 / 86400)), "2023-03-15 00:00:01 (3)");
    EXPECT_EQ(Stamp(FromVariant(45000.0 + 1.6 / 86400)), "2023-03-15 00:00:02 (3)");
    EXPECT_EQ(Stamp(FromVariant(2958465.5)), "9999-12-31 12:00:00 (5)");
    EXPECT_EQ(Stamp(FromVariant(-657434.0)), "0100-01-01 00:00:00 (5)");

    SYSTEMTIME time;
    EXPECT_FALSE(VariantTimeToSystemTime(2958466.0, &time));
    EXPECT_FALSE(VariantTimeToSystemTime(-657435.0, &time));

    SYSTEMTIME date = Make(2023, 3, 15, 12);
    double value = 0;
    ASSERT_TRUE(SystemTimeToVariantTime(&date, &value));
    EXPECT_DOUBLE_EQ(value, 45000.5);
    date = Make(1899, 12, 29, 6);
    ASSERT_TRUE(SystemTimeToVariantTime(&date, &value));
    EXPECT_DOUBLE_EQ(value, -1.25);
}

// The platform writes the result without looking at the pointer; the
// headless platform refuses a null one.
TEST(KernelVariantTime, ANullResultFails) {
    HEADLESS_ONLY("checks the headless platform's answer to a null result pointer");
    EXPECT_FALSE(VariantTimeToSystemTime(0.0, nullptr));
}

TEST(KernelDateFormat, PicturesAndTheLocaleDefaults) {
    const SYSTEMTIME date = Make(2023, 3, 5, 9, 7, 3);
    EXPECT_EQ(Date(date, 0, "dd'.'MM'.'yyyy"), "05.03.2023");
    EXPECT_EQ(Date(date, 0, "d.M.yy"), "5.3.23");
    EXPECT_EQ(Date(date, 0, "ddd, dddd MMM MMMM y"), "Sun, Sunday Mar March 23");
    EXPECT_EQ(Date(date, 0, "'Day' d 'o''clock'"), "Day 5 o'clock");
    // Without a picture the locale's formats are used, the short one by default.
    EXPECT_EQ(Date(date, 0, nullptr), Date(date, DATE_SHORTDATE, nullptr));
    EXPECT_NE(Date(date, DATE_LONGDATE, nullptr).find("2023"), std::string::npos);

    char buffer[8];
    EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &date, "dd.MM.yyyy", nullptr, 0), 11);
    EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &date, "dd.MM.yyyy", buffer, sizeof buffer),
              0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, "dd", buffer, sizeof buffer), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
    const SYSTEMTIME bad = Make(2023, 2, 30);
    EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &bad, "dd", buffer, sizeof buffer), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(KernelTimeFormat, PicturesFlagsAndMarkers) {
    const SYSTEMTIME morning = Make(2023, 3, 15, 9, 7, 3);
    const SYSTEMTIME evening = Make(2023, 3, 15, 21, 45, 0);
    const SYSTEMTIME midnight = Make(2023, 3, 15, 0, 5, 0);
    EXPECT_EQ(Time(morning, 0, "HH':'mm':'ss"), "09:07:03");
    // The locale's format shows the minutes and the seconds; the flags take
    // them away.
    EXPECT_NE(Time(morning, 0, nullptr).find("07"), std::string::npos);
    EXPECT_NE(Time(morning, 0, nullptr).find("03"), std::string::npos);
    EXPECT_EQ(Time(evening, 0, "h:mm tt"), "9:45 PM");
    EXPECT_EQ(Time(midnight, 0, "hh:mm t"), "12:05 A");
    EXPECT_EQ(Time(evening, 0, "H:m:s"), "21:45:0");
    const SYSTEMTIME late = Make(2023, 3, 15, 21, 45, 36);
    EXPECT_NE(Time(late, TIME_NOSECONDS, nullptr).find("45"), std::string::npos);
    EXPECT_EQ(Time(late, TIME_NOSECONDS, nullptr).find("36"), std::string::npos);
    EXPECT_EQ(Time(late, TIME_NOMINUTESORSECONDS, nullptr).find("45"), std::string::npos);
    EXPECT_EQ(Time(evening, TIME_NOTIMEMARKER, "h:mm tt"), "9:45");
    EXPECT_EQ(Time(evening, TIME_FORCE24HOURFORMAT, "hh:mm"), "21:45");

    // The date format of a view's replication time: date, two blanks, time.
    SYSTEMTIME replicated;
    ASSERT_TRUE(VariantTimeToSystemTime(45000.5, &replicated));
    EXPECT_EQ(Date(replicated, 0, "dd'.'MM'.'yyyy") + "  " + Time(replicated, 0, "HH':'mm':'ss"),
              "15.03.2023  12:00:00");

    SYSTEMTIME bad = morning;
    bad.wHour = 24;
    char buffer[16];
    EXPECT_EQ(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &bad, nullptr, buffer, sizeof buffer), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// The headless locale's own formats: a German-style short date, an English
// long date and a 24-hour time.
TEST(KernelDateFormat, TheHeadlessLocalesFormats) {
    HEADLESS_ONLY("reads the headless locale's fixed formats");
    const SYSTEMTIME date = Make(2023, 3, 5, 21, 45, 3);
    EXPECT_EQ(Date(date, DATE_SHORTDATE, nullptr), "05.03.2023");
    EXPECT_EQ(Date(date, DATE_LONGDATE, nullptr), "Sunday, 5 March 2023");
    EXPECT_EQ(Time(date, 0, nullptr), "21:45:03");
    EXPECT_EQ(Time(date, TIME_NOSECONDS, nullptr), "21:45");
    EXPECT_EQ(Time(date, TIME_NOMINUTESORSECONDS, nullptr), "21");
}

}  // namespace
