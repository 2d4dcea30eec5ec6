// The person's hands as each platform gives them: the one mouse, the one
// keyboard, the clock and the message loop that lets the program react.
//
// The automation layer's input (input.cpp), drags and item scripts act only
// through these calls. On the headless desktop they are its own input
// functions (hands_headless.cpp); on a real Windows API they are real input
// given with SendInput and messages read from the thread's queue
// (hands_windows.cpp). Either way, when a call returns, everything the input
// caused has been dispatched.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vedrix::automation::hands {

// Mouse buttons, numbered as the automation layer's Button.
enum { LeftButton = 0, RightButton = 1, MiddleButton = 2 };

POINT cursorPosition();
void moveMouse(POINT screen);
void pressButton(int button);
void releaseButton(int button);
// Moves there, presses and releases; never the second half of a double click.
void click(POINT screen, int button);
// The same with `keys` held down from before the press until after the
// release (pressed in order, released in reverse).
void clickWith(POINT screen, const std::vector<int>& keys, int button);
// Moves there and presses and releases twice, within the double-click time.
void doubleClick(POINT screen, int button);
// Presses at `from`, moves to `to` in steps of at most `step` pixels and
// releases; the press is never the second half of a double click, nor is
// the next one.
void drag(POINT from, POINT to, int button, int step);

void keyDown(int vk);
void keyUp(int vk);
void pressKey(int vk);
// The key that gives the character (with Shift when it needs it), or the
// character alone when no key gives it.
void typeChar(char c);

// Lets that much time pass; timers that fall due meanwhile run.
void letTimePass(DWORD milliseconds);
// Reads and dispatches everything queued, dialogs' messages through
// IsDialogMessageA, as a message loop does.
void pumpMessages();
// Puts the desktop back to its start: every window of the program destroyed,
// keys and buttons released, the queue emptied (and, headless, the clock, the
// records and the cursor at (0, 0): headless::resetDesktop()).
void resetDesktop();
// The cursor shape as the person sees it: "IDC_ARROW", "IDC_NO"..., "#<id>"
// for a cursor from a module's resources, "" when it is none of these.
std::string cursorName();

}  // namespace vedrix::automation::hands
