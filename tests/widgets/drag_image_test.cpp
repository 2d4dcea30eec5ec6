// The drag image of a tree item as the person sees it while dragging: the
// tree's own image of the item, over the desktop, held at the hot spot
// (13, 11) and following the cursor, gone at the release.
#include <vedrix/automation/gtest_fixture.h>

#include <gmock/gmock.h>

#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

#include "structure_dialog.h"
#include "support/headless_only.h"

namespace {

using namespace vedrix::automation;
using namespace widgets_tests;
#if VEDRIX_HEADLESS
using vedrix::headless::dragImageState;
using vedrix::headless::imageListCount;
#endif

class DragImageTest : public PersonTest {
protected:
    void SetUp() override {
        PersonTest::SetUp();
        AfxSetResourceHandle(GetModuleHandleA(nullptr));
    }
    void TearDown() override {
        AfxSetResourceHandle(nullptr);
        PersonTest::TearDown();
    }

    std::vector<std::string> m_destroyed;
};

TEST(ImageListFunctions, AreFoundByNameInTheCommonControls) {
    const auto& f = vedrix::widgets::imageListFunctions();
    EXPECT_EQ(f.beginDrag, &ImageList_BeginDrag);
    EXPECT_EQ(f.endDrag, &ImageList_EndDrag);
    EXPECT_EQ(f.dragEnter, &ImageList_DragEnter);
    EXPECT_EQ(f.dragLeave, &ImageList_DragLeave);
    EXPECT_EQ(f.dragMove, &ImageList_DragMove);
    EXPECT_EQ(f.dragShowNolock, &ImageList_DragShowNolock);
    EXPECT_EQ(f.draw, &ImageList_Draw);
    EXPECT_EQ(f.getImageInfo, &ImageList_GetImageInfo);
}

TEST_F(DragImageTest, TheImageFollowsTheCursorAndGoesAtTheRelease) {
    HEADLESS_ONLY("reads the headless image lists and drag image state");
#if VEDRIX_HEADLESS
    StructureDialog dialog(m_destroyed);
    std::size_t listsBefore = 0;
    person.onDialog(kStructureTemplate, [&](Dialog& d) {
        listsBefore = imageListCount();
        TreeView tree = d.tree(kTree);
        TreeItem storey = tree.item({"Project", "Building 1", "Storey 1"});
        TreeItem target = tree.item({"Project", "Building 2"});

        Drag drag(storey);
        DragHover over = drag.moveTo(target);
        ASSERT_TRUE(dialog.m_dragging);
        const auto& image = over.dragImage;
        EXPECT_TRUE(image.dragging);
        EXPECT_TRUE(image.shown);
        EXPECT_EQ(image.lockWindow, GetDesktopWindow());
        // The tree's own image of the dragged item, image 0 of the list made for the drag.
        EXPECT_EQ(image.sourceList, dialog.m_drag.GetImage()->GetSafeHandle());
        EXPECT_EQ(image.sourceImage, 0);
        EXPECT_GT(image.imageSize.cx, 0);
        EXPECT_GT(image.imageSize.cy, 0);
        // Held at the hot spot, under the cursor.
        EXPECT_EQ(image.screenPosition.x, over.point.x);
        EXPECT_EQ(image.screenPosition.y, over.point.y);
        EXPECT_EQ(image.screenRect.left, over.point.x - 13);
        EXPECT_EQ(image.screenRect.top, over.point.y - 11);
        EXPECT_EQ(image.screenRect.right - image.screenRect.left, image.imageSize.cx);

        // At each move the image stood at the cursor, hidden while the move
        // was handled.
        ASSERT_GT(dialog.m_moves.size(), 5u);
        for (const MoveSeen& seen : dialog.m_moves) {
            EXPECT_EQ(seen.image.screenPosition.x, seen.cursor.x);
            EXPECT_EQ(seen.image.screenPosition.y, seen.cursor.y);
            EXPECT_FALSE(seen.image.shown);
        }
        // Two lists live during the drag: the tree's image and the drag's copy.
        EXPECT_EQ(imageListCount(), listsBefore + 2);

        drag.drop();
        EXPECT_FALSE(dialog.m_dragging);
        EXPECT_FALSE(dragImageState().dragging);
        EXPECT_FALSE(dialog.m_drag.IsDragging());
        EXPECT_EQ(imageListCount(), listsBefore);
        EXPECT_EQ(GetCapture(), nullptr);
        d.ok();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
#endif
}

TEST_F(DragImageTest, ANewDragEndsTheOldOneAndDeletesItsImage) {
    HEADLESS_ONLY("reads the headless image lists and drag image state");
#if VEDRIX_HEADLESS
    StructureDialog dialog(m_destroyed);
    dialog.m_onInit = [](StructureDialog& d) {
        const std::size_t listsBefore = imageListCount();
        HTREEITEM project = d.m_tree.GetRootItem();
        HTREEITEM building = d.m_tree.GetChildItem(project);
        ASSERT_TRUE(d.m_drag.Begin(d.m_tree.CreateDragImage(project), CPoint(40, 30)));
        ASSERT_TRUE(d.m_drag.Begin(d.m_tree.CreateDragImage(building), CPoint(60, 50)));
        // The first drag's image list is gone with its drag.
        EXPECT_EQ(imageListCount(), listsBefore + 2);
        EXPECT_EQ(dragImageState().sourceList, d.m_drag.GetImage()->GetSafeHandle());
        EXPECT_EQ(dragImageState().screenPosition.x, 60);
        EXPECT_EQ(dragImageState().screenPosition.y, 50);
        EXPECT_TRUE(dragImageState().shown);
        d.m_drag.End();
        EXPECT_EQ(imageListCount(), listsBefore);
        // Ending again, or without a drag, does nothing.
        d.m_drag.End();
        EXPECT_FALSE(dragImageState().dragging);
    };
    person.onDialog(kStructureTemplate, [](Dialog& d) { d.cancel(); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
#endif
}

TEST_F(DragImageTest, WithoutAnImageNothingIsShown) {
    HEADLESS_ONLY("reads the headless image lists and drag image state");
#if VEDRIX_HEADLESS
    CDragImage drag;
    EXPECT_FALSE(drag.Begin(nullptr, CPoint(10, 10)));
    EXPECT_FALSE(drag.IsDragging());
    EXPECT_FALSE(dragImageState().dragging);
    // An empty list has no image 0: the platform refuses it and the list is deleted.
    const std::size_t listsBefore = imageListCount();
    auto* empty = new CImageList;
    ASSERT_TRUE(empty->Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1));
    EXPECT_FALSE(drag.Begin(empty, CPoint(10, 10)));
    EXPECT_FALSE(dragImageState().dragging);
    EXPECT_EQ(imageListCount(), listsBefore);
#endif
}

}  // namespace
