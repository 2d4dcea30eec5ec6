// The desktop's reset on a real Windows API, for programs that act as the
// person without a Person (the platform's own conformance tests).
#include <vedrix/automation/input.h>

#include "hands.h"

namespace vedrix::automation {

void resetDesktop() {
    hands::resetDesktop();
}

}  // namespace vedrix::automation
