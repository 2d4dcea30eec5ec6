// Raster operations and the drawing functions of GDI: blits, pixels, lines,
// shapes, region fills.
#include "gdi/gdi.h"

#include <algorithm>
#include <cstdlib>

namespace vedrix::winapi::gdi {

using vedrix::headless::DrawingEntry;
using vedrix::headless::DrawingKind;

// ---------------------------------------------------------------------------
// Canvas

Canvas::Canvas(DeviceContext& dc) : dc_(dc), bm_(selectedBitmap(dc)) {
    if (bm_ != nullptr) {
        vis_ = visibleRegion(dc);
        bm_->pull();
        bm_->forgetFits();
    }
}

Canvas::~Canvas() {
    if (bm_ != nullptr && changed_) {
        bm_->push();
    }
}

void Canvas::set(int x, int y, Pixel p) {
    if (bm_ != nullptr && vis_.contains(x, y)) {
        bm_->at(x, y) = bm_->fit(p);
        changed_ = true;
    }
}

// ---------------------------------------------------------------------------
// Raster operations

Pixel rop3(DWORD rop, Pixel p, Pixel s, Pixel d) {
    unsigned code = (rop >> 16) & 0xFFu;
    switch (code) {
        case 0xCC:
            return s;
        case 0xF0:
            return p;
        case 0xAA:
            return d;
        case 0x00:
            return 0;
        case 0xFF:
            return 0xFFFFFFu;
        default:
            break;
    }
    Pixel r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if ((code & (1u << i)) != 0) {
            r |= ((i & 4u) != 0 ? p : ~p) & ((i & 2u) != 0 ? s : ~s) & ((i & 1u) != 0 ? d : ~d);
        }
    }
    return r & 0x00FFFFFFu;
}

Pixel rop2(int mode, Pixel pen, Pixel d) {
    unsigned code = static_cast<unsigned>(mode - 1) & 0x0Fu;
    if (mode == R2_COPYPEN) {
        return pen;
    }
    Pixel r = 0;
    for (unsigned i = 0; i < 4; ++i) {
        if ((code & (1u << i)) != 0) {
            r |= ((i & 2u) != 0 ? pen : ~pen) & ((i & 1u) != 0 ? d : ~d);
        }
    }
    return r & 0x00FFFFFFu;
}

bool ropUsesPattern(DWORD rop) {
    unsigned code = (rop >> 16) & 0xFFu;
    return ((code >> 4) ^ code) & 0x0Fu;
}

bool ropUsesSource(DWORD rop) {
    unsigned code = (rop >> 16) & 0xFFu;
    return ((code >> 2) ^ code) & 0x33u;
}

const Brush* currentBrush(const DeviceContext& dc) {
    return brushOf(static_cast<HBRUSH>(dc.st.brush));
}

const Pen* currentPen(const DeviceContext& dc) {
    return penOf(static_cast<HPEN>(dc.st.pen));
}

COLORREF penColor(const DeviceContext& dc, const Pen* pen) {
    if (pen == nullptr) {
        return CLR_INVALID;
    }
    return resolveColor(&dc, pen->dcPen ? dc.st.dcPenColor : pen->color);
}

COLORREF brushColor(const DeviceContext* dc, const Brush* b) {
    if (b == nullptr || b->style != BS_SOLID) {
        return CLR_INVALID;
    }
    if (b->sysColor >= 0) {
        return sysColor(b->sysColor);
    }
    if (b->dcBrush) {
        return dc != nullptr ? resolveColor(dc, dc->st.dcBrushColor) : CLR_INVALID;
    }
    return resolveColor(dc, b->color);
}

const Brush* brushOrSysColor(HBRUSH h) {
    auto value = reinterpret_cast<std::uintptr_t>(h);
    // FillRect and friends accept (HBRUSH)(COLOR_xxx + 1).
    if (value >= 1 && value <= 31) {
        return brushOf(Objects::get().sysColorBrush(static_cast<int>(value - 1)));
    }
    return brushOf(h);
}

