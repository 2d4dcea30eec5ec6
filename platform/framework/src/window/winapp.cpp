#include <vedrix/framework/winapp.h>

#include <cstring>
#include <string>

#include <vedrix/framework/wnd.h>

namespace {

// The state in force: the innermost AFX_MANAGE_STATE, else the process's.
AFX_MODULE_STATE*& currentState() {
    static AFX_MODULE_STATE processState;
    static thread_local AFX_MODULE_STATE* current = &processState;
    return current;
}

char* copyText(LPCSTR text) {
    if (text == nullptr) {
        return nullptr;
    }
    const std::size_t n = std::strlen(text);
    char* copy = new char[n + 1];
    std::memcpy(copy, text, n + 1);
    return copy;
}

// The framework's own texts, for numbers the resource library lacks.
LPCSTR builtInText(UINT nID) {
    switch (nID) {
        case AFX_IDP_PARSE_INT:
            return "Please enter a whole number.";
        case AFX_IDP_PARSE_UINT:
            return "Please enter a whole number that is not negative.";
        case AFX_IDP_PARSE_INT_RANGE:
        case AFX_IDP_PARSE_UINT_RANGE:
            return "Please enter a whole number from %1 to %2.";
        case AFX_IDP_PARSE_STRING_SIZE:
            return "Please enter no more than %1 characters.";
        case AFX_IDP_FAILED_TO_LAUNCH_HELP:
            return "The help could not be started.";
        case AFX_IDP_INTERNAL_FAILURE:
            return "An internal error occurred.";
        default:
            return nullptr;
    }
}

CString loadPrompt(UINT nID) {
    CString text;
    if (!text.LoadString(nID)) {
        if (LPCSTR fallback = builtInText(nID)) {
            text = fallback;
        }
    }
    return text;
}

// Replaces %1..%n by the arguments.
CString formatPercentArgs(const CString& pattern, LPCSTR const* args, int count) {
    CString out;
    for (int i = 0; i < pattern.GetLength(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.GetLength() && pattern[i + 1] >= '1' &&
            pattern[i + 1] < '1' + count) {
            LPCSTR arg = args[pattern[i + 1] - '1'];
            out += arg != nullptr ? arg : "";
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

AFX_MODULE_STATE* AfxGetModuleState() {
    return currentState();
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState)
    : m_pPrevState(currentState()) {
    if (pNewState != nullptr) {
        currentState() = pNewState;
    }
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2() {
    currentState() = m_pPrevState;
}

CWinApp* AfxGetApp() {
    return AfxGetModuleState()->m_pCurrentWinApp;
}
HINSTANCE AfxGetInstanceHandle() {
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}
HINSTANCE AfxGetResourceHandle() {
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}
void AfxSetResourceHandle(HINSTANCE hInstResource) {
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT) {
    CWinApp* pApp = AfxGetApp();
    HWND hWndOwner = ::GetActiveWindow();
    if (hWndOwner == nullptr && pApp != nullptr && pApp->m_pMainWnd != nullptr) {
        hWndOwner = pApp->m_pMainWnd->m_hWnd;
    }
    LPCSTR caption = pApp != nullptr && pApp->m_pszAppName != nullptr ? pApp->m_pszAppName : "";
    if ((nType & MB_ICONMASK) == 0) {
        const UINT buttons = nType & MB_TYPEMASK;
        nType |=
            (buttons == MB_OK || buttons == MB_OKCANCEL) ? MB_ICONEXCLAMATION : MB_ICONQUESTION;
    }
    return ::MessageBoxA(hWndOwner, lpszText, caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text = loadPrompt(nIDPrompt);
    if (text.IsEmpty()) {
        text.Format("Message %u", nIDPrompt);
    }
    return AfxMessageBox(text, nType, nIDHelp != 0 ? nIDHelp : nIDPrompt);
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1) {
    LPCSTR args[] = {lpsz1};
    rString = formatPercentArgs(loadPrompt(nIDS), args, 1);
}

void AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2) {
    LPCSTR args[] = {lpsz1, lpsz2};
    rString = formatPercentArgs(loadPrompt(nIDS), args, 2);
}

BOOL CString::LoadString(UINT nID) {
    // Texts are at most a few thousand characters; grow until one fits.
    for (int size = 256; size <= 65536; size *= 4) {
        char* buffer = GetBuffer(size);
        const int length = ::LoadStringA(AfxGetResourceHandle(), nID, buffer, size);
        if (length < size - 1) {
            ReleaseBuffer(length);
            return length > 0 ? TRUE : FALSE;
        }
    }
    ReleaseBuffer();
    return TRUE;
}

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName) : m_pszAppName(copyText(lpszAppName)) {
    AttachToModuleState(AfxGetModuleState());
}

CWinApp::~CWinApp() {
    delete[] m_pszAppName;
    delete[] m_pszHelpFilePath;
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp == this) {
        state->m_pCurrentWinApp = nullptr;
    }
}

void CWinApp::AttachToModuleState(AFX_MODULE_STATE* pState) {
    if (pState == nullptr) {
        return;
    }
    pState->m_pCurrentWinApp = this;
    if (m_hInstance != nullptr) {
        pState->m_hCurrentInstanceHandle = m_hInstance;
        if (pState->m_hCurrentResourceHandle == nullptr) {
            pState->m_hCurrentResourceHandle = m_hInstance;
        }
    }
}

void CWinApp::SetHelpFilePath(LPCSTR path) {
    delete[] m_pszHelpFilePath;
    m_pszHelpFilePath = copyText(path);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    WinHelpInternal(dwData, nCmd, m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr);
}

void CWinApp::WinHelpInternal(DWORD_PTR dwData, UINT nCmd, HWND hWndOwner) {
    if (!::WinHelpA(hWndOwner, m_pszHelpFilePath, nCmd, dwData)) {
        AfxMessageBox(AFX_IDP_FAILED_TO_LAUNCH_HELP);
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}
int CWinApp::ExitInstance() {
    return 0;
}
