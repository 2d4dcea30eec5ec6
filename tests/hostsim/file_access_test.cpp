// The drawing-file library over a project directory: header records, the
// drawing files' names and directories, drawings that use a drawing file,
// loaded drawing files.
#include "host_project.h"

#include <zelkar/file_access.h>

#include <vedrix/hostsim/drawings.h>

#include <gtest/gtest.h>

#include <rpc.h>

#include <cstring>
#include <string>
#include <vector>

using namespace hostsim_test;
using namespace vedrix::hostsim;

namespace {

class FileAccessTest : public ::testing::Test {
protected:
    HostProject project;
    std::vector<char> record = std::vector<char>(ZEL_TB_RECORD_SIZE, 'x');
};

TEST_F(FileAccessTest, UnitAndDrawingLimitComeFromTheConfiguration) {
    project.config().unit = 7;
    project.config().drawingLimit = 12;
    project.apply();
    EXPECT_EQ(kgunit(), 7);
    EXPECT_EQ(kgtbls(), 12);
}

TEST_F(FileAccessTest, ReadsTheHeaderFieldsAtTheirOffsets) {
    DrawingHeader header;
    header.number = 42;
    header.name = "Ground floor";
    header.content = true;
    header.uuid[0] = 1.5;
    header.uuid[1] = -2.25;
    header.refUuid[0] = 3.0;
    header.refUuid[1] = 4.0;
    project.addDrawingFile(header);

    ASSERT_EQ(read_teilbild_rec(kgunit(), 42, record.data()), ZEL_TB_OK);
    EXPECT_NE(record[132], 0);
    EXPECT_EQ(ZelTbRecordDouble(record.data(), 264), 1.5);
    EXPECT_EQ(ZelTbRecordDouble(record.data(), 272), -2.25);
    EXPECT_EQ(ZelTbRecordDouble(record.data(), 560), 3.0);
    EXPECT_EQ(ZelTbRecordDouble(record.data(), 568), 4.0);
    const std::string name(record.data() + ZEL_TB_REC_NAME, ZEL_TB_NAME_LENGTH);
    EXPECT_EQ(name, "Ground floor" + std::string(ZEL_TB_NAME_LENGTH - 12, ' '));
}

TEST_F(FileAccessTest, HeaderResultsForFilesWithoutAUsableHeader) {
    const std::vector<char> untouched = record;
    // No file, and an empty file: no header record.
    EXPECT_EQ(read_teilbild_rec(kgunit(), 5, record.data()), ZEL_TB_NO_RECORD);
    project.writeFile("tb000006.zdw", "");
    EXPECT_EQ(read_teilbild_rec(kgunit(), 6, record.data()), ZEL_TB_NO_RECORD);
    // Shorter than a record, or a record of something else.
    project.writeFile("tb000007.zdw", std::string(ZEL_TB_RECORD_SIZE - 1, '\0'));
    EXPECT_EQ(read_teilbild_rec(kgunit(), 7, record.data()), ZEL_TB_DAMAGED);
    project.writeFile("tb000008.zdw", std::string(ZEL_TB_RECORD_SIZE + 10, 'A'));
    EXPECT_EQ(read_teilbild_rec(kgunit(), 8, record.data()), ZEL_TB_DAMAGED);
    // A directory in the drawing file's place cannot be read.
    fs::create_directory(project.drawingFile(9));
    EXPECT_EQ(read_teilbild_rec(kgunit(), 9, record.data()), ZEL_TB_UNREADABLE);
    // Another unit, a number out of range, no buffer.
    project.addDrawingFile(10, "ten");
    EXPECT_EQ(read_teilbild_rec(kgunit() + 1, 10, record.data()), ZEL_TB_BAD_REFERENCE);
    EXPECT_EQ(read_teilbild_rec(kgunit(), 0, record.data()), ZEL_TB_BAD_REFERENCE);
    EXPECT_EQ(read_teilbild_rec(kgunit(), 1000000, record.data()), ZEL_TB_BAD_REFERENCE);
    EXPECT_EQ(read_teilbild_rec(kgunit(), 10, nullptr), ZEL_TB_BAD_REFERENCE);
    EXPECT_EQ(record, untouched);
}

TEST_F(FileAccessTest, UpdateRewritesTheHeaderAndKeepsTheContent) {
    project.addDrawingFile(3, "three", true, "the drawing itself");
    ASSERT_EQ(read_teilbild_rec(kgunit(), 3, record.data()), ZEL_TB_OK);
    ZelTbRecordSetDouble(record.data(), ZEL_TB_REC_REFUUID_FIRST, 11.0);
    ZelTbRecordSetDouble(record.data(), ZEL_TB_REC_REFUUID_SECOND, 12.0);
    ASSERT_EQ(update_teilbild_rec(kgunit(), record.data()), ZEL_TB_OK);

    const DrawingHeader header = project.header(3);
    EXPECT_EQ(header.refUuid[0], 11.0);
    EXPECT_EQ(header.refUuid[1], 12.0);
    EXPECT_EQ(header.name, "three");
    const std::string bytes = project.readFile("tb000003.zdw");
    EXPECT_EQ(bytes.substr(ZEL_TB_RECORD_SIZE), "the drawing itself");
}

TEST_F(FileAccessTest, UpdateRefusesRecordsItCannotPlace) {
    project.addDrawingFile(3, "three");
    ASSERT_EQ(read_teilbild_rec(kgunit(), 3, record.data()), ZEL_TB_OK);
    // The record names drawing file 4, which does not exist: nothing is created.
    DrawingHeader moved = project.header(3);
    moved.number = 4;
    EncodeHeader(moved, record.data());
    EXPECT_EQ(update_teilbild_rec(kgunit(), record.data()), ZEL_TB_NO_RECORD);
    EXPECT_FALSE(fs::exists(project.drawingFile(4)));
    // No header signature, another unit.
    std::vector<char> garbage(ZEL_TB_RECORD_SIZE, 'g');
    EXPECT_EQ(update_teilbild_rec(kgunit(), garbage.data()), ZEL_TB_DAMAGED);
    EXPECT_EQ(update_teilbild_rec(kgunit() + 1, record.data()), ZEL_TB_BAD_REFERENCE);
    EXPECT_EQ(update_teilbild_rec(kgunit(), nullptr), ZEL_TB_BAD_REFERENCE);
}

TEST_F(FileAccessTest, CountsAndStepsThroughReadableHeadersInNumberOrder) {
    project.addDrawingFile(30, "thirty");
    project.addDrawingFile(4, "four");
    project.writeFile("tb000010.zdw", "short");     // damaged: skipped
    project.writeFile("TB000012.ZDW", "");          // no header: skipped
    project.writeFile("tb12.zdw", "not a number");  // not a drawing-file name
    project.addDrawingFile(17, "seventeen");
    EXPECT_EQ(get_teilbild_zahl(kgunit()), 3);
    EXPECT_EQ(get_teilbild_zahl(kgunit() + 1), 0);

    std::vector<int> seen;
    int number = 0;
    while (read_teilbild_next(kgunit(), &number, record.data()) == ZEL_TB_OK) {
        seen.push_back(number);
        EXPECT_EQ(project.header(number).number, number);
    }
    EXPECT_EQ(seen, (std::vector<int>{4, 17, 30}));
    EXPECT_EQ(read_teilbild_next(kgunit(), &number, record.data()), ZEL_TB_END);
    EXPECT_EQ(number, 30);
}

TEST_F(FileAccessTest, IdentifierHalvesAreTheUuidBytes) {
    UUID original;
    ASSERT_EQ(UuidFromStringA(reinterpret_cast<RPC_CSTR>(
                                  const_cast<char*>("0f1e2d3c-4b5a-4968-8776-a5b4c3d2e1f0")),
                              &original),
              RPC_S_OK);
    double halves[2];
    UuidToHalves(original, halves);
    UUID converted;
    std::memset(&converted, 0, sizeof converted);
    convertdoubledouble2UUID(halves[0], halves[1], &converted);
    RPC_CSTR text = nullptr;
    ASSERT_EQ(UuidToStringA(&converted, &text), RPC_S_OK);
    EXPECT_STREQ(reinterpret_cast<char*>(text), "0f1e2d3c-4b5a-4968-8776-a5b4c3d2e1f0");
    RpcStringFreeA(&text);
    // The all-zero halves are the nil UUID.
    convertdoubledouble2UUID(0.0, 0.0, &converted);
    RPC_STATUS status = 0;
    EXPECT_TRUE(UuidIsNil(&converted, &status));
}

TEST_F(FileAccessTest, KpvtzsStepsThroughTheDrawingsThatUseADrawingFile) {
    ASSERT_TRUE(WriteDrawings(project.file("drawings.txt").string(),
                              {{1, {5, 6}, "first"}, {2, {7}, "second"}, {4, {6}, "third"}}));
    int drawing = 0;
    int counter = 0;
    EXPECT_EQ(kpvtzs(kgunit(), 6, &drawing, &counter, 2), 0);
    EXPECT_EQ(drawing, 1);
    EXPECT_EQ(counter, 1);
    EXPECT_EQ(kpvtzs(kgunit(), 6, &drawing, &counter, 2), 0);
    EXPECT_EQ(drawing, 4);
    EXPECT_EQ(counter, 2);
    EXPECT_EQ(kpvtzs(kgunit(), 6, &drawing, &counter, 2), 1);
    EXPECT_EQ(counter, 2);

    counter = 0;
    EXPECT_EQ(kpvtzs(kgunit(), 8, &drawing, &counter, 2), 1);
    EXPECT_EQ(counter, 0);
    EXPECT_EQ(kpvtzs(kgunit(), 6, &drawing, &counter, 1), 2);
    EXPECT_EQ(kpvtzs(kgunit() + 1, 6, &drawing, &counter, 2), 2);

    // A rewritten list is asked afresh; a drawing that names a drawing file
    // twice uses it once.
    ASSERT_TRUE(WriteDrawings(project.file("drawings.txt").string(),
                              {{3, {6, 9, 6}, "twice"}, {5, {6}, "fifth"}}));
    counter = 0;
    EXPECT_EQ(kpvtzs(kgunit(), 6, &drawing, &counter, 2), 0);
    EXPECT_EQ(drawing, 3);
    EXPECT_EQ(kpvtzs(kgunit(), 6, &drawing, &counter, 2), 0);
    EXPECT_EQ(drawing, 5);
    EXPECT_EQ(kpvtzs(kgunit(), 6, &drawing, &counter, 2), 1);
    EXPECT_EQ(counter, 2);
    counter = 0;
    EXPECT_EQ(kpvtzs(kgunit(), 7, &drawing, &counter, 2), 1);
}

TEST_F(FileAccessTest, KpvtzsWithoutAndWithADamagedDrawingsList) {
    int drawing = 0;
    int counter = 0;
    EXPECT_EQ(kpvtzs(kgunit(), 6, &drawing, &counter, 2), 1);
    project.writeFile("drawings.txt", "1\t5,x\tbroken\n");
    EXPECT_EQ(kpvtzs(kgunit(), 5, &drawing, &counter, 2), 2);
    EXPECT_EQ(counter, 0);
}

TEST_F(FileAccessTest, FileNameAndDirectoryJoinToTheDrawingFile) {
    project.addDrawingFile(42, "forty-two");
    int dirKind = -1;
    int unit = -1;
    int error = -1;
    char name[ZEL_TB_FILE_NAME_SIZE];
    lfznamC(0, 42, 0, &dirKind, &unit, name, &error);
    ASSERT_EQ(error, 0);
    EXPECT_STREQ(name, "tb000042.zdw");
    EXPECT_EQ(unit, kgunit());
    const char* directory = lfinigC(dirKind);
    ASSERT_NE(directory, nullptr);
    EXPECT_EQ(std::string(directory), project.str() + "\\");
    // Joined without a separator, the path opens the drawing file.
    const std::string path = std::string(directory) + name;
    EXPECT_EQ(ReadHeaderRecord(path, record.data()), ZEL_TB_OK);

    EXPECT_EQ(lfinigC(dirKind + 1), nullptr);
    lfznamC(1, 42, 0, &dirKind, &unit, name, &error);
    EXPECT_NE(error, 0);
    lfznamC(0, 0, 0, &dirKind, &unit, name, &error);
    EXPECT_NE(error, 0);
}

TEST_F(FileAccessTest, ConfiguredFailuresOfFileNameAndHeaderUpdate) {
    project.addDrawingFile(3, "three");
    project.config().failures = {{"lfznamC", 1, 7},
                                 {"update_teilbild_rec", 2, ZEL_TB_WRITE_FAILED}};
    project.apply();
    int dirKind = -1;
    int unit = -1;
    int error = -1;
    char name[ZEL_TB_FILE_NAME_SIZE] = "untouched";
    lfznamC(0, 3, 0, &dirKind, &unit, name, &error);
    EXPECT_EQ(error, 7);
    EXPECT_EQ(dirKind, -1);
    EXPECT_STREQ(name, "untouched");
    lfznamC(0, 3, 0, &dirKind, &unit, name, &error);
    EXPECT_EQ(error, 0);
    EXPECT_STREQ(name, "tb000003.zdw");

    ASSERT_EQ(read_teilbild_rec(kgunit(), 3, record.data()), ZEL_TB_OK);
    ZelTbRecordSetDouble(record.data(), ZEL_TB_REC_REFUUID_FIRST, 11.0);
    EXPECT_EQ(update_teilbild_rec(kgunit(), record.data()), ZEL_TB_OK);
    ZelTbRecordSetDouble(record.data(), ZEL_TB_REC_REFUUID_FIRST, 12.0);
    EXPECT_EQ(update_teilbild_rec(kgunit(), record.data()), ZEL_TB_WRITE_FAILED);
    EXPECT_EQ(project.header(3).refUuid[0], 11.0);
}

TEST_F(FileAccessTest, DirectoryOfAProjectThatEndsWithASeparator) {
    project.config().project = project.str() + "\\";
    project.apply();
    EXPECT_EQ(std::string(lfinigC(ZEL_DIR_KIND_PROJECT)), project.str() + "\\");
}

TEST_F(FileAccessTest, LtbvhrGivesTheBlankPaddedName) {
    project.addDrawingFile(8, "Roof plan");
    char name[ZEL_TB_NAME_LENGTH + 1];
    ASSERT_EQ(ltbvhr(kgunit(), 8, name), ZEL_TB_OK);
    EXPECT_EQ(std::string(name), "Roof plan" + std::string(ZEL_TB_NAME_LENGTH - 9, ' '));
    EXPECT_EQ(ltbvhr(kgunit(), 9, name), ZEL_TB_NO_RECORD);
}

TEST_F(FileAccessTest, LoadedDrawingFilesComeFromTheConfiguration) {
    project.config().loaded = {{12, 2}, {14, 3}, {15, 1}};
    project.apply();
    int numbers[ZEL_TB_LOADED_MAX];
    int kinds[ZEL_TB_LOADED_MAX];
    int count = -1;
    ASSERT_EQ(kg_GetTbLoadedList(1, numbers, kinds, 0, &count), 0);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(numbers[0], 12);
    EXPECT_EQ(kinds[0], 2);
    EXPECT_EQ(numbers[2], 15);
    EXPECT_EQ(kinds[2], 1);
    EXPECT_EQ(kg_GetTbLoadedList(2, numbers, kinds, 0, &count), ZEL_TB_BAD_REFERENCE);
}

TEST_F(FileAccessTest, LoadedListIsBoundedByItsArrays) {
    for (int i = 1; i <= ZEL_TB_LOADED_MAX + 5; ++i) {
        project.config().loaded.push_back({i, 2});
    }
    project.apply();
    std::vector<int> numbers(ZEL_TB_LOADED_MAX);
    std::vector<int> kinds(ZEL_TB_LOADED_MAX);
    int count = 0;
    ASSERT_EQ(kg_GetTbLoadedList(1, numbers.data(), kinds.data(), 0, &count), 0);
    EXPECT_EQ(count, ZEL_TB_LOADED_MAX);
}

}  // namespace
