// What the benchmark programs share: a console reporter that keeps each
// benchmark's time for the ratios printed at the end, and the --smoke switch.
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

    // Whether a benchmark stopped with an error (its sample was wrong).
    bool anyError() const { return m_anyError; }

    // Prints measured / baseline, set against `target` when it is above 0.
    void printRatio(const char* label, const std::string& measured, const std::string& baseline,
                    double target) const;

private:
    struct Times {
        double sum = 0;
        int runs = 0;
        double median = -1;
    };

    bool m_judge;
    bool m_anyError = false;
    std::map<std::string, Times> m_times;
};

// Takes "--smoke" out of the arguments; true when it was there.
bool takeSmokeFlag(int& argc, char** argv);

// Runs the registered benchmarks with the program's remaining arguments,
// reporting to `reporter`, and ends the table with an empty line so that
// the ratios follow it. False, having run nothing, when an argument is not
// one of the benchmark library's.
bool runRegisteredBenchmarks(int& argc, char** argv, RatioReporter& reporter);

}  // namespace vedrix::bench
