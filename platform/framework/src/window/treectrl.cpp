#include <vedrix/framework/treectrl.h>

#include <cstring>

#include <vedrix/framework/controls.h>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
    // Labels are limited to what the control hands out in one call.
    char buffer[1024] = "";
    TVITEMA item{};
    item.hItem = hItem;
    item.mask = TVIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    GetItem(&item);
    return CString(item.pszText != nullptr ? item.pszText : "");
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCSTR lpszItem) {
    TVITEMA item{};
    item.hItem = hItem;
    item.mask = TVIF_TEXT;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return SetItem(&item);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
    TVITEMA item{};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    if (!GetItem(&item)) {
        return FALSE;
    }
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
    TVITEMA item{};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return SetItem(&item);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
    TVITEMA item{};
    item.hItem = hItem;
    item.mask = TVIF_STATE;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
    TVITEMA item{};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

DWORD_PTR CTreeCtrl::WalkItemData(HTREEITEM hItem) const {
    TVITEMA item{};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    return WalkItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

HTREEITEM CTreeCtrl::WalkNext(HTREEITEM hItem, UINT nCode) const {
    return reinterpret_cast<HTREEITEM>(
        AskControl(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
}

LRESULT CTreeCtrl::AskControl(UINT message, WPARAM wParam, LPARAM lParam) const {
    return m_pfnSuper != nullptr ? ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam)
                                 : SendMessage(message, wParam, lParam);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
    TVITEMA item{};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
    // The control takes the item in the rectangle it fills; a RECT is only
    // 4-byte aligned, so the handle is copied in bytewise.
    std::memcpy(lpRect, &hItem, sizeof hItem);
    return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, static_cast<WPARAM>(bTextOnly),
                                         reinterpret_cast<LPARAM>(lpRect)));
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage,
                                UINT nState, UINT nStateMask, LPARAM lParam, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = nMask;
    insert.item.pszText = const_cast<LPSTR>(lpszItem);
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    insert.item.state = nState;
    insert.item.stateMask = nStateMask;
    insert.item.lParam = lParam;
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage,
                      0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const {
    TVHITTESTINFO info{};
    info.pt = pt;
    HTREEITEM hItem = HitTest(&info);
    if (pFlags != nullptr) {
        *pFlags = info.flags;
    }
    return hItem;
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem) {
    return CWnd::FromHandleAs<CEdit>(
        reinterpret_cast<HWND>(SendMessage(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(hItem))));
}

CEdit* CTreeCtrl::GetEditControl() const {
    return CWnd::FromHandleAs<CEdit>(reinterpret_cast<HWND>(SendMessage(TVM_GETEDITCONTROL)));
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM hItem) {
    HIMAGELIST hImageList = reinterpret_cast<HIMAGELIST>(
        SendMessage(TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(hItem)));
    if (hImageList == nullptr) {
        return nullptr;
    }
    auto* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;
}
