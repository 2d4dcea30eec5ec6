// A list view ("SysListView32") as the person sees it and acts on it.
//
// Rows are found by index or by the text of a column. Queries use the public
// LVM_ messages (LVM_GETITEMCOUNT, LVM_GETITEMTEXT, LVM_GETITEMSTATE,
// LVM_GETNEXTITEM, LVM_GETITEMRECT, LVM_HITTEST, LVM_GETCOLUMN).
//
// Actions are clicks on the row's label (its first column):
// - click(): the row alone is selected when the button goes down
//   (LVN_ITEMCHANGED for each change), NM_CLICK when it comes up.
// - ctrlClick(): Ctrl held, the row's selection toggles.
// - shiftClick(): Shift held, the range from the selection mark is selected.
// - doubleClick(): NM_DBLCLK and LVN_ITEMACTIVATE.
// - rightClick(): NM_RCLICK, then WM_CONTEXTMENU when the parent returns 0.
// Pressing on a row that belongs to a multiple selection keeps the selection,
// so a drag from it carries all selected rows (<vedrix/automation/drag.h>).
// A row scrolled out of view is brought into view first (LVM_ENSUREVISIBLE,
// standing for the person using the scroll bar).
#pragma once

#include <vedrix/automation/control.h>
#include <vedrix/automation/export.h>
#include <vedrix/automation/input.h>

#include <windows.h>
#include <commctrl.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vedrix::automation {

class VEDRIX_AUTOMATION_API ListRow {
public:
    ListRow() = default;
    ListRow(HWND list, int index) : list_(list), index_(index) {}

    HWND list() const { return list_; }
    int index() const { return index_; }
    // The text of a column (0: the item, 1...: sub-items).
    std::string text(int column = 0) const;
    // The texts of all columns.
    std::vector<std::string> texts() const;
    UINT state(UINT mask = 0xFFFFFFFFu) const;
    bool isSelected() const { return (state(LVIS_SELECTED) & LVIS_SELECTED) != 0; }
    bool isFocused() const { return (state(LVIS_FOCUSED) & LVIS_FOCUSED) != 0; }
    LPARAM param() const;

    // The whole row (LVIR_BOUNDS) in the list's client coordinates.
    RECT rect() const;
    // The centre of the row's label, brought into view when scrolled away.
    Place place() const;
    operator Place() const { return place(); }

    void click() const;
    void ctrlClick() const;
    void shiftClick() const;
    void doubleClick() const;
    void rightClick() const;

    // "row 2 (\"112\") of list 1002"
    std::string describe() const;

private:
    void requireRow() const;

    HWND list_ = nullptr;
    int index_ = -1;
};

class VEDRIX_AUTOMATION_API ListView : public Control {
public:
    ListView() = default;
    explicit ListView(HWND hwnd) : Control(hwnd) {}

    int rowCount() const;
    int columnCount() const;
    std::vector<std::string> columnHeadings() const;

    // Throws AutomationError when the index is out of range / no row has the
    // text in that column.
    ListRow row(int index) const;
    ListRow row(std::string_view text, int column = 0) const;
    // The index of the first row with the text in that column, -1 when none.
    int findRow(std::string_view text, int column = 0) const;

    std::vector<int> selectedRows() const;
    std::vector<std::string> selectedTexts(int column = 0) const;
    std::vector<std::string> columnTexts(int column = 0) const;
    // The row with the focus, -1 when none.
    int focusedRow() const;

    void clickRow(int index) const { row(index).click(); }
    void ctrlClickRow(int index) const { row(index).ctrlClick(); }
    void shiftClickRow(int index) const { row(index).shiftClick(); }
    void doubleClickRow(int index) const { row(index).doubleClick(); }
    void rightClickRow(int index) const { row(index).rightClick(); }
    // A click on empty space below the last row (deselects everything).
    void clickBelowRows() const;

    // Every row, one a line, columns separated by " | ", selected rows marked
    // with "*": for failure messages.
    std::string table() const;
};

// Prints describe(), so that test failures name the row.
inline std::ostream& operator<<(std::ostream& out, const ListRow& row) {
    return out << row.describe();
}

}  // namespace vedrix::automation
