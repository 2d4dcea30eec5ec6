// The attribute dialog (template 102): the attributes of one item of the
// list browser's tree, as a small tree of named groups and typed attributes
// in a tree-list with the columns name, value and type. Set-up turns the
// item's attribute list into rows, the commands change only the rows, and
// confirming turns the rows back into a new list; cancelling leaves the list
// as it was.
#pragma once

#include <vedrix/framework/ui.h>

#include <vedrix/framework/coblist.h>
#include <vedrix/widgets/tl_frame.h>

#include <unordered_map>
#include <unordered_set>

class CAttributeDlg : public CDialog {
public:
    enum { IDD = 102 };
    enum : int { kTreeList = 1018, kPathLine = 1022 };
    // Commands of the rows' context menus (menu 120), besides the tree-list's
    // double-click (200) and right-click (201).
    enum : UINT {
        kNewAttribute = 32771,
        kRenameGroup = 32773,
        kDeleteRow = 32774,
        kEditRow = 32775,
        kDeleteAttribute = 32776,
        kNewGroup = 32777,
    };

    // `path`: the texts of the item's ancestors from the root down, each
    // followed by "\"; `itemText`: the item's own text, shown in the top row.
    CAttributeDlg(CObList* pAttributes, const CString& path, const CString& itemText,
                  CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnEdit();
    void OnContextMenu();
    void OnNewAttribute();
    void OnNewGroup();
    void OnRenameGroup();
    void OnDeleteRow();
    void OnDeleteAttribute();

    DECLARE_MESSAGE_MAP()

private:
    CNewTreeListCtrl& rows() { return m_frame.m_wndTree; }
    void insertColumns();
    void fillRows();
    // The row that a new attribute with this parent identifier goes below.
    HTREEITEM parentRowFor(DWORD parentId);
    HTREEITEM findRowById(HTREEITEM first, DWORD id);
    // The first of `first` and its following siblings named `name` exactly.
    HTREEITEM findSibling(HTREEITEM first, const CString& name);
    // The smallest identifier from 1 up that no row carries.
    DWORD nextFreeId();
    void collectIds(HTREEITEM first, std::unordered_set<DWORD>& ids);
    bool isGroup(HTREEITEM row);
    static CTreeListItem rowRecord(const CString& name, const CString& value, const CString& type,
                                   DWORD id);
    HTREEITEM addRow(HTREEITEM parent, const CString& name, const CString& value,
                     const CString& type, DWORD id);
    void renameGroup(HTREEITEM row);
    void deleteRow(HTREEITEM row);
    // The command-enabling rules of the menu's items: renaming and deleting
    // need a selected row other than the top row.
    void enableCommands(CMenu& menu);
    void collectAttributes(HTREEITEM first, DWORD parentId, long level);

    CTLFrame m_frame;
    CString m_csPath;
    CString m_csItemText;
    CObList* m_pAttributes;
    HTREEITEM m_hTop = nullptr;
    // While the rows are filled: the first row carrying each identifier, and
    // the identifiers that more than one row carries.
    std::unordered_map<DWORD, HTREEITEM> m_rowsById;
    std::unordered_set<DWORD> m_sharedIds;
};
