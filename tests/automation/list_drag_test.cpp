// The person on a list view inside a dialog, and drag and drop from the list
// (several rows) and from the tree.
#include "test_dialogs.h"

#include <vedrix/automation/gtest_fixture.h>

#include <gmock/gmock.h>

using namespace vedrix::automation;
using namespace automation_tests;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

class ListTest : public PersonTest {
protected:
    void withDialog(std::function<void(Dialog&, ListView&, TreeView&)> script) {
        person.onDialog(kStructureTemplate, [script](Dialog& d) {
            ListView files = d.list(kFiles);
            TreeView tree = d.tree(kTree);
            script(d, files, tree);
        });
        runStructureDialog();
    }
};

TEST_F(ListTest, RowsReadAsShown) {
    withDialog([](Dialog&, ListView& files, TreeView&) {
        EXPECT_EQ(files.rowCount(), 4);
        EXPECT_EQ(files.columnCount(), 2);
        EXPECT_THAT(files.columnHeadings(), ElementsAre("File", "Name"));
        EXPECT_THAT(files.columnTexts(), ElementsAre("110", "111", "112", "113"));
        EXPECT_THAT(files.row("112").texts(), ElementsAre("112", "Roof"));
        EXPECT_EQ(files.row("Section A", 1).index(), 3);
        EXPECT_EQ(files.findRow("999"), -1);
        EXPECT_THROW(files.row(4), AutomationError);
        try {
            files.row("999");
            ADD_FAILURE() << "found a row that is not there";
        } catch (const AutomationError& e) {
            EXPECT_THAT(e.what(), HasSubstr("110 | Ground floor"));
        }
    });
}

TEST_F(ListTest, ClicksSelectLikeAPerson) {
    withDialog([](Dialog&, ListView& files, TreeView&) {
        files.clickRow(1);
        EXPECT_THAT(files.selectedRows(), ElementsAre(1));
        EXPECT_EQ(files.focusedRow(), 1);
        EXPECT_TRUE(files.hasFocus());
        files.shiftClickRow(3);
        EXPECT_THAT(files.selectedRows(), ElementsAre(1, 2, 3));
        files.ctrlClickRow(2);
        EXPECT_THAT(files.selectedTexts(), ElementsAre("111", "113"));
        EXPECT_THAT(files.table(), HasSubstr("* 111 | First floor\n  112 | Roof\n* 113"));
        files.row("110").click();
        EXPECT_THAT(files.selectedRows(), ElementsAre(0));
        // Shift and Ctrl were released after each click.
        EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
        EXPECT_EQ(GetAsyncKeyState(VK_CONTROL), 0);
        EXPECT_EQ(countOf(received().listNotes, NM_CLICK), 4);

        files.doubleClickRow(2);
        EXPECT_EQ(countOf(received().listNotes, NM_DBLCLK), 1);
        EXPECT_EQ(countOf(received().listNotes, LVN_ITEMACTIVATE), 1);
        EXPECT_THAT(files.selectedRows(), ElementsAre(2));

        files.clickBelowRows();
        EXPECT_THAT(files.selectedRows(), IsEmpty());
    });
}

