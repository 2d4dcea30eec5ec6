// The window table and tree: creating and destroying windows, their
// relations, data and text.
//
// What a window is sent, in order:
// - CreateWindowExA: top-level windows get WS_CLIPSIBLINGS (which they keep
//   through SetWindowLongPtrA), overlapped ones WS_CAPTION too. Then
//   WM_GETMINMAXINFO (top-level windows with a sizing frame
//   or of the overlapped kind), WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE,
//   WM_MOVE; then its parent WM_PARENTNOTIFY (unless WS_EX_NOPARENTNOTIFY).
//   WS_VISIBLE is not set while these are sent. A visible window is then
//   shown with ShowWindow(SW_SHOW): WM_SHOWWINDOW, WM_WINDOWPOSCHANGING,
//   activation (top-level windows only; a child keeps its z-order and
//   activates nothing), WM_WINDOWPOSCHANGED.
//   WM_NCCREATE returning FALSE fails the creation after WM_NCDESTROY;
//   WM_CREATE returning -1 destroys the window (WM_DESTROY, WM_NCDESTROY).
// - New child windows go to the bottom of their siblings' z-order, so that
//   the first child created is GW_CHILD (the tab order of a dialog); new
//   top-level windows go to the top (below topmost windows unless topmost).
// - DestroyWindow: owned windows are destroyed first; the parent gets
//   WM_PARENTNOTIFY; a visible window is hidden: a child with
//   ShowWindow(SW_HIDE) (WM_SHOWWINDOW, WM_WINDOWPOSCHANGING/CHANGED, and a
//   focus within it goes to the parent), a top-level window with SetWindowPos
//   alone (WM_WINDOWPOSCHANGING/CHANGED); activation, focus and capture leave it; WM_DESTROY goes
//   to the window and then to its descendants, parents before children; WM_NCDESTROY goes to the
//   descendants first, the window last. Its timers and posted messages go with it.
#include "user/window_manager.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace vedrix::winapi {

namespace {

struct WindowTable {
    std::map<std::uintptr_t, WindowRef> windows;
    std::uintptr_t nextHandle = 0x00020000;
    WindowRef desktop;
};

WindowTable& windowTable() {
    static WindowTable* t = new WindowTable;
    return *t;
}

HWND newHandle() {
    auto& t = windowTable();
    HWND h = reinterpret_cast<HWND>(t.nextHandle);
    t.nextHandle += 4;
    return h;
}

Window* makeDesktop() {
    auto& t = windowTable();
    if (!t.desktop) {
        auto w = std::make_shared<Window>();
        w->handle = newHandle();
        w->cls = findClass("#32769");
        w->proc = w->cls->proc;
        w->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        w->rect = RECT{0, 0, 1920, 1080};
        t.desktop = w;
        t.windows[reinterpret_cast<std::uintptr_t>(w->handle)] = w;
    }
    return t.desktop.get();
}

void insertChild(Window* parent, Window* w, bool atTop) {
    auto& c = parent->children;
    if (!atTop) {
        c.push_back(w);
        return;
    }
    // Top of the z-order, but non-topmost windows stay below topmost ones.
    auto it = c.begin();
    if (isTopLevel(w) && !(w->exStyle & WS_EX_TOPMOST)) {
        while (it != c.end() && ((*it)->exStyle & WS_EX_TOPMOST)) {
            ++it;
        }
    }
    c.insert(it, w);
}

void removeChild(Window* parent, Window* w) {
    if (!parent) {
        return;
    }
    auto& c = parent->children;
    c.erase(std::remove(c.begin(), c.end(), w), c.end());
}

void sendDestroy(HWND hwnd) {
    WindowRef w = windowRef(hwnd);
    if (!w) {
        return;
    }
    w->destroying = true;
    sendMessage(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : childHandles(w.get())) {
        if (Window* c = findWindow(child); c && !c->destroyed) {
            sendDestroy(child);
        }
    }
}

void freeWindow(HWND hwnd) {
    WindowRef w = windowRef(hwnd);
    if (!w) {
        return;
    }
    for (HWND child : childHandles(w.get())) {
        freeWindow(child);
    }
    forgetWindow(w.get());
    sendMessage(hwnd, WM_NCDESTROY, 0, 0);
    w->destroyed = true;
    killTimersFor(hwnd);
    purgeMessagesFor(hwnd);
    // Children created while being destroyed are orphaned here.
    for (Window* c : w->children) {
        c->parent = nullptr;
    }
    w->children.clear();
    removeChild(w->parent, w.get());
    w->parent = nullptr;
    if (w->menu && isTopLevel(w.get())) {
        DestroyMenu(w->menu);
    }
    w->cls->windowCount--;
    windowTable().windows.erase(reinterpret_cast<std::uintptr_t>(hwnd));
}

// Top-level windows always clip their siblings; an overlapped window (neither
// a child nor a popup) always has a title bar and a border.
DWORD withPlatformStyles(DWORD style, bool child) {
    if (child) {
        return style;
    }
    style |= WS_CLIPSIBLINGS;
    return (style & WS_POPUP) ? style : style | WS_CAPTION;
}

size_t extraIndexOk(const Window* w, int index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) + size <= w->extra.size();
}

}  // namespace

