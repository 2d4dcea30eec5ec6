#include "groupname_dlg.h"

#include "attribute_text.h"

namespace {

constexpr UINT kEmptyFieldText = 2034;

}  // namespace

CGroupnameDlg::CGroupnameDlg(CString* pName)
    : CDialog(IDD, nullptr), m_pName(pName), m_csName(pName != nullptr ? *pName : CString()) {}

void CGroupnameDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, kNameField, m_csName);
}

// An empty name is refused and the dialog stays open; what the attribute
// section cannot hold becomes blanks.
void CGroupnameDlg::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    if (m_csName.IsEmpty()) {
        AfxMessageBox(kEmptyFieldText, MB_OK);
        return;
    }
    if (m_pName != nullptr) {
        *m_pName = vedrix::browser::attributeFieldText(m_csName);
    }
    EndDialog(IDOK);
}
