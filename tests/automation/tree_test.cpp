// The person on a tree view inside a dialog: finding items by label,
// clicks, double clicks, the +/- button, check boxes, label editing and the
// context menu.
#include "test_dialogs.h"

#include <vedrix/automation/gtest_fixture.h>

#include <gmock/gmock.h>

using namespace vedrix::automation;
using namespace automation_tests;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class TreeTest : public PersonTest {
protected:
    // Runs the structure dialog with `script` acting on its tree; confirms
    // afterwards unless the script ended the dialog.
    void withTree(std::function<void(Dialog&, TreeView&)> script) {
        person.onDialog(kStructureTemplate, [script](Dialog& d) {
            TreeView tree = d.tree(kTree);
            script(d, tree);
        });
        runStructureDialog();
    }
};

TEST_F(TreeTest, ItemsAreFoundByLabelPathOrLabel) {
    withTree([](Dialog&, TreeView& tree) {
        EXPECT_EQ(tree.count(), 6);
        TreeItem storey = tree.item({"Project", "Building 1", "Storey 2"});
        EXPECT_EQ(storey.text(), "Storey 2");
        EXPECT_EQ(storey.path(), "Project/Building 1/Storey 2");
        EXPECT_EQ(storey.parent().text(), "Building 1");
        EXPECT_THAT(tree.root().childTexts(), ElementsAre("Building 1", "Building 2"));
        EXPECT_EQ(tree.root().child("Building 2").child("Storey 1").path(),
                  "Project/Building 2/Storey 1");
        // The first in display order, collapsed branches included.
        EXPECT_EQ(tree.find("Storey 1").path(), "Project/Building 1/Storey 1");
        EXPECT_FALSE(tree.tryFind("Storey 9"));
        EXPECT_THROW(tree.find("Storey 9"), AutomationError);
        EXPECT_THROW(tree.root().child("Annex"), AutomationError);
        // (the tree selected its first item when the dialog gave it the focus)
        EXPECT_EQ(tree.outline(),
                  "Project [expanded] [selected]\n"
                  "  Building 1 [expanded]\n"
                  "    Storey 1\n"
                  "    Storey 2\n"
                  "  Building 2\n"
                  "    Storey 1\n");
    });
}

TEST_F(TreeTest, ClickSelectsAndDoubleClickTogglesTheBranch) {
    ConsoleCapture console(ConsoleCapture::Stdout);
    withTree([](Dialog&, TreeView& tree) {
        // (without the selection the tree made when it got the focus)
        received().treeNotes.clear();
        TreeItem storey = tree.item({"Project", "Building 1", "Storey 1"});
        storey.click();
        EXPECT_EQ(tree.selection(), storey);
        EXPECT_TRUE(storey.isSelected());
        EXPECT_TRUE(tree.hasFocus());
        EXPECT_EQ(countOf(received().treeNotes, NM_CLICK), 1);
        EXPECT_EQ(countOf(received().treeNotes, TVN_SELCHANGEDA), 1);

        TreeItem building = tree.item({"Project", "Building 1"});
        building.doubleClick();
        EXPECT_EQ(countOf(received().treeNotes, NM_DBLCLK), 1);
        EXPECT_FALSE(building.isExpanded());
        EXPECT_EQ(tree.selection(), building);
        // The collapsed branch's items can no longer be aimed at.
        EXPECT_THROW(storey.click(), AutomationError);
        building.doubleClick();
        EXPECT_TRUE(building.isExpanded());
    });
    console.stop();
    EXPECT_EQ(console.out(), "---> open Building 1\n---> open Building 1\n");
}

