// Window classes and atoms.
//
// The class table is a function-local static, so that controls in other
// units of the library can register their classes from static initialisers.
// Classes are known by name (compared without regard to case) or by the atom
// RegisterClassA returned. Creating a window and unregistering find a class
// by name alone: one process, one name space. GetClassInfoA and
// GetClassInfoExA ask as the platform does: a null instance handle asks for
// the system's classes (the dialog class and the controls, which are global
// classes), another handle for those and the local classes that module
// registered. A class registered without an instance handle belongs to the
// program.
// Registered window messages and class atoms come from one range (0xC000 up),
// as on the platform.
#include "user/window_manager.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace vedrix::winapi {

namespace {

struct ClassTable {
    std::vector<std::shared_ptr<WindowClass>> classes;
    std::vector<std::pair<std::string, UINT>> messages;
    ATOM nextAtom = 0xC000;
};

bool sameName(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
}

void registerSystemClasses(ClassTable& table);

ClassTable& table() {
    static ClassTable* t = [] {
        auto* created = new ClassTable;
        registerSystemClasses(*created);
        return created;
    }();
    return *t;
}

LRESULT CALLBACK desktopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::shared_ptr<WindowClass> makeClass(const WNDCLASSEXA& wc) {
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc.lpszClassName;
    cls->style = wc.style;
    cls->proc = wc.lpfnWndProc;
    cls->clsExtra = std::max(0, wc.cbClsExtra);
    cls->wndExtra = std::max(0, wc.cbWndExtra);
    cls->instance = wc.hInstance ? wc.hInstance : GetModuleHandleA(nullptr);
    cls->icon = wc.hIcon;
    cls->iconSmall = wc.hIconSm;
    cls->cursor = wc.hCursor;
    cls->background = wc.hbrBackground;
    if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) {
        cls->menuNameText = wc.lpszMenuName;
    } else {
        cls->menuName = wc.lpszMenuName;
    }
    cls->extra.assign(static_cast<size_t>(cls->clsExtra), 0);
    return cls;
}

ATOM addClass(ClassTable& t, const WNDCLASSEXA& wc, bool system) {
    auto cls = makeClass(wc);
    if (system) {
        cls->instance = nullptr;
    }
    cls->atom = t.nextAtom++;
    cls->system = system;
    t.classes.push_back(cls);
    if (!cls->menuNameText.empty()) {
        t.classes.back()->menuName = t.classes.back()->menuNameText.c_str();
    }
    return cls->atom;
}

void registerSystemClasses(ClassTable& t) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    // The dialog class: DefDlgProcA with room for the DWLP_ values.
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
    wc.lpszClassName = "#32770";
    addClass(t, wc, true);
    // The desktop.
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = desktopProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_DESKTOP + 1));
    wc.lpszClassName = "#32769";
    addClass(t, wc, true);
}

std::shared_ptr<WindowClass> lookup(LPCSTR name) {
    if (!name) {
        return nullptr;
    }
    auto& t = table();
    for (auto& cls : t.classes) {
        if (IS_INTRESOURCE(name) ? cls->atom == LOWORD(reinterpret_cast<ULONG_PTR>(name))
                                 : sameName(cls->name, name)) {
            return cls;
        }
    }
    return nullptr;
}

