// The exported entry points as the host calls them: the launch sequence on
// real project directories, with the person answering the dialogs.
#include <vedrix/automation/gtest_fixture.h>
#include <vedrix/hostsim/config.h>
#include <vedrix/vedrix.h>

#include <gmock/gmock.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace vedrix::automation;
namespace fs = std::filesystem;
using ::testing::IsEmpty;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The directory of the running test program, where the build puts the
// language libraries and the host stand-ins.
fs::path programDirectory() {
    return fs::canonical("/proc/self/exe").parent_path();
}

class LaunchTest : public PersonTest {
protected:
    void SetUp() override {
        PersonTest::SetUp();
        root = fs::temp_directory_path() /
               ("vedrix-launch-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        project = root / "project";
        setup = root / "setup";
        fs::create_directories(project);
        fs::create_directories(setup);
        vedrix::hostsim::HostConfig config;
        config.project = project.string();
        config.setupDirectories["Program"] = setup.string();
        ASSERT_TRUE(vedrix::hostsim::UseHostConfig((root / "host.cfg").c_str(), config));
    }
    void TearDown() override {
        PersonTest::TearDown();
        fs::remove_all(root);
    }

    fs::path root, project, setup;
};

TEST_F(LaunchTest, SwitchesAnswerWithoutADialog) {
    EXPECT_EQ(tb_enableattrib(), 1);
    EXPECT_EQ(tb_setIFCActive(5), 0);
    EXPECT_EQ(tb_setIFCActive(0), 5);
    EXPECT_THAT(person.dialogsSeen(), IsEmpty());
}

TEST_F(LaunchTest, ListBrowserCopiesTheTemplateToAMissingHierarchyFile) {
    writeFile(project / "listunit.def", "#template\n");
    person.onDialog(101, [](Dialog& d) { d.control(1003).click(); });
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.c_str(), "Demo", "demo.lis", "help.chm"),
              IDOK);
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
    EXPECT_EQ(box.style, 0x2010u);
}

TEST_F(LaunchTest, AMissingLanguageLibraryStopsTheCallWithItsName) {
    EXPECT_EQ(tb_list_browser(nullptr, "xx", project.c_str(), "Demo", "demo.lis", ""), 0);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    const auto box = person.messageBoxes()[0];
    // The name as last tried: in the setup directory, all in upper case.
    std::string expected = setup.string() + "\\vedr_xx.dll";
    for (char& c : expected) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(box.text, expected + " not found");
    EXPECT_EQ(box.caption, "TECTORA QX - TB-BROWSER");
    EXPECT_EQ(box.style, 0x2010u);
    EXPECT_THAT(person.dialogsSeen(), IsEmpty());
}

TEST_F(LaunchTest, ALanguageLibraryInTheSetupDirectoryServesAllButTheBuildingSelection) {
    fs::copy_file(programDirectory() / "vedr_de.dll", setup / "vedr_xx.dll");
    writeFile(project / "demo.hre", "");
    EXPECT_EQ(tb_selprj(nullptr, "xx", project.c_str(), "Demo", "demo.lis"), 0);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_EQ(person.messageBoxes()[0].text, "VEDR_XX.DLL not found");
    EXPECT_THAT(person.dialogsSeen(), IsEmpty());

    person.onDialog(101, [](Dialog& d) { d.control(1007).click(); });
    EXPECT_EQ(tb_list_browser(nullptr, "xx", project.c_str(), "Demo", "demo.lis", ""), IDCANCEL);
    EXPECT_EQ(person.messageBoxes().size(), 1u);

    // The library stays loaded after the call, and a bare name finds a
    // loaded library: now the building selection has it too.
    person.onDialog(104, [](Dialog& d) { d.cancel(); });
    EXPECT_EQ(tb_selprj(nullptr, "xx", project.c_str(), "Demo", "demo.lis"), 0);
    EXPECT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_EQ(person.dialogsSeen().size(), 2u);
}

TEST_F(LaunchTest, ViewSelectionLeavesZeroInTheBufferWhenCancelled) {
    char picked[100];
    std::memset(picked, 'x', sizeof picked);
    person.onDialog(139, [](Dialog& d) { d.cancel(); });
    EXPECT_EQ(
        tb_fman_ViewSelect(nullptr, 0, "en", project.c_str(), "Demo", "demo.lis", 0, 2, picked),
        IDCANCEL);
    EXPECT_STREQ(picked, "0");
    // The view selection never copies the template.
    EXPECT_FALSE(fs::exists(project / "demo.hre"));
}

TEST_F(LaunchTest, BuildingSelectionWithNothingChosenGivesZero) {
    writeFile(project / "demo.hre", "");
    person.onDialog(104, [](Dialog& d) { d.ok(); });
    EXPECT_EQ(tb_selprj(nullptr, "en", project.c_str(), "Demo", "demo.lis"), 0);
    person.onDialog(127, [](Dialog& d) { d.control(1007).click(); });
    EXPECT_EQ(tb_fman_browser(nullptr, nullptr, "en", project.c_str(), "Demo", "demo.lis", ""),
              IDCANCEL);
}

}  // namespace
