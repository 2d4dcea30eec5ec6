#include "attribute_dlg.h"

#include <vedrix/model/attrib_data.h>

#include <utility>

#include "browser_resources.h"
#include "edit_dlg.h"
#include "groupname_dlg.h"

namespace {

using vedrix::browser::loadedText;

constexpr UINT kNameHeading = 2018;
constexpr UINT kValueHeading = 2019;
constexpr UINT kNoRowSelected = 2020;
constexpr UINT kDeleteQuestion = 2021;
constexpr UINT kCaptionText = 2026;
constexpr UINT kNameTaken = 2033;
constexpr UINT kTypeHeading = 2035;
constexpr UINT kMenu = 120;
constexpr int kGroupMenu = 1;
constexpr int kAttributeMenu = 2;
constexpr int kTopImage = 0;
constexpr int kRowImage = 1;
constexpr COLORREF kTopRowColor = RGB(255, 0, 0);
const char* const kGroupWord = "Group";
const char* const kProposedType = "Universal";

enum Column : int { kName = 0, kValue = 1, kType = 2 };

}  // namespace

BEGIN_MESSAGE_MAP(CAttributeDlg, CDialog)
ON_COMMAND(CNewTreeListCtrl::kDoubleClickCommand, OnEdit)
ON_COMMAND(kEditRow, OnEdit)
ON_COMMAND(CNewTreeListCtrl::kRightClickCommand, OnContextMenu)
ON_COMMAND(kNewAttribute, OnNewAttribute)
ON_COMMAND(kNewGroup, OnNewGroup)
ON_COMMAND(kRenameGroup, OnRenameGroup)
ON_COMMAND(kDeleteRow, OnDeleteRow)
ON_COMMAND(kDeleteAttribute, OnDeleteAttribute)
END_MESSAGE_MAP()

CAttributeDlg::CAttributeDlg(CObList* pAttributes, const CString& path, const CString& itemText,
                             CWnd* pParent)
    : CDialog(IDD, pParent), m_csPath(path), m_csItemText(itemText), m_pAttributes(pAttributes) {}

// ---------------------------------------------------------------------------
// Set-up

BOOL CAttributeDlg::OnInitDialog() {
    if (m_frame.SubclassDlgItem(kTreeList, this)) {
        m_frame.Initialize();
    }
    CDialog::OnInitDialog();
    if (rows().m_hWnd != nullptr) {
        insertColumns();
        fillRows();
    }
    SetWindowText(loadedText(kCaptionText));
    SetDlgItemText(kPathLine, m_csPath);
    return TRUE;
}

void CAttributeDlg::insertColumns() {
    CRect client;
    rows().GetClientRect(&client);
    const int width = client.Width();
    rows().InsertColumn(kName, loadedText(kNameHeading), 3 * width / 7);
    rows().InsertColumn(kValue, loadedText(kValueHeading), 3 * width / 7);
    rows().InsertColumn(kType, loadedText(kTypeHeading), width / 7);
}

// Each attribute goes below the row of its parent identifier, or below the
// top row when no row has it; a parent must come before its children.
void CAttributeDlg::fillRows() {
    m_hTop = rows().InsertItem(m_csItemText, kTopImage, kTopImage, TVI_ROOT);
    rows().SetItemText(m_hTop, kType, kGroupWord);
    rows().SetItemData(m_hTop, 0);
    m_rowsById.clear();
    m_sharedIds.clear();
    m_rowsById.emplace(0, m_hTop);
    if (m_pAttributes != nullptr) {
        for (POSITION pos = m_pAttributes->GetHeadPosition(); pos != nullptr;) {
            auto* attribute = static_cast<CAttribData*>(m_pAttributes->GetNext(pos));
            if (attribute == nullptr) {
                continue;
            }
            HTREEITEM parent = parentRowFor(attribute->GetParentID());
            const DWORD id = attribute->GetID();
            // A group row comes in bold; the whole tree-list is redrawn once
            // the top row is made bold below.
            CTreeListItem record =
                rowRecord(attribute->getName(), attribute->getValue(), attribute->GetType(), id);
            record.bold = attribute->getTypeValue() == CAttribData::Group ? 1 : 0;
            HTREEITEM row = rows().InsertItem(std::move(record), kRowImage, kRowImage, parent);
            if (row == nullptr) {
                continue;
            }
            if (!m_rowsById.emplace(id, row).second) {
                m_sharedIds.insert(id);
            }
        }
    }
    m_rowsById.clear();
    m_sharedIds.clear();
    rows().SetItemBold(m_hTop);
    rows().SetItemColor(m_hTop, kTopRowColor);
}

