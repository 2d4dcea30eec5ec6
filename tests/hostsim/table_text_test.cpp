// The facility-management tables' text on streams: what a line gives as a
// row, when a text is refused, and what the writer puts out.
#include <vedrix/hostsim/table_text.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace vedrix::hostsim;

namespace {

bool Read(const std::string& text, std::size_t columns, std::vector<TableRow>& rows) {
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
    ASSERT_TRUE(Read("#A\tB\tC\n\n1\t2\t3\n4\n\t\t\n#5\t6\n7\t\n", 3, rows));
    const std::vector<TableRow> expected{
        {"1", "2", "3"}, {"4", "", ""}, {"", "", ""}, {"7", "", ""}};
    EXPECT_EQ(rows, expected);
}

TEST(TableText, ALastLineWithoutItsEndIsARow) {
    std::vector<TableRow> rows;
    ASSERT_TRUE(Read("1\t2\n3\t4", 2, rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (TableRow{"3", "4"}));
}

TEST(TableText, ALineWithMoreFieldsRefusesTheWholeText) {
    std::vector<TableRow> rows{{"left over"}};
    EXPECT_FALSE(Read("1\t2\n3\t4\t5\n6\t7\n", 2, rows));
    EXPECT_TRUE(rows.empty());
    // A tab at the end opens one more, empty, field.
    EXPECT_FALSE(Read("1\t2\t\n", 2, rows));
    EXPECT_TRUE(Read("1\t2\n", 2, rows));
}

TEST(TableText, TheWriterPutsTheColumnNamesFirstAndOneLinePerRow) {
    EXPECT_EQ(Write({"A", "B"}, {{"1", "two words"}, {"", ""}}), "#A\tB\n1\ttwo words\n\t\n");
    EXPECT_EQ(Write({"A"}, {}), "#A\n");
}

TEST(TableText, TabsAndLineEndsInsideAFieldAreWrittenAsBlanks) {
    const std::string written = Write({"A", "B"}, {{"a\tb", "c\r\nd"}});
    EXPECT_EQ(written, "#A\tB\na b\tc  d\n");
    std::vector<TableRow> rows;
    ASSERT_TRUE(Read(written, 2, rows));
    EXPECT_EQ(rows, (std::vector<TableRow>{{"a b", "c  d"}}));
}

}  // namespace
