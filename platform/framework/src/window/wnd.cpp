#include <vedrix/framework/wnd.h>

#include <cstdio>
#include <exception>
#include <new>
#include <vector>

#include <vedrix/framework/dialog.h>
#include <vedrix/framework/winapp.h>

#include "handle_map.h"

using vedrix::framework::PermanentWindowMap;
using vedrix::framework::TemporaryWindowMap;
using vedrix::framework::WindowBeingCreated;

namespace vedrix::framework {

std::unordered_map<HWND, CWnd*>& PermanentWindowMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

std::unordered_map<HWND, std::vector<std::unique_ptr<CWnd>>>& TemporaryWindowMap() {
    static std::unordered_map<HWND, std::vector<std::unique_ptr<CWnd>>> map;
    return map;
}

CWnd*& WindowBeingCreated() {
    static thread_local CWnd* pending = nullptr;
    return pending;
}

}  // namespace vedrix::framework

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_temporary(true) {}

CWnd::~CWnd() {
    if (m_hWnd != nullptr && !m_temporary) {
        // The window outlives no object of its own: destroy it with it.
        HWND hWnd = m_hWnd;
        if (PermanentWindowMap().count(hWnd) != 0 && ::IsWindow(hWnd)) {
            ::DestroyWindow(hWnd);
        }
        if (m_hWnd != nullptr) {
            Detach();
        }
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    auto& map = PermanentWindowMap();
    auto it = map.find(hWnd);
    return it != map.end() ? it->second : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (CWnd* permanent = FromHandlePermanent(hWnd)) {
        return permanent;
    }
    return TemporaryWrapper(hWnd, typeid(CWnd), [](HWND h) { return new CWnd(h); });
}

CWnd* CWnd::TemporaryWrapper(HWND hWnd, const std::type_info& type, CWnd* (*make)(HWND)) {
    if (hWnd == nullptr) {
        return nullptr;
    }
    auto& wrappers = TemporaryWindowMap()[hWnd];
    for (const auto& wrapper : wrappers) {
        if (typeid(*wrapper) == type) {
            return wrapper.get();
        }
    }
    wrappers.emplace_back(make(hWnd));
    CWnd* wrapper = wrappers.back().get();
    wrapper->m_temporary = true;
    return wrapper;
}

void CWnd::DeleteTempMap() {
    TemporaryWindowMap().clear();
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr) {
        return FALSE;
    }
    m_hWnd = hWndNew;
    m_temporary = false;
    PermanentWindowMap()[hWndNew] = this;
    TemporaryWindowMap().erase(hWndNew);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        auto& map = PermanentWindowMap();
        auto it = map.find(hWnd);
        if (it != map.end() && it->second == this) {
            map.erase(it);
        }
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd)) {
        return FALSE;
    }
    PreSubclassWindow();
    auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (previous == nullptr) {
        Detach();
        return FALSE;
    }
    if (previous != &AfxWndProc) {
        m_pfnSuper = previous;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (pParent == nullptr) {
        return FALSE;
    }
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != nullptr ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    if (m_pfnSuper != nullptr) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    CWnd*& pending = WindowBeingCreated();
    CWnd* const outer = pending;
    pending = this;
    HMENU hMenuOrID =
        (dwStyle & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    HWND hWnd =
        ::CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, SafeHandle(pParentWnd),
                          hMenuOrID, AfxGetInstanceHandle(), lpParam);
    pending = outer;
    if (hWnd == nullptr) {
        if (m_hWnd != nullptr) {
            Detach();
        }
        return FALSE;
    }
    // A window of a class with its own procedure is taken over once it
    // exists; its creation messages went to that procedure alone.
    if (m_hWnd == nullptr) {
        return SubclassWindow(hWnd);
    }
    return TRUE;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}
int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}
int CWnd::SetDlgCtrlID(int nID) {
    return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID));
}
CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}
CWnd* CWnd::GetOwner() const {
    return FromHandle(::GetWindow(m_hWnd, GW_OWNER));
}
CWnd* CWnd::GetTopLevelParent() const {
    return FromHandle(::GetAncestor(m_hWnd, GA_ROOT));
}
void CWnd::SetWindowText(LPCSTR lpszString) {
    ::SetWindowTextA(m_hWnd, lpszString);
}
int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}
void CWnd::GetWindowText(CString& rString) const {
    const int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = rString.GetBuffer(length + 1);
    ::GetWindowTextA(m_hWnd, buffer, length + 1);
    rString.ReleaseBuffer();
}
int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLengthA(m_hWnd);
}
void CWnd::SetDlgItemText(int nID, LPCSTR lpszString) {
    ::SetDlgItemTextA(m_hWnd, nID, lpszString);
}
int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString.Empty();
    HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
    if (hWndItem != nullptr) {
        FromHandle(hWndItem)->GetWindowText(rString);
    }
    return rString.GetLength();
}
void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) {
    ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}
UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}
void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}
UINT CWnd::IsDlgButtonChecked(int nIDButton) const {
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}
void CWnd::GetClientRect(LPRECT lpRect) const {
    ::GetClientRect(m_hWnd, lpRect);
}
void CWnd::GetWindowRect(LPRECT lpRect) const {
    ::GetWindowRect(m_hWnd, lpRect);
}
void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}
void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, bRepaint);
}
BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, SafeHandle(pWndInsertAfter), x, y, cx, cy, nFlags);
}
BOOL CWnd::ShowWindow(int nCmdShow) {
    return ::ShowWindow(m_hWnd, nCmdShow);
}
BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}
BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}
BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}
CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}
CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}
CWnd* CWnd::SetCapture() {
    return FromHandle(::SetCapture(m_hWnd));
}
CWnd* CWnd::GetCapture() {
    return FromHandle(::GetCapture());
}
void CWnd::ClientToScreen(LPPOINT lpPoint) const {
    ::ClientToScreen(m_hWnd, lpPoint);
}
void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}
void CWnd::ScreenToClient(LPPOINT lpPoint) const {
    ::ScreenToClient(m_hWnd, lpPoint);
}
void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}
void CWnd::Invalidate(BOOL bErase) {
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) {
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}
void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}
void CWnd::BringWindowToTop() {
    ::BringWindowToTop(m_hWnd);
}
DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}
DWORD CWnd::GetExStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}
BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    const DWORD style = GetStyle();
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) {
        return FALSE;
    }
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(newStyle));
    if (nFlags != 0) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}
HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CWnd::GetIcon(BOOL bBigIcon) const {
    return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}
CWnd* CWnd::WindowFromPoint(POINT point) {
    return FromHandle(::WindowFromPoint(point));
}
CWnd* CWnd::ChildWindowFromPoint(POINT point) const {
    return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
}
int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    if (lpszCaption == nullptr && AfxGetApp() != nullptr) {
        lpszCaption = AfxGetApp()->m_pszAppName;
    }
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}
UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return ::KillTimer(m_hWnd, nIDEvent);
}
BOOL CWnd::EnableToolTips(BOOL bEnable) {
    // Tools added with TTF_SUBCLASS watch the mouse themselves; nothing else
    // is needed for the tips to show.
    return bEnable;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}
void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}
BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) {
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::ReflectMessage(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* pResult) {
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (pChild == nullptr) {
        return FALSE;
    }
    return pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    UINT code = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
    } else if (message == WM_NOTIFY) {
        code = reinterpret_cast<NMHDR*>(lParam)->code;
    }
    return DispatchMapMessage(WM_REFLECT_BASE + message, code, 0, wParam, lParam, pResult) ? TRUE
                                                                                           : FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (hWndCtrl != nullptr) {
        LRESULT ignored = 0;
        if (ReflectMessage(hWndCtrl, WM_COMMAND, wParam, lParam, &ignored)) {
            return TRUE;  // the control handled its own notification
        }
    }
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), wParam, lParam, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr) {
        return FALSE;
    }
    if (ReflectMessage(header->hwndFrom, WM_NOTIFY, wParam, lParam, pResult)) {
        return TRUE;
    }
    return DispatchMapMessage(WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom), wParam,
                              lParam, pResult)
               ? TRUE
               : FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
        case WM_COMMAND:
            return OnCommand(wParam, lParam) ? 0 : DefWindowProc(message, wParam, lParam);
        case WM_NOTIFY:
            return OnNotify(wParam, lParam, &result) ? result
                                                     : DefWindowProc(message, wParam, lParam);
        default:
            break;
    }
    if (DispatchMapMessage(message, 0, 0, wParam, lParam, &result)) {
        return result;
    }
    // Owner-drawn items and scroll bars are handed back to the control.
    HWND hWndChild = nullptr;
    if (message == WM_DRAWITEM && lParam != 0) {
        hWndChild = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem;
    } else if ((message == WM_HSCROLL || message == WM_VSCROLL) && lParam != 0) {
        hWndChild = reinterpret_cast<HWND>(lParam);
    }
    if (hWndChild != nullptr && ReflectMessage(hWndChild, message, wParam, lParam, &result)) {
        return message == WM_DRAWITEM ? TRUE : result;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const CurrentMessage outer = m_current;
    m_current = {message, wParam, lParam};
    const LRESULT result = WindowProc(message, wParam, lParam);
    m_current = outer;
    return result;
}

// Default handlers.
int CWnd::OnCreate(LPCREATESTRUCTA) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) {
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}
HCURSOR CWnd::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(Default());
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnContextMenu(CWnd*, CPoint) {
    Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
    Default();
}
BOOL CWnd::OnHelpInfo(HELPINFO*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr) {
        CWnd*& pending = WindowBeingCreated();
        if (pending == nullptr || !pending->Attach(hWnd)) {
            return ::DefWindowProcA(hWnd, message, wParam, lParam);
        }
        // The window's class has this procedure: the default processing is
        // the platform's.
        pWnd = pending;
        pending = nullptr;
    }
    LRESULT result = 0;
    try {
        result = pWnd->RouteMessage(message, wParam, lParam);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "vedrix: out of memory while handling message 0x%04x\n", message);
        AfxMessageBox(AFX_IDP_INTERNAL_FAILURE, MB_ICONHAND);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vedrix: error while handling message 0x%04x: %s\n", message,
                     e.what());
        AfxMessageBox(AFX_IDP_INTERNAL_FAILURE, MB_ICONHAND);
    }
    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd) {
        if (pWnd->m_pfnSuper != nullptr) {
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
            pWnd->m_pfnSuper = nullptr;
        }
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return result;
}
