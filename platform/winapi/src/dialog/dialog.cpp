// The dialog manager: dialogs from templates, the default dialog procedure
// and the modal loop.
//
// Creating a dialog: the dialog window is made (class "#32770" unless the
// template names one) hidden, at the template's rectangle in dialog units
// (base units 8 x 16: each unit across is 2 pixels, each unit down 2 pixels),
// relative to the owner's client area (to the screen with DS_ABSALIGN,
// centred on the screen with DS_CENTER, on the cursor with DS_CENTERMOUSE) and
// moved to lie within the screen. A font named by the template is made and
// sent with WM_SETFONT to the dialog and each control. The controls are made
// in template order (WS_CHILD, WS_EX_NOPARENTNOTIFY added), so that the first
// is GW_CHILD and the tab order is the template order; a control that cannot
// be made fails the dialog unless DS_NOFAILCREATE. The dialog procedure then
// gets WM_INITDIALOG with the first tab stop (visible, enabled, WS_TABSTOP)
// in wParam; when it returns TRUE that control gets the focus. A modeless
// dialog with WS_VISIBLE is then shown.
//
// The default dialog procedure: the dialog procedure's non-zero answer is
// final (its value for WM_INITDIALOG, WM_CTLCOLOR*, WM_COMPAREITEM,
// WM_VKEYTOITEM, WM_CHARTOITEM and WM_QUERYDRAGICON, DWLP_MSGRESULT for all
// others); zero leaves the message to the default handling: WM_CLOSE posts
// WM_COMMAND IDCANCEL (beeps when the Cancel button is disabled), DM_GETDEFID
// gives the default push button, DM_SETDEFID changes it, WM_NEXTDLGCTL moves
// the focus, WM_GETFONT gives the template's font (null for the system font),
// the focus is saved when the dialog is deactivated and given back when it is
// activated again.
//
// The modal loop (DialogBoxParamA and friends): the owner (the top-level
// window of the window given) is disabled after the dialog was made and
// enabled again before the dialog is destroyed; <vedrix/headless/desktop.h>
// describes the modal hook and how a loop always ends. A dialog that EndDialog
// ended during WM_INITDIALOG is never shown. A WM_QUIT read by the loop ends
// it with 0 and stays in the queue. A missing template or a dialog that cannot
// be made gives -1 (GetLastError tells why).
#include "dialog/dialog.h"

#include "dialog/resources.h"
#include "dialog/template.h"
#include "user/records.h"
#include "user/window_manager.h"

#include <algorithm>
#include <map>
#include <strings.h>

namespace vedrix::winapi {

namespace {

std::map<HWND, DialogState>& dialogs() {
    static auto* m = new std::map<HWND, DialogState>;
    return *m;
}

bool hasDialogExtra(HWND hwnd) {
    return GetClassLongPtrA(hwnd, GCL_CBWNDEXTRA) >= static_cast<ULONG_PTR>(DLGWINDOWEXTRA);
}

DLGPROC procOf(HWND hwnd) {
    if (hasDialogExtra(hwnd)) {
        return reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hwnd, DWLP_DLGPROC));
    }
    DialogState* s = dialogState(hwnd);
    return s ? s->proc : nullptr;
}

void setMsgResult(HWND hwnd, LRESULT value) {
    if (hasDialogExtra(hwnd)) {
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, value);
    }
}

LRESULT msgResult(HWND hwnd) {
    return hasDialogExtra(hwnd) ? GetWindowLongPtrA(hwnd, DWLP_MSGRESULT) : 0;
}

bool isButtonClass(HWND hwnd) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    return strcasecmp(name, "Button") == 0;
}

// Whether a control is a push button that is the default (or can become it).
LRESULT dialogCode(HWND control) {
    return SendMessageA(control, WM_GETDLGCODE, 0, 0);
}

