// vedrix session, run as a shell runs it, on projects the tests write: what
// every kind of script line does to the dialog and the project's files, the
// message boxes it prints, each step that cannot be done with its exit status
// and message, and a whole editing session that must leave the same files as
// the same session done by a person in front of the list browser.
#include <vedrix/automation/gtest_fixture.h>
#include <vedrix/hostsim/config.h>
#include <vedrix/samplegen/sample_project.h>

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
rename Campus/House/Ground to Ground floor
drag Campus/House/Ground floor/tb000001.zdw  Plan one onto files
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

// The line kinds the session above does not use, in one confirmed session:
// the host's configuration named by the script, expanding a collapsed
// storey so that its drawing files can be reached, check boxes both ways, a
// level added under a name of the script's, and a button by its text.
TEST_F(SessionCommand, TheOtherLineKindsActOnTheDialog) {
    vedrix::hostsim::HostConfig config;
    config.project = project.string();
    ASSERT_TRUE(vedrix::hostsim::WriteHostConfig((root / "host.cfg").c_str(), config));
    const ProgramResult run = session(R"(host host.cfg
expand Campus/House/Attic
delete Campus/House/Attic/tb000099.zdw
uncheck Campus/House/Attic
uncheck Campus/House/Ground
check Campus/House/Ground
collapse Campus/House/Attic
select Campus/House/Ground
add Part of storey to Campus/House/Ground as West wing
button OK
)");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "dialog result: OK\n");
    const std::string written = readFile(project / "campus.hre");
    // Identifiers depth first: the attic 2, its drawing file 3, the ground
    // floor 4 (checked again), the new part 5.
    EXPECT_NE(written.find("\t2\t2\t1\t0\tAttic\t"), std::string::npos) << written;
    EXPECT_NE(written.find("\t2\t4\t1\t3\tGround\t"), std::string::npos) << written;
    EXPECT_NE(written.find("\t3\t5\t4\t3\tWest wing\t"), std::string::npos) << written;
    // The missing drawing file is gone; the unchecked attic keeps drawing
    // file 2, unchecked.
    EXPECT_EQ(readFile(project / "campus.lis"), "#DATA:\n2\t2\t0\t\n1\t4\t1\t\n");
}

TEST_F(SessionCommand, ACancelledSessionLeavesTheFiles) {
    const ProgramResult run = session(R"(rename Campus/House to Home
add Storey to Campus/Home
cancel
)");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "dialog result: Cancel\n");
    expectFilesUnchanged();
}

