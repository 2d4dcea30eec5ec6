// Tree view geometry: item rectangles, hit tests, item height, visible rows
// and scrolling, measured against the control's own figures (its indent and
// item height, its label rectangles) and the text extents of its font.
#include "treeview/treeview_fixture.h"

#include <cstring>
#include <string>
#include <utility>

using treeview_tests::makeImages;
using treeview_tests::TreeViewTest;

namespace {

constexpr DWORD kFullStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;

// A label is its text with a small margin at each side.
constexpr int kMostLabelMargins = 8;

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
    int indent() { return static_cast<int>(TreeView_GetIndent(tree)); }
    int rowHeight() { return TreeView_GetItemHeight(tree); }
    // The width of the text in the given font (the tree's own when null).
    int textWidth(const char* text, HFONT font = nullptr) {
        if (font == nullptr) {
            font = reinterpret_cast<HFONT>(SendMessageA(tree, WM_GETFONT, 0, 0));
        }
        HDC dc = GetDC(tree);
        HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
        SIZE size{};
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        if (previous != nullptr) {
            SelectObject(dc, previous);
        }
        ReleaseDC(tree, dc);
        return size.cx;
    }
    // The label rectangle of an item on `row` starting at `left`, with
    // room for its text.
    ::testing::AssertionResult isLabel(HTREEITEM item, int row, int left, const char* text,
                                       HFONT font = nullptr) {
        RECT r{};
        if (!TreeView_GetItemRect(tree, item, &r, TRUE)) {
            return ::testing::AssertionFailure() << "no rectangle";
        }
        const int width = textWidth(text, font);
        const int top = row * rowHeight();
        if (r.left == left && r.right - r.left >= width &&
            r.right - r.left <= width + kMostLabelMargins && r.top == top && r.bottom > top &&
            r.bottom <= top + rowHeight()) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom
               << "} for left " << left << ", row top " << top << ", text width " << width;
    }
    // The whole row: the client area's width, one item height high.
    ::testing::AssertionResult isRow(HTREEITEM item, int row) {
        RECT r{};
        RECT client{};
        GetClientRect(tree, &client);
        if (!TreeView_GetItemRect(tree, item, &r, FALSE)) {
            return ::testing::AssertionFailure() << "no rectangle";
        }
        const int top = row * rowHeight();
        if (r.left == 0 && r.right == client.right && r.top == top && r.bottom > top &&
            r.bottom <= top + rowHeight()) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "{" << r.left << ", " << r.top << ", " << r.right
                                             << ", " << r.bottom << "} for row top " << top;
    }
};

TEST_F(TreeViewGeometry, LabelRectanglesFollowLevelIndentAndText) {
    createTree(kFullStyle);
    HTREEITEM a = insert(TVI_ROOT, TVI_LAST, "a");
    HTREEITEM a1 = insert(a, TVI_LAST, "a1");
    HTREEITEM b = insert(TVI_ROOT, TVI_LAST, "Storey");
    TreeView_Expand(tree, a, TVE_EXPAND);
    // The root items have a column of their own for lines and buttons.
    EXPECT_TRUE(isLabel(a, 0, indent(), "a"));
    EXPECT_TRUE(isLabel(a1, 1, 2 * indent(), "a1"));
    EXPECT_TRUE(isLabel(b, 2, indent(), "Storey"));
    EXPECT_TRUE(isRow(a1, 1));
    // Collapsed again, a1 has no rectangle and b moves up.
    TreeView_Expand(tree, a, TVE_COLLAPSE);
    RECT rect;
    EXPECT_FALSE(TreeView_GetItemRect(tree, a1, &rect, TRUE));
    EXPECT_TRUE(isRow(b, 1));
}

