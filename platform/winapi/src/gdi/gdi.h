// The headless GDI's objects and their handle table, shared by the files of
// the gdi area. Other areas use the public API (and gdi/icons.h for icons).
#pragma once

#include <windows.h>
#include <vedrix/headless/drawing.h>

#include "gdi/pixels.h"
#include "gdi/region.h"

#include <cstdint>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vedrix::winapi::gdi {

struct GdiObject {
    explicit GdiObject(DWORD t) : type(t) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    DWORD type;  // OBJ_ constant (OBJ_DC or OBJ_MEMDC for contexts)
    bool stock = false;
    bool pendingDelete = false;  // deleted while selected: freed when no context refers to it
};

// A bitmap: 32-bit pixels, top-down, plus the format that decides how colours
// are reduced. A DIB section also keeps its bits in its own layout, where the
// program may read and write them: the pixels are read from those bits before
// each use and written back after each change.
struct Bitmap : GdiObject {
    Bitmap() : GdiObject(OBJ_BITMAP) {}
    int width = 0;
    int height = 0;
    int bpp = 32;                // 1 for monochrome device bitmaps
    std::vector<Pixel> px;       // width * height, top-down
    std::vector<Pixel> colors;   // colour table of 1-, 4- and 8-bit formats
    HDC selectedInto = nullptr;  // the memory context it is selected into
    // DIB sections
    bool dibSection = false;
    DibLayout layout;
    BITMAPINFOHEADER dibHeader{};
    std::unique_ptr<std::uint8_t[]> bits;
    std::size_t bitsSize = 0;
    // Recent reductions of fit(), each colour in the slot its value hashes
    // to, so that the few colours of an image are each reduced once; to be
    // forgotten whenever the format or the colour table may have changed.
    static constexpr int kFitSlots = 64;
    std::array<Pixel, kFitSlots> fitIn{};
    std::array<Pixel, kFitSlots> fitOut{};
    std::uint64_t fitsKnown = 0;  // bit i: slot i holds a reduction
    void forgetFits() { fitsKnown = 0; }

    bool monochrome() const { return bpp == 1 && !dibSection; }
    Pixel& at(int x, int y) { return px[static_cast<std::size_t>(y) * width + x]; }
    Pixel at(int x, int y) const { return px[static_cast<std::size_t>(y) * width + x]; }
    // The colour that this bitmap's format keeps of p. A colour reduced
    // recently is answered here, without a call.
    Pixel fit(Pixel p) {
        const int slot = static_cast<int>((p * 0x9E3779B1u) >> 26);  // the top 6 bits
        if ((fitsKnown >> slot & 1u) != 0 && fitIn[static_cast<std::size_t>(slot)] == p) {
            return fitOut[static_cast<std::size_t>(slot)];
        }
        return reduce(p, slot);
    }
    // Works out fit(p) and remembers it in `slot`.
    Pixel reduce(Pixel p, int slot);
    void pull();  // DIB section: bits -> pixels
    void push();  // DIB section: pixels -> bits
};

struct Brush : GdiObject {
    Brush() : GdiObject(OBJ_BRUSH) {}
    UINT style = BS_SOLID;
    COLORREF color = 0;
    ULONG_PTR hatch = 0;   // HS_ style, or the pattern bitmap's handle as given
    int sysColor = -1;     // system colour brushes: the COLOR_ index
    bool dcBrush = false;  // DC_BRUSH: the context's brush colour
    int patternWidth = 0;  // pattern brushes: a copy of the bitmap
    int patternHeight = 0;
    bool patternMono = false;  // a monochrome pattern takes the context's colours
    std::vector<Pixel> pattern;
};

struct Pen : GdiObject {
    Pen() : GdiObject(OBJ_PEN) {}
    UINT style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
    bool dcPen = false;
};

struct Font : GdiObject {
    Font() : GdiObject(OBJ_FONT) {}
    LOGFONTA lf{};
};

struct RegionObject : GdiObject {
    RegionObject() : GdiObject(OBJ_REGION) {}
    Region region;
};

struct Palette : GdiObject {
    Palette() : GdiObject(OBJ_PAL) {}
    std::vector<PALETTEENTRY> entries;
};

