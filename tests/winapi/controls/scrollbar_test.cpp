// Scroll bar controls: range, page, position and limit through the scroll
// functions and the SBM_ messages, and the WM_HSCROLL/WM_VSCROLL codes that
// clicks, thumb drags and keys send to the parent.
#include "controls/controls_fixture.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace controls_tests {
namespace {

class ScrollBarTest : public ControlsTest {
protected:
    // A vertical bar 20 x 200; arrows are SM_CYVSCROLL high.
    HWND vertical(int min, int max, UINT page = 0) {
        HWND bar = create("ScrollBar", "", SBS_VERT, 10, 10, 20, 200, 50);
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = min;
        si.nMax = max;
        si.nPage = page;
        si.nPos = min;
        SetScrollInfo(bar, SB_CTL, &si, TRUE);
        return bar;
    }
    static SCROLLINFO info(HWND bar) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(bar, SB_CTL, &si));
        return si;
    }
    int arrow() const { return GetSystemMetrics(SM_CYVSCROLL); }
    // The window rectangle of `bar` in the parent's client coordinates.
    RECT placed(HWND bar) const {
        RECT rc;
        GetWindowRect(bar, &rc);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    // Presses on the thumb at the top of `bar` and drags it down past the
    // bar's end in steps of 10 pixels; returns the WM_VSCROLL codes and
    // positions the parent got, in the order sent, and runs `tracked` for
    // each SB_THUMBTRACK. The control follows a held button in a loop of its
    // own until the button comes up, so each further step is taken from the
    // parent's handler of the last report (the records are taken there too,
    // before the next step's reports nest inside it), as a person moves on
    // when the thumb has followed.
    std::vector<std::pair<int, int>> dragThumbDown(HWND bar, const std::function<void()>& tracked) {
        std::vector<std::pair<int, int>> sent;
        int y = arrow() + 2;
        respond = [&, bar](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
            if (message != WM_VSCROLL) {
                return false;
            }
            int pos = static_cast<SHORT>(HIWORD(wParam));
            sent.emplace_back(LOWORD(wParam), pos);
            if (LOWORD(wParam) != SB_THUMBTRACK) {
                return false;
            }
            tracked();
            if (pos >= 91 || y >= 200) {
                person::releaseButton(person::Button::Left);
            } else {
                y += 10;
                person::moveTo(at(bar, 10, y));
            }
            return false;
        };
        person::moveTo(at(bar, 10, y));
        person::pressButton(person::Button::Left);
        y += 10;
        person::moveTo(at(bar, 10, y));
        respond = nullptr;
        return sent;
    }
};

TEST_F(ScrollBarTest, ControlStartsWithAnEmptyRange) {
    HWND bar = create("ScrollBar", "", SBS_HORZ, 0, 0, 200, 17, 50);
    int min = -1;
    int max = -1;
    EXPECT_TRUE(GetScrollRange(bar, SB_CTL, &min, &max));
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 0);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
}

TEST_F(ScrollBarTest, PositionIsClampedToTheLimitWhichAPageLowers) {
    HWND bar = vertical(0, 100, 0);
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 500, TRUE), 0);  // returns the previous position
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 100);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_PAGE;
    si.nPage = 10;
    // With a page of 10 the limit is 100 - 10 + 1 = 91.
    EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &si, TRUE), 91);
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, -5, TRUE), 91);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
    SCROLLINFO got = info(bar);
    EXPECT_EQ(got.nMin, 0);
    EXPECT_EQ(got.nMax, 100);
    EXPECT_EQ(got.nPage, 10u);
    EXPECT_EQ(got.nTrackPos, 0);
}

TEST_F(ScrollBarTest, ARedrawRequestInvalidatesTheBarAndNothingElseDoes) {
    HEADLESS_ONLY("reads the headless scroll bar's update region; the platform may draw at once");
    HWND bar = vertical(0, 100, 10);
    RECT client;
    GetClientRect(bar, &client);
    RECT update;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    // Each way of changing the bar, without and with redraw.
    const std::function<void(BOOL)> changes[] = {
        [&](BOOL redraw) {
            si.nPos += 5;
            SetScrollInfo(bar, SB_CTL, &si, redraw);
        },
        [&](BOOL redraw) { SetScrollPos(bar, SB_CTL, GetScrollPos(bar, SB_CTL) + 5, redraw); },
        [&](BOOL redraw) { SetScrollRange(bar, SB_CTL, 0, 120 + si.nPos++, redraw); },
    };
    for (const auto& change : changes) {
        ValidateRect(bar, nullptr);
        change(FALSE);
        EXPECT_FALSE(GetUpdateRect(bar, &update, FALSE));
        change(TRUE);
        ASSERT_TRUE(GetUpdateRect(bar, &update, FALSE));
        EXPECT_TRUE(EqualRect(&update, &client));
    }
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 20);
}

