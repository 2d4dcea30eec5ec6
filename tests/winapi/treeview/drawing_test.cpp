// What the tree view draws (as the headless drawing record shows it), its
// drag image and its check boxes.
#include "treeview/treeview_fixture.h"

#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

#include <cstring>
#include <string>
#include <vector>

using treeview_tests::makeImages;
using treeview_tests::TreeViewTest;
#if VEDRIX_HEADLESS
using vedrix::headless::DrawingEntry;
using vedrix::headless::DrawingKind;
#endif

namespace {

class TreeViewDrawing : public TreeViewTest {
protected:
    void SetUp() override {
        TreeViewTest::SetUp();
        createTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
        images = makeImages(16, 16, 6);
        TreeView_SetImageList(tree, images, TVSIL_NORMAL);
        TVITEMA item;
        std::memset(&item, 0, sizeof item);
        item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.pszText = const_cast<char*>("Building");
        item.iImage = 1;
        item.iSelectedImage = 2;
        building = insertWith(TVI_ROOT, TVI_LAST, item);
        item.pszText = const_cast<char*>("Storey");
        item.iImage = 3;
        item.iSelectedImage = 4;
        storey = insertWith(building, TVI_LAST, item);
        TreeView_Expand(tree, building, TVE_EXPAND);
    }
    void TearDown() override {
        TreeViewTest::TearDown();
        ImageList_Destroy(images);
    }

#if VEDRIX_HEADLESS
    // Paints the tree now and returns what it drew.
    std::vector<DrawingEntry> paint() {
        vedrix::headless::clearDrawingRecord();
        InvalidateRect(tree, nullptr, TRUE);
        UpdateWindow(tree);
        return vedrix::headless::drawingRecord(tree);
    }
    static const DrawingEntry* textEntry(const std::vector<DrawingEntry>& record,
                                         const std::string& text) {
        for (const DrawingEntry& entry : record) {
            if ((entry.kind == DrawingKind::ExtTextOut || entry.kind == DrawingKind::TextOut ||
                 entry.kind == DrawingKind::DrawText) &&
                entry.text == text) {
                return &entry;
            }
        }
        return nullptr;
    }
    static std::vector<int> imagesDrawn(const std::vector<DrawingEntry>& record, HIMAGELIST list) {
        std::vector<int> drawn;
        for (const DrawingEntry& entry : record) {
            if (entry.kind == DrawingKind::ImageListDraw && entry.imageList == list) {
                drawn.push_back(entry.image);
            }
        }
        return drawn;
    }
    static int count(const std::vector<DrawingEntry>& record, DrawingKind kind) {
        int n = 0;
        for (const DrawingEntry& entry : record) {
            n += entry.kind == kind ? 1 : 0;
        }
        return n;
    }

#endif

