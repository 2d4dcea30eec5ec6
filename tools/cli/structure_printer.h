// Prints a project's building structure as an indented tree.
#pragma once

#include <iosfwd>
#include <string>

#include <vedrix/model.h>

namespace vedrix::cli {

// The hierarchy file name of a structure: the structure name up to its first
// ".", followed by ".hre" ("abc.lis" and "abc" both give "abc.hre").
std::string hierarchyFileName(const std::string& structureName);

// Writes the level definitions and the tree below `root`: one line per level,
// indented by depth, siblings in ascending ID order.
void printStructure(const Zel_GM_Root& root, std::ostream& out);

}  // namespace vedrix::cli
