// The "ScrollBar" window class.
//
// A scroll bar has a range (min ... max), a page size and a position. With a
// page, the largest position is max - page + 1 (the scroll limit), so that
// the last page ends at max; without one it is max. Every way of setting a
// value clamps the page to 0 ... max - min + 1 and the position to min ...
// limit.
//
// The control: arrows at both ends (SM_CXHSCROLL wide for a horizontal bar,
// SM_CYVSCROLL high for a vertical one), the track between them and the thumb
// (its length in proportion to page / (max - min + 1), at least 8 pixels; the
// arrow size without a page). A press on an arrow sends SB_LINEUP/LINEDOWN
// (LINELEFT/LINERIGHT), on the track before or after the thumb SB_PAGEUP/
// PAGEDOWN, repeated by a timer while the button is held over the same part
// (first after 400 ms, then every 100 ms); the release sends SB_ENDSCROLL.
// Dragging the thumb sends SB_THUMBTRACK with each new track position, the
// release SB_THUMBPOSITION with the last one and then SB_ENDSCROLL. The keys
// send SB_LINEUP (Up, Left), SB_LINEDOWN (Down, Right), SB_PAGEUP (Page Up),
// SB_PAGEDOWN (Page Down), SB_TOP (Home), SB_BOTTOM (End), and SB_ENDSCROLL when
// released. All go to the parent as WM_HSCROLL or WM_VSCROLL with the control
// as lParam; the control does not move itself, the parent sets the position.
// SBS_TOPALIGN/SBS_BOTTOMALIGN (horizontal) and SBS_LEFTALIGN/SBS_RIGHTALIGN
// (vertical) give the bar the system's default thickness at that edge of the
// rectangle it was created with.
//
// The scroll bar functions (SetScrollInfo and the rest) live with the window
// manager, which keeps the windows' own scroll bars; for SB_CTL they send the
// SBM_ messages handled here.
#include "controls/basic/control_util.h"

#include <algorithm>

