// The free drawing-file number search and the variants' start number on
// projects on disk: every reason to pass a number over with its diagnostic
// line, every way a number is free, and that searching leaves the project
// exactly as it was.
#include "fman_project.h"

#include <vedrix/fman/free_tb_number.h>

#include <vedrix/automation/console.h>
#include <vedrix/hostsim/drawings.h>

#include <zelkar/utility_general.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace fman_test;
using namespace hostsim_test;
using namespace vedrix::hostsim;
using vedrix::automation::ConsoleCapture;

namespace {

class FreeTbNumberTest : public ::testing::Test {
protected:
    FreeTbNumberTest() : table(NewTbNumberTable()) {}

    // Runs the search and keeps what it printed.
    int search(int start) {
        ConsoleCapture console(ConsoleCapture::Stdout);
        const int found = GetNextFreeTbNr(start, table.get());
        console.stop();
        printed = console.out();
        return found;
    }

    // Drawing 7 takes drawing files 11 and 40.
    void addDrawingUsing11() {
        ASSERT_TRUE(WriteDrawings(project.file(kDrawingsFileName).string(),
                                  {Drawing{7, {11, 40}, "FM-View_Ground floor"}}));
    }

    // Numbers 10 to 16, each passed over for another reason; 17 is free.
    void addOneOfEachReason() {
        table[10].taken = kTbTakenByCopy;  // otherwise free: no file at all
        addDrawingUsing11();
        project.writeFile("tb000012.zdw", "short");  // damaged header
        fs::create_directory(project.file("tb000013.zdw"));
        project.addDrawingFile(14, "with content", true);
        project.writeFile("tb000015.zdw", "");  // no header yet, read-only
        MakeReadOnly(project.drawingFile(15));
        project.addDrawingFile(16, "empty, read-only", false, "");
        MakeReadOnly(project.drawingFile(16));
    }

    std::string pathOf(int number) const { return project.str() + "\\" + DrawingFileName(number); }

    HostProject project;
    std::unique_ptr<TbNumberSlot[]> table;
    std::string printed;
};

TEST_F(FreeTbNumberTest, EveryReasonToPassANumberOverIsPrinted) {
    addOneOfEachReason();
    ASSERT_EQ(search(10), 17);
    EXPECT_EQ(printed,
              "---> GetNextFreeTbNr(11) skipped, TB(11) is assigned by drawing (7)!\n"
              "---> GetNextFreeTbNr(12) skipped, TB(12) already exists!\n"
              "---> GetNextFreeTbNr(13) skipped, TB(13) already exists!\n"
              "---> GetNextFreeTbNr(14) skipped, TB(14) is not empty!\n"
              "---> GetNextFreeTbNr(15) skipped, TB(15) \"" +
                  pathOf(15) +
                  "\" is not accessable:\n"
                  "---> Access is denied.\n"
                  "---> GetNextFreeTbNr(16) skipped, TB(16) \"" +
                  pathOf(16) +
                  "\" is not accessable:\n"
                  "---> Access is denied.\n");
}

TEST_F(FreeTbNumberTest, SearchingNeverCreatesOrChangesAFile) {
    addOneOfEachReason();
    project.writeFile("tb000017.zdw", "");                // free: empty and writable
    project.addDrawingFile(18, "no content", false, "");  // free: header without content
    const DirectoryState before = SnapshotDirectory(project.dir());
    EXPECT_EQ(search(10), 17);
    EXPECT_EQ(search(18), 18);
    EXPECT_EQ(search(19), 19);
    int number = 0;
    EXPECT_EQ(GetVariantStartTbNr(number, nullptr), 1);
    const DirectoryState after = SnapshotDirectory(project.dir());
    EXPECT_TRUE(before == after) << Differences(before, after);
}

TEST_F(FreeTbNumberTest, EachWayANumberIsFree) {
    // No file at all.
    EXPECT_EQ(search(20), 20);
    EXPECT_EQ(printed, "");
    // A file without header record that can be written.
    project.writeFile("tb000021.zdw", "");
    EXPECT_EQ(search(21), 21);
    // A header that says the drawing file has no content, and a writable file.
    project.addDrawingFile(22, "placeholder", false, "");
    EXPECT_EQ(search(22), 22);
    EXPECT_EQ(printed, "");
    // The host names no file for the number: its file is not looked at.
    project.writeFile("tb000023.zdw", "");
    MakeReadOnly(project.drawingFile(23));
    project.config().failures = {{"lfznamC", 1, 1}};
    project.apply();
    EXPECT_EQ(search(23), 23);
    EXPECT_EQ(printed, "");
}

TEST_F(FreeTbNumberTest, MarkedNumbersArePassedOverSilently) {
    table[3].taken = kTbTakenBySource;
    table[4].taken = kTbTakenByCopy;
    table[5].taken = 7;
    EXPECT_EQ(search(3), 6);
    EXPECT_EQ(printed, "");
    // Without a table nothing is marked.
    EXPECT_EQ(GetNextFreeTbNr(3, nullptr), 3);
}

TEST_F(FreeTbNumberTest, SearchesFromOneUpToBelow6000) {
    EXPECT_EQ(search(0), 1);
    EXPECT_EQ(search(-40), 1);
    EXPECT_EQ(search(5999), 5999);
    EXPECT_EQ(search(6000), -1);
    EXPECT_EQ(search(123456), -1);
    for (int number = 1; number <= 5998; ++number) {
        table[number].taken = kTbTakenByCopy;
    }
    EXPECT_EQ(search(1), 5999);
    project.addDrawingFile(5999, "last", true);
    EXPECT_EQ(search(1), -1);
    EXPECT_EQ(printed, "---> GetNextFreeTbNr(5999) skipped, TB(5999) is not empty!\n");
}

class VariantStartTest : public FreeTbNumberTest {
protected:
    int start(int& number) {
        ConsoleCapture console(ConsoleCapture::Stdout);
        const int result = GetVariantStartTbNr(number, nullptr);
        console.stop();
        printed = console.out();
        return result;
    }
};

TEST_F(VariantStartTest, WithoutAStoredNumberTheSearchStartsAt100) {
    project.addDrawingFile(100, "taken", true);
    int number = 0;
    ASSERT_EQ(start(number), 1);
    EXPECT_EQ(number, 101);
    EXPECT_EQ(printed, "---> GetNextFreeTbNr(100) skipped, TB(100) is not empty!\n");
}

TEST_F(VariantStartTest, TheStoredNumberIsReadOnlyWhileTheCallersIsZero) {
    ASSERT_EQ(ZelRegPutNumber(1, "Settings\\FM_NextTBNr4VariantCreation", 250), 0);
    project.addDrawingFile(250, "taken", true);
    int number = 0;
    ASSERT_EQ(start(number), 1);
    EXPECT_EQ(number, 251);
    number = 40;
    ASSERT_EQ(start(number), 1);
    EXPECT_EQ(number, 40);
}

TEST_F(VariantStartTest, NoFreeNumberLeavesMinusOne) {
    project.addDrawingFile(5999, "taken", true);
    int number = 5999;
    EXPECT_EQ(start(number), 0);
    EXPECT_EQ(number, -1);
}

}  // namespace
