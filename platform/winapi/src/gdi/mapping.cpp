// The mapping of a device context's logical coordinates to device pixels:
// the mapping mode, the window and viewport origins and extents.
//
//   device = (logical - window origin) * viewport extent / window extent
//            + viewport origin
//
// each result rounded to the nearest pixel. MM_TEXT maps one unit to one
// pixel with y growing downwards. The metric modes (MM_LOMETRIC 0.1 mm,
// MM_HIMETRIC 0.01 mm, MM_LOENGLISH 0.01 inch, MM_HIENGLISH 0.001 inch,
// MM_TWIPS 1/1440 inch) fix the extents from the screen's size in
// millimetres (HORZSIZE, VERTSIZE) and pixels (HORZRES, VERTRES), with y
// growing upwards; MM_ISOTROPIC starts as MM_LOMETRIC does and MM_ANISOTROPIC
// keeps the extents of the mode before it. Only these two take extents set by
// the program; in the others setting an extent is ignored. MM_ISOTROPIC keeps
// a unit equally long on both axes by shrinking the viewport extent of the
// axis that would get the longer unit.
//
// Text is measured and fonts are sized in pixels whatever the mode.
#include "gdi/gdi.h"

#include <cmath>
#include <cstdlib>

namespace vedrix::winapi::gdi {

namespace {

bool identityScale(const DcState& st) {
    return st.windowExt.cx == st.viewportExt.cx && st.windowExt.cy == st.viewportExt.cy;
}

int roundToInt(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

int scaled(int value, int to, int from) {
    return roundToInt(static_cast<double>(value) * to / from);
}

// The logical units of a mode that fit in an inch.
int unitsPerInch(int mode) {
    switch (mode) {
        case MM_HIMETRIC:
            return 2540;
        case MM_LOENGLISH:
            return 100;
        case MM_HIENGLISH:
            return 1000;
        case MM_TWIPS:
            return 1440;
        default:  // MM_LOMETRIC and MM_ISOTROPIC
            return 254;
    }
}

// The window extent of a metric mode: the screen's size (HORZSIZE and
// VERTSIZE, in millimetres; an inch is 25.4 mm) in the mode's units.
SIZE metricWindowExtent(HDC hdc, int mode) {
    int perInch = unitsPerInch(mode);
    return SIZE{scaled(GetDeviceCaps(hdc, HORZSIZE) * 10, perInch, 254),
                scaled(GetDeviceCaps(hdc, VERTSIZE) * 10, perInch, 254)};
}

bool takesExtents(int mode) {
    return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC;
}

// MM_ISOTROPIC: the axis whose logical unit would be longer gets its
// viewport extent shrunk, keeping its sign. Pixels are square (the same
// LOGPIXELSX and LOGPIXELSY), so lengths compare in pixels.
void keepUnitsSquare(DcState& st) {
    if (st.mapMode != MM_ISOTROPIC) {
        return;
    }
    double xUnit = std::abs(static_cast<double>(st.viewportExt.cx) / st.windowExt.cx);
    double yUnit = std::abs(static_cast<double>(st.viewportExt.cy) / st.windowExt.cy);
    if (xUnit > yUnit) {
        st.viewportExt.cx = roundToInt(st.viewportExt.cx * yUnit / xUnit);
    } else if (yUnit > xUnit) {
        st.viewportExt.cy = roundToInt(st.viewportExt.cy * xUnit / yUnit);
    }
}

template <class T>
BOOL answer(T value, T* out) {
    if (out != nullptr) {
        *out = value;
    }
    return TRUE;
}

// Sets the window or viewport extent (the member `extent` of the state): only
// MM_ISOTROPIC and MM_ANISOTROPIC take it; elsewhere the call succeeds and
// changes nothing. A zero extent fails.
BOOL setExtent(HDC hdc, SIZE DcState::*extent, int x, int y, LPSIZE previous) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    SIZE old = dc->st.*extent;
    if (!takesExtents(dc->st.mapMode)) {
        return answer(old, previous);
    }
    if (x == 0 || y == 0) {
        return FALSE;
    }
    dc->st.*extent = SIZE{x, y};
    keepUnitsSquare(dc->st);
    return answer(old, previous);
}

// Sets the window or viewport origin and records the change.
BOOL setOrigin(HDC hdc, POINT DcState::*origin, vedrix::headless::DrawingKind kind, POINT to,
               LPPOINT previous) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    POINT old = dc->st.*origin;
    dc->st.*origin = to;
    vedrix::headless::DrawingEntry e;
    e.kind = kind;
    e.rect = RECT{to.x, to.y, to.x, to.y};
    record(*dc, e);
    return answer(old, previous);
}

BOOL moveOrigin(HDC hdc, POINT DcState::*origin, vedrix::headless::DrawingKind kind, int dx, int dy,
                LPPOINT previous) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    POINT o = dc->st.*origin;
    return setOrigin(hdc, origin, kind, POINT{o.x + dx, o.y + dy}, previous);
}

template <class T>
BOOL getState(HDC hdc, T DcState::*member, T* out) {
    DeviceContext* dc = dcOf(hdc);
    return dc != nullptr && out != nullptr && answer(dc->st.*member, out);
}

}  // namespace

