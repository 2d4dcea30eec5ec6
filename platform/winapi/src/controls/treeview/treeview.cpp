// The tree view control ("SysTreeView32"): window procedure, notifications,
// selection, expansion, label editing, mouse and keyboard.
//
// Choices where the platform leaves room (kept deterministic):
// - A left click selects the item when the button is released without a
//   drag; NM_CLICK is sent first (so the parent still sees the old
//   selection) and a non-zero result skips the default handling. A press
//   that moves more than SM_CXDRAG / SM_CYDRAG pixels with the button held
//   sends TVN_BEGINDRAG (TVN_BEGINRDRAG for the right button) with the point
//   of the press, and selects nothing.
// - A click on the label of the item that was already selected, with
//   TVS_EDITLABELS, opens the label edit once the double-click time has
//   passed on the (virtual) clock without a double-click.
// - While NM_RCLICK is sent, the right-clicked item carries the drop
//   highlight (TVGN_DROPHILITE), which is restored afterwards; a zero result
//   sends WM_CONTEXTMENU, which the default window procedure passes up.
// - Deleting the selected item (or its branch) first selects its next
//   sibling, else its previous sibling, else its parent, with the selection
//   notifications (TVC_UNKNOWN). Deleting all items selects nothing, with the
//   notifications; destroying the control sends none.
// - Keys move the selection, expand and collapse, toggle a check box
//   (Space) and send NM_RETURN (Enter); no key opens a label edit (F2 is the
//   parent's to handle, after TVN_KEYDOWN), as the control's documented
//   keyboard handling has none.
// - Getting the focus with nothing selected selects the first visible item,
//   with the selection notifications (TVC_UNKNOWN).
// - TVM_EXPAND sends TVN_ITEMEXPANDING/TVN_ITEMEXPANDED only while the item
//   has not TVIS_EXPANDEDONCE; expansion by mouse or keyboard always sends
//   them.
// - A label edit ends exactly once, with TVN_ENDLABELEDIT: Enter and the
//   focus moving elsewhere commit, Escape cancels (pszText NULL), as does
//   deleting the item; TVM_ENDEDITLABELNOW commits or cancels. Destroying the
//   control first takes the focus from the edit, which commits; an edit that
//   has no focus then is cancelled. The label takes the text only when the
//   parent returns TRUE.
#include "controls/treeview/treeview_state.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <unordered_map>

