// Icon objects: creation from bitmaps, information, copies, drawing.
#include "gdi/icons.h"

#include "gdi/gdi.h"

#include <memory>
#include <unordered_map>

using namespace vedrix::winapi::gdi;
using vedrix::headless::DrawingEntry;
using vedrix::headless::DrawingKind;

namespace {

struct Icon {
    IconImage image;
    bool isIcon = true;
    POINT hotspot{0, 0};
    bool shared = false;
};

struct IconTable {
    std::unordered_map<std::uintptr_t, std::unique_ptr<Icon>> icons;
    std::uintptr_t next = 0;
};

IconTable& table() {
    static IconTable t;
    return t;
}

// Icon handles stand apart from GDI handles.
constexpr std::uintptr_t kIconBase = 0x70000000u;

Icon* iconOf(HICON h) {
    auto& icons = table().icons;
    auto it = icons.find(reinterpret_cast<std::uintptr_t>(h));
    return it == icons.end() ? nullptr : it->second.get();
}

// Reads a bitmap's pixels at their own size.
bool bitmapPixels(HBITMAP h, int& w, int& hgt, std::vector<Pixel>& px) {
    Bitmap* bm = bitmapOf(h);
    if (bm == nullptr) {
        return false;
    }
    bm->pull();
    w = bm->width;
    hgt = bm->height;
    px = bm->px;
    return true;
}

HBITMAP bitmapFrom(const std::vector<Pixel>& px, int w, int h, int bpp) {
    HBITMAP hbm = newBitmap(w, h, bpp);
    if (Bitmap* bm = bitmapOf(hbm)) {
        for (std::size_t i = 0; i < px.size() && i < bm->px.size(); ++i) {
            bm->px[i] = bm->fit(px[i]);
        }
    }
    return hbm;
}

}  // namespace

namespace vedrix::winapi::gdi {

HICON createIcon(const IconImage& image, bool isIconFlag, POINT hotspot, bool shared) {
    if (image.width <= 0 || image.height <= 0) {
        return nullptr;
    }
    auto icon = std::make_unique<Icon>();
    icon->image = image;
    icon->isIcon = isIconFlag;
    icon->hotspot = hotspot;
    icon->shared = shared;
    IconTable& t = table();
    ++t.next;
    std::uintptr_t k = kIconBase + t.next * 16;
    t.icons[k] = std::move(icon);
    return reinterpret_cast<HICON>(k);
}

bool iconImage(HICON h, IconImage& out) {
    Icon* icon = iconOf(h);
    if (icon == nullptr) {
        return false;
    }
    out = icon->image;
    return true;
}

bool isIcon(HICON h) {
    return iconOf(h) != nullptr;
}

}  // namespace vedrix::winapi::gdi

namespace vedrix::headless {

std::size_t iconCount() {
    std::size_t n = 0;
    for (const auto& [k, icon] : table().icons) {
        if (!icon->shared) {
            ++n;
        }
    }
    return n;
}

}  // namespace vedrix::headless

// The icon keeps copies of the bitmaps' pixels; the caller still owns (and
// deletes) the bitmaps, as on the platform. Without a colour bitmap, the mask
// is twice as high: the AND mask above the XOR image.
WINUSERAPI HICON WINAPI CreateIconIndirect(PICONINFO piconinfo) {
    if (piconinfo == nullptr) {
        return nullptr;
    }
    int mw = 0;
    int mh = 0;
    std::vector<Pixel> mask;
    if (!bitmapPixels(piconinfo->hbmMask, mw, mh, mask)) {
        return nullptr;
    }
    IconImage image;
    if (piconinfo->hbmColor != nullptr) {
        int cw = 0;
        int ch = 0;
        std::vector<Pixel> color;
        if (!bitmapPixels(piconinfo->hbmColor, cw, ch, color)) {
            return nullptr;
        }
        image.width = cw;
        image.height = ch;
        image.color = color;
        image.mask.assign(color.size(), 0);
        for (int y = 0; y < ch && y < mh; ++y) {
            for (int x = 0; x < cw && x < mw; ++x) {
                image.mask[static_cast<std::size_t>(y) * cw + x] =
                    rgbOf(mask[static_cast<std::size_t>(y) * mw + x]) != 0 ? 1 : 0;
            }
        }
    } else {
        if (mh < 2) {
            return nullptr;
        }
        image.width = mw;
        image.height = mh / 2;
        std::size_t half = static_cast<std::size_t>(mw) * image.height;
        image.mask.resize(half);
        image.color.resize(half);
        for (std::size_t i = 0; i < half; ++i) {
            image.mask[i] = rgbOf(mask[i]) != 0 ? 1 : 0;
            image.color[i] = rgbOf(mask[half + i]);
        }
    }
    POINT hot{static_cast<LONG>(piconinfo->xHotspot), static_cast<LONG>(piconinfo->yHotspot)};
    if (piconinfo->fIcon) {
        hot = POINT{image.width / 2, image.height / 2};
    }
    return createIcon(image, piconinfo->fIcon != FALSE, hot, false);
}

