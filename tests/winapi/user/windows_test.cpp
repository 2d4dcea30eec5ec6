// Window classes, creating and destroying windows, relations and window data.
#include "user_support.h"

#include <algorithm>
#include <cstring>

namespace {

using Windows = UserTest;

LRESULT CALLBACK plainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST_F(Windows, ClassesAreRegisteredOnceAndFoundByNameOrAtom) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = plainProc;
    wc.cbClsExtra = 8;
    wc.cbWndExtra = 4;
    wc.lpszClassName = "WindowsTestClass";
    ATOM atom = RegisterClassA(&wc);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

    // Found under the program's handle (a class registered without one is
    // the program's); a null handle asks for the system's classes only.
    HINSTANCE program = GetModuleHandleA(nullptr);
    WNDCLASSA info{};
    ASSERT_TRUE(GetClassInfoA(program, "windowstestclass", &info));
    EXPECT_EQ(info.lpfnWndProc, plainProc);
    EXPECT_EQ(info.cbWndExtra, 4);
    EXPECT_FALSE(GetClassInfoA(nullptr, "WindowsTestClass", &info));
    EXPECT_TRUE(GetClassInfoA(nullptr, "#32770", &info));

    HWND byAtom = CreateWindowExA(0, MAKEINTATOM(atom), "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(byAtom, nullptr);
    char name[64];
    EXPECT_EQ(GetClassNameA(byAtom, name, sizeof(name)), 16);
    EXPECT_STREQ(name, "WindowsTestClass");
    EXPECT_EQ(GetClassLongPtrA(byAtom, GCW_ATOM), atom);

    // A class with windows cannot go; without them it can.
    EXPECT_FALSE(UnregisterClassA("WindowsTestClass", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(byAtom);
    EXPECT_TRUE(UnregisterClassA("WindowsTestClass", nullptr));
    EXPECT_FALSE(GetClassInfoA(program, "WindowsTestClass", &info));
}

TEST_F(Windows, AnUnknownClassIsReportedAsNotFound) {
    CreateWindowExA(0, "NoSuchClass", "", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                    nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(Windows, UnknownClassOrOrphanChildFailsCreation) {
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
    EXPECT_EQ(
        CreateWindowExA(0, kLogClass, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
}

TEST_F(Windows, CreationSendsNcCreateCreateSizeMoveNotifiesParentThenShows) {
    HWND parent = topLevel(10, 20, 300, 200);
    std::vector<UINT> positionFlags;
    setHandler([&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_WINDOWPOSCHANGING || msg == WM_WINDOWPOSCHANGED) {
            positionFlags.push_back(reinterpret_cast<const WINDOWPOS*>(lParam)->flags);
        }
        return std::nullopt;
    });
    clearLog();
    HWND c = child(parent, 7, 5, 6, 50, 40);
    // A child created visible is shown after its parent heard of it, as
    // ShowWindow(SW_SHOW) shows a child: in place, activating nothing.
    std::vector<UINT> expected = {
        WM_NCCREATE,   WM_NCCALCSIZE,        WM_CREATE,          WM_SIZE, WM_MOVE,
        WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED};
    EXPECT_EQ(messages(c), expected);
    const UINT shown = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER;
    ASSERT_EQ(positionFlags.size(), 2u);
    EXPECT_EQ(positionFlags[0], shown);
    EXPECT_EQ(positionFlags[1] & shown, shown);
    std::vector<UINT> order = messages(nullptr, {WM_PARENTNOTIFY, WM_SHOWWINDOW});
    EXPECT_EQ(order, (std::vector<UINT>{WM_PARENTNOTIFY, WM_SHOWWINDOW}));
    EXPECT_EQ(messages(parent, {WM_PARENTNOTIFY}), std::vector<UINT>{WM_PARENTNOTIFY});
    auto notifyAt = std::find_if(log().begin(), log().end(),
                                 [](const LoggedMessage& m) { return m.msg == WM_PARENTNOTIFY; });
    ASSERT_NE(notifyAt, log().end());
    const LoggedMessage& notify = *notifyAt;
    EXPECT_EQ(LOWORD(notify.wParam), WM_CREATE);
    EXPECT_EQ(HIWORD(notify.wParam), 7);
    EXPECT_EQ(reinterpret_cast<HWND>(notify.lParam), c);
    // WM_SIZE carries the client size, WM_MOVE the client origin in the parent.
    for (const auto& m : log()) {
        if (m.hwnd == c && m.msg == WM_SIZE) {
            EXPECT_EQ(m.lParam, MAKELPARAM(50, 40));
        }
        if (m.hwnd == c && m.msg == WM_MOVE) {
            EXPECT_EQ(m.lParam, MAKELPARAM(5, 6));
        }
    }
    EXPECT_TRUE(IsWindowVisible(c));
    char text[16];
    EXPECT_EQ(GetWindowTextA(c, text, sizeof(text)), 5);
    EXPECT_STREQ(text, "child");
}

TEST_F(Windows, NoParentNotifyStyleKeepsParentQuiet) {
    HWND parent = topLevel(0, 0, 100, 100);
    clearLog();
    HWND c = child(parent, 1, 0, 0, 10, 10, WS_CHILD, nullptr, WS_EX_NOPARENTNOTIFY);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(messages(parent).empty());
    DestroyWindow(c);
    EXPECT_TRUE(messages(parent).empty());
}

TEST_F(Windows, CreateParamsReachNcCreateAndCreate) {
    int marker = 42;
    void* seenNc = nullptr;
    void* seenCreate = nullptr;
    setHandler([&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_NCCREATE || msg == WM_CREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
            (msg == WM_NCCREATE ? seenNc : seenCreate) = cs->lpCreateParams;
            EXPECT_EQ(cs->cx, 30);
            EXPECT_EQ(cs->cy, 40);
            EXPECT_STREQ(cs->lpszName, "named");
        }
        return std::nullopt;
    });
    HWND w = CreateWindowExA(0, kLogClass, "named", WS_OVERLAPPED, 1, 2, 30, 40, nullptr, nullptr,
                             nullptr, &marker);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(seenNc, &marker);
    EXPECT_EQ(seenCreate, &marker);
}

TEST_F(Windows, RefusedCreationLeavesNoWindow) {
    HWND refused = nullptr;
    setHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_NCCREATE) {
            refused = hwnd;
            return FALSE;
        }
        return std::nullopt;
    });
    EXPECT_EQ(CreateWindowExA(0, kLogClass, "", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
    EXPECT_FALSE(IsWindow(refused));
    EXPECT_EQ(messages(refused, {WM_NCCREATE, WM_CREATE, WM_NCDESTROY}),
              (std::vector<UINT>{WM_NCCREATE, WM_NCDESTROY}));

    clearLog();
    HWND failed = nullptr;
    setHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CREATE) {
            failed = hwnd;
            return -1;
        }
        return std::nullopt;
    });
    EXPECT_EQ(CreateWindowExA(0, kLogClass, "", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
    EXPECT_FALSE(IsWindow(failed));
    // The window is destroyed: WM_NCDESTROY is the last it hears.
    const std::vector<UINT> heard = messages(failed);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(messages(failed, {WM_CREATE}), std::vector<UINT>{WM_CREATE});
}

TEST_F(Windows, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND a = child(top, 1, 0, 0, 10, 10);
    HWND a1 = child(a, 11, 0, 0, 5, 5);
    HWND b = child(top, 2, 20, 0, 10, 10);
    clearLog();
    ASSERT_TRUE(DestroyWindow(top));
    std::vector<std::pair<HWND, UINT>> order;
    for (const auto& m : log()) {
        if (m.msg == WM_DESTROY || m.msg == WM_NCDESTROY) {
            order.emplace_back(m.hwnd, m.msg);
        }
    }
    std::vector<std::pair<HWND, UINT>> expected = {
        {top, WM_DESTROY},  {a, WM_DESTROY},   {a1, WM_DESTROY},  {b, WM_DESTROY},
        {a1, WM_NCDESTROY}, {a, WM_NCDESTROY}, {b, WM_NCDESTROY}, {top, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    for (HWND h : {top, a, a1, b}) {
        EXPECT_FALSE(IsWindow(h));
    }
}

TEST_F(Windows, ChildrenStillExistDuringParentsDestroy) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND c = child(top, 1, 0, 0, 10, 10);
    bool childAlive = false;
    setHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == top && msg == WM_DESTROY) {
            childAlive = IsWindow(c) && GetParent(c) == top;
        }
        return std::nullopt;
    });
    DestroyWindow(top);
    EXPECT_TRUE(childAlive);
}

TEST_F(Windows, OwnedWindowsGoFirstAndCloseDestroys) {
    HWND owner = topLevel(0, 0, 100, 100);
    HWND owned =
        CreateWindowExA(0, kLogClass, "", WS_POPUP, 0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    EXPECT_EQ(GetParent(owned), owner);  // a popup's "parent" is its owner
    clearLog();
    SendMessageA(owner, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_FALSE(IsWindow(owned));
    auto destroys = messages(nullptr, {WM_DESTROY});
    ASSERT_EQ(log().size() > 0, true);
    std::vector<HWND> order;
    for (const auto& m : log()) {
        if (m.msg == WM_DESTROY) {
            order.push_back(m.hwnd);
        }
    }
    EXPECT_EQ(order, (std::vector<HWND>{owned, owner}));
}

TEST_F(Windows, StaleHandlesFailSafelyAndAreNeverReused) {
    HWND first = topLevel(0, 0, 10, 10);
    DestroyWindow(first);
    HWND second = topLevel(0, 0, 10, 10);
    EXPECT_NE(first, second);
    RECT r;
    EXPECT_FALSE(GetWindowRect(first, &r));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(SendMessageA(first, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_FALSE(PostMessageA(first, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(first));
    EXPECT_FALSE(ShowWindow(first, SW_SHOW));
    EXPECT_EQ(SetFocus(first), nullptr);
    EXPECT_EQ(GetParent(reinterpret_cast<HWND>(0x1234)), nullptr);
    EXPECT_FALSE(IsWindow(nullptr));
}

TEST_F(Windows, ChildZOrderFollowsCreationAndSetWindowPos) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND a = child(top, 1, 0, 0, 10, 10);
    HWND b = child(top, 2, 0, 0, 10, 10);
    HWND c = child(top, 3, 0, 0, 10, 10);
    // The first child created is on top (GW_CHILD), as a dialog's tab order needs.
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetTopWindow(top), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDFIRST), a);
    EXPECT_EQ(GetWindow(b, GW_HWNDLAST), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);

    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), c);
    SetWindowPos(c, a, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), c);
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), c);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
}