TEST_F(TreeTest, ButtonExpandsAndCollapsesWithNotifications) {
    withTree([](Dialog&, TreeView& tree) {
        TreeItem building = tree.item({"Project", "Building 2"});
        TreeItem storey = building.child("Storey 1");
        EXPECT_FALSE(storey.isOnScreen());
        received().treeNotes.clear();  // the expansions made by WM_INITDIALOG
        const TreeItem selectedBefore = tree.selection();
        try {
            storey.click();
            ADD_FAILURE() << "clicked an item inside a collapsed branch";
        } catch (const AutomationError& e) {
            EXPECT_THAT(e.what(), HasSubstr("inside the collapsed item \"Building 2\""));
        }
        building.expand();
        EXPECT_TRUE(building.isExpanded());
        EXPECT_EQ(countOf(received().treeNotes, TVN_ITEMEXPANDINGA), 1);
        EXPECT_EQ(countOf(received().treeNotes, TVN_ITEMEXPANDEDA), 1);
        // The button neither selects nor clicks.
        EXPECT_EQ(tree.selection(), selectedBefore);
        EXPECT_TRUE(storey.isOnScreen());
        storey.click();
        EXPECT_EQ(tree.selection(), storey);

        building.collapse();
        EXPECT_FALSE(building.isExpanded());
        // The selection inside the collapsed branch moves to its parent.
        EXPECT_EQ(tree.selection(), building);
        building.collapse();  // already collapsed: nothing happens
        EXPECT_EQ(countOf(received().treeNotes, TVN_ITEMEXPANDEDA), 2);
    });
}

TEST_F(TreeTest, ItemsScrolledAwayAreBroughtIntoView) {
    withTree([](Dialog&, TreeView& tree) {
        TreeItem building = tree.item({"Project", "Building 2"});
        for (int i = 2; i <= 40; ++i) {
            TVINSERTSTRUCTA ins{};
            ins.hParent = building.handle();
            ins.hInsertAfter = TVI_LAST;
            ins.item.mask = TVIF_TEXT;
            std::string label = "Storey " + std::to_string(i);
            ins.item.pszText = label.data();
            SendMessageA(tree.hwnd(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins));
        }
        building.expand();
        TreeItem last = building.child("Storey 40");
        EXPECT_FALSE(last.isOnScreen());
        last.click();
        EXPECT_TRUE(last.isOnScreen());
        EXPECT_EQ(tree.selection(), last);
        // And back up to the top.
        tree.root().click();
        EXPECT_EQ(tree.selection(), tree.root());
    });
}

TEST_F(TreeTest, StateIconClickTogglesTheCheckBoxOnly) {
    withTree([](Dialog&, TreeView& tree) {
        TreeItem storey = tree.item({"Project", "Building 1", "Storey 2"});
        tree.root().click();
        EXPECT_EQ(storey.stateImage(), 1);
        storey.clickStateIcon();
        EXPECT_TRUE(storey.isChecked());
        EXPECT_THAT(tree.outline(), HasSubstr("Storey 2 [checked]"));
        // The check box is no selection.
        EXPECT_EQ(tree.selection(), tree.root());
        storey.clickStateIcon();
        EXPECT_EQ(storey.stateImage(), 1);
        EXPECT_EQ(countOf(received().treeNotes, NM_CLICK), 3);
    });
}

TEST_F(TreeTest, LabelEditCommittedWithEnter) {
    withTree([](Dialog& d, TreeView& tree) {
        TreeItem storey = tree.item({"Project", "Building 1", "Storey 2"});
        Control edit = storey.beginLabelEdit();
        ASSERT_TRUE(edit.exists());
        EXPECT_EQ(tree.labelEdit().hwnd(), edit.hwnd());
        EXPECT_EQ(edit.text(), "Storey 2");
        EXPECT_TRUE(edit.hasFocus());
        EXPECT_THAT(received().editsBegun, ElementsAre("Storey 2"));
        tree.typeIntoLabelEdit("Attic");
        EXPECT_EQ(edit.text(), "Attic");
        tree.commitLabelEdit();
        EXPECT_FALSE(tree.isEditingLabel());
        ASSERT_EQ(received().editsEnded.size(), 1u);
        EXPECT_EQ(received().editsEnded[0], std::optional<std::string>("Attic"));
        EXPECT_EQ(storey.text(), "Attic");
        // Enter went to the edit, not to the dialog's default button.
        EXPECT_FALSE(gotCommand(IDOK, BN_CLICKED));
        d.ok();
    });
    EXPECT_TRUE(gotCommand(IDOK, BN_CLICKED));
}

