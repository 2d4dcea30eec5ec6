// Drag and drop in the list browser. Three sources: free drawing files (list
// 1002) dropped onto a level place them in the structure; a level type from
// the palette (list 1000) dropped onto an item of a smaller type adds a new
// level there; a tree item dragged out of the tree leaves the structure. The
// cursor says where a drop is allowed.
#include "listbrowse_dlg.h"

namespace {

constexpr UINT kInsertStateMask = TVIS_STATEIMAGEMASK | CListbrowseDlg::kExpandedStates;  // 0xF060

}  // namespace

void CListbrowseDlg::OnBeginDragPalette(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const auto* note = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    m_nDraggedPaletteRow = note->iItem;
    const auto* record =
        reinterpret_cast<TBItemData*>(m_lcPalette.GetItemData(m_nDraggedPaletteRow));
    m_nDraggedType = record != nullptr ? record->getType() : -1;
    CPoint point(note->ptAction);
    CPoint origin;
    CImageList* image = m_lcPalette.CreateDragImage(m_nDraggedPaletteRow, &origin);
    m_lcPalette.ClientToScreen(&point);
    beginDrag(image, point, m_bDragFromPalette);
}

// The arrow where a drop would be taken, the forbidden cursor elsewhere.
// Over the tree, the item under the cursor becomes the drop target and the
// selected item.
void CListbrowseDlg::showDropCursor(CWnd* under, CPoint screenPoint) {
    bool allowed = false;
    if (isTree(under)) {
        if (!m_bDragFromTree) {
            CPoint client = screenPoint;
            m_tcStructure.ScreenToClient(&client);
            m_hDropTarget = m_tcStructure.HitTest(client);
            const TBItemData* target = recordOf(m_hDropTarget);
            if (m_hDropTarget != nullptr) {
                const int type = target != nullptr ? target->getType() : 0;
                if (type == TBItemData::kDrawingFile) {
                    allowed = false;
                } else if (m_bDragFromFreeList) {
                    allowed = true;
                } else {
                    allowed = m_nDraggedType > type;
                }
                m_tcStructure.SelectItem(m_hDropTarget);
            }
        }
    } else if (m_bDragFromTree) {
        allowed = treeItemMayLandOn(under);
    }
    ::SetCursor(allowed ? m_hArrowCursor : m_hForbiddenCursor);
}

void CListbrowseDlg::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bDragging) {
        endDrag();
        ClientToScreen(&point);
        CWnd* under = CWnd::WindowFromPoint(point);
        if (isTree(under)) {
            dropOnTree();
        } else if (m_bDragFromTree) {
            dropOutsideTree(under);
        }
        m_bDragFromTree = 0;
        m_bDragFromFreeList = 0;
        m_bDragFromPalette = 0;
        ::SetCursor(m_hArrowCursor);
    }
    CDialog::OnLButtonUp(nFlags, point);
}

void CListbrowseDlg::dropOnTree() {
    const TBItemData* target = recordOf(m_hDropTarget);
    const int targetType = target != nullptr ? target->getType() : 0;
    if (m_hDropTarget == nullptr || m_bDragFromTree) {
        ::MessageBeep(0);
    } else if (m_bDragFromFreeList) {
        if (targetType == TBItemData::kDrawingFile) {
            ::MessageBeep(0);
        } else {
            addFreeFiles(m_hDropTarget);
        }
    } else if (m_bDragFromPalette) {
        if (m_nDraggedType > targetType) {
            addNewLevel(m_hDropTarget);
        } else {
            ::MessageBeep(0);
        }
    }
}

// A child of `parent`, sorted among its siblings, in the parent's check
// state and shown expanded.
HTREEITEM CListbrowseDlg::insertChild(HTREEITEM parent, const char* text, int type) {
    const TBItemData* parentRecord = recordOf(parent);
    const bool checked = parentRecord != nullptr && parentRecord->isChecked();
    const unsigned char flags = parentRecord != nullptr ? parentRecord->getFlags() : 0;
    auto* record = new TBItemData(static_cast<unsigned char>(type), flags, 0, 0);
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.cchTextMax = kMaxItemText;
    insert.item.iImage = imageOf(type, checked);
    insert.item.iSelectedImage = insert.item.iImage;
    insert.item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1) | kExpandedStates;
    insert.item.stateMask = kInsertStateMask;
    insert.item.lParam = reinterpret_cast<LPARAM>(record);
    HTREEITEM item = m_tcStructure.InsertItem(&insert);
    if (item == nullptr) {
        delete record;
    }
    return item;
}

// The rows go from the last to the first, so that deleting one leaves the
// indices of those still to come as they were.
void CListbrowseDlg::addFreeFiles(HTREEITEM target) {
    HTREEITEM last = nullptr;
    for (INT_PTR i = m_pDraggedFreeRows->GetSize() - 1; i >= 0; --i) {
        const int row = static_cast<int>(m_pDraggedFreeRows->GetAt(i));
        auto* rowRecord = reinterpret_cast<TBItemData*>(m_lcFreeFiles.GetItemData(row));
        CString text = m_lcFreeFiles.GetItemText(row, 0) + "  " + m_lcFreeFiles.GetItemText(row, 1);
        text.Trim();
        const int type = rowRecord != nullptr ? rowRecord->getType() : TBItemData::kDrawingFile;
        HTREEITEM item = insertChild(target, text, type);
        if (item != nullptr && rowRecord != nullptr) {
            recordOf(item)->setNumber(rowRecord->getNumber());
        }
        if (item != nullptr) {
            last = item;
        }
        m_lcFreeFiles.SetItemData(row, 0);
        delete rowRecord;
        m_lcFreeFiles.DeleteItem(row);
    }
    m_pDraggedFreeRows->RemoveAll();
    if (last != nullptr) {
        m_tcStructure.SelectItem(last);
    }
    m_tcStructure.SetFocus();
}

// The new level is named after its type's default name with the first
// number that no item of the tree carries yet, and opens for renaming.
void CListbrowseDlg::addNewLevel(HTREEITEM target) {
    const TBItemData* targetRecord = recordOf(target);
    const int targetType = targetRecord != nullptr ? targetRecord->getType() : 0;
    const CString name = newLevelName(m_lcPalette.GetItemText(m_nDraggedPaletteRow, 0));
    if (targetType >= m_nDraggedType) {
        showMessage(2010);
        return;
    }
    HTREEITEM item = insertChild(target, name, m_nDraggedType);
    if (item == nullptr) {
        return;
    }
    m_tcStructure.SetItemState(item, TVIS_EXPANDED, TVIS_EXPANDED);
    m_tcStructure.SelectItem(item);
    m_tcStructure.SetFocus();
    m_tcStructure.EditLabel(item);
}

CString CListbrowseDlg::newLevelName(const CString& stem) const {
    for (int number = 1;; ++number) {
        CString name;
        name.Format("%s%d", static_cast<LPCSTR>(stem), number);
        if (!treeHasText(m_tcStructure.GetRootItem(), name)) {
            return name;
        }
    }
}

bool CListbrowseDlg::treeHasText(HTREEITEM first, const CString& text) const {
    for (HTREEITEM item = first; item != nullptr; item = m_tcStructure.GetNextSiblingItem(item)) {
        if (m_tcStructure.GetItemText(item) == text ||
            treeHasText(m_tcStructure.GetChildItem(item), text)) {
            return true;
        }
    }
    return false;
}
