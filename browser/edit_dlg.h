// The attribute edit dialog (template 103): name, value and type of one
// attribute. Opened with a name, it edits an existing attribute, whose name
// then cannot be changed. The caller's strings take the texts only when the
// person confirms with a name and a value.
#pragma once

#include <vedrix/framework/ui.h>

class CEditDlg : public CDialog {
public:
    enum { IDD = 103 };
    enum : int {
        kConfirmLabel = 1003,
        kCancelLabel = 1007,
        kNameLabel = 1016,
        kValueLabel = 1017,
        kNameField = 1018,
        kValueField = 1019,
        kTypeBox = 1020,
    };
    CEditDlg(CString* pName, CString* pValue, CString* pType);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CString m_csName;
    CString m_csValue;
    CString m_csType;
    CString* m_pName;
    CString* m_pValue;
    CString* m_pType;
};
