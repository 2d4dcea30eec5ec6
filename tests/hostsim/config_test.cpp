// The simulated host's configuration file.
#include "host_project.h"
#include "support/child_process.h"

#include <zelkar/file_access.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/drawings.h>
#include <vedrix/hostsim/host_call.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

using namespace hostsim_test;
using namespace vedrix::hostsim;
using test_support::InChildProcess;
namespace fs = std::filesystem;

namespace {

// The first drawing file of the drawings list at `list`, 0 when it lists
// none.
int FirstListedDrawingFile(const std::string& list) {
    std::vector<Drawing> drawings;
    EXPECT_TRUE(ReadDrawings(list, drawings));
    return drawings.empty() ? 0 : drawings[0].drawingFiles.at(0);
}

TEST(ConfigTest, WrittenConfigurationReadsBack) {
    HostProject project;
    HostConfig written;
    written.project = "C:\\projects\\house";
    written.unit = 3;
    written.drawingLimit = 25;
    written.namingType = 1;
    written.settingsFile = "/tmp/settings.ini";
    written.textTable = "/tmp/texts.txt";
    written.setupDirectories["Program"] = "/opt/host";
    written.folders["ETC"] = "/opt/host/etc";
    written.loaded = {{12, 2}, {14, 3}};
    const std::string path = project.file("written.cfg").string();
    ASSERT_TRUE(WriteHostConfig(path.c_str(), written));

    HostConfig read;
    ASSERT_TRUE(ReadHostConfig(path.c_str(), read));
    EXPECT_EQ(read.project, written.project);
    EXPECT_EQ(read.unit, 3);
    EXPECT_EQ(read.drawingLimit, 25);
    EXPECT_EQ(read.namingType, 1);
    EXPECT_EQ(read.settingsFile, written.settingsFile);
    EXPECT_EQ(read.textTable, written.textTable);
    EXPECT_EQ(read.setupDirectories, written.setupDirectories);
    EXPECT_EQ(read.folders, written.folders);
    ASSERT_EQ(read.loaded.size(), 2u);
    EXPECT_EQ(read.loaded[1].number, 14);
    EXPECT_EQ(read.loaded[1].kind, 3);
}

TEST(ConfigTest, FailureRulesReadBackOnePerFunction) {
    HostProject project;
    project.writeFile("fail.cfg",
                      "fail.vw_tb_copy=3:104\nfail.lfznamC=x:1\nfail.lfznamC=0:1\n"
                      "fail.update_teilbild_rec=1:2\nfail.update_teilbild_rec=2:105\nfail.=1:1\n");
    HostConfig read;
    ASSERT_TRUE(ReadHostConfig(project.file("fail.cfg").string().c_str(), read));
    ASSERT_EQ(read.failures.size(), 2u);
    EXPECT_EQ(read.failures[0].function, "vw_tb_copy");
    EXPECT_EQ(read.failures[0].call, 3);
    EXPECT_EQ(read.failures[0].result, 104);
    // The later rule of a function replaces the earlier one.
    EXPECT_EQ(read.failures[1].function, "update_teilbild_rec");
    EXPECT_EQ(read.failures[1].call, 2);
    EXPECT_EQ(read.failures[1].result, 105);

    const std::string path = project.file("written.cfg").string();
    ASSERT_TRUE(WriteHostConfig(path.c_str(), read));
    HostConfig again;
    ASSERT_TRUE(ReadHostConfig(path.c_str(), again));
    ASSERT_EQ(again.failures.size(), 2u);
    EXPECT_EQ(again.failures[1].function, "update_teilbild_rec");
    EXPECT_EQ(again.failures[1].result, 105);
}

TEST(ConfigTest, LinesNotUnderstoodKeepTheDefaults) {
    HostProject project;
    project.writeFile("odd.cfg",
                      "unit=two\r\n  drawing_limit = 9 \r\nno equals sign\r\n"
                      "loaded=1:2 x 3:y 4:3\r\n# unit=5\r\n");
    HostConfig read;
    ASSERT_TRUE(ReadHostConfig(project.file("odd.cfg").string().c_str(), read));
    EXPECT_EQ(read.unit, 1);
    EXPECT_EQ(read.drawingLimit, 9);
    ASSERT_EQ(read.loaded.size(), 2u);
    EXPECT_EQ(read.loaded[1].number, 4);
    HostConfig missing;
    EXPECT_FALSE(ReadHostConfig(project.file("none.cfg").string().c_str(), missing));
}

TEST(ConfigTest, EveryCallReadsTheCurrentConfiguration) {
    HostProject first;
    HostProject second;
    second.config().unit = 4;
    second.apply();
    EXPECT_EQ(kgunit(), 4);
    first.apply();
    EXPECT_EQ(kgunit(), 1);
    // Without a configuration the host has its defaults.
    SetEnvironmentVariableA(kConfigVariable, nullptr);
    EXPECT_EQ(CurrentHostConfig().project, "");
    EXPECT_EQ(kgtbls(), 40);
}

// What the stand-ins keep of an unchanged file is never older than the file:
// a rewrite in place with the same length, within the same second or after
// the file has settled, is seen by the next call, and so is a replacement.
TEST(ConfigTest, AKeptConfigurationAndDrawingsListGiveWayToEveryRewrite) {
    HostProject project;
    const std::string config = project.file("kept.cfg").string();
    const std::string list = project.file(kDrawingsFileName).string();
    const auto writeConfig = [&](int unit) {
        project.writeFile("kept.cfg",
                          "project=" + project.str() + "\nunit=" + std::to_string(unit) + "\n");
    };
    const auto writeList = [&](int number) {
        project.writeFile(kDrawingsFileName, "1\t" + std::to_string(number) + "\tPlan\n");
    };
    const auto listed = [&] {
        std::vector<Drawing> drawings;
        EXPECT_TRUE(ReadDrawings(list, drawings));
        return drawings.size() == 1 && drawings[0].drawingFiles.size() == 1
                   ? drawings[0].drawingFiles[0]
                   : -1;
    };
    SetEnvironmentVariableA(kConfigVariable, config.c_str());
    writeConfig(3);
    writeList(11);
    EXPECT_EQ(kgunit(), 3);
    EXPECT_EQ(listed(), 11);
    writeConfig(4);
    writeList(12);
    EXPECT_EQ(kgunit(), 4);
    EXPECT_EQ(listed(), 12);

    // Settled files are kept; a rewrite is still seen at once.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    EXPECT_EQ(kgunit(), 4);
    EXPECT_EQ(listed(), 12);
    EXPECT_EQ(kgunit(), 4);
    EXPECT_EQ(listed(), 12);
    writeConfig(5);
    writeList(13);
    EXPECT_EQ(kgunit(), 5);
    EXPECT_EQ(listed(), 13);
    HostConfig replaced = CurrentHostConfig();
    replaced.unit = 6;
    ASSERT_TRUE(WriteHostConfig(config.c_str(), replaced));
    EXPECT_EQ(kgunit(), 6);

    // A list that is gone is an empty one again.
    fs::remove(list);
    std::vector<Drawing> drawings;
    EXPECT_TRUE(ReadDrawings(list, drawings));
    EXPECT_TRUE(drawings.empty());
}

// A missing drawings list is kept as missing while its directory stays as
// it was; a list made there changes the directory and is seen at once, and
// so is a list that goes away again.
TEST(ConfigTest, AKeptMissingDrawingsListGivesWayToANewList) {
    HostProject project;
    const std::string list = project.file(kDrawingsFileName).string();
    const auto listed = [&] { return FirstListedDrawingFile(list); };
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    EXPECT_EQ(listed(), 0);
    EXPECT_EQ(listed(), 0);
    project.writeFile(kDrawingsFileName, "1\t21\tPlan\n");
    EXPECT_EQ(listed(), 21);

    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    EXPECT_EQ(listed(), 21);
    fs::remove(list);
    EXPECT_EQ(listed(), 0);
    project.writeFile(kDrawingsFileName, "1\t22\tPlan\n");
    EXPECT_EQ(listed(), 22);
}

bool WriteBytes(const fs::path& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// A kept file gives way to every change, whoever makes it and however soon
// after the reading: another process rewriting the configuration in place
// with the same length or making the missing drawings list, a rewrite of
// this process that a child process asked about first, and the whole
// project directory made anew under the same path.
TEST(ConfigTest, KeptFilesGiveWayToChangesFromAnywhere) {
    HostProject project;
    const std::string config = project.file("watched.cfg").string();
    const std::string list = project.file(kDrawingsFileName).string();
    const auto configText = [&](int unit) {
        return "project=" + project.str() + "\nunit=" + std::to_string(unit) + "\n";
    };
    const auto listed = [&] { return FirstListedDrawingFile(list); };
    project.writeFile("watched.cfg", configText(3));
    SetEnvironmentVariableA(kConfigVariable, config.c_str());
    EXPECT_EQ(kgunit(), 3);
    EXPECT_EQ(kgunit(), 3);
    ASSERT_TRUE(InChildProcess([&] { return WriteBytes(config, configText(7)); }));
    EXPECT_EQ(kgunit(), 7);
    // A child that asks the stand-ins too leaves the parent's news to it.
    project.writeFile("watched.cfg", configText(6));
    ASSERT_TRUE(InChildProcess([] { return kgunit() == 6; }));
    EXPECT_EQ(kgunit(), 6);

    EXPECT_EQ(listed(), 0);
    EXPECT_EQ(listed(), 0);
    ASSERT_TRUE(InChildProcess([&] { return WriteBytes(list, "1\t31\tPlan\n"); }));
    EXPECT_EQ(listed(), 31);
    EXPECT_EQ(listed(), 31);

    fs::remove_all(project.dir());
    EXPECT_EQ(listed(), 0);
    fs::create_directories(project.dir());
    project.writeFile(kDrawingsFileName, "1\t32\tPlan\n");
    project.writeFile("watched.cfg", configText(8));
    EXPECT_EQ(listed(), 32);
    EXPECT_EQ(kgunit(), 8);
}

// Within one host call a kept file is looked at once for changes by others,
// while the call's own changes through the platform's file functions are
// seen at once; what others change during a call, the next call sees.
TEST(ConfigTest, AHostCallSeesItsOwnChangesAtOnceAndOthersFromTheNextCall) {
    HostProject project;
    const std::string list = project.file(kDrawingsFileName).string();
    const auto listed = [&] { return FirstListedDrawingFile(list); };
    const auto writeOwn = [&](int number) {
        Drawing drawing;
        drawing.number = 1;
        drawing.name = "Plan";
        drawing.drawingFiles = {number};
        return WriteDrawings(list, {drawing});
    };
    {
        const HostCall call;
        EXPECT_NE(CurrentHostCall(), 0u);
        EXPECT_EQ(listed(), 0);
        ASSERT_TRUE(writeOwn(41));
        EXPECT_EQ(listed(), 41);
        ASSERT_TRUE(writeOwn(42));
        EXPECT_EQ(listed(), 42);
        // Another process's rewrite, then one of this call again: the kept
        // list is never older than the call's own writing.
        ASSERT_TRUE(InChildProcess([&] { return WriteBytes(list, "1\t43\tPlan\n"); }));
        ASSERT_TRUE(writeOwn(44));
        EXPECT_EQ(listed(), 44);
        ASSERT_TRUE(InChildProcess([&] { return WriteBytes(list, "1\t45\tPlan\n"); }));
    }
    EXPECT_EQ(CurrentHostCall(), 0u);
    {
        const HostCall call;
        EXPECT_EQ(listed(), 45);
        // A call made from within another is a call of its own.
        ASSERT_TRUE(InChildProcess([&] { return WriteBytes(list, "1\t46\tPlan\n"); }));
        const unsigned long long outer = CurrentHostCall();
        {
            const HostCall inner;
            EXPECT_NE(CurrentHostCall(), outer);
            EXPECT_EQ(listed(), 46);
        }
        EXPECT_NE(CurrentHostCall(), outer);
        EXPECT_NE(CurrentHostCall(), 0u);
    }
    // Outside every call each look takes the reports in.
    ASSERT_TRUE(InChildProcess([&] { return WriteBytes(list, "1\t47\tPlan\n"); }));
    EXPECT_EQ(listed(), 47);
}

}  // namespace
