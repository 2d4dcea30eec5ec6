// The list browser through tb_list_browser, as the host calls it, on a
// project on disk: a whole editing session and its confirmation, cancelling
// after edits, and the refusals and drop rules the person meets.
#include <vedrix/vedrix.h>

#include <gmock/gmock.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "launch_fixture.h"
#include "list_project.h"
#include "support/headless_only.h"

using namespace vedrix::automation;
using namespace entry_tests;
using namespace listbrowser_tests;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr UINT kBoxStyle = MB_TASKMODAL | MB_ICONEXCLAMATION;
const char* const kHouseUuid = "11111111-1111-4111-8111-111111111111";
const char* const kGroundUuid = "22222222-2222-4222-8222-222222222222";
const char* const kAtticUuid = "33333333-3333-4333-8333-333333333333";

// A house with a checked, expanded ground floor holding drawing file 1 and
// a checked, collapsed attic holding drawing file 2 and drawing file 99,
// whose file is missing; drawing files 3 to 7 are free. The root and the
// ground floor carry one attribute each.
class ListBrowserTest : public CampusTest {
protected:
    void SetUp() override {
        CampusTest::SetUp();
        putLevelBitmaps(project);
        writeDrawingFile(project, 1, "Plan one");
        writeDrawingFile(project, 2, "Plan two");
        const char* const loose[] = {"three", "four", "five", "six", "seven"};
        for (int number = 3; number <= 7; ++number) {
            writeDrawingFile(project, number, std::string("Loose ") + loose[number - 3]);
        }
        hre = levelDefinitions(project) + "\t1\t1\t0\t2\tHouse\t" + kHouseUuid + "\n" +
              "\t2\t2\t1\t3\tGround\t" + kGroundUuid + "\n" + "\t2\t3\t1\t1\tAttic\t" + kAtticUuid +
              "\n" +
              "#ATTRIBUTES:\n"
              "\t0\towner\tCity\t0\t0\t0\t0\n"
              "\t2\tarea\t120\t2\t2\t1\t1\n";
        lis = "#DATA:\n1\t2\t1\t\n2\t3\t1\t\n99\t3\t1\t\n";
        writeStructure();
    }
};

// The written hierarchy file with every UUID text that was not in the
// project before replaced by "<new>"; each must be a UUID, and all distinct.
std::string maskNewUuids(const std::string& text, std::set<std::string>& fresh) {
    static const std::regex uuid("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$");
    std::istringstream in(text);
    std::string line, out;
    while (std::getline(in, line)) {
        const std::size_t tab = line.rfind('\t');
        const std::string last = tab == std::string::npos ? "" : line.substr(tab + 1);
        if (!line.empty() && line[0] == '\t' && std::regex_match(last, uuid) &&
            last != kHouseUuid && last != kGroundUuid && last != kAtticUuid) {
            EXPECT_TRUE(fresh.insert(last).second) << "UUID given twice: " << last;
            line = line.substr(0, tab + 1) + "<new>";
        }
        out += line + "\n";
    }
    return out;
}

// A storey from the palette dropped onto `level`, its name taken as offered.
// The person takes longer than a double click between two drags.
void addStorey(const ListView& palette, const TreeItem& level) {
    wait(1000);
    dragAndDrop(palette.row("Storey"), level);
    TreeView(level.tree()).commitLabelEdit();
}

