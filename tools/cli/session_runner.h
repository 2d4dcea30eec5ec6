// Carries out a session script in a dialog as the person at the screen:
// every step through the automation layer's mouse and keyboard, every
// message box answered as the script says and reported, the first step that
// cannot be done recorded with its script line.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

#include <vedrix/automation/automation.h>

#include "session_dialogs.h"
#include "session_script.h"

namespace vedrix::cli {

struct SessionFailure {
    int line = 0;  // the script line; 0 when no line is to blame
    std::string message;
};

class SessionRunner {
public:
    // Message boxes are reported on `out` as they come.
    SessionRunner(const SessionDialog& dialog, const SessionScript& script,
                  automation::Person& person, std::ostream& out);

    // Before the export is called: the script for the dialog, a refusal of
    // any other dialog, and the answers for boxes at the opening.
    void prepare();
    // After the export returned: reports what is left and whether the
    // dialog opened at all.
    void finish();

    const std::optional<SessionFailure>& failure() const { return failure_; }

private:
    void runSteps(automation::Dialog& dialog);
    void runStep(automation::Dialog& dialog, const Step& step);
    // The message boxes since the last report, printed and held against
    // `expected`; throws a failure at the first that does not match.
    void checkBoxes(int stepLine, const std::vector<ExpectedBox>& expected);
    void queueAnswers(const std::vector<ExpectedBox>& expected);
    void fail(SessionFailure failure);

    const SessionDialog& dialog_;
    const SessionScript& script_;
    automation::Person& person_;
    std::ostream& out_;
    std::size_t reported_ = 0;  // message boxes reported so far
    std::string unexpectedDialog_;
    bool opened_ = false;
    bool ended_ = false;  // the script closed the dialog
    int lastLine_ = 0;
    std::optional<SessionFailure> failure_;
};

}  // namespace vedrix::cli
