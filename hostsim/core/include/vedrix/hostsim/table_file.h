// The facility-management files of the project as tables: one item per
// line, its fields in a fixed order separated by tabs. Lines starting with
// "#" are comments (the writer puts the column names there). A line with
// fewer fields has empty ones at the end.
#pragma once

#include <vedrix/hostsim/export.h>
#include <vedrix/hostsim/line_file.h>
#include <vedrix/hostsim/table_text.h>

#include <memory>
#include <string>
#include <vector>

namespace vedrix::hostsim {

// Replaces the file: a comment line with the column names, then the rows.
// Tabs and line ends inside a field become blanks.
VEDRIX_HOSTSIM_API bool WriteTable(const std::string& path,
                                   const std::vector<std::string>& columnNames,
                                   const std::vector<TableRow>& rows);

}  // namespace vedrix::hostsim

namespace vedrix::hostsim {

struct TableText;

// A table file held in memory with a current item, as the host's
// facility-management classes use it. A file that exists but does not read
// is never written over. The file is read when the table is made; its rows
// are made from the text the first time they are asked for, so that a table
// emptied first never makes them (its text is then only checked). The text
// read and the rows made from it are kept for the next table of the same
// file while the file stays as it was (file_cache.h); a table changes a copy
// of the rows of its own.
class VEDRIX_HOSTSIM_API ItemFile {
public:
    ItemFile(std::string path, std::vector<std::string> columnNames);

    bool readable();
    bool changed() const { return m_changed; }
    std::size_t size();

    bool moveToFirst();
    bool moveToNext();
    // The field of the current item; "" without one.
    const char* field(std::size_t column) const;
    // Sets the field of the current item; nothing without one.
    void setField(std::size_t column, const char* text);
    void clear();
    // Appends an empty item and makes it the current one.
    void insert();
    // Replaces the file by the items. False when the file did not read or
    // cannot be written.
    bool write();

private:
    // Makes the rows from the text read, once; a text with a line of more
    // fields than the table has columns gives none and counts as unreadable.
    void makeRows();
    // The rows made: this table's own once changed, else the kept ones.
    const std::vector<TableRow>& rows() const;
    // The rows as this table's own, to be changed.
    std::vector<TableRow>& ownRows();

    std::string m_path;
    std::vector<std::string> m_columnNames;
    std::shared_ptr<const TableText> m_text;  // the file as read, shared; null when unreadable
    bool m_rowsMade = false;
    bool m_ownRows = false;  // m_rows holds the rows, not the kept text
    std::vector<TableRow> m_rows;
    std::size_t m_current;
    bool m_readable = false;
    bool m_changed = false;
};

}  // namespace vedrix::hostsim