    HIMAGELIST images = nullptr;
    HTREEITEM building = nullptr, storey = nullptr;
};

TEST_F(TreeViewDrawing, RowsShowTheirImagesAndLabelsWhereTheRectanglesAre) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    std::vector<DrawingEntry> record = paint();
    const DrawingEntry* label = textEntry(record, "Storey");
    ASSERT_NE(label, nullptr);
    RECT rect;
    ASSERT_TRUE(TreeView_GetItemRect(tree, storey, &rect, TRUE));
    EXPECT_EQ(label->bounds.left, rect.left);
    EXPECT_EQ(label->bounds.top, rect.top);
    EXPECT_EQ(label->bounds.right, rect.right);
    EXPECT_EQ(label->bounds.bottom, rect.bottom);
    EXPECT_EQ(label->textColor, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(imagesDrawn(record, images), (std::vector<int>{1, 3}));
    EXPECT_EQ(count(record, DrawingKind::FocusRect), 0);
#endif
}

TEST_F(TreeViewDrawing, TheSelectedItemIsHighlightedWithItsSelectedImageAndFocus) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    SetFocus(tree);
    ASSERT_TRUE(TreeView_SelectItem(tree, storey));
    std::vector<DrawingEntry> record = paint();
    const DrawingEntry* selected = textEntry(record, "Storey");
    const DrawingEntry* other = textEntry(record, "Building");
    ASSERT_NE(selected, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(selected->bkColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(selected->textColor, GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_NE(other->bkColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(imagesDrawn(record, images), (std::vector<int>{1, 4}));
    ASSERT_EQ(count(record, DrawingKind::FocusRect), 1);
    RECT rect;
    TreeView_GetItemRect(tree, storey, &rect, TRUE);
    for (const DrawingEntry& entry : record) {
        if (entry.kind == DrawingKind::FocusRect) {
            EXPECT_EQ(entry.rect.left, rect.left);
            EXPECT_EQ(entry.rect.top, rect.top);
        }
    }
    // Without the focus the selection is not shown, unless asked to.
    SetFocus(parent);
    record = paint();
    EXPECT_NE(textEntry(record, "Storey")->bkColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(count(record, DrawingKind::FocusRect), 0);
    SetWindowLongPtrA(tree, GWL_STYLE, GetWindowLongPtrA(tree, GWL_STYLE) | TVS_SHOWSELALWAYS);
    record = paint();
    EXPECT_EQ(textEntry(record, "Storey")->bkColor, GetSysColor(COLOR_BTNFACE));
#endif
}

TEST_F(TreeViewDrawing, TheDropTargetTakesTheHighlightFromTheSelection) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    SetFocus(tree);
    TreeView_SelectItem(tree, storey);
    TreeView_SelectDropTarget(tree, building);
    std::vector<DrawingEntry> record = paint();
    EXPECT_EQ(textEntry(record, "Building")->bkColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_NE(textEntry(record, "Storey")->bkColor, GetSysColor(COLOR_HIGHLIGHT));
#endif
}

TEST_F(TreeViewDrawing, CollapsedRowsAreNotDrawnAndButtonsAre) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    TreeView_Expand(tree, building, TVE_COLLAPSE);
    std::vector<DrawingEntry> record = paint();
    EXPECT_NE(textEntry(record, "Building"), nullptr);
    EXPECT_EQ(textEntry(record, "Storey"), nullptr);
    // The button of Building: a 9 x 9 box in its button column.
    bool box = false;
    for (const DrawingEntry& entry : record) {
        if (entry.kind == DrawingKind::FrameRect && entry.rect.right - entry.rect.left == 9 &&
            entry.rect.bottom - entry.rect.top == 9 && entry.rect.left >= 0 &&
            entry.rect.right <= 19) {
            box = true;
        }
    }
    EXPECT_TRUE(box);
#endif
}

TEST_F(TreeViewDrawing, PaintingLeavesNoGdiObjectsBehind) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    paint();
    size_t before = vedrix::headless::gdiObjectCount();
    SetFocus(tree);
    TVITEMA bold;
    std::memset(&bold, 0, sizeof bold);
    bold.mask = TVIF_STATE;
    bold.hItem = storey;
    bold.state = bold.stateMask = TVIS_BOLD;
    TreeView_SetItem(tree, &bold);
    TreeView_SelectItem(tree, storey);
    std::vector<DrawingEntry> record = paint();
    EXPECT_EQ(textEntry(record, "Storey")->fontWeight, FW_BOLD);
    DestroyWindow(tree);
    EXPECT_LE(vedrix::headless::gdiObjectCount(), before);
#endif
}

TEST_F(TreeViewDrawing, TheDragImageHoldsTheImageAndTheLabel) {
    HEADLESS_ONLY("counts the headless platform's GDI objects");
#if VEDRIX_HEADLESS
    size_t lists = vedrix::headless::imageListCount();
    HIMAGELIST drag = TreeView_CreateDragImage(tree, storey);
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(drag), 1);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(drag, &cx, &cy));
    EXPECT_EQ(cx, 16 + 6 * 7 + 4);
    EXPECT_EQ(cy, 16);
    ImageList_Destroy(drag);
    EXPECT_EQ(vedrix::headless::imageListCount(), lists);
    // Without an image list there is no drag image.
    TreeView_SetImageList(tree, nullptr, TVSIL_NORMAL);
    EXPECT_EQ(TreeView_CreateDragImage(tree, storey), nullptr);
#endif
}

TEST_F(TreeViewDrawing, CustomDrawCanRecolourAnItem) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    respond = [&](NMHDR* header) -> LRESULT {
        if (header->code != NM_CUSTOMDRAW) {
            return 0;
        }
        auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(header);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
            return CDRF_NOTIFYITEMDRAW;
        }
        if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
            reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec) == storey) {
            EXPECT_EQ(draw->iLevel, 1);
            draw->clrText = RGB(255, 0, 0);
        }
        return CDRF_DODEFAULT;
    };
    std::vector<DrawingEntry> record = paint();
    EXPECT_EQ(textEntry(record, "Storey")->textColor, RGB(255, 0, 0));
    EXPECT_EQ(textEntry(record, "Building")->textColor, GetSysColor(COLOR_WINDOWTEXT));
