// Fuzz target: the host's facility-management files as the stand-ins read
// them. Every input is read as the view file and as the drawing-file
// information (tables of 8 and 6 columns), as the drawings list, and, when it
// is long enough, its first bytes as a drawing file's header record.
//
// What reads must come back the same when written and read again: a table's
// rows and the drawings with the blanks the writer puts for tabs and line
// ends, and a header's values. The one exception is a table row whose first
// field begins with "#": the format reads that line as a comment, and the
// module never writes one (its first columns are flags and numbers).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <vedrix/hostsim/drawing_header.h>
#include <vedrix/hostsim/drawings.h>
#include <vedrix/hostsim/fm_columns.h>
#include <vedrix/hostsim/table_text.h>
#include <vedrix/hostsim/text_lines.h>

#include "fuzz_support.h"

namespace {

using namespace vedrix::hostsim;

std::string writeRows(const std::vector<std::string>& columns, const std::vector<TableRow>& rows) {
    std::ostringstream out;
    WriteTableRows(out, columns, rows);
    return out.str();
}

bool rowsReadBack(const std::vector<TableRow>& rows) {
    for (const TableRow& row : rows) {
        if (!row.empty() && !row[0].empty() && row[0][0] == '#') {
            return false;
        }
    }
    return true;
}

void checkTable(const std::string& bytes, const std::vector<std::string>& columns) {
    std::istringstream in(bytes);
    std::vector<TableRow> rows;
    const bool read = ReadTableRows(in, columns.size(), rows);
    // The text held in memory reads as the stream does, and is found to fit
    // exactly when it reads.
    std::vector<TableRow> fromText;
    if (ReadTableRows(std::string_view(bytes), columns.size(), fromText) != read ||
        fromText != rows) {
        vedrix::fuzz::mismatch("the text in memory", writeRows(columns, rows),
                               writeRows(columns, fromText));
    }
    if (TableTextFits(bytes, columns.size()) != read) {
        vedrix::fuzz::mismatch("the check of the text", read ? "fits" : "does not fit",
                               read ? "does not fit" : "fits");
    }
    if (!read) {
        if (!rows.empty()) {
            vedrix::fuzz::mismatch("a table that does not read keeps rows", "",
                                   writeRows(columns, rows));
        }
        return;
    }
    for (const TableRow& row : rows) {
        if (row.size() != columns.size()) {
            vedrix::fuzz::mismatch("a row without its columns", std::to_string(columns.size()),
                                   std::to_string(row.size()));
        }
    }
    if (!rowsReadBack(rows)) {
        return;
    }
    const std::string written = writeRows(columns, rows);
    std::istringstream back(written);
    std::vector<TableRow> again;
    if (!ReadTableRows(back, columns.size(), again)) {
        vedrix::fuzz::mismatch("written table does not read", written, "");
    }
    std::vector<TableRow> expected = rows;
    for (TableRow& row : expected) {
        for (std::string& field : row) {
            field = OneLineField(field);
        }
    }
    if (again != expected) {
        vedrix::fuzz::mismatch("table", written, writeRows(columns, again));
    }
}

std::string writeDrawings(const std::vector<Drawing>& drawings) {
    std::ostringstream out;
    WriteDrawingLines(out, drawings);
    return out.str();
}

void checkDrawings(const std::string& bytes) {
    std::istringstream in(bytes);
    std::vector<Drawing> drawings;
    if (!ReadDrawingLines(in, drawings)) {
        if (!drawings.empty()) {
            vedrix::fuzz::mismatch("a list that does not read keeps drawings", "",
                                   writeDrawings(drawings));
        }
        return;
    }
    const std::string written = writeDrawings(drawings);
    std::istringstream back(written);
    std::vector<Drawing> again;
    if (!ReadDrawingLines(back, again)) {
        vedrix::fuzz::mismatch("written drawings list does not read", written, "");
    }
    bool same = again.size() == drawings.size();
    for (std::size_t i = 0; same && i < again.size(); ++i) {
        same = again[i].number == drawings[i].number &&
               again[i].drawingFiles == drawings[i].drawingFiles &&
               again[i].name == OneLineField(drawings[i].name);
    }
    if (!same) {
        vedrix::fuzz::mismatch("drawings list", written, writeDrawings(again));
    }
}

std::string describe(const DrawingHeader& header) {
    std::ostringstream out;
    out << header.number << ' ' << header.content << " [" << header.name << "]";
    for (const double* half :
         {&header.uuid[0], &header.uuid[1], &header.refUuid[0], &header.refUuid[1]}) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, half, sizeof bits);
        out << ' ' << std::hex << bits << std::dec;
    }
    return out.str();
}

void checkHeader(const std::string& bytes) {
    if (bytes.size() < ZEL_TB_RECORD_SIZE) {
        return;
    }
    DrawingHeader header;
    if (!DecodeHeader(bytes.data(), header)) {
        return;
    }
    if (header.name.size() > ZEL_TB_NAME_LENGTH) {
        vedrix::fuzz::mismatch("header name longer than its field",
                               std::to_string(ZEL_TB_NAME_LENGTH), header.name);
    }
    std::vector<char> record(ZEL_TB_RECORD_SIZE);
    EncodeHeader(header, record.data());
    DrawingHeader again;
    if (!DecodeHeader(record.data(), again)) {
        vedrix::fuzz::mismatch("written header does not read", describe(header), "");
    }
    // The identifiers compare bit for bit: a half may be any bit pattern.
    const std::string first = describe(header);
    const std::string second = describe(again);
    if (first != second) {
        vedrix::fuzz::mismatch("drawing-file header", first, second);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes =
        size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
    checkTable(bytes, ViewColumns());
    checkTable(bytes, TbColumns());
    checkDrawings(bytes);
    checkHeader(bytes);
    return 0;
}
