// Batches of drawing-file copies for variants on projects on disk: the
// numbers handed out, the copies' names and reference identifiers, the
// rollback of a failing batch, and what the person sees and hears.
#include "fman_project.h"

#include <vedrix/fman/tb_copy.h>
#include <vedrix/fman/tb_file_path.h>

#include <vedrix/automation/console.h>
#include <vedrix/automation/gtest_fixture.h>
#include <vedrix/samplegen/sample_project.h>
#if VEDRIX_HEADLESS
#include <vedrix/headless/file_changes.h>
#endif

#include <zelkar/file_access.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/headless_only.h"

using namespace fman_test;
using namespace hostsim_test;
using namespace vedrix::hostsim;
using ::testing::ElementsAre;
using vedrix::automation::ConsoleCapture;

namespace {

std::string Padded(const std::string& name) {
    return name + std::string(ZEL_TB_NAME_LENGTH - name.size(), ' ');
}

class TbCopyTest : public vedrix::automation::PersonTest {
protected:
    // Sources 1 to 3 with own and reference identifiers of their own; 102 is
    // taken by a drawing file with content, 100, 101 and 103 are free.
    void SetUp() override {
        PersonTest::SetUp();
        project.addDrawingFile(Header(1, "Ground floor", 1.5, 2.5, 11.5, 12.5), "walls");
        project.addDrawingFile(Header(2, "First floor", 3.5, 4.5, 13.5, 14.5), "doors");
        project.addDrawingFile(Header(3, "", 5.5, 6.5, 15.5, 16.5), "roof");
        project.addDrawingFile(102, "taken", true);
    }

    void useNaming(int namingType) {
        project.config().namingType = namingType;
        project.apply();
    }

    void failCall(const std::string& function, int call, int result) {
        project.config().failures = {{function, call, result}};
        project.apply();
    }

    // Runs a batch and keeps what the search printed.
    template <typename Batch>
    int run(Batch batch) {
        ConsoleCapture console(ConsoleCapture::Stdout);
        const int result = batch();
        console.stop();
        printed = console.out();
        return result;
    }

