// Structure files as text streams: line ends, "\" paths, positioning and the
// replace-on-commit writer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include <vedrix/framework/text_file.h>

using vedrix::framework::TextFileReader;
using vedrix::framework::TextFileWriter;

namespace {

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        m_dir = std::filesystem::temp_directory_path() / ("vedrix-text-" + std::to_string(seed()));
        std::filesystem::create_directories(m_dir / "sub");
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string put(const std::string& name, const std::string& bytes) {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
        return (m_dir / name).string();
    }
    // As a text stream reads it (lines end in "\r\n" on Windows, "\n" read).
    std::string contents(const std::string& name) {
        std::ifstream in(m_dir / name);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // The same path with "\" separators, as the host writes it.
    std::string hostPath(const std::string& name) {
        std::string p = (m_dir / name).string();
        for (char& c : p) {
            if (c == '/') {
                c = '\\';
            }
        }
        return p;
    }

    std::filesystem::path m_dir;
};

TEST_F(TextFileTest, ReadingDropsCarriageReturnsBeforeLineFeedsOnly) {
    put("sub/a.hre", "one\r\ntwo\rthree\r\r\nlast\r");
    TextFileReader in(hostPath("sub/a.hre").c_str());
    ASSERT_TRUE(in.is_open());
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "one\ntwo\rthree\r\nlast\r");
}

// Texts without carriage returns, empty ones, and line ends that are all
// pairs, beyond the reader's chunk of 64 KiB, read back unchanged but for
// the dropped returns.
TEST_F(TextFileTest, ReadingKeepsEveryOtherByteAcrossLongTexts) {
    const auto readBack = [&](const std::string& name, const std::string& text) {
        TextFileReader in(put(name, text).c_str());
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(readBack("empty.hre", ""), "");
    EXPECT_EQ(readBack("r.hre", "\r"), "\r");
    EXPECT_EQ(readBack("crlf.hre", "\r\n"), "\n");
    std::string unix;
    std::string dos;
    for (int i = 0; i < 9000; ++i) {
        const std::string line = "line " + std::to_string(i);
        unix += line + "\n";
        dos += line + "\r\n";
    }
    EXPECT_EQ(readBack("unix.hre", unix), unix);
    EXPECT_EQ(readBack("dos.hre", dos), unix);
}

TEST_F(TextFileTest, ReaderCanGoBackToARememberedPosition) {
    TextFileReader in(put("b.hre", "first\r\nsecond\r\nthird\r\n").c_str());
    std::string line;
    std::getline(in, line);
    const std::streampos mark = in.tellg();
    std::getline(in, line);
    std::getline(in, line);
    EXPECT_EQ(line, "third");
    in.seekg(mark);
    std::getline(in, line);
    EXPECT_EQ(line, "second");
    in.seekg(0, std::ios::end);
    EXPECT_EQ(in.tellg(), std::streampos(19));
    in.seekg(100);
    EXPECT_TRUE(in.fail());
}

// A missing file and a directory both give a failed stream, as a file that
// cannot be opened for reading.
TEST_F(TextFileTest, MissingFileOrDirectoryGivesAFailedStream) {
    for (const char* name : {"sub/none.hre", "sub"}) {
        TextFileReader in(hostPath(name).c_str());
        EXPECT_FALSE(in.is_open()) << name;
        EXPECT_TRUE(in.fail()) << name;
        std::string line;
        EXPECT_FALSE(std::getline(in, line)) << name;
    }
}

TEST_F(TextFileTest, WriterReplacesTheTargetOnlyOnCommit) {
    put("c.lis", "old contents\n");
    {
        TextFileWriter out(hostPath("c.lis").c_str());
        ASSERT_TRUE(out.is_open());
        out << "new contents\n";
        // Not committed: the old file stays.
    }
    EXPECT_EQ(contents("c.lis"), "old contents\n");
    {
        TextFileWriter out(hostPath("c.lis").c_str());
        out << "new contents\n";
        EXPECT_EQ(contents("c.lis"), "old contents\n");  // nothing torn while writing
        EXPECT_TRUE(out.Commit());
        EXPECT_FALSE(out.Commit());  // once only
    }
    EXPECT_EQ(contents("c.lis"), "new contents\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir / "c.lis.new"));
}

TEST_F(TextFileTest, WriterIntoAMissingDirectoryFailsWithoutCreatingAnything) {
    TextFileWriter out(hostPath("nodir/d.hre").c_str());
    out << "lost";
    EXPECT_FALSE(out.Commit());
    EXPECT_TRUE(out.bad());
    EXPECT_FALSE(std::filesystem::exists(m_dir / "nodir"));
    TextFileWriter unnamed(nullptr);
    EXPECT_FALSE(unnamed.is_open());
    EXPECT_FALSE(unnamed.Commit());
}

}  // namespace