static bool hatchHit(ULONG_PTR hatch, int x, int y) {
    switch (hatch) {
        case HS_HORIZONTAL:
            return y == 0;
        case HS_VERTICAL:
            return x == 0;
        case HS_FDIAGONAL:
            return x == y;
        case HS_BDIAGONAL:
            return x == 7 - y;
        case HS_CROSS:
            return x == 0 || y == 0;
        case HS_DIAGCROSS:
            return x == y || x == 7 - y;
        default:
            return false;
    }
}

static int wrap(int v, int m) {
    int r = v % m;
    return r < 0 ? r + m : r;
}

std::optional<Pixel> patternAt(const DeviceContext& dc, const Brush& b, int x, int y) {
    switch (b.style) {
        case BS_SOLID:
            return pixelFromColor(brushColor(&dc, &b));
        case BS_HATCHED: {
            int xx = wrap(x - dc.st.brushOrg.x, 8);
            int yy = wrap(y - dc.st.brushOrg.y, 8);
            if (hatchHit(b.hatch, xx, yy)) {
                return pixelFromColor(resolveColor(&dc, b.color));
            }
            if (dc.st.bkMode == TRANSPARENT) {
                return std::nullopt;
            }
            return pixelFromColor(resolveColor(&dc, dc.st.bkColor));
        }
        case BS_PATTERN:
        case BS_DIBPATTERNPT: {
            if (b.patternWidth <= 0 || b.patternHeight <= 0) {
                return std::nullopt;
            }
            int xx = wrap(x - dc.st.brushOrg.x, b.patternWidth);
            int yy = wrap(y - dc.st.brushOrg.y, b.patternHeight);
            Pixel p = b.pattern[static_cast<std::size_t>(yy) * b.patternWidth + xx];
            if (b.patternMono) {
                return pixelFromColor(
                    resolveColor(&dc, rgbOf(p) == 0 ? dc.st.textColor : dc.st.bkColor));
            }
            return p;
        }
        default:
            return std::nullopt;
    }
}

void patBlt(DeviceContext& dc, const RECT& devRect, const Brush* brush, DWORD rop) {
    Canvas canvas(dc);
    if (!canvas.ok()) {
        return;
    }
    bool usesPattern = ropUsesPattern(rop);
    if (usesPattern && (brush == nullptr || brush->style == BS_NULL)) {
        return;
    }
    canvas.forRect(devRect, [&](int x, int y, Pixel d) -> std::optional<Pixel> {
        Pixel p = 0;
        if (usesPattern) {
            std::optional<Pixel> pat = patternAt(dc, *brush, x, y);
            if (!pat) {
                return std::nullopt;
            }
            p = *pat;
        }
        return rop3(rop, p, 0, d);
    });
}

void fillSolid(DeviceContext& dc, const RECT& devRect, COLORREF color) {
    Brush b;
    b.color = color;
    patBlt(dc, devRect, &b, PATCOPY);
}

void convertSource(const DeviceContext& dst, const DeviceContext* src, bool srcMono,
                   std::vector<Pixel>& px) {
    Bitmap* dstBm = selectedBitmap(const_cast<DeviceContext&>(dst));
    bool dstMono = dstBm != nullptr && dstBm->monochrome();
    if (srcMono && !dstMono) {
        // Black becomes the destination's text colour, white its background colour.
        Pixel fg = pixelFromColor(resolveColor(&dst, dst.st.textColor));
        Pixel bg = pixelFromColor(resolveColor(&dst, dst.st.bkColor));
        for (Pixel& p : px) {
            p = rgbOf(p) == 0 ? fg : bg;
        }
    } else if (!srcMono && dstMono) {
        // The source's background colour becomes white, everything else black.
        Pixel bk = pixelFromColor(resolveColor(src, src != nullptr ? src->st.bkColor : 0xFFFFFF));
        for (Pixel& p : px) {
            p = rgbOf(p) == bk ? 0xFFFFFFu : 0u;
        }
    }
}

