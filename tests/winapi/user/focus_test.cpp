// Activation, focus, capture and enabling.
#include "user_support.h"

namespace {

using Focus = UserTest;

TEST_F(Focus, SetFocusTellsTheOldWindowFirstWithTheNewOne) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND a = child(top, 1, 0, 0, 10, 10);
    HWND b = child(top, 2, 20, 0, 10, 10);
    SetFocus(a);
    HWND focusWhileLosing = nullptr;
    setHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == a && msg == WM_KILLFOCUS) {
            focusWhileLosing = GetFocus();
        }
        return std::nullopt;
    });
    clearLog();
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(focusWhileLosing, b);  // the focus has moved when the loser hears of it
    EXPECT_EQ(GetFocus(), b);
    // The input method may hear of the change too; only the focus messages count.
    std::vector<LoggedMessage> changes;
    for (const LoggedMessage& m : log()) {
        if (m.msg == WM_KILLFOCUS || m.msg == WM_SETFOCUS) {
            changes.push_back(m);
        }
    }
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].hwnd, a);
    EXPECT_EQ(changes[0].msg, static_cast<UINT>(WM_KILLFOCUS));
    EXPECT_EQ(reinterpret_cast<HWND>(changes[0].wParam), b);
    EXPECT_EQ(changes[1].hwnd, b);
    EXPECT_EQ(changes[1].msg, static_cast<UINT>(WM_SETFOCUS));
    EXPECT_EQ(reinterpret_cast<HWND>(changes[1].wParam), a);
    clearLog();
    EXPECT_EQ(SetFocus(b), b);  // no change, no messages
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(SetFocus(nullptr), b);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(messages(b, {WM_KILLFOCUS, WM_SETFOCUS}), std::vector<UINT>{WM_KILLFOCUS});
}

TEST_F(Focus, DisabledWindowsCannotTakeTheFocus) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND a = child(top, 1, 0, 0, 10, 10, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    SetFocus(top);
    EXPECT_EQ(SetFocus(a), nullptr);
    EXPECT_EQ(GetFocus(), top);
}

TEST_F(Focus, DisablingTheFocusWindowTakesTheFocusAway) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND a = child(top, 1, 0, 0, 10, 10);
    SetFocus(a);
    SetCapture(a);
    clearLog();
    EXPECT_FALSE(EnableWindow(a, FALSE));  // was enabled
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(messages(a, {WM_CANCELMODE, WM_KILLFOCUS, WM_CAPTURECHANGED, WM_ENABLE}),
              (std::vector<UINT>{WM_CANCELMODE, WM_CAPTURECHANGED, WM_KILLFOCUS, WM_ENABLE}));
    EXPECT_FALSE(IsWindowEnabled(a));
    EXPECT_TRUE(EnableWindow(a, FALSE));  // already disabled: nothing sent
    clearLog();
    EXPECT_TRUE(EnableWindow(a, TRUE));
    EXPECT_EQ(messages(a), std::vector<UINT>{WM_ENABLE});
    EXPECT_EQ(log().back().wParam, static_cast<WPARAM>(TRUE));
}

TEST_F(Focus, CaptureChangesAreAnnouncedToTheLoser) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND a = child(top, 1, 0, 0, 10, 10);
    HWND b = child(top, 2, 20, 0, 10, 10);
    EXPECT_EQ(SetCapture(a), nullptr);
    clearLog();
    EXPECT_EQ(SetCapture(b), a);
    ASSERT_EQ(messages(a), std::vector<UINT>{WM_CAPTURECHANGED});
    EXPECT_EQ(reinterpret_cast<HWND>(log().back().lParam), b);
    clearLog();
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_EQ(messages(b), std::vector<UINT>{WM_CAPTURECHANGED});
    EXPECT_EQ(log().back().lParam, 0);
    DestroyWindow(top);
    EXPECT_EQ(SetCapture(a), nullptr);
}

TEST_F(Focus, ShowingATopLevelWindowActivatesItAndGivesItTheFocus) {
    HWND first = topLevel(0, 0, 100, 100);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), first);
    clearLog();
    HWND second = topLevel(0, 0, 100, 100);
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(GetForegroundWindow(), second);
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ(messages(first, {WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS}),
              (std::vector<UINT>{WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS}));
    EXPECT_EQ(messages(second, {WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}),
              (std::vector<UINT>{WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}));
    // A window shown without activation leaves things as they were.
    HWND quiet = topLevel(0, 0, 100, 100, WS_OVERLAPPED);
    ShowWindow(quiet, SW_SHOWNA);
    EXPECT_EQ(GetActiveWindow(), second);
}

TEST_F(Focus, FocusInAnotherTopLevelWindowActivatesIt) {
    HWND first = topLevel(0, 0, 100, 100);
    HWND inFirst = child(first, 1, 0, 0, 10, 10);
    HWND second = topLevel(0, 0, 100, 100);
    ASSERT_EQ(GetActiveWindow(), second);
    SetFocus(inFirst);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), inFirst);
}

TEST_F(Focus, DestroyingTheActiveWindowActivatesItsOwner) {
    HWND owner = topLevel(0, 0, 100, 100);
    HWND other = topLevel(0, 0, 100, 100);
    HWND popup = CreateWindowExA(0, kLogClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, owner,
                                 nullptr, nullptr, nullptr);
    HWND focused = child(popup, 1, 0, 0, 5, 5);
    SetFocus(focused);
    ASSERT_EQ(GetActiveWindow(), popup);
    clearLog();
    DestroyWindow(popup);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
    EXPECT_EQ(messages(focused, {WM_KILLFOCUS}).size(), 1u);
    (void)other;
}

// A child that goes, or only hides, gives the focus it has to its parent:
// the focus leaves it once it is hidden, before it is destroyed.
TEST_F(Focus, HidingOrDestroyingTheFocusChildGivesTheFocusToItsParent) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND c = child(top, 1, 0, 0, 10, 10);
    child(c, 2, 0, 0, 5, 5);  // goes with c: the second WM_DESTROY below
    SetFocus(c);
    ShowWindow(c, SW_HIDE);
    EXPECT_EQ(GetFocus(), top);
    ShowWindow(c, SW_SHOW);
    SetFocus(c);
    clearLog();
    DestroyWindow(c);
    EXPECT_EQ(GetFocus(), top);
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(
        messages(nullptr, {WM_SHOWWINDOW, WM_KILLFOCUS, WM_SETFOCUS, WM_DESTROY}),
        (std::vector<UINT>{WM_SHOWWINDOW, WM_KILLFOCUS, WM_SETFOCUS, WM_DESTROY, WM_DESTROY}));
    EXPECT_EQ(messages(top, {WM_SETFOCUS}), std::vector<UINT>{WM_SETFOCUS});
    // A focus that stays where it is, outside the hidden child, stays.
    HWND other = child(top, 3, 0, 0, 10, 10);
    HWND hidden = child(top, 4, 20, 0, 10, 10);
    SetFocus(other);
    ShowWindow(hidden, SW_HIDE);
    EXPECT_EQ(GetFocus(), other);
}

}  // namespace
