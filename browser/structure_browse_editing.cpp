// Editing in the structure browsers' tree: the expanded bit, the ends of a
// label edit and taking an item out of the tree.
#include "structure_browse_dlg.h"

#include "label_edit.h"

void CStructureBrowseDlg::OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const auto* note = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    TBItemData* record = recordOf(note->itemNew.hItem);
    if (record != nullptr) {
        const UINT state = m_tcStructure.GetItemState(note->itemNew.hItem, TVIS_EXPANDED);
        record->setExpanded((state & TVIS_EXPANDED) != 0);
    }
}

bool CStructureBrowseDlg::keepLabelEditOpen(int key) {
    return vedrix::browser::endLabelEditByKey(m_tcStructure, key, m_bLabelEditCancelled);
}

CString CStructureBrowseDlg::editedLabel(const NMTVDISPINFOA& note) const {
    CString text;
    if (CEdit* edit = m_tcStructure.GetEditControl()) {
        edit->GetWindowText(text);
    } else {
        text = note.item.pszText;
    }
    return text;
}

void CStructureBrowseDlg::setItemText(HTREEITEM item, CString& text) {
    TVITEMA change{};
    change.mask = TVIF_TEXT;
    change.hItem = item;
    change.pszText = text.GetBuffer();
    m_tcStructure.SetItem(&change);
    text.ReleaseBuffer();
}

void CStructureBrowseDlg::deleteItem(HTREEITEM item) {
    HTREEITEM neighbour = m_tcStructure.GetNextSiblingItem(item);
    if (neighbour == nullptr) {
        neighbour = m_tcStructure.GetPrevSiblingItem(item);
    }
    if (neighbour != nullptr) {
        m_tcStructure.SelectItem(neighbour);
    }
    TBItemData* record = recordOf(item);
    m_tcStructure.SetItemData(item, 0);
    delete record;
    m_tcStructure.DeleteItem(item);
}
