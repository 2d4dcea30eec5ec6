// Editing in the list browser's tree: checking and unchecking branches,
// keeping the expanded bit, label editing with its refusals, the Delete key
// and taking an item out of the structure.
#include "listbrowse_dlg.h"

#include "free_files.h"
#include "label_edit.h"

// A click on an item's icon or check box checks or unchecks it and its whole
// branch. Drawing files whose file is missing keep their state.
void CListbrowseDlg::OnTreeClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    if (!UpdateData(TRUE) || m_bDragFromTree) {
        return;
    }
    CPoint point;
    ::GetCursorPos(&point);
    m_tcStructure.ScreenToClient(&point);
    UINT flags = 0;
    HTREEITEM item = m_tcStructure.HitTest(point, &flags);
    if (item == nullptr || (flags & (TVHT_ONITEMICON | TVHT_ONITEMSTATEICON)) == 0) {
        return;
    }
    TBItemData* record = recordOf(item);
    if (record == nullptr || record->isFileMissing()) {
        return;
    }
    const bool checked = !record->isChecked();
    setChecked(item, record, checked);
    setSubtreeChecked(m_tcStructure.GetChildItem(item), checked);
    UpdateData(FALSE);
}

void CListbrowseDlg::setChecked(HTREEITEM item, TBItemData* record, bool checked) {
    record->setChecked(checked);
    const int image = imageOf(record->getType(), checked);
    m_tcStructure.SetItemImage(item, image, image);
    m_tcStructure.SetItemState(item, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), TVIS_STATEIMAGEMASK);
}

void CListbrowseDlg::setSubtreeChecked(HTREEITEM first, bool checked) {
    for (HTREEITEM item = first; item != nullptr; item = m_tcStructure.GetNextSiblingItem(item)) {
        TBItemData* record = recordOf(item);
        if (record != nullptr && !record->isFileMissing()) {
            setChecked(item, record, checked);
        }
        setSubtreeChecked(m_tcStructure.GetChildItem(item), checked);
    }
}

// The expanded bit goes into the files on confirmation.
void CListbrowseDlg::OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const auto* note = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    TBItemData* record = recordOf(note->itemNew.hItem);
    if (record != nullptr) {
        const UINT state = m_tcStructure.GetItemState(note->itemNew.hItem, TVIS_EXPANDED);
        record->setExpanded((state & TVIS_EXPANDED) != 0);
    }
}

// The root's label is the title and stays; a label opens for editing only
// on an item that is or was expanded.
void CListbrowseDlg::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* note = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR);
    HTREEITEM item = note->item.hItem;
    *pResult = 1;
    if (m_tcStructure.GetItemText(item) == m_csTitle) {
        ::MessageBeep(0);
        return;
    }
    if ((m_tcStructure.GetItemState(item, kExpandedStates) & kExpandedStates) == 0) {
        ::MessageBeep(0);
        return;
    }
    m_bLabelEditing = 1;
    *pResult = 0;
}

void CListbrowseDlg::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* note = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR);
    *pResult = 0;
    if (m_bLabelEditCancelled) {
        m_bLabelEditCancelled = 0;
    } else if (note->item.pszText != nullptr) {
        CString text;
        if (CEdit* edit = m_tcStructure.GetEditControl()) {
            edit->GetWindowText(text);
        } else {
            text = note->item.pszText;
        }
        if (text.IsEmpty()) {
            CWnd* focus = GetFocus();
            if (focus == nullptr || focus->GetDlgCtrlID() != kCancelButton) {
                m_bLabelEditing = 0;
                showMessage(2016);
                m_tcStructure.SetFocus();
            }
        } else {
            TVITEMA item{};
            item.mask = TVIF_TEXT;
            item.hItem = note->item.hItem;
            item.pszText = text.GetBuffer();
            m_tcStructure.SetItem(&item);
            text.ReleaseBuffer();
            *pResult = 1;
        }
    }
    m_bLabelEditing = 0;
}

// While a label is being edited, Enter and Escape end the edit (Escape
// dropping it) by giving the tree the focus; a confirm or cancel that comes
// from anything else only beeps. Returns true: the dialog stays open.
bool CListbrowseDlg::keepLabelEditOpen(int key) {
    return vedrix::browser::endLabelEditByKey(m_tcStructure, key, m_bLabelEditCancelled);
}

void CListbrowseDlg::OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const auto* note = reinterpret_cast<NMTVKEYDOWN*>(pNMHDR);
    if (note->wVKey != VK_DELETE || m_bDragFromTree) {
        return;
    }
    HTREEITEM item = m_tcStructure.GetSelectedItem();
    TBItemData* record = recordOf(item);
    if (item == nullptr) {
        return;
    }
    m_hDraggedItem = item;
    m_nDraggedType = record != nullptr ? record->getType() : -1;
    if (m_tcStructure.ItemHasChildren(item)) {
        showMessage(2001);
        return;
    }
    removeItem(item);
}

// Takes an item without sub-items out of the structure. A drawing file
// whose file exists goes back to the free list; a level goes with its record
// and attributes.
void CListbrowseDlg::removeItem(HTREEITEM item) {
    if (m_tcStructure.GetItemText(item) == m_csTitle) {
        showMessage(2006);
        return;
    }
    TBItemData* record = recordOf(item);
    if (m_nDraggedType == TBItemData::kDrawingFile && record != nullptr &&
        !record->isFileMissing()) {
        returnToFreeList(item, *record);
    }
    HTREEITEM neighbour = m_tcStructure.GetNextSiblingItem(item);
    if (neighbour == nullptr) {
        neighbour = m_tcStructure.GetPrevSiblingItem(item);
    }
    if (neighbour != nullptr) {
        m_tcStructure.SelectItem(neighbour);
    }
    m_tcStructure.SetItemData(item, 0);
    delete record;
    m_tcStructure.DeleteItem(item);
}

// The row shows the two halves of the item's text: the file name before the
// first blank and the drawing file's name after it.
void CListbrowseDlg::returnToFreeList(HTREEITEM item, const TBItemData& record) {
    CString fileName, name;
    vedrix::browser::splitDrawingFileText(m_tcStructure.GetItemText(item), fileName, name);
    vedrix::browser::addFreeRow(
        m_lcFreeFiles, fileName, name,
        new TBItemData(record.getType(), record.getFlags(), record.getNumber(), 0),
        m_nImages[TBItemData::kDrawingFile]);
}

// The attribute menu is offered only while the application's attribute menu
// switch is on, for the right-clicked item unless it is a drawing file; its
// command comes back as the attribute command.
void CListbrowseDlg::OnTreeRightClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    if (m_pAttribMenu == nullptr || *m_pAttribMenu == 0) {
        return;
    }
    for (HTREEITEM item = m_tcStructure.GetFirstVisibleItem(); item != nullptr;
         item = m_tcStructure.GetNextVisibleItem(item)) {
        if (m_tcStructure.GetItemState(item, TVIS_DROPHILITED) & TVIS_DROPHILITED) {
            m_tcStructure.SelectItem(item);
            break;
        }
    }
    const TBItemData* record = recordOf(m_tcStructure.GetSelectedItem());
    if (record != nullptr && record->getType() == TBItemData::kDrawingFile) {
        return;
    }
    CMenu menu;
    if (!menu.LoadMenu(kAttributeMenu)) {
        return;
    }
    if (CMenu* popup = menu.GetSubMenu(0)) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        popup->TrackPopupMenu(TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
    }
}