void blit(DeviceContext& dst, const RECT& dstRect, const std::vector<Pixel>& src, int srcWidth,
          int srcHeight, DWORD rop) {
    Canvas canvas(dst);
    if (!canvas.ok() || srcWidth <= 0 || srcHeight <= 0) {
        return;
    }
    int dw = dstRect.right - dstRect.left;
    int dh = dstRect.bottom - dstRect.top;
    if (dw <= 0 || dh <= 0) {
        return;
    }
    const Brush* brush = currentBrush(dst);
    bool usesPattern = ropUsesPattern(rop);
    if (usesPattern && (brush == nullptr || brush->style == BS_NULL)) {
        return;
    }
    canvas.forRect(dstRect, [&](int x, int y, Pixel d) -> std::optional<Pixel> {
        long sx = static_cast<long>(x - dstRect.left) * srcWidth / dw;
        long sy = static_cast<long>(y - dstRect.top) * srcHeight / dh;
        Pixel s = src[static_cast<std::size_t>(sy) * srcWidth + sx];
        Pixel p = 0;
        if (usesPattern) {
            std::optional<Pixel> pat = patternAt(dst, *brush, x, y);
            if (!pat) {
                return std::nullopt;
            }
            p = *pat;
        }
        return rop3(rop, p, s, d);
    });
}

bool readPixels(DeviceContext& dc, const RECT& devRect, std::vector<Pixel>& out, bool& mono) {
    int w = devRect.right - devRect.left;
    int h = devRect.bottom - devRect.top;
    mono = false;
    if (w <= 0 || h <= 0) {
        out.clear();
        return false;
    }
    out.assign(static_cast<std::size_t>(w) * h, 0xFFFFFFu);
    if (dc.kind != DcKind::Memory) {
        return true;  // the screen reads as white
    }
    Bitmap* bm = selectedBitmap(dc);
    if (bm == nullptr) {
        return false;
    }
    bm->pull();
    mono = bm->monochrome();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int bx = devRect.left + x;
            int by = devRect.top + y;
            Pixel p = 0;
            if (bx >= 0 && by >= 0 && bx < bm->width && by < bm->height) {
                p = bm->at(bx, by);
            }
            out[static_cast<std::size_t>(y) * w + x] = p;
        }
    }
    return true;
}

// Pen lines: Bresenham from a to b, the end point excluded, as the platform
// draws them. Wide pens stamp a square of their width on every point. Dashed
// and dotted styles are drawn solid.
void drawLine(DeviceContext& dc, Canvas& canvas, POINT a, POINT b) {
    const Pen* pen = currentPen(dc);
    if (!canvas.ok() || pen == nullptr || pen->style == PS_NULL) {
        return;
    }
    Pixel color = pixelFromColor(penColor(dc, pen));
    int width = pen->width;
    auto stamp = [&](int x, int y) {
        int x0 = x - width / 2;
        int y0 = y - width / 2;
        for (int yy = y0; yy < y0 + width; ++yy) {
            for (int xx = x0; xx < x0 + width; ++xx) {
                if (canvas.visible().contains(xx, yy)) {
                    Pixel d = canvas.bitmap()->at(xx, yy);
                    canvas.set(xx, yy, rop2(dc.st.rop2, color, d));
                }
            }
        }
    };
    int dx = std::abs(b.x - a.x);
    int dy = -std::abs(b.y - a.y);
    int sx = a.x < b.x ? 1 : -1;
    int sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    int x = a.x;
    int y = a.y;
    while (x != b.x || y != b.y) {
        stamp(x, y);
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

}  // namespace vedrix::winapi::gdi

using namespace vedrix::winapi::gdi;

namespace {

RECT normalisedDevice(const DeviceContext& dc, int x, int y, int w, int h) {
    RECT r = toDevice(dc, RECT{x, y, x + w, y + h});
    return rectNormalised(r.left, r.top, r.right, r.bottom);
}

void recordRect(const DeviceContext& dc, DrawingKind kind, const RECT& rect, COLORREF color,
                UINT flags = 0) {
    if (!recorded(dc)) {
        return;
    }
    DrawingEntry e;
    e.kind = kind;
    e.rect = rect;
    e.color = color;
    e.flags = flags;
    record(dc, e);
}

}  // namespace

// ---------------------------------------------------------------------------
// Blits

WINGDIAPI BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    RECT r = normalisedDevice(*dc, x, y, w, h);
    const Brush* brush = currentBrush(*dc);
    patBlt(*dc, r, brush, rop);
    recordRect(*dc, DrawingKind::PatBlt, r, brushColor(dc, brush), rop);
    return TRUE;
}

