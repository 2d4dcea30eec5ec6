// Bitmaps and device-independent bitmaps: creation, conversion in both
// directions, and drawing DIBs onto contexts.
//
// Choices where the platform leaves one: colour device bitmaps always have the
// display's 32 bits per pixel (CreateBitmap with 4, 8, 16 or 24 bits takes its
// initial bits in that layout and keeps them as 32-bit pixels); GetDIBits into
// a 4- or 8-bit layout uses the bitmap's own colour table when it has one of
// that depth, else the context's selected palette when it is not the default
// palette, else the fixed 16- and 256-colour tables of pixels.h.
#include "gdi/gdi.h"

#include <algorithm>
#include <cstring>

using namespace vedrix::winapi::gdi;
using vedrix::headless::DrawingEntry;
using vedrix::headless::DrawingKind;

namespace {

bool isDefaultPalette(const DeviceContext* dc) {
    return dc == nullptr || dc->st.palette == Objects::get().stock(DEFAULT_PALETTE);
}

// The depth of a device bitmap compatible with a context: the selected
// bitmap's for memory contexts, the display's (32) for the others.
int compatibleDepth(DeviceContext& dc) {
    if (dc.kind == DcKind::Memory) {
        Bitmap* bm = selectedBitmap(dc);
        if (bm != nullptr && bm->monochrome()) {
            return 1;
        }
    }
    return 32;
}

DibLayout ddbLayout(const Bitmap& bm) {
    DibLayout f;
    f.width = bm.width;
    f.height = bm.height;
    f.topDown = true;
    if (bm.dibSection) {
        f = bm.layout;
        f.topDown = true;
    } else {
        f.bpp = bm.bpp;
        f.colors = bm.colors;
        f.red = bm.layout.red;
        f.green = bm.layout.green;
        f.blue = bm.layout.blue;
        f.hasAlpha = bm.bpp == 32;
    }
    f.stride = ddbStride(f.width, f.bpp);
    return f;
}

// Writes decoded DIB rows into a bitmap: top-down DIBs from the top, bottom-up
// ones from the bottom.
int setBits(Bitmap& bm, const DibLayout& f, const void* bits, std::size_t bitsSize, int start,
            int lines) {
    bm.pull();
    bm.forgetFits();
    int offset = f.topDown ? 0 : bm.height - f.height;
    int n = decodeDib(f, bits, bitsSize, start, lines, [&bm, offset](int x, int y, Pixel p) {
        int by = y + offset;
        if (x < bm.width && by >= 0 && by < bm.height) {
            bm.at(x, by) = bm.fit(p);
        }
    });
    bm.push();
    return n;
}

// The whole image of a DIB, top-down; `rows` tells which rows the data held.
bool decodeWhole(const DibLayout& f, const void* bits, int start, int lines, std::vector<Pixel>& px,
                 std::vector<std::uint8_t>& rows) {
    px.assign(static_cast<std::size_t>(f.width) * f.height, 0);
    rows.assign(static_cast<std::size_t>(f.height), 0);
    int n = decodeDib(f, bits, SIZE_MAX, start, lines, [&](int x, int y, Pixel p) {
        px[static_cast<std::size_t>(y) * f.width + x] = p;
        rows[static_cast<std::size_t>(y)] = 1;
    });
    return n > 0;
}

BITMAPINFOHEADER infoHeaderOf(const void* header, const DibLayout& f) {
    BITMAPINFOHEADER h{};
    DWORD size = 0;
    std::memcpy(&size, header, sizeof(DWORD));
    if (size >= sizeof(BITMAPINFOHEADER)) {
        std::memcpy(&h, header, sizeof(BITMAPINFOHEADER));
    }
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = f.width;
    h.biHeight = f.topDown ? -f.height : f.height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(f.bpp);
    h.biCompression = f.compression;
    return h;
}

}  // namespace

// ---------------------------------------------------------------------------
// Device bitmaps

