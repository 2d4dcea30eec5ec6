// Icons and cursors made from bitmaps, for the image lists of the gdi area
// and for other areas (a cursor loaded from a module is an icon object whose
// fIcon is FALSE; the window manager may ask whether a handle is one).
#pragma once

#include <windows.h>

#include "gdi/pixels.h"

#include <cstdint>
#include <vector>

namespace vedrix::winapi::gdi {

// The pixels of an icon: colour (black where transparent) and mask
// (1 = transparent), both width * height, top-down.
struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<Pixel> color;
    std::vector<std::uint8_t> mask;
};

// Makes an icon (or cursor) from pixels. Shared icons (LoadIcon, LR_SHARED)
// are never destroyed and are not counted by iconCount().
HICON createIcon(const IconImage& image, bool isIcon, POINT hotspot, bool shared);
bool iconImage(HICON icon, IconImage& out);
bool isIcon(HICON icon);

// Nearest-neighbour scaling of a pixel block.
template <class T>
std::vector<T> scalePixels(const std::vector<T>& src, int sw, int sh, int dw, int dh) {
    std::vector<T> out(static_cast<std::size_t>(dw) * dh);
    for (int y = 0; y < dh; ++y) {
        for (int x = 0; x < dw; ++x) {
            out[static_cast<std::size_t>(y) * dw + x] =
                src[static_cast<std::size_t>(y * sh / dh) * sw + x * sw / dw];
        }
    }
    return out;
}

}  // namespace vedrix::winapi::gdi
