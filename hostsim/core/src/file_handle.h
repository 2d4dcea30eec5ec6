// An open file of the platform, closed at the end of its scope; the core's
// binary files are read and written through it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace vedrix::hostsim {

// An open file handle, closed at the end of the scope.
class FileHandle {
public:
    FileHandle(const std::string& path, DWORD access, DWORD disposition)
        : m_handle(CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr)),
          m_error(m_handle == INVALID_HANDLE_VALUE ? GetLastError() : 0) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool open() const { return m_handle != INVALID_HANDLE_VALUE; }
    DWORD error() const { return m_error; }
    bool missing() const {
        return m_error == ERROR_FILE_NOT_FOUND || m_error == ERROR_PATH_NOT_FOUND;
    }
    HANDLE get() const { return m_handle; }
    // Closes the file before the end of the scope.
    void close() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
            m_handle = INVALID_HANDLE_VALUE;
        }
    }

    // Reads up to `size` bytes; the count read, fewer only at the end of
    // the file (a file handle's read goes on until then), or -1 on an
    // error.
    long read(void* buffer, DWORD size) const {
        DWORD got = 0;
        if (!ReadFile(m_handle, buffer, size, &got, nullptr)) {
            return -1;
        }
        return static_cast<long>(got);
    }

    // Appends the rest of the file to `bytes`; false on an error.
    bool readRest(std::string& bytes) const {
        char chunk[4096];
        for (;;) {
            const long got = read(chunk, sizeof chunk);
            if (got < 0) {
                return false;
            }
            bytes.append(chunk, static_cast<std::size_t>(got));
            if (got < static_cast<long>(sizeof chunk)) {
                return true;  // the end of the file
            }
        }
    }

    bool write(const void* data, std::size_t size) const {
        const char* bytes = static_cast<const char*>(data);
        while (size > 0) {
            DWORD written = 0;
            const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
            if (!WriteFile(m_handle, bytes, chunk, &written, nullptr) || written == 0) {
                return false;
            }
            bytes += written;
            size -= written;
        }
        return true;
    }

private:
    HANDLE m_handle;
    DWORD m_error;
};

}  // namespace vedrix::hostsim
