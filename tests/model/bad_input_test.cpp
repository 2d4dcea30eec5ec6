// Structure files that are broken in every way a disk, a transfer or another
// program can break them: the readers give their result codes, keep what they
// read and never crash, hang or read past a buffer.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <vedrix/model.h>

#include "tree_samples.h"

using vedrix::test::describe;

namespace {

struct Results {
    int hre;
    int lis;
    int attributes;
};

Results readAll(const std::string& bytes, Zel_GM_Root& root) {
    std::istringstream hre(bytes);
    std::istringstream lis(bytes);
    std::istringstream attributes(bytes);
    Results r{};
    r.hre = root.readhre(hre, 1);
    r.lis = root.readlis(lis, 1);
    r.attributes = root.readAttributes(attributes);
    return r;
}

void expectDocumented(const Results& r) {
    EXPECT_TRUE(r.hre == 0 || r.hre == 1);
    EXPECT_TRUE(r.lis == 0 || r.lis == 1);
    EXPECT_EQ(r.attributes, 1);
}

std::string sampleFile(std::mt19937& rng) {
    Zel_GM_Root root("R");
    vedrix::test::RandomTreeOptions options;
    options.levels = 40;
    options.attributeEvery = 3;
    options.rootAttributes = true;
    vedrix::test::fillRandomTree(root, rng, options);
    root.defineLevel(1, "Building", "C:\\b\\", "b.bmp");
    return vedrix::test::writeHierarchy(root, true);
}

TEST(BadInput, EveryTruncationKeepsAPrefixOfTheTree) {
    std::mt19937 rng(1);
    const std::string full = sampleFile(rng);
    Zel_GM_Root whole("R");
    std::istringstream in(full);
    ASSERT_EQ(whole.readhre(in, 1), 0);
    const std::string wholeTree = describe(whole, true);
    for (std::size_t cut = 0; cut < full.size(); cut += 7) {
        const std::string part = full.substr(0, cut);
        Zel_GM_Root root("R");
        std::istringstream partIn(part);
        const int result = root.readhre(partIn, 1);
        EXPECT_TRUE(result == 0 || result == 1) << cut;
        // Every level read is one of the whole file's, with the same fields,
        // except possibly a name cut short by the end of the data.
        std::istringstream lines(describe(root, true));
        std::string line;
        std::getline(lines, line);  // the root
        while (std::getline(lines, line)) {
            const std::string fields = line.substr(0, line.find('['));
            EXPECT_NE(wholeTree.find(fields), std::string::npos) << cut << ": " << line;
        }
    }
}

TEST(BadInput, RandomBytesAndMutatedFiles) {
    std::mt19937 rng(2);
    const std::string sample = sampleFile(rng);
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        if (round % 2 == 0) {
            bytes.resize(rng() % 4000);
            for (char& c : bytes) {
                c = static_cast<char>(rng());
            }
        } else {
            bytes = sample;
            for (int flips = 0; flips < 20; ++flips) {
                bytes[rng() % bytes.size()] = "\0\t\n#!-9 x\xff"[rng() % 10];
            }
        }
        Zel_GM_Root root("R");
        expectDocumented(readAll(bytes, root));
    }
}

TEST(BadInput, NulBytesAreOrdinaryCharacters) {
    std::string text = std::string("#DATA:\n\t1\t1\t0\t0\tA") + '\0' + "B\tuu" + '\0' + "id\n";
    Zel_GM_Root root("R");
    std::istringstream in(text);
    EXPECT_EQ(root.readhre(in, 1), 0);
    // The line's text ends at the NUL, as zero-terminated texts do: no TAB
    // is seen after it, so there is no UUID text either.
    EXPECT_EQ(describe(root), "0: 0 0 0 0 [R] <>\n  1: 1 1 0 0 [A] <>\n");
}

