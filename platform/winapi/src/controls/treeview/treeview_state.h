// The tree view's data: items, the per-parent ordering structures, the
// control's state, and the operations the message handlers share. Written
// against the public window API only.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "controls/treeview/item_table.h"

namespace vedrix::controls::treeview {

struct Item;

// Case-insensitive order of item texts (the order of TVI_SORT).
struct TextLess {
    bool operator()(const Item* a, const Item* b) const;
};

// Ordering support of one parent's children. The children form a linked
// list; `inversions` counts the adjacent pairs whose texts are out of order,
// so the list is sorted exactly when it is 0. While the list is sorted and no
// child has a callback text, `index` mirrors the list in a balanced tree, so
// that a sorted insertion finds its place in logarithmic time. The index is
// dropped as soon as the list stops being sorted, and rebuilt at the next
// sorted insertion that finds the list sorted again.
struct ChildOrder {
    std::multiset<Item*, TextLess> index;
    bool indexed = false;
    int inversions = 0;
    int callbackChildren = 0;
};

struct Item {
    DWORD id = 0;
    Item* parent = nullptr;
    Item* firstChild = nullptr;
    Item* lastChild = nullptr;
    Item* prev = nullptr;
    Item* next = nullptr;
    int childCount = 0;
    int depth = -1;  // 0 for the items at the top of the tree; -1 for the hidden root

    std::string text;
    bool textCallback = false;
    int image = 0;
    int selectedImage = 0;
    int expandedImage = I_IMAGENONE;
    int childrenFlag = I_CHILDRENAUTO;  // I_CHILDRENAUTO: whether children exist
    UINT state = 0;
    UINT stateEx = 0;
    int integral = 1;
    LPARAM lParam = 0;

    bool deleting = false;                              // its branch is being deleted
    bool notified = false;                              // TVN_DELETEITEM was sent
    std::multiset<Item*, TextLess>::iterator indexPos;  // valid while the parent is indexed
    ChildOrder order;                                   // of this item's children

    unsigned rowGeneration = 0;  // row is valid when equal to the tree's layout generation
    int row = -1;
};

// A press of a mouse button that has not become a click or a drag yet.
struct Press {
    bool active = false;
    bool right = false;
    POINT point{};
    DWORD item = 0;
    UINT hit = 0;
    bool wasCaret = false;
};

struct Tree {
    HWND hwnd = nullptr;
    HWND notifyWindow = nullptr;
    bool destroyed = false;

    Item root;
    ItemTable items;
    int deletions = 0;  // branch deletions in progress
    // Items freed so far: while it stays the same, item pointers taken
    // earlier still point to live items.
    unsigned long long freedItems = 0;

    Item* caret = nullptr;
    Item* drop = nullptr;
    Item* top = nullptr;  // first visible item while scrolled down; null at the top
    Item* insertMark = nullptr;
    bool insertMarkAfter = false;

    HIMAGELIST normalImages = nullptr;
    HIMAGELIST stateImages = nullptr;
    int indent = 19;
    int explicitItemHeight = 0;  // 0: derived from the text and image heights
    HFONT font = nullptr;
    HFONT boldFont = nullptr;
    bool redraw = true;
    bool focused = false;
    COLORREF bkColor = CLR_NONE;
    COLORREF textColor = CLR_NONE;
    COLORREF lineColor = CLR_DEFAULT;
    COLORREF insertMarkColor = 0;
    HWND tooltips = nullptr;
    DWORD exStyle = 0;
    UINT scrollTime = 200;

    // Visible rows, rebuilt on demand after any change of structure.
    bool layoutValid = false;
    unsigned layoutGeneration = 0;
    std::vector<Item*> rows;
    int scrollPos = -1, scrollMax = -1, scrollPage = -1;  // last scroll bar sent

    // Label editing.
    HWND edit = nullptr;
    DWORD editItem = 0;
    bool endingEdit = false;
    DWORD editPendingItem = 0;  // a click on the selected label waits for the timer

    Press press;
};

// --- items and their structure (items.cpp) --------------------------------

HTREEITEM handleOf(const Item* item);
Item* findItem(Tree& tree, HTREEITEM handle);
Item* findItem(Tree& tree, DWORD id);
bool hasChildren(Tree& tree, Item* item);
bool isVisible(const Item* item);
bool isAncestor(const Item* ancestor, const Item* item);
std::string displayText(Tree& tree, Item* item);

HTREEITEM insertItem(Tree& tree, const TVINSERTSTRUCTA* insert);
// Deletes the item and its branch (TVI_ROOT or null: every item), sending
// TVN_DELETEITEM for each, children first. `moveSelection` chooses a new
// caret when the caret goes with the branch.
BOOL deleteItem(Tree& tree, HTREEITEM handle);
void deleteAll(Tree& tree, bool moveSelection);
void deleteChildren(Tree& tree, Item* item);
void setItemText(Tree& tree, Item* item, const char* text);
BOOL getItem(Tree& tree, TVITEMEXA* item);
BOOL setItem(Tree& tree, const TVITEMEXA* item);
BOOL sortChildren(Tree& tree, HTREEITEM parent, bool recurse);
BOOL sortChildrenCallback(Tree& tree, const TVSORTCB* sort);

// Visible-order neighbours, without the row table.
Item* nextVisible(Tree& tree, Item* item);
Item* previousVisible(Tree& tree, Item* item);
Item* lastVisible(Tree& tree);

// TVN_GETDISPINFO for the callback fields in `mask`.
void requestDisplayInfo(Tree& tree, Item* item, UINT mask, NMTVDISPINFOA& info, char* buffer,
                        int size);

// --- notifications and actions (treeview.cpp) -----------------------------

// Registers "SysTreeView32"; done at library load, harmless to repeat.
void registerTreeViewClass();

LRESULT notify(Tree& tree, UINT code, NMHDR* header);
void fillNotifyItem(const Item* item, TVITEMA& out);
void invalidate(Tree& tree);
void invalidateLayout(Tree& tree);
BOOL selectCaret(Tree& tree, DWORD id, UINT action);
BOOL expandItem(Tree& tree, Item* item, UINT code, bool byUser);
// Ends the open label edit, if any, sending TVN_ENDLABELEDIT once.
// `focusLeaving`: the edit is losing the focus to another window, which keeps it.
bool endLabelEdit(Tree& tree, bool cancel, bool focusLeaving = false);

// --- geometry, scrolling and drawing (view.cpp) ---------------------------

struct RowGeometry {
    RECT row{};
    int buttonLeft = 0;
    int itemLeft = 0;
    bool button = false;
    RECT stateImage{};
    RECT image{};
    RECT label{};
};

void ensureLayout(Tree& tree);
int itemHeight(const Tree& tree);
int pageRows(const Tree& tree);
int topRow(Tree& tree);
void setTopRow(Tree& tree, int row);
bool scrollIntoView(Tree& tree, Item* item);
bool rowGeometry(Tree& tree, Item* item, RowGeometry& geometry);
HTREEITEM hitTest(Tree& tree, TVHITTESTINFO* info);
BOOL itemRect(Tree& tree, RECT* rect, bool textOnly);
int labelTextWidth(Tree& tree, Item* item, const std::string& text);
void paint(Tree& tree, HDC dc, const RECT& clip);
HIMAGELIST createDragImage(Tree& tree, Item* item);
HIMAGELIST createCheckBoxImages();
void updateScrollBar(Tree& tree);
HFONT boldFont(Tree& tree);

}  // namespace vedrix::controls::treeview
