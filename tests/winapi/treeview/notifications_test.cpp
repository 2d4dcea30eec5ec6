// Tree view notifications: expansion, selection, drop highlight and label
// editing, each with the parent's answers.
#include "treeview/treeview_fixture.h"

#include <cstring>
#include <string>
#include <vector>

using treeview_tests::Note;
using treeview_tests::TreeViewTest;

namespace {

class TreeViewNotifications : public TreeViewTest {
protected:
    void SetUp() override {
        TreeViewTest::SetUp();
        createTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS);
        a = insert(TVI_ROOT, TVI_LAST, "a", 1);
        a1 = insert(a, TVI_LAST, "a1", 11);
        a2 = insert(a, TVI_LAST, "a2", 12);
        b = insert(TVI_ROOT, TVI_LAST, "b", 2);
        clearNotes();
    }

    // Answers `code` with `result`, everything else with 0.
    void answer(UINT code, LRESULT result) {
        respond = [code, result](NMHDR* header) -> LRESULT {
            return header->code == code ? result : 0;
        };
    }

    HTREEITEM a = nullptr, a1 = nullptr, a2 = nullptr, b = nullptr;
};

// --- expansion ------------------------------------------------------------

TEST_F(TreeViewNotifications, FirstExpansionIsAnnouncedBeforeAndAfter) {
    ASSERT_TRUE(TreeView_Expand(tree, a, TVE_EXPAND));
    std::vector<Note> expanding = notes(TVN_ITEMEXPANDINGA);
    std::vector<Note> expanded = notes(TVN_ITEMEXPANDEDA);
    ASSERT_EQ(expanding.size(), 1u);
    ASSERT_EQ(expanded.size(), 1u);
    EXPECT_EQ(codes(), (std::vector<UINT>{TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA}));
    EXPECT_EQ(expanding[0].action, static_cast<UINT>(TVE_EXPAND));
    EXPECT_EQ(expanding[0].newItem, a);
    EXPECT_EQ(expanding[0].newParam, 1);
    EXPECT_EQ(expanding[0].newState & TVIS_EXPANDED, 0u);
    // The item is marked as expanded once only after the parent was told.
    EXPECT_EQ(expanded[0].newState & (TVIS_EXPANDED | TVIS_EXPANDEDONCE),
              static_cast<UINT>(TVIS_EXPANDED));
    EXPECT_EQ(stateOf(a, TVIS_EXPANDED | TVIS_EXPANDEDONCE),
              static_cast<UINT>(TVIS_EXPANDED | TVIS_EXPANDEDONCE));
    EXPECT_EQ(next(a, TVGN_NEXTVISIBLE), a1);
}

TEST_F(TreeViewNotifications, ExpansionCanBeRefused) {
    answer(TVN_ITEMEXPANDINGA, TRUE);
    EXPECT_FALSE(TreeView_Expand(tree, a, TVE_EXPAND));
    EXPECT_EQ(stateOf(a, TVIS_EXPANDED | TVIS_EXPANDEDONCE), 0u);
    EXPECT_EQ(codes(), (std::vector<UINT>{TVN_ITEMEXPANDINGA}));
    EXPECT_EQ(next(a, TVGN_NEXTVISIBLE), b);
}

TEST_F(TreeViewNotifications, OnceExpandedItemsAreNotAnnouncedToExpandMessages) {
    ASSERT_TRUE(TreeView_Expand(tree, a, TVE_EXPAND));
    clearNotes();
    EXPECT_TRUE(TreeView_Expand(tree, a, TVE_COLLAPSE));
    EXPECT_EQ(stateOf(a, TVIS_EXPANDED | TVIS_EXPANDEDONCE), static_cast<UINT>(TVIS_EXPANDEDONCE));
    EXPECT_TRUE(TreeView_Expand(tree, a, TVE_TOGGLE));
    EXPECT_TRUE(stateOf(a, TVIS_EXPANDED));
    EXPECT_TRUE(recorded.empty());
    // Expanding an expanded item succeeds; collapsing a collapsed one fails.
    EXPECT_TRUE(TreeView_Expand(tree, a, TVE_EXPAND));
    EXPECT_FALSE(TreeView_Expand(tree, b, TVE_COLLAPSE));
    // An item without children cannot be expanded.
    EXPECT_FALSE(TreeView_Expand(tree, b, TVE_EXPAND));
    EXPECT_TRUE(recorded.empty());
}

