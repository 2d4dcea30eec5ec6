// List view selection and focus: states set by messages (with the exact
// LVN_ITEMCHANGING/LVN_ITEMCHANGED sequence and the parent's veto), the
// single-selection style, LVM_GETNEXTITEM, and the person's mouse and
// keyboard: clicks, Ctrl and Shift clicks, arrow keys, and dragging several
// selected rows.
#include "listview/listview_fixture.h"

#include <cstring>
#include <string>
#include <vector>

using listview_tests::ListViewTest;
using listview_tests::Note;

namespace {

constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
using Changes = std::vector<std::string>;
using Rows = std::vector<int>;

class ListViewSelection : public ListViewTest {
protected:
    void fill(DWORD style, int count = 6) {
        createList(LVS_REPORT | style);
        insertColumn(0, "File", 100);
        insertColumn(1, "Name", 90);
        for (int i = 0; i < count; ++i) {
            insert(i, ("row" + std::to_string(i)).c_str(), 100 + i);
        }
        clearNotes();
    }
    // A click on the row's label, with a key held (VK_CONTROL, VK_SHIFT).
    void clickRow(int index, int vkHeld = 0) {
        POINT pt = labelPoint(index);
        if (vkHeld != 0) {
            person::clickWith(screen(pt.x, pt.y), {vkHeld});
        } else {
            click(pt.x, pt.y);
        }
    }
    void key(int vk, int held = 0) {
        if (held != 0) {
            person::keyDown(held);
        }
        person::pressKey(vk);
        if (held != 0) {
            person::keyUp(held);
        }
    }
};

TEST_F(ListViewSelection, StateChangesAreAnnouncedAndCanBeRefused) {
    fill(0);
    select(1, LVIS_SELECTED, LVIS_SELECTED);
    std::vector<Note> changing = notes(LVN_ITEMCHANGING);
    std::vector<Note> changed = notes(LVN_ITEMCHANGED);
    ASSERT_EQ(changing.size(), 1u);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].item, 1);
    EXPECT_EQ(changed[0].oldState, 0u);
    EXPECT_EQ(changed[0].newState, static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(changed[0].changed, static_cast<UINT>(LVIF_STATE));
    EXPECT_EQ(changed[0].lParam, 101);
    // The item is selected only after LVN_ITEMCHANGING.
    EXPECT_EQ(changing[0].selectedCount, 0);
    EXPECT_EQ(changed[0].selectedCount, 1);

    // Setting what is already set changes nothing (whether it is announced
    // as changing is the platform's).
    clearNotes();
    select(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(notes(LVN_ITEMCHANGED).empty());

    // A refusal leaves the state as it was.
    respond = [](NMHDR* nm) -> LRESULT { return nm->code == LVN_ITEMCHANGING ? TRUE : 0; };
    select(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(stateOf(2), 0u);
    EXPECT_TRUE(notes(LVN_ITEMCHANGED).empty());
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    EXPECT_FALSE(SendMessageA(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&item)));
}

// Keys the list view has no use for go on to the default handling: F1 asks
// the parent for help.
TEST_F(ListViewSelection, F1AsksTheParentForHelp) {
    fill(0);
    SetFocus(list);
    key(VK_F1);
    EXPECT_EQ(messages, std::vector<UINT>{WM_HELP});
    messages.clear();
    key(VK_DOWN);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ListViewSelection, TheFocusMovesFromItemToItem) {
    fill(0);
    select(0, LVIS_FOCUSED, LVIS_FOCUSED);
    select(3, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_EQ(changes(), (Changes{"0:0->1", "0:1->0", "3:0->1"}));
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 3);
    // The focus cannot be given to every item at once.
    clearNotes();
    select(-1, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_TRUE(recorded.empty());
    select(-1, 0, LVIS_FOCUSED);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), -1);
}

