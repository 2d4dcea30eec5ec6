#include "tree_list_dialog.h"

#include <vedrix/automation/input.h>
#include <vedrix/widgets/tree_list_class.h>

namespace widgets_tests {

BEGIN_MESSAGE_MAP(TreeListDialog, CDialog)
ON_COMMAND(200, OnDoubleClickCommand)
ON_COMMAND(201, OnRightClickCommand)
END_MESSAGE_MAP()

BOOL TreeListDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_frame.SubclassDlgItem(kFrame, this)) {
        m_frame.Initialize();
    }
    return TRUE;
}

void TreeListDialog::addColumns(std::initializer_list<int> widths) {
    int index = 0;
    for (int width : widths) {
        const std::string heading = "Column " + std::to_string(index);
        tree().InsertColumn(index++, heading.c_str(), width);
    }
}

HTREEITEM TreeListDialog::addRow(const char* text, HTREEITEM parent) {
    return tree().InsertItem(text, 0, 0, parent);
}

#if VEDRIX_HEADLESS
std::vector<vedrix::headless::DrawingEntry> TreeListDialog::paint(CWnd& window) {
    vedrix::headless::clearDrawingRecord();
    window.Invalidate(TRUE);
    window.UpdateWindow();
    return vedrix::headless::drawingRecord(window.m_hWnd);
}
#endif

std::vector<std::string> TreeListDialog::columnTexts(HTREEITEM parent, int column) {
    std::vector<std::string> texts;
    HTREEITEM item = parent == TVI_ROOT ? tree().GetRootItem() : tree().GetChildItem(parent);
    for (; item != nullptr; item = tree().GetNextSiblingItem(item)) {
        texts.emplace_back(tree().GetItemText(item, column).GetString());
    }
    return texts;
}

void TreeListFixture::SetUp() {
    vedrix::automation::resetDesktop();
    m_language = LoadLibraryA("vedr_en.dll");
    ASSERT_NE(m_language, nullptr);
    AfxSetResourceHandle(m_language);
    ASSERT_NE(RegisterTreeListClass(), 0);
    ASSERT_TRUE(m_dialog.Create(TreeListDialog::kTemplate, nullptr));
    m_dialog.ShowWindow(SW_SHOW);
    ASSERT_NE(m_dialog.tree().m_hWnd, nullptr);
}

void TreeListFixture::TearDown() {
    if (m_dialog.m_hWnd != nullptr) {
        m_dialog.DestroyWindow();
    }
    UnregisterTreeListClass();
    AfxSetResourceHandle(nullptr);
    vedrix::automation::resetDesktop();
}

#if VEDRIX_HEADLESS
std::vector<vedrix::headless::DrawingEntry> only(
    const std::vector<vedrix::headless::DrawingEntry>& record, vedrix::headless::DrawingKind kind) {
    std::vector<vedrix::headless::DrawingEntry> found;
    for (const auto& entry : record) {
        if (entry.kind == kind) {
            found.push_back(entry);
        }
    }
    return found;
}
#endif

}  // namespace widgets_tests
