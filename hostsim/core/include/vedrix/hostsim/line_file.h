// Text files of the host read as lines, telling a missing file (nothing
// there yet) from one that cannot be read (which must not be written over).
#pragma once

#include <vedrix/hostsim/export.h>

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace vedrix::hostsim {

// True when no file or directory is at `path`.
VEDRIX_HOSTSIM_API bool FileIsMissing(const std::string& path);

// Hands the open file to `read` and gives what it returns. True for a
// missing file, which is not read; false when the file exists but cannot be
// opened.
VEDRIX_HOSTSIM_API bool ReadTextFile(const std::string& path,
                                     const std::function<bool(std::istream&)>& read);

// The file's lines without their line ends (a carriage return before a line
// feed is dropped). A missing file has no lines; false when the file exists
// but cannot be read.
VEDRIX_HOSTSIM_API bool ReadFileLines(const std::string& path, std::vector<std::string>& lines);

// Hands each line of the file, without its line end, to `visit` in order,
// until `visit` returns false; a line's text is valid only during its call.
// True for a missing file (no lines), false when the file exists but cannot
// be read.
VEDRIX_HOSTSIM_API bool ForEachFileLine(const std::string& path,
                                        const std::function<bool(std::string_view)>& visit);

}  // namespace vedrix::hostsim
