// Tree view geometry: item rectangles, hit tests, item height, visible rows
// and scrolling, with the fixed metrics of the headless platform (row 16,
// indent 19, characters 7 pixels wide, 2 pixels of margin at each side of a
// label).
#include "treeview/treeview_fixture.h"

#include <cstring>
#include <string>
#include <utility>

using treeview_tests::makeImages;
using treeview_tests::TreeViewTest;

namespace {

constexpr DWORD kFullStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;

::testing::AssertionResult rectIs(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
    if (r.left == left && r.top == top && r.right == right && r.bottom == bottom) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

class TreeViewGeometry : public TreeViewTest {
protected:
    RECT rectOf(HTREEITEM item, BOOL textOnly) {
        RECT rect{-1, -1, -1, -1};
        EXPECT_TRUE(TreeView_GetItemRect(tree, item, &rect, textOnly));
        return rect;
    }
    UINT hit(int x, int y, HTREEITEM* item = nullptr) {
        TVHITTESTINFO info;
        std::memset(&info, 0, sizeof info);
        info.pt.x = x;
        info.pt.y = y;
        HTREEITEM result = TreeView_HitTest(tree, &info);
        EXPECT_EQ(result, info.hItem);
        if (item != nullptr) {
            *item = info.hItem;
        }
        return info.flags;
    }
};

TEST_F(TreeViewGeometry, LabelRectanglesFollowLevelIndentAndText) {
    createTree(kFullStyle);
    HTREEITEM a = insert(TVI_ROOT, TVI_LAST, "a");
    HTREEITEM a1 = insert(a, TVI_LAST, "a1");
    HTREEITEM b = insert(TVI_ROOT, TVI_LAST, "Storey");
    TreeView_Expand(tree, a, TVE_EXPAND);
    // The root items have a column of their own for lines and buttons.
    EXPECT_TRUE(rectIs(rectOf(a, TRUE), 19, 0, 19 + 7 + 4, 16));
    EXPECT_TRUE(rectIs(rectOf(a1, TRUE), 38, 16, 38 + 14 + 4, 32));
    EXPECT_TRUE(rectIs(rectOf(b, TRUE), 19, 32, 19 + 42 + 4, 48));
    EXPECT_TRUE(rectIs(rectOf(a1, FALSE), 0, 16, 200, 32));
    // Collapsed again, a1 has no rectangle and b moves up.
    TreeView_Expand(tree, a, TVE_COLLAPSE);
    RECT rect;
    EXPECT_FALSE(TreeView_GetItemRect(tree, a1, &rect, TRUE));
    EXPECT_TRUE(rectIs(rectOf(b, FALSE), 0, 16, 200, 32));
}

TEST_F(TreeViewGeometry, WithoutLinesAtRootTheRootItemsStartAtTheLeftEdge) {
    createTree(TVS_HASBUTTONS | TVS_HASLINES);
    HTREEITEM a = insert(TVI_ROOT, TVI_LAST, "abc");
    HTREEITEM a1 = insert(a, TVI_LAST, "x");
    TreeView_Expand(tree, a, TVE_EXPAND);
    EXPECT_TRUE(rectIs(rectOf(a, TRUE), 0, 0, 21 + 4, 16));
    EXPECT_TRUE(rectIs(rectOf(a1, TRUE), 19, 16, 19 + 7 + 4, 32));
    // Root items show no button then: the left edge is the icon side.
    EXPECT_EQ(hit(2, 8), static_cast<UINT>(TVHT_ONITEMLABEL));
    EXPECT_EQ(hit(2, 24), static_cast<UINT>(TVHT_ONITEMINDENT));
}

TEST_F(TreeViewGeometry, ImagesAndStateImagesComeBeforeTheLabel) {
    createTree(kFullStyle);
    HIMAGELIST images = makeImages(16, 16, 4);
    HIMAGELIST states = makeImages(16, 16, 3);
    TreeView_SetImageList(tree, images, TVSIL_NORMAL);
    TreeView_SetImageList(tree, states, TVSIL_STATE);
    TVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = TVIF_TEXT | TVIF_STATE;
    item.pszText = const_cast<char*>("ab");
    item.state = INDEXTOSTATEIMAGEMASK(1);
    item.stateMask = TVIS_STATEIMAGEMASK;
    HTREEITEM withState = insertWith(TVI_ROOT, TVI_LAST, item);
    HTREEITEM plain = insert(TVI_ROOT, TVI_LAST, "ab");
    EXPECT_TRUE(rectIs(rectOf(withState, TRUE), 19 + 16 + 16, 0, 51 + 14 + 4, 16));
    // No state image index: no room for a state image.
    EXPECT_TRUE(rectIs(rectOf(plain, TRUE), 19 + 16, 16, 35 + 14 + 4, 32));

    EXPECT_EQ(hit(20, 8), static_cast<UINT>(TVHT_ONITEMSTATEICON));
    EXPECT_EQ(hit(34, 8), static_cast<UINT>(TVHT_ONITEMSTATEICON));
    EXPECT_EQ(hit(35, 8), static_cast<UINT>(TVHT_ONITEMICON));
    EXPECT_EQ(hit(50, 8), static_cast<UINT>(TVHT_ONITEMICON));
    EXPECT_EQ(hit(51, 8), static_cast<UINT>(TVHT_ONITEMLABEL));
    EXPECT_EQ(hit(68, 8), static_cast<UINT>(TVHT_ONITEMLABEL));
    EXPECT_EQ(hit(69, 8), static_cast<UINT>(TVHT_ONITEMRIGHT));
    EXPECT_EQ(hit(20, 24), static_cast<UINT>(TVHT_ONITEMICON));

    EXPECT_EQ(TreeView_GetImageList(tree, TVSIL_NORMAL), images);
    EXPECT_EQ(TreeView_GetImageList(tree, TVSIL_STATE), states);
    EXPECT_EQ(TreeView_SetImageList(tree, nullptr, TVSIL_NORMAL), images);
    EXPECT_TRUE(rectIs(rectOf(plain, TRUE), 19, 16, 19 + 14 + 4, 32));
    ImageList_Destroy(images);
    ImageList_Destroy(states);
}

TEST_F(TreeViewGeometry, HitTestFlagsAcrossARowAndOutsideTheRows) {
    createTree(kFullStyle);
    HTREEITEM a = insert(TVI_ROOT, TVI_LAST, "a");
    HTREEITEM a1 = insert(a, TVI_LAST, "a1");
    HTREEITEM b = insert(TVI_ROOT, TVI_LAST, "b");
    TreeView_Expand(tree, a, TVE_EXPAND);
    HTREEITEM item = nullptr;
    // Row of a: button column 0..18, label 19..29.
    EXPECT_EQ(hit(0, 0, &item), static_cast<UINT>(TVHT_ONITEMBUTTON));
    EXPECT_EQ(item, a);
    EXPECT_EQ(hit(18, 15), static_cast<UINT>(TVHT_ONITEMBUTTON));
    EXPECT_EQ(hit(19, 8), static_cast<UINT>(TVHT_ONITEMLABEL));
    EXPECT_EQ(hit(29, 8), static_cast<UINT>(TVHT_ONITEMLABEL));
    EXPECT_EQ(hit(30, 8, &item), static_cast<UINT>(TVHT_ONITEMRIGHT));
    EXPECT_EQ(item, a);
    // Row of a1: indent, its own (empty) button column, label.
    EXPECT_EQ(hit(5, 20, &item), static_cast<UINT>(TVHT_ONITEMINDENT));
    EXPECT_EQ(item, a1);
    EXPECT_EQ(hit(25, 20), static_cast<UINT>(TVHT_ONITEMINDENT));
    EXPECT_EQ(hit(40, 20), static_cast<UINT>(TVHT_ONITEMLABEL));
    // b has no children: no button.
    EXPECT_EQ(hit(5, 40, &item), static_cast<UINT>(TVHT_ONITEMINDENT));
    EXPECT_EQ(item, b);
    // Inside the client area below the last row, and outside it.
    EXPECT_EQ(hit(5, 48, &item), static_cast<UINT>(TVHT_NOWHERE));
    EXPECT_EQ(item, nullptr);
    EXPECT_EQ(hit(5, 160, &item), static_cast<UINT>(TVHT_BELOW));
    EXPECT_EQ(item, nullptr);
    EXPECT_EQ(hit(5, -1), static_cast<UINT>(TVHT_ABOVE));
    EXPECT_EQ(hit(-1, 5), static_cast<UINT>(TVHT_TOLEFT));
    EXPECT_EQ(hit(200, 5), static_cast<UINT>(TVHT_TORIGHT));
    EXPECT_EQ(hit(200, 200), static_cast<UINT>(TVHT_TORIGHT | TVHT_BELOW));
    EXPECT_EQ(hit(-3, -3), static_cast<UINT>(TVHT_TOLEFT | TVHT_ABOVE));
    EXPECT_EQ(TreeView_HitTest(tree, nullptr), nullptr);
}

TEST_F(TreeViewGeometry, WithoutButtonsTheButtonColumnIsIndent) {
    createTree(TVS_HASLINES | TVS_LINESATROOT);
    HTREEITEM a = insert(TVI_ROOT, TVI_LAST, "a");
    insert(a, TVI_LAST, "a1");
    EXPECT_EQ(hit(5, 8), static_cast<UINT>(TVHT_ONITEMINDENT));
}

TEST_F(TreeViewGeometry, ItemHeightFollowsTheImagesUnlessSet) {
    createTree(kFullStyle);
    EXPECT_EQ(TreeView_GetItemHeight(tree), 16);
    EXPECT_EQ(TreeView_GetVisibleCount(tree), 10u);
    HIMAGELIST images = makeImages(24, 24, 1);
    HIMAGELIST states = makeImages(20, 20, 3);
    TreeView_SetImageList(tree, states, TVSIL_STATE);
    EXPECT_EQ(TreeView_GetItemHeight(tree), 20);
    TreeView_SetImageList(tree, images, TVSIL_NORMAL);
    EXPECT_EQ(TreeView_GetItemHeight(tree), 24);
    EXPECT_EQ(TreeView_GetVisibleCount(tree), 6u);
    insert(TVI_ROOT, TVI_LAST, "a");
    HTREEITEM b = insert(TVI_ROOT, TVI_LAST, "b");
    EXPECT_TRUE(rectIs(rectOf(b, FALSE), 0, 24, 200, 48));
    // An odd height is rounded down to an even one; -1 returns to the default.
    EXPECT_EQ(TreeView_SetItemHeight(tree, 21), 24);
    EXPECT_EQ(TreeView_GetItemHeight(tree), 20);
    EXPECT_EQ(TreeView_SetItemHeight(tree, -1), 20);
    EXPECT_EQ(TreeView_GetItemHeight(tree), 24);
    TreeView_SetImageList(tree, nullptr, TVSIL_NORMAL);
    TreeView_SetImageList(tree, nullptr, TVSIL_STATE);
    ImageList_Destroy(images);
    ImageList_Destroy(states);
}

TEST_F(TreeViewGeometry, IndentCanBeChanged) {
    createTree(kFullStyle);
    EXPECT_EQ(TreeView_GetIndent(tree), 19u);
    HTREEITEM a = insert(TVI_ROOT, TVI_LAST, "a");
    HTREEITEM a1 = insert(a, TVI_LAST, "a1");
    TreeView_Expand(tree, a, TVE_EXPAND);
    TreeView_SetIndent(tree, 30);
    EXPECT_EQ(TreeView_GetIndent(tree), 30u);
    EXPECT_EQ(rectOf(a1, TRUE).left, 60);
}

TEST_F(TreeViewGeometry, BoldLabelsAndABoldFontAreWider) {
    createTree(kFullStyle);
    HTREEITEM a = insert(TVI_ROOT, TVI_LAST, "abcd");
    TreeView_SetItemState(tree, a, TVIS_BOLD, TVIS_BOLD);
    EXPECT_EQ(rectOf(a, TRUE).right, 19 + 4 * 8 + 4);
    TreeView_SetItemState(tree, a, 0, TVIS_BOLD);
    EXPECT_EQ(rectOf(a, TRUE).right, 19 + 4 * 7 + 4);
    LOGFONTA description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = -11;
    description.lfWeight = FW_BOLD;
    HFONT font = CreateFontIndirectA(&description);
    SendMessageA(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(tree, WM_GETFONT, 0, 0)), font);
    EXPECT_EQ(rectOf(a, TRUE).right, 19 + 4 * 8 + 4);
    DestroyWindow(tree);
    DeleteObject(font);
}

class TreeViewScrolling : public TreeViewGeometry {
protected:
    void SetUp() override {
        TreeViewGeometry::SetUp();
        createTree(kFullStyle);  // 10 rows of 16 pixels
        for (int i = 0; i < 30; ++i) {
            items[i] = insert(TVI_ROOT, TVI_LAST, ("item " + std::to_string(i)).c_str());
        }
    }
    HTREEITEM items[30]{};
};

TEST_F(TreeViewScrolling, EnsureVisibleScrollsJustEnough) {
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[0]);
    EXPECT_TRUE(TreeView_EnsureVisible(tree, items[20]));
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[11]);
    EXPECT_EQ(rectOf(items[20], FALSE).top, 144);
    // Items above the view have rectangles above the client area.
    EXPECT_EQ(rectOf(items[0], FALSE).top, -176);
    HTREEITEM item = nullptr;
    EXPECT_EQ(hit(25, 0, &item), static_cast<UINT>(TVHT_ONITEMLABEL));
    EXPECT_EQ(item, items[11]);
    // Already visible: nothing to do.
    EXPECT_FALSE(TreeView_EnsureVisible(tree, items[15]));
    EXPECT_TRUE(TreeView_EnsureVisible(tree, items[2]));
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[2]);
}

