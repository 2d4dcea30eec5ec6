// The list browser's frame: construction and destruction, the message map,
// layout on resize, the minimised icon, help and the ways the dialog closes.
#include "listbrowse_dlg.h"

#include "attribute_dlg.h"

#include <vedrix/model/root.h>
#include <vedrix/widgets/tree_list_class.h>

#include <algorithm>
#include <iterator>

#include "dialog_frame.h"

namespace {

constexpr int kNothingCommand = 1010;
constexpr int kAttributeCommand = 32772;
constexpr UINT kHelpCommand = 57670;  // the framework's ID_HELP
constexpr DWORD kHelpContext = 2258;
constexpr int kDialogIcon = 109;
constexpr int kMinimumWidth = 500;
constexpr int kMinimumHeight = 450;

}  // namespace

BEGIN_MESSAGE_MAP(CListbrowseDlg, CDialog)
ON_BN_CLICKED(kConfirmButton, OnConfirmButton)
ON_BN_CLICKED(kCancelButton, OnCancelButton)
ON_COMMAND(kNothingCommand, OnNothing)
ON_COMMAND(kAttributeCommand, OnAttributeCommand)
ON_COMMAND(kHelpCommand, OnHelpCommand)
ON_WM_HELPINFO()
ON_NOTIFY(NM_CLICK, kStructureTree, OnTreeClick)
ON_NOTIFY(NM_RCLICK, kStructureTree, OnTreeRightClick)
ON_NOTIFY(TVN_ITEMEXPANDED, kStructureTree, OnItemExpanded)
ON_NOTIFY(TVN_BEGINLABELEDIT, kStructureTree, OnBeginLabelEdit)
ON_NOTIFY(TVN_ENDLABELEDIT, kStructureTree, OnEndLabelEdit)
ON_NOTIFY(TVN_KEYDOWN, kStructureTree, OnTreeKeyDown)
ON_NOTIFY(TVN_BEGINDRAG, kStructureTree, OnBeginDragTree)
ON_NOTIFY(LVN_BEGINDRAG, kFreeList, OnBeginDragFreeList)
ON_NOTIFY(LVN_BEGINDRAG, kPalette, OnBeginDragPalette)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDBLCLK()
ON_WM_SIZE()
ON_WM_GETMINMAXINFO()
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CListbrowseDlg::CListbrowseDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_pParent(pParent), m_hParentWnd(SafeHandle(pParent)) {
    std::fill(std::begin(m_nImages), std::end(m_nImages), kImageSlotNone);
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kDialogIcon));
}

CListbrowseDlg::~CListbrowseDlg() {
    UnregisterTreeListClass();
    delete m_pItemImages;
    delete m_pStateImages;
    if (m_pStructureNumbers != nullptr) {
        m_pStructureNumbers->RemoveAll();
        delete m_pStructureNumbers;
    }
    if (m_pDraggedFreeRows != nullptr) {
        m_pDraggedFreeRows->RemoveAll();
        delete m_pDraggedFreeRows;
    }
    delete m_pRoot;
}

void CListbrowseDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kStructureTree, m_tcStructure);
    DDX_Control(pDX, kFreeList, m_lcFreeFiles);
    DDX_Control(pDX, kPalette, m_lcPalette);
}

TBItemData* CListbrowseDlg::recordOf(HTREEITEM item) const {
    return item != nullptr ? reinterpret_cast<TBItemData*>(m_tcStructure.GetItemData(item))
                           : nullptr;
}

int CListbrowseDlg::imageOf(int type, bool checked) const {
    const int slot = type + (checked ? kImageSlotChecked : 0);
    return slot >= 0 && slot < kImageSlotCount ? m_nImages[slot] : kImageSlotNone;
}

void CListbrowseDlg::showMessage(UINT textId) {
    CString text;
    text.LoadString(textId);
    ::MessageBeep(MB_ICONEXCLAMATION);
    EnableWindow(FALSE);
    ::MessageBoxA(m_hParentWnd, text, nullptr, MB_TASKMODAL | MB_ICONEXCLAMATION);
    EnableWindow(TRUE);
    SetFocus();
}