TEST_F(Windows, TopLevelWindowsStackNewestFirstBelowTopmost) {
    HWND pinned = CreateWindowExA(WS_EX_TOPMOST, kLogClass, "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND older = topLevel(0, 0, 10, 10, WS_POPUP);
    HWND newer = topLevel(0, 0, 10, 10, WS_POPUP);
    EXPECT_EQ(GetTopWindow(nullptr), pinned);
    EXPECT_EQ(GetWindow(pinned, GW_HWNDNEXT), newer);
    EXPECT_EQ(GetWindow(newer, GW_HWNDNEXT), older);
    EXPECT_TRUE(BringWindowToTop(older));
    EXPECT_EQ(GetWindow(pinned, GW_HWNDNEXT), older);
}

TEST_F(Windows, RelationsParentAncestorChild) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND mid = child(top, 1, 0, 0, 50, 50);
    HWND leaf = child(mid, 2, 0, 0, 10, 10);
    EXPECT_EQ(GetParent(leaf), mid);
    EXPECT_EQ(GetParent(top), nullptr);
    EXPECT_EQ(GetAncestor(leaf, GA_PARENT), mid);
    EXPECT_EQ(GetAncestor(leaf, GA_ROOT), top);
    EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
    EXPECT_TRUE(IsChild(top, leaf));
    EXPECT_FALSE(IsChild(leaf, top));
    EXPECT_FALSE(IsChild(top, top));
    EXPECT_EQ(GetDlgCtrlID(leaf), 2);

    HWND other = topLevel(200, 0, 100, 100);
    EXPECT_EQ(SetParent(leaf, other), mid);
    EXPECT_EQ(GetParent(leaf), other);
    EXPECT_FALSE(IsChild(top, leaf));
    EXPECT_EQ(SetParent(top, mid), nullptr);  // a window cannot go below its own descendant
}

