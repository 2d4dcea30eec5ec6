#include <vedrix/framework/dialog.h>

#include <vedrix/framework/winapp.h>

#include "handle_map.h"

using vedrix::framework::WindowBeingCreated;

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd) {
    m_nIDHelp = nIDTemplate;
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        ::DestroyWindow(m_hWnd);
    }
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd != nullptr) {
        return -1;
    }
    HINSTANCE hInst = AfxGetResourceHandle();
    CWnd*& pending = WindowBeingCreated();
    CWnd* const outer = pending;
    pending = this;
    const INT_PTR result = ::DialogBoxParamA(hInst, m_lpszTemplateName, SafeHandle(m_pParentWnd),
                                             &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    pending = outer;
    if (m_hWnd != nullptr) {
        Detach();  // the dialog window is gone
    }
    DeleteTempMap();
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
    m_pParentWnd = pParentWnd;
    CWnd*& pending = WindowBeingCreated();
    CWnd* const outer = pending;
    pending = this;
    HWND hWnd =
        ::CreateDialogParamA(AfxGetResourceHandle(), m_lpszTemplateName, SafeHandle(pParentWnd),
                             &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    pending = outer;
    return hWnd != nullptr ? TRUE : FALSE;
}

void CDialog::EndDialog(int nResult) {
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

// The list controls get their template's entries before OnInitDialog, so
// that the dialog's own initialisation (and its data exchange) sees them.
LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    ExecuteDlgInit(m_lpszTemplateName);
    return OnInitDialog();
}

void CDialog::NextDlgCtrl() const {
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}
void CDialog::PrevDlgCtrl() const {
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(SafeHandle(pWndCtrl)), 1);
}
void CDialog::SetDefID(UINT nID) {
    ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0);
}
DWORD CDialog::GetDefID() const {
    return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0));
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (CWnd::OnCmdMsg(nID, nCode, wParam, lParam, pResult)) {
        return TRUE;
    }
    // Commands the dialog does not handle go to the application.
    if (nCode != 0) {
        return FALSE;
    }
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->OnCmdMsg(nID, nCode, wParam, lParam, pResult) : FALSE;
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (CWnd::FromHandlePermanent(hWnd) != nullptr) {
        return FALSE;  // the dialog object handles its messages in front of this procedure
    }
    CWnd*& pending = WindowBeingCreated();
    auto* pDlg = dynamic_cast<CDialog*>(pending);
    if (pDlg == nullptr || !pDlg->SubclassWindow(hWnd)) {
        return FALSE;
    }
    pending = nullptr;
    // This first message already went past the object: give it the dialog's
    // initialisation when it is that message.
    if (message == WM_INITDIALOG) {
        return pDlg->RouteMessage(message, wParam, lParam);
    }
    return FALSE;
}
