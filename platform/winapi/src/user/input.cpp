// The person's input: mouse, keyboard, cursor and caret
// (<vedrix/headless/desktop.h> describes what each input call produces).
#include "user/window_manager.h"

#include "dialog/resources.h"
#include <vedrix/headless/desktop.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vedrix::winapi {

namespace {

// ---------------------------------------------------------------------------
// Keyboard layout: US, scan codes of set 1.

struct KeyInfo {
    int vk;
    BYTE scan;
    bool extended;
    char plain;
    char shifted;
};

const KeyInfo kKeys[] = {
    {VK_ESCAPE, 0x01, false, 0x1B, 0x1B},
    {'1', 0x02, false, '1', '!'},
    {'2', 0x03, false, '2', '@'},
    {'3', 0x04, false, '3', '#'},
    {'4', 0x05, false, '4', '$'},
    {'5', 0x06, false, '5', '%'},
    {'6', 0x07, false, '6', '^'},
    {'7', 0x08, false, '7', '&'},
    {'8', 0x09, false, '8', '*'},
    {'9', 0x0A, false, '9', '('},
    {'0', 0x0B, false, '0', ')'},
    {VK_OEM_MINUS, 0x0C, false, '-', '_'},
    {VK_OEM_PLUS, 0x0D, false, '=', '+'},
    {VK_BACK, 0x0E, false, 0x08, 0x08},
    {VK_TAB, 0x0F, false, '\t', '\t'},
    {'Q', 0x10, false, 'q', 'Q'},
    {'W', 0x11, false, 'w', 'W'},
    {'E', 0x12, false, 'e', 'E'},
    {'R', 0x13, false, 'r', 'R'},
    {'T', 0x14, false, 't', 'T'},
    {'Y', 0x15, false, 'y', 'Y'},
    {'U', 0x16, false, 'u', 'U'},
    {'I', 0x17, false, 'i', 'I'},
    {'O', 0x18, false, 'o', 'O'},
    {'P', 0x19, false, 'p', 'P'},
    {VK_OEM_4, 0x1A, false, '[', '{'},
    {VK_OEM_6, 0x1B, false, ']', '}'},
    {VK_RETURN, 0x1C, false, '\r', '\r'},
    {VK_CONTROL, 0x1D, false, 0, 0},
    {VK_LCONTROL, 0x1D, false, 0, 0},
    {VK_RCONTROL, 0x1D, true, 0, 0},
    {'A', 0x1E, false, 'a', 'A'},
    {'S', 0x1F, false, 's', 'S'},
    {'D', 0x20, false, 'd', 'D'},
    {'F', 0x21, false, 'f', 'F'},
    {'G', 0x22, false, 'g', 'G'},
    {'H', 0x23, false, 'h', 'H'},
    {'J', 0x24, false, 'j', 'J'},
    {'K', 0x25, false, 'k', 'K'},
    {'L', 0x26, false, 'l', 'L'},
    {VK_OEM_1, 0x27, false, ';', ':'},
    {VK_OEM_7, 0x28, false, '\'', '"'},
    {VK_OEM_3, 0x29, false, '`', '~'},
    {VK_SHIFT, 0x2A, false, 0, 0},
    {VK_LSHIFT, 0x2A, false, 0, 0},
    {VK_OEM_5, 0x2B, false, '\\', '|'},
    {'Z', 0x2C, false, 'z', 'Z'},
    {'X', 0x2D, false, 'x', 'X'},
    {'C', 0x2E, false, 'c', 'C'},
    {'V', 0x2F, false, 'v', 'V'},
    {'B', 0x30, false, 'b', 'B'},
    {'N', 0x31, false, 'n', 'N'},
    {'M', 0x32, false, 'm', 'M'},
    {VK_OEM_COMMA, 0x33, false, ',', '<'},
    {VK_OEM_PERIOD, 0x34, false, '.', '>'},
    {VK_OEM_2, 0x35, false, '/', '?'},
    {VK_RSHIFT, 0x36, false, 0, 0},
    {VK_MULTIPLY, 0x37, false, '*', '*'},
    {VK_MENU, 0x38, false, 0, 0},
    {VK_LMENU, 0x38, false, 0, 0},
    {VK_RMENU, 0x38, true, 0, 0},
    {VK_SPACE, 0x39, false, ' ', ' '},
    {VK_CAPITAL, 0x3A, false, 0, 0},
    {VK_F1, 0x3B, false, 0, 0},
    {VK_F2, 0x3C, false, 0, 0},
    {VK_F3, 0x3D, false, 0, 0},
    {VK_F4, 0x3E, false, 0, 0},
    {VK_F5, 0x3F, false, 0, 0},
    {VK_F6, 0x40, false, 0, 0},
    {VK_F7, 0x41, false, 0, 0},
    {VK_F8, 0x42, false, 0, 0},
    {VK_F9, 0x43, false, 0, 0},
    {VK_F10, 0x44, false, 0, 0},
    {VK_NUMLOCK, 0x45, false, 0, 0},
    {VK_SCROLL, 0x46, false, 0, 0},
    {VK_NUMPAD7, 0x47, false, '7', '7'},
    {VK_NUMPAD8, 0x48, false, '8', '8'},
    {VK_NUMPAD9, 0x49, false, '9', '9'},
    {VK_SUBTRACT, 0x4A, false, '-', '-'},
    {VK_NUMPAD4, 0x4B, false, '4', '4'},
    {VK_NUMPAD5, 0x4C, false, '5', '5'},
    {VK_NUMPAD6, 0x4D, false, '6', '6'},
    {VK_ADD, 0x4E, false, '+', '+'},
    {VK_NUMPAD1, 0x4F, false, '1', '1'},
    {VK_NUMPAD2, 0x50, false, '2', '2'},
    {VK_NUMPAD3, 0x51, false, '3', '3'},
    {VK_NUMPAD0, 0x52, false, '0', '0'},
    {VK_DECIMAL, 0x53, false, '.', '.'},
    {VK_F11, 0x57, false, 0, 0},
    {VK_F12, 0x58, false, 0, 0},
    {VK_DIVIDE, 0x35, true, '/', '/'},
    {VK_HOME, 0x47, true, 0, 0},
    {VK_UP, 0x48, true, 0, 0},
    {VK_PRIOR, 0x49, true, 0, 0},
    {VK_LEFT, 0x4B, true, 0, 0},
    {VK_CLEAR, 0x4C, false, 0, 0},
    {VK_RIGHT, 0x4D, true, 0, 0},
    {VK_END, 0x4F, true, 0, 0},
    {VK_DOWN, 0x50, true, 0, 0},
    {VK_NEXT, 0x51, true, 0, 0},
    {VK_INSERT, 0x52, true, 0, 0},
    {VK_DELETE, 0x53, true, 0, 0},
    {VK_LWIN, 0x5B, true, 0, 0},
    {VK_RWIN, 0x5C, true, 0, 0},
    {VK_APPS, 0x5D, true, 0, 0},
};

const KeyInfo* keyInfo(int vk) {
    for (const auto& k : kKeys) {
        if (k.vk == vk) {
            return &k;
        }
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Cursors

struct SystemCursor {
    WORD id;
    const char* name;
};

const SystemCursor kSystemCursors[] = {
    {32512, "IDC_ARROW"},  {32513, "IDC_IBEAM"},    {32514, "IDC_WAIT"},
    {32515, "IDC_CROSS"},  {32516, "IDC_UPARROW"},  {32640, "IDC_SIZE"},
    {32641, "IDC_ICON"},   {32642, "IDC_SIZENWSE"}, {32643, "IDC_SIZENESW"},
    {32644, "IDC_SIZEWE"}, {32645, "IDC_SIZENS"},   {32646, "IDC_SIZEALL"},
    {32648, "IDC_NO"},     {32649, "IDC_HAND"},     {32650, "IDC_APPSTARTING"},
    {32651, "IDC_HELP"},
};

constexpr std::uintptr_t kSystemCursorBase = 0x7C000000;
constexpr std::uintptr_t kModuleCursorBase = 0x7D000000;

struct ModuleCursor {
    HMODULE module;
    WORD id;
};

struct InputState {
    BYTE sync[256]{};
    BYTE async[256]{};
    // Alt went down and no other key has come up since: releasing Alt then
    // is a system key (WM_SYSKEYUP); after Alt+key it is a plain WM_KEYUP.
    bool altAlone = false;
    POINT cursor{0, 0};
    HCURSOR current = nullptr;
    int showCount = 0;
    bool clipped = false;
    RECT clip{};
    std::vector<ModuleCursor> moduleCursors;
    // Double clicks.
    int lastButton = -1;
    DWORD lastTime = 0;
    POINT lastPoint{};
    HWND lastWindow = nullptr;
    UINT doubleClickTime = 500;
    // TrackMouseEvent(TME_LEAVE)
    HWND leaveTracked = nullptr;
    // Caret
    HWND caretOwner = nullptr;
    POINT caretPos{};
    SIZE caretSize{};
    int caretHidden = 1;
};

InputState& input() {
    static InputState* s = new InputState;
    return *s;
}

const int kButtonVk[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
const UINT kButtonDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
const UINT kButtonUp[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
const UINT kButtonDbl[3] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};

bool down(int vk) {
    return (input().async[vk] & 0x80) != 0;
}

void setAsync(int vk, bool isDown) {
    BYTE* s = input().async;
    auto set = [&](int k) {
        if (isDown) {
            if (!(s[k] & 0x80)) {
                s[k] ^= 0x01;
            }
            s[k] |= 0x80;
        } else {
            s[k] &= static_cast<BYTE>(~0x80);
        }
    };
    set(vk);
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) {
        set(VK_SHIFT);
    } else if (vk == VK_LCONTROL || vk == VK_RCONTROL) {
        set(VK_CONTROL);
    } else if (vk == VK_LMENU || vk == VK_RMENU) {
        set(VK_MENU);
    }
}

WPARAM mouseKeys() {
    WPARAM k = 0;
    if (down(VK_LBUTTON)) {
        k |= MK_LBUTTON;
    }
    if (down(VK_RBUTTON)) {
        k |= MK_RBUTTON;
    }
    if (down(VK_MBUTTON)) {
        k |= MK_MBUTTON;
    }
    if (down(VK_SHIFT)) {
        k |= MK_SHIFT;
    }
    if (down(VK_CONTROL)) {
        k |= MK_CONTROL;
    }
    return k;
}

void postMouse(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, int vk, bool isDown) {
    InputEvent e;
    e.msg.hwnd = hwnd;
    e.msg.message = msg;
    e.msg.wParam = wParam;
    e.msg.lParam = lParam;
    e.msg.time = now();
    e.msg.pt = input().cursor;
    e.vk = vk;
    e.down = isDown;
    postInput(e);
}

// Finds the window that receives mouse input at the cursor. Returns false
// when the input is refused (a disabled top-level window).
bool mouseTarget(UINT clientMsg, HWND* target, LRESULT* hit) {
    POINT pt = input().cursor;
    if (HWND cap = captureWindow()) {
        *target = cap;
        *hit = HTCLIENT;
        return true;
    }
    *target = windowFromScreenPoint(pt, hit);
    Window* w = findWindow(*target);
    if (!w) {
        *target = nullptr;
        return false;
    }
    // The outermost disabled window on the way down takes the point: a
    // disabled child passes the input to its parent; a disabled top-level
    // window refuses it.
    Window* disabled = nullptr;
    for (Window* a = w; a && a != desktopWindow(); a = a->parent) {
        if (a->style & WS_DISABLED) {
            disabled = a;
        }
    }
    if (!disabled) {
        return true;
    }
    if (isTopLevel(disabled)) {
        *target = disabled->handle;
        sendMessage(disabled->handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(disabled->handle),
                    MAKELPARAM(static_cast<WORD>(HTERROR), clientMsg));
        return false;
    }
    *target = disabled->parent->handle;
    *hit = HTCLIENT;
    return true;
}

bool classWantsDoubleClicks(HWND hwnd) {
    Window* w = findWindow(hwnd);
    return w && (w->cls->style & CS_DBLCLKS);
}

void mouseEvent(UINT clientMsg, int button, bool isDown) {
    InputState& s = input();
    if (button >= 0) {
        setAsync(kButtonVk[button], isDown);
    }
    HWND target = nullptr;
    LRESULT hit = HTNOWHERE;
    bool accepted = mouseTarget(clientMsg, &target, &hit);
    if (s.leaveTracked && s.leaveTracked != target) {
        HWND left = s.leaveTracked;
        s.leaveTracked = nullptr;
        if (Window* lw = findWindow(left)) {
            lw->trackLeave = false;
            postMouse(left, WM_MOUSELEAVE, 0, 0, 0, false);
        }
    }
    if (!accepted || !target) {
        return;
    }
    bool captured = captureWindow() == target;
    if (!captured) {
        sendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                    MAKELPARAM(static_cast<WORD>(hit), clientMsg));
        if (!findWindow(target)) {
            return;
        }
    }
    bool press = button >= 0 && isDown;
    if (press && !captured) {
        Window* root = rootOf(findWindow(target));
        if (root && root->handle != activeWindow()) {
            LRESULT ma =
                sendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root->handle),
                            MAKELPARAM(static_cast<WORD>(hit), clientMsg));
            if (ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT || ma == 0) {
                setActive(root->handle, true);
            }
            if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT || !findWindow(target)) {
                return;
            }
        }
    }
    bool client = captured || hit == HTCLIENT;
    UINT msg = clientMsg;
    if (press) {
        DWORD t = now();
        bool dbl = s.lastButton == button && s.lastWindow == target &&
                   t - s.lastTime <= s.doubleClickTime &&
                   std::abs(s.cursor.x - s.lastPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                   std::abs(s.cursor.y - s.lastPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2 &&
                   (!client || classWantsDoubleClicks(target));
        if (dbl) {
            msg = kButtonDbl[button];
            s.lastButton = -1;
        } else {
            s.lastButton = button;
            s.lastTime = t;
            s.lastPoint = s.cursor;
            s.lastWindow = target;
        }
    }
    WPARAM wParam;
    LPARAM lParam;
    if (client) {
        POINT p = s.cursor;
        ScreenToClient(target, &p);
        wParam = mouseKeys();
        lParam = MAKELPARAM(p.x, p.y);
        if (press) {
            Window* w = findWindow(target);
            if (w && (w->style & WS_CHILD)) {
                sendParentNotify(w, msg == kButtonDbl[button] ? kButtonDown[button] : msg, lParam);
            }
        }
    } else {
        msg = msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        wParam = static_cast<WPARAM>(hit);
        lParam = MAKELPARAM(s.cursor.x, s.cursor.y);
    }
    if (findWindow(target)) {
        postMouse(target, msg, wParam, lParam, button >= 0 ? kButtonVk[button] : 0, isDown);
    }
}

HWND keyTarget(bool* noFocus) {
    HWND f = focusWindow();
    *noFocus = f == nullptr;
    return f ? f : activeWindow();
}

void keyEvent(int vk, bool isDown) {
    if (vk <= 0 || vk > 254) {
        return;
    }
    bool was = down(vk);
    setAsync(vk, isDown);
    int generic = vk;
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) {
        generic = VK_SHIFT;
    } else if (vk == VK_LCONTROL || vk == VK_RCONTROL) {
        generic = VK_CONTROL;
    } else if (vk == VK_LMENU || vk == VK_RMENU) {
        generic = VK_MENU;
    }
    bool noFocus = false;
    HWND target = keyTarget(&noFocus);
    if (!target) {
        // Nobody listens; the keyboard state still changes.
        BYTE* sync = syncKeyState();
        sync[vk] = input().async[vk];
        sync[generic] = input().async[generic];
        return;
    }
    bool alt = down(VK_MENU);
    bool ctrl = down(VK_CONTROL);
    bool sys = (alt && !ctrl) || generic == VK_MENU || vk == VK_F10 || noFocus;
    if (generic == VK_MENU) {
        sys = isDown || input().altAlone || noFocus;
        input().altAlone = isDown && !ctrl;
    } else if (!isDown && sys) {
        input().altAlone = false;
    }
    const KeyInfo* k = keyInfo(vk);
    LPARAM lParam = 1;
    if (k) {
        lParam |= static_cast<LPARAM>(k->scan) << 16;
        if (k->extended) {
            lParam |= 1L << 24;
        }
    }
    if (alt) {
        lParam |= 1L << 29;
    }
    if (isDown ? was : true) {
        lParam |= 1L << 30;
    }
    if (!isDown) {
        lParam |= static_cast<LPARAM>(1UL << 31);
    }
    InputEvent e;
    e.msg.hwnd = target;
    e.msg.message = isDown ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    e.msg.wParam = static_cast<WPARAM>(generic);
    e.msg.lParam = static_cast<LPARAM>(static_cast<DWORD>(lParam));
    e.msg.time = now();
    e.msg.pt = input().cursor;
    e.vk = vk;
    e.down = isDown;
    postInput(e);
}

}  // namespace