TEST_F(TreeViewNotifications, CollapseResetRemovesTheChildrenAndAllowsFillingOnDemand) {
    ASSERT_TRUE(TreeView_Expand(tree, a, TVE_EXPAND));
    clearNotes();
    EXPECT_TRUE(TreeView_Expand(tree, a, TVE_COLLAPSE | TVE_COLLAPSERESET));
    EXPECT_EQ(notes(TVN_DELETEITEMA).size(), 2u);
    EXPECT_EQ(TreeView_GetChild(tree, a), nullptr);
    EXPECT_EQ(stateOf(a, TVIS_EXPANDED | TVIS_EXPANDEDONCE), 0u);

    // An item that says it has children is filled when it opens.
    TVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = TVIF_CHILDREN;
    item.hItem = a;
    item.cChildren = 1;
    ASSERT_TRUE(TreeView_SetItem(tree, &item));
    respond = [&](NMHDR* header) -> LRESULT {
        if (header->code == TVN_ITEMEXPANDINGA) {
            auto* nm = reinterpret_cast<NMTREEVIEWA*>(header);
            insert(nm->itemNew.hItem, TVI_LAST, "late");
        }
        return 0;
    };
    clearNotes();
    ASSERT_TRUE(TreeView_Expand(tree, a, TVE_EXPAND));
    EXPECT_EQ(notes(TVN_ITEMEXPANDINGA).size(), 1u);
    HTREEITEM late = TreeView_GetChild(tree, a);
    EXPECT_EQ(textOf(late), "late");
    EXPECT_EQ(next(a, TVGN_NEXTVISIBLE), late);
}

// Whether the parent is told of the move is left open by the platform.
TEST_F(TreeViewNotifications, CollapsingMovesTheSelectionOutOfTheHiddenBranch) {
    ASSERT_TRUE(TreeView_Expand(tree, a, TVE_EXPAND));
    ASSERT_TRUE(TreeView_SelectItem(tree, a2));
    ASSERT_TRUE(TreeView_Expand(tree, a, TVE_COLLAPSE));
    EXPECT_EQ(TreeView_GetSelection(tree), a);
    EXPECT_EQ(stateOf(a, TVIS_SELECTED), static_cast<UINT>(TVIS_SELECTED));
    EXPECT_EQ(stateOf(a2, TVIS_SELECTED), 0u);
}

// --- selection ------------------------------------------------------------

TEST_F(TreeViewNotifications, SelectingAnnouncesTheOldAndTheNewItem) {
    ASSERT_TRUE(TreeView_SelectItem(tree, b));
    ASSERT_TRUE(TreeView_SelectItem(tree, a));
    EXPECT_EQ(codes(), (std::vector<UINT>{TVN_SELCHANGINGA, TVN_SELCHANGEDA, TVN_SELCHANGINGA,
                                          TVN_SELCHANGEDA}));
    std::vector<Note> changing = notes(TVN_SELCHANGINGA);
    std::vector<Note> changed = notes(TVN_SELCHANGEDA);
    EXPECT_EQ(changing[0].oldItem, nullptr);
    EXPECT_EQ(changing[0].newItem, b);
    EXPECT_EQ(changing[0].newParam, 2);
    EXPECT_EQ(changing[0].action, static_cast<UINT>(TVC_UNKNOWN));
    EXPECT_EQ(changing[1].selection, b);  // not yet changed while asking
    EXPECT_EQ(changed[1].selection, a);
    EXPECT_EQ(changed[1].oldItem, b);
    EXPECT_EQ(changed[1].oldParam, 2);
    EXPECT_EQ(changed[1].newItem, a);
    EXPECT_TRUE(changed[1].newState & TVIS_SELECTED);
    EXPECT_EQ(stateOf(a, TVIS_SELECTED), static_cast<UINT>(TVIS_SELECTED));
    EXPECT_EQ(stateOf(b, TVIS_SELECTED), 0u);
    EXPECT_EQ(changed[1].idFrom, 100u);
    EXPECT_EQ(changed[1].from, tree);

    // The same item again changes nothing.
    clearNotes();
    EXPECT_TRUE(TreeView_SelectItem(tree, a));
    EXPECT_TRUE(recorded.empty());
}

