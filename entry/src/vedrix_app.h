// The module's one application object: the dialogs open now and the
// module-wide switches.
#pragma once

#include <vedrix/framework/ui.h>

class CListbrowseDlg;
class CFmanListbrowseDlg;

class CVedrixApp : public CWinApp {
public:
    CVedrixApp();
    ~CVedrixApp() override;

    CListbrowseDlg* m_pListBrowser = nullptr;    // while tb_list_browser runs it
    CFmanListbrowseDlg* m_pFmBrowser = nullptr;  // while tb_fman_browser runs it
    int m_nAttribMenu = 0;                       // the attribute menu switch (host setting)
    int m_nIFCActive = 0;                        // the last value of tb_setIFCActive
    CString m_csFmProjectDir;                    // while an FM dialog runs

protected:
    // Command 32772: the attribute command of the list browser open now.
    void OnAttributeCommand();

    DECLARE_MESSAGE_MAP()
};

// The application object of this module.
CVedrixApp& vedrixApp();
