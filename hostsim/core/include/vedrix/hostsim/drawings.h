// The project's list of drawings: which drawing files each drawing of the
// host takes. One line per drawing: its number, a tab, the numbers of its
// drawing files separated by ",", a tab, its name (without padding blanks).
// Lines starting with "#" are comments.
#pragma once

#include <vedrix/hostsim/export.h>

#include <string>
#include <vector>

namespace vedrix::hostsim {

struct Drawing {
    int number = 0;
    std::vector<int> drawingFiles;
    std::string name;
};

// False when the file exists but cannot be read or holds a line that is no
// drawing (nothing may then be written over it); a missing file is an empty
// list.
VEDRIX_HOSTSIM_API bool ReadDrawings(const std::string& path, std::vector<Drawing>& drawings);
VEDRIX_HOSTSIM_API bool WriteDrawings(const std::string& path,
                                      const std::vector<Drawing>& drawings);

}  // namespace vedrix::hostsim
