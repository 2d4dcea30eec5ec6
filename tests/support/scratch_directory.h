// A directory of the temporary directory for one test's files: named after
// the test and the process (so that two runs of the same test never share
// it), empty when made, and removed with everything in it when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace test_support {

class ScratchDirectory {
public:
    // `kind` names what the tests of a fixture do ("cli-check"); `create`
    // false leaves the directory for the code under test to make.
    explicit ScratchDirectory(const std::string& kind, bool create = true)
        : path_(std::filesystem::temp_directory_path() /
                ("vedrix-" + kind + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                 std::to_string(getpid()))) {
        std::filesystem::remove_all(path_);
        if (create) {
            std::filesystem::create_directories(path_);
        }
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace test_support
