// The list browser (template 101). This stage shows the template and
// supports confirming and cancelling; the structure, the free drawing files
// and the palette come with the browser's own work.
#pragma once

#include <vedrix/framework/ui.h>

class CListbrowseDlg : public CDialog {
public:
    enum { IDD = 101 };
    explicit CListbrowseDlg(CWnd* pParent = nullptr);

    HMODULE m_hNameLib = nullptr;  // the loaded vedada.dll
    CString m_csDirectory;         // the project directory
    CString m_csTitle;             // the name of the structure's root
    CString m_csStructureName;     // the level list file, relative to the directory
    CString m_csHreName;           // the hierarchy file, relative to the directory

protected:
    CWnd* m_pParent;
    void OnConfirm() { OnOK(); }
    void OnAbandon() { OnCancel(); }
    DECLARE_MESSAGE_MAP()
};
