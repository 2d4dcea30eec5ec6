// The person's mouse and keyboard (the automation layer's hands).
#include "user_support.h"

#include <algorithm>
#include <string>

#if VEDRIX_HEADLESS
#include <vedrix/headless/desktop.h>
#endif

namespace {

using namespace vedrix::automation;

class Input : public UserTest {
protected:
    // Mouse and key messages of one window, without the cursor and hit tests.
    std::vector<LoggedMessage> inputOf(HWND hwnd) {
        return inputOf(hwnd, [](UINT msg) {
            bool mouse = msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST;
            bool key = msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
            bool nc = msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK;
            return mouse || key || nc || msg == WM_CONTEXTMENU;
        });
    }
    // Key messages of one window.
    std::vector<LoggedMessage> keysOf(HWND hwnd) {
        return inputOf(hwnd, [](UINT msg) { return msg >= WM_KEYFIRST && msg <= WM_KEYLAST; });
    }

private:
    template <typename Wanted>
    std::vector<LoggedMessage> inputOf(HWND hwnd, Wanted wanted) {
        std::vector<LoggedMessage> out;
        for (const auto& m : log()) {
            if (m.hwnd == hwnd && wanted(m.msg)) {
                out.push_back(m);
            }
        }
        return out;
    }
};

// The messages' numbers, for failure messages.
std::string describe(const std::vector<LoggedMessage>& in) {
    std::string text;
    for (const auto& m : in) {
        text += std::to_string(m.msg) + "(" + std::to_string(m.wParam) + ") ";
    }
    return text;
}

TEST_F(Input, AClickGivesSetCursorThenButtonMessagesInClientCoordinates) {
    HWND top = topLevel(100, 100, 300, 300);
    HWND c = child(top, 1, 10, 20, 100, 100);
    clearLog();
    click(POINT{125, 140});
    std::vector<UINT> seq = messages(c, {WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP});
    EXPECT_EQ(seq, (std::vector<UINT>{WM_SETCURSOR, WM_MOUSEMOVE, WM_SETCURSOR, WM_LBUTTONDOWN,
                                      WM_SETCURSOR, WM_LBUTTONUP}));
    auto in = inputOf(c);
    ASSERT_EQ(in.size(), 3u);
    EXPECT_EQ(in[1].lParam, MAKELPARAM(15, 20));
    EXPECT_EQ(in[1].wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(in[2].wParam, 0u);  // the button is up again
    // WM_SETCURSOR: the window under the cursor, the hit test and the mouse message.
    for (const auto& m : log()) {
        if (m.hwnd == c && m.msg == WM_SETCURSOR) {
            EXPECT_EQ(reinterpret_cast<HWND>(m.wParam), c);
            EXPECT_EQ(LOWORD(m.lParam), HTCLIENT);
        }
    }
    // The child's own class cursor was set.
    EXPECT_EQ(cursorName(), "IDC_ARROW");
}

TEST_F(Input, ButtonPressesNotifyTheAncestors) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND c = child(top, 9, 10, 20, 100, 100);
    clearLog();
    click(POINT{15, 25});
    ASSERT_EQ(messages(top, {WM_PARENTNOTIFY}).size(), 1u);
    for (const auto& m : log()) {
        if (m.msg == WM_PARENTNOTIFY) {
            EXPECT_EQ(LOWORD(m.wParam), WM_LBUTTONDOWN);
            EXPECT_EQ(m.lParam, MAKELPARAM(15, 25));  // in the parent's coordinates
        }
    }
    (void)c;
}

TEST_F(Input, CaptureTakesTheMouseWherever) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND a = child(top, 1, 0, 0, 50, 50);
    HWND b = child(top, 2, 100, 100, 50, 50);
    moveTo(POINT{10, 10});
    pressButton(Button::Left);
    SetCapture(a);
    clearLog();
    moveTo(POINT{120, 130});
    releaseButton(Button::Left);
    EXPECT_TRUE(inputOf(b).empty()) << describe(inputOf(b));
    // (The press may reach the window only now: on the platform it waits in
    // the queue while the button is held.)
    auto in = inputOf(a);
    auto move = std::find_if(in.begin(), in.end(), [](const LoggedMessage& m) {
        return m.msg == WM_MOUSEMOVE && m.lParam == MAKELPARAM(120, 130);
    });
    ASSERT_NE(move, in.end()) << describe(in);
    EXPECT_EQ(move->wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(in.back().msg, static_cast<UINT>(WM_LBUTTONUP)) << describe(in);
    EXPECT_TRUE(messages(a, {WM_SETCURSOR}).empty());  // no cursor questions under capture
}

TEST_F(Input, SecondClickInTimeAndPlaceIsADoubleClickForClassesThatWantIt) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND wants = child(top, 1, 0, 0, 50, 50);
    HWND plain = child(top, 2, 100, 0, 50, 50, WS_CHILD | WS_VISIBLE, kPlainClass);
    clearLog();
    doubleClick(POINT{10, 10});
    EXPECT_EQ(messages(wants, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
    doubleClick(POINT{110, 10});
    EXPECT_EQ(messages(plain, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));

    // Two single clicks are two clicks; a press far away or late is a new click.
    clearLog();
    click(POINT{10, 10});
    click(POINT{10, 10});
    EXPECT_TRUE(messages(wants, {WM_LBUTTONDBLCLK}).empty());
    pressButton(Button::Left);
    releaseButton(Button::Left);
    moveTo(POINT{20, 10});
    pressButton(Button::Left);
    releaseButton(Button::Left);
    EXPECT_TRUE(messages(wants, {WM_LBUTTONDBLCLK}).empty());
    wait(GetDoubleClickTime() + 1);
    pressButton(Button::Left);
    releaseButton(Button::Left);
    wait(GetDoubleClickTime() + 1);
    pressButton(Button::Left);
    releaseButton(Button::Left);
    EXPECT_TRUE(messages(wants, {WM_LBUTTONDBLCLK}).empty());
}

TEST_F(Input, RightButtonUpBringsAContextMenuUpToTheParent) {
    HWND top = topLevel(100, 100, 300, 300);
    HWND c = child(top, 1, 10, 10, 50, 50);
    clearLog();
    click(POINT{120, 130}, Button::Right);
    auto seq = messages(c, {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU});
    EXPECT_EQ(seq, (std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}));
    ASSERT_EQ(messages(top, {WM_CONTEXTMENU}).size(), 1u);
    for (const auto& m : log()) {
        if (m.hwnd == top && m.msg == WM_CONTEXTMENU) {
            EXPECT_EQ(reinterpret_cast<HWND>(m.wParam), c);
            EXPECT_EQ(m.lParam, MAKELPARAM(120, 130));  // screen coordinates
        }
    }
}

TEST_F(Input, ADisabledChildPassesTheMouseToItsParent) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND off = child(top, 1, 10, 10, 50, 50, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    clearLog();
    click(POINT{20, 20});
    EXPECT_TRUE(inputOf(off).empty());
    auto in = inputOf(top);
    ASSERT_EQ(in.size(), 3u);
    EXPECT_EQ(in[0].msg, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(in[1].msg, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(in[1].lParam, MAKELPARAM(20, 20));
}

TEST_F(Input, ADisabledTopLevelWindowRefusesTheMouseWithABeep) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND c = child(top, 1, 10, 10, 50, 50);
    EnableWindow(top, FALSE);
#if VEDRIX_HEADLESS
#if VEDRIX_HEADLESS  // only the headless desktop records beeps
    vedrix::headless::resetRecords();
#endif
#endif
    clearLog();
    click(POINT{20, 20});
    EXPECT_TRUE(inputOf(top).empty()) << describe(inputOf(top));
    EXPECT_TRUE(inputOf(c).empty()) << describe(inputOf(c));
    // The window is asked for the cursor, with HTERROR, for the press among others.
    bool askedForThePress = false;
    for (const auto& m : log()) {
        if (m.msg == WM_SETCURSOR) {
            EXPECT_EQ(m.hwnd, top);
            EXPECT_EQ(static_cast<SHORT>(LOWORD(m.lParam)), HTERROR);
            askedForThePress = askedForThePress || HIWORD(m.lParam) == WM_LBUTTONDOWN;
        }
    }
    EXPECT_TRUE(askedForThePress);
#if VEDRIX_HEADLESS  // only the headless desktop records beeps
    EXPECT_EQ(vedrix::headless::beeps(), std::vector<UINT>{0});  // for the press only
#endif
}

TEST_F(Input, ClickingAnInactiveWindowActivatesIt) {
    HWND back = topLevel(0, 0, 100, 100);
    HWND front = topLevel(500, 500, 100, 100);
    ASSERT_EQ(GetActiveWindow(), front);
    clearLog();
    click(POINT{50, 50});
    EXPECT_EQ(GetActiveWindow(), back);
    EXPECT_EQ(messages(back, {WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN}),
              (std::vector<UINT>{WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN}));
    for (const auto& m : log()) {
        if (m.hwnd == back && m.msg == WM_ACTIVATE) {
            EXPECT_EQ(LOWORD(m.wParam), WA_CLICKACTIVE);
        }
    }
}

TEST_F(Input, NonClientHitTestsGiveNonClientMessages) {
    HWND top = topLevel(0, 0, 300, 300);
    setHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == top && msg == WM_NCHITTEST) {
            return HTCAPTION;
        }
        return std::nullopt;
    });
    clearLog();
    click(POINT{30, 40});
    // (The release may never come as a message: a press on the caption
    // starts the platform's own loop that moves the window.)
    auto in = inputOf(top);
    ASSERT_GE(in.size(), 2u) << describe(in);
    EXPECT_EQ(in[0].msg, static_cast<UINT>(WM_NCMOUSEMOVE));
    EXPECT_EQ(in[1].msg, static_cast<UINT>(WM_NCLBUTTONDOWN));
    EXPECT_EQ(in[1].wParam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(in[1].lParam, MAKELPARAM(30, 40));
}

