// List view items, sub-items and columns: insertion (index clamping, sorted
// styles), texts of items and sub-items, columns and their header items,
// deletion notifications, searching and sorting.
#include "listview/listview_fixture.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <type_traits>

using listview_tests::ListViewTest;
using listview_tests::Note;

namespace {

// The message macros cast to the platform's types, as the platform's header
// does; tests below also use them as statements, which must draw no warning.
static_assert(std::is_same_v<decltype(ListView_GetItemCount(HWND{})), int>);
static_assert(std::is_same_v<decltype(ListView_DeleteAllItems(HWND{})), BOOL>);
static_assert(std::is_same_v<decltype(ListView_GetImageList(HWND{}, 0)), HIMAGELIST>);
static_assert(std::is_same_v<decltype(ListView_GetItemState(HWND{}, 0, 0)), UINT>);
static_assert(std::is_same_v<decltype(ListView_GetExtendedListViewStyle(HWND{})), DWORD>);
static_assert(std::is_same_v<decltype(ListView_GetHeader(HWND{})), HWND>);

class ListViewItems : public ListViewTest {
protected:
    std::vector<std::string> texts() {
        std::vector<std::string> all;
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            all.push_back(textOf(i));
        }
        return all;
    }
    // The parameters of the items LVN_DELETEITEM reported.
    std::multiset<LPARAM> deletedParams() const {
        std::multiset<LPARAM> params;
        for (const Note& note : notes(LVN_DELETEITEM)) {
            params.insert(note.lParam);
        }
        return params;
    }
};

using Texts = std::vector<std::string>;

TEST_F(ListViewItems, InsertClampsTheIndexAndReturnsWhereTheItemWent) {
    createList(LVS_REPORT);
    insertColumn(0, "Name", 100);
    EXPECT_EQ(insert(0, "b", 2), 0);
    EXPECT_EQ(insert(0, "a", 1), 0);
    EXPECT_EQ(insert(99, "d", 4), 2);  // past the end: appended
    EXPECT_EQ(insert(2, "c", 3), 2);
    EXPECT_EQ(texts(), (Texts{"a", "b", "c", "d"}));
    EXPECT_EQ(paramOf(3), 4);

    // A negative index or a sub-item cannot be inserted.
    EXPECT_EQ(insert(-1, "x"), -1);
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = LVIF_TEXT;
    item.iItem = 0;
    item.iSubItem = 1;
    item.pszText = const_cast<char*>("x");
    EXPECT_EQ(ListView_InsertItem(list, &item), -1);
    EXPECT_EQ(ListView_InsertItem(list, nullptr), -1);
    EXPECT_EQ(ListView_GetItemCount(list), 4);

    // Every insertion was reported with its final index and parameter.
    std::vector<Note> inserted = notes(LVN_INSERTITEM);
    ASSERT_EQ(inserted.size(), 4u);
    EXPECT_EQ(inserted[1].item, 0);
    EXPECT_EQ(inserted[1].lParam, 1);
    EXPECT_EQ(inserted[2].item, 2);
    EXPECT_EQ(inserted[3].item, 2);
    EXPECT_EQ(inserted[3].lParam, 3);
}

TEST_F(ListViewItems, InsertingTheWayTheBuildingListDoesReversesTheOrder) {
    // Each row inserted at the index the previous insertion returned.
    createList(LVS_REPORT | LVS_SINGLESEL);
    insertColumn(0, "Building", 196);
    int at = 0;
    for (const char* name : {"one", "two", "three"}) {
        at = insert(at, name);
        ASSERT_EQ(at, 0);
    }
    EXPECT_EQ(texts(), (Texts{"three", "two", "one"}));
}

TEST_F(ListViewItems, SortedStylesPlaceItemsByTextIgnoringCase) {
    createList(LVS_REPORT | LVS_SORTASCENDING);
    insertColumn(0, "Name", 100);
    EXPECT_EQ(insert(0, "beta", 1), 0);
    EXPECT_EQ(insert(0, "Gamma", 2), 1);
    EXPECT_EQ(insert(5, "alpha", 3), 0);
    // Equal texts (ignoring case) go after the ones already there.
    EXPECT_EQ(insert(0, "BETA", 4), 2);
    EXPECT_EQ(texts(), (Texts{"alpha", "beta", "BETA", "Gamma"}));
    EXPECT_EQ(paramOf(2), 4);

    DestroyWindow(list);
    createList(LVS_REPORT | LVS_SORTDESCENDING);
    insertColumn(0, "Name", 100);
    insert(0, "b");
    insert(0, "C");
    insert(0, "a");
    EXPECT_EQ(insert(0, "c"), 1);
    EXPECT_EQ(texts(), (Texts{"C", "c", "b", "a"}));
}

