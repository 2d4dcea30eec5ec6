// Rectangles, window positions, showing and hit testing.
//
// Geometry is fixed: the screen is 1920 x 1080, no non-client part (border,
// caption, menu bar, scroll bar) takes space, so a window's client rectangle
// has the size of its window rectangle. A window's rectangle is kept in its
// parent's client coordinates (screen coordinates for top-level windows).
//
// SetWindowPos sends WM_WINDOWPOSCHANGING (which may change the WINDOWPOS)
// and WM_WINDOWPOSCHANGED; DefWindowProcA turns the latter into WM_SIZE and
// WM_MOVE when the client size or position changed (as the platform marks it
// with SWP_NOCLIENTSIZE / SWP_NOCLIENTMOVE), so a window procedure that
// handles WM_WINDOWPOSCHANGED itself gets neither. Showing a top-level window
// activates it unless SWP_NOACTIVATE / SW_SHOWNA / SW_SHOWNOACTIVATE.
// ShowWindow(SW_HIDE) on a child that has the focus gives the focus to the
// child's parent.
//
// Hit testing (WindowFromPoint and the mouse): the visible window deepest in
// the tree and topmost in z-order that contains the point is asked with
// WM_NCHITTEST; HTTRANSPARENT passes the point on to the windows below it (its
// lower siblings, then its parent). The mouse input that reaches a disabled
// child goes to its parent (desktop.h); WindowFromPoint, which finds no
// disabled window, gives that parent too.
#include "user/window_manager.h"

#include <algorithm>

namespace vedrix::winapi {

namespace {

constexpr UINT kNoClientSize = 0x0800;  // SWP_NOCLIENTSIZE
constexpr UINT kNoClientMove = 0x1000;  // SWP_NOCLIENTMOVE

// A hidden child that has the focus hands it to its parent.
void passFocusToParent(Window* w) {
    if (focusWindow() == w->handle && w->parent && w->parent != desktopWindow()) {
        SetFocus(w->parent->handle);
    }
}

bool contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void moveInZOrder(Window* w, HWND after) {
    Window* parent = w->parent;
    if (!parent) {
        return;
    }
    auto& c = parent->children;
    c.erase(std::remove(c.begin(), c.end(), w), c.end());
    auto firstNonTopmost = [&] {
        auto it = c.begin();
        if (isTopLevel(w)) {
            while (it != c.end() && ((*it)->exStyle & WS_EX_TOPMOST)) {
                ++it;
            }
        }
        return it;
    };
    if (after == HWND_TOPMOST && isTopLevel(w)) {
        w->exStyle |= WS_EX_TOPMOST;
        c.insert(c.begin(), w);
    } else if (after == HWND_NOTOPMOST && isTopLevel(w)) {
        w->exStyle &= ~WS_EX_TOPMOST;
        c.insert(firstNonTopmost(), w);
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        c.insert((w->exStyle & WS_EX_TOPMOST) ? c.begin() : firstNonTopmost(), w);
    } else if (after == HWND_BOTTOM) {
        c.push_back(w);
    } else {
        Window* a = findWindow(after);
        auto it = a ? std::find(c.begin(), c.end(), a) : c.end();
        if (it == c.end()) {
            c.insert(firstNonTopmost(), w);
        } else {
            c.insert(it + 1, w);
        }
    }
}

// The window under a point given in the client coordinates of `parent`, with
// its WM_NCHITTEST answer.
HWND hitTest(Window* parent, POINT pt, POINT screen, LRESULT* code) {
    for (HWND h : childHandles(parent)) {
        Window* c = findWindow(h);
        if (!c || !(c->style & WS_VISIBLE) || !contains(c->rect, pt)) {
            continue;
        }
        POINT inner{pt.x - c->rect.left, pt.y - c->rect.top};
        if (HWND deeper = hitTest(c, inner, screen, code)) {
            return deeper;
        }
        if (!findWindow(h)) {
            continue;
        }
        LRESULT answer = sendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        if (answer != HTTRANSPARENT) {
            *code = answer;
            return h;
        }
    }
    return nullptr;
}

}  // namespace

HWND windowFromScreenPoint(POINT screen, LRESULT* hitCode) {
    LRESULT code = HTNOWHERE;
    HWND h = hitTest(desktopWindow(), screen, screen, &code);
    if (hitCode) {
        *hitCode = code;
    }
    return h;
}

void chooseNewActive(Window* leaving) {
    if (activeWindow() != leaving->handle) {
        return;
    }
    Window* owner = findWindow(leaving->owner);
    if (owner && (owner->style & WS_VISIBLE) && !(owner->style & WS_DISABLED) &&
        !owner->destroying) {
        setActive(owner->handle, false);
        return;
    }
    for (HWND h : topLevelHandles()) {
        Window* c = findWindow(h);
        if (c && c != leaving && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED) &&
            !c->destroying) {
            setActive(h, false);
            return;
        }
    }
    setActive(nullptr, false);
}

}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" {

