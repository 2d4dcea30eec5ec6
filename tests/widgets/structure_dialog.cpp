#include "structure_dialog.h"

#if VEDRIX_HEADLESS
#include <vedrix/headless/resource_table.h>
#endif

namespace widgets_tests {

#if VEDRIX_HEADLESS
// The program's resource table (on Windows the same template comes from
// structure_dialog.rc).
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

const VedrixDialogItem kItems[] = {
    {kTree, "SysTreeView32", "",
     kChild | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
         TVS_SHOWSELALWAYS,
     0, 5, 5, 140, 150},
    {IDOK, "Button", "OK", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 150, 5, 45, 14},
    {IDCANCEL, "Button", "Cancel", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 150, 25, 45, 14},
};

const VedrixDialogTemplate kTemplate = {
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,  0,     0, 0, 200, 160, "Structure", "", 0,
    static_cast<WORD>(sizeof kItems / sizeof kItems[0]), kItems};

const VedrixResource kResources[] = {
    {5 /* RT_DIALOG */, kStructureTemplate, &kTemplate, sizeof kTemplate},
};

const VedrixResourceDirectory kTable = {
    1, "en", static_cast<DWORD>(sizeof kResources / sizeof kResources[0]), kResources};

}  // namespace
#endif

BEGIN_MESSAGE_MAP(StructureDialog, CDialog)
ON_NOTIFY(TVN_BEGINDRAG, kTree, OnBeginDrag)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

HTREEITEM StructureDialog::add(HTREEITEM parent, const char* text, unsigned char type) {
    CObList attributes;
    attributes.AddTail(new TrackedAttribute(text, m_destroyed));
    auto* record = new TBItemData(type, 0, 0, 0, &attributes);
    return m_tree.InsertItem(TVIF_TEXT | TVIF_PARAM, text, 0, 0, 0, 0,
                             reinterpret_cast<LPARAM>(record), parent, TVI_LAST);
}

void StructureDialog::fill() {
    HTREEITEM project = add(TVI_ROOT, "Project", 0);
    HTREEITEM first = add(project, "Building 1", 1);
    add(first, "Storey 1", 2);
    HTREEITEM second = add(first, "Storey 2", 2);
    add(second, "110", TBItemData::kDrawingFile);
    add(project, "Building 2", 1);
    for (HTREEITEM item : {project, first, second}) {
        m_tree.Expand(item, TVE_EXPAND);
    }
}

BOOL StructureDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_tree.SubclassDlgItem(kTree, this);
    m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    CBitmap square;
    square.CreateBitmap(16, 16, 1, 32, nullptr);
    m_images.Add(&square, RGB(255, 255, 255));
    m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    if (m_sampleItems) {
        fill();
    }
    if (m_onInit) {
        m_onInit(*this);
    }
    return TRUE;
}

void StructureDialog::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* note = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    *pResult = 0;
    HTREEITEM item = note->itemNew.hItem;
    m_tree.SelectItem(item);
    CPoint start(note->ptDrag);
    m_tree.ClientToScreen(&start);
    m_dragging = m_drag.Begin(m_tree.CreateDragImage(item), start);
    if (m_dragging) {
        SetCapture();
    }
}

void StructureDialog::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_dragging) {
        ClientToScreen(&point);
        m_drag.Move(point);
#if VEDRIX_HEADLESS
        m_moves.push_back(MoveSeen{point, vedrix::headless::dragImageState()});
#else
        m_moves.push_back(MoveSeen{point});
#endif
        m_drag.Show();
    }
    CDialog::OnMouseMove(nFlags, point);
}

void StructureDialog::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_dragging) {
        m_dragging = false;
        ReleaseCapture();
        m_drag.End();
    }
    CDialog::OnLButtonUp(nFlags, point);
}

}  // namespace widgets_tests

#if VEDRIX_HEADLESS
// The program exports its resource table like a resource library does.
extern "C" __attribute__((visibility("default"))) const VedrixResourceDirectory*
VedrixResourceTable(void) {
    return &widgets_tests::kTable;
}
#endif