WINGDIAPI HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount,
                                      const VOID* lpBits) {
    if (nWidth < 0 || nHeight < 0 || nPlanes != 1) {
        return nullptr;
    }
    if (nWidth == 0 || nHeight == 0) {
        return newBitmap(1, 1, 1);
    }
    switch (nBitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return nullptr;
    }
    HBITMAP h = newBitmap(nWidth, nHeight, nBitCount == 1 ? 1 : 32);
    Bitmap* bm = bitmapOf(h);
    if (bm == nullptr || lpBits == nullptr) {
        return h;
    }
    DibLayout f;
    f.width = nWidth;
    f.height = nHeight;
    f.topDown = true;
    f.bpp = static_cast<int>(nBitCount);
    f.stride = ddbStride(nWidth, f.bpp);
    switch (nBitCount) {
        case 1:
            f.colors = monoTable();
            break;
        case 4:
            f.colors = table16();
            break;
        case 8:
            f.colors = table256();
            break;
        case 16:
            f.red = ChannelMask::of(0x7C00);
            f.green = ChannelMask::of(0x03E0);
            f.blue = ChannelMask::of(0x001F);
            break;
        case 32:
            f.hasAlpha = true;
            break;
        default:
            break;
    }
    setBits(*bm, f, lpBits, SIZE_MAX, 0, nHeight);
    return h;
}

WINGDIAPI HBITMAP WINAPI CreateBitmapIndirect(const BITMAP* pbm) {
    if (pbm == nullptr) {
        return nullptr;
    }
    return CreateBitmap(pbm->bmWidth, pbm->bmHeight, pbm->bmPlanes, pbm->bmBitsPixel, pbm->bmBits);
}

WINGDIAPI HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || cx < 0 || cy < 0) {
        return nullptr;
    }
    if (cx == 0 || cy == 0) {
        return newBitmap(1, 1, 1);
    }
    // A context that holds a DIB section gives a DIB section of the same format.
    Bitmap* sel = selectedBitmap(*dc);
    if (sel != nullptr && sel->dibSection) {
        DibLayout f = sel->layout;
        f.width = cx;
        f.height = cy;
        f.stride = dibStride(cx, f.bpp);
        BITMAPINFOHEADER h = sel->dibHeader;
        h.biWidth = cx;
        h.biHeight = f.topDown ? -cy : cy;
        return newDibSection(f, h, nullptr);
    }
    return newBitmap(cx, cy, compatibleDepth(*dc));
}

// Equivalent to CreateCompatibleBitmap and SetDIBits, as the platform
// documents it. A null context gives a bitmap of the display's format.
WINGDIAPI HBITMAP WINAPI CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit,
                                        const VOID* pjBits, const BITMAPINFO* pbmi, UINT iUsage) {
    DeviceContext* dc = dcOf(hdc);
    if ((hdc != nullptr && dc == nullptr) || pbmih == nullptr) {
        return nullptr;
    }
    int width = 0;
    int height = 0;
    if (pbmih->biSize == sizeof(BITMAPCOREHEADER)) {
        const auto* core = reinterpret_cast<const BITMAPCOREHEADER*>(pbmih);
        width = core->bcWidth;
        height = core->bcHeight;
    } else if (pbmih->biSize >= sizeof(BITMAPINFOHEADER)) {
        width = pbmih->biWidth;
        height = pbmih->biHeight < 0 ? -pbmih->biHeight : pbmih->biHeight;
    }
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    int depth = dc != nullptr ? compatibleDepth(*dc) : 32;
    HBITMAP h = newBitmap(width, height, depth);
    Bitmap* bm = bitmapOf(h);
    if (bm == nullptr) {
        return nullptr;
    }
    if ((flInit & CBM_INIT) != 0 && pjBits != nullptr && pbmi != nullptr) {
        DibLayout f;
        if (!readDibLayout(pbmi, SIZE_MAX, iUsage, paletteEntriesOf(dc), f)) {
            DeleteObject(h);
            return nullptr;
        }
        setBits(*bm, f, pjBits, SIZE_MAX, 0, f.height);
    }
    return h;
}

