// Activation, keyboard focus, mouse capture and enabling.
//
// - Activation changes send the window losing it WM_NCACTIVATE(FALSE) and
//   WM_ACTIVATE(WA_INACTIVE), then the focus window inside it WM_KILLFOCUS,
//   then the window gaining it WM_NCACTIVATE(TRUE) and WM_ACTIVATE(WA_ACTIVE
//   or WA_CLICKACTIVE); DefWindowProcA gives the focus to a window being
//   activated. The active window is brought to the top of the z-order.
// - SetFocus activates the top-level window that holds the new focus window
//   when it is not active, moves the focus, then sends WM_KILLFOCUS (with the
//   new focus window) to the old one, which already sees the new one with
//   GetFocus, and WM_SETFOCUS (with the old one) to the new one, unless the
//   focus moved on meanwhile. A disabled window cannot take the focus.
// - SetCapture and ReleaseCapture send WM_CAPTURECHANGED to the window that
//   loses the capture, after the capture changed.
// - EnableWindow(FALSE) sends WM_CANCELMODE first; the window then loses the
//   focus and the capture it holds; WM_ENABLE follows every change.
#include "user/window_manager.h"

#include <algorithm>

namespace vedrix::winapi {

namespace {

struct FocusState {
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
};

FocusState& state() {
    static FocusState s;
    return s;
}

void bringToTop(Window* w) {
    Window* parent = w->parent;
    if (!parent) {
        return;
    }
    auto& c = parent->children;
    c.erase(std::remove(c.begin(), c.end(), w), c.end());
    auto it = c.begin();
    if (!(w->exStyle & WS_EX_TOPMOST)) {
        while (it != c.end() && ((*it)->exStyle & WS_EX_TOPMOST)) {
            ++it;
        }
    }
    c.insert(it, w);
}

}  // namespace

HWND activeWindow() {
    return findWindow(state().active) ? state().active : nullptr;
}

HWND focusWindow() {
    return findWindow(state().focus) ? state().focus : nullptr;
}

HWND captureWindow() {
    return findWindow(state().capture) ? state().capture : nullptr;
}

void setActive(HWND hwnd, bool byClick) {
    Window* target = hwnd ? rootOf(findWindow(hwnd)) : nullptr;
    HWND newActive = target ? target->handle : nullptr;
    HWND old = activeWindow();
    if (newActive == old) {
        return;
    }
    if (old) {
        Window* o = findWindow(old);
        sendMessage(old, WM_NCACTIVATE, FALSE, 0);
        sendMessage(old, WM_ACTIVATE,
                    MAKEWPARAM(WA_INACTIVE, (o && (o->style & WS_MINIMIZE)) ? 1 : 0),
                    reinterpret_cast<LPARAM>(newActive));
    }
    state().active = newActive;
    if (Window* oldWin = findWindow(old)) {
        HWND f = focusWindow();
        if (f && isDescendant(oldWin, findWindow(f))) {
            state().focus = nullptr;
            sendMessage(f, WM_KILLFOCUS, 0, 0);
        }
    }
    if (!newActive || !findWindow(newActive)) {
        return;
    }
    Window* n = findWindow(newActive);
    bringToTop(n);
    sendMessage(newActive, WM_NCACTIVATE, TRUE, 0);
    if (findWindow(newActive)) {
        sendMessage(
            newActive, WM_ACTIVATE,
            MAKEWPARAM(byClick ? WA_CLICKACTIVE : WA_ACTIVE, (n->style & WS_MINIMIZE) ? 1 : 0),
            reinterpret_cast<LPARAM>(old));
    }
}

void forgetWindow(Window* w) {
    auto& s = state();
    if (Window* f = findWindow(s.focus); f && isDescendant(w, f)) {
        HWND old = s.focus;
        s.focus = nullptr;
        sendMessage(old, WM_KILLFOCUS, 0, 0);
    }
    if (Window* c = findWindow(s.capture); c && isDescendant(w, c)) {
        HWND old = s.capture;
        s.capture = nullptr;
        sendMessage(old, WM_CAPTURECHANGED, 0, 0);
    }
    if (s.active == w->handle) {
        chooseNewActive(w);
        if (s.active == w->handle) {
            s.active = nullptr;
        }
    }
}

void resetFocus() {
    state() = FocusState{};
}

}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" {

