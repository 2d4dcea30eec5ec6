// Tree view items: handles, insertion (in order or sorted), deletion of
// branches, item fields, sorting and visible-order navigation.
//
// Sorted insertion (TVI_SORT) puts the new item before the first sibling
// whose text compares greater (lstrcmpi), so items with equal texts keep the
// order in which they were inserted. While a parent's children are in text
// order, the place is found in a balanced index (see ChildOrder) instead of
// by walking the siblings, so that filling a level with thousands of sorted
// items stays fast.
#include "controls/treeview/treeview_state.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace vedrix::controls::treeview {

namespace {

// Handles are numbers unique in the process; they start at 1 and never come
// back, so a stale handle finds no item.
DWORD g_nextId = 1;

DWORD newId() {
    DWORD id = g_nextId++;
    if (g_nextId == 0 || g_nextId >= 0x7FFFFFFF) {
        g_nextId = 1;
    }
    return id;
}

// An empty text sorts before every other without a comparison: controls
// that draw their own texts leave every label empty.
int compareTexts(const Item* a, const Item* b) {
    if (a->text.empty()) {
        return b->text.empty() ? 0 : -1;
    }
    return lstrcmpiA(a->text.c_str(), b->text.c_str());
}

// 1 when the adjacent pair (a, b) is out of text order. Callback texts are
// not known here; a parent with callback children is never indexed.
int inverted(const Item* a, const Item* b) {
    if (a == nullptr || b == nullptr || a->textCallback || b->textCallback) {
        return 0;
    }
    return compareTexts(a, b) > 0 ? 1 : 0;
}

void dropIndex(ChildOrder& order) {
    order.index.clear();
    order.indexed = false;
}

void buildIndex(Item* parent) {
    ChildOrder& order = parent->order;
    order.index.clear();
    for (Item* child = parent->firstChild; child != nullptr; child = child->next) {
        child->indexPos = order.index.emplace_hint(order.index.end(), child);
    }
    order.indexed = true;
}

// Links `item` into `parent`'s children before `before` (at the end when null).
void link(Item* parent, Item* item, Item* before) {
    ChildOrder& order = parent->order;
    Item* after = before != nullptr ? before->prev : parent->lastChild;
    order.inversions -= inverted(after, before);
    item->prev = after;
    item->next = before;
    (after != nullptr ? after->next : parent->firstChild) = item;
    (before != nullptr ? before->prev : parent->lastChild) = item;
    order.inversions += inverted(after, item) + inverted(item, before);
    if (item->textCallback) {
        ++order.callbackChildren;
    }
    if (order.indexed) {
        if (order.inversions == 0 && order.callbackChildren == 0) {
            item->indexPos = order.index.emplace_hint(
                before != nullptr ? before->indexPos : order.index.end(), item);
        } else {
            dropIndex(order);
        }
    }
    ++parent->childCount;
}

void unlink(Item* item) {
    Item* parent = item->parent;
    ChildOrder& order = parent->order;
    Item* after = item->prev;
    Item* before = item->next;
    order.inversions -= inverted(after, item) + inverted(item, before);
    (after != nullptr ? after->next : parent->firstChild) = before;
    (before != nullptr ? before->prev : parent->lastChild) = after;
    order.inversions += inverted(after, before);
    if (order.indexed) {
        order.index.erase(item->indexPos);
    }
    if (item->textCallback) {
        --order.callbackChildren;
    }
    item->prev = item->next = nullptr;
    --parent->childCount;
}

void linkInOrder(Item* parent, const std::vector<Item*>& ordered);

// Puts the children of `parent` into the order of `ids`; children missing
// from `ids` follow in their old order. Ids that are no longer children are
// skipped (a callback may have deleted items meanwhile).
// The children that `ids` names are looked up by address in a sorted copy,
// since a sort relinks every child of the parent.
void relinkChildren(Tree& tree, Item* parent, const std::vector<DWORD>& ids) {
    std::vector<Item*> ordered;
    ordered.reserve(static_cast<size_t>(parent->childCount));
    for (DWORD id : ids) {
        Item* item = findItem(tree, id);
        if (item != nullptr && item->parent == parent) {
            ordered.push_back(item);
        }
    }
    std::vector<Item*> placed(ordered);
    std::sort(placed.begin(), placed.end(), std::less<Item*>());
    if (std::adjacent_find(placed.begin(), placed.end()) != placed.end()) {
        // A child named twice keeps its first place.
        std::vector<Item*> once;
        for (Item* item : ordered) {
            if (std::find(once.begin(), once.end(), item) == once.end()) {
                once.push_back(item);
            }
        }
        ordered.swap(once);
        placed.erase(std::unique(placed.begin(), placed.end()), placed.end());
    }
    for (Item* child = parent->firstChild; child != nullptr; child = child->next) {
        if (!std::binary_search(placed.begin(), placed.end(), child, std::less<Item*>())) {
            ordered.push_back(child);
        }
    }
    linkInOrder(parent, ordered);
}

// Links the children of `parent`, all of them and each once, in the order of
// `ordered`.
void linkInOrder(Item* parent, const std::vector<Item*>& ordered) {
    ChildOrder& order = parent->order;
    dropIndex(order);
    order.inversions = 0;
    Item* previous = nullptr;
    parent->firstChild = nullptr;
    for (Item* item : ordered) {
        item->prev = previous;
        item->next = nullptr;
        if (previous != nullptr) {
            previous->next = item;
            order.inversions += inverted(previous, item);
        } else {
            parent->firstChild = item;
        }
        previous = item;
    }
    parent->lastChild = previous;
}

// Stable bottom-up merge sort. `compare(a, b) < 0` puts b before a only when
// b is strictly less, so equal elements keep their order; a comparison that
// is not a consistent order cannot make it read out of bounds.
template <class T, class Compare>
void stableSort(std::vector<T>& values, Compare compare) {
    const size_t n = values.size();
    std::vector<T> buffer(n);
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t low = 0; low < n; low += 2 * width) {
            size_t mid = std::min(low + width, n);
            size_t high = std::min(low + 2 * width, n);
            size_t i = low, j = mid, k = low;
            while (i < mid && j < high) {
                if (compare(values[j], values[i]) < 0) {
                    buffer[k++] = values[j++];
                } else {
                    buffer[k++] = values[i++];
                }
            }
            while (i < mid) {
                buffer[k++] = values[i++];
            }
            while (j < high) {
                buffer[k++] = values[j++];
            }
        }
        values.swap(buffer);
    }
}

