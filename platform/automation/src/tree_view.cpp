// Tree views: items found by their labels through the public TVM_ messages,
// and the person's clicks and keys on them.
#include <vedrix/automation/tree_view.h>

#include "util.h"

#include "hands.h"

#include <cstring>
#include <vector>

namespace vedrix::automation {

namespace {

HTREEITEM nextItem(HWND tree, HTREEITEM item, UINT code) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

// TVM_GETITEM for the fields in `mask`; false for a stale handle.
bool getItem(HWND tree, HTREEITEM item, UINT mask, TVITEMA& out, char* text = nullptr,
             int textSize = 0) {
    out = TVITEMA{};
    out.mask = mask | TVIF_HANDLE;
    out.hItem = item;
    out.stateMask = 0xFFFFFFFFu;
    out.pszText = text;
    out.cchTextMax = textSize;
    return item != nullptr && IsWindow(tree) &&
           SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&out)) != FALSE;
}

std::string itemText(HWND tree, HTREEITEM item) {
    std::vector<char> buffer(1024, '\0');
    TVITEMA it;
    if (!getItem(tree, item, TVIF_TEXT, it, buffer.data(), static_cast<int>(buffer.size()))) {
        return std::string();
    }
    // The control may answer with its own buffer (as the platform may).
    const char* text = it.pszText ? it.pszText : buffer.data();
    return std::string(text);
}

std::vector<HTREEITEM> childrenOf(HWND tree, HTREEITEM parent) {
    std::vector<HTREEITEM> out;
    HTREEITEM c = parent ? nextItem(tree, parent, TVGN_CHILD) : nextItem(tree, nullptr, TVGN_ROOT);
    // The bound guards against a control that links its items in a circle.
    for (int guard = 0; c && guard < 1000000; ++guard) {
        out.push_back(c);
        c = nextItem(tree, c, TVGN_NEXT);
    }
    return out;
}

std::string treeName(HWND tree) {
    return "tree " + std::to_string(GetDlgCtrlID(tree));
}

std::string joinLabels(HWND tree, const std::vector<HTREEITEM>& items) {
    std::string out;
    for (HTREEITEM i : items) {
        out += out.empty() ? "" : ", ";
        out += detail::quoted(itemText(tree, i));
    }
    return out.empty() ? "none" : out;
}

HTREEITEM findInOrder(HWND tree, HTREEITEM parent, std::string_view label) {
    for (HTREEITEM c : childrenOf(tree, parent)) {
        if (itemText(tree, c) == label) {
            return c;
        }
        if (HTREEITEM found = findInOrder(tree, c, label)) {
            return found;
        }
    }
    return nullptr;
}