HWND WINAPI GetActiveWindow(void) {
    return activeWindow();
}

HWND WINAPI SetActiveWindow(HWND hWnd) {
    HWND old = activeWindow();
    if (hWnd && !checkWindow(hWnd)) {
        return nullptr;
    }
    setActive(hWnd, false);
    return old;
}

HWND WINAPI GetForegroundWindow(void) {
    return activeWindow();
}

BOOL WINAPI SetForegroundWindow(HWND hWnd) {
    if (!checkWindow(hWnd)) {
        return FALSE;
    }
    setActive(hWnd, false);
    return TRUE;
}

BOOL WINAPI FlashWindow(HWND hWnd, BOOL) {
    checkWindow(hWnd);
    return FALSE;
}

HWND WINAPI GetFocus(void) {
    return focusWindow();
}

HWND WINAPI SetFocus(HWND hWnd) {
    auto& s = state();
    HWND old = focusWindow();
    if (!hWnd) {
        if (old) {
            s.focus = nullptr;
            sendMessage(old, WM_KILLFOCUS, 0, 0);
        }
        return old;
    }
    WindowRef w = windowRef(hWnd);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (w.get() == desktopWindow()) {
        return nullptr;
    }
    for (Window* a = w.get(); a && a != desktopWindow(); a = a->parent) {
        if (a->style & WS_DISABLED) {
            return nullptr;
        }
    }
    if (old == hWnd) {
        return old;
    }
    Window* root = rootOf(w.get());
    if (root && root->handle != activeWindow()) {
        setActive(root->handle, false);
        if (!findWindow(hWnd)) {
            return nullptr;
        }
        old = focusWindow();
        if (old == hWnd) {
            return old;
        }
    }
    // The focus moves first, so that the window losing it already sees where
    // it went (GetFocus) while it handles WM_KILLFOCUS.
    s.focus = hWnd;
    if (old) {
        sendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    }
    if (!findWindow(hWnd) || w->destroying) {
        if (s.focus == hWnd) {
            s.focus = nullptr;
        }
        return findWindow(old) ? old : nullptr;
    }
    if (s.focus == hWnd) {
        sendMessage(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    }
    return findWindow(old) ? old : nullptr;
}

HWND WINAPI GetCapture(void) {
    return captureWindow();
}

HWND WINAPI SetCapture(HWND hWnd) {
    HWND old = captureWindow();
    if (!checkWindow(hWnd)) {
        return nullptr;
    }
    if (old == hWnd) {
        return old;
    }
    state().capture = hWnd;
    if (old) {
        sendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    }
    return old;
}

BOOL WINAPI ReleaseCapture(void) {
    HWND old = captureWindow();
    state().capture = nullptr;
    if (old) {
        sendMessage(old, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    WindowRef w = windowRef(hWnd);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (bEnable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        sendMessage(hWnd, WM_ENABLE, TRUE, 0);
    } else if (!bEnable && !wasDisabled) {
        sendMessage(hWnd, WM_CANCELMODE, 0, 0);
        if (!findWindow(hWnd)) {
            return FALSE;
        }
        w->style |= WS_DISABLED;
        if (focusWindow() == hWnd) {
            SetFocus(nullptr);
        }
        if (captureWindow() == hWnd) {
            ReleaseCapture();
        }
        if (findWindow(hWnd)) {
            sendMessage(hWnd, WM_ENABLE, FALSE, 0);
        }
    }
    return wasDisabled ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    Window* w = findWindow(hWnd);
    return w && !(w->style & WS_DISABLED);
}

}  // extern "C"
