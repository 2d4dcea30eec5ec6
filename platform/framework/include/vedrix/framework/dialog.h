// CDialog: a dialog from a template of the resource library, with data
// exchange between its members and its controls.
#pragma once

#include <windows.h>

#include <vedrix/framework/cstring.h>
#include <vedrix/framework/export.h>
#include <vedrix/framework/wnd.h>

// Data exchange: one direction per call, the window whose controls are used,
// and the control last prepared (where the focus goes when a value is bad).
class VEDRIX_FRAMEWORK_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_idLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange as failed: focus goes back to the last control.
    [[noreturn]] void Fail();
};

// Thrown by CDataExchange::Fail; UpdateData catches it.
class VEDRIX_FRAMEWORK_API CUserException {};

VEDRIX_FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
VEDRIX_FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
VEDRIX_FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
VEDRIX_FRAMEWORK_API void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
VEDRIX_FRAMEWORK_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
VEDRIX_FRAMEWORK_API void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
VEDRIX_FRAMEWORK_API void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
VEDRIX_FRAMEWORK_API void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
VEDRIX_FRAMEWORK_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
VEDRIX_FRAMEWORK_API void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
VEDRIX_FRAMEWORK_API void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
VEDRIX_FRAMEWORK_API void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);

class VEDRIX_FRAMEWORK_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog modally: IDOK, IDCANCEL or what EndDialog was given;
    // -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // A modeless dialog.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    void SetHelpID(UINT nIDR) { m_nIDHelp = nIDR; }
    UINT GetHelpID() const { return m_nIDHelp; }
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;

    BOOL OnCmdMsg(UINT nID, int nCode, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    UINT m_nIDHelp = 0;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    LPCSTR m_lpszTemplateName;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
};

// The dialog procedure of every CDialog.
VEDRIX_FRAMEWORK_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam,
                                                 LPARAM lParam);
