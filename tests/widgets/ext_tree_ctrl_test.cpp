// The structure tree owns the records on its items: deleting an item, a
// branch, all items or the whole window frees each record, with its
// attributes, exactly once (the sanitizers catch a second free or a leak).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vedrix/automation/input.h>

#include "structure_dialog.h"

namespace {

using namespace widgets_tests;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class ExtTreeCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        vedrix::automation::resetDesktop();
        AfxSetResourceHandle(GetModuleHandleA(nullptr));
        ASSERT_TRUE(m_dialog.Create(kStructureTemplate, nullptr));
    }
    void TearDown() override {
        if (m_dialog.m_hWnd != nullptr) {
            m_dialog.DestroyWindow();
        }
        AfxSetResourceHandle(nullptr);
        vedrix::automation::resetDesktop();
    }

    // The item at the end of a label path from the first root item.
    HTREEITEM item(std::initializer_list<const char*> path) {
        CExtTreeCtrl& tree = m_dialog.m_tree;
        HTREEITEM level = tree.GetRootItem();
        HTREEITEM found = nullptr;
        for (const char* label : path) {
            found = level;
            while (found != nullptr && std::string(tree.GetItemText(found).GetString()) != label) {
                found = tree.GetNextSiblingItem(found);
            }
            if (found == nullptr) {
                return nullptr;
            }
            level = tree.GetChildItem(found);
        }
        return found;
    }

    std::vector<std::string> m_destroyed;
    StructureDialog m_dialog{m_destroyed};
};

TEST_F(ExtTreeCtrlTest, DeletingABranchFreesItsRecordsOnly) {
    CExtTreeCtrl& tree = m_dialog.m_tree;
    ASSERT_EQ(tree.GetCount(), 6u);
    ASSERT_TRUE(tree.DeleteItem(item({"Project", "Building 1"})));
    EXPECT_THAT(m_destroyed, UnorderedElementsAre("Building 1", "Storey 1", "Storey 2", "110"));
    // The items that stay keep their records and attributes.
    HTREEITEM second = item({"Project", "Building 2"});
    ASSERT_NE(second, nullptr);
    auto* record = reinterpret_cast<TBItemData*>(tree.GetItemData(second));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->getType(), 1);
    EXPECT_EQ(record->getAttributes().GetCount(), 1);

    m_destroyed.clear();
    tree.DeleteAllItems();
    EXPECT_THAT(m_destroyed, UnorderedElementsAre("Project", "Building 2"));
}

TEST_F(ExtTreeCtrlTest, ARecordWhoseAttributesWentToALevelFreesNoAttribute) {
    CExtTreeCtrl& tree = m_dialog.m_tree;
    HTREEITEM storey = item({"Project", "Building 1", "Storey 1"});
    auto* record = reinterpret_cast<TBItemData*>(tree.GetItemData(storey));
    Zel_GM_Root root("Project");
    Zel_GM_Level* level = root.addSublevel(2, 3, 0, "Storey 1", 0, nullptr);
    record->handAttributesTo(level->getAttributes());
    tree.DeleteItem(storey);
    EXPECT_THAT(m_destroyed, IsEmpty());
    EXPECT_EQ(level->getAttributes().GetCount(), 1);
}

TEST_F(ExtTreeCtrlTest, ItemsWithoutRecordsAreDeletedQuietly) {
    CExtTreeCtrl& tree = m_dialog.m_tree;
    HTREEITEM bare = tree.InsertItem("No record", item({"Project"}));
    ASSERT_NE(bare, nullptr);
    ASSERT_EQ(tree.GetItemData(bare), 0u);
    EXPECT_TRUE(tree.DeleteItem(bare));
    EXPECT_THAT(m_destroyed, IsEmpty());
}

TEST_F(ExtTreeCtrlTest, ClosingTheDialogFreesEveryRecordOnce) {
    m_dialog.DestroyWindow();
    EXPECT_THAT(m_destroyed, UnorderedElementsAre("Project", "Building 1", "Storey 1", "Storey 2",
                                                  "110", "Building 2"));
}

}  // namespace
