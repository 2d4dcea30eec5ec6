// Names in another case than the one asked for: the file functions' own
// changes are seen at once, and so are changes that other processes and
// direct system calls make behind their back. The other process is a POSIX
// child, so these tests hold on the headless platform only.
#include <io.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "person.h"

#if VEDRIX_HEADLESS
#include <sys/stat.h>
#include <unistd.h>

#include "support/child_process.h"
#endif

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>

#include "kernel_support.h"

namespace {

using kernel_test::ReadText;
using kernel_test::TempDir;
using kernel_test::WriteText;
namespace fs = std::filesystem;

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The contents of a file opened through the platform.
std::string ReadThroughPlatform(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<not opened>";
    }
    char buffer[256];
    DWORD got = 0;
    const BOOL read = ReadFile(file, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(file);
    return read ? std::string(buffer, got) : "<not read>";
}

bool CreateThroughPlatform(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return CloseHandle(file) && ok && written == text.size();
}

#if VEDRIX_HEADLESS
// On file systems whose change times are coarse, a change within the tick of
// the directory's last change keeps its time (docs/headless-platform.md says
// what the platform may miss then): wait until the clock has left that tick,
// so that what is tested is the lookup, not the file system's clock.
void WaitPastChangeTime(const fs::path& dir) {
    struct stat st;
    ASSERT_EQ(stat(dir.c_str(), &st), 0);
    for (int i = 0; i < 1000; ++i) {
        timespec now;
        clock_gettime(CLOCK_REALTIME_COARSE, &now);
        if (now.tv_sec > st.st_ctim.tv_sec ||
            (now.tv_sec == st.st_ctim.tv_sec && now.tv_nsec > st.st_ctim.tv_nsec)) {
            return;
        }
        usleep(1000);
    }
}

using test_support::InChildProcess;
#endif

TEST(KernelFileNames, FilesAnotherProcessCreatesRenamesAndDeletesAreSeen) {
    HEADLESS_ONLY("checks the headless file layer's name index against a POSIX file system");
#if VEDRIX_HEADLESS
    TempDir dir;
    WriteText(dir.path() / "Plan.txt", "plan");
    WriteText(dir.path() / "Gone.txt", "gone");
    // Looking up names that are not there reads the directory's names.
    EXPECT_FALSE(Exists(dir.win("REPORT.TXT")));
    EXPECT_TRUE(Exists(dir.win("PLAN.TXT")));

    for (int round = 0; round < 5; ++round) {
        const std::string name = "Report" + std::to_string(round) + ".Txt";
        const std::string asked = "REPORT" + std::to_string(round) + ".TXT";
        EXPECT_FALSE(Exists(dir.win(asked))) << name;
        WaitPastChangeTime(dir.path());
        ASSERT_TRUE(InChildProcess([&] {
            std::FILE* file = std::fopen((dir.path() / name).c_str(), "w");
            return file != nullptr && std::fputs(name.c_str(), file) >= 0 && std::fclose(file) == 0;
        }));
        // Making the name anew in another case is refused.
        SetLastError(0);
        EXPECT_FALSE(CreateThroughPlatform(dir.win(asked), "again")) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS)) << name;
        EXPECT_EQ(_access(dir.win(asked).c_str(), 0), 0) << name;
        EXPECT_EQ(ReadThroughPlatform(dir.win(asked)), name);
    }

    WaitPastChangeTime(dir.path());
    ASSERT_TRUE(InChildProcess([&] {
        return std::rename((dir.path() / "Plan.txt").c_str(),
                           (dir.path() / "Section.txt").c_str()) == 0 &&
               std::remove((dir.path() / "Gone.txt").c_str()) == 0;
    }));
    EXPECT_FALSE(Exists(dir.win("plan.TXT")));
    EXPECT_EQ(ReadThroughPlatform(dir.win("SECTION.TXT")), "plan");
    EXPECT_FALSE(Exists(dir.win("GONE.TXT")));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
#endif
}

