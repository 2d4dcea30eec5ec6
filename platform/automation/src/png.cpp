// PNG files of pictures: chunks with their CRC-32, and the image data as a
// zlib stream of stored deflate blocks ended by its Adler-32.
#include <vedrix/automation/png.h>

#include <windows.h>

#include <algorithm>
#include <array>

namespace vedrix::automation {

namespace {

// A chunk's data length is below 2^31 and the PNG holds one image-data
// chunk, so the filtered rows with the zlib framing must stay below that.
constexpr std::size_t kLargestImageData = 0x7FFF0000u;
// A stored deflate block holds at most 65535 bytes.
constexpr std::size_t kStoredBlock = 0xFFFF;

const std::array<std::uint32_t, 256>& crcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) {
                c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void putLittleEndian16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// Appends a chunk: length, type, data, and the CRC of type and data.
void putChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
              const std::vector<std::uint8_t>& data) {
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian(out, crc32(out.data() + typeAt, out.size() - typeAt));
}

// The scanlines as PNG filters them: each row led by its filter type, 0
// (none), since stored blocks gain nothing from the others.
std::vector<std::uint8_t> scanlines(const Picture& picture) {
    const std::size_t row = static_cast<std::size_t>(picture.width) * 3;
    std::vector<std::uint8_t> lines;
    lines.reserve((row + 1) * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        lines.push_back(0);
        const auto start = picture.rgb.begin() + static_cast<std::ptrdiff_t>(row * y);
        lines.insert(lines.end(), start, start + static_cast<std::ptrdiff_t>(row));
    }
    return lines;
}

// A zlib stream (deflate, 32K window, no dictionary) of stored blocks.
std::vector<std::uint8_t> storedZlib(const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> out;
    const std::size_t blocks =
        std::max<std::size_t>(1, (data.size() + kStoredBlock - 1) / kStoredBlock);
    out.reserve(data.size() + blocks * 5 + 6);
    // CMF 0x78 (deflate, 32K window) and FLG 0x01: 0x7801 is a multiple of 31.
    out.push_back(0x78);
    out.push_back(0x01);
    std::size_t at = 0;
    do {
        const std::size_t length = std::min(kStoredBlock, data.size() - at);
        const bool last = at + length == data.size();
        // BFINAL in bit 0, BTYPE 00 (stored); the rest of the byte pads to
        // the byte boundary that LEN starts at.
        out.push_back(last ? 1 : 0);
        putLittleEndian16(out, static_cast<std::uint32_t>(length));
        putLittleEndian16(out, static_cast<std::uint32_t>(~length & 0xFFFFu));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    } while (at < data.size());
    putBigEndian(out, adler32(data.data(), data.size()));
    return out;
}

}  // namespace

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
    const auto& table = crcTable();
    std::uint32_t c = crc ^ 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        c = table[(c ^ data[i]) & 0xFFu] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler) {
    constexpr std::uint32_t kModulus = 65521;
    // 5552 bytes is the most that can be summed before the 32-bit sums
    // could overflow.
    constexpr std::size_t kRun = 5552;
    std::uint32_t a = adler & 0xFFFFu;
    std::uint32_t b = adler >> 16;
    while (size > 0) {
        const std::size_t run = std::min(size, kRun);
        for (std::size_t i = 0; i < run; ++i) {
            a += data[i];
            b += a;
        }
        a %= kModulus;
        b %= kModulus;
        data += run;
        size -= run;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> encodePng(const Picture& picture) {
    if (!picture.complete() ||
        picture.rgb.size() + static_cast<std::size_t>(picture.height) > kLargestImageData) {
        return {};
    }
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBigEndian(header, static_cast<std::uint32_t>(picture.width));
    putBigEndian(header, static_cast<std::uint32_t>(picture.height));
    // 8 bits a sample, colour type 2 (RGB), deflate, adaptive filters, no
    // interlace.
    header.insert(header.end(), {8, 2, 0, 0, 0});
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", storedZlib(scanlines(picture)));
    putChunk(png, "IEND", {});
    return png;
}

bool writePng(const Picture& picture, const std::string& path) {
    const std::vector<std::uint8_t> png = encodePng(picture);
    if (png.empty()) {
        return false;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr);
    const BOOL closed = CloseHandle(file);
    return wrote && closed && written == png.size();
}

}  // namespace vedrix::automation
