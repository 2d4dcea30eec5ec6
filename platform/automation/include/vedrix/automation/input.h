// The person's hands: the one mouse and the one keyboard, and the time that
// passes while the person waits.
//
// On the headless desktop every call goes through <vedrix/headless/desktop.h>
// and time is its virtual clock; on a real Windows API the input is given
// with SendInput and time is real. Either way the event becomes the messages
// that real input produces (WM_SETCURSOR, WM_MOUSEMOVE, WM_xBUTTONDOWN/UP,
// WM_KEYDOWN/WM_CHAR/WM_KEYUP...) and everything queued is dispatched before
// the call returns, so the program has reacted by then. On Windows a click at
// the place of the last one within the double-click time waits it out first,
// so that it never becomes a double click, and a press is handled once the
// mouse leaves the drag rectangle or the button comes up (controls that
// detect a drag after a press wait for that input).
//
// Where the person aims is a Place: a point on the screen, worked out only
// when the person acts (a Control, a TreeItem and a ListRow each convert to
// the Place a person would aim at). A place that a person cannot see (a
// hidden window, an item inside a collapsed branch) throws AutomationError
// instead of clicking somewhere else.
#pragma once

#include <vedrix/automation/export.h>

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vedrix::automation {

// A script asked for something that is not on the screen (a control, an
// item, a row) or cannot be done there. Inside a dialog script it ends the
// script; the Person records the message and the dialog is cancelled.
class VEDRIX_AUTOMATION_API AutomationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Button { Left = 0, Right = 1, Middle = 2 };

// Where the person puts the mouse, in screen coordinates.
class VEDRIX_AUTOMATION_API Place {
public:
    // A fixed point on the screen.
    Place(POINT screen);
    // A point found when it is needed (after scrolling, moving...).
    Place(std::function<POINT()> resolve, std::string description);

    POINT point() const;
    // "item \"Storey 2\" of tree 1001", "(120, 44)": for error messages.
    const std::string& description() const { return description_; }
    // The same place moved by (dx, dy) pixels.
    Place offset(int dx, int dy) const;

private:
    std::function<POINT()> resolve_;
    std::string description_;
};

// ---------------------------------------------------------------------------
// Mouse

// Moves the cursor there (one WM_MOUSEMOVE, or WM_SETCURSOR + WM_MOUSEMOVE to
// the window under it).
VEDRIX_AUTOMATION_API void moveTo(const Place& place);
// Moves there in steps of at most `step` pixels, one WM_MOUSEMOVE each.
VEDRIX_AUTOMATION_API void glideTo(const Place& place, int step = 4);
// Moves there, presses and releases. Never the second half of a double click.
VEDRIX_AUTOMATION_API void click(const Place& place, Button button = Button::Left);
// Moves there, presses, releases, presses, releases: the second press arrives
// as WM_xBUTTONDBLCLK where the window's class has CS_DBLCLKS.
VEDRIX_AUTOMATION_API void doubleClick(const Place& place, Button button = Button::Left);
// A right click: WM_RBUTTONDOWN/UP, and (through DefWindowProc) WM_CONTEXTMENU.
VEDRIX_AUTOMATION_API void rightClick(const Place& place);
// A click with keys held: clickWith(place, {VK_CONTROL}) is a Ctrl+click.
VEDRIX_AUTOMATION_API void clickWith(const Place& place, std::initializer_list<int> keys,
                                     Button button = Button::Left);
// Presses at `from`, moves to `to` in steps of at most `step` pixels, releases.
VEDRIX_AUTOMATION_API void drag(const Place& from, const Place& to, Button button = Button::Left,
                                int step = 4);
VEDRIX_AUTOMATION_API void pressButton(Button button);
VEDRIX_AUTOMATION_API void releaseButton(Button button);
VEDRIX_AUTOMATION_API POINT cursorPosition();
// The centre of a window, in screen coordinates: where a person clicks it.
VEDRIX_AUTOMATION_API POINT centerOf(HWND window);

// ---------------------------------------------------------------------------
// Keyboard (to the window with the focus)

// Presses and releases one key (VK_RETURN, VK_F2, 'A'...).
VEDRIX_AUTOMATION_API void pressKey(int vk);
// Holds every key but the last, presses the last, releases the others in
// reverse: pressKeys({VK_CONTROL, VK_HOME}).
VEDRIX_AUTOMATION_API void pressKeys(std::initializer_list<int> chord);
// Types each character with the key that gives it (Shift as needed); a
// character that no key of the US layout gives arrives as WM_CHAR alone.
VEDRIX_AUTOMATION_API void type(std::string_view text);

// One key down or up alone (HeldKeys releases what it holds by itself).
VEDRIX_AUTOMATION_API void keyDown(int vk);
VEDRIX_AUTOMATION_API void keyUp(int vk);

// Keys held down for a scope: { HeldKeys ctrl{VK_CONTROL}; click(...); }.
// Released in reverse order when the scope ends (or by release()).
class VEDRIX_AUTOMATION_API HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys);
    explicit HeldKeys(const std::vector<int>& keys);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;
    void release();

private:
    std::vector<int> keys_;
};

// ---------------------------------------------------------------------------
// Time and what the person sees

// Lets `milliseconds` pass (on the headless desktop's virtual clock, or in
// real time); timers that fall due run.
VEDRIX_AUTOMATION_API void wait(DWORD milliseconds);
// Waits the double-click time (GetDoubleClickTime()): a click on a selected
// label then turns into a label edit.
VEDRIX_AUTOMATION_API void waitPastDoubleClickTime();
// The cursor shape as the person sees it: "IDC_ARROW", "IDC_NO"..., "#<id>"
// for a cursor from a module's resources, "" when none was set.
VEDRIX_AUTOMATION_API std::string cursorName();
// Reads and dispatches everything queued, as the program's message loop
// would, for a test that posted messages itself.
VEDRIX_AUTOMATION_API void pumpMessages();
// The window under a screen point (WindowFromPoint).
VEDRIX_AUTOMATION_API HWND windowAt(POINT screen);

// Puts the desktop back to its start for the next test: every window of the
// program destroyed, keys and buttons released, the queue emptied (headless
// also the clock, timers and records), and the active Person reset
// (Person::reset()) when there is one.
VEDRIX_AUTOMATION_API void resetDesktop();

}  // namespace vedrix::automation