TEST(KernelFileNames, TheFileFunctionsOwnChangesAreSeenAtOnce) {
    TempDir dir;
    WriteText(dir.path() / "Source.txt", "source");
    EXPECT_FALSE(Exists(dir.win("NEW.TXT")));

    ASSERT_TRUE(CreateThroughPlatform(dir.win("New.Txt"), "new"));
    EXPECT_EQ(ReadThroughPlatform(dir.win("NEW.TXT")), "new");

    ASSERT_TRUE(CopyFileA(dir.win("SOURCE.TXT").c_str(), dir.win("Copy.Txt").c_str(), TRUE));
    EXPECT_EQ(ReadThroughPlatform(dir.win("copy.txt")), "source");
    ASSERT_TRUE(MoveFileA(dir.win("COPY.TXT").c_str(), dir.win("Moved.Txt").c_str()));
    EXPECT_FALSE(Exists(dir.win("copy.txt")));
    EXPECT_EQ(ReadThroughPlatform(dir.win("MOVED.txt")), "source");

    ASSERT_TRUE(CreateDirectoryA(dir.win("Sub").c_str(), nullptr));
    ASSERT_TRUE(CreateThroughPlatform(dir.win("SUB\\Inner.Txt"), "inner"));
    EXPECT_EQ(ReadThroughPlatform(dir.win("sub\\INNER.TXT")), "inner");
    ASSERT_TRUE(DeleteFileA(dir.win("sub\\inner.txt").c_str()));
    EXPECT_FALSE(Exists(dir.win("SUB\\INNER.TXT")));
    ASSERT_TRUE(RemoveDirectoryA(dir.win("SUB").c_str()));
    EXPECT_FALSE(Exists(dir.win("sub")));
    EXPECT_FALSE(fs::exists(dir.path() / "Sub"));

    // A relative path and an absolute one with "." in it name the same
    // directory.
    kernel_test::CurrentDirectoryGuard restore;
    ASSERT_TRUE(SetCurrentDirectoryA(dir.win().c_str()));
    ASSERT_TRUE(CreateThroughPlatform("Relative.Txt", "relative"));
    EXPECT_EQ(ReadThroughPlatform(dir.win("RELATIVE.TXT")), "relative");
    ASSERT_TRUE(DeleteFileA(dir.win(".\\relative.txt").c_str()));
    EXPECT_FALSE(Exists("RELATIVE.txt"));
    EXPECT_EQ(ReadThroughPlatform(".\\NEW.TXT"), "new");
}