TEST_F(ListViewItems, SubItemTextsBelongToTheirColumns) {
    createList(LVS_REPORT);
    insertColumn(0, "File", 80);
    insertColumn(1, "Name", 80);
    insertColumn(2, "Size", 40, LVCFMT_RIGHT);
    insert(0, "tb000042.zdw");
    insert(1, "tb000007.zdw");
    setText(0, 1, "Ground floor");
    setText(0, 2, "12");
    setText(1, 2, "3");
    EXPECT_EQ(textOf(0, 1), "Ground floor");
    EXPECT_EQ(textOf(0, 2), "12");
    EXPECT_EQ(textOf(1, 1), "");
    EXPECT_EQ(textOf(1, 2), "3");

    // A sub-item needs its column.
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = LVIF_TEXT;
    item.iItem = 0;
    item.iSubItem = 3;
    item.pszText = const_cast<char*>("x");
    EXPECT_FALSE(ListView_SetItem(list, &item));

    // A column inserted between keeps the other columns' texts with them;
    // a deleted column takes its texts along.
    insertColumn(1, "New", 30);
    EXPECT_EQ(textOf(0, 1), "");
    EXPECT_EQ(textOf(0, 2), "Ground floor");
    EXPECT_EQ(textOf(0, 3), "12");
    EXPECT_TRUE(ListView_DeleteColumn(list, 2));
    EXPECT_EQ(textOf(0, 2), "12");
    EXPECT_EQ(textOf(0, 0), "tb000042.zdw");
    EXPECT_FALSE(ListView_DeleteColumn(list, 3));
}

// cchTextMax counts the terminating null: a short buffer gets what fits,
// terminated, and LVM_GETITEMTEXT returns the characters it copied.
TEST_F(ListViewItems, AShortBufferGetsWhatFitsTerminated) {
    createList(LVS_REPORT);
    insertColumn(0, "File", 80);
    insertColumn(1, "Name", 80);
    insert(0, "tb000042.zdw");
    setText(0, 1, "Ground floor");
    char small[8];
    std::memset(small, '#', sizeof small);
    LVITEMA get;
    std::memset(&get, 0, sizeof get);
    get.iSubItem = 1;
    get.pszText = small;
    get.cchTextMax = 5;
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&get)), 4);
    EXPECT_STREQ(small, "Grou");
    EXPECT_EQ(small[5], '#');  // nothing written past the buffer
}

TEST_F(ListViewItems, SetItemChangesTextImageAndParamWithNotifications) {
    createList(LVS_REPORT);
    insertColumn(0, "Name", 100);
    insert(0, "old", 5);
    clearNotes();
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = 0;
    item.pszText = const_cast<char*>("new");
    item.iImage = 3;
    item.lParam = 6;
    EXPECT_TRUE(ListView_SetItem(list, &item));
    std::vector<Note> changing = notes(LVN_ITEMCHANGING);
    std::vector<Note> changed = notes(LVN_ITEMCHANGED);
    ASSERT_EQ(changing.size(), 1u);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changing[0].changed, static_cast<UINT>(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM));
    EXPECT_EQ(changing[0].lParam, 5);
    EXPECT_EQ(changed[0].lParam, 6);
    EXPECT_EQ(textOf(0), "new");

    LVITEMA get;
    std::memset(&get, 0, sizeof get);
    get.mask = LVIF_IMAGE | LVIF_PARAM;
    EXPECT_TRUE(ListView_GetItem(list, &get));
    EXPECT_EQ(get.iImage, 3);
    EXPECT_EQ(get.lParam, 6);

    // Setting the same values again changes nothing and says nothing.
    clearNotes();
    EXPECT_TRUE(ListView_SetItem(list, &item));
    EXPECT_TRUE(notes(LVN_ITEMCHANGED).empty());

    // The parent can refuse a change.
    respond = [](NMHDR* nm) -> LRESULT { return nm->code == LVN_ITEMCHANGING ? TRUE : 0; };
    item.pszText = const_cast<char*>("refused");
    EXPECT_FALSE(ListView_SetItem(list, &item));
    EXPECT_EQ(textOf(0), "new");
    EXPECT_FALSE(ListView_SetItem(list, nullptr));
    item.iItem = 5;
    EXPECT_FALSE(ListView_SetItem(list, &item));
}