TEST_F(SessionCommand, AScriptThatLeavesTheDialogOpenCancelsIt) {
    const ProgramResult run = session("rename Campus/House to Home\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "the script ended with the dialog open: it was cancelled\ndialog result: Cancel\n");
    expectFilesUnchanged();
}

// Each step that cannot be done ends the session at its line, with status 1;
// the dialog is then cancelled and the files stay as they were.
TEST_F(SessionCommand, AnItemThatIsNotThereEndsTheSession) {
    const ProgramResult run =
        session("# the house has no cellar\nselect Campus/House/Cellar\nok\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind(at(2), 0), 0u) << run.err;
    EXPECT_NE(run.err.find("Cellar"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Attic"), std::string::npos) << "names what is there: " << run.err;
    EXPECT_EQ(run.out, "dialog result: Cancel\n");
    expectFilesUnchanged();
}

TEST_F(SessionCommand, ItemsInsideACollapsedBranchCannotBeReached) {
    const ProgramResult run = session("delete \"Campus/House/Attic/tb000002.zdw  Plan two\"\nok\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind(at(1), 0), 0u) << run.err;
    expectFilesUnchanged();
}

TEST_F(SessionCommand, UnexpectedMissingAndOtherMessageBoxesEndTheSession) {
    const ProgramResult unexpected = session("delete Campus/House\nok\n");
    EXPECT_EQ(unexpected.status, 1);
    EXPECT_EQ(unexpected.err,
              at(1) + "a message box that was not expected: \"Error\": " + kSubItemsBox + "\n");
    EXPECT_EQ(unexpected.out, "line 1: message box \"Error\": " + kSubItemsBox +
                                  " answered OK\ndialog result: Cancel\n");

    const ProgramResult missing = session("select Campus/House\nanswer yes\nok\n");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, at(2) + "the message box to answer with Yes did not come\n");

    const ProgramResult other = session("delete Campus/House\nanswer ok \"Really?\"\nok\n");
    EXPECT_EQ(other.status, 1);
    EXPECT_EQ(other.err, at(2) + "the message box says " + kSubItemsBox + ", not \"Really?\"\n");
    expectFilesUnchanged();
}

// Boxes at the opening are answered by `answer` lines before the first step;
// a dialog that then does not open ends the session all the same.
TEST_F(SessionCommand, BoxesAtTheOpeningAreExpectedBeforeTheFirstStep) {
    const auto open = [&](const std::string& script) {
        writeFile(root / "session.txt", script);
        return RunProgram(VEDRIX_CLI_PATH,
                          {"session", "list-browser", project.string(), "campus.lis", "--script",
                           (root / "session.txt").string(), "--language", "xx"});
    };
    const std::string file = "vedrix: " + (root / "session.txt").string() + ": ";
    const ProgramResult expected = open("answer ok \"VEDR_XX.DLL not found\"\nok\n");
    EXPECT_EQ(expected.status, 1);
    EXPECT_EQ(expected.err, file + "the list-browser did not open\n");
    EXPECT_EQ(expected.out.rfind("opening: message box ", 0), 0u) << expected.out;
    EXPECT_NE(expected.out.find("\"VEDR_XX.DLL not found\" answered OK\n"), std::string::npos)
        << expected.out;
    EXPECT_NE(expected.out.find("dialog result: 0 (a library could not be loaded)\n"),
              std::string::npos)
        << expected.out;

    const ProgramResult unexpected = open("ok\n");
    EXPECT_EQ(unexpected.status, 1);
    EXPECT_EQ(unexpected.err.rfind(file + "a message box that was not expected: ", 0), 0u)
        << unexpected.err;
    expectFilesUnchanged();
}

// The host's setup directory, where the module looks for a language library
// it does not find beside itself, comes from the configuration the script
// names.
TEST_F(SessionCommand, TheScriptNamesTheHostsConfiguration) {
    fs::create_directories(root / "setup");
    fs::copy_file(fs::path(VEDRIX_CLI_PATH).parent_path() / "vedr_en.dll",
                  root / "setup" / "vedr_xx.dll");
    vedrix::hostsim::HostConfig config;
    config.project = project.string();
    config.setupDirectories["Program"] = (root / "setup").string();
    ASSERT_TRUE(vedrix::hostsim::WriteHostConfig((root / "host.cfg").c_str(), config));
    const auto run = [&](const std::string& script) {
        writeFile(root / "session.txt", script);
        return RunProgram(VEDRIX_CLI_PATH,
                          {"session", "list-browser", project.string(), "campus.lis", "--script",
                           (root / "session.txt").string(), "--language", "xx"});
    };
    const ProgramResult named = run("host host.cfg\ncancel\n");
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(named.out, "dialog result: Cancel\n");
    const ProgramResult unnamed = run("cancel\n");
    EXPECT_EQ(unnamed.status, 1);
    EXPECT_NE(unnamed.out.find("VEDR_XX.DLL not found"), std::string::npos) << unnamed.out;
}

TEST_F(SessionCommand, ARefusedDropEndsTheSession) {
    const ProgramResult run = session("add Building to Campus/House\nok\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              at(1) + "the dialog refuses to drop type \"Building\" onto \"Campus/House\"\n");
    expectFilesUnchanged();
}

TEST_F(SessionCommand, StepsAfterTheDialogEndedCannotBeDone) {
    const ProgramResult run = session("ok\nselect Campus/House\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, at(2) + "the dialog has already ended\n");
    EXPECT_EQ(run.out, "dialog result: OK\n");
}

TEST_F(SessionCommand, AButtonThatIsNotThereEndsTheSession) {
    const ProgramResult run = session("button Apply\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, at(1) + "no button \"Apply\" (the buttons are \"OK\", \"Cancel\")\n");
}

// A script that does not parse is refused before the dialog opens: status
// 2, the line and what is wrong with it.
TEST_F(SessionCommand, LinesThatDoNotParseAreRefusedBeforeTheDialogOpens) {
    const struct {
        const char* script;
        int line;
        const char* message;
    } cases[] = {
        {"select Campus\nfrobnicate Campus\n", 2, "unknown step \"frobnicate\""},
        {"rename Campus/House Home\n", 1, "expected \"to\""},
        {"rename Campus/House to \"Home\" now\n", 1, "unexpected \"now\" at the end of the line"},
        {"add Storey to\n", 1, "missing an item"},
        {"select \"Campus/House\n", 1, "a quote that is not closed"},
        {"delete Campus//House\n", 1, "the path \"Campus//House\" has an empty label"},
        {"delete Campus\nanswer maybe\n", 2,
         "\"maybe\" is no message-box button (ok, cancel, yes, no, abort, retry, ignore)"},
        {"ok\nhost host.cfg\n", 2, "the host configuration must be named before the first step"},
        {"drag file tb000003.zdw onto type Storey\n", 1,
         "a drag ends on an item of the tree or on the free drawing files"},
        {"ok now\n", 1, "unexpected \"now\" at the end of the line"},
    };
    for (const auto& c : cases) {
        const ProgramResult run = session(c.script);
        EXPECT_EQ(run.status, 2) << c.script;
        EXPECT_EQ(run.err, at(c.line) + c.message + "\n") << c.script;
        EXPECT_EQ(run.out, "") << c.script;
    }
    const ProgramResult empty = session("# nothing to do\n");
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(empty.err,
              "vedrix: " + (root / "session.txt").string() + ": the script has no steps\n");
    const ProgramResult noHost = session("host none.cfg\nok\n");
    EXPECT_EQ(noHost.status, 2);
    EXPECT_NE(noHost.err.find("none.cfg cannot be read"), std::string::npos) << noHost.err;
    expectFilesUnchanged();
}

TEST_F(SessionCommand, TheCommandLineNamesTheDialogsAndRefusesOthers) {
    const ProgramResult help = RunProgram(VEDRIX_CLI_PATH, {"session", "--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* name : {"list-browser", "select-building", "fm-browser", "view-select"}) {
        EXPECT_NE(help.out.find(name), std::string::npos) << name << " in " << help.out;
    }
    writeFile(root / "session.txt", "ok\n");
    const ProgramResult unknown =
        RunProgram(VEDRIX_CLI_PATH, {"session", "no-dialog", project.string(), "campus.lis",
                                     "--script", (root / "session.txt").string()});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("no dialog \"no-dialog\""), std::string::npos) << unknown.err;
    const ProgramResult noScript =
        RunProgram(VEDRIX_CLI_PATH, {"session", "list-browser", project.string(), "campus.lis"});
    EXPECT_EQ(noScript.status, 2);
    const ProgramResult unreadable =
        RunProgram(VEDRIX_CLI_PATH, {"session", "list-browser", project.string(), "campus.lis",
                                     "--script", (root / "none.txt").string()});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_NE(unreadable.err.find("cannot read the script"), std::string::npos);
}

TEST_F(SessionCommand, TheBuildingSelectionHandsBackThePickedLevel) {
    const ProgramResult picked = session("select Attic\nok\n", "select-building");
    EXPECT_EQ(picked.status, 0) << picked.err;
    EXPECT_EQ(picked.out, "chosen level: 3\n");
    const ProgramResult none = session("select Attic\ncancel\n", "tb_selprj");
    EXPECT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(none.out, "chosen level: none\n");
}

// A facility-management project "works": one building with a view that may
// be picked and a locked one.
class FacilitySession : public SessionCommand {
protected:
    void SetUp() override {
        SessionCommand::SetUp();
        writeFile(project / "works.hre",
                  "#DATA:\n\t1\t1\t0\t2\tNorth wing\n\t2\t2\t1\t0\tPlans\tV-PLANS\n"
                  "\t2\t4\t1\t0\tLocked plans\tV-LOCKED\n");
        writeFile(project / "fm_views.txt",
                  "#ActiveFlag\tNameOfView\tUUID\tFileSetNumber\tCodePath\tDateOfReplication\t"
                  "UUID_Original\tLockFlag\n"
                  "0\tPlans\tV-PLANS\t0\tB1.1\t45000\t0\t0\n"
                  "0\tLocked plans\tV-LOCKED\t0\tB1.3\t44927\t0\t1\n");
    }

    ProgramResult works(const std::string& script, const std::string& dialog) {
        writeFile(root / "session.txt", script);
        return RunProgram(VEDRIX_CLI_PATH,
                          {"session", dialog, project.string(), "works.lis", "--script",
                           (root / "session.txt").string(), "--title", "Works"});
    }
};

TEST_F(FacilitySession, TheViewSelectionConfirmsOnlyViewsThatMayBePicked) {
    const ProgramResult picked = works("select \"Works/North wing/Plans\"\nok\n", "view-select");
    EXPECT_EQ(picked.status, 0) << picked.err;
    EXPECT_EQ(picked.out, "dialog result: OK, picked view: V-PLANS\n");

    // A locked view leaves OK disabled: the step cannot be done.
    const ProgramResult locked =
        works("select \"Works/North wing/Locked plans\"\nok\n", "tb_fman_ViewSelect");
    EXPECT_EQ(locked.status, 1);
    EXPECT_EQ(locked.err, at(2) + "the command OK is disabled\n");
    EXPECT_EQ(locked.out, "dialog result: Cancel, picked view: 0\n");
}

// A free drawing file dropped onto a view of the facility-management
// browser is placed under it, and noted as inserted there.
TEST_F(SessionCommand, TheFacilityBrowserPlacesADroppedDrawingFile) {
    fs::remove_all(project);
    fs::create_directories(project);
    vedrix::samplegen::FmSample sample;
    sample.buildings = 1;
    sample.viewsPerBuilding = 2;
    sample.drawingFilesPerView = 1;
    sample.variantsPerView = 0;
    sample.freeDrawingFiles = 2;
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    ASSERT_TRUE(WriteFmSample(project.string(), sample, summary, error)) << error;
    ASSERT_EQ(readFile(project / "fm.lis"), "#DATA:\n1\t2\t1\t\n2\t4\t0\t\n");

    writeFile(root / "session.txt", R"(expand Site/Building 1
select file tb000003.zdw
drag file tb000003.zdw onto Site/Building 1/View 1
ok
)");
    const ProgramResult run = RunProgram(
        VEDRIX_CLI_PATH, {"session", "fm-browser", project.string(), "fm.lis", "--script",
                          (root / "session.txt").string(), "--title", "Site"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "dialog result: OK\n");
    // Identifiers depth first: view 1 is 2 with drawing files 1 and 3 (3
    // and 4), view 2 becomes 5.
    EXPECT_EQ(readFile(project / "fm.lis"), "#DATA:\n1\t2\t1\t\n3\t2\t0\t\n2\t5\t0\t\n");
    const std::string information = readFile(project / "fm_tbinfo.txt");
    EXPECT_NE(information.find("\n3\t2\t"), std::string::npos) << information;
    EXPECT_NE(information.find("\t0\t1\t0\n"), std::string::npos) << "inserted: " << information;
}

}  // namespace
