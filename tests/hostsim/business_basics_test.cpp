// The business library over a project directory: copying, deleting and
// describing drawing files, drawings, and the facility-management files.
#include "host_project.h"

#include <zelkar/business_basics.h>
#include <zelkar/file_access.h>

#include <vedrix/hostsim/drawings.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/file_identity.h"

using namespace hostsim_test;
using namespace vedrix::hostsim;

namespace {

class DrawingFilesTest : public ::testing::Test {
protected:
    HostProject project;
    ZelTbRef ref(int number) { return ZelMakeTbRef(kgunit(), number); }
};

TEST_F(DrawingFilesTest, CopyMakesANewDrawingFileFromTheSource) {
    DrawingHeader source;
    source.number = 5;
    source.name = "Ground floor";
    source.content = true;
    source.uuid[0] = 1.0;
    source.uuid[1] = 2.0;
    source.refUuid[0] = 3.0;
    source.refUuid[1] = 4.0;
    project.addDrawingFile(source, "walls and doors");

    ASSERT_EQ(vw_tb_copy(ref(5), ref(100), "Variant - Ground floor", 1), ZEL_TB_OK);
    const DrawingHeader copy = project.header(100);
    EXPECT_EQ(copy.number, 100);
    EXPECT_EQ(copy.name, "Variant - Ground floor");
    EXPECT_TRUE(copy.content);
    // A new identifier of its own; the source's reference is kept.
    EXPECT_FALSE(copy.uuid[0] == 1.0 && copy.uuid[1] == 2.0);
    EXPECT_EQ(copy.refUuid[0], 3.0);
    EXPECT_EQ(copy.refUuid[1], 4.0);
    EXPECT_EQ(project.readFile("tb000100.zdw").substr(ZEL_TB_RECORD_SIZE), "walls and doors");
    // The source is unchanged.
    EXPECT_EQ(project.header(5).name, "Ground floor");
    EXPECT_EQ(project.header(5).uuid[0], 1.0);
}

TEST_F(DrawingFilesTest, CopyWithoutNameOrContent) {
    project.addDrawingFile(5, "Ground floor", true, "walls");
    ASSERT_EQ(vw_tb_copy(ref(5), ref(6), nullptr, 0), ZEL_TB_OK);
    const DrawingHeader copy = project.header(6);
    EXPECT_EQ(copy.name, "Ground floor");
    EXPECT_FALSE(copy.content);
    EXPECT_EQ(project.readFile("tb000006.zdw").size(), std::size_t{ZEL_TB_RECORD_SIZE});
}

TEST_F(DrawingFilesTest, CopyFillsADrawingFileWithoutContent) {
    project.addDrawingFile(5, "source", true, "walls");
    project.addDrawingFile(6, "placeholder", false, "");
    ASSERT_EQ(vw_tb_copy(ref(5), ref(6), nullptr, 1), ZEL_TB_OK);
    EXPECT_EQ(project.header(6).name, "source");
    EXPECT_TRUE(project.header(6).content);
    EXPECT_EQ(project.readFile("tb000006.zdw").substr(ZEL_TB_RECORD_SIZE), "walls");
}

// A copy where no file was is written in place, and so is the header that
// completes it, once; every later header, and any header of a copy that
// another program changed meanwhile, is saved as a new file taking the old
// one's place (a new inode), so that a crash never tears a header the person
// already has.
TEST_F(DrawingFilesTest, ANewCopyTakesItsCompletingHeaderInPlaceAndNothingMore) {
    project.addDrawingFile(5, "source", true, "walls");
    const auto inode = [&](int number) {
        const auto identity = test_support::FileIdentity(project.drawingFile(number));
        EXPECT_NE(identity, 0u);
        return identity;
    };
    const auto setReference = [&](int number, double first) {
        std::vector<char> record(ZEL_TB_RECORD_SIZE);
        EXPECT_EQ(read_teilbild_rec(kgunit(), number, record.data()), ZEL_TB_OK);
        ZelTbRecordSetDouble(record.data(), ZEL_TB_REC_REFUUID_FIRST, first);
        EXPECT_EQ(update_teilbild_rec(kgunit(), record.data()), ZEL_TB_OK);
    };

    ASSERT_EQ(vw_tb_copy(ref(5), ref(100), nullptr, 1), ZEL_TB_OK);
    const auto made = inode(100);
    setReference(100, 7.0);
    EXPECT_EQ(inode(100), made);
    EXPECT_EQ(project.header(100).refUuid[0], 7.0);
    setReference(100, 8.0);
    EXPECT_NE(inode(100), made);
    EXPECT_EQ(project.header(100).refUuid[0], 8.0);
    EXPECT_EQ(project.readFile("tb000100.zdw").substr(ZEL_TB_RECORD_SIZE), "walls");

    ASSERT_EQ(vw_tb_copy(ref(5), ref(101), nullptr, 1), ZEL_TB_OK);
    project.writeFile("tb000101.zdw", project.readFile("tb000101.zdw") + " and doors");
    const auto changed = inode(101);
    setReference(101, 9.0);
    EXPECT_NE(inode(101), changed);
    EXPECT_EQ(project.header(101).refUuid[0], 9.0);
    EXPECT_EQ(project.readFile("tb000101.zdw").substr(ZEL_TB_RECORD_SIZE), "walls and doors");
}

// A header the host has just written is read back as written, and gives
// way to whatever changes the file afterwards: a rewrite by another program,
// a header saved anew, the file deleted.
TEST_F(DrawingFilesTest, AHeaderJustWrittenReadsBackUntilTheFileChanges) {
    project.addDrawingFile(5, "source", true, "walls");
    project.addDrawingFile(6, "other", true, "doors");
    const auto headerRead = [&](int number) {
        std::string record(ZEL_TB_RECORD_SIZE, '\0');
        const int result = read_teilbild_rec(kgunit(), number, record.data());
        return result == ZEL_TB_OK ? record : "result " + std::to_string(result);
    };
    const auto headerOnDisk = [&](int number) {
        char name[16];
        std::snprintf(name, sizeof name, "tb%06d.zdw", number);
        return project.readFile(name).substr(0, ZEL_TB_RECORD_SIZE);
    };

    ASSERT_EQ(vw_tb_copy(ref(5), ref(100), "Copy", 1), ZEL_TB_OK);
    EXPECT_EQ(headerRead(100), headerOnDisk(100));
    char name[ZEL_TB_NAME_LENGTH + 1] = {};
    ASSERT_EQ(ltbvhr(kgunit(), 100, name), ZEL_TB_OK);
    EXPECT_EQ(std::string(name).substr(0, 4), "Copy");

    // Rewritten in place by another program: another reference, same length.
    std::string bytes = project.readFile("tb000100.zdw");
    ZelTbRecordSetDouble(bytes.data(), ZEL_TB_REC_REFUUID_FIRST, 5.0);
    project.writeFile("tb000100.zdw", bytes);
    EXPECT_EQ(headerRead(100), headerOnDisk(100));
    EXPECT_EQ(ZelTbRecordDouble(headerRead(100).data(), ZEL_TB_REC_REFUUID_FIRST), 5.0);

    // Completed by the host, then changed by another program again.
    std::string record = headerRead(100);
    ZelTbRecordSetDouble(record.data(), ZEL_TB_REC_REFUUID_FIRST, 11.0);
    ASSERT_EQ(update_teilbild_rec(kgunit(), record.data()), ZEL_TB_OK);
    EXPECT_EQ(headerRead(100), headerOnDisk(100));
    EXPECT_EQ(project.header(100).refUuid[0], 11.0);
    project.writeFile("tb000100.zdw", project.readFile("tb000005.zdw"));
    EXPECT_EQ(headerRead(100), headerOnDisk(5));

    ASSERT_EQ(vw_tb_copy(ref(5), ref(101), nullptr, 1), ZEL_TB_OK);
    EXPECT_EQ(headerRead(101), headerOnDisk(101));
    fs::remove(project.drawingFile(101));
    EXPECT_EQ(headerRead(101), "result " + std::to_string(ZEL_TB_NO_RECORD));
}

TEST_F(DrawingFilesTest, ConfiguredCallOfCopyFailsAndDoesNothing) {
    project.addDrawingFile(5, "source");
    project.config().failures = {{"vw_tb_copy", 2, ZEL_TB_WRITE_FAILED}};
    project.apply();
    EXPECT_EQ(vw_tb_copy(ref(5), ref(6), nullptr, 1), ZEL_TB_OK);
    EXPECT_EQ(vw_tb_copy(ref(5), ref(7), nullptr, 1), ZEL_TB_WRITE_FAILED);
    EXPECT_EQ(vw_tb_copy(ref(5), ref(8), nullptr, 1), ZEL_TB_OK);
    EXPECT_TRUE(fs::exists(project.drawingFile(6)));
    EXPECT_FALSE(fs::exists(project.drawingFile(7)));
    EXPECT_TRUE(fs::exists(project.drawingFile(8)));
    // Writing the configuration again counts afresh.
    project.apply();
    EXPECT_EQ(vw_tb_copy(ref(5), ref(9), nullptr, 1), ZEL_TB_OK);
    EXPECT_EQ(vw_tb_copy(ref(5), ref(10), nullptr, 1), ZEL_TB_WRITE_FAILED);
    EXPECT_FALSE(fs::exists(project.drawingFile(10)));
}

TEST_F(DrawingFilesTest, CopyNameIsCutToTheField) {
    project.addDrawingFile(5, "Ground floor");
    const std::string longName(ZEL_TB_NAME_LENGTH + 10, 'n');
    ASSERT_EQ(vw_tb_copy(ref(5), ref(6), longName.c_str(), 1), ZEL_TB_OK);
    EXPECT_EQ(project.header(6).name, std::string(ZEL_TB_NAME_LENGTH, 'n'));
}

TEST_F(DrawingFilesTest, CopyNeverOverwritesADrawingFile) {
    project.addDrawingFile(5, "source");
    project.addDrawingFile(6, "target", true, "precious");
    EXPECT_EQ(vw_tb_copy(ref(5), ref(6), nullptr, 1), ZEL_TB_EXISTS);
    EXPECT_EQ(project.header(6).name, "target");
    project.writeFile("tb000007.zdw", "damaged");
    EXPECT_EQ(vw_tb_copy(ref(5), ref(7), nullptr, 1), ZEL_TB_DAMAGED);
    EXPECT_EQ(project.readFile("tb000007.zdw"), "damaged");
    // An empty file holds nothing and takes the copy.
    project.writeFile("tb000008.zdw", "");
    EXPECT_EQ(vw_tb_copy(ref(5), ref(8), nullptr, 1), ZEL_TB_OK);
    EXPECT_EQ(project.header(8).name, "source");
    // A missing source, the source itself, another unit.
    EXPECT_EQ(vw_tb_copy(ref(9), ref(10), nullptr, 1), ZEL_TB_NO_RECORD);
    EXPECT_EQ(vw_tb_copy(ref(5), ref(5), nullptr, 1), ZEL_TB_BAD_REFERENCE);
    EXPECT_EQ(vw_tb_copy(ref(5), ZelMakeTbRef(kgunit() + 1, 10), nullptr, 1), ZEL_TB_BAD_REFERENCE);
    EXPECT_FALSE(fs::exists(project.drawingFile(10)));
}

TEST_F(DrawingFilesTest, DeleteRemovesTheFile) {
    project.addDrawingFile(5, "five");
    EXPECT_EQ(vw_tb_delete(ref(5)), ZEL_TB_OK);
    EXPECT_FALSE(fs::exists(project.drawingFile(5)));
    EXPECT_EQ(vw_tb_delete(ref(5)), ZEL_TB_NO_RECORD);
    ZelTbRef wrongKind = ref(5);
    wrongKind.kind = 2;
    project.addDrawingFile(5, "five");
    EXPECT_EQ(vw_tb_delete(wrongKind), ZEL_TB_BAD_REFERENCE);
    EXPECT_TRUE(fs::exists(project.drawingFile(5)));
}

TEST_F(DrawingFilesTest, GetInfoDescribesTheHeader) {
    DrawingHeader header;
    header.number = 12;
    header.name = "Section A";
    header.content = true;
    header.uuid[0] = 5.0;
    header.refUuid[1] = 6.0;
    project.addDrawingFile(header);
    ZelTbInfo info{};
    ASSERT_EQ(vw_tb_getinfo(ref(12), &info), ZEL_TB_OK);
    EXPECT_EQ(info.number, 12);
    EXPECT_EQ(std::string(info.name), "Section A" + std::string(ZEL_TB_NAME_LENGTH - 9, ' '));
    EXPECT_EQ(info.content, 1);
    EXPECT_EQ(info.uuid[0], 5.0);
    EXPECT_EQ(info.refUuid[1], 6.0);
    EXPECT_EQ(vw_tb_getinfo(ref(13), &info), ZEL_TB_NO_RECORD);
    EXPECT_EQ(info.number, 12);
}

class DrawingsTest : public DrawingFilesTest {
protected:
    std::vector<Drawing> drawings() {
        std::vector<Drawing> list;
        EXPECT_TRUE(ReadDrawings(project.file("drawings.txt").string(), list));
        return list;
    }
};

// A drawing name as the module builds it: zero-terminated, blanks after.
std::string FieldName(const std::string& text) {
    std::string field = text;
    field.push_back('\0');
    field.resize(ZEL_DRAWING_NAME_LENGTH, ' ');
    return field;
}

TEST_F(DrawingsTest, CreateFindAndDeleteADrawing) {
    project.addDrawingFile(5, "five");
    project.addDrawingFile(6, "six");
    const int numbers[] = {5, 6};
    int made = 0;
    ASSERT_EQ(ze_create_with_activeTbList(FieldName("FM-View_Ground").c_str(), numbers, 2, &made),
              ZEL_ZE_CREATED);
    EXPECT_EQ(made, 1);
    ASSERT_EQ(drawings().size(), 1u);
    EXPECT_EQ(drawings()[0].name, "FM-View_Ground");
    EXPECT_EQ(drawings()[0].drawingFiles, (std::vector<int>{5, 6}));

    int found = 0;
    const std::string padded = "FM-View_Ground" + std::string(56, ' ');
    EXPECT_EQ(vw_ze_get_nr(1, kgunit(), padded.c_str(), &found), 0);
    EXPECT_EQ(found, made);
    EXPECT_EQ(vw_ze_get_nr(1, kgunit(), "FM-View_Roof", &found), 1);
    EXPECT_EQ(vw_ze_get_nr(1, kgunit() + 1, padded.c_str(), &found), 2);

    // The drawing uses its drawing files.
    int drawing = 0;
    int counter = 0;
    EXPECT_EQ(kpvtzs(kgunit(), 6, &drawing, &counter, 2), 0);
    EXPECT_EQ(drawing, made);

    EXPECT_EQ(vw_ze_delete(1, kgunit(), made), 0);
    EXPECT_TRUE(drawings().empty());
    EXPECT_EQ(vw_ze_delete(1, kgunit(), made), 1);
}

TEST_F(DrawingsTest, NumbersFollowTheHighestDrawing) {
    project.addDrawingFile(5, "five");
    ASSERT_TRUE(WriteDrawings(project.file("drawings.txt").string(), {{7, {5}, "existing"}}));
    const int numbers[] = {5};
    int made = 0;
    ASSERT_EQ(ze_create_with_activeTbList("second", numbers, 1, &made), ZEL_ZE_CREATED);
    EXPECT_EQ(made, 8);
    EXPECT_EQ(drawings().size(), 2u);
}

TEST_F(DrawingsTest, CreationResults) {
    project.addDrawingFile(5, "five");
    project.config().drawingLimit = 2;
    project.apply();
    const int numbers[] = {5, 5, 5};
    const int missing[] = {5, 9};
    int made = -1;
    ASSERT_EQ(ze_create_with_activeTbList("A", numbers, 1, &made), ZEL_ZE_CREATED);
    EXPECT_EQ(ze_create_with_activeTbList("A  ", numbers, 1, &made), ZEL_ZE_NAME_EXISTS);
    EXPECT_EQ(ze_create_with_activeTbList("B", numbers, 3, &made), ZEL_ZE_REFUSED);
    EXPECT_EQ(ze_create_with_activeTbList("B", missing, 2, &made), ZEL_ZE_REFUSED);
    EXPECT_EQ(ze_create_with_activeTbList("   ", numbers, 1, &made), ZEL_ZE_REFUSED);
    EXPECT_EQ(ze_create_with_activeTbList("B", numbers, 0, &made), ZEL_ZE_REFUSED);
    EXPECT_EQ(drawings().size(), 1u);

    const std::string longName(ZEL_DRAWING_NAME_LENGTH + 5, 'L');
    ASSERT_EQ(ze_create_with_activeTbList(longName.c_str(), numbers, 1, &made),
              ZEL_ZE_CREATED_NAME_CUT);
    EXPECT_EQ(drawings().back().name, std::string(ZEL_DRAWING_NAME_LENGTH, 'L'));
}

TEST_F(DrawingsTest, ConfiguredCallOfCreationFailsAndMakesNothing) {
    project.addDrawingFile(5, "five");
    project.config().failures = {{"ze_create_with_activeTbList", 2, ZEL_ZE_NAME_EXISTS}};
    project.apply();
    const int numbers[] = {5};
    int made = 0;
    EXPECT_EQ(ze_create_with_activeTbList("A", numbers, 1, &made), ZEL_ZE_CREATED);
    made = 0;
    EXPECT_EQ(ze_create_with_activeTbList("B", numbers, 1, &made), ZEL_ZE_NAME_EXISTS);
    EXPECT_EQ(made, 0);
    EXPECT_EQ(ze_create_with_activeTbList("C", numbers, 1, &made), ZEL_ZE_CREATED);
    ASSERT_EQ(drawings().size(), 2u);
    EXPECT_EQ(drawings().back().name, "C");
}

TEST_F(DrawingsTest, ADamagedListIsNeverWrittenOver) {
    project.addDrawingFile(5, "five");
    const std::string damaged = "1\t5\tfirst\nthis is no drawing\n";
    project.writeFile("drawings.txt", damaged);
    const int numbers[] = {5};
    int made = 0;
    EXPECT_EQ(ze_create_with_activeTbList("new", numbers, 1, &made), ZEL_ZE_REFUSED);
    EXPECT_EQ(vw_ze_delete(1, kgunit(), 1), 2);
    EXPECT_EQ(vw_ze_get_nr(1, kgunit(), "first", &made), 2);
    EXPECT_EQ(project.readFile("drawings.txt"), damaged);
}

class FmFilesTest : public ::testing::Test {
protected:
    HostProject project;
};

void AddView(CfmViewInfo& views, const char* name, const char* uuid, const char* original,
             const char* lock) {
    views.InsertItem();
    views.ActiveFlag("0");
    views.NameOfView(name);
    views.UUID(uuid);
    views.FileSetNumber("0");
    views.CodePath(CfmViewInfo::cs_withoutPath());
    views.DateOfReplication("-1");
    views.UUID_Original(original);
    views.LockFlag(lock);
}

TEST_F(FmFilesTest, ViewFileRoundTrip) {
    {
        CfmViewInfo views(nullptr);
        EXPECT_FALSE(views.MoveToFirstItem());
        views.ClearFmViewInfo();
        AddView(views, "Level 1%%Original", "uuid-a", "0", "0");
        AddView(views, "Level 1%%Variant 1", "uuid-b", "uuid-a", "1");
        ASSERT_TRUE(views.WriteFmViewInfoFile());
    }
    EXPECT_TRUE(fs::exists(project.file("fm_views.txt")));
    CfmViewInfo views(nullptr);
    ASSERT_TRUE(views.MoveToFirstItem());
    EXPECT_STREQ(views.NameOfView(), "Level 1%%Original");
    EXPECT_STREQ(views.UUID(), "uuid-a");
    EXPECT_STREQ(views.CodePath(), CfmViewInfo::cs_withoutPath());
    EXPECT_STREQ(views.DateOfReplication(), "-1");
    EXPECT_STREQ(views.UUID_Original(), "0");
    ASSERT_TRUE(views.MoveToNextItem());
    EXPECT_STREQ(views.UUID_Original(), "uuid-a");
    EXPECT_STREQ(views.LockFlag(), "1");
    EXPECT_FALSE(views.MoveToNextItem());
    EXPECT_STREQ(views.NameOfView(), "");
}

TEST_F(FmFilesTest, ViewTextsStayOneField) {
    {
        CfmViewInfo views(nullptr);
        AddView(views, "two\tparts\nand lines", "uuid-a", "0", "0");
        ASSERT_TRUE(views.WriteFmViewInfoFile());
    }
    CfmViewInfo views(nullptr);
    ASSERT_TRUE(views.MoveToFirstItem());
    EXPECT_STREQ(views.NameOfView(), "two parts and lines");
    EXPECT_STREQ(views.UUID(), "uuid-a");
    EXPECT_FALSE(views.MoveToNextItem());
}

TEST_F(FmFilesTest, ViewFileReadsShortLinesAndRefusesToOverwriteADamagedOne) {
    project.writeFile("fm_views.txt", "#comment\n0\tOnly a name\n");
    {
        CfmViewInfo views(nullptr);
        ASSERT_TRUE(views.MoveToFirstItem());
        EXPECT_STREQ(views.NameOfView(), "Only a name");
        EXPECT_STREQ(views.LockFlag(), "");
    }
    const std::string damaged = "0\tname\tuuid\t0\tpath\tdate\torig\t0\tnine\tten\n";
    project.writeFile("fm_views.txt", damaged);
    CfmViewInfo views(nullptr);
    EXPECT_FALSE(views.MoveToFirstItem());
    AddView(views, "new", "uuid-n", "0", "0");
    EXPECT_FALSE(views.WriteFmViewInfoFile());
    EXPECT_EQ(project.readFile("fm_views.txt"), damaged);
}

// Line ends of either platform, blank lines, empty fields between tabs and
// at the end, and a last line without its line end all read field by field.
TEST_F(FmFilesTest, ViewFileFieldsAcrossLineEndsAndEmptyFields) {
    project.writeFile("fm_views.txt",
                      "#ActiveFlag\tNameOfView\r\n"
                      "0\tfirst\t\t0\r\n"
                      "\r\n"
                      "\n"
                      "0\tsecond\tuuid-2\t0\tpath\t45000,5\t0\t\n"
                      "1\tthird\tuuid-3\t0\tp\t-1\tuuid-2\t1");
    CfmViewInfo views(nullptr);
    ASSERT_TRUE(views.MoveToFirstItem());
    EXPECT_STREQ(views.NameOfView(), "first");
    EXPECT_STREQ(views.UUID(), "");
    EXPECT_STREQ(views.FileSetNumber(), "0");
    EXPECT_STREQ(views.CodePath(), "");
    ASSERT_TRUE(views.MoveToNextItem());
    EXPECT_STREQ(views.UUID(), "uuid-2");
    EXPECT_STREQ(views.DateOfReplication(), "45000,5");
    EXPECT_STREQ(views.UUID_Original(), "0");
    EXPECT_STREQ(views.LockFlag(), "");
    ASSERT_TRUE(views.MoveToNextItem());
    EXPECT_STREQ(views.ActiveFlag(), "1");
    EXPECT_STREQ(views.UUID_Original(), "uuid-2");
    EXPECT_STREQ(views.LockFlag(), "1");
    EXPECT_FALSE(views.MoveToNextItem());
}

// One field too many anywhere, even after good lines, leaves no items.
TEST_F(FmFilesTest, ViewFileWithALongLineAfterGoodOnesHasNoItems) {
    project.writeFile("fm_views.txt",
                      "0\ta\tuuid-a\t0\tp\t-1\t0\t0\n0\tb\tuuid-b\t0\tp\t-1\t0\t0\t\n");
    CfmViewInfo views(nullptr);
    EXPECT_FALSE(views.MoveToFirstItem());
}

// The file is read when the table is made, even when its items are asked
// for only later; and a damaged file stays protected when the table is
// emptied before any item was read.
TEST_F(FmFilesTest, TheViewFileIsTakenWhenTheTableIsMade) {
    const std::string first = "0\tfirst\tuuid-1\t0\tp\t-1\t0\t0\n";
    project.writeFile("fm_views.txt", first);
    CfmViewInfo views(nullptr);
    project.writeFile("fm_views.txt", "0\tsecond\tuuid-2\t0\tp\t-1\t0\t0\n");
    ASSERT_TRUE(views.MoveToFirstItem());
    EXPECT_STREQ(views.NameOfView(), "first");
    EXPECT_FALSE(views.MoveToNextItem());

    const std::string damaged = first + "0\tname\tuuid\t0\tpath\tdate\torig\t0\tnine\n";
    project.writeFile("fm_views.txt", damaged);
    CfmViewInfo emptied(nullptr);
    emptied.ClearFmViewInfo();
    AddView(emptied, "new", "uuid-n", "0", "0");
    EXPECT_FALSE(emptied.WriteFmViewInfoFile());
    EXPECT_EQ(project.readFile("fm_views.txt"), damaged);

    // A good file emptied first is written with the new items alone.
    project.writeFile("fm_views.txt", first);
    CfmViewInfo replaced(nullptr);
    replaced.ClearFmViewInfo();
    AddView(replaced, "new", "uuid-n", "0", "0");
    ASSERT_TRUE(replaced.WriteFmViewInfoFile());
    CfmViewInfo reread(nullptr);
    ASSERT_TRUE(reread.MoveToFirstItem());
    EXPECT_STREQ(reread.UUID(), "uuid-n");
    EXPECT_FALSE(reread.MoveToNextItem());
}

// Tables of the same file share what was read: a table's changes stay its
// own until written, and a table made after a write, or after another
// process changed the file, reads the file as it now is.
TEST_F(FmFilesTest, TablesOfOneFileShareTheReadingButNotTheirChanges) {
    const std::string two =
        "0\tfirst\tuuid-1\t0\tp\t-1\t0\t0\n"
        "0\tsecond\tuuid-2\t0\tp\t-1\t0\t0\n";
    project.writeFile("fm_views.txt", two);
    CfmViewInfo changing(nullptr);
    ASSERT_TRUE(changing.MoveToFirstItem());
    CfmViewInfo other(nullptr);
    ASSERT_TRUE(other.MoveToFirstItem());
    changing.NameOfView("renamed");
    EXPECT_STREQ(changing.NameOfView(), "renamed");
    EXPECT_STREQ(other.NameOfView(), "first");
    CfmViewInfo before(nullptr);
    ASSERT_TRUE(before.MoveToFirstItem());
    EXPECT_STREQ(before.NameOfView(), "first");

    ASSERT_TRUE(changing.WriteFmViewInfoFile());
    CfmViewInfo after(nullptr);
    ASSERT_TRUE(after.MoveToFirstItem());
    EXPECT_STREQ(after.NameOfView(), "renamed");
    ASSERT_TRUE(after.MoveToNextItem());
    EXPECT_STREQ(after.NameOfView(), "second");

    project.writeFile("fm_views.txt", "0\tthird\tuuid-3\t0\tp\t-1\t0\t0\n");
    CfmViewInfo outside(nullptr);
    ASSERT_TRUE(outside.MoveToFirstItem());
    EXPECT_STREQ(outside.NameOfView(), "third");
    EXPECT_FALSE(outside.MoveToNextItem());
}

// A damaged file whose reading another table has already made into rows is
// still never written over by a table emptied first.
TEST_F(FmFilesTest, ADamagedFileReadBeforeIsNotWrittenOverByAnEmptiedTable) {
    const std::string damaged = "0\tname\tuuid\t0\tpath\tdate\torig\t0\tnine\n";
    project.writeFile("fm_views.txt", damaged);
    CfmViewInfo first(nullptr);
    EXPECT_FALSE(first.MoveToFirstItem());
    CfmViewInfo emptied(nullptr);
    emptied.ClearFmViewInfo();
    AddView(emptied, "new", "uuid-n", "0", "0");
    EXPECT_FALSE(emptied.WriteFmViewInfoFile());
    EXPECT_EQ(project.readFile("fm_views.txt"), damaged);
}

TEST_F(FmFilesTest, ViewFileAtAGivenPath) {
    const std::string path = project.file("elsewhere.txt").string();
    {
        CfmViewInfo views(path.c_str());
        AddView(views, "V", "uuid-v", "0", "0");
        ASSERT_TRUE(views.WriteFmViewInfoFile());
    }
    EXPECT_FALSE(fs::exists(project.file("fm_views.txt")));
    CfmViewInfo views(path.c_str());
    ASSERT_TRUE(views.MoveToFirstItem());
    EXPECT_STREQ(views.UUID(), "uuid-v");
}

TEST_F(FmFilesTest, SettersWithoutACurrentItemChangeNothing) {
    CfmViewInfo views(nullptr);
    views.NameOfView("nowhere");
    EXPECT_STREQ(views.NameOfView(), "");
    ASSERT_TRUE(views.WriteFmViewInfoFile());
    CfmViewInfo again(nullptr);
    EXPECT_FALSE(again.MoveToFirstItem());
}

TEST_F(FmFilesTest, DrawingFileInformationRoundTrip) {
    {
        CfmTbInfo info(nullptr);
        // Nothing changed: the file is not made.
        EXPECT_TRUE(info.WriteFmTbInfoFile(false));
        EXPECT_FALSE(fs::exists(project.file("fm_tbinfo.txt")));
        info.ClearFmTbInfo();
        for (const char* number : {"5", "6"}) {
            info.InsertItem();
            info.TBNumber(number);
            info.ParentID("3");
            info.UUID_Tb("0");
            info.UUID_Ref("0");
            info.InsertFlag(number[0] == '6' ? "1" : "0");
            info.FernoFlag("0");
        }
        ASSERT_TRUE(info.WriteFmTbInfoFile(true));
    }
    // Built, it stands on its first item.
    CfmTbInfo info(nullptr);
    EXPECT_STREQ(info.TBNumber(), "5");
    EXPECT_STREQ(info.InsertFlag(), "0");
    ASSERT_TRUE(info.MoveToNextItem());
    EXPECT_STREQ(info.TBNumber(), "6");
    EXPECT_STREQ(info.InsertFlag(), "1");
    EXPECT_STREQ(info.ParentID(), "3");
    EXPECT_FALSE(info.MoveToNextItem());
}

}  // namespace