void outlineOf(HWND tree, HTREEITEM parent, int depth, std::string& out) {
    for (HTREEITEM c : childrenOf(tree, parent)) {
        TreeItem item(tree, c);
        out += std::string(static_cast<size_t>(depth) * 2, ' ') + item.text();
        UINT s = item.state();
        if (s & TVIS_EXPANDED) {
            out += " [expanded]";
        }
        if (s & TVIS_SELECTED) {
            out += " [selected]";
        }
        if (s & TVIS_DROPHILITED) {
            out += " [drop]";
        }
        if (item.stateImage() == 2) {
            out += " [checked]";
        }
        out += "\n";
        outlineOf(tree, c, depth + 1, out);
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// TreeItem

bool TreeItem::exists() const {
    TVITEMA it;
    return getItem(tree_, item_, TVIF_STATE, it);
}

void TreeItem::requireItem() const {
    if (!exists()) {
        throw AutomationError(item_ ? "the tree item is gone (" + treeName(tree_) + ")"
                                    : std::string("no tree item"));
    }
}

std::string TreeItem::text() const {
    return itemText(tree_, item_);
}

std::string TreeItem::path() const {
    std::string out;
    for (TreeItem i = *this; i.exists(); i = i.parent()) {
        out = out.empty() ? i.text() : i.text() + "/" + out;
    }
    return out;
}

UINT TreeItem::state(UINT mask) const {
    TVITEMA it;
    if (!getItem(tree_, item_, TVIF_STATE, it)) {
        return 0;
    }
    return it.state & mask;
}

int TreeItem::stateImage() const {
    return static_cast<int>((state(TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12);
}

int TreeItem::image() const {
    TVITEMA it;
    return getItem(tree_, item_, TVIF_IMAGE, it) ? it.iImage : -1;
}

int TreeItem::selectedImage() const {
    TVITEMA it;
    return getItem(tree_, item_, TVIF_SELECTEDIMAGE, it) ? it.iSelectedImage : -1;
}

LPARAM TreeItem::param() const {
    TVITEMA it;
    return getItem(tree_, item_, TVIF_PARAM, it) ? it.lParam : 0;
}

TreeItem TreeItem::parent() const {
    if (!exists()) {
        return TreeItem();
    }
    HTREEITEM p = nextItem(tree_, item_, TVGN_PARENT);
    return p ? TreeItem(tree_, p) : TreeItem();
}

std::vector<TreeItem> TreeItem::children() const {
    std::vector<TreeItem> out;
    if (!exists()) {
        return out;
    }
    for (HTREEITEM c : childrenOf(tree_, item_)) {
        out.emplace_back(tree_, c);
    }
    return out;
}

std::vector<std::string> TreeItem::childTexts() const {
    std::vector<std::string> out;
    for (const TreeItem& c : children()) {
        out.push_back(c.text());
    }
    return out;
}

TreeItem TreeItem::child(std::string_view label) const {
    requireItem();
    std::vector<HTREEITEM> kids = childrenOf(tree_, item_);
    for (HTREEITEM c : kids) {
        if (itemText(tree_, c) == label) {
            return TreeItem(tree_, c);
        }
    }
    throw AutomationError(describe() + " has no child " + detail::quoted(label) +
                          " (children: " + joinLabels(tree_, kids) + ")");
}

bool TreeItem::isOnScreen() const {
    RECT r = labelRect();
    if (r.right <= r.left) {
        return false;
    }
    RECT client{};
    GetClientRect(tree_, &client);
    return r.top >= client.top && r.bottom <= client.bottom && r.left < client.right;
}

RECT TreeItem::labelRect() const {
    RECT r{};
    if (!exists()) {
        return r;
    }
    // TVM_GETITEMRECT takes the item's handle in the rectangle's first bytes.
    std::memcpy(&r, &item_, sizeof item_);
    if (!SendMessageA(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) {
        return RECT{};
    }
    return r;
}

Place TreeItem::place() const {
    TreeItem self = *this;
    return Place(
        [self] {
            POINT p = self.hitPoint(TVHT_ONITEMLABEL, "label");
            return detail::toScreen(self.tree_, p);
        },
        describe());
}

POINT TreeItem::hitPoint(UINT flags, const char* what) const {
    requireItem();
    if (!IsWindowVisible(tree_)) {
        throw AutomationError(treeName(tree_) + " is not visible: a person cannot see " +
                              describe());
    }
    for (TreeItem p = parent(); p.exists(); p = p.parent()) {
        if (!p.isExpanded()) {
            throw AutomationError(describe() + " is inside the collapsed item " +
                                  detail::quoted(p.text()) + ": a person must expand it first");
        }
    }
    if (!isOnScreen()) {
        // The person scrolls the item into view.
        SendMessageA(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item_));
        hands::pumpMessages();
    }
    RECT label = labelRect();
    if (label.bottom <= label.top || !isOnScreen()) {
        throw AutomationError(describe() + " cannot be brought into view");
    }
    int y = (label.top + label.bottom) / 2;
    TVHITTESTINFO hit{};
    if (flags == TVHT_ONITEMLABEL) {
        hit.pt = POINT{(label.left + label.right) / 2, y};
        SendMessageA(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.hItem == item_ && (hit.flags & TVHT_ONITEMLABEL)) {
            return hit.pt;
        }
    }
    // Scan the row from the left edge for the part the person aims at.
    RECT client{};
    GetClientRect(tree_, &client);
    int first = -1;
    int last = -1;
    int end = flags == TVHT_ONITEMLABEL ? client.right : label.left;
    for (int x = 0; x < end; ++x) {
        hit = TVHITTESTINFO{};
        hit.pt = POINT{x, y};
        SendMessageA(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        bool on = hit.hItem == item_ && (hit.flags & flags) != 0;
        if (on) {
            if (first < 0) {
                first = x;
            }
            last = x;
        } else if (first >= 0) {
            break;
        }
    }
    if (first < 0) {
        throw AutomationError(describe() + " shows no " + what + " to click on");
    }
    return POINT{(first + last) / 2, y};
}

void TreeItem::click() const {
    automation::click(place());
}

void TreeItem::ctrlClick() const {
    clickWith(place(), {VK_CONTROL});
}

void TreeItem::doubleClick() const {
    automation::doubleClick(place());
}

void TreeItem::rightClick() const {
    automation::rightClick(place());
}

void TreeItem::clickStateIcon() const {
    POINT p = hitPoint(TVHT_ONITEMSTATEICON, "state icon");
    automation::click(detail::toScreen(tree_, p));
}

void TreeItem::clickButton() const {
    POINT p = hitPoint(TVHT_ONITEMBUTTON, "+/- button");
    automation::click(detail::toScreen(tree_, p));
}

void TreeItem::expand() const {
    if (!isExpanded()) {
        clickButton();
    }
}

void TreeItem::collapse() const {
    if (isExpanded()) {
        clickButton();
    }
}

Control TreeItem::beginLabelEdit() const {
    if (!isSelected() || GetFocus() != tree_) {
        click();
    }
    if (!isSelected()) {
        throw AutomationError(describe() + " did not become selected when clicked");
    }
    // A second click on the selected label, then no double click: the tree's
    // edit timer opens the edit once the double-click time has passed.
    click();
    waitPastDoubleClickTime();
    return TreeView(tree_).labelEdit();
}

Control TreeItem::beginLabelEditWithF2() const {
    if (!isSelected() || GetFocus() != tree_) {
        click();
    }
    if (!isSelected()) {
        throw AutomationError(describe() + " did not become selected when clicked");
    }
    pressKey(VK_F2);
    return TreeView(tree_).labelEdit();
}

void TreeItem::rename(std::string_view text) const {
    if (!beginLabelEdit().exists()) {
        throw AutomationError("the program refused the label edit of " + describe());
    }
    TreeView tree(tree_);
    tree.typeIntoLabelEdit(text);
    tree.commitLabelEdit();
}

std::string TreeItem::describe() const {
    if (!exists()) {
        return item_ ? "a deleted item of " + treeName(tree_) : std::string("no tree item");
    }
    return "item " + detail::quoted(path()) + " of " + treeName(tree_);
}

// ---------------------------------------------------------------------------
// TreeView

int TreeView::count() const {
    return exists() ? static_cast<int>(SendMessageA(hwnd_, TVM_GETCOUNT, 0, 0)) : 0;
}

std::vector<TreeItem> TreeView::roots() const {
    std::vector<TreeItem> out;
    if (!exists()) {
        return out;
    }
    for (HTREEITEM r : childrenOf(hwnd_, nullptr)) {
        out.emplace_back(hwnd_, r);
    }
    return out;
}

TreeItem TreeView::root() const {
    requireWindow();
    HTREEITEM r = nextItem(hwnd_, nullptr, TVGN_ROOT);
    if (!r) {
        throw AutomationError(treeName(hwnd_) + " is empty");
    }
    return TreeItem(hwnd_, r);
}

TreeItem TreeView::item(std::initializer_list<std::string_view> path) const {
    std::vector<std::string> labels;
    for (std::string_view l : path) {
        labels.emplace_back(l);
    }
    return item(labels);
}

TreeItem TreeView::item(const std::vector<std::string>& path) const {
    requireWindow();
    if (path.empty()) {
        throw AutomationError("an empty item path for " + treeName(hwnd_));
    }
    HTREEITEM parent = nullptr;
    std::string walked;
    for (const std::string& label : path) {
        std::vector<HTREEITEM> kids = childrenOf(hwnd_, parent);
        HTREEITEM found = nullptr;
        for (HTREEITEM c : kids) {
            if (itemText(hwnd_, c) == label) {
                found = c;
                break;
            }
        }
        if (!found) {
            throw AutomationError(
                treeName(hwnd_) + ": no item " + detail::quoted(label) +
                (walked.empty() ? std::string(" at the top") : " below " + detail::quoted(walked)) +
                " (there: " + joinLabels(hwnd_, kids) + ")");
        }
        walked += walked.empty() ? label : "/" + label;
        parent = found;
    }
    return TreeItem(hwnd_, parent);
}

TreeItem TreeView::find(std::string_view label) const {
    TreeItem found = tryFind(label);
    if (!found.handle()) {
        throw AutomationError(treeName(hwnd_) + " has no item " + detail::quoted(label) +
                              "; it holds:\n" + outline());
    }
    return found;
}

TreeItem TreeView::tryFind(std::string_view label) const {
    if (!exists()) {
        return TreeItem();
    }
    HTREEITEM found = findInOrder(hwnd_, nullptr, label);
    return found ? TreeItem(hwnd_, found) : TreeItem();
}

TreeItem TreeView::selection() const {
    HTREEITEM s = exists() ? nextItem(hwnd_, nullptr, TVGN_CARET) : nullptr;
    return s ? TreeItem(hwnd_, s) : TreeItem();
}

TreeItem TreeView::dropHighlight() const {
    HTREEITEM s = exists() ? nextItem(hwnd_, nullptr, TVGN_DROPHILITE) : nullptr;
    return s ? TreeItem(hwnd_, s) : TreeItem();
}

Control TreeView::labelEdit() const {
    HWND edit =
        exists() ? reinterpret_cast<HWND>(SendMessageA(hwnd_, TVM_GETEDITCONTROL, 0, 0)) : nullptr;
    return edit && IsWindow(edit) ? Control(edit) : Control();
}

void TreeView::typeIntoLabelEdit(std::string_view text) const {
    Control edit = labelEdit();
    if (!edit.exists()) {
        throw AutomationError(treeName(hwnd_) + " has no open label edit to type into");
    }
    if (!edit.hasFocus()) {
        edit.click();
    }
    pressKeys({VK_CONTROL, VK_HOME});
    pressKeys({VK_CONTROL, VK_SHIFT, VK_END});
    if (text.empty()) {
        pressKey(VK_DELETE);
    } else {
        type(text);
    }
}

void TreeView::commitLabelEdit() const {
    if (!labelEdit().exists()) {
        throw AutomationError(treeName(hwnd_) + " has no open label edit to commit");
    }
    pressKey(VK_RETURN);
}

void TreeView::cancelLabelEdit() const {
    if (!labelEdit().exists()) {
        throw AutomationError(treeName(hwnd_) + " has no open label edit to cancel");
    }
    pressKey(VK_ESCAPE);
}

std::string TreeView::outline() const {
    std::string out;
    if (exists()) {
        outlineOf(hwnd_, nullptr, 0, out);
    }
    return out;
}

}  // namespace vedrix::automation
