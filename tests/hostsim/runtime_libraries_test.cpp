// The libraries the module loads by name: vedada.dll's object names and the
// facility-management library's tree view, reached through LoadLibraryA and
// GetProcAddress as the module reaches them.
#include "host_project.h"

#include <zelkar/business_basics.h>
#include <zelkar/fman.h>
#include <zelkar/vedada.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

using namespace hostsim_test;

namespace {

// A library loaded by name for the test's lifetime.
class Loaded {
public:
    explicit Loaded(const char* name) : m_module(LoadLibraryA(name)) {}
    ~Loaded() {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }
    Loaded(const Loaded&) = delete;
    Loaded& operator=(const Loaded&) = delete;

    HMODULE get() const { return m_module; }
    template <typename Function>
    Function function(const char* name) const {
        // Through the generic function type, as the platform's code does.
        return reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(m_module, name)));
    }

private:
    HMODULE m_module;
};

class VedadaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(vedada.get(), nullptr);
        setListPath = vedada.function<VedadaSetListPath>(VEDADA_SET_LIST_PATH);
        readObjectName = vedada.function<VedadaReadObjectName>(VEDADA_READ_OBJECT_NAME);
        ASSERT_NE(setListPath, nullptr);
        ASSERT_NE(readObjectName, nullptr);
    }

    HostProject project;
    Loaded vedada{VEDADA_LIBRARY_NAME};
    VedadaSetListPath setListPath = nullptr;
    VedadaReadObjectName readObjectName = nullptr;
};

TEST_F(VedadaTest, NamesComeFromTheHeadersInTheGivenDirectory) {
    project.addDrawingFile(42, "Ground floor");
    std::string dir = project.str() + "\\";
    setListPath(dir.data());
    char text[72] = {};
    ASSERT_EQ(readObjectName(1, 42, text), 0);
    EXPECT_STREQ(text, "Ground floor");

    // The directory without its separator works alike.
    dir = project.str();
    setListPath(dir.data());
    std::memset(text, 0, sizeof text);
    ASSERT_EQ(readObjectName(1, 42, text), 0);
    EXPECT_STREQ(text, "Ground floor");
}

TEST_F(VedadaTest, TheDirectoryIsTheGivenOneNotTheHostsProject) {
    HostProject other;
    other.addDrawingFile(7, "Elsewhere");
    project.apply();  // the host's project is `project`
    std::string dir = other.str();
    setListPath(dir.data());
    char text[72] = {};
    ASSERT_EQ(readObjectName(1, 7, text), 0);
    EXPECT_STREQ(text, "Elsewhere");
}

TEST_F(VedadaTest, FailuresLeaveNoName) {
    project.addDrawingFile(5, "");
    project.addDrawingFile(6, std::string(ZEL_TB_NAME_LENGTH, 'n'));
    project.writeFile("tb000008.zdw", "short");
    std::string dir = project.str();
    setListPath(dir.data());
    char text[72] = {};
    EXPECT_NE(readObjectName(1, 5, text), 0);
    EXPECT_NE(readObjectName(1, 4, text), 0);
    EXPECT_NE(readObjectName(1, 8, text), 0);
    EXPECT_NE(readObjectName(2, 6, text), 0);
    EXPECT_NE(readObjectName(1, 6, nullptr), 0);
    EXPECT_STREQ(text, "");
    // The longest name and its terminator fit the buffer.
    ASSERT_EQ(readObjectName(1, 6, text), 0);
    EXPECT_EQ(std::string(text), std::string(ZEL_TB_NAME_LENGTH, 'n'));
}

// The name is the header's name field up to a zero, without its trailing
// blanks, however many there are.
TEST_F(VedadaTest, ANameEndsAtItsPaddingOrAtAZero) {
    const auto withNameField = [&](int number, const std::string& field) {
        vedrix::hostsim::DrawingHeader header;
        header.number = number;
        std::string record(ZEL_TB_RECORD_SIZE, '\0');
        vedrix::hostsim::EncodeHeader(header, record.data());
        record.replace(ZEL_TB_REC_NAME, field.size(), field);
        project.writeFile(vedrix::hostsim::DrawingFileName(number), record);
    };
    const auto padded = [](const std::string& name) {
        return name + std::string(ZEL_TB_NAME_LENGTH - name.size(), ' ');
    };
    withNameField(1, padded("x"));
    withNameField(2, padded(std::string(ZEL_TB_NAME_LENGTH - 8, 'y')));
    withNameField(3, padded(std::string(ZEL_TB_NAME_LENGTH - 9, 'z')));
    withNameField(4, padded(" Two  words"));
    withNameField(5, std::string("Cut") + '\0' + padded("Cut and more").substr(4));
    withNameField(6, padded(""));
    withNameField(7, std::string("Tail  ") + '\0');
    std::string dir = project.str();
    setListPath(dir.data());
    const auto nameOf = [&](int number) {
        char text[72] = {};
        return readObjectName(1, number, text) == 0 ? std::string(text) : std::string("(none)");
    };
    EXPECT_EQ(nameOf(1), "x");
    EXPECT_EQ(nameOf(2), std::string(ZEL_TB_NAME_LENGTH - 8, 'y'));
    EXPECT_EQ(nameOf(3), std::string(ZEL_TB_NAME_LENGTH - 9, 'z'));
    EXPECT_EQ(nameOf(4), " Two  words");
    EXPECT_EQ(nameOf(5), "Cut");
    EXPECT_EQ(nameOf(6), "(none)");
    EXPECT_EQ(nameOf(7), "Tail");
}

class TreeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(fman.get(), nullptr);
        start = fman.function<FmManStartTreeView>(FMAN_START_TREE_VIEW);
        ASSERT_NE(start, nullptr);
    }

    HostProject project;
    Loaded fman{FMAN_LIBRARY_NAME};
    FmManStartTreeView start = nullptr;
};

TEST_F(TreeViewTest, EachStartIsRecordedInTheProjectsLog) {
    EXPECT_EQ(start("A.01.02"), 0);
    EXPECT_EQ(start("B.7"), 0);
    EXPECT_EQ(project.readText("fm_treeview.log"), "A.01.02\nB.7\n");
}

TEST_F(TreeViewTest, AMissingCodePathIsRefused) {
    EXPECT_NE(start(nullptr), 0);
    EXPECT_NE(start(""), 0);
    EXPECT_NE(start(CfmViewInfo::cs_withoutPath()), 0);
    EXPECT_FALSE(fs::exists(project.file("fm_treeview.log")));
}

TEST_F(TreeViewTest, ALogThatCannotBeWrittenIsReported) {
    fs::create_directory(project.file("fm_treeview.log"));
    EXPECT_NE(start("A.01"), 0);
}

}  // namespace
