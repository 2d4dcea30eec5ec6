// The launch of a program that has neither the language library nor the
// name-lookup library beside it (this test program is built into a directory
// of its own): both are found in the host's "Program" setup directory, and
// each one missing there stops the call with its message.
#include <vedrix/vedrix.h>

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "launch_fixture.h"
#include "support/headless_only.h"

using namespace vedrix::automation;
using namespace entry_tests;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::string upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

TEST_F(LaunchTest, LibrariesComeFromTheSetupDirectoryOrTheCallStops) {
    writeFile(project / "demo.hre", "");
    const std::string setupPrefix = setup.string() + "\\";

    // No language library anywhere.
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "Demo", "demo.lis", ""), 0);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_EQ(person.messageBoxes()[0].text, upper(setupPrefix + "vedr_en.dll") + " not found");

    // The language library in the setup directory, but no vedada.dll: text
    // 2015 of that library names the path tried last, with a beep.
    person.clearRecords();
    fs::copy_file(libraryDirectory() / "vedr_en.dll", setup / "vedr_en.dll");
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "Demo", "demo.lis", ""), 0);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    const auto box = person.messageBoxes()[0];
    EXPECT_EQ(box.text, "The library " + setupPrefix + "vedada.dll could not be loaded.");
    EXPECT_EQ(box.style, static_cast<UINT>(MB_ICONHAND));
    EXPECT_EQ(box.owner, nullptr);
    const std::vector<UINT> beeps = person.beeps();
    EXPECT_THAT(person.dialogsSeen(), IsEmpty());

    // Both there: the dialog runs.
    person.clearRecords();
    fs::copy_file(libraryDirectory() / "vedada.dll", setup / "vedada.dll");
    person.onDialog(101, [](Dialog& d) { d.cancel(); });
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "Demo", "demo.lis", ""),
              IDCANCEL);
    EXPECT_THAT(person.messageBoxes(), IsEmpty());
    EXPECT_THAT(person.dialogsSeen(), ElementsAre(101));
    HEADLESS_ONLY("beeps are recorded headless only");
    EXPECT_THAT(beeps, ElementsAre(static_cast<UINT>(MB_ICONHAND)));
}

TEST_F(LaunchTest, TheFacilityBrowserFindsItsLibrariesInTheSetupDirectoryToo) {
    writeFile(project / "demo.hre", "");
    fs::copy_file(libraryDirectory() / "vedr_de.dll", setup / "vedr_de.dll");
    EXPECT_EQ(tb_fman_browser(nullptr, nullptr, "de", project.string().c_str(), "", "demo.lis", ""),
              0);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    // The German text of the same message.
    EXPECT_EQ(person.messageBoxes()[0].text,
              "Die Bibliothek " + setup.string() + "\\vedada.dll konnte nicht geladen werden.");

    person.clearRecords();
    fs::copy_file(libraryDirectory() / "vedada.dll", setup / "vedada.dll");
    person.onDialog(127, [](Dialog& d) { d.cancel(); });
    EXPECT_EQ(tb_fman_browser(nullptr, nullptr, "de", project.string().c_str(), "", "demo.lis", ""),
              IDCANCEL);
    EXPECT_THAT(person.messageBoxes(), IsEmpty());
}

}  // namespace
