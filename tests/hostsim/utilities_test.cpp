// The utility, user-message, data-resource and registry libraries: settings,
// padded texts, the diagnostic print, messages, setup directories.
#include "host_project.h"

#include <zelkar/data_resource.h>
#include <zelkar/reg.h>
#include <zelkar/utility_general.h>
#include <zelkar/utility_user_info.h>

#include <vedrix/automation/console.h>
#include <vedrix/automation/gtest_fixture.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

using namespace hostsim_test;
using namespace vedrix::hostsim;

namespace {

constexpr const char* kVariantKey = "Settings\\FM_NextTBNr4VariantCreation";

class RegistryTest : public ::testing::Test {
protected:
    HostProject project;
};

TEST_F(RegistryTest, NumbersAreStoredInTheSettingsFile) {
    int value = -7;
    EXPECT_NE(ZelRegGetNumber(1, kVariantKey, &value), 0);
    EXPECT_EQ(value, -7);
    ASSERT_EQ(ZelRegPutNumber(1, kVariantKey, 250), 0);
    EXPECT_EQ(project.readText("settings.ini"), "[1]\nSettings\\FM_NextTBNr4VariantCreation=250\n");
    ASSERT_EQ(ZelRegGetNumber(1, kVariantKey, &value), 0);
    EXPECT_EQ(value, 250);
    // Keys compare without regard to case; sections are apart.
    ASSERT_EQ(ZelRegGetNumber(1, "settings\\fm_nexttbnr4variantcreation", &value), 0);
    EXPECT_NE(ZelRegGetNumber(2, kVariantKey, &value), 0);
}

TEST_F(RegistryTest, WritingKeepsEveryOtherLine) {
    project.writeFile("settings.ini",
                      "; host settings\n[1]\nA=1\n\n[2]\nSettings\\FM_NextTBNr4VariantCreation=9\n"
                      "[1]\nlater=3\n");
    ASSERT_EQ(ZelRegPutNumber(1, "B", 2), 0);
    ASSERT_EQ(ZelRegPutNumber(2, kVariantKey, 10), 0);
    ASSERT_EQ(ZelRegPutNumber(3, "C", -4), 0);
    EXPECT_EQ(project.readText("settings.ini"),
              "; host settings\n[1]\nA=1\nB=2\n\n[2]\nSettings\\FM_NextTBNr4VariantCreation=10\n"
              "[1]\nlater=3\n[3]\nC=-4\n");
    int value = 0;
    ASSERT_EQ(ZelRegGetNumber(3, "C", &value), 0);
    EXPECT_EQ(value, -4);
}

TEST_F(RegistryTest, ValuesThatAreNoNumbersCountAsNothingStored) {
    project.writeFile("settings.ini", "[1]\nA=twelve\nB=12x\n");
    int value = 5;
    EXPECT_NE(ZelRegGetNumber(1, "A", &value), 0);
    EXPECT_NE(ZelRegGetNumber(1, "B", &value), 0);
    EXPECT_EQ(value, 5);
}

TEST_F(RegistryTest, WithoutASettingsFileNothingIsStored) {
    project.config().settingsFile.clear();
    project.apply();
    int value = 5;
    EXPECT_NE(ZelRegPutNumber(1, kVariantKey, 1), 0);
    EXPECT_NE(ZelRegGetNumber(1, kVariantKey, &value), 0);
    EXPECT_EQ(value, 5);
}

TEST(PaddedTextTest, TrimRightRemovesTrailingBlanksOnly) {
    char text[] = "  name with  blanks   ";
    EXPECT_EQ(TrimRight(text), text);
    EXPECT_STREQ(text, "  name with  blanks");
    char blanks[] = "   ";
    EXPECT_STREQ(TrimRight(blanks), "");
}

TEST(PaddedTextTest, CopyAndAddEndingSpacesPadsAndCuts) {
    char field[11];
    std::memset(field, 'x', sizeof field);
    CopyAndAddEndingSpaces(field, "abc", 10);
    EXPECT_STREQ(field, "abc       ");
    CopyAndAddEndingSpaces(field, "abcdefghijklmn", 10);
    EXPECT_STREQ(field, "abcdefghij");
    CopyAndAddEndingSpaces(field, nullptr, 10);
    EXPECT_STREQ(field, "          ");
}

TEST(DiagnosticPrintTest, PrintsPrintfFormattedToTheConsoleAtOnce) {
    vedrix::automation::ConsoleCapture console(vedrix::automation::ConsoleCapture::Stdout);
    lfperrC("---> GetNextFreeTbNr(%d) skipped, TB(%d) already exists!\n", 7, 7);
    // Flushed: readable before the capture stops.
    EXPECT_EQ(console.out(), "---> GetNextFreeTbNr(7) skipped, TB(7) already exists!\n");
    console.stop();
}

// The person in front of the screen reads the boxes and takes their default
// button.
class UserMessageTest : public vedrix::automation::PersonTest {
protected:
    HostProject project;
};

TEST_F(UserMessageTest, MessagesShowTheHostTextWithTheCallersText) {
    project.writeFile("texts.txt",
                      "1501761\t0\tA drawing named %s already exists.\n"
                      "2202023\t0\tDrawing created.\n");
    project.config().textTable = project.file("texts.txt").string();
    project.apply();
    EXPECT_EQ(sendGuiMessage(1501761, "FM-View_Ground"), IDOK);
    EXPECT_EQ(sendGuiMessage(2202023, "FM-View_Ground"), IDOK);
    EXPECT_EQ(sendGuiMessage(999, "unknown"), IDOK);
    const auto boxes = person.messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "A drawing named FM-View_Ground already exists.");
    EXPECT_EQ(boxes[1].text, "Drawing created.\nFM-View_Ground");
    EXPECT_EQ(boxes[2].text, "[999]\nunknown");
    EXPECT_EQ(boxes[0].style & MB_ICONINFORMATION, static_cast<UINT>(MB_ICONINFORMATION));
}

