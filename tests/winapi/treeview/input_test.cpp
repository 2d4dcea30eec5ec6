// The tree view under a person's mouse and keyboard.
#include "treeview/treeview_fixture.h"

#include <cstring>
#include <string>
#include <vector>

using treeview_tests::Note;
using treeview_tests::TreeViewTest;

namespace {

// A binary dialog template: a tree view (1001, label editing) and a default
// push button (IDOK).
class DialogTemplate {
public:
    DialogTemplate() {
        addDword(WS_POPUP | WS_VISIBLE | DS_MODALFRAME);
        addDword(0);
        words_.push_back(2);  // items
        addRect(0, 0, 200, 120);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the dialog class
        addString("Dialog");
        addItem(WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_EDITLABELS | TVS_HASBUTTONS, 5, 5, 120,
                100, 1001, WC_TREEVIEWA);
        addItem(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 140, 5, 50, 14, IDOK,
                nullptr);
    }
    LPCDLGTEMPLATEA get() const { return reinterpret_cast<LPCDLGTEMPLATEA>(words_.data()); }

private:
    void addDword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void addRect(short x, short y, short cx, short cy) {
        for (short v : {x, y, cx, cy}) {
            words_.push_back(static_cast<WORD>(v));
        }
    }
    void addString(const char* text) {
        for (; *text; ++text) {
            words_.push_back(static_cast<WORD>(static_cast<unsigned char>(*text)));
        }
        words_.push_back(0);
    }
    void addItem(DWORD style, short x, short y, short cx, short cy, WORD id, const char* cls) {
        if (words_.size() % 2 != 0) {
            words_.push_back(0);
        }
        addDword(style);
        addDword(0);
        addRect(x, y, cx, cy);
        words_.push_back(id);
        if (cls != nullptr) {
            addString(cls);
        } else {
            words_.push_back(0xFFFF);
            words_.push_back(0x0080);  // Button
        }
        addString("");
        words_.push_back(0);  // no creation data
    }
    std::vector<WORD> words_;
};

std::vector<WORD> g_dialogCommands;

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            // The buttons' commands (the edit's notifications may pass by too).
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                g_dialogCommands.push_back(LOWORD(wParam));
            }
            return TRUE;
        case WM_NOTIFY:
            if (reinterpret_cast<NMHDR*>(lParam)->code == TVN_ENDLABELEDITA) {
                SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

class TreeViewInput : public TreeViewTest {
protected:
    void SetUp() override {
        person::resetDesktop();
        TreeViewTest::SetUp();
        createTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS);
        // The focus comes while the tree is empty: a tree that gets it with
        // nothing selected selects its first visible item, and the tests'
        // clicks are to find nothing selected.
        SetFocus(tree);
        a = insert(TVI_ROOT, TVI_LAST, "alpha", 1);
        a1 = insert(a, TVI_LAST, "a1", 11);
        a2 = insert(a, TVI_LAST, "a2", 12);
        b = insert(TVI_ROOT, TVI_LAST, "beta", 2);
        person::pumpMessages();
        clearNotes();
    }

    // A point on the item, in screen coordinates: its label, its button or
    // just right of its label.
    POINT onLabel(HTREEITEM item) {
        RECT rect;
        EXPECT_TRUE(TreeView_GetItemRect(tree, item, &rect, TRUE));
        return screen((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    POINT onButton(HTREEITEM item) {
        RECT rect;
        EXPECT_TRUE(TreeView_GetItemRect(tree, item, &rect, TRUE));
        return screen(rect.left - 10, (rect.top + rect.bottom) / 2);
    }
    POINT rightOf(HTREEITEM item) {
        RECT rect;
        EXPECT_TRUE(TreeView_GetItemRect(tree, item, &rect, TRUE));
        return screen(rect.right + 20, rect.top + 3);
    }
    POINT screen(int x, int y) {
        POINT pt{x, y};
        ClientToScreen(tree, &pt);
        return pt;
    }

    HTREEITEM a = nullptr, a1 = nullptr, a2 = nullptr, b = nullptr;
};

TEST_F(TreeViewInput, AClickSelectsAfterTellingTheParent) {
    person::click(onLabel(b));
    EXPECT_EQ(TreeView_GetSelection(tree), b);
    std::vector<Note> clicks = notes(NM_CLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].selection, nullptr);  // the click comes before the change
    std::vector<Note> changed = notes(TVN_SELCHANGEDA);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].newItem, b);
    EXPECT_EQ(changed[0].action, static_cast<UINT>(TVC_BYMOUSE));
}

