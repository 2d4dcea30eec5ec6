// The readers on the streams a host module hands them, and what they accept
// beyond the written format (docs/structure-files.md, "What the readers
// accept").
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <vedrix/model.h>

#include "tree_samples.h"

using vedrix::test::describe;

namespace {

// A stream over text whose lines end with carriage return and line feed,
// handing its lines out without the carriage returns while its positions
// count the bytes, as a text-mode file stream of the platform does. It hands
// out `chunk` characters at a time, so that lines may straddle its buffer,
// and can only go back to positions it told.
class TextModeBuffer : public std::streambuf {
public:
    TextModeBuffer(const std::string& bytes, std::size_t chunk) : m_chunk(chunk) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                continue;
            }
            m_chars.push_back(bytes[i]);
            m_offsets.push_back(static_cast<off_type>(i));
        }
        m_offsets.push_back(static_cast<off_type>(bytes.size()));
        show(0);
    }

protected:
    int_type underflow() override {
        const auto next = static_cast<std::size_t>(gptr() - m_chars.data());
        if (next >= m_chars.size()) {
            return traits_type::eof();
        }
        show(next);
        return traits_type::to_int_type(*gptr());
    }
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override {
        if (off != 0 || dir != std::ios_base::cur) {
            return pos_type(off_type(-1));
        }
        return pos_type(m_offsets[static_cast<std::size_t>(gptr() - m_chars.data())]);
    }
    pos_type seekpos(pos_type pos, std::ios_base::openmode) override {
        const auto found = std::find(m_offsets.begin(), m_offsets.end(), off_type(pos));
        if (found == m_offsets.end()) {
            return pos_type(off_type(-1));
        }
        show(static_cast<std::size_t>(found - m_offsets.begin()));
        return pos;
    }

private:
    void show(std::size_t index) {
        char* base = m_chars.data();
        setg(base, base + index, base + std::min(index + m_chunk, m_chars.size()));
    }

    std::size_t m_chunk;
    std::vector<char> m_chars;
    std::vector<off_type> m_offsets;
};

