// Keyboard handling of dialogs (IsDialogMessageA), tab and group navigation,
// and the functions that address dialog controls by identifier.
//
// IsDialogMessageA takes every message for the dialog or its descendants. For
// a key press it first asks the focus window with WM_GETDLGCODE; a control
// that answers DLGC_WANTALLKEYS (DLGC_WANTMESSAGE) gets the key as it is (an
// edit control that takes Enter, a tree view's label edit). Otherwise: Tab
// and Shift+Tab move the focus among the tab stops (unless DLGC_WANTTAB);
// arrow keys move within the group (unless DLGC_WANTARROWS); Enter sends
// WM_COMMAND (BN_CLICKED) for the focused push button, else for the default
// button (DM_GETDEFID), else for IDOK; Escape sends WM_COMMAND IDCANCEL. A
// disabled target button makes it beep instead. Everything else is translated
// and dispatched. Mnemonics (Alt+letter) are not handled.
//
// Tab stops are the visible, enabled controls with WS_TABSTOP that do not
// answer DLGC_STATIC, in z-order; controls of a child with
// WS_EX_CONTROLPARENT count as the dialog's own. A control that gets the
// focus from the dialog manager (Tab, Shift+Tab, arrows, WM_NEXTDLGCTL) and
// answers DLGC_HASSETSEL has all its text selected; so has the edit field
// that a combo box passes the focus on to.
// A group starts at a control with WS_GROUP and runs to the next one.
#include "dialog/dialog.h"

#include "user/window_manager.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vedrix::winapi {
namespace {

void collectControls(HWND parent, std::vector<HWND>* out, int depth) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        LONG ex = GetWindowLongA(c, GWL_EXSTYLE);
        if ((ex & WS_EX_CONTROLPARENT) && depth < 16 && GetWindow(c, GW_CHILD)) {
            collectControls(c, out, depth + 1);
        } else {
            out->push_back(c);
        }
    }
}

std::vector<HWND> controlsOf(HWND dialog) {
    std::vector<HWND> out;
    collectControls(dialog, &out, 0);
    return out;
}

bool usable(HWND c) {
    LONG style = GetWindowLongA(c, GWL_STYLE);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// A control that says DLGC_STATIC (a label) never takes the focus from Tab,
// even with WS_TABSTOP.
bool isTabStop(HWND c) {
    return usable(c) && (GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP) &&
           !(SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_STATIC);
}

LRESULT codeOf(HWND c, const MSG* msg) {
    return SendMessageA(c, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg));
}

void sendCommand(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control && !IsWindowEnabled(control)) {
        MessageBeep(0);
        return;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

}  // namespace
}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" {

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg)) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    std::vector<HWND> all = controlsOf(hDlg);
    if (all.empty()) {
        return nullptr;
    }
    auto n = static_cast<long>(all.size());
    long start = -1;
    // A window inside a control (a combo box's edit field) stands for that
    // control.
    for (HWND w = hCtl; w && w != hDlg && start < 0; w = GetParent(w)) {
        for (long i = 0; i < n; ++i) {
            if (all[static_cast<size_t>(i)] == w) {
                start = i;
            }
        }
    }
    if (start < 0) {
        start = bPrevious ? 0 : n - 1;
        if (!hCtl && !bPrevious) {
            start = n - 1;
        }
    }
    for (long step = 1; step <= n; ++step) {
        long i = bPrevious ? (start - step + n * 2) % n : (start + step) % n;
        HWND c = all[static_cast<size_t>(i)];
        if (isTabStop(c)) {
            return c;
        }
    }
    return hCtl;
}

HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg)) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    std::vector<HWND> all = controlsOf(hDlg);
    size_t pos = all.size();
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i] == hCtl) {
            pos = i;
        }
    }
    if (pos == all.size()) {
        return GetNextDlgTabItem(hDlg, nullptr, bPrevious);
    }
    size_t first = pos;
    while (first > 0 && !(GetWindowLongA(all[first], GWL_STYLE) & WS_GROUP)) {
        --first;
    }
    size_t last = pos;
    while (last + 1 < all.size() && !(GetWindowLongA(all[last + 1], GWL_STYLE) & WS_GROUP)) {
        ++last;
    }
    size_t count = last - first + 1;
    for (size_t step = 1; step < count; ++step) {
        size_t offset = pos - first;
        size_t i = bPrevious ? (offset + count - step) % count : (offset + step) % count;
        HWND c = all[first + i];
        if (usable(c)) {
            return c;
        }
    }
    return hCtl;
}

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg) {
    if (!lpMsg || !IsWindow(hDlg)) {
        return FALSE;
    }
    HWND target = lpMsg->hwnd;
    if (!target || (target != hDlg && !IsChild(hDlg, target))) {
        return FALSE;
    }
    switch (lpMsg->message) {
        case WM_KEYDOWN: {
            LRESULT code = codeOf(target, lpMsg);
            if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) {
                break;
            }
            switch (lpMsg->wParam) {
                case VK_TAB: {
                    if (code & DLGC_WANTTAB) {
                        break;
                    }
                    bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
                    HWND from = GetFocus();
                    if (from && !IsChild(hDlg, from)) {
                        from = nullptr;
                    }
                    HWND next = GetNextDlgTabItem(hDlg, from, back);
                    if (next && next != from) {
                        focusDialogControl(hDlg, next);
                    }
                    return TRUE;
                }
                case VK_LEFT:
                case VK_UP:
                case VK_RIGHT:
                case VK_DOWN: {
                    if (code & DLGC_WANTARROWS) {
                        break;
                    }
                    bool back = lpMsg->wParam == VK_LEFT || lpMsg->wParam == VK_UP;
                    HWND next = target == hDlg ? nullptr : GetNextDlgGroupItem(hDlg, target, back);
                    if (next && next != target) {
                        focusDialogControl(hDlg, next);
                    }
                    return TRUE;
                }
                case VK_RETURN:
                case VK_EXECUTE: {
                    HWND focus = GetFocus();
                    int id;
                    if (focus && IsChild(hDlg, focus) &&
                        (codeOf(focus, nullptr) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
                        id = GetDlgCtrlID(focus);
                    } else {
                        LRESULT def = SendMessageA(hDlg, DM_GETDEFID, 0, 0);
                        id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
                    }
                    sendCommand(hDlg, id);
                    return TRUE;
                }
                case VK_ESCAPE:
                case VK_CANCEL:
                    sendCommand(hDlg, IDCANCEL);
                    return TRUE;
                default:
                    break;
            }
            break;
        }
        case WM_CHAR: {
            LRESULT code = codeOf(target, lpMsg);
            if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) {
                break;
            }
            if (lpMsg->wParam == '\t' && !(code & DLGC_WANTTAB)) {
                return TRUE;
            }
            break;
        }
        default:
            break;
    }
    TranslateMessage(lpMsg);
    DispatchMessageA(lpMsg);
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
    if (!IsWindow(hDlg)) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    for (HWND c = GetWindow(hDlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(c) == static_cast<int>(static_cast<WORD>(nIDDlgItem)) ||
            GetDlgCtrlID(c) == nIDDlgItem) {
            return c;
        }
    }
    setLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                   LPARAM lParam) {
    HWND c = GetDlgItem(hDlg, nIDDlgItem);
    return c ? SendMessageA(c, Msg, wParam, lParam) : 0;
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
    HWND c = GetDlgItem(hDlg, nIDDlgItem);
    return c ? SetWindowTextA(c, lpString) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
    if (!lpString || cchMax <= 0) {
        return 0;
    }
    lpString[0] = '\0';
    HWND c = GetDlgItem(hDlg, nIDDlgItem);
    return c ? static_cast<UINT>(GetWindowTextA(c, lpString, cchMax)) : 0;
}

BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned) {
    char text[16];
    if (bSigned) {
        std::snprintf(text, sizeof(text), "%d", static_cast<int>(uValue));
    } else {
        std::snprintf(text, sizeof(text), "%u", uValue);
    }
    return SetDlgItemTextA(hDlg, nIDDlgItem, text);
}

// Leading blanks are skipped; then an optional '-' (signed only), digits, and
// nothing but blanks. Anything else, no digits, or a value out of range
// fails (0, *lpTranslated FALSE).
UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned) {
    if (lpTranslated) {
        *lpTranslated = FALSE;
    }
    char text[64];
    HWND c = GetDlgItem(hDlg, nIDDlgItem);
    if (!c) {
        return 0;
    }
    GetWindowTextA(c, text, sizeof(text));
    const char* p = text;
    while (*p == ' ' || *p == '\t') {
        ++p;
    }
    bool negative = false;
    if (bSigned && *p == '-') {
        negative = true;
        ++p;
    }
    unsigned long long v = 0;
    int digits = 0;
    while (*p >= '0' && *p <= '9') {
        v = v * 10 + static_cast<unsigned>(*p - '0');
        ++digits;
        if (v > 0xFFFFFFFFull) {
            return 0;
        }
        ++p;
    }
    while (*p == ' ' || *p == '\t') {
        ++p;
    }
    if (!digits || *p) {
        return 0;
    }
    if (bSigned && (negative ? v > 0x80000000ull : v > 0x7FFFFFFFull)) {
        return 0;
    }
    if (lpTranslated) {
        *lpTranslated = TRUE;
    }
    return negative ? static_cast<UINT>(-static_cast<long long>(v)) : static_cast<UINT>(v);
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
    HWND c = GetDlgItem(hDlg, nIDButton);
    if (!c) {
        return FALSE;
    }
    SendMessageA(c, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
    return static_cast<UINT>(SendDlgItemMessageA(hDlg, nIDButton, BM_GETCHECK, 0, 0));
}

BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    if (!IsWindow(hDlg)) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id) {
        SendDlgItemMessageA(hDlg, id, BM_SETCHECK,
                            id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
    if (!lpRect || !IsWindow(hDlg)) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    lpRect->left = lpRect->left * 8 / 4;
    lpRect->right = lpRect->right * 8 / 4;
    lpRect->top = lpRect->top * 16 / 8;
    lpRect->bottom = lpRect->bottom * 16 / 8;
    return TRUE;
}

LONG WINAPI GetDialogBaseUnits(void) {
    return MAKELONG(8, 16);
}

}  // extern "C"
