// Mouse, keyboard and label editing of the list view.
//
// A press of a mouse button on an item selects it at once, as the platform
// does: a plain click selects that item alone (LVN_ITEMCHANGED for every item
// that loses the selection, then for the item that loses the focus, then for
// the clicked item), Ctrl+click toggles the item, Shift+click selects the
// range from the selection mark. Pressing the left button on an item that is
// already part of a multiple selection only moves the focus, so the whole
// selection can be dragged; if the button comes up without a drag, the item
// is then selected alone. Moving the mouse with the button held further than
// half the drag rectangle (SM_CXDRAG x SM_CYDRAG) from the press sends
// LVN_BEGINDRAG (LVN_BEGINRDRAG for the right button) with the item and the
// press point, and no click follows; otherwise the release sends NM_CLICK
// (NM_RCLICK) for the press point, and a right click the parent leaves alone
// (result 0) sends WM_CONTEXTMENU.
//
// Choices where the platform leaves room:
// - A press on empty space deselects every item (unless Ctrl or Shift is
//   held); there is no marquee selection.
// - A double-click selects like a press, then sends NM_DBLCLK (NM_RDBLCLK)
//   and, on an item with the left button, LVN_ITEMACTIVATE; it starts no drag.
// - Keys: arrows, Home, End, Page Up/Down move the focus and select the new
//   focused item alone; with Shift the range from the selection mark, with
//   Ctrl only the focus moves (multiple selection). Space selects the focused
//   item (Ctrl+Space toggles it). Enter sends NM_RETURN and, with a focused
//   item, LVN_ITEMACTIVATE. Every key first sends LVN_KEYDOWN.
// - Labels are edited only through LVM_EDITLABEL, not by clicking a selected
//   label. Enter or losing the focus ends the edit with the text, Escape
//   without; the edit control stays alive while LVN_ENDLABELEDIT is sent.
#include "controls/listview/listview_state.h"

#include "controls/basic/control_util.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace vedrix::controls::listview {
namespace {

WNDPROC g_editClassProc = nullptr;

bool singleSelection(const ListView& lv) {
    return (windowStyle(lv.hwnd) & LVS_SINGLESEL) != 0;
}

bool isSelected(const ListView& lv, int index) {
    return validItem(lv, index) && (lv.items[static_cast<size_t>(index)]->state & LVIS_SELECTED);
}

UINT currentKeyFlags(WPARAM keys) {
    UINT flags = 0;
    if (keys & MK_CONTROL) {
        flags |= LVKF_CONTROL;
    }
    if (keys & MK_SHIFT) {
        flags |= LVKF_SHIFT;
    }
    if (keyDown(VK_MENU)) {
        flags |= LVKF_ALT;
    }
    return flags;
}

UINT keyboardKeyFlags() {
    WPARAM keys = 0;
    if (keyDown(VK_CONTROL)) {
        keys |= MK_CONTROL;
    }
    if (keyDown(VK_SHIFT)) {
        keys |= MK_SHIFT;
    }
    return currentKeyFlags(keys);
}

LRESULT notifyActivate(ListView& lv, UINT code, int item, int subItem, POINT pt, UINT keyFlags) {
    NMITEMACTIVATE nm{};
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.ptAction = pt;
    nm.uKeyFlags = keyFlags;
    if (validItem(lv, item)) {
        nm.lParam = lv.items[static_cast<size_t>(item)]->lParam;
        nm.uNewState = nm.uOldState = lv.items[static_cast<size_t>(item)]->state;
    }
    return notify(lv, code, &nm.hdr);
}

void toggleCheck(ListView& lv, int index) {
    if (!(lv.exStyle & LVS_EX_CHECKBOXES) || !validItem(lv, index)) {
        return;
    }
    UINT checked = (lv.items[static_cast<size_t>(index)]->state & LVIS_STATEIMAGEMASK) >> 12;
    UINT next = checked == 2 ? 1 : 2;
    changeItemState(lv, index, INDEXTOSTATEIMAGEMASK(next), LVIS_STATEIMAGEMASK);
}

LRESULT CALLBACK editSubclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<ListView> lv = findListView(GetParent(edit));
    WNDPROC original = g_editClassProc;
    if (original == nullptr) {
        return DefWindowProcA(edit, message, wParam, lParam);
    }
    if (lv == nullptr || lv->edit != edit) {
        return CallWindowProcA(original, edit, message, wParam, lParam);
    }
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | CallWindowProcA(original, edit, message, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                endLabelEdit(*lv, false);
                return 0;
            }
            if (wParam == VK_ESCAPE) {
                endLabelEdit(*lv, true);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == '\r' || wParam == 0x1B) {
                return 0;
            }
            break;
        case WM_KILLFOCUS: {
            LRESULT result = CallWindowProcA(original, edit, message, wParam, lParam);
            if (lv->edit == edit && !lv->endingEdit) {
                endLabelEdit(*lv, false);
            }
            return result;
        }
        default:
            break;
    }
    return CallWindowProcA(original, edit, message, wParam, lParam);
}

}  // namespace

