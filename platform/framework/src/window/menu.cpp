#include <vedrix/framework/menu.h>

#include <memory>
#include <unordered_map>

#include <vedrix/framework/winapp.h>
#include <vedrix/framework/wnd.h>

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu() {
    if (!m_temporary) {
        DestroyMenu();
    }
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    // Wrappers for menus without an object; they do not own their menus.
    static std::unordered_map<HMENU, std::unique_ptr<CMenu>> wrappers;
    if (hMenu == nullptr) {
        return nullptr;
    }
    auto it = wrappers.find(hMenu);
    if (it == wrappers.end()) {
        auto wrapper = std::make_unique<CMenu>();
        wrapper->m_hMenu = hMenu;
        wrapper->m_temporary = true;
        it = wrappers.emplace(hMenu, std::move(wrapper)).first;
    }
    return it->second.get();
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (hMenu == nullptr || m_hMenu != nullptr) {
        return FALSE;
    }
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::LoadMenu(UINT nIDResource) {
    return Attach(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

BOOL CMenu::CreateMenu() {
    return Attach(::CreateMenu());
}
BOOL CMenu::CreatePopupMenu() {
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr) {
        return FALSE;
    }
    return ::DestroyMenu(Detach());
}

CMenu* CMenu::GetSubMenu(int nPos) const {
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    const int length = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    const int copied =
        ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBuffer(length + 1), length + 1, nFlags);
    rString.ReleaseBuffer(copied);
    return copied;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, CWnd::SafeHandle(pWnd), lpRect);
}
