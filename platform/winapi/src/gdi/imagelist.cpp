// Image lists (ImageList_*): images of one size kept side by side in an image
// bitmap and a monochrome mask bitmap, drawn into device contexts.
//
// Drawing (ImageList_Draw, ImageList_DrawEx): with a mask, ILD_TRANSPARENT or a
// background colour of CLR_NONE leaves the destination where the mask is set
// and copies the image elsewhere (the pixels under the mask count as black, as
// ImageList_AddMasked leaves them); with another background colour those
// pixels take that colour. A list without a mask draws its images opaque
// (ImageList_AddMasked still makes the mask colour black in them).
// ILD_MASK draws the mask through the context's text (0) and background (1)
// colours; ILD_IMAGE draws the image without its mask; ILD_BLEND25 and
// ILD_BLEND50 mix the image's opaque pixels with the foreground colour
// (CLR_DEFAULT: COLOR_HIGHLIGHT) by a quarter or a half; overlay images are
// drawn transparently on top. Each draw is recorded as an ImageListDraw entry.
#include "gdi/imagelist.h"

#include "gdi/gdi.h"
#include "gdi/icons.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

using namespace vedrix::winapi::gdi;
using vedrix::headless::DrawingEntry;
using vedrix::headless::DrawingKind;

namespace {

struct ListTable {
    std::unordered_map<std::uintptr_t, std::unique_ptr<ImageList>> lists;
    std::uintptr_t next = 0;
};

ListTable& lists() {
    static ListTable t;
    return t;
}

constexpr std::uintptr_t kListBase = 0x50000000u;

// The images are kept in a device bitmap of the list's depth: colours are
// reduced as the depth requires, and every change touches only its own
// image's pixels.
HBITMAP makeImageBitmap(UINT flags, int width, int height) {
    switch (flags & ILC_COLORDDB) {
        case ILC_COLORDDB:
        case ILC_COLOR32:
            return newBitmap(width, height, 32);
        case ILC_COLOR24:
            return newBitmap(width, height, 24);
        case ILC_COLOR16:
            return newBitmap(width, height, 16);
        case ILC_COLOR8:
            return newBitmap(width, height, 8);
        default:  // ILC_COLOR, ILC_COLOR4
            return newBitmap(width, height, 4);
    }
}

bool bitmapImage(HBITMAP h, int& w, int& hgt, std::vector<Pixel>& px) {
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

ListImage readSlot(ImageList& list, int index) {
    ListImage out;
    out.width = list.cx;
    out.height = list.cy;
    out.color.assign(static_cast<std::size_t>(list.cx) * list.cy, 0);
    out.mask.assign(out.color.size(), 0);
    Bitmap* img = bitmapOf(list.image);
    Bitmap* mask = bitmapOf(list.mask);
    if (img != nullptr) {
        img->pull();
    }
    for (int y = 0; y < list.cy; ++y) {
        for (int x = 0; x < list.cx; ++x) {
            std::size_t i = static_cast<std::size_t>(y) * list.cx + x;
            int bx = index * list.cx + x;
            if (img != nullptr && bx < img->width && y < img->height) {
                out.color[i] = img->at(bx, y);
            }
            if (mask != nullptr && bx < mask->width && y < mask->height) {
                out.mask[i] = rgbOf(mask->at(bx, y)) != 0 ? 1 : 0;
            }
        }
    }
    return out;
}

void writeSlot(ImageList& list, int index, const ListImage& image) {
    Bitmap* img = bitmapOf(list.image);
    Bitmap* mask = bitmapOf(list.mask);
    if (img == nullptr) {
        return;
    }
    img->pull();
    img->forgetFits();
    for (int y = 0; y < list.cy; ++y) {
        for (int x = 0; x < list.cx; ++x) {
            Pixel c = 0;
            std::uint8_t m = 0;
            if (x < image.width && y < image.height) {
                std::size_t i = static_cast<std::size_t>(y) * image.width + x;
                c = image.color[i];
                m = image.mask.empty() ? 0 : image.mask[i];
            }
            int bx = index * list.cx + x;
            img->at(bx, y) = img->fit(c);
            if (mask != nullptr) {
                mask->at(bx, y) = m != 0 ? 0xFFFFFFu : 0u;
            }
        }
    }
    img->push();
}

// Makes room for `needed` images, growing by the list's growth step.
bool ensureCapacity(ImageList& list, int needed) {
    if (needed <= list.capacity) {
        return true;
    }
    int capacity = list.capacity;
    while (capacity < needed) {
        capacity += list.grow;
    }
    if (static_cast<long long>(capacity) * list.cx * list.cy > 64LL * 1024 * 1024) {
        capacity = needed;
        if (static_cast<long long>(capacity) * list.cx * list.cy > 64LL * 1024 * 1024) {
            return false;
        }
    }
    HBITMAP image = makeImageBitmap(list.flags, capacity * list.cx, list.cy);
    HBITMAP mask =
        (list.flags & ILC_MASK) != 0 ? newBitmap(capacity * list.cx, list.cy, 1) : nullptr;
    if (image == nullptr || ((list.flags & ILC_MASK) != 0 && mask == nullptr)) {
        DeleteObject(image);
        DeleteObject(mask);
        return false;
    }
    std::vector<ListImage> kept;
    for (int i = 0; i < list.count; ++i) {
        kept.push_back(readSlot(list, i));
    }
    DeleteObject(list.image);
    DeleteObject(list.mask);
    list.image = image;
    list.mask = mask;
    list.capacity = capacity;
    for (int i = 0; i < list.count; ++i) {
        writeSlot(list, i, kept[static_cast<std::size_t>(i)]);
    }
    return true;
}

HIMAGELIST addList(std::unique_ptr<ImageList> list) {
    ListTable& t = lists();
    ++t.next;
    std::uintptr_t k = kListBase + t.next * 16;
    t.lists[k] = std::move(list);
    return reinterpret_cast<HIMAGELIST>(k);
}

// Adds the images of a bitmap (as many as its width holds); `maskOf` gives
// each pixel's mask bit (lists with a mask only); `blackOut` sets the
// transparent pixels to black.
template <class MaskOf>
int addImages(ImageList& list, const std::vector<Pixel>& px, int w, int h, MaskOf maskOf,
              bool blackOut) {
    int n = w / list.cx;
    if (n <= 0 || !ensureCapacity(list, list.count + n)) {
        return -1;
    }
    int first = list.count;
    for (int k = 0; k < n; ++k) {
        ListImage image;
        image.width = list.cx;
        image.height = list.cy;
        image.color.assign(static_cast<std::size_t>(list.cx) * list.cy, 0);
        image.mask.assign(image.color.size(), 0);
        for (int y = 0; y < list.cy && y < h; ++y) {
            for (int x = 0; x < list.cx; ++x) {
                int sx = k * list.cx + x;
                std::size_t si = static_cast<std::size_t>(y) * w + sx;
                std::size_t di = static_cast<std::size_t>(y) * list.cx + x;
                std::uint8_t m = (list.flags & ILC_MASK) != 0 ? maskOf(sx, y, px[si]) : 0;
                image.mask[di] = m;
                image.color[di] = m != 0 && blackOut ? 0u : px[si];
            }
        }
        writeSlot(list, first + k, image);
        ++list.count;
    }
    return first;
}

Pixel mix(Pixel a, Pixel b, int weightB) {  // weightB of 4
    auto channel = [&](int shift) {
        int ca = static_cast<int>((a >> shift) & 0xFF);
        int cb = static_cast<int>((b >> shift) & 0xFF);
        return static_cast<Pixel>((ca * (4 - weightB) + cb * weightB) / 4) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

}  // namespace

namespace vedrix::winapi::gdi {

ImageList* imageListOf(HIMAGELIST h) {
    auto& t = lists().lists;
    auto it = t.find(reinterpret_cast<std::uintptr_t>(h));
    return it == t.end() ? nullptr : it->second.get();
}

bool readListImage(HIMAGELIST h, int index, ListImage& out) {
    ImageList* list = imageListOf(h);
    if (list == nullptr || index < 0 || index >= list->count) {
        return false;
    }
    out = readSlot(*list, index);
    return true;
}

HIMAGELIST listOfOne(const ListImage& image, UINT flags) {
    HIMAGELIST h =
        ImageList_Create(image.width, image.height, (flags & ILC_COLORDDB) | ILC_MASK, 1, 1);
    ImageList* list = imageListOf(h);
    if (list == nullptr) {
        return nullptr;
    }
    writeSlot(*list, 0, image);
    list->count = 1;
    return h;
}

}  // namespace vedrix::winapi::gdi

namespace vedrix::headless {

std::size_t imageListCount() {
    return lists().lists.size();
}

}  // namespace vedrix::headless

// ---------------------------------------------------------------------------
// Creation

WINCOMMCTRLAPI HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int cInitial,
                                                  int cGrow) {
    if (cx <= 0 || cy <= 0 || cx > 32768 || cy > 32768 || cInitial < 0) {
        return nullptr;
    }
    // A large initial size is a hint; memory comes as images are added.
    cInitial = std::min(cInitial, 256);
    auto list = std::make_unique<ImageList>();
    list->cx = cx;
    list->cy = cy;
    list->flags = flags;
    list->grow = cGrow > 0 ? cGrow : 4;
    if (!ensureCapacity(*list, cInitial > 0 ? cInitial : 1)) {
        return nullptr;
    }
    return addList(std::move(list));
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_Destroy(HIMAGELIST himl) {
    ImageList* list = imageListOf(himl);
    if (list == nullptr) {
        return FALSE;
    }
    DeleteObject(list->image);
    DeleteObject(list->mask);
    lists().lists.erase(reinterpret_cast<std::uintptr_t>(himl));
    return TRUE;
}

WINCOMMCTRLAPI HIMAGELIST WINAPI ImageList_Duplicate(HIMAGELIST himl) {
    ImageList* list = imageListOf(himl);
    if (list == nullptr) {
        return nullptr;
    }
    HIMAGELIST h =
        ImageList_Create(list->cx, list->cy, list->flags, std::max(list->count, 1), list->grow);
    ImageList* copy = imageListOf(h);
    if (copy == nullptr || !ensureCapacity(*copy, list->count)) {
        ImageList_Destroy(h);
        return nullptr;
    }
    for (int i = 0; i < list->count; ++i) {
        writeSlot(*copy, i, readSlot(*list, i));
    }
    copy->count = list->count;
    copy->bk = list->bk;
    std::copy(std::begin(list->overlays), std::end(list->overlays), std::begin(copy->overlays));
    return h;
}

// The bitmap resource's height gives the images' height; images keep the
// display's 32-bit format. crMask CLR_NONE makes a list without a mask.
WINCOMMCTRLAPI HIMAGELIST WINAPI ImageList_LoadImageA(HINSTANCE hi, LPCSTR lpbmp, int cx, int cGrow,
                                                      COLORREF crMask, UINT uType, UINT uFlags) {
    if (uType != IMAGE_BITMAP || cx <= 0) {
        return nullptr;
    }
    auto hbm = static_cast<HBITMAP>(LoadImageA(hi, lpbmp, IMAGE_BITMAP, 0, 0, uFlags));
    Bitmap* bm = bitmapOf(hbm);
    if (bm == nullptr) {
        return nullptr;
    }
    UINT flags = ILC_COLORDDB | (crMask != CLR_NONE ? ILC_MASK : 0u);
    HIMAGELIST h = ImageList_Create(cx, bm->height, flags, std::max(1, bm->width / cx), cGrow);
    int first =
        crMask != CLR_NONE ? ImageList_AddMasked(h, hbm, crMask) : ImageList_Add(h, hbm, nullptr);
    DeleteObject(hbm);
    if (first < 0) {
        ImageList_Destroy(h);
        return nullptr;
    }
    return h;
}

// ---------------------------------------------------------------------------
// Images

WINCOMMCTRLAPI int WINAPI ImageList_GetImageCount(HIMAGELIST himl) {
    ImageList* list = imageListOf(himl);
    return list != nullptr ? list->count : 0;
}

// New images are black and opaque.
WINCOMMCTRLAPI BOOL WINAPI ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount) {
    ImageList* list = imageListOf(himl);
    if (list == nullptr || uNewCount > 32768) {
        return FALSE;
    }
    int n = static_cast<int>(uNewCount);
    if (!ensureCapacity(*list, n)) {
        return FALSE;
    }
    ListImage blank;
    blank.width = list->cx;
    blank.height = list->cy;
    blank.color.assign(static_cast<std::size_t>(list->cx) * list->cy, 0);
    blank.mask.assign(blank.color.size(), 0);
    for (int i = list->count; i < n; ++i) {
        writeSlot(*list, i, blank);
    }
    list->count = n;
    return TRUE;
}

// A mask bitmap's white pixels (1 in a monochrome bitmap) are transparent;
// without a mask bitmap the images are opaque.
WINCOMMCTRLAPI int WINAPI ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask) {
    ImageList* list = imageListOf(himl);
    int w = 0;
    int h = 0;
    std::vector<Pixel> px;
    if (list == nullptr || !bitmapImage(hbmImage, w, h, px)) {
        return -1;
    }
    int mw = 0;
    int mh = 0;
    std::vector<Pixel> mask;
    bool hasMask = hbmMask != nullptr && bitmapImage(hbmMask, mw, mh, mask);
    if (hbmMask != nullptr && !hasMask) {
        return -1;
    }
    // The colour under the mask stays: ImageList_Add does not change the image.
    return addImages(
        *list, px, w, h,
        [&](int sx, int y, Pixel) {
            bool transparent = hasMask && sx < mw && y < mh &&
                               rgbOf(mask[static_cast<std::size_t>(y) * mw + sx]) == 0xFFFFFFu;
            return static_cast<std::uint8_t>(transparent ? 1 : 0);
        },
        false);
}

// Pixels of crMask (CLR_DEFAULT: the colour of the top-left pixel) become
// transparent; as on the platform they are set to black both in the list and
// in the caller's bitmap. A list without a mask keeps them black and opaque.
WINCOMMCTRLAPI int WINAPI ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
    ImageList* list = imageListOf(himl);
    Bitmap* source = bitmapOf(hbmImage);
    if (list == nullptr || source == nullptr) {
        return -1;
    }
    source->pull();
    int w = source->width;
    int h = source->height;
    Pixel key = crMask == CLR_DEFAULT ? rgbOf(source->px[0]) : pixelFromColor(crMask);
    auto blackenKey = [source, key] {
        source->forgetFits();
        for (Pixel& p : source->px) {
            if (rgbOf(p) == key) {
                p = source->fit(0);
            }
        }
        source->push();
    };
    if ((list->flags & ILC_MASK) == 0) {
        blackenKey();
        return ImageList_Add(himl, hbmImage, nullptr);
    }
    std::vector<Pixel> px = source->px;
    int first = addImages(
        *list, px, w, h,
        [key](int, int, Pixel p) { return static_cast<std::uint8_t>(rgbOf(p) == key ? 1 : 0); },
        true);
    if (first >= 0) {
        blackenKey();
    }
    return first;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage,
                                             HBITMAP hbmMask) {
    ImageList* list = imageListOf(himl);
    int w = 0;
    int h = 0;
    std::vector<Pixel> px;
    if (list == nullptr || i < 0 || i >= list->count || !bitmapImage(hbmImage, w, h, px)) {
        return FALSE;
    }
    int mw = 0;
    int mh = 0;
    std::vector<Pixel> mask;
    bool hasMask = hbmMask != nullptr && bitmapImage(hbmMask, mw, mh, mask);
    ListImage image;
    image.width = list->cx;
    image.height = list->cy;
    image.color.assign(static_cast<std::size_t>(list->cx) * list->cy, 0);
    image.mask.assign(image.color.size(), 0);
    for (int y = 0; y < list->cy; ++y) {
        for (int x = 0; x < list->cx; ++x) {
            std::size_t di = static_cast<std::size_t>(y) * list->cx + x;
            if (x < w && y < h) {
                image.color[di] = px[static_cast<std::size_t>(y) * w + x];
            }
            if (hasMask && x < mw && y < mh) {
                image.mask[di] = rgbOf(mask[static_cast<std::size_t>(y) * mw + x]) == 0xFFFFFFu;
            }
        }
    }
    writeSlot(*list, i, image);
    return TRUE;
}

