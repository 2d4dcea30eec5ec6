// Projects on disk for the list browser's tests: drawing files with names in
// their headers, level bitmaps and the structure files' level definitions.
#pragma once

#include <vedrix/hostsim/drawing_file.h>
#include <vedrix/vedrix.h>

#include <filesystem>
#include <string>
#include <vector>

#include "launch_fixture.h"

#include "support/drawing_files.h"

namespace listbrowser_tests {

namespace fs = std::filesystem;

// A drawing file with `name` in its header, under its usual file name or
// under `fileName` when one is given.
inline void writeDrawingFile(const fs::path& directory, int number, const std::string& name,
                             const std::string& fileName = "") {
    test_support::WriteNamedDrawingFile(directory, number, name,
                                        fileName.empty() ? fs::path() : directory / fileName);
}

// Level bitmaps for the three level types of levelDefinitions(), in the
// project's "bitmaps" folder.
inline void putLevelBitmaps(const fs::path& project) {
    fs::create_directories(project / "bitmaps");
    for (const char* name : {"building.bmp", "storey.bmp", "part.bmp"}) {
        fs::copy_file(VEDRIX_LEVEL_BITMAP, project / "bitmaps" / name,
                      fs::copy_options::overwrite_existing);
    }
}

// The head of a hierarchy file: buildings (1), storeys (2) and parts of
// storeys (3), with their bitmaps in the project's "bitmaps" folder.
inline std::string levelDefinitions(const fs::path& project) {
    return "#BITMAP_PATH:\t" + project.string() + "\\bitmaps\\\n" +
           "#DEFINED_LEVEL:\t1\tBuilding\tbuilding.bmp\n"
           "#DEFINED_LEVEL:\t2\tStorey\tstorey.bmp\n"
           "#DEFINED_LEVEL:\t3\tPart of storey\tpart.bmp\n"
           "#DATA:\n";
}

// A project "campus" whose structure files a test sets up, opened in the
// list browser as the host opens it.
class CampusTest : public entry_tests::LaunchTest {
protected:
    // Writes hre and lis as the project's hierarchy and level list files.
    void writeStructure() {
        entry_tests::writeFile(project / "campus.hre", hre);
        entry_tests::writeFile(project / "campus.lis", lis);
    }

    int browse() {
        return tb_list_browser(nullptr, "en", project.string().c_str(), "Campus", "campus.lis",
                               "campus.hlp");
    }

    std::string hre, lis;
};

}  // namespace listbrowser_tests
