// The attribute section of the hierarchy file.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include <vedrix/model.h>

#include "tree_samples.h"

using vedrix::test::describe;

namespace {

void readInto(Zel_GM_Root& root, const std::string& text) {
    std::istringstream levels(text);
    ASSERT_EQ(root.readhre(levels, 1), 0);
    std::istringstream attributes(text);
    EXPECT_EQ(root.readAttributes(attributes), 1);
}

const char kLevels[] =
    "#DATA:\n"
    "\t1\t1\t0\t0\tBuilding\n"
    "\t2\t2\t1\t0\tStorey\n";

TEST(AttributeRead, EveryLineGoesToTheLevelItNames) {
    Zel_GM_Root root("R");
    readInto(root, std::string(kLevels) +
                       "#ATTRIBUTES:\n"
                       "\t2\tarea\t120\t2\t2\t1\t1\n"
                       "\t0\tproject\tNorth\t0\t0\t0\t0\n"
                       "\t77\torphan\tx\t5\t77\t1\t2\n"  // no level 77: the root takes it
                       "\t1\tgroup\t\t1\t1\t0\t3\n");
    EXPECT_EQ(describe(root),
              "0: 0 0 0 0 [R] <> {project=North 0 0 0 0} {orphan=x 2 77 1 5}\n"
              "  1: 1 1 0 0 [Building] <> {group= 3 1 0 1}\n"
              "    2: 2 2 1 0 [Storey] <> {area=120 1 2 1 2}\n");
}

TEST(AttributeRead, SeveralSectionsAndOtherKeywords) {
    Zel_GM_Root root("R");
    readInto(root, std::string(kLevels) +
                       "#OTHER: something\n"
                       "! comment #ATTRIBUTES: inside is skipped\n"
                       "#ATTRIBUTES:\n"
                       "\t1\ta\t1\t1\t1\t0\t0\n"
                       "#NOTES:\n"
                       "#ATTRIBUTES:\n"
                       "! a comment before the first line\n"
                       "\t1\tb\t2\t1\t1\t0\t1\n");
    EXPECT_EQ(describe(root),
              "0: 0 0 0 0 [R] <>\n"
              "  1: 1 1 0 0 [Building] <> {a=1 0 1 0 1} {b=2 1 1 0 1}\n"
              "    2: 2 2 1 0 [Storey] <>\n");
}

TEST(AttributeRead, StopsAtTheFirstUnreadableLine) {
    Zel_GM_Root root("R");
    readInto(root, std::string(kLevels) +
                       "#ATTRIBUTES:\n"
                       "\t1\tkept\tv\t1\t1\t0\t0\n"
                       "\t1\tbroken\tv\tone\t1\t0\t0\n"
                       "\t1\tlost\tv\t1\t1\t0\t0\n");
    EXPECT_EQ(describe(root),
              "0: 0 0 0 0 [R] <>\n"
              "  1: 1 1 0 0 [Building] <> {kept=v 0 1 0 1}\n"
              "    2: 2 2 1 0 [Storey] <>\n");
}

TEST(AttributeRead, LongTextsAreCutAt254Characters) {
    Zel_GM_Root root("R");
    const std::string longName(300, 'n');
    const std::string longValue(400, 'v');
    readInto(root, std::string(kLevels) + "#ATTRIBUTES:\n\t1\t" + longName + "\t" + longValue +
                       "\t1\t1\t0\t2\n");
    auto* a = static_cast<CAttribData*>(root.searchLevel(1)->getAttributes().GetHead());
    EXPECT_EQ(std::string(a->getName()), std::string(254, 'n'));
    EXPECT_EQ(std::string(a->getValue()), std::string(254, 'v'));
    EXPECT_EQ(a->getTypeValue(), CAttribData::Universal);
}

TEST(AttributeWrite, RootAndLevelsButNoEntries) {
    Zel_GM_Root root("R");
    root.addAttributeItem("project", "North", CAttribData::String);
    Zel_GM_Level* building = root.addSublevel(1, 4, 0, "B", 0, nullptr);
    building->addAttributeItem("height", "12.5", CAttribData::Number);
    building->addAttributeItem("odd", "7", 7);
    Zel_GM_Level* entry = building->addSublevel(10, 5, 4, "17", 0, nullptr);
    entry->addAttributeItem("never", "written", 0);
    std::ostringstream out;
    root.writeAttributes(out);
    EXPECT_EQ(out.str(),
              "\t0\tproject\tNorth\t0\t0\t0\t0\n"
              "\t4\theight\t12.5\t1\t4\t0\t1\n"
              "\t4\todd\t7\t1\t4\t0\t7\n");

    // Read back: the root's attributes return to the root, in order.
    Zel_GM_Root back("R");
    back.addSublevel(1, 4, 0, "B", 0, nullptr);
    std::istringstream in("#ATTRIBUTES:\n" + out.str());
    back.readAttributes(in);
    EXPECT_EQ(describe(back),
              "0: 0 0 0 0 [R] <> {project=North 0 0 0 0}\n"
              "  4: 1 4 0 0 [B] <> {height=12.5 1 4 0 1} {odd=7 7 4 0 1}\n");
}

}  // namespace