void sortByText(Tree& tree, Item* parent) {
    struct Entry {
        DWORD id;
        std::string key;
    };
    std::vector<DWORD> ids;
    for (Item* child = parent->firstChild; child != nullptr; child = child->next) {
        ids.push_back(child->id);
    }
    std::vector<Entry> entries;
    entries.reserve(ids.size());
    DWORD parentId = parent->id;
    for (DWORD id : ids) {
        Item* item = findItem(tree, id);
        if (item != nullptr) {
            entries.push_back({id, displayText(tree, item)});
            if (tree.destroyed) {
                return;
            }
        }
    }
    stableSort(entries, [](const Entry& a, const Entry& b) {
        return lstrcmpiA(a.key.c_str(), b.key.c_str());
    });
    parent = parentId == 0 ? &tree.root : findItem(tree, parentId);
    if (parent == nullptr) {
        return;
    }
    ids.clear();
    for (const Entry& entry : entries) {
        ids.push_back(entry.id);
    }
    relinkChildren(tree, parent, ids);
}

// The sibling before which a sorted insertion places `item`.
Item* sortedPosition(Tree& tree, Item* parent, Item* item) {
    ChildOrder& order = parent->order;
    if (!item->textCallback && order.callbackChildren == 0 && order.inversions == 0) {
        // An item that sorts after the last child goes last: filling a level
        // in text order needs no index.
        if (parent->lastChild == nullptr || compareTexts(parent->lastChild, item) <= 0) {
            return nullptr;
        }
        if (!order.indexed) {
            buildIndex(parent);
        }
        auto it = order.index.upper_bound(item);
        return it == order.index.end() ? nullptr : *it;
    }
    // Siblings out of order, or texts that only the parent window knows:
    // walk the siblings as the list stands.
    std::string key = item->textCallback ? displayText(tree, item) : item->text;
    std::vector<DWORD> ids;
    for (Item* child = parent->firstChild; child != nullptr; child = child->next) {
        ids.push_back(child->id);
    }
    for (DWORD id : ids) {
        Item* sibling = findItem(tree, id);
        if (sibling == nullptr || sibling->parent != parent) {
            continue;
        }
        std::string text = sibling->textCallback ? displayText(tree, sibling) : sibling->text;
        if (tree.destroyed) {
            return nullptr;
        }
        sibling = findItem(tree, id);
        if (sibling != nullptr && sibling->parent == parent &&
            lstrcmpiA(text.c_str(), key.c_str()) > 0) {
            return sibling;
        }
    }
    return nullptr;
}