TEST_F(TreeViewInput, AClickTakesTheFocus) {
    HWND button = CreateWindowExA(0, "Button", "Other", WS_CHILD | WS_VISIBLE, 250, 10, 60, 20,
                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(2)),
                                  GetModuleHandleA(nullptr), nullptr);
    SetFocus(button);
    ASSERT_EQ(GetFocus(), button);
    person::click(onLabel(b));
    EXPECT_EQ(GetFocus(), tree);
    EXPECT_EQ(TreeView_GetSelection(tree), b);
}

TEST_F(TreeViewInput, AHandledClickSelectsNothing) {
    respond = [](NMHDR* header) -> LRESULT { return header->code == NM_CLICK ? 1 : 0; };
    person::click(onLabel(b));
    EXPECT_EQ(TreeView_GetSelection(tree), nullptr);
}

TEST_F(TreeViewInput, ClickingBesideOrBelowTheRowsSelectsNothing) {
    person::click(rightOf(b));
    person::click(screen(30, 150));
    EXPECT_EQ(TreeView_GetSelection(tree), nullptr);
    EXPECT_EQ(notes(NM_CLICK).size(), 2u);
}

TEST_F(TreeViewInput, TheButtonTogglesWithNotificationsEveryTime) {
    person::click(onButton(a));
    EXPECT_TRUE(stateOf(a, TVIS_EXPANDED));
    person::click(onButton(a));
    EXPECT_FALSE(stateOf(a, TVIS_EXPANDED));
    person::click(onButton(a));
    std::vector<Note> expanding = notes(TVN_ITEMEXPANDINGA);
    ASSERT_EQ(expanding.size(), 3u);
    EXPECT_EQ(expanding[0].action, static_cast<UINT>(TVE_EXPAND));
    EXPECT_EQ(expanding[1].action, static_cast<UINT>(TVE_COLLAPSE));
    EXPECT_EQ(expanding[2].action, static_cast<UINT>(TVE_EXPAND));
    EXPECT_EQ(notes(TVN_ITEMEXPANDEDA).size(), 3u);
    EXPECT_EQ(TreeView_GetSelection(tree), nullptr);  // the button selects nothing
}

TEST_F(TreeViewInput, ADoubleClickOnAnItemTogglesIt) {
    person::doubleClick(onLabel(a));
    EXPECT_EQ(notes(NM_DBLCLK).size(), 1u);
    EXPECT_TRUE(stateOf(a, TVIS_EXPANDED));
    EXPECT_EQ(TreeView_GetSelection(tree), a);
    // A handled double-click does not toggle.
    respond = [](NMHDR* header) -> LRESULT { return header->code == NM_DBLCLK ? 1 : 0; };
    person::wait(1000);
    person::doubleClick(onLabel(a));
    EXPECT_TRUE(stateOf(a, TVIS_EXPANDED));
}

// The selection stays; the parent may ask for a context menu.
TEST_F(TreeViewInput, ARightClickLeavesTheSelectionAndAsksForAContextMenu) {
    TreeView_SelectItem(tree, a);
    clearNotes();
    messages.clear();
    person::click(onLabel(b), person::Button::Right);
    std::vector<Note> clicks = notes(NM_RCLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].selection, a);
    EXPECT_EQ(TreeView_GetSelection(tree), a);
    // Unhandled, it becomes a context menu request to the parent.
    EXPECT_EQ(messages, (std::vector<UINT>{WM_CONTEXTMENU}));
    respond = [](NMHDR* header) -> LRESULT { return header->code == NM_RCLICK ? 1 : 0; };
    messages.clear();
    person::click(onLabel(b), person::Button::Right);
    EXPECT_TRUE(messages.empty());
}

// A right click is told once and leaves no drop target behind.
TEST_F(TreeViewInput, ARightClickLeavesNoDropTarget) {
    TreeView_SelectItem(tree, a);
    clearNotes();
    person::click(onLabel(b), person::Button::Right);
    EXPECT_EQ(notes(NM_RCLICK).size(), 1u);
    EXPECT_EQ(TreeView_GetDropHilight(tree), nullptr);
    EXPECT_EQ(stateOf(b, TVIS_DROPHILITED), 0u);
}

