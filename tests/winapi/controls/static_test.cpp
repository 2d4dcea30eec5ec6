// Static controls: text and its alignment, notification on click, images,
// and the common-controls initialisation.
#include "controls/controls_fixture.h"

#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

#include <algorithm>
#include <optional>

namespace controls_tests {
namespace {

#if VEDRIX_HEADLESS
namespace hl = vedrix::headless;
#endif

class StaticTest : public ControlsTest {
protected:
#if VEDRIX_HEADLESS
    std::vector<hl::DrawingEntry> repaint(HWND hwnd) {
        UpdateWindow(hwnd);
        hl::clearDrawingRecord();
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
        return hl::drawingRecord(hwnd);
    }
    static std::optional<hl::DrawingEntry> find(const std::vector<hl::DrawingEntry>& record,
                                                hl::DrawingKind kind) {
        auto it = std::find_if(record.begin(), record.end(),
                               [&](const hl::DrawingEntry& e) { return e.kind == kind; });
        if (it == record.end()) {
            return std::nullopt;
        }
        return *it;
    }
#endif
};

TEST_F(StaticTest, KeepsAndDrawsItsTextWithTheStylesAlignment) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    struct Case {
        DWORD style;
        UINT flag;
    } cases[] = {{SS_LEFT, DT_LEFT}, {SS_CENTER, DT_CENTER}, {SS_RIGHT, DT_RIGHT}};
    for (const Case& c : cases) {
        HWND label = create("Static", "Label", c.style, 10, 10, 100, 16, 30);
        EXPECT_EQ(text(label), "Label");
        auto record = repaint(label);
        std::optional<hl::DrawingEntry> drawn = find(record, hl::DrawingKind::DrawText);
        ASSERT_TRUE(drawn.has_value());
        EXPECT_EQ(drawn->text, "Label");
        EXPECT_EQ(drawn->flags & (DT_CENTER | DT_RIGHT), c.flag) << c.style;
        DestroyWindow(label);
    }
#endif
}

TEST_F(StaticTest, SetTextRepaintsTheNewText) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    HWND label = create("Static", "...", SS_LEFT, 10, 10, 200, 16, 30);
    SetWindowTextA(label, "Replicated 2024");
    EXPECT_EQ(text(label), "Replicated 2024");
    auto record = repaint(label);
    std::optional<hl::DrawingEntry> drawn = find(record, hl::DrawingKind::DrawText);
    ASSERT_TRUE(drawn.has_value());
    EXPECT_EQ(drawn->text, "Replicated 2024");
#endif
}

TEST_F(StaticTest, PrefixCharactersAreHiddenUnlessNoPrefix) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    HWND label = create("Static", "&Name", SS_LEFT, 10, 10, 100, 16, 30);
    HWND plain = create("Static", "&Name", SS_LEFT | SS_NOPREFIX, 10, 30, 100, 16, 31);
    auto prefixed = find(repaint(label), hl::DrawingKind::DrawText);
    auto literal = find(repaint(plain), hl::DrawingKind::DrawText);
    ASSERT_TRUE(prefixed.has_value());
    ASSERT_TRUE(literal.has_value());
    EXPECT_EQ(prefixed->text, "Name");
    EXPECT_EQ(literal->text, "&Name");
#endif
}

TEST_F(StaticTest, NotifyStyleSendsClickedOthersAreTransparent) {
    HWND quiet = create("Static", "Quiet", SS_LEFT, 10, 10, 100, 16, 30);
    HWND loud = create("Static", "Loud", SS_LEFT | SS_NOTIFY, 10, 40, 100, 16, 31);
    EXPECT_EQ(SendMessageA(quiet, WM_NCHITTEST, 0, MAKELPARAM(120, 115)), HTTRANSPARENT);
    EXPECT_EQ(SendMessageA(loud, WM_NCHITTEST, 0, MAKELPARAM(120, 145)), HTCLIENT);
    person::click(person::centerOf(quiet));
    person::click(person::centerOf(loud));
    EXPECT_TRUE(codes(30).empty());
    EXPECT_EQ(codes(31), std::vector<int>{STN_CLICKED});
    EXPECT_EQ(SendMessageA(loud, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(StaticTest, BitmapStaticTakesTheImagesSizeAndDrawsIt) {
    HBITMAP first = CreateBitmap(24, 18, 1, 32, nullptr);
    HBITMAP second = CreateBitmap(10, 10, 1, 32, nullptr);
    HWND picture = create("Static", "", SS_BITMAP, 10, 10, 100, 100, 32);
    EXPECT_EQ(SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)),
              0);
    RECT rc;
    GetClientRect(picture, &rc);
    EXPECT_EQ(rc.right, 24);
    EXPECT_EQ(rc.bottom, 18);
    EXPECT_EQ(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0),
              reinterpret_cast<LRESULT>(first));
#if VEDRIX_HEADLESS  // only the headless device context records what is drawn
    std::optional<hl::DrawingEntry> blit = find(repaint(picture), hl::DrawingKind::BitBlt);
    ASSERT_TRUE(blit.has_value());
    EXPECT_EQ(blit->rect.right - blit->rect.left, 24);
#endif
    EXPECT_EQ(SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(second)),
              reinterpret_cast<LRESULT>(first));
    DestroyWindow(picture);
    DeleteObject(first);
    DeleteObject(second);
}

TEST_F(StaticTest, CenterImageKeepsTheControlsSize) {
    HBITMAP bitmap = CreateBitmap(20, 10, 1, 32, nullptr);
    HWND picture = create("Static", "", SS_BITMAP | SS_CENTERIMAGE, 10, 10, 60, 40, 32);
    SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    RECT rc;
    GetClientRect(picture, &rc);
    EXPECT_EQ(rc.right, 60);
    EXPECT_EQ(rc.bottom, 40);
#if VEDRIX_HEADLESS  // only the headless device context records what is drawn
    std::optional<hl::DrawingEntry> blit = find(repaint(picture), hl::DrawingKind::BitBlt);
    ASSERT_TRUE(blit.has_value());
    EXPECT_EQ(blit->rect.left, 20);
    EXPECT_EQ(blit->rect.top, 15);
#endif
    DestroyWindow(picture);
    DeleteObject(bitmap);
}

TEST_F(StaticTest, SunkenStyleDrawsAnEdge) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    HWND label = create("Static", "x", SS_LEFT | SS_SUNKEN, 10, 10, 100, 16, 30);
    EXPECT_TRUE(find(repaint(label), hl::DrawingKind::DrawEdge).has_value());
    HWND flat = create("Static", "x", SS_LEFT, 10, 40, 100, 16, 31);
    EXPECT_FALSE(find(repaint(flat), hl::DrawingKind::DrawEdge).has_value());
#endif
}

TEST(CommonControlsInit, AcceptsKnownClassesAndRefusesABadSize) {
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    EXPECT_TRUE(InitCommonControlsEx(&icc));
    icc.dwSize = 4;
    EXPECT_FALSE(InitCommonControlsEx(&icc));
    icc.dwSize = sizeof icc;
    EXPECT_FALSE(InitCommonControlsEx(nullptr));
    InitCommonControls();
    // The classes exist after initialisation.
    WNDCLASSA info;
    for (const char* name :
         {WC_BUTTONA, WC_STATICA, WC_EDITA, WC_COMBOBOXA, WC_SCROLLBARA, TOOLTIPS_CLASSA}) {
        EXPECT_TRUE(GetClassInfoA(nullptr, name, &info)) << name;
    }
}

}  // namespace
}  // namespace controls_tests
