// The exported entry points as the host calls them: the launch sequence on
// real project directories, with the person answering the dialogs.
#include <vedrix/vedrix.h>

#include <gmock/gmock.h>

#include <cctype>
#include <cstring>
#include <string>

#include <vedrix/model/drawing_file_directory.h>

#include "launch_fixture.h"
#include "support/headless_only.h"

using namespace vedrix::automation;
using namespace entry_tests;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

TEST_F(LaunchTest, SwitchesAnswerWithoutADialog) {
    EXPECT_EQ(tb_enableattrib(), 1);
    EXPECT_EQ(tb_setIFCActive(5), 0);
    EXPECT_EQ(tb_setIFCActive(0), 5);
    EXPECT_THAT(person.dialogsSeen(), IsEmpty());
}

TEST_F(LaunchTest, ListBrowserCopiesTheTemplateToAMissingHierarchyFile) {
    writeFile(project / "listunit.def", "#template\n");
    person.onDialog(101, [](Dialog& d) { d.control(1007).click(); });
    EXPECT_EQ(
        tb_list_browser(nullptr, "en", project.string().c_str(), "Demo", "demo.lis", "help.chm"),
        IDCANCEL);
    EXPECT_EQ(readFile(project / "demo.hre"), "#template\n");
    EXPECT_THAT(person.messageBoxes(), IsEmpty());
}

TEST_F(LaunchTest, AnExistingHierarchyFileIsLeftAlone) {
    writeFile(project / "listunit.def", "#template\n");
    writeFile(project / "abc.hre", "#mine\n");
    person.onDialog(101, [](Dialog& d) { d.control(1007).click(); });
    const std::string directory = project.string() + "\\";
    EXPECT_EQ(tb_list_browser(nullptr, "en", directory.c_str(), "", "abc.lis", ""), IDCANCEL);
    EXPECT_EQ(readFile(project / "abc.hre"), "#mine\n");
}

TEST_F(LaunchTest, AFailedTemplateCopyIsReportedAndTheDialogStillRuns) {
    person.onDialog(101, [](Dialog& d) { d.control(1007).click(); });
    const std::string directory = project.string() + "\\";
    EXPECT_EQ(tb_list_browser(nullptr, "en", directory.c_str(), "Demo", ".lis", ""), IDCANCEL);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    const auto box = person.messageBoxes()[0];
    // One separator between the directory and each file name.
    EXPECT_EQ(box.text, "Error copying file \n<" + directory + "listunit.def> \nto \n<" +
                            directory + ".hre> !");
    EXPECT_EQ(box.caption, "TECTORA QX - TB-BROWSER");
    EXPECT_EQ(box.style & MB_ICONMASK, static_cast<UINT>(MB_ICONHAND));
    HEADLESS_ONLY("a message box's modality is not seen on a real screen");
    EXPECT_EQ(box.style, 0x2010u);
}

TEST_F(LaunchTest, ANameWithoutExtensionGetsItsHierarchyFileToo) {
    writeFile(project / "listunit.def", "#template\n");
    person.onDialog(101, [](Dialog& d) { d.cancel(); });
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "", "abc", ""), IDCANCEL);
    EXPECT_EQ(readFile(project / "abc.hre"), "#template\n");
}