TEST_F(TreeViewGeometry, WithoutLinesAtRootTheRootItemsStartAtTheLeftEdge) {
    createTree(TVS_HASBUTTONS | TVS_HASLINES);
    HTREEITEM a = insert(TVI_ROOT, TVI_LAST, "abc");
    HTREEITEM a1 = insert(a, TVI_LAST, "x");
    TreeView_Expand(tree, a, TVE_EXPAND);
    EXPECT_TRUE(isLabel(a, 0, 0, "abc"));
    EXPECT_TRUE(isLabel(a1, 1, indent(), "x"));
    // Root items show no button then: the left edge is the label's.
    EXPECT_EQ(hit(1, rowHeight() / 2), static_cast<UINT>(TVHT_ONITEMLABEL));
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
    const int left = indent();
    EXPECT_TRUE(isLabel(withState, 0, left + 16 + 16, "ab"));
    // No state image index: no room for a state image.
    EXPECT_TRUE(isLabel(plain, 1, left + 16, "ab"));

    const int y = rowHeight() / 2;
    const RECT label = rectOf(withState, TRUE);
    EXPECT_EQ(hit(left + 1, y), static_cast<UINT>(TVHT_ONITEMSTATEICON));
    EXPECT_EQ(hit(left + 15, y), static_cast<UINT>(TVHT_ONITEMSTATEICON));
    EXPECT_EQ(hit(left + 17, y), static_cast<UINT>(TVHT_ONITEMICON));
    EXPECT_EQ(hit(left + 31, y), static_cast<UINT>(TVHT_ONITEMICON));
    EXPECT_EQ(hit(label.left + 1, y), static_cast<UINT>(TVHT_ONITEMLABEL));
    EXPECT_EQ(hit((label.left + label.right) / 2, y), static_cast<UINT>(TVHT_ONITEMLABEL));
    EXPECT_EQ(hit(label.right + 1, y), static_cast<UINT>(TVHT_ONITEMRIGHT));
    EXPECT_EQ(hit(left + 1, rowHeight() + y), static_cast<UINT>(TVHT_ONITEMICON));

    EXPECT_EQ(TreeView_GetImageList(tree, TVSIL_NORMAL), images);
    EXPECT_EQ(TreeView_GetImageList(tree, TVSIL_STATE), states);
    EXPECT_EQ(TreeView_SetImageList(tree, nullptr, TVSIL_NORMAL), images);
    EXPECT_TRUE(isLabel(plain, 1, left, "ab"));
    ImageList_Destroy(images);
    ImageList_Destroy(states);
}

// Rows a, a1 (a child of a) and b.
class TreeViewHitTest : public TreeViewGeometry {
protected:
    void SetUp() override {
        TreeViewGeometry::SetUp();
        createTree(kFullStyle);
        a = insert(TVI_ROOT, TVI_LAST, "a");
        a1 = insert(a, TVI_LAST, "a1");
        b = insert(TVI_ROOT, TVI_LAST, "b");
        TreeView_Expand(tree, a, TVE_EXPAND);
        h = rowHeight();
    }
    HTREEITEM a = nullptr, a1 = nullptr, b = nullptr;
    int h = 0;
};

TEST_F(TreeViewHitTest, FlagsAcrossARowAndOutsideTheRows) {
    const RECT labelA = rectOf(a, TRUE);
    HTREEITEM item = nullptr;
    // Row of a: its button just left of the label, then the label.
    EXPECT_EQ(hit(labelA.left - 1, 0, &item), static_cast<UINT>(TVHT_ONITEMBUTTON));
    EXPECT_EQ(item, a);
    EXPECT_EQ(hit(labelA.left - indent() / 2, h - 1), static_cast<UINT>(TVHT_ONITEMBUTTON));
    EXPECT_EQ(hit(labelA.left, h / 2), static_cast<UINT>(TVHT_ONITEMLABEL));
    EXPECT_EQ(hit((labelA.left + labelA.right) / 2, h / 2), static_cast<UINT>(TVHT_ONITEMLABEL));
    EXPECT_EQ(hit(labelA.right + 1, h / 2, &item), static_cast<UINT>(TVHT_ONITEMRIGHT));
    EXPECT_EQ(item, a);
    // Row of a1: the indent of its level, then its label.
    EXPECT_EQ(hit(indent() / 4, h + h / 2, &item), static_cast<UINT>(TVHT_ONITEMINDENT));
    EXPECT_EQ(item, a1);
    EXPECT_EQ(hit(rectOf(a1, TRUE).left + 1, h + h / 2), static_cast<UINT>(TVHT_ONITEMLABEL));
    // Inside the client area below the last row, and outside it.
    RECT client;
    GetClientRect(tree, &client);
    EXPECT_EQ(hit(5, 3 * h + 1, &item), static_cast<UINT>(TVHT_NOWHERE));
    EXPECT_EQ(item, nullptr);
    EXPECT_EQ(hit(5, client.bottom + 5, &item), static_cast<UINT>(TVHT_BELOW));
    EXPECT_EQ(item, nullptr);
    EXPECT_EQ(hit(5, -1), static_cast<UINT>(TVHT_ABOVE));
    EXPECT_EQ(hit(-1, 5), static_cast<UINT>(TVHT_TOLEFT));
    EXPECT_EQ(hit(client.right + 5, 5), static_cast<UINT>(TVHT_TORIGHT));
    EXPECT_EQ(hit(client.right + 5, client.bottom + 40),
              static_cast<UINT>(TVHT_TORIGHT | TVHT_BELOW));
    EXPECT_EQ(hit(-3, -3), static_cast<UINT>(TVHT_TOLEFT | TVHT_ABOVE));
}

// Left of an item's label the hit is on that item, whatever part of the row.
TEST_F(TreeViewHitTest, LeftOfALabelTheHitIsOnThatRowsItem) {
    HTREEITEM item = nullptr;
    hit(rectOf(a1, TRUE).left - 1, h + h / 2, &item);
    EXPECT_EQ(item, a1);
    hit(rectOf(b, TRUE).left - 1, 2 * h + h / 2, &item);
    EXPECT_EQ(item, b);
}

