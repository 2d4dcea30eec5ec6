// Image lists inside the gdi area: the drag image functions build on them.
#pragma once

#include <commctrl.h>

#include "gdi/pixels.h"

#include <cstdint>
#include <vector>

namespace vedrix::winapi::gdi {

struct ImageList {
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    int count = 0;
    int capacity = 0;
    int grow = 4;
    HBITMAP image = nullptr;  // capacity images side by side
    HBITMAP mask = nullptr;   // monochrome, 1 = transparent; null without ILC_MASK
    COLORREF bk = CLR_NONE;
    int overlays[15] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};

ImageList* imageListOf(HIMAGELIST h);

// One image's pixels: colour and mask (1 = transparent; all 0 without a mask).
struct ListImage {
    int width = 0;
    int height = 0;
    std::vector<Pixel> color;
    std::vector<std::uint8_t> mask;
};
bool readListImage(HIMAGELIST h, int index, ListImage& out);
// A new list of one image (with a mask) holding `image`, of the depth of `like`.
HIMAGELIST listOfOne(const ListImage& image, UINT flags);

}  // namespace vedrix::winapi::gdi
