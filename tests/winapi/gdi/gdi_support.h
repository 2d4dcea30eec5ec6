// Helpers of the GDI tests: DIBs and BMP files built byte by byte from a grid
// of colours, memory contexts with a bitmap, and pixel reads.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "person.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace gdi_tests {

// A packed DIB: header, masks or colour table, then the pixel rows.
struct Dib {
    std::vector<std::uint8_t> header;  // BITMAPINFOHEADER (or core header) + table
    std::vector<std::uint8_t> bits;
    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(header.data()); }
    BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(header.data()); }
};

inline void put16(std::vector<std::uint8_t>& v, std::size_t at, unsigned value) {
    v[at] = static_cast<std::uint8_t>(value);
    v[at + 1] = static_cast<std::uint8_t>(value >> 8);
}
inline void put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        v[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// Builds a DIB of `bpp` bits from a top-down grid of colours. For 1, 4 and 8
// bits the colours must be in `table`. 16 bits: 555 unless `masks` are given
// (then BI_BITFIELDS). `topDown` stores the rows top-down (negative height).
inline Dib makeDib(int width, const std::vector<COLORREF>& grid, int bpp,
                   const std::vector<COLORREF>& table = {}, bool topDown = false,
                   const std::vector<DWORD>& masks = {}) {
    int height = static_cast<int>(grid.size()) / width;
    Dib d;
    std::size_t tableBytes = bpp <= 8 ? table.size() * 4 : 0;
    std::size_t maskBytes = masks.empty() ? 0 : 12;
    d.header.assign(sizeof(BITMAPINFOHEADER) + maskBytes + tableBytes, 0);
    put32(d.header, 0, sizeof(BITMAPINFOHEADER));
    put32(d.header, 4, static_cast<std::uint32_t>(width));
    put32(d.header, 8, static_cast<std::uint32_t>(topDown ? -height : height));
    put16(d.header, 12, 1);
    put16(d.header, 14, static_cast<unsigned>(bpp));
    put32(d.header, 16, masks.empty() ? BI_RGB : BI_BITFIELDS);
    put32(d.header, 32, bpp <= 8 ? static_cast<std::uint32_t>(table.size()) : 0);
    for (std::size_t i = 0; i < masks.size(); ++i) {
        put32(d.header, 40 + 4 * i, masks[i]);
    }
    for (std::size_t i = 0; i < table.size() && bpp <= 8; ++i) {
        std::size_t at = 40 + maskBytes + 4 * i;
        d.header[at] = GetBValue(table[i]);
        d.header[at + 1] = GetGValue(table[i]);
        d.header[at + 2] = GetRValue(table[i]);
    }
    std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    d.bits.assign(stride * height, 0);
    auto channel = [](DWORD mask, int v) -> DWORD {
        if (mask == 0) {
            return 0;
        }
        int shift = 0;
        while (((mask >> shift) & 1u) == 0) {
            ++shift;
        }
        DWORD max = mask >> shift;
        return ((static_cast<DWORD>(v) * max + 127) / 255) << shift;
    };
    for (int y = 0; y < height; ++y) {
        int row = topDown ? y : height - 1 - y;
        std::uint8_t* out = d.bits.data() + stride * row;
        for (int x = 0; x < width; ++x) {
            COLORREF c = grid[static_cast<std::size_t>(y) * width + x];
            unsigned index = 0;
            for (std::size_t i = 0; i < table.size(); ++i) {
                if (table[i] == c) {
                    index = static_cast<unsigned>(i);
                    break;
                }
            }
            switch (bpp) {
                case 1:
                    out[x / 8] |= static_cast<std::uint8_t>(index << (7 - x % 8));
                    break;
                case 4:
                    out[x / 2] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4);
                    break;
                case 8:
                    out[x] = static_cast<std::uint8_t>(index);
                    break;
                case 16: {
                    DWORD r = masks.empty() ? 0x7C00 : masks[0];
                    DWORD g = masks.empty() ? 0x03E0 : masks[1];
                    DWORD b = masks.empty() ? 0x001F : masks[2];
                    DWORD v = channel(r, GetRValue(c)) | channel(g, GetGValue(c)) |
                              channel(b, GetBValue(c));
                    out[2 * x] = static_cast<std::uint8_t>(v);
                    out[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                    break;
                }
                case 24:
                    out[3 * x] = GetBValue(c);
                    out[3 * x + 1] = GetGValue(c);
                    out[3 * x + 2] = GetRValue(c);
                    break;
                case 32:
                    out[4 * x] = GetBValue(c);
                    out[4 * x + 1] = GetGValue(c);
                    out[4 * x + 2] = GetRValue(c);
                    break;
                default:
                    break;
            }
        }
    }
    return d;
}

// A BMP file of a DIB: the 14-byte file header, then header and bits.
inline std::vector<std::uint8_t> bmpFile(const Dib& d) {
    std::vector<std::uint8_t> file(14, 0);
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 2, static_cast<std::uint32_t>(14 + d.header.size() + d.bits.size()));
    put32(file, 10, static_cast<std::uint32_t>(14 + d.header.size()));
    file.insert(file.end(), d.header.begin(), d.header.end());
    file.insert(file.end(), d.bits.begin(), d.bits.end());
    return file;
}

// A memory context holding a new 32-bit bitmap filled with `fill`; the
// destructor deselects and deletes both.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        HBRUSH brush = CreateSolidBrush(fill);
        RECT r{0, 0, width, height};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    ~MemoryCanvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    // The pixels of a rectangle as rows of characters: `on` where the colour
    // is `ink`, '.' elsewhere. Makes pixel patterns readable in assertions.
    std::string rows(int left, int top, int right, int bottom, COLORREF ink) const {
        std::string out;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                out += GetPixel(dc, x, y) == ink ? '#' : '.';
            }
            out += '\n';
        }
        return out;
    }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

// All pixels of a bitmap as colours, read through GetDIBits (32 bits, top-down).
inline std::vector<COLORREF> pixelsOf(HBITMAP bitmap) {
    BITMAP bm{};
    GetObject(bitmap, sizeof(bm), &bm);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> raw(static_cast<std::size_t>(bm.bmWidth) * bm.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), raw.data(), &bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    std::vector<COLORREF> out;
    for (std::uint32_t p : raw) {
        out.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
    return out;
}

}  // namespace gdi_tests