void freeItem(Tree& tree, Item* item) {
    unlink(item);
    if (tree.caret == item) {
        tree.caret = nullptr;
    }
    if (tree.drop == item) {
        tree.drop = nullptr;
    }
    if (tree.top == item) {
        tree.top = nullptr;
    }
    if (tree.insertMark == item) {
        tree.insertMark = nullptr;
    }
    if (tree.press.item == item->id) {
        tree.press = Press{};
    }
    tree.items.erase(item->id);
    ++tree.freedItems;
}

void sendDeleteNotification(Tree& tree, Item* item) {
    if (item->notified) {
        return;
    }
    item->notified = true;
    NMTREEVIEWA nm{};
    nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
    nm.itemOld.hItem = handleOf(item);
    nm.itemOld.lParam = item->lParam;
    notify(tree, TVN_DELETEITEMA, &nm.hdr);
}

// The first visible item after the branch of `item`, or before it.
Item* neighbourOutsideBranch(Tree& tree, Item* item) {
    for (Item* p = item; p != nullptr && p != &tree.root; p = p->parent) {
        if (p->next != nullptr) {
            return p->next;
        }
    }
    return previousVisible(tree, item);
}

// Deletes `top` and its branch, children before their parent. A label edit
// of an item of the branch is cancelled first.
void deleteBranch(Tree& tree, Item* top) {
    if (tree.edit != nullptr) {
        Item* edited = findItem(tree, tree.editItem);
        if (edited != nullptr && (edited == top || isAncestor(top, edited))) {
            const DWORD id = top->id;
            endLabelEdit(tree, true);
            top = findItem(tree, id);
            if (tree.destroyed || top == nullptr || top->deleting) {
                return;
            }
        }
    }
    if (tree.top != nullptr && (tree.top == top || isAncestor(top, tree.top))) {
        tree.top = neighbourOutsideBranch(tree, top);
    }
    if (tree.drop != nullptr && (tree.drop == top || isAncestor(top, tree.drop))) {
        tree.drop = nullptr;
    }
    if (tree.caret != nullptr && (tree.caret == top || isAncestor(top, tree.caret))) {
        tree.caret = nullptr;
    }
    ++tree.deletions;
    const DWORD topId = top->id;
    top->deleting = true;
    for (;;) {
        Item* current = findItem(tree, topId);
        if (current == nullptr) {
            break;
        }
        while (current->firstChild != nullptr) {
            current = current->firstChild;
            current->deleting = true;
        }
        const DWORD id = current->id;
        sendDeleteNotification(tree, current);
        if (tree.destroyed) {
            --tree.deletions;
            return;
        }
        current = findItem(tree, id);
        if (current != nullptr && current->firstChild == nullptr) {
            freeItem(tree, current);
            if (id == topId) {
                break;
            }
        }
    }
    --tree.deletions;
    invalidateLayout(tree);
    invalidate(tree);
}

}  // namespace

bool TextLess::operator()(const Item* a, const Item* b) const {
    return compareTexts(a, b) < 0;
}

