#include "gdi/pixels.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vedrix::winapi::gdi {

namespace {

DWORD readDword(const std::uint8_t* p) {
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
           (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}
WORD readWord(const std::uint8_t* p) {
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

constexpr long kMaxSide = 32768;
constexpr long long kMaxPixels = 64LL * 1024 * 1024;

std::vector<Pixel> makeTable16() {
    static const BYTE c[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                  {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                  {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                  {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    std::vector<Pixel> t;
    for (const auto& e : c) {
        t.push_back(pixelFromColor(RGB(e[0], e[1], e[2])));
    }
    return t;
}

}  // namespace

int nearestIndex(const std::vector<Pixel>& table, Pixel p) {
    int best = 0;
    long bestDist = -1;
    int r = (p >> 16) & 0xFF;
    int g = (p >> 8) & 0xFF;
    int b = p & 0xFF;
    for (std::size_t i = 0; i < table.size(); ++i) {
        Pixel t = table[i];
        long dr = r - static_cast<int>((t >> 16) & 0xFF);
        long dg = g - static_cast<int>((t >> 8) & 0xFF);
        long db = b - static_cast<int>(t & 0xFF);
        long d = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = static_cast<int>(i);
            if (d == 0) {
                break;
            }
        }
    }
    return best;
}

const std::vector<Pixel>& monoTable() {
    static const std::vector<Pixel> t{0x000000u, 0xFFFFFFu};
    return t;
}

const std::vector<Pixel>& table16() {
    static const std::vector<Pixel> t = makeTable16();
    return t;
}

const std::vector<Pixel>& table256() {
    static const std::vector<Pixel> t = [] {
        std::vector<Pixel> v = makeTable16();
        for (int r = 0; r < 6; ++r) {
            for (int g = 0; g < 6; ++g) {
                for (int b = 0; b < 6; ++b) {
                    v.push_back(pixelFromColor(RGB(r * 51, g * 51, b * 51)));
                }
            }
        }
        for (int i = 0; i < 24; ++i) {
            int level = 8 + i * 10;
            v.push_back(pixelFromColor(RGB(level, level, level)));
        }
        return v;
    }();
    return t;
}

const std::vector<PALETTEENTRY>& defaultPaletteEntries() {
    static const std::vector<PALETTEENTRY> t = {
        {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
        {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
        {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
        {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
        {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0}};
    return t;
}

ChannelMask ChannelMask::of(DWORD mask) {
    ChannelMask m;
    m.mask = mask;
    if (mask == 0) {
        return m;
    }
    while (((mask >> m.shift) & 1u) == 0) {
        ++m.shift;
    }
    while (m.shift + m.bits < 32 && ((mask >> (m.shift + m.bits)) & 1u) != 0) {
        ++m.bits;
    }
    return m;
}

std::uint8_t ChannelMask::decode(DWORD value) const {
    if (bits == 0) {
        return 0;
    }
    std::uint64_t max = (std::uint64_t{1} << bits) - 1;
    std::uint64_t v = (value & mask) >> shift;
    v &= max;
    return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
}

DWORD ChannelMask::encode(std::uint8_t v) const {
    if (bits == 0) {
        return 0;
    }
    std::uint64_t max = (std::uint64_t{1} << bits) - 1;
    std::uint64_t c = (static_cast<std::uint64_t>(v) * max + 127) / 255;
    return static_cast<DWORD>((c << shift) & mask);
}

bool readDibLayout(const void* header, std::size_t headerLimit, UINT usage,
                   const std::vector<PALETTEENTRY>& palette, DibLayout& out) {
    out = DibLayout{};
    if (header == nullptr || headerLimit < 12 ||
        (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) {
        return false;
    }
    const auto* p = static_cast<const std::uint8_t*>(header);
    DWORD size = readDword(p);
    std::size_t entrySize = usage == DIB_PAL_COLORS ? 2 : 4;
    std::size_t colorCount = 0;
    std::size_t tableOffset = 0;
    if (size == sizeof(BITMAPCOREHEADER)) {
        out.core = true;
        out.width = readWord(p + 4);
        out.height = readWord(p + 6);
        out.bpp = readWord(p + 10);
        if (out.bpp != 1 && out.bpp != 4 && out.bpp != 8 && out.bpp != 24) {
            return false;
        }
        if (usage == DIB_RGB_COLORS) {
            entrySize = 3;
        }
        colorCount = out.bpp <= 8 ? (std::size_t{1} << out.bpp) : 0;
        tableOffset = size;
    } else if (size >= sizeof(BITMAPINFOHEADER) && size <= 4096) {
        if (headerLimit < sizeof(BITMAPINFOHEADER)) {
            return false;
        }
        auto width = static_cast<LONG>(readDword(p + 4));
        auto height = static_cast<LONG>(readDword(p + 8));
        out.bpp = readWord(p + 14);
        out.compression = readDword(p + 16);
        out.sizeImage = readDword(p + 20);
        DWORD clrUsed = readDword(p + 32);
        if (width <= 0 || height == 0 || height == std::numeric_limits<LONG>::min()) {
            return false;
        }
        out.width = width;
        out.topDown = height < 0;
        out.height = height < 0 ? -height : height;
        switch (out.bpp) {
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
        tableOffset = size;
        switch (out.compression) {
            case BI_RGB:
                if (out.bpp == 16) {
                    out.red = ChannelMask::of(0x7C00);
                    out.green = ChannelMask::of(0x03E0);
                    out.blue = ChannelMask::of(0x001F);
                } else if (out.bpp == 32) {
                    out.hasAlpha = true;
                }
                break;
            case BI_RLE8:
            case BI_RLE4:
                if (out.topDown || out.bpp != (out.compression == BI_RLE8 ? 8 : 4)) {
                    return false;
                }
                break;
            case BI_BITFIELDS: {
                if (out.bpp != 16 && out.bpp != 32) {
                    return false;
                }
                std::size_t maskOffset = 40;
                if (size < 52) {
                    tableOffset += 12;  // the three masks follow a 40-byte header
                }
                if (headerLimit < maskOffset + 12) {
                    return false;
                }
                out.red = ChannelMask::of(readDword(p + maskOffset));
                out.green = ChannelMask::of(readDword(p + maskOffset + 4));
                out.blue = ChannelMask::of(readDword(p + maskOffset + 8));
                break;
            }
            default:
                return false;
        }
        if (clrUsed > 65536) {
            return false;
        }
        if (out.bpp <= 8) {
            colorCount = clrUsed != 0 ? clrUsed : (std::size_t{1} << out.bpp);
        } else {
            colorCount = clrUsed;
        }
    } else {
        return false;
    }
    if (static_cast<long long>(out.width) * out.height > kMaxPixels || out.width > kMaxSide ||
        out.height > kMaxSide) {
        return false;
    }
    out.headerBytes = tableOffset + colorCount * entrySize;
    if (out.headerBytes > headerLimit) {
        return false;
    }
    out.stride = dibStride(out.width, out.bpp);
    if (out.bpp <= 8) {
        std::size_t used = std::min(colorCount, std::size_t{1} << out.bpp);
        out.colors.reserve(std::size_t{1} << out.bpp);
        for (std::size_t i = 0; i < used; ++i) {
            const std::uint8_t* e = p + tableOffset + i * entrySize;
            if (usage == DIB_PAL_COLORS) {
                WORD index = readWord(e);
                PALETTEENTRY pe =
                    index < palette.size() ? palette[index] : PALETTEENTRY{0, 0, 0, 0};
                out.colors.push_back(pixelFromColor(RGB(pe.peRed, pe.peGreen, pe.peBlue)));
            } else {
                out.colors.push_back((static_cast<Pixel>(e[2]) << 16) |
                                     (static_cast<Pixel>(e[1]) << 8) | e[0]);
            }
        }
    }
    return true;
}

void decodeRow(const DibLayout& f, const std::uint8_t* in, Pixel* row) {
    auto lookup = [&f](unsigned index) -> Pixel {
        return index < f.colors.size() ? f.colors[index] : 0u;
    };
    switch (f.bpp) {
        case 1:
            for (int x = 0; x < f.width; ++x) {
                row[x] = lookup((in[x >> 3] >> (7 - (x & 7))) & 1u);
            }
            break;
        case 4:
            for (int x = 0; x < f.width; ++x) {
                std::uint8_t b = in[x >> 1];
                row[x] = lookup((x & 1) != 0 ? (b & 0x0F) : (b >> 4));
            }
            break;
        case 8:
            for (int x = 0; x < f.width; ++x) {
                row[x] = lookup(in[x]);
            }
            break;
        case 16:
            for (int x = 0; x < f.width; ++x) {
                DWORD v = readWord(in + 2 * x);
                row[x] = (static_cast<Pixel>(f.red.decode(v)) << 16) |
                         (static_cast<Pixel>(f.green.decode(v)) << 8) | f.blue.decode(v);
            }
            break;
        case 24:
            for (int x = 0; x < f.width; ++x) {
                const std::uint8_t* q = in + 3 * x;
                row[x] = (static_cast<Pixel>(q[2]) << 16) | (static_cast<Pixel>(q[1]) << 8) | q[0];
            }
            break;
        case 32:
            for (int x = 0; x < f.width; ++x) {
                DWORD v = readDword(in + 4 * x);
                if (f.hasAlpha) {
                    row[x] = v;
                } else {
                    row[x] = (static_cast<Pixel>(f.red.decode(v)) << 16) |
                             (static_cast<Pixel>(f.green.decode(v)) << 8) | f.blue.decode(v);
                }
            }
            break;
        default:
            break;
    }
}

void encodeRow(const DibLayout& f, const Pixel* row, std::uint8_t* out) {
    std::memset(out, 0, f.stride);
    // Consecutive pixels often repeat: remember the last lookup.
    Pixel lastPixel = 0;
    int lastIndex = -1;
    auto index = [&](Pixel p) {
        p = rgbOf(p);
        if (lastIndex < 0 || p != lastPixel) {
            lastPixel = p;
            lastIndex = f.colors.empty() ? 0 : nearestIndex(f.colors, p);
        }
        return static_cast<unsigned>(lastIndex);
    };
    switch (f.bpp) {
        case 1:
            for (int x = 0; x < f.width; ++x) {
                if (index(row[x]) & 1u) {
                    out[x >> 3] |= static_cast<std::uint8_t>(0x80u >> (x & 7));
                }
            }
            break;
        case 4:
            for (int x = 0; x < f.width; ++x) {
                unsigned i = index(row[x]) & 0x0Fu;
                out[x >> 1] |= static_cast<std::uint8_t>((x & 1) != 0 ? i : (i << 4));
            }
            break;
        case 8:
            for (int x = 0; x < f.width; ++x) {
                out[x] = static_cast<std::uint8_t>(index(row[x]));
            }
            break;
        case 16:
            for (int x = 0; x < f.width; ++x) {
                Pixel p = row[x];
                DWORD v = f.red.encode((p >> 16) & 0xFF) | f.green.encode((p >> 8) & 0xFF) |
                          f.blue.encode(p & 0xFF);
                out[2 * x] = static_cast<std::uint8_t>(v);
                out[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
            }
            break;
        case 24:
            for (int x = 0; x < f.width; ++x) {
                Pixel p = row[x];
                out[3 * x] = static_cast<std::uint8_t>(p);
                out[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
                out[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
            }
            break;
        case 32:
            for (int x = 0; x < f.width; ++x) {
                Pixel p = row[x];
                DWORD v = p;
                if (!f.hasAlpha) {
                    v = f.red.encode((p >> 16) & 0xFF) | f.green.encode((p >> 8) & 0xFF) |
                        f.blue.encode(p & 0xFF);
                }
                out[4 * x] = static_cast<std::uint8_t>(v);
                out[4 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                out[4 * x + 2] = static_cast<std::uint8_t>(v >> 16);
                out[4 * x + 3] = static_cast<std::uint8_t>(v >> 24);
            }
            break;
        default:
            break;
    }
}

// Run-length encoded 8- and 4-bit data, rows bottom-up. Pixels that the data
// skips (deltas, early ends of line) are left unwritten.
bool decodeRle(const DibLayout& f, const std::uint8_t* data, std::size_t size,
               std::vector<Pixel>& out, std::vector<std::uint8_t>& written) {
    std::size_t total = static_cast<std::size_t>(f.width) * f.height;
    out.assign(total, 0);
    written.assign(total, 0);
    bool four = f.compression == BI_RLE4;
    int x = 0;
    int row = 0;  // counted from the bottom
    auto put = [&](unsigned index) {
        if (x < f.width && row < f.height) {
            std::size_t i = static_cast<std::size_t>(f.height - 1 - row) * f.width + x;
            out[i] = index < f.colors.size() ? f.colors[index] : 0u;
            written[i] = 1;
        }
        ++x;
    };
    std::size_t i = 0;
    while (i + 1 < size) {
        std::uint8_t count = data[i];
        std::uint8_t value = data[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k) {
                put(four ? ((k & 1) != 0 ? (value & 0x0F) : (value >> 4)) : value);
            }
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++row;
            if (row >= f.height) {
                return true;
            }
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // delta
            if (i + 1 >= size) {
                return false;
            }
            x += data[i];
            row += data[i + 1];
            i += 2;
            if (row >= f.height) {
                return true;
            }
        } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
            std::size_t bytes = four ? (value + 1u) / 2u : value;
            if (i + bytes > size) {
                return false;
            }
            for (int k = 0; k < value; ++k) {
                if (four) {
                    std::uint8_t b = data[i + k / 2];
                    put((k & 1) != 0 ? (b & 0x0F) : (b >> 4));
                } else {
                    put(data[i + k]);
                }
            }
            i += bytes + (bytes & 1u);
        }
    }
    // Data that ends without an end-of-bitmap code keeps what was decoded.
    return true;
}

}  // namespace vedrix::winapi::gdi
