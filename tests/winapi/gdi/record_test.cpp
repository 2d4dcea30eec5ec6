// Window device contexts: client coordinates, clipping to the client and
// update rectangles, and the drawing record.
#include "gdi_support.h"

#include <commctrl.h>

#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

#include <functional>

namespace gdi_tests {
namespace {

#if VEDRIX_HEADLESS
using vedrix::headless::DrawingEntry;
using vedrix::headless::DrawingKind;
#endif

std::function<void(HWND)> g_paint;

LRESULT CALLBACK testWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT && g_paint) {
        g_paint(hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

#if VEDRIX_HEADLESS
std::vector<DrawingKind> kinds(const std::vector<DrawingEntry>& entries) {
    std::vector<DrawingKind> out;
    for (const DrawingEntry& e : entries) {
        out.push_back(e.kind);
    }
    return out;
}
#endif

class WindowDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        person::resetDesktop();
#if VEDRIX_HEADLESS
        vedrix::headless::resetDrawing();
#endif
        WNDCLASSA wc{};
        wc.lpfnWndProc = testWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "GdiRecordTest";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        RegisterClassA(&wc);
        window = CreateWindowExA(0, "GdiRecordTest", "", WS_OVERLAPPED | WS_VISIBLE, 100, 50, 200,
                                 80, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        UpdateWindow(window);
#if VEDRIX_HEADLESS
        vedrix::headless::clearDrawingRecord();
        objectsBefore = vedrix::headless::gdiObjectCount();
#endif
    }
    void TearDown() override {
        g_paint = nullptr;
        DestroyWindow(window);
        UnregisterClassA("GdiRecordTest", GetModuleHandleA(nullptr));
#if VEDRIX_HEADLESS
        vedrix::headless::resetDrawing();
#endif
    }

    HWND window = nullptr;
    std::size_t objectsBefore = 0;
};

// A paint: BeginPaint erases through WM_ERASEBKGND (the class brush), then
// the window procedure's calls follow in order, in client coordinates, with
// the text colour, background and font weight of each call.
TEST_F(WindowDrawing, PaintIsRecordedInOrder) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    HFONT bold = CreateFontA(16, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    PAINTSTRUCT seen{};
    g_paint = [&](HWND hwnd) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        seen = ps;
        RECT r{0, 0, 50, 20};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        SetTextColor(dc, RGB(255, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 4, 2, "Hello", 5);
        HGDIOBJ old = SelectObject(dc, bold);
        RECT t{0, 30, 200, 46};
        DrawTextA(dc, "Bold", -1, &t, DT_RIGHT | DT_SINGLELINE);
        SelectObject(dc, old);
        EndPaint(hwnd, &ps);
    };
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);

    std::vector<DrawingEntry> rec = vedrix::headless::drawingRecord(window);
    ASSERT_EQ(kinds(rec), std::vector<DrawingKind>({DrawingKind::BeginPaint, DrawingKind::FillRect,
                                                    DrawingKind::FillRect, DrawingKind::TextOut,
                                                    DrawingKind::DrawText, DrawingKind::EndPaint}));
    EXPECT_EQ(rec[0].rect.right, 200);
    EXPECT_EQ(rec[0].rect.bottom, 80);
    EXPECT_EQ(rec[1].color, GetSysColor(COLOR_WINDOW));  // the erase
    EXPECT_EQ(rec[2].color, RGB(128, 128, 128));
    EXPECT_EQ(rec[3].text, "Hello");
    EXPECT_EQ(rec[3].rect.left, 4);
    EXPECT_EQ(rec[3].rect.right, 39);
    EXPECT_EQ(rec[3].textColor, RGB(255, 0, 0));
    EXPECT_EQ(rec[3].bkMode, TRANSPARENT);
    EXPECT_EQ(rec[3].fontWeight, FW_NORMAL);
    EXPECT_EQ(rec[4].fontWeight, FW_BOLD);
    EXPECT_EQ(rec[4].rect.left, 168);  // 4 bold characters right-aligned in 200
    for (const DrawingEntry& e : rec) {
        EXPECT_EQ(e.window, window);
        EXPECT_EQ(e.dc, seen.hdc);
    }
    EXPECT_FALSE(seen.fErase);
    // The paint validated the window: nothing more to paint.
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
    DeleteObject(bold);
#if VEDRIX_HEADLESS
    EXPECT_EQ(vedrix::headless::gdiObjectCount(), objectsBefore);
#endif
#endif
}

// BeginPaint's context clips to the invalid part; without erasing, no
// WM_ERASEBKGND fill is recorded.
TEST_F(WindowDrawing, PaintClipsToTheUpdateRectangle) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    RECT clip{};
    g_paint = [&](HWND hwnd) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        GetClipBox(dc, &clip);
        LineTo(dc, 5, 5);
        EndPaint(hwnd, &ps);
    };
    RECT part{10, 20, 60, 30};
    InvalidateRect(window, &part, FALSE);
    UpdateWindow(window);
    std::vector<DrawingEntry> rec = vedrix::headless::drawingRecord(window);
    ASSERT_EQ(kinds(rec), std::vector<DrawingKind>({DrawingKind::BeginPaint, DrawingKind::LineTo,
                                                    DrawingKind::EndPaint}));
    EXPECT_EQ(rec[0].rect.left, 10);
    EXPECT_EQ(rec[0].rect.bottom, 30);
    EXPECT_EQ(rec[1].clip.left, 10);
    EXPECT_EQ(rec[1].clip.top, 20);
    EXPECT_EQ(clip.right, 60);
    EXPECT_EQ(rec[1].points.size(), 2u);
    EXPECT_EQ(rec[1].points[1].x, 5);
