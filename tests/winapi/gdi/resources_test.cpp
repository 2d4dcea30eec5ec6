// Bitmaps, icons and cursors loaded from the program's own resources (the
// table below), and copies of them.
#include "gdi_support.h"

#include <commctrl.h>
#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#include <vedrix/headless/resource_table.h>
#endif

namespace gdi_tests {
namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);

#if VEDRIX_HEADLESS
constexpr WORD kHeaderBitmap = 120;  // two 16 x 16 images, black is transparent
constexpr WORD kIcon = 200;          // 16 x 16, a green 8 x 8 square, transparent around it
constexpr WORD kCursor = 300;

// Bitmap 120: the left image red with a black top-left quarter, the right
// one blue.
std::vector<COLORREF> headerBitmapGrid() {
    std::vector<COLORREF> grid(32 * 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            COLORREF c = x < 16 ? kRed : kBlue;
            if (x < 8 && y < 8) {
                c = kBlack;
            }
            grid[static_cast<std::size_t>(y) * 32 + x] = c;
        }
    }
    return grid;
}

// A 32-bit image whose alpha is 255 inside the square and 0 elsewhere.
std::vector<std::uint8_t> iconFile() {
    std::vector<COLORREF> grid(16 * 16, kBlack);
    Dib d = makeDib(16, grid, 32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            std::uint8_t* p = d.bits.data() + (static_cast<std::size_t>(15 - y) * 16 + x) * 4;
            bool inside = x >= 4 && x < 12 && y >= 4 && y < 12;
            p[1] = inside ? 255 : 0;  // green
            p[3] = inside ? 255 : 0;  // alpha
        }
    }
    return bmpFile(d);
}

struct Table {
    std::vector<std::uint8_t> bitmap = bmpFile(makeDib(32, headerBitmapGrid(), 24));
    std::vector<std::uint8_t> icon = iconFile();
    std::vector<VedrixResource> entries;
    VedrixResourceDirectory table{};
    Table() {
        entries = {
            {1, kCursor, icon.data(), static_cast<DWORD>(icon.size())},
            {2, kHeaderBitmap, bitmap.data(), static_cast<DWORD>(bitmap.size())},
            {3, kIcon, icon.data(), static_cast<DWORD>(icon.size())},
        };
        table =
            VedrixResourceDirectory{1, "en", static_cast<DWORD>(entries.size()), entries.data()};
    }
};
#endif

}  // namespace
}  // namespace gdi_tests

#if VEDRIX_HEADLESS
// The program's resource table, found through the program's module handle.
extern "C" __attribute__((visibility("default"))) const VedrixResourceDirectory*
VedrixResourceTable(void) {
    static gdi_tests::Table t;
    return &t.table;
}
#endif

namespace gdi_tests {
namespace {

#if VEDRIX_HEADLESS
HINSTANCE program() {
    return GetModuleHandleA(nullptr);
}
#endif

TEST(Resources, BitmapsLoadAsDeviceBitmaps) {
    HEADLESS_ONLY("loads what the headless platform's resource table holds, made at run time");
#if VEDRIX_HEADLESS
    HBITMAP bm = LoadBitmapA(program(), MAKEINTRESOURCEA(kHeaderBitmap));
    ASSERT_NE(bm, nullptr);
    BITMAP info{};
    GetObject(bm, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 32);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(info.bmBits, nullptr);
    EXPECT_EQ(pixelsOf(bm), headerBitmapGrid());
    DeleteObject(bm);

    bm = LoadBitmapA(program(), "#120");
    EXPECT_NE(bm, nullptr);
    DeleteObject(bm);
    SetLastError(0);
    EXPECT_EQ(LoadBitmapA(program(), MAKEINTRESOURCEA(121)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadBitmapA(program(), "HEADER"), nullptr);
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(32754)), nullptr);  // no system bitmaps

