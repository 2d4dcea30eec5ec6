// Editing in the facility-management browser through tb_fman_browser:
// deleting with each of its rules and answers, drag and drop both ways with
// the view's limit, renaming, new levels, the question about moved drawing
// files on confirmation, and what the confirmed files then hold.
#include <vedrix/hostsim/config.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fm_browser_project.h"
#include "support/headless_only.h"

using namespace vedrix::automation;
using namespace fmbrowser_tests;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

const char* const kNorth = "aaaaaaaa-0000-4000-8000-000000000001";
const char* const kSouth = "aaaaaaaa-0000-4000-8000-000000000002";
const char* const kEast = "aaaaaaaa-0000-4000-8000-000000000003";
const char* const kGround = "bbbbbbbb-0000-4000-8000-000000000001";
const char* const kShipped = "bbbbbbbb-0000-4000-8000-000000000002";
const char* const kLonely = "bbbbbbbb-0000-4000-8000-000000000003";
const char* const kKeep = "bbbbbbbb-0000-4000-8000-000000000004";
const char* const kOther = "bbbbbbbb-0000-4000-8000-000000000005";
const char* const kVariant = "bbbbbbbb-0000-4000-8000-000000000006";
const char* const kAskDrawingFiles =
    "Delete the drawing files of this view as well?\n\nYes: delete the view together with its "
    "drawing files.\nNo: delete the view and put its drawing files back into the list of free "
    "drawing files.";
const char* const kHasSubItems =
    "This item has sub-items and cannot be removed.\nRemove its sub-items first.";

// North: Ground (1, 2) and Shipped (3), which the host has replicated, and
// the variant Shared of Ground (6). South: Lonely (4). East: Keep (5) and
// Other, empty. Drawing files 7 and 8 are free.
class EditingTest : public FmBrowserTest {
protected:
    void SetUp() override {
        FmBrowserTest::SetUp();
        for (int number = 1; number <= 8; ++number) {
            addDrawingFile(number, "Plan " + std::to_string(number), idOf(number));
        }
        hre = std::string("#DATA:\n") + "\t1\t1\t0\t2\tNorth\t" + kNorth + "\n" +
              "\t2\t2\t1\t2\tGround\t" + kGround + "\n" + "\t2\t3\t1\t2\tShipped\t" + kShipped +
              "\n" + "\t2\t4\t1\t2\tShared\t" + kVariant + "\n" + "\t1\t5\t0\t2\tSouth\t" + kSouth +
              "\n" + "\t2\t6\t5\t2\tLonely\t" + kLonely + "\n" + "\t1\t7\t0\t2\tEast\t" + kEast +
              "\n" + "\t2\t8\t7\t2\tKeep\t" + kKeep + "\n" + "\t2\t9\t7\t2\tOther\t" + kOther +
              "\n";
        lis = "#DATA:\n1\t2\t0\t\n2\t2\t0\t\n3\t3\t0\t\n6\t4\t0\t\n4\t6\t0\t\n5\t8\t0\t\n";
        views = viewLine("North%%Ground", kGround, "", "-1", "0", "0") +
                viewLine("North%%Shipped", kShipped, "", "2024-05-01", "0", "0") +
                viewLine("North%%Shared", kVariant, "", "0", kGround, "0") +
                viewLine("South%%Lonely", kLonely, "", "-1", "0", "0") +
                viewLine("East%%Keep", kKeep, "", "-1", "0", "0") +
                viewLine("East%%Other", kOther, "", "-1", "0", "1");
        writeProject();
    }

    // Selects the item and presses Delete on it.
    static void deleteItem(const TreeItem& item) {
        item.click();
        pressKey(VK_DELETE);  // the clicked tree has the focus
    }
};

