// Device contexts of windows (GetDC, GetWindowDC, GetDCEx, BeginPaint).
//
// A window's context has the window's client coordinates as device
// coordinates and clips to the client rectangle as it was when the context
// was taken (no non-client area takes space, so GetWindowDC gives the same).
// BeginPaint's context also clips to the update rectangle that the window
// manager hands over.
#include "gdi/gdi.h"
#include "user/paint.h"

#include <cstring>

using namespace vedrix::winapi::gdi;
using vedrix::headless::DrawingEntry;
using vedrix::headless::DrawingKind;

namespace vedrix::winapi::gdi {

COLORREF sysColor(int index) {
    return GetSysColor(index);
}

}  // namespace vedrix::winapi::gdi

namespace {

HDC windowContext(HWND hwnd, DcKind kind) {
    if (hwnd == nullptr) {
        HDC hdc = newDeviceContext(DcKind::Screen, nullptr, screenRect());
        dcOf(hdc)->deletable = false;
        return hdc;
    }
    RECT client;
    if (!GetClientRect(hwnd, &client)) {
        return nullptr;
    }
    HDC hdc = newDeviceContext(kind, hwnd,
                               RECT{0, 0, client.right - client.left, client.bottom - client.top});
    dcOf(hdc)->deletable = false;
    return hdc;
}

}  // namespace

WINUSERAPI HDC WINAPI GetDC(HWND hWnd) {
    return windowContext(hWnd, DcKind::Window);
}

WINUSERAPI HDC WINAPI GetWindowDC(HWND hWnd) {
    return windowContext(hWnd, DcKind::Window);
}

// DCX_INTERSECTRGN and DCX_EXCLUDERGN take hrgnClip in client coordinates;
// the context owns the region from then on and deletes it when released, as
// the platform does.
WINUSERAPI HDC WINAPI GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags) {
    HDC hdc = windowContext(hWnd, DcKind::Window);
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return nullptr;
    }
    if ((flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) != 0) {
        if (RegionObject* r = regionOf(hrgnClip)) {
            Region surface(dc->surface);
            dc->system = Region::combine(surface, r->region,
                                         (flags & DCX_INTERSECTRGN) != 0 ? RGN_AND : RGN_DIFF);
            DeleteObject(hrgnClip);
        }
    }
    return hdc;
}

WINUSERAPI int WINAPI ReleaseDC(HWND /*hWnd*/, HDC hDC) {
    DeviceContext* dc = dcOf(hDC);
    if (dc == nullptr || dc->deletable || dc->kind == DcKind::Paint) {
        return 0;
    }
    destroyDeviceContext(hDC);
    return 1;
}

WINUSERAPI HWND WINAPI WindowFromDC(HDC hDC) {
    DeviceContext* dc = dcOf(hDC);
    return dc != nullptr ? dc->window : nullptr;
}

// Takes the window's update region from the window manager (which validates
// it), records the paint, and sends WM_ERASEBKGND with the paint context when
// the background still has to be erased; fErase then tells whether the
// window procedure left it unerased.
WINUSERAPI HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    if (lpPaint == nullptr) {
        return nullptr;
    }
    RECT client;
    if (!GetClientRect(hWnd, &client)) {
        return nullptr;
    }
    RECT update{0, 0, 0, 0};
    bool erase = false;
    if (!vedrix::winapi::takeUpdateRegion(hWnd, &update, &erase)) {
        return nullptr;
    }
    RECT surface{0, 0, client.right - client.left, client.bottom - client.top};
    update = rectIntersect(update, surface);
    HDC hdc = newDeviceContext(DcKind::Paint, hWnd, surface);
    DeviceContext* dc = dcOf(hdc);
    dc->deletable = false;
    dc->system = Region(update);
    std::memset(lpPaint, 0, sizeof(PAINTSTRUCT));
    lpPaint->hdc = hdc;
    lpPaint->rcPaint = update;
    DrawingEntry e;
    e.kind = DrawingKind::BeginPaint;
    e.rect = update;
    record(*dc, e);
    if (erase) {
        LRESULT erased = SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
        lpPaint->fErase = erased == 0 ? TRUE : FALSE;
    }
    return hdc;
}

WINUSERAPI BOOL WINAPI EndPaint(HWND /*hWnd*/, const PAINTSTRUCT* lpPaint) {
    if (lpPaint == nullptr) {
        return TRUE;
    }
    DeviceContext* dc = dcOf(lpPaint->hdc);
    if (dc != nullptr && dc->kind == DcKind::Paint) {
        DrawingEntry e;
        e.kind = DrawingKind::EndPaint;
        record(*dc, e);
        destroyDeviceContext(lpPaint->hdc);
    }
    return TRUE;
}
