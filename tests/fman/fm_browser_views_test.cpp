// The facility-management browser's commands on views, through
// tb_fman_browser on projects on disk: variants in both modes with their
// copies read back from disk, cancelling after variants, a batch copy that
// fails half way, the variant start number field, host drawings with each
// creation result, and the host's tree view with and without the facility
// library.
#include <vedrix/hostsim/config.h>
#include <zelkar/business_basics.h>

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "fm_browser_project.h"
#include "support/headless_only.h"

using namespace vedrix::automation;
using namespace fmbrowser_tests;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const char* const kNorth = "aaaaaaaa-0000-4000-8000-000000000001";
const char* const kGround = "bbbbbbbb-0000-4000-8000-000000000001";
constexpr UINT kVariantOfOriginal = 32791;
constexpr UINT kVariantOfVariant = 32792;
constexpr UINT kHostDrawing = 32793;
constexpr UINT kTreeView = 32783;

bool sameHalves(const double (&halves)[2], const Halves& expected) {
    return halves[0] == expected.first && halves[1] == expected.second;
}

// North holds the original view Ground with drawing files 1 and 2 (2
// refers to a drawing file the project does not have); 3, 4 and 104 are
// free, and 104 has content, so the free-number search passes over it.
class ViewCommandsTest : public FmBrowserTest {
protected:
    void SetUp() override {
        FmBrowserTest::SetUp();
        addDrawingFile(1, "Plan 1", idOf(1));
        addDrawingFile(2, "Plan 2", idOf(2), idOf(50));
        addDrawingFile(3, "Plan 3", idOf(3));
        addDrawingFile(4, "Plan 4", idOf(4));
        addDrawingFile(104, "Other", idOf(104));
        hre = std::string("#DATA:\n\t1\t1\t0\t2\tNorth\t") + kNorth + "\n\t2\t2\t1\t2\tGround\t" +
              kGround + "\n#ATTRIBUTES:\n";
        lis = "#DATA:\n1\t2\t0\t\n2\t2\t0\t\n";
        views = viewLine("North%%Ground", kGround, "C:\\fm\\ground", "-1", "0", "0");
        writeProject();
    }

    // Changes the host's configuration for the rest of the test.
    void configure(const std::function<void(vedrix::hostsim::HostConfig&)>& change) {
        vedrix::hostsim::HostConfig config = vedrix::hostsim::CurrentHostConfig();
        change(config);
        ASSERT_TRUE(vedrix::hostsim::UseHostConfig((root / "host.cfg").string().c_str(), config));
    }

    // The person runs `command` from the context menu of the item at `path`.
    void runFromMenu(const TreeView& tree, std::initializer_list<std::string_view> path,
                     UINT command) {
        TreeItem item = tree.item(path);
        item.click();
        person.chooseNextMenuCommand(command);
        item.rightClick();
    }
};

