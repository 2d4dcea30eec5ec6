// The "Static" window class: text (SS_LEFT, SS_CENTER, SS_RIGHT, SS_SIMPLE,
// SS_LEFTNOWORDWRAP), images (SS_BITMAP, SS_ICON with STM_SETIMAGE,
// STM_SETICON), rectangles, frames and etched lines, owner-drawn.
//
// Without SS_NOTIFY a static control is transparent to the mouse
// (HTTRANSPARENT). With it, a left click (press and release inside) sends
// STN_CLICKED, a double click STN_DBLCLK, and enabling or disabling sends
// STN_ENABLE/STN_DISABLE.
//
// An image control created from a template loads its image from the creating
// module by the window text ("#123" or a name). Setting an image resizes the
// control to the image unless SS_CENTERIMAGE or SS_REALSIZECONTROL is set.
#include "controls/basic/control_util.h"

#include <cstdlib>

namespace {

using namespace vedrix::controls;

struct StaticState {
    HANDLE image = nullptr;
    UINT imageType = IMAGE_BITMAP;
    HFONT font = nullptr;
    bool pressed = false;
};

InstanceTable<StaticState> g_statics;

UINT staticType(HWND hwnd) {
    return windowStyle(hwnd) & SS_TYPEMASK;
}

bool isImageType(UINT type) {
    return type == SS_BITMAP || type == SS_ICON;
}

bool isEnabled(HWND hwnd) {
    return (windowStyle(hwnd) & WS_DISABLED) == 0;
}

// Sets the control's image and returns the previous one.
HANDLE setImage(HWND hwnd, StaticState* state, HANDLE image, UINT type) {
    HANDLE previous = state->image;
    state->image = image;
    state->imageType = type;
    DWORD style = windowStyle(hwnd);
    if (image != nullptr && isImageType(style & SS_TYPEMASK) &&
        (style & (SS_CENTERIMAGE | SS_REALSIZECONTROL)) == 0) {
        SIZE size = imageSize(image, type);
        SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return previous;
}

// The resource name a template gives an image control: "#n" or a plain
// number is a numeric identifier.
LPCSTR resourceName(const char* text, std::string& storage) {
    storage = text;
    const char* digits = text[0] == '#' ? text + 1 : text;
    if (digits[0] >= '0' && digits[0] <= '9') {
        char* end = nullptr;
        unsigned long id = std::strtoul(digits, &end, 10);
        if (end != nullptr && *end == '\0' && id <= 0xFFFF) {
            return MAKEINTRESOURCEA(id);
        }
    }
    return storage.c_str();
}

void loadTemplateImage(HWND hwnd, StaticState* state, const CREATESTRUCTA* cs) {
    UINT type = cs->style & SS_TYPEMASK;
    if (!isImageType(type) || cs->lpszName == nullptr || IS_INTRESOURCE(cs->lpszName) ||
        cs->lpszName[0] == '\0') {
        return;
    }
    std::string storage;
    LPCSTR name = resourceName(cs->lpszName, storage);
    HANDLE image = nullptr;
    if (type == SS_BITMAP) {
        image = LoadBitmapA(cs->hInstance, name);
        if (image != nullptr) {
            setImage(hwnd, state, image, IMAGE_BITMAP);
        }
    } else {
        image = LoadIconA(cs->hInstance, name);
        if (image != nullptr) {
            setImage(hwnd, state, image, IMAGE_ICON);
        }
    }
}

UINT textFormat(DWORD style) {
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            format |= DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
            format |= DT_LEFT | DT_SINGLELINE;
            break;
        case SS_LEFTNOWORDWRAP:
            format |= DT_LEFT;
            break;
        default:
            format |= DT_LEFT | DT_WORDBREAK;
            break;
    }
    if ((style & SS_NOPREFIX) != 0) {
        format |= DT_NOPREFIX;
    }
    if ((style & SS_CENTERIMAGE) != 0) {
        format = (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
    }
    switch (style & SS_ELLIPSISMASK) {
        case SS_ENDELLIPSIS:
            format |= DT_END_ELLIPSIS;
            break;
        case SS_PATHELLIPSIS:
            format |= DT_PATH_ELLIPSIS;
            break;
        case SS_WORDELLIPSIS:
            format |= DT_WORD_ELLIPSIS;
            break;
        default:
            break;
    }
    return format;
}

void paintImage(HWND hwnd, StaticState* state, HDC dc, RECT rc) {
    FillRect(dc, &rc, controlBrush(hwnd, dc, WM_CTLCOLORSTATIC, COLOR_BTNFACE));
    if (state->image == nullptr) {
        return;
    }
    SIZE size = imageSize(state->image, state->imageType);
    int x = rc.left;
    int y = rc.top;
    DWORD style = windowStyle(hwnd);
    if ((style & SS_CENTERIMAGE) != 0) {
        x = rc.left + (rc.right - rc.left - size.cx) / 2;
        y = rc.top + (rc.bottom - rc.top - size.cy) / 2;
    } else if ((style & SS_RIGHTJUST) != 0) {
        x = rc.right - size.cx;
        y = rc.bottom - size.cy;
    }
    drawImage(dc, state->image, state->imageType, x, y);
}

void paint(HWND hwnd, StaticState* state, HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    DWORD style = windowStyle(hwnd);
    UINT type = style & SS_TYPEMASK;
    HGDIOBJ oldFont = state->font != nullptr ? SelectObject(dc, state->font) : nullptr;
    switch (type) {
        case SS_BLACKRECT:
            FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
            break;
        case SS_GRAYRECT:
            FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNSHADOW));
            break;
        case SS_WHITERECT:
            FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
            break;
        case SS_BLACKFRAME:
            FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
            break;
        case SS_GRAYFRAME:
            FrameRect(dc, &rc, GetSysColorBrush(COLOR_BTNSHADOW));
            break;
        case SS_WHITEFRAME:
            FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
            break;
        case SS_ETCHEDHORZ:
            DrawEdge(dc, &rc, EDGE_ETCHED, BF_TOP);
            break;
        case SS_ETCHEDVERT:
            DrawEdge(dc, &rc, EDGE_ETCHED, BF_LEFT);
            break;
        case SS_ETCHEDFRAME:
            DrawEdge(dc, &rc, EDGE_ETCHED, BF_RECT);
            break;
        case SS_BITMAP:
        case SS_ICON:
            paintImage(hwnd, state, dc, rc);
            break;
        case SS_OWNERDRAW: {
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_STATIC;
            dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
            dis.itemAction = ODA_DRAWENTIRE;
            dis.itemState = isEnabled(hwnd) ? 0 : ODS_DISABLED;
            dis.hwndItem = hwnd;
            dis.hDC = dc;
            dis.rcItem = rc;
            HWND parent = GetParent(hwnd);
            if (parent != nullptr) {
                SendMessageA(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
            }
            break;
        }
        default: {
            HBRUSH brush = controlBrush(hwnd, dc, WM_CTLCOLORSTATIC, COLOR_BTNFACE);
            FillRect(dc, &rc, brush);
            std::string text = windowText(hwnd);
            if (!text.empty()) {
                SetBkMode(dc, TRANSPARENT);
                SetTextColor(dc, GetSysColor(isEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
                DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc, textFormat(style));
            }
            break;
        }
    }
    if ((style & SS_SUNKEN) != 0) {
        GetClientRect(hwnd, &rc);
        DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
    }
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
}

LRESULT CALLBACK staticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        g_statics.create(hwnd);
        // Image controls keep their resource name to themselves; the window
        // text of an SS_BITMAP/SS_ICON control stays empty.
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (cs != nullptr && isImageType(cs->style & SS_TYPEMASK)) {
            CREATESTRUCTA copy = *cs;
            copy.lpszName = nullptr;
            return DefWindowProcA(hwnd, message, wParam, reinterpret_cast<LPARAM>(&copy));
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    StaticState* state = g_statics.find(hwnd);
    if (state == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_CREATE:
            loadTemplateImage(hwnd, state, reinterpret_cast<const CREATESTRUCTA*>(lParam));
            return 0;

        case WM_NCDESTROY:
            g_statics.erase(hwnd);
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_NCHITTEST:
            if ((windowStyle(hwnd) & SS_NOTIFY) == 0) {
                return HTTRANSPARENT;
            }
            return HTCLIENT;

        case WM_GETDLGCODE:
            return DLGC_STATIC;

        case WM_LBUTTONDOWN:
            if ((windowStyle(hwnd) & SS_NOTIFY) != 0) {
                state->pressed = true;
                SetCapture(hwnd);
            }
            return 0;

        case WM_LBUTTONUP:
            if (state->pressed) {
                state->pressed = false;
                if (GetCapture() == hwnd) {
                    ReleaseCapture();
                }
                RECT rc;
                GetClientRect(hwnd, &rc);
                if (PtInRect(&rc, pointFromLParam(lParam))) {
                    notifyParent(hwnd, STN_CLICKED);
                }
            }
            return 0;

        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) {
                state->pressed = false;
            }
            return 0;

        case WM_LBUTTONDBLCLK:
            if ((windowStyle(hwnd) & SS_NOTIFY) != 0) {
                notifyParent(hwnd, STN_DBLCLK);
            }
            return 0;

        case WM_ENABLE:
            if ((windowStyle(hwnd) & SS_NOTIFY) != 0) {
                notifyParent(hwnd, wParam != 0 ? STN_ENABLE : STN_DISABLE);
            }
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;

        case WM_SETTEXT: {
            if (isImageType(staticType(hwnd))) {
                // The text of an image control names a resource to load.
                const char* text = reinterpret_cast<const char*>(lParam);
                if (text != nullptr && !IS_INTRESOURCE(text) && text[0] != '\0') {
                    std::string storage;
                    LPCSTR name = resourceName(text, storage);
                    auto instance =
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
                    if (staticType(hwnd) == SS_BITMAP) {
                        HBITMAP bitmap = LoadBitmapA(instance, name);
                        if (bitmap != nullptr) {
                            setImage(hwnd, state, bitmap, IMAGE_BITMAP);
                        }
                    } else {
                        HICON icon = LoadIconA(instance, name);
                        if (icon != nullptr) {
                            setImage(hwnd, state, icon, IMAGE_ICON);
                        }
                    }
                }
                return TRUE;
            }
            LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }

        case WM_SETFONT:
            state->font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam) != 0) {
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;

        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state->font);

