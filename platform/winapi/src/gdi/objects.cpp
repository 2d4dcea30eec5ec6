// The handle table, stock objects, and the object functions of the platform
// API: creation of brushes, pens, fonts and palettes, SelectObject,
// DeleteObject, GetObject.
#include "gdi/gdi.h"

#include <algorithm>
#include <cstring>

namespace vedrix::winapi::gdi {

namespace {

// Handles are spaced so that they look nothing like small integers or the
// (COLOR_ + 1) values that FillRect also accepts as brushes.
constexpr std::uintptr_t kHandleBase = 0x60000000u;
constexpr std::uintptr_t kHandleStep = 16;

std::uintptr_t key(HGDIOBJ h) {
    return reinterpret_cast<std::uintptr_t>(h);
}

LOGFONTA stockFont(const char* face, BYTE pitchAndFamily) {
    LOGFONTA lf{};
    lf.lfHeight = kLineHeight;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfPitchAndFamily = pitchAndFamily;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

bool stateRefers(const DcState& s, HGDIOBJ h) {
    return s.bitmap == h || s.brush == h || s.pen == h || s.font == h || s.palette == h;
}

}  // namespace

Objects& Objects::get() {
    static Objects objects;
    return objects;
}

Objects::Objects() {
    auto addStock = [this](int index, std::unique_ptr<GdiObject> o) {
        o->stock = true;
        stock_[index] = add(std::move(o));
    };
    auto solid = [](COLORREF c) {
        auto b = std::make_unique<Brush>();
        b->color = c;
        return b;
    };
    addStock(WHITE_BRUSH, solid(RGB(255, 255, 255)));
    addStock(LTGRAY_BRUSH, solid(RGB(192, 192, 192)));
    addStock(GRAY_BRUSH, solid(RGB(128, 128, 128)));
    addStock(DKGRAY_BRUSH, solid(RGB(64, 64, 64)));
    addStock(BLACK_BRUSH, solid(RGB(0, 0, 0)));
    {
        auto b = std::make_unique<Brush>();
        b->style = BS_NULL;
        addStock(NULL_BRUSH, std::move(b));
    }
    auto pen = [](UINT style, COLORREF c) {
        auto p = std::make_unique<Pen>();
        p->style = style;
        p->color = c;
        return p;
    };
    addStock(WHITE_PEN, pen(PS_SOLID, RGB(255, 255, 255)));
    addStock(BLACK_PEN, pen(PS_SOLID, RGB(0, 0, 0)));
    addStock(NULL_PEN, pen(PS_NULL, RGB(0, 0, 0)));
    auto font = [](const LOGFONTA& lf) {
        auto f = std::make_unique<Font>();
        f->lf = lf;
        return f;
    };
    addStock(OEM_FIXED_FONT, font(stockFont("Terminal", FIXED_PITCH | FF_MODERN)));
    addStock(ANSI_FIXED_FONT, font(stockFont("Courier", FIXED_PITCH | FF_MODERN)));
    addStock(ANSI_VAR_FONT, font(stockFont("MS Sans Serif", VARIABLE_PITCH | FF_SWISS)));
    // The platform's system font is bold; here it has normal weight so that
    // text drawn with a context's default font measures 7 pixels a character.
    addStock(SYSTEM_FONT, font(stockFont("System", VARIABLE_PITCH | FF_SWISS)));
    addStock(DEVICE_DEFAULT_FONT, font(stockFont("System", VARIABLE_PITCH | FF_SWISS)));
    addStock(SYSTEM_FIXED_FONT, font(stockFont("Fixedsys", FIXED_PITCH | FF_MODERN)));
    addStock(DEFAULT_GUI_FONT, font(stockFont("MS Shell Dlg", VARIABLE_PITCH | FF_SWISS)));
    {
        auto p = std::make_unique<Palette>();
        p->entries = defaultPaletteEntries();
        addStock(DEFAULT_PALETTE, std::move(p));
    }
    {
        auto b = std::make_unique<Brush>();
        b->dcBrush = true;
        addStock(DC_BRUSH, std::move(b));
        auto p = std::make_unique<Pen>();
        p->dcPen = true;
        addStock(DC_PEN, std::move(p));
    }
    // The 1 x 1 monochrome bitmap that a new memory context holds.
    auto bm = std::make_unique<Bitmap>();
    bm->width = 1;
    bm->height = 1;
    bm->bpp = 1;
    bm->colors = monoTable();
    bm->px.assign(1, 0);
    bm->stock = true;
    defaultBitmap_ = static_cast<HBITMAP>(add(std::move(bm)));
}

HGDIOBJ Objects::add(std::unique_ptr<GdiObject> object) {
    ++next_;
    std::uintptr_t k = kHandleBase + next_ * kHandleStep;
    objects_[k] = std::move(object);
    return reinterpret_cast<HGDIOBJ>(k);
}

GdiObject* Objects::find(HGDIOBJ h) const {
    if (h == nullptr) {
        return nullptr;
    }
    auto it = objects_.find(key(h));
    return it == objects_.end() ? nullptr : it->second.get();
}

void Objects::erase(HGDIOBJ h) {
    objects_.erase(key(h));
}

bool Objects::referenced(HGDIOBJ h) const {
    for (const auto& [k, o] : objects_) {
        if (o->type != OBJ_DC && o->type != OBJ_MEMDC) {
            continue;
        }
        const auto* dc = static_cast<const DeviceContext*>(o.get());
        if (stateRefers(dc->st, h)) {
            return true;
        }
        for (const DcState& s : dc->saved) {
            if (stateRefers(s, h)) {
                return true;
            }
        }
    }
    return false;
}

void Objects::markPending(GdiObject* object) {
    if (!object->pendingDelete) {
        object->pendingDelete = true;
        ++pending_;
    }
}

void Objects::collect() {
    if (pending_ == 0) {
        return;
    }
    std::vector<std::uintptr_t> pending;
    for (const auto& [k, o] : objects_) {
        if (o->pendingDelete) {
            pending.push_back(k);
        }
    }
    for (std::uintptr_t k : pending) {
        if (!referenced(reinterpret_cast<HGDIOBJ>(k))) {
            objects_.erase(k);
            --pending_;
        }
    }
}

std::size_t Objects::count(DWORD type) const {
    std::size_t n = 0;
    for (const auto& [k, o] : objects_) {
        if (o->stock) {
            continue;
        }
        if (type == 0 || o->type == type || (type == OBJ_DC && o->type == OBJ_MEMDC)) {
            ++n;
        }
    }
    return n;
}

HGDIOBJ Objects::stock(int index) const {
    if (index < 0 || index > STOCK_LAST) {
        return nullptr;
    }
    return stock_[index];
}

HBRUSH Objects::sysColorBrush(int index) {
    auto it = sysBrushes_.find(index);
    if (it != sysBrushes_.end()) {
        return it->second;
    }
    auto b = std::make_unique<Brush>();
    b->sysColor = index;
    b->stock = true;
    auto h = static_cast<HBRUSH>(add(std::move(b)));
    sysBrushes_[index] = h;
    return h;
}

DeviceContext* dcOf(HDC hdc) {
    GdiObject* o = Objects::get().find(hdc);
    if (o == nullptr || (o->type != OBJ_DC && o->type != OBJ_MEMDC)) {
        return nullptr;
    }
    return static_cast<DeviceContext*>(o);
}
Bitmap* bitmapOf(HBITMAP h) {
    return Objects::get().find<Bitmap>(h, OBJ_BITMAP);
}
Brush* brushOf(HBRUSH h) {
    return Objects::get().find<Brush>(h, OBJ_BRUSH);
}
Pen* penOf(HPEN h) {
    return Objects::get().find<Pen>(h, OBJ_PEN);
}
Font* fontOf(HFONT h) {
    return Objects::get().find<Font>(h, OBJ_FONT);
}
RegionObject* regionOf(HRGN h) {
    return Objects::get().find<RegionObject>(h, OBJ_REGION);
}
Palette* paletteOf(HPALETTE h) {
    return Objects::get().find<Palette>(h, OBJ_PAL);
}

// ---------------------------------------------------------------------------
// Bitmaps

Pixel Bitmap::reduce(Pixel p, int slot) {
    Pixel out = p;
    if (!colors.empty() && bpp <= 8) {
        out = colors[static_cast<std::size_t>(nearestIndex(colors, rgbOf(p)))];
    } else if (bpp == 16 || (dibSection && bpp == 32 && !layout.hasAlpha)) {
        DWORD v = layout.red.encode((p >> 16) & 0xFF) | layout.green.encode((p >> 8) & 0xFF) |
                  layout.blue.encode(p & 0xFF);
        out = (static_cast<Pixel>(layout.red.decode(v)) << 16) |
              (static_cast<Pixel>(layout.green.decode(v)) << 8) | layout.blue.decode(v);
    } else if (bpp == 24) {
        out = rgbOf(p);
    }
    fitIn[static_cast<std::size_t>(slot)] = p;
    fitOut[static_cast<std::size_t>(slot)] = out;
    fitsKnown |= std::uint64_t{1} << slot;
    return out;
}

void Bitmap::pull() {
    if (!dibSection || !bits) {
        return;
    }
    decodeDib(layout, bits.get(), bitsSize, 0, height,
              [this](int x, int y, Pixel p) { at(x, y) = p; });
}

void Bitmap::push() {
    if (!dibSection || !bits) {
        return;
    }
    for (int y = 0; y < height; ++y) {
        int scan = layout.topDown ? y : height - 1 - y;
        encodeRow(layout, &px[static_cast<std::size_t>(y) * width],
                  bits.get() + static_cast<std::size_t>(scan) * layout.stride);
    }
}

// Bitmaps made by GDI itself (image list strips, compatible bitmaps) may be
// long on one side; only their pixel count is bounded.
HBITMAP newBitmap(int width, int height, int bpp, const std::vector<Pixel>* colors) {
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > 64LL * 1024 * 1024) {
        return nullptr;
    }
    auto bm = std::make_unique<Bitmap>();
    bm->width = width;
    bm->height = height;
    bm->bpp = bpp;
    if (bpp <= 8) {
        if (colors != nullptr) {
            bm->colors = *colors;
        } else {
            bm->colors = bpp == 1 ? monoTable() : bpp == 4 ? table16() : table256();
        }
    } else if (bpp == 16) {
        bm->layout.red = ChannelMask::of(0x7C00);
        bm->layout.green = ChannelMask::of(0x03E0);
        bm->layout.blue = ChannelMask::of(0x001F);
    }
    bm->px.assign(static_cast<std::size_t>(width) * height, bm->colors.empty() ? 0 : bm->colors[0]);
    return static_cast<HBITMAP>(Objects::get().add(std::move(bm)));
}

HBITMAP newDibSection(const DibLayout& layout, const BITMAPINFOHEADER& header, void** bitsOut) {
    if ((layout.compression != BI_RGB && layout.compression != BI_BITFIELDS) || layout.width <= 0 ||
        layout.height <= 0 ||
        static_cast<long long>(layout.width) * layout.height > 64LL * 1024 * 1024) {
        return nullptr;
    }
    auto bm = std::make_unique<Bitmap>();
    bm->width = layout.width;
    bm->height = layout.height;
    bm->bpp = layout.bpp;
    bm->dibSection = true;
    bm->layout = layout;
    if (layout.bpp <= 8) {
        bm->colors = layout.colors;
        bm->colors.resize(std::size_t{1} << layout.bpp, 0);
        bm->layout.colors = bm->colors;
    }
    bm->dibHeader = header;
    bm->dibHeader.biSize = sizeof(BITMAPINFOHEADER);
    bm->dibHeader.biSizeImage = static_cast<DWORD>(layout.stride * layout.height);
    bm->bitsSize = layout.stride * static_cast<std::size_t>(layout.height);
    bm->bits = std::make_unique<std::uint8_t[]>(bm->bitsSize);
    std::memset(bm->bits.get(), 0, bm->bitsSize);
    bm->px.assign(static_cast<std::size_t>(layout.width) * layout.height, 0);
    bm->pull();
    if (bitsOut != nullptr) {
        *bitsOut = bm->bits.get();
    }
    return static_cast<HBITMAP>(Objects::get().add(std::move(bm)));
}

Bitmap* selectedBitmap(DeviceContext& dc) {
    if (dc.kind != DcKind::Memory) {
        return nullptr;
    }
    return bitmapOf(static_cast<HBITMAP>(dc.st.bitmap));
}

// ---------------------------------------------------------------------------
// Colours

const std::vector<PALETTEENTRY>& paletteEntriesOf(const DeviceContext* dc) {
    if (dc != nullptr) {
        if (Palette* p = paletteOf(static_cast<HPALETTE>(dc->st.palette))) {
            return p->entries;
        }
    }
    return defaultPaletteEntries();
}

COLORREF resolveColor(const DeviceContext* dc, COLORREF c) {
    if ((c & 0xFF000000u) == 0x01000000u) {  // PALETTEINDEX
        const auto& entries = paletteEntriesOf(dc);
        WORD i = static_cast<WORD>(c & 0xFFFF);
        const PALETTEENTRY& e = i < entries.size() ? entries[i] : entries[0];
        return RGB(e.peRed, e.peGreen, e.peBlue);
    }
    return c & 0x00FFFFFFu;
}

int fontWeightOf(const DeviceContext& dc) {
    Font* f = fontOf(static_cast<HFONT>(dc.st.font));
    if (f == nullptr || f->lf.lfWeight == FW_DONTCARE) {
        return FW_NORMAL;
    }
    return static_cast<int>(f->lf.lfWeight);
}

}  // namespace vedrix::winapi::gdi