ATOM registerClass(const WNDCLASSEXA& wc) {
    if (!wc.lpszClassName || !wc.lpfnWndProc || IS_INTRESOURCE(wc.lpszClassName) ||
        !*wc.lpszClassName) {
        setLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (lookup(wc.lpszClassName)) {
        setLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    return addClass(table(), wc, false);
}

}  // namespace

std::shared_ptr<WindowClass> findClass(LPCSTR name) {
    return lookup(name);
}

namespace {

// Whether GetClassInfoA with `instance` sees the class: the system's and
// global classes every caller, a local class the module that registered it.
bool visibleTo(const WindowClass& cls, HINSTANCE instance) {
    return cls.system || (cls.style & CS_GLOBALCLASS) != 0 ||
           (instance != nullptr && cls.instance == instance);
}

}  // namespace

}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" {

ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (!lpWndClass) {
        setLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = lpWndClass->style;
    wc.lpfnWndProc = lpWndClass->lpfnWndProc;
    wc.cbClsExtra = lpWndClass->cbClsExtra;
    wc.cbWndExtra = lpWndClass->cbWndExtra;
    wc.hInstance = lpWndClass->hInstance;
    wc.hIcon = lpWndClass->hIcon;
    wc.hCursor = lpWndClass->hCursor;
    wc.hbrBackground = lpWndClass->hbrBackground;
    wc.lpszMenuName = lpWndClass->lpszMenuName;
    wc.lpszClassName = lpWndClass->lpszClassName;
    return registerClass(wc);
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* lpWndClass) {
    if (!lpWndClass || lpWndClass->cbSize != sizeof(WNDCLASSEXA)) {
        setLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return registerClass(*lpWndClass);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE) {
    auto cls = lookup(lpClassName);
    if (!cls || cls->system) {
        setLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (cls->windowCount > 0) {
        setLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    auto& classes = table().classes;
    classes.erase(std::find(classes.begin(), classes.end(), cls));
    return TRUE;
}

BOOL WINAPI GetClassInfoExA(HINSTANCE hInstance, LPCSTR lpszClass, LPWNDCLASSEXA lpwcx) {
    auto cls = lookup(lpszClass);
    if (!cls || !lpwcx || !visibleTo(*cls, hInstance)) {
        setLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    lpwcx->style = cls->style;
    lpwcx->lpfnWndProc = cls->proc;
    lpwcx->cbClsExtra = cls->clsExtra;
    lpwcx->cbWndExtra = cls->wndExtra;
    lpwcx->hInstance = cls->instance;
    lpwcx->hIcon = cls->icon;
    lpwcx->hCursor = cls->cursor;
    lpwcx->hbrBackground = cls->background;
    lpwcx->lpszMenuName = cls->menuName;
    lpwcx->lpszClassName = lpszClass;
    lpwcx->hIconSm = cls->iconSmall;
    return cls->atom;
}

BOOL WINAPI GetClassInfoA(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
    WNDCLASSEXA wc{};
    if (!lpWndClass || !GetClassInfoExA(hInstance, lpClassName, &wc)) {
        setLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    lpWndClass->style = wc.style;
    lpWndClass->lpfnWndProc = wc.lpfnWndProc;
    lpWndClass->cbClsExtra = wc.cbClsExtra;
    lpWndClass->cbWndExtra = wc.cbWndExtra;
    lpWndClass->hInstance = wc.hInstance;
    lpWndClass->hIcon = wc.hIcon;
    lpWndClass->hCursor = wc.hCursor;
    lpWndClass->hbrBackground = wc.hbrBackground;
    lpWndClass->lpszMenuName = wc.lpszMenuName;
    lpWndClass->lpszClassName = wc.lpszClassName;
    return TRUE;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    Window* w = checkWindow(hWnd);
    if (!w || !lpClassName || nMaxCount <= 0) {
        return 0;
    }
    size_t n = std::min(w->cls->name.size(), static_cast<size_t>(nMaxCount - 1));
    std::memcpy(lpClassName, w->cls->name.data(), n);
    lpClassName[n] = '\0';
    return static_cast<int>(n);
}

ULONG_PTR WINAPI GetClassLongPtrA(HWND hWnd, int nIndex) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return 0;
    }
    WindowClass& c = *w->cls;
    if (nIndex >= 0) {
        if (static_cast<size_t>(nIndex) + sizeof(ULONG_PTR) > c.extra.size()) {
            setLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        ULONG_PTR v;
        std::memcpy(&v, c.extra.data() + nIndex, sizeof(v));
        return v;
    }
    switch (nIndex) {
        case GCLP_MENUNAME:
            return reinterpret_cast<ULONG_PTR>(c.menuName);
        case GCLP_HBRBACKGROUND:
            return reinterpret_cast<ULONG_PTR>(c.background);
        case GCLP_HCURSOR:
            return reinterpret_cast<ULONG_PTR>(c.cursor);
        case GCLP_HICON:
            return reinterpret_cast<ULONG_PTR>(c.icon);
        case GCLP_HICONSM:
            return reinterpret_cast<ULONG_PTR>(c.iconSmall);
        case GCLP_HMODULE:
            return reinterpret_cast<ULONG_PTR>(c.instance);
        case GCL_CBWNDEXTRA:
            return static_cast<ULONG_PTR>(c.wndExtra);
        case GCL_CBCLSEXTRA:
            return static_cast<ULONG_PTR>(c.clsExtra);
        case GCLP_WNDPROC:
            return reinterpret_cast<ULONG_PTR>(c.proc);
        case GCL_STYLE:
            return c.style;
        case GCW_ATOM:
            return c.atom;
        default:
            setLastError(ERROR_INVALID_INDEX);
            return 0;
    }
}

ULONG_PTR WINAPI SetClassLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return 0;
    }
    WindowClass& c = *w->cls;
    ULONG_PTR old = GetClassLongPtrA(hWnd, nIndex);
    if (nIndex >= 0) {
        if (static_cast<size_t>(nIndex) + sizeof(LONG_PTR) <= c.extra.size()) {
            std::memcpy(c.extra.data() + nIndex, &dwNewLong, sizeof(dwNewLong));
        }
        return old;
    }
    switch (nIndex) {
        case GCLP_HBRBACKGROUND:
            c.background = reinterpret_cast<HBRUSH>(dwNewLong);
            break;
        case GCLP_HCURSOR:
            c.cursor = reinterpret_cast<HCURSOR>(dwNewLong);
            break;
        case GCLP_HICON:
            c.icon = reinterpret_cast<HICON>(dwNewLong);
            break;
        case GCLP_HICONSM:
            c.iconSmall = reinterpret_cast<HICON>(dwNewLong);
            break;
        case GCLP_HMODULE:
            c.instance = reinterpret_cast<HINSTANCE>(dwNewLong);
            break;
        case GCLP_WNDPROC:
            c.proc = reinterpret_cast<WNDPROC>(dwNewLong);
            break;
        case GCL_STYLE:
            c.style = static_cast<UINT>(dwNewLong);
            break;
        case GCL_CBWNDEXTRA:
            c.wndExtra = static_cast<int>(dwNewLong);
            break;
        default:
            setLastError(ERROR_INVALID_INDEX);
            return 0;
    }
    return old;
}

DWORD WINAPI GetClassLongA(HWND hWnd, int nIndex) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return 0;
    }
    if (nIndex >= 0) {
        if (static_cast<size_t>(nIndex) + sizeof(DWORD) > w->cls->extra.size()) {
            setLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        DWORD v;
        std::memcpy(&v, w->cls->extra.data() + nIndex, sizeof(v));
        return v;
    }
    return static_cast<DWORD>(GetClassLongPtrA(hWnd, nIndex));
}

DWORD WINAPI SetClassLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    Window* w = checkWindow(hWnd);
    if (!w) {
        return 0;
    }
    if (nIndex >= 0) {
        DWORD old = GetClassLongA(hWnd, nIndex);
        if (static_cast<size_t>(nIndex) + sizeof(LONG) <= w->cls->extra.size()) {
            std::memcpy(w->cls->extra.data() + nIndex, &dwNewLong, sizeof(dwNewLong));
        }
        return old;
    }
    return static_cast<DWORD>(SetClassLongPtrA(hWnd, nIndex, dwNewLong));
}

UINT WINAPI RegisterWindowMessageA(LPCSTR lpString) {
    if (!lpString || !*lpString) {
        setLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto& t = table();
    for (auto& [name, id] : t.messages) {
        if (sameName(name, lpString)) {
            return id;
        }
    }
    UINT id = t.nextAtom++;
    t.messages.emplace_back(lpString, id);
    return id;
}

}  // extern "C"
