// The building selection (template 104). This stage shows the template and
// supports confirming and cancelling; the list of buildings comes with the
// dialog's own work, so a confirmation chooses nothing yet.
#pragma once

#include <vedrix/framework/ui.h>

class CSelBuildingDlg : public CDialog {
public:
    enum { IDD = 104 };
    explicit CSelBuildingDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

    HMODULE m_hNameLib = nullptr;
    CString m_csDirectory;
    CString m_csTitle;
    CString m_csStructureName;
    CString m_csHreName;
    unsigned int m_nChosenLevel = 0;  // the identifier chosen on confirmation
};