BOOL WINAPI PtInRect(const RECT* lprc, POINT pt) {
    return lprc && contains(*lprc, pt);
}

BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
    if (!lprc) {
        return FALSE;
    }
    *lprc = RECT{xLeft, yTop, xRight, yBottom};
    return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT lprc) {
    return SetRect(lprc, 0, 0, 0, 0);
}

BOOL WINAPI CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
    if (!lprcDst || !lprcSrc) {
        return FALSE;
    }
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL WINAPI InflateRect(LPRECT lprc, int dx, int dy) {
    if (!lprc) {
        return FALSE;
    }
    lprc->left -= dx;
    lprc->right += dx;
    lprc->top -= dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy) {
    if (!lprc) {
        return FALSE;
    }
    lprc->left += dx;
    lprc->right += dx;
    lprc->top += dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL WINAPI IsRectEmpty(const RECT* lprc) {
    return !lprc || lprc->right <= lprc->left || lprc->bottom <= lprc->top;
}

BOOL WINAPI EqualRect(const RECT* a, const RECT* b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right &&
           a->bottom == b->bottom;
}

BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
    if (!lprcDst || !a || !b) {
        return FALSE;
    }
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *lprcDst = r;
    return TRUE;
}

BOOL WINAPI UnionRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
    if (!lprcDst || !a || !b) {
        return FALSE;
    }
    bool ea = IsRectEmpty(a);
    bool eb = IsRectEmpty(b);
    if (ea && eb) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    if (ea) {
        *lprcDst = *b;
    } else if (eb) {
        *lprcDst = *a;
    } else {
        *lprcDst = RECT{std::min(a->left, b->left), std::min(a->top, b->top),
                        std::max(a->right, b->right), std::max(a->bottom, b->bottom)};
    }
    return TRUE;
}

