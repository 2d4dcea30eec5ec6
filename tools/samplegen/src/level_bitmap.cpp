#include "level_bitmap.h"

#include <cstdint>

namespace vedrix::samplegen {

namespace {

void Put16(std::string& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

// Whether pixel (x, y), y counted from the top, belongs to the figure.
bool InFigure(int shape, int x, int y) {
    const int n = kLevelBitmapSize;
    switch (shape) {
        case 0:  // a house: roof triangle over a square
            return (y < n / 2 && x >= n / 2 - y && x < n / 2 + y) ||
                   (y >= n / 2 && y < n - 2 && x >= 4 && x < n - 4);
        case 1:  // a floor slab
            return y >= n / 2 - 3 && y < n / 2 + 3 && x >= 2 && x < n - 2;
        case 2:  // a quarter block
            return x >= 3 && x < n / 2 + 2 && y >= 3 && y < n / 2 + 2;
        default:  // a frame
            return (x >= 2 && x < n - 2 && y >= 2 && y < n - 2) &&
                   (x < 5 || x >= n - 5 || y < 5 || y >= n - 5);
    }
}

}  // namespace

std::string LevelBitmap(unsigned int colour, int shape) {
    const int n = kLevelBitmapSize;
    const std::uint32_t rowBytes = static_cast<std::uint32_t>(n * 3 + 3) / 4 * 4;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(n);
    const std::uint32_t headerBytes = 14 + 40;
    std::string bytes;
    bytes += "BM";
    Put32(bytes, headerBytes + imageBytes);
    Put32(bytes, 0);
    Put32(bytes, headerBytes);
    Put32(bytes, 40);  // BITMAPINFOHEADER
    Put32(bytes, static_cast<std::uint32_t>(n));
    Put32(bytes, static_cast<std::uint32_t>(n));  // bottom-up rows
    Put16(bytes, 1);
    Put16(bytes, 24);
    Put32(bytes, 0);  // BI_RGB
    Put32(bytes, imageBytes);
    Put32(bytes, 2835);  // 72 dots per inch
    Put32(bytes, 2835);
    Put32(bytes, 0);
    Put32(bytes, 0);
    for (int row = n - 1; row >= 0; --row) {
        std::uint32_t written = 0;
        for (int x = 0; x < n; ++x) {
            const unsigned int pixel = InFigure(shape, x, row) ? colour : 0xFFFFFFu;
            bytes.push_back(static_cast<char>(pixel & 0xFF));  // blue, green, red
            bytes.push_back(static_cast<char>((pixel >> 8) & 0xFF));
            bytes.push_back(static_cast<char>((pixel >> 16) & 0xFF));
            written += 3;
        }
        for (; written < rowBytes; ++written) {
            bytes.push_back('\0');
        }
    }
    return bytes;
}

}  // namespace vedrix::samplegen
