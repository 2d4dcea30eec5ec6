// The structure browsers' common ground: the parent's window, the frame
// (icon, help, resizing, closing), the records the tree's items and the free
// list's rows carry, and the message box.
#include "structure_browse_dlg.h"

#include "dialog_frame.h"
#include "structure_files.h"

namespace {

constexpr int kDialogIcon = 109;
constexpr int kMinimumWidth = 500;
constexpr int kMinimumHeight = 450;

}  // namespace

BEGIN_MESSAGE_MAP(CStructureBrowseDlg, CDialog)
ON_WM_MOUSEMOVE()
ON_WM_RBUTTONDBLCLK()
ON_WM_SIZE()
ON_WM_GETMINMAXINFO()
ON_WM_PAINT()
END_MESSAGE_MAP()

CStructureBrowseDlg::CStructureBrowseDlg(UINT templateId, CWnd* pParent)
    : CDialog(templateId, pParent), m_pParent(pParent), m_hParentWnd(SafeHandle(pParent)) {
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kDialogIcon));
}

CStructureBrowseDlg::~CStructureBrowseDlg() {
    delete m_pDraggedFreeRows;
}

TBItemData* CStructureBrowseDlg::recordOf(HTREEITEM item) const {
    return item != nullptr ? reinterpret_cast<TBItemData*>(m_tcStructure.GetItemData(item))
                           : nullptr;
}

TBItemData* CStructureBrowseDlg::walkedRecordOf(HTREEITEM item) const {
    return item != nullptr ? reinterpret_cast<TBItemData*>(m_tcStructure.WalkItemData(item))
                           : nullptr;
}

TBItemData* CStructureBrowseDlg::rowRecord(int row) const {
    return reinterpret_cast<TBItemData*>(m_lcFreeFiles.GetItemData(row));
}

HTREEITEM CStructureBrowseDlg::renewRootFromFiles(Zel_GM_Root*& root,
                                                  const CString& directoryPrefix) {
    delete root;
    root = new Zel_GM_Root(ZU_String(m_csTitle));
    vedrix::browser::readStructureFiles(*root, directoryPrefix, m_csHreName, m_csStructureName, 0);
    HTREEITEM rootItem = m_tcStructure.GetRootItem();
    if (rootItem == nullptr) {
        return nullptr;
    }
    if (TBItemData* record = recordOf(rootItem)) {
        record->setLevelID(0);
        record->handAttributesTo(root->getAttributes());
    }
    return m_tcStructure.GetChildItem(rootItem);
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

void CStructureBrowseDlg::startLayout() {
    m_bLaidOut = 1;
    CRect client;
    GetClientRect(&client);
    m_nLastWidth = client.Width();
    m_nLastHeight = client.Height();
}

void CStructureBrowseDlg::showIcon() {
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
}

void CStructureBrowseDlg::showHelp(DWORD context) {
    SetHelpID(context);
    if (CWinApp* app = AfxGetApp()) {
        app->WinHelpInternal(context, HELP_CONTEXT, m_hParentWnd);
    }
}

void CStructureBrowseDlg::OnRButtonDblClk(UINT nFlags, CPoint point) {
    OnOK();
    CDialog::OnRButtonDblClk(nFlags, point);
}

// The tree takes five ninths of the width left between the margins, the
// controls right of it the rest.
void CStructureBrowseDlg::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    if (m_bLaidOut == 1 && nType != SIZE_MINIMIZED) {
        const int left = ((cx - 35) * 5) / 9;
        layOut({cx - m_nLastWidth, cy - m_nLastHeight, left, cx - 35 - left, left + 20});
    }
    if (nType != SIZE_MINIMIZED) {
        m_nLastWidth = cx;
        m_nLastHeight = cy;
    }
    Invalidate();
}

void CStructureBrowseDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
    lpMMI->ptMinTrackSize.x = kMinimumWidth;
    lpMMI->ptMinTrackSize.y = kMinimumHeight;
}

// Minimised, the dialog shows its icon in the middle of what is left of it.
void CStructureBrowseDlg::OnPaint() {
    if (!vedrix::browser::paintIconWhenMinimised(*this, m_hIcon)) {
        CDialog::OnPaint();
    }
}

void CStructureBrowseDlg::OnDestroy() {
    if (m_lcFreeFiles.m_hWnd != nullptr) {
        for (int row = 0; row < m_lcFreeFiles.GetItemCount(); ++row) {
            TBItemData* record = rowRecord(row);
            m_lcFreeFiles.SetItemData(row, 0);
            delete record;
        }
    }
    m_dragImage.End();
    CDialog::OnDestroy();
}