TEST_F(ViewCommandsTest, VariantsOfAnOriginalAndOfAVariantCopyTheirDrawingFiles) {
    std::vector<std::string> first, second, info;
    std::string startAfterFirst, startAfterSecond;
    person.onDialog(127, [&](Dialog& d) {
        TreeView tree = d.tree(1025);
        runFromMenu(tree, {"Site", "North", "Ground"}, kVariantOfOriginal);
        first = tree.item({"Site", "North", "Variant 1"}).childTexts();
        startAfterFirst = d.control(1039).text();
        // A variant of a variant; the new view is selected and described.
        runFromMenu(tree, {"Site", "North", "Variant 1"}, kVariantOfVariant);
        second = tree.item({"Site", "North", "Variant 2"}).childTexts();
        startAfterSecond = d.control(1039).text();
        info.push_back(d.control(1036).text());
        info.push_back(d.control(1037).text());
        // Where each drawing file comes from.
        for (auto path :
             {std::vector<std::string>{"Site", "North", "Variant 2", "tb000102.zdw Plan 1"},
              {"Site", "North", "Variant 1", "tb000101.zdw Plan 2"},
              {"Site", "North", "Ground", "tb000002.zdw  Plan 2"},
              {"Site", "North", "Ground"}}) {
            tree.item(path).click();
            info.push_back(d.control(1036).text());
            info.push_back(d.control(1037).text());
        }
        d.ok();
    });
    EXPECT_EQ(browse(), IDOK);

    EXPECT_THAT(first, ElementsAre("tb000100.zdw Plan 1", "tb000101.zdw Plan 2"));
    EXPECT_THAT(second, ElementsAre("tb000102.zdw Plan 1", "tb000103.zdw Plan 2"));
    EXPECT_EQ(startAfterFirst, "102");
    EXPECT_EQ(startAfterSecond, "105");  // 104 has content
    EXPECT_THAT(info,
                ElementsAre("Variant : Variant 2", "Original : North.Ground",
                            "Drawing file : tb000102.zdw Plan 1", "Copied from : tb000001.zdw",
                            "Drawing file : tb000101.zdw Plan 2", "Copied from : tb000002.zdw",
                            "Drawing file : tb000002.zdw  Plan 2", "...", "Original : North.Ground",
                            "C:\\fm\\ground"));
    EXPECT_THAT(person.messageBoxes(), IsEmpty());

    // A variant of an original refers to its sources' own identifiers; a
    // variant of a variant keeps its sources' references.
    EXPECT_TRUE(sameHalves(header(100).refUuid, idOf(1)));
    EXPECT_TRUE(sameHalves(header(101).refUuid, idOf(2)));
    EXPECT_TRUE(sameHalves(header(102).refUuid, idOf(1)));
    EXPECT_TRUE(sameHalves(header(103).refUuid, idOf(2)));
    EXPECT_TRUE(exists(104));

    // Both variants stand in the view file as variants of Ground, and every
    // copy in the drawing-file information as inserted.
    std::vector<std::string> variantIds;
    for (const auto& [id, fields] : viewFile()) {
        if (id != kGround) {
            variantIds.push_back(fields[1] + " " + fields[6] + " " + fields[5]);
        }
    }
    EXPECT_THAT(variantIds, ElementsAre(::testing::_, ::testing::_));
    for (const std::string& entry : variantIds) {
        // (no regular expression: GoogleTest's own on Windows has no brackets)
        EXPECT_THAT(entry, ::testing::AnyOf("North%%Variant 1 " + std::string(kGround) + " -1",
                                            "North%%Variant 2 " + std::string(kGround) + " -1"));
    }
    // Every copy stands in the drawing-file information as inserted, with
    // its own identifier and the one it refers to.
    const auto infoLines = tableLines("fm_tbinfo.txt");
    ASSERT_EQ(infoLines.size(), 6u);
    EXPECT_EQ(infoLines[0], "1\t2\t" + uuidText(idOf(1)) + "\t0\t0\t0");
    EXPECT_EQ(infoLines[1], "2\t2\t" + uuidText(idOf(2)) + "\t" + uuidText(idOf(50)) + "\t0\t0");
    for (int copy = 100; copy <= 103; ++copy) {
        const auto copyHeader = header(copy);
        const Halves own{copyHeader.uuid[0], copyHeader.uuid[1]};
        const Halves ref{copyHeader.refUuid[0], copyHeader.refUuid[1]};
        EXPECT_THAT(infoLines,
                    Contains(::testing::AllOf(::testing::StartsWith(std::to_string(copy) + "\t"),
                                              ::testing::EndsWith("\t" + uuidText(own) + "\t" +
                                                                  uuidText(ref) + "\t1\t0"))));
    }
    HEADLESS_ONLY("beeps are recorded headless only");
    EXPECT_THAT(person.beeps(), Contains(MB_ICONASTERISK));
}

