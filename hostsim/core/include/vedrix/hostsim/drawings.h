// The project's list of drawings: which drawing files each drawing of the
// host takes. One line per drawing: its number, a tab, the numbers of its
// drawing files separated by ",", a tab, its name (without padding blanks).
// Lines starting with "#" are comments.
#pragma once

#include <vedrix/hostsim/export.h>

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace vedrix::hostsim {

struct Drawing {
    int number = 0;
    std::vector<int> drawingFiles;
    std::string name;
};

// The list's text: false, with no drawings, when a line that is no comment
// is no drawing. The writer puts a comment line with the column names first;
// tabs and line ends in a name become blanks.
VEDRIX_HOSTSIM_API bool ReadDrawingLines(std::istream& in, std::vector<Drawing>& drawings);
VEDRIX_HOSTSIM_API void WriteDrawingLines(std::ostream& out, const std::vector<Drawing>& drawings);

// The list's file. False when the file exists but cannot be read or holds a line that is no
// drawing (nothing may then be written over it); a missing file is an empty
// list.
VEDRIX_HOSTSIM_API bool ReadDrawings(const std::string& path, std::vector<Drawing>& drawings);
// The same list shared and not copied; null where ReadDrawings gives false.
VEDRIX_HOSTSIM_API std::shared_ptr<const std::vector<Drawing>> SharedDrawings(
    const std::string& path);
VEDRIX_HOSTSIM_API bool WriteDrawings(const std::string& path,
                                      const std::vector<Drawing>& drawings);

}  // namespace vedrix::hostsim
