// CToolTipCtrl: the tooltip control as an object.
#pragma once

#include <windows.h>
// commctrl.h needs the base types of windows.h before it.
#include <commctrl.h>

#include <vedrix/framework/export.h>
#include <vedrix/framework/wnd.h>

class VEDRIX_FRAMEWORK_API CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)

public:
    using CWnd::CWnd;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // A tool for a window (a control of the parent): the tip shows the text
    // while the mouse rests on it.
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate)); }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void RelayEvent(LPMSG lpMsg) {
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
    }
    int SetMaxTipWidth(int iWidth) {
        return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth));
    }

private:
    void FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
