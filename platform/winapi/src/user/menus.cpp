// Menus and popup menus.
//
// Menus live in a handle table of their own (handles never given out twice);
// a destroyed or foreign handle fails with ERROR_INVALID_MENU_HANDLE. Items
// found MF_BYCOMMAND are looked for in submenus too, depth first. A popup
// item's identifier is -1 for GetMenuItemID. TrackPopupMenu is described in
// <vedrix/headless/desktop.h>.
#include "user/window_manager.h"

#include "dialog/resources.h"
#include "user/records.h"

#include <algorithm>
#include <cstring>

namespace vedrix::winapi {
namespace {

constexpr UINT kKeptFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_MENUBARBREAK |
                            MF_MENUBREAK | MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_HILITE |
                            MF_DEFAULT | MF_RIGHTJUSTIFY | MFT_RADIOCHECK;

struct MenuItem {
    UINT flags = 0;
    UINT id = 0;
    std::string text;
    HMENU submenu = nullptr;
    ULONG_PTR data = 0;
};

struct Menu {
    std::vector<MenuItem> items;
    bool popup = false;
};

struct MenuTable {
    std::map<std::uintptr_t, std::unique_ptr<Menu>> menus;
    std::uintptr_t next = 0x00100000;
};

MenuTable& menuTable() {
    static MenuTable* t = new MenuTable;
    return *t;
}

Menu* findMenu(HMENU h) {
    auto& t = menuTable();
    auto it = t.menus.find(reinterpret_cast<std::uintptr_t>(h));
    if (it == t.menus.end()) {
        setLastError(ERROR_INVALID_MENU_HANDLE);
        return nullptr;
    }
    return it->second.get();
}

HMENU newMenu(bool popup) {
    auto& t = menuTable();
    HMENU h = reinterpret_cast<HMENU>(t.next);
    t.next += 4;
    auto m = std::make_unique<Menu>();
    m->popup = popup;
    t.menus[reinterpret_cast<std::uintptr_t>(h)] = std::move(m);
    return h;
}

struct ItemRef {
    Menu* menu = nullptr;
    size_t index = 0;
    MenuItem* item() const { return &menu->items[index]; }
};

bool findByCommand(Menu* m, UINT id, ItemRef* out, int depth = 0) {
    if (depth > 32) {
        return false;
    }
    for (size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& it = m->items[i];
        if (!(it.flags & MF_POPUP) && !(it.flags & MF_SEPARATOR) && it.id == id) {
            *out = ItemRef{m, i};
            return true;
        }
        if (it.flags & MF_POPUP) {
            if (Menu* sub = findMenu(it.submenu); sub && findByCommand(sub, id, out, depth + 1)) {
                return true;
            }
        }
    }
    return false;
}

bool findItem(HMENU h, UINT item, UINT flags, ItemRef* out) {
    Menu* m = findMenu(h);
    if (!m) {
        return false;
    }
    if (flags & MF_BYPOSITION) {
        if (item >= m->items.size()) {
            return false;
        }
        *out = ItemRef{m, item};
        return true;
    }
    return findByCommand(m, item, out);
}

MenuItem makeItem(UINT flags, UINT_PTR idNew, LPCSTR text) {
    MenuItem it;
    it.flags = flags & kKeptFlags;
    if (flags & MF_POPUP) {
        it.submenu = reinterpret_cast<HMENU>(idNew);
        it.id = static_cast<UINT>(-1);
    } else {
        it.id = static_cast<UINT>(idNew);
    }
    if (flags & (MF_BITMAP | MF_OWNERDRAW)) {
        it.data = reinterpret_cast<ULONG_PTR>(text);
    } else if (!(flags & MF_SEPARATOR) && text) {
        it.text = text;
    }
    if (it.flags & MF_SEPARATOR) {
        it.id = 0;
    }
    return it;
}

void destroyMenu(HMENU h, int depth) {
    auto& t = menuTable();
    auto it = t.menus.find(reinterpret_cast<std::uintptr_t>(h));
    if (it == t.menus.end() || depth > 32) {
        return;
    }
    std::unique_ptr<Menu> m = std::move(it->second);
    t.menus.erase(it);
    for (MenuItem& item : m->items) {
        if (item.flags & MF_POPUP) {
            destroyMenu(item.submenu, depth + 1);
        }
    }
}

HMENU buildMenu(const VedrixMenuItem* items, WORD count, bool popup, int depth) {
    HMENU h = newMenu(popup);
    for (WORD i = 0; i < count && depth < 32; ++i) {
        const VedrixMenuItem& src = items[i];
        if (src.flags & MF_POPUP) {
            HMENU sub = buildMenu(src.items, src.items ? src.itemCount : 0, true, depth + 1);
            AppendMenuA(h, src.flags, reinterpret_cast<UINT_PTR>(sub), src.text ? src.text : "");
        } else {
            AppendMenuA(h, src.flags, src.id, src.text ? src.text : "");
        }
    }
    return h;
}

bool hasEnabledCommand(Menu* m, UINT id, int depth = 0) {
    for (MenuItem& it : m->items) {
        if (it.flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR)) {
            continue;
        }
        if (it.flags & MF_POPUP) {
            Menu* sub = findMenu(it.submenu);
            if (sub && depth < 32 && hasEnabledCommand(sub, id, depth + 1)) {
                return true;
            }
        } else if (it.id == id) {
            return true;
        }
    }
    return false;
}

}  // namespace

}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" {

