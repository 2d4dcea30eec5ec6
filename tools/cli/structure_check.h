// Checks a project's building structure as the module reads it, and reports
// everything the module would silently drop, change or stop at.
#pragma once

#include <string>
#include <vector>

namespace vedrix::cli {

// One thing found: the file (its name in the project directory), the line
// (from 1; 0 when it concerns the file as a whole), a short key naming the
// kind of finding and a sentence saying what the module does about it.
struct Finding {
    std::string file;
    int line = 0;
    std::string kind;
    std::string message;
};

struct CheckReport {
    // False when the structure could not be read at all: `problem` says why.
    bool readable = true;
    std::string problem;
    std::vector<Finding> findings;
};

// Reads the structure `structureName` (its level list file; the hierarchy
// file is named after it) from `project` with the module's readers, in the
// module's order (hierarchy file, level list file, level bitmaps, attribute
// section), and reports:
// - where a reader stopped and why (the lines after it are not read), and
//   structure lines that end at a "#" line other than "#ATTRIBUTES:";
// - a level whose ID is read again below the same level (the later line
//   wins, the earlier one is dropped with its sublevels), and an ID that
//   several levels share (the one the module finds first wins);
// - a level definition given twice (the later wins), a level name, UUID
//   text or attribute text longer than the model keeps;
// - a level whose parent ID is not the level it stands below, an attribute
//   whose level ID names no level (it goes to the structure itself);
// - drawing-file entries whose name is no number, whose number the module
//   cuts to its low 16 bits, or whose drawing file is missing;
// - levels whose level number has no definition, or lies outside 1 to 9;
// - level bitmaps that do not load;
// - for a facility-management project (one with a view file), views of the
//   structure that the view file does not describe, and views of the view
//   file that the structure does not hold.
CheckReport checkStructure(const std::string& project, const std::string& structureName);

}  // namespace vedrix::cli
