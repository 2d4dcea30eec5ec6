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
// Tab stops are the visible, enabled controls with WS_TABSTOP, whatever their
// class (a label given WS_TABSTOP takes the focus too), in z-order; controls
// of a child with WS_EX_CONTROLPARENT count as the dialog's own. Searching
// from no control (or from the dialog itself) finds the first tab stop
// forwards and nothing backwards. A control that gets the focus from the
// dialog manager (Tab, Shift+Tab, arrows, WM_NEXTDLGCTL) and answers
// DLGC_HASSETSEL has all its text selected; so has the edit field that a
// combo box passes the focus on to.
// A group starts at a control with WS_GROUP and runs to the next one; the
// groups go round, so the controls before the first WS_GROUP belong to the
// last group. Searching a group from no control finds the first visible,
// enabled control forwards and nothing backwards.
#include "dialog/dialog.h"

#include "user/window_manager.h"

#include <algorithm>
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

bool isTabStop(HWND c) {
    return usable(c) && (GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP);
}

bool startsGroup(HWND c) {
    return (GetWindowLongA(c, GWL_STYLE) & WS_GROUP) != 0;
}

// The position of hCtl (or of the control that holds it, for a window inside
// a control such as a combo box's edit field) among the dialog's controls;
// -1 for none.
long positionOf(const std::vector<HWND>& all, HWND dialog, HWND hCtl) {
    for (HWND w = hCtl; w && w != dialog; w = GetParent(w)) {
        for (size_t i = 0; i < all.size(); ++i) {
            if (all[i] == w) {
                return static_cast<long>(i);
            }
        }
    }
    return -1;
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
    long start = positionOf(all, hDlg, hCtl);
    if (start < 0) {
        if (bPrevious && (!hCtl || hCtl == hDlg)) {
            return nullptr;
        }
        start = bPrevious ? 0 : n - 1;
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
    auto n = static_cast<long>(all.size());
    long pos = positionOf(all, hDlg, hCtl);
    if (pos < 0) {
        if (bPrevious) {
            return nullptr;
        }
        for (HWND c : all) {
            if (usable(c)) {
                return c;
            }
        }
        return nullptr;
    }
    // A group runs from a control with WS_GROUP to the next one, round the
    // end of the controls; without any WS_GROUP all the controls are one.
    auto at = [&](long i) { return all[static_cast<size_t>(((i % n) + n) % n)]; };
    long first = 0;
    long last = n - 1;
    if (std::any_of(all.begin(), all.end(), startsGroup)) {
        first = pos;
        while (!startsGroup(at(first))) {
            --first;
        }
        last = first;
        while (last + 1 < first + n && !startsGroup(at(last + 1))) {
            ++last;
        }
    }
    long count = last - first + 1;
    long offset = ((pos - first) % n + n) % n;
    for (long step = 1; step < count; ++step) {
        long i = bPrevious ? (offset + count - step) % count : (offset + step) % count;
        HWND c = at(first + i);
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

// Leading blanks are skipped; then an optional '-' (signed only) and the
// decimal digits, up to the end of the text or the first other character.
// No digits, or a value out of range, fails (0, *lpTranslated FALSE).
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
    if (!digits) {
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
