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

bool StampOf(const std::string& path, FileStamp& stamp) {
#if defined(_WIN32)
    (void)path;
    (void)stamp;
    return false;
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
    (void)stamp;
    return false;
#else
    timespec now;
    if (clock_gettime(CLOCK_REALTIME, &now) != 0) {
        return false;
    }
    const long long latest =
        stamp.changeSeconds > stamp.modifySeconds ? stamp.changeSeconds : stamp.modifySeconds;
    return static_cast<long long>(now.tv_sec) - latest > kSettlingSeconds;
#endif
}

}  // namespace vedrix::hostsim
