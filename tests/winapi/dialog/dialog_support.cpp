#include "dialog_support.h"

#if VEDRIX_HEADLESS
#include <vedrix/headless/resource_table.h>
#endif

#include <commctrl.h>

#include <algorithm>

const char* const kFieldClass = "DialogTestField";

namespace {

#if VEDRIX_HEADLESS
// The program's resources for the headless platform; for Windows the same
// come from dialog_resources.rc.

const VedrixDialogItem kMainItems[] = {
    {kLabel, "Static", "Label", WS_CHILD | WS_VISIBLE, 0, 2, 2, 40, 8},
    {kField1, kFieldClass, "one", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP, 0, 5, 12, 40, 10},
    {kDisabledField, kFieldClass, "two", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 0, 5, 24,
     40, 10},
    {kHiddenField, kFieldClass, "three", WS_CHILD | WS_TABSTOP, 0, 5, 36, 40, 10},
    {kField4, kFieldClass, "four", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 50, 12, 40, 10},
    {IDOK, "Button", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 10,
     60, 30, 12},
    {IDCANCEL, "Button", "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 50, 60,
     30, 12},
};

const VedrixDialogTemplate kMainTemplate = {
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    0,
    10,
    20,
    100,
    80,
    "Main dialog",
    "MS Sans Serif",
    8,
    sizeof(kMainItems) / sizeof(kMainItems[0]),
    kMainItems,
};

const VedrixDialogItem kBrokenItems[] = {
    {1, "NoSuchControlClass", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 10, 10},
};
const VedrixDialogTemplate kBrokenTemplate = {
    WS_POPUP, 0, 0, 0, 50, 50, "Broken", "", 0, 1, kBrokenItems,
};

const VedrixDialogItem kSmallItems[] = {
    {IDOK, "Button", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 5, 5, 30, 12},
    {IDCANCEL, "Button", "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 40, 5, 30, 12},
};
const VedrixDialogTemplate kSmallTemplate = {
    WS_POPUP | WS_CAPTION | DS_CENTER, 0, 0, 0, 80, 30, "Small", "", 0, 2, kSmallItems,
};

const VedrixDialogTemplate kVisibleTemplate = {
    WS_POPUP | WS_VISIBLE, 0, 0, 0, 80, 30, "Visible", "", 0, 2, kSmallItems,
};

const VedrixMenuItem kFileItems[] = {
    {MF_STRING, 301, "&Open", 0, nullptr},
    {MF_SEPARATOR, 0, "", 0, nullptr},
    {MF_STRING | MF_GRAYED, 302, "&Close", 0, nullptr},
};
const VedrixMenuItem kBarItems[] = {
    {MF_POPUP, 0, "&File", 3, kFileItems},
};
const VedrixMenu kMenuResource = {1, kBarItems};

const unsigned char kCursorBits[] = {'B', 'M', 0, 0};
const unsigned char kDataBytes[] = {'B', 'M', 0, 0};

const VedrixResource kEntries[] = {
    {1, kCursor, kCursorBits, sizeof(kCursorBits)},
    {4, kMenu, &kMenuResource, sizeof(kMenuResource)},
    {5, kMainDialog, &kMainTemplate, sizeof(kMainTemplate)},
    {5, kBrokenDialog, &kBrokenTemplate, sizeof(kBrokenTemplate)},
    {5, kSmallDialog, &kSmallTemplate, sizeof(kSmallTemplate)},
    {5, kVisibleDialog, &kVisibleTemplate, sizeof(kVisibleTemplate)},
    {6, kHello, "Hello", 5},
    {6, kEmpty, "", 0},
    {6, kLong, "A longer text", 13},
    {10, kData, kDataBytes, sizeof(kDataBytes)},
};

const VedrixResourceDirectory kTable = {1, "en", sizeof(kEntries) / sizeof(kEntries[0]), kEntries};
#endif

std::vector<Seen> g_seen;
DialogHandler g_handler;

LRESULT CALLBACK fieldProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE:
            return GetWindowLongPtrA(hwnd, GWLP_USERDATA);
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            g_seen.push_back(Seen{hwnd, msg, wParam, lParam});
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

#if VEDRIX_HEADLESS
// The program's resource table, found through the null module handle.
extern "C" __attribute__((visibility("default"))) const VedrixResourceDirectory*
VedrixResourceTable(void) {
    return &kTable;
}
#endif

void DialogTest::SetUp() {
    person::resetDesktop();
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    // The program's own classes are found under its module handle; a null
    // handle asks for the system's classes only.
    HINSTANCE program = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!GetClassInfoA(program, kFieldClass, &wc)) {
        wc.lpfnWndProc = fieldProc;
        wc.hInstance = program;
        wc.lpszClassName = kFieldClass;
        ASSERT_NE(RegisterClassA(&wc), 0);
    }
    WNDCLASSA top{};
    if (!GetClassInfoA(program, "DialogTestOwner", &top)) {
        top.lpfnWndProc = DefWindowProcA;
        top.hInstance = program;
        top.lpszClassName = "DialogTestOwner";
        ASSERT_NE(RegisterClassA(&top), 0);
    }
    owner = CreateWindowExA(0, "DialogTestOwner", "Owner", WS_OVERLAPPED | WS_VISIBLE, 100, 50, 600,
                            400, nullptr, nullptr, program, nullptr);
    ASSERT_NE(owner, nullptr);
    g_seen.clear();
    g_handler = nullptr;
}

void DialogTest::TearDown() {
    g_handler = nullptr;
    person::resetDesktop();
    g_seen.clear();
}

INT_PTR CALLBACK DialogTest::dialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    g_seen.push_back(Seen{hwnd, msg, wParam, lParam});
    if (g_handler) {
        DialogHandler h = g_handler;
        if (std::optional<INT_PTR> r = h(hwnd, msg, wParam, lParam)) {
            return *r;
        }
    }
    if (msg == WM_INITDIALOG) {
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void DialogTest::handle(DialogHandler handler) {
    g_handler = std::move(handler);
}

std::vector<Seen>& DialogTest::seen() {
    return g_seen;
}

std::vector<UINT> DialogTest::seenOf(HWND hwnd, std::vector<UINT> only) {
    std::vector<UINT> out;
    for (const Seen& s : g_seen) {
        if ((!hwnd || s.hwnd == hwnd) &&
            (only.empty() || std::find(only.begin(), only.end(), s.msg) != only.end())) {
            out.push_back(s.msg);
        }
    }
    return out;
}

std::vector<WORD> DialogTest::commands() {
    std::vector<WORD> out;
    for (const Seen& s : g_seen) {
        if (s.msg == WM_COMMAND) {
            out.push_back(LOWORD(s.wParam));
        }
    }
    return out;
}