// Sections over file mappings are not supported (hSection must be null).
WINGDIAPI HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage,
                                          VOID** ppvBits, HANDLE hSection, DWORD /*offset*/) {
    if (ppvBits != nullptr) {
        *ppvBits = nullptr;
    }
    DeviceContext* dc = dcOf(hdc);
    if (pbmi == nullptr || hSection != nullptr || (hdc != nullptr && dc == nullptr) ||
        (usage == DIB_PAL_COLORS && dc == nullptr)) {
        return nullptr;
    }
    DibLayout f;
    if (!readDibLayout(pbmi, SIZE_MAX, usage, paletteEntriesOf(dc), f)) {
        return nullptr;
    }
    return newDibSection(f, infoHeaderOf(pbmi, f), ppvBits);
}

// ---------------------------------------------------------------------------
// Conversions

WINGDIAPI int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits,
                               LPBITMAPINFO lpbmi, UINT usage) {
    DeviceContext* dc = dcOf(hdc);
    Bitmap* bm = bitmapOf(hbm);
    if (dc == nullptr || bm == nullptr || lpbmi == nullptr ||
        (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) {
        return 0;
    }
    BITMAPINFOHEADER& hdr = lpbmi->bmiHeader;
    bool core = hdr.biSize == sizeof(BITMAPCOREHEADER);
    if (!core && hdr.biSize < sizeof(BITMAPINFOHEADER)) {
        return 0;
    }
    auto* coreHdr = reinterpret_cast<BITMAPCOREHEADER*>(lpbmi);
    bm->pull();
    int bpp = core ? coreHdr->bcBitCount : hdr.biBitCount;
    if (lpvBits == nullptr && bpp == 0) {
        // Only the header: the bitmap's size and depth.
        if (core) {
            coreHdr->bcWidth = static_cast<WORD>(bm->width);
            coreHdr->bcHeight = static_cast<WORD>(bm->height);
            coreHdr->bcPlanes = 1;
            coreHdr->bcBitCount = static_cast<WORD>(bm->bpp);
            return bm->height;
        }
        hdr.biWidth = bm->width;
        hdr.biHeight = bm->height;
        hdr.biPlanes = 1;
        hdr.biBitCount = static_cast<WORD>(bm->bpp);
        hdr.biCompression = bm->dibSection ? bm->layout.compression : BI_RGB;
        hdr.biSizeImage = static_cast<DWORD>(dibStride(bm->width, bm->bpp) * bm->height);
        hdr.biXPelsPerMeter = 0;
        hdr.biYPelsPerMeter = 0;
        hdr.biClrUsed = 0;
        hdr.biClrImportant = 0;
        return bm->height;
    }
    DibLayout f;
    f.width = bm->width;
    f.height = bm->height;
    f.topDown = !core && hdr.biHeight < 0;
    f.bpp = bpp;
    f.compression = core ? BI_RGB : hdr.biCompression;
    auto* bytes = reinterpret_cast<std::uint8_t*>(lpbmi);
    switch (bpp) {
        case 1:
        case 4:
        case 8:
        case 24:
            if (f.compression != BI_RGB) {
                return 0;
            }
            break;
        case 16:
        case 32:
            if (f.compression == BI_RGB) {
                if (bpp == 16) {
                    f.red = ChannelMask::of(0x7C00);
                    f.green = ChannelMask::of(0x03E0);
                    f.blue = ChannelMask::of(0x001F);
                } else {
                    f.hasAlpha = true;
                }
            } else if (f.compression == BI_BITFIELDS) {
                // The masks stand right after a 40-byte header, inside a longer one.
                DWORD masks[3];
                std::memcpy(masks, bytes + 40, sizeof(masks));
                if (masks[0] == 0 && masks[1] == 0 && masks[2] == 0) {
                    if (bpp == 16) {
                        masks[0] = 0xF800;
                        masks[1] = 0x07E0;
                        masks[2] = 0x001F;
                    } else {
                        masks[0] = 0xFF0000;
                        masks[1] = 0x00FF00;
                        masks[2] = 0x0000FF;
                    }
                    std::memcpy(bytes + 40, masks, sizeof(masks));
                }
                f.red = ChannelMask::of(masks[0]);
                f.green = ChannelMask::of(masks[1]);
                f.blue = ChannelMask::of(masks[2]);
            } else {
                return 0;
            }
            break;
        default:
            return 0;
    }
    f.stride = dibStride(f.width, f.bpp);
    if (bpp <= 8) {
        std::size_t n = std::size_t{1} << bpp;
        if (!bm->colors.empty() && bm->bpp == bpp) {
            f.colors = bm->colors;
        } else if (usage == DIB_PAL_COLORS || !isDefaultPalette(dc)) {
            for (const PALETTEENTRY& e : paletteEntriesOf(dc)) {
                f.colors.push_back(pixelFromColor(RGB(e.peRed, e.peGreen, e.peBlue)));
            }
        } else {
            f.colors = bpp == 1 ? monoTable() : bpp == 4 ? table16() : table256();
        }
        f.colors.resize(n, 0);
        // A caller that names fewer colours (biClrUsed) gets that many entries.
        std::size_t written = n;
        if (!core && hdr.biClrUsed != 0 && hdr.biClrUsed < n) {
            written = hdr.biClrUsed;
        }
        std::uint8_t* table = bytes + hdr.biSize;
        for (std::size_t i = 0; i < written; ++i) {
            if (usage == DIB_PAL_COLORS) {
                WORD index = static_cast<WORD>(i);
                std::memcpy(table + 2 * i, &index, sizeof(WORD));
            } else if (core) {
                RGBQUAD q = quadFromPixel(f.colors[i]);
                RGBTRIPLE t{q.rgbBlue, q.rgbGreen, q.rgbRed};
                std::memcpy(table + 3 * i, &t, sizeof(RGBTRIPLE));
            } else {
                RGBQUAD q = quadFromPixel(f.colors[i]);
                std::memcpy(table + 4 * i, &q, sizeof(RGBQUAD));
            }
        }
    }
    if (core) {
        coreHdr->bcWidth = static_cast<WORD>(bm->width);
        coreHdr->bcHeight = static_cast<WORD>(bm->height);
        coreHdr->bcPlanes = 1;
    } else {
        hdr.biWidth = bm->width;
        hdr.biHeight = f.topDown ? -bm->height : bm->height;
        hdr.biPlanes = 1;
        hdr.biSizeImage = static_cast<DWORD>(f.stride * bm->height);
    }
    if (lpvBits == nullptr) {
        return bm->height;
    }
    if (start >= static_cast<UINT>(bm->height)) {
        return 0;
    }
    UINT lines = std::min<UINT>(cLines, static_cast<UINT>(bm->height) - start);
    auto* out = static_cast<std::uint8_t*>(lpvBits);
    for (UINT s = 0; s < lines; ++s) {
        int scan = static_cast<int>(start + s);
        int y = f.topDown ? scan : bm->height - 1 - scan;
        encodeRow(f, &bm->px[static_cast<std::size_t>(y) * bm->width],
                  out + static_cast<std::size_t>(s) * f.stride);
    }
    return static_cast<int>(lines);
}

WINGDIAPI int WINAPI SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const VOID* lpBits,
                               const BITMAPINFO* lpbmi, UINT ColorUse) {
    DeviceContext* dc = dcOf(hdc);
    Bitmap* bm = bitmapOf(hbm);
    if ((hdc != nullptr && dc == nullptr) || bm == nullptr || lpBits == nullptr ||
        lpbmi == nullptr || start > 0x7FFFFFFF || cLines > 0x7FFFFFFF) {
        return 0;
    }
    DibLayout f;
    if (!readDibLayout(lpbmi, SIZE_MAX, ColorUse, paletteEntriesOf(dc), f)) {
        return 0;
    }
    return setBits(*bm, f, lpBits, SIZE_MAX, static_cast<int>(start), static_cast<int>(cLines));
}