TEST_F(EditingTest, DeleteRulesAndTheirAnswers) {
    std::vector<std::string> north, east, site, afterCancel, freeFiles;
    person.onDialog(127, [&](Dialog& d) {
        TreeView tree = d.tree(1025);
        // A level is never deleted; a replicated view stays with a message.
        deleteItem(tree.item({"Site", "North"}));
        deleteItem(tree.item({"Site", "North", "Shipped"}));
        // Cancel keeps the view, No puts its drawing files back, Yes deletes
        // them from the project.
        person.answerNextMessageBox(IDCANCEL);
        deleteItem(tree.item({"Site", "North", "Ground"}));
        afterCancel = tree.item({"Site", "North", "Ground"}).childTexts();
        person.answerNextMessageBox(IDNO);
        deleteItem(tree.item({"Site", "North", "Ground"}));
        person.answerNextMessageBox(IDYES);
        deleteItem(tree.item({"Site", "East", "Keep"}));
        // A drawing file goes back to the free list; the view it leaves empty
        // goes, and the level with it.
        deleteItem(tree.item({"Site", "South", "Lonely", "tb000004.zdw  Plan 4"}));
        deleteItem(tree.item({"Site", "South", "Lonely"}));
        // The root holds items.
        deleteItem(tree.item({"Site"}));
        north = tree.item({"Site", "North"}).childTexts();
        east = tree.item({"Site", "East"}).childTexts();
        site = tree.item({"Site"}).childTexts();
        freeFiles = d.list(1026).columnTexts();
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);

    EXPECT_THAT(afterCancel, ElementsAre("tb000001.zdw  Plan 1", "tb000002.zdw  Plan 2"));
    EXPECT_THAT(north, ElementsAre("Shared", "Shipped"));
    EXPECT_THAT(east, ElementsAre("Other"));
    EXPECT_THAT(site, ElementsAre("East", "North"));
    EXPECT_THAT(freeFiles, UnorderedElementsAre("tb000007.zdw", "tb000008.zdw", "tb000001.zdw",
                                                "tb000002.zdw", "tb000004.zdw"));
    EXPECT_FALSE(exists(5));
    EXPECT_TRUE(exists(1) && exists(2) && exists(4));
    std::vector<std::string> said;
    for (const auto& box : person.messageBoxes()) {
        said.push_back(box.text);
    }
    EXPECT_THAT(
        said, ElementsAre("This view has been replicated and cannot be deleted.", kAskDrawingFiles,
                          kAskDrawingFiles, kAskDrawingFiles, kHasSubItems));
    EXPECT_EQ(person.messageBoxes()[1].style & ~UINT{MB_TASKMODAL},
              UINT{MB_YESNOCANCEL | MB_ICONQUESTION});
    // Nothing of that reaches the structure files when cancelled.
    EXPECT_EQ(file("site.hre"), hre);
    HEADLESS_ONLY("a message box's modality is not seen on a real screen");
    EXPECT_EQ(person.messageBoxes()[1].style,
              UINT{MB_TASKMODAL | MB_YESNOCANCEL | MB_ICONQUESTION});
}

// Free drawing files join a view only up to the host's limit per drawing;
// items never move within the tree; a drawing file dragged out of the tree
// goes back to the free list, a view with drawing files is refused.
TEST_F(EditingTest, DragAndDropBothWays) {
    vedrix::hostsim::HostConfig config = vedrix::hostsim::CurrentHostConfig();
    config.drawingLimit = 3;
    ASSERT_TRUE(vedrix::hostsim::UseHostConfig((root / "host.cfg").string().c_str(), config));
    std::vector<std::string> cursors, ground, freeAfter, keep;
    person.onDialog(127, [&](Dialog& d) {
        TreeView tree = d.tree(1025);
        ListView freeFiles = d.list(1026);
        TreeItem groundItem = tree.item({"Site", "North", "Ground"});
        freeFiles.row("tb000007.zdw").click();
        freeFiles.row("tb000008.zdw").ctrlClick();
        dragAndDrop(freeFiles.row("tb000007.zdw"), groundItem,
                    [&](const DragHover& over) { cursors.push_back(over.cursor); });
        wait(1000);
        dragAndDrop(freeFiles.row("tb000007.zdw"), tree.item({"Site", "North"}),
                    [&](const DragHover& over) { cursors.push_back(over.cursor); });
        wait(1000);
        freeFiles.row("tb000008.zdw").click();
        dragAndDrop(freeFiles.row("tb000008.zdw"), groundItem,
                    [&](const DragHover& over) { cursors.push_back(over.cursor); });
        ground = groundItem.childTexts();
        wait(1000);
        dragAndDrop(tree.item({"Site", "East", "Keep", "tb000005.zdw  Plan 5"}), freeFiles,
                    [&](const DragHover& over) { cursors.push_back(over.cursor); });
        wait(1000);
        dragAndDrop(groundItem, d.control(1035));
        keep = tree.item({"Site", "East", "Keep"}).childTexts();
        freeAfter = freeFiles.columnTexts();
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_THAT(cursors, ElementsAre("IDC_ARROW", "IDC_NO", "IDC_ARROW", "IDC_ARROW"));
    EXPECT_THAT(ground, ElementsAre("tb000001.zdw  Plan 1", "tb000002.zdw  Plan 2",
                                    "tb000008.zdw  Plan 8"));
    EXPECT_THAT(keep, IsEmpty());
    EXPECT_THAT(freeAfter, UnorderedElementsAre("tb000007.zdw", "tb000005.zdw"));
    std::vector<std::string> said;
    for (const auto& box : person.messageBoxes()) {
        said.push_back(box.text);
    }
    EXPECT_THAT(said, ElementsAre("A view can hold at most (3) drawing files.", kHasSubItems));
}

// Levels and variant views may be renamed, within 50 characters; the root
// and original views may not. New levels are numbered.
TEST_F(EditingTest, RenamingAndNewLevels) {
    std::vector<std::string> site, north;
    std::string info;
    person.onDialog(127, [&](Dialog& d) {
        TreeView tree = d.tree(1025);
        d.clickButton(1027);
        d.clickButton(1027);
        tree.item({"Site", "North"}).rename(std::string(60, 'n'));
        tree.item({"Site", std::string(50, 'n'), "Shared"}).rename("Option B");
        info = d.control(1036).text();
        tree.item({"Site", std::string(50, 'n'), "Ground"}).beginLabelEdit();
        tree.item({"Site"}).beginLabelEdit();
        site = tree.item({"Site"}).childTexts();
        north = tree.item({"Site", std::string(50, 'n')}).childTexts();
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_THAT(site, ElementsAre("East", "Level1", "Level2", std::string(50, 'n'), "South"));
    EXPECT_THAT(north, ElementsAre("Ground", "Option B", "Shipped"));
    EXPECT_EQ(info, "Variant : Option B");
    ASSERT_FALSE(person.messageBoxes().empty());
    EXPECT_EQ(person.messageBoxes()[0].text,
              "A name can have at most 50 characters; it has been shortened.");
    HEADLESS_ONLY("beeps are recorded headless only");
    const auto beeps = person.beeps();
    EXPECT_EQ(std::count(beeps.begin(), beeps.end(), 0u), 2);
}

// Drawing files moved between views make confirmation ask first: No keeps
// the dialog open, Yes writes. A drawing file that was never in the
// structure does not count.
TEST_F(EditingTest, MovedDrawingFilesAreConfirmedFirst) {
    int asked = 0;
    person.onDialog(127, [&](Dialog& d) {
        TreeView tree = d.tree(1025);
        ListView freeFiles = d.list(1026);
        freeFiles.row("tb000007.zdw").click();
        dragAndDrop(freeFiles.row("tb000007.zdw"), tree.item({"Site", "South", "Lonely"}));
        d.ok();  // nothing moved yet: no question
        asked = static_cast<int>(person.messageBoxes().size());
    });
    EXPECT_EQ(browse(), IDOK);
    EXPECT_EQ(asked, 0);
    // Lonely is level 14 in tree order; a dropped drawing file is marked
    // as inserted.
    EXPECT_THAT(tableLines("site.lis"), ::testing::Contains("7\t14\t0\t"));
    EXPECT_THAT(tableLines("fm_tbinfo.txt"),
                ::testing::Contains("7\t14\t" + uuidText(idOf(7)) + "\t0\t1\t0"));

    person.clearRecords();
    bool stillOpen = false;
    person.onDialog(127, [&](Dialog& d) {
        TreeView tree = d.tree(1025);
        ListView freeFiles = d.list(1026);
        // Drawing file 4 goes out of the structure and back into another view.
        dragAndDrop(tree.item({"Site", "South", "Lonely", "tb000004.zdw  Plan 4"}), freeFiles);
        wait(1000);
        freeFiles.row("tb000004.zdw").click();
        dragAndDrop(freeFiles.row("tb000004.zdw"), tree.item({"Site", "East", "Other"}));
        person.answerNextMessageBox(IDNO);
        d.ok();
        stillOpen = d.exists();
        person.answerNextMessageBox(IDYES);
        d.ok();
    });
    EXPECT_EQ(browse(), IDOK);
    EXPECT_TRUE(stillOpen);
    const auto boxes = person.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Facility management");
    EXPECT_EQ(boxes[0].text,
              "Drawing files were moved between views or taken out of the structure.\n"
              "Save the structure anyway?");
    EXPECT_EQ(boxes[0].style & ~UINT{MB_TASKMODAL}, UINT{MB_YESNO | MB_ICONQUESTION});
    // Other is level 4 in tree order.
    EXPECT_THAT(tableLines("site.lis"), ::testing::Contains("4\t4\t0\t"));
    HEADLESS_ONLY("a message box's modality is not seen on a real screen");
    EXPECT_EQ(boxes[0].style, UINT{MB_TASKMODAL | MB_YESNO | MB_ICONQUESTION});
}

// Drawing-file numbers above 65535 keep their own identity, although an
// item's record holds only the low 16 bits: 70000 and 4464 are told apart
// on opening, written as themselves, and deleting 70000 deletes only it.
TEST_F(FmBrowserTest, LargeDrawingFileNumbersStayThemselves) {
    addDrawingFile(70000, "Far", idOf(70000));
    addDrawingFile(4464, "Near", idOf(4464));
    hre = std::string("#DATA:\n\t1\t1\t0\t2\tNorth\t") + kNorth + "\n\t2\t2\t1\t2\tGround\t" +
          kGround + "\n\t2\t3\t1\t2\tOther\t" + kOther + "\n";
    lis = "#DATA:\n70000\t2\t0\t\n4464\t3\t0\t\n";
    views = viewLine("North%%Ground", kGround, "", "-1", "0", "0") +
            viewLine("North%%Other", kOther, "", "-1", "0", "0");
    writeProject();
    std::vector<std::string> ground, other;
    person.onDialog(127, [&](Dialog& d) {
        TreeView tree = d.tree(1025);
        ground = tree.item({"Site", "North", "Ground"}).childTexts();
        other = tree.item({"Site", "North", "Other"}).childTexts();
        d.ok();
    });
    EXPECT_EQ(browse(), IDOK);
    EXPECT_THAT(ground, ElementsAre("tb070000.zdw  Far"));
    EXPECT_THAT(other, ElementsAre("tb004464.zdw  Near"));
    EXPECT_THAT(tableLines("site.lis"), ElementsAre("70000\t2\t0\t", "4464\t4\t0\t"));
    EXPECT_THAT(tableLines("fm_tbinfo.txt"),
                ::testing::Contains("70000\t2\t" + uuidText(idOf(70000)) + "\t0\t0\t0"));

    person.onDialog(127, [&](Dialog& d) {
        person.answerNextMessageBox(IDYES);
        d.tree(1025).item({"Site", "North", "Ground"}).click();
        pressKey(VK_DELETE);
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_FALSE(exists(70000));
    EXPECT_TRUE(exists(4464));
}

}  // namespace