TEST_F(LaunchTest, TheFacilityBrowserReportsAFailedCopyThroughTheFramework) {
    person.onDialog(127, [](Dialog& d) { d.cancel(); });
    EXPECT_EQ(tb_fman_browser(nullptr, nullptr, "en", project.string().c_str(), "", "demo.lis", ""),
              IDCANCEL);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    const auto box = person.messageBoxes()[0];
    const std::string prefix = project.string() + "\\";
    EXPECT_EQ(box.text,
              "Error copying file <" + prefix + "listunit.def> to <" + prefix + "demo.hre> !");
    // The framework's default: an OK box with the exclamation icon.
    EXPECT_EQ(box.style & (MB_TYPEMASK | MB_ICONMASK),
              static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

// The model asks the application where the drawing files lie: the list
// browser's directory while it runs, the FM project directory while an FM
// dialog runs, nothing in between.
TEST_F(LaunchTest, TheApplicationKnowsTheRunningDialogsDirectoryOnlyWhileItRuns) {
    writeFile(project / "demo.hre", "");
    const std::string fm = (root / "fm").string();
    std::vector<std::string> seen;
    const auto record = [&](Dialog& d) {
        seen.emplace_back(static_cast<LPCSTR>(vedrix::model::drawingFileDirectory()));
        d.cancel();
    };
    person.onDialog(101, record);
    person.onDialog(139, record);
    person.onDialog(127, record);
    char picked[100];
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "", "demo.lis", ""),
              IDCANCEL);
    EXPECT_EQ(static_cast<LPCSTR>(vedrix::model::drawingFileDirectory()), std::string());
    EXPECT_EQ(tb_fman_ViewSelect(nullptr, 0, "en", fm.c_str(), "", "demo.lis", 0, 1, picked),
              IDCANCEL);
    EXPECT_EQ(static_cast<LPCSTR>(vedrix::model::drawingFileDirectory()), std::string());
    fs::create_directories(fm);
    writeFile(fs::path(fm) / "demo.hre", "");
    EXPECT_EQ(tb_fman_browser(nullptr, nullptr, "en", fm.c_str(), "", "demo.lis", ""), IDCANCEL);
    EXPECT_EQ(static_cast<LPCSTR>(vedrix::model::drawingFileDirectory()), std::string());
    EXPECT_THAT(seen, ElementsAre(project.string(), fm, fm));
}

// A language library without the dialog's template: the dialog cannot be
// created, and its -1 is what the host gets.
TEST_F(LaunchTest, ADialogThatCannotBeCreatedGivesMinusOne) {
    writeFile(project / "demo.hre", "");
    fs::copy_file(libraryDirectory() / "Zelkar_Reg10.dll", setup / "vedr_zz.dll");
    EXPECT_EQ(tb_list_browser(nullptr, "zz", project.string().c_str(), "", "demo.lis", ""), -1);
    EXPECT_THAT(person.dialogsSeen(), IsEmpty());
}

// The list browser shows the title in its project line (text 2011): text
// 2017 stands in for an empty one, and the host's code page is converted to
// the display character set.
TEST_F(LaunchTest, TheTitleDefaultsToText2017AndIsShownInTheDisplayCharacterSet) {
    writeFile(project / "demo.hre", "");
    std::vector<std::string> shown;
    const auto record = [&](Dialog& d) {
        shown.push_back(d.control(1008).text());
        d.cancel();
    };
    person.onDialog(101, record);
    person.onDialog(101, record);
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "", "demo.lis", ""),
              IDCANCEL);
    // "\x84" is a-umlaut in the host's code page 850, "\xe4" in Latin-1.
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "M\x84rz", "demo.lis", ""),
              IDCANCEL);
    EXPECT_THAT(shown, ElementsAre("Project: Project", "Project: M\xe4rz"));
}

TEST_F(LaunchTest, ATemplatePathOfTwoHundredCharactersIsNotCopied) {
    // The directory and its separator plus "listunit.def" (12 characters):
    // 199 characters fit, 200 do not.
    const auto projectOfLength = [&](std::size_t length) {
        const std::string base = project.string() + "/";
        const fs::path directory = base + std::string(length - base.size() - 13, 'd');
        fs::create_directories(directory);
        writeFile(directory / "listunit.def", "#template\n");
        return directory;
    };
    person.onEveryDialog(101, [](Dialog& d) { d.cancel(); });

    const fs::path fits = projectOfLength(199);
    EXPECT_EQ(tb_list_browser(nullptr, "en", fits.string().c_str(), "", "x.lis", ""), IDCANCEL);
    EXPECT_EQ(readFile(fits / "x.hre"), "#template\n");
    EXPECT_THAT(person.messageBoxes(), IsEmpty());

    const fs::path tooLong = projectOfLength(200);
    EXPECT_EQ(tb_list_browser(nullptr, "en", tooLong.string().c_str(), "", "x.lis", ""), IDCANCEL);
    EXPECT_FALSE(fs::exists(tooLong / "x.hre"));
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_THAT(person.messageBoxes()[0].text, ::testing::StartsWith("Error copying file \n<"));
}