TEST_F(TreeViewNotifications, SelectionCanBeRefused) {
    ASSERT_TRUE(TreeView_SelectItem(tree, b));
    answer(TVN_SELCHANGINGA, TRUE);
    clearNotes();
    EXPECT_FALSE(TreeView_SelectItem(tree, a));
    EXPECT_EQ(TreeView_GetSelection(tree), b);
    EXPECT_EQ(codes(), (std::vector<UINT>{TVN_SELCHANGINGA}));
}

TEST_F(TreeViewNotifications, SelectingNothingClearsTheSelection) {
    ASSERT_TRUE(TreeView_SelectItem(tree, b));
    clearNotes();
    EXPECT_TRUE(TreeView_SelectItem(tree, nullptr));
    EXPECT_EQ(TreeView_GetSelection(tree), nullptr);
    EXPECT_EQ(stateOf(b, TVIS_SELECTED), 0u);
    std::vector<Note> changed = notes(TVN_SELCHANGEDA);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].oldItem, b);
    EXPECT_EQ(changed[0].newItem, nullptr);
}

// A tree that gets the focus with nothing selected selects its first visible
// item, announced as a change of unknown cause; one with a selection keeps it.
TEST_F(TreeViewNotifications, TheFocusSelectsTheFirstVisibleItemWhereNothingIsSelected) {
    SetFocus(parent);
    clearNotes();
    SetFocus(tree);
    EXPECT_EQ(TreeView_GetSelection(tree), a);
    std::vector<Note> changed = notes(TVN_SELCHANGEDA);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].action, static_cast<UINT>(TVC_UNKNOWN));
    EXPECT_EQ(changed[0].oldItem, nullptr);
    EXPECT_EQ(changed[0].newItem, a);

    SetFocus(parent);
    ASSERT_TRUE(TreeView_SelectItem(tree, b));
    clearNotes();
    SetFocus(tree);
    EXPECT_EQ(TreeView_GetSelection(tree), b);
    EXPECT_TRUE(notes(TVN_SELCHANGEDA).empty());
}

TEST_F(TreeViewNotifications, SelectingAHiddenItemOpensItsParents) {
    ASSERT_TRUE(TreeView_SelectItem(tree, a2));
    EXPECT_TRUE(stateOf(a, TVIS_EXPANDED));
    // The parent opened (announced, as it was never open) before the change.
    EXPECT_EQ(codes(), (std::vector<UINT>{TVN_SELCHANGINGA, TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA,
                                          TVN_SELCHANGEDA}));
}

TEST_F(TreeViewNotifications, DropHighlightIsSeparateFromTheSelection) {
    ASSERT_TRUE(TreeView_SelectItem(tree, a));
    clearNotes();
    EXPECT_TRUE(TreeView_SelectDropTarget(tree, b));
    EXPECT_EQ(TreeView_GetDropHilight(tree), b);
    EXPECT_EQ(TreeView_GetSelection(tree), a);
    EXPECT_EQ(stateOf(b, TVIS_DROPHILITED), static_cast<UINT>(TVIS_DROPHILITED));
    EXPECT_EQ(stateOf(a, TVIS_DROPHILITED | TVIS_SELECTED), static_cast<UINT>(TVIS_SELECTED));
    EXPECT_TRUE(TreeView_SelectDropTarget(tree, nullptr));
    EXPECT_EQ(TreeView_GetDropHilight(tree), nullptr);
    EXPECT_EQ(TreeView_GetSelection(tree), a);
    EXPECT_TRUE(recorded.empty());
    // Deleting the target clears it.
    TreeView_SelectDropTarget(tree, b);
    TreeView_DeleteItem(tree, b);
    EXPECT_EQ(TreeView_GetDropHilight(tree), nullptr);
}

// Any item may become the drop target, the selected one too, and
// TVIS_DROPHILITED moves with the target: it leaves the item that stops
// being the target.
TEST_F(TreeViewNotifications, TheSelectedItemCanBecomeTheDropTarget) {
    ASSERT_TRUE(TreeView_SelectItem(tree, a));
    ASSERT_TRUE(TreeView_SelectDropTarget(tree, b));
    ASSERT_TRUE(TreeView_SelectDropTarget(tree, a));
    EXPECT_EQ(TreeView_GetDropHilight(tree), a);
    EXPECT_EQ(stateOf(a, TVIS_DROPHILITED), static_cast<UINT>(TVIS_DROPHILITED));
    EXPECT_EQ(stateOf(b, TVIS_DROPHILITED), 0u);
}

