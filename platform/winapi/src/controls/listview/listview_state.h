// The list view's data: items with their sub-items, columns, the control's
// state, and the operations its message handlers share. Written against the
// public window API only; the header child is driven through its messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace vedrix::controls::listview {

struct SubItem {
    std::string text;
    bool textCallback = false;
    int image = I_IMAGENONE;
};

struct Item {
    std::string text;
    bool textCallback = false;
    int image = 0;
    UINT state = 0;
    LPARAM lParam = 0;
    int indent = 0;
    std::vector<SubItem> subItems;  // index = column - 1
};

// Sub-item texts are kept per column: column c (c >= 1) shows subItems[c - 1]
// of every item, column 0 the item's own text. `subItem` is only the value
// given with LVCF_SUBITEM, reported back by LVM_GETCOLUMN.
struct Column {
    int format = LVCFMT_LEFT;
    int width = 0;
    std::string text;
    int subItem = 0;
    int image = 0;
};

// A press of a mouse button that has not become a click or a drag yet.
struct Press {
    bool active = false;
    bool right = false;
    POINT point{};
    Item* item = nullptr;  // item under the press (null: none)
    int index = -1;        // its index at the press
    int subItem = 0;
    UINT hitFlags = 0;
    UINT keyFlags = 0;            // LVKF_ flags at the press
    bool deferredSelect = false;  // on release without drag, select only `item`
};

struct ListView {
    HWND hwnd = nullptr;
    HWND notifyWindow = nullptr;
    HWND header = nullptr;
    bool destroyed = false;

    std::vector<std::unique_ptr<Item>> items;
    std::vector<Column> columns;
    std::vector<int> order;  // display position -> column index, as the header has it

    HIMAGELIST normalImages = nullptr;
    HIMAGELIST smallImages = nullptr;
    HIMAGELIST stateImages = nullptr;
    HFONT font = nullptr;
    COLORREF bkColor = 0;
    COLORREF textColor = 0;
    COLORREF textBkColor = 0;
    DWORD exStyle = 0;
    UINT callbackMask = 0;
    int listColumnWidth = 0;  // column width of the list view (LVS_LIST)

    int selectionMark = -1;
    int hotItem = -1;
    int topIndex = 0;
    int scrollX = 0;
    bool focused = false;

    // Label editing.
    HWND edit = nullptr;
    WNDPROC editProc = nullptr;
    Item* editItem = nullptr;
    bool endingEdit = false;

    Press press;
};

// --- items, columns and states (items.cpp) ---------------------------------

int itemCount(const ListView& lv);
bool validItem(const ListView& lv, int index);
// Index of `item`, trying `hint` first; -1 when the item is gone.
int indexOf(const ListView& lv, const Item* item, int hint = -1);
// The text of an item (sub-item 0) or sub-item, asking the parent for a
// callback text.
std::string itemText(ListView& lv, int index, int subItem);
int itemImage(ListView& lv, int index);
int subItemImage(ListView& lv, int index, int subItem);

LRESULT notify(ListView& lv, UINT code, NMHDR* header);
LRESULT notifyListView(ListView& lv, UINT code, int item, int subItem, UINT newState, UINT oldState,
                       UINT changed, POINT action, LPARAM lParam);

int insertItem(ListView& lv, const LVITEMA* in);
BOOL deleteItem(ListView& lv, int index);
BOOL deleteAllItems(ListView& lv);
BOOL getItem(ListView& lv, LVITEMA* out);
BOOL setItem(ListView& lv, const LVITEMA* in);
int getItemText(ListView& lv, int index, LVITEMA* out);
BOOL setItemText(ListView& lv, int index, const LVITEMA* in);
BOOL setItemCount(ListView& lv, int count);

// Changes the state bits in `mask` of one item to those of `state`, with
// LVN_ITEMCHANGING/LVN_ITEMCHANGED. Giving an item the focus takes it from
// the item that had it; selecting an item in a single-selection list
// deselects the others first. Returns false when the change was refused or
// the item went away.
bool changeItemState(ListView& lv, int index, UINT state, UINT mask);
BOOL setItemState(ListView& lv, int index, const LVITEMA* in);
int focusedItem(const ListView& lv);
int selectedCount(const ListView& lv);
// Selects `index` alone and gives it the focus (the usual click).
void selectOnly(ListView& lv, int index);
// Deselects every item except `keep`.
void deselectAllExcept(ListView& lv, int keep);
// Selects the range between `anchor` and `index` (keeping other selected
// items when `add`), and gives `index` the focus.
void selectRange(ListView& lv, int anchor, int index, bool add);

int nextItem(ListView& lv, int start, UINT flags);
int findItem(ListView& lv, int start, const LVFINDINFOA* find);
BOOL sortItems(ListView& lv, LPARAM lParamSort, PFNLVCOMPARE compare, bool byIndex);

int insertColumn(ListView& lv, int index, const LVCOLUMNA* in);
BOOL deleteColumn(ListView& lv, int index);
BOOL getColumn(ListView& lv, int index, LVCOLUMNA* out);
BOOL setColumn(ListView& lv, int index, const LVCOLUMNA* in);
int columnWidth(const ListView& lv, int index);
BOOL setColumnWidth(ListView& lv, int index, int width);
// Reads the column widths and order back from the header.
void syncColumnsFromHeader(ListView& lv);

// --- geometry, scrolling and drawing (view.cpp) ----------------------------

bool isReport(const ListView& lv);
int headerHeight(const ListView& lv);
int rowHeight(const ListView& lv);
int countPerPage(const ListView& lv);
int totalColumnWidth(const ListView& lv);
// Left edge of column `index` (client coordinates, scrolled).
int columnLeft(const ListView& lv, int index);

struct ItemGeometry {
    RECT row{};  // LVIR_BOUNDS
    RECT stateImage{};
    RECT icon{};          // LVIR_ICON
    RECT label{};         // LVIR_LABEL
    RECT selectBounds{};  // LVIR_SELECTBOUNDS
};
ItemGeometry itemGeometry(ListView& lv, int index);
BOOL getItemRect(ListView& lv, int index, RECT* rect);
BOOL getSubItemRect(ListView& lv, int index, RECT* rect);
int hitTest(ListView& lv, LVHITTESTINFO* info, bool subItems);
int textWidth(ListView& lv, const std::string& text);

void layoutHeader(ListView& lv);
void clampScroll(ListView& lv);
void setTopIndex(ListView& lv, int top);
BOOL ensureVisible(ListView& lv, int index, bool partialOK);
BOOL scroll(ListView& lv, int dx, int dy);
void invalidate(ListView& lv);
void invalidateItem(ListView& lv, int index);
void paint(ListView& lv, HDC dc);
void eraseBackground(ListView& lv, HDC dc);
HIMAGELIST createDragImage(ListView& lv, int index, POINT* upperLeft);

// --- the window class (listview.cpp) --------------------------------------

// The list view whose window is `hwnd`, kept alive while the caller holds it.
std::shared_ptr<ListView> findListView(HWND hwnd);

// --- input and label editing (input.cpp) ----------------------------------

void onButtonDown(ListView& lv, POINT pt, WPARAM keys, bool right, bool doubleClick);
void onMouseMove(ListView& lv, POINT pt);
void onButtonUp(ListView& lv, POINT pt, bool right);
void onCaptureLost(ListView& lv);
void onKeyDown(ListView& lv, WPARAM key);
HWND editLabel(ListView& lv, int index);
// Ends label editing; `cancel` drops the edited text.
void endLabelEdit(ListView& lv, bool cancel);

}  // namespace vedrix::controls::listview