// The icon is scaled to the list's image size.
WINCOMMCTRLAPI int WINAPI ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon) {
    ImageList* list = imageListOf(himl);
    IconImage icon;
    if (list == nullptr || i < -1 || i >= list->count || !iconImage(hicon, icon)) {
        return -1;
    }
    ListImage image;
    image.width = list->cx;
    image.height = list->cy;
    image.color = scalePixels(icon.color, icon.width, icon.height, list->cx, list->cy);
    image.mask = scalePixels(icon.mask, icon.width, icon.height, list->cx, list->cy);
    int index = i;
    if (index == -1) {
        if (!ensureCapacity(*list, list->count + 1)) {
            return -1;
        }
        index = list->count++;
    }
    writeSlot(*list, index, image);
    return index;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_Remove(HIMAGELIST himl, int i) {
    ImageList* list = imageListOf(himl);
    if (list == nullptr || i < -1 || i >= list->count) {
        return FALSE;
    }
    if (i == -1) {
        list->count = 0;
        return TRUE;
    }
    for (int k = i; k + 1 < list->count; ++k) {
        writeSlot(*list, k, readSlot(*list, k + 1));
    }
    --list->count;
    return TRUE;
}

WINCOMMCTRLAPI COLORREF WINAPI ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk) {
    ImageList* list = imageListOf(himl);
    if (list == nullptr) {
        return CLR_NONE;
    }
    COLORREF previous = list->bk;
    list->bk = clrBk;
    return previous;
}

