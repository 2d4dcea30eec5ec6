// A tree view ("SysTreeView32") as the person sees it and acts on it.
//
// Items are found by what the person reads: a path of labels from a root
// item ({"Project", "Building 1", "Storey 2"}) or one label anywhere. Queries
// use the public TVM_ messages (TVM_GETNEXTITEM, TVM_GETITEM,
// TVM_GETITEMRECT, TVM_HITTEST, TVM_GETEDITCONTROL), so an item that the
// program gives by callback (LPSTR_TEXTCALLBACK) reads as it is shown.
//
// Actions are the mouse and keyboard at the item's place, found by hit
// testing the control:
// - click(): left click on the label. The tree sends NM_CLICK, then selects
//   the item (TVN_SELCHANGING/TVN_SELCHANGED, action TVC_BYMOUSE).
// - doubleClick(): NM_DBLCLK, and the tree toggles the item's expansion
//   unless the parent returns non-zero.
// - rightClick(): NM_RCLICK with the item drop-highlighted while it is sent,
//   then WM_CONTEXTMENU (screen coordinates) when the parent returns 0.
// - clickStateIcon(): a click on the state image (the check box of
//   TVS_CHECKBOXES), which cycles it.
// - clickButton(): a click on the +/- button, which expands or collapses
//   (TVN_ITEMEXPANDING/TVN_ITEMEXPANDED).
// - beginLabelEdit(): a click on the label of the selected item (the item is
//   clicked first when it is not selected) and the double-click time passing
//   (the tree's edit timer): TVN_BEGINLABELEDIT, and an edit control over the
//   label unless the parent refuses. beginLabelEditWithF2() presses F2.
// - typeIntoLabelEdit() selects the edit's text (Home, Shift+End) and types;
//   commitLabelEdit() presses Enter, cancelLabelEdit() Escape (TVN_ENDLABELEDIT
//   with the text / with pszText NULL); a click elsewhere also commits, since
//   the edit loses the focus.
//
// An item inside a collapsed branch cannot be seen and throws AutomationError
// when aimed at; an item scrolled out of view is brought into view first
// (TVM_ENSUREVISIBLE, standing for the person using the scroll bar).
#pragma once

#include <vedrix/automation/control.h>
#include <vedrix/automation/export.h>
#include <vedrix/automation/input.h>

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vedrix::automation {

class VEDRIX_AUTOMATION_API TreeItem {
public:
    TreeItem() = default;
    TreeItem(HWND tree, HTREEITEM item) : tree_(tree), item_(item) {}

    HWND tree() const { return tree_; }
    HTREEITEM handle() const { return item_; }
    // Whether the item still exists in its tree.
    bool exists() const;
    explicit operator bool() const { return exists(); }
    bool operator==(const TreeItem& other) const = default;

    std::string text() const;
    // The labels from the root item down, joined with "/".
    std::string path() const;
    UINT state(UINT mask = 0xFFFFFFFFu) const;
    bool isExpanded() const { return (state(TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }
    bool isSelected() const { return (state(TVIS_SELECTED) & TVIS_SELECTED) != 0; }
    bool isDropHighlighted() const { return (state(TVIS_DROPHILITED) & TVIS_DROPHILITED) != 0; }
    bool isBold() const { return (state(TVIS_BOLD) & TVIS_BOLD) != 0; }
    // The state image index (0 none; with check boxes 1 unchecked, 2 checked).
    int stateImage() const;
    bool isChecked() const { return stateImage() == 2; }
    int image() const;
    int selectedImage() const;
    LPARAM param() const;

    TreeItem parent() const;
    std::vector<TreeItem> children() const;
    std::vector<std::string> childTexts() const;
    // The direct child with this label; throws AutomationError naming the
    // children when there is none.
    TreeItem child(std::string_view label) const;

    // The item's row is on the screen (its branch expanded, not scrolled
    // away).
    bool isOnScreen() const;
    // The rectangle of the label text, in the tree's client coordinates.
    RECT labelRect() const;
    // The centre of the label, brought into view when scrolled away.
    Place place() const;
    operator Place() const { return place(); }

    void click() const;
    void ctrlClick() const;
    void doubleClick() const;
    void rightClick() const;
    void clickStateIcon() const;
    void clickButton() const;
    // Clicks the +/- button when the item is collapsed / expanded.
    void expand() const;
    void collapse() const;
    // Returns the label edit control, or an empty Control when the program
    // refused the edit.
    Control beginLabelEdit() const;
    Control beginLabelEditWithF2() const;
    // beginLabelEdit, typeIntoLabelEdit and Enter.
    void rename(std::string_view text) const;

    // "item \"Project/Building 1\" of tree 1001"
    std::string describe() const;

private:
    void requireItem() const;
    // A point of the item's row whose hit test gives one of `flags`.
    POINT hitPoint(UINT flags, const char* what) const;

    HWND tree_ = nullptr;
    HTREEITEM item_ = nullptr;
};

class VEDRIX_AUTOMATION_API TreeView : public Control {
public:
    TreeView() = default;
    explicit TreeView(HWND hwnd) : Control(hwnd) {}

    int count() const;
    std::vector<TreeItem> roots() const;
    // The first root item; throws when the tree is empty.
    TreeItem root() const;
    // The item at the end of a label path from a root item; throws
    // AutomationError naming the labels that were there instead.
    TreeItem item(std::initializer_list<std::string_view> path) const;
    TreeItem item(const std::vector<std::string>& path) const;
    // The first item (in display order, collapsed branches included) with
    // this label; find() throws when there is none, tryFind() gives an empty
    // TreeItem.
    TreeItem find(std::string_view label) const;
    TreeItem tryFind(std::string_view label) const;
    // TVGN_CARET / TVGN_DROPHILITE (empty when none).
    TreeItem selection() const;
    TreeItem dropHighlight() const;

    // The open label edit (TVM_GETEDITCONTROL); empty when none.
    Control labelEdit() const;
    bool isEditingLabel() const { return labelEdit().exists(); }
    // Throws AutomationError when no label edit is open.
    void typeIntoLabelEdit(std::string_view text) const;
    void commitLabelEdit() const;
    void cancelLabelEdit() const;

    // The whole tree, one item a line, indented two spaces a level, with
    // [expanded], [selected], [drop], [checked] marks: for failure messages.
    std::string outline() const;
};

// Prints describe(), so that test failures name the item.
inline std::ostream& operator<<(std::ostream& out, const TreeItem& item) {
    return out << item.describe();
}

}  // namespace vedrix::automation
