#include <vedrix/model/dib_file_source.h>

namespace vedrix::model {

long long DibFileSource::read(void* buffer, std::size_t count) {
    // ReadFile takes a 32-bit count; the reader asks again for the rest.
    const DWORD chunk = count > 0x40000000u ? 0x40000000u : static_cast<DWORD>(count);
    DWORD got = 0;
    if (!ReadFile(m_file, buffer, chunk, &got, nullptr)) {
        return -1;
    }
    return static_cast<long long>(got);
}

long long DibFileSource::remaining() {
    // Both functions signal failure with a value that is also a valid
    // result, told apart by the last error.
    SetLastError(NO_ERROR);
    DWORD sizeHigh = 0;
    const DWORD sizeLow = GetFileSize(m_file, &sizeHigh);
    if (sizeLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        return -1;
    }
    SetLastError(NO_ERROR);
    LONG positionHigh = 0;
    const DWORD positionLow = SetFilePointer(m_file, 0, &positionHigh, FILE_CURRENT);
    if (positionLow == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        return -1;
    }
    const long long size = (static_cast<long long>(sizeHigh) << 32) | sizeLow;
    const long long position =
        (static_cast<long long>(static_cast<DWORD>(positionHigh)) << 32) | positionLow;
    return size > position ? size - position : 0;
}

HANDLE openBitmapFile(const char* path) {
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace vedrix::model
