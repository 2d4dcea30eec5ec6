// vedrix sample: projects of a size asked for, which the module reads whole
// and the checker finds clean; its usage errors; and the progress bar it
// draws while it writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "progress_bar.h"
#include "support/program_run.h"
#include "support/scratch_directory.h"

namespace {

namespace fs = std::filesystem;
using test_support::RunProgram;

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

class SampleCommand : public ::testing::Test {
protected:
    int drawingFilesOnDisk() const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            count += entry.path().extension() == ".zdw" ? 1 : 0;
        }
        return count;
    }
    // Made by the program under test.
    test_support::ScratchDirectory scratch_{"cli-sample", false};
    const fs::path dir_ = scratch_.path();
};

TEST_F(SampleCommand, WritesAStructureOfTheSizeAskedForThatChecksClean) {
    // Ten levels to a building (one building, three storeys of two parts):
    // 25 levels take three buildings; 7 drawing files spread over 18 parts.
    const auto run =
        RunProgram(VEDRIX_CLI_PATH, {"sample", dir_.string(), "--levels", "25", "--drawings", "7"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              "30 levels, 12 drawing files (up to number 12), 0 views written to " + dir_.string());
    EXPECT_NE(run.out.find("VEDRIX_HOST_CONFIG=" + (dir_ / "host.cfg").string()),
              std::string::npos);
    EXPECT_EQ(drawingFilesOnDisk(), 12);  // 5 free ones besides

    const auto tree = RunProgram(VEDRIX_CLI_PATH, {"tree", dir_.string(), "sample.lis"});
    EXPECT_EQ(tree.status, 0) << tree.err;
    EXPECT_EQ(count(tree.out, "(drawing file"), 7) << tree.out;
    EXPECT_EQ(count(tree.out, "(level 1 Building"), 3);
    const auto check = RunProgram(VEDRIX_CLI_PATH, {"check", dir_.string(), "sample.lis"});
    EXPECT_EQ(check.status, 0) << check.out;
}

TEST_F(SampleCommand, WritesAFacilityManagementProjectWithItsViews) {
    // Two views with one variant each: five levels to a building; 10 drawing
    // files over four views take three each.
    const auto run = RunProgram(VEDRIX_CLI_PATH, {"sample", dir_.string(), "--fm", "--name", "site",
                                                  "--levels", "5", "--drawings", "10"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              "5 levels, 17 drawing files (up to number 17), 4 views written to " + dir_.string());
    EXPECT_TRUE(fs::exists(dir_ / "site.hre"));
    EXPECT_TRUE(fs::exists(dir_ / "fm_views.txt"));
    const auto check = RunProgram(VEDRIX_CLI_PATH, {"check", dir_.string(), "site.lis"});
    EXPECT_EQ(check.status, 0) << check.out;
}

TEST_F(SampleCommand, BadOptionsAreUsageErrorsAndAnUnwritableDirectoryFails) {
    EXPECT_EQ(RunProgram(VEDRIX_CLI_PATH, {"sample"}).status, 2);
    EXPECT_EQ(RunProgram(VEDRIX_CLI_PATH, {"sample", dir_.string(), "--levels", "x"}).status, 2);
    const auto both =
        RunProgram(VEDRIX_CLI_PATH, {"sample", dir_.string(), "--levels", "5", "--buildings", "2"});
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("excludes"), std::string::npos) << both.err;
    EXPECT_FALSE(fs::exists(dir_));

    // Below a plain file no directory can be made.
    fs::create_directories(dir_);
    test_support::ProgramResult blocked;
    {
        std::FILE* file = std::fopen((dir_ / "file").c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
        blocked = RunProgram(VEDRIX_CLI_PATH, {"sample", (dir_ / "file" / "project").string()});
    }
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.err.find("cannot"), std::string::npos) << blocked.err;
    EXPECT_EQ(blocked.out, "");

    const auto counts =
        RunProgram(VEDRIX_CLI_PATH, {"sample", dir_.string() + "/p", "--first", "999999"});
    EXPECT_EQ(counts.status, 1);
    EXPECT_NE(counts.err.find("out of range"), std::string::npos) << counts.err;
}

// What a progress bar leaves on its stream.
std::string drawn(bool terminal, std::chrono::seconds delay, int steps) {
    std::FILE* out = std::tmpfile();
    {
        vedrix::cli::ProgressBar bar(out, terminal, delay);
        for (int done = 1; done <= steps; ++done) {
            bar.update(done, steps);
            bar.update(done, steps);  // no change: not drawn again
        }
    }
    std::string text(static_cast<std::size_t>(std::ftell(out)), '\0');
    std::rewind(out);
    text.resize(std::fread(text.data(), 1, text.size(), out));
    std::fclose(out);
    return text;
}

TEST(ProgressBar, DrawsInPlaceOnATerminalOnceTheWorkTakesLongerThanItsDelay) {
    const std::string text = drawn(true, std::chrono::seconds(0), 4);
    EXPECT_EQ(count(text, "\r["), 4) << text;
    EXPECT_NE(text.find("\r[##########------------------------------]  25%  1 of 4"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("] 100%  4 of 4 drawing files\n"), std::string::npos) << text;

    EXPECT_EQ(drawn(false, std::chrono::seconds(0), 4), "");
    EXPECT_EQ(drawn(true, std::chrono::seconds(3600), 4), "");
}

}  // namespace
