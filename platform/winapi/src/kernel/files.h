// File information in the platform's terms, shared by the file functions and
// the file search.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>
#include <ctime>
#include <string>

#include <windows.h>

namespace vedrix::winapi::kernel {

// 100-nanosecond ticks from 1601-01-01 to 1970-01-01.
constexpr std::uint64_t kUnixEpochTicks = 116444736000000000ULL;

FILETIME FileTimeFromTimespec(const timespec& time);
timespec TimespecFromFileTime(const FILETIME& time);
std::uint64_t Ticks(const FILETIME& time);
FILETIME FromTicks(std::uint64_t ticks);

// The platform's attributes of a file: FILE_ATTRIBUTE_DIRECTORY or
// FILE_ATTRIBUTE_ARCHIVE, with FILE_ATTRIBUTE_READONLY when the owner may not
// write and FILE_ATTRIBUTE_HIDDEN for names starting with "." (except "."
// and "..").
DWORD AttributesOf(mode_t mode, const std::string& name);

// True when the file's read-only attribute is set (no owner write bit).
inline bool IsReadOnly(mode_t mode) {
    return (mode & S_IWUSR) == 0;
}

struct FileInfo {
    DWORD attributes = 0;
    std::uint64_t size = 0;
    FILETIME creation{};
    FILETIME lastAccess{};
    FILETIME lastWrite{};
};

// Of a path (following links; a dangling link describes itself) or of an
// open descriptor. name is the name the attributes are judged by. A relative
// path starts at the directory open as dirFd (AT_FDCWD: the current one).
bool FileInfoOfPath(const std::string& path, const std::string& name, FileInfo& info,
                    int dirFd = AT_FDCWD);
bool FileInfoOfDescriptor(int fd, const std::string& name, FileInfo& info);

}  // namespace vedrix::winapi::kernel
