// Confirming the list browser never costs the person their structure files:
// a confirmation killed at any point of its writing leaves each file whole,
// old or new; a directory that takes no new file, a read-only file and a file
// another program holds open get what a plain write would give them, and
// the person sees the dialog end as confirmed, without a message.
#include <vedrix/vedrix.h>
#if VEDRIX_HEADLESS
#include <vedrix/headless/file_changes.h>
#endif

#include <gmock/gmock.h>

#if VEDRIX_HEADLESS
#include <sys/wait.h>
#endif

#include <csignal>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "launch_fixture.h"
#include "list_project.h"
#include "support/headless_only.h"
#include "support/unprivileged_child.h"

using namespace vedrix::automation;
using namespace entry_tests;
using namespace listbrowser_tests;
using ::testing::IsEmpty;

namespace {

// A campus of three buildings with two storeys each and a drawing file on
// every storey, small enough that a confirmation can be killed before every
// single step of its writing. Its identifiers are not the ones a
// confirmation gives (depth first from 1), so that every confirmation
// rewrites both files.
class SavingTest : public CampusTest {
protected:
    void SetUp() override {
        CampusTest::SetUp();
        hre = "#DATA:\n";
        lis = "#DATA:\n";
        int number = 0;
        for (int building = 1; building <= 3; ++building) {
            const int id = 100 * building;
            hre += "\t1\t" + std::to_string(id) + "\t0\t0\tBuilding " + std::to_string(building) +
                   "\t" + uuid(id) + "\n";
            for (int storey = 1; storey <= 2; ++storey) {
                const int storeyId = id + storey;
                hre += "\t2\t" + std::to_string(storeyId) + "\t" + std::to_string(id) +
                       "\t0\tStorey " + std::to_string(storey) + "\t" + uuid(storeyId) + "\n";
                ++number;
                writeDrawingFile(project, number, "Plan " + std::to_string(number));
                lis += std::to_string(number) + "\t" + std::to_string(storeyId) + "\t0\t\n";
            }
        }
        hre += "#ATTRIBUTES:\n\t0\towner\tCity\t0\t0\t0\t0\n";
        writeStructure();
        baseline = names();
    }

    // The level's identifier text.
    static std::string uuid(int id) { return "L" + std::to_string(id); }

    // The project's file names.
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(project)) {
            found.insert(entry.path().filename().string());
        }
        return found;
    }

    // The person confirms at once; 0 when the dialog then ended with IDOK and
    // no message was shown, else what went wrong.
    int confirm() {
        person.onDialog(101, [](Dialog& d) { d.control(1003).click(); });
        const int result = browse();
        if (result != IDOK) {
            return 10 + result;
        }
        return person.messageBoxes().empty() ? 0 : 1;
    }

    // The files a confirmation writes, found by confirming in a child
    // process; the project is put back as it was.
    void learnConfirmedFiles() {
        ASSERT_EQ(test_support::RunInChild([this] { return confirm(); }), 0);
        newHre = readFile(project / "campus.hre");
        newLis = readFile(project / "campus.lis");
        ASSERT_NE(newHre, hre);
        ASSERT_NE(newLis, lis);
        restore();
    }

    // The structure files as they were before, and no side files.
    void restore() {
        for (const std::string& name : names()) {
            if (baseline.count(name) == 0) {
                fs::remove(project / name);
            }
        }
        fs::permissions(project / "campus.hre", static_cast<fs::perms>(0644));
        writeStructure();
    }

    std::set<std::string> baseline;
    std::string newHre, newLis;
};

// A confirmation in a child process, stopped before each step of its file
// changes (file creations, every byte written, flushes, closes and
// replacements, see <vedrix/headless/file_changes.h>) and killed there.
TEST_F(SavingTest, AConfirmationKilledAnywhereLeavesEachFileOldOrNew) {
    HEADLESS_ONLY("stops a child process at the headless platform's file-change steps");
#if VEDRIX_HEADLESS
    ASSERT_NO_FATAL_FAILURE(learnConfirmedFiles());
    // How many steps a whole confirmation takes.
    std::uint64_t total = 0;
    {
        const fs::path count = root / "steps";
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const std::uint64_t before = vedrix::headless::FileChangeSteps();
            const int result = confirm();
            std::ofstream(count) << vedrix::headless::FileChangeSteps() - before;
            _exit(result);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        std::ifstream(count) >> total;
        fs::remove(count);
        restore();
    }
    // The two files' bytes alone are more steps than the points asked for.
    ASSERT_GE(total, newHre.size() + newLis.size());
    ASSERT_GE(total, 200u);

    // What each kill left, as (hierarchy file, level list file) with "old"
    // and "new" for whole files.
    std::map<std::pair<std::string, std::string>, int> seen;
    int points = 0;
    for (std::uint64_t step = 1; step <= total; ++step) {
        SCOPED_TRACE("stopped before step " + std::to_string(step) + " of " +
                     std::to_string(total));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            vedrix::headless::StopBeforeFileChangeStep(vedrix::headless::FileChangeSteps() + step);
            _exit(confirm() + 100);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, WUNTRACED), child);
        ASSERT_TRUE(WIFSTOPPED(status)) << "the confirmation ended before the step";
        ASSERT_EQ(kill(child, SIGKILL), 0);
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        ++points;

        const std::string hreNow = readFile(project / "campus.hre");
        const std::string lisNow = readFile(project / "campus.lis");
        const char* hreState = hreNow == hre ? "old" : hreNow == newHre ? "new" : "torn";
        const char* lisState = lisNow == lis ? "old" : lisNow == newLis ? "new" : "torn";
        EXPECT_STRNE(hreState, "torn") << hreNow;
        EXPECT_STRNE(lisState, "torn") << lisNow;
        ++seen[{hreState, lisState}];
        // Nothing but the project's files and, from a kill, a side file.
        for (const std::string& name : names()) {
            EXPECT_TRUE(baseline.count(name) == 1 || name == "campus.hre.new" ||
                        name == "campus.lis.new")
                << name;
        }
        restore();
    }
    EXPECT_GE(points, 200);
    RecordProperty("points", points);
    // The kills fell before and between the two files' replacements (after
    // the last one nothing is left to stop before: the whole run above).
    EXPECT_GT((seen[{"old", "old"}]), 0);
    EXPECT_GT((seen[{"new", "old"}]), 0);
    EXPECT_EQ((seen[{"old", "new"}]), 0);