using namespace vedrix::winapi::gdi;

// ---------------------------------------------------------------------------
// Stock objects and object queries

WINGDIAPI HGDIOBJ WINAPI GetStockObject(int i) {
    return Objects::get().stock(i);
}

WINGDIAPI DWORD WINAPI GetObjectType(HGDIOBJ h) {
    GdiObject* o = Objects::get().find(h);
    return o != nullptr ? o->type : 0;
}

WINGDIAPI int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    GdiObject* o = Objects::get().find(h);
    if (o == nullptr || c < 0) {
        return 0;
    }
    auto copyOut = [&](const void* src, int size) {
        if (pv == nullptr) {
            return size;
        }
        int n = std::min(c, size);
        std::memcpy(pv, src, static_cast<std::size_t>(n));
        return n;
    };
    switch (o->type) {
        case OBJ_BITMAP: {
            auto* bm = static_cast<Bitmap*>(o);
            DIBSECTION ds{};
            ds.dsBm.bmType = 0;
            ds.dsBm.bmWidth = bm->width;
            ds.dsBm.bmHeight = bm->height;
            ds.dsBm.bmPlanes = 1;
            ds.dsBm.bmBitsPixel = static_cast<WORD>(bm->bpp);
            if (bm->dibSection) {
                ds.dsBm.bmWidthBytes = static_cast<LONG>(bm->layout.stride);
                ds.dsBm.bmBits = bm->bits.get();
                ds.dsBmih = bm->dibHeader;
                if (bm->layout.compression == BI_BITFIELDS) {
                    ds.dsBitfields[0] = bm->layout.red.mask;
                    ds.dsBitfields[1] = bm->layout.green.mask;
                    ds.dsBitfields[2] = bm->layout.blue.mask;
                }
            } else {
                ds.dsBm.bmWidthBytes = static_cast<LONG>(ddbStride(bm->width, bm->bpp));
            }
            if (pv == nullptr) {
                return bm->dibSection ? static_cast<int>(sizeof(DIBSECTION))
                                      : static_cast<int>(sizeof(BITMAP));
            }
            if (bm->dibSection && c >= static_cast<int>(sizeof(DIBSECTION))) {
                std::memcpy(pv, &ds, sizeof(DIBSECTION));
                return sizeof(DIBSECTION);
            }
            if (c >= static_cast<int>(sizeof(BITMAP))) {
                std::memcpy(pv, &ds.dsBm, sizeof(BITMAP));
                return sizeof(BITMAP);
            }
            return 0;
        }
        case OBJ_BRUSH: {
            auto* b = static_cast<Brush*>(o);
            LOGBRUSH lb{};
            lb.lbStyle = b->style;
            lb.lbColor = b->sysColor >= 0 ? sysColor(b->sysColor) : b->color;
            lb.lbHatch = b->hatch;
            return copyOut(&lb, sizeof(LOGBRUSH));
        }
        case OBJ_PEN: {
            auto* p = static_cast<Pen*>(o);
            LOGPEN lp{};
            lp.lopnStyle = p->style;
            lp.lopnWidth.x = p->width;
            lp.lopnColor = p->color;
            return copyOut(&lp, sizeof(LOGPEN));
        }
        case OBJ_FONT:
            return copyOut(&static_cast<Font*>(o)->lf, sizeof(LOGFONTA));
        case OBJ_PAL: {
            WORD n = static_cast<WORD>(static_cast<Palette*>(o)->entries.size());
            return copyOut(&n, sizeof(WORD));
        }
        default:
            return 0;
    }
}

