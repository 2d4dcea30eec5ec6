// The list browser's frame through tb_list_browser: its texts, the layout
// on resize and the minimum size, the minimised icon, help, the ways it
// closes, checking and expanding kept in the files, and label editing with
// Enter and Escape.
#include <vedrix/vedrix.h>

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "dialog_frame_checks.h"
#include "launch_fixture.h"
#include "list_project.h"
#include "support/headless_only.h"

using namespace vedrix::automation;
using namespace entry_tests;
using namespace listbrowser_tests;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A house with a checked, expanded ground floor holding drawing file 1, and
// a collapsed attic; drawing file 2 is free.
class FrameTest : public CampusTest {
protected:
    void SetUp() override {
        CampusTest::SetUp();
        putLevelBitmaps(project);
        writeDrawingFile(project, 1, "Plan one");
        writeDrawingFile(project, 2, "Plan two");
        hre = levelDefinitions(project) +
              "\t1\t1\t0\t2\tHouse\n"
              "\t2\t2\t1\t3\tGround\n"
              "\t2\t3\t1\t0\tAttic\n"
              "#ATTRIBUTES:\n";
        lis = "#DATA:\n1\t2\t1\t\n";
        writeStructure();
    }

    // The structure lines of the hierarchy file as it is now, without their
    // UUID texts.
    std::vector<std::string> levelLines() const {
        std::vector<std::string> lines;
        const std::string text = readFile(project / "campus.hre");
        std::size_t start = text.find("#DATA:\n") + 7;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1) {
            const std::string line = text.substr(start, end - start);
            if (line.empty() || line[0] != '\t') {
                break;
            }
            std::size_t tab = 0;
            for (int field = 0; field < 5 && tab != std::string::npos; ++field) {
                tab = line.find('\t', tab + 1);
            }
            lines.push_back(line.substr(0, tab));
        }
        return lines;
    }
};