TEST_F(ListViewItems, CallbackTextsAreAskedFromTheParent) {
    createList(LVS_REPORT);
    insertColumn(0, "Name", 100);
    insertColumn(1, "More", 100);
    respond = [](NMHDR* nm) -> LRESULT {
        if (nm->code == LVN_GETDISPINFOA) {
            auto* info = reinterpret_cast<NMLVDISPINFOA*>(nm);
            if (info->item.mask & LVIF_TEXT) {
                std::string text = "row" + std::to_string(info->item.iItem) + "." +
                                   std::to_string(info->item.iSubItem);
                lstrcpynA(info->item.pszText, text.c_str(), info->item.cchTextMax);
            }
        }
        return 0;
    };
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = LVIF_TEXT;
    item.pszText = LPSTR_TEXTCALLBACKA;
    EXPECT_EQ(ListView_InsertItem(list, &item), 0);
    setText(0, 1, LPSTR_TEXTCALLBACKA);
    EXPECT_EQ(textOf(0), "row0.0");
    EXPECT_EQ(textOf(0, 1), "row0.1");
    EXPECT_FALSE(notes(LVN_GETDISPINFOA).empty());
}

TEST_F(ListViewItems, ColumnsKeepWidthFormatTextAndTheirHeaderItems) {
    createList(LVS_REPORT);
    EXPECT_EQ(insertColumn(0, "File", 78), 0);
    EXPECT_EQ(insertColumn(7, "Name", 118, LVCFMT_RIGHT), 1);  // clamped to the end
    EXPECT_EQ(insertColumn(-1, "Bad", 10), -1);

    LVCOLUMNA column;
    char text[32];
    std::memset(&column, 0, sizeof column);
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ASSERT_TRUE(ListView_GetColumn(list, 1, &column));
    EXPECT_EQ(column.fmt, LVCFMT_RIGHT);
    EXPECT_EQ(column.cx, 118);
    EXPECT_STREQ(text, "Name");
    EXPECT_FALSE(ListView_GetColumn(list, 2, &column));
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 78);
    EXPECT_EQ(ListView_GetColumnWidth(list, 5), 0);

    // The header shows the columns.
    HWND header = ListView_GetHeader(list);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(Header_GetItemCount(header), 2);
    HDITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = HDI_FORMAT | HDI_WIDTH | HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(Header_GetItem(header, 1, &item));
    EXPECT_EQ(item.cxy, 118);
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
    EXPECT_STREQ(text, "Name");

    // A new width goes to the header too.
    EXPECT_TRUE(ListView_SetColumnWidth(list, 0, 50));
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 50);
    ASSERT_TRUE(Header_GetItem(header, 0, &item));
    EXPECT_EQ(item.cxy, 50);
    EXPECT_FALSE(ListView_SetColumnWidth(list, 2, 50));
}

// The margins around a text are the platform's; an autosized column is as
// wide as its longest text (or heading) and those margins.
TEST_F(ListViewItems, AutosizedColumnsFitTheirTextsOrHeadings) {
    createList(LVS_REPORT, 300);
    insertColumn(0, "File", 10);
    insertColumn(1, "A rather long heading", 10);
    insertColumn(2, "Last", 10);
    insert(0, "tb000042.zdw");
    insert(1, "x");
    setText(0, 1, "abc");
    auto textWidth = [this](const char* text) { return ListView_GetStringWidth(list, text); };
    EXPECT_TRUE(ListView_SetColumnWidth(list, 0, LVSCW_AUTOSIZE));
    EXPECT_GE(ListView_GetColumnWidth(list, 0), textWidth("tb000042.zdw"));
    EXPECT_TRUE(ListView_SetColumnWidth(list, 1, LVSCW_AUTOSIZE));
    int narrow = ListView_GetColumnWidth(list, 1);
    EXPECT_GE(narrow, textWidth("abc"));
    // A longer text widens the column by exactly the difference.
    setText(1, 1, "abcabcabc");
    EXPECT_TRUE(ListView_SetColumnWidth(list, 1, LVSCW_AUTOSIZE));
    EXPECT_EQ(ListView_GetColumnWidth(list, 1), narrow + textWidth("abcabcabc") - textWidth("abc"));
    // With the heading, which is longer than the texts.
    EXPECT_TRUE(ListView_SetColumnWidth(list, 1, LVSCW_AUTOSIZE_USEHEADER));
    EXPECT_GE(ListView_GetColumnWidth(list, 1), textWidth("A rather long heading"));
    // The last column fills the rest of the list.
    EXPECT_TRUE(ListView_SetColumnWidth(list, 2, LVSCW_AUTOSIZE_USEHEADER));
    RECT client;
    GetClientRect(list, &client);
    EXPECT_EQ(ListView_GetColumnWidth(list, 2),
              client.right - ListView_GetColumnWidth(list, 0) - ListView_GetColumnWidth(list, 1));
}