WINGDIAPI BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest,
                                 HDC hdcSrc, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop) {
    DeviceContext* dst = dcOf(hdcDest);
    if (dst == nullptr) {
        return FALSE;
    }
    rop &= ~(NOMIRRORBITMAP | CAPTUREBLT);
    RECT dr = normalisedDevice(*dst, xDest, yDest, wDest, hDest);
    bool stretch = wDest != wSrc || hDest != hSrc;
    if (!ropUsesSource(rop)) {
        const Brush* brush = currentBrush(*dst);
        patBlt(*dst, dr, brush, rop);
        recordRect(*dst, stretch ? DrawingKind::StretchBlt : DrawingKind::BitBlt, dr,
                   brushColor(dst, brush), rop);
        return TRUE;
    }
    DeviceContext* src = dcOf(hdcSrc);
    if (src == nullptr || wSrc == 0 || hSrc == 0) {
        return FALSE;
    }
    RECT sr = normalisedDevice(*src, xSrc, ySrc, wSrc, hSrc);
    std::vector<Pixel> px;
    bool srcMono = false;
    if (!readPixels(*src, sr, px, srcMono)) {
        return FALSE;
    }
    int sw = sr.right - sr.left;
    int sh = sr.bottom - sr.top;
    // Opposite signs of the destination and source sizes mirror the image.
    bool flipX = (wDest < 0) != (wSrc < 0);
    bool flipY = (hDest < 0) != (hSrc < 0);
    if (flipX || flipY) {
        std::vector<Pixel> m(px.size());
        for (int y = 0; y < sh; ++y) {
            for (int x = 0; x < sw; ++x) {
                int fx = flipX ? sw - 1 - x : x;
                int fy = flipY ? sh - 1 - y : y;
                m[static_cast<std::size_t>(y) * sw + x] =
                    px[static_cast<std::size_t>(fy) * sw + fx];
            }
        }
        px.swap(m);
    }
    convertSource(*dst, src, srcMono, px);
    blit(*dst, dr, px, sw, sh, rop);
    if (recorded(*dst)) {
        DrawingEntry e;
        e.kind = stretch ? DrawingKind::StretchBlt : DrawingKind::BitBlt;
        e.rect = dr;
        e.bounds = sr;
        e.flags = rop;
        record(*dst, e);
    }
    return TRUE;
}

WINGDIAPI BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1,
                             DWORD rop) {
    return StretchBlt(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

// ---------------------------------------------------------------------------
// Pixels

WINGDIAPI COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    POINT p = toDevice(*dc, x, y);
    if (!visibleRegion(*dc).contains(p.x, p.y)) {
        return CLR_INVALID;
    }
    if (dc->kind != DcKind::Memory) {
        return RGB(255, 255, 255);
    }
    Bitmap* bm = selectedBitmap(*dc);
    if (bm == nullptr) {
        return CLR_INVALID;
    }
    bm->pull();
    return colorFromPixel(bm->at(p.x, p.y));
}

WINGDIAPI COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    POINT p = toDevice(*dc, x, y);
    COLORREF c = resolveColor(dc, color);
    recordRect(*dc, DrawingKind::SetPixel, RECT{p.x, p.y, p.x + 1, p.y + 1}, c);
    if (!visibleRegion(*dc).contains(p.x, p.y)) {
        return CLR_INVALID;
    }
    Canvas canvas(*dc);
    if (!canvas.ok()) {
        return c;
    }
    canvas.set(p.x, p.y, pixelFromColor(c));
    return colorFromPixel(canvas.bitmap()->at(p.x, p.y));
}

WINGDIAPI BOOL WINAPI SetPixelV(HDC hdc, int x, int y, COLORREF color) {
    return SetPixel(hdc, x, y, color) != CLR_INVALID ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------
// Lines and shapes

WINGDIAPI BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    POINT a = toDevice(*dc, dc->st.position.x, dc->st.position.y);
    POINT b = toDevice(*dc, x, y);
    {
        Canvas canvas(*dc);
        drawLine(*dc, canvas, a, b);
    }
    dc->st.position = POINT{x, y};
    if (recorded(*dc)) {
        DrawingEntry e;
        e.kind = DrawingKind::LineTo;
        e.rect = RECT{a.x, a.y, b.x, b.y};
        e.points = {a, b};
        e.color = penColor(*dc, currentPen(*dc));
        record(*dc, e);
    }
    return TRUE;
}