POINT toDevice(const DeviceContext& dc, int x, int y) {
    const DcState& st = dc.st;
    if (identityScale(st)) {
        return POINT{x - st.windowOrg.x + st.viewportOrg.x, y - st.windowOrg.y + st.viewportOrg.y};
    }
    return POINT{scaled(x - st.windowOrg.x, st.viewportExt.cx, st.windowExt.cx) + st.viewportOrg.x,
                 scaled(y - st.windowOrg.y, st.viewportExt.cy, st.windowExt.cy) + st.viewportOrg.y};
}

// A rectangle keeps left <= right and top <= bottom on the device when an
// axis is flipped (y in the metric modes), so that it covers the same pixels.
RECT toDevice(const DeviceContext& dc, const RECT& r) {
    POINT a = toDevice(dc, r.left, r.top);
    POINT b = toDevice(dc, r.right, r.bottom);
    const DcState& st = dc.st;
    bool flipX = (st.viewportExt.cx < 0) != (st.windowExt.cx < 0);
    bool flipY = (st.viewportExt.cy < 0) != (st.windowExt.cy < 0);
    return RECT{flipX ? b.x : a.x, flipY ? b.y : a.y, flipX ? a.x : b.x, flipY ? a.y : b.y};
}

POINT toLogical(const DeviceContext& dc, int x, int y) {
    const DcState& st = dc.st;
    if (identityScale(st)) {
        return POINT{x - st.viewportOrg.x + st.windowOrg.x, y - st.viewportOrg.y + st.windowOrg.y};
    }
    return POINT{scaled(x - st.viewportOrg.x, st.windowExt.cx, st.viewportExt.cx) + st.windowOrg.x,
                 scaled(y - st.viewportOrg.y, st.windowExt.cy, st.viewportExt.cy) + st.windowOrg.y};
}

}  // namespace vedrix::winapi::gdi

using namespace vedrix::winapi::gdi;

WINGDIAPI int WINAPI SetMapMode(HDC hdc, int iMode) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || iMode < MM_TEXT || iMode > MM_ANISOTROPIC) {
        return 0;
    }
    DcState& st = dc->st;
    int previous = st.mapMode;
    st.mapMode = iMode;
    if (iMode == MM_TEXT) {
        st.windowExt = SIZE{1, 1};
        st.viewportExt = SIZE{1, 1};
    } else if (iMode != MM_ANISOTROPIC) {
        st.windowExt = metricWindowExtent(hdc, iMode);
        st.viewportExt = SIZE{GetDeviceCaps(hdc, HORZRES), -GetDeviceCaps(hdc, VERTRES)};
    }
    return previous;
}

WINGDIAPI int WINAPI GetMapMode(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    return dc != nullptr ? dc->st.mapMode : 0;
}

WINGDIAPI BOOL WINAPI SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz) {
    return setExtent(hdc, &DcState::windowExt, x, y, lpsz);
}

WINGDIAPI BOOL WINAPI GetWindowExtEx(HDC hdc, LPSIZE lpsize) {
    return getState(hdc, &DcState::windowExt, lpsize);
}

WINGDIAPI BOOL WINAPI SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz) {
    return setExtent(hdc, &DcState::viewportExt, x, y, lpsz);
}

WINGDIAPI BOOL WINAPI GetViewportExtEx(HDC hdc, LPSIZE lpsize) {
    return getState(hdc, &DcState::viewportExt, lpsize);
}

WINGDIAPI BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return setOrigin(hdc, &DcState::viewportOrg, vedrix::headless::DrawingKind::SetViewportOrg,
                     POINT{x, y}, lppt);
}

WINGDIAPI BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT lppoint) {
    return getState(hdc, &DcState::viewportOrg, lppoint);
}

WINGDIAPI BOOL WINAPI OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return moveOrigin(hdc, &DcState::viewportOrg, vedrix::headless::DrawingKind::SetViewportOrg, x,
                      y, lppt);
}

WINGDIAPI BOOL WINAPI SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return setOrigin(hdc, &DcState::windowOrg, vedrix::headless::DrawingKind::SetWindowOrg,
                     POINT{x, y}, lppt);
}

WINGDIAPI BOOL WINAPI GetWindowOrgEx(HDC hdc, LPPOINT lppoint) {
    return getState(hdc, &DcState::windowOrg, lppoint);
}

WINGDIAPI BOOL WINAPI OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return moveOrigin(hdc, &DcState::windowOrg, vedrix::headless::DrawingKind::SetWindowOrg, x, y,
                      lppt);
}

WINGDIAPI BOOL WINAPI DPtoLP(HDC hdc, LPPOINT lppt, int c) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || (lppt == nullptr && c > 0)) {
        return FALSE;
    }
    for (int i = 0; i < c; ++i) {
        lppt[i] = toLogical(*dc, lppt[i].x, lppt[i].y);
    }
    return TRUE;
}

WINGDIAPI BOOL WINAPI LPtoDP(HDC hdc, LPPOINT lppt, int c) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || (lppt == nullptr && c > 0)) {
        return FALSE;
    }
    for (int i = 0; i < c; ++i) {
        lppt[i] = toDevice(*dc, lppt[i].x, lppt[i].y);
    }
    return TRUE;
}