TEST_F(ListBrowserTest, ASessionOfEditsIsWrittenOnConfirmation) {
    std::vector<std::string> shownAtStart, houseAfterAdding, groundAfterDrop, freeAfterDrop,
        freeAfterRemoval, cursors;
    std::vector<int> groundChildStates, atticChildStates;
    int atticState = 0;
    person.onDialog(101, [&](Dialog& d) {
        TreeView tree = d.tree(1001);
        ListView palette = d.list(1000);
        ListView freeFiles = d.list(1002);
        shownAtStart = palette.columnTexts();
        TreeItem house = tree.item({"Campus", "House"});

        // Two storeys from the palette, then a third after the first's rename.
        dragAndDrop(palette.row("Storey"), house,
                    [&](const DragHover& over) { cursors.push_back(over.cursor); });
        EXPECT_TRUE(tree.isEditingLabel());
        tree.commitLabelEdit();
        addStorey(palette, house);
        house.child("Storey1").rename("Cellar");
        addStorey(palette, house);
        houseAfterAdding = house.childTexts();

        // Three of the free drawing files onto the checked ground floor.
        freeFiles.row("tb000003.zdw").click();
        freeFiles.row("tb000004.zdw").ctrlClick();
        freeFiles.row("tb000006.zdw").ctrlClick();
        TreeItem ground = house.child("Ground");
        dragAndDrop(freeFiles.row("tb000004.zdw"), ground,
                    [&](const DragHover& over) { cursors.push_back(over.cursor); });
        groundAfterDrop = ground.childTexts();
        for (const TreeItem& child : ground.children()) {
            groundChildStates.push_back(child.stateImage());
        }
        freeAfterDrop = freeFiles.columnTexts();

        // The attic is unchecked with its branch; the missing file keeps its state.
        TreeItem attic = house.child("Attic");
        attic.clickStateIcon();
        atticState = attic.stateImage();
        for (const TreeItem& child : attic.children()) {
            atticChildStates.push_back(child.stateImage());
        }

        ground.rename("Ground floor");

        // Drawing file 1 goes back to the free list.
        dragAndDrop(ground.child("tb000001.zdw  Plan one"), freeFiles,
                    [&](const DragHover& over) { cursors.push_back(over.cursor); });
        freeAfterRemoval = freeFiles.columnTexts(1);

        // A level with sub-items and the root stay.
        house.click();
        d.pressKey(VK_DELETE);
        tree.root().click();
        d.pressKey(VK_DELETE);
        d.ok();
    });
    ConsoleCapture console;
    const int result = browse();
    console.stop();

    EXPECT_EQ(result, IDOK);
    EXPECT_THAT(shownAtStart, ElementsAre("Building", "Storey", "Part of storey"));
    EXPECT_THAT(houseAfterAdding, ElementsAre("Attic", "Ground", "Cellar", "Storey1", "Storey2"));
    EXPECT_THAT(groundAfterDrop,
                ElementsAre("tb000001.zdw  Plan one", "tb000003.zdw  Loose three",
                            "tb000004.zdw  Loose four", "tb000006.zdw  Loose six"));
    EXPECT_THAT(groundChildStates, ElementsAre(2, 2, 2, 2));
    EXPECT_THAT(freeAfterDrop, ElementsAre("tb000005.zdw", "tb000007.zdw"));
    EXPECT_EQ(atticState, 1);
    EXPECT_THAT(atticChildStates, ElementsAre(1, 4));
    EXPECT_THAT(freeAfterRemoval, ElementsAre("Loose five", "Loose seven", "Plan one"));
    EXPECT_THAT(cursors, ElementsAre("IDC_ARROW", "IDC_ARROW", "IDC_ARROW"));
    ASSERT_EQ(person.messageBoxes().size(), 2u);
    for (const auto& box : person.messageBoxes()) {
        EXPECT_EQ(box.text,
                  "This item has sub-items and cannot be removed.\nRemove its sub-items first.");
        EXPECT_EQ(box.style & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(box.owner, nullptr);
    }
    EXPECT_EQ(console.out(), "");

    std::set<std::string> fresh;
    EXPECT_EQ(maskNewUuids(readFile(project / "campus.hre"), fresh),
              levelDefinitions(project) + "\t1\t1\t0\t2\tHouse\t" + kHouseUuid + "\n" +
                  "\t2\t2\t1\t0\tAttic\t" + kAtticUuid + "\n" + "\t2\t5\t1\t3\tGround floor\t" +
                  kGroundUuid + "\n" +
                  "\t2\t9\t1\t2\tCellar\t<new>\n"
                  "\t2\t10\t1\t2\tStorey1\t<new>\n"
                  "\t2\t11\t1\t2\tStorey2\t<new>\n"
                  "#ATTRIBUTES:\n"
                  "\t0\towner\tCity\t0\t0\t0\t0\n"
                  "\t5\tarea\t120\t2\t2\t1\t1\n");
    EXPECT_EQ(fresh.size(), 3u);
    EXPECT_EQ(readFile(project / "campus.lis"),
              "#DATA:\n2\t2\t0\t\n99\t2\t5\t\n3\t5\t3\t\n4\t5\t3\t\n6\t5\t3\t\n");
    HEADLESS_ONLY("a message box's modality and beeps are not seen on a real screen");
    for (const auto& box : person.messageBoxes()) {
        EXPECT_EQ(box.style, kBoxStyle);
    }
    EXPECT_THAT(person.beeps(), ElementsAre(MB_ICONEXCLAMATION, MB_ICONEXCLAMATION));
}

TEST_F(ListBrowserTest, CancelAfterEditsLeavesBothFilesAsTheyWere) {
    person.onDialog(101, [&](Dialog& d) {
        TreeView tree = d.tree(1001);
        TreeItem house = tree.item({"Campus", "House"});
        dragAndDrop(d.list(1000).row("Part of storey"), house.child("Ground"));
        tree.commitLabelEdit();
        d.list(1002).row("tb000005.zdw").click();
        dragAndDrop(d.list(1002).row("tb000005.zdw"), house);
        house.child("Ground").rename("Basement");
        house.child("Attic").clickStateIcon();
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_EQ(readFile(project / "campus.hre"), hre);
    EXPECT_EQ(readFile(project / "campus.lis"), lis);
    EXPECT_THAT(person.messageBoxes(), IsEmpty());
}

TEST_F(ListBrowserTest, ConfirmingUnchangedKeepsTheStructure) {
    person.onDialog(101, [](Dialog& d) { d.control(1003).click(); });
    EXPECT_EQ(browse(), IDOK);
    // The same levels, identifiers now depth first: the attic before the
    // ground floor, each followed by its drawing files.
    EXPECT_EQ(readFile(project / "campus.hre"), levelDefinitions(project) +
                                                    "\t1\t1\t0\t2\tHouse\t" + kHouseUuid + "\n" +
                                                    "\t2\t2\t1\t1\tAttic\t" + kAtticUuid + "\n" +
                                                    "\t2\t5\t1\t3\tGround\t" + kGroundUuid + "\n" +
                                                    "#ATTRIBUTES:\n"
                                                    "\t0\towner\tCity\t0\t0\t0\t0\n"
                                                    "\t5\tarea\t120\t2\t2\t1\t1\n");
    EXPECT_EQ(readFile(project / "campus.lis"), "#DATA:\n2\t2\t1\t\n99\t2\t5\t\n1\t5\t1\t\n");
}

// What the person is refused, and hears: drops where nothing may go, labels
// that stay, and the messages.
TEST_F(ListBrowserTest, RefusedDropsAndEditsChangeNothing) {
    std::vector<std::string> cursors, houseChildren, freeRows;
    std::string houseLabel;
    std::vector<UINT> beepsAfterDrops;
    bool atticEdit = true, rootEdit = true;
    person.onDialog(101, [&](Dialog& d) {
        TreeView tree = d.tree(1001);
        ListView palette = d.list(1000);
        ListView freeFiles = d.list(1002);
        TreeItem house = tree.item({"Campus", "House"});
        const auto look = [&](const DragHover& over) {
            cursors.push_back(over.cursor);
            wait(1000);
        };
        // A building below a building, a storey onto a drawing file, a free
        // file onto a drawing file, a tree item onto the tree and onto the palette.
        dragAndDrop(palette.row("Building"), house, look);
        dragAndDrop(palette.row("Storey"), house.child("Ground").child("tb000001.zdw  Plan one"),
                    look);
        freeFiles.row("tb000005.zdw").click();
        dragAndDrop(freeFiles.row("tb000005.zdw"),
                    house.child("Ground").child("tb000001.zdw  Plan one"), look);
        dragAndDrop(house.child("Ground").child("tb000001.zdw  Plan one"), house.child("Attic"),
                    look);
        dragAndDrop(house.child("Ground").child("tb000001.zdw  Plan one"), palette, look);
        beepsAfterDrops = person.beeps();
        houseChildren = house.childTexts();
        freeRows = freeFiles.columnTexts();
        // The collapsed attic and the root keep their labels.
        atticEdit = house.child("Attic").beginLabelEdit().exists();
        rootEdit = tree.root().beginLabelEdit().exists();
        // An empty name is not taken.
        house.beginLabelEdit();
        tree.typeIntoLabelEdit("");
        tree.commitLabelEdit();
        houseLabel = tree.root().childTexts().at(0);
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_THAT(cursors, ElementsAre("IDC_NO", "IDC_NO", "IDC_NO", "IDC_NO", "IDC_NO"));
    EXPECT_THAT(houseChildren, ElementsAre("Attic", "Ground"));
    EXPECT_EQ(houseLabel, "House");
    EXPECT_THAT(freeRows, ElementsAre("tb000003.zdw", "tb000004.zdw", "tb000005.zdw",
                                      "tb000006.zdw", "tb000007.zdw"));
    EXPECT_FALSE(atticEdit);
    EXPECT_FALSE(rootEdit);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_EQ(person.messageBoxes()[0].text, "The name must not be empty.");
    EXPECT_EQ(readFile(project / "campus.hre"), hre);
    HEADLESS_ONLY("beeps are recorded headless only");
    EXPECT_THAT(beepsAfterDrops, ElementsAre(0u, 0u, 0u, 0u, 0u));
}

TEST_F(ListBrowserTest, DeleteAndDraggingOutTakeOutFilesAndEmptyLevels) {
    std::vector<std::string> freeRows, atticChildren, houseChildren;
    std::string outsideCursor;
    person.onDialog(101, [&](Dialog& d) {
        TreeView tree = d.tree(1001);
        TreeItem house = tree.item({"Campus", "House"});
        TreeItem attic = house.child("Attic");
        attic.expand();
        // A drawing file whose file is missing goes for good; one whose file
        // is there goes back to the free list; then the empty level goes.
        attic.child("tb000099.zdw").click();
        d.pressKey(VK_DELETE);
        attic.child("tb000002.zdw  Plan two").click();
        d.pressKey(VK_DELETE);
        atticChildren = attic.childTexts();
        // The empty attic dragged out of the tree onto the dialog itself.
        wait(1000);
        dragAndDrop(attic, d.at(5, 200),
                    [&](const DragHover& over) { outsideCursor = over.cursor; });
        houseChildren = house.childTexts();
        freeRows = d.list(1002).columnTexts();
        d.ok();
    });
    EXPECT_EQ(browse(), IDOK);
    EXPECT_THAT(atticChildren, IsEmpty());
    EXPECT_EQ(outsideCursor, "IDC_ARROW");
    EXPECT_THAT(houseChildren, ElementsAre("Ground"));
    EXPECT_THAT(freeRows, ElementsAre("tb000003.zdw", "tb000004.zdw", "tb000005.zdw",
                                      "tb000006.zdw", "tb000007.zdw", "tb000002.zdw"));
    EXPECT_THAT(person.messageBoxes(), IsEmpty());
    EXPECT_EQ(readFile(project / "campus.lis"), "#DATA:\n1\t2\t1\t\n");
}

TEST_F(LaunchTest, TheRootOfAnEmptyStructureCannotBeRemoved) {
    std::vector<std::string> roots;
    person.onDialog(101, [&](Dialog& d) {
        d.tree(1001).root().click();
        d.pressKey(VK_DELETE);
        for (const TreeItem& item : d.tree(1001).roots()) {
            roots.push_back(item.text());
        }
        d.cancel();
    });
    writeFile(project / "empty.hre", "#DATA:\n");
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "Empty", "empty.lis", ""),
              IDCANCEL);
    EXPECT_THAT(roots, ElementsAre("Empty"));
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_EQ(person.messageBoxes()[0].text, "The root of the structure cannot be removed.");
    EXPECT_EQ(person.messageBoxes()[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    HEADLESS_ONLY("a message box's modality is not seen on a real screen");
    EXPECT_EQ(person.messageBoxes()[0].style, kBoxStyle);
}

}  // namespace