BOOL WINAPI SubtractRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
    if (!lprcDst || !a || !b) {
        return FALSE;
    }
    if (IsRectEmpty(a)) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    RECT r = *a;
    RECT i;
    if (IntersectRect(&i, a, b)) {
        // Only a side that is cut off completely shrinks the rectangle.
        if (i.left <= a->left && i.right >= a->right) {
            if (i.top <= a->top) {
                r.top = std::min(a->bottom, i.bottom);
            } else if (i.bottom >= a->bottom) {
                r.bottom = std::max(a->top, i.top);
            }
        } else if (i.top <= a->top && i.bottom >= a->bottom) {
            if (i.left <= a->left) {
                r.left = std::min(a->right, i.right);
            } else if (i.right >= a->right) {
                r.right = std::max(a->left, i.left);
            }
        }
    }
    if (IsRectEmpty(&r)) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *lprcDst = r;
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    Window* w = checkWindow(hWnd);
    if (!w || !lpRect) {
        return FALSE;
    }
    POINT o = clientOrigin(w->parent);
    *lpRect = w->rect;
    if (w == desktopWindow()) {
        return TRUE;
    }
    OffsetRect(lpRect, o.x, o.y);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    Window* w = checkWindow(hWnd);
    if (!w || !lpRect) {
        return FALSE;
    }
    *lpRect = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT lpRect, DWORD, BOOL) {
    return lpRect != nullptr;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD, BOOL, DWORD) {
    return lpRect != nullptr;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    Window* w = checkWindow(hWnd);
    if (!w || !lpPoint) {
        return FALSE;
    }
    POINT o = clientOrigin(w);
    lpPoint->x += o.x;
    lpPoint->y += o.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    Window* w = checkWindow(hWnd);
    if (!w || !lpPoint) {
        return FALSE;
    }
    POINT o = clientOrigin(w);
    lpPoint->x -= o.x;
    lpPoint->y -= o.y;
    return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
    Window* from = hWndFrom ? checkWindow(hWndFrom) : desktopWindow();
    Window* to = hWndTo ? checkWindow(hWndTo) : desktopWindow();
    if (!from || !to) {
        return 0;
    }
    POINT a = clientOrigin(from);
    POINT b = clientOrigin(to);
    int dx = a.x - b.x;
    int dy = a.y - b.y;
    for (UINT i = 0; lpPoints && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    setLastError(0);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND WINAPI WindowFromPoint(POINT Point) {
    HWND found = windowFromScreenPoint(Point, nullptr);
    constexpr LONG kDisabledChild = WS_CHILD | WS_DISABLED;
    while (found && (GetWindowLongA(found, GWL_STYLE) & kDisabledChild) == kDisabledChild) {
        found = GetParent(found);
    }
    return found;
}

HWND WINAPI ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags) {
    Window* p = checkWindow(hwnd);
    if (!p) {
        return nullptr;
    }
    RECT client{0, 0, p->rect.right - p->rect.left, p->rect.bottom - p->rect.top};
    if (p != desktopWindow() && !contains(client, pt)) {
        return nullptr;
    }
    for (Window* c : p->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE)) {
            continue;
        }
        if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) {
            continue;
        }
        if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT)) {
            continue;
        }
        if (contains(c->rect, pt)) {
            return c->handle;
        }
    }
    return hwnd;
}

HWND WINAPI ChildWindowFromPoint(HWND hWndParent, POINT Point) {
    return ChildWindowFromPointEx(hWndParent, Point, CWP_ALL);
}