WINGDIAPI int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc,
                                       int ySrc, UINT StartScan, UINT cLines, const VOID* lpvBits,
                                       const BITMAPINFO* lpbmi, UINT ColorUse) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || lpvBits == nullptr || lpbmi == nullptr || w > 0x7FFFFFFF ||
        h > 0x7FFFFFFF || StartScan > 0x7FFFFFFF || cLines > 0x7FFFFFFF) {
        return 0;
    }
    DibLayout f;
    if (!readDibLayout(lpbmi, SIZE_MAX, ColorUse, paletteEntriesOf(dc), f)) {
        return 0;
    }
    std::vector<Pixel> px;
    std::vector<std::uint8_t> rows;
    if (!decodeWhole(f, lpvBits, static_cast<int>(StartScan), static_cast<int>(cLines), px, rows)) {
        return 0;
    }
    int width = static_cast<int>(w);
    int height = static_cast<int>(h);
    // ySrc counts from the bottom of a bottom-up DIB.
    int srcTop = f.topDown ? ySrc : f.height - ySrc - height;
    POINT d = toDevice(*dc, xDest, yDest);
    RECT dr{d.x, d.y, d.x + width, d.y + height};
    {
        Canvas canvas(*dc);
        canvas.forRect(dr, [&](int x, int y, Pixel) -> std::optional<Pixel> {
            int sx = xSrc + (x - d.x);
            int sy = srcTop + (y - d.y);
            if (sx < 0 || sy < 0 || sx >= f.width || sy >= f.height ||
                rows[static_cast<std::size_t>(sy)] == 0) {
                return std::nullopt;
            }
            return px[static_cast<std::size_t>(sy) * f.width + sx];
        });
    }
    if (recorded(*dc)) {
        DrawingEntry e;
        e.kind = DrawingKind::DIBitsToDevice;
        e.rect = dr;
        e.flags = SRCCOPY;
        record(*dc, e);
    }
    int decoded = 0;
    for (std::uint8_t r : rows) {
        decoded += r;
    }
    return decoded;
}

