// The program's argument handling and its tree subcommand, run as a shell
// runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <vedrix/samplegen/sample_project.h>

#include "support/program_run.h"
#include "support/scratch_directory.h"

namespace {

using test_support::RunProgram;

class TreeCommand : public ::testing::Test {
protected:
    test_support::ScratchDirectory scratch_{"cli-tree"};
    const std::filesystem::path project_ = scratch_.path();
};

TEST_F(TreeCommand, PrintsTheStructureOfAProjectTheTestWrote) {
    vedrix::samplegen::StructureSample sample;
    sample.name = "house";
    sample.buildings = 1;
    sample.storeysPerBuilding = 1;
    sample.partsPerStorey = 1;
    sample.drawingFilesPerPart = 2;
    sample.firstNumber = 41;
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    ASSERT_TRUE(WriteStructureSample(project_.string(), sample, summary, error)) << error;

    const auto run = RunProgram(VEDRIX_CLI_PATH, {"tree", project_.string(), "house.lis"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Hierarchy file house.hre: read\nLevel list file house.lis: read\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("41  (drawing file"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("42  (drawing file"), std::string::npos) << run.out;
}

TEST_F(TreeCommand, AProjectWithoutFilesIsReportedAndFails) {
    const auto run = RunProgram(VEDRIX_CLI_PATH, {"tree", (project_ / "none").string(), "x.lis"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot open"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(CommandLine, HelpSucceedsAndNamesEverySubcommand) {
    const auto run = RunProgram(VEDRIX_CLI_PATH, {"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("tree"), std::string::npos) << run.out;
    const auto tree = RunProgram(VEDRIX_CLI_PATH, {"tree", "--help"});
    EXPECT_EQ(tree.status, 0);
    EXPECT_NE(tree.out.find("project"), std::string::npos) << tree.out;
}

TEST(CommandLine, UsageErrorsExitWithTwo) {
    EXPECT_EQ(RunProgram(VEDRIX_CLI_PATH, {}).status, 2);
    EXPECT_EQ(RunProgram(VEDRIX_CLI_PATH, {"no-such-command"}).status, 2);
    const auto missing = RunProgram(VEDRIX_CLI_PATH, {"tree", "only-a-project"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("structure"), std::string::npos) << missing.err;
}

}  // namespace
