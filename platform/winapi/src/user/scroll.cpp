// The standard scroll bars of windows (SB_HORZ, SB_VERT) and the forwarding
// of SB_CTL to scroll bar controls.
//
// A window's scroll bars are state of the window manager: range (default 0 to
// 100), page, position and disabled arrows. As every non-client part they take
// no space. Setting a range that needs no scrolling (page covering the range)
// hides the bar, unless SIF_DISABLENOSCROLL; any other range shows it (the
// WS_HSCROLL/WS_VSCROLL style follows). Positions are kept within
// [min, max - max(page - 1, 0)].
#include "user/window_manager.h"

#include <algorithm>

namespace vedrix::winapi {
namespace {

ScrollBarState* barOf(Window* w, int bar) {
    if (bar == SB_HORZ) {
        return &w->hscroll;
    }
    if (bar == SB_VERT) {
        return &w->vscroll;
    }
    return nullptr;
}

void clampBar(ScrollBarState& s) {
    UINT span = static_cast<UINT>(std::max(0, s.max - s.min) + 1);
    s.page = std::min(s.page, span);
    int top = s.max - std::max(static_cast<int>(s.page) - 1, 0);
    s.pos = std::clamp(s.pos, s.min, std::max(s.min, top));
}

void showBar(Window* w, int bar, bool show) {
    DWORD flag = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    if (show) {
        w->style |= flag;
    } else {
        w->style &= ~flag;
    }
}

}  // namespace
}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" {

int WINAPI SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw) {
    if (!lpsi) {
        return 0;
    }
    if (nBar == SB_CTL) {
        return static_cast<int>(SendMessageA(hwnd, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw),
                                             reinterpret_cast<LPARAM>(lpsi)));
    }
    Window* w = checkWindow(hwnd);
    ScrollBarState* s = w ? barOf(w, nBar) : nullptr;
    if (!s) {
        return 0;
    }
    s->used = true;
    bool rangeChanged = false;
    if (lpsi->fMask & SIF_RANGE) {
        s->min = lpsi->nMin;
        s->max = lpsi->nMax;
        rangeChanged = true;
    }
    if (lpsi->fMask & SIF_PAGE) {
        s->page = lpsi->nPage;
        rangeChanged = true;
    }
    if (lpsi->fMask & SIF_POS) {
        s->pos = lpsi->nPos;
    }
    clampBar(*s);
    if (rangeChanged) {
        bool needed =
            s->max > s->min && (s->page == 0 || s->page <= static_cast<UINT>(s->max - s->min));
        if (lpsi->fMask & SIF_DISABLENOSCROLL) {
            showBar(w, nBar, true);
            s->disabledArrows = needed ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
        } else {
            showBar(w, nBar, needed);
        }
    }
    if (redraw) {
        InvalidateRect(hwnd, nullptr, FALSE);
    }
    return s->pos;
}

BOOL WINAPI GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi) {
    if (!lpsi) {
        return FALSE;
    }
    if (nBar == SB_CTL) {
        return SendMessageA(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(lpsi)) ? TRUE
                                                                                        : FALSE;
    }
    Window* w = checkWindow(hwnd);
    ScrollBarState* s = w ? barOf(w, nBar) : nullptr;
    if (!s || !s->used) {
        return FALSE;
    }
    if (lpsi->fMask & SIF_RANGE) {
        lpsi->nMin = s->min;
        lpsi->nMax = s->max;
    }
    if (lpsi->fMask & SIF_PAGE) {
        lpsi->nPage = s->page;
    }
    if (lpsi->fMask & SIF_POS) {
        lpsi->nPos = s->pos;
    }
    if (lpsi->fMask & SIF_TRACKPOS) {
        lpsi->nTrackPos = s->trackPos;
    }
    return TRUE;
}

int WINAPI SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw) {
    if (nBar == SB_CTL) {
        return static_cast<int>(SendMessageA(hWnd, SBM_SETPOS, static_cast<WPARAM>(nPos), bRedraw));
    }
    Window* w = checkWindow(hWnd);
    ScrollBarState* s = w ? barOf(w, nBar) : nullptr;
    if (!s) {
        return 0;
    }
    int old = s->pos;
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, nPos, 0};
    SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return old;
}

int WINAPI GetScrollPos(HWND hWnd, int nBar) {
    if (nBar == SB_CTL) {
        return static_cast<int>(SendMessageA(hWnd, SBM_GETPOS, 0, 0));
    }
    Window* w = checkWindow(hWnd);
    ScrollBarState* s = w ? barOf(w, nBar) : nullptr;
    return s && s->used ? s->pos : 0;
}

BOOL WINAPI SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    if (static_cast<long long>(nMaxPos) - nMinPos > 0x7FFFFFFF) {
        setLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (nBar == SB_CTL) {
        SendMessageA(hWnd, bRedraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE,
                     static_cast<WPARAM>(nMinPos), nMaxPos);
        return TRUE;
    }
    if (!checkWindow(hWnd)) {
        return FALSE;
    }
    SCROLLINFO si{sizeof(si), SIF_RANGE, nMinPos, nMaxPos, 0, 0, 0};
    SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return TRUE;
}

BOOL WINAPI GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos) {
    if (!lpMinPos || !lpMaxPos) {
        return FALSE;
    }
    if (nBar == SB_CTL) {
        SendMessageA(hWnd, SBM_GETRANGE, reinterpret_cast<WPARAM>(lpMinPos),
                     reinterpret_cast<LPARAM>(lpMaxPos));
        return TRUE;
    }
    Window* w = checkWindow(hWnd);
    ScrollBarState* s = w ? barOf(w, nBar) : nullptr;
    if (!s) {
        return FALSE;
    }
    *lpMinPos = s->used ? s->min : 0;
    *lpMaxPos = s->used ? s->max : 0;
    return TRUE;
}

BOOL WINAPI ShowScrollBar(HWND hWnd, int wBar, BOOL bShow) {
    if (wBar == SB_CTL) {
        return ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE), TRUE;
    }
    Window* w = checkWindow(hWnd);
    if (!w) {
        return FALSE;
    }
    if (wBar == SB_HORZ || wBar == SB_BOTH) {
        w->hscroll.used = true;
        showBar(w, SB_HORZ, bShow);
    }
    if (wBar == SB_VERT || wBar == SB_BOTH) {
        w->vscroll.used = true;
        showBar(w, SB_VERT, bShow);
    }
    return TRUE;
}

BOOL WINAPI EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows) {
    if (wSBflags == SB_CTL) {
        return SendMessageA(hWnd, SBM_ENABLE_ARROWS, wArrows, 0) ? TRUE : FALSE;
    }
    Window* w = checkWindow(hWnd);
    if (!w) {
        return FALSE;
    }
    bool changed = false;
    auto apply = [&](ScrollBarState& s) {
        changed = changed || s.disabledArrows != wArrows;
        s.disabledArrows = wArrows;
    };
    if (wSBflags == SB_HORZ || wSBflags == SB_BOTH) {
        apply(w->hscroll);
    }
    if (wSBflags == SB_VERT || wSBflags == SB_BOTH) {
        apply(w->vscroll);
    }
    return changed ? TRUE : FALSE;
}

}  // extern "C"