HTREEITEM handleOf(const Item* item) {
    if (item == nullptr || item->depth < 0) {
        return nullptr;
    }
    return reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(item->id));
}

Item* findItem(Tree& tree, DWORD id) {
    if (id == 0) {
        return nullptr;
    }
    return tree.items.find(id);
}

Item* findItem(Tree& tree, HTREEITEM handle) {
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value == 0 || value > 0xFFFFFFFFu) {
        return nullptr;
    }
    return findItem(tree, static_cast<DWORD>(value));
}

bool isAncestor(const Item* ancestor, const Item* item) {
    for (const Item* p = item->parent; p != nullptr; p = p->parent) {
        if (p == ancestor) {
            return true;
        }
    }
    return false;
}

bool isVisible(const Item* item) {
    if (item == nullptr || item->depth < 0) {
        return false;
    }
    for (const Item* p = item->parent; p != nullptr && p->depth >= 0; p = p->parent) {
        if ((p->state & TVIS_EXPANDED) == 0) {
            return false;
        }
    }
    return true;
}

void requestDisplayInfo(Tree& tree, Item* item, UINT mask, NMTVDISPINFOA& info, char* buffer,
                        int size) {
    info = NMTVDISPINFOA{};
    if (buffer != nullptr && size > 0) {
        buffer[0] = '\0';
    }
    info.item.mask = mask;
    info.item.hItem = handleOf(item);
    info.item.state = item->state;
    info.item.stateMask = 0xFFFFFFFFu;
    info.item.lParam = item->lParam;
    info.item.pszText = buffer;
    info.item.cchTextMax = size;
    info.item.iImage = item->image;
    info.item.iSelectedImage = item->selectedImage;
    info.item.cChildren = item->childrenFlag;
    const DWORD id = item->id;
    notify(tree, TVN_GETDISPINFOA, &info.hdr);
    if (tree.destroyed || (info.item.mask & TVIF_DI_SETITEM) == 0) {
        return;
    }
    // The parent asked the control to keep what it supplied.
    Item* kept = findItem(tree, id);
    if (kept == nullptr) {
        return;
    }
    if ((mask & TVIF_TEXT) != 0 && info.item.pszText != nullptr &&
        info.item.pszText != LPSTR_TEXTCALLBACKA) {
        std::string text = info.item.pszText;
        setItemText(tree, kept, text.c_str());
    }
    if ((mask & TVIF_IMAGE) != 0) {
        kept->image = info.item.iImage;
    }
    if ((mask & TVIF_SELECTEDIMAGE) != 0) {
        kept->selectedImage = info.item.iSelectedImage;
    }
    if ((mask & TVIF_CHILDREN) != 0) {
        kept->childrenFlag = info.item.cChildren > 0 ? 1 : info.item.cChildren;
    }
}

std::string displayText(Tree& tree, Item* item) {
    if (!item->textCallback) {
        return item->text;
    }
    char buffer[MAX_PATH];
    NMTVDISPINFOA info;
    requestDisplayInfo(tree, item, TVIF_TEXT, info, buffer, sizeof buffer);
    const char* text = info.item.pszText;
    if (text == nullptr || text == LPSTR_TEXTCALLBACKA) {
        return std::string();
    }
    if (text == buffer) {
        buffer[sizeof buffer - 1] = '\0';
    }
    return std::string(text);
}

bool hasChildren(Tree& tree, Item* item) {
    if (item->childrenFlag == I_CHILDRENAUTO) {
        return item->firstChild != nullptr;
    }
    if (item->childrenFlag == I_CHILDRENCALLBACK) {
        NMTVDISPINFOA info;
        requestDisplayInfo(tree, item, TVIF_CHILDREN, info, nullptr, 0);
        return info.item.cChildren != 0 && info.item.cChildren != I_CHILDRENCALLBACK;
    }
    return item->childrenFlag != 0;
}

