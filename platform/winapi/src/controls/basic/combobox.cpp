// The "ComboBox" window class: CBS_SIMPLE, CBS_DROPDOWN and CBS_DROPDOWNLIST.
//
// A combo box holds a list of strings with item data, a current selection and
// a selection field. CBS_SIMPLE and CBS_DROPDOWN fields are a child "Edit"
// control (identifier 1001) whose EN_CHANGE/EN_UPDATE become CBN_EDITCHANGE/
// CBN_EDITUPDATE; a CBS_DROPDOWNLIST field shows the selected item's text.
// The window text is the field's text; WM_SETTEXT sets it where the field is
// an edit control and fails with CB_ERR on a drop-down list.
//
// Geometry: the selection field is the item height (16) + 6 pixels high. A
// drop-down combo box is given the height it was created with, less the
// field, as its list's height and is then resized to the field alone, so its
// window rectangle is the field; the open list lies below it, one item height
// per row, and the list button is the right-most SM_CXVSCROLL pixels of the
// field. A simple combo box keeps its height and shows its list below the
// field inside its window.
//
// Mouse: a press on a drop-down list's field or on the button opens the list
// (CBN_DROPDOWN) and captures the mouse; moving over the open list highlights
// the row under the cursor; releasing the button over a row chooses it; a
// press outside the list closes it without choosing (CBN_SELENDCANCEL), and
// so does a press on the field while the list is open.
// Keyboard: Up/Down (and Page Up/Page Down, Home/End in a drop-down list)
// move the selection, open or not; F4 and Alt+Up/Down open and close (choosing
// the highlighted row); Enter closes choosing, Escape closes cancelling
// (selection changes made with the keys stay); a character typed into a
// drop-down list selects the next item that starts with it.
//
// Notifications when a row is chosen from the open list: CBN_SELCHANGE (if
// the selection changed since the last notification), CBN_SELENDOK, then
// CBN_CLOSEUP. Moving the selection with the keys sends CBN_SELCHANGE for each
// step. CB_SETCURSEL, CB_SELECTSTRING and the other messages notify nothing.
//
// CBS_SORT sorts case-insensitively; an item equal to existing ones goes after
// them. CB_FINDSTRING, CB_FINDSTRINGEXACT and CB_SELECTSTRING compare
// case-insensitively and search from the item after the start index, wrapping
// round to the start.
#include "controls/basic/control_util.h"

#include <algorithm>
#include <strings.h>
#include <vector>

namespace {

using namespace vedrix::controls;

constexpr int kEditId = 1001;
constexpr int kDefaultItemHeight = 16;
constexpr int kFieldExtra = 6;

struct Item {
    std::string text;
    LPARAM data = 0;
};

struct ComboState {
    std::vector<Item> items;
    int curSel = CB_ERR;
    int notifiedSel = CB_ERR;  // selection at the last CBN_SELCHANGE
    int hot = CB_ERR;          // highlighted row of the open list
    bool dropped = false;
    bool tracking = false;  // the button went down on the field and is still held
    int topIndex = 0;
    int itemHeight = kDefaultItemHeight;
    int listHeight = 0;  // height of the drop-down list (drop-down styles)
    int droppedWidth = 0;
    HWND edit = nullptr;
    HFONT font = nullptr;
    bool focused = false;
    bool extendedUi = false;
    bool closingByUser = false;
};

InstanceTable<ComboState> g_combos;

UINT comboType(HWND hwnd) {
    return windowStyle(hwnd) & 0x3;
}
bool isSimple(HWND hwnd) {
    return comboType(hwnd) == CBS_SIMPLE;
}
bool isDropList(HWND hwnd) {
    return comboType(hwnd) == CBS_DROPDOWNLIST;
}

int itemCount(const ComboState* s) {
    return static_cast<int>(s->items.size());
}

int fieldHeight(const ComboState* s) {
    return s->itemHeight + kFieldExtra;
}

bool validIndex(const ComboState* s, WPARAM index) {
    return static_cast<INT_PTR>(index) >= 0 && static_cast<INT_PTR>(index) < itemCount(s);
}

// Rows that the list shows at once.
int visibleRows(const ComboState* s, HWND hwnd) {
    int height = s->listHeight;
    if (isSimple(hwnd)) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        height = rc.bottom - rc.top - fieldHeight(s);
    }
    return std::max(1, height / std::max(1, s->itemHeight));
}

