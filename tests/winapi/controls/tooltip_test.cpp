// Tooltips: tools, activation, the tip shown after the mouse rests over a
// tool, its text (fixed, updated, asked for with TTN_GETDISPINFO) and when
// it goes away.
#include "controls/controls_fixture.h"

#include <cstring>

namespace controls_tests {
namespace {

class TooltipTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        button = create("Button", "New", BS_PUSHBUTTON, 10, 10, 60, 24, 1027);
        field = create("Edit", "100", ES_AUTOHSCROLL, 10, 60, 80, 22, 1039);
        other = create("Button", "Other", BS_PUSHBUTTON, 200, 200, 60, 24, 1);
        tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                              0, 0, 0, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(tip, nullptr);
        person::moveTo(POINT{0, 0});
    }

    BOOL addTool(HWND window, const char* tipText, UINT flags = TTF_IDISHWND | TTF_SUBCLASS) {
        TOOLINFOA ti;
        std::memset(&ti, 0, sizeof ti);
        ti.cbSize = sizeof ti;
        ti.uFlags = flags;
        ti.hwnd = parent;
        ti.uId = reinterpret_cast<UINT_PTR>(window);
        ti.lpszText = const_cast<char*>(tipText);
        return static_cast<BOOL>(SendMessageA(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
    }
    bool shown() const { return IsWindowVisible(tip) != FALSE; }
    // The width of `s` in the font `window` draws with.
    static int textWidth(HWND window, const char* s) {
        HDC dc = GetDC(window);
        auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
        HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
        SIZE size{};
        GetTextExtentPoint32A(dc, s, static_cast<int>(std::strlen(s)), &size);
        if (old != nullptr) {
            SelectObject(dc, old);
        }
        ReleaseDC(window, dc);
        return size.cx;
    }
    // Rests the mouse over a window for `ms` milliseconds.
    void hover(HWND window, DWORD ms = 600) {
        person::moveTo(person::centerOf(window));
        person::wait(ms);
    }

    HWND button = nullptr;
    HWND field = nullptr;
    HWND other = nullptr;
    HWND tip = nullptr;
};

TEST_F(TooltipTest, AddedToolsAreCounted) {
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    EXPECT_TRUE(addTool(button, "New level"));
    EXPECT_TRUE(addTool(field, "Start number"));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_FALSE(SendMessageA(tip, TTM_ADDTOOL, 0, 0));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_FALSE(shown());
}

TEST_F(TooltipTest, TipShowsAfterTheMouseRestsForTheInitialDelay) {
    addTool(button, "New level");
    SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
    person::moveTo(person::centerOf(button));
    person::wait(300);
    EXPECT_FALSE(shown());
    person::wait(300);
    EXPECT_TRUE(shown());
    EXPECT_EQ(text(tip), "New level");
    // Below the cursor, topmost, wide enough for the text in the tip's font.
    RECT rc;
    GetWindowRect(tip, &rc);
    POINT cursor = person::cursorPosition();
    EXPECT_GT(rc.top, cursor.y);
    EXPECT_GE(rc.right - rc.left, textWidth(tip, "New level"));
    EXPECT_NE(GetWindowLongPtrA(tip, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    TOOLINFOA ti;
    std::memset(&ti, 0, sizeof ti);
    ti.cbSize = sizeof ti;
    EXPECT_TRUE(SendMessageA(tip, TTM_GETCURRENTTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(ti.uId, reinterpret_cast<UINT_PTR>(button));
}

TEST_F(TooltipTest, EachToolShowsItsOwnText) {
    addTool(button, "New level");
    addTool(field, "Start number");
    hover(field);
    EXPECT_TRUE(shown());
    EXPECT_EQ(text(tip), "Start number");
    hover(button);
    EXPECT_TRUE(shown());
    EXPECT_EQ(text(tip), "New level");
}

TEST_F(TooltipTest, LeavingTheToolHidesTheTip) {
    addTool(button, "New level");
    hover(button);
    ASSERT_TRUE(shown());
    person::moveTo(person::centerOf(other));
    person::wait(200);
    EXPECT_FALSE(shown());
    // Passing over the tool too briefly shows nothing.
    person::moveTo(person::centerOf(button));
    person::wait(100);
    person::moveTo(person::centerOf(other));
    person::wait(1000);
    EXPECT_FALSE(shown());
}

TEST_F(TooltipTest, InactiveTooltipShowsNothingUntilActivated) {
    addTool(button, "New level");
    SendMessageA(tip, TTM_ACTIVATE, FALSE, 0);
    hover(button);
    EXPECT_FALSE(shown());
    SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
    person::moveTo(at(button, 5, 5));
    person::wait(600);
    EXPECT_TRUE(shown());
    SendMessageA(tip, TTM_ACTIVATE, FALSE, 0);
    EXPECT_FALSE(shown());
}

TEST_F(TooltipTest, AClickHidesTheTip) {
    addTool(button, "New level");
    hover(button);
    ASSERT_TRUE(shown());
    person::click(person::centerOf(button));
    EXPECT_FALSE(shown());
    // (Whether resting on the tool again shows it before the mouse has left
    // the tool is the platform's choice.)
    hover(other);
    hover(button);
    EXPECT_TRUE(shown());
}

TEST_F(TooltipTest, TipPopsAfterTheAutopopDelay) {
    addTool(button, "New level");
    hover(button);
    ASSERT_TRUE(shown());
    person::wait(4000);
    EXPECT_TRUE(shown());
    person::wait(1500);
    EXPECT_FALSE(shown());
    EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);
}

TEST_F(TooltipTest, DelayTimesCanBeChanged) {
    addTool(button, "New level");
    SendMessageA(tip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(100, 0));
    EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 100);
    hover(button, 150);
    EXPECT_TRUE(shown());
    // The automatic setting derives the others from the initial delay.
    SendMessageA(tip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(200, 0));
    EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 200);
    EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2000);
    EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 40);
}

TEST_F(TooltipTest, UpdateTipTextChangesTheShownText) {
    addTool(button, "Old");
    hover(button);
    ASSERT_EQ(text(tip), "Old");
    TOOLINFOA ti;
    std::memset(&ti, 0, sizeof ti);
    ti.cbSize = sizeof ti;
    ti.hwnd = parent;
    ti.uId = reinterpret_cast<UINT_PTR>(button);
    ti.lpszText = const_cast<char*>("Updated");
    SendMessageA(tip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(text(tip), "Updated");
    char buffer[80] = {};
    ti.lpszText = buffer;
    EXPECT_TRUE(SendMessageA(tip, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_STREQ(buffer, "Updated");
    EXPECT_EQ(ti.uFlags, static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS));
}

TEST_F(TooltipTest, CallbackTextIsAskedForEachTimeTheTipShows) {
    int asked = 0;
    respond = [&](UINT message, WPARAM, LPARAM lParam, LRESULT&) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (message == WM_NOTIFY && hdr->code == TTN_GETDISPINFOA) {
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            EXPECT_EQ(hdr->hwndFrom, tip);
            EXPECT_EQ(hdr->idFrom, reinterpret_cast<UINT_PTR>(button));
            ++asked;
            std::strcpy(info->szText, asked == 1 ? "First" : "Second");
            info->lpszText = info->szText;
            return true;
        }
        return false;
    };
    addTool(button, LPSTR_TEXTCALLBACKA);
    hover(button);
    EXPECT_EQ(text(tip), "First");
    hover(other);
    hover(button);
    EXPECT_EQ(text(tip), "Second");
    EXPECT_EQ(asked, 2);
}

TEST_F(TooltipTest, ShowAndPopAreNotified) {
    addTool(button, "New level");
    hover(button);
    person::moveTo(person::centerOf(other));
    person::wait(200);
    // Showing and popping; other notifications (NM_CUSTOMDRAW) may come between.
    std::vector<UINT> got;
    for (const Notify& n : notifies) {
        if (n.code == TTN_SHOW || n.code == TTN_POP) {
            got.push_back(n.code);
        }
    }
    EXPECT_EQ(got, (std::vector<UINT>{TTN_SHOW, TTN_POP}));
}

TEST_F(TooltipTest, EmptyTextShowsNoTip) {
    addTool(button, "");
    hover(button);
    EXPECT_FALSE(shown());
}

TEST_F(TooltipTest, DeletedToolShowsNothingAndLeavesTheWindowWorking) {
    addTool(button, "New level");
    TOOLINFOA ti;
    std::memset(&ti, 0, sizeof ti);
    ti.cbSize = sizeof ti;
    ti.hwnd = parent;
    ti.uId = reinterpret_cast<UINT_PTR>(button);
    SendMessageA(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    hover(button);
    EXPECT_FALSE(shown());
    person::click(person::centerOf(button));
    EXPECT_EQ(count(1027, BN_CLICKED), 1);
}

TEST_F(TooltipTest, SubclassedToolKeepsWorkingAndOutlivesTheTooltip) {
    addTool(field, "Start number");
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 3, 3);
    person::type("7");
    EXPECT_EQ(text(field), "1007");
    DestroyWindow(tip);
    tip = nullptr;
    person::moveTo(person::centerOf(field));
    person::wait(1000);
    person::type("8");
    EXPECT_EQ(text(field), "10078");
}

TEST_F(TooltipTest, RectangleToolsAndRelayedMessages) {
    TOOLINFOA ti;
    std::memset(&ti, 0, sizeof ti);
    ti.cbSize = sizeof ti;
    ti.hwnd = parent;
    ti.uId = 5;
    ti.rect = RECT{300, 10, 380, 50};
    ti.lpszText = const_cast<char*>("Corner");
    SendMessageA(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    TTHITTESTINFOA hit;
    std::memset(&hit, 0, sizeof hit);
    hit.hwnd = parent;
    hit.pt = POINT{310, 20};
    hit.ti.cbSize = sizeof hit.ti;
    EXPECT_TRUE(SendMessageA(tip, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    EXPECT_EQ(hit.ti.uId, 5u);
    hit.pt = POINT{10, 200};
    EXPECT_FALSE(SendMessageA(tip, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    // Without TTF_SUBCLASS the owner relays its mouse messages.
    person::moveTo(at(parent, 320, 30));
    MSG msg{};
    msg.hwnd = parent;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(320, 30);
    SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    person::wait(600);
    EXPECT_TRUE(shown());
    EXPECT_EQ(text(tip), "Corner");
    SendMessageA(tip, TTM_POP, 0, 0);
    EXPECT_FALSE(shown());
}

TEST_F(TooltipTest, AmpersandsAreRemovedUnlessNoPrefix) {
    HEADLESS_ONLY(
        "reads the text drawn as the headless tip's window text; the platform's tip window keeps "
        "the tool's text and strips the ampersands only as it draws");
    addTool(button, "Save && &close");
    hover(button);
    EXPECT_EQ(text(tip), "Save & close");
}

TEST_F(TooltipTest, MaxTipWidthReturnsThePreviousWidth) {
    EXPECT_EQ(SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, 100), -1);
    EXPECT_EQ(SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, 300), 100);
    EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 300);
    addTool(button, "one two three four five six seven eight nine ten");
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, 70);
    hover(button);
    RECT rc;
    GetWindowRect(tip, &rc);
    EXPECT_LE(rc.right - rc.left, 70 + 8);
    EXPECT_GT(rc.bottom - rc.top, 2 * 16);
}

}  // namespace
}  // namespace controls_tests
