#include <vedrix/hostsim/table_text.h>

#include <vedrix/hostsim/text_lines.h>

#include <istream>
#include <ostream>
#include <string_view>

namespace vedrix::hostsim {

namespace {

// Appends the row of one line that is no comment. False when the line has
// more than `columns` fields.
bool AppendRow(std::string_view line, std::size_t columns, std::vector<TableRow>& rows) {
    // The fields go straight into a row of `columns` fields; those the line
    // leaves out stay empty.
    TableRow& row = rows.emplace_back(columns);
    std::size_t column = 0;
    for (std::size_t start = 0;;) {
        if (column == columns) {
            return false;
        }
        const std::size_t stop = line.find('\t', start);
        row[column++].assign(line.substr(start, stop - start));  // to the end without a tab
        if (stop == std::string_view::npos) {
            return true;
        }
        start = stop + 1;
    }
}

// Lines that are neither empty nor comments hold rows.
bool IsRowLine(std::string_view line) {
    return !line.empty() && line[0] != '#';
}

// Hands each row line of the text to `visit`, as reading it line by line
// would find them, until `visit` returns false; false then.
template <class Visit>
bool ForEachRowLine(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (IsRowLine(line) && !visit(line)) {
            return false;
        }
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return true;
}

}  // namespace

bool ReadTableRows(std::istream& in, std::size_t columns, std::vector<TableRow>& rows) {
    rows.clear();
    // One buffer for every line: a line costs no allocation of its own once
    // the buffer has grown to the longest line.
    std::string line;
    while (std::getline(in, line)) {
        if (IsRowLine(line) && !AppendRow(line, columns, rows)) {
            rows.clear();
            return false;
        }
    }
    return true;
}

bool ReadTableRows(std::string_view text, std::size_t columns, std::vector<TableRow>& rows) {
    rows.clear();
    const bool read =
        ForEachRowLine(text, [&](std::string_view line) { return AppendRow(line, columns, rows); });
    if (!read) {
        rows.clear();
    }
    return read;
}

// The tabs of a line are found with memchr; a line with more fields than
// `columns` stops the check.
bool TableTextFits(std::string_view text, std::size_t columns) {
    return ForEachRowLine(text, [&](std::string_view line) {
        std::size_t fields = 1;
        for (std::size_t at = line.find('\t'); at != std::string_view::npos && fields <= columns;
             at = line.find('\t', at + 1)) {
            ++fields;
        }
        return fields <= columns;
    });
}

// The whole text is put together first and handed to the stream at once,
// which costs far less than a stream insertion per field.
void WriteTableRows(std::ostream& out, const std::vector<std::string>& columnNames,
                    const std::vector<TableRow>& rows) {
    std::string text = "#";
    for (std::size_t i = 0; i < columnNames.size(); ++i) {
        text += i == 0 ? "" : "\t";
        text += columnNames[i];
    }
    text += '\n';
    for (const TableRow& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) {
                text += '\t';
            }
            AppendOneLineField(text, row[i]);
        }
        text += '\n';
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace vedrix::hostsim