TEST_F(ViewCommandsTest, CancellingAfterTwoVariantsDeletesExactlyTheirCopies) {
    std::vector<std::string> made;
    person.onDialog(127, [&](Dialog& d) {
        TreeView tree = d.tree(1025);
        runFromMenu(tree, {"Site", "North", "Ground"}, kVariantOfOriginal);
        runFromMenu(tree, {"Site", "North", "Ground"}, kVariantOfOriginal);
        made = tree.item({"Site", "North", "Variant 2"}).childTexts();
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_THAT(made, ElementsAre("tb000102.zdw Plan 1", "tb000103.zdw Plan 2"));
    EXPECT_EQ(vedrix::hostsim::DrawingFileNumbers(project.string()),
              (std::vector<int>{1, 2, 3, 4, 104}));
    EXPECT_EQ(file("site.hre"), hre);
    EXPECT_EQ(file("site.lis"), lis);
    EXPECT_EQ(viewFile().size(), 1u);
}

TEST_F(ViewCommandsTest, ACopyFailingHalfWayLeavesAnEmptyVariantAndNoCopy) {
    configure([](auto& config) { config.failures = {{"vw_tb_copy", 2, ZEL_TB_WRITE_FAILED}}; });
    std::vector<std::string> variant;
    std::string start;
    person.onDialog(127, [&](Dialog& d) {
        TreeView tree = d.tree(1025);
        runFromMenu(tree, {"Site", "North", "Ground"}, kVariantOfOriginal);
        variant = tree.item({"Site", "North", "Variant 1"}).childTexts();
        start = d.control(1039).text();
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_THAT(variant, IsEmpty());
    EXPECT_EQ(start, "100");
    EXPECT_EQ(vedrix::hostsim::DrawingFileNumbers(project.string()),
              (std::vector<int>{1, 2, 3, 4, 104}));
}

// The typed start number is stored for the host and the field offers the
// first free number from it; a number with none free above it is refused
// with a message, and one out of range keeps the dialog open.
TEST_F(ViewCommandsTest, TheStartNumberFieldStoresAndChecksTheNumber) {
    configure([&](auto& config) { config.settingsFile = (project / "settings.ini").string(); });
    std::vector<std::string> shown, copies;
    bool storedNegative = false;
    person.onDialog(127, [&](Dialog& d) {
        TreeView tree = d.tree(1025);
        Control field = d.control(1039);
        field.replaceText("103");
        tree.click();
        shown.push_back(field.text());  // free itself
        field.replaceText("6000");
        tree.click();
        shown.push_back(field.text());
        // A negative number is stored as typed; the search starts at 1.
        field.replaceText("-3");
        tree.click();
        storedNegative =
            file("settings.ini").find("FM_NextTBNr4VariantCreation=-3") != std::string::npos;
        shown.push_back(field.text());
        // Enter confirms without leaving the field: out of range, the
        // framework's message, and the dialog stays.
        field.replaceText("0");
        d.pressKey(VK_RETURN);  // out of range: the framework's message, the dialog stays
        field.replaceText("200");
        tree.click();
        shown.push_back(field.text());
        runFromMenu(tree, {"Site", "North", "Ground"}, kVariantOfOriginal);
        copies = tree.item({"Site", "North", "Variant 1"}).childTexts();
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_THAT(shown, ElementsAre("103", "1", "5", "200"));
    EXPECT_TRUE(storedNegative);
    EXPECT_THAT(copies, ElementsAre("tb000200.zdw Plan 1", "tb000201.zdw Plan 2"));
    const auto boxes = person.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "No free drawing-file number was found from this start number on.");
    EXPECT_EQ(boxes[0].style & MB_ICONMASK, UINT{MB_ICONEXCLAMATION});
    EXPECT_NE(file("settings.ini").find("Settings\\FM_NextTBNr4VariantCreation=200"),
              std::string::npos);
    HEADLESS_ONLY("a message box's modality is not seen on a real screen");
    EXPECT_EQ(boxes[0].style, UINT{MB_TASKMODAL | MB_ICONEXCLAMATION});
}

// Host drawings from views: made, replaced only when the person agrees, the
// name cut to its field, and every creation result reported.
TEST_F(ViewCommandsTest, HostDrawingsFromViews) {
    const std::string longName = "Long" + std::string(66, 'x');
    entry_tests::writeFile(project / "tb000009.zdw", "damaged");
    hre = std::string("#DATA:\n\t1\t1\t0\t2\tNorth\t") + kNorth + "\n\t2\t2\t1\t2\tGround\t" +
          kGround + "\n\t2\t3\t1\t2\t" + longName + "\tlong\n\t2\t4\t1\t2\tBroken\tbroken\n";
    views += viewLine("North%%" + longName, "long", "", "-1", "0", "0") +
             viewLine("North%%Broken", "broken", "", "-1", "0", "0");
    lis = "#DATA:\n1\t2\t0\t\n2\t2\t0\t\n3\t3\t0\t\n9\t4\t0\t\n";
    writeProject();
    person.onDialog(127, [&](Dialog& d) {
        TreeView tree = d.tree(1025);
        runFromMenu(tree, {"Site", "North", "Ground"}, kHostDrawing);
        person.answerNextMessageBox(IDNO);
        runFromMenu(tree, {"Site", "North", "Ground"}, kHostDrawing);
        person.answerNextMessageBox(IDYES);
        runFromMenu(tree, {"Site", "North", "Ground"}, kHostDrawing);
        runFromMenu(tree, {"Site", "North", longName}, kHostDrawing);
        runFromMenu(tree, {"Site", "North", "Broken"}, kHostDrawing);
        configure([](auto& config) {
            config.failures = {{"ze_create_with_activeTbList", 1, ZEL_ZE_NAME_EXISTS}};
        });
        runFromMenu(tree, {"Site", "North", "Broken"}, kHostDrawing);
        configure([](auto& config) {
            config.failures = {{"ze_create_with_activeTbList", 1, ZEL_ZE_CREATED_NAME_CUT}};
        });
        runFromMenu(tree, {"Site", "North", "Broken"}, kHostDrawing);
        configure([](auto& config) {
            config.failures.clear();
            config.drawingLimit = 1;
        });
        runFromMenu(tree, {"Site", "North", "Ground"}, kHostDrawing);
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);

    const std::string cut = "FM-View_Long" + std::string(58, 'x');
    EXPECT_THAT(tableLines("drawings.txt"), ElementsAre("1\t1,2\tFM-View_Ground", "2\t3\t" + cut));
    std::vector<std::string> said;
    for (const auto& box : person.messageBoxes()) {
        said.push_back(box.caption + ": " + box.text);
    }
    EXPECT_THAT(said,
                ElementsAre("Information: The drawing FM-View_Ground was created.",
                            "Create drawing: A drawing of this name already exists.\nReplace it?",
                            "Create drawing: A drawing of this name already exists.\nReplace it?",
                            "Information: The drawing FM-View_Ground was created.",
                            "Information: The drawing " + cut + " was created.",
                            "Information: The drawing FM-View_Broken could not be created.",
                            "Information: A drawing named FM-View_Broken already exists.",
                            "Information: The drawing was created; its name was shortened to "
                            "FM-View_Broken.",
                            "Information: The drawing FM-View_Ground could not be created."));
}

// The host's tree view opens at the view's code path; without the facility
// library the menu entry is greyed and nothing starts; a library without the
// function is never called.
TEST_F(ViewCommandsTest, TheHostsTreeViewStartsAtTheViewsCodePath) {
    HMODULE facility =
        ::LoadLibraryA((entry_tests::libraryDirectory() / "Zelkar_FMAN10.dll").string().c_str());
    ASSERT_NE(facility, nullptr);
    person.onDialog(127, [&](Dialog& d) {
        runFromMenu(d.tree(1025), {"Site", "North", "Ground"}, kTreeView);
        d.cancel();
    });
    EXPECT_EQ(browse(facility), IDCANCEL);
    ::FreeLibrary(facility);
    EXPECT_EQ(file("fm_treeview.log"), "C:\\fm\\ground\n");
    const auto withLibrary = person.menus();
    ASSERT_EQ(withLibrary.size(), 1u);
    // Every command can be chosen (separators, which are no commands, may
    // show as greyed on a real screen).
    for (const auto& entry : withLibrary[0].entries) {
        if ((entry.state & MF_SEPARATOR) == 0) {
            EXPECT_EQ(entry.state & MF_GRAYED, 0u) << entry.text;
        }
    }

    person.clearRecords();
    person.onDialog(127, [&](Dialog& d) {
        runFromMenu(d.tree(1025), {"Site", "North", "Ground"}, kTreeView);
        d.cancel();
    });
    EXPECT_EQ(browse(nullptr), IDCANCEL);
    EXPECT_EQ(file("fm_treeview.log"), "C:\\fm\\ground\n");
    const auto withoutLibrary = person.menus();
    ASSERT_EQ(withoutLibrary.size(), 1u);
    bool greyed = false;
    for (const auto& entry : withoutLibrary[0].entries) {
        greyed = greyed || (entry.id == kTreeView && (entry.state & MF_GRAYED) != 0);
    }
    EXPECT_TRUE(greyed);

    HMODULE without = ::LoadLibraryA(FMAN_TEST_FACILITY_WITHOUT_TREE_VIEW);
    ASSERT_NE(without, nullptr);
    person.onDialog(127, [&](Dialog& d) {
        runFromMenu(d.tree(1025), {"Site", "North", "Ground"}, kTreeView);
        d.cancel();
    });
    EXPECT_EQ(browse(without), IDCANCEL);
    ::FreeLibrary(without);
    EXPECT_EQ(file("fm_treeview.log"), "C:\\fm\\ground\n");
}

}  // namespace
