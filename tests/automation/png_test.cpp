// PNG files of pictures: the checksums against their published check values,
// and each file read back chunk by chunk, its stored deflate blocks undone,
// to the picture's own bytes.
#include "support/scratch_directory.h"

#include <vedrix/automation/png.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace vedrix::automation;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::uint32_t bigEndian(const Bytes& data, std::size_t at) {
    return (std::uint32_t{data.at(at)} << 24) | (std::uint32_t{data.at(at + 1)} << 16) |
           (std::uint32_t{data.at(at + 2)} << 8) | std::uint32_t{data.at(at + 3)};
}

struct Chunk {
    std::string type;
    Bytes data;
};

struct StoredBlock {
    bool final = false;
    std::size_t length = 0;
};

// A PNG file as a reader takes it apart: the signature, then chunks whose
// CRC must match their type and data.
std::vector<Chunk> readChunks(const Bytes& png) {
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(png.size() >= signature.size() &&
                std::equal(signature.begin(), signature.end(), png.begin()));
    std::vector<Chunk> chunks;
    std::size_t at = signature.size();
    while (at + 12 <= png.size()) {
        const std::uint32_t length = bigEndian(png, at);
        const std::size_t end = at + 12 + length;
        if (end > png.size()) {
            ADD_FAILURE() << "a chunk runs past the end of the file";
            break;
        }
        Chunk chunk;
        chunk.type.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                          png.begin() + static_cast<std::ptrdiff_t>(at + 8));
        chunk.data.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                          png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        EXPECT_EQ(bigEndian(png, at + 8 + length), crc32(png.data() + at + 4, length + 4))
            << "CRC of chunk " << chunk.type;
        chunks.push_back(std::move(chunk));
        at = end;
    }
    EXPECT_EQ(at, png.size()) << "bytes after the last chunk";
    return chunks;
}

// Undoes a zlib stream of stored deflate blocks, checking its header, each
// block's LEN against NLEN and the Adler-32 at its end; `blocks` receives
// each block's final flag and length.
Bytes inflateStored(const Bytes& zlib, std::vector<StoredBlock>& blocks) {
    Bytes out;
    if (zlib.size() < 2) {
        ADD_FAILURE() << "no zlib header";
        return out;
    }
    EXPECT_EQ(zlib[0] & 0x0F, 8) << "compression method deflate";
    EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0) << "header check bits";
    EXPECT_EQ(zlib[1] & 0x20, 0) << "no preset dictionary";
    std::size_t at = 2;
    bool final = false;
    while (!final) {
        if (at + 5 > zlib.size()) {
            ADD_FAILURE() << "the stream ends inside a block header";
            return out;
        }
        final = (zlib[at] & 1) != 0;
        EXPECT_EQ((zlib[at] >> 1) & 3, 0) << "block type stored";
        const std::size_t length = zlib[at + 1] | (zlib[at + 2] << 8);
        const std::size_t complement = zlib[at + 3] | (zlib[at + 4] << 8);
        EXPECT_EQ(length ^ 0xFFFFu, complement) << "NLEN is the complement of LEN";
        at += 5;
        if (at + length > zlib.size()) {
            ADD_FAILURE() << "a stored block runs past the stream";
            return out;
        }
        out.insert(out.end(), zlib.begin() + static_cast<std::ptrdiff_t>(at),
                   zlib.begin() + static_cast<std::ptrdiff_t>(at + length));
        blocks.push_back({final, length});
        at += length;
    }
    EXPECT_EQ(at + 4, zlib.size()) << "the Adler-32 ends the stream";
    if (at + 4 <= zlib.size()) {
        EXPECT_EQ(bigEndian(zlib, at), adler32(out.data(), out.size()));
    }
    return out;
}

// A picture whose every byte differs from its neighbours, so that a row or
// channel out of place shows.
Picture pattern(int width, int height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    for (int i = 0; i < width * height * 3; ++i) {
        picture.rgb.push_back(static_cast<std::uint8_t>((i * 7 + i / 251) & 0xFF));
    }
    return picture;
}

