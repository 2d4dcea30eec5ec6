// The list browser's frame: construction and destruction, the message map,
// where its controls go on resize, help and the ways the dialog closes.
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

}  // namespace

BEGIN_MESSAGE_MAP(CListbrowseDlg, CStructureBrowseDlg)
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
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CListbrowseDlg::CListbrowseDlg(CWnd* pParent) : CStructureBrowseDlg(IDD, pParent) {
    std::fill(std::begin(m_nImages), std::end(m_nImages), kImageSlotNone);
}

CListbrowseDlg::~CListbrowseDlg() {
    UnregisterTreeListClass();
    delete m_pItemImages;
    delete m_pStateImages;
    if (m_pStructureNumbers != nullptr) {
        m_pStructureNumbers->RemoveAll();
        delete m_pStructureNumbers;
    }
    delete m_pRoot;
}

void CListbrowseDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kStructureTree, m_tcStructure);
    DDX_Control(pDX, kFreeList, m_lcFreeFiles);
    DDX_Control(pDX, kPalette, m_lcPalette);
}

int CListbrowseDlg::imageOf(int type, bool checked) const {
    const int slot = type + (checked ? kImageSlotChecked : 0);
    return slot >= 0 && slot < kImageSlotCount ? m_nImages[slot] : kImageSlotNone;
}

// Cancel writes nothing. While a label is being edited, Escape ends the edit
// instead, and a cancel that does not come from Escape only beeps.
void CListbrowseDlg::OnCancel() {
    if (m_bLabelEditing && keepLabelEditOpen(VK_ESCAPE)) {
        return;
    }
    EndDialog(IDCANCEL);
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
    showHelp(kHelpContext);
}

BOOL CListbrowseDlg::OnHelpInfo(HELPINFO*) {
    OnHelpCommand();
    return TRUE;
}

// The tree takes the left part of the width and grows with the height; the
// palette and the free list share the right part, the palette taking a
// quarter of a change in height and the free list the rest.
void CListbrowseDlg::layOut(const Layout& layout) {
    const int quarter = layout.dy / 4;
    const auto place = [this](int id, int x, int width, int moveDown, int grow) {
        vedrix::browser::placeControl(*this, id, x, width, moveDown, grow);
    };
    place(kTreeLabel, 15, layout.left, 0, 0);
    place(kStructureTree, 15, layout.left, 0, layout.dy);
    place(kPaletteLabel, layout.rightX, layout.right, 0, 0);
    place(kPalette, layout.rightX, layout.right, 0, quarter);
    place(kFreeListLabel, layout.rightX, layout.right, quarter, 0);
    place(kFreeList, layout.rightX, layout.right, quarter, layout.dy - quarter);
    for (int id : {kConfirmButton, kCancelButton}) {
        vedrix::browser::shiftControl(*this, id, layout.dx, layout.dy, 0, 0);
    }
}

// The palette's records belong to the dialog; each row's parameter is
// cleared before its record goes.
void CListbrowseDlg::OnDestroy() {
    if (m_lcPalette.m_hWnd != nullptr) {
        for (int row = 0; row < m_lcPalette.GetItemCount(); ++row) {
            auto* record = reinterpret_cast<TBItemData*>(m_lcPalette.GetItemData(row));
            m_lcPalette.SetItemData(row, 0);
            delete record;
        }
    }
    CStructureBrowseDlg::OnDestroy();
}
