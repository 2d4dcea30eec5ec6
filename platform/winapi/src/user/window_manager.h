// The window manager's state, shared by the units of src/user and the dialog
// manager (src/dialog). Controls never include this: they use the public API.
//
// Handles. A window handle is an opaque number that is never given out twice
// in one run, so a stale handle fails (ERROR_INVALID_WINDOW_HANDLE) instead of
// reaching another window. Windows are kept alive by shared pointers while a
// message is being sent to them, so that a window procedure that destroys its
// own window returns safely.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vedrix::winapi {

// Sets the thread's last error through the kernel part, when it is linked.
void setLastError(DWORD code);

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    LPCSTR menuName = nullptr;  // an ordinal, or points into menuNameText
    std::string menuNameText;
    std::vector<unsigned char> extra;
    int windowCount = 0;
    bool system = false;  // registered by the platform itself (dialog, desktop)
};

struct ScrollBarState {
    bool used = false;  // set by a scroll function or WS_HSCROLL/WS_VSCROLL at creation
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    UINT disabledArrows = 0;  // ESB_ flags
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    RECT rect{};  // in the parent's client coordinates (screen coordinates for top-level)
    Window* parent = nullptr;  // the desktop for top-level windows
    HWND owner = nullptr;
    std::vector<Window*> children;  // z-order, topmost first
    UINT_PTR id = 0;                // GWLP_ID of a child window
    HMENU menu = nullptr;           // menu bar of a top-level window
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    std::vector<unsigned char> extra;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;
    DWORD helpId = 0;
    std::map<std::string, HANDLE> props;
    // Painting: the update region is kept as its bounding rectangle.
    bool updatePending = false;
    bool erasePending = false;
    RECT update{};
    unsigned paintSerial = 0;  // counts validations
    bool noRedraw = false;     // WM_SETREDRAW FALSE
    bool destroying = false;
    bool destroyed = false;
    RECT normalRect{};  // before maximising
    ScrollBarState hscroll;
    ScrollBarState vscroll;
    bool trackLeave = false;  // TrackMouseEvent(TME_LEAVE)
};

using WindowRef = std::shared_ptr<Window>;

// Looks a handle up; null for stale or foreign handles.
Window* findWindow(HWND hwnd);
WindowRef windowRef(HWND hwnd);
// Looks up and sets ERROR_INVALID_WINDOW_HANDLE when the handle is bad.
Window* checkWindow(HWND hwnd);
Window* desktopWindow();
bool isTopLevel(const Window* w);
Window* rootOf(Window* w);  // the top-level ancestor (the window itself if top-level)
bool isDescendant(const Window* ancestor, const Window* w);  // w below ancestor (or equal)
bool isReallyVisible(const Window* w);                       // it and all ancestors visible
POINT clientOrigin(const Window* w);                         // in screen coordinates
std::vector<HWND> childHandles(const Window* w);
std::vector<HWND> topLevelHandles();

// Class table.
std::shared_ptr<WindowClass> findClass(LPCSTR name);

// Messages.
LRESULT sendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void sendParentNotify(Window* child, UINT event, LPARAM lParam);
void invalidateWindow(Window* w, const RECT* rect, bool erase, bool children);
void validateWindow(Window* w, const RECT* rect);
void purgeMessagesFor(HWND hwnd);
HWND nextWindowToPaint(HWND filter);
unsigned paintSerialOf(HWND hwnd);
void validateIfUnpainted(HWND hwnd, unsigned serialBefore);
void killTimersFor(HWND hwnd);

// The virtual clock (milliseconds).
DWORD now();
DWORD nextTimerDue(bool* any);
void setNow(DWORD t);

// Activation and focus (focus.cpp).
HWND activeWindow();
HWND focusWindow();
HWND captureWindow();
void setActive(HWND hwnd, bool byClick);
// Activates another window when `leaving` (active) is hidden or destroyed: its
// owner when that can be active, else the topmost visible enabled window.
void chooseNewActive(Window* leaving);
// The window under a screen point, and its WM_NCHITTEST answer (geometry.cpp).
HWND windowFromScreenPoint(POINT screen, LRESULT* hitCode);
void forgetWindow(Window* w);  // before destruction: activation, focus and capture leave it

// Queue (messages.cpp).
struct InputEvent {
    MSG msg{};
    int vk = 0;  // key or mouse button whose state the message changes, 0 for none
    bool down = false;
};
void postInput(const InputEvent& event);
// Retrieves and dispatches everything queued, as a message loop does; inside a
// modal loop the innermost modal dialog filters through IsDialogMessageA.
void pumpQueue();
bool peekMessage(MSG* msg, HWND filter, UINT min, UINT max, UINT flags);

// The modal loops that are running, innermost last (dialog manager).
struct ModalLoop {
    HWND dialog = nullptr;
    int templateId = 0;
};
std::vector<ModalLoop>& modalLoops();
// Whether a window is a dialog made by the dialog manager, and whether the
// dialog manager wants it to filter its keyboard (dialog.cpp).
bool isDialogWindow(HWND hwnd);
// Whether a dialog was ended (EndDialog) or destroyed.
bool dialogEnded(HWND hwnd);

// Keyboard state after retrieval of the last input message (GetKeyState) and
// at once (GetAsyncKeyState).
BYTE* syncKeyState();
BYTE* asyncKeyState();

// Cursors (input.cpp).
POINT cursorPos();
void setCursorPosition(POINT p);
HCURSOR currentCursor();

// The character a key gives with the given keyboard state (US layout), or -1
// (input.cpp); TranslateMessage uses it.
int characterForKey(UINT vk, const BYTE* keyState);

// Resets the whole window system (desktop.h resetDesktop).
void resetWindows();
void resetMessages();
void resetInput();
void resetFocus();
void resetRecords();
void resetCaret();

// Weakly bound helpers of the other areas: null while those areas are missing.
namespace gdi {
HDC getDC(HWND hwnd);
void releaseDC(HWND hwnd, HDC dc);
int fillRect(HDC dc, const RECT* rect, HBRUSH brush);
COLORREF setTextColor(HDC dc, COLORREF color);
COLORREF setBkColor(HDC dc, COLORREF color);
HBRUSH createSolidBrush(COLORREF color);
HFONT createFont(int height, int weight, const char* face);
BOOL deleteObject(HGDIOBJ object);
HDC beginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL endPaint(HWND hwnd, const PAINTSTRUCT* ps);
}  // namespace gdi

}  // namespace vedrix::winapi
