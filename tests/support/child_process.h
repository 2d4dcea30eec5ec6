// Running part of a test in another process, so that what the child does to
// files is done behind the back of everything in the test's own process.
// Where there is no fork (Windows), the work runs in the test's own process
// (see unprivileged_child.h).
#pragma once

#include <functional>

#include "support/unprivileged_child.h"

namespace test_support {

// Runs `work` in a child process and waits for it; true when it succeeded.
inline bool InChildProcess(const std::function<bool()>& work) {
    return RunInChild([&work] { return work() ? 0 : 1; }) == 0;
}

}  // namespace test_support
