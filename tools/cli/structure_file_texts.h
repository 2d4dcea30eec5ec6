// A structure's two files as texts: read into a level tree as the list
// browser reads them, and written from one as it writes them.
#pragma once

#include <iosfwd>
#include <string>

#include <vedrix/model.h>

namespace vedrix::cli {

// The texts of the hierarchy file (its header and levels, "#ATTRIBUTES:" and
// the attribute lines) and of the level list file, lines ended by "\n".
struct StructureTexts {
    std::string hierarchy;
    std::string levelList;
};

// What the model's writers write for `root`.
StructureTexts writeStructureTexts(Zel_GM_Root& root);

// The readers' results (0 read, 1 ended early or malformed, -1 out of
// memory) for the hierarchy file's levels and the level list file.
struct StructureReadResults {
    int hierarchy = 0;
    int levelList = 0;
};

// Reads into `root` as the list browser does: the hierarchy file's header
// and levels from `hierarchy`, the level list file from `levelList` (none
// when it is null: a project without one), then the attribute section from
// `attributes`, a second stream over the hierarchy file from its start.
StructureReadResults readStructure(Zel_GM_Root& root, std::istream& hierarchy,
                                   std::istream* levelList, std::istream& attributes);

}  // namespace vedrix::cli