namespace vedrix::controls::treeview {

namespace {

constexpr UINT_PTR kEditTimer = 0x7E01;
// The label edit's identifier: 0, so that its notifications, which reach
// the tree's parent, are never taken for a command such as IDOK.
constexpr int kEditControlId = 0;

std::unordered_map<HWND, std::shared_ptr<Tree>>& trees() {
    static auto* table = new std::unordered_map<HWND, std::shared_ptr<Tree>>();
    return *table;
}

std::unordered_map<HWND, WNDPROC>& editProcedures() {
    static auto* table = new std::unordered_map<HWND, WNDPROC>();
    return *table;
}

// The window looked up last and its entry in trees(): a tree answers many
// messages in a row (a fill, a walk over its items), and an entry stays
// where it is until its window leaves the table.
struct LastLookup {
    HWND hwnd = nullptr;
    std::shared_ptr<Tree>* entry = nullptr;
};
LastLookup g_lastLookup;

std::shared_ptr<Tree> treeOf(HWND hwnd) {
    if (g_lastLookup.entry != nullptr && g_lastLookup.hwnd == hwnd) {
        return *g_lastLookup.entry;
    }
    auto& table = trees();
    auto it = table.find(hwnd);
    if (it == table.end()) {
        return nullptr;
    }
    g_lastLookup = LastLookup{hwnd, &it->second};
    return it->second;
}

void forgetTree(HWND hwnd) {
    trees().erase(hwnd);
    g_lastLookup = LastLookup{};
}

DWORD styleOf(const Tree& tree) {
    return static_cast<DWORD>(GetWindowLongPtrA(tree.hwnd, GWL_STYLE));
}

POINT pointOf(LPARAM lParam) {
    POINT pt;
    pt.x = static_cast<SHORT>(LOWORD(lParam));
    pt.y = static_cast<SHORT>(HIWORD(lParam));
    return pt;
}

std::string windowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) {
        return std::string();
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

Item* parentOrRoot(Tree& tree, HTREEITEM handle) {
    if (handle == nullptr || handle == TVI_ROOT) {
        return &tree.root;
    }
    return findItem(tree, handle);
}

void setDropHighlight(Tree& tree, Item* item) {
    if (tree.drop == item) {
        return;
    }
    if (tree.drop != nullptr) {
        tree.drop->state &= ~static_cast<UINT>(TVIS_DROPHILITED);
    }
    tree.drop = item;
    if (item != nullptr) {
        item->state |= TVIS_DROPHILITED;
    }
    invalidate(tree);
}

// Cycles the state image of a check-box tree: 1 (unchecked) and 2 (checked),
// and on through any further images of the state list.
void toggleCheck(Tree& tree, Item* item) {
    UINT index = (item->state & TVIS_STATEIMAGEMASK) >> 12;
    int count = tree.stateImages != nullptr ? ImageList_GetImageCount(tree.stateImages) : 3;
    UINT next = index + 1;
    if (next >= static_cast<UINT>(count > 1 ? count : 3) || next > 15) {
        next = 1;
    }
    item->state =
        (item->state & ~static_cast<UINT>(TVIS_STATEIMAGEMASK)) | INDEXTOSTATEIMAGEMASK(next);
    invalidate(tree);
}

// --- label editing --------------------------------------------------------

void placeEdit(Tree& tree, const RECT& label) {
    if (tree.edit == nullptr) {
        return;
    }
    std::string text = windowText(tree.edit);
    Item* item = findItem(tree, tree.editItem);
    int width = (item != nullptr ? labelTextWidth(tree, item, text) : 0) + 14;
    int minimum = label.right - label.left;
    if (width < minimum) {
        width = minimum;
    }
    RECT client;
    GetClientRect(tree.hwnd, &client);
    if (label.left + width > client.right && client.right - label.left >= minimum) {
        width = client.right - label.left;
    }
    MoveWindow(tree.edit, label.left, label.top, width, label.bottom - label.top, TRUE);
}

LRESULT CALLBACK editProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& procedures = editProcedures();
    auto found = procedures.find(edit);
    WNDPROC previous = found != procedures.end() ? found->second : DefWindowProcA;
    std::shared_ptr<Tree> tree = treeOf(GetParent(edit));
    bool ours = tree && tree->edit == edit;
    switch (message) {
        case WM_GETDLGCODE:
            // Enter and Escape end the edit; a dialog must not take them.
            return DLGC_WANTALLKEYS | CallWindowProcA(previous, edit, message, wParam, lParam);
        case WM_KEYDOWN:
            if (ours && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
                endLabelEdit(*tree, wParam == VK_ESCAPE);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == '\r' || wParam == '\n' || wParam == 0x1B) {
                return 0;
            }
            break;
        case WM_KILLFOCUS: {
            LRESULT result = CallWindowProcA(previous, edit, message, wParam, lParam);
            if (ours) {
                endLabelEdit(*tree, false, true);
            }
            return result;
        }
        case WM_NCDESTROY: {
            LRESULT result = CallWindowProcA(previous, edit, message, wParam, lParam);
            editProcedures().erase(edit);
            return result;
        }
        default:
            break;
    }
    return CallWindowProcA(previous, edit, message, wParam, lParam);
}

HWND beginLabelEdit(Tree& tree, DWORD id) {
    if (tree.edit != nullptr) {
        endLabelEdit(tree, false);
        if (tree.destroyed) {
            return nullptr;
        }
    }
    Item* item = findItem(tree, id);
    if (item == nullptr || item->deleting) {
        return nullptr;
    }
    if (tree.caret != item) {
        selectCaret(tree, id, TVC_UNKNOWN);
        if (tree.destroyed) {
            return nullptr;
        }
        item = findItem(tree, id);
        if (item == nullptr || tree.caret != item) {
            return nullptr;
        }
    }
    scrollIntoView(tree, item);
    std::string text = displayText(tree, item);
    item = findItem(tree, id);
    if (tree.destroyed || item == nullptr) {
        return nullptr;
    }
    RowGeometry geometry;
    if (!rowGeometry(tree, item, geometry)) {
        return nullptr;
    }
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(tree.hwnd, GWLP_HINSTANCE));
    HWND edit = CreateWindowExA(
        0, "Edit", text.c_str(), WS_CHILD | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL,
        geometry.label.left, geometry.label.top, geometry.label.right - geometry.label.left,
        geometry.label.bottom - geometry.label.top, tree.hwnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditControlId)), instance, nullptr);
    if (edit == nullptr) {
        return nullptr;
    }
    if (tree.font != nullptr) {
        SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(tree.font), FALSE);
    }
    editProcedures()[edit] = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC));
    SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&editProcedure));
    tree.edit = edit;
    tree.editItem = id;
    placeEdit(tree, geometry.label);

    // The parent may look at or adjust the edit (TVM_GETEDITCONTROL) and
    // refuse the edit with a non-zero result.
    NMTVDISPINFOA info{};
    std::string buffer = text;
    buffer.push_back('\0');
    info.item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_TEXT;
    info.item.hItem = handleOf(item);
    info.item.state = item->state;
    info.item.stateMask = 0xFFFFFFFFu;
    info.item.lParam = item->lParam;
    info.item.pszText = buffer.data();
    info.item.cchTextMax = static_cast<int>(buffer.size());
    info.item.iImage = item->image;
    info.item.iSelectedImage = item->selectedImage;
    LRESULT refused = notify(tree, TVN_BEGINLABELEDITA, &info.hdr);
    if (tree.destroyed) {
        return nullptr;
    }
    if (tree.edit != edit) {
        return nullptr;  // ended meanwhile (the item went away)
    }
    if (refused != 0) {
        tree.edit = nullptr;
        tree.editItem = 0;
        DestroyWindow(edit);
        return nullptr;
    }
    SendMessageA(edit, EM_SETSEL, 0, -1);
    ShowWindow(edit, SW_SHOW);
    SetFocus(edit);
    invalidate(tree);
    return tree.edit;
}

// --- keyboard -------------------------------------------------------------

void selectByKeyboard(Tree& tree, Item* item) {
    if (item != nullptr) {
        selectCaret(tree, item->id, TVC_BYKEYBOARD);
    }
}

void expandBranch(Tree& tree, DWORD id) {
    std::vector<DWORD> pending{id};
    while (!pending.empty() && !tree.destroyed) {
        DWORD current = pending.back();
        pending.pop_back();
        Item* item = findItem(tree, current);
        if (item == nullptr) {
            continue;
        }
        if ((item->state & TVIS_EXPANDED) == 0) {
            expandItem(tree, item, TVE_EXPAND, true);
            item = findItem(tree, current);
            if (item == nullptr || tree.destroyed) {
                continue;
            }
        }
        for (Item* child = item->lastChild; child != nullptr; child = child->prev) {
            pending.push_back(child->id);
        }
    }
}

