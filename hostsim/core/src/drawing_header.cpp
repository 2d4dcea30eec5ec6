#include <vedrix/hostsim/drawing_header.h>

#include <cstdint>
#include <cstring>

namespace vedrix::hostsim {

namespace {

void PutInt(char* record, int offset, std::int32_t value) {
    std::memcpy(record + offset, &value, sizeof value);
}

std::int32_t GetInt(const char* record, int offset) {
    std::int32_t value = 0;
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

}  // namespace

void EncodeHeader(const DrawingHeader& header, char* record) {
    std::memset(record, 0, ZEL_TB_RECORD_SIZE);
    std::memcpy(record + ZEL_TB_REC_SIGNATURE, ZEL_TB_SIGNATURE, ZEL_TB_SIGNATURE_LENGTH);
    PutInt(record, ZEL_TB_REC_NUMBER, header.number);
    PutInt(record, ZEL_TB_REC_VERSION, ZEL_TB_RECORD_VERSION);
    record[ZEL_TB_REC_CONTENT] = header.content ? 1 : 0;
    std::memset(record + ZEL_TB_REC_NAME, ' ', ZEL_TB_NAME_LENGTH);
    const std::size_t length =
        header.name.size() < ZEL_TB_NAME_LENGTH ? header.name.size() : ZEL_TB_NAME_LENGTH;
    std::memcpy(record + ZEL_TB_REC_NAME, header.name.data(), length);
    ZelTbRecordSetDouble(record, ZEL_TB_REC_UUID_FIRST, header.uuid[0]);
    ZelTbRecordSetDouble(record, ZEL_TB_REC_UUID_SECOND, header.uuid[1]);
    ZelTbRecordSetDouble(record, ZEL_TB_REC_REFUUID_FIRST, header.refUuid[0]);
    ZelTbRecordSetDouble(record, ZEL_TB_REC_REFUUID_SECOND, header.refUuid[1]);
}

bool IsHeaderRecord(const char* record) {
    return std::memcmp(record + ZEL_TB_REC_SIGNATURE, ZEL_TB_SIGNATURE, ZEL_TB_SIGNATURE_LENGTH) ==
               0 &&
           GetInt(record, ZEL_TB_REC_VERSION) == ZEL_TB_RECORD_VERSION;
}

std::string_view KeptHeaderName(std::string_view text) {
    // The name ends at its padding (or at a zero a writer left in the field).
    std::string_view name = text.substr(0, text.find('\0'));
    // A header's field is mostly padding: passed over eight blanks at a time.
    constexpr std::string_view kBlanks = "        ";
    while (name.size() >= kBlanks.size() && name.substr(name.size() - kBlanks.size()) == kBlanks) {
        name.remove_suffix(kBlanks.size());
    }
    while (!name.empty() && name.back() == ' ') {
        name.remove_suffix(1);
    }
    return name;
}

std::string_view HeaderRecordName(const char* record) {
    return KeptHeaderName(std::string_view(record + ZEL_TB_REC_NAME, ZEL_TB_NAME_LENGTH));
}

bool DecodeHeader(const char* record, DrawingHeader& header) {
    if (!IsHeaderRecord(record)) {
        return false;
    }
    header.number = GetInt(record, ZEL_TB_REC_NUMBER);
    header.content = record[ZEL_TB_REC_CONTENT] != 0;
    header.name.assign(HeaderRecordName(record));
    header.uuid[0] = ZelTbRecordDouble(record, ZEL_TB_REC_UUID_FIRST);
    header.uuid[1] = ZelTbRecordDouble(record, ZEL_TB_REC_UUID_SECOND);
    header.refUuid[0] = ZelTbRecordDouble(record, ZEL_TB_REC_REFUUID_FIRST);
    header.refUuid[1] = ZelTbRecordDouble(record, ZEL_TB_REC_REFUUID_SECOND);
    return true;
}

}  // namespace vedrix::hostsim
