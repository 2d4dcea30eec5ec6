// The text of the host's facility-management tables and drawings list on
// streams: what a line gives, when a text is refused, and what the writers
// put out.
#include <vedrix/hostsim/drawings.h>
#include <vedrix/hostsim/table_text.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace vedrix::hostsim;

namespace {

bool ReadTableText(const std::string& text, std::size_t columns, std::vector<TableRow>& rows) {
    std::istringstream in(text);
    return ReadTableRows(in, columns, rows);
}

std::string Write(const std::vector<std::string>& names, const std::vector<TableRow>& rows) {
    std::ostringstream out;
    WriteTableRows(out, names, rows);
    return out.str();
}

TEST(TableText, LinesBecomeRowsOfEveryColumn) {
    std::vector<TableRow> rows;
    ASSERT_TRUE(ReadTableText("#A\tB\tC\n\n1\t2\t3\n4\n\t\t\n#5\t6\n7\t\n", 3, rows));
    const std::vector<TableRow> expected{
        {"1", "2", "3"}, {"4", "", ""}, {"", "", ""}, {"7", "", ""}};
    EXPECT_EQ(rows, expected);
}

TEST(TableText, ALastLineWithoutItsEndIsARow) {
    std::vector<TableRow> rows;
    ASSERT_TRUE(ReadTableText("1\t2\n3\t4", 2, rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (TableRow{"3", "4"}));
}

TEST(TableText, ALineWithMoreFieldsRefusesTheWholeText) {
    std::vector<TableRow> rows{{"left over"}};
    EXPECT_FALSE(ReadTableText("1\t2\n3\t4\t5\n6\t7\n", 2, rows));
    EXPECT_TRUE(rows.empty());
    // A tab at the end opens one more, empty, field.
    EXPECT_FALSE(ReadTableText("1\t2\t\n", 2, rows));
    EXPECT_TRUE(ReadTableText("1\t2\n", 2, rows));
}

// A text held in memory reads as the same text read line by line from a
// stream, and is found to fit exactly when it reads.
TEST(TableText, ATextInMemoryReadsAsTheStreamAndFitsWhenItReads) {
    const char* const texts[] = {
        "",
        "\n\n",
        "#A\tB\tC\n\n1\t2\t3\n4\n\t\t\n#5\t6\t7\t8\n7\t\n",
        "1\t2\n3\t4",
        "1\t2\t3\t4\n",
        "1\t2\n3\t4\t5\n6\t7\n",
        "#only a comment",
        "a\tb\tc\t\n",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        std::vector<TableRow> fromStream{{"left over"}};
        std::vector<TableRow> fromText{{"left over"}};
        const bool streamRead = ReadTableText(text, 3, fromStream);
        EXPECT_EQ(ReadTableRows(std::string_view(text), 3, fromText), streamRead);
        EXPECT_EQ(fromText, fromStream);
        EXPECT_EQ(TableTextFits(text, 3), streamRead);
        std::vector<TableRow> none;
        EXPECT_EQ(TableTextFits(text, 0), ReadTableText(text, 0, none));
    }
}

TEST(TableText, TheWriterPutsTheColumnNamesFirstAndOneLinePerRow) {
    EXPECT_EQ(Write({"A", "B"}, {{"1", "two words"}, {"", ""}}), "#A\tB\n1\ttwo words\n\t\n");
    EXPECT_EQ(Write({"A"}, {}), "#A\n");
}

TEST(TableText, TabsAndLineEndsInsideAFieldAreWrittenAsBlanks) {
    const std::string written = Write({"A", "B"}, {{"a\tb", "c\r\nd"}});
    EXPECT_EQ(written, "#A\tB\na b\tc  d\n");
    std::vector<TableRow> rows;
    ASSERT_TRUE(ReadTableText(written, 2, rows));
    EXPECT_EQ(rows, (std::vector<TableRow>{{"a b", "c  d"}}));
}

bool ReadDrawingText(const std::string& text, std::vector<Drawing>& drawings) {
    std::istringstream in(text);
    return ReadDrawingLines(in, drawings);
}

TEST(DrawingsText, LinesBecomeDrawings) {
    std::vector<Drawing> drawings;
    ASSERT_TRUE(
        ReadDrawingText("#number\tdrawing files\tname\n\n1\t12,14\tGround floor\n"
                        " +2 \t \tno files\n3\t7 , -2\t\n",
                        drawings));
    ASSERT_EQ(drawings.size(), 3u);
    EXPECT_EQ(drawings[0].number, 1);
    EXPECT_EQ(drawings[0].drawingFiles, (std::vector<int>{12, 14}));
    EXPECT_EQ(drawings[0].name, "Ground floor");
    EXPECT_EQ(drawings[1].number, 2);
    EXPECT_TRUE(drawings[1].drawingFiles.empty());
    EXPECT_EQ(drawings[2].drawingFiles, (std::vector<int>{7, -2}));
    EXPECT_EQ(drawings[2].name, "");
}

TEST(DrawingsText, ALineThatIsNoDrawingRefusesTheWholeText) {
    std::vector<Drawing> drawings;
    for (const char* bad : {"1\t2\n", "1\t2\tname\textra\n", "0\t2\tname\n", "x\t2\tname\n",
                            "1\t2,,3\tname\n", "1\t2x\tname\n"}) {
        const std::string text = std::string("5\t1\tgood\n") + bad;
        EXPECT_FALSE(ReadDrawingText(text, drawings)) << bad;
        EXPECT_TRUE(drawings.empty()) << bad;
    }
}

TEST(DrawingsText, WrittenDrawingsReadBack) {
    std::ostringstream out;
    WriteDrawingLines(out, {{4, {1, 2}, "tab\there"}, {9, {}, "end"}});
    EXPECT_EQ(out.str(), "#number\tdrawing files\tname\n4\t1,2\ttab here\n9\t\tend\n");
    std::vector<Drawing> drawings;
    ASSERT_TRUE(ReadDrawingText(out.str(), drawings));
    ASSERT_EQ(drawings.size(), 2u);
    EXPECT_EQ(drawings[0].name, "tab here");
    EXPECT_EQ(drawings[1].number, 9);
}

}  // namespace