TEST(BadInput, NumbersOutOfRange) {
    const char* lines[] = {
        "\t2147483648\t1\t0\t0\tA\n",  // level number beyond int
        "\t1\t4294967296\t0\t0\tA\n",  // ID beyond 32 bits
        "\t1\t1\t99999999999999999999999\t0\tA\n",
        "\t1\t1\t0\t-2147483649\tA\n",  // status below int
        "\t1\t-\t0\t0\tA\n",
    };
    for (const char* line : lines) {
        Zel_GM_Root root("R");
        std::istringstream in(std::string("#DATA:\n\t1\t7\t0\t0\tkept\n") + line);
        EXPECT_EQ(root.readhre(in, 1), 1) << line;
        EXPECT_EQ(describe(root), "0: 0 0 0 0 [R] <>\n  7: 1 7 0 0 [kept] <>\n") << line;
    }
    // In range at both ends, and a minus on an unsigned number wraps as the
    // platform's conversion does.
    Zel_GM_Root root("R");
    std::istringstream in("#DATA:\n\t1\t4294967295\t-1\t-2147483648\tA\n");
    EXPECT_EQ(root.readhre(in, 1), 0);
    EXPECT_EQ(describe(root),
              "0: 0 0 0 0 [R] <>\n  4294967295: 1 4294967295 4294967295 -2147483648 [A] <>\n");
}

TEST(BadInput, TenMegabyteLinesOnDisk) {
    vedrix::test::TempDir dir;
    const std::string huge(10 * 1024 * 1024, 'x');
    const auto inHeader = dir.write("header.hre", "#BITMAP_PATH:\t" + huge + "\n#DATA:\n");
    const auto inLevels =
        dir.write("levels.hre", "#DATA:\n\t1\t1\t0\t0\tA\n\t1\t2\t0\t0\t" + huge + "\n");
    const auto asComment = dir.write("comment.hre", "!" + huge + "\n#DATA:\n");
    const auto asEntry = dir.write("entry.lis", "#DATA:\n1\t0\t0\t\n" + huge + "\t0\t0\t\n");
    const auto asAttribute =
        dir.write("attr.hre", "#DATA:\n#ATTRIBUTES:\n\t0\t" + huge + "\tv\t0\t0\t0\t0\n");
    {
        Zel_GM_Root root("R");
        std::ifstream in(inHeader);
        EXPECT_EQ(root.readhre(in, 1), 1);
    }
    {
        Zel_GM_Root root("R");
        std::ifstream in(inLevels);
        EXPECT_EQ(root.readhre(in, 1), 1);
        EXPECT_EQ(root.GetSublevels().size(), 1u);
    }
    {
        // A long comment is skipped piece by piece; its remainder is taken for
        // lines of its own, none of which starts the levels.
        Zel_GM_Root root("R");
        std::ifstream in(asComment);
        EXPECT_EQ(root.readhre(in, 1), 0);
    }
    {
        Zel_GM_Root root("R");
        std::ifstream in(asEntry);
        EXPECT_EQ(root.readlis(in, 1), 1);
        EXPECT_EQ(root.GetSublevels().size(), 1u);
    }
    {
        Zel_GM_Root root("R");
        std::ifstream in(asAttribute);
        EXPECT_EQ(root.readAttributes(in), 1);
        auto* a = static_cast<CAttribData*>(root.getAttributes().GetHead());
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->getName().GetLength(), 254);
    }
}

TEST(BadInput, MissingAndUnreadableStreams) {
    Zel_GM_Root root("R");
    std::ifstream missing("/nonexistent/vedrix/none.hre");
    EXPECT_EQ(root.readhre(missing, 1), 1);
    std::ifstream missingList("/nonexistent/vedrix/none.lis");
    EXPECT_EQ(root.readlis(missingList, 1), 1);
    std::ifstream missingAttributes("/nonexistent/vedrix/none.hre");
    EXPECT_EQ(root.readAttributes(missingAttributes), 1);
    std::istream detached(nullptr);
    EXPECT_EQ(root.readhre(detached, 1), 1);
    EXPECT_EQ(root.readlis(detached, 1), 1);
    EXPECT_TRUE(root.GetSublevels().isEmpty());
}

}  // namespace
