// Device contexts: creation, saved states, attributes and clipping (the
// mapping of logical to device coordinates is in gdi/mapping.cpp).
#include "gdi/gdi.h"

#include <cctype>
#include <cstring>

namespace vedrix::winapi::gdi {

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

void initState(DcState& st) {
    Objects& o = Objects::get();
    st = DcState{};
    st.brush = o.stock(WHITE_BRUSH);
    st.pen = o.stock(BLACK_PEN);
    st.font = o.stock(SYSTEM_FONT);
    st.palette = o.stock(DEFAULT_PALETTE);
}

bool equalsNoCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b))) {
            return false;
        }
    }
    return *a == *b;
}

// The clip region to start from when the application narrows it: its own
// clip region, or the whole surface.
Region baseClip(const DeviceContext& dc) {
    return dc.st.clip ? *dc.st.clip : Region(surfaceRect(dc));
}

int finishClipChange(DeviceContext& dc) {
    Region vis = visibleRegion(dc);
    vedrix::headless::DrawingEntry e;
    e.kind = vedrix::headless::DrawingKind::SetClip;
    e.rect = vis.box();
    record(dc, e);
    return vis.type();
}

}  // namespace

HDC newDeviceContext(DcKind kind, HWND window, const RECT& surface) {
    auto dc = std::make_unique<DeviceContext>(kind);
    initState(dc->st);
    dc->window = window;
    dc->surface = surface;
    dc->deletable = kind == DcKind::Memory || kind == DcKind::Screen;
    if (kind == DcKind::Memory) {
        dc->st.bitmap = Objects::get().defaultBitmap();
    }
    DeviceContext* raw = dc.get();
    raw->handle = static_cast<HDC>(Objects::get().add(std::move(dc)));
    return raw->handle;
}

RECT screenRect() {
    return RECT{0, 0, kScreenWidth, kScreenHeight};
}

void destroyDeviceContext(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return;
    }
    if (Bitmap* bm = bitmapOf(static_cast<HBITMAP>(dc->st.bitmap))) {
        if (bm->selectedInto == hdc) {
            bm->selectedInto = nullptr;
        }
    }
    Objects::get().erase(hdc);
    Objects::get().collect();
}

RECT surfaceRect(const DeviceContext& dc) {
    if (dc.kind == DcKind::Memory) {
        Bitmap* bm = bitmapOf(static_cast<HBITMAP>(dc.st.bitmap));
        return bm != nullptr ? RECT{0, 0, bm->width, bm->height} : RECT{0, 0, 0, 0};
    }
    return dc.surface;
}

Region visibleRegion(const DeviceContext& dc) {
    Region vis(surfaceRect(dc));
    if (dc.system) {
        vis = Region::combine(vis, *dc.system, RGN_AND);
    }
    if (dc.st.clip) {
        vis = Region::combine(vis, *dc.st.clip, RGN_AND);
    }
    return vis;
}

}  // namespace vedrix::winapi::gdi

using namespace vedrix::winapi::gdi;

// ---------------------------------------------------------------------------
// Creation

WINGDIAPI HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc != nullptr && dcOf(hdc) == nullptr) {
        return nullptr;
    }
    return newDeviceContext(DcKind::Memory, nullptr, RECT{0, 0, 0, 0});
}

// Only the display can be opened ("DISPLAY" as driver, or "\\.\DISPLAY1").
WINGDIAPI HDC WINAPI CreateDCA(LPCSTR pszDriver, LPCSTR pszDevice, LPCSTR /*pszPort*/,
                               const DEVMODEA* /*pdm*/) {
    bool display = (pszDriver != nullptr && equalsNoCase(pszDriver, "DISPLAY")) ||
                   (pszDevice != nullptr && std::strncmp(pszDevice, "\\\\.\\DISPLAY", 11) == 0);
    if (!display) {
        return nullptr;
    }
    return newDeviceContext(DcKind::Screen, nullptr, screenRect());
}

// Contexts from GetDC, GetWindowDC and BeginPaint are released, not deleted.
WINGDIAPI BOOL WINAPI DeleteDC(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || !dc->deletable) {
        return FALSE;
    }
    destroyDeviceContext(hdc);
    return TRUE;
}

WINGDIAPI int WINAPI SaveDC(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return 0;
    }
    dc->saved.push_back(dc->st);
    return static_cast<int>(dc->saved.size());
}

