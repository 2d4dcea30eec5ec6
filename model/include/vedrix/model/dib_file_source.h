// A bitmap file opened with CreateFileA as the source of the bitmap reader.
#pragma once

#include <windows.h>

#include <vedrix/model/dib_reader.h>
#include <vedrix/model/export.h>

namespace vedrix::model {

// Reads from the handle's current position; the caller opens and closes it.
class VEDRIX_MODEL_API DibFileSource : public DibSource {
public:
    explicit DibFileSource(HANDLE file) : m_file(file) {}
    long long read(void* buffer, std::size_t count) override;
    long long remaining() override;

private:
    HANDLE m_file;
};

// Opens a file for reading, shared with readers; INVALID_HANDLE_VALUE when
// it cannot be opened.
VEDRIX_MODEL_API HANDLE openBitmapFile(const char* path);

}  // namespace vedrix::model