Window* desktopWindow() {
    return makeDesktop();
}

Window* findWindow(HWND hwnd) {
    auto& t = windowTable();
    auto it = t.windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == t.windows.end() ? nullptr : it->second.get();
}

WindowRef windowRef(HWND hwnd) {
    auto& t = windowTable();
    auto it = t.windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == t.windows.end() ? nullptr : it->second;
}

Window* checkWindow(HWND hwnd) {
    Window* w = findWindow(hwnd);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
    }
    return w;
}

bool isTopLevel(const Window* w) {
    return w && w->parent == desktopWindow();
}

Window* rootOf(Window* w) {
    Window* desk = desktopWindow();
    while (w && w->parent && w->parent != desk) {
        w = w->parent;
    }
    return w == desk ? nullptr : w;
}

bool isDescendant(const Window* ancestor, const Window* w) {
    for (; w; w = w->parent) {
        if (w == ancestor) {
            return true;
        }
    }
    return false;
}

bool isReallyVisible(const Window* w) {
    for (; w; w = w->parent) {
        if (!(w->style & WS_VISIBLE)) {
            return false;
        }
        if (w->parent == desktopWindow()) {
            return true;
        }
    }
    return false;
}

POINT clientOrigin(const Window* w) {
    POINT p{0, 0};
    for (; w && w != desktopWindow(); w = w->parent) {
        p.x += w->rect.left;
        p.y += w->rect.top;
    }
    return p;
}

std::vector<HWND> childHandles(const Window* w) {
    std::vector<HWND> out;
    if (w) {
        for (Window* c : w->children) {
            out.push_back(c->handle);
        }
    }
    return out;
}

std::vector<HWND> topLevelHandles() {
    return childHandles(desktopWindow());
}