// An item without children shows no button: its button column is indent.
TEST_F(TreeViewHitTest, AnItemWithoutChildrenHasNoButtonToHit) {
    EXPECT_EQ(hit(rectOf(a1, TRUE).left - 1, h + h / 2), static_cast<UINT>(TVHT_ONITEMINDENT));
    EXPECT_EQ(hit(rectOf(b, TRUE).left - 1, 2 * h + h / 2), static_cast<UINT>(TVHT_ONITEMINDENT));
}

TEST_F(TreeViewGeometry, WithoutButtonsTheButtonColumnIsIndent) {
    createTree(TVS_HASLINES | TVS_LINESATROOT);
    HTREEITEM a = insert(TVI_ROOT, TVI_LAST, "a");
    insert(a, TVI_LAST, "a1");
    EXPECT_EQ(hit(rectOf(a, TRUE).left - 1, rowHeight() / 2), static_cast<UINT>(TVHT_ONITEMINDENT));
}

// The rows are as high as the normal images when those are higher than the
// text; TVM_SETITEMHEIGHT sets a height of its own (rounded down to an even
// one) until -1 returns to the default.
TEST_F(TreeViewGeometry, ItemHeightFollowsTheImagesUnlessSet) {
    createTree(kFullStyle);
    const int textHeight = rowHeight();
    ASSERT_GT(textHeight, 0);
    RECT client;
    GetClientRect(tree, &client);
    EXPECT_EQ(TreeView_GetVisibleCount(tree), static_cast<UINT>(client.bottom / textHeight));
    const int tall = textHeight + 8;
    HIMAGELIST images = makeImages(tall, tall, 1);
    TreeView_SetImageList(tree, images, TVSIL_NORMAL);
    EXPECT_EQ(TreeView_GetItemHeight(tree), tall);
    EXPECT_EQ(TreeView_GetVisibleCount(tree), static_cast<UINT>(client.bottom / tall));
    insert(TVI_ROOT, TVI_LAST, "a");
    HTREEITEM b = insert(TVI_ROOT, TVI_LAST, "b");
    EXPECT_TRUE(isRow(b, 1));
    EXPECT_EQ(TreeView_SetItemHeight(tree, tall - 3), tall);
    EXPECT_EQ(TreeView_GetItemHeight(tree), tall - 4);
    EXPECT_EQ(TreeView_SetItemHeight(tree, -1), tall - 4);
    EXPECT_EQ(TreeView_GetItemHeight(tree), tall);
    TreeView_SetImageList(tree, nullptr, TVSIL_NORMAL);
    ImageList_Destroy(images);
}

TEST_F(TreeViewGeometry, IndentCanBeChanged) {
    createTree(kFullStyle);
    HTREEITEM a = insert(TVI_ROOT, TVI_LAST, "a");
    HTREEITEM a1 = insert(a, TVI_LAST, "a1");
    TreeView_Expand(tree, a, TVE_EXPAND);
    const int wide = indent() + 11;
    TreeView_SetIndent(tree, wide);
    EXPECT_EQ(indent(), wide);
    EXPECT_EQ(rectOf(a1, TRUE).left, 2 * wide);
}

TEST_F(TreeViewGeometry, BoldLabelsAndABoldFontAreWider) {
    createTree(kFullStyle);
    HTREEITEM a = insert(TVI_ROOT, TVI_LAST, "abcd");
    const LONG normal = rectOf(a, TRUE).right;
    TreeView_SetItemState(tree, a, TVIS_BOLD, TVIS_BOLD);
    const LONG bold = rectOf(a, TRUE).right;
    EXPECT_GT(bold, normal);
    TreeView_SetItemState(tree, a, 0, TVIS_BOLD);
    EXPECT_EQ(rectOf(a, TRUE).right, normal);
    LOGFONTA description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = -11;
    description.lfWeight = FW_BOLD;
    HFONT font = CreateFontIndirectA(&description);
    SendMessageA(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(tree, WM_GETFONT, 0, 0)), font);
    EXPECT_TRUE(isLabel(a, 0, indent(), "abcd", font));
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
    // Removing rows at the end pulls the view back, with the last row still
    // in view (how far back is the platform's to choose).
    for (int i = 29; i >= 25; --i) {
        TreeView_DeleteItem(tree, items[i]);
    }
    HTREEITEM first = TreeView_GetFirstVisible(tree);
    EXPECT_NE(first, items[20]);
    RECT last = rectOf(items[24], FALSE);
    EXPECT_GE(last.top, 0);
    EXPECT_LE(last.bottom, 160);
    EXPECT_EQ(rectOf(first, FALSE).top, 0);
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

// The vertical bar shows while the rows do not fit, with the rows as its
// range, and goes when a branch collapses, without waiting for the tree to
// be painted.
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
    EXPECT_FALSE(GetWindowLongA(tree, GWL_STYLE) & WS_VSCROLL);
}

}  // namespace
