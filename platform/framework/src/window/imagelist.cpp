#include <vedrix/framework/imagelist.h>

#include <memory>
#include <unordered_map>

#include <vedrix/framework/gdi.h>
#include <vedrix/framework/winapp.h>
#include <vedrix/framework/wnd.h>

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::~CImageList() {
    if (!m_temporary) {
        DeleteImageList();
    }
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList) {
    // Wrappers for lists without an object; they do not own their lists.
    static std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList>> wrappers;
    if (hImageList == nullptr) {
        return nullptr;
    }
    auto it = wrappers.find(hImageList);
    if (it == wrappers.end()) {
        auto wrapper = std::make_unique<CImageList>();
        wrapper->m_hImageList = hImageList;
        wrapper->m_temporary = true;
        it = wrappers.emplace(hImageList, std::move(wrapper)).first;
    }
    return it->second.get();
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
    if (hImageList == nullptr || m_hImageList != nullptr) {
        return FALSE;
    }
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST hImageList = m_hImageList;
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nBitmapID)) {
        return FALSE;
    }
    BITMAP info{};
    bitmap.GetBitmap(&info);
    if (cx <= 0 || !Create(cx, info.bmHeight, ILC_COLOR24 | ILC_MASK, info.bmWidth / cx, nGrow)) {
        return FALSE;
    }
    return Add(&bitmap, crMask) >= 0 ? TRUE : FALSE;
}

BOOL CImageList::DeleteImageList() {
    if (m_hImageList == nullptr) {
        return FALSE;
    }
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->m_hObject),
                         pbmMask != nullptr ? static_cast<HBITMAP>(pbmMask->m_hObject) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->m_hObject), crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Replace(
        m_hImageList, nImage, static_cast<HBITMAP>(pbmImage->m_hObject),
        pbmMask != nullptr ? static_cast<HBITMAP>(pbmMask->m_hObject) : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
    return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DragEnter(CWnd* pWndLock, CPoint point) {
    return ImageList_DragEnter(CWnd::SafeHandle(pWndLock), point.x, point.y);
}

BOOL CImageList::DragLeave(CWnd* pWndLock) {
    return ImageList_DragLeave(CWnd::SafeHandle(pWndLock));
}
