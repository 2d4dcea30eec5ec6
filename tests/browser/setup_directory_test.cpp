// The browsers with a name-lookup library that lacks set_list_path, run by a
// program with no library beside it, from a current directory that has the
// libraries: the missing function is reported on the console and the dialog
// still opens.
#include <vedrix/automation/console.h>
#include <vedrix/vedrix.h>

#include <gmock/gmock.h>

#include <string>

#include "launch_fixture.h"

using namespace vedrix::automation;
using namespace entry_tests;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

TEST_F(LaunchTest, BuildingSelectionWithoutSetListPathSaysSoAndGoesOn) {
    fs::copy_file(libraryDirectory() / "vedr_en.dll", setup / "vedr_en.dll");
    fs::copy_file(VEDRIX_LOOKUP_ONLY_VEDADA, setup / "vedada.dll");
    writeFile(project / "one.hre", "#DATA:\n\t2\t7\t0\t0\tOnly hall\t\n");

    std::vector<std::string> rows;
    person.onDialog(104, [&](Dialog& d) {
        rows = d.list(1020).columnTexts();
        d.list(1020).clickRow(0);
        d.ok();
    });
    // The building selection loads the language library by name only: the
    // current directory is one of the places a name is looked for.
    const fs::path previous = fs::current_path();
    fs::current_path(setup);
    ConsoleCapture console;
    const int chosen = tb_selprj(nullptr, "en", project.string().c_str(), "", "one.lis");
    console.stop();
    fs::current_path(previous);
    EXPECT_EQ(chosen, 7);
    EXPECT_THAT(rows, ElementsAre("Only hall"));
    EXPECT_THAT(console.out(), HasSubstr("Function: <set_list_path> in vedada.dll not found !\n"));
}

}  // namespace
