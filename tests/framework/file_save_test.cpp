// Saving files: the new contents take the old file's place in one step where
// the directory and the programs holding the file allow it, the plain write
// where they do not, and no side file stays behind either way.
#include <gtest/gtest.h>

#include <windows.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>

#include <vedrix/framework/file_save.h>
#include <vedrix/framework/text_file.h>

#include "support/unprivileged_child.h"

using vedrix::framework::NewFileResult;
using vedrix::framework::SaveFile;
using vedrix::framework::SaveResult;
using vedrix::framework::TextFileWriter;
using vedrix::framework::WriteNewFile;

namespace {

namespace fs = std::filesystem;

class FileSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        m_dir = fs::temp_directory_path() / ("vedrix-save-" + std::to_string(seed()));
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }

    std::string put(const std::string& name, const std::string& bytes) {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
        return path(name);
    }
    std::string contents(const std::string& name) const {
        std::ifstream in(m_dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // The path as the module names it, with "\" separators.
    std::string path(const std::string& name) const {
        std::string p = (m_dir / name).string();
        for (char& c : p) {
            c = c == '/' ? '\\' : c;
        }
        return p;
    }
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            found.insert(entry.path().filename().string());
        }
        return found;
    }
    fs::perms mode(const std::string& name) const { return fs::status(m_dir / name).permissions(); }
    SaveResult save(const std::string& name, const std::string& bytes) const {
        return SaveFile(path(name).c_str(), bytes.data(), bytes.size());
    }
    fs::path m_dir;
};

TEST_F(FileSaveTest, NewContentsReplaceTheFileKeepingItsPermissions) {
    EXPECT_EQ(save("a.hre", "first\n"), SaveResult::kReplaced);
    EXPECT_EQ(contents("a.hre"), "first\n");

    // (as the file system keeps them: on Windows only whether the file may
    // be written)
    fs::permissions(m_dir / "a.hre", static_cast<fs::perms>(0604));
    const fs::perms before = mode("a.hre");
    EXPECT_EQ(save("a.hre", "second\n"), SaveResult::kReplaced);
    EXPECT_EQ(contents("a.hre"), "second\n");
    EXPECT_EQ(mode("a.hre"), before);
    EXPECT_EQ(names(), std::set<std::string>({"a.hre"}));
}

TEST_F(FileSaveTest, ASideFileLeftByACrashIsReplacedAndRemoved) {
    put("a.lis", "old\n");
    put("a.lis.new", "half of a lost sav");
    EXPECT_EQ(save("a.lis", "new\n"), SaveResult::kReplaced);
    EXPECT_EQ(contents("a.lis"), "new\n");
    EXPECT_EQ(names(), std::set<std::string>({"a.lis"}));
}

// A file of another user that the person may write keeps its owner: the
// replacement could not carry it over, so the file itself is written.
TEST_F(FileSaveTest, AFileOfAnotherUserKeepsItsOwner) {
    if (!test_support::RunningAsRoot()) {
        GTEST_SKIP() << "only root can make a file of another user for the test";
    }
    put("a.hre", "old\n");
    fs::permissions(m_dir, static_cast<fs::perms>(0777));
    fs::permissions(m_dir / "a.hre", static_cast<fs::perms>(0666));
    const int result = test_support::RunUnprivileged(
        [&] { return save("a.hre", "new\n") == SaveResult::kOverwritten ? 0 : 1; });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(contents("a.hre"), "new\n");
    struct stat st {};
    ASSERT_EQ(stat((m_dir / "a.hre").string().c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);
    EXPECT_EQ(st.st_mode & 07777, 0666u);
    EXPECT_EQ(names(), std::set<std::string>({"a.hre"}));
}

// A new file is made with the contents where no file is, and an existing
// one is never written over by it; one that cannot be made leaves nothing.
TEST_F(FileSaveTest, ANewFileIsMadeOnlyWhereNoFileIs) {
    const std::string bytes = "header and drawing";
    EXPECT_EQ(WriteNewFile(path("tb000001.zdw").c_str(), bytes.data(), bytes.size()),
              NewFileResult::kCreated);
    EXPECT_EQ(contents("tb000001.zdw"), bytes);

    put("tb000002.zdw", "the person's drawing");
    EXPECT_EQ(WriteNewFile(path("tb000002.zdw").c_str(), bytes.data(), bytes.size()),
              NewFileResult::kExists);
    EXPECT_EQ(contents("tb000002.zdw"), "the person's drawing");

    EXPECT_EQ(WriteNewFile(path("missing\\tb000003.zdw").c_str(), bytes.data(), bytes.size()),
              NewFileResult::kFailed);
    EXPECT_EQ(WriteNewFile("", bytes.data(), bytes.size()), NewFileResult::kFailed);
    EXPECT_EQ(names(), std::set<std::string>({"tb000001.zdw", "tb000002.zdw"}));
}

TEST_F(FileSaveTest, TextWriterSavesOnlyOnCommitAndReportsFailure) {
    put("a.lis", "old\n");
    {
        TextFileWriter out(path("a.lis").c_str());
        out << "never committed\n";
    }
    EXPECT_EQ(contents("a.lis"), "old\n");
    fs::permissions(m_dir / "a.lis", static_cast<fs::perms>(0444));
    TextFileWriter out(path("a.lis").c_str());
    ASSERT_TRUE(out.is_open());
    out << "new\n";
    EXPECT_FALSE(out.Commit());
    EXPECT_TRUE(out.bad());
    EXPECT_EQ(contents("a.lis"), "old\n");
    EXPECT_EQ(names(), std::set<std::string>({"a.lis"}));
}

}  // namespace
