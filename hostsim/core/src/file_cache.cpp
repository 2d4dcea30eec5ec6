#include "file_cache.h"

#include <vedrix/framework/text_file.h>

#if !defined(_WIN32)
#include <sys/stat.h>

#include <ctime>
#endif

namespace vedrix::hostsim {

namespace {

// Changes closer than this to the reading may share their times with a
// later change on file systems whose times are coarse.
constexpr long long kSettlingSeconds = 1;

}  // namespace

bool StampOf(const std::string& path, FileStamp& stamp) {
#if defined(_WIN32)
    (void)path;
    (void)stamp;
    return false;
#else
    struct stat st;
    if (stat(framework::NativePath(path.c_str()).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.changeSeconds = st.st_ctim.tv_sec;
    stamp.changeNanoseconds = st.st_ctim.tv_nsec;
    stamp.modifySeconds = st.st_mtim.tv_sec;
    stamp.modifyNanoseconds = st.st_mtim.tv_nsec;
    return true;
#endif
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
