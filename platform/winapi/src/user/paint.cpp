// Update regions and WM_PAINT.
//
// A window's update region is kept as its bounding rectangle. Invalidating a
// window invalidates the overlapping parts of its visible children too,
// unless it has WS_CLIPCHILDREN (RedrawWindow: RDW_ALLCHILDREN always,
// RDW_NOCHILDREN never). While WM_SETREDRAW(FALSE) is in force invalidation is
// ignored. WM_PAINT is generated, not posted: when no posted or input message
// is waiting, the first visible window with a non-empty update region (depth
// first, parents before children, in z-order) gets it. A window procedure
// that answers WM_PAINT without validating (no BeginPaint, ValidateRect) gets
// its update region validated after the call, so that no loop spins forever
// where the platform would send WM_PAINT again and again.
#include "user/paint.h"

#include "user/window_manager.h"

#include <algorithm>

namespace vedrix::winapi {

namespace {

RECT clientRect(const Window* w) {
    return RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
}

void markInvalid(Window* w, const RECT& r, bool erase) {
    if (w->noRedraw || IsRectEmpty(&r)) {
        return;
    }
    if (w->updatePending) {
        UnionRect(&w->update, &w->update, &r);
    } else {
        w->update = r;
        w->updatePending = true;
    }
    w->erasePending = w->erasePending || erase;
}

Window* firstToPaint(Window* parent, HWND filter) {
    for (Window* c : parent->children) {
        if (!(c->style & WS_VISIBLE)) {
            continue;
        }
        bool matches = !filter || c->handle == filter || IsChild(filter, c->handle);
        if (c->updatePending && matches) {
            return c;
        }
        if (Window* d = firstToPaint(c, filter)) {
            return d;
        }
    }
    return nullptr;
}

}  // namespace

void invalidateWindow(Window* w, const RECT* rect, bool erase, bool children) {
    RECT client = clientRect(w);
    RECT r = client;
    if (rect && !IntersectRect(&r, rect, &client)) {
        return;
    }
    markInvalid(w, r, erase);
    if (!children) {
        return;
    }
    for (Window* c : w->children) {
        if (!(c->style & WS_VISIBLE)) {
            continue;
        }
        RECT inChild;
        if (IntersectRect(&inChild, &r, &c->rect)) {
            OffsetRect(&inChild, -c->rect.left, -c->rect.top);
            invalidateWindow(c, &inChild, erase, !(c->style & WS_CLIPCHILDREN));
        }
    }
}

void validateWindow(Window* w, const RECT* rect) {
    if (!w->updatePending) {
        return;
    }
    if (rect) {
        RECT rest;
        if (SubtractRect(&rest, &w->update, rect)) {
            w->update = rest;
            return;
        }
    }
    w->updatePending = false;
    w->erasePending = false;
    w->update = RECT{0, 0, 0, 0};
    w->paintSerial++;
}

HWND nextWindowToPaint(HWND filter) {
    Window* w =
        firstToPaint(desktopWindow(), filter == reinterpret_cast<HWND>(-1) ? nullptr : filter);
    return w ? w->handle : nullptr;
}

unsigned paintSerialOf(HWND hwnd) {
    Window* w = findWindow(hwnd);
    return w ? w->paintSerial : 0;
}

void validateIfUnpainted(HWND hwnd, unsigned serialBefore) {
    Window* w = findWindow(hwnd);
    if (w && w->updatePending && w->paintSerial == serialBefore) {
        validateWindow(w, nullptr);
    }
}

BOOL takeUpdateRegion(HWND hwnd, RECT* update, bool* erase) {
    Window* w = checkWindow(hwnd);
    if (!w) {
        return FALSE;
    }
    if (update) {
        *update = w->updatePending ? w->update : RECT{0, 0, 0, 0};
    }
    if (erase) {
        *erase = w->updatePending && w->erasePending;
    }
    w->updatePending = true;  // so that validation counts even for an empty region
    validateWindow(w, nullptr);
    return TRUE;
}

}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" {

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    Window* w = hWnd ? checkWindow(hWnd) : desktopWindow();
    if (!w) {
        return FALSE;
    }
    invalidateWindow(w, lpRect, bErase != FALSE, !(w->style & WS_CLIPCHILDREN));
    return TRUE;
}

#pragma weak GetRgnBox

BOOL WINAPI InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase) {
    RECT box;
    int (*volatile rgnBox)(HRGN, LPRECT) = &GetRgnBox;
    if (hRgn && rgnBox && rgnBox(hRgn, &box) != 0) {
        return InvalidateRect(hWnd, &box, bErase);
    }
    return InvalidateRect(hWnd, nullptr, bErase);
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return FALSE;
    }
    validateWindow(w, lpRect);
    return TRUE;
}

