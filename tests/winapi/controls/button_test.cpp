// Buttons: clicks by mouse, keyboard and BM_CLICK, check states, radio
// groups, bitmap buttons, dialog codes and what a button draws.
#include "controls/controls_fixture.h"

#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

#include <algorithm>

namespace controls_tests {
namespace {

#if VEDRIX_HEADLESS
namespace hl = vedrix::headless;
#endif

class ButtonTest : public ControlsTest {};

TEST_F(ButtonTest, MouseClickInsideSendsOneClickedAndFocuses) {
    HWND button = create("Button", "OK", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 80, 24, 1);
    person::click(person::centerOf(button));
    EXPECT_EQ(codes(1), std::vector<int>{BN_CLICKED});
    EXPECT_EQ(commands[0].from, button);
    EXPECT_EQ(GetFocus(), button);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
}

TEST_F(ButtonTest, PressShowsPushedAndReleasingOutsideCancels) {
    HWND button = create("Button", "OK", BS_PUSHBUTTON, 10, 10, 80, 24, 1);
    person::moveTo(at(button, 20, 12));
    person::pressButton(person::Button::Left);
    // Still inside, but past the drag rectangle, where every platform has
    // handled the press.
    person::moveTo(at(button, 60, 12));
    EXPECT_NE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_EQ(GetCapture(), button);
    person::moveTo(at(button, 200, 12));  // dragged off: no longer shown pushed
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    person::releaseButton(person::Button::Left);
    EXPECT_TRUE(codes(1).empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, DraggingBackInsideBeforeReleaseStillClicks) {
    HWND button = create("Button", "OK", BS_PUSHBUTTON, 10, 10, 80, 24, 1);
    person::drag(at(button, 40, 12), at(button, 40, 60));
    EXPECT_TRUE(codes(1).empty());
    person::moveTo(at(button, 40, 12));
    person::pressButton(person::Button::Left);
    person::moveTo(at(button, 300, 12));
    person::moveTo(at(button, 5, 5));
    person::releaseButton(person::Button::Left);
    EXPECT_EQ(codes(1), std::vector<int>{BN_CLICKED});
}

TEST_F(ButtonTest, SpaceBarClicksOnReleaseOtherKeysDoNot) {
    HWND button = create("Button", "OK", BS_PUSHBUTTON, 10, 10, 80, 24, 1);
    SetFocus(button);
    person::keyDown(VK_SPACE);
    EXPECT_NE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_TRUE(codes(1).empty());
    person::keyUp(VK_SPACE);
    EXPECT_EQ(codes(1), std::vector<int>{BN_CLICKED});
    person::pressKey('A');
    person::pressKey(VK_RETURN);
    EXPECT_EQ(codes(1).size(), 1u);
}

TEST_F(ButtonTest, BmClickClicksAnEnabledButton) {
    HWND button = create("Button", "OK", BS_PUSHBUTTON, 10, 10, 80, 24, 1);
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(codes(1), std::vector<int>{BN_CLICKED});
}

TEST_F(ButtonTest, BmClickLeavesADisabledButtonUnclicked) {
    HWND button = create("Button", "OK", BS_PUSHBUTTON, 10, 10, 80, 24, 1);
    SendMessageA(button, BM_CLICK, 0, 0);
    EnableWindow(button, FALSE);
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(codes(1).size(), 1u);
}

TEST_F(ButtonTest, DisabledButtonIgnoresTheMouse) {
    HWND button = create("Button", "OK", BS_PUSHBUTTON | WS_DISABLED, 10, 10, 80, 24, 1);
    person::click(person::centerOf(button));
    EXPECT_TRUE(codes(1).empty());
}

TEST_F(ButtonTest, AutoCheckBoxTogglesBeforeNotifying) {
    HWND box = create("Button", "Check", BS_AUTOCHECKBOX, 10, 10, 100, 20, 7);
    UINT seen = 99;
    respond = [&](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            seen = static_cast<UINT>(SendMessageA(box, BM_GETCHECK, 0, 0));
        }
        return false;
    };
    person::click(person::centerOf(box));
    EXPECT_EQ(seen, static_cast<UINT>(BST_CHECKED));
    person::click(person::centerOf(box));
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SetFocus(box);
    person::pressKey(VK_SPACE);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(count(7, BN_CLICKED), 3);
}

TEST_F(ButtonTest, PlainCheckBoxOnlyNotifies) {
    HWND box = create("Button", "Check", BS_CHECKBOX, 10, 10, 100, 20, 7);
    person::click(person::centerOf(box));
    EXPECT_EQ(count(7, BN_CLICKED), 1);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(box, BM_GETSTATE, 0, 0) & 3, BST_CHECKED);
}

TEST_F(ButtonTest, AutoThreeStateCyclesThroughIndeterminate) {
    HWND box = create("Button", "Tri", BS_AUTO3STATE, 10, 10, 100, 20, 7);
    std::vector<LRESULT> states;
    for (int i = 0; i < 3; ++i) {
        SendMessageA(box, BM_CLICK, 0, 0);
        states.push_back(SendMessageA(box, BM_GETCHECK, 0, 0));
    }
    EXPECT_EQ(states, (std::vector<LRESULT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));
    // A two-state box cannot be indeterminate.
    HWND two = create("Button", "Two", BS_AUTOCHECKBOX, 10, 40, 100, 20, 8);
    SendMessageA(two, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(SendMessageA(two, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, PushButtonsHaveNoCheckState) {
    HWND button = create("Button", "OK", BS_PUSHBUTTON, 10, 10, 80, 24, 1);
    SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ButtonTest, AutoRadioButtonsOfAGroupExcludeEachOther) {
    HWND a = create("Button", "A", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 10, 10, 80, 20, 11);
    HWND b = create("Button", "B", BS_AUTORADIOBUTTON, 10, 30, 80, 20, 12);
    HWND c = create("Button", "C", BS_AUTORADIOBUTTON, 10, 50, 80, 20, 13);
    HWND d = create("Button", "D", BS_AUTORADIOBUTTON | WS_GROUP, 10, 80, 80, 20, 14);
    HWND e = create("Button", "E", BS_AUTORADIOBUTTON, 10, 100, 80, 20, 15);
    SendMessageA(d, BM_SETCHECK, BST_CHECKED, 0);
    person::click(person::centerOf(b));
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    person::click(person::centerOf(c));
    EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(c, BM_GETCHECK, 0, 0), BST_CHECKED);
    // The second group is left alone.
    EXPECT_EQ(SendMessageA(d, BM_GETCHECK, 0, 0), BST_CHECKED);
    person::click(person::centerOf(e));
    EXPECT_EQ(SendMessageA(d, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(c, BM_GETCHECK, 0, 0), BST_CHECKED);
    // Clicking the checked one again keeps it and still notifies.
    person::click(person::centerOf(c));
    EXPECT_EQ(SendMessageA(c, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(count(13, BN_CLICKED), 2);
}

TEST_F(ButtonTest, CheckedRadioButtonIsTheGroupsTabStop) {
    HWND a = create("Button", "A", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 10, 10, 80, 20, 11);
    HWND b = create("Button", "B", BS_AUTORADIOBUTTON, 10, 30, 80, 20, 12);
    SendMessageA(a, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(b, BM_CLICK, 0, 0);
    EXPECT_NE(style(b) & WS_TABSTOP, 0u);
    EXPECT_EQ(style(a) & WS_TABSTOP, 0u);
}

TEST_F(ButtonTest, RadioButtonReachedByFocusIsClicked) {
    HWND a = create("Button", "A", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 80, 20, 11);
    HWND b = create("Button", "B", BS_AUTORADIOBUTTON, 10, 30, 80, 20, 12);
    SendMessageA(a, BM_SETCHECK, BST_CHECKED, 0);
    SetFocus(b);
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(count(12, BN_CLICKED), 1);
}

TEST_F(ButtonTest, FocusOnACheckedRadioButtonClicksNothing) {
    HWND a = create("Button", "A", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 80, 20, 11);
    HWND b = create("Button", "B", BS_AUTORADIOBUTTON, 10, 30, 80, 20, 12);
    SendMessageA(a, BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0);
    HWND push = create("Button", "OK", BS_PUSHBUTTON | WS_GROUP, 10, 60, 80, 20, 1);
    SetFocus(push);
    SetFocus(b);
    EXPECT_EQ(count(12, BN_CLICKED), 0);
    EXPECT_EQ(count(11, BN_CLICKED), 0);
}

TEST_F(ButtonTest, DialogCodesByType) {
    struct Case {
        DWORD type;
        LRESULT code;
    } cases[] = {
        {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {BS_AUTOCHECKBOX, DLGC_BUTTON},
        {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_GROUPBOX, DLGC_STATIC},
    };
    for (const Case& c : cases) {
        HWND button = create("Button", "x", c.type, 0, 0, 50, 20, 1);
        EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), c.code) << c.type;
        DestroyWindow(button);
    }
}

TEST_F(ButtonTest, SetStyleMovesTheDefaultAndKeepsOtherBits) {
    HWND button = create("Button", "", BS_PUSHBUTTON | BS_BITMAP, 0, 0, 50, 20, 1);
    SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(style(button) & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_NE(style(button) & BS_BITMAP, 0u);
    EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    SendMessageA(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
}

TEST_F(ButtonTest, ClicksOnAGroupBoxGoToWhatIsBehindIt) {
    HWND group = create("Button", "Group", BS_GROUPBOX, 10, 10, 200, 100, 5);
    HWND inside = create("Button", "In", BS_PUSHBUTTON, 40, 40, 60, 24, 6);
    // The box is transparent to the mouse: the parent is under it.
    EXPECT_EQ(SendMessageA(group, WM_NCHITTEST, 0,
                           MAKELPARAM(at(group, 150, 80).x, at(group, 150, 80).y)),
              HTTRANSPARENT);
    person::click(at(group, 150, 80));
    person::click(person::centerOf(inside));
    EXPECT_TRUE(codes(5).empty());
    EXPECT_EQ(codes(6), std::vector<int>{BN_CLICKED});
}

TEST_F(ButtonTest, NotifyStyleReportsFocusAndDoubleClicks) {
    HWND button = create("Button", "OK", BS_PUSHBUTTON | BS_NOTIFY, 10, 10, 80, 24, 1);
    HWND other = create("Button", "Other", BS_PUSHBUTTON, 10, 50, 80, 24, 2);
    SetFocus(button);
    SetFocus(other);
    EXPECT_EQ(codes(1), (std::vector<int>{BN_SETFOCUS, BN_KILLFOCUS}));
    clearRecords();
    person::doubleClick(person::centerOf(button));
    EXPECT_EQ(count(1, BN_DBLCLK), 1);
}

class BitmapButtonTest : public ButtonTest {
protected:
    void TearDown() override {
        if (first != nullptr) {
            DeleteObject(first);
        }
        if (second != nullptr) {
            DeleteObject(second);
        }
        ButtonTest::TearDown();
    }
    HBITMAP first = CreateBitmap(20, 12, 1, 32, nullptr);
    HBITMAP second = CreateBitmap(16, 16, 1, 32, nullptr);
};

TEST_F(BitmapButtonTest, SetImageKeepsTheHandleAndReturnsThePrevious) {
    HWND button = create("Button", "", BS_PUSHBUTTON | BS_BITMAP, 10, 10, 40, 30, 3);
    EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)), 0);
    EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(first));
    EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(second)),
              reinterpret_cast<LRESULT>(first));
    EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0),
              reinterpret_cast<LRESULT>(second));
    // The button still clicks.
    person::click(person::centerOf(button));
    EXPECT_EQ(codes(3), std::vector<int>{BN_CLICKED});
}