WINGDIAPI BOOL WINAPI RestoreDC(HDC hdc, int nSavedDC) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || nSavedDC == 0) {
        return FALSE;
    }
    int size = static_cast<int>(dc->saved.size());
    int level = nSavedDC > 0 ? nSavedDC : size + nSavedDC + 1;
    if (level < 1 || level > size) {
        return FALSE;
    }
    HGDIOBJ oldBitmap = dc->st.bitmap;
    dc->st = dc->saved[static_cast<std::size_t>(level - 1)];
    dc->saved.resize(static_cast<std::size_t>(level - 1));
    if (oldBitmap != dc->st.bitmap) {
        if (Bitmap* old = bitmapOf(static_cast<HBITMAP>(oldBitmap))) {
            if (old->selectedInto == hdc) {
                old->selectedInto = nullptr;
            }
        }
        if (Bitmap* bm = bitmapOf(static_cast<HBITMAP>(dc->st.bitmap))) {
            if (!bm->stock) {
                bm->selectedInto = hdc;
            }
        }
    }
    Objects::get().collect();
    return TRUE;
}

// The display: 1920 x 1080, 32 bits per pixel, 96 dots per inch, no palette.
WINGDIAPI int WINAPI GetDeviceCaps(HDC hdc, int index) {
    if (dcOf(hdc) == nullptr) {
        return 0;
    }
    switch (index) {
        case DRIVERVERSION:
            return 0x4000;
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        case HORZSIZE:
            return 508;
        case VERTSIZE:
            return 286;
        case HORZRES:
        case DESKTOPHORZRES:
            return 1920;
        case VERTRES:
        case DESKTOPVERTRES:
            return 1080;
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        case NUMBRUSHES:
        case NUMPENS:
        case NUMCOLORS:
            return -1;
        case NUMMARKERS:
        case NUMFONTS:
        case PDEVICESIZE:
        case SIZEPALETTE:
            return 0;
        case CURVECAPS:
        case LINECAPS:
        case POLYGONALCAPS:
            return 0xFF;
        case TEXTCAPS:
            return 0x7FFF;
        case CLIPCAPS:
            return CP_RECTANGLE;
        case RASTERCAPS:
            return RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV |
                   RC_BIGFONT | RC_STRETCHBLT | RC_FLOODFILL | RC_STRETCHDIB | RC_DEVBITS;
        case ASPECTX:
        case ASPECTY:
            return 36;
        case ASPECTXY:
            return 51;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        case NUMRESERVED:
            return 20;
        case COLORRES:
            return 24;
        case VREFRESH:
            return 60;
        case BLTALIGNMENT:
            return 1;
        default:
            return 0;
    }
}

WINGDIAPI BOOL WINAPI GdiFlush(void) {
    return TRUE;
}

// ---------------------------------------------------------------------------
// Attributes

WINGDIAPI COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    COLORREF previous = dc->st.textColor;
    dc->st.textColor = color;
    return previous;
}

WINGDIAPI COLORREF WINAPI GetTextColor(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    return dc != nullptr ? dc->st.textColor : CLR_INVALID;
}

WINGDIAPI COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    COLORREF previous = dc->st.bkColor;
    dc->st.bkColor = color;
    return previous;
}

WINGDIAPI COLORREF WINAPI GetBkColor(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    return dc != nullptr ? dc->st.bkColor : CLR_INVALID;
}

WINGDIAPI int WINAPI SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    int previous = dc->st.bkMode;
    dc->st.bkMode = mode;
    return previous;
}

WINGDIAPI int WINAPI GetBkMode(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    return dc != nullptr ? dc->st.bkMode : 0;
}

WINGDIAPI UINT WINAPI SetTextAlign(HDC hdc, UINT align) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return static_cast<UINT>(GDI_ERROR);
    }
    UINT previous = dc->st.textAlign;
    dc->st.textAlign = align & TA_MASK;
    return previous;
}

WINGDIAPI UINT WINAPI GetTextAlign(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    return dc != nullptr ? dc->st.textAlign : static_cast<UINT>(GDI_ERROR);
}

WINGDIAPI int WINAPI SetROP2(HDC hdc, int rop2) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || rop2 < R2_BLACK || rop2 > R2_WHITE) {
        return 0;
    }
    int previous = dc->st.rop2;
    dc->st.rop2 = rop2;
    return previous;
}