TEST_F(TreeViewScrolling, FirstVisibleNeverLeavesAnEmptyPage) {
    EXPECT_TRUE(TreeView_SelectSetFirstVisible(tree, items[25]));
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[20]);
    SendMessageA(tree, WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[0]);
    SendMessageA(tree, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[1]);
    SendMessageA(tree, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[11]);
    SendMessageA(tree, WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[20]);
    // Removing rows at the end pulls the view back.
    for (int i = 29; i >= 25; --i) {
        TreeView_DeleteItem(tree, items[i]);
    }
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[15]);
}

TEST_F(TreeViewScrolling, TheFirstVisibleItemStaysWhileRowsChangeAboveIt) {
    TreeView_SelectSetFirstVisible(tree, items[10]);
    HTREEITEM child = insert(items[3], TVI_LAST, "child");
    TreeView_Expand(tree, items[3], TVE_EXPAND);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[10]);
    EXPECT_EQ(rectOf(child, FALSE).top, (4 - 11) * 16);  // row 4, item 10 now on row 11
    // Deleting the first visible item keeps the rows below in place.
    TreeView_DeleteItem(tree, items[10]);
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[11]);
}

TEST_F(TreeViewScrolling, SelectingAnItemScrollsItIntoView) {
    ASSERT_TRUE(TreeView_SelectItem(tree, items[29]));
    EXPECT_EQ(TreeView_GetFirstVisible(tree), items[20]);
    SCROLLINFO info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    UpdateWindow(tree);
    ASSERT_TRUE(GetScrollInfo(tree, SB_VERT, &info));
    EXPECT_EQ(info.nPos, 20);
    EXPECT_EQ(info.nPage, 10u);
    EXPECT_EQ(info.nMax, 29);
}

