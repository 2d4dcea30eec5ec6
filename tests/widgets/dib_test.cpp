// CDib on bitmap files made by independent tools (data/README) and on
// malformed variants of them: what is read, what the device bitmap made from
// it shows, the palette, and the message of every refusal.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <vedrix/automation/gtest_fixture.h>
#include <vedrix/widgets/dib.h>
#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

#include "support/headless_only.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

Bytes dataFile(const char* name) {
    std::ifstream in(fs::path(VEDRIX_WIDGETS_TEST_DATA) / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t dword(const Bytes& b, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}
void setDword(Bytes& b, std::size_t at, std::uint32_t v) {
    std::memcpy(b.data() + at, &v, 4);
}
void setWord(Bytes& b, std::size_t at, std::uint16_t v) {
    std::memcpy(b.data() + at, &v, 2);
}

// Offsets of the fields in the file: the header starts at 14.
constexpr std::size_t kOffBits = 10;
constexpr std::size_t kSize = 14;
constexpr std::size_t kWidth = 18;
constexpr std::size_t kHeight = 22;
constexpr std::size_t kBitCount = 28;
constexpr std::size_t kCompression = 30;
constexpr std::size_t kSizeImage = 34;
constexpr std::size_t kClrUsed = 46;

// The person in front of the screen reads the refusals' messages.
class DibTest : public vedrix::automation::PersonTest {
protected:
    void SetUp() override {
        PersonTest::SetUp();
        m_dir = fs::temp_directory_path() /
                ("vedrix_dib_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        fs::remove_all(m_dir);
        PersonTest::TearDown();
    }

    // Reads the bytes as a file, through the platform's file functions.
    BOOL read(CDib& dib, const Bytes& bytes) {
        const fs::path path = m_dir / ("file" + std::to_string(m_files++) + ".bmp");
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        HANDLE file = CreateFileA(path.string().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        const BOOL result = dib.Read(file);
        CloseHandle(file);
        return result;
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& box : person.messageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }

    fs::path m_dir;
    int m_files = 0;
};

// The pixels of the device bitmap that the level bitmap loader makes.
class DeviceBitmap {
public:
    explicit DeviceBitmap(const CDib& dib) {
        HDC screen = GetDC(nullptr);
        m_bitmap =
            CreateDIBitmap(screen, dib.m_pHeader, CBM_INIT, dib.m_pImage,
                           reinterpret_cast<const BITMAPINFO*>(dib.m_pHeader), DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~DeviceBitmap() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    bool made() const { return m_bitmap != nullptr; }
    COLORREF at(int x, int y) const { return GetPixel(m_dc, x, y); }

private:
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

void expectPattern(const CDib& dib, const char* name) {
    SCOPED_TRACE(name);
    DeviceBitmap bitmap(dib);
    ASSERT_TRUE(bitmap.made());
    // Top row, middle row, bottom row of pattern.ppm.
    EXPECT_EQ(bitmap.at(0, 0), kRed);
    EXPECT_EQ(bitmap.at(1, 0), kGreen);
    EXPECT_EQ(bitmap.at(2, 0), kBlue);
    EXPECT_EQ(bitmap.at(3, 0), kWhite);
    EXPECT_EQ(bitmap.at(4, 0), kBlack);
    EXPECT_EQ(bitmap.at(9, 0), kBlack);
    EXPECT_EQ(bitmap.at(0, 1), kBlack);
    EXPECT_EQ(bitmap.at(3, 1), kGreen);
    EXPECT_EQ(bitmap.at(9, 1), kRed);
    EXPECT_EQ(bitmap.at(0, 2), kGreen);
    EXPECT_EQ(bitmap.at(9, 2), kRed);
}

std::set<COLORREF> paletteColors(HPALETTE palette) {
    PALETTEENTRY entries[256];
    const UINT n = GetPaletteEntries(palette, 0, 256, entries);
    std::set<COLORREF> colors;
    for (UINT i = 0; i < n; ++i) {
        colors.insert(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
    }
    return colors;
}

WORD paletteSize(HPALETTE palette) {
    WORD n = 0;
    GetObjectA(palette, sizeof n, &n);
    return n;
}

TEST_F(DibTest, EveryBitDepthReadsAsTheToolsWroteIt) {
    for (const char* name :
         {"pal4.bmp", "pal8.bmp", "rgb24.bmp", "rgb565.bmp", "argb32.bmp", "pal4_v5.bmp"}) {
        CDib dib;
        ASSERT_TRUE(read(dib, dataFile(name))) << name;
        expectPattern(dib, name);
    }
    CDib mono;
    ASSERT_TRUE(read(mono, dataFile("mono1.bmp")));
    DeviceBitmap bitmap(mono);
    EXPECT_EQ(bitmap.at(0, 0), kBlack);
    EXPECT_EQ(bitmap.at(1, 0), kWhite);
    EXPECT_EQ(bitmap.at(1, 1), kBlack);
    EXPECT_EQ(bitmap.at(4, 2), kBlack);
    EXPECT_EQ(bitmap.at(5, 2), kWhite);
    EXPECT_EQ(mono.m_nColorEntries, 2);
    EXPECT_TRUE(messages().empty());
}

TEST_F(DibTest, ColourTablesGiveThePalette) {
    CDib pal8;
    ASSERT_TRUE(read(pal8, dataFile("pal8.bmp")));
    // Colours used 0: the full table of 256 entries.
    EXPECT_EQ(pal8.m_nColorEntries, 256);
    ASSERT_NE(pal8.m_hPalette, nullptr);
    EXPECT_EQ(paletteSize(pal8.m_hPalette), 256);
    EXPECT_EQ(pal8.m_pColorTable, reinterpret_cast<BYTE*>(pal8.m_pHeader) + 40);
    EXPECT_EQ(pal8.m_nImageSize, 36u);  // rows of 10 bytes padded to 12

    // 10 pixels of 4 bits make rows of two 32-bit words: 3 rows of 8 bytes.
    CDib pal4;
    ASSERT_TRUE(read(pal4, dataFile("pal4.bmp")));
    EXPECT_EQ(pal4.m_pHeader->biSizeImage, 0u);
    EXPECT_EQ(pal4.m_nImageSize, 24u);
    EXPECT_EQ(pal4.m_nColorEntries, 16);

    // A longer header with colours used 16: the table follows that header.
    CDib v5;
    ASSERT_TRUE(read(v5, dataFile("pal4_v5.bmp")));
    EXPECT_EQ(v5.m_nColorEntries, 16);
    EXPECT_EQ(v5.m_pColorTable, reinterpret_cast<BYTE*>(v5.m_pHeader) + 124);
    const std::set<COLORREF> colors = paletteColors(v5.m_hPalette);
    for (COLORREF c : {kRed, kGreen, kBlue, kWhite, kBlack}) {
        EXPECT_EQ(colors.count(c), 1u) << std::hex << c;
    }

    // True colour: no table, no palette, and still read.
    CDib rgb;
    ASSERT_TRUE(read(rgb, dataFile("rgb24.bmp")));
    EXPECT_EQ(rgb.m_nColorEntries, 0);
    EXPECT_EQ(rgb.m_hPalette, nullptr);
    EXPECT_FALSE(rgb.MakePalette());
    EXPECT_EQ(rgb.m_nImageSize, 96u);
}

TEST_F(DibTest, ColourEntriesFollowTheBitCountUnlessTheHeaderCountsThem) {
    CDib rgb;
    ASSERT_TRUE(read(rgb, dataFile("rgb24.bmp")));
    const std::pair<int, int> rules[] = {{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}};
    for (auto [bits, entries] : rules) {
        rgb.SetColorEntries(bits);
        EXPECT_EQ(rgb.m_nColorEntries, entries) << bits;
    }
    rgb.SetColorEntries(4);
    rgb.SetColorEntries(7);  // unknown: unchanged
    EXPECT_EQ(rgb.m_nColorEntries, 16);
    // The palette never reaches past the header block, whatever the count says.
    EXPECT_FALSE(rgb.MakePalette());

    CDib v5;
    ASSERT_TRUE(read(v5, dataFile("pal4_v5.bmp")));
    v5.SetColorEntries(8);
    EXPECT_EQ(v5.m_nColorEntries, 16);
}

TEST_F(DibTest, EmptyAndRereadReleaseEverything) {
    HEADLESS_ONLY("counts the headless platform's GDI objects");
#if VEDRIX_HEADLESS
    const std::size_t before = vedrix::headless::gdiObjectCount(OBJ_PAL);
    CDib dib;
    ASSERT_TRUE(read(dib, dataFile("pal8.bmp")));
    ASSERT_TRUE(dib.MakePalette());  // replaces the palette of the read
    EXPECT_EQ(vedrix::headless::gdiObjectCount(OBJ_PAL), before + 1);
    ASSERT_TRUE(read(dib, dataFile("pal4.bmp")));
    EXPECT_EQ(vedrix::headless::gdiObjectCount(OBJ_PAL), before + 1);
    {
        DeviceBitmap made(dib);
        dib.m_hBitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    }
    dib.Empty();
    EXPECT_EQ(vedrix::headless::gdiObjectCount(OBJ_PAL), before);
    EXPECT_EQ(dib.m_hBitmap, nullptr);
    EXPECT_EQ(dib.m_pHeader, nullptr);
    EXPECT_EQ(dib.m_pImage, nullptr);
    EXPECT_EQ(dib.m_pColorTable, nullptr);
    EXPECT_EQ(dib.m_nHeaderAlloc, 0);
    EXPECT_EQ(dib.m_nImageAlloc, 0);
    EXPECT_EQ(dib.m_nImageSize, 0u);
    EXPECT_EQ(dib.m_nColorEntries, 0);
    EXPECT_EQ(dib.m_hPalette, nullptr);
#endif
}

TEST_F(DibTest, TopDownRowsShowTheSamePicture) {
    Bytes bytes = dataFile("rgb24.bmp");
    const std::size_t off = dword(bytes, kOffBits);
    const std::size_t row = 32;
    Bytes flipped(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(off));
    for (int r = 2; r >= 0; --r) {
        auto from = bytes.begin() + static_cast<std::ptrdiff_t>(off + r * row);
        flipped.insert(flipped.end(), from, from + static_cast<std::ptrdiff_t>(row));
    }
    setDword(flipped, kHeight, static_cast<std::uint32_t>(-3));
    CDib dib;
    ASSERT_TRUE(read(dib, flipped));
    EXPECT_EQ(dib.m_nImageSize, 96u);
    expectPattern(dib, "top-down rgb24");
}

TEST_F(DibTest, BytesAfterThePixelsAreLeftAlone) {
    Bytes bytes = dataFile("pal4.bmp");
    bytes.resize(bytes.size() + 1000, 0xEE);
    CDib dib;
    ASSERT_TRUE(read(dib, bytes));
    EXPECT_EQ(dib.m_nImageSize, 24u);
    expectPattern(dib, "pal4 with a tail");
}

struct Variant {
    const char* what;
    const char* file;
    std::function<void(Bytes&)> change;
    const char* message;
};

TEST_F(DibTest, MalformedFilesAreRefusedWithTheirMessage) {
    const char* kShort = "read error 1";
    const char* kInvalid = "Invalid bitmap file";
    const char* kRead = "Read error 1";
    const Variant variants[] = {
        {"empty file", "rgb24.bmp", [](Bytes& b) { b.clear(); }, kShort},
        {"13 bytes", "rgb24.bmp", [](Bytes& b) { b.resize(13); }, kShort},
        {"not BM", "rgb24.bmp", [](Bytes& b) { b[1] = 'N'; }, kInvalid},
        {"header block under 40 bytes", "rgb24.bmp", [](Bytes& b) { setDword(b, kOffBits, 53); },
         kInvalid},
        {"pixel offset inside the file header", "rgb24.bmp",
         [](Bytes& b) { setDword(b, kOffBits, 4); }, kInvalid},
        {"pixel offset far past the end", "rgb24.bmp",
         [](Bytes& b) { setDword(b, kOffBits, 0xFFFFFFF0u); }, kRead},
        {"pixel offset one past the end", "rgb24.bmp",
         [](Bytes& b) { setDword(b, kOffBits, static_cast<std::uint32_t>(b.size() + 1)); }, kRead},
        {"only the core header", "os2_core24.bmp", [](Bytes&) {}, kInvalid},
        {"header larger than its block", "rgb24.bmp", [](Bytes& b) { setDword(b, kSize, 41); },
         kInvalid},
        {"bit count 7", "rgb24.bmp", [](Bytes& b) { setWord(b, kBitCount, 7); }, kInvalid},
        {"bit count 0", "rgb24.bmp", [](Bytes& b) { setWord(b, kBitCount, 0); }, kInvalid},
        {"width 0", "rgb24.bmp", [](Bytes& b) { setDword(b, kWidth, 0); }, kInvalid},
        {"negative width", "rgb24.bmp",
         [](Bytes& b) { setDword(b, kWidth, static_cast<std::uint32_t>(-10)); }, kInvalid},
        {"height 0", "rgb24.bmp", [](Bytes& b) { setDword(b, kHeight, 0); }, kInvalid},
        {"smallest height", "rgb24.bmp",
         [](Bytes& b) { setDword(b, kHeight, static_cast<std::uint32_t>(INT_MIN)); }, kInvalid},
        {"run-length encoded 8-bit data at 24 bits", "rgb24.bmp",
         [](Bytes& b) {
             setDword(b, kCompression, 1);
             setDword(b, kSizeImage, 4);
         },
         kInvalid},
        {"run-length encoded 4-bit data at 8 bits", "pal8.bmp",
         [](Bytes& b) {
             setDword(b, kCompression, 2);
             setDword(b, kSizeImage, 4);
         },
         kInvalid},
        {"run-length data without its size", "pal8.bmp",
         [](Bytes& b) {
             setDword(b, kCompression, 1);
             setDword(b, kSizeImage, 0);
         },
         kInvalid},
        {"run-length data top-down", "pal8.bmp",
         [](Bytes& b) {
             setDword(b, kCompression, 1);
             setDword(b, kSizeImage, 4);
             setDword(b, kHeight, static_cast<std::uint32_t>(-3));
         },
         kInvalid},
        {"run-length data longer than the file", "pal8.bmp",
         [](Bytes& b) {
             setDword(b, kCompression, 1);
             setDword(b, kSizeImage, 100000);
         },
         kRead},
        {"colour masks at 24 bits", "rgb24.bmp", [](Bytes& b) { setDword(b, kCompression, 3); },
         kInvalid},
        {"colour masks outside the block", "rgb24.bmp",
         [](Bytes& b) {
             setWord(b, kBitCount, 32);
             setDword(b, kCompression, 3);
         },
         kInvalid},
        {"more colours than the table holds", "pal8.bmp",
         [](Bytes& b) { setDword(b, kClrUsed, 257); }, kInvalid},
        {"absurd colour count", "pal8.bmp", [](Bytes& b) { setDword(b, kClrUsed, 0x7FFFFFFF); },
         kInvalid},
        {"a 4-bit table where 16 entries do not fit", "pal4.bmp",
         [](Bytes& b) { setDword(b, kOffBits, 14 + 40 + 60); }, kInvalid},
        {"image size smaller than the rows", "rgb24.bmp",
         [](Bytes& b) { setDword(b, kSizeImage, 95); }, kInvalid},
        {"image size past the end", "rgb24.bmp",
         [](Bytes& b) { setDword(b, kSizeImage, 0x7FFFFFFF); }, kRead},
        {"rows wider than the file", "rgb24.bmp", [](Bytes& b) { setDword(b, kWidth, 0x7FFFFFFF); },
         kRead},
        {"rows higher than the file", "mono1.bmp",
         [](Bytes& b) { setDword(b, kHeight, 0x7FFFFFFF); }, kRead},
        {"pixel data one byte short", "pal8.bmp", [](Bytes& b) { b.pop_back(); }, kRead},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.what);
        person.clearRecords();
        Bytes bytes = dataFile(v.file);
        v.change(bytes);
        CDib dib;
        EXPECT_FALSE(read(dib, bytes));
        EXPECT_THAT(messages(), ::testing::ElementsAre(v.message));
    }
}

// A bitmap file written byte by byte: file header, 40-byte header, the
// colour table (blue, green, red, reserved) and the pixel data.
Bytes bitmapFile(int width, int height, std::uint16_t bitCount, std::uint32_t compression,
                 const std::vector<COLORREF>& table, const Bytes& pixels) {
    const auto offBits = static_cast<std::uint32_t>(14 + 40 + 4 * table.size());
    Bytes b(offBits, 0);
    b[0] = 'B';
    b[1] = 'M';
    setDword(b, 2, static_cast<std::uint32_t>(offBits + pixels.size()));
    setDword(b, kOffBits, offBits);
    setDword(b, kSize, 40);
    setDword(b, kWidth, static_cast<std::uint32_t>(width));
    setDword(b, kHeight, static_cast<std::uint32_t>(height));
    setWord(b, 26, 1);  // planes
    setWord(b, kBitCount, bitCount);
    setDword(b, kCompression, compression);
    setDword(b, kSizeImage, static_cast<std::uint32_t>(pixels.size()));
    setDword(b, kClrUsed, static_cast<std::uint32_t>(table.size()));
    for (std::size_t i = 0; i < table.size(); ++i) {
        b[54 + 4 * i] = GetBValue(table[i]);
        b[54 + 4 * i + 1] = GetGValue(table[i]);
        b[54 + 4 * i + 2] = GetRValue(table[i]);
    }
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// Run-length encoded files, 10 x 3 pixels with the colours white, red,
// green and blue: the bottom row has a run of four red, an absolute run
// (green, blue, green; padded to 16 bits) and three white, then an end of
// line; the middle row a delta five to the right and two blue, then an end of
// line; the top row a run of ten and the end of the bitmap.
TEST_F(DibTest, RunLengthEncodedFilesShowTheirPixels) {
    const std::vector<COLORREF> table = {kWhite, kRed, kGreen, kBlue};
    const Bytes rle8 = {4, 1, 0, 3, 2, 3, 2, 0, 3, 0, 0, 0, 0, 2, 5, 0, 2, 3, 0, 0, 10, 2, 0, 1};
    // At 4 bits a run alternates the two indexes of its byte: red, green...
    const Bytes rle4 = {4, 0x11, 0, 3, 0x23, 0x20, 3, 0x00, 0,    0, 0,
                        2, 5,    0, 2, 0x33, 0,    0, 10,   0x12, 0, 1};
    for (const auto& [bits, data, compression] :
         {std::tuple{8, rle8, BI_RLE8}, std::tuple{4, rle4, BI_RLE4}}) {
        SCOPED_TRACE(bits);
        CDib dib;
        ASSERT_TRUE(read(dib, bitmapFile(10, 3, static_cast<std::uint16_t>(bits),
                                         static_cast<std::uint32_t>(compression), table, data)));
        EXPECT_TRUE(messages().empty());
        // The data is kept as it stands in the file, its size the header's.
        EXPECT_EQ(dib.m_nImageSize, data.size());
        EXPECT_EQ(std::memcmp(dib.m_pImage, data.data(), data.size()), 0);
        EXPECT_EQ(dib.m_nColorEntries, 4);
        DeviceBitmap bitmap(dib);
        ASSERT_TRUE(bitmap.made());
        const std::vector<COLORREF> bottom = {kRed,  kRed,   kRed,   kRed,   kGreen,
                                              kBlue, kGreen, kWhite, kWhite, kWhite};
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(bitmap.at(x, 2), bottom[static_cast<std::size_t>(x)]) << "bottom " << x;
            const COLORREF top = bits == 4 && x % 2 == 0 ? kRed : kGreen;
            EXPECT_EQ(bitmap.at(x, 0), top) << "top " << x;
        }
        EXPECT_EQ(bitmap.at(5, 1), kBlue);
        EXPECT_EQ(bitmap.at(6, 1), kBlue);
    }
}

TEST_F(DibTest, WhatWasReadBeforeAFailureStaysUntilEmptied) {
    Bytes bytes = dataFile("pal8.bmp");
    bytes.resize(bytes.size() - 5);
    CDib dib;
    EXPECT_FALSE(read(dib, bytes));
    ASSERT_NE(dib.m_pHeader, nullptr);
    EXPECT_EQ(dib.m_nHeaderAlloc, 1);
    EXPECT_EQ(dib.m_pHeader->biBitCount, 8);
    EXPECT_EQ(dib.m_hPalette, nullptr);
    dib.Empty();
    EXPECT_EQ(dib.m_pHeader, nullptr);
    EXPECT_EQ(dib.m_nHeaderAlloc, 0);
}

}  // namespace