int characterForKey(UINT vk, const BYTE* state) {
    bool shift = state[VK_SHIFT] & 0x80;
    bool caps = state[VK_CAPITAL] & 0x01;
    bool ctrl = state[VK_CONTROL] & 0x80;
    bool alt = state[VK_MENU] & 0x80;
    if (ctrl && alt) {
        return -1;
    }
    if (ctrl) {
        if (vk >= 'A' && vk <= 'Z') {
            return static_cast<int>(vk - 'A' + 1);
        }
        switch (vk) {
            case VK_OEM_4:
                return 0x1B;
            case VK_OEM_5:
                return 0x1C;
            case VK_OEM_6:
                return 0x1D;
            case VK_RETURN:
                return 0x0A;
            case VK_BACK:
                return 0x7F;
            case VK_ESCAPE:
                return 0x1B;
            case VK_SPACE:
                return ' ';
            default:
                return -1;
        }
    }
    const KeyInfo* k = keyInfo(static_cast<int>(vk));
    if (!k || !k->plain) {
        return -1;
    }
    if (vk >= 'A' && vk <= 'Z') {
        return static_cast<unsigned char>((shift != caps) ? k->shifted : k->plain);
    }
    return static_cast<unsigned char>(shift ? k->shifted : k->plain);
}

BYTE* syncKeyState() {
    return input().sync;
}