WINGDIAPI HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return nullptr;
    }
    switch (type) {
        case OBJ_BITMAP:
            return dc->kind == DcKind::Memory ? dc->st.bitmap : nullptr;
        case OBJ_BRUSH:
            return dc->st.brush;
        case OBJ_PEN:
            return dc->st.pen;
        case OBJ_FONT:
            return dc->st.font;
        case OBJ_PAL:
            return dc->st.palette;
        default:
            return nullptr;
    }
}

// ---------------------------------------------------------------------------
// Selecting and deleting

WINGDIAPI HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    DeviceContext* dc = dcOf(hdc);
    GdiObject* o = Objects::get().find(h);
    if (dc == nullptr || o == nullptr) {
        return nullptr;
    }
    HGDIOBJ previous = nullptr;
    switch (o->type) {
        case OBJ_REGION: {
            int type = SelectClipRgn(hdc, static_cast<HRGN>(h));
            return type == ERROR ? HGDI_ERROR
                                 : reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(type));
        }
        case OBJ_BITMAP: {
            auto* bm = static_cast<Bitmap*>(o);
            // Only memory contexts hold bitmaps, and a bitmap is in one context at a time.
            if (dc->kind != DcKind::Memory) {
                return nullptr;
            }
            if (!bm->stock && bm->selectedInto != nullptr && bm->selectedInto != hdc) {
                return nullptr;
            }
            previous = dc->st.bitmap;
            if (Bitmap* old = bitmapOf(static_cast<HBITMAP>(previous))) {
                if (old->selectedInto == hdc) {
                    old->selectedInto = nullptr;
                }
            }
            dc->st.bitmap = h;
            if (!bm->stock) {
                bm->selectedInto = hdc;
            }
            break;
        }
        case OBJ_BRUSH:
            previous = dc->st.brush;
            dc->st.brush = h;
            break;
        case OBJ_PEN:
            previous = dc->st.pen;
            dc->st.pen = h;
            break;
        case OBJ_FONT:
            previous = dc->st.font;
            dc->st.font = h;
            break;
        default:  // palettes go through SelectPalette; contexts cannot be selected
            return nullptr;
    }
    Objects::get().collect();
    return previous;
}

