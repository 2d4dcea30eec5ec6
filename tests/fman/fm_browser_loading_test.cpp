// The facility-management browser through tb_fman_browser, opening projects
// on disk: the view form that set-up brings the tree into, the free list,
// the variant start number, and what a cancelled or confirmed session
// leaves in the project's files; then projects whose host files are
// missing, empty or malformed.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "fm_browser_project.h"
#include "support/unwritable.h"

using namespace vedrix::automation;
using namespace fmbrowser_tests;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

const char* const kNorth = "aaaaaaaa-0000-4000-8000-000000000001";
const char* const kEast = "aaaaaaaa-0000-4000-8000-000000000002";
const char* const kGround = "bbbbbbbb-0000-4000-8000-000000000001";
const char* const kCopy = "bbbbbbbb-0000-4000-8000-000000000002";
const char* const kLost = "bbbbbbbb-0000-4000-8000-000000000003";

// North holds the original view Ground and the view Copy, which the view
// file names "North%%" as its own original (locked); drawing file 1 is in
// both. South holds nothing, East holds drawing files 7 and 8 directly.
// Lost is a view the view file does not know. Drawing files 4 and 5 are
// free; 6 has a damaged header and 9 none at all.
class ViewFormTest : public FmBrowserTest {
protected:
    void SetUp() override {
        FmBrowserTest::SetUp();
        for (int number : {1, 2, 3, 4, 5, 7, 8, 10}) {
            addDrawingFile(number, "Plan " + std::to_string(number), idOf(number));
        }
        entry_tests::writeFile(project / "tb000006.zdw", "short");
        entry_tests::writeFile(project / "tb000009.zdw", "");
        hre = std::string("#DATA:\n") + "\t1\t1\t0\t2\tNorth\t" + kNorth + "\n" +
              "\t2\t2\t1\t2\tGround\t" + kGround + "\n" + "\t2\t3\t1\t2\tCopy\t" + kCopy + "\n" +
              "\t2\t4\t1\t2\tLost\t" + kLost + "\n" + "\t1\t5\t0\t2\tSouth\n" +
              "\t1\t6\t0\t2\tEast\t" + kEast + "\n" + "#ATTRIBUTES:\n";
        lis =
            "#DATA:"
            "\n1\t2\t0\t\n2\t2\t0\t\n1\t3\t0\t\n3\t3\t0\t\n7\t6\t0\t\n8\t6\t0\t\n10\t4\t0\t\n";
        views = viewLine("North%%Ground", kGround, "C:\\plans\\ground", "-1", "0", "0") +
                viewLine("North%%", kCopy, "", "-1", kCopy, "1");
        tbinfo = "1\t2\t0\t0\t1\t0\n3\t3\t0\t0\t0\t0\n";
        writeProject();
    }
};

TEST_F(ViewFormTest, SetUpBringsTheTreeIntoViewFormAndCancellingWritesOnlyTheViewFile) {
    std::vector<std::string> top, north, copy, ground, east, eastView, south, lost, freeFiles;
    std::string startNumber, info1, info2;
    person.onDialog(127, [&](Dialog& d) {
        TreeView tree = d.tree(1025);
        top = tree.item({"Site"}).childTexts();
        TreeItem northItem = tree.item({"Site", "North"});
        north = northItem.childTexts();
        copy = northItem.child("Variant 1").childTexts();
        ground = northItem.child("Ground").childTexts();
        lost = northItem.child("Lost").childTexts();
        east = tree.item({"Site", "East"}).childTexts();
        eastView = tree.item({"Site", "East", "Original"}).childTexts();
        south = tree.item({"Site", "South"}).childTexts();
        freeFiles = d.list(1026).columnTexts();
        startNumber = d.control(1039).text();
        info1 = d.control(1036).text();
        info2 = d.control(1037).text();
        d.cancel();
    });
    const std::string hreBefore = hre;
    EXPECT_EQ(browse(), IDCANCEL);

    EXPECT_THAT(top, ElementsAre("East", "North", "South"));
    // The duplicate stays at its first place in tree order only.
    EXPECT_THAT(north, ElementsAre("Variant 1", "Ground", "Lost"));
    EXPECT_THAT(copy, ElementsAre("tb000001.zdw  Plan 1", "tb000003.zdw  Plan 3"));
    EXPECT_THAT(ground, ElementsAre("tb000002.zdw  Plan 2"));
    EXPECT_THAT(lost, ElementsAre("tb000010.zdw  Plan 10"));
    // Drawing files directly under a level move under one new view; a bare
    // level gets one.
    EXPECT_THAT(east, ElementsAre("Original"));
    EXPECT_THAT(eastView, ElementsAre("tb000007.zdw  Plan 7", "tb000008.zdw  Plan 8"));
    EXPECT_THAT(south, ElementsAre("Original"));
    // Unreadable headers are not offered.
    EXPECT_THAT(freeFiles, UnorderedElementsAre("tb000004.zdw", "tb000005.zdw"));
    EXPECT_EQ(startNumber, "100");
    // The last view the pass made is selected, and the information lines
    // describe it: an original without an entry in the view file.
    EXPECT_EQ(info1, "Original : South.Original");
    EXPECT_EQ(info2, "...");

    // Cancelling leaves the structure and the drawing-file information; the
    // view file is written back, with the renamed view.
    EXPECT_EQ(file("site.hre"), hreBefore);
    EXPECT_EQ(file("fm_tbinfo.txt"), tbinfo);
    const auto written = viewFile();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written.at(kCopy)[1], "Variant 1");
    EXPECT_EQ(written.at(kCopy)[7], "1");
    EXPECT_EQ(written.at(kGround)[1], "North%%Ground");
    EXPECT_EQ(written.at(kGround)[4], "C:\\plans\\ground");
}