// The depth-first search from the top row finds the first row with the
// identifier; an identifier that only one row carries is found in the table.
HTREEITEM CAttributeDlg::parentRowFor(DWORD parentId) {
    HTREEITEM found = nullptr;
    if (m_sharedIds.count(parentId) != 0) {
        found = findRowById(m_hTop, parentId);
    } else if (const auto it = m_rowsById.find(parentId); it != m_rowsById.end()) {
        found = it->second;
    }
    return found != nullptr ? found : m_hTop;
}

HTREEITEM CAttributeDlg::findRowById(HTREEITEM first, DWORD id) {
    for (HTREEITEM row = first; row != nullptr; row = rows().GetNextSiblingItem(row)) {
        if (rows().GetItemData(row) == id) {
            return row;
        }
        if (HTREEITEM below = findRowById(rows().GetChildItem(row), id)) {
            return below;
        }
    }
    return nullptr;
}

HTREEITEM CAttributeDlg::findSibling(HTREEITEM first, const CString& name) {
    for (HTREEITEM row = first; row != nullptr; row = rows().GetNextSiblingItem(row)) {
        if (rows().GetItemText(row, kName) == name) {
            return row;
        }
    }
    return nullptr;
}

void CAttributeDlg::collectIds(HTREEITEM first, std::unordered_set<DWORD>& ids) {
    for (HTREEITEM row = first; row != nullptr; row = rows().GetNextSiblingItem(row)) {
        ids.insert(rows().GetItemData(row));
        collectIds(rows().GetChildItem(row), ids);
    }
}

DWORD CAttributeDlg::nextFreeId() {
    std::unordered_set<DWORD> ids;
    collectIds(rows().GetRootItem(), ids);
    DWORD id = 1;
    while (ids.count(id) != 0) {
        ++id;
    }
    return id;
}

bool CAttributeDlg::isGroup(HTREEITEM row) {
    return row != nullptr &&
           CAttribData::GetEnumType(rows().GetItemText(row, kType)) == CAttribData::Group;
}

// The record of a row with the name, value and type columns and the
// identifier.
CTreeListItem CAttributeDlg::rowRecord(const CString& name, const CString& value,
                                       const CString& type, DWORD id) {
    CTreeListItem record;
    const char* const columns[] = {name, value, type};
    record.SetColumnTexts(columns, kType + 1);
    record.data = id;
    return record;
}

HTREEITEM CAttributeDlg::addRow(HTREEITEM parent, const CString& name, const CString& value,
                                const CString& type, DWORD id) {
    return rows().InsertItem(rowRecord(name, value, type, id), kRowImage, kRowImage, parent);
}

// ---------------------------------------------------------------------------
// Commands

void CAttributeDlg::OnNewAttribute() {
    HTREEITEM parent = rows().GetSelectedItem();
    if (parent == nullptr) {
        parent = m_hTop;
    }
    CString name;
    CString value;
    CString type = kProposedType;
    CEditDlg dialog(&name, &value, &type);
    if (dialog.DoModal() != IDOK || name.IsEmpty() || value.IsEmpty()) {
        return;
    }
    if (HTREEITEM same = findSibling(rows().GetChildItem(parent), name)) {
        if (AfxMessageBox(kNameTaken, MB_OKCANCEL) == IDOK) {
            rows().SetItemText(same, kValue, value);
            rows().SetItemText(same, kType, type);
        }
        return;
    }
    if (addRow(parent, name, value, type, nextFreeId()) != nullptr) {
        rows().Expand(parent, TVE_EXPAND);
    }
}

void CAttributeDlg::OnNewGroup() {
    HTREEITEM parent = rows().GetSelectedItem();
    if (parent == nullptr) {
        return;
    }
    CString name;
    CGroupnameDlg dialog(&name);
    if (dialog.DoModal() != IDOK || name.IsEmpty()) {
        return;
    }
    if (findSibling(rows().GetChildItem(parent), name) != nullptr) {
        // Answered either way, the group that is there stays as it is.
        AfxMessageBox(kNameTaken, MB_OKCANCEL);
        return;
    }
    if (HTREEITEM row = addRow(parent, name, CString(), kGroupWord, nextFreeId())) {
        rows().SetItemBold(row);
        rows().Expand(parent, TVE_EXPAND);
    }
}