WINGDIAPI BOOL WINAPI DeleteObject(HGDIOBJ h) {
    Objects& objects = Objects::get();
    GdiObject* o = objects.find(h);
    if (o == nullptr || o->type == OBJ_DC || o->type == OBJ_MEMDC) {
        return FALSE;
    }
    if (o->stock) {
        return TRUE;
    }
    if (o->pendingDelete) {
        return TRUE;
    }
    if (o->type == OBJ_BITMAP) {
        auto* bm = static_cast<Bitmap*>(o);
        if (bm->selectedInto != nullptr || objects.referenced(h)) {
            return FALSE;
        }
        objects.erase(h);
        return TRUE;
    }
    if (objects.referenced(h)) {
        objects.markPending(o);
        return TRUE;
    }
    objects.erase(h);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Brushes, pens, fonts

WINGDIAPI HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    auto b = std::make_unique<Brush>();
    b->color = color;
    return static_cast<HBRUSH>(Objects::get().add(std::move(b)));
}

WINGDIAPI HBRUSH WINAPI CreateHatchBrush(int iHatch, COLORREF color) {
    if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS) {
        return nullptr;
    }
    auto b = std::make_unique<Brush>();
    b->style = BS_HATCHED;
    b->color = color;
    b->hatch = static_cast<ULONG_PTR>(iHatch);
    return static_cast<HBRUSH>(Objects::get().add(std::move(b)));
}

