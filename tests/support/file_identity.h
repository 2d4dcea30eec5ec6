// Which file a path names: a number that stays the same while the file is
// written in place and changes when another file takes the path's place
// (the inode on POSIX systems, the file index on Windows). 0 when the path
// names no file.
#pragma once

#include <cstdint>
#include <filesystem>

#if VEDRIX_HEADLESS
#include <sys/stat.h>
#else
#include <windows.h>
#endif

namespace test_support {

inline std::uint64_t FileIdentity(const std::filesystem::path& path) {
#if VEDRIX_HEADLESS
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_ino) : 0;
#else
    HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 0;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return known ? (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow : 0;
#endif
}

}  // namespace test_support
