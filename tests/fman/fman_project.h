// What the number search and the batch copy tests look at in a project
// directory: every file with its bytes and modification time, drawing-file
// headers as raw records, and files the search must find unwritable.
#pragma once

#include "host_project.h"

#include <filesystem>
#include <map>
#include <string>

namespace fman_test {

namespace fs = std::filesystem;

struct FileState {
    bool directory = false;
    std::string bytes;
    fs::file_time_type modified;
    fs::perms permissions = fs::perms::none;
    bool operator==(const FileState&) const = default;
};

// Every entry of the directory (not recursive), by name.
using DirectoryState = std::map<std::string, FileState>;
DirectoryState SnapshotDirectory(const fs::path& directory);

// The names of the entries that differ between two snapshots (added, gone
// or changed), for a readable failure.
std::string Differences(const DirectoryState& before, const DirectoryState& after);

// Takes every write permission away, so the file is read-only as the
// platform sees it.
void MakeReadOnly(const fs::path& path);

// A drawing-file header with the given identifier halves.
vedrix::hostsim::DrawingHeader Header(int number, const std::string& name, double uuid0,
                                      double uuid1, double ref0, double ref1);

// The drawing-file name field of the file's header record as it is stored
// (ZEL_TB_NAME_LENGTH characters, with the padding).
std::string StoredName(const hostsim_test::HostProject& project, int number);

}  // namespace fman_test