BOOL WINAPI ValidateRgn(HWND hWnd, HRGN hRgn) {
    RECT box;
    int (*volatile rgnBox)(HRGN, LPRECT) = &GetRgnBox;
    if (hRgn && rgnBox && rgnBox(hRgn, &box) != 0) {
        return ValidateRect(hWnd, &box);
    }
    return ValidateRect(hWnd, nullptr);
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return FALSE;
    }
    bool pending = w->updatePending && !IsRectEmpty(&w->update);
    if (lpRect) {
        *lpRect = pending ? w->update : RECT{0, 0, 0, 0};
    }
    if (pending && bErase && w->erasePending) {
        w->erasePending = false;
        HDC dc = gdi::getDC(hWnd);
        sendMessage(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        gdi::releaseDC(hWnd, dc);
    }
    return pending;
}

int WINAPI GetUpdateRgn(HWND hWnd, HRGN, BOOL bErase) {
    // Regions belong to GDI; the update region is only known as a rectangle.
    RECT r;
    return GetUpdateRect(hWnd, &r, bErase) ? SIMPLEREGION : NULLREGION;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
    WindowRef w = windowRef(hWnd);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (w->updatePending && isReallyVisible(w.get())) {
        unsigned serial = w->paintSerial;
        sendMessage(hWnd, WM_PAINT, 0, 0);
        validateIfUnpainted(hWnd, serial);
    }
    return TRUE;
}

namespace {

void updateNow(HWND hwnd, bool children) {
    UpdateWindow(hwnd);
    if (!children) {
        return;
    }
    for (HWND c : childHandles(findWindow(hwnd))) {
        updateNow(c, true);
    }
}

void validateTree(Window* w, const RECT* rect, bool children) {
    validateWindow(w, rect);
    if (!children) {
        return;
    }
    for (Window* c : w->children) {
        validateTree(c, nullptr, true);
    }
}

}  // namespace

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
    Window* w = hWnd ? checkWindow(hWnd) : desktopWindow();
    if (!w) {
        return FALSE;
    }
    RECT box;
    const RECT* area = lprcUpdate;
    int (*volatile rgnBox)(HRGN, LPRECT) = &GetRgnBox;
    if (!area && hrgnUpdate && rgnBox && rgnBox(hrgnUpdate, &box) != 0) {
        area = &box;
    }
    bool children =
        (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
    if (flags & RDW_INVALIDATE) {
        invalidateWindow(w, area, (flags & RDW_ERASE) != 0, children);
    } else if (flags & RDW_VALIDATE) {
        validateTree(w, area, children);
    }
    if (flags & RDW_NOERASE) {
        w->erasePending = false;
    }
    if (flags & RDW_UPDATENOW) {
        updateNow(w->handle, children);
    } else if ((flags & RDW_ERASENOW) && w->erasePending) {
        GetUpdateRect(w->handle, nullptr, TRUE);
    }
    return TRUE;
}

BOOL WINAPI LockWindowUpdate(HWND) {
    return TRUE;
}

int WINAPI ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* prcScroll, const RECT* prcClip,
                          HRGN, LPRECT prcUpdate, UINT flags) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return ERROR;
    }
    // No pixels are kept, so everything scrolled counts as newly exposed.
    RECT client = clientRect(w);
    RECT area = prcScroll ? *prcScroll : client;
    if (prcClip) {
        IntersectRect(&area, &area, prcClip);
    }
    IntersectRect(&area, &area, &client);
    if (flags & SW_SCROLLCHILDREN) {
        for (Window* c : w->children) {
            RECT i;
            if (!prcScroll || IntersectRect(&i, &c->rect, prcScroll)) {
                SetWindowPos(c->handle, nullptr, c->rect.left + dx, c->rect.top + dy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
            }
        }
    }
    if (prcUpdate) {
        *prcUpdate = (dx == 0 && dy == 0) ? RECT{0, 0, 0, 0} : area;
    }
    if ((flags & SW_INVALIDATE) && (dx != 0 || dy != 0)) {
        invalidateWindow(w, &area, (flags & SW_ERASE) != 0, false);
    }
    return IsRectEmpty(&area) || (dx == 0 && dy == 0) ? NULLREGION : SIMPLEREGION;
}

BOOL WINAPI ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect,
                         const RECT* lpClipRect) {
    return ScrollWindowEx(hWnd, XAmount, YAmount, lpRect, lpClipRect, nullptr, nullptr,
                          SW_INVALIDATE | SW_ERASE | (lpRect ? 0 : SW_SCROLLCHILDREN)) != ERROR;
}

}  // extern "C"