HMENU WINAPI CreateMenu(void) {
    return newMenu(false);
}

HMENU WINAPI CreatePopupMenu(void) {
    return newMenu(true);
}

BOOL WINAPI DestroyMenu(HMENU hMenu) {
    if (!findMenu(hMenu)) {
        return FALSE;
    }
    destroyMenu(hMenu, 0);
    return TRUE;
}

BOOL WINAPI IsMenu(HMENU hMenu) {
    auto& t = menuTable();
    return t.menus.count(reinterpret_cast<std::uintptr_t>(hMenu)) ? TRUE : FALSE;
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    Menu* m = findMenu(hMenu);
    if (!m) {
        return FALSE;
    }
    m->items.push_back(makeItem(uFlags, uIDNewItem, lpNewItem));
    return TRUE;
}

BOOL WINAPI InsertMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                        LPCSTR lpNewItem) {
    Menu* m = findMenu(hMenu);
    if (!m) {
        return FALSE;
    }
    MenuItem item = makeItem(uFlags, uIDNewItem, lpNewItem);
    if (uFlags & MF_BYPOSITION) {
        size_t at = std::min<size_t>(uPosition, m->items.size());
        m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), item);
        return TRUE;
    }
    ItemRef ref;
    if (!findByCommand(m, uPosition, &ref)) {
        return FALSE;
    }
    ref.menu->items.insert(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index), item);
    return TRUE;
}

BOOL WINAPI ModifyMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                        LPCSTR lpNewItem) {
    ItemRef ref;
    if (!findItem(hMnu, uPosition, uFlags, &ref)) {
        return FALSE;
    }
    *ref.item() = makeItem(uFlags, uIDNewItem, lpNewItem);
    return TRUE;
}

BOOL WINAPI DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    ItemRef ref;
    if (!findItem(hMenu, uPosition, uFlags, &ref)) {
        return FALSE;
    }
    MenuItem item = *ref.item();
    ref.menu->items.erase(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index));
    if (item.flags & MF_POPUP) {
        destroyMenu(item.submenu, 0);
    }
    return TRUE;
}

BOOL WINAPI RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    ItemRef ref;
    if (!findItem(hMenu, uPosition, uFlags, &ref)) {
        return FALSE;
    }
    ref.menu->items.erase(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index));
    return TRUE;
}

HMENU WINAPI GetSubMenu(HMENU hMenu, int nPos) {
    Menu* m = findMenu(hMenu);
    if (!m || nPos < 0 || static_cast<size_t>(nPos) >= m->items.size()) {
        return nullptr;
    }
    const MenuItem& it = m->items[static_cast<size_t>(nPos)];
    return (it.flags & MF_POPUP) ? it.submenu : nullptr;
}

