// The person's hands on a real Windows API: mouse and keyboard input given
// with SendInput, the thread's message queue read and dispatched as a message
// loop does, and real time passing where the person waits.
//
// Input given with SendInput reaches the queue of the thread whose window
// receives it a little later, so each input call reads the queue until it
// has stayed empty for a moment (settle()).
#include "hands.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace vedrix::automation::hands {

namespace {

// How long the queue must stay empty after input before the program counts
// as having reacted, and how long settling may take at most (a program with
// a fast timer never leaves its queue empty for long).
constexpr DWORD kQuietMilliseconds = 10;
constexpr ULONGLONG kLongestSettle = 250;
constexpr int kMostMessagesPerPump = 10000;

bool isDialogWindow(HWND window) {
    char name[16] = {};
    return GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, "#32770") == 0;
}

// Dispatches one message as a dialog's or a window's message loop does.
void dispatch(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && isDialogWindow(root) && IsDialogMessageA(root, &msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

// Waits up to `milliseconds` for something in the queue; true when there is.
bool waitForMessages(DWORD milliseconds) {
    return MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT,
                                       MWMO_INPUTAVAILABLE) != WAIT_TIMEOUT;
}

// Pumps until the queue has been empty for kQuietMilliseconds.
void settle() {
    const ULONGLONG end = GetTickCount64() + kLongestSettle;
    do {
        pumpMessages();
    } while (waitForMessages(kQuietMilliseconds) && GetTickCount64() < end);
    pumpMessages();
}

void send(INPUT input) {
    SendInput(1, &input, sizeof input);
    settle();
}

// The normalised absolute coordinate (0..65535 across the primary screen) that
// maps back to pixel `pixel` of a screen `size` pixels wide.
LONG normalised(LONG pixel, int size) {
    return static_cast<LONG>((static_cast<LONGLONG>(pixel) * 65536 + size - 1) / std::max(size, 1));
}

DWORD buttonFlag(int button, bool down) {
    switch (button) {
        case RightButton:
            return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
        case MiddleButton:
            return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
        default:
            return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
}

INPUT mouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

// Keys whose scan code carries the extended-key prefix on a standard keyboard.
bool isExtendedKey(int vk) {
    static const int extended[] = {VK_INSERT,   VK_DELETE, VK_HOME,    VK_END,    VK_PRIOR,
                                   VK_NEXT,     VK_LEFT,   VK_RIGHT,   VK_UP,     VK_DOWN,
                                   VK_RCONTROL, VK_RMENU,  VK_NUMLOCK, VK_DIVIDE, VK_APPS};
    return std::find(std::begin(extended), std::end(extended), vk) != std::end(extended);
}

INPUT keyInput(int vk, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(vk);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(static_cast<UINT>(vk), MAPVK_VK_TO_VSC));
    input.ki.dwFlags =
        (down ? 0 : KEYEVENTF_KEYUP) | (isExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

// The last button press, so that a click is never taken as the second half
// of a double click.
struct Press {
    int button = -1;
    POINT at{};
    ULONGLONG time = 0;
};
Press lastPress;

// Lets the double-click time run out when the next press of `button` at
// `at` would otherwise complete a double click with the last one.
void waitOutDoubleClick(int button, POINT at) {
    if (lastPress.button != button) {
        return;
    }
    const ULONGLONG since = GetTickCount64() - lastPress.time;
    const ULONGLONG limit = GetDoubleClickTime();
    const bool inRectangle =
        std::abs(at.x - lastPress.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
        std::abs(at.y - lastPress.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (inRectangle && since <= limit) {
        letTimePass(static_cast<DWORD>(limit - since + 1));
    }
}

}  // namespace

POINT cursorPosition() {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

void moveMouse(POINT screen) {
    INPUT input = mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    send(input);
}

void pressButton(int button) {
    lastPress = Press{button, cursorPosition(), GetTickCount64()};
    send(mouseInput(buttonFlag(button, true)));
}

void releaseButton(int button) {
    send(mouseInput(buttonFlag(button, false)));
}

void click(POINT screen, int button) {
    waitOutDoubleClick(button, screen);
    moveMouse(screen);
    pressButton(button);
    releaseButton(button);
}

void doubleClick(POINT screen, int button) {
    click(screen, button);
    pressButton(button);
    releaseButton(button);
    // The pair is complete: a click right after it starts a new one.
    lastPress.button = -1;
}

void drag(POINT from, POINT to, int button, int step) {
    waitOutDoubleClick(button, from);
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
    lastPress.button = -1;
}

void keyDown(int vk) {
    send(keyInput(vk, true));
}

void keyUp(int vk) {
    send(keyInput(vk, false));
}

void pressKey(int vk) {
    keyDown(vk);
    keyUp(vk);
}

void typeChar(char c) {
    const SHORT key = VkKeyScanA(c);
    if (key == -1) {
        // No key of the layout gives it: the character alone, as from an
        // input method.
        WCHAR wide = 0;
        MultiByteToWideChar(CP_ACP, 0, &c, 1, &wide, 1);
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = wide;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        send(input);
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
        send(input);
        return;
    }
    const int vk = key & 0xFF;
    const int shifts = (key >> 8) & 0xFF;
    if (shifts & 1) {
        keyDown(VK_SHIFT);
    }
    if (shifts & 2) {
        keyDown(VK_CONTROL);
    }
    if (shifts & 4) {
        keyDown(VK_MENU);
    }
    pressKey(vk);
    if (shifts & 4) {
        keyUp(VK_MENU);
    }
    if (shifts & 2) {
        keyUp(VK_CONTROL);
    }
    if (shifts & 1) {
        keyUp(VK_SHIFT);
    }
}

void letTimePass(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        pumpMessages();
        const ULONGLONG now = GetTickCount64();
        if (now >= end) {
            return;
        }
        waitForMessages(static_cast<DWORD>(end - now));
    }
}

void pumpMessages() {
    MSG msg;
    // A queue that never runs empty (a paint handler that never validates
    // gets WM_PAINT again and again) must not hold the person for ever.
    int left = kMostMessagesPerPump;
    while (left-- > 0 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // It belongs to the loop that waits for it: put it back.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        dispatch(msg);
    }
}

namespace {

BOOL CALLBACK destroyWindow(HWND window, LPARAM) {
    DestroyWindow(window);
    return TRUE;
}

}  // namespace

void resetDesktop() {
    for (int button : {LeftButton, RightButton, MiddleButton}) {
        if (GetAsyncKeyState(button == LeftButton    ? VK_LBUTTON
                             : button == RightButton ? VK_RBUTTON
                                                     : VK_MBUTTON) < 0) {
            releaseButton(button);
        }
    }
    for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
        if (GetAsyncKeyState(vk) < 0) {
            keyUp(vk);
        }
    }
    ReleaseCapture();
    EnumThreadWindows(GetCurrentThreadId(), destroyWindow, 0);
    pumpMessages();
    lastPress.button = -1;
}

std::string cursorName() {
    struct Named {
        LPCSTR id;
        const char* name;
    };
    static const Named system[] = {{IDC_ARROW, "IDC_ARROW"},
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
                                   {IDC_HELP, "IDC_HELP"}};
    HCURSOR now = GetCursor();
    for (const Named& cursor : system) {
        if (now && LoadCursorA(nullptr, cursor.id) == now) {
            return cursor.name;
        }
    }
    return "";
}

}  // namespace vedrix::automation::hands