void setItemText(Tree& tree, Item* item, const char* text) {
    (void)tree;
    ChildOrder& order = item->parent->order;
    Item* after = item->prev;
    Item* before = item->next;
    order.inversions -= inverted(after, item) + inverted(item, before);
    if (order.indexed) {
        order.index.erase(item->indexPos);
    }
    const bool wasCallback = item->textCallback;
    if (text == LPSTR_TEXTCALLBACKA) {
        item->textCallback = true;
        item->text.clear();
    } else {
        item->textCallback = false;
        item->text = text != nullptr ? text : "";
    }
    if (wasCallback != item->textCallback) {
        order.callbackChildren += item->textCallback ? 1 : -1;
    }
    order.inversions += inverted(after, item) + inverted(item, before);
    if (order.indexed) {
        if (order.inversions == 0 && order.callbackChildren == 0) {
            item->indexPos = order.index.emplace_hint(
                before != nullptr ? before->indexPos : order.index.end(), item);
        } else {
            dropIndex(order);
        }
    }
}

HTREEITEM insertItem(Tree& tree, const TVINSERTSTRUCTA* insert) {
    if (insert == nullptr) {
        return nullptr;
    }
    Item* parent = (insert->hParent == nullptr || insert->hParent == TVI_ROOT)
                       ? &tree.root
                       : findItem(tree, insert->hParent);
    if (parent == nullptr || parent->deleting) {
        return nullptr;
    }
    const TVITEMA& source = insert->item;
    const DWORD id = newId();
    Item* item = tree.items.add(id);
    item->id = id;
    item->parent = parent;
    item->depth = parent->depth + 1;
    if ((source.mask & TVIF_TEXT) != 0) {
        if (source.pszText == LPSTR_TEXTCALLBACKA) {
            item->textCallback = true;
        } else if (source.pszText != nullptr) {
            item->text = source.pszText;
        }
    }
    if ((source.mask & TVIF_IMAGE) != 0) {
        item->image = source.iImage;
    }
    if ((source.mask & TVIF_SELECTEDIMAGE) != 0) {
        item->selectedImage = source.iSelectedImage;
    }
    if ((source.mask & TVIF_CHILDREN) != 0) {
        item->childrenFlag = source.cChildren > 0 ? 1 : source.cChildren;
    }
    if ((source.mask & TVIF_PARAM) != 0) {
        item->lParam = source.lParam;
    }
    if ((source.mask & TVIF_STATE) != 0) {
        // Selection, focus and drop highlight follow the caret and the drop
        // target; an insertion cannot set them.
        const UINT settable = ~static_cast<UINT>(TVIS_SELECTED | TVIS_FOCUSED | TVIS_DROPHILITED);
        item->state = source.state & source.stateMask & settable;
    }
    if ((GetWindowLongPtrA(tree.hwnd, GWL_STYLE) & TVS_CHECKBOXES) != 0 &&
        (item->state & TVIS_STATEIMAGEMASK) == 0) {
        item->state |= INDEXTOSTATEIMAGEMASK(1);
    }
    if ((source.mask & TVIF_INTEGRAL) != 0) {
        item->integral = insert->itemex.iIntegral;
    }
    const DWORD parentId = parent->id;

    Item* before = nullptr;
    const HTREEITEM after = insert->hInsertAfter;
    if (after == TVI_FIRST) {
        before = parent->firstChild;
    } else if (after == TVI_SORT) {
        before = sortedPosition(tree, parent, item);
        if (tree.destroyed) {
            return nullptr;
        }
        parent = parentId == 0 ? &tree.root : findItem(tree, parentId);
        if (parent == nullptr || parent->deleting) {
            tree.items.erase(id);
            return nullptr;
        }
    } else if (after != TVI_LAST && after != TVI_ROOT && after != nullptr) {
        // After a given sibling; a handle that is no sibling appends.
        Item* sibling = findItem(tree, after);
        before = (sibling != nullptr && sibling->parent == parent) ? sibling->next : nullptr;
    }
    link(parent, item, before);
    if (parent == &tree.root || isVisible(parent)) {
        if (parent == &tree.root || (parent->state & TVIS_EXPANDED) != 0) {
            invalidateLayout(tree);
        }
        invalidate(tree);
    }
    return handleOf(item);
}

