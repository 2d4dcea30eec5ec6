// The item images of the facility-management dialogs' structure trees: the
// browsers' item images (root, levels, drawing files, a missing drawing file)
// extended by the four images of a view, and the slot table that maps each
// kind of item to its image.
//
// A bitmap that the language library lacks adds no image: the slots it
// would fill keep -1 (no image), and the other slots are filled as usual.
#pragma once

#include <vedrix/framework/ui.h>

#include <vedrix/model/item_data.h>

namespace vedrix::fman {

// The slots of the facility-management dialogs: those of item_data.h, then
// the four view images. A view's own slot (type 2) shows an original view.
enum : int {
    kFmSlotOriginalView = kImageSlotCount,
    kFmSlotLockedOriginalView,
    kFmSlotVariantView,
    kFmSlotLockedVariantView,
    kFmImageSlotCount,
};

// The images of a view, by kind: original, locked original, variant, locked
// variant.
struct ViewImages {
    int image[4] = {0, 0, 0, 0};
    // The image of a view that is an original or a variant, locked or not.
    int of(bool variant, bool locked) const { return image[(variant ? 2 : 0) + (locked ? 1 : 0)]; }
};

// Creates the item images (24 x 24, masked by white) from the language
// library's bitmaps and fills `slots` (every slot -1 first) and `views`.
// The caller owns the returned list.
CImageList* createFmItemImages(int (&slots)[kFmImageSlotCount], ViewImages& views);

}  // namespace vedrix::fman
