// No exception leaves a stand-in's exported function: each one runs its body
// through Guarded, which turns any exception into the function's failure
// result, and counts as one host call while it runs (host_call.h).
#pragma once

#include <vedrix/hostsim/host_call.h>

#include <utility>

namespace vedrix::hostsim {

template <typename Result, typename Body>
Result Guarded(Result failure, Body&& body) noexcept {
    const HostCall call;
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

template <typename Body>
void Guarded(Body&& body) noexcept {
    const HostCall call;
    try {
        std::forward<Body>(body)();
    } catch (...) {
    }
}

}  // namespace vedrix::hostsim