// Clearing the drop target takes the mark from the item that was it, the
// selected one too.
TEST_F(TreeViewNotifications, OnlyTheDropTargetIsMarkedAsIt) {
    ASSERT_TRUE(TreeView_SelectItem(tree, a));
    ASSERT_TRUE(TreeView_SelectDropTarget(tree, b));
    ASSERT_TRUE(TreeView_SelectDropTarget(tree, a));
    ASSERT_TRUE(TreeView_SelectDropTarget(tree, nullptr));
    EXPECT_EQ(stateOf(a, TVIS_DROPHILITED), 0u);
}

// --- label editing ----------------------------------------------------------

class TreeViewLabelEdit : public TreeViewNotifications {
protected:
    HWND begin(HTREEITEM item) {
        SetFocus(tree);
        HWND edit = TreeView_EditLabel(tree, item);
        return edit;
    }
    void typeInto(HWND edit, const char* text) { SetWindowTextA(edit, text); }
    std::vector<Note> ends() { return notes(TVN_ENDLABELEDITA); }
    // Edits b and presses Enter on an empty name; the parent, as the dialogs
    // do, refuses it, gives the tree the focus and ends the edit now.
    // Returns the edit that was open.
    HWND refuseWhileFocusingTheTree() {
        respond = [&](NMHDR* header) -> LRESULT {
            if (header->code == TVN_ENDLABELEDITA) {
                SetFocus(tree);
                TreeView_EndEditLabelNow(tree, FALSE);
            }
            return 0;
        };
        HWND edit = begin(b);
        typeInto(edit, "");
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        return edit;
    }
};

