// A dialog holding the tree-list: the attribute dialog's template (102) of
// the language library, whose custom control 1018 the dialog subclasses with
// a tree-list frame at set-up. It counts the commands the frame passes on.
#pragma once

#include <gtest/gtest.h>

#include <vedrix/framework/ui.h>
#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif
#include <vedrix/widgets/tl_frame.h>

#include <functional>
#include <string>
#include <vector>

namespace widgets_tests {

class TreeListDialog : public CDialog {
public:
    enum : int { kTemplate = 102, kFrame = 1018 };
    TreeListDialog() : CDialog(kTemplate) {}

    CNewTreeListCtrl& tree() { return m_frame.m_wndTree; }
    CNewHeaderCtrl& header() { return m_frame.m_wndTree.m_wndHeader; }
    // Three columns of the given widths and a row per text below `parent`.
    void addColumns(std::initializer_list<int> widths);
    HTREEITEM addRow(const char* text, HTREEITEM parent = TVI_ROOT);
#if VEDRIX_HEADLESS
    // Paints the tree-list (or the header) now and returns what it drew.
    std::vector<vedrix::headless::DrawingEntry> paint(CWnd& window);
#endif
    // The texts of column `column` of the children of `parent`, in order.
    std::vector<std::string> columnTexts(HTREEITEM parent, int column);

    CTLFrame m_frame;
    int m_doubleClicks = 0;  // command 200
    int m_rightClicks = 0;   // command 201

protected:
    BOOL OnInitDialog() override;
    void OnDoubleClickCommand() {
        ++m_doubleClicks;
    }
    void OnRightClickCommand() {
        ++m_rightClicks;
    }
    DECLARE_MESSAGE_MAP()
};

// A shown dialog with the tree-list, on a fresh desktop, with the language
// library as the resources and the tree-list's class registered.
class TreeListFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HMODULE m_language = nullptr;
    TreeListDialog m_dialog;
};

#if VEDRIX_HEADLESS
// The entries of one kind.
std::vector<vedrix::headless::DrawingEntry> only(
    const std::vector<vedrix::headless::DrawingEntry>& record, vedrix::headless::DrawingKind kind);
#endif

}  // namespace widgets_tests