TEST_F(ScrollBarTest, PageIsClampedToTheRange) {
    HWND bar = vertical(0, 9, 50);
    EXPECT_EQ(info(bar).nPage, 10u);
    SetScrollPos(bar, SB_CTL, 5, TRUE);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
}

TEST_F(ScrollBarTest, RangeChangesKeepThePositionInside) {
    HWND bar = vertical(0, 100);
    SetScrollPos(bar, SB_CTL, 80, TRUE);
    EXPECT_TRUE(SetScrollRange(bar, SB_CTL, 0, 50, TRUE));
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 50);
    SetScrollRange(bar, SB_CTL, 60, 70, FALSE);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 60);
    int min = 0;
    int max = 0;
    SendMessageA(bar, SBM_GETRANGE, reinterpret_cast<WPARAM>(&min), reinterpret_cast<LPARAM>(&max));
    EXPECT_EQ(min, 60);
    EXPECT_EQ(max, 70);
    EXPECT_EQ(SendMessageA(bar, SBM_SETPOS, 65, FALSE), 60);
    EXPECT_EQ(SendMessageA(bar, SBM_GETPOS, 0, 0), 65);
}

TEST_F(ScrollBarTest, ClicksOnArrowsAndTrackSendLineAndPageCodes) {
    HWND bar = vertical(0, 100, 10);
    person::click(at(bar, 10, arrow() / 2));
    person::click(at(bar, 10, 200 - arrow() / 2));
    person::click(at(bar, 10, 150));  // below the thumb, which is at the top
    EXPECT_EQ(scrollCodes(), (std::vector<int>{SB_LINEUP, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL,
                                               SB_PAGEDOWN, SB_ENDSCROLL}));
    for (const ScrollMessage& m : scrolls) {
        EXPECT_EQ(m.message, static_cast<UINT>(WM_VSCROLL));
        EXPECT_EQ(m.from, bar);
    }
    // The control does not move by itself; the parent sets the position.
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
    SetScrollPos(bar, SB_CTL, 91, TRUE);
    clearRecords();
    person::click(at(bar, 10, arrow() + 5));  // above the thumb, now at the bottom
    EXPECT_EQ(scrollCodes(), (std::vector<int>{SB_PAGEUP, SB_ENDSCROLL}));
}

TEST_F(ScrollBarTest, HorizontalBarSendsHScroll) {
    HWND bar = create("ScrollBar", "", SBS_HORZ, 10, 10, 200, 17, 51);
    SetScrollRange(bar, SB_CTL, 0, 50, TRUE);
    person::click(at(bar, 200 - 5, 8));
    ASSERT_FALSE(scrolls.empty());
    EXPECT_EQ(scrolls[0].message, static_cast<UINT>(WM_HSCROLL));
    EXPECT_EQ(scrolls[0].code, SB_LINERIGHT);
}