// Hands out new bitmaps, which the caller deletes.
WINUSERAPI BOOL WINAPI GetIconInfo(HICON hIcon, PICONINFO piconinfo) {
    Icon* icon = iconOf(hIcon);
    if (icon == nullptr || piconinfo == nullptr) {
        return FALSE;
    }
    const IconImage& img = icon->image;
    std::vector<Pixel> mask(img.mask.size());
    for (std::size_t i = 0; i < mask.size(); ++i) {
        mask[i] = img.mask[i] != 0 ? 0xFFFFFFu : 0u;
    }
    piconinfo->fIcon = icon->isIcon ? TRUE : FALSE;
    piconinfo->xHotspot = static_cast<DWORD>(icon->hotspot.x);
    piconinfo->yHotspot = static_cast<DWORD>(icon->hotspot.y);
    piconinfo->hbmMask = bitmapFrom(mask, img.width, img.height, 1);
    piconinfo->hbmColor = bitmapFrom(img.color, img.width, img.height, 32);
    return TRUE;
}

// Shared icons (LoadIcon) stay; destroying one returns TRUE and does nothing.
WINUSERAPI BOOL WINAPI DestroyIcon(HICON hIcon) {
    Icon* icon = iconOf(hIcon);
    if (icon == nullptr) {
        return FALSE;
    }
    if (!icon->shared) {
        table().icons.erase(reinterpret_cast<std::uintptr_t>(hIcon));
    }
    return TRUE;
}

WINUSERAPI HICON WINAPI CopyIcon(HICON hIcon) {
    Icon* icon = iconOf(hIcon);
    if (icon == nullptr) {
        return nullptr;
    }
    return createIcon(icon->image, icon->isIcon, icon->hotspot, false);
}

// DI_IMAGE copies the colour image; DI_MASK ANDs the mask; DI_NORMAL does
// both, so that transparent pixels keep the background. cx/cy 0 take the
// icon's size, or the system's icon size with DI_DEFAULTSIZE.
WINUSERAPI BOOL WINAPI DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth,
                                  int cyWidth, UINT /*istepIfAniCur*/, HBRUSH hbrFlickerFreeDraw,
                                  UINT diFlags) {
    DeviceContext* dc = dcOf(hdc);
    Icon* icon = iconOf(hIcon);
    if (dc == nullptr || icon == nullptr) {
        return FALSE;
    }
    const IconImage& img = icon->image;
    int w = cxWidth;
    int h = cyWidth;
    if (w == 0) {
        w = (diFlags & DI_DEFAULTSIZE) != 0
                ? GetSystemMetrics(icon->isIcon ? SM_CXICON : SM_CXCURSOR)
                : img.width;
    }
    if (h == 0) {
        h = (diFlags & DI_DEFAULTSIZE) != 0
                ? GetSystemMetrics(icon->isIcon ? SM_CYICON : SM_CYCURSOR)
                : img.height;
    }
    if (w <= 0 || h <= 0) {
        return FALSE;
    }
    POINT d = toDevice(*dc, xLeft, yTop);
    RECT dr{d.x, d.y, d.x + w, d.y + h};
    if (const Brush* flicker = brushOrSysColor(hbrFlickerFreeDraw)) {
        patBlt(*dc, dr, flicker, PATCOPY);
    }
    std::vector<Pixel> color = scalePixels(img.color, img.width, img.height, w, h);
    std::vector<std::uint8_t> mask = scalePixels(img.mask, img.width, img.height, w, h);
    {
        Canvas canvas(*dc);
        canvas.forRect(dr, [&](int x, int y, Pixel dst) -> std::optional<Pixel> {
            std::size_t i = static_cast<std::size_t>(y - dr.top) * w + (x - dr.left);
            Pixel out = dst;
            if ((diFlags & DI_MASK) != 0) {
                out = mask[i] != 0 ? out : 0u;
            }
            if ((diFlags & DI_IMAGE) != 0) {
                out = (diFlags & DI_MASK) != 0 ? (out ^ rgbOf(color[i])) : rgbOf(color[i]);
            }
            return out & 0x00FFFFFFu;
        });
    }
    if (recorded(*dc)) {
        DrawingEntry e;
        e.kind = DrawingKind::DrawIcon;
        e.rect = dr;
        e.flags = diFlags;
        record(*dc, e);
    }
    return TRUE;
}

WINUSERAPI BOOL WINAPI DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
    return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