TEST_F(ListViewSelection, SingleSelectionDeselectsTheOtherItemFirst) {
    fill(LVS_SINGLESEL);
    select(1, kBoth);
    clearNotes();
    select(4, kBoth);
    EXPECT_EQ(changes(), (Changes{"1:3->1", "1:1->0", "4:0->3"}));
    EXPECT_EQ(selectedRows(), (Rows{4}));
    // Selecting all items is not possible in a single-selection list.
    select(-1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(ListView_GetSelectedCount(list), 1u);
}

TEST_F(ListViewSelection, GetNextItemWalksSeveralSelectedRows) {
    fill(0);
    select(1, LVIS_SELECTED, LVIS_SELECTED);
    select(3, LVIS_SELECTED, LVIS_SELECTED);
    select(4, kBoth);
    EXPECT_EQ(ListView_GetSelectedCount(list), 3u);
    EXPECT_EQ(selectedRows(), (Rows{1, 3, 4}));
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED | LVNI_FOCUSED), 4);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_ALL), 0);
    EXPECT_EQ(ListView_GetNextItem(list, 2, LVNI_ALL), 3);
    EXPECT_EQ(ListView_GetNextItem(list, 5, LVNI_ALL), -1);
    EXPECT_EQ(ListView_GetNextItem(list, 4, LVNI_ABOVE | LVNI_SELECTED), 3);
    EXPECT_EQ(ListView_GetNextItem(list, 3, LVNI_ABOVE | LVNI_SELECTED), 1);
    EXPECT_EQ(ListView_GetNextItem(list, 1, LVNI_ABOVE | LVNI_SELECTED), -1);
    EXPECT_EQ(ListView_GetNextItem(list, 1, LVNI_BELOW), 2);
    EXPECT_EQ(ListView_GetNextItem(list, 6, LVNI_ALL), -1);

    // All at once, and none.
    select(-1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(ListView_GetSelectedCount(list), 6u);
    select(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(selectedRows(), Rows{});
}

TEST_F(ListViewSelection, AClickSelectsOnlyTheClickedRow) {
    fill(0);
    clickRow(0);
    EXPECT_EQ(changes(), (Changes{"0:0->3"}));
    std::vector<Note> clicks = notes(NM_CLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].item, 0);
    EXPECT_EQ(clicks[0].subItem, 0);
    POINT pt = labelPoint(0);
    EXPECT_EQ(clicks[0].action.x, pt.x);
    EXPECT_EQ(clicks[0].action.y, pt.y);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(ListView_GetSelectionMark(list), 0);

    // Another row: the old one loses its selection, then its focus, then the
    // new one gains both.
    clearNotes();
    clickRow(2);
    EXPECT_EQ(changes(), (Changes{"0:3->1", "0:1->0", "2:0->3"}));
    EXPECT_EQ(selectedRows(), (Rows{2}));

    // Without full-row selection a click on the sub-item column is a click
    // beside the item, which deselects; NM_CLICK names an item only for a
    // click on its icon or label.
    clearNotes();
    RECT rect;
    ListView_GetSubItemRect(list, 1, 1, LVIR_BOUNDS, &rect);
    int middle = (rect.top + rect.bottom) / 2;
    click(rect.left + 10, middle);
    EXPECT_EQ(selectedRows(), Rows{});
    EXPECT_EQ(notes(NM_CLICK).size(), 1u);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 2);  // the focus stays

    // With full-row selection the same click selects row 1.
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    clearNotes();
    click(rect.left + 10, middle);
    EXPECT_EQ(selectedRows(), (Rows{1}));
    clicks = notes(NM_CLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].item, 1);
    EXPECT_EQ(clicks[0].subItem, 1);
}

