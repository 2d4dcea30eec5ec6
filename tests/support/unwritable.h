// Making a file or directory unwritable for the test's own process, and
// writable again.
//
// On POSIX systems its write permissions go, and where that does not hold (a
// user who may write anything) it is made immutable. On Windows a file gets
// the read-only attribute, which every account honours; a directory's
// read-only attribute does not keep new files out of it, so a directory is
// not made unwritable there.
#pragma once

#include <filesystem>

#if VEDRIX_HEADLESS
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace test_support {

#if VEDRIX_HEADLESS

namespace unwritable_detail {

// Sets or clears the immutable flag; false when the file system refuses.
inline bool SetImmutable(const std::filesystem::path& path, bool immutable) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done && ((flags & FS_IMMUTABLE_FL) != 0) != immutable) {
        flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

}  // namespace unwritable_detail

#endif

// Makes `path` unwritable for this process; false when that does not hold.
inline bool MakeUnwritable(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(path, writable, fs::perm_options::remove);
#if VEDRIX_HEADLESS
    return ::access(path.c_str(), W_OK) == 0 ? unwritable_detail::SetImmutable(path, true) : true;
#else
    return !fs::is_directory(path);
#endif
}

// Undoes MakeUnwritable.
inline void MakeWritable(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
#if VEDRIX_HEADLESS
    unwritable_detail::SetImmutable(path, false);
#endif
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
}

}  // namespace test_support
