// Image lists: adding with masks and mask colours, drawing with the mask,
// image information, growth, icons, and the bitmap files they load.
#include "gdi_support.h"

#include <commctrl.h>
#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

#include <cstdio>
#include <fstream>

namespace gdi_tests {
namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kMagenta = RGB(255, 0, 255);

// A 32-bit device bitmap from a top-down grid.
HBITMAP bitmapOf(int width, const std::vector<COLORREF>& grid) {
    Dib d = makeDib(width, grid, 24, {}, true);
    HDC screen = GetDC(nullptr);
    HBITMAP bm = CreateDIBitmap(screen, &d.info()->bmiHeader, CBM_INIT, d.bits.data(), d.info(),
                                DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bm;
}

// Two 2 x 2 images: red with a magenta corner, and blue with a magenta corner.
HBITMAP twoImages() {
    return bitmapOf(4, {kMagenta, kRed, kMagenta, kBlue,  //
                        kRed, kRed, kBlue, kBlue});
}

class ImageListTest : public ::testing::Test {
protected:
    void SetUp() override {
#if VEDRIX_HEADLESS
        vedrix::headless::resetDrawing();
        objects = vedrix::headless::gdiObjectCount();
        lists = vedrix::headless::imageListCount();
#endif
    }
    void TearDown() override {
#if VEDRIX_HEADLESS
        EXPECT_EQ(vedrix::headless::imageListCount(), lists);
        EXPECT_EQ(vedrix::headless::gdiObjectCount(), objects);
#endif
    }
    std::size_t objects = 0;
    std::size_t lists = 0;
};

// AddMasked: the mask colour becomes transparent, and black in the list's
// image and in the caller's bitmap. Drawing keeps the destination there.
TEST_F(ImageListTest, AddMaskedMakesTheMaskColourTransparent) {
    HIMAGELIST il = ImageList_Create(2, 2, ILC_COLOR24 | ILC_MASK, 1, 1);
    ASSERT_NE(il, nullptr);
    HBITMAP bm = twoImages();
    EXPECT_EQ(ImageList_AddMasked(il, bm, kMagenta), 0);
    EXPECT_EQ(ImageList_GetImageCount(il), 2);
    EXPECT_EQ(pixelsOf(bm),
              std::vector<COLORREF>({kBlack, kRed, kBlack, kBlue, kRed, kRed, kBlue, kBlue}));
    DeleteObject(bm);

    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(il, 1, &info));
    EXPECT_EQ(info.rcImage.left, 2);
    EXPECT_EQ(info.rcImage.right, 4);
    EXPECT_EQ(info.rcImage.bottom, 2);
    ASSERT_NE(info.hbmMask, nullptr);
    std::vector<COLORREF> mask = pixelsOf(info.hbmMask);
    EXPECT_EQ(mask[0], kWhite);  // image 0's corner
    EXPECT_EQ(mask[1], kBlack);
    EXPECT_EQ(mask[2], kWhite);  // image 1's corner
    EXPECT_EQ(pixelsOf(info.hbmImage)[2], kBlack);

    MemoryCanvas canvas(4, 2, kGreen);
    ASSERT_TRUE(ImageList_Draw(il, 1, canvas.dc, 1, 0, ILD_TRANSPARENT));
    EXPECT_EQ(canvas.at(1, 0), kGreen);
    EXPECT_EQ(canvas.at(2, 0), kBlue);
    EXPECT_EQ(canvas.at(1, 1), kBlue);
    EXPECT_EQ(canvas.at(0, 0), kGreen);
    EXPECT_EQ(canvas.at(3, 0), kGreen);

    // ILD_NORMAL with a background colour fills the transparent pixels with it.
    EXPECT_EQ(ImageList_SetBkColor(il, kWhite), static_cast<COLORREF>(CLR_NONE));
    ImageList_Draw(il, 0, canvas.dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.at(0, 0), kWhite);
    EXPECT_EQ(canvas.at(1, 0), kRed);
    // ... unless the call says CLR_NONE.
    ImageList_DrawEx(il, 1, canvas.dc, 0, 0, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_NORMAL);
    EXPECT_EQ(canvas.at(0, 0), kWhite);
    EXPECT_EQ(canvas.at(1, 0), kBlue);
    EXPECT_TRUE(ImageList_Destroy(il));
    EXPECT_FALSE(ImageList_Destroy(il));
}

// Add takes a separate mask bitmap (white = transparent).
TEST_F(ImageListTest, AddWithAMaskBitmap) {
    HIMAGELIST il = ImageList_Create(2, 2, ILC_COLORDDB | ILC_MASK, 1, 1);
    HBITMAP image = bitmapOf(2, {kRed, kGreen, kBlue, kRed});
    const std::uint8_t maskBits[4] = {0x40, 0, 0x80, 0};  // (1, 0) and (0, 1) transparent
    HBITMAP mask = CreateBitmap(2, 2, 1, 1, maskBits);
    EXPECT_EQ(ImageList_Add(il, image, mask), 0);
    MemoryCanvas canvas(2, 2, kBlack);
    ImageList_Draw(il, 0, canvas.dc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.at(0, 0), kRed);
    EXPECT_EQ(canvas.at(1, 0), kBlack);
    EXPECT_EQ(canvas.at(0, 1), kBlack);
    EXPECT_EQ(canvas.at(1, 1), kRed);
    // ILD_IMAGE ignores the mask: the transparent pixels are drawn too.
    ImageList_Draw(il, 0, canvas.dc, 0, 0, ILD_IMAGE);
    EXPECT_EQ(canvas.at(0, 0), kRed);
    // ILD_MASK draws the mask through the context's colours: on white, the
    // opaque pixels take the text colour and the transparent ones stay white.
    MemoryCanvas white(2, 2, kWhite);
    SetTextColor(white.dc, kBlue);
    SetBkColor(white.dc, kWhite);
    ImageList_Draw(il, 0, white.dc, 0, 0, ILD_MASK);
    EXPECT_EQ(white.at(0, 0), kBlue);
    EXPECT_EQ(white.at(1, 0), kWhite);
    DeleteObject(image);
    DeleteObject(mask);
    ImageList_Destroy(il);
}

// Without ILC_MASK there is no mask: AddMasked still makes the mask colour
// black, and drawing is always opaque.
TEST_F(ImageListTest, ListsWithoutMaskDrawOpaque) {
    HIMAGELIST il = ImageList_Create(2, 2, ILC_COLOR32, 2, 2);
    HBITMAP bm = twoImages();
    EXPECT_EQ(ImageList_AddMasked(il, bm, kMagenta), 0);
    EXPECT_EQ(pixelsOf(bm)[0], kBlack);
    IMAGEINFO info{};
    ImageList_GetImageInfo(il, 0, &info);
    EXPECT_EQ(info.hbmMask, nullptr);
    MemoryCanvas canvas(2, 2, kGreen);
    ImageList_Draw(il, 0, canvas.dc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.at(0, 0), kBlack);
    EXPECT_EQ(canvas.at(1, 0), kRed);
    DeleteObject(bm);
    ImageList_Destroy(il);
}

// A 4-bit list keeps the nearest of its 16 colours.
TEST_F(ImageListTest, ColourDepthReducesColours) {
    HIMAGELIST il = ImageList_Create(1, 1, ILC_COLOR4, 1, 1);
    HBITMAP bm = bitmapOf(1, {RGB(250, 10, 20)});
    ImageList_Add(il, bm, nullptr);
    MemoryCanvas canvas(1, 1);
    ImageList_Draw(il, 0, canvas.dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.at(0, 0), kRed);
    DeleteObject(bm);
    ImageList_Destroy(il);
}

// Lists grow past their initial size; removing shifts the later images down.
TEST_F(ImageListTest, GrowRemoveAndCount) {
    HIMAGELIST il = ImageList_Create(1, 1, ILC_COLOR24, 1, 2);
    const COLORREF colours[5] = {kRed, kGreen, kBlue, kWhite, kMagenta};
    int index = 0;
    for (COLORREF c : colours) {
        HBITMAP bm = bitmapOf(1, {c});
        EXPECT_EQ(ImageList_Add(il, bm, nullptr), index++);
        DeleteObject(bm);
    }
    ASSERT_EQ(ImageList_GetImageCount(il), 5);
    MemoryCanvas canvas(1, 1);
    ImageList_Draw(il, 4, canvas.dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.at(0, 0), kMagenta);
    EXPECT_TRUE(ImageList_Remove(il, 1));
    ImageList_Draw(il, 1, canvas.dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.at(0, 0), kBlue);
    EXPECT_EQ(ImageList_GetImageCount(il), 4);
    EXPECT_FALSE(ImageList_Remove(il, 4));
    EXPECT_FALSE(ImageList_Draw(il, 4, canvas.dc, 0, 0, ILD_NORMAL));
    EXPECT_TRUE(ImageList_SetImageCount(il, 6));
    EXPECT_EQ(ImageList_GetImageCount(il), 6);
    EXPECT_TRUE(ImageList_RemoveAll(il));
    EXPECT_EQ(ImageList_GetImageCount(il), 0);
    int cx = 0;
    int cy = 0;
    EXPECT_TRUE(ImageList_SetIconSize(il, 3, 4));
    EXPECT_TRUE(ImageList_GetIconSize(il, &cx, &cy));
    EXPECT_EQ(cy, 4);
    ImageList_Destroy(il);
}

TEST_F(ImageListTest, IconsGoInAndComeOut) {
    HIMAGELIST il = ImageList_Create(2, 2, ILC_COLOR24 | ILC_MASK, 1, 1);
    HBITMAP color = bitmapOf(2, {kRed, kBlack, kBlue, kGreen});
    const std::uint8_t maskBits[4] = {0x40, 0, 0, 0};  // (1, 0) transparent
    HBITMAP mask = CreateBitmap(2, 2, 1, 1, maskBits);
    ICONINFO ii{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(color);
    DeleteObject(mask);
    ASSERT_NE(icon, nullptr);
#if VEDRIX_HEADLESS
    std::size_t icons = vedrix::headless::iconCount();
#endif
    EXPECT_EQ(ImageList_AddIcon(il, icon), 0);
    EXPECT_EQ(ImageList_ReplaceIcon(il, 0, icon), 0);
    EXPECT_EQ(ImageList_ReplaceIcon(il, 3, icon), -1);
    DestroyIcon(icon);

    HICON back = ImageList_GetIcon(il, 0, ILD_NORMAL);
    ASSERT_NE(back, nullptr);
    ICONINFO out{};
    ASSERT_TRUE(GetIconInfo(back, &out));
    EXPECT_EQ(pixelsOf(out.hbmColor), std::vector<COLORREF>({kRed, kBlack, kBlue, kGreen}));
    EXPECT_EQ(pixelsOf(out.hbmMask), std::vector<COLORREF>({kBlack, kWhite, kBlack, kBlack}));
    DeleteObject(out.hbmColor);
    DeleteObject(out.hbmMask);

    MemoryCanvas canvas(2, 2, kWhite);
    EXPECT_TRUE(DrawIconEx(canvas.dc, 0, 0, back, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.at(0, 0), kRed);
    EXPECT_EQ(canvas.at(1, 0), kWhite);
    EXPECT_TRUE(DestroyIcon(back));
    EXPECT_FALSE(DestroyIcon(back));
#if VEDRIX_HEADLESS
    EXPECT_EQ(vedrix::headless::iconCount(), icons - 1);
#endif
    ImageList_Destroy(il);
}

// Duplicates are independent copies; Merge lays the second image over the
// first at an offset; overlays and blending change what Draw shows.
TEST_F(ImageListTest, DuplicateMergeOverlayBlend) {
    HIMAGELIST il = ImageList_Create(2, 2, ILC_COLOR24 | ILC_MASK, 2, 2);
    HBITMAP bm = twoImages();
    ImageList_AddMasked(il, bm, kMagenta);
    DeleteObject(bm);
    HIMAGELIST copy = ImageList_Duplicate(il);
    ASSERT_NE(copy, nullptr);
    ImageList_Remove(il, 0);
    EXPECT_EQ(ImageList_GetImageCount(copy), 2);

    HIMAGELIST merged = ImageList_Merge(copy, 0, copy, 1, 1, 1);
    ASSERT_NE(merged, nullptr);
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(merged, &cx, &cy);
    EXPECT_EQ(cx, 3);
    EXPECT_EQ(cy, 3);
    MemoryCanvas canvas(3, 3, kGreen);
    ImageList_Draw(merged, 0, canvas.dc, 0, 0, ILD_TRANSPARENT);
    // Uncovered corners stay transparent; the second image's transparent
    // corner shows the first image below it.
    EXPECT_EQ(canvas.rows(0, 0, 3, 3, kGreen), "#.#\n...\n#..\n");
    EXPECT_EQ(canvas.at(1, 0), kRed);
    EXPECT_EQ(canvas.at(1, 1), kRed);
    EXPECT_EQ(canvas.at(2, 1), kBlue);
    EXPECT_EQ(canvas.at(2, 2), kBlue);

    EXPECT_TRUE(ImageList_SetOverlayImage(copy, 1, 1));
    MemoryCanvas over(2, 2, kGreen);
    ImageList_Draw(copy, 0, over.dc, 0, 0, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1));
    EXPECT_EQ(over.at(0, 0), kGreen);  // transparent in both
    EXPECT_EQ(over.at(1, 0), kBlue);   // the overlay's pixel on top
    // Blending half with black darkens the red of the image's three opaque
    // pixels by about half (mixed in each pixel, or every other pixel black),
    // and leaves its transparent pixel alone.
    ImageList_DrawEx(copy, 0, over.dc, 0, 0, 0, 0, CLR_NONE, kBlack, ILD_TRANSPARENT | ILD_BLEND50);
    int red = 0;
    for (POINT p : {POINT{1, 0}, POINT{0, 1}, POINT{1, 1}}) {
        COLORREF c = over.at(p.x, p.y);
        EXPECT_EQ(GetGValue(c) + GetBValue(c), 0);
        red += GetRValue(c);
    }
    EXPECT_GT(red, 3 * 255 / 4);
    EXPECT_LT(red, 3 * 255 * 3 / 4);
    EXPECT_EQ(over.at(0, 0), kGreen);
    ImageList_Destroy(merged);
    ImageList_Destroy(copy);
    ImageList_Destroy(il);
}

TEST_F(ImageListTest, DrawIsRecorded) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    HIMAGELIST il = ImageList_Create(2, 2, ILC_COLOR24 | ILC_MASK, 1, 1);
    HBITMAP bm = twoImages();
    ImageList_AddMasked(il, bm, kMagenta);
    DeleteObject(bm);
    vedrix::headless::setRecordMemoryDCs(true);
    MemoryCanvas canvas(10, 10);
    SetViewportOrgEx(canvas.dc, 3, 0, nullptr);
    ImageList_DrawEx(il, 1, canvas.dc, 2, 4, 1, 0, CLR_DEFAULT, CLR_DEFAULT, ILD_TRANSPARENT);
    const vedrix::headless::DrawingEntry& e = vedrix::headless::drawingRecord().back();
    EXPECT_EQ(e.kind, vedrix::headless::DrawingKind::ImageListDraw);
    EXPECT_EQ(e.imageList, il);
    EXPECT_EQ(e.image, 1);
    EXPECT_EQ(e.rect.left, 5);
    EXPECT_EQ(e.rect.right, 6);  // dx 1: one column only
    EXPECT_EQ(e.rect.bottom, 6);
    EXPECT_EQ(e.flags, static_cast<UINT>(ILD_TRANSPARENT));
    EXPECT_EQ(e.color, static_cast<COLORREF>(CLR_NONE));
    ImageList_Destroy(il);
#endif
}

// A list loaded from a bitmap file: images as wide as asked, the mask colour
// transparent. LoadImageA reads the file through the platform's "\" paths.
TEST_F(ImageListTest, LoadsFromABitmapFile) {
    Dib d = makeDib(4, {kBlack, kRed, kGreen, kBlack, kRed, kRed, kGreen, kGreen}, 8,
                    {kBlack, kRed, kGreen});
    std::vector<std::uint8_t> file = bmpFile(d);
    std::string path = ::testing::TempDir() + "gdi_imagelist_test.bmp";
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data()),
                  static_cast<std::streamsize>(file.size()));
    }
    HIMAGELIST il =
        ImageList_LoadImageA(nullptr, path.c_str(), 2, 4, kBlack, IMAGE_BITMAP, LR_LOADFROMFILE);
    ASSERT_NE(il, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(il), 2);
    MemoryCanvas canvas(2, 2, kBlue);
    ImageList_Draw(il, 1, canvas.dc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.at(0, 0), kGreen);
    EXPECT_EQ(canvas.at(1, 0), kBlue);
    ImageList_Destroy(il);

    auto bm = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                              LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(bm, nullptr);
    DIBSECTION ds{};
    EXPECT_EQ(GetObject(bm, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
    EXPECT_EQ(ds.dsBmih.biBitCount, 8);
    DeleteObject(bm);

#if VEDRIX_HEADLESS
    // The platform leaves open what a truncated file gives; the headless one
    // refuses it.
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()), 60);
    }
    EXPECT_EQ(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
#endif
    std::remove(path.c_str());
    EXPECT_EQ(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

// Thousands of images fit (the strip is only bounded by its pixel count),
// and a duplicate holds them all.
TEST_F(ImageListTest, ManyImages) {
    HIMAGELIST il = ImageList_Create(16, 16, ILC_COLOR4 | ILC_MASK, 100000, 0);
    ASSERT_NE(il, nullptr);
    ASSERT_TRUE(ImageList_SetImageCount(il, 3000));
    HBITMAP bm = bitmapOf(16, std::vector<COLORREF>(256, kRed));
    EXPECT_TRUE(ImageList_Replace(il, 2999, bm, nullptr));
    DeleteObject(bm);
    HIMAGELIST copy = ImageList_Duplicate(il);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(copy), 3000);
    MemoryCanvas canvas(16, 16);
    ImageList_Draw(copy, 2999, canvas.dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.at(15, 15), kRed);
    ImageList_Destroy(copy);
    ImageList_Destroy(il);
}

TEST_F(ImageListTest, BadArgumentsFail) {
    EXPECT_EQ(ImageList_Create(0, 16, ILC_COLOR, 1, 1), nullptr);
    HIMAGELIST il = ImageList_Create(16, 16, ILC_COLOR | ILC_MASK, 1, 1);
    HBITMAP narrow = CreateBitmap(8, 16, 1, 1, nullptr);
#if VEDRIX_HEADLESS  // the platform leaves a bitmap narrower than one image open
    EXPECT_EQ(ImageList_Add(il, narrow, nullptr), -1);
#endif
    EXPECT_EQ(ImageList_Add(il, nullptr, nullptr), -1);
    EXPECT_EQ(ImageList_AddMasked(nullptr, narrow, 0), -1);
    IMAGEINFO info{};
    EXPECT_FALSE(ImageList_GetImageInfo(il, 0, &info));
    EXPECT_EQ(ImageList_GetIcon(il, 0, 0), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(nullptr), 0);
    EXPECT_FALSE(ImageList_Draw(il, 0, nullptr, 0, 0, ILD_NORMAL));
#if VEDRIX_HEADLESS  // the platform leaves merging images that do not exist open
    EXPECT_EQ(ImageList_Merge(il, 0, il, 0, 0, 0), nullptr);
#endif
    DeleteObject(narrow);
    ImageList_Destroy(il);
}

}  // namespace
}  // namespace gdi_tests
