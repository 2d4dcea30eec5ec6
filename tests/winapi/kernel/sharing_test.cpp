// Share modes of open files and ReplaceFileA, as the platform documents
// them: an open, delete, move or replacement that asks for what an open
// handle does not share, or does not share what that handle has, fails with
// ERROR_SHARING_VIOLATION and changes nothing. (The headless platform knows
// the handles of its own process only; these tests hold both ends.)
#include <windows.h>

#include <gtest/gtest.h>

#if VEDRIX_HEADLESS
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>
#include <string>

#if VEDRIX_HEADLESS
#include <vedrix/headless/file_changes.h>
#endif

#include "kernel_support.h"
#include "person.h"

namespace {

using kernel_test::ReadText;
using kernel_test::TempDir;
using kernel_test::WriteText;
namespace fs = std::filesystem;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition = OPEN_EXISTING) {
    return CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

// True when the open fails with ERROR_SHARING_VIOLATION.
bool Refused(const std::string& path, DWORD access, DWORD share,
             DWORD disposition = OPEN_EXISTING) {
    SetLastError(0);
    HANDLE file = Open(path, access, share, disposition);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == static_cast<DWORD>(ERROR_SHARING_VIOLATION);
}

#if VEDRIX_HEADLESS
mode_t ModeOf(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
}
#endif

TEST(KernelSharing, EachHandleMustShareWhatTheOtherDoes) {
    TempDir dir;
    WriteText(dir.path() / "a.hre", "text");
    const std::string path = dir.win("a.hre");

    // A reader that lets others read only.
    HANDLE reader = Open(path, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Refused(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
    EXPECT_TRUE(Refused(path, GENERIC_WRITE, kShareAll));
    EXPECT_TRUE(Refused(path, GENERIC_READ | GENERIC_WRITE, kShareAll));
    EXPECT_TRUE(Refused(path, GENERIC_WRITE, kShareAll, CREATE_ALWAYS));
    // The new handle must let the reader read.
    EXPECT_TRUE(Refused(path, GENERIC_READ, FILE_SHARE_WRITE));
    // Asking for no access at all (attributes only) never conflicts.
    EXPECT_FALSE(Refused(path, 0, 0));
    EXPECT_EQ(ReadText(dir.path() / "a.hre"), "text");  // nothing truncated
    ASSERT_TRUE(CloseHandle(reader));
    EXPECT_FALSE(Refused(path, GENERIC_WRITE, 0));

    // A writer that shares reading and writing: another writer may come in,
    // but only if it shares writing in turn.
    HANDLE writer = Open(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Refused(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
    EXPECT_TRUE(Refused(path, GENERIC_READ, FILE_SHARE_READ));
    // Other files are not concerned.
    EXPECT_FALSE(Refused(dir.win("b.hre"), GENERIC_WRITE, 0, CREATE_NEW));
    ASSERT_TRUE(CloseHandle(writer));
}

TEST(KernelSharing, DeletingAndMovingNeedDeleteSharing) {
    TempDir dir;
    WriteText(dir.path() / "held.lis", "held");
    WriteText(dir.path() / "other.lis", "other");
    const std::string held = dir.win("held.lis");

    HANDLE file = Open(held, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetLastError(0);
    EXPECT_FALSE(DeleteFileA(held.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    SetLastError(0);
    EXPECT_FALSE(MoveFileExA(held.c_str(), dir.win("moved.lis").c_str(), 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    // An open file is not replaced by a move (the platform documents the
    // refusal, not its error code).
    EXPECT_FALSE(
        MoveFileExA(dir.win("other.lis").c_str(), held.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadText(dir.path() / "held.lis"), "held");
    EXPECT_EQ(ReadText(dir.path() / "other.lis"), "other");
    ASSERT_TRUE(CloseHandle(file));

    // Shared for deleting, the file may be deleted while it is open; it is
    // gone at the latest when the last handle is closed.
    file = Open(held, GENERIC_READ, kShareAll);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(DeleteFileA(held.c_str()));
    ASSERT_TRUE(CloseHandle(file));
    EXPECT_EQ(GetFileAttributesA(held.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(KernelReplaceFile, TheReplacementTakesTheNameAndKeepsThePermissions) {
    HEADLESS_ONLY("checks the headless file layer on a POSIX file system");
#if VEDRIX_HEADLESS
    TempDir dir;
    WriteText(dir.path() / "a.hre", "old");
    WriteText(dir.path() / "a.hre.new", "new");
    fs::permissions(dir.path() / "a.hre", static_cast<fs::perms>(0640));
    fs::permissions(dir.path() / "a.hre.new", static_cast<fs::perms>(0600));
    ASSERT_TRUE(ReplaceFileA(dir.win("a.hre").c_str(), dir.win("a.hre.new").c_str(), nullptr,
                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr));
    EXPECT_EQ(ReadText(dir.path() / "a.hre"), "new");
    EXPECT_FALSE(fs::exists(dir.path() / "a.hre.new"));
    EXPECT_EQ(ModeOf(dir.path() / "a.hre"), 0640u);

    // With a backup name the replaced file is kept there.
    WriteText(dir.path() / "a.hre.new", "newer");
    ASSERT_TRUE(ReplaceFileA(dir.win("a.hre").c_str(), dir.win("a.hre.new").c_str(),
                             dir.win("a.hre.bak").c_str(), 0, nullptr, nullptr));
    EXPECT_EQ(ReadText(dir.path() / "a.hre"), "newer");
    EXPECT_EQ(ReadText(dir.path() / "a.hre.bak"), "new");
    EXPECT_FALSE(fs::exists(dir.path() / "a.hre.new"));
#endif
}

// Each refusal leaves both files under their names, as they were.
TEST(KernelReplaceFile, RefusalsLeaveBothFiles) {
    TempDir dir;
    const std::string replaced = dir.win("a.lis");
    const std::string replacement = dir.win("a.lis.new");
    WriteText(dir.path() / "a.lis.new", "new");
    auto expectRefused = [&](DWORD error, const char* what) {
        SCOPED_TRACE(what);
        SetLastError(0);
        EXPECT_FALSE(
            ReplaceFileA(replaced.c_str(), replacement.c_str(), nullptr, 0, nullptr, nullptr));
        EXPECT_EQ(GetLastError(), error);
        EXPECT_EQ(ReadText(dir.path() / "a.lis.new"), "new");
    };
    expectRefused(ERROR_FILE_NOT_FOUND, "no file to replace");
    EXPECT_FALSE(fs::exists(dir.path() / "a.lis"));

    WriteText(dir.path() / "a.lis", "old");
    fs::permissions(dir.path() / "a.lis", static_cast<fs::perms>(0444));
    expectRefused(ERROR_ACCESS_DENIED, "read-only file to replace");
    fs::permissions(dir.path() / "a.lis", static_cast<fs::perms>(0644));

    HANDLE held = Open(replaced, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    expectRefused(ERROR_SHARING_VIOLATION, "file to replace held without delete sharing");
    ASSERT_TRUE(CloseHandle(held));

    held = Open(replacement, GENERIC_READ, kShareAll);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    expectRefused(ERROR_SHARING_VIOLATION, "replacement held open");
    ASSERT_TRUE(CloseHandle(held));
    EXPECT_EQ(ReadText(dir.path() / "a.lis"), "old");

    EXPECT_TRUE(ReplaceFileA(replaced.c_str(), replacement.c_str(), nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(ReadText(dir.path() / "a.lis"), "new");
}

// The replaced file is opened sharing everything, so a handle that shares
// reading, writing and deleting does not stand in the way.
TEST(KernelReplaceFile, AFileHeldWithEverySharingIsReplaced) {
    TempDir dir;
    const std::string replaced = dir.win("a.lis");
    WriteText(dir.path() / "a.lis", "old");
    WriteText(dir.path() / "a.lis.new", "new");
    HANDLE held = Open(replaced, GENERIC_READ, kShareAll);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(
        ReplaceFileA(replaced.c_str(), dir.win("a.lis.new").c_str(), nullptr, 0, nullptr, nullptr));
    ASSERT_TRUE(CloseHandle(held));
    EXPECT_EQ(ReadText(dir.path() / "a.lis"), "new");
}

// Headless only: a process stopped before a step of its file changes has
// made exactly the steps before it.
TEST(KernelFileChanges, AProcessStopsBeforeTheStepAskedFor) {
    HEADLESS_ONLY("stops the headless file layer part way through a change");
#if VEDRIX_HEADLESS
    TempDir dir;
    const std::string path = dir.win("steps.bin");
    // The file is created (step 1), written ten bytes (steps 2 to 11) and
    // closed (step 12). Stopping before step 7 leaves five bytes.
    for (const auto& [step, size] : {std::pair{1, -1}, std::pair{2, 0}, std::pair{7, 5},
                                     std::pair{11, 9}, std::pair{12, 10}}) {
        SCOPED_TRACE(step);
        fs::remove(dir.path() / "steps.bin");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            vedrix::headless::StopBeforeFileChangeStep(vedrix::headless::FileChangeSteps() +
                                                       static_cast<std::uint64_t>(step));
            HANDLE file = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
            DWORD written = 0;
            WriteFile(file, "0123456789", 10, &written, nullptr);
            CloseHandle(file);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, WUNTRACED), child);
        ASSERT_TRUE(WIFSTOPPED(status));
        if (size < 0) {
            EXPECT_FALSE(fs::exists(dir.path() / "steps.bin"));
        } else {
            EXPECT_EQ(ReadText(dir.path() / "steps.bin"), std::string("0123456789", size));
        }
        kill(child, SIGKILL);
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status));
    }
#endif
}

}  // namespace