WINGDIAPI int WINAPI StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight,
                                   int xSrc, int ySrc, int SrcWidth, int SrcHeight,
                                   const VOID* lpBits, const BITMAPINFO* lpbmi, UINT iUsage,
                                   DWORD rop) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || lpbmi == nullptr || SrcWidth == 0 || SrcHeight == 0 || DestWidth == 0 ||
        DestHeight == 0) {
        return 0;
    }
    DibLayout f;
    if (!readDibLayout(lpbmi, SIZE_MAX, iUsage, paletteEntriesOf(dc), f)) {
        return 0;
    }
    std::vector<Pixel> whole;
    std::vector<std::uint8_t> rows;
    if (lpBits != nullptr && !decodeWhole(f, lpBits, 0, f.height, whole, rows)) {
        return 0;
    }
    int sw = SrcWidth < 0 ? -SrcWidth : SrcWidth;
    int sh = SrcHeight < 0 ? -SrcHeight : SrcHeight;
    int sx0 = SrcWidth < 0 ? xSrc + SrcWidth : xSrc;
    int syBottomUp = SrcHeight < 0 ? ySrc + SrcHeight : ySrc;
    int sy0 = f.topDown ? syBottomUp : f.height - syBottomUp - sh;
    std::vector<Pixel> px(static_cast<std::size_t>(sw) * sh, 0);
    bool flipX = (DestWidth < 0) != (SrcWidth < 0);
    bool flipY = (DestHeight < 0) != (SrcHeight < 0);
    if (!whole.empty()) {
        for (int y = 0; y < sh; ++y) {
            for (int x = 0; x < sw; ++x) {
                int sx = sx0 + (flipX ? sw - 1 - x : x);
                int sy = sy0 + (flipY ? sh - 1 - y : y);
                if (sx >= 0 && sy >= 0 && sx < f.width && sy < f.height) {
                    px[static_cast<std::size_t>(y) * sw + x] =
                        whole[static_cast<std::size_t>(sy) * f.width + sx];
                }
            }
        }
    }
    RECT r = toDevice(*dc, RECT{xDest, yDest, xDest + DestWidth, yDest + DestHeight});
    RECT dr = rectNormalised(r.left, r.top, r.right, r.bottom);
    if (ropUsesSource(rop) && whole.empty()) {
        return 0;
    }
    blit(*dc, dr, px, sw, sh, rop);
    if (recorded(*dc)) {
        DrawingEntry e;
        e.kind = DrawingKind::DIBitsToDevice;
        e.rect = dr;
        e.flags = rop;
        record(*dc, e);
    }
    return sh;
}

