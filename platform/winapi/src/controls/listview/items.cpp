// Items, sub-items, columns and item states of the list view, with the
// notifications their changes send.
//
// Choices where the platform leaves room:
// - LVM_INSERTITEM fails (-1) for a negative index, a sub-item or a virtual
//   list; a larger index appends. Sorted lists (LVS_SORTASCENDING/DESCENDING)
//   place an item by a case-insensitive comparison of the texts, after the
//   items whose text compares equal. Changing a text later does not re-sort.
// - An item inserted with LVIS_FOCUSED takes the focus from the item that had
//   it, and one inserted with LVIS_SELECTED into a single-selection list the
//   selection, without notifications; LVN_INSERTITEM follows the insertion.
// - LVM_SETITEM on an item sends LVN_ITEMCHANGING/LVN_ITEMCHANGED once for the
//   changed text, image, parameter and indentation (uChanged tells which), and
//   a second pair for a changed state. Sub-item changes send nothing.
// - Sub-item texts belong to columns: inserting a column inserts an empty
//   sub-item at its place, deleting one drops that column's texts; column 0
//   always shows the item text.
// - LVN_DELETEALLITEMS is followed, unless the parent returns TRUE, by
//   LVN_DELETEITEM for every item in ascending order, all items still in place.
// - LVM_SORTITEMS/LVM_SORTITEMSEX sort stably (a merge sort, safe with any
//   comparison); LVM_SORTITEMSEX passes the indices the items had before the
//   sort. Selection mark and states follow the items.
// - LVM_FINDITEM with LVFI_WRAP searches on from the top up to and including
//   the start item.
#include "controls/listview/listview_state.h"

