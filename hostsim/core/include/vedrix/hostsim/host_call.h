// The stand-ins' exported functions, each one a host call while it runs.
//
// What the stand-ins keep of their files is checked against the kernel's
// change reports (file_watch.h). Within one host call those reports need to
// be taken in only once: the call itself changes files only through the
// platform's file functions, which count every change they make, and a
// change by anyone else is seen by the next call. Every exported function
// runs its body as one HostCall (guard.h); a call made from within another
// is a host call of its own.
#pragma once

#include <vedrix/hostsim/export.h>

namespace vedrix::hostsim {

// A host call, from its construction to its destruction.
class VEDRIX_HOSTSIM_API HostCall {
public:
    HostCall() noexcept;
    ~HostCall();
    HostCall(const HostCall&) = delete;
    HostCall& operator=(const HostCall&) = delete;
};

// The host call running now, numbered so that two calls (and the time
// between them) never share a number; 0 outside every host call.
VEDRIX_HOSTSIM_API unsigned long long CurrentHostCall() noexcept;

}  // namespace vedrix::hostsim
