// Rectangles, coordinates, positions and hit testing.
#include "user_support.h"

namespace {

using Geometry = UserTest;

TEST(Rectangles, ArithmeticFollowsThePlatform) {
    RECT a;
    SetRect(&a, 10, 10, 30, 20);
    EXPECT_TRUE(PtInRect(&a, POINT{10, 10}));
    EXPECT_FALSE(PtInRect(&a, POINT{30, 15}));  // right and bottom edges are outside
    RECT b{20, 15, 40, 40};
    RECT r;
    EXPECT_TRUE(IntersectRect(&r, &a, &b));
    EXPECT_TRUE(sameRect(r, RECT{20, 15, 30, 20}));
    EXPECT_TRUE(UnionRect(&r, &a, &b));
    EXPECT_TRUE(sameRect(r, RECT{10, 10, 40, 40}));
    RECT apart{50, 50, 60, 60};
    EXPECT_FALSE(IntersectRect(&r, &a, &apart));
    EXPECT_TRUE(IsRectEmpty(&r));
    RECT empty{5, 5, 5, 9};
    EXPECT_TRUE(UnionRect(&r, &empty, &a));  // empty rectangles do not widen the union
    EXPECT_TRUE(EqualRect(&r, &a));
    InflateRect(&r, 2, 1);
    EXPECT_TRUE(sameRect(r, RECT{8, 9, 32, 21}));
    OffsetRect(&r, -8, -9);
    EXPECT_TRUE(sameRect(r, RECT{0, 0, 24, 12}));
    RECT top{0, 0, 24, 4};
    RECT rest;
    EXPECT_TRUE(SubtractRect(&rest, &r, &top));
    EXPECT_TRUE(sameRect(rest, RECT{0, 4, 24, 12}));
    RECT middle{5, 5, 6, 6};
    EXPECT_TRUE(SubtractRect(&rest, &r, &middle));  // a hole leaves the rectangle as it is
    EXPECT_TRUE(EqualRect(&rest, &r));
    EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
    EXPECT_FALSE(SetRectEmpty(nullptr));
}

TEST_F(Geometry, RectanglesAreInParentClientCoordinates) {
    HWND top = topLevel(100, 50, 400, 300);
    HWND mid = child(top, 1, 10, 20, 200, 100);
    HWND leaf = child(mid, 2, 5, 6, 30, 40);
    // Where the top-level window's client area starts depends on its frame.
    POINT client{0, 0};
    ClientToScreen(top, &client);
    RECT r;
    ASSERT_TRUE(GetWindowRect(leaf, &r));
    EXPECT_TRUE(sameRect(r, RECT{client.x + 15, client.y + 26, client.x + 45, client.y + 66}));
    ASSERT_TRUE(GetClientRect(leaf, &r));
    EXPECT_TRUE(sameRect(r, RECT{0, 0, 30, 40}));  // no frame: no non-client parts

    POINT p{1, 2};
    ClientToScreen(leaf, &p);
    EXPECT_EQ(p.x, client.x + 16);
    EXPECT_EQ(p.y, client.y + 28);
    ScreenToClient(mid, &p);
    EXPECT_EQ(p.x, 6);
    EXPECT_EQ(p.y, 8);

    POINT pts[2] = {{0, 0}, {10, 10}};
    int offset = MapWindowPoints(leaf, top, pts, 2);
    EXPECT_EQ(static_cast<short>(LOWORD(offset)), 15);
    EXPECT_EQ(static_cast<short>(HIWORD(offset)), 26);
    EXPECT_EQ(pts[1].x, 25);
    EXPECT_EQ(pts[1].y, 36);
    MapWindowPoints(top, nullptr, pts, 1);  // null: the screen
    EXPECT_EQ(pts[0].x, client.x + 15);
    EXPECT_EQ(pts[0].y, client.y + 26);

    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    EXPECT_TRUE(
        sameRect(screen, RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
}

TEST_F(Geometry, MovingSendsPositionChangesAndSizeOnlyWhenItChanged) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND c = child(top, 1, 0, 0, 50, 50);
    clearLog();
    ASSERT_TRUE(MoveWindow(c, 10, 20, 50, 50, TRUE));
    EXPECT_EQ(messages(c, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));
    clearLog();
    MoveWindow(c, 10, 20, 70, 80, TRUE);
    EXPECT_EQ(messages(c, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE}));
    EXPECT_EQ(log().back().lParam, MAKELPARAM(70, 80));
}

TEST_F(Geometry, PositionChangingMayAlterTheChange) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND c = child(top, 1, 0, 0, 50, 50);
    setHandler([](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (msg == WM_WINDOWPOSCHANGING) {
            auto* wp = reinterpret_cast<WINDOWPOS*>(lp);
            wp->cx = std::min(wp->cx, 100);  // a maximum width
        }
        return std::nullopt;
    });
    SetWindowPos(c, nullptr, 0, 0, 500, 60, SWP_NOMOVE | SWP_NOZORDER);
    RECT r;
    GetClientRect(c, &r);
    EXPECT_EQ(r.right, 100);
    EXPECT_EQ(r.bottom, 60);
}