void CAttributeDlg::OnRenameGroup() {
    HTREEITEM row = rows().GetSelectedItem();
    if (row != nullptr && row != m_hTop) {
        renameGroup(row);
    }
}

// A name that a following sibling already carries is refused.
void CAttributeDlg::renameGroup(HTREEITEM row) {
    CString name = rows().GetItemText(row, kName);
    CGroupnameDlg dialog(&name);
    if (dialog.DoModal() != IDOK || name.IsEmpty()) {
        return;
    }
    HTREEITEM same = findSibling(row, name);
    if (same != nullptr && same != row) {
        AfxMessageBox(kNameTaken, MB_OKCANCEL);
        return;
    }
    rows().SetItemText(row, kName, name);
}

void CAttributeDlg::OnEdit() {
    HTREEITEM row = rows().GetSelectedItem();
    if (row == nullptr) {
        return;
    }
    if (isGroup(row)) {
        OnRenameGroup();
        return;
    }
    CString name = rows().GetItemText(row, kName);
    CString value = rows().GetItemText(row, kValue);
    CString type = rows().GetItemText(row, kType);
    CEditDlg dialog(&name, &value, &type);
    if (dialog.DoModal() != IDOK || name.IsEmpty() || value.IsEmpty()) {
        return;
    }
    rows().SetItemText(row, kValue, value);
    rows().SetItemText(row, kType, type);
}

// The top row stands for the item itself and is never deleted.
void CAttributeDlg::OnDeleteRow() {
    HTREEITEM row = rows().GetSelectedItem();
    if (row != nullptr && row == m_hTop) {
        return;
    }
    deleteRow(row);
}

void CAttributeDlg::OnDeleteAttribute() {
    OnDeleteRow();
}

void CAttributeDlg::deleteRow(HTREEITEM row) {
    if (row == nullptr) {
        AfxMessageBox(kNoRowSelected, MB_OK);
        return;
    }
    if (AfxMessageBox(kDeleteQuestion, MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
        rows().DeleteItem(row);
    }
}

void CAttributeDlg::enableCommands(CMenu& menu) {
    HTREEITEM row = rows().GetSelectedItem();
    const UINT state = row != nullptr && row != m_hTop ? MF_ENABLED : MF_GRAYED;
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        if (CMenu* sub = menu.GetSubMenu(static_cast<int>(i))) {
            enableCommands(*sub);
            continue;
        }
        const UINT id = menu.GetMenuItemID(static_cast<int>(i));
        if (id == kRenameGroup || id == kDeleteRow) {
            menu.EnableMenuItem(id, MF_BYCOMMAND | state);
        }
    }
}

void CAttributeDlg::OnContextMenu() {
    CMenu menu;
    if (!menu.LoadMenu(kMenu)) {
        return;
    }
    CMenu* popup = menu.GetSubMenu(isGroup(rows().GetSelectedItem()) ? kGroupMenu : kAttributeMenu);
    if (popup == nullptr) {
        return;
    }
    enableCommands(*popup);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
}

// ---------------------------------------------------------------------------
// Confirmation

void CAttributeDlg::OnOK() {
    if (m_pAttributes != nullptr) {
        while (!m_pAttributes->IsEmpty()) {
            delete m_pAttributes->RemoveHead();
        }
        if (m_hTop != nullptr) {
            collectAttributes(rows().GetChildItem(m_hTop), 0, 1);
        }
    }
    EndDialog(IDOK);
}

// Depth first, in the rows' order: a row's children come right after it,
// one level deeper.
void CAttributeDlg::collectAttributes(HTREEITEM first, DWORD parentId, long level) {
    for (HTREEITEM row = first; row != nullptr; row = rows().GetNextSiblingItem(row)) {
        const DWORD id = rows().GetItemData(row);
        m_pAttributes->AddTail(new CAttribData(
            rows().GetItemText(row, kName), rows().GetItemText(row, kValue),
            CAttribData::GetEnumType(rows().GetItemText(row, kType)), id, parentId, level));
        collectAttributes(rows().GetChildItem(row), id, level + 1);
    }
}
