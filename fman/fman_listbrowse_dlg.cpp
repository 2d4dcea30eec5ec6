// The facility-management browser's frame: construction and destruction,
// the message map, layout on resize, the minimised icon, help and the
// browser's message boxes.
#include "fman_listbrowse_dlg.h"

#include <vedrix/model/root.h>
#include <vedrix/widgets/tree_list_class.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "dialog_frame.h"

namespace {

constexpr DWORD kHelpContext = 4823;
constexpr int kDialogIcon = 109;
constexpr int kMinimumWidth = 500;
constexpr int kMinimumHeight = 450;

}  // namespace

BEGIN_MESSAGE_MAP(CFmanListbrowseDlg, CStructureBrowseDlg)
ON_BN_CLICKED(kConfirmButton, OnConfirmButton)
ON_BN_CLICKED(kCancelButton, OnCancelButton)
ON_BN_CLICKED(kNewLevelButton, OnNewLevel)
ON_COMMAND(kNewLevelCommand, OnNewLevel)
ON_COMMAND(kDeleteCommand, OnDeleteCommand)
ON_COMMAND(kDeleteViewCommand, OnDeleteCommand)
ON_COMMAND(kTreeViewCommand, OnStartTreeView)
ON_COMMAND(kVariantOfOriginalCommand, OnVariantOfOriginal)
ON_COMMAND(kVariantOfVariantCommand, OnVariantOfVariant)
ON_COMMAND(kDrawingCommand, OnHostDrawing)
ON_COMMAND(kRenameLevelCommand, OnRenameCommand)
ON_COMMAND(kRenameViewCommand, OnRenameCommand)
ON_EN_KILLFOCUS(kStartNumberField, OnStartNumberKillFocus)
ON_EN_CHANGE(kStartNumberField, OnStartNumberChange)
ON_WM_HELPINFO()
ON_NOTIFY(NM_CLICK, kStructureTree, OnTreeClick)
ON_NOTIFY(NM_RCLICK, kStructureTree, OnTreeRightClick)
ON_NOTIFY(TVN_ITEMEXPANDED, kStructureTree, OnItemExpanded)
ON_NOTIFY(TVN_BEGINLABELEDIT, kStructureTree, OnBeginLabelEdit)
ON_NOTIFY(TVN_ENDLABELEDIT, kStructureTree, OnEndLabelEdit)
ON_NOTIFY(TVN_KEYDOWN, kStructureTree, OnTreeKeyDown)
ON_NOTIFY(TVN_SELCHANGED, kStructureTree, OnSelChanged)
ON_NOTIFY(TVN_BEGINDRAG, kStructureTree, OnBeginDragTree)
ON_NOTIFY(LVN_BEGINDRAG, kFreeList, OnBeginDragFreeList)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDBLCLK()
ON_WM_SIZE()
ON_WM_GETMINMAXINFO()
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CFmanListbrowseDlg::CFmanListbrowseDlg(CWnd* pParent) : CStructureBrowseDlg(IDD, pParent) {
    std::fill(std::begin(m_nImages), std::end(m_nImages), kImageSlotNone);
    m_csNewLevelStem.LoadString(2013);
    m_csOriginalName.LoadString(2036);
    m_csVariantStem.LoadString(2037);
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kDialogIcon));
}

// The view list goes back to the view file whether the dialog was
// confirmed or not.
CFmanListbrowseDlg::~CFmanListbrowseDlg() {
    UnregisterTreeListClass();
    delete m_pItemImages;
    if (m_pStructureNumbers != nullptr) {
        m_pStructureNumbers->RemoveAll();
        delete m_pStructureNumbers;
    }
    delete m_pCreatedCopies;
    delete m_pRoot;
    if (m_pViewList != nullptr) {
        m_pViewList->writeAndDestroy();
        delete m_pViewList;
    }
}

void CFmanListbrowseDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kNewLevelButton, m_btNewLevel);
    DDX_Control(pDX, kStructureTree, m_tcStructure);
    DDX_Control(pDX, kFreeList, m_lcFreeFiles);
    DDX_Text(pDX, kStartNumberField, m_nVariantStartNumber);
    DDV_MinMaxInt(pDX, m_nVariantStartNumber, 1, 9999);
}

HTREEITEM CFmanListbrowseDlg::insertSorted(HTREEITEM parent, const CString& text, int image,
                                           UINT state, TBItemData* record) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(static_cast<LPCSTR>(text));
    insert.item.cchTextMax = kMaxItemText;
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.state = state;
    insert.item.stateMask = TVIS_STATEIMAGEMASK | TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    insert.item.lParam = reinterpret_cast<LPARAM>(record);
    HTREEITEM item = m_tcStructure.InsertItem(&insert);
    if (item == nullptr) {
        delete record;
    }
    return item;
}

int CFmanListbrowseDlg::drawingFileNumber(HTREEITEM item) const {
    return std::atoi(m_tcStructure.GetItemText(item).Mid(2, 6));
}

int CFmanListbrowseDlg::imageOf(int type, bool checked) const {
    const int slot = type + (checked ? kImageSlotChecked : 0);
    return slot >= 0 && slot < vedrix::fman::kFmImageSlotCount ? m_nImages[slot] : kImageSlotNone;
}

void CFmanListbrowseDlg::OnRButtonDblClk(UINT nFlags, CPoint point) {
    OnOK();
    CDialog::OnRButtonDblClk(nFlags, point);
}

BOOL CFmanListbrowseDlg::OnHelpInfo(HELPINFO*) {
    SetHelpID(kHelpContext);
    if (CWinApp* app = AfxGetApp()) {
        app->WinHelpInternal(kHelpContext, HELP_CONTEXT, m_hParentWnd);
    }
    return TRUE;
}

// The tree takes the left part of the width, the free list the right part;
// both grow with the height, and what stands below them moves down.
void CFmanListbrowseDlg::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    if (m_bLaidOut == 1 && nType != SIZE_MINIMIZED) {
        const int dx = cx - m_nLastWidth;
        const int dy = cy - m_nLastHeight;
        const int left = ((cx - 35) * 5) / 9;
        const int right = cx - 35 - left;
        const int rightX = left + 20;
        const auto place = [this](int id, int x, int width, int moveDown, int grow) {
            vedrix::browser::placeControl(*this, id, x, width, moveDown, grow);
        };
        place(kStructureTree, 15, left, 0, dy);
        place(kFreeList, rightX, right, 0, dy);
        place(kNewLevelButton, 15, -1, 0, 0);
        place(kFreeListLabel, rightX, right, 0, 0);
        place(kHintText, 15, left, dy, 0);
        place(kInfoLine1, -1, left - 9, dy, 0);
        place(kInfoLine2, -1, left - 9, dy, 0);
        for (int id : {static_cast<int>(kConfirmButton), static_cast<int>(kCancelButton)}) {
            vedrix::browser::shiftControl(*this, id, dx, dy, 0, 0);
        }
    }
    if (nType != SIZE_MINIMIZED) {
        m_nLastWidth = cx;
        m_nLastHeight = cy;
    }
    Invalidate();
}

void CFmanListbrowseDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
    lpMMI->ptMinTrackSize.x = kMinimumWidth;
    lpMMI->ptMinTrackSize.y = kMinimumHeight;
}

// Minimised, the dialog shows its icon in the middle of what is left of it.
void CFmanListbrowseDlg::OnPaint() {
    if (!vedrix::browser::paintIconWhenMinimised(*this, m_hIcon)) {
        CDialog::OnPaint();
    }
}

// The free list's records belong to the dialog; each row's parameter is
// cleared before its record goes. The tree frees its items' records.
void CFmanListbrowseDlg::OnDestroy() {
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
