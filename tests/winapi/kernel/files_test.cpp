// Files and directories with the platform's paths: existence and permission
// checks, copies that never leave half a file, moves, attributes, handles and
// the file search with its wildcard rules.
#include <io.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "kernel_support.h"
#include "support/headless_only.h"

namespace {

using kernel_test::ReadText;
using kernel_test::TempDir;
using kernel_test::WriteText;
namespace fs = std::filesystem;

void MakeReadOnly(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

// The names a search finds, sorted: the platform leaves the order of a search
// to the file system.
std::vector<std::string> Find(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(find));
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::string>;

TEST(KernelAccess, ModesFollowExistenceAndTheReadOnlyAttribute) {
    TempDir dir;
    WriteText(dir.path() / "listunit.def", "x");
    WriteText(dir.path() / "locked.hre", "x");
    MakeReadOnly(dir.path() / "locked.hre");

    EXPECT_EQ(_access(dir.win("listunit.def").c_str(), 0), 0);
    EXPECT_EQ(_access(dir.win("listunit.def").c_str(), 6), 0);
    EXPECT_EQ(_access(dir.win().c_str(), 0), 0);
    // Read-only refuses write permission even to a user the system lets write.
    EXPECT_EQ(_access(dir.win("locked.hre").c_str(), 4), 0);
    errno = 0;
    EXPECT_EQ(_access(dir.win("locked.hre").c_str(), 2), -1);
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(_access(dir.win("locked.hre").c_str(), 6), -1);

    errno = 0;
    EXPECT_EQ(_access(dir.win("missing.hre").c_str(), 0), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(_access(dir.win("no-dir\\missing.hre").c_str(), 0), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(_access("C:\\Program\\listunit.def", 0), -1);
    EXPECT_EQ(errno, ENOENT);
    // Names in another case are the same file, as on the platform.
    EXPECT_EQ(_access(dir.win("LISTUNIT.DEF").c_str(), 0), 0);
}

TEST(KernelCopyFile, CopiesContentsAndPermissionsAndRespectsFailIfExists) {
    TempDir dir;
    WriteText(dir.path() / "listunit.def", "template\r\nlines\n");

    ASSERT_TRUE(CopyFileA(dir.win("listunit.def").c_str(), dir.win("tb.hre").c_str(), TRUE));
    EXPECT_EQ(ReadText(dir.path() / "tb.hre"), "template\r\nlines\n");

    // Not overwriting: the existing file stays as it was.
    WriteText(dir.path() / "tb.hre", "edited");
    SetLastError(0);
    EXPECT_FALSE(CopyFileA(dir.win("listunit.def").c_str(), dir.win("tb.hre").c_str(), TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(ReadText(dir.path() / "tb.hre"), "edited");
    // Also when the existing name differs in case.
    EXPECT_FALSE(CopyFileA(dir.win("listunit.def").c_str(), dir.win("TB.HRE").c_str(), TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));

    ASSERT_TRUE(CopyFileA(dir.win("listunit.def").c_str(), dir.win("tb.hre").c_str(), FALSE));
    EXPECT_EQ(ReadText(dir.path() / "tb.hre"), "template\r\nlines\n");

    // Nothing else is left in the directory: no side files.
    size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 2u);
}

// The copy takes the source's attributes: a read-only file gives a read-only copy.
TEST(KernelCopyFile, TheCopyKeepsTheReadOnlyAttribute) {
    TempDir dir;
    WriteText(dir.path() / "locked.hre", "x");
    ASSERT_TRUE(SetFileAttributesA(dir.win("locked.hre").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(CopyFileA(dir.win("locked.hre").c_str(), dir.win("copy.hre").c_str(), TRUE));
    EXPECT_EQ(ReadText(dir.path() / "copy.hre"), "x");
    EXPECT_EQ(GetFileAttributesA(dir.win("copy.hre").c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

TEST(KernelCopyFile, FailuresLeaveNoDestination) {
    TempDir dir;
    WriteText(dir.path() / "a.txt", "a");
    SetLastError(0);
    EXPECT_FALSE(CopyFileA(dir.win("missing.txt").c_str(), dir.win("b.txt").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(fs::exists(dir.path() / "b.txt"));

    EXPECT_FALSE(CopyFileA(dir.win("a.txt").c_str(), dir.win("no-dir\\b.txt").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    // A file is not copied onto itself.
    EXPECT_FALSE(CopyFileA(dir.win("a.txt").c_str(), dir.win("A.TXT").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadText(dir.path() / "a.txt"), "a");
    // A directory is no file to copy.
    EXPECT_FALSE(CopyFileA(dir.win().c_str(), dir.win("d.txt").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST(KernelPaths, InvalidPathsFailWithThePlatformsCodes) {
    TempDir dir;
    SetLastError(0);
    EXPECT_EQ(GetFileAttributesA(dir.win("no-dir\\sub").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA(dir.win("a|b").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_EQ(GetFileAttributesA(dir.win("a*b").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_EQ(GetFileAttributesA(dir.win(std::string(MAX_PATH, 'x')).c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(GetFileAttributesA(""), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA(nullptr), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(dir.win("missing").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA(dir.win("missing\\x").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

// A character that no name may hold is found wherever it stands in the
// path, and a separator wherever it stands is one. Names of every length up
// to 40 put each character at every place of a long path's last part.
TEST(KernelPaths, EveryPositionOfAPathIsJudged) {
    TempDir dir;
    fs::create_directory(dir.path() / "sub");
    WriteText(dir.path() / "sub" / "file.txt", "x");
    for (size_t length = 1; length <= 40; ++length) {
        const std::string name(length, 'a');
        for (size_t at = 0; at < name.size(); ++at) {
            for (const char refused : {'<', '|', '"', '*', '?', '\x01', '\x1f'}) {
                std::string bad = name;
                bad[at] = refused;
                SetLastError(0);
                EXPECT_EQ(GetFileAttributesA(dir.win(bad).c_str()), INVALID_FILE_ATTRIBUTES) << bad;
                EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME)) << bad;
            }
        }
        // A separator after a directory name of this length.
        fs::create_directory(dir.path() / name);
        WriteText(dir.path() / name / "f", "x");
        EXPECT_NE(GetFileAttributesA(dir.win(name + "\\f").c_str()), INVALID_FILE_ATTRIBUTES)
            << name;
        EXPECT_EQ(GetFileAttributesA(dir.win(name + "\\g").c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND)) << name;
    }
    // The separator at each place of the last few characters.
    for (const char* path :
         {"sub\\file.txt", "sub\\\\file.txt", "sub\\.\\file.txt", "sub\\..\\sub\\file.txt"}) {
        EXPECT_NE(GetFileAttributesA(dir.win(path).c_str()), INVALID_FILE_ATTRIBUTES) << path;
    }
}

TEST(KernelAttributes, DirectoriesFilesReadOnlyAndHidden) {
    TempDir dir;
    fs::create_directory(dir.path() / "Sub");
    WriteText(dir.path() / "plain.zdw", "x");
    WriteText(dir.path() / ".hidden", "x");
    EXPECT_EQ(GetFileAttributesA(dir.win("sub").c_str()),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(GetFileAttributesA(dir.win("plain.zdw").c_str()),
              static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(GetFileAttributesA(dir.win(".hidden").c_str()),
              static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN));

    ASSERT_TRUE(SetFileAttributesA(dir.win("plain.zdw").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesA(dir.win("plain.zdw").c_str()),
              static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(_access(dir.win("plain.zdw").c_str(), 2), -1);
    // Read-only files are not deleted.
    SetLastError(0);
    EXPECT_FALSE(DeleteFileA(dir.win("plain.zdw").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    ASSERT_TRUE(SetFileAttributesA(dir.win("plain.zdw").c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(_access(dir.win("plain.zdw").c_str(), 2), 0);
    EXPECT_TRUE(DeleteFileA(dir.win("PLAIN.ZDW").c_str()));
    EXPECT_FALSE(fs::exists(dir.path() / "plain.zdw"));
    EXPECT_FALSE(DeleteFileA(dir.win("plain.zdw").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(DeleteFileA(dir.win("sub").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

// A read-only file, under its exact name or another case, is neither opened
// for writing nor overwritten by a copy; it stays as it was.
TEST(KernelAttributes, AReadOnlyFileIsNotWritten) {
    TempDir dir;
    WriteText(dir.path() / "Locked.txt", "locked");
    WriteText(dir.path() / "a.txt", "a");
    ASSERT_TRUE(SetFileAttributesA(dir.win("Locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    for (const char* name : {"Locked.txt", "locked.TXT"}) {
        SetLastError(0);
        HANDLE writer = CreateFileA(dir.win(name).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(writer, INVALID_HANDLE_VALUE) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << name;
        if (writer != INVALID_HANDLE_VALUE) {
            CloseHandle(writer);
        }
        EXPECT_FALSE(CopyFileA(dir.win("a.txt").c_str(), dir.win(name).c_str(), FALSE)) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << name;
    }
    EXPECT_EQ(ReadText(dir.path() / "Locked.txt"), "locked");
}

TEST(KernelDirectories, CreateRemoveAndCurrentDirectory) {
    TempDir dir;
    kernel_test::CurrentDirectoryGuard restore;
    ASSERT_TRUE(CreateDirectoryA(dir.win("Project").c_str(), nullptr));
    SetLastError(0);
    EXPECT_FALSE(CreateDirectoryA(dir.win("PROJECT").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA(dir.win("a\\b").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    WriteText(dir.path() / "Project" / "tb000001.zdw", "x");
    EXPECT_FALSE(RemoveDirectoryA(dir.win("Project").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(RemoveDirectoryA(dir.win("Project\\tb000001.zdw").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));

    ASSERT_TRUE(SetCurrentDirectoryA(dir.win("project").c_str()));
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    // The directory as it was given; names are the same in any case.
    EXPECT_EQ(lstrcmpiA(std::string(buffer, length).c_str(),
                        (fs::canonical(dir.path()) / "Project").string().c_str()),
              0)
        << buffer;
    // Too small: the size needed, terminator included.
    EXPECT_EQ(GetCurrentDirectoryA(3, buffer), length + 1);
    // Relative paths start at the current directory.
    EXPECT_TRUE(DeleteFileA("tb000001.zdw"));
    ASSERT_TRUE(SetCurrentDirectoryA(".."));
    EXPECT_TRUE(RemoveDirectoryA("Project"));
    EXPECT_FALSE(fs::exists(dir.path() / "Project"));
    EXPECT_FALSE(SetCurrentDirectoryA("Project"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    char full[MAX_PATH];
    LPSTR filePart = nullptr;
    const DWORD fullLength =
        GetFullPathNameA("sub\\.\\x\\..\\tb.hre", sizeof full, full, &filePart);
    EXPECT_EQ(std::string(full, fullLength),
              (fs::canonical(dir.path()) / "sub" / "tb.hre").string());
    ASSERT_NE(filePart, nullptr);
    EXPECT_STREQ(filePart, "tb.hre");

    char temp[MAX_PATH];
    const DWORD tempLength = GetTempPathA(sizeof temp, temp);
    ASSERT_GT(tempLength, 0u);
    // It ends with the platform's separator.
    EXPECT_TRUE(temp[tempLength - 1] == '\\' || temp[tempLength - 1] == '/') << temp;
    EXPECT_TRUE(fs::is_directory(temp));
}

TEST(KernelMoveFile, RenamesAndReplacesOnlyWhenAsked) {
    TempDir dir;
    WriteText(dir.path() / "a.lis", "new");
    WriteText(dir.path() / "b.lis", "old");
    SetLastError(0);
    EXPECT_FALSE(MoveFileA(dir.win("a.lis").c_str(), dir.win("b.lis").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(ReadText(dir.path() / "b.lis"), "old");

    ASSERT_TRUE(
        MoveFileExA(dir.win("a.lis").c_str(), dir.win("b.lis").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadText(dir.path() / "b.lis"), "new");
    EXPECT_FALSE(fs::exists(dir.path() / "a.lis"));

    EXPECT_FALSE(MoveFileA(dir.win("missing").c_str(), dir.win("c.lis").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// A move to the same name in another case succeeds, and the file is read
// under the new name.
TEST(KernelMoveFile, AMoveToAnotherCaseKeepsTheFile) {
    TempDir dir;
    WriteText(dir.path() / "b.lis", "text");
    ASSERT_TRUE(MoveFileA(dir.win("b.lis").c_str(), dir.win("B.LIS").c_str()));
    EXPECT_EQ(ReadText(dir.path() / "B.LIS"), "text");
}

// A move to the same name in another case renames the file.
TEST(KernelMoveFile, AMoveChangesTheCaseOfTheName) {
    TempDir dir;
    WriteText(dir.path() / "b.lis", "text");
    MoveFileA(dir.win("b.lis").c_str(), dir.win("B.LIS").c_str());
    EXPECT_EQ(Find(dir.win("*.lis")), Names{"B.LIS"});
}

TEST(KernelFileHandles, DispositionsReadWriteSeekAndDoubleClose) {
    TempDir dir;
    const std::string path = dir.win("data.bin");
    SetLastError(1234);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    DWORD count = 0;
    ASSERT_TRUE(WriteFile(file, "0123456789", 10, &count, nullptr));
    EXPECT_EQ(count, 10u);
    EXPECT_EQ(GetFileSize(file, nullptr), 10u);
    EXPECT_EQ(SetFilePointer(file, -4, nullptr, FILE_END), 6u);
    char buffer[16] = {};
    ASSERT_TRUE(ReadFile(file, buffer, sizeof buffer, &count, nullptr));
    EXPECT_EQ(std::string(buffer, count), "6789");
    // At the end: success with nothing read.
    ASSERT_TRUE(ReadFile(file, buffer, sizeof buffer, &count, nullptr));
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(SetFilePointer(file, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(SetFilePointer(file, 3, nullptr, FILE_BEGIN), 3u);
    ASSERT_TRUE(SetEndOfFile(file));
    EXPECT_EQ(GetFileSize(file, nullptr), 3u);
    EXPECT_TRUE(FlushFileBuffers(file));
    FILETIME created;
    FILETIME written;
    ASSERT_TRUE(GetFileTime(file, &created, nullptr, &written));
    EXPECT_NE(written.dwHighDateTime, 0u);
    EXPECT_TRUE(CloseHandle(file));
    SetLastError(0);
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(ReadFile(file, buffer, 1, &count, nullptr));
    EXPECT_FALSE(CloseHandle(nullptr));
    EXPECT_EQ(ReadText(dir.path() / "data.bin"), "012");

    SetLastError(0);
    EXPECT_EQ(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(GetFileSize(file, nullptr), 0u);
    // Opened for writing only: no reading.
    EXPECT_FALSE(ReadFile(file, buffer, 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(CloseHandle(file));

    file = CreateFileA(dir.win("other.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0,
                       nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_FALSE(WriteFile(file, "x", 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(CloseHandle(file));

    EXPECT_EQ(CreateFileA(dir.win("missing.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                          0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(CreateFileA(dir.win().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    // Search handles are no file handles.
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(dir.win("*").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CloseHandle(find));
    EXPECT_TRUE(FindClose(find));
}

class KernelFindFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"TB000001.ZDW", "tb000002.zdw", "tb000010.zdw.bak", "tb0.zdw",
                                 "tb1.zdw", "readme", "Tb000003.Zdw", "x.y.zdw"}) {
            WriteText(m_dir.path() / name, "content");
        }
        fs::create_directory(m_dir.path() / "sub");
    }
    std::string Pattern(const std::string& pattern) const { return m_dir.win(pattern); }
    TempDir m_dir;
};

TEST_F(KernelFindFiles, MatchesCaseInsensitively) {
    EXPECT_EQ(Find(Pattern("tb0*.zdw")),
              (Names{"TB000001.ZDW", "Tb000003.Zdw", "tb0.zdw", "tb000002.zdw"}));
    EXPECT_EQ(Find(Pattern("TB00000?.ZDW")),
              (Names{"TB000001.ZDW", "Tb000003.Zdw", "tb000002.zdw"}));
    EXPECT_EQ(Find(Pattern("*.bak")), (Names{"tb000010.zdw.bak"}));
    EXPECT_EQ(Find(Pattern("x.*")), (Names{"x.y.zdw"}));
}

// Names that share their first eight bytes or more, and a byte above 127,
// still come in byte-wise order of unsigned bytes, a shorter name before
// the longer one it begins.
TEST_F(KernelFindFiles, NamesAlikeInTheirFirstBytesComeInByteOrder) {
    HEADLESS_ONLY(
        "a search's order is the file system's on Windows; the headless one gives byte order");
    for (const char* name : {"tb000002.zdw~", "tb00000\xe4", "tb000002.zd", "tb00000",
                             "tb000002.zdw.bak2", "tb000002"}) {
        WriteText(m_dir.path() / name, "content");
    }
    EXPECT_EQ(Find(Pattern("tb00000*")),
              (Names{"TB000001.ZDW", "Tb000003.Zdw", "tb00000", "tb000002", "tb000002.zd",
                     "tb000002.zdw", "tb000002.zdw.bak2", "tb000002.zdw~", "tb00000\xe4"}));
}

TEST_F(KernelFindFiles, PlatformWildcardRules) {
    const Names everything = {".",      "..",      "TB000001.ZDW", "Tb000003.Zdw",     "readme",
                              "sub",    "tb0.zdw", "tb000002.zdw", "tb000010.zdw.bak", "tb1.zdw",
                              "x.y.zdw"};
    EXPECT_EQ(Find(Pattern("*")), everything);
    EXPECT_EQ(Find(Pattern("*.*")), everything);
    // "readme.*" also matches "readme".
    EXPECT_EQ(Find(Pattern("tb?.zdw")), (Names{"tb0.zdw", "tb1.zdw"}));
    EXPECT_EQ(Find(Pattern("readme.*")), (Names{"readme"}));
    EXPECT_EQ(Find(Pattern("README")), (Names{"readme"}));
}

// Plain characters around one star: both ends must match, without
// overlapping, and a star before a dot does not reach past the name's last
// dot.
TEST_F(KernelFindFiles, APatternOfOneStarMatchesBothEndsOfTheName) {
    EXPECT_EQ(Find(Pattern("tb*.zdw")),
              (Names{"TB000001.ZDW", "Tb000003.Zdw", "tb0.zdw", "tb000002.zdw", "tb1.zdw"}));
    EXPECT_EQ(Find(Pattern("tb0*0.zdw")), Names{});
    EXPECT_EQ(Find(Pattern("x*.zdw")), (Names{"x.y.zdw"}));
    EXPECT_EQ(Find(Pattern("*.y.zdw")), (Names{"x.y.zdw"}));
    EXPECT_EQ(Find(Pattern("tb*bak")), (Names{"tb000010.zdw.bak"}));
    EXPECT_EQ(Find(Pattern("*ME")), (Names{"readme"}));
}

// The rules of the platform's own file systems for a dot in the pattern:
// "*." is the names without an extension,
TEST_F(KernelFindFiles, AStarAndADotFindTheNamesWithoutAnExtension) {
    EXPECT_EQ(Find(Pattern("*.")), (Names{".", "..", "readme", "sub"}));
}

// and a "?" before the dot may match nothing.
TEST_F(KernelFindFiles, AQuestionMarkBeforeTheDotMayMatchNothing) {
    EXPECT_EQ(Find(Pattern("tb0?.zdw")), (Names{"tb0.zdw"}));
}

TEST_F(KernelFindFiles, EntriesCarryAttributesAndSizes) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(Pattern("sub").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "sub");
    EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(FindNextFileA(find, &data));
    EXPECT_TRUE(FindClose(find));

    find = FindFirstFileA(Pattern("tb000002.zdw").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.nFileSizeLow, 7u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
    EXPECT_STREQ(data.cAlternateFileName, "");
    EXPECT_TRUE(FindClose(find));
}

// The platform writes the result without looking at the pointer (a null
// one is an access violation there); the headless platform fails instead.
TEST_F(KernelFindFiles, ANullResultFailsWithoutASearch) {
    HEADLESS_ONLY("checks the headless platform's answer to a null result pointer");
    SetLastError(0);
    EXPECT_EQ(FindFirstFileA(Pattern("*").c_str(), nullptr), INVALID_HANDLE_VALUE);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
}

// A search's handle is no file, and a file's handle no search: each kind's
// functions refuse the other's, and the refused handle stays usable. The
// platform leaves a handle of the wrong kind undefined; the headless one
// refuses it.
TEST_F(KernelFindFiles, AHandleOfTheOtherKindIsRefused) {
    HEADLESS_ONLY("the platform leaves a handle of the wrong kind to these functions undefined");
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(Pattern("tb00000?.zdw").c_str(), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    HANDLE file = CreateFileA(Pattern("tb000002.zdw").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);

    char buffer[16] = {};
    DWORD read = 0;
    SetLastError(0);
    EXPECT_FALSE(ReadFile(search, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    SetLastError(0);
    EXPECT_FALSE(FindNextFileA(file, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(FindClose(file));
    EXPECT_FALSE(CloseHandle(search));

    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    EXPECT_STREQ(buffer, "content");
    EXPECT_TRUE(FindNextFileA(search, &data));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_TRUE(FindClose(search));
}

TEST_F(KernelFindFiles, NothingFoundAndBadHandles) {
    WIN32_FIND_DATAA data;
    SetLastError(0);
    EXPECT_EQ(FindFirstFileA(Pattern("*.hre").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileA(Pattern("missing\\*.zdw").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(FindFirstFileA(Pattern("su*\\*.zdw").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_FALSE(FindNextFileA(nullptr, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
}

}  // namespace