TEST_F(Windows, EnumChildWindowsVisitsParentsBeforeChildren) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND a = child(top, 1, 0, 0, 10, 10);
    HWND a1 = child(a, 11, 0, 0, 5, 5);
    HWND b = child(top, 2, 0, 0, 10, 10);
    std::vector<HWND> seen;
    EnumChildWindows(
        top,
        [](HWND h, LPARAM lp) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, (std::vector<HWND>{a, a1, b}));

    // Stopping early, and windows destroyed by the callback are skipped.
    seen.clear();
    EnumChildWindows(
        top,
        [](HWND h, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<std::vector<HWND>*>(lp);
            s->push_back(h);
            DestroyWindow(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, (std::vector<HWND>{a, b}));
}

TEST_F(Windows, WindowLongsAndExtraBytes) {
    HWND w = topLevel(0, 0, 10, 10);
    EXPECT_EQ(SetWindowLongPtrA(w, 8, 0x1234), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, 8), 0x1234);
    EXPECT_EQ(SetWindowLongA(w, 0, 77), 0);
    EXPECT_EQ(GetWindowLongA(w, 0), 77);
    // Past the 16 extra bytes of the class.
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrA(w, 9), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(SetWindowLongPtrA(w, 16, 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));

    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_USERDATA, 99), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), 99);
    HWND c = child(w, 5, 0, 0, 1, 1);
    EXPECT_EQ(GetWindowLongPtrA(c, GWLP_ID), 5);
    SetWindowLongPtrA(c, GWLP_ID, 6);
    EXPECT_EQ(GetDlgCtrlID(c), 6);
    EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrA(c, GWLP_HWNDPARENT)), w);
}