int WINAPI GetMenuItemCount(HMENU hMenu) {
    Menu* m = findMenu(hMenu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
    Menu* m = findMenu(hMenu);
    if (!m || nPos < 0 || static_cast<size_t>(nPos) >= m->items.size()) {
        return static_cast<UINT>(-1);
    }
    const MenuItem& it = m->items[static_cast<size_t>(nPos)];
    return (it.flags & MF_POPUP) ? static_cast<UINT>(-1) : it.id;
}

int WINAPI GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) {
    ItemRef ref;
    if (!findItem(hMenu, uIDItem, flags, &ref)) {
        if (lpString && cchMax > 0) {
            lpString[0] = '\0';
        }
        return 0;
    }
    const std::string& text = ref.item()->text;
    if (!lpString || cchMax <= 0) {
        return static_cast<int>(text.size());
    }
    size_t n = std::min(text.size(), static_cast<size_t>(cchMax - 1));
    std::memcpy(lpString, text.data(), n);
    lpString[n] = '\0';
    return static_cast<int>(n);
}

UINT WINAPI GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    ItemRef ref;
    if (!findItem(hMenu, uId, uFlags, &ref)) {
        return static_cast<UINT>(-1);
    }
    const MenuItem& it = *ref.item();
    if (it.flags & MF_POPUP) {
        Menu* sub = findMenu(it.submenu);
        UINT count = sub ? static_cast<UINT>(sub->items.size()) : 0;
        return (count << 8) | (it.flags & 0xFF);
    }
    return it.flags;
}

BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    ItemRef ref;
    if (!findItem(hMenu, uIDEnableItem, uEnable, &ref)) {
        return -1;
    }
    MenuItem& it = *ref.item();
    UINT old = it.flags & (MF_GRAYED | MF_DISABLED);
    it.flags = (it.flags & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(old);
}

DWORD WINAPI CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    ItemRef ref;
    if (!findItem(hMenu, uIDCheckItem, uCheck, &ref)) {
        return static_cast<DWORD>(-1);
    }
    MenuItem& it = *ref.item();
    DWORD old = it.flags & MF_CHECKED;
    it.flags = (it.flags & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return old;
}

BOOL WINAPI CheckMenuRadioItem(HMENU hmenu, UINT first, UINT last, UINT check, UINT flags) {
    Menu* m = findMenu(hmenu);
    if (!m) {
        return FALSE;
    }
    bool found = false;
    if (flags & MF_BYPOSITION) {
        for (UINT i = first; i <= last && i < m->items.size(); ++i) {
            MenuItem& it = m->items[i];
            bool on = i == check;
            found = found || on;
            it.flags = on ? (it.flags | MF_CHECKED | MFT_RADIOCHECK) : (it.flags & ~MF_CHECKED);
        }
        return found;
    }
    for (UINT id = first; id <= last; ++id) {
        ItemRef ref;
        if (!findByCommand(m, id, &ref)) {
            continue;
        }
        MenuItem& it = *ref.item();
        bool on = id == check;
        found = found || on;
        it.flags = on ? (it.flags | MF_CHECKED | MFT_RADIOCHECK) : (it.flags & ~MF_CHECKED);
    }
    return found;
}

BOOL WINAPI SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos) {
    Menu* m = findMenu(hMenu);
    if (!m) {
        return FALSE;
    }
    ItemRef ref;
    bool ok = uItem == static_cast<UINT>(-1) ||
              findItem(hMenu, uItem, fByPos ? MF_BYPOSITION : MF_BYCOMMAND, &ref);
    if (!ok) {
        return FALSE;
    }
    for (MenuItem& it : m->items) {
        it.flags &= ~MF_DEFAULT;
    }
    if (uItem != static_cast<UINT>(-1)) {
        ref.item()->flags |= MF_DEFAULT;
    }
    return TRUE;
}