#include "controls/basic/control_util.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace vedrix::controls::listview {
namespace {

constexpr int kDisplayBuffer = 260;

DWORD styleOf(const ListView& lv) {
    return windowStyle(lv.hwnd);
}
bool singleSelection(const ListView& lv) {
    return (styleOf(lv) & LVS_SINGLESEL) != 0;
}
bool virtualList(const ListView& lv) {
    return (styleOf(lv) & LVS_OWNERDATA) != 0;
}

int compareNoCase(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int ca = std::tolower(static_cast<unsigned char>(a[i]));
        int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    return compareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

void assignText(std::string& text, bool& callback, LPCSTR value) {
    if (value == LPSTR_TEXTCALLBACKA) {
        text.clear();
        callback = true;
        return;
    }
    callback = false;
    text = value != nullptr ? value : "";
}

// Position of a new item with `text` in a sorted list.
int sortedPosition(const ListView& lv, const std::string& text, bool descending) {
    int lo = 0;
    int hi = itemCount(lv);
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        int c = compareNoCase(lv.items[static_cast<size_t>(mid)]->text, text);
        bool before = descending ? c >= 0 : c <= 0;
        if (before) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

std::vector<Item*> snapshot(const ListView& lv) {
    std::vector<Item*> all;
    all.reserve(lv.items.size());
    for (const auto& item : lv.items) {
        all.push_back(item.get());
    }
    return all;
}

void requestDisplayInfo(ListView& lv, int index, int subItem, UINT mask, NMLVDISPINFOA& info,
                        char* buffer, int size) {
    Item& item = *lv.items[static_cast<size_t>(index)];
    info = NMLVDISPINFOA{};
    info.item.mask = mask;
    info.item.iItem = index;
    info.item.iSubItem = subItem;
    info.item.pszText = buffer;
    info.item.cchTextMax = size;
    info.item.lParam = item.lParam;
    info.item.iImage = subItem == 0 ? item.image : I_IMAGENONE;
    if (buffer != nullptr && size > 0) {
        buffer[0] = '\0';
    }
    notify(lv, LVN_GETDISPINFOA, &info.hdr);
}

std::string displayedText(const NMLVDISPINFOA& info, char* buffer, int size) {
    LPSTR text = info.item.pszText;
    if (text == nullptr || text == LPSTR_TEXTCALLBACKA) {
        return {};
    }
    if (text == buffer && size > 0) {
        buffer[size - 1] = '\0';
    }
    return text;
}

// A stable merge sort that stays in bounds whatever the comparison answers.
template <class Less>
void mergeSort(std::vector<Item*>& items, Less less) {
    std::vector<Item*> buffer(items.size());
    for (size_t width = 1; width < items.size(); width *= 2) {
        for (size_t lo = 0; lo < items.size(); lo += 2 * width) {
            size_t mid = std::min(lo + width, items.size());
            size_t hi = std::min(lo + 2 * width, items.size());
            size_t a = lo;
            size_t b = mid;
            size_t out = lo;
            while (a < mid && b < hi) {
                buffer[out++] = less(items[b], items[a]) ? items[b++] : items[a++];
            }
            while (a < mid) {
                buffer[out++] = items[a++];
            }
            while (b < hi) {
                buffer[out++] = items[b++];
            }
        }
        items.swap(buffer);
    }
}

int headerFormat(int listFormat) {
    int format = (listFormat & LVCFMT_JUSTIFYMASK) | HDF_STRING;
    if (listFormat & LVCFMT_IMAGE) {
        format |= HDF_IMAGE;
    }
    if (listFormat & LVCFMT_BITMAP_ON_RIGHT) {
        format |= HDF_BITMAP_ON_RIGHT;
    }
    return format;
}

constexpr int kTextPadding = 2;       // a list view text is drawn this far inside its box
constexpr int kHeaderTextMargin = 6;  // the header's text inset on either side

int imageWidth(HIMAGELIST images) {
    int cx = 0;
    int cy = 0;
    if (images == nullptr || !ImageList_GetIconSize(images, &cx, &cy)) {
        return 0;
    }
    return cx;
}

// Width that shows all of an item's content in a column.
int contentWidth(ListView& lv, int index, int column) {
    std::string text = itemText(lv, index, column);
    if (!validItem(lv, index)) {
        return 0;
    }
    int width = textWidth(lv, text) + 2 * kTextPadding;
    if (column == 0) {
        const Item& item = *lv.items[static_cast<size_t>(index)];
        int small = imageWidth(lv.smallImages);
        width += imageWidth(lv.stateImages) + small;
        width += item.indent * (small > 0 ? small : 16);
    } else if (lv.exStyle & LVS_EX_SUBITEMIMAGES) {
        const Item& item = *lv.items[static_cast<size_t>(index)];
        size_t slot = static_cast<size_t>(column - 1);
        if (slot < item.subItems.size() && item.subItems[slot].image >= 0) {
            width += imageWidth(lv.smallImages);
        }
    }
    return width;
}

}  // namespace

int itemCount(const ListView& lv) {
    return static_cast<int>(lv.items.size());
}

bool validItem(const ListView& lv, int index) {
    return index >= 0 && index < itemCount(lv);
}

int indexOf(const ListView& lv, const Item* item, int hint) {
    if (item == nullptr) {
        return -1;
    }
    if (validItem(lv, hint) && lv.items[static_cast<size_t>(hint)].get() == item) {
        return hint;
    }
    for (size_t i = 0; i < lv.items.size(); ++i) {
        if (lv.items[i].get() == item) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

LRESULT notify(ListView& lv, UINT code, NMHDR* header) {
    if (lv.notifyWindow == nullptr || lv.destroyed) {
        return 0;
    }
    header->hwndFrom = lv.hwnd;
    header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(lv.hwnd));
    header->code = code;
    return SendMessageA(lv.notifyWindow, WM_NOTIFY, header->idFrom,
                        reinterpret_cast<LPARAM>(header));
}

LRESULT notifyListView(ListView& lv, UINT code, int item, int subItem, UINT newState, UINT oldState,
                       UINT changed, POINT action, LPARAM lParam) {
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = changed;
    nm.ptAction = action;
    nm.lParam = lParam;
    return notify(lv, code, &nm.hdr);
}

std::string itemText(ListView& lv, int index, int subItem) {
    if (!validItem(lv, index) || subItem < 0) {
        return {};
    }
    const Item& item = *lv.items[static_cast<size_t>(index)];
    bool callback = false;
    if (subItem == 0) {
        if (!item.textCallback) {
            return item.text;
        }
        callback = true;
    } else {
        size_t slot = static_cast<size_t>(subItem - 1);
        if (slot >= item.subItems.size()) {
            return {};
        }
        if (!item.subItems[slot].textCallback) {
            return item.subItems[slot].text;
        }
        callback = true;
    }
    if (!callback) {
        return {};
    }
    char buffer[kDisplayBuffer];
    NMLVDISPINFOA info;
    requestDisplayInfo(lv, index, subItem, LVIF_TEXT, info, buffer, kDisplayBuffer);
    return displayedText(info, buffer, kDisplayBuffer);
}

int itemImage(ListView& lv, int index) {
    if (!validItem(lv, index)) {
        return I_IMAGENONE;
    }
    int image = lv.items[static_cast<size_t>(index)]->image;
    if (image != I_IMAGECALLBACK) {
        return image;
    }
    NMLVDISPINFOA info;
    requestDisplayInfo(lv, index, 0, LVIF_IMAGE, info, nullptr, 0);
    return info.item.iImage;
}

int subItemImage(ListView& lv, int index, int subItem) {
    if (subItem == 0) {
        return itemImage(lv, index);
    }
    if (!validItem(lv, index) || subItem < 0) {
        return I_IMAGENONE;
    }
    const Item& item = *lv.items[static_cast<size_t>(index)];
    size_t slot = static_cast<size_t>(subItem - 1);
    if (slot >= item.subItems.size()) {
        return I_IMAGENONE;
    }
    int image = item.subItems[slot].image;
    if (image != I_IMAGECALLBACK) {
        return image;
    }
    NMLVDISPINFOA info;
    requestDisplayInfo(lv, index, subItem, LVIF_IMAGE, info, nullptr, 0);
    return info.item.iImage;
}

// --- items ------------------------------------------------------------------

int insertItem(ListView& lv, const LVITEMA* in) {
    if (in == nullptr || in->iSubItem != 0 || in->iItem < 0 || virtualList(lv)) {
        return -1;
    }
    auto item = std::make_unique<Item>();
    if (in->mask & LVIF_TEXT) {
        assignText(item->text, item->textCallback, in->pszText);
    }
    if (in->mask & LVIF_IMAGE) {
        item->image = in->iImage;
    }
    if (in->mask & LVIF_PARAM) {
        item->lParam = in->lParam;
    }
    if (in->mask & LVIF_INDENT) {
        item->indent = in->iIndent == I_INDENTCALLBACK ? 0 : std::max(0, in->iIndent);
    }
    if (in->mask & LVIF_STATE) {
        item->state = in->state & in->stateMask;
    }

    DWORD style = styleOf(lv);
    int index = std::min(in->iItem, itemCount(lv));
    if (style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
        index = sortedPosition(lv, item->text, (style & LVS_SORTDESCENDING) != 0);
    }
    for (auto& other : lv.items) {
        if (item->state & LVIS_FOCUSED) {
            other->state &= ~static_cast<UINT>(LVIS_FOCUSED);
        }
        if ((item->state & LVIS_SELECTED) && (style & LVS_SINGLESEL)) {
            other->state &= ~static_cast<UINT>(LVIS_SELECTED);
        }
    }
    LPARAM lParam = item->lParam;
    lv.items.insert(lv.items.begin() + index, std::move(item));
    if (lv.selectionMark >= index) {
        ++lv.selectionMark;
    }
    if (lv.hotItem >= index) {
        ++lv.hotItem;
    }
    invalidate(lv);
    notifyListView(lv, LVN_INSERTITEM, index, 0, 0, 0, 0, POINT{}, lParam);
    return index;
}

BOOL deleteItem(ListView& lv, int index) {
    if (!validItem(lv, index)) {
        return FALSE;
    }
    Item* item = lv.items[static_cast<size_t>(index)].get();
    if (lv.editItem == item) {
        endLabelEdit(lv, true);
        index = indexOf(lv, item, index);
        if (index < 0) {
            return FALSE;
        }
    }
    notifyListView(lv, LVN_DELETEITEM, index, 0, 0, 0, 0, POINT{}, item->lParam);
    index = indexOf(lv, item, index);
    if (index < 0) {
        return FALSE;
    }
    if (lv.press.item == item) {
        lv.press.item = nullptr;
        lv.press.index = -1;
    }
    lv.items.erase(lv.items.begin() + index);
    if (lv.selectionMark == index) {
        lv.selectionMark = -1;
    } else if (lv.selectionMark > index) {
        --lv.selectionMark;
    }
    if (lv.hotItem == index) {
        lv.hotItem = -1;
    } else if (lv.hotItem > index) {
        --lv.hotItem;
    }
    clampScroll(lv);
    invalidate(lv);
    return TRUE;
}

BOOL deleteAllItems(ListView& lv) {
    if (lv.items.empty()) {
        return TRUE;
    }
    if (lv.editItem != nullptr) {
        endLabelEdit(lv, true);
    }
    LRESULT quiet = notifyListView(lv, LVN_DELETEALLITEMS, -1, 0, 0, 0, 0, POINT{}, 0);
    if (quiet == 0) {
        std::vector<Item*> all = snapshot(lv);
        for (size_t i = 0; i < all.size(); ++i) {
            int index = indexOf(lv, all[i], static_cast<int>(i));
            if (index >= 0) {
                notifyListView(lv, LVN_DELETEITEM, index, 0, 0, 0, 0, POINT{}, all[i]->lParam);
            }
        }
    }
    lv.items.clear();
    lv.selectionMark = -1;
    lv.hotItem = -1;
    lv.topIndex = 0;
    lv.press.item = nullptr;
    lv.press.index = -1;
    invalidate(lv);
    return TRUE;
}

BOOL getItem(ListView& lv, LVITEMA* out) {
    if (out == nullptr || !validItem(lv, out->iItem) || out->iSubItem < 0) {
        return FALSE;
    }
    int index = out->iItem;
    int subItem = out->iSubItem;
    if (subItem > 0 && subItem >= static_cast<int>(lv.columns.size())) {
        return FALSE;
    }
    const Item& item = *lv.items[static_cast<size_t>(index)];
    if (out->mask & LVIF_PARAM) {
        out->lParam = item.lParam;
    }
    if (out->mask & LVIF_STATE) {
        out->state = subItem == 0 ? (item.state & out->stateMask) : 0;
    }
    if (out->mask & LVIF_INDENT) {
        out->iIndent = item.indent;
    }
    if ((out->mask & LVIF_TEXT) && out->pszText != nullptr && out->cchTextMax > 0) {
        copyText(itemText(lv, index, subItem), out->pszText, static_cast<size_t>(out->cchTextMax));
    }
    if (out->mask & LVIF_IMAGE) {
        out->iImage = subItemImage(lv, index, subItem);
    }
    return TRUE;
}

BOOL setItem(ListView& lv, const LVITEMA* in) {
    if (in == nullptr || !validItem(lv, in->iItem) || in->iSubItem < 0) {
        return FALSE;
    }
    int index = in->iItem;
    Item* item = lv.items[static_cast<size_t>(index)].get();
    if (in->iSubItem > 0) {
        if (in->iSubItem >= static_cast<int>(lv.columns.size())) {
            return FALSE;
        }
        size_t slot = static_cast<size_t>(in->iSubItem - 1);
        if (item->subItems.size() <= slot) {
            item->subItems.resize(slot + 1);
        }
        SubItem& sub = item->subItems[slot];
        if (in->mask & LVIF_TEXT) {
            assignText(sub.text, sub.textCallback, in->pszText);
        }
        if (in->mask & LVIF_IMAGE) {
            sub.image = in->iImage;
        }
        invalidateItem(lv, index);
        return TRUE;
    }

    std::string text = item->text;
    bool callback = item->textCallback;
    UINT changed = 0;
    if (in->mask & LVIF_TEXT) {
        assignText(text, callback, in->pszText);
        if (text != item->text || callback != item->textCallback) {
            changed |= LVIF_TEXT;
        }
    }
    if ((in->mask & LVIF_IMAGE) && in->iImage != item->image) {
        changed |= LVIF_IMAGE;
    }
    if ((in->mask & LVIF_PARAM) && in->lParam != item->lParam) {
        changed |= LVIF_PARAM;
    }
    int indent = item->indent;
    if (in->mask & LVIF_INDENT) {
        indent = in->iIndent == I_INDENTCALLBACK ? 0 : std::max(0, in->iIndent);
        if (indent != item->indent) {
            changed |= LVIF_INDENT;
        }
    }
    if (changed != 0) {
        if (notifyListView(lv, LVN_ITEMCHANGING, index, 0, item->state, item->state, changed,
                           POINT{}, item->lParam) != 0) {
            return FALSE;
        }
        index = indexOf(lv, item, index);
        if (index < 0 || lv.destroyed) {
            return FALSE;
        }
        if (changed & LVIF_TEXT) {
            item->text = text;
            item->textCallback = callback;
        }
        if (changed & LVIF_IMAGE) {
            item->image = in->iImage;
        }
        if (changed & LVIF_PARAM) {
            item->lParam = in->lParam;
        }
        if (changed & LVIF_INDENT) {
            item->indent = indent;
        }
        invalidateItem(lv, index);
        notifyListView(lv, LVN_ITEMCHANGED, index, 0, item->state, item->state, changed, POINT{},
                       item->lParam);
        index = indexOf(lv, item, index);
        if (index < 0 || lv.destroyed) {
            return FALSE;
        }
    }
    if (in->mask & LVIF_STATE) {
        return changeItemState(lv, index, in->state, in->stateMask) ? TRUE : FALSE;
    }
    return TRUE;
}

int getItemText(ListView& lv, int index, LVITEMA* out) {
    if (out == nullptr || !validItem(lv, index) || out->pszText == nullptr ||
        out->cchTextMax <= 0) {
        return 0;
    }
    return copyText(itemText(lv, index, out->iSubItem), out->pszText,
                    static_cast<size_t>(out->cchTextMax));
}

BOOL setItemText(ListView& lv, int index, const LVITEMA* in) {
    if (in == nullptr || !validItem(lv, index)) {
        return FALSE;
    }
    LVITEMA change{};
    change.mask = LVIF_TEXT;
    change.iItem = index;
    change.iSubItem = in->iSubItem;
    change.pszText = in->pszText;
    return setItem(lv, &change);
}

BOOL setItemCount(ListView& lv, int count) {
    if (count < 0) {
        return FALSE;
    }
    if (!virtualList(lv)) {
        lv.items.reserve(static_cast<size_t>(count));
        return TRUE;
    }
    // A virtual list keeps only the states; texts and images come from the
    // parent through LVN_GETDISPINFO.
    size_t wanted = static_cast<size_t>(count);
    if (wanted < lv.items.size()) {
        lv.items.resize(wanted);
    }
    while (lv.items.size() < wanted) {
        auto item = std::make_unique<Item>();
        item->textCallback = true;
        item->image = I_IMAGECALLBACK;
        lv.items.push_back(std::move(item));
    }
    if (lv.selectionMark >= count) {
        lv.selectionMark = -1;
    }
    clampScroll(lv);
    invalidate(lv);
    return TRUE;
}

// --- states -----------------------------------------------------------------

int focusedItem(const ListView& lv) {
    for (size_t i = 0; i < lv.items.size(); ++i) {
        if (lv.items[i]->state & LVIS_FOCUSED) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int selectedCount(const ListView& lv) {
    int count = 0;
    for (const auto& item : lv.items) {
        if (item->state & LVIS_SELECTED) {
            ++count;
        }
    }
    return count;
}

bool changeItemState(ListView& lv, int index, UINT state, UINT mask) {
    if (!validItem(lv, index) || lv.destroyed) {
        return false;
    }
    Item* item = lv.items[static_cast<size_t>(index)].get();
    auto target = [&] { return (item->state & ~mask) | (state & mask); };
    if (target() == item->state) {
        return true;
    }
    if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED) && !(item->state & LVIS_SELECTED) &&
        singleSelection(lv)) {
        deselectAllExcept(lv, index);
        index = indexOf(lv, item, index);
        if (index < 0 || lv.destroyed) {
            return false;
        }
    }
    if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED) && !(item->state & LVIS_FOCUSED)) {
        int focus = focusedItem(lv);
        if (focus >= 0 && focus != index) {
            changeItemState(lv, focus, 0, LVIS_FOCUSED);
            index = indexOf(lv, item, index);
            if (index < 0 || lv.destroyed) {
                return false;
            }
        }
    }
    UINT oldState = item->state;
    UINT newState = target();
    if (newState == oldState) {
        return true;
    }
    if (notifyListView(lv, LVN_ITEMCHANGING, index, 0, newState, oldState, LVIF_STATE, POINT{},
                       item->lParam) != 0) {
        return false;
    }
    index = indexOf(lv, item, index);
    if (index < 0 || lv.destroyed) {
        return false;
    }
    oldState = item->state;
    newState = target();
    item->state = newState;
    invalidateItem(lv, index);
    notifyListView(lv, LVN_ITEMCHANGED, index, 0, newState, oldState, LVIF_STATE, POINT{},
                   item->lParam);
    return true;
}

BOOL setItemState(ListView& lv, int index, const LVITEMA* in) {
    if (in == nullptr) {
        return FALSE;
    }
    UINT state = in->state;
    UINT mask = in->stateMask;
    if (index != -1) {
        return changeItemState(lv, index, state, mask) ? TRUE : FALSE;
    }
    // Every item: the focus cannot go to all of them, nor the selection of a
    // single-selection list.
    if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED)) {
        mask &= ~static_cast<UINT>(LVIS_FOCUSED);
    }
    if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED) && singleSelection(lv)) {
        mask &= ~static_cast<UINT>(LVIS_SELECTED);
    }
    std::vector<Item*> all = snapshot(lv);
    for (size_t i = 0; i < all.size() && !lv.destroyed; ++i) {
        int current = indexOf(lv, all[i], static_cast<int>(i));
        if (current >= 0) {
            changeItemState(lv, current, state, mask);
        }
    }
    return TRUE;
}

