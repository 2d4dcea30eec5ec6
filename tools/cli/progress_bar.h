// A progress bar on a terminal, for work that may take a while: it shows only
// when its stream is a terminal and the work has taken longer than a second,
// and it is redrawn in place.
#pragma once

#include <chrono>
#include <cstdio>

namespace vedrix::cli {

class ProgressBar {
public:
    using Clock = std::chrono::steady_clock;

    // `out` is drawn on only when it is a terminal.
    explicit ProgressBar(std::FILE* out);
    // A bar that draws on `out` whatever it is, after `delay` (for tests).
    ProgressBar(std::FILE* out, bool terminal, Clock::duration delay);
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;
    // Ends the bar's line, if one was drawn.
    ~ProgressBar();

    // `done` of `total` steps are done.
    void update(int done, int total);

private:
    std::FILE* m_out;
    bool m_terminal;
    Clock::duration m_delay;
    Clock::time_point m_start;
    int m_drawnPercent = -1;
};

}  // namespace vedrix::cli