        case WM_ERASEBKGND:
            return 1;

        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc != nullptr) {
                paint(hwnd, state, dc);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }

        case WM_PRINTCLIENT:
            paint(hwnd, state, reinterpret_cast<HDC>(wParam));
            return 0;

        case STM_SETIMAGE:
            if (wParam != IMAGE_BITMAP && wParam != IMAGE_ICON && wParam != IMAGE_CURSOR &&
                wParam != IMAGE_ENHMETAFILE) {
                return 0;
            }
            return reinterpret_cast<LRESULT>(
                setImage(hwnd, state, reinterpret_cast<HANDLE>(lParam), static_cast<UINT>(wParam)));

        case STM_GETIMAGE:
            if (state->image != nullptr && state->imageType == wParam) {
                return reinterpret_cast<LRESULT>(state->image);
            }
            return 0;

        case STM_SETICON:
            return reinterpret_cast<LRESULT>(
                setImage(hwnd, state, reinterpret_cast<HANDLE>(wParam), IMAGE_ICON));

        case STM_GETICON:
            return state->imageType == IMAGE_ICON || state->imageType == IMAGE_CURSOR
                       ? reinterpret_cast<LRESULT>(state->image)
                       : 0;

        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

struct Registration {
    Registration() { registerControlClass(WC_STATICA, staticProc, CS_DBLCLKS | CS_PARENTDC); }
} g_registration;

}  // namespace