// The part of a device context that SaveDC keeps.
struct DcState {
    HGDIOBJ bitmap = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ pen = nullptr;
    HGDIOBJ font = nullptr;
    HGDIOBJ palette = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
    int rop2 = R2_COPYPEN;
    int stretchMode = BLACKONWHITE;
    int mapMode = MM_TEXT;
    POINT viewportOrg{0, 0};
    POINT windowOrg{0, 0};
    SIZE viewportExt{1, 1};
    SIZE windowExt{1, 1};
    POINT brushOrg{0, 0};
    POINT position{0, 0};
    COLORREF dcBrushColor = RGB(255, 255, 255);
    COLORREF dcPenColor = RGB(0, 0, 0);
    std::optional<Region> clip;  // the application's clip region, device coordinates
};

enum class DcKind { Memory, Window, Paint, Screen };

struct DeviceContext : GdiObject {
    explicit DeviceContext(DcKind k)
        : GdiObject(k == DcKind::Memory ? OBJ_MEMDC : OBJ_DC), kind(k) {}
    DcKind kind;
    HDC handle = nullptr;
    HWND window = nullptr;
    bool deletable = true;         // contexts from GetDC/BeginPaint are released, not deleted
    RECT surface{0, 0, 0, 0};      // window and screen contexts: their area, device coordinates
    std::optional<Region> system;  // paint contexts: the update rectangle
    DcState st;
    std::vector<DcState> saved;
};

// The handle table. Handles are never reused, so a stale handle finds nothing.
class Objects {
public:
    static Objects& get();

    HGDIOBJ add(std::unique_ptr<GdiObject> object);
    GdiObject* find(HGDIOBJ h) const;
    template <class T>
    T* find(HGDIOBJ h, DWORD type) const {
        GdiObject* o = find(h);
        return o != nullptr && o->type == type ? static_cast<T*>(o) : nullptr;
    }
    void erase(HGDIOBJ h);
    // Deletion of an object that a context still refers to: it waits.
    void markPending(GdiObject* object);
    // Frees objects waiting for deletion that no context refers to any more.
    void collect();
    bool referenced(HGDIOBJ h) const;

    std::size_t count(DWORD type) const;
    const std::unordered_map<std::uintptr_t, std::unique_ptr<GdiObject>>& all() const {
        return objects_;
    }
    HGDIOBJ stock(int index) const;
    HBITMAP defaultBitmap() const { return defaultBitmap_; }
    HBRUSH sysColorBrush(int index);

private:
    Objects();
    std::unordered_map<std::uintptr_t, std::unique_ptr<GdiObject>> objects_;
    std::uintptr_t next_ = 0;
    std::size_t pending_ = 0;
    HGDIOBJ stock_[STOCK_LAST + 1] = {};
    HBITMAP defaultBitmap_ = nullptr;
    std::unordered_map<int, HBRUSH> sysBrushes_;
};

// Lookups that fail on null, stale and wrong-kind handles.
DeviceContext* dcOf(HDC hdc);
Bitmap* bitmapOf(HBITMAP h);
Brush* brushOf(HBRUSH h);
Pen* penOf(HPEN h);
Font* fontOf(HFONT h);
RegionObject* regionOf(HRGN h);
Palette* paletteOf(HPALETTE h);

// Contexts.
HDC newDeviceContext(DcKind kind, HWND window, const RECT& surface);
void destroyDeviceContext(HDC hdc);
RECT screenRect();

// Creation helpers shared by the area. A device bitmap of 4, 8, 16 or 24
// bits (image lists make them) reduces colours like a DIB of that depth; 4-
// and 8-bit ones use the fixed tables of pixels.h unless given colours.
HBITMAP newBitmap(int width, int height, int bpp, const std::vector<Pixel>* colors = nullptr);
HBITMAP newDibSection(const DibLayout& layout, const BITMAPINFOHEADER& header, void** bitsOut);
// The bitmap selected into a memory context (null for other contexts).
Bitmap* selectedBitmap(DeviceContext& dc);

// Colours. A COLORREF may name a palette index (through the context's
// palette) or a palette-relative colour.
COLORREF resolveColor(const DeviceContext* dc, COLORREF c);
const std::vector<PALETTEENTRY>& paletteEntriesOf(const DeviceContext* dc);
int fontWeightOf(const DeviceContext& dc);

// Coordinates: logical -> device and back (gdi/mapping.cpp).
POINT toDevice(const DeviceContext& dc, int x, int y);
RECT toDevice(const DeviceContext& dc, const RECT& r);
POINT toLogical(const DeviceContext& dc, int x, int y);

// The visible area of a context in device coordinates: its surface (bitmap,
// client area, update rectangle) within the application's clip region.
Region visibleRegion(const DeviceContext& dc);
RECT surfaceRect(const DeviceContext& dc);

