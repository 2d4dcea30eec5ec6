#include "progress_bar.h"

#include <unistd.h>

#include <string>

namespace vedrix::cli {

namespace {
constexpr int kWidth = 40;
}

ProgressBar::ProgressBar(std::FILE* out)
    : ProgressBar(out, isatty(fileno(out)) != 0, std::chrono::seconds(1)) {}

ProgressBar::ProgressBar(std::FILE* out, bool terminal, Clock::duration delay)
    : m_out(out), m_terminal(terminal), m_delay(delay), m_start(Clock::now()) {}

ProgressBar::~ProgressBar() {
    if (m_drawnPercent >= 0) {
        std::fputc('\n', m_out);
        std::fflush(m_out);
    }
}

void ProgressBar::update(int done, int total) {
    if (!m_terminal || total <= 0 || Clock::now() - m_start < m_delay) {
        return;
    }
    const int percent = static_cast<int>(100LL * done / total);
    if (percent == m_drawnPercent) {
        return;
    }
    m_drawnPercent = percent;
    const int filled = kWidth * percent / 100;
    const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                            std::string(static_cast<std::size_t>(kWidth - filled), '-');
    std::fprintf(m_out, "\r[%s] %3d%%  %d of %d drawing files", bar.c_str(), percent, done, total);
    std::fflush(m_out);
}

}  // namespace vedrix::cli