// While NM_RCLICK is sent the right-clicked item is the drop target, so that
// the parent can tell which item the menu is for.
TEST_F(TreeViewInput, TheRightClickedItemIsTheDropTargetWhileTheParentIsTold) {
    TreeView_SelectItem(tree, a);
    clearNotes();
    person::click(onLabel(b), person::Button::Right);
    std::vector<Note> clicks = notes(NM_RCLICK);
    ASSERT_FALSE(clicks.empty());
    EXPECT_EQ(clicks[0].dropTarget, b);
}

TEST_F(TreeViewInput, DraggingAnItemAnnouncesTheDragAndSelectsNothing) {
    POINT from = onLabel(b);
    POINT to{from.x + 40, from.y + 30};
    person::drag(from, to);
    std::vector<Note> drags = notes(TVN_BEGINDRAGA);
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_EQ(drags[0].newItem, b);
    EXPECT_EQ(drags[0].newParam, 2);
    POINT client = from;
    ScreenToClient(tree, &client);
    EXPECT_EQ(drags[0].ptDrag.x, client.x);
    EXPECT_EQ(drags[0].ptDrag.y, client.y);
    EXPECT_EQ(TreeView_GetSelection(tree), nullptr);
    EXPECT_TRUE(notes(NM_CLICK).empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TreeViewInput, ASmallMoveIsStillAClick) {
    POINT from = onLabel(b);
    person::drag(from, POINT{from.x + 3, from.y + 2}, person::Button::Left, 1);
    EXPECT_TRUE(notes(TVN_BEGINDRAGA).empty());
    EXPECT_EQ(TreeView_GetSelection(tree), b);
}

TEST_F(TreeViewInput, RightDragsAndDisabledDrags) {
    POINT from = onLabel(b);
    person::drag(from, POINT{from.x, from.y + 40}, person::Button::Right);
    ASSERT_EQ(notes(TVN_BEGINRDRAGA).size(), 1u);
    EXPECT_EQ(notes(TVN_BEGINRDRAGA)[0].newItem, b);
    EXPECT_TRUE(notes(NM_RCLICK).empty());

    SetWindowLongPtrA(tree, GWL_STYLE, GetWindowLongPtrA(tree, GWL_STYLE) | TVS_DISABLEDRAGDROP);
    person::drag(from, POINT{from.x + 40, from.y}, person::Button::Left);
    EXPECT_TRUE(notes(TVN_BEGINDRAGA).empty());
}

TEST_F(TreeViewInput, ClickingTheSelectedLabelEditsItAfterTheDoubleClickTime) {
    person::click(onLabel(b));
    ASSERT_EQ(TreeView_GetSelection(tree), b);
    person::wait(1000);
    person::click(onLabel(b));
    EXPECT_EQ(TreeView_GetEditControl(tree), nullptr);  // not yet
    person::wait(GetDoubleClickTime());
    HWND edit = TreeView_GetEditControl(tree);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(notes(TVN_BEGINLABELEDITA).size(), 1u);
    EXPECT_EQ(GetFocus(), edit);

    // The person types a new name and presses Enter.
    respond = [](NMHDR* header) -> LRESULT { return header->code == TVN_ENDLABELEDITA ? TRUE : 0; };
    person::type("Hall");
    person::pressKey(VK_RETURN);
    ASSERT_EQ(notes(TVN_ENDLABELEDITA).size(), 1u);
    EXPECT_EQ(notes(TVN_ENDLABELEDITA)[0].text, "Hall");
    EXPECT_EQ(textOf(b), "Hall");
    EXPECT_EQ(GetFocus(), tree);
}

TEST_F(TreeViewInput, ADoubleClickOnTheSelectedLabelDoesNotEdit) {
    person::click(onLabel(a));
    person::wait(1000);
    person::doubleClick(onLabel(a));
    person::wait(2000);
    EXPECT_EQ(TreeView_GetEditControl(tree), nullptr);
    EXPECT_TRUE(notes(TVN_BEGINLABELEDITA).empty());
}

TEST_F(TreeViewInput, ClickingAnUnselectedLabelDoesNotEdit) {
    person::click(onLabel(b));
    person::wait(2000);
    EXPECT_EQ(TreeView_GetEditControl(tree), nullptr);
}

TEST_F(TreeViewInput, EnterInALabelEditOfADialogEndsTheEditNotTheDialog) {
    g_dialogCommands.clear();
    DialogTemplate resource;
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), resource.get(), parent,
                                             &dialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    HWND dialogTree = GetDlgItem(dialog, 1001);
    ASSERT_NE(dialogTree, nullptr);
    TVINSERTSTRUCTA insertion;
    std::memset(&insertion, 0, sizeof insertion);
    insertion.hParent = TVI_ROOT;
    insertion.hInsertAfter = TVI_LAST;
    insertion.item.mask = TVIF_TEXT;
    insertion.item.pszText = const_cast<char*>("Storey");
    HTREEITEM item = TreeView_InsertItem(dialogTree, &insertion);
    SetFocus(dialogTree);
    ASSERT_NE(TreeView_EditLabel(dialogTree, item), nullptr);
    person::type("hall");
    person::pressKey(VK_RETURN);
    EXPECT_EQ(TreeView_GetEditControl(dialogTree), nullptr);
    char text[16] = "";
    TVITEMA tv;
    std::memset(&tv, 0, sizeof tv);
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    TreeView_GetItem(dialogTree, &tv);
    EXPECT_STREQ(text, "hall");
    EXPECT_TRUE(g_dialogCommands.empty());
    // Without an edit, Enter is the dialog's.
    person::pressKey(VK_RETURN);
    EXPECT_EQ(g_dialogCommands, (std::vector<WORD>{IDOK}));
    DestroyWindow(dialog);
}

