// Mapping modes: how logical units become device pixels. Expectations are
// put in terms of the screen's reported size and resolution (GetDeviceCaps),
// so that they hold for any screen.
#include "gdi_support.h"

#include <cstdlib>

namespace {

using gdi_tests::MemoryCanvas;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

SIZE windowExtent(HDC dc) {
    SIZE s{};
    EXPECT_TRUE(GetWindowExtEx(dc, &s));
    return s;
}

SIZE viewportExtent(HDC dc) {
    SIZE s{};
    EXPECT_TRUE(GetViewportExtEx(dc, &s));
    return s;
}

POINT toDevice(HDC dc, int x, int y) {
    POINT p{x, y};
    EXPECT_TRUE(LPtoDP(dc, &p, 1));
    return p;
}

// Within half a percent (and a pixel): the platform may round the screen's
// size in millimetres differently.
void expectRoughly(int got, int expected) {
    EXPECT_LE(std::abs(got - expected), std::abs(expected) / 200 + 1)
        << "got " << got << ", expected about " << expected;
}

TEST(MappingModes, EachMetricModeMapsAnInchToTheScreensPixelsPerInchWithYUp) {
    MemoryCanvas canvas(4, 4);
    const int dpiX = GetDeviceCaps(canvas.dc, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(canvas.dc, LOGPIXELSY);
    struct Mode {
        int mode;
        int unitsPerInch;  // 25.4 mm
    };
    const Mode modes[] = {{MM_LOMETRIC, 254},
                          {MM_HIMETRIC, 2540},
                          {MM_LOENGLISH, 100},
                          {MM_HIENGLISH, 1000},
                          {MM_TWIPS, 1440}};
    int previous = MM_TEXT;
    for (const Mode& m : modes) {
        SCOPED_TRACE(m.mode);
        EXPECT_EQ(SetMapMode(canvas.dc, m.mode), previous);
        EXPECT_EQ(GetMapMode(canvas.dc), m.mode);
        previous = m.mode;
        SIZE viewport = viewportExtent(canvas.dc);
        EXPECT_EQ(viewport.cx, GetDeviceCaps(canvas.dc, HORZRES));
        EXPECT_EQ(viewport.cy, -GetDeviceCaps(canvas.dc, VERTRES));
        SIZE window = windowExtent(canvas.dc);
        expectRoughly(window.cx, GetDeviceCaps(canvas.dc, HORZSIZE) * m.unitsPerInch * 10 / 254);
        POINT inch = toDevice(canvas.dc, m.unitsPerInch, m.unitsPerInch);
        expectRoughly(inch.x, dpiX);
        expectRoughly(inch.y, -dpiY);
        // The program cannot change a metric mode's extents.
        SIZE before{};
        EXPECT_TRUE(SetWindowExtEx(canvas.dc, 7, 7, &before));
        EXPECT_EQ(before.cx, window.cx);
        EXPECT_EQ(windowExtent(canvas.dc).cx, window.cx);
    }
    EXPECT_EQ(SetMapMode(canvas.dc, MM_TEXT), MM_TWIPS);
    EXPECT_EQ(windowExtent(canvas.dc).cx, 1);
    EXPECT_EQ(viewportExtent(canvas.dc).cy, 1);
    POINT p = toDevice(canvas.dc, 1000, 1000);
    EXPECT_EQ(p.x, 1000);
    EXPECT_EQ(p.y, 1000);
    EXPECT_EQ(SetMapMode(canvas.dc, 0), 0);
    EXPECT_EQ(SetMapMode(canvas.dc, MM_ANISOTROPIC + 1), 0);
    EXPECT_EQ(GetMapMode(canvas.dc), MM_TEXT);
}

TEST(MappingModes, AnisotropicScalesEachAxisByItsOwnExtents) {
    MemoryCanvas canvas(4, 4);
    EXPECT_TRUE(SetWindowExtEx(canvas.dc, 3, 3, nullptr));  // ignored in MM_TEXT
    EXPECT_EQ(windowExtent(canvas.dc).cx, 1);

    SetMapMode(canvas.dc, MM_ANISOTROPIC);
    SIZE old{};
    EXPECT_TRUE(SetWindowExtEx(canvas.dc, 100, 100, &old));
    EXPECT_EQ(old.cx, 1);
    EXPECT_TRUE(SetViewportExtEx(canvas.dc, 200, -50, nullptr));
    EXPECT_FALSE(SetViewportExtEx(canvas.dc, 0, 5, nullptr));
    EXPECT_EQ(viewportExtent(canvas.dc).cx, 200);
    SetViewportOrgEx(canvas.dc, 7, 9, nullptr);
    SetWindowOrgEx(canvas.dc, 10, 10, nullptr);
    POINT p = toDevice(canvas.dc, 30, 30);  // (20, 20) from the window origin
    EXPECT_EQ(p.x, 7 + 40);
    EXPECT_EQ(p.y, 9 - 10);
    EXPECT_TRUE(DPtoLP(canvas.dc, &p, 1));
    EXPECT_EQ(p.x, 30);
    EXPECT_EQ(p.y, 30);

    // Switching to MM_ANISOTROPIC keeps the extents of the mode before.
    SetMapMode(canvas.dc, MM_LOMETRIC);
    SIZE metric = windowExtent(canvas.dc);
    SetMapMode(canvas.dc, MM_ANISOTROPIC);
    EXPECT_EQ(windowExtent(canvas.dc).cx, metric.cx);
    EXPECT_EQ(viewportExtent(canvas.dc).cy, -GetDeviceCaps(canvas.dc, VERTRES));
}

TEST(MappingModes, IsotropicShrinksTheViewportOfTheAxisWithTheLongerUnit) {
    MemoryCanvas canvas(4, 4);
    EXPECT_EQ(SetMapMode(canvas.dc, MM_ISOTROPIC), MM_TEXT);
    // It starts as MM_LOMETRIC does.
    EXPECT_EQ(viewportExtent(canvas.dc).cx, GetDeviceCaps(canvas.dc, HORZRES));
    EXPECT_TRUE(SetWindowExtEx(canvas.dc, 1000, 1000, nullptr));
    EXPECT_TRUE(SetViewportExtEx(canvas.dc, 400, 200, nullptr));
    SIZE vp = viewportExtent(canvas.dc);
    expectRoughly(vp.cx, 200);
    EXPECT_EQ(vp.cy, 200);
    EXPECT_TRUE(SetViewportExtEx(canvas.dc, 300, -600, nullptr));
    vp = viewportExtent(canvas.dc);
    EXPECT_EQ(vp.cx, 300);
    expectRoughly(vp.cy, -300);
    // A wider window extent shrinks the vertical axis to match.
    EXPECT_TRUE(SetWindowExtEx(canvas.dc, 2000, 1000, nullptr));
    vp = viewportExtent(canvas.dc);
    EXPECT_EQ(vp.cx, 300);
    expectRoughly(vp.cy, -150);
}

// With y flipped, a rectangle given top-down still covers its pixels.
TEST(MappingModes, DrawingFollowsAFlippedScale) {
    MemoryCanvas canvas(12, 12);
    SetMapMode(canvas.dc, MM_ANISOTROPIC);
    SetWindowExtEx(canvas.dc, 1, 1, nullptr);
    SetViewportExtEx(canvas.dc, 2, -2, nullptr);
    SetViewportOrgEx(canvas.dc, 0, 10, nullptr);
    RECT r{1, 1, 3, 3};  // device x 2..6, y 8..4
    FillRect(canvas.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetMapMode(canvas.dc, MM_TEXT);
    SetViewportOrgEx(canvas.dc, 0, 0, nullptr);
    EXPECT_EQ(canvas.at(3, 5), kBlack);
    EXPECT_EQ(canvas.at(5, 7), kBlack);
    EXPECT_EQ(canvas.at(1, 5), kWhite);
    EXPECT_EQ(canvas.at(3, 2), kWhite);
    EXPECT_EQ(canvas.at(3, 9), kWhite);
    EXPECT_EQ(canvas.at(7, 5), kWhite);
}

TEST(MappingModes, SavedStateKeepsTheMode) {
    MemoryCanvas canvas(4, 4);
    int level = SaveDC(canvas.dc);
    SetMapMode(canvas.dc, MM_LOENGLISH);
    EXPECT_TRUE(RestoreDC(canvas.dc, level));
    EXPECT_EQ(GetMapMode(canvas.dc), MM_TEXT);
    POINT p = toDevice(canvas.dc, 5, 5);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 5);
}

}  // namespace
