#include "edit_dlg.h"

#include "attribute_text.h"
#include "browser_resources.h"

namespace {

using vedrix::browser::attributeFieldText;
using vedrix::browser::loadedText;

constexpr UINT kCaptionText = 2029;
constexpr UINT kConfirmText = 2024;
constexpr UINT kCancelText = 2025;
constexpr UINT kNameText = 2030;
constexpr UINT kValueText = 2031;
constexpr UINT kEmptyFieldText = 2034;

CString copyOf(const CString* text) {
    return text != nullptr ? *text : CString();
}

}  // namespace

CEditDlg::CEditDlg(CString* pName, CString* pValue, CString* pType)
    : CDialog(IDD, nullptr),
      m_csName(copyOf(pName)),
      m_csValue(copyOf(pValue)),
      m_csType(copyOf(pType)),
      m_pName(pName),
      m_pValue(pValue),
      m_pType(pType) {}

void CEditDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, kNameField, m_csName);
    DDX_Text(pDX, kValueField, m_csValue);
    DDX_CBString(pDX, kTypeBox, m_csType);
}

// An existing attribute keeps its name: the name field is read-only and the
// value field has the focus.
BOOL CEditDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(loadedText(kCaptionText));
    SetDlgItemText(kConfirmLabel, loadedText(kConfirmText));
    SetDlgItemText(kCancelLabel, loadedText(kCancelText));
    SetDlgItemText(kNameLabel, loadedText(kNameText));
    SetDlgItemText(kValueLabel, loadedText(kValueText));
    if (m_csName.IsEmpty()) {
        return TRUE;
    }
    CWnd* value = GetDlgItem(kValueField);
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(SafeHandle(value)), TRUE);
    if (CWnd* name = GetDlgItem(kNameField)) {
        name->SendMessage(EM_SETREADONLY, TRUE);
    }
    return FALSE;
}

// Name and value must both be given; the type may be empty. What the
// attribute section cannot hold becomes blanks.
void CEditDlg::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    if (m_csName.IsEmpty() || m_csValue.IsEmpty()) {
        AfxMessageBox(kEmptyFieldText, MB_OK);
        return;
    }
    if (m_pName != nullptr) {
        *m_pName = attributeFieldText(m_csName);
    }
    if (m_pValue != nullptr) {
        *m_pValue = attributeFieldText(m_csValue);
    }
    if (m_pType != nullptr) {
        *m_pType = m_csType;
    }
    EndDialog(IDOK);
}
