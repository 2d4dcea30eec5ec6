// A top-level parent window that records what the standard controls tell
// it (WM_COMMAND notifications, WM_NOTIFY, WM_HSCROLL/WM_VSCROLL), and helpers
// to create controls in it. Only the platform's headers and the headless
// desktop (acting as the person) are used.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include "person.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace controls_tests {

struct Command {
    int id = 0;
    int code = 0;
    HWND from = nullptr;
};

struct ScrollMessage {
    UINT message = 0;  // WM_HSCROLL or WM_VSCROLL
    int code = 0;
    int pos = 0;
    HWND from = nullptr;
};

struct Notify {
    UINT code = 0;
    UINT_PTR idFrom = 0;
    HWND from = nullptr;
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A child control of the parent with identifier `id`; rectangle in the
    // parent's client coordinates.
    HWND create(const char* cls, const char* text, DWORD style, int x, int y, int cx, int cy,
                int id = 100);

    // The notification codes the parent got through WM_COMMAND from `id`.
    std::vector<int> codes(int id) const;
    int count(int id, int code) const;
    std::vector<int> scrollCodes() const;
    void clearRecords();

    // Screen point at client point (x, y) of `hwnd`.
    static POINT at(HWND hwnd, int x, int y);
    static std::string text(HWND hwnd);
    static DWORD style(HWND hwnd);

    HWND parent = nullptr;
    std::vector<Command> commands;
    std::vector<ScrollMessage> scrolls;
    std::vector<Notify> notifies;
    // Answers a message before the recording (WM_NOTIFY from a tooltip...);
    // returns true when it handled it, with the result in `result`.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT& result)> respond;

    static LRESULT CALLBACK parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static ControlsTest* current;
};

}  // namespace controls_tests
