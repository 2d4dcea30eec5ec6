#include "kernel/file_changes.h"

#include <csignal>

#include <vedrix/headless/file_changes.h>

namespace vedrix::winapi::kernel {

namespace {

std::uint64_t g_steps = 0;
std::uint64_t g_stopBefore = 0;

// Stops (once) when the step about to take effect is the one to stop before.
void StopIfNext() {
    if (g_stopBefore != 0 && g_steps + 1 == g_stopBefore) {
        g_stopBefore = 0;
        std::raise(SIGSTOP);
    }
}

}  // namespace

void BeginFileChange() {
    StopIfNext();
    ++g_steps;
}

std::uint64_t BytesBeforeStop(std::uint64_t count) {
    if (count > 0) {
        StopIfNext();
    }
    if (g_stopBefore <= g_steps + 1) {
        return count;
    }
    const std::uint64_t room = g_stopBefore - g_steps - 1;
    return room < count ? room : count;
}

void CountBytesWritten(std::uint64_t count) {
    g_steps += count;
    if (count > 0) {
        StopIfNext();
    }
}

}  // namespace vedrix::winapi::kernel

namespace vedrix::headless {

std::uint64_t FileChangeSteps() {
    return winapi::kernel::g_steps;
}

void StopBeforeFileChangeStep(std::uint64_t step) {
    winapi::kernel::g_stopBefore = step;
}

}  // namespace vedrix::headless