TEST_F(UserMessageTest, SuppressedMessagesAreNotShown) {
    ASSERT_EQ(ZelRegPutNumber(1, "SuppressedMessages\\1200052", 1), 0);
    EXPECT_EQ(sendGuiMessageSuppress(1200052, "x"), 0);
    EXPECT_TRUE(person.messageBoxes().empty());
    EXPECT_EQ(sendGuiMessageSuppress(2202027, "y"), IDOK);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    // The default table has the texts the module uses.
    EXPECT_EQ(person.messageBoxes()[0].text,
              "The drawing was created; its name was shortened to y.");
}

TEST(DataResourceTest, NamingTypeComesFromTheConfiguration) {
    HostProject project;
    EXPECT_EQ(getScenarioTbNameType(), 0);
    project.config().namingType = 2;
    project.apply();
    EXPECT_EQ(getScenarioTbNameType(), 2);
}

class SetupTest : public ::testing::Test {
protected:
    HostProject project;
};

TEST_F(SetupTest, SetupDirectoriesAndFoldersWithoutTrailingSeparator) {
    project.config().setupDirectories["Program"] = "C:\\host\\program\\";
    project.config().folders["ETC"] = "/opt/host/etc/";
    project.apply();
    char dir[256];
    std::memset(dir, 'x', sizeof dir);
    ASSERT_TRUE(ZSYST_ZelRegGetSetupPath("Program", dir));
    EXPECT_STREQ(dir, "C:\\host\\program");
    const char* folder = ZSYST_GetTectoraFolderByTag("ETC");
    ASSERT_NE(folder, nullptr);
    EXPECT_STREQ(folder, "/opt/host/etc");
}

TEST_F(SetupTest, UnknownKindsAndOverlongDirectories) {
    char dir[256] = "untouched";
    EXPECT_FALSE(ZSYST_ZelRegGetSetupPath("Program", dir));
    EXPECT_STREQ(dir, "untouched");
    EXPECT_EQ(ZSYST_GetTectoraFolderByTag("ETC"), nullptr);
    project.config().setupDirectories["Program"] = std::string(256, 'p');
    project.apply();
    EXPECT_FALSE(ZSYST_ZelRegGetSetupPath("Program", dir));
    EXPECT_STREQ(dir, "untouched");
    EXPECT_FALSE(ZSYST_ZelRegGetSetupPath(nullptr, dir));
}

}  // namespace