void keyDown(Tree& tree, WPARAM key) {
    NMTVKEYDOWN nm{};
    nm.wVKey = static_cast<WORD>(key);
    nm.flags = 0;
    notify(tree, TVN_KEYDOWN, &nm.hdr);
    if (tree.destroyed) {
        return;
    }
    const DWORD style = styleOf(tree);
    Item* caret = tree.caret;
    switch (key) {
        case VK_UP:
            if (caret == nullptr) {
                selectByKeyboard(tree, tree.root.firstChild);
            } else {
                selectByKeyboard(tree, previousVisible(tree, caret));
            }
            break;
        case VK_DOWN:
            if (caret == nullptr) {
                selectByKeyboard(tree, tree.root.firstChild);
            } else {
                selectByKeyboard(tree, nextVisible(tree, caret));
            }
            break;
        case VK_HOME:
            selectByKeyboard(tree, tree.root.firstChild);
            break;
        case VK_END:
            selectByKeyboard(tree, lastVisible(tree));
            break;
        case VK_PRIOR:
        case VK_NEXT: {
            ensureLayout(tree);
            if (tree.rows.empty()) {
                break;
            }
            int page = pageRows(tree) > 1 ? pageRows(tree) - 1 : 1;
            int row =
                caret != nullptr && caret->rowGeneration == tree.layoutGeneration ? caret->row : 0;
            row += key == VK_NEXT ? page : -page;
            if (row < 0) {
                row = 0;
            }
            if (row >= static_cast<int>(tree.rows.size())) {
                row = static_cast<int>(tree.rows.size()) - 1;
            }
            selectByKeyboard(tree, tree.rows[static_cast<size_t>(row)]);
            break;
        }
        case VK_LEFT:
            if (caret != nullptr) {
                if ((caret->state & TVIS_EXPANDED) != 0 && caret->firstChild != nullptr) {
                    expandItem(tree, caret, TVE_COLLAPSE, true);
                } else if (caret->parent != &tree.root) {
                    selectByKeyboard(tree, caret->parent);
                }
            }
            break;
        case VK_BACK:
            if (caret != nullptr && caret->parent != &tree.root) {
                selectByKeyboard(tree, caret->parent);
            }
            break;
        case VK_RIGHT:
            if (caret != nullptr) {
                if ((caret->state & TVIS_EXPANDED) == 0) {
                    if (hasChildren(tree, caret)) {
                        expandItem(tree, caret, TVE_EXPAND, true);
                    }
                } else if (caret->firstChild != nullptr) {
                    selectByKeyboard(tree, caret->firstChild);
                }
            }
            break;
        case VK_ADD:
            if (caret != nullptr && (caret->state & TVIS_EXPANDED) == 0) {
                expandItem(tree, caret, TVE_EXPAND, true);
            }
            break;
        case VK_SUBTRACT:
            if (caret != nullptr && (caret->state & TVIS_EXPANDED) != 0) {
                expandItem(tree, caret, TVE_COLLAPSE, true);
            }
            break;
        case VK_MULTIPLY:
            if (caret != nullptr) {
                expandBranch(tree, caret->id);
            }
            break;
        case VK_SPACE:
            if ((style & TVS_CHECKBOXES) != 0 && caret != nullptr) {
                toggleCheck(tree, caret);
            }
            break;
        case VK_RETURN: {
            NMHDR header{};
            notify(tree, NM_RETURN, &header);
            break;
        }
        default:
            break;
    }
}

// --- mouse ----------------------------------------------------------------

void buttonDown(Tree& tree, POINT pt, bool right) {
    KillTimer(tree.hwnd, kEditTimer);
    tree.editPendingItem = 0;
    if (tree.edit != nullptr) {
        endLabelEdit(tree, false);
        if (tree.destroyed) {
            return;
        }
    }
    if (GetFocus() != tree.hwnd) {
        SetFocus(tree.hwnd);
        if (tree.destroyed) {
            return;
        }
    }
    TVHITTESTINFO hit{};
    hit.pt = pt;
    hitTest(tree, &hit);
    Item* item = findItem(tree, hit.hItem);
    if (!right && item != nullptr && (hit.flags & TVHT_ONITEMBUTTON) != 0) {
        expandItem(tree, item, TVE_TOGGLE, true);
        return;
    }
    tree.press = Press{};
    tree.press.active = true;
    tree.press.right = right;
    tree.press.point = pt;
    tree.press.item = item != nullptr ? item->id : 0;
    tree.press.hit = hit.flags;
    tree.press.wasCaret = item != nullptr && item == tree.caret;
    SetCapture(tree.hwnd);
}

bool onItem(const Tree& tree, UINT hit) {
    if ((hit & TVHT_ONITEM) != 0) {
        return true;
    }
    return (styleOf(tree) & TVS_FULLROWSELECT) != 0 &&
           (hit & (TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT)) != 0;
}

void beginDrag(Tree& tree) {
    Press press = tree.press;
    tree.press = Press{};
    if (GetCapture() == tree.hwnd) {
        ReleaseCapture();
    }
    if (!onItem(tree, press.hit)) {
        return;
    }
    if (!press.right && (styleOf(tree) & TVS_DISABLEDRAGDROP) != 0) {
        return;
    }
    Item* item = findItem(tree, press.item);
    if (item == nullptr) {
        return;
    }
    NMTREEVIEWA nm{};
    fillNotifyItem(item, nm.itemNew);
    nm.ptDrag = press.point;
    notify(tree, press.right ? TVN_BEGINRDRAGA : TVN_BEGINDRAGA, &nm.hdr);
}

void mouseMove(Tree& tree, POINT pt, WPARAM keys) {
    if (!tree.press.active) {
        return;
    }
    bool held = (keys & (tree.press.right ? MK_RBUTTON : MK_LBUTTON)) != 0;
    if (!held) {
        return;
    }
    int cx = GetSystemMetrics(SM_CXDRAG);
    int cy = GetSystemMetrics(SM_CYDRAG);
    if (cx <= 0) {
        cx = 4;
    }
    if (cy <= 0) {
        cy = 4;
    }
    if (std::abs(pt.x - tree.press.point.x) > cx || std::abs(pt.y - tree.press.point.y) > cy) {
        beginDrag(tree);
    }
}

void leftClick(Tree& tree, const Press& press) {
    NMHDR header{};
    if (notify(tree, NM_CLICK, &header) != 0 || tree.destroyed) {
        return;
    }
    Item* item = findItem(tree, press.item);
    if (item == nullptr || !onItem(tree, press.hit)) {
        return;
    }
    const DWORD style = styleOf(tree);
    if ((press.hit & TVHT_ONITEMSTATEICON) != 0 && (style & TVS_CHECKBOXES) != 0) {
        toggleCheck(tree, item);
        return;
    }
    selectCaret(tree, press.item, TVC_BYMOUSE);
    if (tree.destroyed) {
        return;
    }
    if ((style & TVS_EDITLABELS) != 0 && press.wasCaret && (press.hit & TVHT_ONITEMLABEL) != 0 &&
        tree.caret != nullptr && tree.caret->id == press.item) {
        tree.editPendingItem = press.item;
        SetTimer(tree.hwnd, kEditTimer, GetDoubleClickTime(), nullptr);
    }
}

