// Pictures of the screen and their PNG files.
//
// A Picture holds a window as the screen showed it (Control::picture()):
// rows from top to bottom, three bytes per pixel (red, green, blue). encodePng
// writes it as a PNG image (colour type 2, 8 bits a channel, no interlace)
// whose image data is one zlib stream of stored deflate blocks: no
// compression, so the file is exactly the pixels with their row filters, and
// any PNG reader shows it.
#pragma once

#include <vedrix/automation/export.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vedrix::automation {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3 bytes

    bool empty() const { return width <= 0 || height <= 0; }
    // Whether the pixels are as many as the size says.
    bool complete() const {
        return !empty() &&
               rgb.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
    }
};

// The CRC-32 of PNG chunks and zlib (polynomial 0xEDB88320), continued from
// `crc` (the CRC of the bytes before; 0 for none).
VEDRIX_AUTOMATION_API std::uint32_t crc32(const std::uint8_t* data, std::size_t size,
                                          std::uint32_t crc = 0);
// The Adler-32 checksum that ends a zlib stream, continued from `adler` (1 for
// no bytes before).
VEDRIX_AUTOMATION_API std::uint32_t adler32(const std::uint8_t* data, std::size_t size,
                                            std::uint32_t adler = 1);

// The PNG file of a picture; empty when the picture is empty or its pixels
// do not fill its size.
VEDRIX_AUTOMATION_API std::vector<std::uint8_t> encodePng(const Picture& picture);
// Writes encodePng(picture) to `path` (a platform path) through the platform's
// file functions, replacing the file; false when the picture cannot be
// encoded or the file cannot be written whole.
VEDRIX_AUTOMATION_API bool writePng(const Picture& picture, const std::string& path);

}  // namespace vedrix::automation
