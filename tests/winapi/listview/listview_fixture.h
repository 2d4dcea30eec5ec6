// A top-level parent window that records the list view's notifications, and
// helpers to fill a list. Only the platform's headers are used, and the
// headless desktop for the person's mouse and keyboard.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "person.h"

#include <functional>
#include <string>
#include <vector>

namespace listview_tests {

// One WM_NOTIFY as the parent saw it, with the fields of the notification
// structures copied out.
struct Note {
    UINT code = 0;
    HWND from = nullptr;
    UINT_PTR idFrom = 0;
    int item = 0;
    int subItem = 0;
    UINT newState = 0;
    UINT oldState = 0;
    UINT changed = 0;
    POINT action{};
    LPARAM lParam = 0;
    UINT keyFlags = 0;
    WORD key = 0;
    bool hasText = false;  // pszText was not NULL (label edit notifications)
    std::string text;
    int selectedCount = -1;  // LVM_GETSELECTEDCOUNT while the notification ran
};

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A child list view of the parent at (0, 0). The default size holds the
    // header and six rows of 16 pixels.
    HWND createList(DWORD style, int width = 200, int height = 116);

    int insert(int index, const char* text, LPARAM param = 0);
    int insertColumn(int index, const char* text, int width, int format = LVCFMT_LEFT);
    void setText(int index, int subItem, const char* text);
    std::string textOf(int index, int subItem = 0);
    UINT stateOf(int index, UINT mask = 0xFFFFFFFFu);
    LPARAM paramOf(int index);
    void select(int index, UINT state, UINT mask = LVIS_SELECTED | LVIS_FOCUSED);
    // Rows selected now, by LVM_GETNEXTITEM with LVNI_SELECTED from -1.
    std::vector<int> selectedRows();

    // The person: a point in the list's client coordinates, on the screen.
    POINT screen(int x, int y, HWND window = nullptr) const;
    void click(int x, int y, person::Button button = person::Button::Left);
    // The point in the middle of row `index`'s label.
    POINT labelPoint(int index);

    std::vector<Note> notes(UINT code) const;
    std::vector<UINT> codes() const;
    // "item:old->new" for every LVN_ITEMCHANGED, in order.
    std::vector<std::string> changes() const;
    void clearNotes() { recorded.clear(); }

    HWND parent = nullptr;
    HWND list = nullptr;
    std::vector<Note> recorded;
    std::vector<UINT> messages;  // WM_CONTEXTMENU and WM_HELP seen by the parent
    std::function<LRESULT(NMHDR*)> respond;

    static LRESULT CALLBACK parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static ListViewTest* current;
};

// An image list of `count` blank images of the given size.
HIMAGELIST makeImages(int cx, int cy, int count);

::testing::AssertionResult rectIs(const RECT& r, LONG left, LONG top, LONG right, LONG bottom);

}  // namespace listview_tests
