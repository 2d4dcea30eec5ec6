// The header record at the start of a drawing file: ZEL_TB_RECORD_SIZE bytes
// whose fields <zelkar/file_access.h> names, as values and back.
#pragma once

#include <vedrix/hostsim/export.h>

#include <zelkar/file_access.h>

#include <string>
#include <string_view>

namespace vedrix::hostsim {

// A header record's fields as values.
struct DrawingHeader {
    int number = 0;
    bool content = false;
    // Without the padding blanks; at most ZEL_TB_NAME_LENGTH characters are kept.
    std::string name;
    double uuid[2] = {0, 0};
    double refUuid[2] = {0, 0};
};

// Fills `record` (ZEL_TB_RECORD_SIZE bytes) with the header.
VEDRIX_HOSTSIM_API void EncodeHeader(const DrawingHeader& header, char* record);
// False when `record` is no drawing-file header (signature or version).
VEDRIX_HOSTSIM_API bool DecodeHeader(const char* record, DrawingHeader& header);
// Whether `record` is a drawing-file header (signature and version), as
// DecodeHeader judges it.
VEDRIX_HOSTSIM_API bool IsHeaderRecord(const char* record);
// A name as a header keeps it: up to a zero, without its trailing blanks.
VEDRIX_HOSTSIM_API std::string_view KeptHeaderName(std::string_view text);
// The name in a header record, as DecodeHeader gives it, without a copy.
VEDRIX_HOSTSIM_API std::string_view HeaderRecordName(const char* record);

}  // namespace vedrix::hostsim
