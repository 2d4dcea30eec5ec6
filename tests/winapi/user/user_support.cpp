#include "user_support.h"

const char* const kLogClass = "UserTestLog";
const char* const kPlainClass = "UserTestPlain";

namespace {

std::vector<LoggedMessage> g_log;
Handler g_handler;

LRESULT CALLBACK logProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    g_log.push_back(LoggedMessage{hwnd, msg, wParam, lParam});
    if (g_handler) {
        Handler h = g_handler;
        if (std::optional<LRESULT> r = h(hwnd, msg, wParam, lParam)) {
            return *r;
        }
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void registerClasses() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = logProc;
    wc.cbWndExtra = 16;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kLogClass;
    ASSERT_NE(RegisterClassA(&wc), 0);
    wc.style = 0;
    wc.hCursor = LoadCursorA(nullptr, IDC_NO);
    wc.lpszClassName = kPlainClass;
    ASSERT_NE(RegisterClassA(&wc), 0);
}

}  // namespace

void UserTest::SetUp() {
    person::resetDesktop();
    registerClasses();
    g_log.clear();
    g_handler = nullptr;
}

void UserTest::TearDown() {
    g_handler = nullptr;
    person::resetDesktop();
    g_log.clear();
}

std::vector<LoggedMessage>& UserTest::log() {
    return g_log;
}

std::vector<UINT> UserTest::messages(HWND hwnd, std::vector<UINT> only) {
    std::vector<UINT> out;
    for (const auto& m : g_log) {
        if (hwnd && m.hwnd != hwnd) {
            continue;
        }
        if (!only.empty() && std::find(only.begin(), only.end(), m.msg) == only.end()) {
            continue;
        }
        out.push_back(m.msg);
    }
    return out;
}

void UserTest::clearLog() {
    g_log.clear();
}

void UserTest::setHandler(Handler handler) {
    g_handler = std::move(handler);
}

HWND UserTest::topLevel(int x, int y, int w, int h, DWORD style, const char* cls) {
    HWND hwnd = CreateWindowExA(0, cls ? cls : kLogClass, "top", style, x, y, w, h, nullptr,
                                nullptr, nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    return hwnd;
}

HWND UserTest::child(HWND parent, int id, int x, int y, int w, int h, DWORD style, const char* cls,
                     DWORD ex) {
    HWND hwnd =
        CreateWindowExA(ex, cls ? cls : kLogClass, "child", style, x, y, w, h, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    return hwnd;
}