WINGDIAPI int WINAPI GetROP2(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    return dc != nullptr ? dc->st.rop2 : 0;
}

// Every stretch mode stretches by taking the nearest source pixel.
WINGDIAPI int WINAPI SetStretchBltMode(HDC hdc, int mode) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || mode < BLACKONWHITE || mode > HALFTONE) {
        return 0;
    }
    int previous = dc->st.stretchMode;
    dc->st.stretchMode = mode;
    return previous;
}

WINGDIAPI int WINAPI GetStretchBltMode(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    return dc != nullptr ? dc->st.stretchMode : 0;
}

WINGDIAPI BOOL WINAPI SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    if (lppt != nullptr) {
        *lppt = dc->st.brushOrg;
    }
    dc->st.brushOrg = POINT{x, y};
    return TRUE;
}

WINGDIAPI BOOL WINAPI GetBrushOrgEx(HDC hdc, LPPOINT lppt) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || lppt == nullptr) {
        return FALSE;
    }
    *lppt = dc->st.brushOrg;
    return TRUE;
}

WINGDIAPI COLORREF WINAPI SetDCBrushColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    COLORREF previous = dc->st.dcBrushColor;
    dc->st.dcBrushColor = color;
    return previous;
}

WINGDIAPI COLORREF WINAPI GetDCBrushColor(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    return dc != nullptr ? dc->st.dcBrushColor : CLR_INVALID;
}

WINGDIAPI COLORREF WINAPI SetDCPenColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    COLORREF previous = dc->st.dcPenColor;
    dc->st.dcPenColor = color;
    return previous;
}

WINGDIAPI COLORREF WINAPI GetDCPenColor(HDC hdc) {
    DeviceContext* dc = dcOf(hdc);
    return dc != nullptr ? dc->st.dcPenColor : CLR_INVALID;
}

// The colour the context's surface would show for `color`: the nearest of
// black and white on a monochrome bitmap, the nearest table entry on a
// bitmap with a colour table, the colour itself elsewhere.
WINGDIAPI COLORREF WINAPI GetNearestColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    COLORREF c = resolveColor(dc, color);
    if (Bitmap* bm = selectedBitmap(*dc)) {
        bm->forgetFits();
        return colorFromPixel(bm->fit(pixelFromColor(c)));
    }
    return c;
}

WINGDIAPI BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    if (lppt != nullptr) {
        *lppt = dc->st.position;
    }
    dc->st.position = POINT{x, y};
    return TRUE;
}

WINGDIAPI BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || lppt == nullptr) {
        return FALSE;
    }
    *lppt = dc->st.position;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Clipping. The application's clip region is kept in device coordinates, as
// SelectClipRgn takes it; the rectangle functions take logical coordinates.

WINGDIAPI int WINAPI SelectClipRgn(HDC hdc, HRGN hrgn) {
    return ExtSelectClipRgn(hdc, hrgn, RGN_COPY);
}

WINGDIAPI int WINAPI ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || mode < RGN_MIN || mode > RGN_MAX) {
        return ERROR;
    }
    if (hrgn == nullptr) {
        if (mode != RGN_COPY) {
            return ERROR;
        }
        dc->st.clip.reset();
        return finishClipChange(*dc);
    }
    RegionObject* r = regionOf(hrgn);
    if (r == nullptr) {
        return ERROR;
    }
    if (mode == RGN_COPY) {
        dc->st.clip = r->region;
    } else {
        dc->st.clip = Region::combine(baseClip(*dc), r->region, mode);
    }
    return finishClipChange(*dc);
}

WINGDIAPI int WINAPI GetClipBox(HDC hdc, LPRECT lprect) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || lprect == nullptr) {
        return ERROR;
    }
    Region vis = visibleRegion(*dc);
    RECT box = vis.box();
    POINT a = toLogical(*dc, box.left, box.top);
    POINT b = toLogical(*dc, box.right, box.bottom);
    *lprect = vis.empty() ? RECT{0, 0, 0, 0} : RECT{a.x, a.y, b.x, b.y};
    return vis.type();
}

