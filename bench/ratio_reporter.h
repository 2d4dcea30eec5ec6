// What the benchmark programs share: a reporter that keeps each benchmark's
// time so that the program can end with the ratios between them, and the
// "--smoke" option that shrinks the samples for a quick run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace vedrix::bench {

// Shows every run as the console reporter does and keeps each benchmark's
// real time per iteration, in seconds, for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // `judge`: whether the ratios are set against their targets.
    explicit RatioReporter(bool judge) : ConsoleReporter(OO_Tabular), m_judge(judge) {}

    void ReportRuns(const std::vector<Run>& runs) override;

    // Seconds per iteration: the median over repetitions when there were
    // several, else the mean of the runs. Negative when nothing was measured.
    double seconds(const std::string& name) const;

    // Prints measured / baseline, judged against `target` (none when 0 or
    // less: a breakdown).
    void printRatio(const char* label, const std::string& measured, const std::string& baseline,
                    double target) const;

private:
    struct Times {
        double sum = 0;
        int runs = 0;
        double median = -1;
    };

    bool m_judge;
    std::map<std::string, Times> m_times;
};

// Takes "--smoke" out of the arguments; true when it was there.
bool takeSmokeFlag(int& argc, char** argv);

}  // namespace vedrix::bench