WINCOMMCTRLAPI COLORREF WINAPI ImageList_GetBkColor(HIMAGELIST himl) {
    ImageList* list = imageListOf(himl);
    return list != nullptr ? list->bk : CLR_NONE;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_SetOverlayImage(HIMAGELIST himl, int iImage, int iOverlay) {
    ImageList* list = imageListOf(himl);
    if (list == nullptr || iOverlay < 1 || iOverlay > 15 || iImage < -1 || iImage >= list->count) {
        return FALSE;
    }
    list->overlays[iOverlay - 1] = iImage;
    return TRUE;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    ImageList* list = imageListOf(himl);
    if (list == nullptr || cx == nullptr || cy == nullptr) {
        return FALSE;
    }
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}

// Changing the size removes all images, as on the platform.
WINCOMMCTRLAPI BOOL WINAPI ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy) {
    ImageList* list = imageListOf(himl);
    if (list == nullptr || cx <= 0 || cy <= 0 || cx > 32768 || cy > 32768) {
        return FALSE;
    }
    DeleteObject(list->image);
    DeleteObject(list->mask);
    list->image = nullptr;
    list->mask = nullptr;
    list->cx = cx;
    list->cy = cy;
    list->count = 0;
    list->capacity = 0;
    return ensureCapacity(*list, 1) ? TRUE : FALSE;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo) {
    ImageList* list = imageListOf(himl);
    if (list == nullptr || pImageInfo == nullptr || i < 0 || i >= list->count) {
        return FALSE;
    }
    pImageInfo->hbmImage = list->image;
    pImageInfo->hbmMask = list->mask;
    pImageInfo->Unused1 = 0;
    pImageInfo->Unused2 = 0;
    pImageInfo->rcImage = RECT{i * list->cx, 0, (i + 1) * list->cx, list->cy};
    return TRUE;
}

