// The facility-management browser's frame through tb_fman_browser: its
// texts, the layout on resize and the minimum size, the minimised icon, help,
// and a right double click that confirms.
#include <gmock/gmock.h>

#include <map>
#include <string>
#include <vector>

#include "dialog_frame_checks.h"
#include "fm_browser_project.h"
#include "support/headless_only.h"

using namespace vedrix::automation;
using namespace fmbrowser_tests;
#if VEDRIX_HEADLESS
using entry_tests::iconsDrawnMinimised;
#endif
using entry_tests::placeOf;
using ::testing::ElementsAre;

namespace {

class FrameTest : public FmBrowserTest {
protected:
    void SetUp() override {
        FmBrowserTest::SetUp();
        addDrawingFile(1, "Plan 1", idOf(1));
        addDrawingFile(2, "Plan 2", idOf(2));
        hre = "#DATA:\n\t1\t1\t0\t2\tNorth\n\t2\t2\t1\t2\tGround\n";
        lis = "#DATA:\n1\t2\t0\t\n";
        writeProject();
    }
};

TEST_F(FrameTest, ShowsItsTexts) {
    std::vector<std::string> texts;
    person.onDialog(127, [&](Dialog& d) {
        texts.push_back(d.caption());
        for (int id : {1028, 1035, 1036, 1037, 1039, IDOK, 1007}) {
            texts.push_back(d.control(id).text());
        }
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_THAT(texts, ElementsAre("Facility Management Structure", "Free drawing files:",
                                   "Drag drawing files from the list on the right onto a view.",
                                   "...", "...", "100", "OK", "Cancel"));
}

TEST_F(FrameTest, ResizingRearrangesTheControlsAboveAMinimumSize) {
    std::map<int, RECT> before, after;
    RECT client{};
    MINMAXINFO limits{};
    const int ids[] = {1025, 1026, 1027, 1028, 1035, 1036, 1037, IDOK, 1007};
    person.onDialog(127, [&](Dialog& d) {
        for (int id : ids) {
            before[id] = placeOf(d, id);
        }
        // 220 pixels wider and 200 higher.
        const RECT frame = d.rect();
        ::SetWindowPos(d.hwnd(), nullptr, 0, 0, frame.right - frame.left + 220,
                       frame.bottom - frame.top + 200, SWP_NOMOVE | SWP_NOZORDER);
        client = d.clientRect();
        for (int id : ids) {
            after[id] = placeOf(d, id);
        }
        ::SendMessageA(d.hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    const int left = ((client.right - 35) * 5) / 9;
    const int right = client.right - 35 - left;
    const auto width = [](const RECT& r) { return r.right - r.left; };
    const auto height = [](const RECT& r) { return r.bottom - r.top; };
    // The tree on the left, the free list on the right, both taller by the
    // growth; the new level button back at the left edge.
    EXPECT_EQ(after[1025].left, 15);
    EXPECT_EQ(width(after[1025]), left);
    EXPECT_EQ(height(after[1025]), height(before[1025]) + 200);
    EXPECT_EQ(after[1026].left, left + 20);
    EXPECT_EQ(width(after[1026]), right);
    EXPECT_EQ(after[1026].top, before[1026].top);
    EXPECT_EQ(height(after[1026]), height(before[1026]) + 200);
    EXPECT_EQ(after[1027].left, 15);
    EXPECT_EQ(after[1027].top, before[1027].top);
    EXPECT_EQ(after[1028].left, left + 20);
    EXPECT_EQ(width(after[1028]), right);
    // What stands below the tree moves down with the growth.
    EXPECT_EQ(after[1035].left, 15);
    EXPECT_EQ(after[1035].top, before[1035].top + 200);
    for (int id : {1036, 1037}) {
        EXPECT_EQ(after[id].left, before[id].left);
        EXPECT_EQ(width(after[id]), left - 9);
        EXPECT_EQ(after[id].top, before[id].top + 200);
    }
    for (int id : {IDOK, 1007}) {
        EXPECT_EQ(after[id].left, before[id].left + 220);
        EXPECT_EQ(after[id].top, before[id].top + 200);
        EXPECT_EQ(width(after[id]), width(before[id]));
    }
    EXPECT_EQ(limits.ptMinTrackSize.x, 500);
    EXPECT_EQ(limits.ptMinTrackSize.y, 450);
}

TEST_F(FrameTest, MinimisedItShowsItsIconInTheMiddle) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    std::vector<vedrix::headless::DrawingEntry> icons;
    RECT client{};
    person.onDialog(127, [&](Dialog& d) { icons = iconsDrawnMinimised(d, client); });
    EXPECT_EQ(browse(), IDCANCEL);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].rect.left, (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2);
    EXPECT_EQ(icons[0].rect.top, (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2);
#endif
}

TEST_F(FrameTest, HelpOpensContext4823OfTheHostsHelpFile) {
    HEADLESS_ONLY("help calls are recorded headless only (a real screen starts the help program)");
    person.onDialog(127, [&](Dialog& d) {
        d.tree(1025).item({"Site", "North"}).click();
        pressKey(VK_F1);
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    const auto calls = person.helpCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, "site.hlp");
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(calls[0].data, 4823u);
}

TEST_F(FrameTest, ARightDoubleClickConfirms) {
    person.onDialog(127, [&](Dialog& d) { doubleClick(d.at(5, 5), Button::Right); });
    EXPECT_EQ(browse(), IDOK);
    EXPECT_THAT(tableLines("fm_tbinfo.txt"),
                ElementsAre("1\t2\t" + uuidText(idOf(1)) + "\t0\t0\t0"));
}

}  // namespace