TEST(KernelFileNames, OfNamesThatDifferOnlyInCaseTheSmallestStandsForThemAll) {
    HEADLESS_ONLY("checks the headless file layer's name index against a POSIX file system");
#if VEDRIX_HEADLESS
    TempDir dir;
    WriteText(dir.path() / "a.TXT", "lower");
    WriteText(dir.path() / "A.txt", "upper");
    EXPECT_EQ(ReadThroughPlatform(dir.win("a.Txt")), "upper");

    // The platform's own deletion and creation move the choice at once.
    ASSERT_TRUE(DeleteFileA(dir.win("A.txt").c_str()));
    EXPECT_EQ(ReadThroughPlatform(dir.win("a.Txt")), "lower");
    WaitPastChangeTime(dir.path());
    WriteText(dir.path() / "A.txt", "again");
    EXPECT_EQ(ReadThroughPlatform(dir.win("a.Txt")), "again");
    ASSERT_TRUE(MoveFileA(dir.win("A.txt").c_str(), dir.win("b.txt").c_str()));
    EXPECT_EQ(ReadThroughPlatform(dir.win("a.Txt")), "lower");
    EXPECT_EQ(ReadThroughPlatform(dir.win("B.TXT")), "again");

    // A case-only rename through the platform renames the one name.
    ASSERT_TRUE(MoveFileA(dir.win("b.txt").c_str(), dir.win("B.TXT").c_str()));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(dir.win("b.*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(found.cFileName, "B.TXT");
    EXPECT_FALSE(FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(ReadThroughPlatform(dir.win("b.Txt")), "again");
#endif
}

TEST(KernelFileNames, ADirectoryReplacedUnderTheSamePathIsReadAgain) {
    TempDir dir;
    fs::create_directory(dir.path() / "project");
    WriteText(dir.path() / "project" / "Old.txt", "old");
    EXPECT_EQ(ReadThroughPlatform(dir.win("project\\OLD.TXT")), "old");

    fs::rename(dir.path() / "project", dir.path() / "before");
    fs::create_directory(dir.path() / "project");
    WriteText(dir.path() / "project" / "Fresh.txt", "fresh");
    EXPECT_FALSE(Exists(dir.win("project\\OLD.TXT")));
    EXPECT_EQ(ReadThroughPlatform(dir.win("project\\FRESH.TXT")), "fresh");
}

TEST(KernelFileNames, PathsWithRepeatedSeparatorsAndMissingComponents) {
    TempDir dir;
    fs::create_directories(dir.path() / "Level" / "Sub");
    WriteText(dir.path() / "Level" / "Sub" / "File.TXT", "deep");
    // Every component in another case, separators doubled.
    EXPECT_EQ(ReadThroughPlatform(dir.win("LEVEL\\\\sub\\\\file.txt")), "deep");
    // The directory exists exactly, only the file's case differs.
    EXPECT_EQ(ReadThroughPlatform(dir.win("Level\\\\Sub\\FILE.txt")), "deep");
    // A missing directory in the middle: nothing after it is looked up.
    EXPECT_FALSE(Exists(dir.win("LEVEL\\none\\SUB\\file.txt")));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    // A directory asked for with a trailing separator.
    EXPECT_EQ(GetFileAttributesA(dir.win("level\\SUB\\").c_str()),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

HANDLE OpenExisting(const std::string& path, DWORD access, DWORD flags = FILE_ATTRIBUTE_NORMAL) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_EXISTING, flags,
                       nullptr);
}

// An existing file is opened under its exact name as under any other case,
// and what the platform refuses to open it refuses either way.
TEST(KernelFileNames, OpeningExistingFilesUnderTheirExactNameOrAnother) {
    TempDir dir;
    WriteText(dir.path() / "Plan.txt", "plan");
    fs::create_directory(dir.path() / "Folder");

    for (const char* name : {"Plan.txt", "PLAN.TXT"}) {
        EXPECT_EQ(ReadThroughPlatform(dir.win(name)), "plan") << name;
        // A new file of that name, in any case, is refused and the file kept.
        SetLastError(0);
        EXPECT_FALSE(CreateThroughPlatform(dir.win(name), "new")) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS)) << name;
    }
    EXPECT_EQ(ReadThroughPlatform(dir.win("plan.txt")), "plan");
    for (const char* name : {"Folder", "FOLDER"}) {
        SetLastError(0);
        EXPECT_EQ(OpenExisting(dir.win(name), GENERIC_READ), INVALID_HANDLE_VALUE) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << name;
        HANDLE folder = OpenExisting(dir.win(name), GENERIC_READ, FILE_FLAG_BACKUP_SEMANTICS);
        EXPECT_NE(folder, INVALID_HANDLE_VALUE) << name;
        CloseHandle(folder);
    }
    SetLastError(0);
    EXPECT_EQ(OpenExisting(dir.win("none\\Plan.txt"), GENERIC_READ), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(KernelFileNames, ADanglingLinkIsNoFile) {
    HEADLESS_ONLY("makes a symbolic link of the POSIX file system");
#if VEDRIX_HEADLESS
    TempDir dir;
    fs::create_symlink(dir.path() / "nowhere", dir.path() / "Dangling.txt");
    for (const char* name : {"Dangling.txt", "DANGLING.TXT"}) {
        SetLastError(0);
        EXPECT_EQ(OpenExisting(dir.win(name), GENERIC_READ), INVALID_HANDLE_VALUE) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND)) << name;
        errno = 0;
        EXPECT_EQ(_access(dir.win(name).c_str(), 0), -1) << name;
        EXPECT_EQ(errno, ENOENT) << name;
        // Its name is taken all the same: no new file is made through it.
        SetLastError(0);
        EXPECT_FALSE(CreateThroughPlatform(dir.win(name), "new")) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS)) << name;
    }
    EXPECT_FALSE(fs::exists(dir.path() / "nowhere"));
#endif
}

}  // namespace