// The list's rectangle in client coordinates of the combo box.
RECT listRect(HWND hwnd, const ComboState* s) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    int rows = std::min(visibleRows(s, hwnd), std::max(1, itemCount(s)));
    if (isSimple(hwnd)) {
        return RECT{0, fieldHeight(s), rc.right, rc.bottom};
    }
    int width = std::max(static_cast<int>(rc.right), s->droppedWidth);
    return RECT{0, rc.bottom, width, rc.bottom + rows * s->itemHeight};
}

RECT buttonRect(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    return RECT{rc.right - GetSystemMetrics(SM_CXVSCROLL), 0, rc.right, rc.bottom};
}

void ensureVisible(HWND hwnd, ComboState* s, int index) {
    if (index < 0) {
        return;
    }
    int rows = visibleRows(s, hwnd);
    if (index < s->topIndex) {
        s->topIndex = index;
    } else if (index >= s->topIndex + rows) {
        s->topIndex = index - rows + 1;
    }
    s->topIndex = std::clamp(s->topIndex, 0, std::max(0, itemCount(s) - rows));
}

// Shows the selected item's text in the edit field.
void showSelectionInField(ComboState* s) {
    if (s->edit == nullptr) {
        return;
    }
    std::string text = s->curSel >= 0 && s->curSel < itemCount(s)
                           ? s->items[static_cast<size_t>(s->curSel)].text
                           : "";
    SetWindowTextA(s->edit, text.c_str());
    SendMessageA(s->edit, EM_SETSEL, 0, -1);
}

void setSelection(HWND hwnd, ComboState* s, int index) {
    s->curSel = index;
    ensureVisible(hwnd, s, index);
    showSelectionInField(s);
    InvalidateRect(hwnd, nullptr, TRUE);
}

int compareText(const std::string& a, const std::string& b) {
    return strcasecmp(a.c_str(), b.c_str());
}

bool startsWith(const std::string& text, const char* prefix) {
    size_t n = std::strlen(prefix);
    return text.size() >= n && strncasecmp(text.c_str(), prefix, n) == 0;
}

int findString(const ComboState* s, WPARAM start, const char* text, bool exact) {
    int count = itemCount(s);
    if (text == nullptr || count == 0) {
        return CB_ERR;
    }
    auto from = static_cast<INT_PTR>(start);
    if (from < -1 || from >= count) {
        from = -1;
    }
    for (int step = 1; step <= count; ++step) {
        int index = static_cast<int>((from + step) % count);
        const std::string& item = s->items[static_cast<size_t>(index)].text;
        if (exact ? compareText(item, text) == 0 : startsWith(item, text)) {
            return index;
        }
    }
    return CB_ERR;
}

