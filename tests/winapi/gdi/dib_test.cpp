// Device-independent bitmaps: reading every layout into bitmaps and writing
// bitmaps back out, DIB sections, monochrome conversions.
#include "gdi_support.h"

#include <algorithm>

#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

namespace gdi_tests {
namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
// Exactly representable with five bits a channel (16 of 31).
const COLORREF kPurple = RGB(132, 0, 132);

// 5 x 3 pixels: an odd width, so that every depth pads its rows.
std::vector<COLORREF> sampleGrid(int bpp) {
    if (bpp == 1) {
        return {kRed,  kBlue, kBlue, kRed, kRed, kBlue, kRed, kRed,
                kBlue, kBlue, kRed,  kRed, kRed, kRed,  kBlue};
    }
    return {kRed,   kGreen, kBlue,  kBlack, kWhite,  kPurple, kBlack, kRed,
            kGreen, kBlue,  kWhite, kWhite, kPurple, kRed,    kBlack};
}

std::vector<COLORREF> sampleTable(int bpp) {
    if (bpp == 1) {
        return {kRed, kBlue};
    }
    if (bpp > 8) {
        return {};
    }
    return {kBlack, kRed, kGreen, kBlue, kWhite, kPurple};
}

struct Layout {
    int bpp;
    bool topDown;
    bool bitfields565;
};

std::string name(const Layout& l) {
    return std::to_string(l.bpp) + (l.bitfields565 ? "bit565" : "bit") +
           (l.topDown ? "TopDown" : "BottomUp");
}

class DibRoundTrip : public ::testing::TestWithParam<Layout> {
protected:
    Dib dib() const {
        const Layout& l = GetParam();
        std::vector<DWORD> masks;
        if (l.bitfields565) {
            masks = {0xF800, 0x07E0, 0x001F};
        }
        return makeDib(5, sampleGrid(l.bpp), l.bpp, sampleTable(l.bpp), l.topDown, masks);
    }
    std::vector<COLORREF> expected() const {
        std::vector<COLORREF> grid = sampleGrid(GetParam().bpp);
        if (GetParam().bitfields565) {
            // Six bits of green keep 0 and 255; red and blue have five.
            return grid;
        }
        return grid;
    }
};

// DIB -> device bitmap -> 32-bit DIB keeps every colour, whatever the depth,
// orientation and colour table of the source.
TEST_P(DibRoundTrip, DeviceBitmapKeepsColours) {
    Dib d = dib();
    HDC screen = GetDC(nullptr);
    HBITMAP bm = CreateDIBitmap(screen, &d.info()->bmiHeader, CBM_INIT, d.bits.data(), d.info(),
                                DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(bm, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObject(bm, sizeof(info), &info), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(pixelsOf(bm), expected());
    DeleteObject(bm);
}

// A DIB section keeps the layout: reading it back at its own depth gives the
// same bytes and, for colour-table depths, the same table.
TEST_P(DibRoundTrip, DibSectionGivesBackTheSameBits) {
    const Layout& l = GetParam();
    Dib d = dib();
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, d.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    ASSERT_NE(bits, nullptr);
    std::memcpy(bits, d.bits.data(), d.bits.size());

    // The header asked for, with room for a whole colour table: the platform
    // may write as many entries as the depth allows.
    const std::size_t fixed = sizeof(BITMAPINFOHEADER) + (l.bitfields565 ? 12 : 0);
    Dib out = d;
    out.header.assign(fixed + 256 * 4, 0);
    std::copy(d.header.begin(), d.header.begin() + static_cast<std::ptrdiff_t>(fixed),
              out.header.begin());
    std::fill(out.bits.begin(), out.bits.end(), std::uint8_t{0xCD});
    EXPECT_EQ(GetDIBits(screen, section, 0, 3, out.bits.data(), out.info(), DIB_RGB_COLORS), 3);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(out.bits, d.bits);
    // GetDIBits fills in biSizeImage; the format comes back as it was, and
    // the colour table starts with the section's own.
    const BITMAPINFOHEADER& got = out.info()->bmiHeader;
    const BITMAPINFOHEADER& sent = d.info()->bmiHeader;
    EXPECT_EQ(got.biSizeImage, d.bits.size());
    EXPECT_EQ(got.biWidth, sent.biWidth);
    EXPECT_EQ(got.biHeight, sent.biHeight);
    EXPECT_EQ(got.biBitCount, sent.biBitCount);
    EXPECT_EQ(got.biCompression, sent.biCompression);
    EXPECT_TRUE(std::equal(d.header.begin() + static_cast<std::ptrdiff_t>(fixed), d.header.end(),
                           out.header.begin() + static_cast<std::ptrdiff_t>(fixed)));
    EXPECT_EQ(pixelsOf(section), expected());
    DeleteObject(section);
}

INSTANTIATE_TEST_SUITE_P(AllDepths, DibRoundTrip,
                         ::testing::Values(Layout{1, false, false}, Layout{1, true, false},
                                           Layout{4, false, false}, Layout{4, true, false},
                                           Layout{8, false, false}, Layout{8, true, false},
                                           Layout{16, false, false}, Layout{16, true, false},
                                           Layout{16, false, true}, Layout{24, false, false},
                                           Layout{24, true, false}, Layout{32, false, false},
                                           Layout{32, true, false}),
                         [](const ::testing::TestParamInfo<Layout>& p) { return name(p.param); });

TEST(Dib, HeaderQueryReportsSizeAndDepth) {
    HDC screen = GetDC(nullptr);
    HBITMAP bm = CreateCompatibleBitmap(screen, 10, 7);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_NE(GetDIBits(screen, bm, 0, 0, nullptr, &bmi, DIB_RGB_COLORS), 0);
    EXPECT_EQ(bmi.bmiHeader.biWidth, 10);
    EXPECT_EQ(bmi.bmiHeader.biHeight, 7);
    EXPECT_EQ(bmi.bmiHeader.biBitCount, 32);
    EXPECT_EQ(bmi.bmiHeader.biSizeImage, 10u * 4u * 7u);
    ReleaseDC(nullptr, screen);
    DeleteObject(bm);
}

// Writing 24-bit rows pads each to four bytes and orders them by the sign of
// the height; a partial read starts at the given scan line.
TEST(Dib, GetDIBitsOrdersAndPadsRows) {
    Dib source = makeDib(3, {kRed, kGreen, kBlue, kWhite, kBlack, kPurple}, 24, {}, true);
    HDC screen = GetDC(nullptr);
    HBITMAP bm = CreateDIBitmap(screen, &source.info()->bmiHeader, CBM_INIT, source.bits.data(),
                                source.info(), DIB_RGB_COLORS);
    Dib bottomUp = makeDib(3, {kRed, kGreen, kBlue, kWhite, kBlack, kPurple}, 24, {}, false);
    std::vector<std::uint8_t> out(bottomUp.bits.size(), 0xEE);
    BITMAPINFO bmi{};
    std::memcpy(&bmi, bottomUp.header.data(), sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(GetDIBits(screen, bm, 0, 2, out.data(), &bmi, DIB_RGB_COLORS), 2);
    EXPECT_EQ(out, bottomUp.bits);
    EXPECT_EQ(bmi.bmiHeader.biSizeImage, 24u);

    // Scan line 1 of a bottom-up DIB is the top row.
    std::vector<std::uint8_t> one(12, 0);
    EXPECT_EQ(GetDIBits(screen, bm, 1, 5, one.data(), &bmi, DIB_RGB_COLORS), 1);
    EXPECT_EQ(std::vector<std::uint8_t>(one.begin(), one.begin() + 9),
              std::vector<std::uint8_t>({0, 0, 255, 0, 255, 0, 255, 0, 0}));
#if VEDRIX_HEADLESS  // the platform leaves a first scan line past the end open
    EXPECT_EQ(GetDIBits(screen, bm, 2, 1, one.data(), &bmi, DIB_RGB_COLORS), 0);
#endif
    ReleaseDC(nullptr, screen);
    DeleteObject(bm);
}

// An 8-bit read of a true-colour bitmap comes with a colour table in which
// each pixel's index finds its colour (the nearest one for a colour the table
// lacks). Palettes give back their entries and find the nearest one.
TEST(Dib, EightBitReadUsesTheSelectedPalette) {
    alignas(LOGPALETTE) std::uint8_t storage[sizeof(LOGPALETTE) + 3 * sizeof(PALETTEENTRY)] = {};
    auto* lp = reinterpret_cast<LOGPALETTE*>(storage);
    lp->palVersion = 0x300;
    lp->palNumEntries = 4;
    const PALETTEENTRY entries[4] = {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}};
    std::memcpy(lp->palPalEntry, entries, sizeof(entries));
    HPALETTE pal = CreatePalette(lp);
    ASSERT_NE(pal, nullptr);
    PALETTEENTRY back[4] = {};
    EXPECT_EQ(GetPaletteEntries(pal, 0, 4, back), 4u);
    EXPECT_EQ(GetPaletteEntries(pal, 0, 0, nullptr), 4u);
    EXPECT_EQ(back[2].peGreen, 255);

    MemoryCanvas canvas(4, 1);
    SetPixel(canvas.dc, 0, 0, kBlue);
    SetPixel(canvas.dc, 1, 0, kGreen);
    SetPixel(canvas.dc, 2, 0, kRed);
    SetPixel(canvas.dc, 3, 0, RGB(250, 10, 10));  // nearest: red
    HPALETTE oldPal = SelectPalette(canvas.dc, pal, FALSE);
    EXPECT_EQ(RealizePalette(canvas.dc), 0u);  // a true-colour display maps nothing

    std::vector<std::uint8_t> header(sizeof(BITMAPINFOHEADER) + 256 * 4, 0);
    auto* bmi = reinterpret_cast<BITMAPINFO*>(header.data());
    bmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi->bmiHeader.biWidth = 4;
    bmi->bmiHeader.biHeight = 1;
    bmi->bmiHeader.biPlanes = 1;
    bmi->bmiHeader.biBitCount = 8;
    std::uint8_t bits[4] = {};
    SelectObject(canvas.dc, canvas.old);
    EXPECT_EQ(GetDIBits(canvas.dc, canvas.bitmap, 0, 1, bits, bmi, DIB_RGB_COLORS), 1);
    canvas.old = SelectObject(canvas.dc, canvas.bitmap);
    auto colourOf = [&](int i) {
        const RGBQUAD& q = bmi->bmiColors[bits[i]];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    };
    EXPECT_EQ(colourOf(0), kBlue);
    EXPECT_EQ(colourOf(1), kGreen);
    EXPECT_EQ(colourOf(2), kRed);
    EXPECT_EQ(colourOf(3), kRed);
    SelectPalette(canvas.dc, oldPal, FALSE);
    EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(10, 240, 0)), 2u);
    EXPECT_TRUE(DeleteObject(pal));
}

// RLE data: runs, absolute runs (padded to 16 bits), deltas that skip
// pixels, end of line and end of bitmap.
TEST(Dib, RunLengthEncodedImagesDecode) {
    std::vector<COLORREF> table = {kBlack, kRed, kGreen, kBlue};
    Dib rle8 = makeDib(5, std::vector<COLORREF>(10, kBlack), 8, table);
    put32(rle8.header, 16, BI_RLE8);
    // Bottom row: 2 x red, absolute (green, blue, red), end of line.
    // Top row: delta right 3, 2 x blue, end of bitmap.
    rle8.bits = {2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 3, 0, 2, 3, 0, 1};
    put32(rle8.header, 20, static_cast<std::uint32_t>(rle8.bits.size()));
    HDC screen = GetDC(nullptr);
    HBITMAP bm = CreateDIBitmap(screen, &rle8.info()->bmiHeader, CBM_INIT, rle8.bits.data(),
                                rle8.info(), DIB_RGB_COLORS);
    ASSERT_NE(bm, nullptr);
    EXPECT_EQ(pixelsOf(bm), std::vector<COLORREF>({kBlack, kBlack, kBlack, kBlue, kBlue, kRed, kRed,
                                                   kGreen, kBlue, kRed}));
    DeleteObject(bm);

    Dib rle4 = makeDib(6, std::vector<COLORREF>(6, kBlack), 4, table);
    put32(rle4.header, 16, BI_RLE4);
    // 3 pixels alternating red/green, absolute (blue, red, green), end of bitmap.
    rle4.bits = {3, 0x12, 0, 3, 0x31, 0x20, 0, 1};
    put32(rle4.header, 20, static_cast<std::uint32_t>(rle4.bits.size()));
    bm = CreateDIBitmap(screen, &rle4.info()->bmiHeader, CBM_INIT, rle4.bits.data(), rle4.info(),
                        DIB_RGB_COLORS);
    ASSERT_NE(bm, nullptr);
    EXPECT_EQ(pixelsOf(bm), std::vector<COLORREF>({kRed, kGreen, kRed, kBlue, kRed, kGreen}));
    DeleteObject(bm);

    // Run-length images cannot be top-down.
    put32(rle4.header, 8, static_cast<std::uint32_t>(-1));
    EXPECT_EQ(CreateDIBitmap(screen, &rle4.info()->bmiHeader, CBM_INIT, rle4.bits.data(),
                             rle4.info(), DIB_RGB_COLORS),
              nullptr);
    ReleaseDC(nullptr, screen);
}

// The old core header: 16-bit sizes and a table of three-byte entries.
TEST(Dib, CoreHeaderIsRead) {
    std::vector<std::uint8_t> header(12 + 2 * 3, 0);
    put32(header, 0, 12);
    put16(header, 4, 3);
    put16(header, 6, 1);
    put16(header, 8, 1);
    put16(header, 10, 1);
    header[12] = 0;  // entry 0: blue, green, red = green
    header[13] = 255;
    header[14] = 0;
    header[15] = 255;                        // entry 1: blue
    std::uint8_t bits[4] = {0xA0, 0, 0, 0};  // 1, 0, 1
    HDC screen = GetDC(nullptr);
    auto* bmi = reinterpret_cast<BITMAPINFO*>(header.data());
    HBITMAP bm = CreateDIBitmap(screen, &bmi->bmiHeader, CBM_INIT, bits, bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(bm, nullptr);
    EXPECT_EQ(pixelsOf(bm), std::vector<COLORREF>({kBlue, kGreen, kBlue}));
    DeleteObject(bm);
}

// What the program writes into a section's bits is what GDI reads, and what
// GDI draws shows in the bits, in the section's own layout.
TEST(Dib, SectionBitsAreSharedWithDrawing) {
    Dib d = makeDib(4, std::vector<COLORREF>(8, kBlack), 24, {}, true);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, d.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    auto* b = static_cast<std::uint8_t*>(bits);
    b[0] = 0;  // pixel (0, 0): red (blue, green, red)
    b[1] = 0;
    b[2] = 255;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    EXPECT_EQ(GetPixel(dc, 0, 0), kRed);
    RECT r{1, 1, 3, 2};
    HBRUSH blue = CreateSolidBrush(kBlue);
    FillRect(dc, &r, blue);
    // Row 1 starts at byte 12 (4 pixels x 3 bytes); pixel 1 is bytes 15..17.
    EXPECT_EQ(b[15], 255);
    EXPECT_EQ(b[17], 0);
    EXPECT_EQ(b[12], 0);

    DIBSECTION ds{};
    EXPECT_EQ(GetObject(section, sizeof(ds), &ds), static_cast<int>(sizeof(DIBSECTION)));
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 12);
    EXPECT_EQ(ds.dsBmih.biBitCount, 24);
    SelectObject(dc, old);
    DeleteObject(blue);
    DeleteObject(section);
    DeleteDC(dc);
}

// A section with a colour table keeps indices: drawing picks the nearest
// entry, and a new table changes the colours the indices show.
TEST(Dib, SectionColourTableMapsAndChanges) {
    Dib d = makeDib(2, {kBlack, kBlack}, 4, {kBlack, kRed, kBlue});
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, d.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    EXPECT_EQ(SetPixel(dc, 1, 0, RGB(200, 30, 20)), kRed);
    EXPECT_EQ(static_cast<std::uint8_t*>(bits)[0], 0x01);
    RGBQUAD table[16] = {};
    EXPECT_EQ(GetDIBColorTable(dc, 0, 16, table), 16u);
    EXPECT_EQ(table[2].rgbBlue, 255);
    RGBQUAD green{0, 255, 0, 0};
    EXPECT_EQ(SetDIBColorTable(dc, 1, 1, &green), 1u);
    EXPECT_EQ(GetPixel(dc, 1, 0), kGreen);
    EXPECT_EQ(GetPixel(dc, 0, 0), kBlack);
    SelectObject(dc, old);
    DeleteObject(section);
    DeleteDC(dc);
}

// Bits of many different colours written into a section with a colour
// table each become the table's nearest entry, in whatever order the
// colours come and however often each comes back. (Colours with two
// nearest entries are not checked.)
TEST(Dib, ManyColoursWrittenEachBecomeTheNearestEntry) {
    const std::vector<COLORREF> table = {
        kBlack,           RGB(128, 0, 0), RGB(0, 128, 0), RGB(0, 0, 128), RGB(128, 128, 0),
        RGB(0, 128, 128), kRed,           kGreen,         kBlue,          RGB(255, 255, 255)};
    std::vector<COLORREF> grid;
    for (int i = 0; i < 16 * 16; ++i) {
        const int k = i % 200;  // the first 56 colours come back
        grid.push_back(RGB((k * 37) & 255, (k * 91) & 255, (k * 53) & 255));
    }
    const Dib target = makeDib(16, std::vector<COLORREF>(grid.size(), kBlack), 4, table);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, target.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    const Dib source = makeDib(16, grid, 24);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(SetDIBits(screen, section, 0, 16, source.bits.data(), source.info(), DIB_RGB_COLORS),
              16);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    int checked = 0;
    int wrong = 0;
    for (std::size_t i = 0; i < grid.size(); ++i) {
        const auto distance = [](COLORREF a, COLORREF b) {
            const int r = GetRValue(a) - GetRValue(b);
            const int g = GetGValue(a) - GetGValue(b);
            const int bl = GetBValue(a) - GetBValue(b);
            return r * r + g * g + bl * bl;
        };
        COLORREF nearest = table[0];
        int best = distance(grid[i], table[0]);
        bool tied = false;
        for (std::size_t t = 1; t < table.size(); ++t) {
            const int d = distance(grid[i], table[t]);
            tied = d == best ? true : (d < best ? false : tied);
            if (d < best) {
                best = d;
                nearest = table[t];
            }
        }
        if (!tied) {
            ++checked;
            const int x = static_cast<int>(i % 16);
            const int y = static_cast<int>(i / 16);
            wrong += GetPixel(dc, x, y) != nearest ? 1 : 0;
        }
    }
    EXPECT_GT(checked, 200);
    EXPECT_EQ(wrong, 0);
    SelectObject(dc, old);
    DeleteObject(section);
    DeleteDC(dc);
}

// A new memory context holds a 1 x 1 monochrome bitmap, so a bitmap made
// compatible with it is monochrome; colours drawn into it become black or
// white.
TEST(Dib, MemoryContextMakesMonochromeBitmaps) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAP bm{};
    GetObject(GetCurrentObject(dc, OBJ_BITMAP), sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    HBITMAP mono = CreateCompatibleBitmap(dc, 17, 2);
    GetObject(mono, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 4);  // device bitmap rows are padded to 16 bits
    HGDIOBJ old = SelectObject(dc, mono);
    EXPECT_EQ(SetPixel(dc, 0, 0, RGB(200, 200, 180)), kWhite);
    EXPECT_EQ(SetPixel(dc, 1, 0, RGB(90, 20, 40)), kBlack);
    EXPECT_EQ(GetNearestColor(dc, RGB(10, 10, 10)), kBlack);
    SelectObject(dc, old);
    DeleteObject(mono);
    DeleteDC(dc);

    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, 2, 2);
    GetObject(colour, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    HBITMAP empty = CreateCompatibleBitmap(screen, 0, 5);
    GetObject(empty, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    ReleaseDC(nullptr, screen);
    DeleteObject(colour);
    DeleteObject(empty);
}

// Blits between colour and monochrome: the source's background colour
// becomes white in a monochrome copy; a monochrome source takes the
// destination's text colour for black and background colour for white.
TEST(Dib, MonochromeBlitsUseTheContextColours) {
    MemoryCanvas colour(3, 1, kBlue);
    SetPixel(colour.dc, 1, 0, kRed);
    HDC monoDc = CreateCompatibleDC(colour.dc);
    HBITMAP mono = CreateBitmap(3, 1, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(monoDc, mono);
    SetBkColor(colour.dc, kRed);
    ASSERT_TRUE(BitBlt(monoDc, 0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(monoDc, 0, 0), kBlack);
    EXPECT_EQ(GetPixel(monoDc, 1, 0), kWhite);

    MemoryCanvas target(3, 1, kBlack);
    SetTextColor(target.dc, kGreen);
    SetBkColor(target.dc, kPurple);
    ASSERT_TRUE(BitBlt(target.dc, 0, 0, 3, 1, monoDc, 0, 0, SRCCOPY));
    EXPECT_EQ(target.at(0, 0), kGreen);
    EXPECT_EQ(target.at(1, 0), kPurple);

    // Monochrome bits: rows padded to 16 bits, 1 = white.
    std::uint8_t bits[2] = {};
    EXPECT_EQ(GetBitmapBits(mono, 2, bits), 2);
    EXPECT_EQ(bits[0], 0x40);
    const std::uint8_t pattern[2] = {0xA0, 0};
    EXPECT_EQ(SetBitmapBits(mono, 2, pattern), 2);
    EXPECT_EQ(GetPixel(monoDc, 0, 0), kWhite);
    EXPECT_EQ(GetPixel(monoDc, 1, 0), kBlack);
    SelectObject(monoDc, old);
    DeleteObject(mono);
    DeleteDC(monoDc);
}

TEST(Dib, DrawingDibsOntoContexts) {
    Dib d = makeDib(2, {kRed, kGreen, kBlue, kWhite}, 24);  // 2 x 2, bottom-up
    MemoryCanvas canvas(6, 6, kBlack);
    // Twice the size: each source pixel covers 2 x 2.
    EXPECT_EQ(StretchDIBits(canvas.dc, 1, 1, 4, 4, 0, 0, 2, 2, d.bits.data(), d.info(),
                            DIB_RGB_COLORS, SRCCOPY),
              2);
    EXPECT_EQ(canvas.at(1, 1), kRed);
    EXPECT_EQ(canvas.at(2, 2), kRed);
    EXPECT_EQ(canvas.at(3, 1), kGreen);
    EXPECT_EQ(canvas.at(4, 4), kWhite);
    EXPECT_EQ(canvas.at(5, 5), kBlack);

    // All of it, as it is: the scan lines set are its two rows.
    MemoryCanvas whole(2, 2, kBlack);
    EXPECT_EQ(SetDIBitsToDevice(whole.dc, 0, 0, 2, 2, 0, 0, 0, 2, d.bits.data(), d.info(),
                                DIB_RGB_COLORS),
              2);
    EXPECT_EQ(whole.rows(0, 0, 2, 2, kRed), "#.\n..\n");
    EXPECT_EQ(whole.at(1, 1), kWhite);

    // ySrc counts from the bottom of a bottom-up DIB: (0, 0, 1 x 1) is the
    // bottom-left pixel.
    MemoryCanvas small(2, 2, kBlack);
    EXPECT_GT(SetDIBitsToDevice(small.dc, 0, 0, 1, 1, 0, 0, 0, 2, d.bits.data(), d.info(),
                                DIB_RGB_COLORS),
              0);
    EXPECT_EQ(small.at(0, 0), kBlue);
    EXPECT_EQ(small.at(1, 0), kBlack);
}

TEST(Dib, MalformedHeadersAreRefused) {
    HDC screen = GetDC(nullptr);
    Dib d = makeDib(2, {kRed, kGreen}, 24);
    put16(d.header, 14, 7);  // no such depth
    EXPECT_EQ(CreateDIBitmap(screen, &d.info()->bmiHeader, CBM_INIT, d.bits.data(), d.info(),
                             DIB_RGB_COLORS),
              nullptr);
    put16(d.header, 14, 24);
    put32(d.header, 4, 1u << 20);  // a million pixels wide
    put32(d.header, 8, 1u << 20);
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(screen, d.info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    put32(d.header, 4, 2);
    put32(d.header, 8, 1);
    put32(d.header, 16, BI_BITFIELDS);  // bit fields need 16 or 32 bits
    EXPECT_EQ(CreateDIBSection(screen, d.info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    put32(d.header, 16, BI_RGB);
    int dummy = 0;
    EXPECT_EQ(CreateDIBSection(screen, d.info(), DIB_RGB_COLORS, &bits, &dummy, 0), nullptr);
    EXPECT_EQ(SetDIBits(screen, nullptr, 0, 1, d.bits.data(), d.info(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(screen, nullptr, 0, 1, d.bits.data(), d.info(), DIB_RGB_COLORS), 0);
    ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace gdi_tests
