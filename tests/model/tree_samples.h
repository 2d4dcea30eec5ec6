// Helpers for the model tests: canonical descriptions of level trees, random
// trees and temporary files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>

#include <vedrix/model.h>

namespace vedrix::test {

// One line per level, depth first in ascending key order: indentation by
// depth, then key, level number, ID, parent ID, status, name, UUID and the
// attributes.
std::string describe(const Zel_GM_Level& level, bool withIDs = true);

// Describes only what a reading of the level list file restores for entries:
// entries are listed by name, status and the ID path of their structure
// parent, never by their own (re-assigned) IDs.
std::string describeEntries(const Zel_GM_Level& root);

struct RandomTreeOptions {
    int levels = 50;         // structure levels 1 to 9
    int entries = 0;         // drawing-file entries (level 10)
    int attributeEvery = 0;  // every n-th structure level gets attributes (0: none)
    bool rootAttributes = false;
    bool duplicateIDs = false;  // reuse IDs at different places of the tree
};

// A random tree whose texts survive a file round trip: names without TAB or
// leading white space, within the line limits; UUIDs of 36 characters.
void fillRandomTree(Zel_GM_Root& root, std::mt19937& rng, const RandomTreeOptions& options);

std::string writeHierarchy(const Zel_GM_Root& root, bool withAttributes);
std::string writeLevelList(const Zel_GM_Root& root);

// A temporary directory, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path m_path;
};

}  // namespace vedrix::test