#endif
}

TEST_F(SavingTest, ASideFileLeftByAKillGoesWithTheNextConfirmation) {
    HEADLESS_ONLY("stops a child process at the headless platform's file-change steps");
#if VEDRIX_HEADLESS
    ASSERT_NO_FATAL_FAILURE(learnConfirmedFiles());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Stopped in the middle of the hierarchy file's side file.
        vedrix::headless::StopBeforeFileChangeStep(vedrix::headless::FileChangeSteps() + 100);
        _exit(confirm());
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, WUNTRACED), child);
    ASSERT_TRUE(WIFSTOPPED(status));
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    ASSERT_TRUE(fs::exists(project / "campus.hre.new"));
    EXPECT_EQ(readFile(project / "campus.hre"), hre);

    EXPECT_EQ(confirm(), 0);
    EXPECT_EQ(readFile(project / "campus.hre"), newHre);
    EXPECT_EQ(readFile(project / "campus.lis"), newLis);
    EXPECT_EQ(names(), baseline);
#endif
}

// The person may change the project's files but not create any: both files
// get the plain write.
TEST_F(SavingTest, ADirectoryThatTakesNoNewFileGetsThePlainWrite) {
    HEADLESS_ONLY("a directory's permissions keep new files out only on POSIX file systems");
    ASSERT_NO_FATAL_FAILURE(learnConfirmedFiles());
    if (test_support::RunningAsRoot()) {
        // The project stays root's; its files become the child's own.
        for (const char* name : {"campus.hre", "campus.lis"}) {
            test_support::GiveToUnprivileged(project / name);
        }
    } else {
        fs::permissions(project, static_cast<fs::perms>(0555));
    }
    EXPECT_EQ(test_support::RunUnprivileged([this] { return confirm(); }), 0);
    fs::permissions(project, fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(readFile(project / "campus.hre"), newHre);
    EXPECT_EQ(readFile(project / "campus.lis"), newLis);
    EXPECT_EQ(names(), baseline);
}

// A read-only hierarchy file stays as it was; the level list file is
// written; the dialog still ends as confirmed, without a word.
TEST_F(SavingTest, AReadOnlyFileIsLeftAsItWas) {
    ASSERT_NO_FATAL_FAILURE(learnConfirmedFiles());
    fs::permissions(project / "campus.hre", static_cast<fs::perms>(0444));
    EXPECT_EQ(confirm(), 0);
    EXPECT_THAT(person.messageBoxes(), IsEmpty());
    EXPECT_EQ(readFile(project / "campus.hre"), hre);
    EXPECT_EQ(readFile(project / "campus.lis"), newLis);
    EXPECT_EQ(names(), baseline);
}

// Another program reads the hierarchy file and keeps it open: letting others
// write, it gets the plain write; letting others only read, it keeps the old
// file. Either way the level list file is replaced.
TEST_F(SavingTest, AFileHeldOpenIsWrittenAsFarAsTheHolderLetsOthers) {
    ASSERT_NO_FATAL_FAILURE(learnConfirmedFiles());
    const std::string path = (project / "campus.hre").string();
    for (const auto& [share, expected] :
         {std::pair{DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}, &newHre},
          std::pair{DWORD{FILE_SHARE_READ}, &hre}}) {
        SCOPED_TRACE(share);
        HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        EXPECT_EQ(confirm(), 0);
        CloseHandle(holder);
        EXPECT_EQ(readFile(project / "campus.hre"), *expected);
        EXPECT_EQ(readFile(project / "campus.lis"), newLis);
        EXPECT_EQ(names(), baseline);
        restore();
    }
}

}  // namespace