// The brush keeps a copy of the bitmap's pixels, so the bitmap may be deleted
// afterwards, as on the platform.
WINGDIAPI HBRUSH WINAPI CreatePatternBrush(HBITMAP hbm) {
    Bitmap* bm = bitmapOf(hbm);
    if (bm == nullptr) {
        return nullptr;
    }
    bm->pull();
    auto b = std::make_unique<Brush>();
    b->style = BS_PATTERN;
    b->hatch = reinterpret_cast<ULONG_PTR>(hbm);
    b->patternWidth = bm->width;
    b->patternHeight = bm->height;
    b->patternMono = bm->monochrome();
    b->pattern = bm->px;
    return static_cast<HBRUSH>(Objects::get().add(std::move(b)));
}

WINGDIAPI HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* plbrush) {
    if (plbrush == nullptr) {
        return nullptr;
    }
    switch (plbrush->lbStyle) {
        case BS_SOLID:
            return CreateSolidBrush(plbrush->lbColor);
        case BS_NULL: {
            auto b = std::make_unique<Brush>();
            b->style = BS_NULL;
            return static_cast<HBRUSH>(Objects::get().add(std::move(b)));
        }
        case BS_HATCHED:
            return CreateHatchBrush(static_cast<int>(plbrush->lbHatch), plbrush->lbColor);
        case BS_PATTERN:
        case BS_PATTERN8X8:
            return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
        case BS_DIBPATTERNPT:
        case BS_DIBPATTERN8X8: {
            // lbHatch points to a packed DIB; lbColor tells how its colours are given.
            const void* packed = reinterpret_cast<const void*>(plbrush->lbHatch);
            DibLayout layout;
            if (!readDibLayout(packed, SIZE_MAX, plbrush->lbColor & 0xFFFF, defaultPaletteEntries(),
                               layout) ||
                layout.compression == BI_RLE8 || layout.compression == BI_RLE4) {
                return nullptr;
            }
            auto b = std::make_unique<Brush>();
            b->style = BS_DIBPATTERNPT;
            b->hatch = plbrush->lbHatch;
            b->patternWidth = layout.width;
            b->patternHeight = layout.height;
            b->pattern.assign(static_cast<std::size_t>(layout.width) * layout.height, 0);
            decodeDib(layout, static_cast<const std::uint8_t*>(packed) + layout.headerBytes,
                      SIZE_MAX, 0, layout.height, [&b, &layout](int x, int y, Pixel p) {
                          b->pattern[static_cast<std::size_t>(y) * layout.width + x] = p;
                      });
            return static_cast<HBRUSH>(Objects::get().add(std::move(b)));
        }
        default:
            return nullptr;
    }
}

