// A top-level parent window that records the tree view's notifications, and
// helpers to fill a tree. Only the platform's headers are used.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "person.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace treeview_tests {

// One WM_NOTIFY as the parent saw it, with the fields of the notification
// structures copied out.
struct Note {
    UINT code = 0;
    UINT_PTR idFrom = 0;
    HWND from = nullptr;
    UINT action = 0;
    HTREEITEM oldItem = nullptr;
    HTREEITEM newItem = nullptr;
    LPARAM oldParam = 0;
    LPARAM newParam = 0;
    UINT newState = 0;
    POINT ptDrag{};
    bool hasText = false;  // pszText was not NULL (label edit notifications)
    std::string text;
    WORD key = 0;
    HWND editControl = nullptr;      // TVM_GETEDITCONTROL while the notification ran
    HWND focus = nullptr;            // GetFocus() while the notification ran
    HTREEITEM selection = nullptr;   // TVGN_CARET while the notification ran
    HTREEITEM dropTarget = nullptr;  // TVGN_DROPHILITE while the notification ran
};

class TreeViewTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A child tree view of the parent, at (0, 0) with the given client size.
    HWND createTree(DWORD style, int width = 200, int height = 160);

    HTREEITEM insert(HTREEITEM parent, HTREEITEM after, const char* text, LPARAM param = 0);
    HTREEITEM insertWith(HTREEITEM parent, HTREEITEM after, const TVITEMA& item);

    std::string textOf(HTREEITEM item);
    UINT stateOf(HTREEITEM item, UINT mask = 0xFFFFFFFFu);
    LPARAM paramOf(HTREEITEM item);
    HTREEITEM next(HTREEITEM item, UINT code);

    // The recorded notifications with the given code, in order.
    std::vector<Note> notes(UINT code) const;
    // All recorded tree notifications (TVN_ and NM_ codes except NM_CUSTOMDRAW).
    std::vector<UINT> codes() const;
    void clearNotes() { recorded.clear(); }

    HWND parent = nullptr;
    HWND tree = nullptr;
    std::vector<Note> recorded;
    std::vector<UINT> messages;  // WM_CONTEXTMENU, WM_COMMAND and WM_HELP seen by the parent
    std::vector<std::pair<WPARAM, LPARAM>> commands;  // the parent's WM_COMMAND parameters
    // Decides the result of a notification; the default returns 0.
    std::function<LRESULT(NMHDR*)> respond;

    static LRESULT CALLBACK parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static TreeViewTest* current;
};

// An image list of `count` blank images of the given size.
HIMAGELIST makeImages(int cx, int cy, int count);

}  // namespace treeview_tests
