// The group name dialog (template 124): asks for the name of an attribute
// group. The caller's string takes the name only when the person confirms a
// name that is not empty.
#pragma once

#include <vedrix/framework/ui.h>

class CGroupnameDlg : public CDialog {
public:
    enum { IDD = 124 };
    enum : int { kNameField = 1016 };
    // `pName` is the caller's string; the field starts with its text.
    explicit CGroupnameDlg(CString* pName);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    CString* m_pName;
    CString m_csName;
};