WINGDIAPI HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
    int style = iStyle & PS_STYLE_MASK;
    if (style > PS_INSIDEFRAME) {
        return nullptr;
    }
    auto p = std::make_unique<Pen>();
    p->style = static_cast<UINT>(style);
    p->width = cWidth < 1 ? 1 : cWidth;
    p->color = color;
    return static_cast<HPEN>(Objects::get().add(std::move(p)));
}

WINGDIAPI HPEN WINAPI CreatePenIndirect(const LOGPEN* plpen) {
    if (plpen == nullptr) {
        return nullptr;
    }
    return CreatePen(static_cast<int>(plpen->lopnStyle), plpen->lopnWidth.x, plpen->lopnColor);
}

WINGDIAPI HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
    if (lplf == nullptr) {
        return nullptr;
    }
    auto f = std::make_unique<Font>();
    f->lf = *lplf;
    f->lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(Objects::get().add(std::move(f)));
}

WINGDIAPI HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation,
                                   int cWeight, DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut,
                                   DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                                   DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName) {
    LOGFONTA lf{};
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = static_cast<BYTE>(bItalic != 0);
    lf.lfUnderline = static_cast<BYTE>(bUnderline != 0);
    lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut != 0);
    lf.lfCharSet = static_cast<BYTE>(iCharSet);
    lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
    lf.lfQuality = static_cast<BYTE>(iQuality);
    lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
    if (pszFaceName != nullptr) {
        std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    }
    return CreateFontIndirectA(&lf);
}