void deselectAllExcept(ListView& lv, int keep) {
    const Item* kept = validItem(lv, keep) ? lv.items[static_cast<size_t>(keep)].get() : nullptr;
    std::vector<Item*> all = snapshot(lv);
    for (size_t i = 0; i < all.size() && !lv.destroyed; ++i) {
        if (all[i] == kept) {
            continue;
        }
        int current = indexOf(lv, all[i], static_cast<int>(i));
        if (current >= 0 && (all[i]->state & LVIS_SELECTED)) {
            changeItemState(lv, current, 0, LVIS_SELECTED);
        }
    }
}

void selectOnly(ListView& lv, int index) {
    if (!validItem(lv, index)) {
        return;
    }
    Item* item = lv.items[static_cast<size_t>(index)].get();
    deselectAllExcept(lv, index);
    index = indexOf(lv, item, index);
    if (index < 0 || lv.destroyed) {
        return;
    }
    changeItemState(lv, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    lv.selectionMark = indexOf(lv, item, index);
}

void selectRange(ListView& lv, int anchor, int index, bool add) {
    if (!validItem(lv, index)) {
        return;
    }
    anchor = std::clamp(anchor, 0, itemCount(lv) - 1);
    int lo = std::min(anchor, index);
    int hi = std::max(anchor, index);
    Item* target = lv.items[static_cast<size_t>(index)].get();
    std::vector<Item*> all = snapshot(lv);
    if (!add) {
        for (size_t i = 0; i < all.size() && !lv.destroyed; ++i) {
            int position = static_cast<int>(i);
            if (position >= lo && position <= hi) {
                continue;
            }
            int current = indexOf(lv, all[i], position);
            if (current >= 0 && (all[i]->state & LVIS_SELECTED)) {
                changeItemState(lv, current, 0, LVIS_SELECTED);
            }
        }
    }
    for (int position = lo; position <= hi && !lv.destroyed; ++position) {
        int current = indexOf(lv, all[static_cast<size_t>(position)], position);
        if (current >= 0) {
            changeItemState(lv, current, LVIS_SELECTED, LVIS_SELECTED);
        }
    }
    int current = indexOf(lv, target, index);
    if (current >= 0 && !lv.destroyed) {
        changeItemState(lv, current, LVIS_FOCUSED, LVIS_FOCUSED);
    }
}

// --- searching and sorting --------------------------------------------------

int nextItem(ListView& lv, int start, UINT flags) {
    UINT wanted = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    auto matches = [&](int i) {
        return (lv.items[static_cast<size_t>(i)]->state & wanted) == wanted;
    };
    int count = itemCount(lv);
    if (start < -1 || start >= count) {
        return -1;
    }
    if (flags & LVNI_ABOVE) {
        for (int i = start - 1; i >= 0; --i) {
            if (matches(i)) {
                return i;
            }
        }
        return -1;
    }
    if (flags & (LVNI_TOLEFT | LVNI_TORIGHT)) {
        // Rows are the only arrangement: nothing stands beside an item.
        return -1;
    }
    for (int i = start + 1; i < count; ++i) {
        if (matches(i)) {
            return i;
        }
    }
    return -1;
}

int findItem(ListView& lv, int start, const LVFINDINFOA* find) {
    if (find == nullptr) {
        return -1;
    }
    int count = itemCount(lv);
    if (count == 0 || start < -1 || start >= count) {
        return -1;
    }
    std::string wanted =
        (find->flags & (LVFI_STRING | LVFI_PARTIAL | LVFI_SUBSTRING)) && find->psz != nullptr
            ? std::string(find->psz)
            : std::string();
    auto matches = [&](int i) {
        if (find->flags & LVFI_PARAM) {
            return lv.items[static_cast<size_t>(i)]->lParam == find->lParam;
        }
        if (find->flags & (LVFI_STRING | LVFI_PARTIAL | LVFI_SUBSTRING)) {
            if (find->psz == nullptr) {
                return false;
            }
            std::string text = itemText(lv, i, 0);
            if (find->flags & (LVFI_PARTIAL | LVFI_SUBSTRING)) {
                return startsWithNoCase(text, wanted);
            }
            return compareNoCase(text, wanted) == 0;
        }
        return false;
    };
    for (int i = start + 1; i < itemCount(lv); ++i) {
        if (matches(i)) {
            return i;
        }
    }
    if ((find->flags & LVFI_WRAP) && start >= 0) {
        for (int i = 0; i <= start && i < itemCount(lv); ++i) {
            if (matches(i)) {
                return i;
            }
        }
    }
    return -1;
}

BOOL sortItems(ListView& lv, LPARAM lParamSort, PFNLVCOMPARE compare, bool byIndex) {
    if (compare == nullptr || virtualList(lv)) {
        return FALSE;
    }
    if (lv.editItem != nullptr) {
        endLabelEdit(lv, true);
    }
    std::vector<Item*> order = snapshot(lv);
    Item* mark = validItem(lv, lv.selectionMark)
                     ? lv.items[static_cast<size_t>(lv.selectionMark)].get()
                     : nullptr;
    if (byIndex) {
        std::unordered_map<const Item*, int> original;
        for (size_t i = 0; i < order.size(); ++i) {
            original[order[i]] = static_cast<int>(i);
        }
        mergeSort(order, [&](const Item* a, const Item* b) {
            return compare(original[a], original[b], lParamSort) < 0;
        });
    } else {
        mergeSort(order, [&](const Item* a, const Item* b) {
            return compare(a->lParam, b->lParam, lParamSort) < 0;
        });
    }
    if (lv.destroyed || order.size() != lv.items.size()) {
        return FALSE;
    }
    // The comparison may not change the list; if it did, keep the new list.
    std::vector<Item*> now = snapshot(lv);
    std::vector<Item*> check = order;
    std::sort(check.begin(), check.end());
    std::sort(now.begin(), now.end());
    if (check != now) {
        return FALSE;
    }
    std::vector<std::unique_ptr<Item>> sorted;
    sorted.reserve(order.size());
    for (auto& owned : lv.items) {
        owned.release();
    }
    for (Item* item : order) {
        sorted.emplace_back(item);
    }
    lv.items = std::move(sorted);
    lv.selectionMark = indexOf(lv, mark);
    lv.hotItem = -1;
    invalidate(lv);
    return TRUE;
}

// --- columns ----------------------------------------------------------------

void syncColumnsFromHeader(ListView& lv) {
    if (lv.header == nullptr) {
        lv.order.resize(lv.columns.size());
        for (size_t i = 0; i < lv.order.size(); ++i) {
            lv.order[i] = static_cast<int>(i);
        }
        return;
    }
    auto count = static_cast<size_t>(SendMessageA(lv.header, HDM_GETITEMCOUNT, 0, 0));
    if (count != lv.columns.size()) {
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        HDITEMA item{};
        item.mask = HDI_WIDTH;
        if (SendMessageA(lv.header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item))) {
            lv.columns[i].width = item.cxy;
        }
    }
    std::vector<int> order(count);
    if (count == 0 ||
        SendMessageA(lv.header, HDM_GETORDERARRAY, count, reinterpret_cast<LPARAM>(order.data()))) {
        lv.order = std::move(order);
    }
}