TEST_F(ScrollBarTest, HoldingAnArrowRepeatsUntilTheRelease) {
    HWND bar = vertical(0, 100, 10);
    // Recorded here, before the release nests its report inside the handler.
    std::vector<int> sent;
    respond = [&](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message == WM_VSCROLL) {
            sent.push_back(LOWORD(wParam));
            if (std::count(sent.begin(), sent.end(), SB_LINEDOWN) == 4) {
                person::releaseButton(person::Button::Left);
            }
        }
        return false;
    };
    person::moveTo(at(bar, 10, 200 - arrow() / 2));
    person::pressButton(person::Button::Left);
    // The repeats come on the control's timer while the person holds on.
    person::wait(1000);
    EXPECT_EQ(sent,
              (std::vector<int>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksAndEndsWithThumbPosition) {
    HWND bar = vertical(0, 100, 10);
    std::vector<int> trackPositions;
    std::vector<std::pair<int, int>> sent = dragThumbDown(bar, [&] {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        EXPECT_TRUE(GetScrollInfo(bar, SB_CTL, &si));
        trackPositions.push_back(si.nTrackPos);
    });
    ASSERT_GE(sent.size(), 4u);
    const size_t tracks = sent.size() - 2;
    for (size_t i = 0; i < tracks; ++i) {
        EXPECT_EQ(sent[i].first, SB_THUMBTRACK) << i;
    }
    EXPECT_EQ(sent[tracks].first, SB_THUMBPOSITION);
    EXPECT_EQ(sent.back().first, SB_ENDSCROLL);
    // Dragged past the end: the last position is the limit.
    EXPECT_EQ(sent[tracks].second, 91);
    // Track positions grow as the thumb moves down, and the parent reads each
    // one from the control while the drag goes on.
    ASSERT_EQ(trackPositions.size(), tracks);
    for (size_t i = 0; i < tracks; ++i) {
        EXPECT_EQ(trackPositions[i], sent[i].second) << i;
        if (i > 0) {
            EXPECT_GE(sent[i].second, sent[i - 1].second) << i;
        }
    }
    EXPECT_GT(sent[tracks].second, sent[0].second);
    // The position itself stays until the parent sets it.
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
}

TEST_F(ScrollBarTest, KeysSendTheirCodes) {
    HWND bar = vertical(0, 100, 10);
    EXPECT_EQ(SendMessageA(bar, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    SetFocus(bar);
    person::pressKey(VK_DOWN);
    person::pressKey(VK_NEXT);
    person::pressKey(VK_HOME);
    person::pressKey(VK_END);
    // Whether a key's release also sends SB_ENDSCROLL is the platform's
    // choice (the headless control sends it); the codes of the keys are not.
    std::vector<int> got = scrollCodes();
    got.erase(std::remove(got.begin(), got.end(), SB_ENDSCROLL), got.end());
    EXPECT_EQ(got, (std::vector<int>{SB_LINEDOWN, SB_PAGEDOWN, SB_TOP, SB_BOTTOM}));
}

TEST_F(ScrollBarTest, DisablingOneArrowLeavesTheOtherScrolling) {
    HWND bar = vertical(0, 100);
    EXPECT_TRUE(EnableScrollBar(bar, SB_CTL, ESB_DISABLE_DOWN));
    person::click(at(bar, 10, arrow() / 2));
    EXPECT_EQ(scrollCodes(), (std::vector<int>{SB_LINEUP, SB_ENDSCROLL}));
}

TEST_F(ScrollBarTest, DisablingADisabledArrowAgainReportsNoChange) {
    HWND bar = vertical(0, 100);
    EnableScrollBar(bar, SB_CTL, ESB_DISABLE_DOWN);
    EXPECT_FALSE(EnableScrollBar(bar, SB_CTL, ESB_DISABLE_DOWN));  // already so
}

TEST_F(ScrollBarTest, DisabledArrowsIgnoreClicks) {
    HWND bar = vertical(0, 100);
    EnableScrollBar(bar, SB_CTL, ESB_DISABLE_DOWN);
    person::click(at(bar, 10, 200 - arrow() / 2));
    EXPECT_TRUE(scrolls.empty());
}

TEST_F(ScrollBarTest, AlignedBarsKeepTheirEdgeAndWidth) {
    RECT rc = placed(create("ScrollBar", "", SBS_HORZ | SBS_TOPALIGN, 0, 150, 300, 60, 52));
    EXPECT_EQ(rc.top, 150);
    EXPECT_EQ(rc.right - rc.left, 300);
    rc = placed(create("ScrollBar", "", SBS_HORZ | SBS_BOTTOMALIGN, 0, 150, 300, 60, 53));
    EXPECT_EQ(rc.bottom, 210);
}

TEST_F(ScrollBarTest, TopAlignedBarTakesTheSystemHeight) {
    RECT rc = placed(create("ScrollBar", "", SBS_HORZ | SBS_TOPALIGN, 0, 150, 300, 60, 52));
    EXPECT_EQ(rc.bottom - rc.top, GetSystemMetrics(SM_CYHSCROLL));
}

}  // namespace
}  // namespace controls_tests
