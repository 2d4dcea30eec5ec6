// CWnd: a window of the platform seen as an object.
//
// A CWnd is attached to its window handle for the window's life; messages
// reach WindowProc, which runs the handlers of the class's message maps and
// passes everything else on to the window's original procedure (Default).
// Command messages from controls are first handed back to the control that
// sent them (reflection), so that a control class can handle its own
// notifications.
#pragma once

#include <typeinfo>

#include <windows.h>

#include <vedrix/framework/cmdtarget.h>
#include <vedrix/framework/cstring.h>
#include <vedrix/framework/export.h>
#include <vedrix/framework/geometry.h>

class CDataExchange;
class CDC;
class CFont;
class CMenu;
class CScrollBar;

class VEDRIX_FRAMEWORK_API CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)

public:
    CWnd();
    explicit CWnd(HWND hWnd);  // a temporary wrapper; does not attach
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The handle of a window that may be null.
    static HWND SafeHandle(const CWnd* pWnd) { return pWnd != nullptr ? pWnd->m_hWnd : nullptr; }

    // The object attached to hWnd; for a window without one, a temporary
    // wrapper that lives until the temporary objects are freed (at the end
    // of a modal loop). Null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    // Only objects attached with Attach/SubclassWindow/Create; else null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // As FromHandle, with a temporary wrapper of class T (a control class
    // without data of its own) when the window has no object; null when the
    // window's own object is not a T.
    template <class T>
    static T* FromHandleAs(HWND hWnd) {
        if (CWnd* permanent = FromHandlePermanent(hWnd)) {
            return dynamic_cast<T*>(permanent);
        }
        return static_cast<T*>(
            TemporaryWrapper(hWnd, typeid(T), [](HWND h) -> CWnd* { return new T(h); }));
    }
    // Frees the temporary wrappers made by FromHandle.
    static void DeleteTempMap();

    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Routes the window's messages through this object from now on.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          LPVOID lpParam = nullptr);
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();

    // The platform's window operations.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetParent() const;
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void UpdateWindow();
    void BringWindowToTop();
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    static CWnd* WindowFromPoint(POINT point);
    CWnd* ChildWindowFromPoint(POINT point) const;
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);
    BOOL EnableToolTips(BOOL bEnable = TRUE);

    // Data exchange between the members and the controls: TRUE reads the
    // controls (and validates), FALSE fills them. FALSE when validation failed.
    virtual BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Fills the list controls of this window from a dialog-initialisation
    // resource (type 240) of that name in the resource library: per entry the
    // control, the message (CB_ADDSTRING or LB_ADDSTRING) and the entry's
    // text. TRUE when there is no such resource or every entry was read.
    BOOL ExecuteDlgInit(LPCSTR lpszResourceName);
    // The same from the resource's bytes. Entries are read only within
    // `size`; the block ends at a zero control identifier or at its end.
    // FALSE, after the entries before it, at an entry that does not fit.
    BOOL ExecuteDlgInit(const void* lpResource, DWORD size);

    // Message handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A message that the parent handed back to this control; TRUE when it
    // was handled here (then the parent does not handle it).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void PreSubclassWindow();
    // After the window is gone (WM_NCDESTROY); a window that owns itself
    // deletes itself here.
    virtual void PostNcDestroy();
    // The original processing of the current message.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Hands a message for a control back to the control.
    static BOOL ReflectMessage(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* pResult);

    // Default handlers: each passes the message on (Default()).
    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    void OnDestroy();
    void OnClose();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnSysCommand(UINT nID, LPARAM lParam);
    HCURSOR OnQueryDragIcon();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnCaptureChanged(CWnd* pWnd);

    WNDPROC m_pfnSuper = nullptr;  // the procedure the window had before this object

private:
    static CWnd* TemporaryWrapper(HWND hWnd, const std::type_info& type, CWnd* (*make)(HWND));

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
    friend class CDialog;
    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The message being handled, for Default().
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMessage m_current{};
    bool m_temporary = false;
};

// The window procedure of every window with a CWnd attached.
VEDRIX_FRAMEWORK_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam,
                                                 LPARAM lParam);