// An overlapped window has a title bar and a border; top-level windows clip
// their siblings whatever they are given.
TEST_F(Windows, TopLevelWindowsClipSiblingsAndOverlappedOnesHaveACaption) {
    auto styleOf = [](HWND h) { return static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE)); };
    HWND overlapped = topLevel(0, 0, 10, 10, WS_OVERLAPPED);
    EXPECT_EQ(styleOf(overlapped), static_cast<DWORD>(WS_CAPTION | WS_CLIPSIBLINGS));
    HWND popup = topLevel(0, 0, 10, 10, WS_POPUP);
    EXPECT_EQ(styleOf(popup), static_cast<DWORD>(WS_POPUP | WS_CLIPSIBLINGS));
    HWND c = child(popup, 1, 0, 0, 5, 5, WS_CHILD);
    EXPECT_EQ(styleOf(c), static_cast<DWORD>(WS_CHILD));
}

TEST_F(Windows, StyleChangesAreAnnounced) {
    HWND w = topLevel(0, 0, 10, 10, WS_POPUP);
    HWND c = child(w, 1, 0, 0, 5, 5, WS_CHILD | WS_CLIPSIBLINGS);
    const DWORD before = static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE));
    DWORD seenOld = 0;
    DWORD seenNew = 0;
    setHandler([&](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (hwnd == w && msg == WM_STYLECHANGED && wp == static_cast<WPARAM>(GWL_STYLE)) {
            auto* ss = reinterpret_cast<STYLESTRUCT*>(lp);
            seenOld = ss->styleOld;
            seenNew = ss->styleNew;
        }
        return std::nullopt;
    });
    SetWindowLongA(w, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_BORDER));
    EXPECT_EQ(messages(w, {WM_STYLECHANGING, WM_STYLECHANGED}),
              (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
    EXPECT_EQ(seenOld, before);
    EXPECT_EQ(seenNew & (WS_POPUP | WS_BORDER), static_cast<DWORD>(WS_POPUP | WS_BORDER));
    // A top-level window keeps clipping its siblings; a child may stop.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)),
              static_cast<DWORD>(WS_POPUP | WS_BORDER | WS_CLIPSIBLINGS));
    SetWindowLongA(c, GWL_STYLE, WS_CHILD);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(c, GWL_STYLE)), static_cast<DWORD>(WS_CHILD));
}