void deleteChildren(Tree& tree, Item* item) {
    const DWORD id = item->id;
    for (;;) {
        Item* parent = id == 0 ? &tree.root : findItem(tree, id);
        if (parent == nullptr || parent->firstChild == nullptr || tree.destroyed) {
            return;
        }
        Item* child = parent->firstChild;
        if (child->deleting) {
            return;
        }
        deleteBranch(tree, child);
    }
}

void deleteAll(Tree& tree, bool moveSelection) {
    if (moveSelection && tree.caret != nullptr) {
        selectCaret(tree, 0, TVC_UNKNOWN);
        if (tree.destroyed) {
            return;
        }
    }
    tree.caret = nullptr;
    tree.drop = nullptr;
    tree.top = nullptr;
    tree.insertMark = nullptr;
    deleteChildren(tree, &tree.root);
}

BOOL deleteItem(Tree& tree, HTREEITEM handle) {
    if (tree.deletions > 0) {
        return FALSE;  // not from inside TVN_DELETEITEM
    }
    if (handle == nullptr || handle == TVI_ROOT) {
        if (tree.edit != nullptr) {
            endLabelEdit(tree, true);
            if (tree.destroyed) {
                return TRUE;
            }
        }
        deleteAll(tree, true);
        return TRUE;
    }
    Item* item = findItem(tree, handle);
    if (item == nullptr || item->deleting) {
        return FALSE;
    }
    const DWORD id = item->id;
    if (tree.edit != nullptr) {
        Item* edited = findItem(tree, tree.editItem);
        if (edited != nullptr && (edited == item || isAncestor(item, edited))) {
            endLabelEdit(tree, true);
            if (tree.destroyed) {
                return TRUE;
            }
            item = findItem(tree, id);
            if (item == nullptr) {
                return TRUE;
            }
        }
    }
    if (tree.caret != nullptr && (tree.caret == item || isAncestor(item, tree.caret))) {
        // The selection moves to the next sibling, else the previous one, else
        // the parent, before the branch goes.
        Item* next = item->next != nullptr   ? item->next
                     : item->prev != nullptr ? item->prev
                                             : item->parent;
        selectCaret(tree, next != nullptr && next != &tree.root ? next->id : 0, TVC_UNKNOWN);
        if (tree.destroyed) {
            return TRUE;
        }
        item = findItem(tree, id);
        if (item == nullptr) {
            return TRUE;
        }
    }
    if (item->deleting) {
        return FALSE;
    }
    deleteBranch(tree, item);
    return TRUE;
}