// Recording. Fills in window, context, clip and text state, then appends.
bool recorded(const DeviceContext& dc);
void record(const DeviceContext& dc, vedrix::headless::DrawingEntry entry);

// System colours through the window system (GetSysColor).
COLORREF sysColor(int index);

// Raster operations. A Canvas is the bitmap of a memory context with its
// visible region; it reads DIB-section bits on creation and writes them back
// when it goes if anything changed. Contexts without pixels give a canvas that
// is not ok(), on which every write does nothing.
class Canvas {
public:
    explicit Canvas(DeviceContext& dc);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ok() const { return bm_ != nullptr; }
    bool mono() const { return bm_ != nullptr && bm_->monochrome(); }
    Bitmap* bitmap() const { return bm_; }
    const Region& visible() const { return vis_; }
    void set(int x, int y, Pixel p);
    // Calls f(x, y, d) for every visible pixel of r (device coordinates); f
    // returns the new pixel, or nothing to leave the pixel alone.
    template <class F>
    void forRect(const RECT& r, F f) {
        if (bm_ == nullptr) {
            return;
        }
        RECT n = rectNormalised(r.left, r.top, r.right, r.bottom);
        for (const RECT& v : vis_.rects()) {
            RECT i = rectIntersect(v, n);
            for (int y = i.top; y < i.bottom; ++y) {
                for (int x = i.left; x < i.right; ++x) {
                    Pixel& d = bm_->at(x, y);
                    std::optional<Pixel> out = f(x, y, d);
                    if (out) {
                        d = bm_->fit(*out);
                        changed_ = true;
                    }
                }
            }
        }
    }

private:
    DeviceContext& dc_;
    Bitmap* bm_;
    Region vis_;
    bool changed_ = false;
};

// The result of a ternary raster operation (pattern, source, destination).
Pixel rop3(DWORD rop, Pixel p, Pixel s, Pixel d);
Pixel rop2(int mode, Pixel pen, Pixel d);
bool ropUsesPattern(DWORD rop);
bool ropUsesSource(DWORD rop);
// The pattern pixel of a brush at device (x, y); nothing where the brush
// leaves the pixel alone (null brush, background of a hatch in TRANSPARENT mode).
std::optional<Pixel> patternAt(const DeviceContext& dc, const Brush& b, int x, int y);
// Fills a device rectangle with a brush and a raster operation.
void patBlt(DeviceContext& dc, const RECT& devRect, const Brush* brush, DWORD rop);
void fillSolid(DeviceContext& dc, const RECT& devRect, COLORREF color);
// Copies a source image (already in the destination's colour domain, see
// convertSource) with a raster operation, stretching it to dstRect.
void blit(DeviceContext& dst, const RECT& dstRect, const std::vector<Pixel>& src, int srcWidth,
          int srcHeight, DWORD rop);
// Monochrome conversions between source and destination contexts.
void convertSource(const DeviceContext& dst, const DeviceContext* src, bool srcMono,
                   std::vector<Pixel>& px);
void drawLine(DeviceContext& dc, Canvas& canvas, POINT a, POINT b);
// The solid colour of a brush in a context (CLR_INVALID for patterns and null brushes).
COLORREF brushColor(const DeviceContext* dc, const Brush* brush);
const Brush* currentBrush(const DeviceContext& dc);
const Pen* currentPen(const DeviceContext& dc);
COLORREF penColor(const DeviceContext& dc, const Pen* pen);
// A brush handle that may be a (COLOR_ + 1) value, as FillRect accepts.
const Brush* brushOrSysColor(HBRUSH h);

// The pixels a context shows at device coordinates (white for window contexts).
bool readPixels(DeviceContext& dc, const RECT& devRect, std::vector<Pixel>& out, bool& mono);

// Text metrics.
constexpr int kCharWidth = 7;
constexpr int kBoldCharWidth = 8;
constexpr int kLineHeight = 16;
constexpr int kAscent = 12;
constexpr int kDescent = 4;
int charWidth(const DeviceContext& dc);
// TextOut and ExtTextOut: the text's box by the alignment, the opaque
// fills, the character boxes and the record entry of the given kind.
BOOL textOut(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR s, int c,
             const INT* lpDx, vedrix::headless::DrawingKind kind);
// Draws character boxes of a text line whose cell starts at device (x, y).
void drawGlyphs(DeviceContext& dc, int x, int y, const std::string& text, const int* advances,
                const RECT* clipRect);

}  // namespace vedrix::winapi::gdi
