// UUIDs of the RPC run time: random (version 4) UUIDs from the system's
// random source, in the 36-character lower-case string form.
#include <sys/random.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include <rpc.h>

namespace {

void RandomBytes(unsigned char* bytes, size_t count) {
    size_t filled = 0;
    while (filled < count) {
        const ssize_t got = getrandom(bytes + filled, count - filled, 0);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        filled += static_cast<size_t>(got);
    }
    if (filled < count) {
        // No kernel random source: the library's own.
        std::random_device device;
        for (; filled < count; ++filled) {
            bytes[filled] = static_cast<unsigned char>(device());
        }
    }
}

int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Reads count hex digits; false on any other character.
bool ReadHex(const unsigned char* text, int count, unsigned long long& value) {
    value = 0;
    for (int i = 0; i < count; ++i) {
        const int digit = HexValue(text[i]);
        if (digit < 0) {
            return false;
        }
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return true;
}

bool IsNil(const UUID& uuid) {
    static const UUID kNil = {};
    return std::memcmp(&uuid, &kNil, sizeof uuid) == 0;
}

}  // namespace

RPC_STATUS RPC_ENTRY UuidCreate(UUID* Uuid) {
    if (Uuid == nullptr) {
        return RPC_S_INVALID_ARG;
    }
    unsigned char bytes[16];
    RandomBytes(bytes, sizeof bytes);
    Uuid->Data1 = (static_cast<DWORD>(bytes[0]) << 24) | (static_cast<DWORD>(bytes[1]) << 16) |
                  (static_cast<DWORD>(bytes[2]) << 8) | bytes[3];
    Uuid->Data2 = static_cast<WORD>((bytes[4] << 8) | bytes[5]);
    // Version 4 in the top bits of Data3, the variant 10xx in Data4[0].
    Uuid->Data3 = static_cast<WORD>((((bytes[6] << 8) | bytes[7]) & 0x0FFF) | 0x4000);
    std::memcpy(Uuid->Data4, bytes + 8, 8);
    Uuid->Data4[0] = static_cast<BYTE>((Uuid->Data4[0] & 0x3F) | 0x80);
    return RPC_S_OK;
}

RPC_STATUS RPC_ENTRY UuidCreateNil(UUID* NilUuid) {
    if (NilUuid == nullptr) {
        return RPC_S_INVALID_ARG;
    }
    std::memset(NilUuid, 0, sizeof *NilUuid);
    return RPC_S_OK;
}

RPC_STATUS RPC_ENTRY UuidToStringA(const UUID* Uuid, RPC_CSTR* StringUuid) {
    if (StringUuid == nullptr) {
        return RPC_S_INVALID_ARG;
    }
    static const UUID kNil = {};
    const UUID& uuid = Uuid != nullptr ? *Uuid : kNil;
    char* text = new (std::nothrow) char[37];
    if (text == nullptr) {
        *StringUuid = nullptr;
        return RPC_S_OUT_OF_MEMORY;
    }
    std::snprintf(text, 37, "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x",
                  static_cast<unsigned>(uuid.Data1), uuid.Data2, uuid.Data3, uuid.Data4[0],
                  uuid.Data4[1], uuid.Data4[2], uuid.Data4[3], uuid.Data4[4], uuid.Data4[5],
                  uuid.Data4[6], uuid.Data4[7]);
    *StringUuid = reinterpret_cast<RPC_CSTR>(text);
    return RPC_S_OK;
}

RPC_STATUS RPC_ENTRY UuidFromStringA(RPC_CSTR StringUuid, UUID* Uuid) {
    if (Uuid == nullptr) {
        return RPC_S_INVALID_ARG;
    }
    if (StringUuid == nullptr) {
        return UuidCreateNil(Uuid);
    }
    const unsigned char* s = StringUuid;
    if (std::strlen(reinterpret_cast<const char*>(s)) != 36 || s[8] != '-' || s[13] != '-' ||
        s[18] != '-' || s[23] != '-') {
        return RPC_S_INVALID_STRING_UUID;
    }
    unsigned long long data1 = 0;
    unsigned long long data2 = 0;
    unsigned long long data3 = 0;
    if (!ReadHex(s, 8, data1) || !ReadHex(s + 9, 4, data2) || !ReadHex(s + 14, 4, data3)) {
        return RPC_S_INVALID_STRING_UUID;
    }
    BYTE data4[8];
    const int offsets[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 8; ++i) {
        unsigned long long byte = 0;
        if (!ReadHex(s + offsets[i], 2, byte)) {
            return RPC_S_INVALID_STRING_UUID;
        }
        data4[i] = static_cast<BYTE>(byte);
    }
    Uuid->Data1 = static_cast<DWORD>(data1);
    Uuid->Data2 = static_cast<WORD>(data2);
    Uuid->Data3 = static_cast<WORD>(data3);
    std::memcpy(Uuid->Data4, data4, sizeof data4);
    return RPC_S_OK;
}

RPC_STATUS RPC_ENTRY RpcStringFreeA(RPC_CSTR* String) {
    if (String == nullptr) {
        return RPC_S_INVALID_ARG;
    }
    delete[] reinterpret_cast<char*>(*String);
    *String = nullptr;
    return RPC_S_OK;
}

int RPC_ENTRY UuidIsNil(UUID* Uuid, RPC_STATUS* Status) {
    if (Status != nullptr) {
        *Status = RPC_S_OK;
    }
    return Uuid == nullptr || IsNil(*Uuid) ? TRUE : FALSE;
}

int RPC_ENTRY UuidCompare(UUID* Uuid1, UUID* Uuid2, RPC_STATUS* Status) {
    if (Status != nullptr) {
        *Status = RPC_S_OK;
    }
    // A null UUID is the nil UUID.
    static const UUID kNil = {};
    const UUID& a = Uuid1 != nullptr ? *Uuid1 : kNil;
    const UUID& b = Uuid2 != nullptr ? *Uuid2 : kNil;
    if (a.Data1 != b.Data1) {
        return a.Data1 < b.Data1 ? -1 : 1;
    }
    if (a.Data2 != b.Data2) {
        return a.Data2 < b.Data2 ? -1 : 1;
    }
    if (a.Data3 != b.Data3) {
        return a.Data3 < b.Data3 ? -1 : 1;
    }
    const int bytes = std::memcmp(a.Data4, b.Data4, sizeof a.Data4);
    return bytes < 0 ? -1 : (bytes > 0 ? 1 : 0);
}

int RPC_ENTRY UuidEqual(UUID* Uuid1, UUID* Uuid2, RPC_STATUS* Status) {
    return UuidCompare(Uuid1, Uuid2, Status) == 0 ? TRUE : FALSE;
}