UINT WINAPI GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT) {
    Menu* m = findMenu(hMenu);
    if (!m) {
        return static_cast<UINT>(-1);
    }
    for (size_t i = 0; i < m->items.size(); ++i) {
        if (m->items[i].flags & MF_DEFAULT) {
            return fByPos ? static_cast<UINT>(i) : m->items[i].id;
        }
    }
    return static_cast<UINT>(-1);
}

BOOL WINAPI InsertMenuItemA(HMENU hmenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOA lpmi) {
    Menu* m = findMenu(hmenu);
    if (!m || !lpmi) {
        return FALSE;
    }
    MenuItem it;
    if (lpmi->fMask & (MIIM_TYPE | MIIM_FTYPE)) {
        it.flags |= lpmi->fType & kKeptFlags;
    }
    if (lpmi->fMask & MIIM_STATE) {
        it.flags |= lpmi->fState & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT);
    }
    if (lpmi->fMask & MIIM_ID) {
        it.id = lpmi->wID;
    }
    if ((lpmi->fMask & MIIM_SUBMENU) && lpmi->hSubMenu) {
        it.flags |= MF_POPUP;
        it.submenu = lpmi->hSubMenu;
    }
    if ((lpmi->fMask & (MIIM_STRING | MIIM_TYPE)) && lpmi->dwTypeData &&
        !(it.flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW))) {
        it.text = lpmi->dwTypeData;
    }
    if (lpmi->fMask & MIIM_DATA) {
        it.data = lpmi->dwItemData;
    }
    if (fByPosition) {
        size_t at = std::min<size_t>(item, m->items.size());
        m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), it);
        return TRUE;
    }
    ItemRef ref;
    if (!findByCommand(m, item, &ref)) {
        m->items.push_back(it);
        return TRUE;
    }
    ref.menu->items.insert(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index), it);
    return TRUE;
}

BOOL WINAPI GetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPosition, LPMENUITEMINFOA lpmii) {
    ItemRef ref;
    if (!lpmii || !findItem(hmenu, item, fByPosition ? MF_BYPOSITION : MF_BYCOMMAND, &ref)) {
        return FALSE;
    }
    const MenuItem& it = *ref.item();
    if (lpmii->fMask & (MIIM_TYPE | MIIM_FTYPE)) {
        lpmii->fType = it.flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MFT_RADIOCHECK |
                                   MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY);
    }
    if (lpmii->fMask & MIIM_STATE) {
        lpmii->fState = it.flags & (MF_CHECKED | MF_HILITE | MF_DEFAULT);
        if (it.flags & (MF_GRAYED | MF_DISABLED)) {
            lpmii->fState |= MFS_GRAYED;
        }
    }
    if (lpmii->fMask & MIIM_ID) {
        lpmii->wID = it.id;
    }
    if (lpmii->fMask & MIIM_SUBMENU) {
        lpmii->hSubMenu = (it.flags & MF_POPUP) ? it.submenu : nullptr;
    }
    if (lpmii->fMask & MIIM_DATA) {
        lpmii->dwItemData = it.data;
    }
    if (lpmii->fMask & (MIIM_STRING | MIIM_TYPE)) {
        if (lpmii->dwTypeData && lpmii->cch > 0) {
            size_t n = std::min(it.text.size(), static_cast<size_t>(lpmii->cch - 1));
            std::memcpy(lpmii->dwTypeData, it.text.data(), n);
            lpmii->dwTypeData[n] = '\0';
            lpmii->cch = static_cast<UINT>(n);
        } else {
            lpmii->cch = static_cast<UINT>(it.text.size());
        }
    }
    return TRUE;
}