TEST_F(Input, KeysGoToTheFocusWindowAndTheKeyStateFollows) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND c = child(top, 1, 0, 0, 50, 50);
    SetFocus(c);
    clearLog();
    keyDown(VK_SHIFT);
    EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);
    EXPECT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
    pressKey('B');
    keyUp(VK_SHIFT);
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
    // A held key may come again (the keyboard repeats it): one press each.
    auto in = keysOf(c);
    in.erase(std::unique(in.begin(), in.end(),
                         [](const LoggedMessage& a, const LoggedMessage& b) {
                             return a.msg == WM_KEYDOWN && b.msg == WM_KEYDOWN &&
                                    a.wParam == b.wParam;
                         }),
             in.end());
    std::vector<UINT> seq;
    for (const auto& m : in) {
        seq.push_back(m.msg);
    }
    ASSERT_EQ(seq, (std::vector<UINT>{WM_KEYDOWN, WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYUP}))
        << describe(in);
    EXPECT_EQ(in[2].wParam, static_cast<WPARAM>('B'));
    // lParam: repeat count 1, scan code, previous state and transition for the release.
    EXPECT_EQ(in[1].lParam & 0xFFFF, 1);
    EXPECT_EQ((in[1].lParam >> 16) & 0xFF, 0x30);
    EXPECT_EQ(static_cast<DWORD>(in[3].lParam) >> 30, 3u);
    EXPECT_TRUE(inputOf(top).empty());
}

