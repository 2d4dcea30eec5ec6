// The last error, the system's message texts through FormatMessageA, and the
// local and global heaps that hand out its buffers.
#include <lmerr.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::string SystemText(DWORD code, DWORD flags = FORMAT_MESSAGE_IGNORE_INSERTS) {
    char buffer[512];
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | flags, nullptr, code,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, sizeof buffer, nullptr);
    return std::string(buffer, length);
}

std::string FromString(const char* format, DWORD flags, const DWORD_PTR* arguments) {
    char buffer[512];
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | flags, format, 0, 0, buffer,
        sizeof buffer, reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(arguments)));
    return std::string(buffer, length);
}

std::string FromVaList(const char* format, ...) {
    va_list args;
    va_start(args, format);
    char buffer[256];
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_STRING, format, 0, 0, buffer, sizeof buffer, &args);
    va_end(args);
    return std::string(buffer, length);
}

TEST(KernelLastError, IsKeptPerThread) {
    // The other thread is started first: starting and joining a thread are
    // system calls of their own that may set this thread's last error.
    std::atomic<int> step{0};
    DWORD seenByOther = 1;
    std::thread other([&] {
        seenByOther = GetLastError();
        step = 1;
        while (step.load() != 2) {
            std::this_thread::yield();
        }
        SetLastError(ERROR_ACCESS_DENIED);
        step = 3;
    });
    while (step.load() != 1) {
        std::this_thread::yield();
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    step = 2;
    while (step.load() != 3) {
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    other.join();
    EXPECT_EQ(seenByOther, static_cast<DWORD>(ERROR_SUCCESS));
}

// A system text is one line that ends with a line break; the width mask
// makes the break a blank, and ignored inserts stay as they are.
TEST(KernelFormatMessage, SystemTextsEndWithALineBreak) {
    for (DWORD code :
         {ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
          ERROR_SHARING_VIOLATION, ERROR_DISK_FULL, ERROR_MOD_NOT_FOUND}) {
        const std::string text = SystemText(code);
        ASSERT_GT(text.size(), 2u) << code;
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << code;
        EXPECT_EQ(text.find('\n'), text.size() - 1) << code;
        EXPECT_EQ(SystemText(code, FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK),
                  text.substr(0, text.size() - 2) + " ")
            << code;
    }
    EXPECT_NE(SystemText(ERROR_BAD_EXE_FORMAT).find("%1"), std::string::npos);
}

// The system's message table holds the platform's own wording.
TEST(KernelFormatMessage, SystemTextsAreInThePlatformsOwnWording) {
    EXPECT_EQ(SystemText(ERROR_SUCCESS), "The operation completed successfully.\r\n");
    EXPECT_EQ(SystemText(ERROR_FILE_NOT_FOUND), "The system cannot find the file specified.\r\n");
    EXPECT_EQ(SystemText(ERROR_PATH_NOT_FOUND), "The system cannot find the path specified.\r\n");
    EXPECT_EQ(SystemText(ERROR_ACCESS_DENIED), "Access is denied.\r\n");
    EXPECT_EQ(SystemText(ERROR_SHARING_VIOLATION),
              "The process cannot access the file because it is being used by another "
              "process.\r\n");
    EXPECT_EQ(SystemText(ERROR_DISK_FULL), "There is not enough space on the disk.\r\n");
    EXPECT_EQ(SystemText(ERROR_MOD_NOT_FOUND), "The specified module could not be found.\r\n");
    EXPECT_EQ(SystemText(ERROR_BAD_EXE_FORMAT), "%1 is not a valid Win32 application.\r\n");
}

// Network texts live in the network message module, not in the system table.
TEST(KernelFormatMessage, NetworkCodesHaveNoSystemText) {
    char buffer[64];
    SetLastError(0);
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             NERR_UserNotFound, 0, buffer, sizeof buffer, nullptr),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
}

// The system's texts are in the system's language only: another language
// asked for by name is not found.
TEST(KernelFormatMessage, ALanguageWithoutTextsIsNotFound) {
    char buffer[64];
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             ERROR_ACCESS_DENIED, MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), buffer,
                             sizeof buffer, nullptr),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
}

