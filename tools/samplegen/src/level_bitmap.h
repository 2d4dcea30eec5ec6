// Level bitmaps: small 24-bit device-independent bitmap files, a coloured
// figure on white (white is transparent in the level images).
#pragma once

#include <string>

namespace vedrix::samplegen {

inline constexpr int kLevelBitmapSize = 24;

// The bytes of a BMP file of kLevelBitmapSize square with a figure in
// `colour` (0xRRGGBB); `shape` 0 is a house, 1 a floor slab, 2 a quarter
// block, anything else a frame.
std::string LevelBitmap(unsigned int colour, int shape);

}  // namespace vedrix::samplegen