// Cancel writes nothing. While a label is being edited, Escape ends the edit
// instead, and a cancel that does not come from Escape only beeps.
void CListbrowseDlg::OnCancel() {
    if (m_bLabelEditing && keepLabelEditOpen(VK_ESCAPE)) {
        return;
    }
    EndDialog(IDCANCEL);
}

void CListbrowseDlg::OnRButtonDblClk(UINT nFlags, CPoint point) {
    OnOK();
    CDialog::OnRButtonDblClk(nFlags, point);
}

// The attribute editor for the selected item: its rows go back into the
// item's record when the person confirms, and into the hierarchy file when
// the browser is confirmed. Handling the command here keeps it from going
// round the application back to this dialog.
void CListbrowseDlg::OnAttributeCommand() {
    HTREEITEM item = m_tcStructure.GetSelectedItem();
    TBItemData* record = recordOf(item);
    if (record == nullptr) {
        return;
    }
    CString path;
    for (HTREEITEM above = m_tcStructure.GetParentItem(item); above != nullptr;
         above = m_tcStructure.GetParentItem(above)) {
        path = m_tcStructure.GetItemText(above) + "\\" + path;
    }
    CAttributeDlg dialog(&record->getAttributes(), path, m_tcStructure.GetItemText(item));
    dialog.DoModal();
}

void CListbrowseDlg::OnHelpCommand() {
    SetHelpID(kHelpContext);
    if (CWinApp* app = AfxGetApp()) {
        app->WinHelpInternal(kHelpContext, HELP_CONTEXT, m_hParentWnd);
    }
}

BOOL CListbrowseDlg::OnHelpInfo(HELPINFO*) {
    OnHelpCommand();
    return TRUE;
}

// The tree takes the left part of the width and grows with the height; the
// palette and the free list share the right part, the palette taking a
// quarter of a change in height and the free list the rest.
void CListbrowseDlg::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    if (m_bLaidOut == 1 && nType != SIZE_MINIMIZED) {
        const int dx = cx - m_nLastWidth;
        const int dy = cy - m_nLastHeight;
        const int left = ((cx - 35) * 5) / 9;
        const int right = cx - 35 - left;
        const int rightX = left + 20;
        const int quarter = dy / 4;
        const auto place = [this](int id, int x, int width, int moveDown, int grow) {
            vedrix::browser::placeControl(*this, id, x, width, moveDown, grow);
        };
        place(kTreeLabel, 15, left, 0, 0);
        place(kStructureTree, 15, left, 0, dy);
        place(kPaletteLabel, rightX, right, 0, 0);
        place(kPalette, rightX, right, 0, quarter);
        place(kFreeListLabel, rightX, right, quarter, 0);
        place(kFreeList, rightX, right, quarter, dy - quarter);
        for (int id : {kConfirmButton, kCancelButton}) {
            vedrix::browser::shiftControl(*this, id, dx, dy, 0, 0);
        }
    }
    if (nType != SIZE_MINIMIZED) {
        m_nLastWidth = cx;
        m_nLastHeight = cy;
    }
    Invalidate();
}

void CListbrowseDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
    lpMMI->ptMinTrackSize.x = kMinimumWidth;
    lpMMI->ptMinTrackSize.y = kMinimumHeight;
}

// Minimised, the dialog shows its icon in the middle of what is left of it.
void CListbrowseDlg::OnPaint() {
    if (!vedrix::browser::paintIconWhenMinimised(*this, m_hIcon)) {
        CDialog::OnPaint();
    }
}

// The rows' records belong to the dialog; each row's parameter is cleared
// before its record goes.
void CListbrowseDlg::OnDestroy() {
    for (CListCtrl* list : {&m_lcPalette, &m_lcFreeFiles}) {
        if (list->m_hWnd == nullptr) {
            continue;
        }
        for (int row = 0; row < list->GetItemCount(); ++row) {
            auto* record = reinterpret_cast<TBItemData*>(list->GetItemData(row));
            list->SetItemData(row, 0);
            delete record;
        }
    }
    m_dragImage.End();
    CDialog::OnDestroy();
}