TEST_F(TreeViewInput, EscapeInTheEditCancels) {
    SetFocus(tree);
    HWND edit = TreeView_EditLabel(tree, b);
    ASSERT_NE(edit, nullptr);
    person::type("never");
    person::pressKey(VK_ESCAPE);
    ASSERT_EQ(notes(TVN_ENDLABELEDITA).size(), 1u);
    EXPECT_FALSE(notes(TVN_ENDLABELEDITA)[0].hasText);
    EXPECT_EQ(textOf(b), "beta");
    EXPECT_FALSE(IsWindow(edit));
}

TEST_F(TreeViewInput, ClickingElsewhereInTheTreeCommitsTheEdit) {
    respond = [](NMHDR* header) -> LRESULT { return header->code == TVN_ENDLABELEDITA ? TRUE : 0; };
    SetFocus(tree);
    HWND edit = TreeView_EditLabel(tree, b);
    ASSERT_NE(edit, nullptr);
    person::type("Hall");
    person::click(onLabel(a));
    ASSERT_EQ(notes(TVN_ENDLABELEDITA).size(), 1u);
    EXPECT_EQ(textOf(b), "Hall");
    EXPECT_EQ(TreeView_GetSelection(tree), a);
}

TEST_F(TreeViewInput, ArrowKeysMoveTheSelectionThroughVisibleItems) {
    ASSERT_TRUE(TreeView_SelectItem(tree, a));
    clearNotes();
    person::pressKey(VK_DOWN);
    EXPECT_EQ(TreeView_GetSelection(tree), b);  // a is collapsed
    person::pressKey(VK_DOWN);
    EXPECT_EQ(TreeView_GetSelection(tree), b);  // nothing below
    person::pressKey(VK_UP);
    EXPECT_EQ(TreeView_GetSelection(tree), a);
    person::pressKey(VK_RIGHT);  // opens a
    EXPECT_TRUE(stateOf(a, TVIS_EXPANDED));
    EXPECT_EQ(TreeView_GetSelection(tree), a);
    person::pressKey(VK_RIGHT);  // to its first child
    EXPECT_EQ(TreeView_GetSelection(tree), a1);
    person::pressKey(VK_END);
    EXPECT_EQ(TreeView_GetSelection(tree), b);
    person::pressKey(VK_UP);
    EXPECT_EQ(TreeView_GetSelection(tree), a2);
    person::pressKey(VK_LEFT);  // to the parent
    EXPECT_EQ(TreeView_GetSelection(tree), a);
    person::pressKey(VK_LEFT);  // closes it
    EXPECT_FALSE(stateOf(a, TVIS_EXPANDED));
    person::pressKey(VK_HOME);
    EXPECT_EQ(TreeView_GetSelection(tree), a);

    std::vector<Note> keys = notes(TVN_KEYDOWN);
    ASSERT_EQ(keys.size(), 10u);
    EXPECT_EQ(keys[0].key, VK_DOWN);
    EXPECT_EQ(keys[0].selection, a);  // told before the key acts
    for (const Note& note : notes(TVN_SELCHANGEDA)) {
        EXPECT_EQ(note.action, static_cast<UINT>(TVC_BYKEYBOARD));
    }
    // Expansion by keyboard is announced even for an item opened before.
    EXPECT_EQ(notes(TVN_ITEMEXPANDEDA).size(), 2u);
}