TEST_F(Geometry, HandlingPositionChangedSuppressesSizeAndMove) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND c = child(top, 1, 0, 0, 50, 50);
    setHandler([](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_WINDOWPOSCHANGED) {
            return 0;
        }
        return std::nullopt;
    });
    clearLog();
    MoveWindow(c, 5, 5, 60, 60, TRUE);
    EXPECT_TRUE(messages(c, {WM_SIZE, WM_MOVE}).empty());
}

TEST_F(Geometry, ShowWindowReportsThePreviousStateAndSendsShowWindow) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND c = child(top, 1, 0, 0, 50, 50, WS_CHILD);
    clearLog();
    EXPECT_FALSE(ShowWindow(c, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(c));
    EXPECT_TRUE(ShowWindow(c, SW_SHOW));
    EXPECT_TRUE(ShowWindow(c, SW_HIDE));
    EXPECT_FALSE(ShowWindow(c, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(c));
    EXPECT_EQ(messages(c, {WM_SHOWWINDOW}), (std::vector<UINT>{WM_SHOWWINDOW, WM_SHOWWINDOW}));
    // A visible child of a hidden parent is not visible.
    ShowWindow(c, SW_SHOW);
    ShowWindow(top, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(c));
    EXPECT_TRUE(GetWindowLongA(c, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(Geometry, MaximiseFillsTheParentAndRestoreGivesTheOldRectangle) {
    HWND top = topLevel(10, 10, 200, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    clearLog();
    ShowWindow(top, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(top));
    // Its frame may lie beyond the work area; its client area lies within it.
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_LE(r.left, work.left);
    EXPECT_LE(r.top, work.top);
    EXPECT_GE(r.right, work.right);
    EXPECT_GE(r.bottom, work.bottom);
    POINT client{0, 0};
    ClientToScreen(top, &client);
    EXPECT_GE(client.x, work.left);
    EXPECT_GE(client.y, work.top);
    bool maximisedSize = false;
    for (const auto& m : log()) {
        maximisedSize = maximisedSize || (m.msg == WM_SIZE && m.wParam == SIZE_MAXIMIZED);
    }
    EXPECT_TRUE(maximisedSize);
    ShowWindow(top, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(top));
    GetWindowRect(top, &r);
    EXPECT_TRUE(sameRect(r, RECT{10, 10, 210, 110}));
}

TEST_F(Geometry, WindowFromPointTakesTheTopmostVisibleDeepestWindow) {
    HWND back = topLevel(0, 0, 200, 200);
    HWND front = topLevel(100, 100, 200, 200);
    HWND c1 = child(back, 1, 10, 10, 50, 50);
    HWND c2 = child(back, 2, 30, 30, 50, 50);  // below c1 in z-order
    HWND hidden = child(front, 3, 0, 0, 20, 20, WS_CHILD);
    HWND disabled = child(front, 4, 50, 50, 20, 20, WS_CHILD | WS_VISIBLE | WS_DISABLED);

    EXPECT_EQ(WindowFromPoint(POINT{40, 40}), c1);  // the overlap belongs to the upper one
    EXPECT_EQ(WindowFromPoint(POINT{70, 70}), c2);
    EXPECT_EQ(WindowFromPoint(POINT{5, 5}), back);
    EXPECT_EQ(WindowFromPoint(POINT{150, 150}), front);  // a disabled child is not found
    EXPECT_EQ(ChildWindowFromPoint(front, POINT{50, 50}), disabled);
    EXPECT_EQ(WindowFromPoint(POINT{105, 105}), front);  // hidden ones are not
    EXPECT_EQ(WindowFromPoint(POINT{120, 120}), front);
    // Where none of the windows is: no window, or the desktop.
    const HWND nowhere = WindowFromPoint(POINT{1000, 1000});
    EXPECT_TRUE(nowhere == nullptr || nowhere == GetDesktopWindow()) << nowhere;
    (void)hidden;

    ShowWindow(front, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(POINT{150, 150}), back);
    EXPECT_EQ(WindowFromPoint(POINT{70, 70}), c2);
}

TEST_F(Geometry, TransparentHitTestPassesThePointOn) {
    HWND top = topLevel(0, 0, 200, 200);
    HWND under = child(top, 1, 0, 0, 100, 100);
    HWND over = child(top, 2, 0, 0, 100, 100);
    SetWindowPos(over, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), over);
    setHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == over && msg == WM_NCHITTEST) {
            return HTTRANSPARENT;
        }
        return std::nullopt;
    });
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), under);
}