void sendParentNotify(Window* child, UINT event, LPARAM lParam) {
    WindowRef w = windowRef(child->handle);
    while (w && (w->style & WS_CHILD) && !(w->exStyle & WS_EX_NOPARENTNOTIFY) && w->parent &&
           w->parent != desktopWindow()) {
        WindowRef parent = windowRef(w->parent->handle);
        if (!parent) {
            return;
        }
        WPARAM wp = MAKEWPARAM(
            event, event == WM_CREATE || event == WM_DESTROY ? static_cast<WORD>(child->id) : 0);
        LPARAM lp = lParam;
        if (event != WM_CREATE && event != WM_DESTROY) {
            // Button presses carry the point in the receiving window's client coordinates.
            POINT pt{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
            POINT from = clientOrigin(child);
            POINT to = clientOrigin(parent.get());
            lp = MAKELPARAM(pt.x + from.x - to.x, pt.y + from.y - to.y);
        }
        sendMessage(parent->handle, WM_PARENTNOTIFY, wp, lp);
        w = parent;
    }
}

void resetWindows() {
    for (HWND h : topLevelHandles()) {
        DestroyWindow(h);
    }
}

}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" {

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                            int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                            HINSTANCE hInstance, LPVOID lpParam) {
    auto cls = findClass(lpClassName);
    if (!cls || cls->name == "#32769") {
        setLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    Window* desk = desktopWindow();
    Window* parent = desk;
    HWND owner = nullptr;
    if (dwStyle & WS_CHILD) {
        if (!hWndParent || hWndParent == HWND_MESSAGE) {
            setLastError(ERROR_TLW_WITH_WSCHILD);
            return nullptr;
        }
        parent = checkWindow(hWndParent);
        if (!parent) {
            return nullptr;
        }
    } else if (hWndParent && hWndParent != HWND_MESSAGE) {
        Window* o = checkWindow(hWndParent);
        if (!o) {
            return nullptr;
        }
        owner = rootOf(o) ? rootOf(o)->handle : nullptr;
    }
    bool child = (dwStyle & WS_CHILD) != 0;
    if (X == CW_USEDEFAULT) {
        X = 0;
        Y = 0;
    }
    if (nWidth == CW_USEDEFAULT) {
        // The platform picks a size; the headless system always picks the same one.
        nWidth = child ? 0 : 800;
        nHeight = child ? 0 : 600;
    }
    nWidth = std::max(0, nWidth);
    nHeight = std::max(0, nHeight);

    auto w = std::make_shared<Window>();
    w->handle = newHandle();
    w->cls = cls;
    w->proc = cls->proc;
    w->style = withPlatformStyles(dwStyle, child) & ~WS_VISIBLE;
    w->exStyle = dwExStyle;
    w->parent = parent;
    w->owner = owner;
    w->id = child ? reinterpret_cast<UINT_PTR>(hMenu) : 0;
    w->menu = child ? nullptr : hMenu;
    w->instance = hInstance;
    w->extra.assign(static_cast<size_t>(cls->wndExtra), 0);
    if (dwStyle & WS_HSCROLL) {
        w->hscroll.used = true;
    }
    if (dwStyle & WS_VSCROLL) {
        w->vscroll.used = true;
    }
    HWND hwnd = w->handle;
    cls->windowCount++;
    windowTable().windows[reinterpret_cast<std::uintptr_t>(hwnd)] = w;
    insertChild(parent, w.get(), !child);

    CREATESTRUCTA cs{};
    cs.lpCreateParams = lpParam;
    cs.hInstance = hInstance;
    cs.hMenu = hMenu;
    cs.hwndParent = hWndParent;
    cs.x = X;
    cs.y = Y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.style = static_cast<LONG>(dwStyle);
    cs.lpszName = lpWindowName;
    cs.lpszClass = lpClassName;
    cs.dwExStyle = dwExStyle;

    if (!child && (!(dwStyle & WS_POPUP) || (dwStyle & WS_THICKFRAME))) {
        MINMAXINFO mmi{};
        mmi.ptMaxSize = POINT{1920, 1080};
        mmi.ptMaxPosition = POINT{0, 0};
        mmi.ptMinTrackSize =
            POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
        mmi.ptMaxTrackSize =
            POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
        sendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        cs.cx = std::clamp<int>(cs.cx, mmi.ptMinTrackSize.x,
                                std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
        cs.cy = std::clamp<int>(cs.cy, mmi.ptMinTrackSize.y,
                                std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
    }
    w->rect = RECT{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
    w->normalRect = w->rect;

    if (!sendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (findWindow(hwnd)) {
            freeWindow(hwnd);
        }
        return nullptr;
    }
    if (!findWindow(hwnd)) {
        return nullptr;
    }
    NCCALCSIZE_PARAMS ncp{};
    ncp.rgrc[0] = w->rect;
    sendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&ncp.rgrc[0]));
    if (sendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!findWindow(hwnd) || w->destroying) {
        return nullptr;
    }
    sendMessage(hwnd, WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(w->rect.right - w->rect.left, w->rect.bottom - w->rect.top));
    sendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left, w->rect.top));
    if (child) {
        sendParentNotify(w.get(), WM_CREATE, reinterpret_cast<LPARAM>(hwnd));
    }
    if (!findWindow(hwnd) || w->destroying) {
        return nullptr;
    }
    if (dwStyle & WS_VISIBLE) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return findWindow(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    WindowRef w = windowRef(hWnd);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (w.get() == desktopWindow()) {
        setLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (w->destroying) {
        return FALSE;
    }
    w->destroying = true;
    // Owned windows first.
    if (isTopLevel(w.get())) {
        for (HWND h : topLevelHandles()) {
            Window* o = findWindow(h);
            if (o && o->owner == hWnd && !o->destroying) {
                DestroyWindow(h);
            }
        }
    }
    if (w->style & WS_CHILD) {
        sendParentNotify(w.get(), WM_DESTROY, reinterpret_cast<LPARAM>(hWnd));
    }
    if ((w->style & WS_VISIBLE) && findWindow(hWnd)) {
        if (w->style & WS_CHILD) {
            ShowWindow(hWnd, SW_HIDE);
        } else {
            SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        }
    }
    if (!findWindow(hWnd)) {
        return TRUE;
    }
    forgetWindow(w.get());
    sendDestroy(hWnd);
    freeWindow(hWnd);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd) {
    Window* w = findWindow(hWnd);
    return w && !w->destroyed;
}

BOOL WINAPI IsWindowUnicode(HWND) {
    return FALSE;
}

HWND WINAPI GetDesktopWindow(void) {
    return desktopWindow()->handle;
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
    if (!checkWindow(hWnd)) {
        return 0;
    }
    if (lpdwProcessId) {
        *lpdwProcessId = 1;
    }
    return 1;
}

HWND WINAPI FindWindowExA(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass,
                          LPCSTR lpszWindow) {
    Window* parent = hWndParent ? checkWindow(hWndParent) : desktopWindow();
    if (!parent) {
        return nullptr;
    }
    auto cls = lpszClass ? findClass(lpszClass) : nullptr;
    if (lpszClass && !cls) {
        return nullptr;
    }
    bool started = hWndChildAfter == nullptr;
    for (Window* c : parent->children) {
        if (!started) {
            started = c->handle == hWndChildAfter;
            continue;
        }
        if (cls && c->cls != cls) {
            continue;
        }
        if (lpszWindow && c->text != lpszWindow) {
            continue;
        }
        return c->handle;
    }
    return nullptr;
}

HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
    return FindWindowExA(nullptr, nullptr, lpClassName, lpWindowName);
}

HWND WINAPI GetParent(HWND hWnd) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return nullptr;
    }
    if (w->style & WS_CHILD) {
        return w->parent && w->parent != desktopWindow() ? w->parent->handle : nullptr;
    }
    if (w->style & WS_POPUP) {
        return w->owner;
    }
    return nullptr;
}