TEST_F(TreeViewInput, PlusMinusAndStarExpandAndCollapse) {
    HTREEITEM deep = insert(a1, TVI_LAST, "deep");
    TreeView_SelectItem(tree, a);
    SetFocus(tree);
    person::pressKey(VK_MULTIPLY);
    EXPECT_TRUE(stateOf(a, TVIS_EXPANDED));
    EXPECT_TRUE(stateOf(a1, TVIS_EXPANDED));
    RECT rect;
    EXPECT_TRUE(TreeView_GetItemRect(tree, deep, &rect, TRUE));
    person::pressKey(VK_SUBTRACT);
    EXPECT_FALSE(stateOf(a, TVIS_EXPANDED));
    person::pressKey(VK_ADD);
    EXPECT_TRUE(stateOf(a, TVIS_EXPANDED));
}

// The tree view opens no label edit for a key: F2 is told to the parent,
// which may open one.
TEST_F(TreeViewInput, F2IsTheParentsToAnswerWithALabelEdit) {
    TreeView_SelectItem(tree, b);
    person::pressKey(VK_F2);
    EXPECT_EQ(TreeView_GetEditControl(tree), nullptr);
    ASSERT_EQ(notes(TVN_KEYDOWN).size(), 1u);
    EXPECT_EQ(notes(TVN_KEYDOWN)[0].key, VK_F2);

    respond = [](NMHDR* header) -> LRESULT {
        auto* key = reinterpret_cast<NMTVKEYDOWN*>(header);
        if (header->code == TVN_KEYDOWN && key->wVKey == VK_F2) {
            TreeView_EditLabel(header->hwndFrom, TreeView_GetSelection(header->hwndFrom));
        }
        return 0;
    };
    person::pressKey(VK_F2);
    EXPECT_NE(TreeView_GetEditControl(tree), nullptr);
    EXPECT_EQ(notes(TVN_BEGINLABELEDITA).size(), 1u);
    person::pressKey(VK_ESCAPE);
    EXPECT_EQ(TreeView_GetEditControl(tree), nullptr);
}

TEST_F(TreeViewInput, ClickingACheckBoxTogglesIt) {
    SetWindowLongPtrA(tree, GWL_STYLE, GetWindowLongPtrA(tree, GWL_STYLE) | TVS_CHECKBOXES);
    HTREEITEM c = insert(TVI_ROOT, TVI_LAST, "checked later");
    person::pumpMessages();
    RECT rect;
    ASSERT_TRUE(TreeView_GetItemRect(tree, c, &rect, TRUE));
    POINT box = screen(rect.left - 8, rect.top + 8);
    TVHITTESTINFO info;
    std::memset(&info, 0, sizeof info);
    info.pt = POINT{rect.left - 8, rect.top + 8};
    TreeView_HitTest(tree, &info);
    EXPECT_EQ(info.flags, static_cast<UINT>(TVHT_ONITEMSTATEICON));
    person::click(box);
    EXPECT_EQ(TreeView_GetCheckState(tree, c), 1u);
    person::wait(1000);
    person::click(box);
    EXPECT_EQ(TreeView_GetCheckState(tree, c), 0u);
    EXPECT_EQ(TreeView_GetSelection(tree), nullptr);
    ImageList_Destroy(TreeView_GetImageList(tree, TVSIL_STATE));
}

// Keys the tree view has no use for go on to the default handling: F1 asks
// the parent for help, after the parent was told of the key.
TEST_F(TreeViewInput, F1AsksTheParentForHelp) {
    SetFocus(tree);
    person::pressKey(VK_F1);
    EXPECT_EQ(notes(TVN_KEYDOWN).size(), 1u);
    EXPECT_EQ(messages, std::vector<UINT>{WM_HELP});
    messages.clear();
    person::pressKey(VK_DOWN);
    EXPECT_TRUE(messages.empty());
}

TEST_F(TreeViewInput, TheWheelScrolls) {
    for (int i = 0; i < 20; ++i) {
        insert(TVI_ROOT, TVI_LAST, "more");
    }
    SendMessageA(tree, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                 MAKELPARAM(50, 50));
    HTREEITEM first = TreeView_GetFirstVisible(tree);
    EXPECT_EQ(first, next(next(next(a, TVGN_NEXTVISIBLE), TVGN_NEXTVISIBLE), TVGN_NEXTVISIBLE));
}

}  // namespace