void onButtonDown(ListView& lv, POINT pt, WPARAM keys, bool right, bool doubleClick) {
    lv.press.active = false;
    if (lv.edit != nullptr) {
        endLabelEdit(lv, false);
    }
    if (GetFocus() != lv.hwnd) {
        SetFocus(lv.hwnd);
    }
    if (lv.destroyed) {
        return;
    }
    LVHITTESTINFO hit{};
    hit.pt = pt;
    int index = hitTest(lv, &hit, false);
    LVHITTESTINFO subHit{};
    subHit.pt = pt;
    hitTest(lv, &subHit, true);
    int subItem = index >= 0 && subHit.iItem == index ? subHit.iSubItem : 0;

    bool ctrl = (keys & MK_CONTROL) != 0;
    bool shift = (keys & MK_SHIFT) != 0;
    bool single = singleSelection(lv);
    UINT keyFlags = currentKeyFlags(keys);
    Item* item = index >= 0 ? lv.items[static_cast<size_t>(index)].get() : nullptr;
    bool deferred = false;

    if (!right) {
        if (index < 0) {
            if (!ctrl && !shift) {
                deselectAllExcept(lv, -1);
            }
        } else if (single || (!ctrl && !shift)) {
            if (!single && isSelected(lv, index) && selectedCount(lv) > 1 && !doubleClick) {
                deferred = true;
                changeItemState(lv, index, LVIS_FOCUSED, LVIS_FOCUSED);
            } else {
                selectOnly(lv, index);
            }
            if (hit.flags & LVHT_ONITEMSTATEICON) {
                toggleCheck(lv, indexOf(lv, item, index));
            }
        } else if (ctrl && !shift) {
            UINT selected = isSelected(lv, index) ? 0 : LVIS_SELECTED;
            changeItemState(lv, index, selected | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            lv.selectionMark = indexOf(lv, item, index);
        } else {
            int focus = focusedItem(lv);
            int anchor = lv.selectionMark >= 0 ? lv.selectionMark : (focus >= 0 ? focus : index);
            selectRange(lv, anchor, index, ctrl);
            if (lv.selectionMark < 0) {
                lv.selectionMark = anchor;
            }
        }
    } else {
        if (index < 0) {
            if (!ctrl && !shift) {
                deselectAllExcept(lv, -1);
            }
        } else if (!isSelected(lv, index)) {
            selectOnly(lv, index);
        } else {
            changeItemState(lv, index, LVIS_FOCUSED, LVIS_FOCUSED);
        }
    }
    if (lv.destroyed) {
        return;
    }
    index = indexOf(lv, item, index);
    if (index < 0) {
        item = nullptr;  // the parent deleted it while it was being selected
    }

    if (doubleClick) {
        notifyActivate(lv, right ? NM_RDBLCLK : NM_DBLCLK, index, subItem, pt, keyFlags);
        index = indexOf(lv, item, index);
        if (!right && index >= 0 && !lv.destroyed) {
            notifyActivate(lv, LVN_ITEMACTIVATE, index, subItem, pt, keyFlags);
        }
        return;
    }
    lv.press.active = true;
    lv.press.right = right;
    lv.press.point = pt;
    lv.press.item = item;
    lv.press.index = index;
    lv.press.subItem = subItem;
    lv.press.hitFlags = hit.flags;
    lv.press.keyFlags = keyFlags;
    lv.press.deferredSelect = deferred;
    SetCapture(lv.hwnd);
}

void onMouseMove(ListView& lv, POINT pt) {
    if (!lv.press.active) {
        return;
    }
    int dragWidth = std::max(1, GetSystemMetrics(SM_CXDRAG));
    int dragHeight = std::max(1, GetSystemMetrics(SM_CYDRAG));
    if (std::abs(pt.x - lv.press.point.x) <= dragWidth / 2 &&
        std::abs(pt.y - lv.press.point.y) <= dragHeight / 2) {
        return;
    }
    Press press = lv.press;
    lv.press.active = false;
    if (GetCapture() == lv.hwnd) {
        ReleaseCapture();
    }
    int index = indexOf(lv, press.item, press.index);
    if (index < 0 || lv.destroyed) {
        return;
    }
    notifyListView(lv, press.right ? LVN_BEGINRDRAG : LVN_BEGINDRAG, index, 0, 0, 0, 0, press.point,
                   lv.items[static_cast<size_t>(index)]->lParam);
}

void onButtonUp(ListView& lv, POINT pt, bool right) {
    (void)pt;
    if (!lv.press.active || lv.press.right != right) {
        return;
    }
    Press press = lv.press;
    lv.press.active = false;
    if (GetCapture() == lv.hwnd) {
        ReleaseCapture();
    }
    int index = indexOf(lv, press.item, press.index);
    if (press.deferredSelect && index >= 0) {
        selectOnly(lv, index);
        index = indexOf(lv, press.item, index);
    }
    if (lv.destroyed) {
        return;
    }
    LRESULT result =
        notifyActivate(lv, right ? NM_RCLICK : NM_CLICK, press.item != nullptr ? index : -1,
                       press.item != nullptr ? press.subItem : 0, press.point, press.keyFlags);
    if (right && result == 0 && !lv.destroyed) {
        POINT screen = press.point;
        ClientToScreen(lv.hwnd, &screen);
        SendMessageA(lv.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(lv.hwnd),
                     MAKELPARAM(screen.x, screen.y));
    }
}

void onCaptureLost(ListView& lv) {
    lv.press.active = false;
}

void onKeyDown(ListView& lv, WPARAM key) {
    NMLVKEYDOWN down{};
    down.wVKey = static_cast<WORD>(key);
    down.flags = 0;
    notify(lv, LVN_KEYDOWN, &down.hdr);
    if (lv.destroyed) {
        return;
    }
    int count = itemCount(lv);
    int focus = focusedItem(lv);
    bool ctrl = keyDown(VK_CONTROL);
    bool shift = keyDown(VK_SHIFT);
    bool single = singleSelection(lv);
    int perPage = std::max(1, countPerPage(lv));
    int target = -1;
    switch (key) {
        case VK_UP:
            target = focus < 0 ? 0 : std::max(0, focus - 1);
            break;
        case VK_DOWN:
            target = focus < 0 ? 0 : std::min(count - 1, focus + 1);
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = count - 1;
            break;
        case VK_PRIOR:
            if (focus > lv.topIndex) {
                target = lv.topIndex;
            } else {
                target = std::max(0, (focus < 0 ? 0 : focus) - (perPage - 1));
            }
            break;
        case VK_NEXT: {
            int bottom = std::min(count - 1, lv.topIndex + perPage - 1);
            if (focus >= lv.topIndex && focus < bottom) {
                target = bottom;
            } else {
                target = std::min(count - 1, (focus < 0 ? 0 : focus) + (perPage - 1));
            }
            break;
        }
        case VK_SPACE:
            if (focus >= 0) {
                if (lv.exStyle & LVS_EX_CHECKBOXES) {
                    toggleCheck(lv, focus);
                } else if (ctrl && !single) {
                    changeItemState(lv, focus, isSelected(lv, focus) ? 0 : LVIS_SELECTED,
                                    LVIS_SELECTED);
                } else {
                    changeItemState(lv, focus, LVIS_SELECTED, LVIS_SELECTED);
                }
                lv.selectionMark = focusedItem(lv);
            }
            return;
        case VK_RETURN: {
            NMHDR nm{};
            notify(lv, NM_RETURN, &nm);
            focus = focusedItem(lv);
            if (focus >= 0 && !lv.destroyed) {
                notifyActivate(lv, LVN_ITEMACTIVATE, focus, 0, POINT{}, keyboardKeyFlags());
            }
            return;
        }
        case VK_LEFT:
        case VK_RIGHT:
            if (isReport(lv)) {
                scroll(lv, key == VK_LEFT ? -7 : 7, 0);
            }
            return;
        default:
            return;
    }
    if (target < 0 || target >= count) {
        return;
    }
    Item* item = lv.items[static_cast<size_t>(target)].get();
    if (ctrl && !shift && !single) {
        changeItemState(lv, target, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (shift && !single) {
        int anchor = lv.selectionMark >= 0 ? lv.selectionMark : (focus >= 0 ? focus : target);
        selectRange(lv, anchor, target, ctrl);
        if (lv.selectionMark < 0) {
            lv.selectionMark = anchor;
        }
    } else {
        selectOnly(lv, target);
    }
    int index = indexOf(lv, item, target);
    if (index >= 0 && !lv.destroyed) {
        ensureVisible(lv, index, false);
    }
}

HWND editLabel(ListView& lv, int index) {
    if (index == -1) {
        if (lv.edit != nullptr) {
            endLabelEdit(lv, true);
        }
        return nullptr;
    }
    if (!validItem(lv, index)) {
        return nullptr;
    }
    Item* item = lv.items[static_cast<size_t>(index)].get();
    if (lv.edit != nullptr) {
        endLabelEdit(lv, false);
    }
    if (GetFocus() != lv.hwnd) {
        SetFocus(lv.hwnd);
    }
    index = indexOf(lv, item, index);
    if (index < 0 || lv.destroyed) {
        return nullptr;
    }
    std::string text = itemText(lv, index, 0);
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    NMLVDISPINFOA info{};
    info.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    info.item.iItem = index;
    info.item.pszText = buffer.data();
    info.item.cchTextMax = static_cast<int>(buffer.size());
    info.item.lParam = item->lParam;
    info.item.state = item->state;
    if (notify(lv, LVN_BEGINLABELEDITA, &info.hdr) != 0) {
        return nullptr;
    }
    index = indexOf(lv, item, index);
    if (index < 0 || lv.destroyed) {
        return nullptr;
    }
    ensureVisible(lv, index, false);
    ItemGeometry g = itemGeometry(lv, index);
    RECT box = g.label;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(lv.hwnd, GWLP_HINSTANCE));
    HWND edit = CreateWindowExA(0, "Edit", text.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL,
                                box.left, box.top, std::max<LONG>(0, box.right - box.left),
                                box.bottom - box.top, lv.hwnd, nullptr, instance, nullptr);
    if (edit == nullptr) {
        return nullptr;
    }
    if (lv.font != nullptr) {
        SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(lv.font), FALSE);
    }
    auto original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&editSubclassProc)));
    if (g_editClassProc == nullptr) {
        g_editClassProc = original;
    }
    lv.edit = edit;
    lv.editProc = original;
    lv.editItem = item;
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
    return edit;
}

