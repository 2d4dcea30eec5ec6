#include <vedrix/hostsim/table_file.h>

#include <vedrix/framework/text_file.h>
#include <vedrix/hostsim/line_file.h>

#include <istream>

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

namespace {
constexpr std::size_t kNoItem = static_cast<std::size_t>(-1);
}

ItemFile::ItemFile(std::string path, std::vector<std::string> columnNames)
    : m_path(std::move(path)), m_columnNames(std::move(columnNames)), m_current(kNoItem) {
    m_readable = ReadTextFile(m_path, [&](std::istream& file) {
        char chunk[1 << 16];
        while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
            m_text.append(chunk, static_cast<std::size_t>(file.gcount()));
        }
        return true;
    });
    if (!m_readable) {
        m_text = std::string();
        m_rowsMade = true;
    }
}

void ItemFile::makeRows() {
    if (m_rowsMade) {
        return;
    }
    m_rowsMade = true;
    const std::string text = std::move(m_text);
    try {
        m_readable = ReadTableRows(text, m_columnNames.size(), m_rows);
    } catch (...) {
        // Out of memory: the table stays empty and the file is never
        // written over from it.
        m_rows.clear();
        m_readable = false;
        throw;
    }
}

bool ItemFile::readable() {
    makeRows();
    return m_readable;
}

std::size_t ItemFile::size() {
    makeRows();
    return m_rows.size();
}

bool ItemFile::moveToFirst() {
    makeRows();
    m_current = m_rows.empty() ? kNoItem : 0;
    return m_current != kNoItem;
}

bool ItemFile::moveToNext() {
    if (m_current != kNoItem && m_current + 1 < m_rows.size()) {
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
    return m_rows[m_current][column].c_str();
}

void ItemFile::setField(std::size_t column, const char* text) {
    if (m_current == kNoItem || column >= m_columnNames.size()) {
        return;
    }
    m_rows[m_current][column] = text != nullptr ? text : "";
    m_changed = true;
}

// A text whose rows were never made is only checked: whether it reads
// decides whether the file may be written over.
void ItemFile::clear() {
    if (!m_rowsMade) {
        m_readable = TableTextFits(m_text, m_columnNames.size());
    }
    m_text = std::string();
    m_rowsMade = true;
    m_rows.clear();
    m_current = kNoItem;
    m_changed = true;
}

void ItemFile::insert() {
    makeRows();
    m_rows.emplace_back(m_columnNames.size());
    m_current = m_rows.size() - 1;
    m_changed = true;
}

bool ItemFile::write() {
    makeRows();
    if (!m_readable || !WriteTable(m_path, m_columnNames, m_rows)) {
        return false;
    }
    m_changed = false;
    return true;
}

}  // namespace vedrix::hostsim
