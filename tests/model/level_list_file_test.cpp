// Reading and writing the level list file.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <vedrix/model.h>

#include "tree_samples.h"

using vedrix::test::describe;

namespace {

// root: 1 Building (L1) > 2 Storey (L2); 3 Annex (L1)
void addStructure(Zel_GM_Root& root) {
    root.addSublevel(1, 1, 0, "Building", 0, nullptr)->addSublevel(2, 2, 1, "Storey", 0, nullptr);
    root.addSublevel(1, 3, 0, "Annex", 0, nullptr);
}

TEST(LevelListRead, EntriesGetIdsAboveTheHighestStructureId) {
    Zel_GM_Root root("R");
    addStructure(root);
    std::istringstream in(
        "#DATA:\n"
        "12\t0\t1\t\n"
        "! comment between entries\n"
        "7\t2\t4\t\n"
        "13\t5\t0\t\n"  // below entry 7, which got ID 5 at this reading
        "99\t0\t0\t\n");
    EXPECT_EQ(root.readlis(in, 1), 0);
    EXPECT_EQ(describe(root),
              "0: 0 0 0 0 [R] <>\n"
              "  1: 1 1 0 0 [Building] <>\n"
              "    2: 2 2 1 0 [Storey] <>\n"
              "      5: 10 5 2 4 [7] <>\n"
              "        6: 10 6 5 0 [13] <>\n"
              "  3: 1 3 0 0 [Annex] <>\n"
              "  4: 10 4 0 1 [12] <>\n"
              "  7: 10 7 0 0 [99] <>\n");
}

TEST(LevelListRead, StopsAtTheFirstBadLineKeepingWhatCameBefore) {
    struct Case {
        const char* text;
        int result;
        std::size_t entries;
    };
    const Case cases[] = {
        {"#DATA:\n5\t0\t0\t\n6\t42\t0\t\n7\t0\t0\t\n", 1, 1},  // unknown parent
        {"#DATA:\n5\t0\t0\t\n6 x\t0\t0\t\n", 1, 1},            // blank in a name
        {"#DATA:\n5\t0\t0\t\n6\t0\t0\t", 1, 1},                // no newline at the end
        {"#DATA:\n5\t0\t0\t\n6\t0\t", 1, 1},                   // truncated line
        {"#DATA:\n5\t0\t0\t\n\n", 1, 1},                       // blank last line
        {"#DATA:\n", 0, 0},
        {"! nothing\n", 1, 0},                   // no "#DATA:"
        {"#DATA:\n5\t-1\t0\t\n", 1, 0},          // parent 4294967295: none
        {"#DATA:\n5\t4294967296\t0\t\n", 1, 0},  // beyond 32 bits
        {"#DATA:\n5\t0\t2147483648\t\n", 1, 0},  // status beyond int
    };
    for (const Case& c : cases) {
        Zel_GM_Root root("R");
        std::istringstream in(c.text);
        EXPECT_EQ(root.readlis(in, 1), c.result) << c.text;
        EXPECT_EQ(root.GetSublevels().size(), c.entries) << c.text;
    }
}

TEST(LevelListRead, HeaderDefinitionsAreReadLikeTheHierarchyFile) {
    Zel_GM_Root root("R");
    std::istringstream in(
        "#BITMAP_PATH:\tC:\\b\\\n#DEFINED_LEVEL:\t1\tBuilding\tb.bmp\n#DATA:\n3\t0\t0\t\n");
    EXPECT_EQ(root.readlis(in, 0), 0);
    EXPECT_TRUE(root.GetSublevels().isEmpty());
    ASSERT_NE(root.getLevelDefinitions().find(1), nullptr);
    EXPECT_STREQ((*root.getLevelDefinitions().find(1))->bitmapDir.getText(), "C:\\b\\");
}

// The entry reader must find each parent exactly where searchLevel would,
// also when IDs repeat in the tree and when the reader's index of IDs grows
// (it starts at 1,024 slots, at most half of them used: the larger trees
// here pass 512 and 1,024 IDs). Reference: the same lines applied to an
// identical tree with searchLevel itself.
TEST(LevelListRead, ParentsAreFoundExactlyAsSearchLevelFindsThem) {
    std::mt19937 rng(99);
    for (int round = 0; round < 60; ++round) {
        const unsigned seed = static_cast<unsigned>(rng());
        vedrix::test::RandomTreeOptions options;
        options.levels = 1 + static_cast<int>(rng() % 300);
        options.duplicateIDs = true;
        Zel_GM_Root tree("R");
        Zel_GM_Root reference("R");
        std::mt19937 a(seed);
        std::mt19937 b(seed);
        vedrix::test::fillRandomTree(tree, a, options);
        vedrix::test::fillRandomTree(reference, b, options);

        unsigned long next = reference.getHighestID();
        std::string text = "#DATA:\n";
        const int entries = static_cast<int>(rng() % 1200);
        for (int i = 0; i < entries; ++i) {
            // Parents: structure IDs (some repeated), earlier entries, or 0.
            const unsigned long highest = next;
            unsigned long parent = rng() % 5 == 0 ? 0 : 1 + rng() % highest;
            const std::string name = std::to_string(rng() % 6000);
            const int status = static_cast<int>(rng() % 2);
            text += name + "\t" + std::to_string(parent) + "\t" + std::to_string(status) + "\t\n";
            ++next;
            Zel_GM_Level* holder = parent == 0 ? &reference : reference.searchLevel(parent);
            ASSERT_NE(holder, nullptr);
            holder->addSublevel(10, next, parent, name.c_str(), status, nullptr);
        }
        std::istringstream in(text);
        ASSERT_EQ(tree.readlis(in, 1), 0);
        ASSERT_EQ(describe(tree), describe(reference)) << "round " << round;
    }
}

TEST(LevelListRead, IdsWrapAt32BitsAndStillFollowTheSearchRule) {
    // Highest ID 4294967294: entries get 4294967295, 0, 1, 2, 3. Once the
    // new ID 1 also sits directly below the root, a search for 1 finds that
    // entry before the structure level 1 deeper down.
    Zel_GM_Root tree("R");
    Zel_GM_Level* big = tree.addSublevel(1, 4294967294UL, 0, "big", 0, nullptr);
    big->addSublevel(2, 1, 4294967294UL, "one", 0, nullptr);
    tree.addSublevel(1, 2, 0, "two", 0, nullptr);
    std::istringstream in(
        "#DATA:\n"
        "10\t4294967294\t0\t\n"  // 4294967295 below big
        "11\t4294967295\t0\t\n"  // 0 below entry 10
        "12\t0\t0\t\n"           // 1 below the root
        "13\t1\t0\t\n"           // 2 below entry 12, not below "one"
        "14\t2\t0\t\n");         // 3 below "two", the root's own key 2
    EXPECT_EQ(tree.readlis(in, 1), 0);
    EXPECT_EQ(describe(tree),
              "0: 0 0 0 0 [R] <>\n"
              "  1: 10 1 0 0 [12] <>\n"
              "    2: 10 2 1 0 [13] <>\n"
              "  2: 1 2 0 0 [two] <>\n"
              "    3: 10 3 2 0 [14] <>\n"
              "  4294967294: 1 4294967294 0 0 [big] <>\n"
              "    1: 2 1 4294967294 0 [one] <>\n"
              "    4294967295: 10 4294967295 4294967294 0 [10] <>\n"
              "      0: 10 0 4294967295 0 [11] <>\n");
}

TEST(LevelListWrite, WritesEveryEntryDepthFirstWithItsOwnParentField) {
    Zel_GM_Root root("R");
    addStructure(root);
    root.searchLevel(2)->addSublevel(10, 9, 2, "41", 5, nullptr);
    root.searchLevel(3)->addSublevel(10, 8, 77, "40", 0, nullptr);
    root.addSublevel(10, 4, 0, "12", 1, nullptr)->addSublevel(10, 5, 4, "13", 0, nullptr);
    EXPECT_EQ(vedrix::test::writeLevelList(root),
              "#DATA:\n41\t2\t5\t\n40\t77\t0\t\n12\t0\t1\t\n13\t4\t0\t\n");
}

TEST(LevelListRoundTrip, RandomTreesKeepTheirEntriesBelowTheSameLevels) {
    std::mt19937 rng(4242);
    for (int round = 0; round < 100; ++round) {
        vedrix::test::RandomTreeOptions options;
        options.levels = static_cast<int>(rng() % 80);
        options.entries = static_cast<int>(rng() % 300);
        Zel_GM_Root root("R");
        vedrix::test::fillRandomTree(root, rng, options);
        const std::string hre = vedrix::test::writeHierarchy(root, false);
        const std::string lis = vedrix::test::writeLevelList(root);

        Zel_GM_Root back("R");
        std::istringstream hin(hre);
        std::istringstream lin(lis);
        ASSERT_EQ(back.readhre(hin, 1), 0);
        ASSERT_EQ(back.readlis(lin, 1), 0);
        EXPECT_EQ(vedrix::test::describeEntries(back), vedrix::test::describeEntries(root))
            << "round " << round;
        // Written again, the list holds the same lines in the same order.
        EXPECT_EQ(vedrix::test::writeLevelList(back), lis);
    }
}

}  // namespace