TEST_F(ListTest, RowsScrolledAwayAreBroughtIntoView) {
    withDialog([](Dialog&, ListView& files, TreeView&) {
        for (int i = 4; i < 60; ++i) {
            std::string file = std::to_string(110 + i);
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = file.data();
            SendMessageA(files.hwnd(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        files.row("169").click();
        EXPECT_THAT(files.selectedTexts(), ElementsAre("169"));
        files.row(0).shiftClick();
        EXPECT_EQ(files.selectedRows().size(), 60u);
        EXPECT_THROW(files.clickBelowRows(), AutomationError);
    });
}

TEST_F(ListTest, SeveralRowsDraggedOntoATreeItem) {
    withDialog([](Dialog& d, ListView& files, TreeView& tree) {
        files.row("110").click();
        files.row("112").ctrlClick();
        TreeItem storey = tree.item({"Project", "Building 1", "Storey 2"});
        TreeItem building = tree.item({"Project", "Building 2"});

        Drag drag(files.row("112"));
        // Pressing on a selected row keeps the whole selection.
        EXPECT_THAT(files.selectedTexts(), ElementsAre("110", "112"));
        DragHover over = drag.moveTo(storey);
        EXPECT_EQ(countOf(received().listNotes, LVN_BEGINDRAG), 1);
        EXPECT_EQ(over.cursor, "IDC_ARROW");
        EXPECT_EQ(over.window, tree.hwnd());
        EXPECT_EQ(tree.dropHighlight(), storey);
        EXPECT_TRUE(storey.isDropHighlighted());

        // Over the edit below the tree there is nothing to drop on.
        over = drag.moveTo(d.control(kNote));
        EXPECT_EQ(over.cursor, "IDC_NO");
        EXPECT_FALSE(tree.dropHighlight());

        over = drag.moveTo(building);
        EXPECT_EQ(over.cursor, "IDC_ARROW");
        EXPECT_EQ(tree.dropHighlight(), building);
        drag.drop();
        EXPECT_FALSE(drag.isHeld());
        EXPECT_FALSE(tree.dropHighlight());
        EXPECT_EQ(cursorName(), "IDC_ARROW");
        // A drag is no click: the selection stays as it was.
        EXPECT_THAT(files.selectedTexts(), ElementsAre("110", "112"));
    });
    ASSERT_EQ(received().drops.size(), 1u);
    const Drop& drop = received().drops[0];
    EXPECT_THAT(drop.files, ElementsAre("110", "112"));
    EXPECT_EQ(drop.target, "Building 2");
    // Steps of at most 4 pixels over a path of a few hundred pixels.
    EXPECT_GT(drop.moves, 50);
}

TEST_F(ListTest, DragAndDropLooksAtTheTargetBeforeTheRelease) {
    withDialog([](Dialog& d, ListView& files, TreeView& tree) {
        files.clickRow(3);
        bool looked = false;
        DragHover over = dragAndDrop(files.row(3), d.control(IDOK), [&](const DragHover& at) {
            looked = true;
            EXPECT_TRUE(received().dragging);
            EXPECT_EQ(at.cursor, "IDC_NO");
            EXPECT_EQ(GetCapture(), d.hwnd());
        });
        EXPECT_TRUE(looked);
        EXPECT_EQ(over.cursor, "IDC_NO");
        EXPECT_FALSE(received().dragging);
        EXPECT_FALSE(tree.dropHighlight());
        // The release over the OK button did not press it: the dialog had
        // the capture.
        EXPECT_FALSE(gotCommand(IDOK, BN_CLICKED));
    });
    ASSERT_EQ(received().drops.size(), 1u);
    EXPECT_THAT(received().drops[0].files, ElementsAre("113"));
    EXPECT_EQ(received().drops[0].target, "");
}

TEST_F(ListTest, AbandonedDragReleasesTheButton) {
    withDialog([](Dialog&, ListView& files, TreeView& tree) {
        files.clickRow(0);
        {
            Drag drag(files.row(0));
            drag.moveTo(tree.root());
            EXPECT_NE(GetAsyncKeyState(VK_LBUTTON), 0);
        }
        EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
        EXPECT_EQ(GetCapture(), nullptr);
    });
    ASSERT_EQ(received().drops.size(), 1u);
    EXPECT_EQ(received().drops[0].target, "Project");
}

TEST_F(ListTest, MovingLessThanTheDragDistanceIsAClick) {
    withDialog([](Dialog&, ListView& files, TreeView&) {
        files.clickRow(0);
        files.ctrlClickRow(1);
        // Two pixels with the button held: no drag, and the release on the
        // selected row selects it alone.
        dragAndDrop(files.row(1), files.row(1).place().offset(2, 0));
        EXPECT_EQ(countOf(received().listNotes, LVN_BEGINDRAG), 0);
        EXPECT_THAT(files.selectedRows(), ElementsAre(1));
    });
    EXPECT_TRUE(received().drops.empty());
}

TEST_F(ListTest, TreeItemIsDraggedFromItsLabel) {
    withDialog([](Dialog&, ListView& files, TreeView& tree) {
        TreeItem storey = tree.item({"Project", "Building 1", "Storey 1"});
        const TreeItem selectedBefore = tree.selection();
        dragAndDrop(storey, files.row(0));
        EXPECT_EQ(countOf(received().treeNotes, TVN_BEGINDRAGA), 1);
        // A drag selects nothing and clicks nothing.
        EXPECT_EQ(countOf(received().treeNotes, NM_CLICK), 0);
        EXPECT_EQ(tree.selection(), selectedBefore);
    });
}

}  // namespace