#endif
}

TEST_F(TreeViewDrawing, NothingIsRepaintedWhileRedrawIsOff) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    UpdateWindow(tree);
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    insert(TVI_ROOT, TVI_LAST, "quiet");
    TreeView_Expand(tree, building, TVE_COLLAPSE);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(tree, &update, FALSE));
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    EXPECT_TRUE(GetUpdateRect(tree, &update, FALSE));
    std::vector<DrawingEntry> record = paint();
    EXPECT_NE(textEntry(record, "quiet"), nullptr);
#endif
}

class TreeViewCheckBoxes : public TreeViewTest {};

// Switching the check boxes on gives the items there are an unchecked box,
// whatever state image they had.
TEST_F(TreeViewCheckBoxes, SwitchingThemOnUnchecksTheItemsThereAre) {
    createTree(TVS_HASBUTTONS | TVS_LINESATROOT);
    HTREEITEM plain = insert(TVI_ROOT, TVI_LAST, "plain");
    HTREEITEM child = insert(plain, TVI_LAST, "child");
    TreeView_SetItemState(tree, child, INDEXTOSTATEIMAGEMASK(4), TVIS_STATEIMAGEMASK);
    SetWindowLongPtrA(tree, GWL_STYLE, GetWindowLongPtrA(tree, GWL_STYLE) | TVS_CHECKBOXES);
    HIMAGELIST states = TreeView_GetImageList(tree, TVSIL_STATE);
    EXPECT_NE(states, nullptr);
    for (HTREEITEM item : {plain, child}) {
        EXPECT_EQ(TreeView_GetItemState(tree, item, TVIS_STATEIMAGEMASK),
                  static_cast<UINT>(INDEXTOSTATEIMAGEMASK(1)));
    }
    DestroyWindow(tree);
    ImageList_Destroy(states);
}

// The check boxes are switched on after the control is created and before
// it is filled, as the platform asks of TVS_CHECKBOXES.
TEST_F(TreeViewCheckBoxes, ItemsStartUncheckedAndSpaceTogglesTheSelectedOne) {
    createTree(TVS_HASBUTTONS | TVS_LINESATROOT);
    SetWindowLongPtrA(tree, GWL_STYLE, GetWindowLongPtrA(tree, GWL_STYLE) | TVS_CHECKBOXES);
    HIMAGELIST states = TreeView_GetImageList(tree, TVSIL_STATE);
    ASSERT_NE(states, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(states), 3);
    HTREEITEM item = insert(TVI_ROOT, TVI_LAST, "check me");
    EXPECT_EQ(TreeView_GetItemState(tree, item, TVIS_STATEIMAGEMASK),
              static_cast<UINT>(INDEXTOSTATEIMAGEMASK(1)));
    EXPECT_EQ(TreeView_GetCheckState(tree, item), 0u);
    TreeView_SelectItem(tree, item);
    SendMessageA(tree, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(TreeView_GetCheckState(tree, item), 1u);
    SendMessageA(tree, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(TreeView_GetCheckState(tree, item), 0u);
    // The state image list outlives the control; its owner destroys it.
    DestroyWindow(tree);
    EXPECT_TRUE(ImageList_Destroy(states));
}

}  // namespace