WINGDIAPI BOOL WINAPI Polyline(HDC hdc, const POINT* apt, int cpt) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || apt == nullptr || cpt < 2) {
        return FALSE;
    }
    std::vector<POINT> pts;
    for (int i = 0; i < cpt; ++i) {
        pts.push_back(toDevice(*dc, apt[i].x, apt[i].y));
    }
    {
        Canvas canvas(*dc);
        for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
            drawLine(*dc, canvas, pts[i], pts[i + 1]);
        }
    }
    if (recorded(*dc)) {
        DrawingEntry e;
        e.kind = DrawingKind::Polyline;
        e.points = pts;
        e.color = penColor(*dc, currentPen(*dc));
        record(*dc, e);
    }
    return TRUE;
}

// Polygons are filled with the alternate (even-odd) rule at pixel centres,
// then outlined with the pen.
WINGDIAPI BOOL WINAPI Polygon(HDC hdc, const POINT* apt, int cpt) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || apt == nullptr || cpt < 2) {
        return FALSE;
    }
    std::vector<POINT> pts;
    for (int i = 0; i < cpt; ++i) {
        pts.push_back(toDevice(*dc, apt[i].x, apt[i].y));
    }
    const Brush* brush = currentBrush(*dc);
    {
        Canvas canvas(*dc);
        if (canvas.ok() && brush != nullptr && brush->style != BS_NULL) {
            LONG top = pts[0].y;
            LONG bottom = pts[0].y;
            for (const POINT& p : pts) {
                top = std::min(top, p.y);
                bottom = std::max(bottom, p.y);
            }
            for (LONG y = top; y < bottom; ++y) {
                double cy = y + 0.5;
                std::vector<double> xs;
                for (std::size_t i = 0; i < pts.size(); ++i) {
                    POINT p = pts[i];
                    POINT q = pts[(i + 1) % pts.size()];
                    if ((p.y <= cy && q.y > cy) || (q.y <= cy && p.y > cy)) {
                        xs.push_back(p.x +
                                     (cy - p.y) * (q.x - p.x) / static_cast<double>(q.y - p.y));
                    }
                }
                std::sort(xs.begin(), xs.end());
                for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
                    auto x0 = static_cast<LONG>(xs[i] + 0.5);
                    auto x1 = static_cast<LONG>(xs[i + 1] + 0.5);
                    canvas.forRect(RECT{x0, y, x1, y + 1}, [&](int x, int yy, Pixel) {
                        return patternAt(*dc, *brush, x, yy);
                    });
                }
            }
        }
        for (std::size_t i = 0; i < pts.size(); ++i) {
            drawLine(*dc, canvas, pts[i], pts[(i + 1) % pts.size()]);
        }
    }
    if (recorded(*dc)) {
        DrawingEntry e;
        e.kind = DrawingKind::Polygon;
        e.points = pts;
        e.color = brushColor(dc, brush);
        record(*dc, e);
    }
    return TRUE;
}

// The outline takes the pen inside the rectangle (its right and bottom
// edges excluded, as on the platform); the inside takes the brush.
WINGDIAPI BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    RECT r = toDevice(*dc, rectNormalised(left, top, right, bottom));
    const Brush* brush = currentBrush(*dc);
    const Pen* pen = currentPen(*dc);
    bool outline = pen != nullptr && pen->style != PS_NULL;
    if (outline) {
        int w = std::max(1, pen->width);
        RECT inner{r.left + w, r.top + w, r.right - w, r.bottom - w};
        if (!rectEmpty(inner)) {
            patBlt(*dc, inner, brush, PATCOPY);
        }
        Canvas canvas(*dc);
        Pixel color = pixelFromColor(penColor(*dc, pen));
        canvas.forRect(r, [&](int x, int y, Pixel d) -> std::optional<Pixel> {
            bool edge = x < r.left + w || x >= r.right - w || y < r.top + w || y >= r.bottom - w;
            if (!edge) {
                return std::nullopt;
            }
            return rop2(dc->st.rop2, color, d);
        });
    } else {
        patBlt(*dc, RECT{r.left, r.top, r.right - 1, r.bottom - 1}, brush, PATCOPY);
    }
    recordRect(*dc, DrawingKind::Rectangle, r, brushColor(dc, brush));
    return TRUE;
}