#endif
}

// GetDC gives client coordinates clipped to the client area; the viewport
// origin shows in the recorded rectangles, and the record keeps the order of
// clip and origin changes.
TEST_F(WindowDrawing, WindowContextRecordsDeviceCoordinates) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(WindowFromDC(dc), window);
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 200);
    EXPECT_EQ(box.bottom, 80);
    SetViewportOrgEx(dc, -30, 0, nullptr);
    RECT r{40, 0, 50, 10};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HRGN rgn = CreateRectRgn(0, 0, 20, 20);
    SelectClipRgn(dc, rgn);
    DeleteObject(rgn);
    DrawFocusRect(dc, &r);
    EXPECT_EQ(GetPixel(dc, 45, 5), RGB(255, 255, 255));  // a window shows an empty screen
    EXPECT_FALSE(DeleteDC(dc));                          // window contexts are released
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    EXPECT_EQ(ReleaseDC(window, dc), 0);

    std::vector<DrawingEntry> rec = vedrix::headless::drawingRecord(window);
    ASSERT_EQ(kinds(rec),
              std::vector<DrawingKind>({DrawingKind::SetViewportOrg, DrawingKind::FillRect,
                                        DrawingKind::SetClip, DrawingKind::FocusRect}));
    EXPECT_EQ(rec[0].rect.left, -30);
    EXPECT_EQ(rec[1].rect.left, 10);
    EXPECT_EQ(rec[1].rect.right, 20);
    EXPECT_EQ(rec[1].clip.right, 200);
    EXPECT_EQ(rec[3].clip.right, 20);
#if VEDRIX_HEADLESS
    EXPECT_EQ(vedrix::headless::gdiObjectCount(), objectsBefore);
#endif
    EXPECT_EQ(GetDC(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234))), nullptr);
#endif
}

// Memory contexts are recorded only on request; entries carry no window.
TEST_F(WindowDrawing, MemoryContextsAreRecordedOnRequest) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    MemoryCanvas canvas(4, 4);
    RECT r{0, 0, 2, 2};
    FillRect(canvas.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_TRUE(vedrix::headless::drawingRecord().empty());
    vedrix::headless::setRecordMemoryDCs(true);
    FillRect(canvas.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ASSERT_EQ(vedrix::headless::drawingRecord().size(), 1u);
    EXPECT_EQ(vedrix::headless::drawingRecord()[0].window, nullptr);
    EXPECT_EQ(vedrix::headless::drawingRecord()[0].dc, canvas.dc);
    EXPECT_TRUE(vedrix::headless::drawingRecord(window).empty());
    EXPECT_STREQ(vedrix::headless::drawingKindName(DrawingKind::FillRect), "FillRect");
#endif
}

TEST_F(WindowDrawing, ResettingTheDesktopResetsTheDrawingToo) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    g_paint = [](HWND hwnd) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        TextOutA(dc, 0, 0, "x", 1);
        EndPaint(hwnd, &ps);
    };
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    ASSERT_FALSE(vedrix::headless::drawingRecord().empty());
    vedrix::headless::setRecordMemoryDCs(true);
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    HBITMAP image = CreateBitmap(16, 16, 1, 32, nullptr);
    ImageList_Add(list, image, nullptr);
    DeleteObject(image);
    ASSERT_TRUE(ImageList_BeginDrag(list, 0, 0, 0));
#if VEDRIX_HEADLESS
    const std::size_t listsWhileDragging = vedrix::headless::imageListCount();
#endif

    g_paint = nullptr;
    person::resetDesktop();
    window = nullptr;  // destroyed with the desktop
    EXPECT_TRUE(vedrix::headless::drawingRecord().empty());
    EXPECT_FALSE(vedrix::headless::dragImageState().dragging);
#if VEDRIX_HEADLESS
    EXPECT_EQ(vedrix::headless::imageListCount(), listsWhileDragging - 1);  // the drag image's
#endif
    MemoryCanvas canvas(4, 4);
    RECT r{0, 0, 2, 2};
    FillRect(canvas.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_TRUE(vedrix::headless::drawingRecord().empty());  // memory contexts unrecorded again
    ImageList_Destroy(list);
#endif
}

}  // namespace
}  // namespace gdi_tests