BOOL WINAPI SetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPositon, LPCMENUITEMINFOA lpmii) {
    ItemRef ref;
    if (!lpmii || !findItem(hmenu, item, fByPositon ? MF_BYPOSITION : MF_BYCOMMAND, &ref)) {
        return FALSE;
    }
    MenuItem& it = *ref.item();
    if (lpmii->fMask & (MIIM_TYPE | MIIM_FTYPE)) {
        UINT typeBits = MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MFT_RADIOCHECK | MF_MENUBARBREAK |
                        MF_MENUBREAK | MF_RIGHTJUSTIFY;
        it.flags = (it.flags & ~typeBits) | (lpmii->fType & typeBits);
    }
    if (lpmii->fMask & MIIM_STATE) {
        UINT stateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;
        it.flags = (it.flags & ~stateBits) | (lpmii->fState & stateBits);
    }
    if (lpmii->fMask & MIIM_ID) {
        it.id = lpmii->wID;
    }
    if (lpmii->fMask & MIIM_SUBMENU) {
        it.submenu = lpmii->hSubMenu;
        it.flags = lpmii->hSubMenu ? (it.flags | MF_POPUP) : (it.flags & ~MF_POPUP);
    }
    if (lpmii->fMask & MIIM_DATA) {
        it.data = lpmii->dwItemData;
    }
    if ((lpmii->fMask & (MIIM_STRING | MIIM_TYPE)) && lpmii->dwTypeData &&
        !(it.flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW))) {
        it.text = lpmii->dwTypeData;
    }
    return TRUE;
}

HMENU WINAPI LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName) {
    WORD id = 0;
    const VedrixResource* res =
        resourceNumber(lpMenuName, &id) ? findResource(hInstance, 4 /* RT_MENU */, id) : nullptr;
    if (!res || !res->data) {
        setLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const auto* menu = static_cast<const VedrixMenu*>(res->data);
    return buildMenu(menu->items, menu->items ? menu->itemCount : 0, false, 0);
}

HMENU WINAPI GetMenu(HWND hWnd) {
    Window* w = checkWindow(hWnd);
    return w && !(w->style & WS_CHILD) ? w->menu : nullptr;
}

BOOL WINAPI SetMenu(HWND hWnd, HMENU hMenu) {
    Window* w = checkWindow(hWnd);
    if (!w || (w->style & WS_CHILD) || (hMenu && !findMenu(hMenu))) {
        return FALSE;
    }
    w->menu = hMenu;
    return TRUE;
}

BOOL WINAPI DrawMenuBar(HWND hWnd) {
    return checkWindow(hWnd) ? TRUE : FALSE;
}

HMENU WINAPI GetSystemMenu(HWND hWnd, BOOL) {
    checkWindow(hWnd);
    return nullptr;
}

BOOL WINAPI TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd, LPTPMPARAMS) {
    Menu* m = findMenu(hMenu);
    if (!m) {
        return FALSE;
    }
    if (!checkWindow(hwnd)) {
        return FALSE;
    }
    bool notify = !(uFlags & TPM_NONOTIFY);
    sendMessage(hwnd, WM_ENTERMENULOOP, TRUE, 0);
    sendMessage(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), MAKELPARAM(0, FALSE));
    m = findMenu(hMenu);
    if (!m) {
        return FALSE;
    }
    vedrix::headless::MenuRecord record;
    record.position = POINT{x, y};
    record.owner = hwnd;
    record.flags = uFlags;
    for (const MenuItem& it : m->items) {
        record.items.push_back(it.text);
        record.entries.push_back(
            vedrix::headless::MenuItemRecord{it.text, (it.flags & MF_POPUP) ? 0 : it.id, it.flags});
    }
    UINT answer = takeMenuAnswer();
    if (answer && !hasEnabledCommand(m, answer)) {
        answer = 0;
    }
    record.chosen = answer;
    addMenuRecord(record);
    if (findWindow(hwnd)) {
        sendMessage(hwnd, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), 0);
    }
    if (findWindow(hwnd)) {
        sendMessage(hwnd, WM_EXITMENULOOP, TRUE, 0);
    }
    if (uFlags & TPM_RETURNCMD) {
        return static_cast<BOOL>(answer);
    }
    if (answer && notify) {
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(answer, 0), 0);
    }
    return TRUE;
}

BOOL WINAPI TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
    return TrackPopupMenuEx(hMenu, uFlags, x, y, hWnd, nullptr);
}

BOOL WINAPI EndMenu(void) {
    return TRUE;
}

}  // extern "C"
