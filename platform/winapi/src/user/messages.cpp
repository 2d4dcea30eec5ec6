// Sending, posting, the message queue, timers and the virtual clock.
//
// One thread: a sent message calls the window procedure at once. Posted
// messages wait in the queue in FIFO order; input messages (keyboard and
// mouse, from <vedrix/headless/desktop.h>) wait in a queue of their own that
// is read after the posted messages, so that the WM_CHAR that TranslateMessage
// posts comes before the WM_KEYUP of the same key press. After them come
// WM_QUIT (PostQuitMessage), then WM_PAINT and WM_TIMER, which are generated
// when asked for, never posted.
//
// Time is virtual (milliseconds from 0; GetTickCount reads it) and moves only
// when the person waits (desktop.h advanceTime) or the program sleeps. A timer is due elapse
// milliseconds after it was set or last fired; a due timer produces one WM_TIMER however late it
// is. Timers therefore fire only while a loop is idle and time is advanced, in order of their due
// time (then of creation), and the clock steps from one due time to the next.
//
// GetMessageA on an empty queue would wait for a person forever; the headless
// system has nobody to wait for and answers WM_QUIT (return value 0) instead.
#include "user/window_manager.h"

#include <algorithm>

namespace vedrix::winapi {

namespace {

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    TIMERPROC proc = nullptr;
    DWORD due = 0;
    std::uint64_t order = 0;
};

struct Queue {
    std::deque<MSG> posted;
    std::deque<InputEvent> input;
    bool quit = false;
    WPARAM quitCode = 0;
    std::vector<Timer> timers;
    std::uint64_t timerOrder = 0;
    UINT_PTR nextThreadTimer = 1;
    DWORD clock = 0;
    MSG last{};
};

Queue& queue() {
    static Queue* q = new Queue;
    return *q;
}

bool inRange(UINT message, UINT min, UINT max) {
    return (min == 0 && max == 0) || (message >= min && message <= max);
}

bool matches(const MSG& m, HWND filter, UINT min, UINT max) {
    if (!inRange(m.message, min, max)) {
        return false;
    }
    if (!filter) {
        return true;
    }
    if (filter == reinterpret_cast<HWND>(-1)) {
        return m.hwnd == nullptr;
    }
    return m.hwnd == filter || IsChild(filter, m.hwnd);
}

void applyKeyChange(const InputEvent& e) {
    if (e.vk <= 0 || e.vk > 255) {
        return;
    }
    BYTE* s = syncKeyState();
    auto set = [&](int vk) {
        if (e.down) {
            if (!(s[vk] & 0x80)) {
                s[vk] ^= 0x01;  // toggled on every press
            }
            s[vk] |= 0x80;
        } else {
            s[vk] &= static_cast<BYTE>(~0x80);
        }
    };
    set(e.vk);
    switch (e.vk) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            set(VK_SHIFT);
            break;
        case VK_LCONTROL:
        case VK_RCONTROL:
            set(VK_CONTROL);
            break;
        case VK_LMENU:
        case VK_RMENU:
            set(VK_MENU);
            break;
        default:
            break;
    }
}

void remember(const MSG& m) {
    queue().last = m;
}

Timer* findTimer(HWND hwnd, UINT_PTR id) {
    for (auto& t : queue().timers) {
        if (t.hwnd == hwnd && t.id == id) {
            return &t;
        }
    }
    return nullptr;
}

}  // namespace

DWORD now() {
    return queue().clock;
}

void setNow(DWORD t) {
    queue().clock = t;
}

void postInput(const InputEvent& event) {
    queue().input.push_back(event);
}

void purgeMessagesFor(HWND hwnd) {
    auto& q = queue();
    q.posted.erase(std::remove_if(q.posted.begin(), q.posted.end(),
                                  [&](const MSG& m) { return m.hwnd == hwnd; }),
                   q.posted.end());
    // Input for a destroyed window still changes the keyboard state when read,
    // so it stays in the queue and is dropped by DispatchMessageA.
}

void killTimersFor(HWND hwnd) {
    auto& t = queue().timers;
    t.erase(std::remove_if(t.begin(), t.end(), [&](const Timer& x) { return x.hwnd == hwnd; }),
            t.end());
}

DWORD nextTimerDue(bool* any) {
    DWORD best = 0;
    *any = false;
    for (const auto& t : queue().timers) {
        if (!*any || t.due < best) {
            best = t.due;
            *any = true;
        }
    }
    return best;
}

