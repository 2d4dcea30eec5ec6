// Regions, clipping, coordinates, saved states, and what lines, shapes and
// fills put into a bitmap.
#include "gdi_support.h"

#include <algorithm>

#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

namespace gdi_tests {
namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);

RECT boxOf(HRGN rgn) {
    RECT r{};
    GetRgnBox(rgn, &r);
    return r;
}

TEST(Regions, CombineModes) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(boxOf(out).right, 0);
#if VEDRIX_HEADLESS  // the platform needs the rectangle; the headless one refuses its absence
    EXPECT_EQ(GetRgnBox(out, nullptr), ERROR);
#endif

    EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(boxOf(out).left, 5);
    EXPECT_EQ(boxOf(out).right, 10);

    EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(out, 14, 14));
    EXPECT_FALSE(PtInRegion(out, 14, 2));
    EXPECT_EQ(boxOf(out).bottom, 15);

    EXPECT_EQ(CombineRgn(out, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(out, 7, 7));
    EXPECT_TRUE(PtInRegion(out, 2, 2));
    EXPECT_TRUE(PtInRegion(out, 12, 12));

    EXPECT_EQ(CombineRgn(out, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(out, 7, 7));
    EXPECT_TRUE(PtInRegion(out, 7, 2));
    RECT inside{6, 6, 8, 8};
    RECT touching{9, 1, 12, 3};
    EXPECT_FALSE(RectInRegion(out, &inside));
    EXPECT_TRUE(RectInRegion(out, &touching));

    EXPECT_EQ(CombineRgn(out, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(out, b, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(OffsetRgn(out, -5, -5), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(out, a));
    EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_AND), ERROR);
    EXPECT_EQ(CombineRgn(out, a, b, 99), ERROR);
    // Right and bottom edges are outside.
    EXPECT_FALSE(PtInRegion(a, 10, 3));
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(out);
}

// The same area built in different ways compares equal.
TEST(Regions, EqualityIgnoresConstruction) {
    HRGN whole = CreateRectRgn(0, 0, 20, 10);
    HRGN left = CreateRectRgn(0, 0, 8, 10);
    HRGN right = CreateRectRgn(8, 0, 20, 10);
    HRGN top = CreateRectRgn(0, 0, 20, 3);
    HRGN joined = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(joined, left, right, RGN_OR), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(joined, whole));
    CombineRgn(joined, joined, top, RGN_OR);
    EXPECT_TRUE(EqualRgn(joined, whole));
    SetRectRgn(top, 0, 0, 20, 11);
    EXPECT_FALSE(EqualRgn(top, whole));
    for (HRGN r : {whole, left, right, top, joined}) {
        DeleteObject(r);
    }
}

TEST(Clipping, FillsStayInsideTheClipRegion) {
    MemoryCanvas canvas(20, 10);
    HRGN clip = CreateRectRgn(2, 2, 6, 5);
    EXPECT_EQ(SelectClipRgn(canvas.dc, clip), SIMPLEREGION);
    DeleteObject(clip);  // the context keeps its own copy
    EXPECT_EQ(ExcludeClipRect(canvas.dc, 3, 3, 4, 4), COMPLEXREGION);
    RECT all{0, 0, 20, 10};
    FillRect(canvas.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.rows(0, 1, 8, 6, kBlack),
              "........\n"
              "..####..\n"
              "..#.##..\n"
              "..####..\n"
              "........\n");
    RECT box{};
    EXPECT_EQ(GetClipBox(canvas.dc, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.bottom, 5);
    EXPECT_FALSE(PtVisible(canvas.dc, 3, 3));
    EXPECT_TRUE(PtVisible(canvas.dc, 2, 2));

    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(canvas.dc, copy), 1);
    EXPECT_FALSE(PtInRegion(copy, 3, 3));
    EXPECT_EQ(SelectClipRgn(canvas.dc, nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(canvas.dc, copy), 0);
    EXPECT_EQ(GetClipBox(canvas.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 20);
    // A clip rectangle off the bitmap leaves nothing to draw on.
    IntersectClipRect(canvas.dc, 30, 30, 40, 40);
    EXPECT_EQ(GetClipBox(canvas.dc, &box), NULLREGION);
    EXPECT_FALSE(RectVisible(canvas.dc, &all));
    DeleteObject(copy);
}

// Clips an 8 x 8 context to the square (2, 2)-(6, 6).
void clipToTheMiddle(HDC dc) {
    HRGN clip = CreateRectRgn(2, 2, 6, 6);
    SelectClipRgn(dc, clip);
    DeleteObject(clip);
}

// GetPixel reads the pixels inside the clip region.
TEST(Clipping, PixelsInsideTheClipRegionAreRead) {
    MemoryCanvas canvas(8, 8);
    clipToTheMiddle(canvas.dc);
    EXPECT_EQ(GetPixel(canvas.dc, 3, 3), kWhite);
}

// GetPixel does not read through the clip region: a pixel outside it is
// CLR_INVALID.
TEST(Clipping, PixelsOutsideTheClipRegionAreNotRead) {
    MemoryCanvas canvas(8, 8);
    clipToTheMiddle(canvas.dc);
    EXPECT_EQ(GetPixel(canvas.dc, 1, 1), CLR_INVALID);
    EXPECT_EQ(GetPixel(canvas.dc, 6, 3), CLR_INVALID);
}

// Logical coordinates move by the window origin and the viewport origin;
// clip regions selected by handle are in device coordinates.
TEST(Clipping, OriginsMapLogicalToDevice) {
    MemoryCanvas canvas(20, 10);
    POINT old{};
    SetViewportOrgEx(canvas.dc, 10, 5, &old);
    SetWindowOrgEx(canvas.dc, 2, 1, nullptr);
    RECT r{2, 1, 4, 3};  // device (10, 5) ... (12, 7)
    FillRect(canvas.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetPixel(canvas.dc, 2, 1), kBlack);  // GetPixel takes logical coordinates too
    SetViewportOrgEx(canvas.dc, 0, 0, nullptr);
    SetWindowOrgEx(canvas.dc, 0, 0, nullptr);
    EXPECT_EQ(canvas.at(10, 5), kBlack);
    EXPECT_EQ(canvas.at(11, 6), kBlack);
    EXPECT_EQ(canvas.at(12, 6), kWhite);

    OffsetViewportOrgEx(canvas.dc, 3, 4, nullptr);
    POINT pts[1] = {{0, 0}};
    LPtoDP(canvas.dc, pts, 1);
    EXPECT_EQ(pts[0].x, 3);
    DPtoLP(canvas.dc, pts, 1);
    EXPECT_EQ(pts[0].x, 0);
    RECT box{};
    GetClipBox(canvas.dc, &box);
    EXPECT_EQ(box.left, -3);
    EXPECT_EQ(box.top, -4);
}

TEST(Clipping, SaveAndRestoreContextState) {
    MemoryCanvas canvas(10, 10);
    HBRUSH red = CreateSolidBrush(kRed);
    int level = SaveDC(canvas.dc);
    EXPECT_EQ(level, 1);
    SetTextColor(canvas.dc, kRed);
    HGDIOBJ previous = SelectObject(canvas.dc, red);
    IntersectClipRect(canvas.dc, 0, 0, 2, 2);
    SetViewportOrgEx(canvas.dc, 4, 4, nullptr);
    EXPECT_EQ(SaveDC(canvas.dc), 2);
    SetTextColor(canvas.dc, RGB(1, 2, 3));
    EXPECT_TRUE(RestoreDC(canvas.dc, -1));
    EXPECT_EQ(GetTextColor(canvas.dc), kRed);
    EXPECT_TRUE(RestoreDC(canvas.dc, level));
    EXPECT_EQ(GetTextColor(canvas.dc), kBlack);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BRUSH), previous);
    RECT box{};
    GetClipBox(canvas.dc, &box);
    EXPECT_EQ(box.right, 10);
    POINT org{};
    GetViewportOrgEx(canvas.dc, &org);
    EXPECT_EQ(org.x, 0);
    EXPECT_FALSE(RestoreDC(canvas.dc, -1));  // nothing saved any more
    EXPECT_FALSE(RestoreDC(canvas.dc, 0));
    EXPECT_EQ(SaveDC(canvas.dc), 1);
    EXPECT_FALSE(RestoreDC(canvas.dc, 2));
    EXPECT_TRUE(DeleteObject(red));
}

TEST(Shapes, LinesLeaveOutTheirEndPoint) {
    MemoryCanvas canvas(8, 4);
    MoveToEx(canvas.dc, 1, 1, nullptr);
    ASSERT_TRUE(LineTo(canvas.dc, 5, 1));
    LineTo(canvas.dc, 5, 3);
    EXPECT_EQ(canvas.rows(0, 0, 8, 4, kBlack),
              "........\n"
              ".#####..\n"
              ".....#..\n"
              "........\n");
    POINT cp{};
    GetCurrentPositionEx(canvas.dc, &cp);
    EXPECT_EQ(cp.y, 3);

    // An XOR pen drawn twice leaves nothing.
    SetROP2(canvas.dc, R2_XORPEN);
    HPEN white = CreatePen(PS_SOLID, 1, kWhite);
    HGDIOBJ old = SelectObject(canvas.dc, white);
    const POINT pts[3] = {{0, 3}, {4, 3}, {4, 0}};
    Polyline(canvas.dc, pts, 3);
    EXPECT_EQ(canvas.at(2, 3), kBlack);
    Polyline(canvas.dc, pts, 3);
    EXPECT_EQ(canvas.at(2, 3), kWhite);
    SelectObject(canvas.dc, old);
    DeleteObject(white);
}

// The outline of Rectangle takes the pen, inside the right and bottom
// edges; the inside takes the brush. With the null pen the fill is one pixel
// smaller on the right and bottom.
TEST(Shapes, RectanglesAndEllipses) {
    MemoryCanvas canvas(8, 6);
    HBRUSH red = CreateSolidBrush(kRed);
    HGDIOBJ oldBrush = SelectObject(canvas.dc, red);
    ASSERT_TRUE(Rectangle(canvas.dc, 1, 1, 6, 5));
    EXPECT_EQ(canvas.rows(0, 0, 7, 6, kBlack),
              ".......\n"
              ".#####.\n"
              ".#...#.\n"
              ".#...#.\n"
              ".#####.\n"
              ".......\n");
    EXPECT_EQ(canvas.at(3, 2), kRed);

    MemoryCanvas second(8, 6);
    SelectObject(second.dc, red);
    SelectObject(second.dc, GetStockObject(NULL_PEN));
    Rectangle(second.dc, 1, 1, 6, 5);
    EXPECT_EQ(second.rows(0, 0, 7, 6, kRed),
              ".......\n"
              ".####..\n"
              ".####..\n"
              ".####..\n"
              ".......\n"
              ".......\n");

    MemoryCanvas disc(12, 12);
    SelectObject(disc.dc, red);
    Ellipse(disc.dc, 0, 0, 12, 12);
    EXPECT_EQ(disc.at(6, 6), kRed);
    EXPECT_EQ(disc.at(0, 0), kWhite);
    EXPECT_EQ(disc.at(6, 0), kBlack);  // the outline
    SelectObject(disc.dc, oldBrush);
    SelectObject(second.dc, oldBrush);
    SelectObject(canvas.dc, oldBrush);
    DeleteObject(red);
}

TEST(Shapes, BrushesAndRasterOperations) {
    MemoryCanvas canvas(8, 8);
    HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, kBlack);
    SetBkMode(canvas.dc, TRANSPARENT);
    RECT r{0, 0, 8, 2};
    FillRect(canvas.dc, &r, hatch);
    // Vertical hatching: one line in eight columns, the same in each row.
    std::string row = canvas.rows(0, 0, 8, 1, kBlack);
    EXPECT_EQ(std::count(row.begin(), row.end(), '#'), 1) << row;
    EXPECT_EQ(canvas.rows(0, 1, 8, 2, kBlack), row);

    // A monochrome pattern brush takes the context's text and background colours.
    const std::uint8_t bits[4] = {0x55, 0, 0xAA, 0};  // 2 rows of 8 alternating pixels
    HBITMAP pattern = CreateBitmap(8, 2, 1, 1, bits);
    HBRUSH patterned = CreatePatternBrush(pattern);
    DeleteObject(pattern);  // the brush keeps its own copy
    SetTextColor(canvas.dc, kRed);
    SetBkColor(canvas.dc, kBlack);
    RECT p{0, 2, 8, 4};
    FillRect(canvas.dc, &p, patterned);
    EXPECT_EQ(canvas.rows(0, 2, 8, 4, kRed), "#.#.#.#.\n.#.#.#.#\n");

    RECT inv{0, 4, 2, 5};
    InvertRect(canvas.dc, &inv);
    EXPECT_EQ(canvas.at(0, 4), kBlack);
    PatBlt(canvas.dc, 0, 4, 1, 1, DSTINVERT);
    EXPECT_EQ(canvas.at(0, 4), kWhite);
    PatBlt(canvas.dc, 0, 5, 8, 1, BLACKNESS);
    EXPECT_EQ(canvas.at(7, 5), kBlack);

    RECT frame{0, 6, 8, 8};
    FrameRect(canvas.dc, &frame, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    EXPECT_EQ(canvas.at(0, 6), RGB(128, 128, 128));
    EXPECT_EQ(canvas.at(7, 7), RGB(128, 128, 128));
    DeleteObject(hatch);
    DeleteObject(patterned);
}

TEST(Shapes, FocusRectanglesAndEdges) {
    MemoryCanvas canvas(10, 10);
    RECT r{1, 1, 7, 5};
    DrawFocusRect(canvas.dc, &r);
    // Every other pixel of the border is inverted; inside and outside stay.
    std::string top = canvas.rows(1, 1, 7, 2, kBlack);
    EXPECT_TRUE(top == "#.#.#.\n" || top == ".#.#.#\n") << top;
    EXPECT_EQ(canvas.rows(2, 2, 6, 4, kBlack), "....\n....\n");
    EXPECT_EQ(canvas.rows(0, 0, 10, 1, kBlack), "..........\n");
    DrawFocusRect(canvas.dc, &r);  // drawing it again removes it
    EXPECT_EQ(canvas.rows(1, 1, 7, 2, kBlack), "......\n");

    RECT edge{0, 0, 10, 10};
    ASSERT_TRUE(DrawEdge(canvas.dc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE));
    EXPECT_EQ(edge.left, 2);
    EXPECT_EQ(edge.bottom, 8);
    EXPECT_EQ(canvas.at(0, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(canvas.at(9, 9), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(canvas.at(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(canvas.at(8, 8), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(canvas.at(5, 5), GetSysColor(COLOR_3DFACE));
    // A (COLOR_ + 1) value stands for the system colour's brush.
    RECT small{4, 4, 5, 5};
    FillRect(canvas.dc, &small,
             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_HIGHLIGHT + 1)));
    EXPECT_EQ(canvas.at(4, 4), GetSysColor(COLOR_HIGHLIGHT));
}

}  // namespace
}  // namespace gdi_tests
