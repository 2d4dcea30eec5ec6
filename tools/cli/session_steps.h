// One step of a session script done in a dialog, as a person does it with
// mouse and keyboard. A step that cannot be done throws StepError (or the
// automation layer's AutomationError, which names what was there instead).
#pragma once

#include <stdexcept>

#include <vedrix/automation/automation.h>

#include "session_dialogs.h"
#include "session_script.h"

namespace vedrix::cli {

class StepError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Does `step` in `dialog`, whose controls `layout` names. Returns the
// identifier of the button the step clicked, 0 when it clicked none.
int doStep(const SessionDialog& layout, const automation::Dialog& dialog, const Step& step);

}  // namespace vedrix::cli