TEST_F(TreeTest, LabelEditCancelledWithEscape) {
    withTree([](Dialog&, TreeView& tree) {
        TreeItem building = tree.item({"Project", "Building 2"});
        ASSERT_TRUE(building.beginLabelEdit().exists());
        tree.typeIntoLabelEdit("Garage");
        tree.cancelLabelEdit();
        EXPECT_FALSE(tree.isEditingLabel());
        ASSERT_EQ(received().editsEnded.size(), 1u);
        EXPECT_EQ(received().editsEnded[0], std::nullopt);
        EXPECT_EQ(building.text(), "Building 2");
        // Escape ended the edit, not the dialog.
        EXPECT_FALSE(gotCommand(IDCANCEL, BN_CLICKED));
        EXPECT_THROW(tree.cancelLabelEdit(), AutomationError);
    });
}

TEST_F(TreeTest, LabelEditCommittedByClickingElsewhere) {
    withTree([](Dialog& d, TreeView& tree) {
        TreeItem storey = tree.item({"Project", "Building 1", "Storey 1"});
        ASSERT_TRUE(storey.beginLabelEdit().exists());
        tree.typeIntoLabelEdit("Basement");
        d.control(kNote).click();
        EXPECT_FALSE(tree.isEditingLabel());
        EXPECT_EQ(storey.text(), "Basement");
        EXPECT_TRUE(d.control(kNote).hasFocus());
    });
    ASSERT_EQ(received().editsEnded.size(), 1u);
    EXPECT_EQ(received().editsEnded[0], std::optional<std::string>("Basement"));
}

TEST_F(TreeTest, RefusedEditsAndRefusedNames) {
    withTree([this](Dialog&, TreeView& tree) {
        // The program refuses to edit the root.
        EXPECT_FALSE(tree.root().beginLabelEdit().exists());
        EXPECT_THAT(received().editsBegun, ElementsAre("Project"));
        EXPECT_THROW(tree.root().rename("Site"), AutomationError);

        // An empty name: the program says so in a message box and keeps the
        // old label.
        TreeItem building = tree.item({"Project", "Building 1"});
        ASSERT_TRUE(building.beginLabelEdit().exists());
        tree.typeIntoLabelEdit("");
        tree.commitLabelEdit();
        EXPECT_EQ(building.text(), "Building 1");
        ASSERT_EQ(person.messageBoxes().size(), 1u);
        EXPECT_EQ(person.messageBoxes()[0].text, "A name cannot be empty.");

        building.rename("Main building");
        EXPECT_EQ(building.text(), "Main building");
    });
    EXPECT_EQ(received().editsEnded.back(), std::optional<std::string>("Main building"));
}

TEST_F(TreeTest, ContextMenuAnswerIsCarriedOut) {
    HWND dialog = nullptr;
    withTree([&](Dialog& d, TreeView& tree) {
        dialog = d.hwnd();
        TreeItem storey = tree.item({"Project", "Building 2"});
        person.chooseNextMenuCommand(kMenuRemove);
        storey.rightClick();
        EXPECT_FALSE(tree.tryFind("Building 2")) << tree.outline();
        EXPECT_EQ(countOf(received().treeNotes, NM_RCLICK), 1);
        // Properties is grayed on the root: choosing it dismisses the menu.
        person.chooseNextMenuCommand(kMenuProperties);
        tree.root().rightClick();
        // No answer queued: the menu is dismissed.
        tree.item({"Project", "Building 1"}).rightClick();
        d.ok();
    });
    ASSERT_EQ(received().menuChoices.size(), 3u);
    EXPECT_EQ(received().menuChoices[0].item, "Building 2");
    EXPECT_EQ(received().menuChoices[0].command, static_cast<UINT>(kMenuRemove));
    EXPECT_EQ(received().menuChoices[1].item, "Project");
    EXPECT_EQ(received().menuChoices[1].command, 0u);
    EXPECT_EQ(received().menuChoices[2].command, 0u);
    EXPECT_THAT(received().deleted, ElementsAre("Building 2"));

    auto menus = person.menus();
    ASSERT_EQ(menus.size(), 3u);
    EXPECT_THAT(menus[0].items, ElementsAre("&Rename", "&Properties...", "", "Re&move"));
    EXPECT_EQ(menus[0].owner, dialog);
    EXPECT_EQ(menus[0].chosen, static_cast<UINT>(kMenuRemove));
    EXPECT_TRUE(menus[1].entries[1].state & MF_GRAYED);
    EXPECT_EQ(menus[1].chosen, 0u);
}

}  // namespace