TEST_F(FrameTest, ShowsItsTextsAndIcon) {
    std::vector<std::string> texts, freeHeadings, paletteHeadings;
    bool hasIcon = false;
    person.onDialog(101, [&](Dialog& d) {
        texts.push_back(d.caption());
        for (int id : {1008, 1009, 1004, 1005, 1006, 1003, 1007}) {
            texts.push_back(d.control(id).text());
        }
        freeHeadings = d.list(1002).columnHeadings();
        paletteHeadings = d.list(1000).columnHeadings();
        hasIcon = ::SendMessageA(d.hwnd(), WM_GETICON, ICON_BIG, 0) != 0 &&
                  ::SendMessageA(d.hwnd(), WM_GETICON, ICON_SMALL, 0) != 0;
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_THAT(texts,
                ElementsAre("Building Structure", "Project: Campus", "Structure file: campus.lis",
                            "Structure:", "Level types:", "Free drawing files:", "OK", "Cancel"));
    EXPECT_THAT(freeHeadings, ElementsAre("Drawing file", "Name"));
    EXPECT_THAT(paletteHeadings, ElementsAre("Level type"));
    EXPECT_TRUE(hasIcon);
}

TEST_F(FrameTest, ResizingRearrangesTheControlsAboveAMinimumSize) {
    RECT tree{}, palette{}, label{}, freeList{}, confirm{}, cancel{};
    RECT treeBefore{}, confirmBefore{};
    MINMAXINFO limits{};
    person.onDialog(101, [&](Dialog& d) {
        treeBefore = placeOf(d, 1001);
        confirmBefore = placeOf(d, 1003);
        const RECT frame = d.rect();
        // 220 pixels wider and 200 higher.
        ::SetWindowPos(d.hwnd(), nullptr, 0, 0, frame.right - frame.left + 220,
                       frame.bottom - frame.top + 200, SWP_NOMOVE | SWP_NOZORDER);
        tree = placeOf(d, 1001);
        palette = placeOf(d, 1000);
        label = placeOf(d, 1006);
        freeList = placeOf(d, 1002);
        confirm = placeOf(d, 1003);
        cancel = placeOf(d, 1007);
        ::SendMessageA(d.hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_EQ(tree.left, 15);
    EXPECT_EQ(tree.top, treeBefore.top);
    EXPECT_EQ(tree.bottom - tree.top, treeBefore.bottom - treeBefore.top + 200);
    EXPECT_EQ(confirm.left, confirmBefore.left + 220);
    EXPECT_EQ(confirm.top, confirmBefore.top + 200);
    EXPECT_EQ(confirm.right - confirm.left, confirmBefore.right - confirmBefore.left);
    EXPECT_EQ(cancel.top, confirm.top);
    HEADLESS_ONLY("fixed metrics: template 101 is 680 x 500 pixels in the headless dialog font");
    // Template 101 is 680 x 500 pixels; now 900 x 700. Left width
    // (900 - 35) * 5 / 9 = 480, right width 385 from x = 500, a quarter of
    // the height's growth to the palette.
    EXPECT_EQ(tree.right - tree.left, 480);
    EXPECT_EQ(palette.left, 500);
    EXPECT_EQ(palette.right - palette.left, 385);
    EXPECT_EQ(palette.bottom - palette.top, 140 + 50);
    EXPECT_EQ(label.left, 500);
    EXPECT_EQ(label.top, 232 + 50);
    EXPECT_EQ(freeList.top, 252 + 50);
    EXPECT_EQ(freeList.bottom - freeList.top, 188 + 150);
    EXPECT_EQ(freeList.right - freeList.left, 385);
    EXPECT_EQ(limits.ptMinTrackSize.x, 500);
    EXPECT_EQ(limits.ptMinTrackSize.y, 450);
}

TEST_F(FrameTest, MinimisedItShowsItsIconInTheMiddle) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    std::vector<vedrix::headless::DrawingEntry> icons;
    RECT client{};
    person.onDialog(101, [&](Dialog& d) { icons = iconsDrawnMinimised(d, client); });
    EXPECT_EQ(browse(), IDCANCEL);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].rect.left, (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2);
    EXPECT_EQ(icons[0].rect.top, (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2);
#endif
}

TEST_F(FrameTest, HelpOpensContext2258OfTheHostsHelpFile) {
    HEADLESS_ONLY("help calls are recorded headless only (a real screen starts the help program)");
    std::vector<std::size_t> helpAfterF1;
    person.onDialog(101, [&](Dialog& d) {
        // F1 in the structure, in the free list, and on the confirm button
        // (as after tabbing there), then the help command.
        for (int id : {1001, 1002, 1003}) {
            ::SetFocus(d.control(id).hwnd());
            pressKey(VK_F1);
            helpAfterF1.push_back(person.helpCalls().size());
        }
        ::SendMessageA(d.hwnd(), WM_COMMAND, 57670, 0);
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_THAT(helpAfterF1, ElementsAre(1u, 2u, 3u));
    ASSERT_EQ(person.helpCalls().size(), 4u);
    for (const auto& call : person.helpCalls()) {
        EXPECT_EQ(call.file, "campus.hlp");
        EXPECT_EQ(call.command, static_cast<UINT>(HELP_CONTEXT));
        EXPECT_EQ(call.data, 2258u);
    }
}

// With a host window as the parent, the messages and the help belong to it.
TEST_F(FrameTest, MessagesAndHelpBelongToTheHostsWindow) {
    HEADLESS_ONLY("help calls are recorded headless only (a real screen starts the help program)");
    HWND host = ::CreateWindowExA(0, "Static", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                                  600, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    person.onDialog(101, [](Dialog& d) {
        d.tree(1001).item({"Campus", "House"}).click();
        pressKey(VK_DELETE);
        ::SendMessageA(d.hwnd(), WM_COMMAND, 57670, 0);
        d.cancel();
    });
    EXPECT_EQ(
        tb_list_browser(host, "en", project.string().c_str(), "Campus", "campus.lis", "campus.hlp"),
        IDCANCEL);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_EQ(person.messageBoxes()[0].owner, host);
    EXPECT_EQ(person.messageBoxes()[0].caption, "Error");  // how the platform shows no caption
    ASSERT_EQ(person.helpCalls().size(), 1u);
    EXPECT_EQ(person.helpCalls()[0].window, host);
    ::DestroyWindow(host);
}

TEST_F(FrameTest, ARightDoubleClickConfirms) {
    person.onDialog(101, [](Dialog& d) {
        d.tree(1001).item({"Campus", "House", "Ground"}).clickStateIcon();
        doubleClick(d.at(5, 200), Button::Right);
    });
    EXPECT_EQ(browse(), IDOK);
    EXPECT_THAT(levelLines(),
                ElementsAre("\t1\t1\t0\t2\tHouse", "\t2\t2\t1\t0\tAttic", "\t2\t3\t1\t2\tGround"));
    EXPECT_EQ(readFile(project / "campus.lis"), "#DATA:\n1\t3\t0\t\n");
}

// Checking runs down the branch; expanding and collapsing is kept. A
// drawing file dropped onto a level takes the level's state.
TEST_F(FrameTest, CheckAndExpandStatesAreWritten) {
    std::vector<int> states;
    person.onDialog(101, [&](Dialog& d) {
        TreeItem house = d.tree(1001).item({"Campus", "House"});
        house.clickStateIcon();
        for (const TreeItem& item : {house, house.child("Ground"), house.child("Attic"),
                                     house.child("Ground").child("tb000001.zdw  Plan one")}) {
            states.push_back(item.stateImage());
        }
        d.list(1002).row("tb000002.zdw").click();
        dragAndDrop(d.list(1002).row("tb000002.zdw"), house.child("Attic"));
        house.child("Ground").collapse();
        house.child("Attic").expand();
        states.push_back(house.child("Attic").child("tb000002.zdw  Plan two").stateImage());
        d.ok();
    });
    EXPECT_EQ(browse(), IDOK);
    EXPECT_THAT(states, ElementsAre(2, 2, 2, 2, 2));
    EXPECT_THAT(levelLines(),
                ElementsAre("\t1\t1\t0\t3\tHouse", "\t2\t2\t1\t3\tAttic", "\t2\t4\t1\t1\tGround"));
    EXPECT_EQ(readFile(project / "campus.lis"), "#DATA:\n2\t2\t1\t\n1\t4\t1\t\n");
}

// While a label is open, Escape drops the edit and Enter takes it; neither
// closes the dialog.
TEST_F(FrameTest, EnterAndEscapeEndALabelEditWithoutClosing) {
    std::vector<std::string> labels;
    bool openAfterEscape = false, openAfterEnter = false;
    person.onDialog(101, [&](Dialog& d) {
        TreeView tree = d.tree(1001);
        TreeItem ground = tree.item({"Campus", "House", "Ground"});
        ground.beginLabelEdit();
        tree.typeIntoLabelEdit("Cellar");
        pressKey(VK_ESCAPE);
        labels.push_back(ground.text());
        openAfterEscape = d.exists() && !tree.isEditingLabel();
        wait(1000);
        ground.beginLabelEdit();
        tree.typeIntoLabelEdit("Basement");
        pressKey(VK_RETURN);
        labels.push_back(ground.text());
        openAfterEnter = d.exists() && !tree.isEditingLabel();
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_THAT(labels, ElementsAre("Ground", "Basement"));
    EXPECT_TRUE(openAfterEscape);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(readFile(project / "campus.hre"), hre);
}

// Cancelling while an emptied label is open closes the dialog without a
// word about the empty name.
TEST_F(FrameTest, CancellingFromAnEmptiedLabelSaysNothing) {
    person.onDialog(101, [](Dialog& d) {
        TreeView tree = d.tree(1001);
        tree.item({"Campus", "House", "Ground"}).beginLabelEdit();
        tree.typeIntoLabelEdit("");
        d.control(1007).click();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_THAT(person.messageBoxes(), IsEmpty());
    EXPECT_EQ(readFile(project / "campus.hre"), hre);
}

}  // namespace