TEST_F(Geometry, ChildWindowFromPointLooksAtDirectChildrenOnly) {
    HWND top = topLevel(100, 100, 200, 200);
    HWND hidden = child(top, 1, 0, 0, 50, 50, WS_CHILD);
    HWND visible = child(top, 2, 0, 0, 50, 50);
    HWND grandchild = child(visible, 3, 0, 0, 10, 10);
    (void)grandchild;
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{5, 5}), hidden);  // hidden ones count
    EXPECT_EQ(ChildWindowFromPointEx(top, POINT{5, 5}, CWP_SKIPINVISIBLE), visible);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{150, 150}), top);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{250, 5}), nullptr);
}

TEST_F(Geometry, DeferredPositionsApplyTogether) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND a = child(top, 1, 0, 0, 10, 10);
    HWND b = child(top, 2, 0, 0, 10, 10);
    HDWP d = BeginDeferWindowPos(2);
    d = DeferWindowPos(d, a, nullptr, 5, 5, 20, 20, SWP_NOZORDER);
    d = DeferWindowPos(d, b, nullptr, 50, 50, 30, 30, SWP_NOZORDER);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(EndDeferWindowPos(d));
    RECT r;
    GetWindowRect(b, &r);
    EXPECT_TRUE(sameRect(r, RECT{50, 50, 80, 80}));
}

TEST_F(Geometry, StandardScrollBarsKeepTheirState) {
    HWND w = topLevel(0, 0, 100, 100, WS_OVERLAPPED | WS_VISIBLE);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 95, 0};
    EXPECT_EQ(SetScrollInfo(w, SB_VERT, &si, TRUE), 90);  // at most max - page + 1
    EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO got{sizeof(got), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &got));
    EXPECT_EQ(got.nMax, 99);
    EXPECT_EQ(got.nPage, 10u);
    EXPECT_EQ(got.nPos, 90);
    EXPECT_EQ(SetScrollPos(w, SB_VERT, -5, FALSE), 90);
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 0);
    // A page that covers the range needs no bar: it stays, disabled, when
    // asked to, and is removed otherwise.
    SCROLLINFO all{sizeof(all), SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0, 100, 0, 0};
    SetScrollInfo(w, SB_VERT, &all, TRUE);
    EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_VSCROLL);
    all.fMask = SIF_PAGE;
    all.nPage = 120;
    SetScrollInfo(w, SB_VERT, &all, TRUE);
    EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & WS_VSCROLL);
}

}  // namespace
