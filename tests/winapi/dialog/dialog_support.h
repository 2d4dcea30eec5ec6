// Shared pieces of the dialog-manager conformance tests: the program's own
// resource table (templates 200..203, strings, a menu, a cursor, raw data), a test
// control whose dialog code each test chooses, and a fixture with a
// configurable dialog procedure.
#pragma once

#include <windows.h>

#include "person.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Resource numbers of the test program's table.
enum {
    kMainDialog = 200,     // fields 1001..1004, OK (default), Cancel, a label
    kBrokenDialog = 201,   // names a class nobody registered
    kSmallDialog = 202,    // OK and Cancel only, centred
    kVisibleDialog = 203,  // WS_VISIBLE, for modeless use
    kMenu = 300,
    kCursor = 400,
    kData = 500,  // four bytes: 'B', 'M', 0, 0
    kHello = 100,
    kEmpty = 101,
    kLong = 102,
};

enum { kLabel = 1000, kField1 = 1001, kDisabledField = 1002, kHiddenField = 1003, kField4 = 1004 };

// Class of the test fields: its windows answer WM_GETDLGCODE with their
// GWLP_USERDATA and log the keys and characters they get.
extern const char* const kFieldClass;

struct Seen {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

using DialogHandler = std::function<std::optional<INT_PTR>(HWND, UINT, WPARAM, LPARAM)>;

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The dialog procedure logs every message, then asks the handler; without
    // an answer it ends the dialog on WM_COMMAND IDOK / IDCANCEL with that id
    // and returns TRUE for WM_INITDIALOG.
    static INT_PTR CALLBACK dialogProc(HWND, UINT, WPARAM, LPARAM);
    void handle(DialogHandler handler);
    std::vector<Seen>& seen();
    std::vector<UINT> seenOf(HWND hwnd, std::vector<UINT> only);
    std::vector<WORD> commands();  // the identifiers of WM_COMMAND, in order

    HWND owner = nullptr;  // a visible top-level window
};