void rightClick(Tree& tree, const Press& press, POINT pt) {
    Item* item = onItem(tree, press.hit) ? findItem(tree, press.item) : nullptr;
    const DWORD saved = tree.drop != nullptr ? tree.drop->id : 0;
    if (item != nullptr) {
        setDropHighlight(tree, item);
    }
    NMHDR header{};
    LRESULT handled = notify(tree, NM_RCLICK, &header);
    if (tree.destroyed) {
        return;
    }
    if (item != nullptr && tree.drop != nullptr && tree.drop->id == press.item) {
        setDropHighlight(tree, findItem(tree, saved));
    }
    if (handled == 0) {
        POINT screen = pt;
        ClientToScreen(tree.hwnd, &screen);
        SendMessageA(tree.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree.hwnd),
                     MAKELPARAM(screen.x, screen.y));
    }
}

void buttonUp(Tree& tree, POINT pt, bool right) {
    if (!tree.press.active || tree.press.right != right) {
        return;
    }
    Press press = tree.press;
    tree.press = Press{};
    if (GetCapture() == tree.hwnd) {
        ReleaseCapture();
    }
    if (tree.destroyed) {
        return;
    }
    if (right) {
        rightClick(tree, press, pt);
    } else {
        leftClick(tree, press);
    }
}

void doubleClick(Tree& tree, POINT pt, bool right) {
    if (right) {
        NMHDR header{};
        notify(tree, NM_RDBLCLK, &header);
        return;
    }
    KillTimer(tree.hwnd, kEditTimer);
    tree.editPendingItem = 0;
    TVHITTESTINFO hit{};
    hit.pt = pt;
    hitTest(tree, &hit);
    Item* hitItem = findItem(tree, hit.hItem);
    const DWORD id = hitItem != nullptr ? hitItem->id : 0;
    if ((hit.flags & TVHT_ONITEMBUTTON) != 0) {
        Item* item = findItem(tree, id);
        if (item != nullptr) {
            expandItem(tree, item, TVE_TOGGLE, true);
        }
        return;
    }
    NMHDR header{};
    if (notify(tree, NM_DBLCLK, &header) != 0 || tree.destroyed) {
        return;
    }
    Item* item = findItem(tree, id);
    if (item != nullptr && onItem(tree, hit.flags)) {
        expandItem(tree, item, TVE_TOGGLE, true);
    }
}

// --- scrolling ------------------------------------------------------------

void verticalScroll(Tree& tree, WPARAM wParam) {
    ensureLayout(tree);
    int top = topRow(tree);
    int page = pageRows(tree) > 0 ? pageRows(tree) : 1;
    switch (LOWORD(wParam)) {
        case SB_LINEUP:
            --top;
            break;
        case SB_LINEDOWN:
            ++top;
            break;
        case SB_PAGEUP:
            top -= page;
            break;
        case SB_PAGEDOWN:
            top += page;
            break;
        case SB_TOP:
            top = 0;
            break;
        case SB_BOTTOM:
            top = static_cast<int>(tree.rows.size());
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            top = GetScrollInfo(tree.hwnd, SB_VERT, &info) ? info.nTrackPos : HIWORD(wParam);
            break;
        }
        default:
            return;
    }
    setTopRow(tree, top);
}

// A notification of the label edit: the tree keeps the edit as wide as its
// text and passes every notification but EN_UPDATE and EN_KILLFOCUS (the
// end of the edit is the tree's) on to its parent.
void labelEditCommand(Tree& tree, WPARAM wParam, LPARAM lParam) {
    const WORD code = HIWORD(wParam);
    if (code == EN_CHANGE) {
        Item* item = findItem(tree, tree.editItem);
        RowGeometry geometry;
        if (item != nullptr && rowGeometry(tree, item, geometry)) {
            placeEdit(tree, geometry.label);
        }
    }
    if (code != EN_UPDATE && code != EN_KILLFOCUS) {
        SendMessageA(GetParent(tree.hwnd), WM_COMMAND, wParam, lParam);
    }
}

// Switching TVS_CHECKBOXES on gives the tree its check box images, if it
// has no state images, and every item an empty box, whatever state image it
// had.
void switchCheckBoxesOn(Tree& tree) {
    if (tree.stateImages == nullptr) {
        tree.stateImages = createCheckBoxImages();
    }
    tree.items.forEach([](Item& item) {
        item.state =
            (item.state & ~static_cast<UINT>(TVIS_STATEIMAGEMASK)) | INDEXTOSTATEIMAGEMASK(1);
    });
}

// --- window procedure -----------------------------------------------------

