// vedrix check on projects the tests write with the sample generator, clean
// and damaged on purpose: every kind of finding at its file and line, each
// exit status, and the JSON read back.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include <nlohmann/json.hpp>

#include <vedrix/samplegen/sample_project.h>

#include "support/program_run.h"
#include "support/scratch_directory.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadWholeFile;
using test_support::RunProgram;
using Place = std::tuple<std::string, int, std::string>;  // file, line, kind

class CheckCommand : public ::testing::Test {
protected:
    // One building with one storey of one part and one drawing file (number
    // 1), structure "house".
    void writeStructure() {
        vedrix::samplegen::StructureSample sample;
        sample.name = "house";
        sample.buildings = 1;
        sample.storeysPerBuilding = 1;
        sample.partsPerStorey = 1;
        sample.drawingFilesPerPart = 1;
        sample.freeDrawingFiles = 0;
        vedrix::samplegen::SampleSummary summary;
        std::string error;
        ASSERT_TRUE(WriteStructureSample(project_.string(), sample, summary, error)) << error;
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(project_ / name, std::ios::binary) << text;
    }
    // Puts the whole line `text` into the file at byte `at`; returns its line.
    int insertLine(const std::string& name, std::size_t at, const std::string& text) {
        const std::string old = ReadWholeFile(project_ / name);
        write(name, old.substr(0, at) + text + old.substr(at));
        return 1 +
               static_cast<int>(std::count(old.begin(), old.begin() + static_cast<long>(at), '\n'));
    }
    test_support::ProgramResult check(const std::string& structure, bool json = false) {
        std::vector<std::string> args{"check", project_.string(), structure};
        if (json) {
            args.push_back("--json");
        }
        return RunProgram(VEDRIX_CLI_PATH, args);
    }
    // The places of the findings of a --json run, which must parse.
    std::set<Place> places(const test_support::ProgramResult& run) {
        const nlohmann::json report = nlohmann::json::parse(run.out);
        std::set<Place> found;
        for (const auto& finding : report.at("findings")) {
            EXPECT_FALSE(finding.at("message").get<std::string>().empty());
            found.emplace(finding.at("file"), finding.at("line"), finding.at("kind"));
        }
        return found;
    }

    test_support::ScratchDirectory scratch_{"cli-check"};
    const fs::path project_ = scratch_.path();
};

TEST_F(CheckCommand, AProjectAsTheGeneratorWritesItIsClean) {
    writeStructure();
    const auto text = check("house.lis");
    EXPECT_EQ(text.status, 0) << text.out << text.err;
    EXPECT_EQ(text.out, "0 findings\n");

    const auto json = check("house.lis", true);
    EXPECT_EQ(json.status, 0);
    const nlohmann::json report = nlohmann::json::parse(json.out);
    EXPECT_EQ(report.at("status"), "clean");
    EXPECT_EQ(report.at("structure"), "house.lis");
    EXPECT_TRUE(report.at("findings").empty());
}

TEST_F(CheckCommand, AFacilityManagementProjectAsWrittenIsClean) {
    vedrix::samplegen::FmSample sample;
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    ASSERT_TRUE(WriteFmSample(project_.string(), sample, summary, error)) << error;
    const auto run = check("fm.lis");
    EXPECT_EQ(run.status, 0) << run.out << run.err;
}

