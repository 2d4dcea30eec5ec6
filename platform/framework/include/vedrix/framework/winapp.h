// CWinApp, the module state and the framework's global functions.
//
// A module built on the framework (the dialog module is one) has one
// application object and one module state: the instance handle of the
// module, the handle where its resources are looked up (a language resource
// library can be installed there), and its application object. Entry points
// called from outside switch to their module's state for the call with
// AFX_MANAGE_STATE(AfxGetStaticModuleState()).
#pragma once

#include <windows.h>

#include <vedrix/framework/cmdtarget.h>
#include <vedrix/framework/cstring.h>
#include <vedrix/framework/export.h>

class CWinApp;
class CWnd;

struct VEDRIX_FRAMEWORK_API AFX_MODULE_STATE {
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    CWinApp* m_pCurrentWinApp = nullptr;
};

// The state in force now: the innermost AFX_MANAGE_STATE, else the
// process's own.
VEDRIX_FRAMEWORK_API AFX_MODULE_STATE* AfxGetModuleState();

// The state of the calling module. Each shared object that includes this
// header gets its own (the function is hidden, so it is not shared between
// modules).
#if defined(_WIN32)
inline AFX_MODULE_STATE* AfxGetStaticModuleState() {
#else
__attribute__((visibility("hidden"))) inline AFX_MODULE_STATE* AfxGetStaticModuleState() {
#endif
    static AFX_MODULE_STATE state;
    return &state;
}

// Makes a module state current for the rest of the enclosing scope.
class VEDRIX_FRAMEWORK_API AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState);
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevState;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)

VEDRIX_FRAMEWORK_API CWinApp* AfxGetApp();
VEDRIX_FRAMEWORK_API HINSTANCE AfxGetInstanceHandle();
VEDRIX_FRAMEWORK_API HINSTANCE AfxGetResourceHandle();
VEDRIX_FRAMEWORK_API void AfxSetResourceHandle(HINSTANCE hInstResource);

// The framework's own messages, used when the resource library has no text
// under these numbers.
enum : UINT {
    AFX_IDP_PARSE_INT = 0xE100,
    AFX_IDP_PARSE_UINT = 0xE101,
    AFX_IDP_PARSE_INT_RANGE = 0xE102,
    AFX_IDP_PARSE_UINT_RANGE = 0xE103,
    AFX_IDP_PARSE_STRING_SIZE = 0xE104,
    AFX_IDP_FAILED_TO_LAUNCH_HELP = 0xE105,
    AFX_IDP_INTERNAL_FAILURE = 0xE106,
};

// A message box owned by the active window of the application, with the
// application's name as caption.
VEDRIX_FRAMEWORK_API int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
VEDRIX_FRAMEWORK_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = 0);
// Replaces %1 (and %2) in the text with the strings.
VEDRIX_FRAMEWORK_API void AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1);
VEDRIX_FRAMEWORK_API void AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2);

class VEDRIX_FRAMEWORK_API CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)

public:
    // Registers the object as the application of the module state in force.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCSTR m_pszAppName = nullptr;       // heap copy; the message box caption
    LPCSTR m_pszHelpFilePath = nullptr;  // heap copy, or null
    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    // Help through the compiled HTML help instead of the classic help.
    BOOL m_bUseHtmlHelp = FALSE;

    // Replaces the help file path with a heap copy of `path` (null clears it).
    void SetHelpFilePath(LPCSTR path);
    // Opens the help for the main window; shows the framework's message when
    // the help system cannot be started.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual void WinHelpInternal(DWORD_PTR dwData, UINT nCmd, HWND hWndOwner);

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // Binds this application to a module state.
    void AttachToModuleState(AFX_MODULE_STATE* pState);

    DECLARE_MESSAGE_MAP()
};