TEST_F(ListViewItems, DeletingSendsDeleteNotifications) {
    createList(LVS_REPORT);
    insertColumn(0, "Name", 100);
    for (int i = 0; i < 4; ++i) {
        insert(i, ("item" + std::to_string(i)).c_str(), 10 + i);
    }
    ListView_SetSelectionMark(list, 3);
    clearNotes();
    EXPECT_TRUE(ListView_DeleteItem(list, 1));
    std::vector<Note> deleted = notes(LVN_DELETEITEM);
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(deleted[0].item, 1);
    EXPECT_EQ(deleted[0].lParam, 11);
    EXPECT_EQ(ListView_GetItemCount(list), 3);
    EXPECT_EQ(textOf(1), "item2");
    EXPECT_EQ(ListView_GetSelectionMark(list), 2);  // follows its item
    EXPECT_FALSE(ListView_DeleteItem(list, 3));
    EXPECT_FALSE(ListView_DeleteItem(list, -1));

    // Deleting all: LVN_DELETEALLITEMS, then one LVN_DELETEITEM per item, in
    // an order the platform leaves open.
    clearNotes();
    EXPECT_TRUE(ListView_DeleteAllItems(list));
    ASSERT_EQ(codes(), (std::vector<UINT>{LVN_DELETEALLITEMS, LVN_DELETEITEM, LVN_DELETEITEM,
                                          LVN_DELETEITEM}));
    EXPECT_EQ(recorded[0].item, -1);
    EXPECT_EQ(deletedParams(), (std::multiset<LPARAM>{10, 12, 13}));
    EXPECT_EQ(ListView_GetItemCount(list), 0);
    EXPECT_EQ(ListView_GetSelectionMark(list), -1);

    // A parent that answers TRUE gets no notification per item.
    insert(0, "a");
    insert(1, "b");
    respond = [](NMHDR* nm) -> LRESULT { return nm->code == LVN_DELETEALLITEMS ? TRUE : 0; };
    clearNotes();
    EXPECT_TRUE(ListView_DeleteAllItems(list));
    EXPECT_EQ(codes(), (std::vector<UINT>{LVN_DELETEALLITEMS}));
    EXPECT_EQ(ListView_GetItemCount(list), 0);
}

TEST_F(ListViewItems, DestroyingTheListDeletesItsItemsWithNotifications) {
    createList(LVS_REPORT);
    insert(0, "a", 1);
    insert(1, "b", 2);
    clearNotes();
    DestroyWindow(list);
    EXPECT_EQ(deletedParams(), (std::multiset<LPARAM>{1, 2}));
    EXPECT_EQ(notes(LVN_DELETEALLITEMS).size(), 1u);
    list = nullptr;
}

TEST_F(ListViewItems, FindItemByTextPrefixAndParam) {
    createList(LVS_REPORT);
    insert(0, "Storey1", 100);
    insert(1, "storey2", 200);
    insert(2, "Roof", 300);
    LVFINDINFOA find;
    std::memset(&find, 0, sizeof find);
    find.flags = LVFI_STRING;
    find.psz = "STOREY2";
    EXPECT_EQ(ListView_FindItem(list, -1, &find), 1);
    find.psz = "storey";
    EXPECT_EQ(ListView_FindItem(list, -1, &find), -1);
    find.flags = LVFI_STRING | LVFI_PARTIAL;
    EXPECT_EQ(ListView_FindItem(list, -1, &find), 0);
    EXPECT_EQ(ListView_FindItem(list, 0, &find), 1);  // the start item is left out
    EXPECT_EQ(ListView_FindItem(list, 1, &find), -1);
    find.flags |= LVFI_WRAP;
    EXPECT_EQ(ListView_FindItem(list, 1, &find), 0);
    find.flags = LVFI_PARAM;
    find.lParam = 300;
    EXPECT_EQ(ListView_FindItem(list, -1, &find), 2);
    EXPECT_EQ(ListView_FindItem(list, 5, &find), -1);
}

int CALLBACK byParamDescending(LPARAM a, LPARAM b, LPARAM sort) {
    EXPECT_EQ(sort, 77);
    // Only the tens count, so items with equal tens compare equal.
    return static_cast<int>(b / 10 - a / 10);
}