// A structure damaged in every way the module passes over silently, each
// reported at its own line.
TEST_F(CheckCommand, ReportsEveryKindOfFindingAtItsFileAndLine) {
    writeStructure();
    const std::string bitmaps = (project_ / "bitmaps").string() + "/";
    write("bitmaps/broken.bmp", "no bitmap at all");
    write("house.hre",
          "#BITMAP_PATH:\t" + bitmaps +
              "\n"                                            // 1
              "#DEFINED_LEVEL:\t1\tBuilding\tbuilding.bmp\n"  // 2
              "#DEFINED_LEVEL:\t2\tStorey\tstorey.bmp\n"      // 3: defined again in 5
              "#DEFINED_LEVEL:\t3\tPart\tbroken.bmp\n"        // 4: the bitmap does not load
              "#DEFINED_LEVEL:\t2\tFloor\tstorey.bmp\n"       // 5
              "#DATA:\n"                                      // 6
              "\t1\t1\t0\t0\tHouse\n"                         // 7
              "\t2\t2\t1\t0\tGround floor\n"                  // 8: replaced by 10 with 9
              "\t3\t5\t2\t0\tKitchen\n"                       // 9
              "\t2\t2\t1\t0\tGround floor again\n"            // 10
              "\t2\t3\t9\t0\tFirst floor\n"                   // 11: parent ID 9, below 1
              "\t4\t4\t3\t0\tAttic room\n"                    // 12: level 4 is not defined
              "\t1\t6\t0\t0\tShed\n"                          // 13
              "\t2\t4\t6\t0\tShed floor\n"                    // 14: ID 4 again, 12 wins
              "\t12\t8\t4\t0\tOdd\n"                          // 15: level number above 9
              "\t1\t9\t0\t0\t" +
              std::string(300, 'N') +
              "\n"  // 16: name cut to 254
              "\t1\t10\t0\t0\tLong\t" +
              std::string(120, 'u') +
              "\n"              // 17: UUID cut to 99
              "#ATTRIBUTES:\n"  // 18
              "\t77\tColour\t" +
              std::string(300, 'r') + "\t1\t1\t0\t0\n");  // 19: no level has ID 77; value cut
    write("house.lis",
          "#DATA:\n"         // 1
          "1\t1\t1\t\n"      // 2: fine
          "70000\t1\t0\t\n"  // 3: cut to 16 bits, and missing
          "abc\t6\t0\t\n"    // 4: no number (read as 0), and missing
          "2\t3\t0\t\n"      // 5: missing
          "3\t5\t0\t\n"      // 6: parent 5 went with line 8: the reading stops
          "1\t1\t0\t\n");    // 7: never read

    const auto run = check("house.lis", true);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out).at("status"), "findings");
    const std::set<Place> expected{
        {"house.hre", 3, "definition-replaced"},
        {"house.hre", 4, "bitmap"},
        {"house.hre", 8, "id-replaced"},
        {"house.hre", 11, "parent-mismatch"},
        {"house.hre", 12, "level-undefined"},
        {"house.hre", 14, "id-shared"},
        {"house.hre", 15, "level-number"},
        {"house.hre", 16, "name-cut"},
        {"house.hre", 17, "uuid-cut"},
        {"house.hre", 19, "attribute-level-missing"},
        {"house.hre", 19, "attribute-cut"},
        {"house.lis", 3, "number-cut"},
        {"house.lis", 3, "drawing-file-missing"},
        {"house.lis", 4, "entry-name"},
        {"house.lis", 4, "drawing-file-missing"},
        {"house.lis", 5, "drawing-file-missing"},
        {"house.lis", 6, "reader-stopped"},
    };
    EXPECT_EQ(places(run), expected) << run.out;

    // The text form says the same, one line per finding.
    const auto text = check("house.lis");
    EXPECT_EQ(text.status, 1);
    EXPECT_NE(text.out.find("house.lis:6: reader-stopped: "), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("house.hre:14: id-shared: level \"Shed floor\" (ID 4) shares its ID "
                            "with level \"Attic room\" (ID 4)"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("17 findings\n"), std::string::npos) << text.out;
}

TEST_F(CheckCommand, WhereTheHierarchyReaderStopsIsReportedAndTheRestIsNot) {
    writeStructure();
    const std::string hre = ReadWholeFile(project_ / "house.hre");
    // A broken line right after "#DATA:", written with carriage returns as
    // on Windows: the line numbers are those a person sees.
    const int line = insertLine("house.hre", hre.find("#DATA:\n") + 7, "\tx\t1\t0\t0\tBroken\r\n");
    const auto run = check("house.lis", true);
    EXPECT_EQ(run.status, 1);
    // The levels after the line are gone, so the entries find no parent.
    const std::set<Place> found = places(run);
    EXPECT_EQ(found.count({"house.hre", line, "reader-stopped"}), 1u) << run.out;
    EXPECT_EQ(found.count({"house.lis", 2, "reader-stopped"}), 1u) << run.out;
}