    // A DIB section keeps the resource's 24 bits; a size stretches.
    auto section = static_cast<HBITMAP>(LoadImageA(program(), MAKEINTRESOURCEA(kHeaderBitmap),
                                                   IMAGE_BITMAP, 8, 4, LR_CREATEDIBSECTION));
    ASSERT_NE(section, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObject(section, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
    EXPECT_EQ(ds.dsBm.bmWidth, 8);
    EXPECT_EQ(ds.dsBmih.biBitCount, 24);
    std::vector<COLORREF> px = pixelsOf(section);
    EXPECT_EQ(px[0], kBlack);
    EXPECT_EQ(px[1 * 8 + 3], kRed);
    EXPECT_EQ(px[3 * 8 + 7], kBlue);

    auto copy = static_cast<HBITMAP>(CopyImage(section, IMAGE_BITMAP, 4, 2, LR_COPYDELETEORG));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(GetObjectType(section), 0u);
    GetObject(copy, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmBitsPixel, 32);
    DeleteObject(copy);
#endif
}

// The tree-list header's images: bitmap 120 cut into 16-pixel images with
// black as the mask colour.
TEST(Resources, ImageListFromABitmapResource) {
    HEADLESS_ONLY("loads what the headless platform's resource table holds, made at run time");
#if VEDRIX_HEADLESS
    HIMAGELIST il = ImageList_LoadImageA(program(), MAKEINTRESOURCEA(kHeaderBitmap), 16, 10, kBlack,
                                         IMAGE_BITMAP, LR_DEFAULTCOLOR);
    ASSERT_NE(il, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(il), 2);
    MemoryCanvas canvas(16, 16, kGreen);
    ImageList_Draw(il, 0, canvas.dc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.at(0, 0), kGreen);
    EXPECT_EQ(canvas.at(8, 8), kRed);
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(il, 1, &info));
    EXPECT_EQ(info.rcImage.left, 16);
    ImageList_Destroy(il);
#endif
}

// LoadIconA: the system's icon size, shared (the same handle each time,
// never destroyed); the alpha channel gives the mask.
TEST(Resources, IconsFromResources) {
    HEADLESS_ONLY("counts the headless platform's GDI objects");
#if VEDRIX_HEADLESS
    HICON icon = LoadIconA(program(), MAKEINTRESOURCEA(kIcon));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(program(), MAKEINTRESOURCEA(kIcon)), icon);
    EXPECT_TRUE(DestroyIcon(icon));
    ICONINFO ii{};
    ASSERT_TRUE(GetIconInfo(icon, &ii));  // still there
    EXPECT_TRUE(ii.fIcon);
    BITMAP bm{};
    GetObject(ii.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 32);
    std::vector<COLORREF> mask = pixelsOf(ii.hbmMask);
    EXPECT_EQ(mask[0], kWhite);
    EXPECT_EQ(mask[16 * 32 + 16], kBlack);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);

    MemoryCanvas canvas(40, 40, kBlue);
    ASSERT_TRUE(DrawIcon(canvas.dc, 4, 4, icon));
    EXPECT_EQ(canvas.at(4, 4), kBlue);
    EXPECT_EQ(canvas.at(20, 20), kGreen);  // the square, doubled: 8 ... 23, moved by 4

    std::size_t before = vedrix::headless::iconCount();
    auto own = static_cast<HICON>(
        LoadImageA(program(), MAKEINTRESOURCEA(kIcon), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, icon);
    EXPECT_EQ(vedrix::headless::iconCount(), before + 1);
    ASSERT_TRUE(GetIconInfo(own, &ii));
    GetObject(ii.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 16);  // the resource's own size
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    EXPECT_TRUE(DestroyIcon(own));
    EXPECT_EQ(vedrix::headless::iconCount(), before);

    auto cursor = static_cast<HCURSOR>(
        LoadImageA(program(), MAKEINTRESOURCEA(kCursor), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    ASSERT_NE(cursor, nullptr);
    ASSERT_TRUE(GetIconInfo(cursor, &ii));
    EXPECT_FALSE(ii.fIcon);
    EXPECT_EQ(ii.xHotspot, 0u);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    DestroyIcon(cursor);

    HICON standard = LoadIconA(nullptr, IDI_APPLICATION);
    ASSERT_NE(standard, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), standard);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_EQ(LoadIconA(program(), MAKEINTRESOURCEA(kHeaderBitmap)), nullptr);  // not an icon
#endif
}

}  // namespace
}  // namespace gdi_tests