BYTE* asyncKeyState() {
    return input().async;
}

POINT cursorPos() {
    return input().cursor;
}

void setCursorPosition(POINT p) {
    InputState& s = input();
    RECT bounds = s.clipped ? s.clip : RECT{0, 0, 1920, 1080};
    p.x = std::clamp<LONG>(p.x, bounds.left, std::max(bounds.left, bounds.right - 1));
    p.y = std::clamp<LONG>(p.y, bounds.top, std::max(bounds.top, bounds.bottom - 1));
    s.cursor = p;
}

HCURSOR currentCursor() {
    return input().current;
}

void resetInput() {
    InputState& s = input();
    UINT dbl = s.doubleClickTime;
    s = InputState{};
    s.doubleClickTime = dbl;
}

void resetCaret() {
    InputState& s = input();
    s.caretOwner = nullptr;
    s.caretHidden = 1;
}

}  // namespace vedrix::winapi

using namespace vedrix::winapi;

namespace vedrix::headless {

POINT cursorPosition() {
    return input().cursor;
}

void moveMouse(POINT screen) {
    setCursorPosition(screen);
    mouseEvent(WM_MOUSEMOVE, -1, false);
    pumpQueue();
}

void pressButton(int button) {
    if (button < 0 || button > 2) {
        return;
    }
    mouseEvent(kButtonDown[button], button, true);
    pumpQueue();
}

void releaseButton(int button) {
    if (button < 0 || button > 2) {
        return;
    }
    mouseEvent(kButtonUp[button], button, false);
    pumpQueue();
}

void click(POINT screen, int button) {
    POINT c = input().cursor;
    if (c.x != screen.x || c.y != screen.y) {
        moveMouse(screen);
    }
    pressButton(button);
    releaseButton(button);
    input().lastButton = -1;
}

void doubleClick(POINT screen, int button) {
    POINT c = input().cursor;
    if (c.x != screen.x || c.y != screen.y) {
        moveMouse(screen);
    }
    input().lastButton = -1;
    pressButton(button);
    releaseButton(button);
    pressButton(button);
    releaseButton(button);
}

void drag(POINT from, POINT to, int button, int step) {
    step = std::max(1, step);
    moveMouse(from);
    pressButton(button);
    POINT p = from;
    while (p.x != to.x || p.y != to.y) {
        auto approach = [&](LONG a, LONG b) {
            return a < b ? std::min(b, a + step) : std::max(b, a - step);
        };
        p.x = approach(p.x, to.x);
        p.y = approach(p.y, to.y);
        moveMouse(p);
    }
    releaseButton(button);
    input().lastButton = -1;
}

POINT center(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void keyDown(int vk) {
    keyEvent(vk, true);
    pumpQueue();
}

void keyUp(int vk) {
    keyEvent(vk, false);
    pumpQueue();
}

void pressKey(int vk) {
    keyDown(vk);
    keyUp(vk);
}

void typeChar(char c) {
    SHORT scan = VkKeyScanA(c);
    if (scan == -1) {
        bool noFocus = false;
        HWND target = keyTarget(&noFocus);
        if (target) {
            PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
            pumpQueue();
        }
        return;
    }
    int vk = LOBYTE(scan);
    bool needShift = (HIBYTE(scan) & 1) != 0;
    bool needCtrl = (HIBYTE(scan) & 2) != 0;
    bool shiftHeld = down(VK_SHIFT);
    bool capsOn = (input().async[VK_CAPITAL] & 1) != 0;
    if (vk >= 'A' && vk <= 'Z' && capsOn) {
        needShift = !needShift;
    }
    if (needShift && !shiftHeld) {
        keyDown(VK_SHIFT);
    } else if (!needShift && shiftHeld) {
        keyUp(VK_SHIFT);
    }
    if (needCtrl) {
        keyDown(VK_CONTROL);
    }
    pressKey(vk);
    if (needCtrl) {
        keyUp(VK_CONTROL);
    }
    if (needShift && !shiftHeld) {
        keyUp(VK_SHIFT);
    } else if (!needShift && shiftHeld) {
        keyDown(VK_SHIFT);
    }
}

void typeText(const std::string& text) {
    for (char c : text) {
        typeChar(c);
    }
}

void pumpMessages() {
    pumpQueue();
}

HCURSOR currentCursor() {
    return vedrix::winapi::currentCursor();
}

std::string cursorName(HCURSOR cursor) {
    auto v = reinterpret_cast<std::uintptr_t>(cursor);
    if (v >= kSystemCursorBase && v < kSystemCursorBase + 0x10000) {
        for (const auto& c : kSystemCursors) {
            if (c.id == v - kSystemCursorBase) {
                return c.name;
            }
        }
    }
    const auto& mc = input().moduleCursors;
    if (v >= kModuleCursorBase && v < kModuleCursorBase + mc.size()) {
        return "#" + std::to_string(mc[v - kModuleCursorBase].id);
    }
    return "";
}

int cursorShowCount() {
    return input().showCount;
}

CaretState caret() {
    InputState& s = input();
    CaretState c;
    if (s.caretOwner && IsWindow(s.caretOwner)) {
        c.owner = s.caretOwner;
        c.position = s.caretPos;
        c.size = s.caretSize;
        c.visible = s.caretHidden <= 0;
    }
    return c;
}

DWORD virtualTime() {
    return now();
}

void advanceTime(DWORD milliseconds) {
    DWORD target = now() + milliseconds;
    // Waiting inside a modal loop ends when that dialog ends: the loop has to
    // finish before anything else can happen.
    HWND dialog = modalLoops().empty() ? nullptr : modalLoops().back().dialog;
    auto dialogDone = [&] { return dialog && dialogEnded(dialog); };
    // Each timer fires at most once per step and moves at least 10 ms ahead,
    // so this ends; the bound guards against a clock that wraps.
    for (int guard = 0; guard < 1000000 && !dialogDone(); ++guard) {
        bool any = false;
        DWORD due = nextTimerDue(&any);
        if (!any || due > target) {
            break;
        }
        if (due > now()) {
            setNow(due);
        }
        pumpQueue();
    }
    if (dialogDone()) {
        return;
    }
    setNow(target);
    pumpQueue();
}

}  // namespace vedrix::headless

extern "C" {

SHORT WINAPI GetKeyState(int nVirtKey) {
    if (nVirtKey < 0 || nVirtKey > 255) {
        return 0;
    }
    BYTE s = syncKeyState()[nVirtKey];
    return static_cast<SHORT>(((s & 0x80) ? 0xFF80 : 0) | (s & 0x01));
}

SHORT WINAPI GetAsyncKeyState(int vKey) {
    if (vKey < 0 || vKey > 255) {
        return 0;
    }
    return static_cast<SHORT>((asyncKeyState()[vKey] & 0x80) ? 0x8000 : 0);
}

BOOL WINAPI GetKeyboardState(BYTE* lpKeyState) {
    if (!lpKeyState) {
        return FALSE;
    }
    std::memcpy(lpKeyState, syncKeyState(), 256);
    return TRUE;
}

BOOL WINAPI SetKeyboardState(LPBYTE lpKeyState) {
    if (!lpKeyState) {
        return FALSE;
    }
    std::memcpy(syncKeyState(), lpKeyState, 256);
    return TRUE;
}

UINT WINAPI MapVirtualKeyA(UINT uCode, UINT uMapType) {
    switch (uMapType) {
        case MAPVK_VK_TO_VSC: {
            const KeyInfo* k = keyInfo(static_cast<int>(uCode));
            return k ? k->scan : 0;
        }
        case MAPVK_VSC_TO_VK:
        case MAPVK_VSC_TO_VK_EX:
            for (const auto& k : kKeys) {
                if (k.scan == uCode && !k.extended) {
                    return static_cast<UINT>(k.vk);
                }
            }
            return 0;
        case MAPVK_VK_TO_CHAR: {
            const KeyInfo* k = keyInfo(static_cast<int>(uCode));
            if (!k || !k->plain) {
                return 0;
            }
            if (uCode >= 'A' && uCode <= 'Z') {
                return uCode;
            }
            return static_cast<unsigned char>(k->plain);
        }
        default:
            return 0;
    }
}

SHORT WINAPI VkKeyScanA(CHAR ch) {
    for (const auto& k : kKeys) {
        if (k.extended || k.vk == VK_MULTIPLY || k.vk == VK_SUBTRACT || k.vk == VK_ADD ||
            k.vk == VK_DECIMAL || (k.vk >= VK_NUMPAD0 && k.vk <= VK_NUMPAD9)) {
            continue;
        }
        if (k.plain && k.plain == ch) {
            return static_cast<SHORT>(k.vk);
        }
        if (k.shifted && k.shifted == ch && k.shifted != k.plain) {
            return static_cast<SHORT>(k.vk | 0x100);
        }
    }
    if (ch >= 1 && ch <= 26 && ch != '\b' && ch != '\t' && ch != '\r') {
        return static_cast<SHORT>(('A' + ch - 1) | 0x200);
    }
    return -1;
}

UINT WINAPI GetDoubleClickTime(void) {
    return input().doubleClickTime;
}

BOOL WINAPI SetDoubleClickTime(UINT uInterval) {
    input().doubleClickTime = uInterval ? uInterval : 500;
    return TRUE;
}

BOOL WINAPI TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) {
    if (!lpEventTrack || lpEventTrack->cbSize != sizeof(TRACKMOUSEEVENT)) {
        setLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    InputState& s = input();
    if (lpEventTrack->dwFlags & TME_QUERY) {
        lpEventTrack->dwFlags = s.leaveTracked ? TME_LEAVE : 0;
        lpEventTrack->hwndTrack = s.leaveTracked;
        return TRUE;
    }
    Window* w = checkWindow(lpEventTrack->hwndTrack);
    if (!w) {
        return FALSE;
    }
    if (lpEventTrack->dwFlags & TME_CANCEL) {
        if ((lpEventTrack->dwFlags & TME_LEAVE) && s.leaveTracked == lpEventTrack->hwndTrack) {
            s.leaveTracked = nullptr;
            w->trackLeave = false;
        }
        return TRUE;
    }
    if (lpEventTrack->dwFlags & TME_LEAVE) {
        // The cursor must be over the window, else WM_MOUSELEAVE comes at once.
        HWND under = windowFromScreenPoint(s.cursor, nullptr);
        if (under != lpEventTrack->hwndTrack) {
            PostMessageA(lpEventTrack->hwndTrack, WM_MOUSELEAVE, 0, 0);
            return TRUE;
        }
        s.leaveTracked = lpEventTrack->hwndTrack;
        w->trackLeave = true;
    }
    return TRUE;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    WORD id = 0;
    if (!resourceNumber(lpCursorName, &id)) {
        setLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    if (!hInstance) {
        for (const auto& c : kSystemCursors) {
            if (c.id == id) {
                return reinterpret_cast<HCURSOR>(kSystemCursorBase + id);
            }
        }
        setLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    if (!findResource(hInstance, 1 /* RT_CURSOR */, id)) {
        setLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    auto& mc = input().moduleCursors;
    for (size_t i = 0; i < mc.size(); ++i) {
        if (mc[i].module == hInstance && mc[i].id == id) {
            return reinterpret_cast<HCURSOR>(kModuleCursorBase + i);
        }
    }
    mc.push_back(ModuleCursor{hInstance, id});
    return reinterpret_cast<HCURSOR>(kModuleCursorBase + mc.size() - 1);
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
    HCURSOR old = input().current;
    input().current = hCursor;
    return old;
}

HCURSOR WINAPI GetCursor(void) {
    return input().current;
}

BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
    if (!lpPoint) {
        return FALSE;
    }
    *lpPoint = input().cursor;
    return TRUE;
}

BOOL WINAPI SetCursorPos(int X, int Y) {
    setCursorPosition(POINT{X, Y});
    mouseEvent(WM_MOUSEMOVE, -1, false);
    return TRUE;
}

int WINAPI ShowCursor(BOOL bShow) {
    return bShow ? ++input().showCount : --input().showCount;
}

BOOL WINAPI DestroyCursor(HCURSOR hCursor) {
    // Cursors loaded from the system or a module are shared and stay.
    return hCursor != nullptr;
}

BOOL WINAPI ClipCursor(const RECT* lpRect) {
    InputState& s = input();
    s.clipped = lpRect != nullptr;
    if (lpRect) {
        s.clip = *lpRect;
        setCursorPosition(s.cursor);
    }
    return TRUE;
}

BOOL WINAPI GetClipCursor(LPRECT lpRect) {
    if (!lpRect) {
        return FALSE;
    }
    *lpRect = input().clipped ? input().clip : RECT{0, 0, 1920, 1080};
    return TRUE;
}

BOOL WINAPI CreateCaret(HWND hWnd, HBITMAP, int nWidth, int nHeight) {
    if (!checkWindow(hWnd)) {
        return FALSE;
    }
    InputState& s = input();
    s.caretOwner = hWnd;
    s.caretPos = POINT{0, 0};
    s.caretSize = SIZE{nWidth ? nWidth : GetSystemMetrics(SM_CXBORDER),
                       nHeight ? nHeight : GetSystemMetrics(SM_CYBORDER)};
    s.caretHidden = 1;
    return TRUE;
}

BOOL WINAPI DestroyCaret(void) {
    InputState& s = input();
    if (!s.caretOwner) {
        return FALSE;
    }
    s.caretOwner = nullptr;
    s.caretHidden = 1;
    return TRUE;
}

BOOL WINAPI ShowCaret(HWND hWnd) {
    InputState& s = input();
    if (!s.caretOwner || !IsWindow(s.caretOwner) || (hWnd && hWnd != s.caretOwner)) {
        return FALSE;
    }
    if (s.caretHidden > 0) {
        --s.caretHidden;
    }
    return TRUE;
}

BOOL WINAPI HideCaret(HWND hWnd) {
    InputState& s = input();
    if (!s.caretOwner || !IsWindow(s.caretOwner) || (hWnd && hWnd != s.caretOwner)) {
        return FALSE;
    }
    ++s.caretHidden;
    return TRUE;
}

BOOL WINAPI SetCaretPos(int X, int Y) {
    InputState& s = input();
    if (!s.caretOwner) {
        return FALSE;
    }
    s.caretPos = POINT{X, Y};
    return TRUE;
}

BOOL WINAPI GetCaretPos(LPPOINT lpPoint) {
    InputState& s = input();
    if (!lpPoint || !s.caretOwner) {
        return FALSE;
    }
    *lpPoint = s.caretPos;
    return TRUE;
}

UINT WINAPI GetCaretBlinkTime(void) {
    return 530;
}

}  // extern "C"