// Confirming at once writes the view form: the new views with their
// levels, the view file entries of every view, and one drawing-file
// information item per drawing file, with its header's identifier and the
// inserted flag the host had given it.
TEST_F(ViewFormTest, ConfirmingWritesTheViewFormIntoEveryFile) {
    person.answerNextMessageBox(IDYES);  // drawing files moved under East's new view
    person.onDialog(127, [&](Dialog& d) { d.ok(); });
    EXPECT_EQ(browse(), IDOK);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_EQ(person.messageBoxes()[0].caption, "Facility management");

    // Levels and views in tree order, numbered depth first.
    const std::string written = file("site.hre");
    EXPECT_NE(written.find(std::string("\t1\t1\t0\t2\tEast\t") + kEast +
                           "\n"
                           "\t2\t2\t1\t2\tOriginal\t" +
                           kEast + "\n"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find(std::string("\t1\t5\t0\t2\tNorth\t") + kNorth + "\n" +
                           "\t2\t6\t5\t2\tVariant 1\t" + kCopy + "\n"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("#ATTRIBUTES:\n"), std::string::npos);
    EXPECT_THAT(tableLines("site.lis"), ElementsAre("7\t2\t0\t", "8\t2\t0\t", "1\t6\t0\t",
                                                    "3\t6\t0\t", "2\t9\t0\t", "10\t11\t0\t"));

    const auto viewsWritten = viewFile();
    EXPECT_EQ(viewsWritten.size(), 5u);  // the two known, Lost, and the two new originals
    EXPECT_EQ(viewsWritten.at(kLost)[1], "North%%Lost");
    EXPECT_EQ(viewsWritten.at(kLost)[5], "-1");
    EXPECT_EQ(viewsWritten.at(kEast)[1], "East%%Original");
    EXPECT_EQ(viewsWritten.at(kEast)[6], "0");
    EXPECT_EQ(viewsWritten.at(kCopy)[1], "North%%Variant 1");
    EXPECT_EQ(viewsWritten.at(kGround)[4], "C:\\plans\\ground");

    EXPECT_THAT(tableLines("fm_tbinfo.txt"),
                ElementsAre("7\t2\t" + uuidText(idOf(7)) + "\t0\t0\t0",
                            "8\t2\t" + uuidText(idOf(8)) + "\t0\t0\t0",
                            "1\t6\t" + uuidText(idOf(1)) + "\t0\t1\t0",
                            "3\t6\t" + uuidText(idOf(3)) + "\t0\t0\t0",
                            "2\t9\t" + uuidText(idOf(2)) + "\t0\t0\t0",
                            "10\t11\t" + uuidText(idOf(10)) + "\t0\t0\t0"));
}

// Host files that are missing, empty or malformed: the browser opens with
// what it can read, says nothing, and writes the view file only when it has
// something to write.
class BadHostFilesTest : public FmBrowserTest {
protected:
    void SetUp() override {
        FmBrowserTest::SetUp();
        addDrawingFile(1, "Plan 1", idOf(1));
        hre = std::string("#DATA:\n\t1\t1\t0\t2\tNorth\t") + kNorth + "\n\t2\t2\t1\t2\tGround\t" +
              kGround + "\n";
        lis = "#DATA:\n1\t2\t0\t\n";
    }

    // Opens the browser, notes the view's children and cancels.
    std::vector<std::string> openAndCancel() {
        std::vector<std::string> children;
        person.onDialog(127, [&](Dialog& d) {
            children = d.tree(1025).item({"Site", "North", "Ground"}).childTexts();
            d.cancel();
        });
        EXPECT_EQ(browse(), IDCANCEL);
        EXPECT_THAT(person.messageBoxes(), IsEmpty());
        return children;
    }
};

TEST_F(BadHostFilesTest, MissingAndEmptyViewFilesLeaveNoViewFile) {
    writeProject();
    EXPECT_THAT(openAndCancel(), ElementsAre("tb000001.zdw  Plan 1"));
    EXPECT_FALSE(fs::exists(project / "fm_views.txt"));

    entry_tests::writeFile(project / "fm_views.txt", "");
    EXPECT_THAT(openAndCancel(), ElementsAre("tb000001.zdw  Plan 1"));
    EXPECT_EQ(file("fm_views.txt"), "");
}

TEST_F(BadHostFilesTest, AMalformedViewFileIsNeitherReadNorOverwritten) {
    const std::string malformed =
        "0\tNorth%%Ground\t" + std::string(kGround) + "\t0\tpath\t-1\t0\t0\tone field too many\n";
    views = malformed;
    tbinfo = "not\ta\tdrawing\tfile\tinfo\tline\tat all\n";
    writeProject();
    EXPECT_THAT(openAndCancel(), ElementsAre("tb000001.zdw  Plan 1"));
    EXPECT_EQ(file("fm_views.txt"), malformed);

    // Confirming then writes the structure and the view, but still not over
    // a file the host could not read.
    person.onDialog(127, [&](Dialog& d) { d.ok(); });
    EXPECT_EQ(browse(), IDOK);
    EXPECT_EQ(file("fm_views.txt"), malformed);
    EXPECT_EQ(file("fm_tbinfo.txt"), tbinfo);
    EXPECT_THAT(tableLines("site.lis"), ElementsAre("1\t2\t0\t"));
}

// Views the view file knows but the structure lacks stay in the view file,
// cancelled or confirmed.
TEST_F(BadHostFilesTest, ViewsTheStructureLacksStayInTheViewFile) {
    views = viewLine("North%%Ground", kGround, "", "-1", "0", "0") +
            viewLine("Gone%%Old", kLost, "C:\\old", "2020-01-01", "0", "1");
    writeProject();
    EXPECT_THAT(openAndCancel(), ElementsAre("tb000001.zdw  Plan 1"));
    EXPECT_EQ(viewFile().at(kLost)[1], "Gone%%Old");
    person.onDialog(127, [&](Dialog& d) { d.ok(); });
    EXPECT_EQ(browse(), IDOK);
    const auto written = viewFile();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written.at(kLost)[4], "C:\\old");
    EXPECT_EQ(written.at(kLost)[5], "2020-01-01");
    EXPECT_EQ(written.at(kLost)[7], "1");
}

// A project that cannot be written, its files and its directory: confirming
// still closes the dialog, and every file stays as it was. Needs a file
// system that can refuse writes to this process (permissions, or immutable
// files for a user who may write anything).
TEST_F(BadHostFilesTest, AReadOnlyProjectKeepsEveryFile) {
    views = viewLine("North%%Ground", kGround, "", "-1", "0", "0");
    writeProject();
    const std::string viewsBefore = file("fm_views.txt");
    std::vector<fs::path> locked;
    for (const auto& entry : fs::directory_iterator(project)) {
        locked.push_back(entry.path());
    }
    locked.push_back(project);
    bool refused = true;
    for (const fs::path& path : locked) {
        refused = test_support::MakeUnwritable(path) && refused;
    }
    if (refused) {
        person.onDialog(127, [&](Dialog& d) { d.ok(); });
        EXPECT_EQ(browse(), IDOK);
    }
    for (const fs::path& path : locked) {
        test_support::MakeWritable(path);
    }
    if (!refused) {
        GTEST_SKIP() << "this file system lets this process write anything";
    }
    EXPECT_EQ(file("site.hre"), hre);
    EXPECT_EQ(file("site.lis"), lis);
    EXPECT_EQ(file("fm_views.txt"), viewsBefore);
    EXPECT_FALSE(fs::exists(project / "fm_tbinfo.txt"));
}

}  // namespace
