// The person's hands on a real Windows API: the mouse and the keyboard
// through SendInput, real time, and the thread's own message queue dispatched
// after each event until it stays quiet, so that the program has reacted when
// a call returns. Modal loops, message boxes and menus are in
// screen_windows.cpp.
#include "hands.h"
#include "windows_queue.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <set>
#include <vector>

namespace vedrix::automation::windows {

bool isDialogWindow(HWND hwnd) {
    char name[16] = {};
    return GetClassNameA(hwnd, name, sizeof name) > 0 && lstrcmpA(name, "#32770") == 0;
}

}  // namespace vedrix::automation::windows

namespace vedrix::automation::hands {

namespace {

using windows::isDialogWindow;
using windows::isPersonTick;

// How long the queue must stay empty before the program counts as done with
// an event, and how long the person waits for that at most.
constexpr DWORD kQuietMs = 20;
constexpr DWORD kSettleLimitMs = 2000;

struct Press {
    DWORD time = 0;
    POINT point{};
    int button = -1;
};

struct InputState {
    std::set<int> keysDown;
    int buttonsDown = 0;  // bit per button
    Press lastPress;
    // A press whose button is still held and the cursor still inside the
    // drag rectangle around it: the control pressed may be tracking the
    // mouse in a loop of its own (drag detection), which the next input ends.
    bool tracking = false;
};

InputState& input() {
    static InputState state;
    return state;
}

// Dispatches what is queued now, as a modal loop would; false when nothing was.
bool dispatchQueued() {
    bool any = false;
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Left for the loop that waits for it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        any = any || !isPersonTick(msg);
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && isDialogWindow(root) && IsDialogMessageA(root, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return any;
}

// Dispatches until nothing has arrived for kQuietMs: input given with
// SendInput reaches the queue a little later than the call returns.
void settle() {
    DWORD start = GetTickCount();
    DWORD quietSince = start;
    while (GetTickCount() - start < kSettleLimitMs) {
        if (dispatchQueued()) {
            quietSince = GetTickCount();
            continue;
        }
        DWORD now = GetTickCount();
        if (now - quietSince >= kQuietMs) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kQuietMs - (now - quietSince), QS_ALLINPUT);
    }
}

void send(INPUT in) {
    SendInput(1, &in, sizeof in);
}

DWORD buttonFlag(int button, bool down) {
    switch (button) {
        case 1:
            return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
        case 2:
            return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
        default:
            return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
}

// Sends button events as one batch: a control that tracks the mouse after a
// press (drag detection) finds the release already queued.
void mouseButtons(int button, std::initializer_list<bool> downs) {
    std::vector<INPUT> events;
    for (bool down : downs) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = buttonFlag(button, down);
        events.push_back(in);
        if (down) {
            input().buttonsDown |= 1 << button;
        } else {
            input().buttonsDown &= ~(1 << button);
        }
    }
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

bool insideDragRectangle(POINT p) {
    const Press& press = input().lastPress;
    return std::abs(p.x - press.point.x) <= GetSystemMetrics(SM_CXDRAG) &&
           std::abs(p.y - press.point.y) <= GetSystemMetrics(SM_CYDRAG);
}

// Coordinates of a point in SendInput's absolute space (0..65535 across the
// virtual screen).
LONG normalised(LONG value, int origin, int extent) {
    if (extent <= 1) {
        return 0;
    }
    return static_cast<LONG>((static_cast<long long>(value - origin) * 65535 + (extent - 2)) /
                             (extent - 1));
}

// Keys whose scan code carries the extended flag (arrows, the block above
// them, the right-hand Ctrl and Alt).
bool isExtendedKey(int vk) {
    static const std::initializer_list<int> extended = {
        VK_LEFT,   VK_RIGHT,  VK_UP,       VK_DOWN,  VK_HOME,   VK_END,     VK_PRIOR,    VK_NEXT,
        VK_INSERT, VK_DELETE, VK_RCONTROL, VK_RMENU, VK_DIVIDE, VK_NUMLOCK, VK_SNAPSHOT, VK_APPS};
    return std::find(extended.begin(), extended.end(), vk) != extended.end();
}

bool isHeld(int vk) {
    return (GetAsyncKeyState(vk) & 0x8000) != 0;
}

INPUT keyEvent(int vk, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(vk);
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(static_cast<UINT>(vk), MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (isExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

// Sends the key and waits for the program to react. A held modifier that
// the system let go meanwhile (a window system may set the modifiers to its
// own keyboard's state when a window takes the focus) is pressed again, a
// few times at most, so that the keys after it see it held.
void key(int vk, bool down) {
    const INPUT in = keyEvent(vk, down);
    const bool modifier = vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU;
    for (int attempt = 0; attempt < 3; ++attempt) {
        send(in);
        settle();
        if (!modifier || !down || isHeld(vk)) {
            break;
        }
    }
    if (down) {
        input().keysDown.insert(vk);
    } else {
        input().keysDown.erase(vk);
    }
}

// What a press waits beyond the double-click time: the system's stamp and
// the tick count read here may round to different milliseconds.
constexpr DWORD kDoubleClickMarginMs = 10;

// A press at `p` that the system would take as the second half of the last
// click waits until the double-click time has passed since that click's
// stamp.
void keepApartFromLastPress(POINT p, int button) {
    const Press& last = input().lastPress;
    if (last.button != button) {
        return;
    }
    DWORD elapsed = GetTickCount() - last.time;
    DWORD limit = GetDoubleClickTime();
    bool inRectangle = std::abs(p.x - last.point.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                       std::abs(p.y - last.point.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (inRectangle && elapsed <= limit + kDoubleClickMarginMs) {
        letTimePass(limit + kDoubleClickMarginMs - elapsed + 1);
    }
}

// Notes a press just given. The system stamps an event with the time it
// takes it in, which lies before SendInput returns; the tick count read
// after the call is therefore no earlier than the stamp, so that waiting
// from it never falls short (read before the call, a slow call would let
// the next press land within the double-click time).
void notePress(POINT p, int button) {
    input().lastPress = Press{GetTickCount(), p, button};
}

}  // namespace

POINT cursorPosition() {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

void moveMouse(POINT screen) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = normalised(screen.x, GetSystemMetrics(SM_XVIRTUALSCREEN),
                          GetSystemMetrics(SM_CXVIRTUALSCREEN));
    in.mi.dy = normalised(screen.y, GetSystemMetrics(SM_YVIRTUALSCREEN),
                          GetSystemMetrics(SM_CYVIRTUALSCREEN));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    send(in);
    if (input().tracking && insideDragRectangle(screen)) {
        // The press is not handled before the mouse leaves the rectangle
        // (or the button comes up); waiting for it here would wait forever.
        return;
    }
    input().tracking = false;
    settle();
    POINT now = cursorPosition();
    if (now.x != screen.x || now.y != screen.y) {
        // Rounding of the absolute space put it a pixel off; the cursor is
        // placed exactly (SetCursorPos moves it as input does).
        SetCursorPos(screen.x, screen.y);
        settle();
    }
}

void pressButton(int button) {
    POINT p = cursorPosition();
    keepApartFromLastPress(p, button);
    mouseButtons(button, {true});
    notePress(p, button);
    input().tracking = true;
}

void releaseButton(int button) {
    mouseButtons(button, {false});
    input().tracking = false;
    settle();
}

void click(POINT screen, int button) {
    POINT now = cursorPosition();
    if (now.x != screen.x || now.y != screen.y) {
        moveMouse(screen);
    }
    keepApartFromLastPress(screen, button);
    mouseButtons(button, {true, false});
    notePress(screen, button);
    settle();
}

// The keys go down and up in the same batch of input as the button: events
// of one SendInput call reach the input stream in order, with no other
// input between them, so the button messages are made while the keys are
// down (their wParam carries MK_SHIFT, MK_CONTROL).
void clickWith(POINT screen, const std::vector<int>& keys, int button) {
    POINT now = cursorPosition();
    if (now.x != screen.x || now.y != screen.y) {
        moveMouse(screen);
    }
    keepApartFromLastPress(screen, button);
    std::vector<INPUT> events;
    for (int vk : keys) {
        events.push_back(keyEvent(vk, true));
    }
    for (bool down : {true, false}) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = buttonFlag(button, down);
        events.push_back(in);
    }
    for (auto vk = keys.rbegin(); vk != keys.rend(); ++vk) {
        events.push_back(keyEvent(*vk, false));
    }
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
    notePress(screen, button);
    settle();
}

void doubleClick(POINT screen, int button) {
    POINT now = cursorPosition();
    if (now.x != screen.x || now.y != screen.y) {
        moveMouse(screen);
    }
    keepApartFromLastPress(screen, button);
    // The second press counts as the first's second half.
    mouseButtons(button, {true, false, true, false});
    input().lastPress = Press{};
    settle();
}

// The press waits out the double-click time after the last click, and is
// remembered as the last press: the system pairs the next press near it
// into a double click wherever the release was, so the next click there
// waits in turn.
void drag(POINT from, POINT to, int button, int step) {
    moveMouse(from);
    pressButton(button);
    step = std::max(1, step);
    POINT p = from;
    auto approach = [step](LONG a, LONG b) {
        return a < b ? std::min(b, a + step) : std::max(b, a - step);
    };
    while (p.x != to.x || p.y != to.y) {
        p.x = approach(p.x, to.x);
        p.y = approach(p.y, to.y);
        moveMouse(p);
    }
    releaseButton(button);
}

void keyDown(int vk) {
    key(vk, true);
}

void keyUp(int vk) {
    key(vk, false);
}

void pressKey(int vk) {
    keyDown(vk);
    keyUp(vk);
}

void typeChar(char c) {
    SHORT scan = VkKeyScanA(c);
    if (scan == -1) {
        // No key gives it: it arrives as a character alone, as from an input method.
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wScan = static_cast<WORD>(static_cast<unsigned char>(c));
        in.ki.dwFlags = KEYEVENTF_UNICODE;
        send(in);
        in.ki.dwFlags |= KEYEVENTF_KEYUP;
        send(in);
        settle();
        return;
    }
    int vk = LOBYTE(scan);
    int shifts = HIBYTE(scan);
    // With caps lock on, a letter takes Shift for the other case.
    if (IsCharAlphaA(c) && (GetKeyState(VK_CAPITAL) & 1) != 0) {
        shifts ^= 1;
    }
    if (shifts & 1) {
        keyDown(VK_SHIFT);
    }
    pressKey(vk);
    if (shifts & 1) {
        keyUp(VK_SHIFT);
    }
}

void pumpMessages() {
    dispatchQueued();
}

void letTimePass(DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        dispatchQueued();
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

std::string cursorName() {
    HCURSOR current = GetCursor();
    if (!current) {
        return "";
    }
    struct Named {
        LPCSTR id;
        const char* name;
    };
    static const Named shapes[] = {
        {IDC_ARROW, "IDC_ARROW"},
        {IDC_IBEAM, "IDC_IBEAM"},
        {IDC_WAIT, "IDC_WAIT"},
        {IDC_CROSS, "IDC_CROSS"},
        {IDC_UPARROW, "IDC_UPARROW"},
        {IDC_SIZENWSE, "IDC_SIZENWSE"},
        {IDC_SIZENESW, "IDC_SIZENESW"},
        {IDC_SIZEWE, "IDC_SIZEWE"},
        {IDC_SIZENS, "IDC_SIZENS"},
        {IDC_SIZEALL, "IDC_SIZEALL"},
        {IDC_NO, "IDC_NO"},
        {IDC_HAND, "IDC_HAND"},
        {IDC_APPSTARTING, "IDC_APPSTARTING"},
        {IDC_HELP, "IDC_HELP"},
    };
    for (const Named& shape : shapes) {
        if (LoadCursorA(nullptr, shape.id) == current) {
            return shape.name;
        }
    }
    return "";
}

BOOL CALLBACK destroyWindow(HWND hwnd, LPARAM) {
    DestroyWindow(hwnd);
    return TRUE;
}

void resetDesktop() {
    std::set<int> keys = input().keysDown;
    for (int vk : keys) {
        keyUp(vk);
    }
    for (int button = 0; button < 3; ++button) {
        if (input().buttonsDown & (1 << button)) {
            releaseButton(button);
        }
    }
    input().lastPress = Press{};
    input().tracking = false;
    ReleaseCapture();
    EnumThreadWindows(GetCurrentThreadId(), destroyWindow, 0);
    settle();
}

}  // namespace vedrix::automation::hands
