// Fuzz target: the bitmap file reader. Whatever it accepts must lie within
// the input (header block, colour table, pixel data). Built with the
// platform's GDI (VEDRIX_FUZZ_WITH_GDI), it also makes a device bitmap of
// every accepted bitmap, which must succeed without reading past the blocks:
// they are allocated at exactly their sizes, so the sanitizer sees any read
// beyond them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#if defined(VEDRIX_FUZZ_WITH_GDI)
#include <windows.h>
#endif

#include <vedrix/model/dib_reader.h>

namespace {

using namespace vedrix::model;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "bitmap reader: %s\n", what);
    std::abort();
}

struct Blocks {
    DibBlocks blocks;
    ~Blocks() {
        freeDibBlock(blocks.header);
        freeDibBlock(blocks.image);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DibMemorySource source(data, size);
    Blocks read;
    const DibProblem problem = readDib(source, read.blocks);
    const DibBlocks& b = read.blocks;
    if (static_cast<std::uint64_t>(b.headerSize) + b.imageSize > size) {
        fail("blocks larger than the input");
    }
    if (problem != DibProblem::None) {
        return 0;
    }
    if (b.colorTableOffset < 40 || b.colorTableOffset > b.headerSize ||
        (b.headerSize - b.colorTableOffset) / 4 < static_cast<std::uint32_t>(b.colorEntries)) {
        fail("colour table outside the header block");
    }
#if defined(VEDRIX_FUZZ_WITH_GDI)
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(b.header);
    HBITMAP bitmap = CreateDIBitmap(nullptr, header, CBM_INIT, b.image,
                                    reinterpret_cast<const BITMAPINFO*>(b.header), DIB_RGB_COLORS);
    if (bitmap == nullptr) {
        fail("an accepted bitmap makes no device bitmap");
    }
    DeleteObject(bitmap);
#endif
    return 0;
}