WINGDIAPI int WINAPI GetClipRgn(HDC hdc, HRGN hrgn) {
    DeviceContext* dc = dcOf(hdc);
    RegionObject* r = regionOf(hrgn);
    if (dc == nullptr || r == nullptr) {
        return -1;
    }
    if (!dc->st.clip) {
        return 0;
    }
    r->region = *dc->st.clip;
    return 1;
}

WINGDIAPI int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return ERROR;
    }
    RECT d = toDevice(*dc, RECT{left, top, right, bottom});
    dc->st.clip = baseClip(*dc).intersected(rectNormalised(d.left, d.top, d.right, d.bottom));
    return finishClipChange(*dc);
}

WINGDIAPI int WINAPI ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return ERROR;
    }
    RECT d = toDevice(*dc, RECT{left, top, right, bottom});
    dc->st.clip = Region::combine(baseClip(*dc), Region(d), RGN_DIFF);
    return finishClipChange(*dc);
}

WINGDIAPI int WINAPI OffsetClipRgn(HDC hdc, int x, int y) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return ERROR;
    }
    if (dc->st.clip) {
        dc->st.clip->offset(x, y);
    }
    return finishClipChange(*dc);
}

WINGDIAPI BOOL WINAPI PtVisible(HDC hdc, int x, int y) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return -1;
    }
    POINT p = toDevice(*dc, x, y);
    return visibleRegion(*dc).contains(p.x, p.y) ? TRUE : FALSE;
}

WINGDIAPI BOOL WINAPI RectVisible(HDC hdc, const RECT* lprect) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || lprect == nullptr) {
        return FALSE;
    }
    return visibleRegion(*dc).intersects(toDevice(*dc, *lprect)) ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------
// Regions

WINGDIAPI HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2) {
    auto r = std::make_unique<RegionObject>();
    r->region.setRect(RECT{x1, y1, x2, y2});
    return static_cast<HRGN>(Objects::get().add(std::move(r)));
}

WINGDIAPI HRGN WINAPI CreateRectRgnIndirect(const RECT* lprect) {
    if (lprect == nullptr) {
        return nullptr;
    }
    return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

WINGDIAPI BOOL WINAPI SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
    RegionObject* r = regionOf(hrgn);
    if (r == nullptr) {
        return FALSE;
    }
    r->region.setRect(RECT{left, top, right, bottom});
    return TRUE;
}

WINGDIAPI int WINAPI CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
    RegionObject* dst = regionOf(hrgnDst);
    RegionObject* a = regionOf(hrgnSrc1);
    if (dst == nullptr || a == nullptr || iMode < RGN_MIN || iMode > RGN_MAX) {
        return ERROR;
    }
    if (iMode == RGN_COPY) {
        dst->region = a->region;
        return dst->region.type();
    }
    RegionObject* b = regionOf(hrgnSrc2);
    if (b == nullptr) {
        return ERROR;
    }
    dst->region = Region::combine(a->region, b->region, iMode);
    return dst->region.type();
}

WINGDIAPI BOOL WINAPI EqualRgn(HRGN hrgn1, HRGN hrgn2) {
    RegionObject* a = regionOf(hrgn1);
    RegionObject* b = regionOf(hrgn2);
    if (a == nullptr || b == nullptr) {
        return ERROR;
    }
    return a->region.equals(b->region) ? TRUE : FALSE;
}

WINGDIAPI int WINAPI OffsetRgn(HRGN hrgn, int x, int y) {
    RegionObject* r = regionOf(hrgn);
    if (r == nullptr) {
        return ERROR;
    }
    r->region.offset(x, y);
    return r->region.type();
}

WINGDIAPI int WINAPI GetRgnBox(HRGN hrgn, LPRECT lprc) {
    RegionObject* r = regionOf(hrgn);
    if (r == nullptr || lprc == nullptr) {
        return ERROR;
    }
    *lprc = r->region.box();
    return r->region.type();
}

WINGDIAPI BOOL WINAPI PtInRegion(HRGN hrgn, int x, int y) {
    RegionObject* r = regionOf(hrgn);
    return r != nullptr && r->region.contains(x, y) ? TRUE : FALSE;
}

WINGDIAPI BOOL WINAPI RectInRegion(HRGN hrgn, const RECT* lprect) {
    RegionObject* r = regionOf(hrgn);
    return r != nullptr && lprect != nullptr && r->region.intersects(*lprect) ? TRUE : FALSE;
}
