// Loading bitmaps, icons and cursors from a module's resources or from BMP
// files (LoadBitmapA, LoadIconA, LoadImageA), and CopyImage.
//
// Resources of type RT_BITMAP, RT_ICON and RT_CURSOR hold the bytes of a BMP
// file. An icon's or cursor's transparency comes from the alpha channel of a
// 32-bit image (alpha 0 is transparent) when any pixel has alpha; other
// images are opaque. Cursors loaded this way have their hot spot at (0, 0).
// Without a module (hInstance null), LoadIconA and LoadImageA give built-in
// IDI_ icons (32 x 32, shared); system bitmaps (OBM_) are not available.
// LR_LOADTRANSPARENT and LR_LOADMAP3DCOLORS are accepted and ignored.
#include "gdi/gdi.h"
#include "gdi/icons.h"

#include "dialog/resources.h"
#include "kernel/paths.h"

#include <fstream>
#include <map>
#include <tuple>

using namespace vedrix::winapi::gdi;

namespace {

constexpr WORD kRtCursor = 1;
constexpr WORD kRtBitmap = 2;
constexpr WORD kRtIcon = 3;
constexpr std::size_t kMaxFileSize = 256u * 1024 * 1024;

// A BMP file read into its layout and pixels.
struct Image {
    DibLayout layout;
    std::vector<Pixel> px;  // top-down
    bool alpha = false;     // a 32-bit image with alpha in some pixel
};

bool readImage(const std::uint8_t* data, std::size_t size, Image& out) {
    if (data == nullptr || size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPCOREHEADER) ||
        data[0] != 'B' || data[1] != 'M') {
        return false;
    }
    DWORD offBits = static_cast<DWORD>(data[10]) | (static_cast<DWORD>(data[11]) << 8) |
                    (static_cast<DWORD>(data[12]) << 16) | (static_cast<DWORD>(data[13]) << 24);
    const std::uint8_t* header = data + sizeof(BITMAPFILEHEADER);
    std::size_t headerLimit = size - sizeof(BITMAPFILEHEADER);
    if (!readDibLayout(header, headerLimit, DIB_RGB_COLORS, defaultPaletteEntries(), out.layout)) {
        return false;
    }
    std::size_t first = sizeof(BITMAPFILEHEADER) + out.layout.headerBytes;
    std::size_t off = offBits >= first && offBits <= size ? offBits : first;
    if (off > size) {
        return false;
    }
    const DibLayout& f = out.layout;
    std::size_t bitsSize = size - off;
    bool rle = f.compression == BI_RLE8 || f.compression == BI_RLE4;
    if (!rle && bitsSize < f.stride * static_cast<std::size_t>(f.height)) {
        return false;
    }
    out.px.assign(static_cast<std::size_t>(f.width) * f.height, 0);
    int lines = decodeDib(f, data + off, bitsSize, 0, f.height, [&out, &f](int x, int y, Pixel p) {
        out.px[static_cast<std::size_t>(y) * f.width + x] = p;
    });
    if (lines == 0) {
        return false;
    }
    if (f.bpp == 32 && f.hasAlpha) {
        for (Pixel p : out.px) {
            if ((p >> 24) != 0) {
                out.alpha = true;
                break;
            }
        }
    }
    return true;
}

bool readFile(LPCSTR path, std::vector<std::uint8_t>& bytes) {
    std::string native;
    if (path == nullptr || IS_INTRESOURCE(path) ||
        !vedrix::winapi::kernel::PrepareExisting(path, native)) {
        return false;
    }
    std::ifstream in(native, std::ios::binary);
    if (!in) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size <= 0 || static_cast<std::size_t>(size) > kMaxFileSize) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    in.seekg(0);
    bytes.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    return static_cast<bool>(in);
}

