// Running part of a test in another process: what the child does to files
// is done behind the back of everything in the test's own process. POSIX
// only.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace test_support {

// Runs `work` in a child process and waits for it; true when it succeeded.
inline bool InChildProcess(const std::function<bool()>& work) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        _exit(work() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

}  // namespace test_support