bool peekMessage(MSG* msg, HWND filter, UINT min, UINT max, UINT flags) {
    auto& q = queue();
    bool remove = (flags & PM_REMOVE) != 0;
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
        if (matches(*it, filter, min, max)) {
            *msg = *it;
            if (remove) {
                q.posted.erase(it);
            }
            remember(*msg);
            return true;
        }
    }
    for (auto it = q.input.begin(); it != q.input.end(); ++it) {
        if (matches(it->msg, filter, min, max)) {
            *msg = it->msg;
            if (remove) {
                InputEvent e = *it;
                q.input.erase(it);
                applyKeyChange(e);
            }
            remember(*msg);
            return true;
        }
    }
    if (q.quit && inRange(WM_QUIT, min, max)) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = q.quitCode;
        msg->time = q.clock;
        msg->pt = cursorPos();
        if (remove) {
            q.quit = false;
        }
        return true;
    }
    if (inRange(WM_PAINT, min, max)) {
        if (HWND h = nextWindowToPaint(filter)) {
            *msg = MSG{};
            msg->hwnd = h;
            msg->message = WM_PAINT;
            msg->time = q.clock;
            msg->pt = cursorPos();
            remember(*msg);
            return true;
        }
    }
    if (inRange(WM_TIMER, min, max)) {
        Timer* best = nullptr;
        for (auto& t : q.timers) {
            MSG probe{};
            probe.hwnd = t.hwnd;
            probe.message = WM_TIMER;
            if (t.due > q.clock || !matches(probe, filter, min, max)) {
                continue;
            }
            if (!best || t.due < best->due || (t.due == best->due && t.order < best->order)) {
                best = &t;
            }
        }
        if (best) {
            *msg = MSG{};
            msg->hwnd = best->hwnd;
            msg->message = WM_TIMER;
            msg->wParam = best->id;
            msg->lParam = reinterpret_cast<LPARAM>(best->proc);
            msg->time = q.clock;
            msg->pt = cursorPos();
            if (remove) {
                best->due = q.clock + best->elapse;
            }
            remember(*msg);
            return true;
        }
    }
    return false;
}