TEST_F(ListViewItems, SortItemsOrdersByTheCallbackAndKeepsEqualItemsInPlace) {
    createList(LVS_REPORT);
    insert(0, "a", 11);
    insert(1, "b", 30);
    insert(2, "c", 12);
    insert(3, "d", 20);
    select(2, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetSelectionMark(list, 2);
    EXPECT_TRUE(ListView_SortItems(list, byParamDescending, 77));
    EXPECT_EQ(texts(), (Texts{"b", "d", "a", "c"}));
    // State and selection mark went with item c.
    EXPECT_EQ(stateOf(3, LVIS_SELECTED | LVIS_FOCUSED),
              static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(ListView_GetSelectionMark(list), 3);
    EXPECT_FALSE(ListView_SortItems(list, nullptr, 0));
}

TEST_F(ListViewItems, BadArgumentsFailWithoutHarm) {
    createList(LVS_REPORT);
    insertColumn(0, "Name", 100);
    insert(0, "a");
    EXPECT_EQ(ListView_EditLabel(list, 4), nullptr);
    EXPECT_EQ(ListView_GetItemState(list, 9, LVIS_SELECTED), 0u);
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = LVIF_PARAM;
    item.iItem = 3;
    EXPECT_FALSE(ListView_GetItem(list, &item));
    RECT rect;
    rect.left = 99;  // no such rectangle
    EXPECT_FALSE(SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(ListView_GetItemCount(list), 1);
}

TEST_F(ListViewItems, NullPointersAreRefused) {
    HEADLESS_ONLY("the real list view does not check its pointer arguments");
#if VEDRIX_HEADLESS
    createList(LVS_REPORT);
    insertColumn(0, "Name", 100);
    insert(0, "a");
    EXPECT_FALSE(ListView_GetItem(list, nullptr));
    EXPECT_FALSE(ListView_GetColumn(list, 0, nullptr));
    EXPECT_FALSE(ListView_SetColumn(list, 0, nullptr));
    EXPECT_EQ(ListView_InsertColumn(list, 0, nullptr), -1);
    EXPECT_EQ(ListView_HitTest(list, nullptr), -1);
    EXPECT_EQ(ListView_FindItem(list, -1, nullptr), -1);
    EXPECT_FALSE(ListView_GetItemRect(list, 0, nullptr, LVIR_BOUNDS));
    EXPECT_FALSE(ListView_GetSubItemRect(list, 0, 0, LVIR_BOUNDS, nullptr));
    EXPECT_FALSE(ListView_GetItemPosition(list, 0, nullptr));
    EXPECT_FALSE(ListView_GetColumnOrderArray(list, 1, nullptr));
    EXPECT_FALSE(ListView_SetColumnOrderArray(list, 1, nullptr));
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMTEXTA, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LVM_SETITEMTEXTA, 0, 0), FALSE);
    EXPECT_EQ(SendMessageA(list, LVM_SETITEMSTATE, 0, 0), FALSE);
    EXPECT_EQ(ListView_GetStringWidth(list, nullptr), 0);
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = LVIF_TEXT;  // no buffer: nothing is copied
    EXPECT_TRUE(ListView_GetItem(list, &item));
    EXPECT_EQ(ListView_GetItemCount(list), 1);
#endif
}

TEST_F(ListViewItems, AParentDeletingItemsWhileTheyChangeCausesNoHarm) {
    createList(LVS_REPORT);
    insertColumn(0, "Name", 100);
    for (int i = 0; i < 4; ++i) {
        insert(i, ("row" + std::to_string(i)).c_str());
    }
    // The parent deletes every item that becomes selected.
    respond = [this](NMHDR* nm) -> LRESULT {
        auto* lv = reinterpret_cast<NMLISTVIEW*>(nm);
        if (nm->code == LVN_ITEMCHANGED && (lv->uNewState & LVIS_SELECTED) &&
            !(lv->uOldState & LVIS_SELECTED)) {
            ListView_DeleteItem(list, lv->iItem);
        }
        return 0;
    };
    RECT rect;
    ASSERT_TRUE(ListView_GetItemRect(list, 1, &rect, LVIR_LABEL));
    POINT pt{rect.left + 3, rect.top + 3};
    ClientToScreen(list, &pt);
    person::click(pt);
    EXPECT_EQ(ListView_GetItemCount(list), 3);
    EXPECT_EQ(notes(NM_CLICK).size(), 1u);
    // Selecting every item deletes items while the list goes through them;
    // which of them are still there to be selected and deleted is the
    // platform's, but whatever is left stays in order.
    select(-1, LVIS_SELECTED, LVIS_SELECTED);
    Texts left = texts();
    EXPECT_LT(left.size(), 3u);
    EXPECT_TRUE(std::is_sorted(left.begin(), left.end()));
    EXPECT_EQ(std::find(left.begin(), left.end(), "row1"), left.end());
}

}  // namespace