bool isDefaultPushButton(HWND control) {
    if (dialogCode(control) & DLGC_DEFPUSHBUTTON) {
        return true;
    }
    return isButtonClass(control) &&
           (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

HWND restoreFocusTarget(HWND dialog) {
    DialogState* s = dialogState(dialog);
    if (s && s->savedFocus && IsWindow(s->savedFocus) && IsChild(dialog, s->savedFocus) &&
        IsWindowEnabled(s->savedFocus)) {
        return s->savedFocus;
    }
    return GetNextDlgTabItem(dialog, nullptr, FALSE);
}

void restoreFocus(HWND dialog) {
    HWND target = restoreFocusTarget(dialog);
    if (target && target != GetFocus()) {
        focusDialogControl(dialog, target);
    }
}

LRESULT defaultDialogProcessing(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogState* s = dialogState(hDlg);
    switch (msg) {
        case WM_INITDIALOG:
            return 0;
        case WM_ERASEBKGND: {
            auto brush = reinterpret_cast<HBRUSH>(
                SendMessageA(hDlg, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hDlg)));
            HDC dc = reinterpret_cast<HDC>(wParam);
            if (brush && dc) {
                RECT r;
                GetClientRect(hDlg, &r);
                gdi::fillRect(dc, &r, brush);
            }
            return TRUE;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND f = GetFocus();
                if (s && f && IsChild(hDlg, f)) {
                    s->savedFocus = f;
                }
            } else {
                restoreFocus(hDlg);
            }
            return 0;
        case WM_SETFOCUS:
            restoreFocus(hDlg);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s ? s->font : nullptr);
        case WM_CLOSE: {
            HWND cancel = GetDlgItem(hDlg, IDCANCEL);
            if (cancel && !IsWindowEnabled(cancel)) {
                MessageBeep(0);
            } else {
                PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                             reinterpret_cast<LPARAM>(cancel));
            }
            return 0;
        }
        case DM_GETDEFID:
            if (s && s->defId) {
                return MAKELRESULT(s->defId, DC_HASDEFID);
            }
            for (HWND c = GetWindow(hDlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                if (isDefaultPushButton(c)) {
                    return MAKELRESULT(GetDlgCtrlID(c), DC_HASDEFID);
                }
            }
            return 0;
        case DM_SETDEFID: {
            WORD old = LOWORD(SendMessageA(hDlg, DM_GETDEFID, 0, 0));
            if (s) {
                s->defId = static_cast<WORD>(wParam);
            }
            HWND oldButton = old ? GetDlgItem(hDlg, old) : nullptr;
            HWND newButton = wParam ? GetDlgItem(hDlg, static_cast<int>(wParam)) : nullptr;
            if (oldButton && oldButton != newButton && isButtonClass(oldButton)) {
                SendMessageA(oldButton, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
            }
            if (newButton && isButtonClass(newButton) &&
                (GetWindowLongA(newButton, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON) {
                SendMessageA(newButton, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
            }
            return TRUE;
        }
        case DM_REPOSITION: {
            RECT r;
            GetWindowRect(hDlg, &r);
            int w = r.right - r.left;
            int h = r.bottom - r.top;
            int x = std::clamp<int>(r.left, 0, std::max(0, 1920 - w));
            int y = std::clamp<int>(r.top, 0, std::max(0, 1080 - h));
            if (x != r.left || y != r.top) {
                SetWindowPos(hDlg, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return 0;
        }
        case WM_NEXTDLGCTL: {
            HWND target;
            if (LOWORD(lParam)) {
                target = reinterpret_cast<HWND>(wParam);
            } else {
                HWND from = GetFocus();
                if (from && !IsChild(hDlg, from)) {
                    from = nullptr;
                }
                target = GetNextDlgTabItem(hDlg, from, wParam != 0);
            }
            if (target && IsChild(hDlg, target)) {
                focusDialogControl(hDlg, target);
            }
            return 0;
        }
        case WM_NCDESTROY:
            if (s) {
                if (s->ownsFont) {
                    gdi::deleteObject(s->font);
                }
                dialogs().erase(hDlg);
            }
            return DefWindowProcA(hDlg, msg, wParam, lParam);
        default:
            return DefWindowProcA(hDlg, msg, wParam, lParam);
    }
}

int scaleX(int units) {
    return units * 8 / 4;
}

int scaleY(int units) {
    return units * 16 / 8;
}

HWND createFromLayout(HINSTANCE instance, const DialogLayout& layout, HWND parent, DLGPROC proc,
                      LPARAM param, bool modal) {
    DWORD style = layout.style;
    DWORD exStyle = layout.exStyle;
    if (style & DS_MODALFRAME) {
        exStyle |= WS_EX_DLGMODALFRAME;
    }
    if (style & DS_CONTEXTHELP) {
        exStyle |= WS_EX_CONTEXTHELP;
    }
    if (style & DS_CONTROL) {
        style &= ~(WS_CAPTION | WS_SYSMENU);
        exStyle |= WS_EX_CONTROLPARENT;
    }
    int w = scaleX(layout.cx);
    int h = scaleY(layout.cy);
    int x = scaleX(layout.x);
    int y = scaleY(layout.y);
    if (!(style & WS_CHILD)) {
        if (style & DS_CENTER) {
            x = (1920 - w) / 2;
            y = (1080 - h) / 2;
        } else if (style & DS_CENTERMOUSE) {
            POINT c = cursorPos();
            x = c.x - w / 2;
            y = c.y - h / 2;
        } else if (!(style & DS_ABSALIGN) && parent) {
            POINT o{0, 0};
            ClientToScreen(parent, &o);
            x += o.x;
            y += o.y;
        }
        x = std::clamp(x, 0, std::max(0, 1920 - w));
        y = std::clamp(y, 0, std::max(0, 1080 - h));
    }
    HFONT font = nullptr;
    bool ownsFont = false;
    if (!layout.fontName.empty()) {
        int height = -((static_cast<int>(layout.fontSize) * 96 + 36) / 72);
        font = gdi::createFont(height, FW_NORMAL, layout.fontName.c_str());
        ownsFont = font != nullptr;
    }
    const char* cls = layout.windowClass.empty() ? "#32770" : layout.windowClass.c_str();
    HWND hDlg = CreateWindowExA(exStyle, cls, layout.caption.c_str(), style & ~WS_VISIBLE, x, y, w,
                                h, parent, nullptr, instance, nullptr);
    if (!hDlg) {
        if (ownsFont) {
            gdi::deleteObject(font);
        }
        return nullptr;
    }
    DialogState& state = dialogs()[hDlg];
    state.proc = proc;
    state.modal = modal;
    state.font = font;
    state.ownsFont = ownsFont;
    state.templateId = layout.templateId;
    if (hasDialogExtra(hDlg)) {
        SetWindowLongPtrA(hDlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    }
    if (font) {
        SendMessageA(hDlg, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    for (const DialogItemSpec& item : layout.items) {
        HWND control = CreateWindowExA(
            item.exStyle | WS_EX_NOPARENTNOTIFY, item.windowClass.c_str(), item.text.c_str(),
            item.style | WS_CHILD, scaleX(item.x), scaleY(item.y), scaleX(item.cx), scaleY(item.cy),
            hDlg, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance, nullptr);
        if (!IsWindow(hDlg)) {
            return nullptr;
        }
        if (!control) {
            if (style & DS_NOFAILCREATE) {
                continue;
            }
            DestroyWindow(hDlg);
            setLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        if (font) {
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
    }
    HWND first = GetNextDlgTabItem(hDlg, nullptr, FALSE);
    LRESULT r = SendMessageA(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
    if (!IsWindow(hDlg)) {
        return nullptr;
    }
    if (r && first && IsWindow(first)) {
        focusDialogControl(hDlg, first);
    }
    DialogState* s = dialogState(hDlg);
    if (!modal && (layout.style & WS_VISIBLE) && s && !s->ended) {
        ShowWindow(hDlg, SW_SHOWNORMAL);
    }
    return IsWindow(hDlg) ? hDlg : nullptr;
}

bool loadSpec(HINSTANCE instance, LPCSTR name, DialogLayout* layout) {
    WORD id = 0;
    if (!resourceNumber(name, &id)) {
        setLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    if (!resourceTable(instance)) {
        setLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return false;
    }
    const VedrixResource* res = findResource(instance, 5 /* RT_DIALOG */, id);
    if (!res || !res->data) {
        setLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    *layout = specFromTable(*static_cast<const VedrixDialogTemplate*>(res->data), id);
    return true;
}

DialogLayout specFromPointer(const void* data) {
    WORD id = 0;
    if (dialogTemplateId(data, &id)) {
        return specFromTable(*static_cast<const VedrixDialogTemplate*>(data), id);
    }
    return specFromBinary(data);
}

INT_PTR runModal(HINSTANCE instance, const DialogLayout& layout, HWND parent, DLGPROC proc,
                 LPARAM param) {
    HWND owner = nullptr;
    if (parent) {
        owner = GetAncestor(parent, GA_ROOT);
        if (!owner) {
            setLastError(ERROR_INVALID_WINDOW_HANDLE);
            return -1;
        }
    }
    HWND hDlg = createFromLayout(instance, layout, owner, proc, param, true);
    if (!hDlg) {
        return -1;
    }
    bool reenableOwner = owner && IsWindowEnabled(owner);
    if (reenableOwner) {
        EnableWindow(owner, FALSE);
    }
    DialogState* s = dialogState(hDlg);
    if (s && !s->ended) {
        ShowWindow(hDlg, SW_SHOW);
    }
    modalLoops().push_back(ModalLoop{hDlg, layout.templateId});
    bool hookCalled = false;
    bool cancelSent = false;
    for (;;) {
        s = dialogState(hDlg);
        if (!IsWindow(hDlg) || !s || s->ended) {
            break;
        }
        MSG msg;
        if (peekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                EndDialog(hDlg, 0);
                break;
            }
            if (!IsDialogMessageA(hDlg, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            continue;
        }
        if (!hookCalled) {
            hookCalled = true;
            headless::ModalHook hook = modalHook();
            if (hook) {
                hook(hDlg, layout.templateId);
            }
            continue;
        }
        if (!cancelSent) {
            cancelSent = true;
            SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
            continue;
        }
        EndDialog(hDlg, IDCANCEL);
    }
    auto& loops = modalLoops();
    for (auto it = loops.rbegin(); it != loops.rend(); ++it) {
        if (it->dialog == hDlg) {
            loops.erase(std::next(it).base());
            break;
        }
    }
    s = dialogState(hDlg);
    INT_PTR result = s && s->ended ? s->result : 0;
    if (reenableOwner && IsWindow(owner)) {
        EnableWindow(owner, TRUE);
    }
    if (IsWindow(hDlg)) {
        DestroyWindow(hDlg);
    }
    return result;
}

}  // namespace

DialogState* dialogState(HWND hwnd) {
    auto& m = dialogs();
    auto it = m.find(hwnd);
    if (it == m.end() || !IsWindow(hwnd)) {
        return nullptr;
    }
    return &it->second;
}

bool isDialogWindow(HWND hwnd) {
    if (dialogState(hwnd)) {
        return true;
    }
    char name[16] = {};
    return GetClassNameA(hwnd, name, sizeof(name)) && strcasecmp(name, "#32770") == 0;
}

bool dialogEnded(HWND hwnd) {
    DialogState* s = dialogState(hwnd);
    return !s || s->ended;
}

void focusDialogControl(HWND dialog, HWND control) {
    (void)dialog;
    SetFocus(control);
    // The focus may have gone on to a child (a combo box's edit field).
    HWND focus = GetFocus();
    if ((focus == control || IsChild(control, focus)) && (dialogCode(focus) & DLGC_HASSETSEL)) {
        SendMessageA(focus, EM_SETSEL, 0, -1);
    }
}

}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" {

LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hDlg)) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (DLGPROC proc = procOf(hDlg)) {
        setMsgResult(hDlg, 0);
        INT_PTR r = proc(hDlg, Msg, wParam, lParam);
        if (Msg == WM_NCDESTROY) {
            return defaultDialogProcessing(hDlg, Msg, wParam, lParam);
        }
        if (r) {
            switch (Msg) {
                case WM_CTLCOLORMSGBOX:
                case WM_CTLCOLOREDIT:
                case WM_CTLCOLORLISTBOX:
                case WM_CTLCOLORBTN:
                case WM_CTLCOLORDLG:
                case WM_CTLCOLORSCROLLBAR:
                case WM_CTLCOLORSTATIC:
                case WM_COMPAREITEM:
                case WM_VKEYTOITEM:
                case WM_CHARTOITEM:
                case WM_QUERYDRAGICON:
                case WM_INITDIALOG:
                    return r;
                default:
                    return IsWindow(hDlg) ? msgResult(hDlg) : 0;
            }
        }
        if (!IsWindow(hDlg)) {
            return 0;
        }
    }
    return defaultDialogProcessing(hDlg, Msg, wParam, lParam);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    DialogLayout layout;
    if (!loadSpec(hInstance, lpTemplateName, &layout)) {
        return -1;
    }
    return runModal(hInstance, layout, hWndParent, lpDialogFunc, dwInitParam);
}

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA hDialogTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    if (!hDialogTemplate) {
        setLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    return runModal(hInstance, specFromPointer(hDialogTemplate), hWndParent, lpDialogFunc,
                    dwInitParam);
}

HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    DialogLayout layout;
    if (!loadSpec(hInstance, lpTemplateName, &layout)) {
        return nullptr;
    }
    return createFromLayout(hInstance, layout, hWndParent, lpDialogFunc, dwInitParam, false);
}

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    if (!lpTemplate) {
        setLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return createFromLayout(hInstance, specFromPointer(lpTemplate), hWndParent, lpDialogFunc,
                            dwInitParam, false);
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
    DialogState* s = dialogState(hDlg);
    if (!s) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    s->ended = true;
    s->result = nResult;
    return TRUE;
}

}  // extern "C"