WINCOMMCTRLAPI HICON WINAPI ImageList_GetIcon(HIMAGELIST himl, int i, UINT /*flags*/) {
    ImageList* list = imageListOf(himl);
    if (list == nullptr || i < 0 || i >= list->count) {
        return nullptr;
    }
    ListImage image = readSlot(*list, i);
    IconImage icon;
    icon.width = image.width;
    icon.height = image.height;
    icon.color = image.color;
    icon.mask = image.mask;
    for (std::size_t k = 0; k < icon.color.size(); ++k) {
        icon.color[k] = icon.mask[k] != 0 ? 0u : rgbOf(icon.color[k]);
    }
    return createIcon(icon, true, POINT{icon.width / 2, icon.height / 2}, false);
}

// The merged image covers both images: the first at its place, the second
// moved by (dx, dy) and drawn over it transparently.
WINCOMMCTRLAPI HIMAGELIST WINAPI ImageList_Merge(HIMAGELIST himl1, int i1, HIMAGELIST himl2, int i2,
                                                 int dx, int dy) {
    ImageList* a = imageListOf(himl1);
    ListImage first;
    ListImage second;
    if (a == nullptr || !readListImage(himl1, i1, first) || !readListImage(himl2, i2, second)) {
        return nullptr;
    }
    int left = std::min(0, dx);
    int top = std::min(0, dy);
    int right = std::max(first.width, dx + second.width);
    int bottom = std::max(first.height, dy + second.height);
    ListImage merged;
    merged.width = right - left;
    merged.height = bottom - top;
    merged.color.assign(static_cast<std::size_t>(merged.width) * merged.height, 0);
    merged.mask.assign(merged.color.size(), 1);
    auto paint = [&merged](const ListImage& img, int ox, int oy) {
        for (int y = 0; y < img.height; ++y) {
            for (int x = 0; x < img.width; ++x) {
                std::size_t si = static_cast<std::size_t>(y) * img.width + x;
                if (img.mask[si] != 0) {
                    continue;
                }
                std::size_t di = static_cast<std::size_t>(y + oy) * merged.width + (x + ox);
                merged.color[di] = img.color[si];
                merged.mask[di] = 0;
            }
        }
    };
    paint(first, -left, -top);
    paint(second, dx - left, dy - top);
    return listOfOne(merged, a->flags);
}