TEST_F(Input, CapsLockTogglesAndAltMakesSystemKeys) {
    HWND top = topLevel(0, 0, 300, 300);
    SetFocus(top);
    pressKey(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    clearLog();
    type("q");  // caps lock on: the person uses Shift for a small letter
    type("Q");
    std::string typed;
    for (const auto& m : inputOf(top)) {
        if (m.msg == WM_CHAR) {
            typed.push_back(static_cast<char>(m.wParam));
        }
    }
    EXPECT_EQ(typed, "qQ") << describe(keysOf(top));
    pressKey(VK_CAPITAL);
    clearLog();
    keyDown(VK_MENU);
    pressKey('X');
    keyUp(VK_MENU);
    // Alt and the key are system keys; Alt's release after another key is not.
    EXPECT_EQ(
        messages(top, {WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_KEYDOWN, WM_CHAR, WM_KEYUP}),
        (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_KEYUP}))
        << describe(keysOf(top));
}

TEST_F(Input, TypedTextArrivesAsCharactersIncludingThoseWithoutAKey) {
    HWND top = topLevel(0, 0, 300, 300);
    SetFocus(top);
    clearLog();
    type("Ab1!\xE4");
    std::string typed;
    for (const auto& m : inputOf(top)) {
        if (m.msg == WM_CHAR) {
            typed.push_back(static_cast<char>(m.wParam));
        }
    }
    EXPECT_EQ(typed, "Ab1!\xE4") << describe(keysOf(top));
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);  // Shift is let go again
}

TEST_F(Input, SetCursorAnswersComeFromTheClassCursor) {
    HWND top = topLevel(0, 0, 300, 300);
    child(top, 1, 0, 0, 50, 50, WS_CHILD | WS_VISIBLE, kPlainClass);
    moveTo(POINT{10, 10});
    EXPECT_EQ(cursorName(), "IDC_NO");
    moveTo(POINT{100, 100});
    EXPECT_EQ(cursorName(), "IDC_ARROW");
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCE(1)), nullptr);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 100);
}

TEST_F(Input, LeavingATrackedWindowPostsMouseLeave) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND c = child(top, 1, 0, 0, 50, 50);
    moveTo(POINT{10, 10});
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, c, 0};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    clearLog();
    moveTo(POINT{20, 20});
    EXPECT_TRUE(messages(c, {WM_MOUSELEAVE}).empty());
    moveTo(POINT{100, 100});
    // The platform may notice the leave a little later, on a timer of its own.
    for (DWORD waited = 0; messages(c, {WM_MOUSELEAVE}).empty() && waited < 2000; waited += 50) {
        wait(50);
    }
    EXPECT_EQ(messages(c, {WM_MOUSELEAVE}).size(), 1u) << describe(log());
    moveTo(POINT{200, 200});
    EXPECT_EQ(messages(c, {WM_MOUSELEAVE}).size(), 1u);  // once per request
}

TEST_F(Input, F1AsksForHelpUpTheParents) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND c = child(top, 4, 0, 0, 50, 50);
    SetWindowContextHelpId(c, 77);
    SetFocus(c);
    HELPINFO seen{};
    setHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (hwnd == top && msg == WM_HELP) {
            seen = *reinterpret_cast<HELPINFO*>(lp);
        }
        return std::nullopt;
    });
    clearLog();
    pressKey(VK_F1);
    EXPECT_EQ(messages(top, {WM_HELP}).size(), 1u);
    EXPECT_EQ(seen.iCtrlId, 4);
    EXPECT_EQ(seen.hItemHandle, c);
    EXPECT_EQ(seen.dwContextId, 77u);
}

}  // namespace