std::string crlf(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

// Chunks of one character (no line ever whole in the buffer), of a few,
// and of the whole text.
const std::size_t kChunks[] = {1, 7, 4096};

TEST(ReaderStreams, ReadingBelowALevelGoesBackToTheForeignLineOnATextModeStream) {
    const std::string text = crlf(
        "\t3\t8\t7\t0\tpart one\n"
        "! a comment\n"
        "\t4\t9\t8\t0\troom\n"
        "\t3\t10\t7\t0\tpart two\n"
        "\t2\t11\t1\t0\tnext storey\n"
        "\t1\t12\t0\t0\tnext building\n");
    for (const std::size_t chunk : kChunks) {
        SCOPED_TRACE(chunk);
        TextModeBuffer buffer(text, chunk);
        std::istream in(&buffer);
        Zel_GM_Level storey(2, 7, 1, "storey", 0, nullptr);
        EXPECT_EQ(storey.readhre(in), 0);
        EXPECT_EQ(describe(storey),
                  "7: 2 7 1 0 [storey] <>\n  8: 3 8 7 0 [part one] <>\n"
                  "    9: 4 9 8 0 [room] <>\n  10: 3 10 7 0 [part two] <>\n");
        std::string next;
        std::getline(in, next);
        EXPECT_EQ(next, "\t2\t11\t1\t0\tnext storey");
        // A building read from the storey's line takes the storey and stops
        // at the next building.
        Zel_GM_Level building(1, 1, 0, "building", 0, nullptr);
        in.seekg(0);
        for (int line = 0; line < 4; ++line) {
            std::getline(in, next);
        }
        EXPECT_EQ(building.readhre(in), 0);
        EXPECT_EQ(describe(building),
                  "1: 1 1 0 0 [building] <>\n  11: 2 11 1 0 [next storey] <>\n");
        std::getline(in, next);
        EXPECT_EQ(next, "\t1\t12\t0\t0\tnext building");
    }
}

// A whole hierarchy file, its level list file and its attribute section,
// each read from such a stream, give what they give from memory.
TEST(ReaderStreams, AllThreeReadersReadATextModeStreamAsTheFile) {
    const std::string hre =
        "#BITMAP_PATH:\tC:\\bitmaps\\\n"
        "#DEFINED_LEVEL:\t1\tBuilding\tbuilding.bmp\n"
        "#DATA:\n"
        "\t1\t1\t0\t3\tMain\tuuid-1\n"
        "\t2\t2\t1\t0\tGround\n"
        "\t0\t3\t0\t0\tend of the levels\n"
        "#ATTRIBUTES:\n"
        "\t2\tarea\t120\t2\t2\t1\t1\n";
    const std::string lis = "#DATA:\n101\t2\t1\t\n! comment\n102\t1\t0\t\n";
    auto readAll = [&](std::istream& h, std::istream& l, std::istream& a) {
        Zel_GM_Root root("R");
        std::string result = std::to_string(root.readhre(h, 1));
        std::string rest;
        std::getline(h, rest);
        result += " [" + rest + "] " + std::to_string(root.readlis(l, 1)) + " " +
                  std::to_string(root.readAttributes(a)) + "\n";
        return result + describe(root);
    };
    std::istringstream h(hre), l(lis), a(hre);
    const std::string expected = readAll(h, l, a);
    EXPECT_EQ(expected.rfind("0 [\t0\t3\t0\t0\tend of the levels] 0 1\n", 0), 0u) << expected;
    EXPECT_NE(expected.find("area"), std::string::npos) << expected;
    EXPECT_NE(expected.find("[101]"), std::string::npos) << expected;
    for (const std::size_t chunk : kChunks) {
        SCOPED_TRACE(chunk);
        TextModeBuffer hb(crlf(hre), chunk), lb(crlf(lis), chunk), ab(crlf(hre), chunk);
        std::istream hs(&hb), ls(&lb), as(&ab);
        EXPECT_EQ(readAll(hs, ls, as), expected);
    }
}

// An entry's name is one word of at most 254 characters, however the
// stream's buffer cuts it: one character more leaves the rest of the word
// where the parent's number should be, which makes the line bad.
TEST(ReaderStreams, AnEntryNameFillsItsFieldAcrossBufferChunks) {
    const std::string longest(254, '7');
    for (const std::size_t chunk : kChunks) {
        SCOPED_TRACE(chunk);
        TextModeBuffer fits(crlf("#DATA:\n" + longest + "\t0\t0\t\n"), chunk);
        std::istream fitsStream(&fits);
        Zel_GM_Root root("R");
        EXPECT_EQ(root.readlis(fitsStream, 1), 0);
        ASSERT_EQ(root.GetSublevels().size(), 1u);
        EXPECT_EQ(std::string((*root.GetSublevels().begin()).value->getNameText()), longest);

        TextModeBuffer over(crlf("#DATA:\n" + longest + "7\t0\t0\t\n"), chunk);
        std::istream overStream(&over);
        Zel_GM_Root other("R");
        EXPECT_EQ(other.readlis(overStream, 1), 1);
        EXPECT_TRUE(other.GetSublevels().isEmpty());
    }
}

// What the readers accept beyond the written format, one case each.
TEST(ReaderLeniency, HeaderBlankLinesAndIndentation) {
    Zel_GM_Root root("R");
    std::istringstream in(
        "\n"
        "  ! an indented comment\n"
        "\n"
        "\t#BITMAP_PATH:\t \tC:\\bitmaps\\\n"
        "   #DEFINED_LEVEL:\t1\tBuilding\tbuilding.bmp\n"
        "\n"
        "  #  DATA:\n"
        "\t1\t1\t0\t0\tA\n");
    EXPECT_EQ(root.readhre(in, 1), 0);
    Zel_GM_LevelDefinition* const* building = root.getLevelDefinitions().find(1);
    ASSERT_NE(building, nullptr);
    EXPECT_STREQ((*building)->bitmapDir.getText(), "C:\\bitmaps\\");
    EXPECT_STREQ((*building)->bitmapFile.getText(), "building.bmp");
    EXPECT_EQ(describe(root), "0: 0 0 0 0 [R] <>\n  1: 1 1 0 0 [A] <>\n");
}

TEST(ReaderLeniency, StructureLinesWithBlanksBlankLinesAndIndentation) {
    Zel_GM_Root root("R");
    // Blanks instead of TABs between the numbers, a line without its
    // leading TAB, a blank line before a level line.
    std::istringstream in(
        "#DATA:\n"
        "  1 1   0 2\tMain\tuuid-1\n"
        "\n"
        "2\t2\t1\t0\t   Ground\n"
        "#ATTRIBUTES:\n");
    EXPECT_EQ(root.readhre(in, 1), 0);
    EXPECT_EQ(describe(root),
              "0: 0 0 0 0 [R] <>\n  1: 1 1 0 2 [Main] <uuid-1>\n    2: 2 2 1 0 [Ground] <>\n");
    // A blank line right before the attribute section or at the end is not
    // a level line: the levels before it are read, the result is 1.
    for (const char* tail : {"\n#ATTRIBUTES:\n", "\n"}) {
        Zel_GM_Root blank("R");
        std::istringstream text(std::string("#DATA:\n\t1\t1\t0\t0\tA\n") + tail);
        EXPECT_EQ(blank.readhre(text, 1), 1);
        EXPECT_EQ(describe(blank), "0: 0 0 0 0 [R] <>\n  1: 1 1 0 0 [A] <>\n");
    }
}

TEST(ReaderLeniency, EntryLinesWithoutTheirLastTabAndAmongBlankLines) {
    Zel_GM_Root root("R");
    root.addSublevel(1, 1, 0, "A", 0, nullptr);
    std::istringstream in(
        "#DATA:\n"
        "101 1 1\n"
        "\n"
        "   102\t0\t0\t\n");
    EXPECT_EQ(root.readlis(in, 1), 0);
    EXPECT_EQ(describe(root),
              "0: 0 0 0 0 [R] <>\n  1: 1 1 0 0 [A] <>\n    2: 10 2 1 1 [101] <>\n"
              "  3: 10 3 0 0 [102] <>\n");
}

TEST(ReaderLeniency, AttributeLinesAmongBlankLinesAndIndented) {
    Zel_GM_Root root("R");
    root.addSublevel(1, 1, 0, "A", 0, nullptr);
    std::istringstream in(
        "#DATA:\n\t1\t1\t0\t0\tA\n"
        "#ATTRIBUTES:\n"
        "\t1\tarea\t120\t1\t1\t0\t1\n"
        "\n"
        "   0 \towner\tCity\t0\t0\t0\t0\n");
    EXPECT_EQ(root.readAttributes(in), 1);
    EXPECT_EQ(describe(root),
              "0: 0 0 0 0 [R] <> {owner=City 0 0 0 0}\n  1: 1 1 0 0 [A] <> {area=120 1 1 0 1}\n");
}

}  // namespace
