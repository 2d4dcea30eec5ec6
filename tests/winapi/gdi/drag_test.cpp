// The drag image's state machine, as the browsers drive it.
#include "gdi_support.h"

#include <commctrl.h>
#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

namespace gdi_tests {
namespace {

#if VEDRIX_HEADLESS
using vedrix::headless::dragImageState;
#endif

class DragImage : public ::testing::Test {
protected:
    void SetUp() override {
#if VEDRIX_HEADLESS
        vedrix::headless::resetDrawing();
        lists = vedrix::headless::imageListCount();
#endif
        source = ImageList_Create(20, 16, ILC_COLOR24 | ILC_MASK, 2, 2);
        HBITMAP bm = CreateBitmap(40, 16, 1, 32, nullptr);
        ImageList_Add(source, bm, nullptr);
        DeleteObject(bm);
    }
    void TearDown() override {
        ImageList_EndDrag();
        ImageList_Destroy(source);
#if VEDRIX_HEADLESS
        EXPECT_EQ(vedrix::headless::imageListCount(), lists);
#endif
    }
    HIMAGELIST source = nullptr;
    std::size_t lists = 0;
};

TEST_F(DragImage, NothingWorksBeforeBeginDrag) {
    HEADLESS_ONLY("reads the headless drag image's state");
#if VEDRIX_HEADLESS
    EXPECT_FALSE(ImageList_DragEnter(nullptr, 10, 10));
    EXPECT_FALSE(ImageList_DragMove(10, 10));
    EXPECT_FALSE(ImageList_DragShowNolock(TRUE));
    EXPECT_FALSE(ImageList_DragLeave(nullptr));
    POINT pt{};
    EXPECT_EQ(ImageList_GetDragImage(&pt, nullptr), nullptr);
    ImageList_EndDrag();  // harmless
    EXPECT_FALSE(dragImageState().dragging);
    EXPECT_FALSE(ImageList_BeginDrag(source, 2, 0, 0));  // no image 2
    EXPECT_FALSE(ImageList_BeginDrag(nullptr, 0, 0, 0));
    EXPECT_FALSE(dragImageState().dragging);
#endif
}

// The sequence of the browsers: begin with hot spot (13, 11), enter the
// desktop where the drag started, move, hide and show around each move,
// leave, end.
TEST_F(DragImage, FullDragOnTheDesktop) {
    HEADLESS_ONLY("reads the headless drag image's state");
#if VEDRIX_HEADLESS
    ASSERT_TRUE(ImageList_BeginDrag(source, 1, 13, 11));
    auto s = dragImageState();
    EXPECT_TRUE(s.dragging);
    EXPECT_FALSE(s.locked);
    EXPECT_FALSE(s.shown);
    EXPECT_NE(s.imageList, source);  // the drag image is a list of its own
    EXPECT_EQ(ImageList_GetImageCount(s.imageList), 1);
    EXPECT_EQ(s.sourceList, source);
    EXPECT_EQ(s.sourceImage, 1);
    EXPECT_EQ(s.imageSize.cx, 20);
    EXPECT_EQ(s.hotspot.x, 13);

    HWND desktop = GetDesktopWindow();
    ASSERT_TRUE(ImageList_DragEnter(desktop, 100, 50));
    s = dragImageState();
    EXPECT_TRUE(s.locked);
    EXPECT_TRUE(s.shown);
    EXPECT_EQ(s.lockWindow, desktop);
    EXPECT_EQ(s.screenRect.left, 87);
    EXPECT_EQ(s.screenRect.top, 39);
    EXPECT_EQ(s.screenRect.right, 107);
    EXPECT_FALSE(ImageList_DragEnter(desktop, 0, 0));  // already entered

    ASSERT_TRUE(ImageList_DragMove(130, 70));
    ASSERT_TRUE(ImageList_DragShowNolock(FALSE));
    EXPECT_FALSE(dragImageState().shown);
    ASSERT_TRUE(ImageList_DragShowNolock(TRUE));
    s = dragImageState();
    EXPECT_TRUE(s.shown);
    EXPECT_EQ(s.position.x, 130);
    EXPECT_EQ(s.screenPosition.y, 70);
    POINT pt{};
    POINT hot{};
    EXPECT_EQ(ImageList_GetDragImage(&pt, &hot), s.imageList);
    EXPECT_EQ(pt.x, 130);
    EXPECT_EQ(hot.y, 11);

    ASSERT_TRUE(ImageList_DragLeave(desktop));
    s = dragImageState();
    EXPECT_FALSE(s.locked);
    EXPECT_FALSE(s.shown);
    EXPECT_TRUE(s.dragging);
    ImageList_EndDrag();
    EXPECT_FALSE(dragImageState().dragging);
    EXPECT_EQ(dragImageState().imageList, nullptr);
    EXPECT_FALSE(ImageList_DragMove(1, 1));
#endif
}

// Starting a new drag ends the old one and frees its image; the drag image
// outlives the list it was taken from.
TEST_F(DragImage, NewDragReplacesTheOldOne) {
    HEADLESS_ONLY("counts the headless platform's GDI objects");
#if VEDRIX_HEADLESS
    ASSERT_TRUE(ImageList_BeginDrag(source, 0, 1, 1));
    HIMAGELIST first = dragImageState().imageList;
    ImageList_DragEnter(nullptr, 5, 5);
#if VEDRIX_HEADLESS
    std::size_t during = vedrix::headless::imageListCount();
#endif
    ASSERT_TRUE(ImageList_BeginDrag(source, 1, 2, 2));
#if VEDRIX_HEADLESS
    EXPECT_EQ(vedrix::headless::imageListCount(), during);
#endif
    EXPECT_EQ(ImageList_GetImageCount(first), 0);  // destroyed
    auto s = dragImageState();
    EXPECT_FALSE(s.locked);
    EXPECT_EQ(s.hotspot.x, 2);

    HIMAGELIST temporary = ImageList_Duplicate(source);
    ASSERT_TRUE(ImageList_BeginDrag(temporary, 0, 0, 0));
    ImageList_Destroy(temporary);
    EXPECT_EQ(ImageList_GetImageCount(dragImageState().imageList), 1);
#endif
}

// Positions are relative to the lock window's upper-left corner.
TEST_F(DragImage, PositionsAreRelativeToTheLockWindow) {
    HEADLESS_ONLY("reads the headless drag image's state");
#if VEDRIX_HEADLESS
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GdiDragTest";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, "GdiDragTest", "", WS_OVERLAPPED | WS_VISIBLE, 300, 200, 100, 100,
                             nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(ImageList_BeginDrag(source, 0, 4, 3));
    ASSERT_TRUE(ImageList_DragEnter(w, 10, 20));
    auto s = dragImageState();
    EXPECT_EQ(s.screenPosition.x, 310);
    EXPECT_EQ(s.screenPosition.y, 220);
    EXPECT_EQ(s.screenRect.left, 306);
    ImageList_EndDrag();
    DestroyWindow(w);
    UnregisterClassA("GdiDragTest", wc.hInstance);
#endif
}

// A cursor image merged in keeps the drag image's hot spot on the same pixel.
TEST_F(DragImage, CursorImageIsMergedIn) {
    HEADLESS_ONLY("reads the headless drag image's state");
#if VEDRIX_HEADLESS
    HIMAGELIST cursor = ImageList_Create(8, 8, ILC_COLOR24 | ILC_MASK, 1, 1);
    HBITMAP bm = CreateBitmap(8, 8, 1, 32, nullptr);
    ImageList_Add(cursor, bm, nullptr);
    DeleteObject(bm);
    EXPECT_FALSE(ImageList_SetDragCursorImage(cursor, 0, 0, 0));  // no drag yet
    ASSERT_TRUE(ImageList_BeginDrag(source, 0, 2, 2));
    ASSERT_TRUE(ImageList_SetDragCursorImage(cursor, 0, 6, 6));
    auto s = dragImageState();
    EXPECT_TRUE(s.cursorImage);
    // The cursor's (6, 6) lies on the drag image's (2, 2): the cursor starts
    // at (-4, -4), so the image grows by 4 to the left and top.
    EXPECT_EQ(s.imageSize.cx, 24);
    EXPECT_EQ(s.imageSize.cy, 20);
    EXPECT_EQ(s.hotspot.x, 6);
    EXPECT_EQ(s.hotspot.y, 6);
    ImageList_Destroy(cursor);
#endif
}

}  // namespace
}  // namespace gdi_tests
