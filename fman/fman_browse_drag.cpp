// Drag and drop in the facility-management browser. Free drawing files
// dropped onto a view join it, as far as a view may hold drawing files; a
// tree item dragged out of the tree leaves the structure. Items never move
// within the tree. The cursor says where a drop is allowed.
#include "fman_listbrowse_dlg.h"

#include "fm_view_form.h"

#include <zelkar/file_access.h>

namespace {

// A view is any item that is neither the root, nor a level, nor a drawing
// file.
bool isView(const TBItemData* record) {
    return record != nullptr && record->getType() != TBItemData::kRoot &&
           record->getType() != vedrix::fman::kViewLevel &&
           record->getType() != TBItemData::kDrawingFile;
}

}  // namespace

// Over the tree only free drawing files may land, and only on a view, which
// is shown as the drop target. A tree item may leave the tree for the free
// list (a drawing file) or for anything that is not a list.
void CFmanListbrowseDlg::showDropCursor(CWnd* under, CPoint screenPoint) {
    bool allowed = false;
    if (isTree(under)) {
        if (m_bDragFromFreeList) {
            CPoint client = screenPoint;
            m_tcStructure.ScreenToClient(&client);
            m_hDropTarget = m_tcStructure.HitTest(client);
            allowed = m_hDropTarget != nullptr && isView(recordOf(m_hDropTarget));
            m_tcStructure.SelectDropTarget(m_hDropTarget);
        }
    } else if (m_bDragFromTree) {
        allowed = treeItemMayLandOn(under);
    }
    ::SetCursor(allowed ? m_hArrowCursor : m_hForbiddenCursor);
}

void CFmanListbrowseDlg::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bDragging) {
        endDrag();
        m_tcStructure.SelectDropTarget(nullptr);
        CPoint screen = point;
        ClientToScreen(&screen);
        CWnd* under = CWnd::WindowFromPoint(screen);
        if (isTree(under)) {
            if (m_bDragFromFreeList && m_hDropTarget != nullptr &&
                isView(recordOf(m_hDropTarget))) {
                dropFreeRowsOnView(m_hDropTarget);
            } else {
                ::MessageBeep(0);
            }
        } else if (m_bDragFromTree) {
            dropOutsideTree(under);
        }
        m_bDragFromTree = 0;
        m_bDragFromFreeList = 0;
        m_hDropTarget = nullptr;
        ::SetCursor(m_hArrowCursor);
    }
    CDialog::OnLButtonUp(nFlags, point);
}

// A drawing file under `view`, sorted, in the check state of `from`, with
// its type, flags and remembered parent, marked as inserted.
HTREEITEM CFmanListbrowseDlg::insertDrawingFile(HTREEITEM view, const CString& text,
                                                const TBItemData& from, unsigned long number) {
    auto* record = new TBItemData(from.getType(), from.getFlags(), number, 0, nullptr, nullptr,
                                  from.getExtra());
    record->markInserted();
    const bool checked = from.isChecked();
    return insertSorted(view, text, imageOf(from.getType(), checked),
                        INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), record);
}

// A view holds at most kgtbls() drawing files: a drop that would make more
// is refused as a whole. The rows go from the last to the first, so that
// deleting one leaves the indices of those still to come as they were.
void CFmanListbrowseDlg::dropFreeRowsOnView(HTREEITEM view) {
    int held = 0;
    for (HTREEITEM child = m_tcStructure.GetChildItem(view); child != nullptr;
         child = m_tcStructure.GetNextSiblingItem(child)) {
        const TBItemData* record = recordOf(child);
        if (record != nullptr && record->getType() == TBItemData::kDrawingFile) {
            ++held;
        }
    }
    const int limit = kgtbls();
    const int dragged = static_cast<int>(m_pDraggedFreeRows->GetSize());
    if (held + dragged - 1 >= limit) {
        CString text;
        text.LoadString(2041);
        CString count;
        count.Format("(%d)", limit);
        text.Replace("(40)", count);
        showText(text, nullptr, MB_ICONEXCLAMATION, true);
        m_pDraggedFreeRows->RemoveAll();
        return;
    }
    HTREEITEM last = nullptr;
    for (INT_PTR i = dragged - 1; i >= 0; --i) {
        const int row = static_cast<int>(m_pDraggedFreeRows->GetAt(i));
        TBItemData* from = rowRecord(row);
        CString text = m_lcFreeFiles.GetItemText(row, 0) + "  " + m_lcFreeFiles.GetItemText(row, 1);
        text.Trim();
        if (from != nullptr) {
            if (HTREEITEM item = insertDrawingFile(view, text, *from, from->getNumber())) {
                last = item;
            }
        }
        m_lcFreeFiles.SetItemData(row, 0);
        delete from;
        m_lcFreeFiles.DeleteItem(row);
    }
    m_pDraggedFreeRows->RemoveAll();
    if (last != nullptr) {
        m_tcStructure.SelectItem(last);
    }
    m_tcStructure.SetFocus();
}
