#include "controls/controls_fixture.h"

#include <cstring>

namespace controls_tests {

ControlsTest* ControlsTest::current = nullptr;

namespace {
const char kParentClass[] = "ControlsTestParent";
}

LRESULT CALLBACK ControlsTest::parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlsTest* test = current;
    if (test == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (test->respond && test->respond(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) {
                test->commands.push_back(
                    Command{LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
            }
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            test->scrolls.push_back(ScrollMessage{message, LOWORD(wParam),
                                                  static_cast<SHORT>(HIWORD(wParam)),
                                                  reinterpret_cast<HWND>(lParam)});
            return 0;
        case WM_NOTIFY: {
            const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
            test->notifies.push_back(Notify{hdr->code, hdr->idFrom, hdr->hwndFrom});
            return 0;
        }
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void ControlsTest::SetUp() {
    person::resetDesktop();
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    WNDCLASSA cls;
    std::memset(&cls, 0, sizeof cls);
    cls.lpfnWndProc = &ControlsTest::parentProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = kParentClass;
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    WNDCLASSA existing;
    if (!GetClassInfoA(cls.hInstance, kParentClass, &existing)) {
        ASSERT_NE(RegisterClassA(&cls), 0);
    }
    current = this;
    parent = CreateWindowExA(0, kParentClass, "Controls test", WS_POPUP | WS_VISIBLE, 100, 100, 400,
                             300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    SetActiveWindow(parent);
}

void ControlsTest::TearDown() {
    if (parent != nullptr && IsWindow(parent)) {
        DestroyWindow(parent);
    }
    current = nullptr;
}

HWND ControlsTest::create(const char* cls, const char* windowText, DWORD windowStyle, int x, int y,
                          int cx, int cy, int id) {
    HWND hwnd = CreateWindowExA(0, cls, windowText, WS_CHILD | WS_VISIBLE | windowStyle, x, y, cx,
                                cy, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(hwnd, nullptr) << cls;
    return hwnd;
}

std::vector<int> ControlsTest::codes(int id) const {
    std::vector<int> result;
    for (const Command& c : commands) {
        if (c.id == id) {
            result.push_back(c.code);
        }
    }
    return result;
}

int ControlsTest::count(int id, int code) const {
    int n = 0;
    for (const Command& c : commands) {
        if (c.id == id && c.code == code) {
            ++n;
        }
    }
    return n;
}

std::vector<int> ControlsTest::scrollCodes() const {
    std::vector<int> result;
    for (const ScrollMessage& s : scrolls) {
        result.push_back(s.code);
    }
    return result;
}

void ControlsTest::clearRecords() {
    commands.clear();
    scrolls.clear();
    notifies.clear();
}

POINT ControlsTest::at(HWND hwnd, int x, int y) {
    POINT pt{x, y};
    ClientToScreen(hwnd, &pt);
    return pt;
}

std::string ControlsTest::text(HWND hwnd) {
    char buffer[512] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

DWORD ControlsTest::style(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
}

}  // namespace controls_tests
