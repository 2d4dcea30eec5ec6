// Combo boxes: the item list and its messages, selection, the drop-down list
// by mouse and keyboard, the edit field, and the notifications.
#include "controls/controls_fixture.h"

#include <algorithm>

namespace controls_tests {
namespace {

class ComboBoxTest : public ControlsTest {
protected:
    HWND combo(DWORD type, std::initializer_list<const char*> items = {}, DWORD extra = 0) {
        HWND hwnd = create("ComboBox", "", type | WS_VSCROLL | WS_TABSTOP | extra, 10, 10, 150,
                           22 + 5 * 16, 40);
        for (const char* item : items) {
            SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        clearRecords();
        return hwnd;
    }
    static std::string item(HWND hwnd, int index) {
        char buffer[128] = {};
        LRESULT length = SendMessageA(hwnd, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer));
        return length == CB_ERR ? "<error>" : std::string(buffer);
    }
    static LRESULT find(HWND hwnd, UINT message, int start, const char* text) {
        return SendMessageA(hwnd, message, static_cast<WPARAM>(start),
                            reinterpret_cast<LPARAM>(text));
    }
    // Screen point of row `row` of the open list of `hwnd`.
    static POINT row(HWND hwnd, int index) {
        RECT rc;
        GetWindowRect(hwnd, &rc);
        return POINT{rc.left + 20, rc.bottom + index * 16 + 8};
    }
};

TEST_F(ComboBoxTest, AddInsertDeleteAndCount) {
    HWND c = combo(CBS_DROPDOWNLIST, {"Universal", "Text"});
    EXPECT_EQ(SendMessageA(c, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(c, CB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("Number")), 1);
    EXPECT_EQ(
        SendMessageA(c, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Date")),
        3);
    EXPECT_EQ(SendMessageA(c, CB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("x")), CB_ERR);
    EXPECT_EQ(item(c, 0), "Universal");
    EXPECT_EQ(item(c, 1), "Number");
    EXPECT_EQ(item(c, 3), "Date");
    EXPECT_EQ(SendMessageA(c, CB_GETLBTEXTLEN, 1, 0), 6);
    EXPECT_EQ(SendMessageA(c, CB_GETLBTEXTLEN, 4, 0), CB_ERR);
    EXPECT_EQ(item(c, 4), "<error>");
    EXPECT_EQ(SendMessageA(c, CB_DELETESTRING, 0, 0), 3);
    EXPECT_EQ(SendMessageA(c, CB_DELETESTRING, 3, 0), CB_ERR);
    EXPECT_EQ(item(c, 0), "Number");
    SendMessageA(c, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(c, CB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(codes(40).empty());
}

TEST_F(ComboBoxTest, ResetContentAnswersOkay) {
    HWND c = combo(CBS_DROPDOWNLIST, {"Universal", "Text"});
    EXPECT_EQ(SendMessageA(c, CB_RESETCONTENT, 0, 0), CB_OKAY);
}

TEST_F(ComboBoxTest, SortedComboBoxOrdersWithoutRegardToCase) {
    HWND c = combo(CBS_DROPDOWNLIST | CBS_SORT, {"beta", "Alpha", "gamma", "alpha"});
    // Names that differ only in case sort together, in an order the platform chooses.
    std::vector<std::string> first = {item(c, 0), item(c, 1)};
    std::sort(first.begin(), first.end());
    EXPECT_EQ(first, (std::vector<std::string>{"Alpha", "alpha"}));
    EXPECT_EQ(item(c, 2), "beta");
    EXPECT_EQ(item(c, 3), "gamma");
    EXPECT_EQ(SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Delta")), 3);
}

TEST_F(ComboBoxTest, FindStringSearchesPrefixesFromAfterTheStartAndWraps) {
    HWND c = combo(CBS_DROPDOWNLIST, {"Wall", "window", "Door", "Win"});
    EXPECT_EQ(find(c, CB_FINDSTRING, -1, "wi"), 1);
    EXPECT_EQ(find(c, CB_FINDSTRING, 1, "wi"), 3);
    EXPECT_EQ(find(c, CB_FINDSTRING, 3, "WI"), 1);
    EXPECT_EQ(find(c, CB_FINDSTRING, -1, "roof"), CB_ERR);
    EXPECT_EQ(find(c, CB_FINDSTRINGEXACT, -1, "win"), 3);
    EXPECT_EQ(find(c, CB_FINDSTRINGEXACT, -1, "Wi"), CB_ERR);
}

TEST_F(ComboBoxTest, SelectionByMessagesNotifiesNothing) {
    HWND c = combo(CBS_DROPDOWNLIST, {"Universal", "Text", "Number"});
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(text(c), "");
    EXPECT_EQ(SendMessageA(c, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(text(c), "Text");
    EXPECT_EQ(find(c, CB_SELECTSTRING, -1, "num"), 2);
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(find(c, CB_SELECTSTRING, -1, "none"), CB_ERR);
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 2);  // unchanged
    EXPECT_EQ(SendMessageA(c, CB_SETCURSEL, 7, 0), CB_ERR);
    EXPECT_TRUE(codes(40).empty());
}

TEST_F(ComboBoxTest, AnIndexPastTheEndClearsTheSelection) {
    HWND c = combo(CBS_DROPDOWNLIST, {"Universal", "Text", "Number"});
    SendMessageA(c, CB_SETCURSEL, 2, 0);
    SendMessageA(c, CB_SETCURSEL, 7, 0);
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(ComboBoxTest, DeletingTheSelectedItemClearsTheSelectionAndEarlierItemsShiftIt) {
    HWND c = combo(CBS_DROPDOWNLIST, {"a", "b", "c"});
    SendMessageA(c, CB_SETCURSEL, 2, 0);
    SendMessageA(c, CB_DELETESTRING, 0, 0);
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 1);
    SendMessageA(c, CB_DELETESTRING, 1, 0);
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(ComboBoxTest, ItemDataFollowsItsItem) {
    HWND c = combo(CBS_DROPDOWNLIST | CBS_SORT, {"m"});
    SendMessageA(c, CB_SETITEMDATA, 0, 77);
    SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("a"));
    EXPECT_EQ(SendMessageA(c, CB_GETITEMDATA, 1, 0), 77);
    EXPECT_EQ(SendMessageA(c, CB_GETITEMDATA, 0, 0), 0);
    EXPECT_EQ(SendMessageA(c, CB_SETITEMDATA, 5, 1), CB_ERR);
    EXPECT_EQ(SendMessageA(c, CB_GETITEMDATA, 5, 0), CB_ERR);
}

TEST_F(ComboBoxTest, DropDownWindowIsTheSelectionFieldOnly) {
    HWND c = combo(CBS_DROPDOWNLIST, {"a", "b"});
    RECT rc;
    GetWindowRect(c, &rc);
    // At least the selection field, and less than it with one row of the list.
    const LRESULT field = SendMessageA(c, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    const LRESULT row = SendMessageA(c, CB_GETITEMHEIGHT, 0, 0);
    ASSERT_GT(field, 0);
    ASSERT_GT(row, 0);
    EXPECT_GE(rc.bottom - rc.top, field);
    EXPECT_LT(rc.bottom - rc.top, field + row);
    HWND simple = create("ComboBox", "", CBS_SIMPLE, 10, 60, 150, 100, 41);
    GetWindowRect(simple, &rc);
    EXPECT_EQ(rc.bottom - rc.top, 100);
}

TEST_F(ComboBoxTest, ClickOpensTheListAndClickingARowChoosesIt) {
    HWND c = combo(CBS_DROPDOWNLIST, {"Universal", "Text", "Number"});
    person::click(person::centerOf(c));
    EXPECT_TRUE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(codes(40), (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN}));
    clearRecords();
    person::click(row(c, 2));
    EXPECT_FALSE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(text(c), "Number");
    std::vector<int> got = codes(40);
    EXPECT_EQ(std::count(got.begin(), got.end(), CBN_SELCHANGE), 1);
    EXPECT_EQ(std::count(got.begin(), got.end(), CBN_SELENDOK), 1);
    // CBN_SELCHANGE may come before or after CBN_CLOSEUP.
    EXPECT_EQ(std::count(got.begin(), got.end(), CBN_CLOSEUP), 1);
}

TEST_F(ComboBoxTest, PressOnTheFieldDragToARowAndReleaseChoosesIt) {
    HWND c = combo(CBS_DROPDOWNLIST, {"Universal", "Text", "Number"});
    person::drag(person::centerOf(c), row(c, 1), person::Button::Left, 8);
    EXPECT_FALSE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(count(40, CBN_SELENDOK), 1);
}

TEST_F(ComboBoxTest, ClickOutsideClosesWithoutChoosing) {
    HWND c = combo(CBS_DROPDOWNLIST, {"Universal", "Text", "Number"});
    SendMessageA(c, CB_SETCURSEL, 0, 0);
    person::click(person::centerOf(c));
    person::moveTo(row(c, 2));  // hovering highlights, does not choose
    person::click(at(parent, 380, 280));
    EXPECT_FALSE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(count(40, CBN_SELCHANGE), 0);
    EXPECT_EQ(count(40, CBN_SELENDCANCEL), 1);
    EXPECT_EQ(count(40, CBN_CLOSEUP), 1);
}

TEST_F(ComboBoxTest, ArrowKeysMoveTheSelectionWithANotificationEachStep) {
    HWND c = combo(CBS_DROPDOWNLIST, {"a", "b", "c"});
    SetFocus(c);
    clearRecords();
    person::pressKey(VK_DOWN);
    person::pressKey(VK_DOWN);
    person::pressKey(VK_DOWN);
    EXPECT_EQ(count(40, CBN_SELCHANGE), 3);
    person::pressKey(VK_DOWN);  // already at the last item
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 2);
    person::pressKey(VK_UP);
    EXPECT_EQ(text(c), "b");
    person::pressKey(VK_HOME);
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 0);
}

TEST_F(ComboBoxTest, F4OpensAndEnterOrEscapeClose) {
    HWND c = combo(CBS_DROPDOWNLIST, {"a", "b", "c"});
    SetFocus(c);
    person::pressKey(VK_F4);
    EXPECT_TRUE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
    person::pressKey(VK_DOWN);
    person::pressKey(VK_RETURN);
    EXPECT_FALSE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(count(40, CBN_SELENDOK), 1);
    person::pressKey(VK_F4);
    person::pressKey(VK_ESCAPE);
    EXPECT_FALSE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(count(40, CBN_SELENDCANCEL), 1);
    EXPECT_EQ(count(40, CBN_CLOSEUP), 2);
}

TEST_F(ComboBoxTest, TypingACharacterSelectsTheNextItemStartingWithIt) {
    HWND c = combo(CBS_DROPDOWNLIST, {"Door", "Wall", "Window", "Roof"});
    SetFocus(c);
    person::type("w");
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 1);
    person::type("w");
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 2);
    person::type("w");
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(count(40, CBN_SELCHANGE), 3);
}

TEST_F(ComboBoxTest, ShowDropDownOpensAndClosesWithNotifications) {
    HWND c = combo(CBS_DROPDOWN, {"a"});
    EXPECT_TRUE(SendMessageA(c, CB_SHOWDROPDOWN, TRUE, 0));
    EXPECT_TRUE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
    SendMessageA(c, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_FALSE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(count(40, CBN_DROPDOWN), 1);
    EXPECT_EQ(count(40, CBN_CLOSEUP), 1);
}

TEST_F(ComboBoxTest, DropDownHasAnEditFieldWhoseTextIsTheComboBoxText) {
    HWND c = combo(CBS_DROPDOWN | CBS_AUTOHSCROLL, {"Universal", "Text"});
    HWND field = GetDlgItem(c, 1001);
    ASSERT_NE(field, nullptr);
    SetWindowTextA(c, "Custom");
    EXPECT_EQ(text(c), "Custom");
    EXPECT_EQ(text(field), "Custom");
    SendMessageA(c, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(text(c), "Text");
    // Typing goes into the field and is reported as an edit change.
    SetFocus(c);
    EXPECT_EQ(GetFocus(), field);
    clearRecords();
    SendMessageA(c, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    person::type("Ab");
    EXPECT_EQ(text(c), "Ab");
    EXPECT_EQ(count(40, CBN_EDITCHANGE), 2);
    EXPECT_EQ(count(40, CBN_EDITUPDATE), 2);
    // The arrow keys in the field move the list selection.
    person::pressKey(VK_UP);
    EXPECT_EQ(count(40, CBN_SELCHANGE), 1);
    EXPECT_EQ(text(c), "Universal");
}

TEST_F(ComboBoxTest, DropDownListTextIsTheSelectedItemAndCannotBeSet) {
    HWND c = combo(CBS_DROPDOWNLIST, {"Universal", "Text"});
    EXPECT_EQ(GetDlgItem(c, 1001), nullptr);
    SendMessageA(c, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(text(c), "Text");
    EXPECT_EQ(GetWindowTextLengthA(c), 4);
    // Without an edit field there is no text to set, not even an item's.
    EXPECT_EQ(SendMessageA(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Other")), CB_ERR);
    EXPECT_EQ(SendMessageA(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("universal")), CB_ERR);
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(text(c), "Text");
}

TEST_F(ComboBoxTest, SimpleComboBoxChoosesByClickingTheAlwaysShownList) {
    HWND c = create("ComboBox", "", CBS_SIMPLE, 10, 10, 150, 100, 41);
    for (const char* s : {"a", "b", "c"}) {
        SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    }
    clearRecords();
    // The list starts below the 22-pixel field.
    person::click(at(c, 20, 22 + 16 + 8));
    EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(text(c), "b");
    EXPECT_EQ(count(41, CBN_SELCHANGE), 1);
    EXPECT_EQ(count(41, CBN_DROPDOWN), 0);
}

TEST_F(ComboBoxTest, LosingTheFocusClosesTheList) {
    HWND c = combo(CBS_DROPDOWNLIST, {"a", "b"});
    HWND other = create("Button", "x", BS_PUSHBUTTON, 200, 200, 50, 20, 2);
    person::click(person::centerOf(c));
    ASSERT_TRUE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
    SetFocus(other);
    EXPECT_FALSE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(count(40, CBN_CLOSEUP), 1);
    EXPECT_EQ(count(40, CBN_KILLFOCUS), 1);
}

}  // namespace
}  // namespace controls_tests
