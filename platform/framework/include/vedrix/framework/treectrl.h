// CTreeCtrl: the tree view control as an object. Each call is the control's
// message.
#pragma once

#include <windows.h>
// commctrl.h needs the base types of windows.h before it.
#include <commctrl.h>

#include <vedrix/framework/controls.h>
#include <vedrix/framework/cstring.h>
#include <vedrix/framework/export.h>
#include <vedrix/framework/imagelist.h>
#include <vedrix/framework/wnd.h>

class VEDRIX_FRAMEWORK_API CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)

public:
    using CWnd::CWnd;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
        return CWnd::Create(WC_TREEVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
    }

    UINT GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }
    UINT GetVisibleCount() const { return static_cast<UINT>(SendMessage(TVM_GETVISIBLECOUNT)); }
    UINT GetIndent() const { return static_cast<UINT>(SendMessage(TVM_GETINDENT)); }
    void SetIndent(UINT nIndent) { SendMessage(TVM_SETINDENT, nIndent); }
    CImageList* GetImageList(int nImageList) const {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
            SendMessage(TVM_GETIMAGELIST, static_cast<WPARAM>(nImageList))));
    }
    CImageList* SetImageList(CImageList* pImageList, int nImageList) {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(
            TVM_SETIMAGELIST, static_cast<WPARAM>(nImageList),
            reinterpret_cast<LPARAM>(pImageList != nullptr ? pImageList->m_hImageList : nullptr))));
    }

    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessage(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
    }
    BOOL ItemHasChildren(HTREEITEM hItem) const { return GetChildItem(hItem) != nullptr; }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const {
        return GetNextItem(hItem, TVGN_PREVIOUS);
    }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const {
        return GetNextItem(hItem, TVGN_NEXTVISIBLE);
    }
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const {
        return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE);
    }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }

    // Walking every item of a big tree: the same questions as GetChildItem,
    // GetNextSiblingItem, GetItemData and GetItem, put to the control's own
    // procedure directly instead of through the framework's message
    // routing, which costs twice the question itself. The framework's
    // message maps never answer these questions, so the answers are the
    // same; a class whose map would answer them must not be walked this way.
    HTREEITEM WalkChild(HTREEITEM hItem) const { return WalkNext(hItem, TVGN_CHILD); }
    HTREEITEM WalkNextSibling(HTREEITEM hItem) const { return WalkNext(hItem, TVGN_NEXT); }
    DWORD_PTR WalkItemData(HTREEITEM hItem) const;
    BOOL WalkItem(TVITEMA* pItem) const {
        return static_cast<BOOL>(AskControl(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    // Filling a big tree: InsertItem put to the control's own procedure in
    // the same way. No message map of the framework answers an insertion,
    // and the control's notifications still reach the parent as usual.
    HTREEITEM FillItem(LPTVINSERTSTRUCTA lpInsertStruct) {
        return reinterpret_cast<HTREEITEM>(
            AskControl(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
    }

    BOOL GetItem(TVITEMA* pItem) const {
        return static_cast<BOOL>(SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    BOOL SetItem(TVITEMA* pItem) {
        return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(pItem)));
    }
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCSTR lpszItem);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const {
        return static_cast<UINT>(
            SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), nStateMask));
    }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;

    HTREEITEM InsertItem(LPTVINSERTSTRUCTA lpInsertStruct) {
        return reinterpret_cast<HTREEITEM>(
            SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
    }
    HTREEITEM InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                         UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage,
                         HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem) {
        return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)));
    }
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) {
        return static_cast<BOOL>(SendMessage(TVM_EXPAND, nCode, reinterpret_cast<LPARAM>(hItem)));
    }
    BOOL Select(HTREEITEM hItem, UINT nCode) {
        return static_cast<BOOL>(
            SendMessage(TVM_SELECTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
    }
    BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
    BOOL SelectSetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }
    BOOL EnsureVisible(HTREEITEM hItem) {
        return static_cast<BOOL>(
            SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem)));
    }
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
    }
    CEdit* EditLabel(HTREEITEM hItem);
    CEdit* GetEditControl() const;
    BOOL EndEditLabelNow(BOOL fCancelWithoutSave) {
        return static_cast<BOOL>(
            SendMessage(TVM_ENDEDITLABELNOW, static_cast<WPARAM>(fCancelWithoutSave)));
    }
    // The caller owns the returned image list (delete it).
    CImageList* CreateDragImage(HTREEITEM hItem);
    BOOL SortChildren(HTREEITEM hItem) {
        return static_cast<BOOL>(SendMessage(TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(hItem)));
    }
    BOOL SortChildrenCB(LPTVSORTCB pSort) {
        return static_cast<BOOL>(
            SendMessage(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(pSort)));
    }

private:
    HTREEITEM WalkNext(HTREEITEM hItem, UINT nCode) const;
    // A question for the control's own procedure: the one the window had
    // before this object took it over, else the window's (through routing).
    LRESULT AskControl(UINT message, WPARAM wParam, LPARAM lParam) const;
};
