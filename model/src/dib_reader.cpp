#include <vedrix/model/dib_reader.h>

#include <cstring>
#include <limits>
#include <new>

namespace vedrix::model {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitmapType = 0x4D42;  // "BM"
constexpr std::uint32_t kRgb = 0;              // BI_RGB
constexpr std::uint32_t kRle8 = 1;             // BI_RLE8
constexpr std::uint32_t kRle4 = 2;             // BI_RLE4
constexpr std::uint32_t kBitfields = 3;        // BI_BITFIELDS
constexpr std::uint32_t kBitfieldMasksSize = 12;
constexpr std::uint32_t kColorEntrySize = 4;  // blue, green, red, reserved
constexpr int kMaxPaletteEntries = 0xFFFF;    // a logical palette counts its entries in a WORD

std::uint16_t readWord(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t readDword(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The fields of the header that the reader looks at, by their offsets from
// the start of the header.
struct InfoHeader {
    std::uint32_t size;
    std::int32_t width;
    std::int32_t height;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t sizeImage;
    std::uint32_t colorsUsed;
};

InfoHeader parseInfoHeader(const std::uint8_t* p) {
    InfoHeader h{};
    h.size = readDword(p);
    h.width = static_cast<std::int32_t>(readDword(p + 4));
    h.height = static_cast<std::int32_t>(readDword(p + 8));
    h.bitCount = readWord(p + 14);
    h.compression = readDword(p + 16);
    h.sizeImage = readDword(p + 20);
    h.colorsUsed = readDword(p + 32);
    return h;
}

// Reads exactly `count` bytes; false on a file error or when fewer arrive.
bool readExactly(DibSource& source, std::uint8_t* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const long long got = source.read(buffer + done, count - done);
        if (got <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

std::uint8_t* allocate(std::uint32_t size) {
    return new (std::nothrow) std::uint8_t[size == 0 ? 1 : size];
}

// Whether the header describes a bitmap that the platform's bitmap functions
// can make a device bitmap from without reading past the header block.
bool usableHeader(const InfoHeader& h, std::uint32_t blockSize) {
    // The usual 40-byte header and the later, longer kinds (whose first 40
    // bytes are the same) are read; the 12-byte core header is refused, and
    // so is a header that claims more bytes than its block holds.
    if (h.size < kInfoHeaderSize || h.size > blockSize) {
        return false;
    }
    // Only the bit counts that the platform's bitmaps know.
    switch (h.bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return false;
    }
    // A bitmap has at least one pixel. A negative height marks a top-down
    // bitmap (rows from the top), which is read like any other with the
    // height's magnitude; the smallest 32-bit number has no magnitude.
    if (h.width <= 0 || h.height == 0 || h.height == std::numeric_limits<std::int32_t>::min()) {
        return false;
    }
    // Plain rows, 16- and 32-bit rows with colour masks, or run-length
    // encoded 8- and 4-bit data. Run-length data is bottom-up and must say
    // how long it is, since its length is not tied to the rows; the
    // platform's bitmap functions decode no further than that. Embedded
    // compressed images are refused.
    switch (h.compression) {
        case kRgb:
            return true;
        case kBitfields:
            return h.bitCount == 16 || h.bitCount == 32;
        case kRle8:
            return h.bitCount == 8 && h.height > 0 && h.sizeImage != 0;
        case kRle4:
            return h.bitCount == 4 && h.height > 0 && h.sizeImage != 0;
        default:
            return false;
    }
}

// Where the colour table starts: right after the header, and after the
// three colour masks that follow a 40-byte header with colour masks.
std::uint32_t colorTableOffset(const InfoHeader& h) {
    if (h.compression == kBitfields && h.size < kInfoHeaderSize + kBitfieldMasksSize) {
        return h.size + kBitfieldMasksSize;
    }
    return h.size;
}

// The bytes of the rows that the header describes: each row padded to a
// multiple of 4 bytes. Saturates instead of overflowing.
std::uint64_t rowsSize(const InfoHeader& h) {
    const std::uint64_t row =
        (static_cast<std::uint64_t>(h.bitCount) * static_cast<std::uint32_t>(h.width) + 31) / 32 *
        4;
    const std::uint64_t rows =
        h.height < 0 ? -static_cast<std::int64_t>(h.height) : static_cast<std::uint64_t>(h.height);
    if (rows > std::numeric_limits<std::uint64_t>::max() / row) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return row * rows;
}

}  // namespace

DibSource::~DibSource() = default;

long long DibMemorySource::read(void* buffer, std::size_t count) {
    const std::size_t n = count < m_size - m_position ? count : m_size - m_position;
    if (n > 0) {
        std::memcpy(buffer, m_data + m_position, n);
    }
    m_position += n;
    return static_cast<long long>(n);
}

const char* dibProblemMessage(DibProblem problem) {
    switch (problem) {
        case DibProblem::None:
            return "";
        case DibProblem::ShortFileHeader:
            return "read error 1";
        case DibProblem::Invalid:
            return "Invalid bitmap file";
        case DibProblem::ReadError:
            return "Read error 1";
    }
    return "Read error 1";
}

int dibColorEntries(unsigned bitCount, std::uint32_t colorsUsed) {
    if (colorsUsed != 0) {
        return colorsUsed > static_cast<std::uint32_t>(std::numeric_limits<int>::max())
                   ? std::numeric_limits<int>::max()
                   : static_cast<int>(colorsUsed);
    }
    switch (bitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        case 16:
        case 24:
        case 32:
            return 0;
        default:
            return -1;
    }
}

void freeDibBlock(std::uint8_t* block) {
    delete[] block;
}

DibProblem readDib(DibSource& source, DibBlocks& out) {
    std::uint8_t fileHeader[kFileHeaderSize];
    const long long got = source.read(fileHeader, sizeof fileHeader);
    if (got < 0) {
        return DibProblem::ReadError;
    }
    if (got < static_cast<long long>(sizeof fileHeader) &&
        !readExactly(source, fileHeader + got, sizeof fileHeader - static_cast<std::size_t>(got))) {
        return DibProblem::ShortFileHeader;
    }
    if (readWord(fileHeader) != kBitmapType) {
        return DibProblem::Invalid;
    }

    // The header block lies between the file header and the pixel data, so
    // the pixel offset gives its size. An offset that leaves no room for the
    // 40-byte header (this includes offsets inside the file header) makes the
    // file invalid; one past the file's end announces more than the file
    // holds, which is a read error, found before anything is allocated.
    const std::uint32_t offBits = readDword(fileHeader + 10);
    if (offBits < kFileHeaderSize + kInfoHeaderSize) {
        return DibProblem::Invalid;
    }
    const std::uint32_t blockSize = offBits - kFileHeaderSize;
    const long long left = source.remaining();
    if (left < 0 || static_cast<std::uint64_t>(left) < blockSize) {
        return DibProblem::ReadError;
    }
    out.header = allocate(blockSize);
    if (out.header == nullptr) {
        return DibProblem::ReadError;
    }
    out.headerSize = blockSize;
    if (!readExactly(source, out.header, blockSize)) {
        return DibProblem::ReadError;
    }

    const InfoHeader h = parseInfoHeader(out.header);
    if (!usableHeader(h, blockSize)) {
        return DibProblem::Invalid;
    }
    // The colour table that the header announces must lie in the header
    // block, since the palette and the device bitmap are made from it, and a
    // logical palette can hold it.
    const std::uint32_t tableOffset = colorTableOffset(h);
    const int entries = dibColorEntries(h.bitCount, h.colorsUsed);
    if (tableOffset > blockSize || entries > kMaxPaletteEntries ||
        static_cast<std::uint32_t>(entries) > (blockSize - tableOffset) / kColorEntrySize) {
        return DibProblem::Invalid;
    }

    // The image size is the header's when it gives one, else the size of the
    // rows. A given size smaller than the rows is refused: the device bitmap
    // would be made from bytes past the pixel data. Pixel data that the rest
    // of the file cannot hold is a read error, again found before anything
    // is allocated.
    // Run-length data is as long as the header says, shorter than the rows
    // or not.
    const bool runLength = h.compression == kRle8 || h.compression == kRle4;
    const std::uint64_t needed = rowsSize(h);
    if (h.sizeImage != 0 && h.sizeImage < needed && !runLength) {
        return DibProblem::Invalid;
    }
    const std::uint64_t imageSize = h.sizeImage != 0 ? h.sizeImage : needed;
    const long long rest = source.remaining();
    if (rest < 0 || static_cast<std::uint64_t>(rest) < imageSize ||
        imageSize > std::numeric_limits<std::uint32_t>::max()) {
        return DibProblem::ReadError;
    }
    out.image = allocate(static_cast<std::uint32_t>(imageSize));
    if (out.image == nullptr) {
        return DibProblem::ReadError;
    }
    out.imageSize = static_cast<std::uint32_t>(imageSize);
    if (!readExactly(source, out.image, out.imageSize)) {
        return DibProblem::ReadError;
    }
    out.colorTableOffset = tableOffset;
    out.colorEntries = entries;
    return DibProblem::None;
}

}  // namespace vedrix::model
