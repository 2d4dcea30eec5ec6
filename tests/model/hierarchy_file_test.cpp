// Reading and writing the hierarchy file.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <vedrix/framework/text_file.h>
#include <vedrix/model.h>

#include "tree_samples.h"

using vedrix::test::describe;

namespace {

struct Read {
    int result;
    std::string tree;
};

Read readHre(const std::string& text, unsigned int readLevels = 1) {
    Zel_GM_Root root("R");
    std::istringstream in(text);
    const int result = root.readhre(in, readLevels);
    return {result, describe(root)};
}

std::string definitions(const Zel_GM_Root& root) {
    std::ostringstream out;
    for (const auto& node : root.getLevelDefinitions()) {
        const Zel_GM_LevelDefinition& d = *node.value;
        out << node.key << ':' << d.levelNr << " [" << d.name.getText() << "] ["
            << d.bitmapDir.getText() << "] [" << d.bitmapFile.getText() << "]\n";
    }
    return out.str();
}

const char kSample[] =
    "! building structure of the sample project\n"
    "#BITMAP_PATH:\tC:\\bitmaps\\\n"
    "#DEFINED_LEVEL:\t1\tBuilding\tbuilding.bmp\n"
    "#DEFINED_LEVEL:\t2\tStorey\tstorey.bmp\n"
    "#BITMAP_PATH: \t D:\\other\\\n"
    "#DEFINED_LEVEL:\t3\tPart of storey\tpart.bmp\n"
    "#DATA:\n"
    "\t1\t1\t0\t3\tMain building\t6f1c2b9e-0000-4000-8000-000000000001\n"
    "! a comment among the levels\n"
    "\t2\t2\t1\t0\tGround floor\n"
    "\t3\t4\t2\t1\tWest\n"
    "\t2\t3\t1\t2\tFirst floor\n"
    "\t1\t5\t0\t0\tAnnex\n"
    "#ATTRIBUTES:\n";

TEST(HierarchyRead, SampleGivesDefinitionsAndLevelsByLevelNumbers) {
    Zel_GM_Root root("R");
    std::istringstream in(kSample);
    EXPECT_EQ(root.readhre(in, 1), 0);
    EXPECT_EQ(definitions(root),
              "1:1 [Building] [C:\\bitmaps\\] [building.bmp]\n"
              "2:2 [Storey] [C:\\bitmaps\\] [storey.bmp]\n"
              "3:3 [Part of storey] [D:\\other\\] [part.bmp]\n");
    EXPECT_EQ(describe(root),
              "0: 0 0 0 0 [R] <>\n"
              "  1: 1 1 0 3 [Main building] <6f1c2b9e-0000-4000-8000-000000000001>\n"
              "    2: 2 2 1 0 [Ground floor] <>\n"
              "      4: 3 4 2 1 [West] <>\n"
              "    3: 2 3 1 2 [First floor] <>\n"
              "  5: 1 5 0 0 [Annex] <>\n");
    // The reader stops at the "#" line and leaves it in the stream.
    std::string rest;
    std::getline(in, rest);
    EXPECT_EQ(rest, "#ATTRIBUTES:");
}

TEST(HierarchyRead, SameFileFromDiskWithWindowsNameAndNoDefinitions) {
    vedrix::test::TempDir dir;
    auto path = dir.write("sample.hre", "#DATA:\n\t1\t1\t0\t0\tOnly\n\t3\t2\t1\t0\tSkip two\n");
    std::ifstream in(path);
    Zel_GM_Root root("R");
    EXPECT_EQ(root.readhre(in, 1), 0);
    EXPECT_TRUE(root.getLevelDefinitions().isEmpty());
    EXPECT_EQ(describe(root),
              "0: 0 0 0 0 [R] <>\n  1: 1 1 0 0 [Only] <>\n    2: 3 2 1 0 [Skip two] <>\n");
}

TEST(HierarchyRead, FileWrittenWithCarriageReturnsReadsTheSame) {
    vedrix::test::TempDir dir;
    std::string crlf;
    for (const char* c = kSample; *c != '\0'; ++c) {
        if (*c == '\n') {
            crlf += '\r';
        }
        crlf += *c;
    }
    const auto path = dir.write("windows.hre", crlf);
    vedrix::framework::TextFileReader levels(path.string().c_str());
    vedrix::framework::TextFileReader attributes(path.string().c_str());
    Zel_GM_Root fromDisk("R");
    EXPECT_EQ(fromDisk.readhre(levels, 1), 0);
    EXPECT_EQ(fromDisk.readAttributes(attributes), 1);
    Zel_GM_Root fromMemory("R");
    std::istringstream in(kSample);
    EXPECT_EQ(fromMemory.readhre(in, 1), 0);
    EXPECT_EQ(describe(fromDisk), describe(fromMemory));
}

TEST(HierarchyRead, KeywordRules) {
    // A blank between "#" and the keyword is allowed; unknown keywords and
    // over-long words are skipped with their line.
    EXPECT_EQ(readHre("# DATA:\n\t1\t1\t0\t0\tA\n").tree,
              "0: 0 0 0 0 [R] <>\n  1: 1 1 0 0 [A] <>\n");
    EXPECT_EQ(readHre("#VERSION: 3\n#DATA:\n").result, 0);
    EXPECT_EQ(readHre("#DATA:EXTRA_LONG_KEYWORD_X\n").result, 1);
    EXPECT_EQ(readHre("#data:\n").result, 1);  // case-sensitive: no levels start
    EXPECT_EQ(readHre("! only a comment\n").result, 1);
    EXPECT_EQ(readHre("").result, 1);
    // With readLevels 0 the reader stops right after "#DATA:".
    Zel_GM_Root root("R");
    root.addSublevel(1, 9, 0, "kept", 0, nullptr);
    std::istringstream in("#DATA:\n\t1\t1\t0\t0\tA\n");
    EXPECT_EQ(root.readhre(in, 0), 0);
    EXPECT_EQ(describe(root), "0: 0 0 0 0 [R] <>\n  9: 1 9 0 0 [kept] <>\n");
    std::string next;
    std::getline(in, next);
    EXPECT_EQ(next, "\t1\t1\t0\t0\tA");
}

TEST(HierarchyRead, DefinitionLinesSplitAtTheLastTabOrBlank) {
    Zel_GM_Root root("R");
    std::istringstream in(
        "#DEFINED_LEVEL:\t1\tBig  house.bmp\n"
        "#DEFINED_LEVEL: 2 \t Storey name\t \tstorey.bmp\n"
        "#DEFINED_LEVEL:\t3\tJustAName\n"
        "#DEFINED_LEVEL:\t3\tSecond definition\tthree.bmp\n"
        "#DATA:\n");
    EXPECT_EQ(root.readhre(in, 1), 0);
    EXPECT_EQ(definitions(root),
              "1:1 [Big ] [] [house.bmp]\n"
              "2:2 [Storey name\t ] [] [storey.bmp]\n"
              "3:3 [Second definition] [] [three.bmp]\n");
}

TEST(HierarchyRead, LineLengthLimits) {
    const std::string name254(254, 'n');
    // The rest of a structure line may hold 354 characters.
    const std::string uuid(354 - 255, 'u');
    Read ok = readHre("#DATA:\n\t1\t1\t0\t0\t" + name254 + "\t" + uuid + "\n");
    EXPECT_EQ(ok.result, 0);
    EXPECT_NE(ok.tree.find("[" + name254 + "] <" + std::string(99, 'u') + ">"), std::string::npos);
    EXPECT_EQ(readHre("#DATA:\n\t1\t1\t0\t0\t" + std::string(355, 'n') + "\n").result, 1);
    // A name longer than 254 characters is cut.
    Read cut = readHre("#DATA:\n\t1\t1\t0\t0\t" + std::string(300, 'n') + "\n");
    EXPECT_EQ(cut.result, 0);
    EXPECT_NE(cut.tree.find("[" + name254 + "]"), std::string::npos);

    EXPECT_EQ(readHre("#BITMAP_PATH:\t" + std::string(190, 'd') + "\n#DATA:\n").result, 0);
    EXPECT_EQ(readHre("#BITMAP_PATH:\t" + std::string(191, 'd') + "\n#DATA:\n").result, 1);
    EXPECT_EQ(readHre("#DEFINED_LEVEL:\t1" + std::string(254, 'x') + "\n#DATA:\n").result, 0);
    EXPECT_EQ(readHre("#DEFINED_LEVEL:\t1" + std::string(255, 'x') + "\n#DATA:\n").result, 1);
    // A skipped header line is skipped 256 characters at a time: what follows
    // is read as a line of its own, here a "#DATA:" line.
    EXPECT_EQ(readHre("x" + std::string(256, 'y') + "#DATA:\n").result, 0);
}

TEST(HierarchyRead, EndOfStreamRules) {
    // A last structure line without its newline fails.
    Read noNewline = readHre("#DATA:\n\t1\t1\t0\t0\tA\n\t1\t2\t0\t0\tB");
    EXPECT_EQ(noNewline.result, 1);
    EXPECT_EQ(noNewline.tree, "0: 0 0 0 0 [R] <>\n  1: 1 1 0 0 [A] <>\n");
    // No "#DATA:" at all.
    Read noData = readHre("#DEFINED_LEVEL:\t1\tBuilding\tb.bmp\n\t1\t1\t0\t0\tA\n");
    EXPECT_EQ(noData.result, 1);
    EXPECT_EQ(noData.tree, "0: 0 0 0 0 [R] <>\n");
    // A malformed line stops the reading; what came before stays.
    Read malformed = readHre("#DATA:\n\t1\t1\t0\t0\tA\n\tx\t2\t0\t0\tB\n\t1\t3\t0\t0\tC\n");
    EXPECT_EQ(malformed.result, 1);
    EXPECT_EQ(malformed.tree, "0: 0 0 0 0 [R] <>\n  1: 1 1 0 0 [A] <>\n");
    // A structure line with level number 0 ends the reading of the root.
    Read zero = readHre("#DATA:\n\t1\t1\t0\t0\tA\n\t0\t2\t0\t0\tB\n\t1\t3\t0\t0\tC\n");
    EXPECT_EQ(zero.result, 0);
    EXPECT_EQ(zero.tree, "0: 0 0 0 0 [R] <>\n  1: 1 1 0 0 [A] <>\n");
}

TEST(HierarchyRead, ReadingBelowALevelLeavesForeignLinesInTheStream) {
    Zel_GM_Level storey(2, 7, 1, "storey", 0, nullptr);
    std::istringstream in("\t3\t8\t7\t0\tpart\n\t2\t9\t1\t0\tnext storey\n");
    EXPECT_EQ(storey.readhre(in), 0);
    EXPECT_EQ(describe(storey), "7: 2 7 1 0 [storey] <>\n  8: 3 8 7 0 [part] <>\n");
    std::string next;
    std::getline(in, next);
    EXPECT_EQ(next, "\t2\t9\t1\t0\tnext storey");
}

TEST(HierarchyRead, NameWithATabComesBackCutThere) {
    Zel_GM_Root root("R");
    root.addSublevel(1, 1, 0, "left\tright", 0, nullptr);
    std::istringstream in(vedrix::test::writeHierarchy(root, false));
    Zel_GM_Root back("R");
    EXPECT_EQ(back.readhre(in, 1), 0);
    EXPECT_EQ(describe(back), "0: 0 0 0 0 [R] <>\n  1: 1 1 0 0 [left] <right>\n");
}

TEST(HierarchyWrite, BitmapPathLinesOnlyWhereTheDirectoryChanges) {
    Zel_GM_Root root("R");
    root.defineLevel(3, "Part", "C:\\bmp\\", "part.bmp");
    root.defineLevel(1, "Building", "", "b.bmp");
    root.defineLevel(2, "Storey", "C:\\bmp\\", "s.bmp");
    root.defineLevel(4, "Room", "C:\\bmp\\", "r.bmp");
    root.defineLevel(5, "Zone", "", "z.bmp");
    root.addSublevel(1, 1, 0, "B", 1, nullptr)->addSublevel(10, 2, 1, "17", 0, nullptr);
    EXPECT_EQ(vedrix::test::writeHierarchy(root, false),
              "#DEFINED_LEVEL:\t1\tBuilding\tb.bmp\n"
              "#BITMAP_PATH:\tC:\\bmp\\\n"
              "#DEFINED_LEVEL:\t2\tStorey\ts.bmp\n"
              "#DEFINED_LEVEL:\t3\tPart\tpart.bmp\n"
              "#DEFINED_LEVEL:\t4\tRoom\tr.bmp\n"
              "#BITMAP_PATH:\t\n"
              "#DEFINED_LEVEL:\t5\tZone\tz.bmp\n"
              "#DATA:\n"
              "\t1\t1\t0\t1\tB\n");
}

TEST(HierarchyRoundTrip, RandomTreesComeBackUnchanged) {
    std::mt19937 rng(20261206);
    for (int round = 0; round < 200; ++round) {
        Zel_GM_Root root("R");
        vedrix::test::RandomTreeOptions options;
        options.levels = static_cast<int>(rng() % 120);
        options.attributeEvery = 1 + static_cast<int>(rng() % 4);
        options.rootAttributes = round % 2 == 0;
        // Attribute lines name their level by ID, so they only come back to
        // the same level while IDs are unique.
        options.duplicateIDs = round % 3 == 0;
        if (options.duplicateIDs) {
            options.attributeEvery = 0;
        }
        vedrix::test::fillRandomTree(root, rng, options);
        for (int n = 1; n <= 9; ++n) {
            if (rng() % 2 == 0) {
                root.defineLevel(n, ("Level " + std::to_string(n)).c_str(),
                                 rng() % 2 ? "C:\\bmp\\" : "", "level.bmp");
            }
        }
        const std::string text = vedrix::test::writeHierarchy(root, true);

        Zel_GM_Root back("R");
        std::istringstream levels(text);
        ASSERT_EQ(back.readhre(levels, 1), 0) << text;
        std::istringstream attributes(text);
        EXPECT_EQ(back.readAttributes(attributes), 1);
        ASSERT_EQ(describe(back), describe(root)) << "round " << round;
        EXPECT_EQ(definitions(back), definitions(root));
        EXPECT_EQ(vedrix::test::writeHierarchy(back, true), text);
    }
}

}  // namespace