LRESULT handleMessage(Tree& tree, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = tree.hwnd;
    switch (message) {
        case WM_CREATE:
            if ((styleOf(tree) & TVS_CHECKBOXES) != 0 && tree.stateImages == nullptr) {
                tree.stateImages = createCheckBoxImages();
            }
            return 0;
        case WM_STYLECHANGED:
            if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
                auto* change = reinterpret_cast<const STYLESTRUCT*>(lParam);
                if (change != nullptr && (change->styleNew & TVS_CHECKBOXES) != 0 &&
                    (change->styleOld & TVS_CHECKBOXES) == 0) {
                    switchCheckBoxesOn(tree);
                }
                invalidateLayout(tree);
                invalidate(tree);
            }
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd, kEditTimer);
            if (tree.edit != nullptr) {
                endLabelEdit(tree, true);
            }
            if (GetCapture() == hwnd) {
                ReleaseCapture();
            }
            deleteAll(tree, false);
            if (tree.boldFont != nullptr) {
                DeleteObject(tree.boldFont);
                tree.boldFont = nullptr;
            }
            return 0;

        case TVM_INSERTITEMA:
            return reinterpret_cast<LRESULT>(
                insertItem(tree, reinterpret_cast<const TVINSERTSTRUCTA*>(lParam)));
        case TVM_DELETEITEM:
            return deleteItem(tree, reinterpret_cast<HTREEITEM>(lParam));
        case TVM_EXPAND: {
            Item* item = findItem(tree, reinterpret_cast<HTREEITEM>(lParam));
            return item != nullptr ? expandItem(tree, item, static_cast<UINT>(wParam), false)
                                   : FALSE;
        }
        case TVM_GETITEMRECT:
            return itemRect(tree, reinterpret_cast<RECT*>(lParam), wParam != 0);
        case TVM_GETCOUNT:
            return static_cast<LRESULT>(tree.items.size());
        case TVM_GETINDENT:
            return tree.indent;
        case TVM_SETINDENT: {
            int indent = static_cast<int>(wParam);
            tree.indent = indent < 5 ? 5 : indent;
            invalidate(tree);
            return TRUE;
        }
        case TVM_GETIMAGELIST:
            if (wParam == TVSIL_NORMAL) {
                return reinterpret_cast<LRESULT>(tree.normalImages);
            }
            if (wParam == TVSIL_STATE) {
                return reinterpret_cast<LRESULT>(tree.stateImages);
            }
            return 0;
        case TVM_SETIMAGELIST: {
            HIMAGELIST list = reinterpret_cast<HIMAGELIST>(lParam);
            HIMAGELIST previous = nullptr;
            if (wParam == TVSIL_NORMAL) {
                previous = tree.normalImages;
                tree.normalImages = list;
            } else if (wParam == TVSIL_STATE) {
                previous = tree.stateImages;
                tree.stateImages = list;
            } else {
                return 0;
            }
            invalidateLayout(tree);
            invalidate(tree);
            return reinterpret_cast<LRESULT>(previous);
        }
        case TVM_GETNEXTITEM: {
            HTREEITEM handle = reinterpret_cast<HTREEITEM>(lParam);
            Item* result = nullptr;
            const WPARAM code = wParam & 0x0F;
            switch (code) {
                case TVGN_ROOT:
                    result = tree.root.firstChild;
                    break;
                case TVGN_NEXT:
                case TVGN_PREVIOUS:
                case TVGN_PARENT: {
                    Item* item = findItem(tree, handle);
                    if (item != nullptr) {
                        result = code == TVGN_NEXT       ? item->next
                                 : code == TVGN_PREVIOUS ? item->prev
                                                         : item->parent;
                    }
                    break;
                }
                case TVGN_CHILD: {
                    Item* item = parentOrRoot(tree, handle);
                    result = item != nullptr ? item->firstChild : nullptr;
                    break;
                }
                case TVGN_FIRSTVISIBLE: {
                    ensureLayout(tree);
                    int top = topRow(tree);
                    if (top < static_cast<int>(tree.rows.size())) {
                        result = tree.rows[static_cast<size_t>(top)];
                    }
                    break;
                }
                case TVGN_NEXTVISIBLE:
                    result = nextVisible(tree, findItem(tree, handle));
                    break;
                case TVGN_PREVIOUSVISIBLE:
                    result = previousVisible(tree, findItem(tree, handle));
                    break;
                case TVGN_DROPHILITE:
                    result = tree.drop;
                    break;
                case TVGN_CARET:
                    result = tree.caret;
                    break;
                case TVGN_LASTVISIBLE:
                    result = lastVisible(tree);
                    break;
                default:
                    break;
            }
            return reinterpret_cast<LRESULT>(handleOf(result));
        }
        case TVM_SELECTITEM: {
            HTREEITEM handle = reinterpret_cast<HTREEITEM>(lParam);
            Item* item = findItem(tree, handle);
            if (handle != nullptr && item == nullptr) {
                return FALSE;
            }
            switch (wParam & ~static_cast<WPARAM>(TVSI_NOSINGLEEXPAND)) {
                case TVGN_CARET:
                    return selectCaret(tree, item != nullptr ? item->id : 0, TVC_UNKNOWN);
                case TVGN_DROPHILITE:
                    setDropHighlight(tree, item);
                    return TRUE;
                case TVGN_FIRSTVISIBLE:
                    if (item == nullptr) {
                        return FALSE;
                    }
                    ensureLayout(tree);
                    if (item->rowGeneration != tree.layoutGeneration) {
                        return FALSE;
                    }
                    setTopRow(tree, item->row);
                    return TRUE;
                default:
                    return FALSE;
            }
        }
        case TVM_GETITEMA:
            return getItem(tree, reinterpret_cast<TVITEMEXA*>(lParam));
        case TVM_SETITEMA:
            return setItem(tree, reinterpret_cast<const TVITEMEXA*>(lParam));
        case TVM_EDITLABELA: {
            Item* item = findItem(tree, reinterpret_cast<HTREEITEM>(lParam));
            return reinterpret_cast<LRESULT>(item != nullptr ? beginLabelEdit(tree, item->id)
                                                             : nullptr);
        }
        case TVM_GETEDITCONTROL:
            return reinterpret_cast<LRESULT>(tree.edit);
        case TVM_GETVISIBLECOUNT:
            return pageRows(tree);
        case TVM_HITTEST:
            return reinterpret_cast<LRESULT>(
                hitTest(tree, reinterpret_cast<TVHITTESTINFO*>(lParam)));
        case TVM_CREATEDRAGIMAGE:
            return reinterpret_cast<LRESULT>(
                createDragImage(tree, findItem(tree, reinterpret_cast<HTREEITEM>(lParam))));
        case TVM_SORTCHILDREN:
            return sortChildren(tree, reinterpret_cast<HTREEITEM>(lParam), wParam != 0);
        case TVM_SORTCHILDRENCB:
            return sortChildrenCallback(tree, reinterpret_cast<const TVSORTCB*>(lParam));
        case TVM_ENSUREVISIBLE: {
            Item* item = findItem(tree, reinterpret_cast<HTREEITEM>(lParam));
            if (item == nullptr) {
                return FALSE;
            }
            const DWORD id = item->id;
            // Expand the collapsed ancestors, outermost first.
            std::vector<DWORD> ancestors;
            for (Item* p = item->parent; p != nullptr && p->depth >= 0; p = p->parent) {
                if ((p->state & TVIS_EXPANDED) == 0) {
                    ancestors.push_back(p->id);
                }
            }
            bool expanded = false;
            for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
                Item* ancestor = findItem(tree, *it);
                if (ancestor != nullptr) {
                    expandItem(tree, ancestor, TVE_EXPAND, false);
                    expanded = true;
                }
                if (tree.destroyed) {
                    return FALSE;
                }
            }
            item = findItem(tree, id);
            if (item == nullptr) {
                return FALSE;
            }
            bool scrolled = scrollIntoView(tree, item);
            return scrolled && !expanded ? TRUE : FALSE;
        }
        case TVM_ENDEDITLABELNOW:
            return endLabelEdit(tree, wParam != 0) ? TRUE : FALSE;
        case TVM_GETISEARCHSTRINGA:
            if (lParam != 0) {
                reinterpret_cast<char*>(lParam)[0] = '\0';
            }
            return 0;
        case TVM_SETTOOLTIPS: {
            HWND previous = tree.tooltips;
            tree.tooltips = reinterpret_cast<HWND>(wParam);
            return reinterpret_cast<LRESULT>(previous);
        }
        case TVM_GETTOOLTIPS:
            return reinterpret_cast<LRESULT>(tree.tooltips);
        case TVM_SETINSERTMARK: {
            HTREEITEM handle = reinterpret_cast<HTREEITEM>(lParam);
            Item* item = findItem(tree, handle);
            if (handle != nullptr && item == nullptr) {
                return FALSE;
            }
            tree.insertMark = item;
            tree.insertMarkAfter = wParam != 0;
            invalidate(tree);
            return TRUE;
        }
        case TVM_SETITEMHEIGHT: {
            int previous = itemHeight(tree);
            int height = static_cast<int>(static_cast<INT_PTR>(wParam));
            if (height == -1) {
                tree.explicitItemHeight = 0;
            } else {
                if (height < 1) {
                    height = 1;
                }
                if ((styleOf(tree) & TVS_NONEVENHEIGHT) == 0 && height > 1) {
                    height &= ~1;
                }
                tree.explicitItemHeight = height;
            }
            invalidate(tree);
            return previous;
        }
        case TVM_GETITEMHEIGHT:
            return itemHeight(tree);
        case TVM_SETBKCOLOR:
        case TVM_SETTEXTCOLOR:
        case TVM_SETLINECOLOR:
        case TVM_SETINSERTMARKCOLOR: {
            COLORREF* slot = message == TVM_SETBKCOLOR     ? &tree.bkColor
                             : message == TVM_SETTEXTCOLOR ? &tree.textColor
                             : message == TVM_SETLINECOLOR ? &tree.lineColor
                                                           : &tree.insertMarkColor;
            COLORREF previous = *slot;
            *slot = static_cast<COLORREF>(lParam);
            invalidate(tree);
            return static_cast<LRESULT>(static_cast<LONG>(previous));
        }
        case TVM_GETBKCOLOR:
            return static_cast<LRESULT>(static_cast<LONG>(tree.bkColor));
        case TVM_GETTEXTCOLOR:
            return static_cast<LRESULT>(static_cast<LONG>(tree.textColor));
        case TVM_GETLINECOLOR:
            return static_cast<LRESULT>(static_cast<LONG>(tree.lineColor));
        case TVM_GETINSERTMARKCOLOR:
            return static_cast<LRESULT>(static_cast<LONG>(tree.insertMarkColor));
        case TVM_SETSCROLLTIME: {
            UINT previous = tree.scrollTime;
            tree.scrollTime = static_cast<UINT>(wParam);
            return previous;
        }
        case TVM_GETSCROLLTIME:
            return tree.scrollTime;
        case TVM_GETITEMSTATE: {
            Item* item = findItem(tree, reinterpret_cast<HTREEITEM>(wParam));
            return item != nullptr ? static_cast<LRESULT>(item->state & static_cast<UINT>(lParam))
                                   : 0;
        }
        case TVM_SETEXTENDEDSTYLE: {
            DWORD previous = tree.exStyle;
            DWORD mask = wParam != 0 ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
            tree.exStyle = (tree.exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
            return previous;
        }
        case TVM_GETEXTENDEDSTYLE:
            return tree.exStyle;

        case WM_SETFONT:
            tree.font = reinterpret_cast<HFONT>(wParam);
            if (tree.boldFont != nullptr) {
                DeleteObject(tree.boldFont);
                tree.boldFont = nullptr;
            }
            if (LOWORD(lParam) != 0) {
                invalidate(tree);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(tree.font);
        case WM_SETREDRAW:
            tree.redraw = wParam != 0;
            if (tree.redraw) {
                invalidate(tree);
            }
            return 0;
        case WM_PAINT:
        case WM_PRINTCLIENT: {
            HDC given = reinterpret_cast<HDC>(wParam);
            if (given != nullptr) {
                RECT client;
                GetClientRect(hwnd, &client);
                paint(tree, given, client);
                return 0;
            }
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc != nullptr) {
                paint(tree, dc, ps.rcPaint);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills the background with the rows
        case WM_SIZE:
            invalidate(tree);
            return 0;
        case WM_ENABLE:
            invalidate(tree);
            return 0;
        case WM_VSCROLL:
            verticalScroll(tree, wParam);
            return 0;
        case WM_MOUSEWHEEL: {
            int delta = GET_WHEEL_DELTA_WPARAM(wParam);
            ensureLayout(tree);
            setTopRow(tree, topRow(tree) - delta * 3 / WHEEL_DELTA);
            return 0;
        }
        case WM_SETFOCUS: {
            tree.focused = true;
            // A tree that gets the focus with nothing selected selects its
            // first visible item (TVC_UNKNOWN), as the system's control does,
            // so that the keyboard has an item to start from.
            if (tree.caret == nullptr) {
                ensureLayout(tree);
                const int top = topRow(tree);
                if (top < static_cast<int>(tree.rows.size())) {
                    selectCaret(tree, tree.rows[static_cast<size_t>(top)]->id, TVC_UNKNOWN);
                }
            }
            invalidate(tree);
            NMHDR header{};
            notify(tree, NM_SETFOCUS, &header);
            return 0;
        }
        case WM_KILLFOCUS: {
            tree.focused = false;
            invalidate(tree);
            NMHDR header{};
            notify(tree, NM_KILLFOCUS, &header);
            return 0;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            keyDown(tree, wParam);
            // The key goes on as in any window, so that F1 asks for help.
            return tree.destroyed ? 0 : DefWindowProcA(tree.hwnd, message, wParam, lParam);
        case WM_CHAR:
            return 0;
        case WM_LBUTTONDOWN:
            buttonDown(tree, pointOf(lParam), false);
            return 0;
        case WM_RBUTTONDOWN:
            buttonDown(tree, pointOf(lParam), true);
            return 0;
        case WM_MOUSEMOVE:
            mouseMove(tree, pointOf(lParam), wParam);
            return 0;
        case WM_LBUTTONUP:
            buttonUp(tree, pointOf(lParam), false);
            return 0;
        case WM_RBUTTONUP:
            buttonUp(tree, pointOf(lParam), true);
            return 0;
        case WM_LBUTTONDBLCLK:
            doubleClick(tree, pointOf(lParam), false);
            return 0;
        case WM_RBUTTONDBLCLK:
            doubleClick(tree, pointOf(lParam), true);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) {
                tree.press = Press{};
            }
            return 0;
        case WM_TIMER:
            if (wParam == kEditTimer) {
                KillTimer(hwnd, kEditTimer);
                DWORD id = tree.editPendingItem;
                tree.editPendingItem = 0;
                if (id != 0 && tree.caret != nullptr && tree.caret->id == id &&
                    GetFocus() == hwnd) {
                    beginLabelEdit(tree, id);
                }
                return 0;
            }
            break;
        case WM_COMMAND:
            if (tree.edit != nullptr && reinterpret_cast<HWND>(lParam) == tree.edit) {
                labelEditCommand(tree, wParam, lParam);
                return 0;
            }
            break;
        case CCM_SETUNICODEFORMAT:
        case CCM_GETUNICODEFORMAT:
            return FALSE;
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK treeProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto tree = std::make_shared<Tree>();
        tree->hwnd = hwnd;
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        tree->notifyWindow = create != nullptr ? create->hwndParent : nullptr;
        tree->root.state = TVIS_EXPANDED;
        trees()[hwnd] = tree;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    std::shared_ptr<Tree> tree = treeOf(hwnd);
    if (!tree) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        tree->destroyed = true;
        forgetTree(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return handleMessage(*tree, message, wParam, lParam);
}

}  // namespace

// --- shared actions -------------------------------------------------------

LRESULT notify(Tree& tree, UINT code, NMHDR* header) {
    header->hwndFrom = tree.hwnd;
    header->idFrom = static_cast<UINT_PTR>(GetWindowLongPtrA(tree.hwnd, GWLP_ID));
    header->code = code;
    if (tree.destroyed || tree.notifyWindow == nullptr || !IsWindow(tree.notifyWindow)) {
        return 0;
    }
    return SendMessageA(tree.notifyWindow, WM_NOTIFY, header->idFrom,
                        reinterpret_cast<LPARAM>(header));
}

void fillNotifyItem(const Item* item, TVITEMA& out) {
    out.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    out.hItem = handleOf(item);
    out.state = item->state;
    out.stateMask = 0xFFFFFFFFu;
    out.lParam = item->lParam;
}

void invalidate(Tree& tree) {
    if (tree.redraw && !tree.destroyed) {
        InvalidateRect(tree.hwnd, nullptr, TRUE);
    }
}

void invalidateLayout(Tree& tree) {
    tree.layoutValid = false;
}

BOOL selectCaret(Tree& tree, DWORD id, UINT action) {
    Item* target = findItem(tree, id);
    if (id != 0 && (target == nullptr || target->deleting)) {
        return FALSE;
    }
    if (target == tree.caret) {
        if (target != nullptr) {
            scrollIntoView(tree, target);
        }
        return TRUE;
    }
    NMTREEVIEWA changing{};
    changing.action = action;
    const DWORD oldId = tree.caret != nullptr ? tree.caret->id : 0;
    if (tree.caret != nullptr) {
        fillNotifyItem(tree.caret, changing.itemOld);
    }
    if (target != nullptr) {
        fillNotifyItem(target, changing.itemNew);
    }
    if (notify(tree, TVN_SELCHANGINGA, &changing.hdr) != 0 || tree.destroyed) {
        return FALSE;
    }
    // A selected item is shown: its collapsed ancestors open first.
    if (id != 0) {
        target = findItem(tree, id);
        if (target == nullptr || target->deleting) {
            return FALSE;
        }
        std::vector<DWORD> ancestors;
        for (Item* p = target->parent; p != nullptr && p->depth >= 0; p = p->parent) {
            if ((p->state & TVIS_EXPANDED) == 0) {
                ancestors.push_back(p->id);
            }
        }
        for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
            Item* ancestor = findItem(tree, *it);
            if (ancestor != nullptr) {
                expandItem(tree, ancestor, TVE_EXPAND, false);
            }
            if (tree.destroyed) {
                return FALSE;
            }
        }
        target = findItem(tree, id);
        if (target == nullptr) {
            return FALSE;
        }
    }
    if (tree.caret != nullptr) {
        tree.caret->state &= ~static_cast<UINT>(TVIS_SELECTED);
    }
    tree.caret = target;
    if (target != nullptr) {
        target->state |= TVIS_SELECTED;
        scrollIntoView(tree, target);
    }
    invalidate(tree);
    NMTREEVIEWA changed{};
    changed.action = action;
    if (Item* old = findItem(tree, oldId); old != nullptr) {
        fillNotifyItem(old, changed.itemOld);
    } else {
        changed.itemOld = changing.itemOld;
    }
    if (target != nullptr) {
        fillNotifyItem(target, changed.itemNew);
    }
    notify(tree, TVN_SELCHANGEDA, &changed.hdr);
    return TRUE;
}

BOOL expandItem(Tree& tree, Item* item, UINT code, bool byUser) {
    if (item == nullptr || item->depth < 0 || item->deleting) {
        return FALSE;
    }
    const bool expanded = (item->state & TVIS_EXPANDED) != 0;
    UINT action = code & TVE_TOGGLE;
    if (action == TVE_TOGGLE) {
        action = expanded ? TVE_COLLAPSE : TVE_EXPAND;
    }
    if (action == 0) {
        return FALSE;
    }
    const bool partial = (code & TVE_EXPANDPARTIAL) != 0;
    const bool reset = (code & TVE_COLLAPSERESET) != 0;
    const DWORD id = item->id;
    if (action == TVE_EXPAND) {
        // Expanding an expanded item succeeds without doing anything.
        if (expanded && !partial) {
            return TRUE;
        }
        if (!expanded && item->firstChild == nullptr) {
            bool children = hasChildren(tree, item);
            item = findItem(tree, id);
            if (!children || item == nullptr || tree.destroyed) {
                return FALSE;
            }
        }
    } else if (!expanded && !reset) {
        return FALSE;  // collapsing a collapsed item fails
    }
    const bool notifyParent = byUser || (item->state & TVIS_EXPANDEDONCE) == 0;
    const UINT notifyAction = action | (code & ~static_cast<UINT>(TVE_TOGGLE));
    if (notifyParent) {
        NMTREEVIEWA nm{};
        nm.action = notifyAction;
        fillNotifyItem(item, nm.itemNew);
        if (notify(tree, TVN_ITEMEXPANDINGA, &nm.hdr) != 0 || tree.destroyed) {
            return FALSE;
        }
        item = findItem(tree, id);
        if (item == nullptr) {
            return FALSE;
        }
    }
    if (action == TVE_EXPAND) {
        // TVIS_EXPANDEDONCE follows TVN_ITEMEXPANDED (below): while the parent
        // is told of the first expansion, the item is expanded but not yet
        // marked as expanded once.
        item->state |= TVIS_EXPANDED;
        if (partial) {
            item->state |= TVIS_EXPANDPARTIAL;
        } else {
            item->state &= ~static_cast<UINT>(TVIS_EXPANDPARTIAL);
        }
    } else {
        item->state &= ~static_cast<UINT>(TVIS_EXPANDED | TVIS_EXPANDPARTIAL);
        if (reset) {
            item->state &= ~static_cast<UINT>(TVIS_EXPANDEDONCE);
        }
        invalidateLayout(tree);
        if (tree.caret != nullptr && isAncestor(item, tree.caret)) {
            selectCaret(tree, id, TVC_UNKNOWN);
            if (tree.destroyed) {
                return FALSE;
            }
        }
        item = findItem(tree, id);
        if (item != nullptr && reset) {
            deleteChildren(tree, item);
            if (tree.destroyed) {
                return FALSE;
            }
            item = findItem(tree, id);
        }
        if (item == nullptr) {
            return TRUE;
        }
    }
    invalidateLayout(tree);
    invalidate(tree);
    // The vertical bar follows at once, as the rows it scrolls came or went.
    updateScrollBar(tree);
    if (notifyParent) {
        NMTREEVIEWA nm{};
        nm.action = notifyAction;
        fillNotifyItem(item, nm.itemNew);
        notify(tree, TVN_ITEMEXPANDEDA, &nm.hdr);
        item = tree.destroyed ? nullptr : findItem(tree, id);
    }
    if (item != nullptr && action == TVE_EXPAND) {
        item->state |= TVIS_EXPANDEDONCE;
    }
    return TRUE;
}

bool endLabelEdit(Tree& tree, bool cancel, bool focusLeaving) {
    if (tree.edit == nullptr || tree.endingEdit) {
        return false;
    }
    tree.endingEdit = true;
    HWND edit = tree.edit;
    const DWORD id = tree.editItem;
    std::string text = windowText(edit);
    std::string buffer = text;
    buffer.push_back('\0');
    LRESULT accepted = 0;
    Item* item = findItem(tree, id);
    if (item != nullptr) {
        NMTVDISPINFOA info{};
        info.item.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE | (cancel ? 0u : TVIF_TEXT);
        info.item.hItem = handleOf(item);
        info.item.state = item->state;
        info.item.stateMask = 0xFFFFFFFFu;
        info.item.lParam = item->lParam;
        info.item.pszText = cancel ? nullptr : buffer.data();
        info.item.cchTextMax = cancel ? 0 : static_cast<int>(buffer.size());
        info.item.iImage = item->image;
        info.item.iSelectedImage = item->selectedImage;
        accepted = notify(tree, TVN_ENDLABELEDITA, &info.hdr);
    }
    if (tree.destroyed) {
        if (IsWindow(edit)) {
            DestroyWindow(edit);
        }
        return true;
    }
    item = findItem(tree, id);
    if (!cancel && accepted != 0 && item != nullptr) {
        const char* newText = buffer.c_str();
        if (item->textCallback) {
            NMTVDISPINFOA info{};
            info.item.mask = TVIF_TEXT;
            info.item.hItem = handleOf(item);
            info.item.lParam = item->lParam;
            info.item.pszText = buffer.data();
            info.item.cchTextMax = static_cast<int>(buffer.size());
            notify(tree, TVN_SETDISPINFOA, &info.hdr);
        } else {
            setItemText(tree, item, newText);
        }
    }
    tree.edit = nullptr;
    tree.editItem = 0;
    if (!focusLeaving && GetFocus() == edit && !tree.destroyed) {
        SetFocus(tree.hwnd);
    }
    if (IsWindow(edit)) {
        DestroyWindow(edit);
    }
    tree.endingEdit = false;
    invalidate(tree);
    return true;
}

// Registers the window class. Called at library load and from the
// common-control initialisation; registering twice changes nothing.
void registerTreeViewClass() {
    WNDCLASSA cls{};
    cls.style = CS_DBLCLKS | CS_GLOBALCLASS;
    cls.lpfnWndProc = &treeProcedure;
    cls.hInstance = nullptr;
    cls.lpszClassName = WC_TREEVIEWA;
    RegisterClassA(&cls);
}

namespace {
const bool g_registered = (registerTreeViewClass(), true);
}

}  // namespace vedrix::controls::treeview
