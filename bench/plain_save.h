// The baselines' plain loop for a file that a confirmation saves: the bytes
// written beside the file, flushed to disk, and put in its place. The flush
// is unavoidable work, not the module's addition: without it a crash right
// after the confirmation could leave the renamed file empty, and the
// confirmed structure would be lost.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace vedrix::bench {

inline bool saveDurably(const std::string& path, const std::string& bytes) {
    const std::string side = path + ".new";
    const int fd = open(side.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const bool written =
        write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
        fsync(fd) == 0;
    return close(fd) == 0 && written && std::rename(side.c_str(), path.c_str()) == 0;
}

}  // namespace vedrix::bench
