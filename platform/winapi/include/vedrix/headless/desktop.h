// The headless desktop: the person in front of the screen, for tests and the
// automation layer. Everything here is deterministic: the same calls give the
// same messages, in the same order, on every run.
//
// Input
// - The person moves the one mouse cursor and holds the one keyboard. Each
//   input call turns the event into the messages that real input produces and
//   then dispatches everything queued (pumpMessages), so that when it returns
//   the program has reacted.
// - Mouse messages go to the window that has the capture or else to the
//   window under the cursor (WindowFromPoint rules, <winuser.h>): a child
//   window that is disabled passes them to its parent; a disabled top-level
//   window (e.g. the owner of a modal dialog) gets WM_SETCURSOR with HTERROR
//   and nothing else (DefWindowProcA beeps for a button press). Without
//   capture the window first gets WM_SETCURSOR (hit-test code, mouse message);
//   a button press on a window whose top-level window is not active sends
//   WM_MOUSEACTIVATE and activates it (WA_CLICKACTIVE) unless the answer says
//   otherwise. Client messages carry client coordinates in lParam and MK_
//   flags of the held buttons and Shift/Ctrl in wParam; a hit test answer
//   other than HTCLIENT gives the WM_NC* messages with screen coordinates.
//   Pressing a button on a child window (without WS_EX_NOPARENTNOTIFY) sends
//   WM_PARENTNOTIFY to its ancestors.
// - A second press of the same button within the double-click time
//   (GetDoubleClickTime(), 500 ms of the virtual clock) and the double-click
//   rectangle (SM_CXDOUBLECLK x SM_CYDOUBLECLK around the first) on the same
//   window gives WM_xBUTTONDBLCLK when the window's class has CS_DBLCLKS.
//   click() is a single click: the next press never counts as its second
//   click; doubleClick() is press, release, press, release.
// - DefWindowProcA answers WM_RBUTTONUP with WM_CONTEXTMENU (screen
//   coordinates), which child windows pass on to their parent.
// - Keys go to the focus window (to the active window as WM_SYSKEY* when no
//   window has the focus); Alt held, F10 and Alt itself give WM_SYSKEYDOWN/UP.
//   lParam carries repeat count 1, the scan code, the extended-key flag, the
//   context (Alt) flag, the previous state and the transition state.
//   TranslateMessage turns key presses into WM_CHAR with a US keyboard layout
//   (Shift, Caps Lock and Ctrl applied). GetKeyState reflects the keys as of
//   the last input message read from the queue, GetAsyncKeyState at once.
// - typeChar presses (and releases) the key that gives the character, with
//   Shift when needed; a character that no key gives (e.g. 'ä') arrives as a
//   WM_CHAR alone, as from an input method.
//
// Modal loops
// - DialogBoxParamA and friends run their loop until EndDialog. When the
//   queue is empty the loop calls the modal hook once (per loop): the hook is
//   the person acting inside the dialog. When the hook returns (or when there
//   is none) and the dialog still runs, the loop sends it WM_COMMAND IDCANCEL
//   (BN_CLICKED) and, if it still runs after that, ends it with IDCANCEL
//   itself, so that no loop waits forever. A loop inside the hook (a second
//   dialog opened by a click) calls the hook again with its own dialog.
// - A loop finishes only when its hook has returned: input given after the
//   script ended the dialog still reaches the dialog's windows, so a script
//   should stop once it has closed its dialog. advanceTime inside a hook
//   stops early (the clock stays where it is) when the hook's dialog ends.
//
// Message boxes and menus
// - MessageBoxA returns the next queued answer, or the box's default button:
//   the first button of its type, or the second/third with MB_DEFBUTTON2/3
//   (e.g. MB_OKCANCEL gives IDOK, with MB_DEFBUTTON2 IDCANCEL; MB_YESNO gives
//   IDYES). A queued answer is returned as it is. Every box is recorded with
//   its text, its caption ("Error" when none is given, as the platform shows
//   it), style and owner. A message box sends no messages.
// - TrackPopupMenu(Ex) sends the owner WM_ENTERMENULOOP and WM_INITMENUPOPUP,
//   records the menu as then shown, takes the next queued answer (0 when none
//   is queued: the menu is dismissed), sends WM_UNINITMENUPOPUP and
//   WM_EXITMENULOOP, and then either returns the command (TPM_RETURNCMD) or
//   posts it to the owner as WM_COMMAND and returns TRUE. An answer that is not
//   an enabled command item of the menu (or its submenus) dismisses it.
//
// Time
// - The clock is virtual, starts at 0 and moves only with advanceTime: it steps
//   to each timer's due time in turn and dispatches the WM_TIMER messages
//   (ordered by due time, then by creation), then to the end of the interval.
//   Input does not move the clock. GetMessageTime gives the clock's value when
//   the message was queued; GetTickCount and GetTickCount64 give its value now.
//   Sleep returns at once and moves the clock on by the time slept, without
//   dispatching anything (timers that fell due fire in the next loop).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vedrix::headless {

// ---------------------------------------------------------------------------
// Modal loops