bool readResource(HINSTANCE hInst, WORD type, LPCSTR name, std::vector<std::uint8_t>& bytes) {
    WORD id = 0;
    if (!vedrix::winapi::resourceNumber(name, &id)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    const VedrixResource* r = vedrix::winapi::findResource(hInst, type, id);
    if (r == nullptr || r->data == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    const auto* p = static_cast<const std::uint8_t*>(r->data);
    bytes.assign(p, p + r->size);
    return true;
}

// A bitmap of the image: a DIB section of the file's format
// (LR_CREATEDIBSECTION; RLE images become uncompressed), a monochrome device
// bitmap (LR_MONOCHROME) or a device bitmap of the display's format.
HBITMAP makeBitmap(const Image& image, int cx, int cy, UINT flags) {
    const DibLayout& f = image.layout;
    int w = cx > 0 ? cx : f.width;
    int h = cy > 0 ? cy : f.height;
    std::vector<Pixel> px =
        (w == f.width && h == f.height) ? image.px : scalePixels(image.px, f.width, f.height, w, h);
    HBITMAP hbm = nullptr;
    if ((flags & LR_MONOCHROME) != 0) {
        hbm = newBitmap(w, h, 1);
    } else if ((flags & LR_CREATEDIBSECTION) != 0) {
        DibLayout d = f;
        d.width = w;
        d.height = h;
        if (d.compression == BI_RLE8 || d.compression == BI_RLE4) {
            d.compression = BI_RGB;
        }
        d.stride = dibStride(w, d.bpp);
        BITMAPINFOHEADER hdr{};
        hdr.biSize = sizeof(BITMAPINFOHEADER);
        hdr.biWidth = w;
        hdr.biHeight = d.topDown ? -h : h;
        hdr.biPlanes = 1;
        hdr.biBitCount = static_cast<WORD>(d.bpp);
        hdr.biCompression = d.compression;
        hbm = newDibSection(d, hdr, nullptr);
    } else {
        hbm = newBitmap(w, h, 32);
    }
    Bitmap* bm = bitmapOf(hbm);
    if (bm == nullptr) {
        return nullptr;
    }
    for (std::size_t i = 0; i < px.size(); ++i) {
        bm->px[i] = bm->fit(px[i]);
    }
    bm->push();
    return hbm;
}

IconImage iconFrom(const Image& image, int w, int h) {
    const DibLayout& f = image.layout;
    IconImage icon;
    icon.width = w;
    icon.height = h;
    std::vector<Pixel> px = scalePixels(image.px, f.width, f.height, w, h);
    icon.color.resize(px.size());
    icon.mask.resize(px.size());
    for (std::size_t i = 0; i < px.size(); ++i) {
        bool transparent = image.alpha && (px[i] >> 24) == 0;
        icon.mask[i] = transparent ? 1 : 0;
        icon.color[i] = transparent ? 0u : rgbOf(px[i]);
    }
    return icon;
}

// The built-in IDI_ icons: a 32 x 32 disc (a framed square for the
// application icons) on a transparent ground.
HICON standardIcon(WORD id) {
    static std::map<WORD, HICON> icons;
    auto it = icons.find(id);
    if (it != icons.end()) {
        return it->second;
    }
    COLORREF color = 0;
    bool square = false;
    switch (id) {
        case 32512:  // IDI_APPLICATION
        case 32517:  // IDI_WINLOGO
            color = RGB(255, 255, 255);
            square = true;
            break;
        case 32513:  // IDI_HAND
            color = RGB(255, 0, 0);
            break;
        case 32514:  // IDI_QUESTION
            color = RGB(0, 0, 255);
            break;
        case 32515:  // IDI_EXCLAMATION
            color = RGB(255, 255, 0);
            break;
        case 32516:  // IDI_ASTERISK
            color = RGB(0, 128, 255);
            break;
        default:
            return nullptr;
    }
    IconImage img;
    img.width = 32;
    img.height = 32;
    img.color.assign(32 * 32, 0);
    img.mask.assign(32 * 32, 1);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            std::size_t i = static_cast<std::size_t>(y) * 32 + x;
            bool in = false;
            Pixel p = pixelFromColor(color);
            if (square) {
                in = x >= 2 && x < 30 && y >= 2 && y < 30;
                if (in && (x == 2 || x == 29 || y == 2 || y == 29)) {
                    p = 0;
                }
            } else {
                int dx = 2 * x + 1 - 32;
                int dy = 2 * y + 1 - 32;
                in = dx * dx + dy * dy <= 30 * 30;
            }
            if (in) {
                img.mask[i] = 0;
                img.color[i] = p;
            }
        }
    }
    HICON h = createIcon(img, true, POINT{16, 16}, true);
    icons[id] = h;
    return h;
}

using SharedKey = std::tuple<HINSTANCE, UINT, WORD, int, int>;

std::map<SharedKey, HICON>& sharedIcons() {
    static std::map<SharedKey, HICON> shared;
    return shared;
}

}  // namespace