WINGDIAPI BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    RECT r = toDevice(*dc, rectNormalised(left, top, right, bottom));
    const Brush* brush = currentBrush(*dc);
    const Pen* pen = currentPen(*dc);
    double a = (r.right - r.left) / 2.0;
    double b = (r.bottom - r.top) / 2.0;
    double cx = r.left + a;
    double cy = r.top + b;
    auto inside = [&](int x, int y) {
        if (a <= 0 || b <= 0) {
            return false;
        }
        double nx = (x + 0.5 - cx) / a;
        double ny = (y + 0.5 - cy) / b;
        return nx * nx + ny * ny <= 1.0;
    };
    bool outline = pen != nullptr && pen->style != PS_NULL;
    {
        Canvas canvas(*dc);
        Pixel penPixel = pixelFromColor(penColor(*dc, pen));
        canvas.forRect(r, [&](int x, int y, Pixel d) -> std::optional<Pixel> {
            if (!inside(x, y)) {
                return std::nullopt;
            }
            bool edge =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            if (outline && edge) {
                return rop2(dc->st.rop2, penPixel, d);
            }
            if (brush == nullptr) {
                return std::nullopt;
            }
            return patternAt(*dc, *brush, x, y);
        });
    }
    recordRect(*dc, DrawingKind::Ellipse, r, brushColor(dc, brush));
    return TRUE;
}

// ---------------------------------------------------------------------------
// Regions (logical coordinates)

namespace {

Region deviceRegion(const DeviceContext& dc, const Region& logical) {
    Region r = logical;
    POINT o = toDevice(dc, 0, 0);
    r.offset(o.x, o.y);
    return r;
}

BOOL fillRegion(HDC hdc, HRGN hrgn, const Brush* brush, DWORD rop) {
    DeviceContext* dc = dcOf(hdc);
    RegionObject* rgn = regionOf(hrgn);
    if (dc == nullptr || rgn == nullptr || (ropUsesPattern(rop) && brush == nullptr)) {
        return FALSE;
    }
    Region dev = deviceRegion(*dc, rgn->region);
    for (const RECT& r : dev.rects()) {
        patBlt(*dc, r, brush, rop);
    }
    recordRect(*dc, DrawingKind::FillRgn, dev.box(), brushColor(dc, brush), rop);
    return TRUE;
}

}  // namespace

WINGDIAPI BOOL WINAPI FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
    return fillRegion(hdc, hrgn, brushOrSysColor(hbr), PATCOPY);
}

WINGDIAPI BOOL WINAPI PaintRgn(HDC hdc, HRGN hrgn) {
    DeviceContext* dc = dcOf(hdc);
    return dc != nullptr ? fillRegion(hdc, hrgn, currentBrush(*dc), PATCOPY) : FALSE;
}

WINGDIAPI BOOL WINAPI InvertRgn(HDC hdc, HRGN hrgn) {
    return fillRegion(hdc, hrgn, nullptr, DSTINVERT);
}

// The frame is the part of the region that a shift by w or h in any
// direction leaves uncovered.
WINGDIAPI BOOL WINAPI FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h) {
    DeviceContext* dc = dcOf(hdc);
    RegionObject* rgn = regionOf(hrgn);
    const Brush* brush = brushOrSysColor(hbr);
    if (dc == nullptr || rgn == nullptr || brush == nullptr || w < 0 || h < 0) {
        return FALSE;
    }
    Region core = rgn->region;
    const int shifts[4][2] = {{w, 0}, {-w, 0}, {0, h}, {0, -h}};
    for (const auto& s : shifts) {
        Region moved = rgn->region;
        moved.offset(s[0], s[1]);
        core = Region::combine(core, moved, RGN_AND);
    }
    Region frame = deviceRegion(*dc, Region::combine(rgn->region, core, RGN_DIFF));
    for (const RECT& r : frame.rects()) {
        patBlt(*dc, r, brush, PATCOPY);
    }
    recordRect(*dc, DrawingKind::FillRgn, frame.box(), brushColor(dc, brush));
    return TRUE;
}