// The picture's pixels read back from its PNG file: the header's fields
// checked, the rows unfiltered (each must have filter 0).
Picture decode(const Bytes& png, std::vector<StoredBlock>& blocks) {
    Picture picture;
    const std::vector<Chunk> chunks = readChunks(png);
    if (chunks.size() != 3) {
        ADD_FAILURE() << "expected IHDR, IDAT, IEND; got " << chunks.size() << " chunks";
        return picture;
    }
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());
    const Bytes& header = chunks[0].data;
    if (header.size() != 13) {
        ADD_FAILURE() << "IHDR holds " << header.size() << " bytes";
        return picture;
    }
    picture.width = static_cast<int>(bigEndian(header, 0));
    picture.height = static_cast<int>(bigEndian(header, 4));
    // bit depth 8, colour type 2 (RGB), compression, filter, interlace 0
    EXPECT_EQ(Bytes(header.begin() + 8, header.end()), (Bytes{8, 2, 0, 0, 0}));
    const Bytes lines = inflateStored(chunks[1].data, blocks);
    const std::size_t row = static_cast<std::size_t>(picture.width) * 3;
    if (lines.size() != (row + 1) * static_cast<std::size_t>(picture.height)) {
        ADD_FAILURE() << "the rows hold " << lines.size() << " bytes";
        return picture;
    }
    for (std::size_t at = 0; at < lines.size(); at += row + 1) {
        EXPECT_EQ(lines[at], 0) << "filter type of the row at " << at;
        picture.rgb.insert(picture.rgb.end(), lines.begin() + static_cast<std::ptrdiff_t>(at + 1),
                           lines.begin() + static_cast<std::ptrdiff_t>(at + 1 + row));
    }
    return picture;
}

TEST(PngChecksums, MatchTheirCheckValuesAndContinueAcrossPieces) {
    const Bytes digits = bytesOf("123456789");
    EXPECT_EQ(crc32(digits.data(), digits.size()), 0xCBF43926u);
    EXPECT_EQ(crc32(nullptr, 0), 0u);
    const Bytes word = bytesOf("Wikipedia");
    EXPECT_EQ(adler32(word.data(), word.size()), 0x11E60398u);
    EXPECT_EQ(adler32(nullptr, 0), 1u);
    // In two pieces, each continued from the one before.
    EXPECT_EQ(crc32(digits.data() + 4, 5, crc32(digits.data(), 4)), 0xCBF43926u);
    EXPECT_EQ(adler32(word.data() + 3, 6, adler32(word.data(), 3)), 0x11E60398u);
}

TEST(PngChecksums, AdlerStaysExactOverLongRunsOfHighBytes) {
    // Far past the run after which the sums must be reduced, with the bytes
    // that grow them fastest; the reference reduces after every byte.
    const Bytes ones(200000, 0xFF);
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : ones) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(adler32(ones.data(), ones.size()), (b << 16) | a);
}

TEST(PngEncoding, SmallPictureReadsBackToItsBytes) {
    const Picture picture = pattern(3, 2);
    std::vector<StoredBlock> blocks;
    const Picture back = decode(encodePng(picture), blocks);
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.rgb, picture.rgb);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_TRUE(blocks[0].final);
    EXPECT_EQ(blocks[0].length, 2u * (1 + 3 * 3));
}

TEST(PngEncoding, LargePictureSpansFullStoredBlocksEndingInTheFinalOne) {
    // 200 x 150 pixels: 150 rows of 601 bytes, 90150 bytes in two blocks.
    const Picture picture = pattern(200, 150);
    std::vector<StoredBlock> blocks;
    const Picture back = decode(encodePng(picture), blocks);
    EXPECT_EQ(back.rgb, picture.rgb);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_FALSE(blocks[0].final);
    EXPECT_EQ(blocks[0].length, 65535u);
    EXPECT_TRUE(blocks[1].final);
    EXPECT_EQ(blocks[1].length, 90150u - 65535u);
}

TEST(PngEncoding, PicturesWithoutPixelsForTheirSizeGiveNoFile) {
    EXPECT_TRUE(encodePng(Picture{}).empty());
    Picture shortOfPixels = pattern(4, 4);
    shortOfPixels.rgb.pop_back();
    EXPECT_TRUE(encodePng(shortOfPixels).empty());
    Picture negative = pattern(2, 2);
    negative.width = -2;
    EXPECT_TRUE(encodePng(negative).empty());
}

TEST(PngFile, WritingReplacesTheFileWithTheEncodedPicture) {
    test_support::ScratchDirectory scratch("png");
    const std::string path = (scratch.path() / "dialog.png").string();
    std::ofstream(path) << "an older, longer file that the picture replaces whole";
    const Picture picture = pattern(5, 3);
    ASSERT_TRUE(writePng(picture, path));
    std::ifstream file(path, std::ios::binary);
    const Bytes written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, encodePng(picture));

    EXPECT_FALSE(writePng(Picture{}, (scratch.path() / "empty.png").string()));
    EXPECT_FALSE(writePng(picture, (scratch.path() / "no such directory" / "x.png").string()));
}

}  // namespace
