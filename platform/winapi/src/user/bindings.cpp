// Calls from the window manager into the kernel and GDI parts of the library.
//
// The areas are built by different hands and may be missing for a while; the
// window manager binds their functions weakly so that it links and runs
// without them (no last error is kept, nothing is painted) and uses them as
// soon as they are part of the library.
#include "user/window_manager.h"

#pragma weak SetLastError
#pragma weak GetDC
#pragma weak ReleaseDC
#pragma weak FillRect
#pragma weak SetTextColor
#pragma weak SetBkColor
#pragma weak CreateSolidBrush
#pragma weak CreateFontA
#pragma weak DeleteObject
#pragma weak BeginPaint
#pragma weak EndPaint

namespace vedrix::winapi {

namespace {
// Reads a weak symbol's address without letting the compiler assume it is set.
template <typename F>
F* bound(F* f) {
    F* volatile p = f;
    return p;
}
}  // namespace

void setLastError(DWORD code) {
    if (auto f = bound(&SetLastError)) {
        f(code);
    }
}

namespace gdi {

HDC getDC(HWND hwnd) {
    auto f = bound(&GetDC);
    return f ? f(hwnd) : nullptr;
}

void releaseDC(HWND hwnd, HDC dc) {
    if (auto f = bound(&ReleaseDC); f && dc) {
        f(hwnd, dc);
    }
}

int fillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    auto f = bound(&FillRect);
    return f && dc ? f(dc, rect, brush) : 0;
}

COLORREF setTextColor(HDC dc, COLORREF color) {
    auto f = bound(&SetTextColor);
    return f && dc ? f(dc, color) : CLR_INVALID;
}

COLORREF setBkColor(HDC dc, COLORREF color) {
    auto f = bound(&SetBkColor);
    return f && dc ? f(dc, color) : CLR_INVALID;
}

HBRUSH createSolidBrush(COLORREF color) {
    auto f = bound(&CreateSolidBrush);
    return f ? f(color) : nullptr;
}

HFONT createFont(int height, int weight, const char* face) {
    auto f = bound(&CreateFontA);
    return f ? f(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face)
             : nullptr;
}

BOOL deleteObject(HGDIOBJ object) {
    auto f = bound(&DeleteObject);
    return f && object ? f(object) : FALSE;
}

HDC beginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    auto f = bound(&BeginPaint);
    return f ? f(hwnd, ps) : nullptr;
}

BOOL endPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    auto f = bound(&EndPaint);
    return f ? f(hwnd, ps) : FALSE;
}

}  // namespace gdi
}  // namespace vedrix::winapi
