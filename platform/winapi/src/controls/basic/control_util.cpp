// Shared pieces of the standard controls, and the common-controls
// initialisation entry points.
#include "controls/basic/control_util.h"

namespace vedrix::controls {

SIZE imageSize(HANDLE image, UINT type) {
    SIZE size{0, 0};
    if (image == nullptr) {
        return size;
    }
    if (type == IMAGE_BITMAP) {
        BITMAP bm{};
        if (GetObjectA(image, sizeof(bm), &bm) != 0) {
            size.cx = bm.bmWidth;
            size.cy = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
        }
        return size;
    }
    // Icons and cursors: the size of their colour bitmap, or half the mask's
    // height for a monochrome one; the system's icon size if that fails.
    ICONINFO info{};
    if (GetIconInfo(static_cast<HICON>(image), &info)) {
        BITMAP bm{};
        if (info.hbmColor != nullptr && GetObjectA(info.hbmColor, sizeof(bm), &bm) != 0) {
            size.cx = bm.bmWidth;
            size.cy = bm.bmHeight;
        } else if (info.hbmMask != nullptr && GetObjectA(info.hbmMask, sizeof(bm), &bm) != 0) {
            size.cx = bm.bmWidth;
            size.cy = bm.bmHeight / 2;
        }
        if (info.hbmColor != nullptr) {
            DeleteObject(info.hbmColor);
        }
        if (info.hbmMask != nullptr) {
            DeleteObject(info.hbmMask);
        }
    }
    if (size.cx <= 0 || size.cy <= 0) {
        size.cx = GetSystemMetrics(type == IMAGE_CURSOR ? SM_CXCURSOR : SM_CXICON);
        size.cy = GetSystemMetrics(type == IMAGE_CURSOR ? SM_CYCURSOR : SM_CYICON);
    }
    return size;
}

void drawImage(HDC dc, HANDLE image, UINT type, int x, int y) {
    if (image == nullptr) {
        return;
    }
    if (type == IMAGE_BITMAP) {
        SIZE size = imageSize(image, type);
        HDC memory = CreateCompatibleDC(dc);
        if (memory == nullptr) {
            return;
        }
        HGDIOBJ old = SelectObject(memory, image);
        BitBlt(dc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        return;
    }
    DrawIconEx(dc, x, y, static_cast<HICON>(image), 0, 0, 0, nullptr, DI_NORMAL);
}

void registerControlClass(const char* name, WNDPROC proc, UINT style, HCURSOR cursor) {
    WNDCLASSA wc{};
    wc.style = style | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.hInstance = nullptr;
    wc.hCursor = cursor;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

}  // namespace vedrix::controls

// The standard controls and the tooltip are registered when the library is
// loaded, so initialisation only has to check its arguments. Every flag that
// the platform defines is accepted.
namespace {
constexpr DWORD kKnownClasses = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES |
                                ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS |
                                ICC_HOTKEY_CLASS | ICC_ANIMATE_CLASS | ICC_WIN95_CLASSES |
                                ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES |
                                ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS |
                                ICC_NATIVEFNTCTL_CLASS | ICC_STANDARD_CLASSES | ICC_LINK_CLASS;
}  // namespace

WINCOMMCTRLAPI void WINAPI InitCommonControls(void) {}

WINCOMMCTRLAPI BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
    if (picce == nullptr || picce->dwSize != sizeof(INITCOMMONCONTROLSEX) ||
        (picce->dwICC & ~kKnownClasses) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}
