// The facility-management dialogs' view list on the view file of a project
// on disk: what reading keeps of each entry, how updating finds its view,
// what writing back puts into the file, and files that are missing or
// damaged.
#include "fm_view_list.h"

#include <vedrix/hostsim/config.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_project.h"

using namespace hostsim_test;
using ::testing::ElementsAre;
using vedrix::fman::ViewList;
using vedrix::fman::ViewRecord;

namespace {

constexpr const char* kHeading =
    "#ActiveFlag\tNameOfView\tUUID\tFileSetNumber\tCodePath\tDateOfReplication\tUUID_Original\t"
    "LockFlag\n";

// A record's six texts, name first, for comparing whole records.
std::vector<std::string> textsOf(const ViewRecord& r) {
    return {r.name, r.identifier, r.codePath, r.replicationDate, r.originalIdentifier, r.lockFlag};
}

std::vector<std::vector<std::string>> recordsOf(const ViewList& views) {
    std::vector<std::vector<std::string>> records;
    for (const ViewRecord* r = views.head(); r != nullptr; r = r->next) {
        records.push_back(textsOf(*r));
    }
    return records;
}

class ViewListTest : public ::testing::Test {
protected:
    void writeViews(const std::string& lines) {
        project.writeFile(vedrix::hostsim::kViewFileName, kHeading + lines);
    }
    std::string viewFile() const { return project.readText(vedrix::hostsim::kViewFileName); }

    HostProject project;
    ViewList views;
};

TEST_F(ViewListTest, ReadingKeepsEveryEntryInOrderAndGivesAViewWithoutPathTheHostsText) {
    writeViews(
        "1\tGround%%Plans\tA-1\t7\tB1.1\t45000,5\t0\t0\n"
        "0\tGround%%Plans variant 1\tA-2\t0\t\t-1\tA-1\t1\n"
        "0\tShort line\tA-3\n");
    views.read();
    EXPECT_THAT(recordsOf(views),
                ElementsAre(ElementsAre("Ground%%Plans", "A-1", "B1.1", "45000,5", "0", "0"),
                            ElementsAre("Ground%%Plans variant 1", "A-2", "<without path>", "-1",
                                        "A-1", "1"),
                            ElementsAre("Short line", "A-3", "<without path>", "", "", "")));
    // The links run both ways.
    ASSERT_NE(views.tail(), nullptr);
    EXPECT_STREQ(views.tail()->previous->identifier, "A-2");
    EXPECT_EQ(views.head()->previous, nullptr);
    EXPECT_TRUE(views.head()->isOriginal());
    EXPECT_FALSE(views.head()->isLocked());
    EXPECT_TRUE(views.head()->next->isLocked());

    // Reading again starts afresh.
    writeViews("0\tOnly\tB-1\t0\tP\t-1\t0\t0\n");
    views.read();
    EXPECT_THAT(recordsOf(views), ElementsAre(ElementsAre("Only", "B-1", "P", "-1", "0", "0")));
}

TEST_F(ViewListTest, OverlongTextsAreCutToTheirFields) {
    const std::string name(300, 'n');
    const std::string path(500, 'p');
    const std::string identifier(120, 'i');
    views.append(name.c_str(), identifier.c_str(), path.c_str(), std::string(40, '4').c_str(),
                 identifier.c_str(), "0123456789");
    const ViewRecord& r = *views.head();
    EXPECT_EQ(std::string(r.name), name.substr(0, 255));
    EXPECT_EQ(std::string(r.identifier), identifier.substr(0, 100));
    EXPECT_EQ(std::string(r.codePath), path.substr(0, 450));
    EXPECT_EQ(std::string(r.replicationDate), std::string(28, '4'));
    EXPECT_EQ(std::string(r.originalIdentifier), identifier.substr(0, 100));
    EXPECT_STREQ(r.lockFlag, "01234");
    // Null texts are empty ones; a null code path is a view without path.
    views.append(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_THAT(textsOf(*views.tail()), ElementsAre("", "", "<without path>", "", "", ""));
}

TEST_F(ViewListTest, UpdatingChangesTheFirstMatchingViewOrAppendsANewOne) {
    views.append("First", "V", "P1", "44000", "0", "1");
    views.append("Second", "V", "P2", "44001", "0", "0");
    views.updateOrAppend("Renamed", "V", "", "X", "X");
    views.updateOrAppend("", "V", "P9", "X", "X");
    views.updateOrAppend("New", "W", "", "V", "0");
    EXPECT_THAT(recordsOf(views),
                ElementsAre(ElementsAre("Renamed", "V", "P9", "44000", "0", "1"),
                            ElementsAre("Second", "V", "P2", "44001", "0", "0"),
                            ElementsAre("New", "W", "<without path>", "-1", "V", "0")));
}

TEST_F(ViewListTest, FindingGivesTheFirstViewOfAnIdentifier) {
    views.append("First", "V", "P", "-1", "0", "0");
    views.append("Second", "V", "P", "-1", "0", "0");
    views.append("Empty", "", "P", "-1", "0", "0");
    ASSERT_NE(views.find("V"), nullptr);
    EXPECT_STREQ(views.find("V")->name, "First");
    EXPECT_STREQ(views.find("")->name, "Empty");
    EXPECT_EQ(views.find("v"), nullptr);
    EXPECT_EQ(views.find(nullptr), nullptr);
}

TEST_F(ViewListTest, WritingReplacesTheFileWithTheRecordsAndEmptiesTheList) {
    writeViews("1\tOld\tA-1\t7\tB1.1\t45000,5\t0\t0\n");
    views.read();
    views.updateOrAppend("Added", "A-2", "B1.2", "A-1", "1");
    EXPECT_TRUE(views.writeAndDestroy());
    EXPECT_TRUE(views.empty());
    EXPECT_EQ(views.tail(), nullptr);
    // Active flag and file-set number are written as "0".
    EXPECT_EQ(viewFile(), std::string(kHeading) +
                              "0\tOld\tA-1\t0\tB1.1\t45000,5\t0\t0\n"
                              "0\tAdded\tA-2\t0\tB1.2\t-1\tA-1\t1\n");
    // Read back, the file gives the same views.
    views.read();
    EXPECT_THAT(recordsOf(views),
                ElementsAre(ElementsAre("Old", "A-1", "B1.1", "45000,5", "0", "0"),
                            ElementsAre("Added", "A-2", "B1.2", "-1", "A-1", "1")));
}

// A file that is missing or damaged reads as no views, and an empty list
// writes nothing: the damaged file stays as it was, a missing one missing.
TEST_F(ViewListTest, MissingAndDamagedFilesGiveNoViewsAndAreNotWrittenOver) {
    views.read();
    EXPECT_TRUE(views.empty());
    EXPECT_TRUE(views.writeAndDestroy());
    EXPECT_FALSE(fs::exists(project.file(vedrix::hostsim::kViewFileName)));

    const std::string damaged = std::string(kHeading) + "0\tA\tA-1\t0\tP\t-1\t0\t0\textra\n";
    project.writeFile(vedrix::hostsim::kViewFileName, damaged);
    views.read();
    EXPECT_TRUE(views.empty());
    EXPECT_TRUE(views.writeAndDestroy());
    EXPECT_EQ(viewFile(), damaged);
}

}  // namespace
