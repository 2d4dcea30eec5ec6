// The view selection: set-up (the structure, the views' flags and images),
// what a selection shows and allows, and the dialog's frame (layout, icon,
// help).
#include "fman_view_select_dlg.h"

#include <oleauto.h>
#include <winnls.h>

#include <vedrix/model/root.h>
#include <vedrix/widgets/tree_list_class.h>
#include <zelkar/business_basics.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "dialog_frame.h"
#include "fm_structure.h"
#include "fm_view_form.h"
#include "fm_view_list.h"

using vedrix::fman::ViewList;
using vedrix::fman::ViewRecord;

namespace {

constexpr int kDialogIcon = 109;
constexpr int kMinimumWidth = 347;
constexpr int kMinimumHeight = 367;
// The help contexts of the two modes.
constexpr DWORD kHelpContextMode1 = 4833;
constexpr DWORD kHelpContextMode2 = 4820;

// The replication date of a view that has not been replicated, or that is
// under data maintenance: the view then has no date to show.
bool hasNoDate(const char* date) {
    return std::strcmp(date, "-1") == 0 || std::strcmp(date, "0") == 0 ||
           std::strcmp(date, CfmViewInfo::cs_DATWA()) == 0;
}

// A replication date as the person reads it: the stored number (with a
// decimal comma or point) taken as an automation date and shown as
// "dd.MM.yyyy  HH:mm:ss" in the system's default locale. Text that is no
// number reads as 0, the automation dates' day zero; a number that is no
// date the platform can show is shown as it is stored.
CString replicationText(const char* date) {
    std::string number(date);
    for (char& c : number) {
        if (c == ',') {
            c = '.';
        }
    }
    SYSTEMTIME time{};
    char day[64];
    char clock[64];
    if (!VariantTimeToSystemTime(std::atof(number.c_str()), &time) ||
        ::GetDateFormatA(LOCALE_SYSTEM_DEFAULT, 0, &time, "dd'.'MM'.'yyyy", day, sizeof day) == 0 ||
        ::GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, 0, &time, "HH':'mm':'ss", clock, sizeof clock) ==
            0) {
        return CString(date);
    }
    return CString(day) + "  " + clock;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFmanViewSelectDlg, CDialog)
ON_NOTIFY(TVN_SELCHANGED, kStructureTree, OnSelChanged)
ON_WM_SIZE()
ON_WM_GETMINMAXINFO()
ON_WM_PAINT()
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CFmanViewSelectDlg::CFmanViewSelectDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_hParentWnd(SafeHandle(pParent)) {
    std::fill(std::begin(m_nImages), std::end(m_nImages), kImageSlotNone);
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kDialogIcon));
}

// The view list goes back to the view file: the dialog changes no view, but
// the file is written in the dialogs' one form.
CFmanViewSelectDlg::~CFmanViewSelectDlg() {
    UnregisterTreeListClass();
    delete m_pItemImages;
    delete m_pRoot;
    if (m_pViews != nullptr) {
        m_pViews->writeAndDestroy();
        delete m_pViews;
    }
}

void CFmanViewSelectDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kStructureTree, m_tcStructure);
}

BOOL CFmanViewSelectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CString caption;
    caption.LoadString(2038);
    SetWindowText(caption);
    m_bLaidOut = 1;
    CRect client;
    GetClientRect(&client);
    m_nLastWidth = client.Width();
    m_nLastHeight = client.Height();

    RegisterTreeListClass();
    m_pItemImages = vedrix::fman::createFmItemImages(m_nImages, m_viewImages);
    m_pRoot = new Zel_GM_Root(ZU_String(m_csTitle));
    vedrix::fman::FmStructureSource source;
    source.directory = m_csDirectory;
    source.hierarchyName = m_csHreName;
    vedrix::fman::loadFmStructure(*this, m_tcStructure, *m_pItemImages, m_nImages, *m_pRoot,
                                  source);
    if (m_pViews == nullptr) {
        m_pViews = new ViewList;
        m_pViews->read();
    }
    showViewFlags();

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    setTexts();
    m_tcStructure.SelectItem(m_tcStructure.GetRootItem());
    return TRUE;
}

void CFmanViewSelectDlg::setTexts() {
    CString text;
    text.LoadString(2014);
    SetDlgItemText(kDateLine, text);
    text.LoadString(2039);
    SetDlgItemText(kCodePathLine, text);
    const std::pair<int, UINT> optional[] = {
        {kLevelLabel, 2013}, {kConfirmButton, 2024}, {kCancelButton, 2025}};
    for (const auto& [control, textId] : optional) {
        if (text.LoadString(textId)) {
            SetDlgItemText(control, text);
        }
    }
}

// Every item below the root that is neither a drawing file nor a level that
// holds views shows the flags and image of its view, when the view list
// holds one. Each level of the structure knows the item it became, so the
// walk goes through the levels instead of asking the tree for every item's
// child and next sibling.
void CFmanViewSelectDlg::showViewFlags() {
    std::vector<const Zel_GM_Level*> pending{m_pRoot};
    while (!pending.empty()) {
        const Zel_GM_Level* level = pending.back();
        pending.pop_back();
        for (const auto& node : level->GetSublevels()) {
            pending.push_back(node.value);
            const HTREEITEM item = node.value->getTreeItem();
            TBItemData* record = vedrix::fman::itemRecord(m_tcStructure, item);
            if (record != nullptr && record->getType() != TBItemData::kDrawingFile &&
                record->getType() != vedrix::fman::kViewLevel) {
                if (const ViewRecord* view = m_pViews->find(record->getIdentifier())) {
                    vedrix::fman::showView(m_tcStructure, item, *record, *view, m_viewImages);
                }
            }
        }
    }
}