// ---------------------------------------------------------------------------
// Drawing

WINCOMMCTRLAPI BOOL WINAPI ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y,
                                            int dx, int dy, COLORREF rgbBk, COLORREF rgbFg,
                                            UINT fStyle) {
    ImageList* list = imageListOf(himl);
    DeviceContext* dc = dcOf(hdcDst);
    if (list == nullptr || dc == nullptr || i < 0 || i >= list->count) {
        return FALSE;
    }
    int w = dx > 0 && dx < list->cx ? dx : list->cx;
    int h = dy > 0 && dy < list->cy ? dy : list->cy;
    COLORREF bk = rgbBk == CLR_DEFAULT ? list->bk : rgbBk;
    bool hasMask = (list->flags & ILC_MASK) != 0;
    bool transparent = hasMask && ((fStyle & ILD_TRANSPARENT) != 0 || bk == CLR_NONE);
    POINT d = toDevice(*dc, x, y);
    RECT dr{d.x, d.y, d.x + w, d.y + h};
    ListImage image = readSlot(*list, i);
    int overlay = static_cast<int>((fStyle & ILD_OVERLAYMASK) >> 8);
    ListImage over;
    bool hasOverlay = overlay >= 1 && overlay <= 15 && list->overlays[overlay - 1] >= 0 &&
                      list->overlays[overlay - 1] < list->count;
    if (hasOverlay) {
        over = readSlot(*list, list->overlays[overlay - 1]);
    }
    int blend = (fStyle & ILD_BLEND50) != 0 ? 2 : (fStyle & ILD_BLEND25) != 0 ? 1 : 0;
    COLORREF fg = rgbFg == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : rgbFg;
    if (fg == CLR_NONE) {
        blend = 0;
    }
    Pixel fgPixel = pixelFromColor(fg);
    Pixel bkPixel = pixelFromColor(resolveColor(dc, bk));
    Pixel textPixel = pixelFromColor(resolveColor(dc, dc->st.textColor));
    Pixel dcBkPixel = pixelFromColor(resolveColor(dc, dc->st.bkColor));
    {
        Canvas canvas(*dc);
        canvas.forRect(dr, [&](int px, int py, Pixel dst) -> std::optional<Pixel> {
            std::size_t k = static_cast<std::size_t>(py - dr.top) * list->cx + (px - dr.left);
            if ((fStyle & ILD_MASK) != 0) {
                return image.mask[k] != 0 ? dcBkPixel : textPixel;
            }
            Pixel out = dst;
            bool masked = hasMask && (fStyle & ILD_IMAGE) == 0 && image.mask[k] != 0;
            if (!masked) {
                out = rgbOf(image.color[k]);
                if (blend != 0) {
                    out = mix(out, fgPixel, blend);
                }
            } else if (!transparent) {
                out = bkPixel;
            }
            if (hasOverlay && over.mask[k] == 0) {
                out = rgbOf(over.color[k]);
            }
            return out;
        });
    }
    if (recorded(*dc)) {
        DrawingEntry e;
        e.kind = DrawingKind::ImageListDraw;
        e.rect = dr;
        e.imageList = himl;
        e.image = i;
        e.flags = fStyle;
        e.color = transparent ? CLR_NONE : bk;
        record(*dc, e);
    }
    return TRUE;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y,
                                          UINT fStyle) {
    return ImageList_DrawEx(himl, i, hdcDst, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, fStyle);
}