WINGDIAPI UINT WINAPI GetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, RGBQUAD* prgbq) {
    DeviceContext* dc = dcOf(hdc);
    Bitmap* bm = dc != nullptr ? selectedBitmap(*dc) : nullptr;
    if (bm == nullptr || !bm->dibSection || bm->bpp > 8 || prgbq == nullptr ||
        iStart >= bm->colors.size()) {
        return 0;
    }
    UINT n = std::min<UINT>(cEntries, static_cast<UINT>(bm->colors.size()) - iStart);
    for (UINT i = 0; i < n; ++i) {
        prgbq[i] = quadFromPixel(bm->colors[iStart + i]);
    }
    return n;
}

// The pixels keep their indices and show the new colours.
WINGDIAPI UINT WINAPI SetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, const RGBQUAD* prgbq) {
    DeviceContext* dc = dcOf(hdc);
    Bitmap* bm = dc != nullptr ? selectedBitmap(*dc) : nullptr;
    if (bm == nullptr || !bm->dibSection || bm->bpp > 8 || prgbq == nullptr ||
        iStart >= bm->colors.size()) {
        return 0;
    }
    UINT n = std::min<UINT>(cEntries, static_cast<UINT>(bm->colors.size()) - iStart);
    for (UINT i = 0; i < n; ++i) {
        bm->colors[iStart + i] = pixelFromQuad(prgbq[i]);
    }
    bm->layout.colors = bm->colors;
    bm->forgetFits();
    bm->pull();
    return n;
}

// Device bitmap bits: rows top-down, padded to 16 bits, in the bitmap's own
// depth (1 bit per pixel for monochrome bitmaps, 32 for the display's).
WINGDIAPI LONG WINAPI GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits) {
    Bitmap* bm = bitmapOf(hbit);
    if (bm == nullptr || cb < 0) {
        return 0;
    }
    bm->pull();
    DibLayout f = ddbLayout(*bm);
    auto total = static_cast<LONG>(f.stride * bm->height);
    if (lpvBits == nullptr) {
        return total;
    }
    LONG n = std::min(cb, total);
    std::vector<std::uint8_t> row(f.stride);
    auto* out = static_cast<std::uint8_t*>(lpvBits);
    for (int y = 0; y < bm->height; ++y) {
        LONG offset = static_cast<LONG>(f.stride * y);
        if (offset >= n) {
            break;
        }
        encodeRow(f, &bm->px[static_cast<std::size_t>(y) * bm->width], row.data());
        std::memcpy(
            out + offset, row.data(),
            static_cast<std::size_t>(std::min<LONG>(static_cast<LONG>(f.stride), n - offset)));
    }
    return n;
}

WINGDIAPI LONG WINAPI SetBitmapBits(HBITMAP hbm, DWORD cb, const VOID* pvBits) {
    Bitmap* bm = bitmapOf(hbm);
    if (bm == nullptr || pvBits == nullptr) {
        return 0;
    }
    DibLayout f = ddbLayout(*bm);
    std::size_t lines = std::min<std::size_t>(cb / f.stride, static_cast<std::size_t>(bm->height));
    if (lines == 0) {
        return 0;
    }
    setBits(*bm, f, pvBits, cb, 0, static_cast<int>(lines));
    return static_cast<LONG>(lines * f.stride);
}
