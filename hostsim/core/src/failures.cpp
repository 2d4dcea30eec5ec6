#include <vedrix/hostsim/failures.h>

#include <map>
#include <string>

namespace vedrix::hostsim {

namespace {

// The calls of one function counted under one rule.
struct CallCount {
    int call = 0;
    int result = 0;
    int seen = 0;
};

// The host calls its libraries on its user-interface thread only, as the
// module does, so the counts need no lock.
std::map<std::string, CallCount, std::less<>>& Counts() {
    static std::map<std::string, CallCount, std::less<>> counts;
    return counts;
}

}  // namespace

bool TakeInjectedFailure(const HostConfig& config, std::string_view function, int& result) {
    const InjectedFailure* rule = nullptr;
    for (const InjectedFailure& failure : config.failures) {
        if (failure.function == function) {
            rule = &failure;
        }
    }
    if (rule == nullptr) {
        return false;
    }
    auto [it, added] = Counts().try_emplace(std::string(function));
    CallCount& count = it->second;
    if (added || count.call != rule->call || count.result != rule->result) {
        count = CallCount{rule->call, rule->result, 0};
    }
    if (++count.seen != rule->call) {
        return false;
    }
    result = rule->result;
    return true;
}

void ResetInjectedFailureCounts() {
    Counts().clear();
}

}  // namespace vedrix::hostsim