void endLabelEdit(ListView& lv, bool cancel) {
    if (lv.edit == nullptr || lv.endingEdit) {
        return;
    }
    lv.endingEdit = true;
    HWND edit = lv.edit;
    Item* item = lv.editItem;
    bool hadFocus = GetFocus() == edit;
    std::string text = windowText(edit);
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    int index = indexOf(lv, item);
    if (index >= 0) {
        NMLVDISPINFOA info{};
        info.item.mask = LVIF_TEXT | LVIF_PARAM;
        info.item.iItem = index;
        info.item.pszText = cancel ? nullptr : buffer.data();
        info.item.cchTextMax = cancel ? 0 : static_cast<int>(buffer.size());
        info.item.lParam = item->lParam;
        LRESULT accepted = notify(lv, LVN_ENDLABELEDITA, &info.hdr);
        index = indexOf(lv, item, index);
        if (!cancel && accepted != 0 && index >= 0 && !lv.destroyed) {
            LVITEMA change{};
            change.mask = LVIF_TEXT;
            change.iItem = index;
            change.pszText = buffer.data();
            setItem(lv, &change);
        }
    }
    lv.edit = nullptr;
    lv.editItem = nullptr;
    lv.editProc = nullptr;
    DestroyWindow(edit);
    if (hadFocus && !lv.destroyed) {
        SetFocus(lv.hwnd);
    }
    lv.endingEdit = false;
    invalidate(lv);
}

}  // namespace vedrix::controls::listview