int insertColumn(ListView& lv, int index, const LVCOLUMNA* in) {
    if (in == nullptr || index < 0) {
        return -1;
    }
    index = std::min(index, static_cast<int>(lv.columns.size()));
    Column column;
    if (in->mask & LVCF_FMT) {
        column.format = in->fmt;
    }
    if (in->mask & LVCF_WIDTH) {
        column.width = std::max(0, in->cx);
    }
    if ((in->mask & LVCF_TEXT) && in->pszText != nullptr && in->pszText != LPSTR_TEXTCALLBACKA) {
        column.text = in->pszText;
    }
    column.subItem = (in->mask & LVCF_SUBITEM) ? in->iSubItem : index;
    if (in->mask & LVCF_IMAGE) {
        column.image = in->iImage;
    }
    lv.columns.insert(lv.columns.begin() + index, column);
    size_t slot = index == 0 ? 0 : static_cast<size_t>(index - 1);
    for (auto& item : lv.items) {
        if (slot < item->subItems.size()) {
            item->subItems.insert(item->subItems.begin() + static_cast<std::ptrdiff_t>(slot),
                                  SubItem{});
        }
    }
    if (lv.header != nullptr) {
        HDITEMA item{};
        item.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
        item.cxy = column.width;
        item.fmt = headerFormat(column.format);
        item.pszText = const_cast<LPSTR>(column.text.c_str());
        if (in->mask & LVCF_IMAGE) {
            item.mask |= HDI_IMAGE;
            item.iImage = in->iImage;
        }
        if (in->mask & LVCF_ORDER) {
            item.mask |= HDI_ORDER;
            item.iOrder = in->iOrder;
        }
        SendMessageA(lv.header, HDM_INSERTITEMA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    }
    syncColumnsFromHeader(lv);
    invalidate(lv);
    return index;
}

BOOL deleteColumn(ListView& lv, int index) {
    if (index < 0 || index >= static_cast<int>(lv.columns.size())) {
        return FALSE;
    }
    lv.columns.erase(lv.columns.begin() + index);
    size_t slot = index == 0 ? 0 : static_cast<size_t>(index - 1);
    for (auto& item : lv.items) {
        if (slot < item->subItems.size()) {
            item->subItems.erase(item->subItems.begin() + static_cast<std::ptrdiff_t>(slot));
        }
    }
    if (lv.header != nullptr) {
        SendMessageA(lv.header, HDM_DELETEITEM, static_cast<WPARAM>(index), 0);
    }
    syncColumnsFromHeader(lv);
    clampScroll(lv);
    invalidate(lv);
    return TRUE;
}

BOOL getColumn(ListView& lv, int index, LVCOLUMNA* out) {
    if (out == nullptr || index < 0 || index >= static_cast<int>(lv.columns.size())) {
        return FALSE;
    }
    const Column& column = lv.columns[static_cast<size_t>(index)];
    if (out->mask & LVCF_FMT) {
        out->fmt = column.format;
    }
    if (out->mask & LVCF_WIDTH) {
        out->cx = column.width;
    }
    if ((out->mask & LVCF_TEXT) && out->pszText != nullptr && out->cchTextMax > 0) {
        copyText(column.text, out->pszText, static_cast<size_t>(out->cchTextMax));
    }
    if (out->mask & LVCF_SUBITEM) {
        out->iSubItem = column.subItem;
    }
    if (out->mask & LVCF_IMAGE) {
        out->iImage = column.image;
    }
    if (out->mask & LVCF_ORDER) {
        auto it = std::find(lv.order.begin(), lv.order.end(), index);
        out->iOrder = it == lv.order.end() ? index : static_cast<int>(it - lv.order.begin());
    }
    return TRUE;
}

BOOL setColumn(ListView& lv, int index, const LVCOLUMNA* in) {
    if (in == nullptr || index < 0 || index >= static_cast<int>(lv.columns.size())) {
        return FALSE;
    }
    Column& column = lv.columns[static_cast<size_t>(index)];
    HDITEMA item{};
    if (in->mask & LVCF_FMT) {
        column.format = in->fmt;
        item.mask |= HDI_FORMAT;
        item.fmt = headerFormat(column.format);
    }
    if (in->mask & LVCF_WIDTH) {
        column.width = std::max(0, in->cx);
        item.mask |= HDI_WIDTH;
        item.cxy = column.width;
    }
    if (in->mask & LVCF_TEXT) {
        column.text =
            in->pszText != nullptr && in->pszText != LPSTR_TEXTCALLBACKA ? in->pszText : "";
        item.mask |= HDI_TEXT;
    }
    if (in->mask & LVCF_SUBITEM) {
        column.subItem = in->iSubItem;
    }
    if (in->mask & LVCF_IMAGE) {
        column.image = in->iImage;
        item.mask |= HDI_IMAGE;
        item.iImage = in->iImage;
    }
    if (in->mask & LVCF_ORDER) {
        item.mask |= HDI_ORDER;
        item.iOrder = in->iOrder;
    }
    std::string text = column.text;
    item.pszText = const_cast<LPSTR>(text.c_str());
    if (lv.header != nullptr && item.mask != 0) {
        SendMessageA(lv.header, HDM_SETITEMA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    }
    syncColumnsFromHeader(lv);
    invalidate(lv);
    return TRUE;
}

int columnWidth(const ListView& lv, int index) {
    DWORD view = windowStyle(lv.hwnd) & LVS_TYPEMASK;
    if (view == LVS_LIST) {
        return lv.listColumnWidth;
    }
    if (view != LVS_REPORT || index < 0 || index >= static_cast<int>(lv.columns.size())) {
        return 0;
    }
    return lv.columns[static_cast<size_t>(index)].width;
}

BOOL setColumnWidth(ListView& lv, int index, int width) {
    DWORD view = windowStyle(lv.hwnd) & LVS_TYPEMASK;
    if (view == LVS_LIST) {
        if (width < 0) {
            return FALSE;
        }
        lv.listColumnWidth = width;
        invalidate(lv);
        return TRUE;
    }
    if (view != LVS_REPORT || index < 0 || index >= static_cast<int>(lv.columns.size())) {
        return FALSE;
    }
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        int content = 0;
        for (int i = 0; i < itemCount(lv); ++i) {
            content = std::max(content, contentWidth(lv, i, index));
        }
        if (width == LVSCW_AUTOSIZE_USEHEADER) {
            const std::string& heading = lv.columns[static_cast<size_t>(index)].text;
            int headerWidth = textWidth(lv, heading) + 2 * kHeaderTextMargin;
            width = std::max(content, headerWidth);
            if (!lv.order.empty() && lv.order.back() == index) {
                // The last column fills what is left of the client area.
                RECT client{};
                GetClientRect(lv.hwnd, &client);
                int others = totalColumnWidth(lv) - lv.columns[static_cast<size_t>(index)].width;
                width = std::max(headerWidth, static_cast<int>(client.right) - others);
            }
        } else {
            width = content;
        }
    } else if (width < 0) {
        return FALSE;
    }
    if (index >= static_cast<int>(lv.columns.size())) {
        return FALSE;
    }
    BOOL done = TRUE;
    if (lv.header != nullptr) {
        HDITEMA item{};
        item.mask = HDI_WIDTH;
        item.cxy = width;
        done = static_cast<BOOL>(SendMessageA(lv.header, HDM_SETITEMA, static_cast<WPARAM>(index),
                                              reinterpret_cast<LPARAM>(&item)));
        syncColumnsFromHeader(lv);
    } else {
        lv.columns[static_cast<size_t>(index)].width = width;
    }
    clampScroll(lv);
    invalidate(lv);
    return done;
}

}  // namespace vedrix::controls::listview
