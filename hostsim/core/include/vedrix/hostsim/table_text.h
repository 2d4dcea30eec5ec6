// The text of a facility-management table, apart from where it is kept: one
// item per line, its fields in a fixed order separated by tabs; lines
// starting with "#" are comments. The table files read and write their rows
// through these, and so does anything that checks the format on text alone.
#pragma once

#include <vedrix/hostsim/export.h>

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace vedrix::hostsim {

using TableRow = std::vector<std::string>;

// Reads the rows of the text, each with exactly `columns` fields, those a
// line leaves out empty. False, with no rows, when a line has more fields.
VEDRIX_HOSTSIM_API bool ReadTableRows(std::istream& in, std::size_t columns,
                                      std::vector<TableRow>& rows);
// The same on a text held in memory, whose lines end in line feeds.
VEDRIX_HOSTSIM_API bool ReadTableRows(std::string_view text, std::size_t columns,
                                      std::vector<TableRow>& rows);
// Whether ReadTableRows would take the text, found without making rows.
VEDRIX_HOSTSIM_API bool TableTextFits(std::string_view text, std::size_t columns);
// Writes a comment line with the column names, then the rows, a line each;
// tabs and line ends inside a field become blanks.
VEDRIX_HOSTSIM_API void WriteTableRows(std::ostream& out,
                                       const std::vector<std::string>& columnNames,
                                       const std::vector<TableRow>& rows);

}  // namespace vedrix::hostsim
