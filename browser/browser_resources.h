// What the browsers take from the language library besides their templates:
// the item images every browser shows, and texts by number.
#pragma once

#include <vedrix/framework/ui.h>

namespace vedrix::browser {

// The bitmap of the item images (24 x 24 each, in slot order) and the colour
// that is transparent in it.
inline constexpr int kItemImagesBitmap = 108;
inline constexpr COLORREF kTransparentColor = RGB(255, 255, 255);

// Text `textId` of the language library; empty when it has none.
CString loadedText(UINT textId);

// Text `textId` with its one "%s" replaced by `argument` and "%%" by "%".
// The text comes from outside the module, so it is never handed to a
// formatting function: any other directive in it stays as it is.
CString textWithArgument(UINT textId, const CString& argument);

}  // namespace vedrix::browser
