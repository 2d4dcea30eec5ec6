// The view selection (template 139). This stage shows the template and
// supports confirming and cancelling; nothing is picked yet.
#pragma once

#include <vedrix/framework/ui.h>

class CFmanViewSelectDlg : public CDialog {
public:
    enum { IDD = 139 };
    explicit CFmanViewSelectDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

    CString m_csDirectory;
    CString m_csTitle;
    CString m_csHreName;
    int m_nMode = 2;
    char m_szPickedId[100] = {};  // the identifier of the last selected view
};