HWND WINAPI SetParent(HWND hWndChild, HWND hWndNewParent) {
    Window* w = checkWindow(hWndChild);
    if (!w || w == desktopWindow()) {
        return nullptr;
    }
    Window* np = hWndNewParent ? checkWindow(hWndNewParent) : desktopWindow();
    if (!np) {
        return nullptr;
    }
    if (isDescendant(w, np)) {
        setLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Window* old = w->parent;
    bool visible = isReallyVisible(w);
    if (visible && old) {
        RECT r = w->rect;
        invalidateWindow(old, &r, true, true);
    }
    removeChild(old, w);
    w->parent = np;
    insertChild(np, w, true);
    if (np == desktopWindow()) {
        w->id = 0;
    }
    if (isReallyVisible(w)) {
        invalidateWindow(w, nullptr, true, true);
    }
    return old ? old->handle : nullptr;
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return nullptr;
    }
    auto siblings = [&]() -> std::vector<Window*>* {
        return w->parent ? &w->parent->children : nullptr;
    };
    switch (uCmd) {
        case GW_HWNDFIRST:
        case GW_HWNDLAST: {
            auto* s = siblings();
            if (!s || s->empty()) {
                return nullptr;
            }
            return uCmd == GW_HWNDFIRST ? s->front()->handle : s->back()->handle;
        }
        case GW_HWNDNEXT:
        case GW_HWNDPREV: {
            auto* s = siblings();
            if (!s) {
                return nullptr;
            }
            auto it = std::find(s->begin(), s->end(), w);
            if (it == s->end()) {
                return nullptr;
            }
            if (uCmd == GW_HWNDNEXT) {
                ++it;
                return it == s->end() ? nullptr : (*it)->handle;
            }
            return it == s->begin() ? nullptr : (*(it - 1))->handle;
        }
        case GW_OWNER:
            return (w->style & WS_CHILD) ? nullptr : w->owner;
        case GW_CHILD:
            return w->children.empty() ? nullptr : w->children.front()->handle;
        case GW_ENABLEDPOPUP:
            for (Window* c : desktopWindow()->children) {
                if (c->owner == hWnd && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED)) {
                    return c->handle;
                }
            }
            return nullptr;
        default:
            setLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

HWND WINAPI GetTopWindow(HWND hWnd) {
    Window* w = hWnd ? checkWindow(hWnd) : desktopWindow();
    if (!w || w->children.empty()) {
        return nullptr;
    }
    return w->children.front()->handle;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT gaFlags) {
    Window* w = checkWindow(hwnd);
    if (!w || w == desktopWindow()) {
        return nullptr;
    }
    switch (gaFlags) {
        case GA_PARENT:
            return w->parent ? w->parent->handle : nullptr;
        case GA_ROOT: {
            Window* r = rootOf(w);
            return r ? r->handle : nullptr;
        }
        case GA_ROOTOWNER: {
            HWND h = GetAncestor(hwnd, GA_ROOT);
            for (HWND p = h ? GetParent(h) : nullptr; p; p = GetParent(p)) {
                h = p;
            }
            return h;
        }
        default:
            return nullptr;
    }
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
    Window* p = findWindow(hWndParent);
    Window* w = findWindow(hWnd);
    if (!p || !w || p == w) {
        return FALSE;
    }
    for (Window* c = w; c && (c->style & WS_CHILD); c = c->parent) {
        if (c->parent == p) {
            return TRUE;
        }
    }
    return FALSE;
}

HWND WINAPI GetLastActivePopup(HWND hWnd) {
    if (!checkWindow(hWnd)) {
        return nullptr;
    }
    HWND active = activeWindow();
    Window* a = findWindow(active);
    return a && a->owner == hWnd ? active : hWnd;
}

}  // extern "C"

