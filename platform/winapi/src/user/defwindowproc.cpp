// DefWindowProcA: what a window does with a message its procedure leaves to
// the system.
//
// WM_SETFONT and WM_GETFONT are left alone, as the platform's default
// procedure leaves them: a window keeps a font only when its own procedure
// does (the controls do), and otherwise answers WM_GETFONT with null, the
// system font.
#include "user/window_manager.h"

#include <algorithm>
#include <cstring>

namespace vedrix::winapi {
namespace {

constexpr UINT kNoClientSize = 0x0800;
constexpr UINT kNoClientMove = 0x1000;

bool isChild(const Window* w) {
    return (w->style & WS_CHILD) && w->parent && w->parent != desktopWindow();
}

HWND parentOf(const Window* w) {
    return isChild(w) ? w->parent->handle : nullptr;
}

void contextMenuFromKeyboard(HWND hwnd) {
    sendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(-1, -1));
}

LRESULT ctlColor(UINT msg, HDC dc) {
    bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    gdi::setTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    gdi::setBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_3DFACE));
    if (msg == WM_CTLCOLORSCROLLBAR) {
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
    }
    return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_3DFACE));
}

}  // namespace
}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    WindowRef w = windowRef(hWnd);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (Msg) {
        case WM_NCCREATE: {
            auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
            if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName) &&
                static_cast<unsigned char>(cs->lpszName[0]) != 0xFF) {
                w->text = cs->lpszName;
            }
            return TRUE;
        }
        case WM_NCCALCSIZE:
        case WM_CREATE:
        case WM_DESTROY:
        case WM_NCDESTROY:
            return 0;
        case WM_NCACTIVATE:
            return TRUE;
        case WM_SETTEXT:
            w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
            return TRUE;
        case WM_GETTEXT: {
            auto* buf = reinterpret_cast<char*>(lParam);
            if (!buf || wParam == 0) {
                return 0;
            }
            size_t n = std::min(w->text.size(), static_cast<size_t>(wParam - 1));
            std::memcpy(buf, w->text.data(), n);
            buf[n] = '\0';
            return static_cast<LRESULT>(n);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(w->text.size());
        case WM_SETICON: {
            HICON icon = reinterpret_cast<HICON>(lParam);
            HICON old;
            if (wParam == ICON_BIG) {
                old = w->iconBig;
                w->iconBig = icon;
            } else {
                old = w->iconSmall;
                w->iconSmall = icon;
            }
            return reinterpret_cast<LRESULT>(old);
        }
        case WM_GETICON:
            if (wParam == ICON_BIG) {
                return reinterpret_cast<LRESULT>(w->iconBig);
            }
            if (wParam == ICON_SMALL2) {
                return reinterpret_cast<LRESULT>(w->iconSmall ? w->iconSmall : w->iconBig);
            }
            return reinterpret_cast<LRESULT>(w->iconSmall);
        case WM_CLOSE:
            DestroyWindow(hWnd);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                sendMessage(hWnd, WM_CLOSE, 0, 0);
            } else if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                ShowWindow(hWnd, SW_MINIMIZE);
            } else if ((wParam & 0xFFF0) == SC_MAXIMIZE) {
                ShowWindow(hWnd, SW_MAXIMIZE);
            } else if ((wParam & 0xFFF0) == SC_RESTORE) {
                ShowWindow(hWnd, SW_RESTORE);
            }
            return 0;
        case WM_NCHITTEST: {
            RECT r;
            GetWindowRect(hWnd, &r);
            POINT p{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
            return PtInRect(&r, p) ? HTCLIENT : HTNOWHERE;
        }
        case WM_SETCURSOR: {
            if (HWND parent = parentOf(w.get())) {
                if (sendMessage(parent, WM_SETCURSOR, wParam, lParam)) {
                    return TRUE;
                }
            }
            // A parent asked on behalf of a child leaves the cursor to the child.
            if (reinterpret_cast<HWND>(wParam) != hWnd) {
                return FALSE;
            }
            SHORT hit = static_cast<SHORT>(LOWORD(lParam));
            UINT mouse = HIWORD(lParam);
            if (hit == HTERROR) {
                if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN) {
                    MessageBeep(0);
                }
                return FALSE;
            }
            if (hit == HTCLIENT) {
                if (!w->cls->cursor) {
                    return FALSE;
                }
                SetCursor(w->cls->cursor);
                return TRUE;
            }
            SetCursor(LoadCursorA(nullptr, IDC_ARROW));
            return TRUE;
        }
        case WM_MOUSEACTIVATE:
            if (HWND parent = parentOf(w.get())) {
                if (LRESULT r = sendMessage(parent, WM_MOUSEACTIVATE, wParam, lParam)) {
                    return r;
                }
            }
            return MA_ACTIVATE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
                SetFocus(hWnd);
            }
            return 0;
        case WM_RBUTTONUP: {
            POINT p{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
            ClientToScreen(hWnd, &p);
            sendMessage(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(p.x, p.y));
            return 0;
        }
        case WM_NCRBUTTONUP:
            sendMessage(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), lParam);
            return 0;
        case WM_CONTEXTMENU:
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
            if (HWND parent = parentOf(w.get())) {
                return sendMessage(parent, Msg, wParam, lParam);
            }
            return 0;
        case WM_HELP:
            if (HWND parent = parentOf(w.get())) {
                return sendMessage(parent, WM_HELP, wParam, lParam);
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_F1 && !(GetKeyState(VK_SHIFT) & 0x8000) &&
                !(GetKeyState(VK_CONTROL) & 0x8000)) {
                HELPINFO hi{};
                hi.cbSize = sizeof(hi);
                hi.iContextType = HELPINFO_WINDOW;
                hi.iCtrlId = static_cast<int>((w->style & WS_CHILD) ? w->id : 0);
                hi.hItemHandle = hWnd;
                hi.dwContextId = w->helpId;
                GetCursorPos(&hi.MousePos);
                sendMessage(hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&hi));
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_APPS) {
                contextMenuFromKeyboard(hWnd);
            }
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (HIWORD(lParam) & KF_ALTDOWN)) {
                HWND root = GetAncestor(hWnd, GA_ROOT);
                if (root) {
                    sendMessage(root, WM_SYSCOMMAND, SC_CLOSE, 0);
                }
            } else if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000)) {
                contextMenuFromKeyboard(hWnd);
            }
            return 0;
        case WM_CANCELMODE:
            if (GetCapture() == hWnd) {
                ReleaseCapture();
            }
            return 0;
        case WM_WINDOWPOSCHANGED: {
            auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!wp) {
                return 0;
            }
            if (!(wp->flags & kNoClientSize) && !(wp->flags & SWP_NOSIZE)) {
                WPARAM kind = (w->style & WS_MAXIMIZE)   ? SIZE_MAXIMIZED
                              : (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED
                                                         : SIZE_RESTORED;
                sendMessage(hWnd, WM_SIZE, kind, MAKELPARAM(wp->cx, wp->cy));
            }
            if (!(wp->flags & kNoClientMove) && !(wp->flags & SWP_NOMOVE) && findWindow(hWnd)) {
                sendMessage(hWnd, WM_MOVE, 0, MAKELPARAM(wp->x, wp->y));
            }
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            if (gdi::beginPaint(hWnd, &ps)) {
                gdi::endPaint(hWnd, &ps);
            } else {
                ValidateRect(hWnd, nullptr);
            }
            return 0;
        }
        case WM_ERASEBKGND: {
            HBRUSH brush = w->cls->background;
            HDC dc = reinterpret_cast<HDC>(wParam);
            if (!brush || !dc) {
                return 0;
            }
            RECT r;
            GetClientRect(hWnd, &r);
            gdi::fillRect(dc, &r, brush);
            return 1;
        }
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return ctlColor(Msg, reinterpret_cast<HDC>(wParam));
        case WM_SETREDRAW:
            w->noRedraw = !wParam;
            return 0;
        case WM_NOTIFYFORMAT:
            return lParam == NF_QUERY ? NFR_ANSI : 0;
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
            return -1;
        case WM_QUERYENDSESSION:
        case WM_QUERYOPEN:
            return TRUE;
        case WM_QUERYUISTATE:
            return 0;
        default:
            return 0;
    }
}
