// GDI objects: handle misuse fails safely, selected objects and deletion,
// stock objects, leak counting, device capabilities.
#include "gdi_support.h"

#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

namespace gdi_tests {
namespace {

TEST(Objects, StaleAndWrongKindHandlesFail) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(SelectObject(dc, brush), nullptr);
    EXPECT_EQ(GetObjectType(brush), 0u);
    LOGBRUSH lb{};
    EXPECT_EQ(GetObject(brush, sizeof(lb), &lb), 0);

    HPEN pen = CreatePen(PS_SOLID, 1, 0);
#if VEDRIX_HEADLESS
    // The platform leaves open what FillRect does with a brush that is gone
    // or is no brush, and whether DeleteObject takes a context; the headless
    // one refuses them.
    RECT r{0, 0, 1, 1};
    EXPECT_EQ(FillRect(dc, &r, brush), 0);
    EXPECT_EQ(FillRect(dc, &r, reinterpret_cast<HBRUSH>(pen)), 0);
    EXPECT_FALSE(DeleteObject(dc));
#endif
    EXPECT_EQ(GetDIBits(dc, reinterpret_cast<HBITMAP>(pen), 0, 1, nullptr, nullptr, 0), 0);
    EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(pen)), nullptr);
    EXPECT_EQ(SetTextColor(reinterpret_cast<HDC>(pen), 0), CLR_INVALID);
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(1000), nullptr);
    EXPECT_EQ(SelectObject(dc, GetStockObject(DEFAULT_PALETTE)), nullptr);  // SelectPalette only
    // A region selected as an object becomes the clip region.
    HRGN rgn = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(SelectObject(dc, rgn), reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(SIMPLEREGION)));
    EXPECT_EQ(GetObjectType(rgn), static_cast<DWORD>(OBJ_REGION));
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    DeleteObject(rgn);
    DeleteObject(pen);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(SaveDC(dc), 0);
    EXPECT_FALSE(TextOutA(dc, 0, 0, "x", 1));
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
}

TEST(Objects, StockObjectsCannotBeDeleted) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    EXPECT_TRUE(DeleteObject(white));
    EXPECT_EQ(GetObjectType(white), static_cast<DWORD>(OBJ_BRUSH));
    LOGBRUSH lb{};
    ASSERT_EQ(GetObject(white, sizeof(lb), &lb), static_cast<int>(sizeof(LOGBRUSH)));
    EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
    LOGFONTA lf{};
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    WORD entries = 0;
    EXPECT_EQ(GetObject(GetStockObject(DEFAULT_PALETTE), sizeof(entries), &entries), 2);
    EXPECT_EQ(entries, 20);

    // A new context holds the default objects.
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    DeleteDC(dc);
}

// A bitmap lives in one memory context at a time.
TEST(Objects, SelectedBitmapsStay) {
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateBitmap(4, 4, 1, 32, nullptr);
    HGDIOBJ oldA = SelectObject(a, bm);
    ASSERT_NE(oldA, nullptr);
    EXPECT_EQ(SelectObject(b, bm), nullptr);
    EXPECT_EQ(GetObjectType(bm), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(SelectObject(a, oldA), bm);
    EXPECT_NE(SelectObject(b, bm), nullptr);
    // Deleting the context frees the bitmap for deletion.
    EXPECT_TRUE(DeleteDC(b));
    EXPECT_TRUE(DeleteObject(bm));
    DeleteDC(a);
}

// A bitmap cannot be deleted while it is selected, and stays usable.
TEST(Objects, ASelectedBitmapCannotBeDeleted) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateBitmap(4, 4, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bm);
    ASSERT_NE(old, nullptr);
    EXPECT_FALSE(DeleteObject(bm));
    EXPECT_EQ(SelectObject(dc, old), bm);
    EXPECT_EQ(GetObjectType(bm), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_TRUE(DeleteObject(bm));
    DeleteDC(dc);
}

// A pen, brush or font deleted while selected lives on until the context lets
// it go (also through RestoreDC or DeleteDC), then it is freed.
TEST(Objects, SelectedDrawingObjectsAreFreedLater) {
    HEADLESS_ONLY("counts the headless platform's GDI objects");
#if VEDRIX_HEADLESS
    std::size_t before = vedrix::headless::gdiObjectCount(OBJ_FONT);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(10, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(dc, font);
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(vedrix::headless::gdiObjectCount(OBJ_FONT), before + 1);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);  // still in use
    SelectObject(dc, old);
    EXPECT_EQ(vedrix::headless::gdiObjectCount(OBJ_FONT), before);
    EXPECT_EQ(GetObjectType(font), 0u);

    // A saved state keeps its objects referenced.
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    SelectObject(dc, brush);
    SaveDC(dc);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    RestoreDC(dc, -1);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    DeleteDC(dc);
    EXPECT_EQ(GetObjectType(brush), 0u);
#endif
}

// Every created object counts until deleted; contexts count too.
TEST(Objects, LeaksAreCounted) {
    HEADLESS_ONLY("counts the headless platform's GDI objects");
#if VEDRIX_HEADLESS
    std::size_t before = vedrix::headless::gdiObjectCount();
    std::size_t regions = vedrix::headless::gdiObjectCount(OBJ_REGION);
    std::size_t contexts = vedrix::headless::gdiObjectCount(OBJ_DC);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateBitmap(1, 1, 1, 1, nullptr);
    HRGN rgn = CreateRectRgn(0, 0, 1, 1);
    HPEN pen = CreatePen(PS_DASH, 2, 0);
    EXPECT_EQ(vedrix::headless::gdiObjectCount(), before + 4);
    EXPECT_EQ(vedrix::headless::gdiObjectCount(OBJ_REGION), regions + 1);
    EXPECT_EQ(vedrix::headless::gdiObjectCount(OBJ_DC), contexts + 1);  // memory contexts too
    LOGPEN lp{};
    ASSERT_EQ(GetObject(pen, sizeof(lp), &lp), static_cast<int>(sizeof(LOGPEN)));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(lp.lopnWidth.x, 2);
    DeleteObject(pen);
    DeleteObject(rgn);
    DeleteObject(bm);
    DeleteDC(dc);
    EXPECT_EQ(vedrix::headless::gdiObjectCount(), before);
    EXPECT_EQ(CreatePen(9, 1, 0), nullptr);  // no such style
    EXPECT_EQ(CreateHatchBrush(9, 0), nullptr);
    EXPECT_EQ(CreateBitmap(-1, 1, 1, 1, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(1, 1, 1, 3, nullptr), nullptr);
    EXPECT_EQ(CreatePalette(nullptr), nullptr);
    EXPECT_EQ(vedrix::headless::gdiObjectCount(), before);
#endif
}

TEST(Objects, TheDisplayDevice) {
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1920);
    EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 1080);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 0);
    EXPECT_EQ(GetDeviceCaps(screen, NUMCOLORS), -1);
    EXPECT_EQ(GetDeviceCaps(nullptr, HORZRES), 0);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(ReleaseDC(nullptr, display), 0);  // made by CreateDC: deleted, not released
    EXPECT_TRUE(DeleteDC(display));
    EXPECT_EQ(CreateDCA("WINSPOOL", "printer", nullptr, nullptr), nullptr);
}

}  // namespace
}  // namespace gdi_tests
