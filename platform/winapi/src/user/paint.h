// The update state of windows, for the headless GDI's BeginPaint.
#pragma once

#include <windows.h>

namespace vedrix::winapi {

// Takes a window's update region for painting: fills `update` (client
// coordinates; empty when nothing was invalid) and `erase` (whether the
// background still has to be erased, i.e. BeginPaint must send
// WM_ERASEBKGND), and validates the window. FALSE for a bad handle.
BOOL takeUpdateRegion(HWND hwnd, RECT* update, bool* erase);

}  // namespace vedrix::winapi
