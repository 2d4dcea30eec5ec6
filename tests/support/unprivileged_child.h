// Running part of a test in a child process, and with an ordinary user's
// rights on files. Root passes over permission bits, so a test run as root
// that is about a directory or file the person may not change would
// otherwise see nothing refused: as root the child becomes user and group
// 65534 ("nobody") before it runs the body.
//
// Windows has no fork, and no account passes over a file's read-only
// attribute: there the body runs in the test's own process, which already
// has an ordinary user's rights, and nothing is given to another user. A
// body run there must leave the process as it found it.
#pragma once

#include <cstdio>
#include <filesystem>

#if VEDRIX_HEADLESS
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace test_support {

#if !VEDRIX_HEADLESS

inline bool RunningAsRoot() {
    return false;
}

inline void GiveToUnprivileged(const std::filesystem::path&) {}

template <class Body>
int RunInChild(Body body) {
    return body();
}

template <class Body>
int RunUnprivileged(Body body) {
    return body();
}

#else

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

// Runs `body` (returning an int, 0 for success) in a child process and
// returns its result: -1 when the child did not end normally.
template <class Body>
int RunInChild(Body body) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
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

// The same without root's rights: 125 when the rights could not be dropped.
template <class Body>
int RunUnprivileged(Body body) {
    return RunInChild([&body] {
        if (RunningAsRoot() && (setgroups(0, nullptr) != 0 || setgid(kUnprivilegedId) != 0 ||
                                setuid(kUnprivilegedId) != 0)) {
            return 125;
        }
        return static_cast<int>(body());
    });
}

#endif

}  // namespace test_support