TEST_F(CheckCommand, StructureLinesAfterAHashLineOtherThanTheAttributesAreReported) {
    writeStructure();
    const std::string hre = ReadWholeFile(project_ / "house.hre");
    const auto afterBuilding = hre.find('\n', hre.find("#DATA:\n") + 7) + 1;
    const int line = insertLine("house.hre", afterBuilding, "# NOTES: storeys below\n");
    const auto run = check("house.lis", true);
    EXPECT_EQ(run.status, 1);
    const std::set<Place> found = places(run);
    EXPECT_EQ(found.count({"house.hre", line, "levels-ended"}), 1u) << run.out;
    // The storey and part are gone, so the drawing file's entry has no parent.
    EXPECT_EQ(found.count({"house.lis", 2, "reader-stopped"}), 1u) << run.out;

    // "# ATTRIBUTES:" with a blank is the attribute section, as the readers take it.
    std::string spaced = hre;
    spaced.replace(spaced.find("#ATTRIBUTES:"), 12, "# ATTRIBUTES:");
    write("house.hre", spaced);
    const auto clean = check("house.lis");
    EXPECT_EQ(clean.status, 0) << clean.out;
}

TEST_F(CheckCommand, ViewsThatTheViewFileAndTheStructureDoNotShareAreReported) {
    vedrix::samplegen::FmSample sample;
    sample.buildings = 1;
    sample.viewsPerBuilding = 2;
    sample.variantsPerView = 0;
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    ASSERT_TRUE(WriteFmSample(project_.string(), sample, summary, error)) << error;
    // The view file loses its first view and gains one the structure lacks.
    std::istringstream views(ReadWholeFile(project_ / "fm_views.txt"));
    std::string kept, dropped, line;
    for (int number = 1; std::getline(views, line); ++number) {
        if (dropped.empty() && !line.empty() && line[0] != '#') {
            dropped = line;
            continue;
        }
        kept += line + "\n";
    }
    kept +=
        "0\tBuilding 1%%Gone\t11111111-2222-3333-4444-555555555555\t0\t<without path>\t-1\t0\t0\n";
    write("fm_views.txt", kept);
    const std::string droppedId =
        dropped.substr(dropped.find('\t', dropped.find('\t') + 1) + 1, 36);
    int viewLine = 0;
    std::istringstream hre(ReadWholeFile(project_ / "fm.hre"));
    for (int number = 1; std::getline(hre, line); ++number) {
        if (line.find(droppedId) != std::string::npos) {
            viewLine = number;
        }
    }
    ASSERT_GT(viewLine, 0);
    int newRow = 0;
    for (char c : kept) {
        newRow += c == '\n' ? 1 : 0;
    }

    const auto run = check("fm.lis", true);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(places(run), (std::set<Place>{{"fm.hre", viewLine, "view-not-in-view-file"},
                                            {"fm_views.txt", newRow, "view-not-in-structure"}}))
        << run.out;
}

TEST_F(CheckCommand, AStructureThatCannotBeReadExitsWithTwo) {
    // No such directory.
    const auto missing =
        RunProgram(VEDRIX_CLI_PATH, {"check", (project_ / "none").string(), "house.lis"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("does not exist"), std::string::npos) << missing.err;
    EXPECT_EQ(missing.out, "");

    // A structure name without files.
    writeStructure();
    const auto noFiles = check("other.lis", true);
    EXPECT_EQ(noFiles.status, 2);
    const nlohmann::json report = nlohmann::json::parse(noFiles.out);
    EXPECT_EQ(report.at("status"), "unreadable");
    EXPECT_NE(report.at("error").get<std::string>().find("other.hre"), std::string::npos);

    // A structure file that is there but cannot be read.
    fs::create_directory(project_ / "folder.hre");
    const auto unreadable = check("folder.lis");
    EXPECT_EQ(unreadable.status, 2) << unreadable.out;
    EXPECT_NE(unreadable.err.find("cannot read"), std::string::npos) << unreadable.err;
}

TEST_F(CheckCommand, AMissingLevelListFileIsAFinding) {
    writeStructure();
    fs::remove(project_ / "house.lis");
    const auto run = check("house.lis", true);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(places(run), (std::set<Place>{{"house.lis", 0, "file-missing"}})) << run.out;
}

}  // namespace
