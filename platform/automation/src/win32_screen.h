// What the real screen's sources share: dispatching until the program is
// done, releasing what the person holds, and telling dialogs apart.
#pragma once

#include <windows.h>

namespace vedrix::automation::desktop {

// Dispatches queued messages until none has arrived for a short while.
void pumpUntilQuiet();
// Whether a message is the tick of the person's own timer (which comes on
// its own and says nothing about the program).
bool isPersonTick(const MSG& msg);
// Lets go of every key and mouse button the person holds.
void releaseHeldInput();
// Whether a window is of the dialog class (#32770: dialogs and message boxes).
bool isDialogWindow(HWND hwnd);
// The number of the dialog template `dialog` was made from, found among the
// RT_DIALOG resources of the module it was created with; 0 when none fits.
int templateOf(HWND dialog);

}  // namespace vedrix::automation::desktop
