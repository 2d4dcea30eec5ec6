// What the platform tests use to act as the person in front of the screen:
// the automation layer's hands (`person::click`, `person::pressKey`,
// `person::wait`...), which act on the headless desktop or on a real Windows
// API alike, and the mark of the tests that only the headless platform can
// check (HEADLESS_ONLY).
#pragma once

#include <vedrix/automation/input.h>

#include "support/headless_only.h"

namespace person = vedrix::automation;
