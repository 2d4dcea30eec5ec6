// Failures of host functions on purpose, from the configuration
// ("fail.<function>=<call>:<result>"), so that a caller's handling of a
// failing host can be tried on a real project.
//
// Calls are counted per function in the running program: from the moment
// the configuration was last written with WriteHostConfig (or UseHostConfig),
// and afresh whenever the function's rule in the configuration changes. Only
// the call with the rule's number fails; the calls before and after it work
// as usual.
#pragma once

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/export.h>

#include <string_view>

namespace vedrix::hostsim {

// Counts one call of `function`. True, with the rule's result in `result`,
// when this is the call that the configuration makes fail.
VEDRIX_HOSTSIM_API bool TakeInjectedFailure(const HostConfig& config, std::string_view function,
                                            int& result);
// Starts every count again.
VEDRIX_HOSTSIM_API void ResetInjectedFailureCounts();

}  // namespace vedrix::hostsim
