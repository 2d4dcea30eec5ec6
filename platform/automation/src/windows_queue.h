// What the real platform's hands and screen share: telling dialogs apart and
// telling the person's own timer from the program's messages.
#pragma once

#include <windows.h>

namespace vedrix::automation::windows {

// Whether a window is of the dialog class (#32770: dialogs and message boxes).
bool isDialogWindow(HWND hwnd);
// Whether a message is the tick of the person's own timer (which comes on
// its own and says nothing about the program).
bool isPersonTick(const MSG& msg);
// The number of the dialog template `dialog` was made from, found among the
// RT_DIALOG resources of the module it was created with; 0 when none fits.
int templateOf(HWND dialog);

}  // namespace vedrix::automation::windows
