// BMP and ICO files from the pixel rows of the source, and the initial-data
// block of a dialog's list entries. All multi-byte fields are little-endian,
// as the file formats define them.
#include <cctype>

#include "resgen.h"

namespace resgen {

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
    }
}

void set32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
    }
}

std::size_t rowBytes(int width, int bits) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
}

// A picture as palette keys, row 0 at the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::string> rows;
};

Picture strip(const std::vector<Image>& images) {
    Picture p;
    p.height = images.front().height;
    p.rows.assign(static_cast<std::size_t>(p.height), std::string());
    for (const Image& img : images) {
        p.width += img.width;
        for (int r = 0; r < p.height; ++r) {
            p.rows[static_cast<std::size_t>(r)] += img.rows[static_cast<std::size_t>(r)];
        }
    }
    return p;
}

Picture single(const Image& img) {
    return Picture{img.width, img.height, img.rows};
}

// BITMAPINFOHEADER and the pixel rows, bottom-up. `heightFactor` 2 gives the
// doubled height of an icon image.
void putInfoAndPixels(std::vector<std::uint8_t>& out, const Picture& pic, const Palette& pal,
                      int bits, int heightFactor, bool colourTable) {
    const std::size_t stride = rowBytes(pic.width, bits);
    const std::uint32_t colours = bits < 24 ? static_cast<std::uint32_t>(pal.keys.size()) : 0;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(pic.width));
    put32(out, static_cast<std::uint32_t>(pic.height * heightFactor));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bits));
    put32(out, 0);  // BI_RGB
    put32(out, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(pic.height)));
    put32(out, 2835);  // 72 dots per inch
    put32(out, 2835);
    put32(out, colourTable ? colours : 0);
    put32(out, 0);
    if (colourTable && bits < 24) {
        for (char key : pal.keys) {
            const std::uint32_t rgb = pal.rgb.at(key);
            out.push_back(static_cast<std::uint8_t>(rgb & 0xFF));
            out.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));
            out.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));
            out.push_back(0);
        }
    }
    for (int r = pic.height - 1; r >= 0; --r) {
        const std::string& row = pic.rows[static_cast<std::size_t>(r)];
        std::vector<std::uint8_t> bytes(stride, 0);
        for (int x = 0; x < pic.width; ++x) {
            const char key = row[static_cast<std::size_t>(x)];
            if (bits == 24) {
                const std::uint32_t rgb = pal.rgb.at(key);
                bytes[static_cast<std::size_t>(x) * 3] = static_cast<std::uint8_t>(rgb & 0xFF);
                bytes[static_cast<std::size_t>(x) * 3 + 1] =
                    static_cast<std::uint8_t>((rgb >> 8) & 0xFF);
                bytes[static_cast<std::size_t>(x) * 3 + 2] =
                    static_cast<std::uint8_t>((rgb >> 16) & 0xFF);
            } else {
                unsigned index = 0;
                while (pal.keys[index] != key) {
                    ++index;
                }
                const std::size_t bit =
                    static_cast<std::size_t>(x) * static_cast<std::size_t>(bits);
                const unsigned shift = 8U - static_cast<unsigned>(bits) - (bit % 8);
                bytes[bit / 8] = static_cast<std::uint8_t>(bytes[bit / 8] | (index << shift));
            }
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
}

std::vector<std::uint8_t> bmpOf(const Picture& pic, const Palette& pal, int bits) {
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 0);  // file size, set below
    put16(out, 0);
    put16(out, 0);
    const std::uint32_t colours = bits < 24 ? static_cast<std::uint32_t>(pal.keys.size()) : 0;
    put32(out, 14 + 40 + colours * 4);
    putInfoAndPixels(out, pic, pal, bits, 1, true);
    set32(out, 2, static_cast<std::uint32_t>(out.size()));
    return out;
}

}  // namespace

std::vector<std::uint8_t> bitmapFile(const Bitmap& bmp, const Source& src) {
    return bmpOf(strip(bmp.images), *src.palette(bmp.palette), bmp.bits);
}

std::vector<std::uint8_t> iconBitmapFile(const Icon& icon, const Source& src) {
    return bmpOf(single(icon.images.front()), *src.palette(icon.palette), 24);
}

std::vector<std::uint8_t> iconFile(const Icon& icon, const Source& src) {
    const Palette& pal = *src.palette(icon.palette);
    // Transparent pixels are black in the colour image and set in the mask,
    // so that the screen shows through.
    Palette opaque = pal;
    if (icon.transparent != 0) {
        opaque.rgb[icon.transparent] = 0;
    }
    std::vector<std::vector<std::uint8_t>> images;
    for (const Image& img : icon.images) {
        const Picture pic = single(img);
        std::vector<std::uint8_t> data;
        putInfoAndPixels(data, pic, opaque, 24, 2, false);
        const std::size_t stride = rowBytes(pic.width, 1);
        for (int r = pic.height - 1; r >= 0; --r) {
            std::vector<std::uint8_t> bytes(stride, 0);
            for (int x = 0; x < pic.width; ++x) {
                if (icon.transparent != 0 &&
                    pic.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(x)] ==
                        icon.transparent) {
                    bytes[static_cast<std::size_t>(x) / 8] = static_cast<std::uint8_t>(
                        bytes[static_cast<std::size_t>(x) / 8] | (0x80U >> (x % 8)));
                }
            }
            data.insert(data.end(), bytes.begin(), bytes.end());
        }
        images.push_back(std::move(data));
    }
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // icon
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const Image& img = icon.images[i];
        out.push_back(static_cast<std::uint8_t>(img.width >= 256 ? 0 : img.width));
        out.push_back(static_cast<std::uint8_t>(img.height >= 256 ? 0 : img.height));
        out.push_back(0);  // no colour table
        out.push_back(0);
        put16(out, 1);
        put16(out, 24);
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& data : images) {
        out.insert(out.end(), data.begin(), data.end());
    }
    return out;
}

std::vector<std::uint8_t> dialogInitData(const Dialog& dlg) {
    // One record per entry: control id, message (CB_ADDSTRING or
    // LB_ADDSTRING), length of the data, the zero-terminated entry; a zero
    // word ends the block.
    std::vector<std::uint8_t> out;
    for (const Control& c : dlg.controls) {
        std::string cls;
        for (char ch : c.windowClass) {
            cls += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        }
        const bool combo = cls == "combobox";
        for (const std::string& item : c.items) {
            const std::string text = toCodePage(item, c.where);
            put16(out, static_cast<unsigned>(c.id));
            put16(out, combo ? 0x0143U : 0x0180U);
            put32(out, static_cast<std::uint32_t>(text.size() + 1));
            out.insert(out.end(), text.begin(), text.end());
            out.push_back(0);
        }
    }
    if (!out.empty()) {
        put16(out, 0);
    }
    return out;
}

}  // namespace resgen