TEST_F(TreeViewLabelEdit, BeginningShowsAnEditWithTheWholeTextSelected) {
    HWND edit = begin(a2);
    ASSERT_NE(edit, nullptr);
    char className[32] = "";
    GetClassNameA(edit, className, sizeof className);
    EXPECT_EQ(lstrcmpiA(className, "Edit"), 0);
    EXPECT_EQ(GetParent(edit), tree);
    EXPECT_EQ(TreeView_GetEditControl(tree), edit);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_TRUE(IsWindowVisible(edit));
    char text[16] = "";
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "a2");
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);
    // It asks for every key, so that a dialog leaves Enter and Escape to it.
    EXPECT_TRUE(SendMessageA(edit, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);

    std::vector<Note> begins = notes(TVN_BEGINLABELEDITA);
    ASSERT_EQ(begins.size(), 1u);
    EXPECT_EQ(begins[0].newItem, a2);
    EXPECT_EQ(begins[0].newParam, 12);
    EXPECT_EQ(begins[0].text, "a2");
    EXPECT_EQ(begins[0].editControl, edit);  // the parent may adjust it
    // The edit lies over the label (its frame may reach a little beyond).
    RECT label;
    ASSERT_TRUE(TreeView_GetItemRect(tree, a2, &label, TRUE));
    RECT box;
    GetWindowRect(edit, &box);
    MapWindowPoints(nullptr, tree, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_LE(box.left, label.left);
    EXPECT_GT(box.right, label.left);
    EXPECT_LE(box.top, label.top);
    EXPECT_GE(box.bottom, label.bottom);
    SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
}

// The edit's notifications reach the tree's parent, but for EN_UPDATE and
// EN_KILLFOCUS, which the tree keeps.
TEST_F(TreeViewLabelEdit, TheEditsNotificationsGoOnToTheParent) {
    HWND edit = begin(b);
    ASSERT_NE(edit, nullptr);
    commands.clear();
    SendMessageA(edit, WM_CHAR, 'x', 1);
    bool changed = false;
    for (const auto& [wParam, lParam] : commands) {
        EXPECT_EQ(reinterpret_cast<HWND>(lParam), edit);
        EXPECT_EQ(LOWORD(wParam), GetDlgCtrlID(edit));
        EXPECT_NE(HIWORD(wParam), EN_UPDATE);
        changed = changed || HIWORD(wParam) == EN_CHANGE;
    }
    EXPECT_TRUE(changed);
    commands.clear();
    SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    for (const auto& command : commands) {
        EXPECT_NE(HIWORD(command.first), EN_KILLFOCUS);
    }
}

// An item in a closed branch is shown for its edit: its parent opens.
TEST_F(TreeViewLabelEdit, TheEditedItemIsShown) {
    ASSERT_NE(begin(a2), nullptr);
    EXPECT_EQ(next(a, TVGN_NEXTVISIBLE), a1);
}

// "This message implicitly selects and focuses the specified item."
TEST_F(TreeViewLabelEdit, TheEditedItemIsSelected) {
    ASSERT_NE(begin(a2), nullptr);
    EXPECT_EQ(TreeView_GetSelection(tree), a2);
}

TEST_F(TreeViewLabelEdit, ARefusedBeginLeavesNoEditAndNoEnd) {
    answer(TVN_BEGINLABELEDITA, TRUE);
    EXPECT_EQ(begin(a), nullptr);
    EXPECT_EQ(TreeView_GetEditControl(tree), nullptr);
    EXPECT_TRUE(ends().empty());
    EXPECT_FALSE(TreeView_EndEditLabelNow(tree, FALSE));
    EXPECT_TRUE(ends().empty());
}

TEST_F(TreeViewLabelEdit, TheLabelChangesOnlyWhenTheParentAccepts) {
    HWND edit = begin(b);
    typeInto(edit, "renamed");
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(ends().size(), 1u);
    EXPECT_TRUE(ends()[0].hasText);
    EXPECT_EQ(ends()[0].text, "renamed");
    EXPECT_EQ(ends()[0].newItem, b);
    EXPECT_EQ(ends()[0].newParam, 2);
    EXPECT_EQ(ends()[0].editControl, edit);  // still there while the parent decides
    EXPECT_EQ(textOf(b), "b");
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(TreeView_GetEditControl(tree), nullptr);

    answer(TVN_ENDLABELEDITA, TRUE);
    edit = begin(b);
    typeInto(edit, "renamed");
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(textOf(b), "renamed");
}

// TVM_ENDEDITLABELNOW ends the edit, cancelling or committing, and the edit
// goes.
TEST_F(TreeViewLabelEdit, EndingTheEditNowCancelsOrCommitsIt) {
    answer(TVN_ENDLABELEDITA, TRUE);
    HWND edit = begin(b);
    typeInto(edit, "ignored");
    EXPECT_TRUE(TreeView_EndEditLabelNow(tree, TRUE));
    EXPECT_FALSE(IsWindow(edit));

    edit = begin(b);
    typeInto(edit, "kept");
    EXPECT_TRUE(TreeView_EndEditLabelNow(tree, FALSE));
    EXPECT_EQ(textOf(b), "kept");
    EXPECT_FALSE(IsWindow(edit));
}

// TVM_ENDEDITLABELNOW ends the edit once: the parent is told one end, with
// no text when cancelled (and the label stays, though the parent would
// accept a text) and with the text when committed.
TEST_F(TreeViewLabelEdit, EndingTheEditNowEndsItOnce) {
    answer(TVN_ENDLABELEDITA, TRUE);
    typeInto(begin(b), "ignored");
    TreeView_EndEditLabelNow(tree, TRUE);
    ASSERT_EQ(ends().size(), 1u);
    EXPECT_FALSE(ends()[0].hasText);
    EXPECT_EQ(textOf(b), "b");

    typeInto(begin(b), "kept");
    TreeView_EndEditLabelNow(tree, FALSE);
    ASSERT_EQ(ends().size(), 2u);
    EXPECT_EQ(ends()[1].text, "kept");
}

TEST_F(TreeViewLabelEdit, EnterCommitsAndEscapeCancels) {
    answer(TVN_ENDLABELEDITA, TRUE);
    HWND edit = begin(b);
    typeInto(edit, "entered");
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(ends().size(), 1u);
    EXPECT_EQ(ends()[0].text, "entered");
    EXPECT_EQ(textOf(b), "entered");
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(GetFocus(), tree);  // the focus returns to the tree

    edit = begin(b);
    typeInto(edit, "escaped");
    SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_EQ(ends().size(), 2u);
    EXPECT_FALSE(ends()[1].hasText);
    EXPECT_EQ(textOf(b), "entered");
    EXPECT_FALSE(IsWindow(edit));
}

TEST_F(TreeViewLabelEdit, MovingTheFocusAwayCommits) {
    answer(TVN_ENDLABELEDITA, TRUE);
    HWND button = CreateWindowExA(0, "Button", "Cancel", WS_CHILD | WS_VISIBLE, 250, 10, 60, 20,
                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(2)),
                                  GetModuleHandleA(nullptr), nullptr);
    HWND edit = begin(a);
    typeInto(edit, "focus moved");
    SetFocus(button);
    ASSERT_EQ(ends().size(), 1u);
    EXPECT_EQ(ends()[0].text, "focus moved");
    EXPECT_EQ(textOf(a), "focus moved");
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(GetFocus(), button);
}