TEST(KernelFormatMessage, UnknownCodesTooSmallBuffersAndMissingArgumentsFail) {
    char buffer[64];
    SetLastError(0);
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             0xDEAD, 0, buffer, sizeof buffer, nullptr),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    // Too small a buffer, and an insert without arguments.
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             ERROR_ACCESS_DENIED, 0, buffer, 5, nullptr),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_BAD_EXE_FORMAT, 0, buffer,
                             sizeof buffer, nullptr),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_SUCCESS, 0, nullptr, 0, nullptr),
        0u);
}

TEST(KernelFormatMessage, AllocatedBufferIsFreedWithLocalFree) {
    LPSTR text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, ERROR_NO_MORE_FILES, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<LPSTR>(&text), 0, nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text), SystemText(ERROR_NO_MORE_FILES));
    EXPECT_EQ(length, std::strlen(text));
    EXPECT_GE(LocalSize(text), static_cast<SIZE_T>(length + 1));
    EXPECT_EQ(LocalFree(text), nullptr);
}

TEST(KernelFormatMessage, InsertsAndEscapes) {
    const DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>("tb000001.zdw"), 42,
                                   static_cast<DWORD_PTR>(0xBEEF),
                                   reinterpret_cast<DWORD_PTR>("x")};
    EXPECT_EQ(FromString("File %1 (%2!d!, 0x%3!04X!) %1", 0, arguments),
              "File tb000001.zdw (42, 0xBEEF) tb000001.zdw");
    EXPECT_EQ(FromString("%4!-3s!|%4!3s!|", 0, arguments), "x  |  x|");
    EXPECT_EQ(FromString("a%%b%nc%td%0ignored", 0, arguments), "a%b\r\nc\td");
    EXPECT_EQ(FromString("keep %1 and %%", FORMAT_MESSAGE_IGNORE_INSERTS, arguments),
              "keep %1 and %%");
    EXPECT_EQ(FromVaList("%1: %2!u! files", "copied", 3u), "copied: 3 files");

    // A width breaks long lines at blanks; hard line breaks stay.
    EXPECT_EQ(FromString("one two three four%nfive", 9, arguments),
              "one two\r\nthree\r\nfour\r\nfive");
}

TEST(KernelMemory, FixedAndMoveableBlocks) {
    HLOCAL fixed = LocalAlloc(LPTR, 16);
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(LocalLock(fixed), fixed);
    EXPECT_EQ(static_cast<unsigned char*>(fixed)[15], 0);
    EXPECT_EQ(LocalSize(fixed), 16u);
    EXPECT_EQ(LocalFree(fixed), nullptr);
    // Freed twice: the handle comes back as the failure.
    SetLastError(0);
    EXPECT_EQ(LocalFree(fixed), fixed);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(LocalFree(nullptr), nullptr);

    HGLOBAL moveable = GlobalAlloc(GHND, 4);
    ASSERT_NE(moveable, nullptr);
    char* data = static_cast<char*>(GlobalLock(moveable));
    ASSERT_NE(data, nullptr);
    std::memcpy(data, "abc", 4);
    EXPECT_EQ(GlobalHandle(data), moveable);
    EXPECT_FALSE(GlobalUnlock(moveable));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
    // Growing keeps the handle and the contents, and zeroes the new part.
    EXPECT_EQ(GlobalReAlloc(moveable, 4096, GMEM_ZEROINIT), moveable);
    data = static_cast<char*>(GlobalLock(moveable));
    EXPECT_STREQ(data, "abc");
    EXPECT_EQ(data[4095], 0);
    EXPECT_EQ(GlobalSize(moveable), 4096u);
    EXPECT_FALSE(GlobalUnlock(moveable));
    EXPECT_EQ(GlobalFree(moveable), nullptr);

    int notABlock = 0;
    EXPECT_EQ(GlobalLock(&notABlock), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GlobalSize(&notABlock), 0u);
}

}  // namespace
