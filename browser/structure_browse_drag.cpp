// Dragging in the structure browsers: starting a drag from the tree or from
// the free list, moving the drag image with the mouse, and a tree item
// leaving the structure when it is dropped outside the tree.
#include "structure_browse_dlg.h"

#include <cstring>

#include "free_files.h"

namespace {

bool hasClass(const CWnd* window, const char* className) {
    if (window == nullptr || window->m_hWnd == nullptr) {
        return false;
    }
    char name[64] = {};
    ::GetClassNameA(window->m_hWnd, name, sizeof name);
    return std::strcmp(name, className) == 0;
}

}  // namespace

bool CStructureBrowseDlg::isTree(const CWnd* window) {
    return hasClass(window, WC_TREEVIEWA);
}

bool CStructureBrowseDlg::isListView(const CWnd* window) {
    return hasClass(window, WC_LISTVIEWA);
}

void CStructureBrowseDlg::prepareDrag() {
    m_pDraggedFreeRows = new CUIntArray;
    m_hForbiddenCursor = ::LoadCursorA(nullptr, IDC_NO);
    m_hArrowCursor = ::LoadCursorA(nullptr, IDC_ARROW);
}

void CStructureBrowseDlg::beginDrag(CImageList* image, CPoint screenPoint, int& sourceFlag) {
    m_dragImage.Begin(image, screenPoint);
    m_bDragging = 1;
    sourceFlag = 1;
    m_hDropTarget = nullptr;
    SetCapture();
}

void CStructureBrowseDlg::endDrag() {
    ::ReleaseCapture();
    m_bDragging = 0;
    m_dragImage.End();
}

// Every selected free drawing file goes, in ascending row order.
void CStructureBrowseDlg::OnBeginDragFreeList(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const auto* note = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    vedrix::browser::collectSelectedRows(m_lcFreeFiles, *m_pDraggedFreeRows);
    if (m_pDraggedFreeRows->GetSize() == 0) {
        return;
    }
    const TBItemData* first = rowRecord(static_cast<int>(m_pDraggedFreeRows->GetAt(0)));
    m_nDraggedType = first != nullptr ? first->getType() : -1;
    CImageList* image = vedrix::browser::freeRowsDragImage(m_pDraggedFreeRows->GetSize());
    CPoint point(note->ptAction);
    m_lcFreeFiles.ClientToScreen(&point);
    beginDrag(image, point, m_bDragFromFreeList);
}

void CStructureBrowseDlg::OnBeginDragTree(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const auto* note = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    m_hDraggedItem = note->itemNew.hItem;
    m_tcStructure.SelectItem(m_hDraggedItem);
    const TBItemData* record = recordOf(m_hDraggedItem);
    m_nDraggedType = record != nullptr ? record->getType() : -1;
    CPoint point(note->ptDrag);
    m_tcStructure.ClientToScreen(&point);
    beginDrag(m_tcStructure.CreateDragImage(m_hDraggedItem), point, m_bDragFromTree);
}

void CStructureBrowseDlg::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bDragging) {
        ClientToScreen(&point);
        m_dragImage.Move(point);
        showDropCursor(CWnd::WindowFromPoint(point), point);
        m_dragImage.Show();
    }
    CDialog::OnMouseMove(nFlags, point);
}

bool CStructureBrowseDlg::treeItemMayLandOn(const CWnd* under) const {
    return !isListView(under) || (under->GetDlgCtrlID() == m_lcFreeFiles.GetDlgCtrlID() &&
                                  m_nDraggedType == TBItemData::kDrawingFile);
}

void CStructureBrowseDlg::dropOutsideTree(CWnd* under) {
    if (m_hDraggedItem == nullptr) {
        return;
    }
    if (m_tcStructure.ItemHasChildren(m_hDraggedItem)) {
        showMessage(2001);
        return;
    }
    if (!treeItemMayLandOn(under)) {
        ::MessageBeep(0);
        return;
    }
    removeItem(m_hDraggedItem);
}
