#include <vedrix/hostsim/host_call.h>

namespace vedrix::hostsim {

namespace {

// Calls begun and ended so far; the host calls its libraries on its
// user-interface thread only, so the counts need no lock.
unsigned long long g_boundaries = 0;
int g_depth = 0;

}  // namespace

HostCall::HostCall() noexcept {
    ++g_boundaries;
    ++g_depth;
}

// The end of a call starts a new number too, so that the rest of an outer
// call does not share one with the call made from it.
HostCall::~HostCall() {
    ++g_boundaries;
    --g_depth;
}

unsigned long long CurrentHostCall() noexcept {
    return g_depth > 0 ? g_boundaries : 0;
}

}  // namespace vedrix::hostsim
