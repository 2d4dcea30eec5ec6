// Pixel formats of bitmaps and device-independent bitmaps: the 32-bit pixel
// that bitmaps keep in memory, colour tables, reading any DIB layout the
// platform knows (core, info, V4 and V5 headers; 1, 4, 8, 16, 24 and 32 bits;
// RGB, bit fields, RLE4 and RLE8; bottom-up and top-down) and writing DIB rows.
#pragma once

#include <wingdi.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vedrix::winapi::gdi {

// A pixel as bitmaps keep it: 0xAARRGGBB, i.e. the bytes blue, green, red,
// alpha in memory, as a 32-bit DIB stores it.
using Pixel = std::uint32_t;

inline Pixel pixelFromColor(COLORREF c) {
    return (static_cast<Pixel>(GetRValue(c)) << 16) | (static_cast<Pixel>(GetGValue(c)) << 8) |
           static_cast<Pixel>(GetBValue(c));
}
inline COLORREF colorFromPixel(Pixel p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}
inline Pixel pixelFromQuad(const RGBQUAD& q) {
    return (static_cast<Pixel>(q.rgbRed) << 16) | (static_cast<Pixel>(q.rgbGreen) << 8) | q.rgbBlue;
}
inline RGBQUAD quadFromPixel(Pixel p) {
    return RGBQUAD{static_cast<BYTE>(p & 0xFF), static_cast<BYTE>((p >> 8) & 0xFF),
                   static_cast<BYTE>((p >> 16) & 0xFF), 0};
}
inline Pixel rgbOf(Pixel p) {
    return p & 0x00FFFFFFu;
}

// Index of the colour-table entry nearest to p (squared RGB distance; the
// lowest index among equals).
int nearestIndex(const std::vector<Pixel>& table, Pixel p);

// The colour tables that the headless display uses where the platform picks
// one: black and white; the 16 colours of the standard 4-bit table; a fixed
// 256-colour table (those 16, a 6x6x6 cube, 24 greys); the 20 colours of the
// default palette.
const std::vector<Pixel>& monoTable();
const std::vector<Pixel>& table16();
const std::vector<Pixel>& table256();
const std::vector<PALETTEENTRY>& defaultPaletteEntries();

// A bit-field mask: where the channel stands and how wide it is.
struct ChannelMask {
    DWORD mask = 0;
    int shift = 0;
    int bits = 0;
    static ChannelMask of(DWORD mask);
    std::uint8_t decode(DWORD value) const;
    DWORD encode(std::uint8_t v) const;
};

// The layout of a DIB, taken from its header.
struct DibLayout {
    int width = 0;
    int height = 0;  // always positive
    bool topDown = false;
    int bpp = 0;
    DWORD compression = BI_RGB;
    ChannelMask red, green, blue;  // 16 and 32 bits
    bool hasAlpha = false;         // 32-bit BI_RGB keeps the reserved byte as alpha
    std::vector<Pixel> colors;     // resolved colour table (bpp <= 8)
    std::size_t headerBytes = 0;   // header + masks + colour table, as packed
    std::size_t stride = 0;        // bytes per row, padded to 4
    DWORD sizeImage = 0;           // biSizeImage as given (RLE data size)
    bool core = false;             // BITMAPCOREHEADER
};

// Reads a DIB header. `headerLimit` is how many bytes of the header block are
// known to be readable (SIZE_MAX when the caller vouches for the whole
// block). DIB_PAL_COLORS tables are resolved through `palette` (the entries
// of the device context's palette). Fails on sizes, depths and compressions
// that the platform does not accept (e.g. RLE top-down), and on images
// larger than 32768 pixels a side or 64 M pixels in all.
bool readDibLayout(const void* header, std::size_t headerLimit, UINT usage,
                   const std::vector<PALETTEENTRY>& palette, DibLayout& out);

// Rows in DIB order: scan line s is the bottom row of a bottom-up DIB and
// the top row of a top-down one. Decodes `lines` scan lines starting at scan
// `start` from `bits` (of `bitsSize` readable bytes) and hands each pixel to
// put(x, yTopDown, pixel). RLE data always covers the whole image and ignores
// start/lines. Returns the number of scan lines decoded, 0 on bad data.
template <class Put>
int decodeDib(const DibLayout& f, const void* bits, std::size_t bitsSize, int start, int lines,
              Put put);

// Encodes one top-down image row into a DIB row of layout f (RGB or bit
// fields; colour-table formats use f.colors to find the nearest entry).
void encodeRow(const DibLayout& f, const Pixel* row, std::uint8_t* out);

// The row stride of a DIB and a device bitmap of the given width and depth.
inline std::size_t dibStride(int width, int bpp) {
    return ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
}
inline std::size_t ddbStride(int width, int bpp) {
    return ((static_cast<std::size_t>(width) * bpp + 15) / 16) * 2;
}

// Decodes one row of an uncompressed DIB.
void decodeRow(const DibLayout& f, const std::uint8_t* in, Pixel* row);

bool decodeRle(const DibLayout& f, const std::uint8_t* data, std::size_t size,
               std::vector<Pixel>& out, std::vector<std::uint8_t>& written);

template <class Put>
int decodeDib(const DibLayout& f, const void* bits, std::size_t bitsSize, int start, int lines,
              Put put) {
    if (bits == nullptr || f.width <= 0 || f.height <= 0) {
        return 0;
    }
    const auto* data = static_cast<const std::uint8_t*>(bits);
    if (f.compression == BI_RLE8 || f.compression == BI_RLE4) {
        std::size_t size = f.sizeImage != 0 ? f.sizeImage : bitsSize;
        if (size > bitsSize) {
            size = bitsSize;
        }
        std::vector<Pixel> px;
        std::vector<std::uint8_t> written;
        if (!decodeRle(f, data, size, px, written)) {
            return 0;
        }
        for (int y = 0; y < f.height; ++y) {
            for (int x = 0; x < f.width; ++x) {
                std::size_t i = static_cast<std::size_t>(y) * f.width + x;
                if (written[i]) {
                    put(x, y, px[i]);
                }
            }
        }
        return f.height;
    }
    if (start < 0 || lines <= 0 || start >= f.height) {
        return 0;
    }
    if (lines > f.height - start) {
        lines = f.height - start;
    }
    std::size_t avail = bitsSize / f.stride;
    if (avail < static_cast<std::size_t>(lines)) {
        lines = static_cast<int>(avail);
    }
    std::vector<Pixel> row(static_cast<std::size_t>(f.width));
    for (int s = 0; s < lines; ++s) {
        decodeRow(f, data + static_cast<std::size_t>(s) * f.stride, row.data());
        int scan = start + s;
        int y = f.topDown ? scan : f.height - 1 - scan;
        for (int x = 0; x < f.width; ++x) {
            put(x, y, row[static_cast<std::size_t>(x)]);
        }
    }
    return lines;
}

}  // namespace vedrix::winapi::gdi