// Called inside a modal loop when it is idle, once per loop; templateId is
// the dialog template's resource number (0 for a template that is not a
// numbered resource). An empty function removes the hook.
using ModalHook = std::function<void(HWND dialog, int templateId)>;
VEDRIX_WINAPI_VISIBLE void setModalHook(ModalHook hook);
// The dialogs whose modal loops run now, innermost last.
VEDRIX_WINAPI_VISIBLE std::vector<HWND> modalDialogs();

// ---------------------------------------------------------------------------
// Input

enum MouseButton { LeftButton = 0, RightButton = 1, MiddleButton = 2 };

VEDRIX_WINAPI_VISIBLE POINT cursorPosition();
VEDRIX_WINAPI_VISIBLE void moveMouse(POINT screen);
VEDRIX_WINAPI_VISIBLE void pressButton(int button);
VEDRIX_WINAPI_VISIBLE void releaseButton(int button);
// Moves there (if not there), presses and releases.
VEDRIX_WINAPI_VISIBLE void click(POINT screen, int button = LeftButton);
VEDRIX_WINAPI_VISIBLE void doubleClick(POINT screen, int button = LeftButton);
// Presses, moves in steps of at most `step` pixels, releases.
VEDRIX_WINAPI_VISIBLE void drag(POINT from, POINT to, int button = LeftButton, int step = 4);
// The centre of a window, in screen coordinates (for click(center(hwnd))).
VEDRIX_WINAPI_VISIBLE POINT center(HWND hwnd);
VEDRIX_WINAPI_VISIBLE void keyDown(int vk);
VEDRIX_WINAPI_VISIBLE void keyUp(int vk);
// keyDown then keyUp.
VEDRIX_WINAPI_VISIBLE void pressKey(int vk);
VEDRIX_WINAPI_VISIBLE void typeChar(char c);
VEDRIX_WINAPI_VISIBLE void typeText(const std::string& text);
// Reads and dispatches everything queued (posted and input messages, paints
// and due timers), through IsDialogMessageA for dialogs, as a message loop.
VEDRIX_WINAPI_VISIBLE void pumpMessages();

// ---------------------------------------------------------------------------
// Message boxes, menus, sounds, help

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    UINT style = 0;
    HWND owner = nullptr;
    int answer = 0;
};
VEDRIX_WINAPI_VISIBLE void queueMessageBoxAnswer(int answer);
VEDRIX_WINAPI_VISIBLE std::vector<MessageBoxRecord> messageBoxes();

struct MenuItemRecord {
    std::string text;  // "" for separators
    UINT id = 0;       // command identifier; 0 for separators and popups
    UINT state = 0;    // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR, MF_POPUP...
};
struct MenuRecord {
    std::vector<std::string> items;  // item texts in order, "" for separators
    std::vector<MenuItemRecord> entries;
    POINT position{};  // screen coordinates given to TrackPopupMenu
    HWND owner = nullptr;
    UINT flags = 0;   // TPM_ flags
    UINT chosen = 0;  // the command chosen, 0 when dismissed
};
VEDRIX_WINAPI_VISIBLE void queueMenuAnswer(UINT command);
VEDRIX_WINAPI_VISIBLE std::vector<MenuRecord> menus();

// MessageBeep types, in order.
VEDRIX_WINAPI_VISIBLE std::vector<UINT> beeps();

struct HelpCall {
    HWND window = nullptr;
    std::string file;
    UINT command = 0;
    ULONG_PTR data = 0;
};
VEDRIX_WINAPI_VISIBLE std::vector<HelpCall> helpCalls();

// Clears the records (message boxes, menus, beeps, help calls) and the queued
// answers.
VEDRIX_WINAPI_VISIBLE void resetRecords();

// Puts the whole desktop back to its start: destroys every window, empties
// the queue, removes timers, the modal hook, records and queued answers,
// releases keys and buttons, puts the cursor at (0, 0) and the clock at 0,
// and resets the drawing (<vedrix/headless/drawing.h> resetDrawing: the
// drawing record, memory-context recording and a drag in progress).
VEDRIX_WINAPI_VISIBLE void resetDesktop();

// ---------------------------------------------------------------------------
// Cursor and caret

// The cursor last set with SetCursor (null when none).
VEDRIX_WINAPI_VISIBLE HCURSOR currentCursor();
// "IDC_ARROW", "IDC_NO", ... for the system cursors; "#<id>" for a cursor
// loaded from a module's resources; "" for anything else.
VEDRIX_WINAPI_VISIBLE std::string cursorName(HCURSOR cursor);
// How often ShowCursor was called with TRUE minus FALSE (0 at the start).
VEDRIX_WINAPI_VISIBLE int cursorShowCount();

struct CaretState {
    HWND owner = nullptr;  // null when no caret exists
    POINT position{};
    SIZE size{};
    bool visible = false;  // ShowCaret called as often as HideCaret (and once more)
};
VEDRIX_WINAPI_VISIBLE CaretState caret();

// ---------------------------------------------------------------------------
// Time

VEDRIX_WINAPI_VISIBLE DWORD virtualTime();
VEDRIX_WINAPI_VISIBLE void advanceTime(DWORD milliseconds);

}  // namespace vedrix::headless
