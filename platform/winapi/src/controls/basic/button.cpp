// The "Button" window class: push buttons, default push buttons, check boxes,
// radio buttons, three-state boxes, group boxes and owner-drawn buttons.
//
// A click is a left button press and release inside the button (the button
// captures the mouse in between and shows itself pushed while the cursor is
// inside), a space bar press and release while it has the focus, or
// BM_CLICK. A click toggles automatic check boxes, checks an automatic radio
// button and unchecks the other automatic radio buttons of its group (the
// siblings from the nearest WS_GROUP at or before it up to the next WS_GROUP),
// then sends BN_CLICKED to the parent.
//
// Choices where the platform leaves room:
// - BM_SETSTYLE changes only the button type (BS_TYPEMASK); the dialog manager
//   uses it to move the default between push buttons, and the other style
//   bits (BS_BITMAP, alignment) stay.
// - An image set with BM_SETIMAGE is drawn whether or not BS_BITMAP/BS_ICON is
//   set: alone when one of them is set or the text is empty, otherwise left of
//   the text.
// - BM_SETCHECK with BST_INDETERMINATE on a two-state button checks it.
// - BM_CLICK on a disabled button does nothing.
#include "controls/basic/control_util.h"

namespace {

using namespace vedrix::controls;

struct ButtonState {
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    bool mouseTracking = false;  // left button went down on us, capture held
    bool spaceDown = false;
    bool inMouseDown = false;  // SetFocus from our own click: no focus click for radios
    HANDLE image = nullptr;
    UINT imageType = IMAGE_BITMAP;
    HFONT font = nullptr;
};

InstanceTable<ButtonState> g_buttons;

constexpr int kCheckBoxSize = 13;
constexpr int kCheckTextGap = 4;

UINT buttonType(HWND hwnd) {
    return windowStyle(hwnd) & BS_TYPEMASK;
}

bool isCheckBox(UINT type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}
bool isRadio(UINT type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}
bool isThreeState(UINT type) {
    return type == BS_3STATE || type == BS_AUTO3STATE;
}

bool isEnabled(HWND hwnd) {
    return (windowStyle(hwnd) & WS_DISABLED) == 0;
}

void redraw(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
}

// The first sibling of the group that `hwnd` belongs to.
HWND groupStart(HWND hwnd) {
    HWND start = hwnd;
    while ((windowStyle(start) & WS_GROUP) == 0) {
        HWND previous = GetWindow(start, GW_HWNDPREV);
        if (previous == nullptr) {
            break;
        }
        start = previous;
    }
    return start;
}

void setCheck(HWND hwnd, ButtonState* state, UINT check) {
    UINT type = buttonType(hwnd);
    if (!isCheckBox(type) && !isRadio(type)) {
        return;
    }
    if (check == BST_INDETERMINATE && !isThreeState(type)) {
        check = BST_CHECKED;
    }
    if (check > BST_INDETERMINATE) {
        check = BST_CHECKED;
    }
    // A checked radio button is the one the Tab key reaches in its group.
    if (isRadio(type)) {
        DWORD style = windowStyle(hwnd);
        DWORD wanted = check == BST_CHECKED ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        if (wanted != style) {
            setWindowStyle(hwnd, wanted);
        }
    }
    if (state->check != check) {
        state->check = check;
        redraw(hwnd);
    }
}

// Unchecks the automatic radio buttons of `hwnd`'s group other than itself.
void uncheckGroupSiblings(HWND hwnd) {
    HWND sibling = groupStart(hwnd);
    bool first = true;
    while (sibling != nullptr) {
        if (!first && (windowStyle(sibling) & WS_GROUP) != 0) {
            break;
        }
        first = false;
        if (sibling != hwnd) {
            LRESULT code = SendMessageA(sibling, WM_GETDLGCODE, 0, 0);
            if ((code & DLGC_RADIOBUTTON) != 0 &&
                (windowStyle(sibling) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
                SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
        sibling = GetWindow(sibling, GW_HWNDNEXT);
    }
}

// What a completed click does: the automatic state change, then BN_CLICKED.
// The parent may destroy the button while handling the notification, so the
// state is not touched afterwards.
void click(HWND hwnd) {
    ButtonState* state = g_buttons.find(hwnd);
    if (state == nullptr) {
        return;
    }
    switch (buttonType(hwnd)) {
        case BS_AUTOCHECKBOX:
            setCheck(hwnd, state, state->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            break;
        case BS_AUTO3STATE: {
            UINT next = state->check == BST_UNCHECKED ? BST_CHECKED
                        : state->check == BST_CHECKED ? BST_INDETERMINATE
                                                      : BST_UNCHECKED;
            setCheck(hwnd, state, next);
            break;
        }
        case BS_AUTORADIOBUTTON:
            setCheck(hwnd, state, BST_CHECKED);
            uncheckGroupSiblings(hwnd);
            break;
        default:
            break;
    }
    notifyParent(hwnd, BN_CLICKED);
}

void setPushed(HWND hwnd, ButtonState* state, bool pushed) {
    if (state->pushed != pushed) {
        state->pushed = pushed;
        redraw(hwnd);
    }
}

bool insideClient(HWND hwnd, POINT pt) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    return PtInRect(&rc, pt) != FALSE;
}

void onButtonDown(HWND hwnd, ButtonState* state) {
    state->inMouseDown = true;
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
    }
    state = g_buttons.find(hwnd);
    if (state == nullptr) {
        return;
    }
    state->inMouseDown = false;
    state->mouseTracking = true;
    SetCapture(hwnd);
    setPushed(hwnd, state, true);
}

void onButtonUp(HWND hwnd, ButtonState* state, POINT pt) {
    if (!state->mouseTracking) {
        return;
    }
    state->mouseTracking = false;
    bool inside = insideClient(hwnd, pt);
    setPushed(hwnd, state, false);
    if (GetCapture() == hwnd) {
        ReleaseCapture();
    }
    if (inside) {
        click(hwnd);
    }
}

LRESULT dialogCode(HWND hwnd) {
    UINT type = buttonType(hwnd);
    switch (type) {
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON:
        case BS_PUSHBOX:
        case BS_OWNERDRAW:
        case BS_USERBUTTON:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
    }
}

UINT textFormat(DWORD style, bool singleLineDefault) {
    UINT format = 0;
    switch (style & BS_CENTER) {
        case BS_LEFT:
            format |= DT_LEFT;
            break;
        case BS_RIGHT:
            format |= DT_RIGHT;
            break;
        case BS_CENTER:
            format |= DT_CENTER;
            break;
        default:
            format |= singleLineDefault ? DT_CENTER : DT_LEFT;
            break;
    }
    if ((style & BS_MULTILINE) != 0) {
        format |= DT_WORDBREAK;
    } else {
        format |= DT_SINGLELINE;
        switch (style & BS_VCENTER) {
            case BS_TOP:
                format |= DT_TOP;
                break;
            case BS_BOTTOM:
                format |= DT_BOTTOM;
                break;
            default:
                format |= DT_VCENTER;
                break;
        }
    }
    return format;
}

void drawOwnerDraw(HWND hwnd, ButtonState* state, HDC dc) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    dis.itemID = 0;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (state->pushed ? ODS_SELECTED : 0) | (state->focused ? ODS_FOCUS : 0) |
                    (isEnabled(hwnd) ? 0 : ODS_DISABLED);
    dis.hwndItem = hwnd;
    dis.hDC = dc;
    GetClientRect(hwnd, &dis.rcItem);
    HWND parent = GetParent(hwnd);
    if (parent != nullptr) {
        SendMessageA(parent, WM_DRAWITEM, static_cast<WPARAM>(dis.CtlID),
                     reinterpret_cast<LPARAM>(&dis));
    }
}

// Draws the label (image and/or text) inside `rc`; returns the rectangle the
// label took, for the focus rectangle.
RECT drawLabel(HWND hwnd, ButtonState* state, HDC dc, RECT rc, UINT format) {
    DWORD style = windowStyle(hwnd);
    std::string text = windowText(hwnd);
    RECT used = rc;
    bool imageOnly = (style & (BS_BITMAP | BS_ICON)) != 0 || text.empty();
    if (state->image != nullptr) {
        SIZE size = imageSize(state->image, state->imageType);
        int width = size.cx;
        if (!imageOnly) {
            width += kCheckTextGap + textWidth(dc, text.c_str(), static_cast<int>(text.size()));
        }
        int x = rc.left;
        if ((format & DT_CENTER) != 0) {
            x = rc.left + (rc.right - rc.left - width) / 2;
        } else if ((format & DT_RIGHT) != 0) {
            x = rc.right - width;
        }
        int y = rc.top + (rc.bottom - rc.top - size.cy) / 2;
        drawImage(dc, state->image, state->imageType, x, y);
        used = RECT{x, y, x + size.cx, y + size.cy};
        if (imageOnly) {
            return used;
        }
        rc.left = x + size.cx + kCheckTextGap;
        format = (format & ~(DT_CENTER | DT_RIGHT)) | DT_LEFT;
    } else if (text.empty()) {
        return RECT{rc.left, rc.top, rc.left, rc.top};
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(isEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc, format);
    RECT measured = rc;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    // DT_CALCRECT keeps the left/top edge; place the measured box the way the
    // text was aligned.
    int w = measured.right - measured.left;
    int h = measured.bottom - measured.top;
    int left = rc.left;
    if ((format & DT_CENTER) != 0) {
        left = rc.left + (rc.right - rc.left - w) / 2;
    } else if ((format & DT_RIGHT) != 0) {
        left = rc.right - w;
    }
    int top = rc.top;
    if ((format & DT_VCENTER) != 0) {
        top = rc.top + (rc.bottom - rc.top - h) / 2;
    } else if ((format & DT_BOTTOM) != 0) {
        top = rc.bottom - h;
    }
    RECT textBox{left, top, left + w, top + h};
    if (state->image != nullptr) {
        UnionRect(&used, &used, &textBox);
        return used;
    }
    return textBox;
}

void paintPush(HWND hwnd, ButtonState* state, HDC dc, RECT rc, UINT type) {
    FillRect(dc, &rc, controlBrush(hwnd, dc, WM_CTLCOLORBTN, COLOR_BTNFACE));
    if (type == BS_DEFPUSHBUTTON) {
        FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rc, -1, -1);
    }
    DrawEdge(dc, &rc, state->pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    RECT content = rc;
    if (state->pushed) {
        OffsetRect(&content, 1, 1);
    }
    drawLabel(hwnd, state, dc, content, textFormat(windowStyle(hwnd), true));
    if (state->focused) {
        RECT focus = rc;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
}

// The box of a check box or the circle of a radio button, with its mark.
void drawCheckMark(HWND hwnd, ButtonState* state, HDC dc, RECT box, UINT type) {
    bool enabled = isEnabled(hwnd);
    HBRUSH face = GetSysColorBrush(state->pushed || !enabled ? COLOR_BTNFACE : COLOR_WINDOW);
    COLORREF markColor = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    if (isRadio(type)) {
        HGDIOBJ oldBrush = SelectObject(dc, face);
        HPEN edge = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
        HGDIOBJ oldPen = SelectObject(dc, edge);
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
        if (state->check != BST_UNCHECKED) {
            HBRUSH dot = CreateSolidBrush(markColor);
            SelectObject(dc, dot);
            Ellipse(dc, box.left + 4, box.top + 4, box.right - 4, box.bottom - 4);
            SelectObject(dc, face);
            DeleteObject(dot);
        }
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(edge);
        return;
    }
    RECT inner = box;
    DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(dc, &inner, face);
    if (state->check == BST_INDETERMINATE) {
        RECT grey = inner;
        InflateRect(&grey, -2, -2);
        FillRect(dc, &grey, GetSysColorBrush(COLOR_BTNSHADOW));
    } else if (state->check == BST_CHECKED) {
        HPEN pen = CreatePen(PS_SOLID, 2, markColor);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        POINT mark[3] = {{inner.left + 2, inner.top + 4},
                         {inner.left + 4, inner.bottom - 3},
                         {inner.right - 2, inner.top + 2}};
        Polyline(dc, mark, 3);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
}

void paintCheck(HWND hwnd, ButtonState* state, HDC dc, RECT rc, UINT type) {
    FillRect(dc, &rc, controlBrush(hwnd, dc, WM_CTLCOLORSTATIC, COLOR_BTNFACE));
    DWORD style = windowStyle(hwnd);
    bool boxRight = (style & BS_LEFTTEXT) != 0;
    int boxTop = rc.top + (rc.bottom - rc.top - kCheckBoxSize) / 2;
    RECT box{rc.left, boxTop, rc.left + kCheckBoxSize, boxTop + kCheckBoxSize};
    if (boxRight) {
        box.left = rc.right - kCheckBoxSize;
        box.right = rc.right;
    }
    drawCheckMark(hwnd, state, dc, box, type);
    RECT textRect = rc;
    if (boxRight) {
        textRect.right = box.left - kCheckTextGap;
    } else {
        textRect.left = box.right + kCheckTextGap;
    }
    RECT label = drawLabel(hwnd, state, dc, textRect, textFormat(style, false));
    if (state->focused && label.right > label.left) {
        InflateRect(&label, 1, 1);
        DrawFocusRect(dc, &label);
    }
}

void paintGroupBox(HWND hwnd, ButtonState* state, HDC dc, RECT rc) {
    HBRUSH brush = controlBrush(hwnd, dc, WM_CTLCOLORSTATIC, COLOR_BTNFACE);
    std::string text = windowText(hwnd);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    RECT frame = rc;
    frame.top += tm.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!text.empty()) {
        RECT textRect{rc.left + 8, rc.top,
                      rc.left + 8 + textWidth(dc, text.c_str(), static_cast<int>(text.size())),
                      rc.top + tm.tmHeight};
        FillRect(dc, &textRect, brush);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(isEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                  DT_LEFT | DT_SINGLELINE | DT_TOP);
    }
    (void)state;
}

void paint(HWND hwnd, ButtonState* state, HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    HGDIOBJ oldFont = state->font != nullptr ? SelectObject(dc, state->font) : nullptr;
    UINT type = buttonType(hwnd);
    if (type == BS_OWNERDRAW) {
        drawOwnerDraw(hwnd, state, dc);
    } else if (type == BS_GROUPBOX) {
        paintGroupBox(hwnd, state, dc, rc);
    } else if (isCheckBox(type) || isRadio(type)) {
        paintCheck(hwnd, state, dc, rc, type);
    } else {
        paintPush(hwnd, state, dc, rc, type);
    }
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
}

LRESULT CALLBACK buttonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        g_buttons.create(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    ButtonState* state = g_buttons.find(hwnd);
    if (state == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_NCDESTROY:
            g_buttons.erase(hwnd);
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_NCHITTEST:
            // A group box is a frame around other controls; the mouse passes
            // through it.
            if (buttonType(hwnd) == BS_GROUPBOX) {
                return HTTRANSPARENT;
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_GETDLGCODE:
            return dialogCode(hwnd);

        case WM_LBUTTONDBLCLK:
            if ((windowStyle(hwnd) & BS_NOTIFY) != 0 || isRadio(buttonType(hwnd)) ||
                buttonType(hwnd) == BS_OWNERDRAW) {
                notifyParent(hwnd, BN_DBLCLK);
                return 0;
            }
            [[fallthrough]];
        case WM_LBUTTONDOWN:
            if (buttonType(hwnd) != BS_GROUPBOX) {
                onButtonDown(hwnd, state);
            }
            return 0;

        case WM_MOUSEMOVE:
            if (state->mouseTracking) {
                setPushed(hwnd, state, insideClient(hwnd, pointFromLParam(lParam)));
            }
            return 0;

        case WM_LBUTTONUP:
            onButtonUp(hwnd, state, pointFromLParam(lParam));
            return 0;

        case WM_CAPTURECHANGED:
            if (state->mouseTracking && reinterpret_cast<HWND>(lParam) != hwnd) {
                state->mouseTracking = false;
                setPushed(hwnd, state, false);
            }
            return 0;

        case WM_KEYDOWN:
            if (wParam == VK_SPACE && buttonType(hwnd) != BS_GROUPBOX) {
                if (!state->spaceDown && !state->mouseTracking) {
                    state->spaceDown = true;
                    setPushed(hwnd, state, true);
                }
                return 0;
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_KEYUP:
            if (wParam == VK_SPACE && state->spaceDown) {
                state->spaceDown = false;
                bool wasPushed = state->pushed;
                setPushed(hwnd, state, false);
                if (wasPushed) {
                    click(hwnd);
                }
                return 0;
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_SETFOCUS: {
            state->focused = true;
            redraw(hwnd);
            if ((windowStyle(hwnd) & BS_NOTIFY) != 0) {
                notifyParent(hwnd, BN_SETFOCUS);
            }
            // A radio button that receives the focus from the keyboard or the
            // program (not from its own mouse click) is clicked: arrowing
            // through a group checks the button reached.
            state = g_buttons.find(hwnd);
            if (state != nullptr && !state->inMouseDown && isRadio(buttonType(hwnd)) &&
                state->check != BST_CHECKED) {
                click(hwnd);
            }
            return 0;
        }

        case WM_KILLFOCUS:
            state->focused = false;
            if (state->spaceDown) {
                state->spaceDown = false;
                setPushed(hwnd, state, false);
            }
            redraw(hwnd);
            if ((windowStyle(hwnd) & BS_NOTIFY) != 0) {
                notifyParent(hwnd, BN_KILLFOCUS);
            }
            return 0;

        case WM_ENABLE:
            redraw(hwnd);
            return 0;

        case WM_SETTEXT: {
            LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
            redraw(hwnd);
            return result;
        }

        case WM_SETFONT:
            state->font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam) != 0) {
                redraw(hwnd);
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

        case BM_GETCHECK:
            return (isCheckBox(buttonType(hwnd)) || isRadio(buttonType(hwnd))) ? state->check : 0;

        case BM_SETCHECK:
            setCheck(hwnd, state, static_cast<UINT>(wParam));
            return 0;

        case BM_GETSTATE: {
            LRESULT result =
                (isCheckBox(buttonType(hwnd)) || isRadio(buttonType(hwnd))) ? state->check : 0;
            if (state->pushed) {
                result |= BST_PUSHED;
            }
            if (state->focused) {
                result |= BST_FOCUS;
            }
            return result;
        }

        case BM_SETSTATE:
            setPushed(hwnd, state, wParam != 0);
            return 0;

        case BM_CLICK:
            if (isEnabled(hwnd) && buttonType(hwnd) != BS_GROUPBOX) {
                onButtonDown(hwnd, state);
                state = g_buttons.find(hwnd);
                if (state != nullptr) {
                    onButtonUp(hwnd, state, POINT{0, 0});
                }
            }
            return 0;

        case BM_SETSTYLE: {
            DWORD style = windowStyle(hwnd);
            DWORD wanted = (style & ~static_cast<DWORD>(BS_TYPEMASK)) |
                           (static_cast<DWORD>(wParam) & BS_TYPEMASK);
            if (wanted != style) {
                setWindowStyle(hwnd, wanted);
            }
            if (lParam != 0) {
                redraw(hwnd);
            }
            return 0;
        }

        case BM_SETIMAGE: {
            if (wParam != IMAGE_BITMAP && wParam != IMAGE_ICON) {
                return 0;
            }
            HANDLE previous = state->image;
            state->image = reinterpret_cast<HANDLE>(lParam);
            state->imageType = static_cast<UINT>(wParam);
            redraw(hwnd);
            return reinterpret_cast<LRESULT>(previous);
        }

        case BM_GETIMAGE:
            if (state->image != nullptr && state->imageType == wParam) {
                return reinterpret_cast<LRESULT>(state->image);
            }
            return 0;

        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

struct Registration {
    Registration() {
        registerControlClass(WC_BUTTONA, buttonProc,
                             CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW);
    }
} g_registration;

}  // namespace
