// The view selection (template 139): the project's facility-management
// structure, read-only, with the date and code path of the selected view;
// the person picks one view and confirms. The caller gets the picked view's
// identifier (m_szPickedId) once the dialog returns IDOK.
//
// Mode 1 lets a view be confirmed only when it has been replicated and is
// not locked; mode 2 only asks that it is not locked. The view list is
// written back to the view file when the dialog object goes away.
#pragma once

// The framework's windows first: they bring the platform's headers, whose
// names the framework's classes take into account.
#include <vedrix/framework/ui.h>

#include <vedrix/widgets/ext_tree_ctrl.h>

#include <vector>

#include "fm_item_images.h"

class Zel_GM_Root;

namespace vedrix::fman {
class ViewList;
struct ViewRecord;
}  // namespace vedrix::fman

class CFmanViewSelectDlg : public CDialog {
public:
    enum { IDD = 139 };
    // The template's controls.
    enum : int {
        kConfirmButton = IDOK,
        kCancelButton = IDCANCEL,
        kStructureTree = 1029,
        kLevelLabel = 1030,
        kDateLabel = 1031,
        kCodePathLabel = 1032,
        kDateLine = 1033,
        kCodePathLine = 1034,
    };
    static constexpr int kPickedSize = 100;
    explicit CFmanViewSelectDlg(CWnd* pParent = nullptr);
    ~CFmanViewSelectDlg() override;

    char m_szPickedId[kPickedSize] = {};  // the identifier of the last selected view
    CString m_csTitle;                    // the name of the structure's root
    CString m_csDirectory;                // the project directory
    int m_nMode = 2;                      // 1 or 2: which views may be confirmed
    CString m_csHreName;                  // the hierarchy file, relative to the directory

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnPaint();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()

private:
    void setTexts();
    void showViewFlags();
    void clearHighlights(HTREEITEM keep);
    void showReplication(const vedrix::fman::ViewRecord& view);
    void enableConfirmation(bool enable);

    int m_nImages[vedrix::fman::kFmImageSlotCount];
    Zel_GM_Root* m_pRoot = nullptr;
    CExtTreeCtrl m_tcStructure;
    HICON m_hIcon = nullptr;
    CImageList* m_pItemImages = nullptr;
    vedrix::fman::ViewList* m_pViews = nullptr;
    // The parent's window (the framework's wrapper of it may be a temporary
    // one): the owner of the help.
    HWND m_hParentWnd;
    int m_bLaidOut = 0;
    int m_nLastWidth = -1;
    int m_nLastHeight = -1;
    vedrix::fman::ViewImages m_viewImages;
    // The levels this dialog has shown in bold (nothing else in its tree is
    // ever bold), so that clearing the highlights needs no walk of the tree.
    std::vector<HTREEITEM> m_boldLevels;
};