TEST_F(LaunchTest, AMissingLanguageLibraryStopsTheCallWithItsName) {
    EXPECT_EQ(tb_list_browser(nullptr, "xx", project.string().c_str(), "Demo", "demo.lis", ""), 0);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    const auto box = person.messageBoxes()[0];
    // The name as last tried: in the setup directory, all in upper case.
    std::string expected = setup.string() + "\\vedr_xx.dll";
    for (char& c : expected) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(box.text, expected + " not found");
    EXPECT_EQ(box.caption, "TECTORA QX - TB-BROWSER");
    EXPECT_EQ(box.style & MB_ICONMASK, static_cast<UINT>(MB_ICONHAND));
    EXPECT_THAT(person.dialogsSeen(), IsEmpty());
    HEADLESS_ONLY("a message box's modality is not seen on a real screen");
    EXPECT_EQ(box.style, 0x2010u);
}

TEST_F(LaunchTest, ALanguageLibraryInTheSetupDirectoryServesAllButTheBuildingSelection) {
    fs::copy_file(libraryDirectory() / "vedr_de.dll", setup / "vedr_xx.dll");
    writeFile(project / "demo.hre", "");
    EXPECT_EQ(tb_selprj(nullptr, "xx", project.string().c_str(), "Demo", "demo.lis"), 0);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_EQ(person.messageBoxes()[0].text, "VEDR_XX.DLL not found");
    EXPECT_THAT(person.dialogsSeen(), IsEmpty());

    person.onDialog(101, [](Dialog& d) { d.control(1007).click(); });
    EXPECT_EQ(tb_list_browser(nullptr, "xx", project.string().c_str(), "Demo", "demo.lis", ""),
              IDCANCEL);
    EXPECT_EQ(person.messageBoxes().size(), 1u);

    // The library stays loaded after the call, and a bare name finds a
    // loaded library: now the building selection has it too.
    person.onDialog(104, [](Dialog& d) { d.cancel(); });
    EXPECT_EQ(tb_selprj(nullptr, "xx", project.string().c_str(), "Demo", "demo.lis"), 0);
    EXPECT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_EQ(person.dialogsSeen().size(), 2u);
}

TEST_F(LaunchTest, ViewSelectionLeavesZeroInTheBufferWhenCancelled) {
    char picked[100];
    std::memset(picked, 'x', sizeof picked);
    person.onDialog(139, [](Dialog& d) { d.cancel(); });
    EXPECT_EQ(tb_fman_ViewSelect(nullptr, 0, "en", project.string().c_str(), "Demo", "demo.lis", 0,
                                 2, picked),
              IDCANCEL);
    EXPECT_STREQ(picked, "0");
    // The view selection never copies the template.
    EXPECT_FALSE(fs::exists(project / "demo.hre"));
}

TEST_F(LaunchTest, BuildingSelectionWithNothingChosenGivesZero) {
    writeFile(project / "demo.hre", "");
    person.onDialog(104, [](Dialog& d) { d.ok(); });
    EXPECT_EQ(tb_selprj(nullptr, "en", project.string().c_str(), "Demo", "demo.lis"), 0);
    person.onDialog(127, [](Dialog& d) { d.control(1007).click(); });
    EXPECT_EQ(
        tb_fman_browser(nullptr, nullptr, "en", project.string().c_str(), "Demo", "demo.lis", ""),
        IDCANCEL);
}

}  // namespace
