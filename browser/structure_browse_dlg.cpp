// The structure browsers' common ground: the parent's window, the records
// the tree's items and the free list's rows carry, and the message box.
#include "structure_browse_dlg.h"

CStructureBrowseDlg::CStructureBrowseDlg(UINT templateId, CWnd* pParent)
    : CDialog(templateId, pParent), m_pParent(pParent), m_hParentWnd(SafeHandle(pParent)) {}

CStructureBrowseDlg::~CStructureBrowseDlg() {
    delete m_pDraggedFreeRows;
}

TBItemData* CStructureBrowseDlg::recordOf(HTREEITEM item) const {
    return item != nullptr ? reinterpret_cast<TBItemData*>(m_tcStructure.GetItemData(item))
                           : nullptr;
}

TBItemData* CStructureBrowseDlg::rowRecord(int row) const {
    return reinterpret_cast<TBItemData*>(m_lcFreeFiles.GetItemData(row));
}

int CStructureBrowseDlg::showMessage(UINT textId, UINT type) {
    CString text;
    text.LoadString(textId);
    return showText(text, nullptr, type, (type & MB_ICONEXCLAMATION) != 0);
}

int CStructureBrowseDlg::showText(const CString& text, const char* caption, UINT type, bool beep) {
    if (beep) {
        ::MessageBeep(MB_ICONEXCLAMATION);
    }
    EnableWindow(FALSE);
    const int answer = ::MessageBoxA(m_hParentWnd, text, caption, MB_TASKMODAL | type);
    EnableWindow(TRUE);
    SetFocus();
    return answer;
}