// Every level shown in bold but `keep` goes back to plain text.
void CFmanViewSelectDlg::clearHighlights(HTREEITEM keep) {
    bool kept = false;
    for (HTREEITEM level : m_boldLevels) {
        if (level == keep) {
            kept = true;
        } else if (m_tcStructure.GetItemState(level, TVIS_BOLD) != 0) {
            m_tcStructure.SetItemState(level, 0, TVIS_BOLD);
        }
    }
    m_boldLevels.clear();
    if (kept) {
        m_boldLevels.push_back(keep);
    }
}

void CFmanViewSelectDlg::enableConfirmation(bool enable) {
    if (CWnd* button = GetDlgItem(kConfirmButton)) {
        button->EnableWindow(enable ? TRUE : FALSE);
    }
}

// A view shows its level in bold, its replication date and code path, and
// becomes the picked view; anything else shows "-" and cannot be confirmed,
// while the view picked last stays picked.
void CFmanViewSelectDlg::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const HTREEITEM item = reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem;
    if (::GetFocus() != m_tcStructure.m_hWnd) {
        m_tcStructure.SetFocus();
    }
    const TBItemData* record = vedrix::fman::itemRecord(m_tcStructure, item);
    if (record == nullptr || record->getType() != TBItemData::kView) {
        clearHighlights(item);
        enableConfirmation(false);
        SetDlgItemText(kDateLine, "-");
        SetDlgItemText(kCodePathLine, "-");
        return;
    }
    const HTREEITEM level = m_tcStructure.GetParentItem(item);
    if (level != nullptr && m_tcStructure.GetItemState(level, TVIS_BOLD) == 0) {
        m_tcStructure.SetItemState(level, TVIS_BOLD, TVIS_BOLD);
        m_boldLevels.push_back(level);
    }
    const ViewRecord* view = m_pViews->find(record->getIdentifier());
    if (view == nullptr) {
        return;
    }
    showReplication(*view);
    const bool noPath = std::strcmp(view->codePath, CfmViewInfo::cs_withoutPath()) == 0 ||
                        std::strcmp(view->replicationDate, CfmViewInfo::cs_DATWA()) == 0;
    if (noPath) {
        CString text;
        text.LoadString(2039);
        SetDlgItemText(kCodePathLine, text);
    } else {
        SetDlgItemText(kCodePathLine, view->codePath);
    }
    vedrix::fman::copyField(m_szPickedId, view->identifier);
    if (m_nMode == 2 && (view->isLocked() || std::strcmp(view->lockFlag, "0") == 0)) {
        enableConfirmation(!view->isLocked());
    }
}

// The date line; in mode 1 a view may be confirmed only when it has a date
// and its lock flag is "0" (another lock flag leaves the button as it is).
void CFmanViewSelectDlg::showReplication(const ViewRecord& view) {
    if (hasNoDate(view.replicationDate)) {
        CString text;
        text.LoadString(2014);
        SetDlgItemText(kDateLine, text);
        if (m_nMode == 1) {
            enableConfirmation(false);
        }
        return;
    }
    SetDlgItemText(kDateLine, replicationText(view.replicationDate));
    if (m_nMode == 1 && (view.isLocked() || std::strcmp(view.lockFlag, "0") == 0)) {
        enableConfirmation(!view.isLocked());
    }
}

// The tree grows with the dialog; the lines below it move down with the
// bottom edge and grow with the width, the buttons keep to the bottom right.
void CFmanViewSelectDlg::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    if (m_bLaidOut != 1 || nType == SIZE_MINIMIZED) {
        return;
    }
    using vedrix::browser::shiftControl;
    const int dx = cx - m_nLastWidth;
    const int dy = cy - m_nLastHeight;
    shiftControl(*this, kStructureTree, 0, 0, dx, dy);
    for (int id : {kLevelLabel, kDateLine, kCodePathLine}) {
        shiftControl(*this, id, 0, dy, dx, 0);
    }
    for (int id : {kDateLabel, kCodePathLabel}) {
        shiftControl(*this, id, 0, dy, 0, 0);
    }
    for (int id : {kConfirmButton, kCancelButton}) {
        shiftControl(*this, id, dx, dy, 0, 0);
    }
    m_nLastWidth = cx;
    m_nLastHeight = cy;
}

void CFmanViewSelectDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
    lpMMI->ptMinTrackSize.x = kMinimumWidth;
    lpMMI->ptMinTrackSize.y = kMinimumHeight;
}

void CFmanViewSelectDlg::OnPaint() {
    if (!vedrix::browser::paintIconWhenMinimised(*this, m_hIcon)) {
        CDialog::OnPaint();
    }
}

// Each mode has its own help context; in any other mode there is no help.
BOOL CFmanViewSelectDlg::OnHelpInfo(HELPINFO*) {
    const DWORD context = m_nMode == 1 ? kHelpContextMode1 : (m_nMode == 2 ? kHelpContextMode2 : 0);
    if (context != 0) {
        SetHelpID(context);
        if (CWinApp* app = AfxGetApp()) {
            app->WinHelpInternal(context, HELP_CONTEXT, m_hParentWnd);
        }
    }
    return TRUE;
}
