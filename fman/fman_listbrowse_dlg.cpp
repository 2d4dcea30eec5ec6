// The facility-management browser's frame: construction and destruction,
// the message map, where its controls go on resize, help, and the look-ups
// of its tree's items.
#include "fman_listbrowse_dlg.h"

#include <vedrix/model/root.h>
#include <vedrix/widgets/tree_list_class.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "dialog_frame.h"
#include "drawing_file_number.h"

namespace {

constexpr DWORD kHelpContext = 4823;

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
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CFmanListbrowseDlg::CFmanListbrowseDlg(CWnd* pParent) : CStructureBrowseDlg(IDD, pParent) {
    std::fill(std::begin(m_nImages), std::end(m_nImages), kImageSlotNone);
    m_csNewLevelStem.LoadString(2013);
    m_csOriginalName.LoadString(2036);
    m_csVariantStem.LoadString(2037);
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

// Characters 2 to 7 of the item's text ("tb001234.zdw ...") read as a
// number. The passes over every drawing file ask for it, so the tree is
// asked directly, and only for the characters needed; the record comes with
// them in the same question, and whether the item has children (the tree
// tells it for items inserted without a children count, as all of this
// dialog's are).
CFmanListbrowseDlg::WalkedItem CFmanListbrowseDlg::walkItem(HTREEITEM item) const {
    constexpr std::size_t kNumberEnd = 8;
    char text[kNumberEnd + 1] = {};
    TVITEMA request{};
    request.hItem = item;
    request.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    request.pszText = text;
    request.cchTextMax = sizeof text;
    WalkedItem walked;
    const bool answered = item != nullptr && m_tcStructure.WalkItem(&request);
    const char* label = request.pszText != nullptr ? request.pszText : "";
    walked.number = vedrix::browser::drawingFileNumberOf(label, std::strlen(label));
    if (answered) {
        walked.record = reinterpret_cast<TBItemData*>(request.lParam);
        walked.hasChildren = request.cChildren != 0;
    }
    return walked;
}

int CFmanListbrowseDlg::drawingFileNumber(HTREEITEM item) const {
    return walkItem(item).number;
}

int CFmanListbrowseDlg::imageOf(int type, bool checked) const {
    const int slot = type + (checked ? kImageSlotChecked : 0);
    return slot >= 0 && slot < vedrix::fman::kFmImageSlotCount ? m_nImages[slot] : kImageSlotNone;
}

BOOL CFmanListbrowseDlg::OnHelpInfo(HELPINFO*) {
    showHelp(kHelpContext);
    return TRUE;
}

// The tree takes the left part of the width, the free list the right part;
// both grow with the height, and what stands below them moves down.
void CFmanListbrowseDlg::layOut(const Layout& layout) {
    const auto place = [this](int id, int x, int width, int moveDown, int grow) {
        vedrix::browser::placeControl(*this, id, x, width, moveDown, grow);
    };
    place(kStructureTree, 15, layout.left, 0, layout.dy);
    place(kFreeList, layout.rightX, layout.right, 0, layout.dy);
    place(kNewLevelButton, 15, -1, 0, 0);
    place(kFreeListLabel, layout.rightX, layout.right, 0, 0);
    place(kHintText, 15, layout.left, layout.dy, 0);
    place(kInfoLine1, -1, layout.left - 9, layout.dy, 0);
    place(kInfoLine2, -1, layout.left - 9, layout.dy, 0);
    for (int id : {static_cast<int>(kConfirmButton), static_cast<int>(kCancelButton)}) {
        vedrix::browser::shiftControl(*this, id, layout.dx, layout.dy, 0, 0);
    }
}
