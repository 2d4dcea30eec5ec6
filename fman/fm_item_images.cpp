#include "fm_item_images.h"

#include <algorithm>
#include <iterator>

#include "browser_resources.h"

namespace vedrix::fman {
namespace {

constexpr int kMissingFileBitmap = 126;
// The bitmaps of an original, a locked original, a variant and a locked
// variant view.
constexpr int kViewBitmaps[4] = {135, 136, 137, 134};

// Adds bitmap `id` to `images`; the index of its first image, or -1 when
// there is no such bitmap.
int addBitmap(CImageList& images, int id) {
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(id)) {
        return kImageSlotNone;
    }
    return images.Add(&bitmap, vedrix::browser::kTransparentColor);
}

}  // namespace

CImageList* createFmItemImages(int (&slots)[kFmImageSlotCount], ViewImages& views) {
    std::fill(std::begin(slots), std::end(slots), kImageSlotNone);
    auto* images = new CImageList;
    images->Create(24, 24, ILC_MASK, kFmImageSlotCount, 100);
    const int first = addBitmap(*images, vedrix::browser::kItemImagesBitmap);
    if (first != kImageSlotNone) {
        constexpr int kFile = TBItemData::kDrawingFile;
        for (const int slot : {0, kFile, int{kImageSlotChecked}, kImageSlotChecked + kFile}) {
            slots[slot] = first + slot;
        }
    }
    slots[kImageSlotFileMissing] = addBitmap(*images, kMissingFileBitmap);
    for (int kind = 0; kind < 4; ++kind) {
        slots[kFmSlotOriginalView + kind] = addBitmap(*images, kViewBitmaps[kind]);
        views.image[kind] = slots[kFmSlotOriginalView + kind];
    }
    slots[TBItemData::kView] = slots[kFmSlotOriginalView];
    return images;
}

}  // namespace vedrix::fman
