// The facility-management browser (template 127). This stage shows the
// template and supports confirming and cancelling.
#pragma once

#include <vedrix/framework/ui.h>

class CFmanListbrowseDlg : public CDialog {
public:
    enum { IDD = 127 };
    explicit CFmanListbrowseDlg(CWnd* pParent = nullptr);

    HMODULE m_hNameLib = nullptr;
    HMODULE m_hFacilityLib = nullptr;  // the host's facility library, may be null
    CString m_csDirectory;
    CString m_csTitle;
    CString m_csStructureName;
    CString m_csHreName;

protected:
    void OnAbandon() { OnCancel(); }
    DECLARE_MESSAGE_MAP()
};
