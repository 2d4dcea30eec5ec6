// The default names of the level definitions.
#include <gtest/gtest.h>

#include <cstring>

#include <vedrix/model.h>

namespace {

TEST(DefaultLevelNames, ComeFromTheDefinitionOfThatNumber) {
    Zel_GM_Root root("Project");
    root.defineLevel(2, "Storey", "", "storey.bmp");
    root.defineLevel(5, "Room", "", "room.bmp");
    char name[32] = "untouched";
    EXPECT_EQ(root.getdeflevelname(5, name, sizeof name), 0);
    EXPECT_STREQ(name, "Room");
    // A number without a definition leaves the buffer as it was.
    std::strcpy(name, "untouched");
    EXPECT_EQ(root.getdeflevelname(3, name, sizeof name), 1);
    EXPECT_STREQ(name, "untouched");
    EXPECT_EQ(root.getdeflevelname(0, name, sizeof name), 1);
    // The copy is bounded by the buffer.
    char small[4];
    EXPECT_EQ(root.getdeflevelname(2, small, sizeof small), 0);
    EXPECT_STREQ(small, "Sto");
}

}  // namespace