WINUSERAPI HANDLE WINAPI LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy,
                                    UINT fuLoad) {
    if (name == nullptr || cx < 0 || cy < 0 ||
        (type != IMAGE_BITMAP && type != IMAGE_ICON && type != IMAGE_CURSOR)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    bool fromFile = (fuLoad & LR_LOADFROMFILE) != 0;
    WORD id = 0;
    bool numbered = !fromFile && vedrix::winapi::resourceNumber(name, &id);
    if (!fromFile && hInst == nullptr) {
        if (type == IMAGE_ICON && numbered) {
            return standardIcon(id);
        }
        if (type == IMAGE_CURSOR) {
            return LoadCursorA(nullptr, name);
        }
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    bool shared = (fuLoad & LR_SHARED) != 0 && type != IMAGE_BITMAP && numbered;
    if (shared) {
        auto it = sharedIcons().find(SharedKey{hInst, type, id, cx, cy});
        if (it != sharedIcons().end()) {
            return it->second;
        }
    }
    std::vector<std::uint8_t> bytes;
    WORD rt = type == IMAGE_BITMAP ? kRtBitmap : type == IMAGE_ICON ? kRtIcon : kRtCursor;
    if (fromFile ? !readFile(name, bytes) : !readResource(hInst, rt, name, bytes)) {
        return nullptr;
    }
    Image image;
    if (!readImage(bytes.data(), bytes.size(), image)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (type == IMAGE_BITMAP) {
        return makeBitmap(image, cx, cy, fuLoad);
    }
    bool icon = type == IMAGE_ICON;
    int w = cx;
    int h = cy;
    if (w == 0) {
        w = (fuLoad & LR_DEFAULTSIZE) != 0 ? GetSystemMetrics(icon ? SM_CXICON : SM_CXCURSOR)
                                           : image.layout.width;
    }
    if (h == 0) {
        h = (fuLoad & LR_DEFAULTSIZE) != 0 ? GetSystemMetrics(icon ? SM_CYICON : SM_CYCURSOR)
                                           : image.layout.height;
    }
    if (w <= 0 || h <= 0) {
        return nullptr;
    }
    POINT hot = icon ? POINT{w / 2, h / 2} : POINT{0, 0};
    HICON result = createIcon(iconFrom(image, w, h), icon, hot, shared);
    if (shared && result != nullptr) {
        sharedIcons()[SharedKey{hInst, type, id, cx, cy}] = result;
    }
    return result;
}

WINUSERAPI HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
    if (hInstance == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return static_cast<HBITMAP>(LoadImageA(hInstance, lpBitmapName, IMAGE_BITMAP, 0, 0, 0));
}

WINUSERAPI HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
    return static_cast<HICON>(
        LoadImageA(hInstance, lpIconName, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

// Copies a bitmap (stretched to cx x cy when given; LR_MONOCHROME and
// LR_CREATEDIBSECTION choose the format) or an icon or cursor.
WINUSERAPI HANDLE WINAPI CopyImage(HANDLE h, UINT type, int cx, int cy, UINT flags) {
    if (cx < 0 || cy < 0) {
        return nullptr;
    }
    HANDLE result = nullptr;
    if (type == IMAGE_BITMAP) {
        Bitmap* bm = bitmapOf(static_cast<HBITMAP>(h));
        if (bm == nullptr) {
            return nullptr;
        }
        bool sameSize = (cx == 0 || cx == bm->width) && (cy == 0 || cy == bm->height);
        if ((flags & LR_COPYRETURNORG) != 0 && sameSize &&
            (flags & (LR_MONOCHROME | LR_CREATEDIBSECTION)) == 0) {
            return h;
        }
        bm->pull();
        Image image;
        image.px = bm->px;
        image.layout = bm->dibSection ? bm->layout : DibLayout{};
        image.layout.width = bm->width;
        image.layout.height = bm->height;
        if (!bm->dibSection) {
            image.layout.bpp = 32;
            image.layout.hasAlpha = true;
        }
        UINT f = flags;
        if (bm->monochrome() && (flags & LR_CREATEDIBSECTION) == 0) {
            f |= LR_MONOCHROME;
        }
        result = makeBitmap(image, cx, cy, f);
    } else if (type == IMAGE_ICON || type == IMAGE_CURSOR) {
        IconImage img;
        if (!iconImage(static_cast<HICON>(h), img)) {
            return nullptr;
        }
        int w = cx > 0 ? cx : img.width;
        int hh = cy > 0 ? cy : img.height;
        IconImage scaled = img;
        scaled.width = w;
        scaled.height = hh;
        scaled.color = scalePixels(img.color, img.width, img.height, w, hh);
        scaled.mask = scalePixels(img.mask, img.width, img.height, w, hh);
        ICONINFO info{};
        BOOL isIconType = type == IMAGE_ICON ? TRUE : FALSE;
        if (GetIconInfo(static_cast<HICON>(h), &info)) {
            isIconType = info.fIcon;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        result = createIcon(scaled, isIconType != FALSE,
                            isIconType ? POINT{w / 2, hh / 2} : POINT{0, 0}, false);
    } else {
        return nullptr;
    }
    if (result != nullptr && (flags & LR_COPYDELETEORG) != 0) {
        if (type == IMAGE_BITMAP) {
            DeleteObject(h);
        } else {
            DestroyIcon(static_cast<HICON>(h));
        }
    }
    return result;
}
