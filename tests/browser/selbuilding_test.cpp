// The building selection through tb_selprj, as the host calls it: the rows
// it offers, what a confirmation returns, and that it changes no file.
#include <vedrix/vedrix.h>

#include <gmock/gmock.h>

#include <string>

#include "launch_fixture.h"

using namespace vedrix::automation;
using namespace entry_tests;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Two buildings (level type 2), identifiers 1 and 5, with levels of other
// types between them; the last identifier is a building's.
const char* const kCampusHre =
    "! campus\n"
    "#DATA:\n"
    "\t2\t1\t0\t0\tNorth hall\t\n"
    "\t3\t2\t1\t0\tGround floor\t\n"
    "\t3\t3\t1\t0\tFirst floor\t\n"
    "\t4\t4\t3\t0\tEast wing\t\n"
    "\t2\t5\t0\t0\tSouth hall\t\n";
const char* const kCampusLis =
    "#DATA:\n"
    "101\t2\t1\t\n"
    "102\t4\t0\t\n";

class BuildingSelectionTest : public LaunchTest {
protected:
    void SetUp() override {
        LaunchTest::SetUp();
        writeFile(project / "campus.hre", kCampusHre);
        writeFile(project / "campus.lis", kCampusLis);
    }

    int select(const std::string& directory) {
        return tb_selprj(nullptr, "en", directory.c_str(), "Campus", "campus.lis");
    }
};

TEST_F(BuildingSelectionTest, ListsTheBuildingsNewestFirstAndReturnsTheOneConfirmed) {
    std::vector<std::string> rows;
    std::vector<LPARAM> params;
    std::string caption, heading;
    person.onDialog(104, [&](Dialog& d) {
        const ListView list = d.list(1020);
        rows = list.columnTexts();
        for (int i = 0; i < list.rowCount(); ++i) {
            params.push_back(list.row(i).param());
        }
        caption = d.caption();
        heading = list.columnHeadings().at(0);
        EXPECT_THAT(list.selectedRows(), IsEmpty());
        list.clickRow(0);
        d.ok();
    });
    EXPECT_EQ(select(project.string()), 5);
    EXPECT_THAT(rows, ElementsAre("South hall", "North hall"));
    EXPECT_THAT(params, ElementsAre(5, 1));
    EXPECT_EQ(caption, "Select Building");
    EXPECT_EQ(heading, "Building");
    // Nothing is written.
    EXPECT_EQ(readFile(project / "campus.hre"), kCampusHre);
    EXPECT_EQ(readFile(project / "campus.lis"), kCampusLis);
    EXPECT_THAT(person.messageBoxes(), IsEmpty());
}

TEST_F(BuildingSelectionTest, TheLowerRowGivesItsOwnIdentifier) {
    person.onDialog(104, [](Dialog& d) {
        d.list(1020).clickRow(1);
        d.ok();
    });
    EXPECT_EQ(select(project.string()), 1);
}

TEST_F(BuildingSelectionTest, NothingChosenOrCancelledGivesZero) {
    person.onDialog(104, [](Dialog& d) { d.ok(); });
    EXPECT_EQ(select(project.string()), 0);

    person.onDialog(104, [](Dialog& d) {
        d.list(1020).clickRow(0);
        d.cancel();
    });
    EXPECT_EQ(select(project.string()), 0);

    person.onDialog(104, [](Dialog& d) {
        d.list(1020).clickRow(0);
        d.pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(select(project.string()), 0);
}

TEST_F(BuildingSelectionTest, TheEnterKeyConfirmsTheSelectedRow) {
    person.onDialog(104, [](Dialog& d) {
        d.list(1020).clickRow(1);
        d.pressKey(VK_RETURN);
    });
    EXPECT_EQ(select(project.string()), 1);
}

TEST_F(BuildingSelectionTest, ADirectoryEndingInASeparatorStillFindsTheFiles) {
    int rowCount = -1;
    person.onDialog(104, [&](Dialog& d) {
        rowCount = d.list(1020).rowCount();
        d.cancel();
    });
    EXPECT_EQ(select(project.string() + "\\"), 0);
    EXPECT_EQ(rowCount, 2);
}

TEST_F(LaunchTest, AProjectWithoutStructureFilesOffersNothing) {
    int rowCount = -1;
    person.onDialog(104, [&](Dialog& d) {
        rowCount = d.list(1020).rowCount();
        d.ok();
    });
    EXPECT_EQ(tb_selprj(nullptr, "en", project.string().c_str(), "", "none.lis"), 0);
    EXPECT_EQ(rowCount, 0);
    // With no template either, the failed copy is the only message.
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_THAT(person.messageBoxes()[0].text, ::testing::StartsWith("Error copying file"));
}

TEST_F(LaunchTest, ALevelListWithoutHierarchyFileListsTheTemplatesBuildings) {
    writeFile(project / "listunit.def", "#DATA:\n\t2\t1\t0\t0\tTemplate hall\t\n");
    std::vector<std::string> rows;
    person.onDialog(104, [&](Dialog& d) {
        rows = d.list(1020).columnTexts();
        d.list(1020).clickRow(0);
        d.ok();
    });
    EXPECT_EQ(tb_selprj(nullptr, "en", project.string().c_str(), "", "site.lis"), 1);
    EXPECT_THAT(rows, ElementsAre("Template hall"));
}

}  // namespace