TEST_F(BitmapButtonTest, BitmapButtonDrawsItsImageCentredAndNoText) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    HWND button = create("Button", "Hidden", BS_PUSHBUTTON | BS_BITMAP, 10, 10, 40, 30, 3);
    SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first));
    UpdateWindow(button);
    hl::clearDrawingRecord();
    InvalidateRect(button, nullptr, TRUE);
    UpdateWindow(button);
    auto record = hl::drawingRecord(button);
    auto blit = std::find_if(record.begin(), record.end(), [](const hl::DrawingEntry& e) {
        return e.kind == hl::DrawingKind::BitBlt;
    });
    ASSERT_NE(blit, record.end());
    EXPECT_EQ(blit->rect.right - blit->rect.left, 20);
    EXPECT_EQ(blit->rect.bottom - blit->rect.top, 12);
    EXPECT_EQ(blit->rect.left, (40 - 20) / 2);
    EXPECT_EQ(blit->rect.top, (30 - 12) / 2);
    for (const auto& e : record) {
        EXPECT_EQ(e.text.find("Hidden"), std::string::npos);
    }
#endif
}

TEST_F(ButtonTest, PushButtonDrawsItsTextAndAFocusRectangleWhenFocused) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    HWND button = create("Button", "&Apply", BS_PUSHBUTTON, 10, 10, 80, 24, 1);
    UpdateWindow(button);
    hl::clearDrawingRecord();
    InvalidateRect(button, nullptr, TRUE);
    UpdateWindow(button);
    auto record = hl::drawingRecord(button);
    auto hasKind = [&](hl::DrawingKind kind) {
        return std::any_of(record.begin(), record.end(),
                           [&](const hl::DrawingEntry& e) { return e.kind == kind; });
    };
    auto textEntry = std::find_if(record.begin(), record.end(), [](const hl::DrawingEntry& e) {
        return e.kind == hl::DrawingKind::DrawText && e.text == "Apply";
    });
    ASSERT_NE(textEntry, record.end());
    EXPECT_NE(textEntry->flags & DT_CENTER, 0u);
    EXPECT_FALSE(hasKind(hl::DrawingKind::FocusRect));

    SetFocus(button);
    UpdateWindow(button);
    record = hl::drawingRecord(button);
    EXPECT_TRUE(hasKind(hl::DrawingKind::FocusRect));
#endif
}

TEST_F(ButtonTest, CheckBoxTextStandsRightOfTheBox) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    HWND box = create("Button", "Option", BS_AUTOCHECKBOX, 10, 10, 120, 20, 7);
    UpdateWindow(box);
    hl::clearDrawingRecord();
    InvalidateRect(box, nullptr, TRUE);
    UpdateWindow(box);
    auto record = hl::drawingRecord(box);
    auto textEntry = std::find_if(record.begin(), record.end(), [](const hl::DrawingEntry& e) {
        return e.kind == hl::DrawingKind::DrawText && e.text == "Option";
    });
    ASSERT_NE(textEntry, record.end());
    EXPECT_GE(textEntry->rect.left, 13);
    EXPECT_EQ(textEntry->flags & (DT_CENTER | DT_RIGHT), 0u);
#endif
}

}  // namespace
}  // namespace controls_tests