HWND WINAPI RealChildWindowFromPoint(HWND hwndParent, POINT pt) {
    return ChildWindowFromPointEx(hwndParent, pt, CWP_SKIPINVISIBLE);
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy,
                         UINT uFlags) {
    WindowRef w = windowRef(hWnd);
    if (!w || w.get() == desktopWindow()) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    WINDOWPOS wp{};
    wp.hwnd = hWnd;
    wp.hwndInsertAfter = hWndInsertAfter;
    wp.x = (uFlags & SWP_NOMOVE) ? w->rect.left : X;
    wp.y = (uFlags & SWP_NOMOVE) ? w->rect.top : Y;
    wp.cx = (uFlags & SWP_NOSIZE) ? w->rect.right - w->rect.left : std::max(0, cx);
    wp.cy = (uFlags & SWP_NOSIZE) ? w->rect.bottom - w->rect.top : std::max(0, cy);
    wp.flags = uFlags & ~(kNoClientSize | kNoClientMove);
    if (!(uFlags & SWP_NOSENDCHANGING)) {
        sendMessage(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        if (!findWindow(hWnd)) {
            return FALSE;
        }
    }
    bool wasVisible = isReallyVisible(w.get());
    RECT oldRect = w->rect;
    RECT newRect = oldRect;
    if (!(wp.flags & SWP_NOMOVE)) {
        OffsetRect(&newRect, wp.x - oldRect.left, wp.y - oldRect.top);
    }
    if (!(wp.flags & SWP_NOSIZE)) {
        newRect.right = newRect.left + std::max(0, wp.cx);
        newRect.bottom = newRect.top + std::max(0, wp.cy);
    }
    bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
    bool sized = (newRect.right - newRect.left) != (oldRect.right - oldRect.left) ||
                 (newRect.bottom - newRect.top) != (oldRect.bottom - oldRect.top);
    w->rect = newRect;
    if (!(wp.flags & SWP_NOZORDER)) {
        moveInZOrder(w.get(), wp.hwndInsertAfter);
    }
    if (wp.flags & SWP_SHOWWINDOW) {
        w->style |= WS_VISIBLE;
    }
    if (wp.flags & SWP_HIDEWINDOW) {
        w->style &= ~WS_VISIBLE;
    }
    bool nowVisible = isReallyVisible(w.get());
    if (!(wp.flags & SWP_NOREDRAW)) {
        if (wasVisible && (moved || sized || !nowVisible) && w->parent &&
            w->parent != desktopWindow()) {
            invalidateWindow(w->parent, &oldRect, true, false);
        }
        if (nowVisible && (moved || sized || !wasVisible || (wp.flags & SWP_FRAMECHANGED))) {
            invalidateWindow(w.get(), nullptr, true, true);
        }
    }
    if (wp.flags & SWP_FRAMECHANGED) {
        NCCALCSIZE_PARAMS ncp{};
        ncp.rgrc[0] = newRect;
        ncp.lppos = &wp;
        sendMessage(hWnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&ncp));
    }
    WINDOWPOS changed = wp;
    changed.x = newRect.left;
    changed.y = newRect.top;
    changed.cx = newRect.right - newRect.left;
    changed.cy = newRect.bottom - newRect.top;
    if (!sized) {
        changed.flags |= kNoClientSize;
    }
    if (!moved) {
        changed.flags |= kNoClientMove;
    }
    if (findWindow(hWnd)) {
        sendMessage(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&changed));
    }
    if (!findWindow(hWnd) || w->destroying) {
        return TRUE;
    }
    if (isTopLevel(w.get())) {
        if ((wp.flags & SWP_HIDEWINDOW) && !(w->style & WS_VISIBLE)) {
            chooseNewActive(w.get());
        } else if (!(wp.flags & SWP_NOACTIVATE) && (w->style & WS_VISIBLE) &&
                   !(w->exStyle & WS_EX_NOACTIVATE)) {
            setActive(hWnd, false);
        }
    }
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI BringWindowToTop(HWND hWnd) {
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// Deferred positioning applies each change at EndDeferWindowPos, in order.
struct DeferredPositions {
    std::vector<WINDOWPOS> entries;
};

HDWP WINAPI BeginDeferWindowPos(int nNumWindows) {
    if (nNumWindows < 0) {
        setLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return new DeferredPositions;
}

HDWP WINAPI DeferWindowPos(HDWP hWinPosInfo, HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx,
                           int cy, UINT uFlags) {
    auto* d = static_cast<DeferredPositions*>(hWinPosInfo);
    if (!d || !checkWindow(hWnd)) {
        return nullptr;
    }
    d->entries.push_back(WINDOWPOS{hWnd, hWndInsertAfter, x, y, cx, cy, uFlags});
    return d;
}

BOOL WINAPI EndDeferWindowPos(HDWP hWinPosInfo) {
    auto* d = static_cast<DeferredPositions*>(hWinPosInfo);
    if (!d) {
        return FALSE;
    }
    for (const WINDOWPOS& p : d->entries) {
        SetWindowPos(p.hwnd, p.hwndInsertAfter, p.x, p.y, p.cx, p.cy, p.flags);
    }
    delete d;
    return TRUE;
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    WindowRef w = windowRef(hWnd);
    if (!w || w.get() == desktopWindow()) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    UINT flags = SWP_NOSIZE | SWP_NOMOVE;
    switch (nCmdShow) {
        case SW_HIDE:
            if (!wasVisible) {
                return FALSE;
            }
            sendMessage(hWnd, WM_SHOWWINDOW, FALSE, 0);
            if (findWindow(hWnd)) {
                SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                             SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | flags);
            }
            if (findWindow(hWnd) && (w->style & WS_CHILD)) {
                passFocusToParent(w.get());
            }
            return TRUE;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
        case SW_FORCEMINIMIZE:
            if (!(w->style & WS_MINIMIZE)) {
                if (!(w->style & WS_MAXIMIZE)) {
                    w->normalRect = w->rect;
                }
                w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
                sendMessage(hWnd, WM_SIZE, SIZE_MINIMIZED, 0);
            }
            flags |= SWP_NOACTIVATE;
            break;
        case SW_SHOWMAXIMIZED: {
            if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
                w->normalRect = w->rect;
            }
            w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
            RECT area{};
            GetClientRect(w->parent->handle, &area);
            if (!wasVisible) {
                sendMessage(hWnd, WM_SHOWWINDOW, TRUE, 0);
            }
            return SetWindowPos(hWnd, nullptr, 0, 0, area.right, area.bottom,
                                SWP_SHOWWINDOW | SWP_NOZORDER | SWP_FRAMECHANGED)
                       ? wasVisible
                       : FALSE;
        }
        case SW_RESTORE:
        case SW_SHOWNORMAL:
        case SW_SHOWDEFAULT:
            if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
                w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
                RECT r = w->normalRect;
                if (!wasVisible) {
                    sendMessage(hWnd, WM_SHOWWINDOW, TRUE, 0);
                }
                SetWindowPos(hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                             SWP_SHOWWINDOW | SWP_NOZORDER | SWP_FRAMECHANGED);
                return wasVisible;
            }
            break;
        case SW_SHOWNOACTIVATE:
            flags |= SWP_NOACTIVATE;
            break;
        case SW_SHOWNA:
            flags |= SWP_NOACTIVATE | SWP_NOZORDER;
            break;
        case SW_SHOW:
            break;
        default:
            setLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
    }
    if (w->style & WS_CHILD) {
        // A child keeps its place in the z-order and activates nothing.
        flags |= SWP_NOZORDER | SWP_NOACTIVATE;
    }
    if (!wasVisible) {
        sendMessage(hWnd, WM_SHOWWINDOW, TRUE, 0);
        if (!findWindow(hWnd)) {
            return FALSE;
        }
    } else if (flags & SWP_NOACTIVATE) {
        return TRUE;
    }
    SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | flags);
    return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
    Window* w = findWindow(hWnd);
    return w && isReallyVisible(w);
}

BOOL WINAPI IsIconic(HWND hWnd) {
    Window* w = findWindow(hWnd);
    return w && (w->style & WS_MINIMIZE);
}

BOOL WINAPI IsZoomed(HWND hWnd) {
    Window* w = findWindow(hWnd);
    return w && (w->style & WS_MAXIMIZE);
}

BOOL WINAPI GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl) {
    Window* w = checkWindow(hWnd);
    if (!w || !lpwndpl) {
        return FALSE;
    }
    lpwndpl->flags = 0;
    lpwndpl->showCmd = (w->style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                       : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                  : SW_SHOWNORMAL;
    lpwndpl->ptMinPosition = POINT{-1, -1};
    lpwndpl->ptMaxPosition = POINT{-1, -1};
    lpwndpl->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : w->rect;
    return TRUE;
}

BOOL WINAPI SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl) {
    Window* w = checkWindow(hWnd);
    if (!w || !lpwndpl) {
        return FALSE;
    }
    const RECT& r = lpwndpl->rcNormalPosition;
    w->normalRect = r;
    if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
        SetWindowPos(hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hWnd, static_cast<int>(lpwndpl->showCmd));
    return TRUE;
}

}  // extern "C"