TEST_F(TreeViewScrolling, EnsureVisibleExpandsCollapsedParents) {
    HTREEITEM child = insert(items[5], TVI_LAST, "child");
    HTREEITEM grandchild = insert(child, TVI_LAST, "grandchild");
    RECT rect;
    EXPECT_FALSE(TreeView_GetItemRect(tree, grandchild, &rect, TRUE));
    // Expanding makes the return value FALSE, even though it was shown.
    EXPECT_FALSE(TreeView_EnsureVisible(tree, grandchild));
    EXPECT_TRUE(TreeView_GetItemState(tree, items[5], TVIS_EXPANDED));
    EXPECT_TRUE(TreeView_GetItemState(tree, child, TVIS_EXPANDED));
    EXPECT_TRUE(TreeView_GetItemRect(tree, grandchild, &rect, TRUE));
    EXPECT_EQ(rect.top, 7 * 16);
    EXPECT_EQ(rect.left, 3 * 19);
}

}  // namespace

namespace {

// The vertical range tells whether the bar shows: empty while every row
// fits, the rows once they do not, and empty again when a branch collapses,
// without waiting for the tree to be painted.
TEST_F(TreeViewGeometry, TheVerticalRangeIsEmptyWhileTheRowsFit) {
    createTree(kFullStyle);  // 10 rows of 16 pixels
    HTREEITEM branch = insert(TVI_ROOT, TVI_LAST, "branch");
    for (int i = 0; i < 12; ++i) {
        insert(branch, TVI_LAST, ("leaf " + std::to_string(i)).c_str());
    }
    const auto range = [this] {
        int minimum = -1;
        int maximum = -1;
        GetScrollRange(tree, SB_VERT, &minimum, &maximum);
        return std::pair<int, int>(minimum, maximum);
    };
    UpdateWindow(tree);
    EXPECT_EQ(range(), std::make_pair(0, 0));
    EXPECT_FALSE(GetWindowLongA(tree, GWL_STYLE) & WS_VSCROLL);

    TreeView_Expand(tree, branch, TVE_EXPAND);
    EXPECT_EQ(range(), std::make_pair(0, 12));
    EXPECT_TRUE(GetWindowLongA(tree, GWL_STYLE) & WS_VSCROLL);

    TreeView_Expand(tree, branch, TVE_COLLAPSE);
    EXPECT_EQ(range(), std::make_pair(0, 0));
    EXPECT_FALSE(GetWindowLongA(tree, GWL_STYLE) & WS_VSCROLL);
}

}  // namespace