// ---------------------------------------------------------------------------
// Palettes. The display has no hardware palette (true colour), so realizing
// maps no entries; palettes still resolve PALETTEINDEX colours and
// DIB_PAL_COLORS tables, and give GetDIBits its colour table.

WINGDIAPI HPALETTE WINAPI CreatePalette(const LOGPALETTE* plpal) {
    if (plpal == nullptr || plpal->palNumEntries == 0) {
        return nullptr;
    }
    auto p = std::make_unique<Palette>();
    p->entries.assign(plpal->palPalEntry, plpal->palPalEntry + plpal->palNumEntries);
    return static_cast<HPALETTE>(Objects::get().add(std::move(p)));
}

WINGDIAPI HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE hPal, BOOL /*bForceBkgd*/) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || paletteOf(hPal) == nullptr) {
        return nullptr;
    }
    auto previous = static_cast<HPALETTE>(dc->st.palette);
    dc->st.palette = hPal;
    Objects::get().collect();
    return previous;
}

WINGDIAPI UINT WINAPI RealizePalette(HDC hdc) {
    return dcOf(hdc) != nullptr ? 0 : static_cast<UINT>(GDI_ERROR);
}

WINGDIAPI UINT WINAPI GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries,
                                        LPPALETTEENTRY pPalEntries) {
    Palette* p = paletteOf(hpal);
    if (p == nullptr) {
        return 0;
    }
    if (pPalEntries == nullptr) {
        return static_cast<UINT>(p->entries.size());
    }
    if (iStart >= p->entries.size()) {
        return 0;
    }
    UINT n = std::min<UINT>(cEntries, static_cast<UINT>(p->entries.size()) - iStart);
    std::copy_n(p->entries.begin() + iStart, n, pPalEntries);
    return n;
}

WINGDIAPI UINT WINAPI SetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries,
                                        const PALETTEENTRY* pPalEntries) {
    Palette* p = paletteOf(hpal);
    if (p == nullptr || p->stock || pPalEntries == nullptr || iStart >= p->entries.size()) {
        return 0;
    }
    UINT n = std::min<UINT>(cEntries, static_cast<UINT>(p->entries.size()) - iStart);
    std::copy_n(pPalEntries, n, p->entries.begin() + iStart);
    return n;
}

WINGDIAPI UINT WINAPI GetNearestPaletteIndex(HPALETTE h, COLORREF color) {
    Palette* p = paletteOf(h);
    if (p == nullptr) {
        return CLR_INVALID;
    }
    std::vector<Pixel> table;
    for (const PALETTEENTRY& e : p->entries) {
        table.push_back(pixelFromColor(RGB(e.peRed, e.peGreen, e.peBlue)));
    }
    return static_cast<UINT>(nearestIndex(table, pixelFromColor(color)));
}