namespace {

// Depth first, parents before their children, in z-order. The handles are
// taken before the callback runs, so that windows destroyed by it are skipped.
bool enumChildren(Window* parent, WNDENUMPROC proc, LPARAM lParam) {
    for (HWND h : childHandles(parent)) {
        Window* c = findWindow(h);
        if (!c) {
            continue;
        }
        if (!proc(h, lParam)) {
            return false;
        }
        if ((c = findWindow(h)) && !enumChildren(c, proc, lParam)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" {

BOOL WINAPI EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    Window* p = hWndParent ? checkWindow(hWndParent) : desktopWindow();
    if (!p || !lpEnumFunc) {
        return FALSE;
    }
    enumChildren(p, lpEnumFunc, lParam);
    return TRUE;
}

BOOL WINAPI EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    if (!lpEnumFunc) {
        return FALSE;
    }
    for (HWND h : topLevelHandles()) {
        if (findWindow(h) && !lpEnumFunc(h, lParam)) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL WINAPI EnumThreadWindows(DWORD, WNDENUMPROC lpfn, LPARAM lParam) {
    return EnumWindows(lpfn, lParam);
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return 0;
    }
    if (nIndex >= 0) {
        if (!extraIndexOk(w, nIndex, sizeof(LONG_PTR))) {
            setLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        LONG_PTR v;
        std::memcpy(&v, w->extra.data() + nIndex, sizeof(v));
        return v;
    }
    switch (nIndex) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(w->proc);
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(w->instance);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>((w->style & WS_CHILD) && w->parent ? w->parent->handle
                                                                                 : w->owner);
        case GWL_STYLE:
            return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(static_cast<LONG>(w->exStyle));
        case GWLP_USERDATA:
            return w->userData;
        case GWLP_ID:
            return (w->style & WS_CHILD) ? static_cast<LONG_PTR>(w->id)
                                         : reinterpret_cast<LONG_PTR>(w->menu);
        default:
            setLastError(ERROR_INVALID_INDEX);
            return 0;
    }
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    WindowRef w = windowRef(hWnd);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (nIndex >= 0) {
        if (!extraIndexOk(w.get(), nIndex, sizeof(LONG_PTR))) {
            setLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        LONG_PTR old;
        std::memcpy(&old, w->extra.data() + nIndex, sizeof(old));
        std::memcpy(w->extra.data() + nIndex, &dwNewLong, sizeof(dwNewLong));
        return old;
    }
    LONG_PTR old = GetWindowLongPtrA(hWnd, nIndex);
    switch (nIndex) {
        case GWLP_WNDPROC:
            w->proc = reinterpret_cast<WNDPROC>(dwNewLong);
            break;
        case GWLP_HINSTANCE:
            w->instance = reinterpret_cast<HINSTANCE>(dwNewLong);
            break;
        case GWLP_HWNDPARENT:
            // For a top-level window this sets its owner, as on the platform.
            if (!(w->style & WS_CHILD)) {
                Window* o = findWindow(reinterpret_cast<HWND>(dwNewLong));
                w->owner = o && rootOf(o) ? rootOf(o)->handle : nullptr;
            }
            break;
        case GWL_STYLE:
        case GWL_EXSTYLE: {
            STYLESTRUCT ss{};
            ss.styleOld = static_cast<DWORD>(old);
            ss.styleNew = static_cast<DWORD>(dwNewLong);
            sendMessage(hWnd, WM_STYLECHANGING, static_cast<WPARAM>(nIndex),
                        reinterpret_cast<LPARAM>(&ss));
            if (!findWindow(hWnd)) {
                return old;
            }
            if (nIndex == GWL_STYLE) {
                w->style = isTopLevel(w.get()) ? ss.styleNew | WS_CLIPSIBLINGS : ss.styleNew;
            } else {
                w->exStyle = ss.styleNew;
            }
            sendMessage(hWnd, WM_STYLECHANGED, static_cast<WPARAM>(nIndex),
                        reinterpret_cast<LPARAM>(&ss));
            break;
        }
        case GWLP_USERDATA:
            w->userData = dwNewLong;
            break;
        case GWLP_ID:
            if (w->style & WS_CHILD) {
                w->id = static_cast<UINT_PTR>(dwNewLong);
            } else {
                w->menu = reinterpret_cast<HMENU>(dwNewLong);
            }
            break;
        default:
            setLastError(ERROR_INVALID_INDEX);
            return 0;
    }
    return old;
}

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return 0;
    }
    if (nIndex >= 0) {
        if (!extraIndexOk(w, nIndex, sizeof(LONG))) {
            setLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        LONG v;
        std::memcpy(&v, w->extra.data() + nIndex, sizeof(v));
        return v;
    }
    return static_cast<LONG>(GetWindowLongPtrA(hWnd, nIndex));
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return 0;
    }
    if (nIndex >= 0) {
        if (!extraIndexOk(w, nIndex, sizeof(LONG))) {
            setLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        LONG old;
        std::memcpy(&old, w->extra.data() + nIndex, sizeof(old));
        std::memcpy(w->extra.data() + nIndex, &dwNewLong, sizeof(dwNewLong));
        return old;
    }
    return static_cast<LONG>(SetWindowLongPtrA(hWnd, nIndex, dwNewLong));
}

WORD WINAPI GetWindowWord(HWND hWnd, int nIndex) {
    Window* w = checkWindow(hWnd);
    if (!w || !extraIndexOk(w, nIndex, sizeof(WORD))) {
        setLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    WORD v;
    std::memcpy(&v, w->extra.data() + nIndex, sizeof(v));
    return v;
}

WORD WINAPI SetWindowWord(HWND hWnd, int nIndex, WORD wNewWord) {
    Window* w = checkWindow(hWnd);
    if (!w || !extraIndexOk(w, nIndex, sizeof(WORD))) {
        setLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    WORD old;
    std::memcpy(&old, w->extra.data() + nIndex, sizeof(old));
    std::memcpy(w->extra.data() + nIndex, &wNewWord, sizeof(wNewWord));
    return old;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
    Window* w = checkWindow(hWnd);
    if (!w || !(w->style & WS_CHILD)) {
        return 0;
    }
    return static_cast<int>(w->id);
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (!lpString || nMaxCount <= 0) {
        return 0;
    }
    lpString[0] = '\0';
    if (!checkWindow(hWnd)) {
        return 0;
    }
    return static_cast<int>(sendMessage(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                        reinterpret_cast<LPARAM>(lpString)));
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    if (!checkWindow(hWnd)) {
        return FALSE;
    }
    return sendMessage(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextLengthA(HWND hWnd) {
    if (!checkWindow(hWnd)) {
        return 0;
    }
    return static_cast<int>(sendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

}  // extern "C"

namespace {

std::string propKey(LPCSTR name) {
    if (IS_INTRESOURCE(name)) {
        return "#" + std::to_string(LOWORD(reinterpret_cast<ULONG_PTR>(name)));
    }
    std::string key = name;
    for (char& c : key) {
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    }
    return key;
}

}  // namespace

extern "C" {

BOOL WINAPI SetPropA(HWND hWnd, LPCSTR lpString, HANDLE hData) {
    Window* w = checkWindow(hWnd);
    if (!w || !lpString) {
        return FALSE;
    }
    w->props[propKey(lpString)] = hData;
    return TRUE;
}

HANDLE WINAPI GetPropA(HWND hWnd, LPCSTR lpString) {
    Window* w = findWindow(hWnd);
    if (!w || !lpString) {
        return nullptr;
    }
    auto it = w->props.find(propKey(lpString));
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE WINAPI RemovePropA(HWND hWnd, LPCSTR lpString) {
    Window* w = findWindow(hWnd);
    if (!w || !lpString) {
        return nullptr;
    }
    auto it = w->props.find(propKey(lpString));
    if (it == w->props.end()) {
        return nullptr;
    }
    HANDLE h = it->second;
    w->props.erase(it);
    return h;
}

BOOL WINAPI SetWindowContextHelpId(HWND hWnd, DWORD dwContextHelpId) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return FALSE;
    }
    w->helpId = dwContextHelpId;
    return TRUE;
}

DWORD WINAPI GetWindowContextHelpId(HWND hWnd) {
    Window* w = checkWindow(hWnd);
    return w ? w->helpId : 0;
}

}  // extern "C"