TEST_F(ListViewSelection, CtrlClickTogglesAndShiftClickSelectsARange) {
    fill(0);
    clickRow(1);
    clearNotes();
    clickRow(3, VK_CONTROL);
    EXPECT_EQ(changes(), (Changes{"1:3->2", "3:0->3"}));
    EXPECT_EQ(selectedRows(), (Rows{1, 3}));
    EXPECT_EQ(ListView_GetSelectionMark(list), 3);
    EXPECT_EQ(notes(NM_CLICK).size(), 1u);

    clickRow(1, VK_CONTROL);
    EXPECT_EQ(selectedRows(), (Rows{3}));

    // Shift: from the selection mark (row 1 now) to the clicked row.
    clearNotes();
    clickRow(4, VK_SHIFT);
    EXPECT_EQ(selectedRows(), (Rows{1, 2, 3, 4}));
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 4);
    EXPECT_EQ(ListView_GetSelectionMark(list), 1);
    clickRow(0, VK_SHIFT);
    EXPECT_EQ(selectedRows(), (Rows{0, 1}));

    // A click on the empty space below the rows deselects everything.
    DestroyWindow(list);
    fill(0, 3);
    clickRow(1);
    click(20, 20 + 3 * 16 + 5);
    EXPECT_EQ(selectedRows(), Rows{});
    std::vector<Note> lastClick = notes(NM_CLICK);
    ASSERT_FALSE(lastClick.empty());
    EXPECT_EQ(lastClick.back().item, -1);
}

// NMITEMACTIVATE's uKeyFlags: "Modifier keys that were pressed at the time
// of the activation."
TEST_F(ListViewSelection, AClickTellsTheModifierKeysHeld) {
    fill(0);
    clickRow(1, VK_CONTROL);
    clickRow(3, VK_SHIFT);
    clickRow(5);
    std::vector<Note> clicks = notes(NM_CLICK);
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[0].keyFlags, static_cast<UINT>(LVKF_CONTROL));
    EXPECT_EQ(clicks[1].keyFlags, static_cast<UINT>(LVKF_SHIFT));
    EXPECT_EQ(clicks[2].keyFlags, 0u);
}

TEST_F(ListViewSelection, SingleSelectionIgnoresCtrlAndShift) {
    fill(LVS_SINGLESEL);
    clickRow(1);
    clickRow(3, VK_CONTROL);
    EXPECT_EQ(selectedRows(), (Rows{3}));
    clickRow(5, VK_SHIFT);
    EXPECT_EQ(selectedRows(), (Rows{5}));
}

TEST_F(ListViewSelection, KeysMoveTheFocusAndTheSelection) {
    fill(0);
    clickRow(2);
    clearNotes();
    key(VK_DOWN);
    EXPECT_EQ(changes(), (Changes{"2:3->1", "2:1->0", "3:0->3"}));
    std::vector<Note> keys = notes(LVN_KEYDOWN);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].key, VK_DOWN);
    key(VK_UP);
    key(VK_UP);
    EXPECT_EQ(selectedRows(), (Rows{1}));
    key(VK_END);
    EXPECT_EQ(selectedRows(), (Rows{5}));
    key(VK_HOME);
    EXPECT_EQ(selectedRows(), (Rows{0}));
    key(VK_UP);  // stays on the first row
    EXPECT_EQ(selectedRows(), (Rows{0}));

    key(VK_DOWN, VK_SHIFT);
    key(VK_DOWN, VK_SHIFT);
    EXPECT_EQ(selectedRows(), (Rows{0, 1, 2}));
    // Ctrl moves only the focus; Ctrl+Space toggles the focused row.
    key(VK_DOWN, VK_CONTROL);
    key(VK_DOWN, VK_CONTROL);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 4);
    EXPECT_EQ(selectedRows(), (Rows{0, 1, 2}));
    key(VK_SPACE, VK_CONTROL);
    EXPECT_EQ(selectedRows(), (Rows{0, 1, 2, 4}));

    // Enter activates the selected items, which the parent reads from the
    // list while it is told.
    clearNotes();
    key(VK_RETURN);
    std::vector<Note> activated = notes(LVN_ITEMACTIVATE);
    ASSERT_EQ(activated.size(), 1u);
    EXPECT_EQ(activated[0].selectedCount, 4);
    EXPECT_EQ(notes(NM_RETURN).size(), 1u);
}