BOOL getItem(Tree& tree, TVITEMEXA* out) {
    if (out == nullptr) {
        return FALSE;
    }
    Item* item = findItem(tree, out->hItem);
    if (item == nullptr) {
        return FALSE;
    }
    const UINT mask = out->mask;
    UINT callbacks = 0;
    if ((mask & TVIF_TEXT) != 0 && item->textCallback) {
        callbacks |= TVIF_TEXT;
    }
    if ((mask & TVIF_IMAGE) != 0 && item->image == I_IMAGECALLBACK) {
        callbacks |= TVIF_IMAGE;
    }
    if ((mask & TVIF_SELECTEDIMAGE) != 0 && item->selectedImage == I_IMAGECALLBACK) {
        callbacks |= TVIF_SELECTEDIMAGE;
    }
    if ((mask & TVIF_CHILDREN) != 0 && item->childrenFlag == I_CHILDRENCALLBACK) {
        callbacks |= TVIF_CHILDREN;
    }
    NMTVDISPINFOA info{};
    std::string callbackText;
    if (callbacks != 0) {
        const DWORD id = item->id;
        char buffer[MAX_PATH];
        requestDisplayInfo(tree, item, callbacks, info, buffer, sizeof buffer);
        if (tree.destroyed) {
            return FALSE;
        }
        if ((callbacks & TVIF_TEXT) != 0 && info.item.pszText != nullptr &&
            info.item.pszText != LPSTR_TEXTCALLBACKA) {
            if (info.item.pszText == buffer) {
                buffer[sizeof buffer - 1] = '\0';
            }
            callbackText = info.item.pszText;
        }
        item = findItem(tree, id);
        if (item == nullptr) {
            return FALSE;
        }
    }
    if ((mask & TVIF_TEXT) != 0 && out->pszText != nullptr && out->pszText != LPSTR_TEXTCALLBACKA &&
        out->cchTextMax > 0) {
        const std::string& text = (callbacks & TVIF_TEXT) != 0 ? callbackText : item->text;
        size_t count = std::min(text.size(), static_cast<size_t>(out->cchTextMax - 1));
        text.copy(out->pszText, count);
        out->pszText[count] = '\0';
    }
    if ((mask & TVIF_IMAGE) != 0) {
        out->iImage = (callbacks & TVIF_IMAGE) != 0 ? info.item.iImage : item->image;
    }
    if ((mask & TVIF_SELECTEDIMAGE) != 0) {
        out->iSelectedImage =
            (callbacks & TVIF_SELECTEDIMAGE) != 0 ? info.item.iSelectedImage : item->selectedImage;
    }
    if ((mask & TVIF_STATE) != 0) {
        out->state = item->state & out->stateMask;
    }
    if ((mask & TVIF_CHILDREN) != 0) {
        if ((callbacks & TVIF_CHILDREN) != 0) {
            out->cChildren = info.item.cChildren;
        } else if (item->childrenFlag == I_CHILDRENAUTO) {
            out->cChildren = item->firstChild != nullptr ? 1 : 0;
        } else {
            out->cChildren = item->childrenFlag;
        }
    }
    if ((mask & TVIF_PARAM) != 0) {
        out->lParam = item->lParam;
    }
    // The extended fields exist only in a TVITEMEX; the mask says the caller
    // passed one.
    if ((mask & TVIF_INTEGRAL) != 0) {
        out->iIntegral = item->integral;
    }
    if ((mask & TVIF_STATEEX) != 0) {
        out->uStateEx = item->stateEx;
    }
    if ((mask & TVIF_EXPANDEDIMAGE) != 0) {
        out->iExpandedImage = item->expandedImage;
    }
    return TRUE;
}

BOOL setItem(Tree& tree, const TVITEMEXA* in) {
    if (in == nullptr) {
        return FALSE;
    }
    Item* item = findItem(tree, in->hItem);
    if (item == nullptr) {
        return FALSE;
    }
    const UINT mask = in->mask;
    bool layout = false;
    if ((mask & TVIF_TEXT) != 0) {
        setItemText(tree, item, in->pszText);
    }
    if ((mask & TVIF_IMAGE) != 0) {
        item->image = in->iImage;
    }
    if ((mask & TVIF_SELECTEDIMAGE) != 0) {
        item->selectedImage = in->iSelectedImage;
    }
    if ((mask & TVIF_CHILDREN) != 0) {
        item->childrenFlag = in->cChildren > 0 ? 1 : in->cChildren;
    }
    if ((mask & TVIF_PARAM) != 0) {
        item->lParam = in->lParam;
    }
    if ((mask & TVIF_STATE) != 0) {
        const UINT old = item->state;
        item->state = (old & ~in->stateMask) | (in->state & in->stateMask);
        if (((old ^ item->state) & TVIS_EXPANDED) != 0) {
            layout = true;
        }
    }
    if ((mask & TVIF_INTEGRAL) != 0) {
        item->integral = in->iIntegral;
    }
    if ((mask & TVIF_STATEEX) != 0) {
        item->stateEx = in->uStateEx;
    }
    if ((mask & TVIF_EXPANDEDIMAGE) != 0) {
        item->expandedImage = in->iExpandedImage;
    }
    if (layout) {
        invalidateLayout(tree);
    }
    if (layout || isVisible(item)) {
        invalidate(tree);
    }
    return TRUE;
}