namespace {

using namespace vedrix::controls;

constexpr int kMinThumb = 8;
constexpr UINT kRepeatDelay = 400;
constexpr UINT kRepeatInterval = 100;
constexpr UINT_PTR kRepeatTimer = 1;

struct ScrollData {
    int min = 0;
    int max = 0;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    bool tracking = false;
    UINT arrows = ESB_ENABLE_BOTH;
};

int scrollLimit(const ScrollData& d) {
    int limit = d.page > 0 ? d.max - static_cast<int>(d.page) + 1 : d.max;
    return std::max(limit, d.min);
}

void clampValues(ScrollData& d) {
    long long span = static_cast<long long>(d.max) - d.min + 1;
    if (span < 0) {
        span = 0;
    }
    if (static_cast<long long>(d.page) > span) {
        d.page = static_cast<UINT>(span);
    }
    d.pos = std::clamp(d.pos, d.min, scrollLimit(d));
}

// Applies a SCROLLINFO; returns the new position.
int applyInfo(ScrollData& d, const SCROLLINFO& si) {
    if ((si.fMask & SIF_RANGE) != 0) {
        d.min = si.nMin;
        d.max = std::max(si.nMax, si.nMin);
    }
    if ((si.fMask & SIF_PAGE) != 0) {
        d.page = si.nPage;
    }
    if ((si.fMask & SIF_POS) != 0) {
        d.pos = si.nPos;
    }
    clampValues(d);
    return d.pos;
}

bool validInfoSize(UINT size) {
    return size == sizeof(SCROLLINFO) || size == sizeof(SCROLLINFO) - sizeof(int);
}

void fillInfo(const ScrollData& d, SCROLLINFO& si) {
    if ((si.fMask & SIF_RANGE) != 0) {
        si.nMin = d.min;
        si.nMax = d.max;
    }
    if ((si.fMask & SIF_PAGE) != 0) {
        si.nPage = d.page;
    }
    if ((si.fMask & SIF_POS) != 0) {
        si.nPos = d.pos;
    }
    if ((si.fMask & SIF_TRACKPOS) != 0 && si.cbSize == sizeof(SCROLLINFO)) {
        si.nTrackPos = d.tracking ? d.trackPos : d.pos;
    }
}

bool scrollNeeded(const ScrollData& d) {
    return d.max > d.min &&
           (d.page == 0 || static_cast<long long>(d.page) <= static_cast<long long>(d.max) - d.min);
}

// ---------------------------------------------------------------------------
// The control

enum class Part { None, LineUp, PageUp, Thumb, PageDown, LineDown };

struct ControlState {
    ScrollData data;
    Part pressed = Part::None;
    bool keyScrolling = false;
    int grabOffset = 0;  // cursor offset within the thumb while dragging
};

InstanceTable<ControlState> g_controls;

struct Layout {
    bool vertical = false;
    int length = 0;
    int breadth = 0;
    int arrow = 0;
    int trackStart = 0;
    int trackEnd = 0;
    bool hasThumb = false;
    int thumbStart = 0;
    int thumbLength = 0;
};

Layout layoutOf(HWND hwnd, const ScrollData& d, int shownPos) {
    Layout l;
    RECT rc;
    GetClientRect(hwnd, &rc);
    l.vertical = (windowStyle(hwnd) & SBS_VERT) != 0;
    l.length = l.vertical ? rc.bottom - rc.top : rc.right - rc.left;
    l.breadth = l.vertical ? rc.right - rc.left : rc.bottom - rc.top;
    l.arrow = GetSystemMetrics(l.vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    if (2 * l.arrow > l.length) {
        l.arrow = l.length / 2;
    }
    l.trackStart = l.arrow;
    l.trackEnd = l.length - l.arrow;
    int track = l.trackEnd - l.trackStart;
    bool enabled = (windowStyle(hwnd) & WS_DISABLED) == 0 && d.arrows != ESB_DISABLE_BOTH;
    if (!enabled || d.max <= d.min || track <= 0) {
        return l;
    }
    long long span = static_cast<long long>(d.max) - d.min + 1;
    int thumb = d.page > 0 ? static_cast<int>(track * static_cast<long long>(d.page) / span)
                           : GetSystemMetrics(l.vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    thumb = std::max(thumb, kMinThumb);
    if (thumb >= track || (d.page > 0 && static_cast<long long>(d.page) >= span)) {
        return l;
    }
    l.hasThumb = true;
    l.thumbLength = thumb;
    int limit = scrollLimit(d);
    int offset = 0;
    if (limit > d.min) {
        offset = static_cast<int>(static_cast<long long>(shownPos - d.min) * (track - thumb) /
                                  (static_cast<long long>(limit) - d.min));
    }
    l.thumbStart = l.trackStart + offset;
    return l;
}

int along(const Layout& l, POINT pt) {
    return l.vertical ? pt.y : pt.x;
}

Part hitTest(const Layout& l, POINT pt) {
    int a = along(l, pt);
    if (a < 0 || a >= l.length) {
        return Part::None;
    }
    if (a < l.trackStart) {
        return Part::LineUp;
    }
    if (a >= l.trackEnd) {
        return Part::LineDown;
    }
    if (!l.hasThumb) {
        return Part::None;
    }
    if (a < l.thumbStart) {
        return Part::PageUp;
    }
    if (a < l.thumbStart + l.thumbLength) {
        return Part::Thumb;
    }
    return Part::PageDown;
}

// Sends WM_HSCROLL/WM_VSCROLL to the parent (or the owner of a top-level
// bar).
void sendScroll(HWND hwnd, WORD code, int pos) {
    HWND target = GetParent(hwnd);
    if (target == nullptr) {
        return;
    }
    UINT message = (windowStyle(hwnd) & SBS_VERT) != 0 ? WM_VSCROLL : WM_HSCROLL;
    SendMessageA(target, message, MAKEWPARAM(code, static_cast<WORD>(pos)),
                 reinterpret_cast<LPARAM>(hwnd));
}

bool arrowEnabled(const ControlState* s, Part part) {
    if (part == Part::LineUp) {
        return (s->data.arrows & ESB_DISABLE_LTUP) == 0;
    }
    if (part == Part::LineDown) {
        return (s->data.arrows & ESB_DISABLE_RTDN) == 0;
    }
    return true;
}

WORD codeOf(Part part) {
    switch (part) {
        case Part::LineUp:
            return SB_LINEUP;
        case Part::LineDown:
            return SB_LINEDOWN;
        case Part::PageUp:
            return SB_PAGEUP;
        case Part::PageDown:
            return SB_PAGEDOWN;
        default:
            return SB_ENDSCROLL;
    }
}

// The position the thumb stands for when its leading edge is at `edge`.
int positionAt(const Layout& l, const ScrollData& d, int edge) {
    int movable = (l.trackEnd - l.trackStart) - l.thumbLength;
    int limit = scrollLimit(d);
    if (movable <= 0 || limit <= d.min) {
        return d.min;
    }
    long long offset = std::clamp(edge - l.trackStart, 0, movable);
    long long span = static_cast<long long>(limit) - d.min;
    return d.min + static_cast<int>((offset * span + movable / 2) / movable);
}

void onButtonDown(HWND hwnd, ControlState* s, POINT pt) {
    Layout l = layoutOf(hwnd, s->data, s->data.pos);
    Part part = hitTest(l, pt);
    if (part == Part::None || !arrowEnabled(s, part)) {
        return;
    }
    if ((windowStyle(hwnd) & WS_TABSTOP) != 0 && GetFocus() != hwnd) {
        SetFocus(hwnd);
        s = g_controls.find(hwnd);
        if (s == nullptr) {
            return;
        }
    }
    s->pressed = part;
    SetCapture(hwnd);
    if (part == Part::Thumb) {
        s->grabOffset = along(l, pt) - l.thumbStart;
        s->data.tracking = true;
        s->data.trackPos = s->data.pos;
        return;
    }
    SetTimer(hwnd, kRepeatTimer, kRepeatDelay, nullptr);
    sendScroll(hwnd, codeOf(part), 0);
}

void onMouseMove(HWND hwnd, ControlState* s, POINT pt) {
    if (s->pressed != Part::Thumb) {
        return;
    }
    Layout l = layoutOf(hwnd, s->data, s->data.pos);
    if (!l.hasThumb) {
        return;
    }
    int pos = positionAt(l, s->data, along(l, pt) - s->grabOffset);
    if (pos != s->data.trackPos) {
        s->data.trackPos = pos;
        InvalidateRect(hwnd, nullptr, FALSE);
        sendScroll(hwnd, SB_THUMBTRACK, pos);
    }
}

void endPress(HWND hwnd, ControlState* s) {
    Part part = s->pressed;
    if (part == Part::None) {
        return;
    }
    s->pressed = Part::None;
    KillTimer(hwnd, kRepeatTimer);
    int trackPos = s->data.trackPos;
    s->data.tracking = false;
    if (GetCapture() == hwnd) {
        ReleaseCapture();
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    if (part == Part::Thumb) {
        sendScroll(hwnd, SB_THUMBPOSITION, trackPos);
    }
    if (IsWindow(hwnd)) {
        sendScroll(hwnd, SB_ENDSCROLL, 0);
    }
}

void onRepeat(HWND hwnd, ControlState* s) {
    Part part = s->pressed;
    if (part == Part::None || part == Part::Thumb) {
        KillTimer(hwnd, kRepeatTimer);
        return;
    }
    SetTimer(hwnd, kRepeatTimer, kRepeatInterval, nullptr);
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(hwnd, &pt);
    Layout l = layoutOf(hwnd, s->data, s->data.pos);
    if (hitTest(l, pt) == part) {
        sendScroll(hwnd, codeOf(part), 0);
    }
}

void paintArrow(HDC dc, RECT rc, bool vertical, bool first, bool enabled, bool pressed) {
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge = rc;
    DrawEdge(dc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    int cx = (rc.left + rc.right) / 2;
    int cy = (rc.top + rc.bottom) / 2;
    POINT tri[3];
    if (vertical) {
        int dy = first ? -2 : 2;
        tri[0] = {cx - 4, cy - dy};
        tri[1] = {cx + 4, cy - dy};
        tri[2] = {cx, cy + dy};
    } else {
        int dx = first ? -2 : 2;
        tri[0] = {cx - dx, cy - 4};
        tri[1] = {cx - dx, cy + 4};
        tri[2] = {cx + dx, cy};
    }
    COLORREF color = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    HBRUSH brush = CreateSolidBrush(color);
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, tri, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

RECT partRect(const Layout& l, int from, int to) {
    return l.vertical ? RECT{0, from, l.breadth, to} : RECT{from, 0, to, l.breadth};
}

void paint(HWND hwnd, ControlState* s, HDC dc) {
    DWORD style = windowStyle(hwnd);
    RECT rc;
    GetClientRect(hwnd, &rc);
    if ((style & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0) {
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    Layout l = layoutOf(hwnd, s->data, s->data.tracking ? s->data.trackPos : s->data.pos);
    bool enabled = (style & WS_DISABLED) == 0;
    paintArrow(dc, partRect(l, 0, l.arrow), l.vertical, true,
               enabled && arrowEnabled(s, Part::LineUp), s->pressed == Part::LineUp);
    paintArrow(dc, partRect(l, l.trackEnd, l.length), l.vertical, false,
               enabled && arrowEnabled(s, Part::LineDown), s->pressed == Part::LineDown);
    RECT track = partRect(l, l.trackStart, l.trackEnd);
    FillRect(dc, &track, controlBrush(hwnd, dc, WM_CTLCOLORSCROLLBAR, COLOR_SCROLLBAR));
    if (l.hasThumb) {
        RECT thumb = partRect(l, l.thumbStart, l.thumbStart + l.thumbLength);
        FillRect(dc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    }
}

void alignOnCreate(HWND hwnd, const CREATESTRUCTA* cs) {
    DWORD style = cs->style;
    if ((style & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0) {
        return;
    }
    int x = cs->x;
    int y = cs->y;
    int cx = cs->cx;
    int cy = cs->cy;
    if ((style & SBS_VERT) != 0) {
        int width = GetSystemMetrics(SM_CXVSCROLL);
        if ((style & SBS_LEFTALIGN) != 0) {
            cx = width;
        } else if ((style & SBS_RIGHTALIGN) != 0) {
            x = x + cx - width;
            cx = width;
        } else {
            return;
        }
    } else {
        int height = GetSystemMetrics(SM_CYHSCROLL);
        if ((style & SBS_TOPALIGN) != 0) {
            cy = height;
        } else if ((style & SBS_BOTTOMALIGN) != 0) {
            y = y + cy - height;
            cy = height;
        } else {
            return;
        }
    }
    SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

WORD keyCode(WPARAM key) {
    switch (key) {
        case VK_UP:
        case VK_LEFT:
            return SB_LINEUP;
        case VK_DOWN:
        case VK_RIGHT:
            return SB_LINEDOWN;
        case VK_PRIOR:
            return SB_PAGEUP;
        case VK_NEXT:
            return SB_PAGEDOWN;
        case VK_HOME:
            return SB_TOP;
        case VK_END:
            return SB_BOTTOM;
        default:
            return 0xFFFF;
    }
}

void redrawIf(HWND hwnd, BOOL redraw) {
    if (redraw) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

LRESULT CALLBACK scrollBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        g_controls.create(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    ControlState* s = g_controls.find(hwnd);
    if (s == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_CREATE:
            alignOnCreate(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
            return 0;

        case WM_NCDESTROY:
            KillTimer(hwnd, kRepeatTimer);
            g_controls.erase(hwnd);
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;

        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            onButtonDown(hwnd, s, pointFromLParam(lParam));
            return 0;

        case WM_MOUSEMOVE:
            onMouseMove(hwnd, s, pointFromLParam(lParam));
            return 0;

        case WM_LBUTTONUP:
            endPress(hwnd, s);
            return 0;

        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd && s->pressed != Part::None) {
                endPress(hwnd, s);
            }
            return 0;

        case WM_TIMER:
            if (wParam == kRepeatTimer) {
                onRepeat(hwnd, s);
                return 0;
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_KEYDOWN: {
            WORD code = keyCode(wParam);
            if (code == 0xFFFF) {
                return DefWindowProcA(hwnd, message, wParam, lParam);
            }
            s->keyScrolling = true;
            sendScroll(hwnd, code, 0);
            return 0;
        }

        case WM_KEYUP:
            if (keyCode(wParam) != 0xFFFF && s->keyScrolling) {
                s->keyScrolling = false;
                sendScroll(hwnd, SB_ENDSCROLL, 0);
                return 0;
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;

        case WM_ERASEBKGND:
            return 1;

        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc != nullptr) {
                paint(hwnd, s, dc);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }

        case WM_PRINTCLIENT:
            paint(hwnd, s, reinterpret_cast<HDC>(wParam));
            return 0;

        case SBM_SETPOS: {
            int previous = s->data.pos;
            s->data.pos = static_cast<int>(static_cast<INT_PTR>(wParam));
            clampValues(s->data);
            redrawIf(hwnd, static_cast<BOOL>(lParam));
            return previous;
        }

        case SBM_GETPOS:
            return s->data.pos;

        case SBM_SETRANGE:
        case SBM_SETRANGEREDRAW: {
            int previous = s->data.pos;
            s->data.min = static_cast<int>(static_cast<INT_PTR>(wParam));
            s->data.max = std::max(static_cast<int>(lParam), s->data.min);
            clampValues(s->data);
            redrawIf(hwnd, message == SBM_SETRANGEREDRAW);
            return s->data.pos != previous ? previous : 0;
        }

        case SBM_GETRANGE:
            if (wParam != 0) {
                *reinterpret_cast<LPINT>(wParam) = s->data.min;
            }
            if (lParam != 0) {
                *reinterpret_cast<LPINT>(lParam) = s->data.max;
            }
            return 0;

        case SBM_ENABLE_ARROWS: {
            UINT arrows = static_cast<UINT>(wParam) & ESB_DISABLE_BOTH;
            if (arrows == s->data.arrows) {
                return FALSE;
            }
            s->data.arrows = arrows;
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        }

        case SBM_SETSCROLLINFO: {
            const auto* si = reinterpret_cast<const SCROLLINFO*>(lParam);
            if (si == nullptr || !validInfoSize(si->cbSize)) {
                return s->data.pos;
            }
            int pos = applyInfo(s->data, *si);
            if ((si->fMask & SIF_DISABLENOSCROLL) != 0 &&
                (si->fMask & (SIF_RANGE | SIF_PAGE)) != 0) {
                s->data.arrows = scrollNeeded(s->data) ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
            }
            redrawIf(hwnd, static_cast<BOOL>(wParam));
            return pos;
        }

        case SBM_GETSCROLLINFO: {
            auto* si = reinterpret_cast<SCROLLINFO*>(lParam);
            if (si == nullptr || !validInfoSize(si->cbSize)) {
                return FALSE;
            }
            fillInfo(s->data, *si);
            return TRUE;
        }

        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

struct Registration {
    Registration() { registerControlClass(WC_SCROLLBARA, scrollBarProc, CS_DBLCLKS | CS_PARENTDC); }
} g_registration;

}  // namespace
