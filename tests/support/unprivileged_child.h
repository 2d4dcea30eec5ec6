// Running part of a test in a child process with an ordinary user's rights
// on files. Root passes over permission bits, so a test run as root that is
// about a directory or file the person may not change would otherwise see
// nothing refused: as root the child becomes user and group 65534 ("nobody")
// before it runs the body.
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace test_support {

// The user and group that an unprivileged child of a root process runs as.
constexpr uid_t kUnprivilegedId = 65534;

inline bool RunningAsRoot() {
    return geteuid() == 0;
}

// Gives `path` to the user an unprivileged child runs as, when there is one
// to give it to (running as root); otherwise it stays the caller's own.
inline void GiveToUnprivileged(const std::filesystem::path& path) {
    if (RunningAsRoot() && chown(path.c_str(), kUnprivilegedId, kUnprivilegedId) != 0) {
        std::perror("chown");
    }
}

// Runs `body` (returning an int, 0 for success) in a child process without
// root's rights and returns its result: 125 when the rights could not be
// dropped, -1 when the child did not end normally.
template <class Body>
int RunUnprivileged(Body body) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        if (RunningAsRoot() && (setgroups(0, nullptr) != 0 || setgid(kUnprivilegedId) != 0 ||
                                setuid(kUnprivilegedId) != 0)) {
            _exit(125);
        }
        const int result = body();
        std::fflush(nullptr);
        _exit(result);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace test_support
