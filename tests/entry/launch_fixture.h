// A project directory and a host "Program" setup directory, both empty and
// temporary, with the host stand-ins pointed at them, and the person in
// front of the screen.
#pragma once

#include <vedrix/automation/gtest_fixture.h>
#include <vedrix/hostsim/config.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace entry_tests {

namespace fs = std::filesystem;

// A text file as a text stream reads it: the module writes its files as text
// streams, whose lines end in "\r\n" on Windows; they read as "\n" there.
inline std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A file's bytes as they are on disk: a drawing file is binary, and read as
// text on Windows it would end at its first byte 0x1a and lose its "\r".
inline std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The directory where the build puts the module, the language libraries and
// the host stand-ins.
inline fs::path libraryDirectory() {
    return VEDRIX_ENTRY_LIBRARY_DIR;
}

class LaunchTest : public vedrix::automation::PersonTest {
protected:
    void SetUp() override {
        PersonTest::SetUp();
        // One directory per test and process, so that test programs running
        // side by side never share one.
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root =
            fs::temp_directory_path() / ("vedrix-launch-" + std::string(test->test_suite_name()) +
                                         "-" + test->name() + "-" + std::to_string(::getpid()));
        fs::remove_all(root);
        project = root / "project";
        setup = root / "setup";
        fs::create_directories(project);
        fs::create_directories(setup);
        vedrix::hostsim::HostConfig config;
        config.project = project.string();
        config.setupDirectories["Program"] = setup.string();
        ASSERT_TRUE(vedrix::hostsim::UseHostConfig((root / "host.cfg").string().c_str(), config));
    }
    void TearDown() override {
        PersonTest::TearDown();
        // A language library loaded from the setup directory stays loaded
        // after the call, as the module keeps it installed, and Windows
        // deletes no loaded library: what can go goes, the rest stays in
        // the temporary directory.
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    fs::path root, project, setup;
};

}  // namespace entry_tests