TEST_F(ListViewSelection, DraggingSeveralSelectedRowsKeepsTheSelection) {
    fill(0);
    select(1, LVIS_SELECTED, LVIS_SELECTED);
    select(2, LVIS_SELECTED, LVIS_SELECTED);
    select(4, kBoth);
    ListView_SetSelectionMark(list, 4);
    ASSERT_EQ(selectedRows(), (Rows{1, 2, 4}));
    clearNotes();

    // Press on row 2 (already selected) and move away.
    POINT from = labelPoint(2);
    person::drag(screen(from.x, from.y), screen(from.x + 40, from.y + 30));
    std::vector<Note> drags = notes(LVN_BEGINDRAG);
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_EQ(drags[0].item, 2);
    EXPECT_EQ(drags[0].action.x, from.x);
    EXPECT_EQ(drags[0].action.y, from.y);
    EXPECT_EQ(drags[0].selectedCount, 3);
    // Whether the release that ends the drag is also reported as a click is
    // the platform's; the selection stays.
    EXPECT_EQ(selectedRows(), (Rows{1, 2, 4}));
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 2);
    EXPECT_NE(GetCapture(), list);

    // The same press without a move is a click that selects row 2 alone.
    clearNotes();
    clickRow(2);
    EXPECT_EQ(selectedRows(), (Rows{2}));
    EXPECT_TRUE(notes(LVN_BEGINDRAG).empty());
    EXPECT_EQ(notes(NM_CLICK).size(), 1u);
}

TEST_F(ListViewSelection, DraggingAnUnselectedRowSelectsItFirst) {
    fill(0);
    clickRow(0);
    clearNotes();
    POINT from = labelPoint(3);
    person::drag(screen(from.x, from.y), screen(from.x, from.y + 50));
    ASSERT_EQ(notes(LVN_BEGINDRAG).size(), 1u);
    EXPECT_EQ(notes(LVN_BEGINDRAG)[0].item, 3);
    EXPECT_EQ(notes(LVN_BEGINDRAG)[0].selectedCount, 1);
    EXPECT_EQ(selectedRows(), (Rows{3}));

    // A move inside the drag rectangle starts nothing.
    clearNotes();
    person::drag(screen(from.x, from.y), screen(from.x + 1, from.y + 1), person::Button::Left, 1);
    EXPECT_TRUE(notes(LVN_BEGINDRAG).empty());
    EXPECT_EQ(notes(NM_CLICK).size(), 1u);

    // The right button starts LVN_BEGINRDRAG.
    clearNotes();
    POINT other = labelPoint(5);
    person::drag(screen(other.x, other.y), screen(other.x + 30, other.y), person::Button::Right);
    ASSERT_EQ(notes(LVN_BEGINRDRAG).size(), 1u);
    EXPECT_EQ(notes(LVN_BEGINRDRAG)[0].item, 5);
    EXPECT_EQ(selectedRows(), (Rows{5}));
    EXPECT_TRUE(notes(NM_RCLICK).empty());
}

TEST_F(ListViewSelection, RightClickAndDoubleClick) {
    fill(0);
    POINT pt = labelPoint(1);
    click(pt.x, pt.y, person::Button::Right);
    std::vector<Note> rclicks = notes(NM_RCLICK);
    ASSERT_EQ(rclicks.size(), 1u);
    EXPECT_EQ(rclicks[0].item, 1);
    EXPECT_EQ(selectedRows(), (Rows{1}));
    // The parent left the right click alone: it gets WM_CONTEXTMENU.
    EXPECT_EQ(messages, (std::vector<UINT>{WM_CONTEXTMENU}));

    clearNotes();
    pt = labelPoint(3);
    person::doubleClick(screen(pt.x, pt.y));
    std::vector<UINT> seen;
    for (UINT code : codes()) {
        if (code == NM_CLICK || code == NM_DBLCLK || code == LVN_ITEMACTIVATE) {
            seen.push_back(code);
        }
    }
    EXPECT_EQ(seen, (std::vector<UINT>{NM_CLICK, NM_DBLCLK, LVN_ITEMACTIVATE}));
    EXPECT_EQ(notes(LVN_ITEMACTIVATE)[0].selectedCount, 1);
    EXPECT_EQ(selectedRows(), (Rows{3}));
}

}  // namespace