WNDPROC g_previous = nullptr;
std::vector<std::string> g_chain;

LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETTEXT) {
        g_chain.push_back(std::string("sub:") + reinterpret_cast<const char*>(lParam));
        // Changes what the original procedure stores.
        return CallWindowProcA(g_previous, hwnd, msg, wParam, reinterpret_cast<LPARAM>("changed"));
    }
    return CallWindowProcA(g_previous, hwnd, msg, wParam, lParam);
}

TEST_F(Windows, SubclassingChainsToThePreviousProcedure) {
    HWND w = topLevel(0, 0, 10, 10);
    g_chain.clear();
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProc)));
    ASSERT_NE(g_previous, nullptr);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC)), subclassProc);
    clearLog();
    SetWindowTextA(w, "given");
    EXPECT_EQ(g_chain, std::vector<std::string>{"sub:given"});
    EXPECT_EQ(messages(w), std::vector<UINT>{WM_SETTEXT});  // the original still saw it
    char text[16];
    GetWindowTextA(w, text, sizeof(text));
    EXPECT_STREQ(text, "changed");
    // Undoing the subclass restores the original behaviour.
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
    SetWindowTextA(w, "plain");
    GetWindowTextA(w, text, sizeof(text));
    EXPECT_STREQ(text, "plain");
}

TEST_F(Windows, WindowTextIsCutToTheBuffer) {
    HWND w = topLevel(0, 0, 10, 10);
    SetWindowTextA(w, "abcdef");
    EXPECT_EQ(GetWindowTextLengthA(w), 6);
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(GetWindowTextA(w, small, sizeof(small)), 3);
    EXPECT_STREQ(small, "abc");
    EXPECT_EQ(GetWindowTextA(w, small, 0), 0);
    SetWindowTextA(w, nullptr);
    EXPECT_EQ(GetWindowTextLengthA(w), 0);
}

TEST_F(Windows, PropertiesBelongToTheWindow) {
    HWND w = topLevel(0, 0, 10, 10);
    int value = 3;
    EXPECT_TRUE(SetPropA(w, "Key", &value));
    EXPECT_EQ(GetPropA(w, "KEY"), &value);
    EXPECT_EQ(RemovePropA(w, "key"), &value);
    EXPECT_EQ(GetPropA(w, "Key"), nullptr);
}

TEST_F(Windows, DefaultProcedureKeepsIconsButNoFont) {
    HWND w = topLevel(0, 0, 10, 10);
    HFONT font = reinterpret_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    auto big = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x6000));
    auto small = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x6001));
    // A window keeps a font only when its own procedure does; left to the
    // default procedure it writes in the system font, which WM_GETFONT gives as null.
    EXPECT_EQ(SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE), 0);
    EXPECT_EQ(SendMessageA(w, WM_GETFONT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big)), 0);
    EXPECT_EQ(SendMessageA(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small)), 0);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(w, WM_GETICON, ICON_BIG, 0)), big);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(w, WM_GETICON, ICON_SMALL, 0)), small);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(w, WM_SETICON, ICON_BIG, 0)), big);
}

}  // namespace
