#include "file_cache.h"

#include <vedrix/framework/text_file.h>

#include <windows.h>

#if !defined(_WIN32)
#include <sys/stat.h>

#include <cerrno>
#include <ctime>
#endif

namespace vedrix::hostsim {

namespace {

// Changes closer than this to the reading may share their times with a
// later change on file systems whose times are coarse.
constexpr long long kSettlingSeconds = 1;

}  // namespace

#if !defined(_WIN32)
namespace {

void Take(const struct stat& st, FileStamp& stamp) {
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.changeSeconds = st.st_ctim.tv_sec;
    stamp.changeNanoseconds = st.st_ctim.tv_nsec;
    stamp.modifySeconds = st.st_mtim.tv_sec;
    stamp.modifyNanoseconds = st.st_mtim.tv_nsec;
}

}  // namespace
#endif

#if defined(_WIN32)
namespace {

// A time in 100-nanosecond ticks as seconds and nanoseconds.
void TakeTime(long long ticks, long long& seconds, long& nanoseconds) {
    seconds = ticks / 10000000;
    nanoseconds = static_cast<long>((ticks % 10000000) * 100);
}

// The stamp of the file or directory at `path`, and whether it is a
// directory; false when it cannot be had (the system's last error says why).
bool Take(const std::string& path, FileStamp& stamp, bool& directory) {
    HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO times{};
    const bool known =
        GetFileInformationByHandle(file, &info) != FALSE &&
        GetFileInformationByHandleEx(file, FileBasicInfo, &times, sizeof times) != FALSE;
    CloseHandle(file);
    if (!known) {
        return false;
    }
    stamp.device = info.dwVolumeSerialNumber;
    stamp.inode = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size = (static_cast<long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    TakeTime(times.ChangeTime.QuadPart, stamp.changeSeconds, stamp.changeNanoseconds);
    TakeTime(times.LastWriteTime.QuadPart, stamp.modifySeconds, stamp.modifyNanoseconds);
    directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

}  // namespace
#endif

bool StampOf(const std::string& path, FileStamp& stamp) {
#if defined(_WIN32)
    bool directory = false;
    if (Take(path, stamp, directory)) {
        stamp.absent = false;
        return !directory;
    }
    const std::size_t slash = path.find_last_of("\\/");
    if (GetLastError() != ERROR_FILE_NOT_FOUND || slash == std::string::npos) {
        return false;
    }
    if (!Take(path.substr(0, slash == 0 ? 1 : slash), stamp, directory) || !directory) {
        return false;
    }
    stamp.absent = true;
    return true;
#else
    const std::string native = framework::NativePath(path.c_str());
    struct stat st;
    if (stat(native.c_str(), &st) == 0) {
        Take(st, stamp);
        stamp.absent = false;
        return S_ISREG(st.st_mode);
    }
    const std::size_t slash = native.rfind('/');
    if (errno != ENOENT || slash == std::string::npos) {
        return false;
    }
    const std::string directory = slash == 0 ? "/" : native.substr(0, slash);
    if (stat(directory.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return false;
    }
    Take(st, stamp);
    stamp.absent = true;
    return true;
#endif
}

bool MissingInAnyCase(const std::string& path) {
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool Settled(const FileStamp& stamp) {
#if defined(_WIN32)
    FILETIME current{};
    GetSystemTimeAsFileTime(&current);
    long long now = 0;
    long ignored = 0;
    TakeTime((static_cast<long long>(current.dwHighDateTime) << 32) | current.dwLowDateTime, now,
             ignored);
#else
    timespec current;
    if (clock_gettime(CLOCK_REALTIME, &current) != 0) {
        return false;
    }
    const long long now = current.tv_sec;
#endif
    const long long latest =
        stamp.changeSeconds > stamp.modifySeconds ? stamp.changeSeconds : stamp.modifySeconds;
    return now - latest > kSettlingSeconds;
}

}  // namespace vedrix::hostsim