    HostProject project;
    std::vector<int> sources{1, 2, 3};
    std::vector<int> copies{-1, -1, -1};
    std::string printed;
};

TEST_F(TbCopyTest, CopiesGoToFreeNumbersAndReferToTheSourcesOwnIdentifier) {
    useNaming(1);
    ASSERT_EQ(
        run([&] { return CopyTbsKeepingUuid(sources.data(), copies.data(), 3, 100, "Variant"); }),
        0);
    EXPECT_THAT(copies, ElementsAre(100, 101, 103));
    // Numbers handed out in the batch are passed over silently; 102 is reported once.
    EXPECT_EQ(printed, "---> GetNextFreeTbNr(102) skipped, TB(102) is not empty!\n");

    EXPECT_EQ(StoredName(project, 100), Padded("Variant - Ground floor"));
    EXPECT_EQ(StoredName(project, 101), Padded("Variant - First floor"));
    EXPECT_EQ(StoredName(project, 103), Padded("Variant - 3"));
    const DrawingHeader first = project.header(100);
    EXPECT_EQ(first.refUuid[0], 1.5);
    EXPECT_EQ(first.refUuid[1], 2.5);
    EXPECT_EQ(project.header(101).refUuid[0], 3.5);
    EXPECT_EQ(project.header(103).refUuid[1], 6.5);
    // Copies have their own identifiers and the sources' content.
    EXPECT_FALSE(first.uuid[0] == 1.5 && first.uuid[1] == 2.5);
    EXPECT_EQ(project.readFile("tb000100.zdw").substr(ZEL_TB_RECORD_SIZE), "walls");
    // The sources stay as they were.
    EXPECT_EQ(project.header(1).refUuid[0], 11.5);
    EXPECT_EQ(project.header(1).name, "Ground floor");

    EXPECT_TRUE(person.messageBoxes().empty());
    HEADLESS_ONLY("beeps are recorded headless only");
    EXPECT_THAT(person.beeps(), ElementsAre(static_cast<UINT>(MB_ICONASTERISK)));
}

// The copies are flushed when a confirmed structure is about to name them:
// each one opened for writing, flushed and closed, counted by the headless
// platform's file-change steps (three a file); a number without a file is
// reported and the others are still flushed.
TEST_F(TbCopyTest, CopiesAreFlushedOnRequestAndAMissingOneIsReported) {
    HEADLESS_ONLY("counts the headless platform's file-change steps");
#if VEDRIX_HEADLESS
    ASSERT_EQ(
        run([&] { return CopyTbsKeepingUuid(sources.data(), copies.data(), 3, 100, nullptr); }), 0);
    const unsigned int made[] = {100, 101, 103};
    std::uint64_t before = vedrix::headless::FileChangeSteps();
    EXPECT_TRUE(FlushTbFiles(made, 3));
    EXPECT_EQ(vedrix::headless::FileChangeSteps() - before, 9u);

    const unsigned int withMissing[] = {100, 104, 103};
    before = vedrix::headless::FileChangeSteps();
    EXPECT_FALSE(FlushTbFiles(withMissing, 3));
    EXPECT_EQ(vedrix::headless::FileChangeSteps() - before, 7u);
    EXPECT_EQ(project.header(103).refUuid[0], 5.5);
#endif
}

TEST_F(TbCopyTest, CopiesKeepingTheReferenceReferToTheSourcesReference) {
    useNaming(2);
    ASSERT_EQ(run([&] {
                  return CopyTbsKeepingRefUuid(sources.data(), copies.data(), 3, 100, "Variant");
              }),
              0);
    EXPECT_THAT(copies, ElementsAre(100, 101, 103));
    EXPECT_EQ(StoredName(project, 100), Padded("Ground floor - Variant"));
    EXPECT_EQ(StoredName(project, 103), Padded("3 - Variant"));
    EXPECT_EQ(project.header(100).refUuid[0], 11.5);
    EXPECT_EQ(project.header(100).refUuid[1], 12.5);
    EXPECT_EQ(project.header(101).refUuid[0], 13.5);
    EXPECT_EQ(project.header(103).refUuid[1], 16.5);
    HEADLESS_ONLY("beeps are recorded headless only");
    EXPECT_THAT(person.beeps(), ElementsAre(static_cast<UINT>(MB_ICONASTERISK)));
}

TEST_F(TbCopyTest, NamesFollowTheNamingTypeAndTheNameText) {
    // Naming type 0: the copies keep the sources' names.
    ASSERT_EQ(CopyTbsToFreeNumbers(sources.data(), copies.data(), 2, kTbCopyKeepUuid, 200, "V"), 0);
    EXPECT_EQ(StoredName(project, 200), Padded("Ground floor"));
    // An empty name text: the source's drawing-file name, padded.
    useNaming(1);
    ASSERT_EQ(CopyTbsToFreeNumbers(sources.data(), copies.data(), 3, kTbCopyKeepUuid, 300, ""), 0);
    EXPECT_EQ(StoredName(project, 300), Padded("Ground floor"));
    EXPECT_EQ(StoredName(project, 302), Padded("3"));
    // No name text at all: the copy keeps the source's name even here.
    ASSERT_EQ(CopyTbsToFreeNumbers(sources.data(), copies.data(), 1, kTbCopyKeepUuid, 400, nullptr),
              0);
    EXPECT_EQ(project.header(400).name, "Ground floor");
    // A joined name longer than the field is cut to it.
    const std::string longText(80, 'x');
    ASSERT_EQ(CopyTbsToFreeNumbers(sources.data(), copies.data(), 1, kTbCopyKeepUuid, 500,
                                   longText.c_str()),
              0);
    EXPECT_EQ(StoredName(project, 500), std::string(ZEL_TB_NAME_LENGTH, 'x'));
}

TEST_F(TbCopyTest, ASourceIsNeverTheNumberOfACopy) {
    // Drawing file 100 has no content, so the search alone would hand it out.
    project.addDrawingFile(Header(100, "empty source", 7.5, 8.5, 0, 0), "");
    DrawingHeader empty = project.header(100);
    empty.content = false;
    project.addDrawingFile(empty, "");
    const std::vector<int> emptySource{100};
    std::vector<int> copy{-1};
    ASSERT_EQ(
        CopyTbsToFreeNumbers(emptySource.data(), copy.data(), 1, kTbCopyKeepUuid, 100, nullptr), 0);
    EXPECT_THAT(copy, ElementsAre(101));
    EXPECT_EQ(project.header(101).refUuid[0], 7.5);
}

TEST_F(TbCopyTest, AFailingCopyLeavesNoCopyBehind) {
    const DirectoryState before = SnapshotDirectory(project.dir());
    failCall("vw_tb_copy", 3, ZEL_TB_WRITE_FAILED);
    EXPECT_EQ(CopyTbsKeepingUuid(sources.data(), copies.data(), 3, 100, nullptr),
              ZEL_TB_WRITE_FAILED);
    // The output was cleared, and names the copies made before the failure.
    EXPECT_THAT(copies, ElementsAre(100, 101, 0));
    const DirectoryState after = SnapshotDirectory(project.dir());
    EXPECT_EQ(Differences(before, after), " changed:host.cfg");
    EXPECT_TRUE(person.beeps().empty());
    EXPECT_TRUE(person.messageBoxes().empty());
}

TEST_F(TbCopyTest, AFailingHeaderUpdateLeavesNoCopyBehind) {
    failCall("update_teilbild_rec", 2, ZEL_TB_WRITE_FAILED);
    EXPECT_EQ(CopyTbsKeepingRefUuid(sources.data(), copies.data(), 3, 100, nullptr),
              ZEL_TB_WRITE_FAILED);
    EXPECT_FALSE(fs::exists(project.drawingFile(100)));
    EXPECT_FALSE(fs::exists(project.drawingFile(101)));
    EXPECT_FALSE(fs::exists(project.drawingFile(103)));
    EXPECT_TRUE(fs::exists(project.drawingFile(102)));
    EXPECT_TRUE(person.beeps().empty());
}

TEST_F(TbCopyTest, NoFreeNumberIsToldAndLeavesNothing) {
    // 5998 is free, 5999 is not: the second source finds no number.
    project.addDrawingFile(5999, "taken", true);
    const DirectoryState before = SnapshotDirectory(project.dir());
    EXPECT_EQ(
        run([&] { return CopyTbsKeepingUuid(sources.data(), copies.data(), 2, 5998, "Variant"); }),
        -1);
    EXPECT_EQ(printed, "---> GetNextFreeTbNr(5999) skipped, TB(5999) is not empty!\n");
    const DirectoryState after = SnapshotDirectory(project.dir());
    EXPECT_TRUE(before == after) << Differences(before, after);
    const auto boxes = person.messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Sorry, no free Tb available!!!");
    EXPECT_EQ(boxes[0].caption, "");
    EXPECT_EQ(boxes[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_THAT(copies, ElementsAre(0, 0, -1));
    EXPECT_TRUE(person.beeps().empty());
}

TEST_F(TbCopyTest, ASourceWithoutHeaderIsToldAndLeavesNothing) {
    const std::vector<int> withMissing{1, 4};
    const DirectoryState before = SnapshotDirectory(project.dir());
    EXPECT_EQ(CopyTbsKeepingUuid(withMissing.data(), copies.data(), 2, 100, nullptr), -1);
    EXPECT_EQ(CopyTbsKeepingRefUuid(withMissing.data(), copies.data(), 2, 100, nullptr), -1);
    const DirectoryState after = SnapshotDirectory(project.dir());
    EXPECT_TRUE(before == after) << Differences(before, after);
    const auto boxes = person.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "No UUID in TB-header!!!");
    EXPECT_EQ(boxes[0].caption, "TB: 4");
    EXPECT_EQ(boxes[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(boxes[1].text, "No RefUUID in TB-header!!!");
    EXPECT_EQ(boxes[1].caption, "TB: 4");
    EXPECT_TRUE(person.beeps().empty());
}

TEST_F(TbCopyTest, NothingToCopyTouchesNothing) {
    const DirectoryState before = SnapshotDirectory(project.dir());
    EXPECT_EQ(run([&] {
                  return CopyTbsToFreeNumbers(sources.data(), copies.data(), 0, kTbCopyKeepUuid,
                                              100, "Variant");
              }),
              0);
    // The entry points take a missing count, source or output array as an error.
    EXPECT_EQ(CopyTbsKeepingUuid(sources.data(), copies.data(), 0, 100, nullptr), -1);
    EXPECT_EQ(CopyTbsKeepingRefUuid(nullptr, copies.data(), 3, 100, nullptr), -1);
    EXPECT_EQ(CopyTbsKeepingUuid(sources.data(), nullptr, 3, 100, nullptr), -1);
    // A source number outside the number table.
    const std::vector<int> outside{1, 6001};
    EXPECT_EQ(CopyTbsToFreeNumbers(outside.data(), copies.data(), 2, kTbCopyKeepUuid, 100, nullptr),
              -1);
    EXPECT_EQ(printed, "");
    EXPECT_THAT(copies, ElementsAre(-1, -1, -1));
    const DirectoryState after = SnapshotDirectory(project.dir());
    EXPECT_TRUE(before == after) << Differences(before, after);
    EXPECT_TRUE(person.beeps().empty());
    EXPECT_TRUE(person.messageBoxes().empty());
}

// A generated facility-management project: the copies go past every drawing
// file it holds.
TEST_F(TbCopyTest, CopiesOfAGeneratedProjectGoPastItsDrawingFiles) {
    vedrix::samplegen::FmSample sample;
    sample.firstNumber = 1000;
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    ASSERT_TRUE(vedrix::samplegen::WriteFmSample(project.str(), sample, summary, error)) << error;
    project.apply();  // the sample wrote its own configuration beside ours
    const std::vector<int> view{1000, 1001, 1002};
    ASSERT_EQ(run([&] { return CopyTbsKeepingUuid(view.data(), copies.data(), 3, 1000, nullptr); }),
              0);
    const int next = summary.lastNumber + 1;
    EXPECT_THAT(copies, ElementsAre(next, next + 1, next + 2));
    for (int i = 0; i < 3; ++i) {
        const DrawingHeader source = project.header(view[static_cast<std::size_t>(i)]);
        const DrawingHeader copy = project.header(copies[static_cast<std::size_t>(i)]);
        EXPECT_EQ(copy.refUuid[0], source.uuid[0]);
        EXPECT_EQ(copy.refUuid[1], source.uuid[1]);
        EXPECT_EQ(copy.name, source.name);
    }
}

}  // namespace