int insertItem(HWND hwnd, ComboState* s, INT_PTR index, const char* text) {
    Item item;
    item.text = text != nullptr && !IS_INTRESOURCE(text) ? text : "";
    if (index < 0) {
        index = itemCount(s);
    }
    if (index > itemCount(s)) {
        return CB_ERR;
    }
    s->items.insert(s->items.begin() + index, item);
    if (s->curSel >= index) {
        ++s->curSel;
    }
    if (s->notifiedSel >= index) {
        ++s->notifiedSel;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return static_cast<int>(index);
}

void notifySelChange(HWND hwnd, ComboState* s) {
    s->notifiedSel = s->curSel;
    notifyParent(hwnd, CBN_SELCHANGE);
}

// ---------------------------------------------------------------------------
// Opening and closing the list

void openList(HWND hwnd, ComboState* s) {
    if (s->dropped || isSimple(hwnd)) {
        return;
    }
    notifyParent(hwnd, CBN_DROPDOWN);
    s = g_combos.find(hwnd);
    if (s == nullptr) {
        return;
    }
    s->dropped = true;
    s->notifiedSel = s->curSel;
    s->hot = s->curSel;
    ensureVisible(hwnd, s, s->curSel);
    if (GetFocus() != hwnd && GetFocus() != s->edit) {
        SetFocus(s->edit != nullptr ? s->edit : hwnd);
        s = g_combos.find(hwnd);
        if (s == nullptr) {
            return;
        }
    }
    SetCapture(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// Closes the list; `choose` tells whether the highlighted row was chosen.
void closeList(HWND hwnd, ComboState* s, bool choose) {
    if (!s->dropped) {
        return;
    }
    if (choose && s->hot >= 0 && s->hot < itemCount(s) && s->hot != s->curSel) {
        setSelection(hwnd, s, s->hot);
    }
    s->dropped = false;
    s->tracking = false;
    if (GetCapture() == hwnd) {
        ReleaseCapture();
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    if (choose) {
        if (s->curSel != s->notifiedSel) {
            notifySelChange(hwnd, s);
            if (!IsWindow(hwnd)) {
                return;
            }
        }
        notifyParent(hwnd, CBN_SELENDOK);
    } else {
        notifyParent(hwnd, CBN_SELENDCANCEL);
    }
    if (IsWindow(hwnd)) {
        notifyParent(hwnd, CBN_CLOSEUP);
    }
}

// The list row at a client point, or -1.
int rowAt(HWND hwnd, const ComboState* s, POINT pt) {
    RECT list = listRect(hwnd, s);
    if (!PtInRect(&list, pt)) {
        return -1;
    }
    int row = s->topIndex + (pt.y - list.top) / std::max(1, s->itemHeight);
    return row < itemCount(s) ? row : -1;
}

void onButtonDown(HWND hwnd, ComboState* s, POINT pt) {
    RECT client;
    GetClientRect(hwnd, &client);
    if (isSimple(hwnd)) {
        int row = rowAt(hwnd, s, pt);
        if (GetFocus() != s->edit) {
            SetFocus(s->edit);
            s = g_combos.find(hwnd);
            if (s == nullptr) {
                return;
            }
        }
        if (row >= 0) {
            bool changed = row != s->curSel;
            setSelection(hwnd, s, row);
            if (changed) {
                notifySelChange(hwnd, s);
            }
        }
        return;
    }
    if (s->dropped) {
        if (rowAt(hwnd, s, pt) >= 0) {
            s->tracking = true;  // chosen when the button is released over it
            return;
        }
        closeList(hwnd, s, false);
        return;
    }
    RECT button = buttonRect(hwnd);
    bool onField = PtInRect(&client, pt) && (isDropList(hwnd) || PtInRect(&button, pt));
    if (!onField) {
        return;
    }
    openList(hwnd, s);
    s = g_combos.find(hwnd);
    if (s != nullptr && s->dropped) {
        s->tracking = true;
    }
}

void onMouseMove(HWND hwnd, ComboState* s, POINT pt) {
    if (!s->dropped) {
        return;
    }
    int row = rowAt(hwnd, s, pt);
    if (row >= 0 && row != s->hot) {
        s->hot = row;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void onButtonUp(HWND hwnd, ComboState* s, POINT pt) {
    if (!s->dropped || !s->tracking) {
        return;
    }
    s->tracking = false;
    int row = rowAt(hwnd, s, pt);
    if (row >= 0) {
        s->hot = row;
        closeList(hwnd, s, true);
    }
}

// ---------------------------------------------------------------------------
// Keyboard

void moveSelection(HWND hwnd, ComboState* s, int index) {
    if (itemCount(s) == 0) {
        return;
    }
    index = std::clamp(index, 0, itemCount(s) - 1);
    if (index == s->curSel) {
        return;
    }
    setSelection(hwnd, s, index);
    s->hot = index;
    notifySelChange(hwnd, s);
}

bool onKeyDown(HWND hwnd, ComboState* s, WPARAM key, bool alt) {
    if (alt && (key == VK_UP || key == VK_DOWN)) {
        key = VK_F4;
    }
    int page = visibleRows(s, hwnd);
    int sel = s->curSel;
    switch (key) {
        case VK_F4:
            if (s->dropped) {
                closeList(hwnd, s, true);
            } else {
                openList(hwnd, s);
            }
            return true;
        case VK_UP:
            moveSelection(hwnd, s, sel < 0 ? 0 : sel - 1);
            return true;
        case VK_DOWN:
            if (s->extendedUi && !s->dropped && !isSimple(hwnd)) {
                openList(hwnd, s);
                return true;
            }
            moveSelection(hwnd, s, sel < 0 ? 0 : sel + 1);
            return true;
        case VK_PRIOR:
            moveSelection(hwnd, s, sel < 0 ? 0 : sel - page + 1);
            return true;
        case VK_NEXT:
            moveSelection(hwnd, s, sel < 0 ? 0 : sel + page - 1);
            return true;
        case VK_HOME:
            if (s->edit != nullptr) {
                return false;
            }
            moveSelection(hwnd, s, 0);
            return true;
        case VK_END:
            if (s->edit != nullptr) {
                return false;
            }
            moveSelection(hwnd, s, itemCount(s) - 1);
            return true;
        case VK_RETURN:
            if (s->dropped) {
                closeList(hwnd, s, true);
                return true;
            }
            return false;
        case VK_ESCAPE:
            if (s->dropped) {
                closeList(hwnd, s, false);
                return true;
            }
            return false;
        default:
            return false;
    }
}

// ---------------------------------------------------------------------------
// Painting

void paintItem(HDC dc, const ComboState* s, int index, RECT row, bool selected) {
    if (selected) {
        FillRect(dc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    }
    SetBkMode(dc, TRANSPARENT);
    const std::string& text = s->items[static_cast<size_t>(index)].text;
    RECT textRect = row;
    textRect.left += 2;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void paintList(HWND hwnd, const ComboState* s, HDC dc) {
    RECT list = listRect(hwnd, s);
    FillRect(dc, &list, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &list, GetSysColorBrush(COLOR_WINDOWFRAME));
    int rows = visibleRows(s, hwnd);
    for (int i = 0; i < rows && s->topIndex + i < itemCount(s); ++i) {
        int index = s->topIndex + i;
        RECT row{list.left + 1, list.top + i * s->itemHeight, list.right - 1,
                 list.top + (i + 1) * s->itemHeight};
        paintItem(dc, s, index, row, index == (s->dropped ? s->hot : s->curSel));
    }
}

void paint(HWND hwnd, ComboState* s, HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    HGDIOBJ oldFont = s->font != nullptr ? SelectObject(dc, s->font) : nullptr;
    RECT field{0, 0, rc.right, isSimple(hwnd) ? fieldHeight(s) : rc.bottom};
    FillRect(dc, &field, controlBrush(hwnd, dc, WM_CTLCOLOREDIT, COLOR_WINDOW));
    DrawEdge(dc, &field, EDGE_SUNKEN, BF_RECT);
    if (!isSimple(hwnd)) {
        RECT button = buttonRect(hwnd);
        FillRect(dc, &button, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &button, s->dropped ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    if (isDropList(hwnd) && s->curSel >= 0) {
        RECT text{2, 2, buttonRect(hwnd).left - 1, field.bottom - 2};
        paintItem(dc, s, s->curSel, text, s->focused && !s->dropped);
        if (s->focused && !s->dropped) {
            DrawFocusRect(dc, &text);
        }
    }
    if (isSimple(hwnd)) {
        paintList(hwnd, s, dc);
    }
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
}

// The open drop-down list lies outside the combo box's window; it is drawn
// through a window device context after the field.
void paintDroppedList(HWND hwnd, ComboState* s) {
    if (!s->dropped) {
        return;
    }
    HDC dc = GetDC(hwnd);
    if (dc == nullptr) {
        return;
    }
    HGDIOBJ oldFont = s->font != nullptr ? SelectObject(dc, s->font) : nullptr;
    paintList(hwnd, s, dc);
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
    ReleaseDC(hwnd, dc);
}

// ---------------------------------------------------------------------------
// Creation

void create(HWND hwnd, ComboState* s, const CREATESTRUCTA* cs) {
    DWORD style = cs->style;
    UINT type = style & 0x3;
    if (type != CBS_SIMPLE) {
        s->listHeight = std::max(static_cast<int>(cs->cy) - fieldHeight(s), s->itemHeight);
        SetWindowPos(hwnd, nullptr, 0, 0, cs->cx, fieldHeight(s),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (type == CBS_DROPDOWNLIST) {
        return;
    }
    RECT rc;
    GetClientRect(hwnd, &rc);
    int right = type == CBS_SIMPLE ? rc.right : rc.right - GetSystemMetrics(SM_CXVSCROLL);
    DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_LEFT;
    if ((style & CBS_AUTOHSCROLL) != 0) {
        editStyle |= ES_AUTOHSCROLL;
    }
    if ((style & CBS_UPPERCASE) != 0) {
        editStyle |= ES_UPPERCASE;
    }
    if ((style & CBS_LOWERCASE) != 0) {
        editStyle |= ES_LOWERCASE;
    }
    if ((style & WS_DISABLED) != 0) {
        editStyle |= WS_DISABLED;
    }
    s->edit = CreateWindowExA(
        0, WC_EDITA, "", editStyle, 2, 2, std::max(0, right - 4), fieldHeight(s) - 4, hwnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), cs->hInstance, nullptr);
}

// The combo box's answer to its edit field's notifications.
void onEditNotification(HWND hwnd, ComboState* s, WORD code) {
    switch (code) {
        case EN_CHANGE:
            if (s->dropped) {
                // Typing in the field of an open list moves the selection to
                // the first item that starts with the text.
                std::string text = windowText(s->edit);
                int found = text.empty()
                                ? CB_ERR
                                : findString(s, static_cast<WPARAM>(-1), text.c_str(), false);
                s->curSel = found;
                s->hot = found;
                ensureVisible(hwnd, s, found);
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            notifyParent(hwnd, CBN_EDITCHANGE);
            break;
        case EN_UPDATE:
            notifyParent(hwnd, CBN_EDITUPDATE);
            break;
        case EN_SETFOCUS:
            if (!s->focused) {
                s->focused = true;
                notifyParent(hwnd, CBN_SETFOCUS);
            }
            break;
        case EN_KILLFOCUS: {
            HWND focus = GetFocus();
            if (focus != hwnd && s->focused) {
                s->focused = false;
                if (s->dropped) {
                    closeList(hwnd, s, false);
                    s = g_combos.find(hwnd);
                    if (s == nullptr) {
                        return;
                    }
                }
                notifyParent(hwnd, CBN_KILLFOCUS);
            }
            break;
        }
        default:
            break;
    }
}

LRESULT getText(const ComboState* s, WPARAM size, LPARAM buffer) {
    if (s->edit != nullptr) {
        return SendMessageA(s->edit, WM_GETTEXT, size, buffer);
    }
    std::string text = s->curSel >= 0 && s->curSel < itemCount(s)
                           ? s->items[static_cast<size_t>(s->curSel)].text
                           : "";
    return copyText(text, reinterpret_cast<LPSTR>(buffer), size);
}

LRESULT CALLBACK comboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        g_combos.create(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    ComboState* s = g_combos.find(hwnd);
    if (s == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_CREATE: {
            const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            create(hwnd, s, cs);
            if (cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName) &&
                cs->lpszName[0] != '\0') {
                s = g_combos.find(hwnd);
                if (s != nullptr && s->edit != nullptr) {
                    SetWindowTextA(s->edit, cs->lpszName);
                }
            }
            return 0;
        }

        case WM_NCDESTROY:
            g_combos.erase(hwnd);
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_GETDLGCODE: {
            LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
            if (s->dropped) {
                code |= DLGC_WANTMESSAGE;
            }
            return code;
        }

        case WM_COMMAND:
            if (s->edit != nullptr && reinterpret_cast<HWND>(lParam) == s->edit) {
                onEditNotification(hwnd, s, HIWORD(wParam));
                return 0;
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_GETTEXT:
            return getText(s, wParam, lParam);

        case WM_GETTEXTLENGTH:
            if (s->edit != nullptr) {
                return GetWindowTextLengthA(s->edit);
            }
            return s->curSel >= 0
                       ? static_cast<LRESULT>(s->items[static_cast<size_t>(s->curSel)].text.size())
                       : 0;

        case WM_SETTEXT:
            if (s->edit != nullptr) {
                return SendMessageA(s->edit, WM_SETTEXT, 0, lParam);
            }
            // A combo box without an edit field has no text of its own to
            // set: its field shows the selected item, which only the
            // selection messages change.
            return CB_ERR;

        case WM_SETFONT:
            s->font = reinterpret_cast<HFONT>(wParam);
            if (s->edit != nullptr) {
                SendMessageA(s->edit, WM_SETFONT, wParam, lParam);
            }
            if (LOWORD(lParam) != 0) {
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;

        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s->font);

        case WM_SETFOCUS:
            if (s->edit != nullptr) {
                SetFocus(s->edit);
                return 0;
            }
            if (!s->focused) {
                s->focused = true;
                InvalidateRect(hwnd, nullptr, TRUE);
                notifyParent(hwnd, CBN_SETFOCUS);
            }
            return 0;

        case WM_KILLFOCUS: {
            if (s->edit != nullptr) {
                return 0;
            }
            s->focused = false;
            if (s->dropped) {
                closeList(hwnd, s, false);
                s = g_combos.find(hwnd);
                if (s == nullptr) {
                    return 0;
                }
            }
            InvalidateRect(hwnd, nullptr, TRUE);
            notifyParent(hwnd, CBN_KILLFOCUS);
            return 0;
        }

        case WM_ENABLE:
            if (s->edit != nullptr) {
                EnableWindow(s->edit, static_cast<BOOL>(wParam));
            }
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;

        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!isSimple(hwnd) && !s->dropped && s->edit == nullptr && GetFocus() != hwnd) {
                SetFocus(hwnd);
                s = g_combos.find(hwnd);
                if (s == nullptr) {
                    return 0;
                }
            }
            onButtonDown(hwnd, s, pointFromLParam(lParam));
            return 0;

        case WM_MOUSEMOVE:
            onMouseMove(hwnd, s, pointFromLParam(lParam));
            return 0;

        case WM_LBUTTONUP:
            onButtonUp(hwnd, s, pointFromLParam(lParam));
            return 0;

        case WM_CAPTURECHANGED:
            if (s->dropped && reinterpret_cast<HWND>(lParam) != hwnd) {
                closeList(hwnd, s, false);
            }
            return 0;

        case WM_KEYDOWN:
            if (onKeyDown(hwnd, s, wParam, false)) {
                return 0;
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_SYSKEYDOWN:
            if ((wParam == VK_UP || wParam == VK_DOWN) && onKeyDown(hwnd, s, wParam, true)) {
                return 0;
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_CHAR: {
            if (s->edit != nullptr) {
                return SendMessageA(s->edit, WM_CHAR, wParam, lParam);
            }
            char typed[2] = {static_cast<char>(wParam & 0xFF), '\0'};
            if (static_cast<unsigned char>(typed[0]) < 0x20) {
                return 0;
            }
            int found = findString(s, static_cast<WPARAM>(s->curSel), typed, false);
            if (found != CB_ERR) {
                moveSelection(hwnd, s, found);
            }
            return 0;
        }

        case WM_ERASEBKGND:
            return 1;

        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc != nullptr) {
                paint(hwnd, s, dc);
            }
            EndPaint(hwnd, &ps);
            paintDroppedList(hwnd, s);
            return 0;
        }

        case CB_ADDSTRING: {
            const char* text = reinterpret_cast<const char*>(lParam);
            INT_PTR index = -1;
            if ((windowStyle(hwnd) & CBS_SORT) != 0) {
                std::string value = text != nullptr && !IS_INTRESOURCE(text) ? text : "";
                auto it = std::upper_bound(s->items.begin(), s->items.end(), value,
                                           [](const std::string& v, const Item& item) {
                                               return compareText(v, item.text) < 0;
                                           });
                index = it - s->items.begin();
            }
            return insertItem(hwnd, s, index, text);
        }

        case CB_INSERTSTRING:
            return insertItem(hwnd, s, static_cast<INT_PTR>(wParam),
                              reinterpret_cast<const char*>(lParam));

        case CB_DELETESTRING: {
            if (!validIndex(s, wParam)) {
                return CB_ERR;
            }
            auto index = static_cast<int>(wParam);
            s->items.erase(s->items.begin() + index);
            if (s->curSel == index) {
                s->curSel = CB_ERR;
            } else if (s->curSel > index) {
                --s->curSel;
            }
            if (s->notifiedSel == index) {
                s->notifiedSel = CB_ERR;
            } else if (s->notifiedSel > index) {
                --s->notifiedSel;
            }
            s->topIndex = std::clamp(s->topIndex, 0, std::max(0, itemCount(s) - 1));
            InvalidateRect(hwnd, nullptr, TRUE);
            return itemCount(s);
        }

        case CB_RESETCONTENT:
            s->items.clear();
            s->curSel = CB_ERR;
            s->notifiedSel = CB_ERR;
            s->topIndex = 0;
            if (s->edit != nullptr) {
                SetWindowTextA(s->edit, "");
            }
            InvalidateRect(hwnd, nullptr, TRUE);
            return CB_OKAY;

        case CB_GETCOUNT:
            return itemCount(s);

        case CB_GETCURSEL:
            return s->curSel;

        case CB_SETCURSEL:
            if (!validIndex(s, wParam)) {
                setSelection(hwnd, s, CB_ERR);
                return CB_ERR;
            }
            setSelection(hwnd, s, static_cast<int>(wParam));
            return s->curSel;

        case CB_GETLBTEXT:
            if (!validIndex(s, wParam) || lParam == 0) {
                return CB_ERR;
            }
            {
                const std::string& text = s->items[wParam].text;
                auto* buffer = reinterpret_cast<char*>(lParam);
                text.copy(buffer, text.size());
                buffer[text.size()] = '\0';
                return static_cast<LRESULT>(text.size());
            }

        case CB_GETLBTEXTLEN:
            if (!validIndex(s, wParam)) {
                return CB_ERR;
            }
            return static_cast<LRESULT>(s->items[wParam].text.size());

        case CB_FINDSTRING:
            return findString(s, wParam, reinterpret_cast<const char*>(lParam), false);

        case CB_FINDSTRINGEXACT:
            return findString(s, wParam, reinterpret_cast<const char*>(lParam), true);

        case CB_SELECTSTRING: {
            int found = findString(s, wParam, reinterpret_cast<const char*>(lParam), false);
            if (found != CB_ERR) {
                setSelection(hwnd, s, found);
            }
            return found;
        }

        case CB_SETITEMDATA:
            if (!validIndex(s, wParam)) {
                return CB_ERR;
            }
            s->items[wParam].data = lParam;
            return TRUE;

        case CB_GETITEMDATA:
            if (!validIndex(s, wParam)) {
                return CB_ERR;
            }
            return s->items[wParam].data;

        case CB_SHOWDROPDOWN:
            if (wParam != 0) {
                openList(hwnd, s);
            } else {
                closeList(hwnd, s, false);
            }
            return TRUE;

        case CB_GETDROPPEDSTATE:
            return s->dropped ? TRUE : FALSE;

        case CB_GETDROPPEDCONTROLRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (rect == nullptr) {
                return FALSE;
            }
            RECT list = listRect(hwnd, s);
            RECT whole{0, 0, list.right, list.bottom};
            MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&whole), 2);
            *rect = whole;
            return TRUE;
        }

        case CB_SETDROPPEDWIDTH:
            s->droppedWidth = static_cast<int>(wParam);
            return s->droppedWidth;

        case CB_GETDROPPEDWIDTH: {
            RECT rc;
            GetClientRect(hwnd, &rc);
            return std::max(static_cast<int>(rc.right), s->droppedWidth);
        }

        case CB_GETITEMHEIGHT:
            return static_cast<INT_PTR>(wParam) == -1 ? fieldHeight(s) - kFieldExtra
                                                      : s->itemHeight;

        case CB_SETITEMHEIGHT:
            if (static_cast<INT_PTR>(wParam) != -1) {
                s->itemHeight = std::max(1, static_cast<int>(lParam));
            }
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;

        case CB_GETTOPINDEX:
            return s->topIndex;

        case CB_SETTOPINDEX:
            if (!validIndex(s, wParam)) {
                return CB_ERR;
            }
            s->topIndex = std::clamp(static_cast<int>(wParam), 0,
                                     std::max(0, itemCount(s) - visibleRows(s, hwnd)));
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;

        case CB_SETEXTENDEDUI:
            s->extendedUi = wParam != 0;
            return CB_OKAY;

        case CB_GETEXTENDEDUI:
            return s->extendedUi ? TRUE : FALSE;

        case CB_LIMITTEXT:
            if (s->edit == nullptr) {
                return FALSE;
            }
            SendMessageA(s->edit, EM_LIMITTEXT, wParam, 0);
            return TRUE;

        case CB_GETEDITSEL:
            if (s->edit == nullptr) {
                return CB_ERR;
            }
            return SendMessageA(s->edit, EM_GETSEL, wParam, lParam);

        case CB_SETEDITSEL:
            if (s->edit == nullptr) {
                return CB_ERR;
            }
            SendMessageA(s->edit, EM_SETSEL,
                         static_cast<WPARAM>(static_cast<SHORT>(LOWORD(lParam))),
                         static_cast<SHORT>(HIWORD(lParam)));
            return TRUE;

        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

struct Registration {
    Registration() { registerControlClass(WC_COMBOBOXA, comboProc, CS_DBLCLKS | CS_PARENTDC); }
} g_registration;

}  // namespace
