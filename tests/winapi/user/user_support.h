// Shared pieces of the window-manager conformance tests: a window class that
// logs every message its windows get, and a fixture that starts each test on
// an empty desktop.
#pragma once

#include <windows.h>

#include "person.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

inline bool sameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

struct LoggedMessage {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Windows of this class log their messages and leave them to DefWindowProcA,
// unless the current handler answers first. The class has CS_DBLCLKS, an arrow
// cursor and 16 extra window bytes.
extern const char* const kLogClass;
// The same without CS_DBLCLKS and with the IDC_NO cursor.
extern const char* const kPlainClass;

using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class UserTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The log, and the messages of one window (or all), keeping only those
    // listed (all when the list is empty).
    std::vector<LoggedMessage>& log();
    std::vector<UINT> messages(HWND hwnd, std::vector<UINT> only = {});
    void clearLog();
    void setHandler(Handler handler);

    // Top-level windows are frameless popups unless told otherwise, so that
    // their client area is their window rectangle on every platform.
    HWND topLevel(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE,
                  const char* cls = nullptr);
    HWND child(HWND parent, int id, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE,
               const char* cls = nullptr, DWORD ex = 0);
};
