// vedrix session, run as a shell runs it, on projects the tests write: what
// every kind of script line does to the dialog and the project's files, the
// message boxes it prints, each step that cannot be done with its exit status
// and message, and a whole editing session that must leave the same files as
// the same session done by a person in front of the list browser.
#include <vedrix/automation/gtest_fixture.h>
#include <vedrix/hostsim/config.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "session_project.h"
#include "support/program_run.h"

using namespace vedrix::automation;
using namespace session_tests;
using test_support::ProgramResult;
using test_support::RunProgram;

namespace {

const std::string kSubItemsBox =
    "\"This item has sub-items and cannot be removed.\\nRemove its sub-items first.\"";

class SessionCommand : public PersonTest {
protected:
    void SetUp() override {
        PersonTest::SetUp();
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root = fs::temp_directory_path() /
               ("vedrix-cli-session-" + std::string(test->name()) + "-" + std::to_string(getpid()));
        fs::remove_all(root);
        project = root / "project";
        hre = writeCampus(project);
        lis = readFile(project / "campus.lis");
        // Without a configuration of its own the program names the project
        // as the host's project.
        ::unsetenv("VEDRIX_HOST_CONFIG");
    }
    void TearDown() override {
        PersonTest::TearDown();
        fs::remove_all(root);
    }

    ProgramResult session(const std::string& script, const std::string& dialog = "list-browser") {
        writeFile(root / "session.txt", script);
        return RunProgram(VEDRIX_CLI_PATH,
                          {"session", dialog, project.string(), "campus.lis", "--script",
                           (root / "session.txt").string(), "--title", "Campus"});
    }

    // The script's file name and line, as the program names them.
    std::string at(int line) const {
        return "vedrix: " + (root / "session.txt").string() + ":" + std::to_string(line) + ": ";
    }

    void expectFilesUnchanged() const {
        EXPECT_EQ(readFile(project / "campus.hre"), hre);
        EXPECT_EQ(readFile(project / "campus.lis"), lis);
    }

    fs::path root, project;
    std::string hre, lis;
};

// The person of the list browser's end-to-end session: storeys added and
// renamed, free drawing files dragged onto a storey and one dragged back,
// the attic unchecked, the ground floor renamed, two refused deletions, OK.
void personsSession(Dialog& d) {
    TreeView tree = d.tree(1001);
    ListView palette = d.list(1000);
    ListView freeFiles = d.list(1002);
    TreeItem house = tree.item({"Campus", "House"});
    const auto addStorey = [&] {
        wait(1000);
        dragAndDrop(palette.row("Storey"), house);
        tree.commitLabelEdit();
    };
    addStorey();
    addStorey();
    house.child("Storey1").rename("Cellar");
    addStorey();
    freeFiles.row("tb000003.zdw").click();
    freeFiles.row("tb000004.zdw").ctrlClick();
    freeFiles.row("tb000006.zdw").ctrlClick();
    TreeItem ground = house.child("Ground");
    dragAndDrop(freeFiles.row("tb000004.zdw"), ground);
    house.child("Attic").clickStateIcon();
    ground.rename("Ground floor");
    dragAndDrop(ground.child("tb000001.zdw  Plan one"), freeFiles);
    house.click();
    d.pressKey(VK_DELETE);
    tree.root().click();
    d.pressKey(VK_DELETE);
    d.ok();
}

const char* const kSessionScript = R"(# The list browser's editing session.
add Storey to Campus/House
add Storey to Campus/House
rename Campus/House/Storey1 to Cellar
add Storey to Campus/House

select file tb000003.zdw tb000004.zdw tb000006.zdw
drag file tb000004.zdw onto Campus/House/Ground
uncheck Campus/House/Attic
rename Campus/House/Ground to "Ground floor"
drag "Campus/House/Ground floor/tb000001.zdw  Plan one" onto files
delete Campus/House
answer ok "This item has sub-items and cannot be removed.\nRemove its sub-items first."
delete Campus
answer ok
ok
)";

TEST_F(SessionCommand, AScriptLeavesTheFilesThatAPersonsSessionLeaves) {
    // The person, in this process, on the project...
    vedrix::hostsim::HostConfig config;
    config.project = project.string();
    ASSERT_TRUE(vedrix::hostsim::UseHostConfig((root / "host.cfg").c_str(), config));
    person.onDialog(101, personsSession);
    ASSERT_EQ(tb_list_browser(nullptr, "en", project.c_str(), "Campus", "campus.lis", ""), IDOK);
    const std::string personsHre = readFile(project / "campus.hre");
    const std::string personsLis = readFile(project / "campus.lis");
    ASSERT_NE(personsLis, lis);

    // ...then the script on the same project written again.
    ::unsetenv("VEDRIX_HOST_CONFIG");
    ASSERT_EQ(writeCampus(project), hre);
    const ProgramResult run = session(kSessionScript);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "line 12: message box \"Error\": " + kSubItemsBox +
                           " answered OK\n"
                           "line 14: message box \"Error\": " +
                           kSubItemsBox + " answered OK\ndialog result: OK\n");
    EXPECT_EQ(readFile(project / "campus.lis"), personsLis);
    EXPECT_EQ(maskNewIdentifiers(readFile(project / "campus.hre")), maskNewIdentifiers(personsHre));
    // Three new levels, each with an identifier of its own.
    EXPECT_NE(maskNewIdentifiers(personsHre).find("<new 3>"), std::string::npos);
    EXPECT_EQ(maskNewIdentifiers(personsHre).find("<new 4>"), std::string::npos);
}

}  // namespace
