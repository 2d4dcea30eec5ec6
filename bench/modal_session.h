// What the benchmarks of the module's dialogs share: one call of an export
// whose dialog the headless desktop's modal hook acts on once it is shown,
// the clicks that close it, and the time until it is shown.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include <windows.h>

#include <vedrix/headless/desktop.h>

namespace vedrix::bench {

using Clock = std::chrono::steady_clock;

inline double secondsBetween(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double>(end - start).count();
}

// Runs `call`, which shows the dialog `templateId` modally; `act` runs once
// that dialog is shown and returns with it closed. `shown` takes the moment
// the last modal dialog was shown. Gives the call's result.
inline int showModal(int templateId, const std::function<void(HWND)>& act, Clock::time_point& shown,
                     const std::function<int()>& call) {
    vedrix::headless::setModalHook([&](HWND dialog, int shownTemplate) {
        shown = Clock::now();
        if (shownTemplate == templateId) {
            act(dialog);
        }
    });
    const int result = call();
    vedrix::headless::setModalHook(nullptr);
    return result;
}

inline void cancelDialog(HWND dialog) {
    ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// A click on the dialog's button `id`, as the button announces it.
inline void clickButton(HWND dialog, int id) {
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Each iteration: the time from the call until its dialog is shown; the
// dialog is then cancelled. `failure` ends the run when the call does not
// come back cancelled.
using Browse = std::function<int(const std::function<void(HWND)>&, Clock::time_point&)>;
inline void timeOpening(benchmark::State& state, const Browse& browse, const char* failure) {
    for (auto _ : state) {
        Clock::time_point shown;
        const Clock::time_point start = Clock::now();
        if (browse(cancelDialog, shown) != IDCANCEL) {
            state.SkipWithError(failure);
            break;
        }
        state.SetIterationTime(secondsBetween(start, shown));
    }
}

}  // namespace vedrix::bench
