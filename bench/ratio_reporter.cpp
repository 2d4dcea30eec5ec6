#include "ratio_reporter.h"

#include <cstdio>
#include <cstring>

namespace vedrix::bench {

namespace {

double perSecond(benchmark::TimeUnit unit) {
    switch (unit) {
        case benchmark::kNanosecond:
            return 1e9;
        case benchmark::kMicrosecond:
            return 1e6;
        case benchmark::kMillisecond:
            return 1e3;
        case benchmark::kSecond:
            return 1;
    }
    return 1e9;
}

}  // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) {
            m_anyError = true;
            continue;
        }
        Times& times = m_times[run.run_name.function_name];
        const double seconds = run.GetAdjustedRealTime() / perSecond(run.time_unit);
        if (run.run_type == Run::RT_Aggregate) {
            if (run.aggregate_name == "median") {
                times.median = seconds;
            }
        } else {
            times.sum += seconds;
            ++times.runs;
        }
    }
}

double RatioReporter::seconds(const std::string& name) const {
    auto it = m_times.find(name);
    if (it == m_times.end()) {
        return -1;
    }
    const Times& times = it->second;
    if (times.median >= 0) {
        return times.median;
    }
    return times.runs > 0 ? times.sum / times.runs : -1;
}

void RatioReporter::printRatio(const char* label, const std::string& measured,
                               const std::string& baseline, double target) const {
    const double a = seconds(measured);
    const double b = seconds(baseline);
    if (a < 0 || b <= 0) {
        std::printf("ratio %s: not measured (%s, %s)\n", label, measured.c_str(), baseline.c_str());
        return;
    }
    const double ratio = a / b;
    if (target <= 0) {
        std::printf("ratio %s: %.2f (no target)   [%.3f ms / %.3f ms]\n", label, ratio, a * 1e3,
                    b * 1e3);
        return;
    }
    const char* verdict = !m_judge          ? "  (smoke sizes: not judged)"
                          : ratio <= target ? ""
                                            : "  MISSED";
    std::printf("ratio %s: %.2f (target <= %g)%s   [%.3f ms / %.3f ms]\n", label, ratio, target,
                verdict, a * 1e3, b * 1e3);
}

bool takeSmokeFlag(int& argc, char** argv) {
    bool found = false;
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && std::strcmp(argv[i], "--smoke") == 0) {
            found = true;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return found;
}

bool runRegisteredBenchmarks(int& argc, char** argv, RatioReporter& reporter) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return false;
    }
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\n");
    return true;
}

}  // namespace vedrix::bench