void pumpQueue() {
    MSG msg;
    // A program that posts itself a message for every message it gets would
    // keep this busy forever; the bound ends such a pump.
    for (int guard = 0; guard < 100000; ++guard) {
        if (!peekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            return;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        HWND dialog = nullptr;
        if (!modalLoops().empty()) {
            dialog = modalLoops().back().dialog;
        } else if (Window* w = findWindow(msg.hwnd);
                   w && rootOf(w) && isDialogWindow(rootOf(w)->handle)) {
            dialog = rootOf(w)->handle;
        }
        if (dialog && IsWindow(dialog) && IsDialogMessageA(dialog, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void resetMessages() {
    auto& q = queue();
    q.posted.clear();
    q.input.clear();
    q.quit = false;
    q.quitCode = 0;
    q.timers.clear();
    q.clock = 0;
    q.last = MSG{};
}

LRESULT sendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowRef w = windowRef(hwnd);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    WNDPROC proc = w->proc;
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" {

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd == HWND_BROADCAST) {
        for (HWND h : topLevelHandles()) {
            sendMessage(h, Msg, wParam, lParam);
        }
        return 0;
    }
    return sendMessage(hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI SendMessageTimeoutA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT, UINT,
                                   DWORD_PTR* lpdwResult) {
    if (hWnd != HWND_BROADCAST && !checkWindow(hWnd)) {
        return 0;
    }
    LRESULT r = SendMessageA(hWnd, Msg, wParam, lParam);
    if (lpdwResult) {
        *lpdwResult = static_cast<DWORD_PTR>(r);
    }
    return 1;
}

BOOL WINAPI SendNotifyMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd != HWND_BROADCAST && !checkWindow(hWnd)) {
        return FALSE;
    }
    SendMessageA(hWnd, Msg, wParam, lParam);
    return TRUE;
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd == HWND_BROADCAST) {
        for (HWND h : topLevelHandles()) {
            PostMessageA(h, Msg, wParam, lParam);
        }
        return TRUE;
    }
    if (hWnd && !checkWindow(hWnd)) {
        return FALSE;
    }
    MSG m{};
    m.hwnd = hWnd;
    m.message = Msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = now();
    m.pt = cursorPos();
    queue().posted.push_back(m);
    return TRUE;
}

BOOL WINAPI PostThreadMessageA(DWORD, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return PostMessageA(nullptr, Msg, wParam, lParam);
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
    MSG m;
    if (!lpMsg || !peekMessage(&m, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg)) {
        return FALSE;
    }
    *lpMsg = m;
    return TRUE;
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (!lpMsg) {
        setLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (hWnd && hWnd != reinterpret_cast<HWND>(-1) && !checkWindow(hWnd)) {
        return -1;
    }
    MSG m;
    if (!peekMessage(&m, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE)) {
        m = MSG{};
        m.message = WM_QUIT;
        m.time = now();
        m.pt = cursorPos();
    }
    *lpMsg = m;
    return m.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI WaitMessage(void) {
    return TRUE;
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg) {
        return FALSE;
    }
    switch (lpMsg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            int ch = characterForKey(static_cast<UINT>(lpMsg->wParam), syncKeyState());
            if (ch >= 0) {
                MSG m = *lpMsg;
                m.message = lpMsg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
                m.wParam = static_cast<WPARAM>(ch);
                queue().posted.push_back(m);
            }
            return TRUE;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return TRUE;
        default:
            return FALSE;
    }
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    if (!lpMsg) {
        return 0;
    }
    if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        Timer* t = findTimer(lpMsg->hwnd, lpMsg->wParam);
        if (t && t->proc == proc) {
            proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, now());
        }
        return 0;
    }
    if (!lpMsg->hwnd) {
        return 0;
    }
    WindowRef w = windowRef(lpMsg->hwnd);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (lpMsg->message == WM_PAINT) {
        unsigned serial = w->paintSerial;
        LRESULT r = sendMessage(lpMsg->hwnd, WM_PAINT, lpMsg->wParam, lpMsg->lParam);
        validateIfUnpainted(lpMsg->hwnd, serial);
        return r;
    }
    return sendMessage(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam,
                               LPARAM lParam) {
    if (!lpPrevWndFunc) {
        return 0;
    }
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

VOID WINAPI PostQuitMessage(int nExitCode) {
    queue().quit = true;
    queue().quitCode = static_cast<WPARAM>(nExitCode);
}

BOOL WINAPI InSendMessage(void) {
    return FALSE;
}

BOOL WINAPI ReplyMessage(LRESULT) {
    return FALSE;
}

DWORD WINAPI GetQueueStatus(UINT flags) {
    auto& q = queue();
    DWORD status = 0;
    if (!q.posted.empty()) {
        status |= QS_POSTMESSAGE;
    }
    for (const auto& e : q.input) {
        UINT m = e.msg.message;
        if (m >= WM_KEYFIRST && m <= WM_KEYLAST) {
            status |= QS_KEY;
        } else if (m == WM_MOUSEMOVE) {
            status |= QS_MOUSEMOVE;
        } else {
            status |= QS_MOUSEBUTTON;
        }
    }
    if (nextWindowToPaint(nullptr)) {
        status |= QS_PAINT;
    }
    for (const auto& t : q.timers) {
        if (t.due <= q.clock) {
            status |= QS_TIMER;
        }
    }
    status &= flags;
    return MAKELONG(status, status);
}

BOOL WINAPI GetInputState(void) {
    return !queue().input.empty();
}

// The tick count is the virtual clock, so that time is the same on every run.
// Sleep returns at once and lets the clock run on by the time slept, without
// dispatching anything: timers that fell due are delivered by the next loop,
// and a program that waits for the tick count to move gets there.
DWORD WINAPI GetTickCount(void) {
    return now();
}

ULONGLONG WINAPI GetTickCount64(void) {
    return now();
}

void WINAPI Sleep(DWORD dwMilliseconds) {
    setNow(now() + dwMilliseconds);
}

LONG WINAPI GetMessageTime(void) {
    return static_cast<LONG>(queue().last.time);
}

DWORD WINAPI GetMessagePos(void) {
    const POINT& p = queue().last.pt;
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

LPARAM WINAPI GetMessageExtraInfo(void) {
    return 0;
}

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    auto& q = queue();
    if (hWnd && !checkWindow(hWnd)) {
        return 0;
    }
    UINT elapse = std::clamp<UINT>(uElapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    UINT_PTR id = nIDEvent;
    Timer* t = findTimer(hWnd, id);
    if (!hWnd && !t) {
        id = q.nextThreadTimer++;
    }
    if (!t) {
        q.timers.push_back(Timer{});
        t = &q.timers.back();
        t->hwnd = hWnd;
        t->id = id;
        t->order = q.timerOrder++;
    }
    t->elapse = elapse;
    t->proc = lpTimerFunc;
    t->due = q.clock + elapse;
    return hWnd ? (id ? id : 1) : id;
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    auto& t = queue().timers;
    auto it = std::find_if(t.begin(), t.end(),
                           [&](const Timer& x) { return x.hwnd == hWnd && x.id == uIDEvent; });
    if (it == t.end()) {
        setLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    t.erase(it);
    return TRUE;
}

}  // extern "C"
