// Reading Windows bitmap files: the 14-byte file header, then the header
// block (a BITMAPINFOHEADER followed by the colour table), then the pixel
// data. The level bitmaps and the widgets' CDib read through this one reader.
//
// The reader never reads or allocates past what the source holds: every
// size that the file announces is checked against the bytes that are left
// before anything is allocated, and a block that the platform's bitmap
// functions would read past is refused. Run-length encoded 8- and 4-bit
// bitmaps are read as the file holds them (their length is the header's
// image size) and decoded by the platform's bitmap functions. The checks and
// their messages are documented in dib_reader.cpp where they are made.
#pragma once

#include <cstddef>
#include <cstdint>

#include <vedrix/model/export.h>

namespace vedrix::model {

// Where the bytes come from: an open file, or memory.
class VEDRIX_MODEL_API DibSource {
public:
    virtual ~DibSource();
    // Reads up to `count` bytes into `buffer`; how many arrived, or -1 on a
    // file error.
    virtual long long read(void* buffer, std::size_t count) = 0;
    // The bytes from the current position to the end; -1 when unknown.
    virtual long long remaining() = 0;
};

// Bytes in memory, for tests and fuzzing.
class VEDRIX_MODEL_API DibMemorySource : public DibSource {
public:
    DibMemorySource(const void* data, std::size_t size)
        : m_data(static_cast<const std::uint8_t*>(data)), m_size(size) {}
    long long read(void* buffer, std::size_t count) override;
    long long remaining() override { return static_cast<long long>(m_size - m_position); }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

// Why a file was not read, and which message says so.
enum class DibProblem {
    None,
    ShortFileHeader,  // "read error 1": fewer than 14 bytes
    Invalid,          // "Invalid bitmap file": not "BM", or a header that cannot be used
    ReadError,        // "Read error 1": the file holds less than it announces, or fails
};
// The message of a problem ("" for None).
VEDRIX_MODEL_API const char* dibProblemMessage(DibProblem problem);

// What a read leaves: the header block and the pixel data, each allocated by
// the reader and freed with freeDibBlock (null when not reached).
struct DibBlocks {
    std::uint8_t* header = nullptr;  // BITMAPINFOHEADER and colour table
    std::uint32_t headerSize = 0;
    std::uint8_t* image = nullptr;  // the pixel rows
    std::uint32_t imageSize = 0;
    std::uint32_t colorTableOffset = 0;  // where the colour table starts in the header block
    int colorEntries = 0;                // entries of the colour table
};

// Reads one bitmap file from the start of `source`. Blocks allocated before
// a failure are left in `out` for the caller to free.
VEDRIX_MODEL_API DibProblem readDib(DibSource& source, DibBlocks& out);
VEDRIX_MODEL_API void freeDibBlock(std::uint8_t* block);

// Number of colour table entries for a bit count: the header's colours used
// when not 0, else 2, 16 or 256 entries for 1, 4 or 8 bits and none for 16,
// 24 or 32 bits; -1 for any other bit count.
VEDRIX_MODEL_API int dibColorEntries(unsigned bitCount, std::uint32_t colorsUsed);

}  // namespace vedrix::model