BOOL sortChildren(Tree& tree, HTREEITEM handle, bool recurse) {
    Item* parent = (handle == nullptr || handle == TVI_ROOT) ? &tree.root : findItem(tree, handle);
    if (parent == nullptr) {
        return FALSE;
    }
    std::vector<DWORD> pending{parent->id};
    while (!pending.empty()) {
        DWORD id = pending.back();
        pending.pop_back();
        Item* current = id == 0 ? &tree.root : findItem(tree, id);
        if (current == nullptr) {
            continue;
        }
        sortByText(tree, current);
        if (tree.destroyed) {
            return FALSE;
        }
        if (recurse) {
            current = id == 0 ? &tree.root : findItem(tree, id);
            for (Item* child = current != nullptr ? current->firstChild : nullptr; child != nullptr;
                 child = child->next) {
                if (child->firstChild != nullptr) {
                    pending.push_back(child->id);
                }
            }
        }
    }
    invalidateLayout(tree);
    invalidate(tree);
    return TRUE;
}

BOOL sortChildrenCallback(Tree& tree, const TVSORTCB* sort) {
    if (sort == nullptr || sort->lpfnCompare == nullptr) {
        return FALSE;
    }
    Item* parent = (sort->hParent == nullptr || sort->hParent == TVI_ROOT)
                       ? &tree.root
                       : findItem(tree, sort->hParent);
    if (parent == nullptr) {
        return FALSE;
    }
    struct Entry {
        Item* item;
        DWORD id;
        LPARAM lParam;
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<size_t>(parent->childCount));
    for (Item* child = parent->firstChild; child != nullptr; child = child->next) {
        entries.push_back({child, child->id, child->lParam});
    }
    const DWORD parentId = parent->id;
    const unsigned long long freedBefore = tree.freedItems;
    PFNTVCOMPARE compare = sort->lpfnCompare;
    const LPARAM data = sort->lParam;
    stableSort(entries, [compare, data](const Entry& a, const Entry& b) {
        return compare(a.lParam, b.lParam, data);
    });
    if (tree.destroyed) {
        return FALSE;
    }
    if (tree.freedItems == freedBefore &&
        static_cast<size_t>(parent->childCount) == entries.size()) {
        // The comparisons neither freed nor added items: the sorted entries
        // are still exactly the parent's children.
        std::vector<Item*> ordered;
        ordered.reserve(entries.size());
        for (const Entry& entry : entries) {
            ordered.push_back(entry.item);
        }
        linkInOrder(parent, ordered);
        invalidateLayout(tree);
        invalidate(tree);
        return TRUE;
    }
    // Items may be gone: the parent and the children are found again by
    // their handles.
    parent = parentId == 0 ? &tree.root : findItem(tree, parentId);
    if (parent == nullptr) {
        return FALSE;
    }
    std::vector<DWORD> ids;
    ids.reserve(entries.size());
    for (const Entry& entry : entries) {
        ids.push_back(entry.id);
    }
    relinkChildren(tree, parent, ids);
    invalidateLayout(tree);
    invalidate(tree);
    return TRUE;
}

Item* nextVisible(Tree& tree, Item* item) {
    if (!isVisible(item)) {
        return nullptr;
    }
    if ((item->state & TVIS_EXPANDED) != 0 && item->firstChild != nullptr) {
        return item->firstChild;
    }
    for (Item* p = item; p != nullptr && p != &tree.root; p = p->parent) {
        if (p->next != nullptr) {
            return p->next;
        }
    }
    return nullptr;
}

Item* previousVisible(Tree& tree, Item* item) {
    if (!isVisible(item)) {
        return nullptr;
    }
    if (item->prev != nullptr) {
        Item* q = item->prev;
        while ((q->state & TVIS_EXPANDED) != 0 && q->lastChild != nullptr) {
            q = q->lastChild;
        }
        return q;
    }
    return item->parent == &tree.root ? nullptr : item->parent;
}

Item* lastVisible(Tree& tree) {
    Item* q = tree.root.lastChild;
    while (q != nullptr && (q->state & TVIS_EXPANDED) != 0 && q->lastChild != nullptr) {
        q = q->lastChild;
    }
    return q;
}

}  // namespace vedrix::controls::treeview