TEST_F(TreeViewLabelEdit, WhileTheEditEndsTheParentSeesWhereTheFocusWent) {
    // The platform moves the focus before it tells the old focus window, so
    // a dialog can tell that its Cancel button was clicked.
    HWND button = CreateWindowExA(0, "Button", "Cancel", WS_CHILD | WS_VISIBLE, 250, 10, 60, 20,
                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(2)),
                                  GetModuleHandleA(nullptr), nullptr);
    begin(a);
    SetFocus(button);
    ASSERT_EQ(ends().size(), 1u);
    EXPECT_EQ(ends()[0].focus, button);
}

TEST_F(TreeViewLabelEdit, DeletingTheItemOrAnAncestorCancelsTheEditFirst) {
    ASSERT_TRUE(TreeView_Expand(tree, a, TVE_EXPAND));
    HWND edit = begin(a1);
    ASSERT_NE(edit, nullptr);
    clearNotes();
    ASSERT_TRUE(TreeView_DeleteItem(tree, a));
    ASSERT_EQ(ends().size(), 1u);
    EXPECT_FALSE(ends()[0].hasText);
    EXPECT_EQ(ends()[0].newItem, a1);
    EXPECT_EQ(codes().front(), TVN_ENDLABELEDITA);
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(TreeView_GetEditControl(tree), nullptr);
}

TEST_F(TreeViewLabelEdit, ResettingTheParentCancelsTheEditOnce) {
    ASSERT_TRUE(TreeView_Expand(tree, a, TVE_EXPAND));
    HWND edit = begin(a2);
    ASSERT_TRUE(TreeView_Expand(tree, a, TVE_COLLAPSE | TVE_COLLAPSERESET));
    ASSERT_EQ(ends().size(), 1u);
    EXPECT_FALSE(ends()[0].hasText);
    EXPECT_EQ(ends()[0].newItem, a2);
    EXPECT_FALSE(IsWindow(edit));
}

// The edit goes with the tree. Whether the parent is told is left open by
// the platform; the headless tree view commits the edit (it loses the focus
// as the tree goes), once.
TEST_F(TreeViewLabelEdit, DestroyingTheTreeEndsTheEditAtMostOnce) {
    HWND edit = begin(b);
    typeInto(edit, "last words");
    DestroyWindow(tree);
    EXPECT_FALSE(IsWindow(edit));
    ASSERT_LE(ends().size(), 1u);
    for (const Note& end : ends()) {
        EXPECT_EQ(end.text, "last words");
    }
}

TEST_F(TreeViewLabelEdit, AnEditRefusedWhileTheParentMovesTheFocusGoesAndTheTreeHasIt) {
    HWND edit = refuseWhileFocusingTheTree();
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(GetFocus(), tree);
}

TEST_F(TreeViewLabelEdit, AnEditEndsOnceEvenWhenTheParentMovesTheFocusWhileDeciding) {
    refuseWhileFocusingTheTree();
    EXPECT_EQ(ends().size(), 1u);
}

TEST_F(TreeViewLabelEdit, ANewEditEndsTheOpenOne) {
    answer(TVN_ENDLABELEDITA, TRUE);
    HWND first = begin(a);
    typeInto(first, "first");
    HWND second = begin(b);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    ASSERT_EQ(ends().size(), 1u);
    EXPECT_EQ(textOf(a), "first");
    TreeView_EndEditLabelNow(tree, TRUE);
}

}  // namespace
