#include <vedrix/hostsim/table_file.h>

#include <vedrix/framework/text_file.h>
#include <vedrix/hostsim/line_file.h>

#include <istream>
#include <map>

#include "file_cache.h"

namespace vedrix::hostsim {

bool WriteTable(const std::string& path, const std::vector<std::string>& columnNames,
                const std::vector<TableRow>& rows) {
    framework::TextFileWriter file(path.c_str());
    if (!file.is_open()) {
        return false;
    }
    WriteTableRows(file, columnNames, rows);
    return file.Commit();
}

}  // namespace vedrix::hostsim

namespace vedrix::hostsim {

// A table file's text as read, and the rows made from it the first time a
// table asks for them; the text is let go once the rows are made. Kept
// between the tables of a file while the file stays as it was. The host
// calls its libraries on one thread, so the rows of a kept text are made
// without a lock.
struct TableText {
    mutable std::string text;
    mutable bool rowsMade = false;
    mutable bool rowsRead = false;  // whether the text gave rows
    mutable std::vector<TableRow> rows;
};

namespace {

constexpr std::size_t kNoItem = static_cast<std::size_t>(-1);

// The kept text of each kind of table, told apart by its columns: one file
// each, the one read last.
FileCache<TableText>& KeptText(const std::vector<std::string>& columnNames) {
    static std::map<std::vector<std::string>, FileCache<TableText>> kept;
    return kept[columnNames];
}

bool ReadText(const std::string& path, TableText& table) {
    return ReadTextFile(path, [&](std::istream& file) {
        char chunk[1 << 16];
        while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
            table.text.append(chunk, static_cast<std::size_t>(file.gcount()));
        }
        return true;
    });
}

}  // namespace

ItemFile::ItemFile(std::string path, std::vector<std::string> columnNames)
    : m_path(std::move(path)), m_columnNames(std::move(columnNames)), m_current(kNoItem) {
    m_text = KeptText(m_columnNames).Get(m_path, ReadText);
    m_readable = m_text != nullptr;
    if (!m_readable) {
        m_rowsMade = true;
        m_ownRows = true;
    }
}

void ItemFile::makeRows() {
    if (m_rowsMade) {
        return;
    }
    m_rowsMade = true;
    const TableText& table = *m_text;
    if (!table.rowsMade) {
        try {
            table.rowsRead = ReadTableRows(table.text, m_columnNames.size(), table.rows);
        } catch (...) {
            // Out of memory: the table stays empty and the file is never
            // written over from it.
            table.rows.clear();
            m_ownRows = true;
            m_readable = false;
            throw;
        }
        table.rowsMade = true;
        table.text = std::string();
    }
    m_readable = table.rowsRead;
}

const std::vector<TableRow>& ItemFile::rows() const {
    return m_ownRows ? m_rows : m_text->rows;
}

std::vector<TableRow>& ItemFile::ownRows() {
    if (!m_ownRows) {
        m_rows = m_text->rows;
        m_ownRows = true;
    }
    return m_rows;
}

bool ItemFile::readable() {
    makeRows();
    return m_readable;
}

std::size_t ItemFile::size() {
    makeRows();
    return rows().size();
}

bool ItemFile::moveToFirst() {
    makeRows();
    m_current = rows().empty() ? kNoItem : 0;
    return m_current != kNoItem;
}

bool ItemFile::moveToNext() {
    if (m_current != kNoItem && m_current + 1 < rows().size()) {
        ++m_current;
        return true;
    }
    m_current = kNoItem;
    return false;
}

const char* ItemFile::field(std::size_t column) const {
    if (m_current == kNoItem || column >= m_columnNames.size()) {
        return "";
    }
    return rows()[m_current][column].c_str();
}

void ItemFile::setField(std::size_t column, const char* text) {
    if (m_current == kNoItem || column >= m_columnNames.size()) {
        return;
    }
    ownRows()[m_current][column] = text != nullptr ? text : "";
    m_changed = true;
}

// A text whose rows were never made is only checked: whether it reads
// decides whether the file may be written over.
void ItemFile::clear() {
    if (!m_rowsMade) {
        const TableText& table = *m_text;
        m_readable =
            table.rowsMade ? table.rowsRead : TableTextFits(table.text, m_columnNames.size());
    }
    m_rowsMade = true;
    m_ownRows = true;
    m_rows.clear();
    m_current = kNoItem;
    m_changed = true;
}

void ItemFile::insert() {
    makeRows();
    ownRows().emplace_back(m_columnNames.size());
    m_current = m_rows.size() - 1;
    m_changed = true;
}

bool ItemFile::write() {
    makeRows();
    if (!m_readable || !WriteTable(m_path, m_columnNames, rows())) {
        return false;
    }
    m_changed = false;
    return true;
}

}  // namespace vedrix::hostsim
