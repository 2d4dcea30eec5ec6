// Dialogs made from templates, the default dialog procedure, and keyboard
// navigation.
#include "dialog_support.h"

#include <vedrix/automation/person.h>

#if VEDRIX_HEADLESS
#include <vedrix/headless/desktop.h>
#endif

#include <cstring>

namespace {

using namespace vedrix::automation;
using Dialogs = DialogTest;

bool sameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

TEST_F(Dialogs, ATemplateBecomesADialogWithItsControlsInPixels) {
    HWND init = nullptr;
    WPARAM initFocus = 0;
    LPARAM initParam = 0;
    handle([&](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> std::optional<INT_PTR> {
        if (msg == WM_INITDIALOG) {
            init = h;
            initFocus = wp;
            initParam = lp;
            EXPECT_NE(GetDlgItem(h, IDCANCEL), nullptr);  // the controls exist already
            EXPECT_FALSE(IsWindowVisible(h));
        }
        return std::nullopt;
    });
    HWND dlg = CreateDialogParamA(nullptr, MAKEINTRESOURCE(kMainDialog), owner, dialogProc, 1234);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(init, dlg);
    EXPECT_EQ(initParam, 1234);
    EXPECT_EQ(reinterpret_cast<HWND>(initFocus), GetDlgItem(dlg, kField1));

    char text[32];
    GetWindowTextA(dlg, text, sizeof(text));
    EXPECT_STREQ(text, "Main dialog");
    GetClassNameA(dlg, text, sizeof(text));
    EXPECT_STREQ(text, "#32770");
    EXPECT_EQ(GetWindow(dlg, GW_OWNER), owner);
    // The template's rectangles are in dialog units, which MapDialogRect
    // turns into pixels: the dialog's is its client area, placed relative to
    // the owner's client area; the controls' are in the dialog's client area.
    RECT frame{10, 20, 110, 100};
    MapDialogRect(dlg, &frame);
    EXPECT_GT(frame.right - frame.left, 100);
    RECT r;
    GetClientRect(dlg, &r);
    EXPECT_TRUE(sameRect(r, RECT{0, 0, frame.right - frame.left, frame.bottom - frame.top}));
    POINT origin{0, 0};
    POINT ownerOrigin{0, 0};
    ClientToScreen(dlg, &origin);
    ClientToScreen(owner, &ownerOrigin);
    EXPECT_EQ(origin.x - ownerOrigin.x, frame.left);
    EXPECT_EQ(origin.y - ownerOrigin.y, frame.top);
    RECT field{50, 12, 90, 22};
    MapDialogRect(dlg, &field);
    GetWindowRect(GetDlgItem(dlg, kField4), &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(sameRect(r, field));

    // Controls in template order, which is the z-order and the tab order.
    EXPECT_EQ(GetDlgCtrlID(GetWindow(dlg, GW_CHILD)), kLabel);
    EXPECT_EQ(GetDlgCtrlID(GetWindow(GetWindow(dlg, GW_CHILD), GW_HWNDNEXT)), kField1);
    GetDlgItemTextA(dlg, kField4, text, sizeof(text));
    EXPECT_STREQ(text, "four");
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(dlg, kField1), GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY);
    // The template's font goes to every control (the label keeps it).
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0));
    EXPECT_NE(font, nullptr);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendDlgItemMessageA(dlg, kLabel, WM_GETFONT, 0, 0)), font);
    // TRUE from WM_INITDIALOG: the first tab stop has the focus.
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, kField1));
    // Not WS_VISIBLE in the template: a modeless dialog stays hidden.
    EXPECT_FALSE(IsWindowVisible(dlg));
    SetLastError(0);
    EXPECT_EQ(GetDlgItem(dlg, 4711), nullptr);
#if VEDRIX_HEADLESS  // the documentation names no error for a missing control
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
#endif
    EXPECT_TRUE(DestroyWindow(dlg));
}

TEST_F(Dialogs, FalseFromInitDialogKeepsTheFocusTheProcedureChose) {
    handle([&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<INT_PTR> {
        if (msg == WM_INITDIALOG) {
            SetFocus(GetDlgItem(h, kField4));
            return FALSE;
        }
        return std::nullopt;
    });
    HWND dlg = CreateDialogParamA(nullptr, MAKEINTRESOURCE(kMainDialog), owner, dialogProc, 0);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, kField4));
    DestroyWindow(dlg);
}

TEST_F(Dialogs, AVisibleTemplateShowsAModelessDialog) {
    HWND dlg = CreateDialogParamA(nullptr, MAKEINTRESOURCE(kVisibleDialog), owner, dialogProc, 0);
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(IsWindowVisible(dlg));
    EXPECT_EQ(GetActiveWindow(), dlg);
    EXPECT_EQ(CreateDialogParamA(nullptr, MAKEINTRESOURCE(4242), owner, dialogProc, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST_F(Dialogs, TheDefaultButtonComesFromTheTemplateAndCanChange) {
    HWND dlg = CreateDialogParamA(nullptr, MAKEINTRESOURCE(kMainDialog), owner, dialogProc, 0);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    SendMessageA(dlg, DM_SETDEFID, IDCANCEL, 0);
    EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELRESULT(IDCANCEL, DC_HASDEFID));
    // The buttons' looks follow.
    EXPECT_EQ(GetWindowLongA(GetDlgItem(dlg, IDCANCEL), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(dlg, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    DestroyWindow(dlg);
}

class DialogKeys : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        handle([](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<INT_PTR> {
            if (msg == WM_COMMAND) {
                return TRUE;  // recorded, the dialog stays
            }
            return std::nullopt;
        });
        dlg = CreateDialogParamA(nullptr, MAKEINTRESOURCE(kMainDialog), owner, dialogProc, 0);
        ASSERT_NE(dlg, nullptr);
        ShowWindow(dlg, SW_SHOW);
        seen().clear();
    }
    HWND item(int id) { return GetDlgItem(dlg, id); }
    HWND dlg = nullptr;
};

TEST_F(DialogKeys, EnterClicksTheDefaultButtonAndEscapeCancels) {
    ASSERT_EQ(GetFocus(), item(kField1));
    pressKey(VK_RETURN);
    pressKey(VK_ESCAPE);
    EXPECT_EQ(commands(), (std::vector<WORD>{IDOK, IDCANCEL}));
    for (const Seen& s : seen()) {
        if (s.msg == WM_COMMAND) {
            EXPECT_EQ(HIWORD(s.wParam), BN_CLICKED);
            EXPECT_EQ(reinterpret_cast<HWND>(s.lParam), item(LOWORD(s.wParam)));
        }
    }
    // The keys never reached the field as characters.
    EXPECT_TRUE(seenOf(item(kField1), {WM_CHAR}).empty());
}

// The dialog manager's own moves of the focus (Tab, WM_NEXTDLGCTL) make a
// push button that gets it the one Enter clicks; the dialog's default stays.
TEST_F(DialogKeys, EnterOnAFocusedPushButtonClicksThatButton) {
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDCANCEL)), TRUE);
    ASSERT_EQ(GetFocus(), item(IDCANCEL));
    pressKey(VK_RETURN);
    EXPECT_EQ(commands(), std::vector<WORD>{IDCANCEL});
    EXPECT_EQ(LOWORD(SendMessageA(dlg, DM_GETDEFID, 0, 0)), IDOK);
}

TEST_F(DialogKeys, WithoutADefaultButtonEnterMeansOk) {
    SendMessageA(dlg, DM_SETDEFID, 0, 0);
    SetWindowLongA(item(IDOK), GWL_STYLE, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
    EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), 0);
    pressKey(VK_RETURN);
    EXPECT_EQ(commands(), std::vector<WORD>{IDOK});
}

TEST_F(DialogKeys, ADisabledTargetButtonBeeps) {
    EnableWindow(item(IDCANCEL), FALSE);
#if VEDRIX_HEADLESS
#if VEDRIX_HEADLESS  // only the headless desktop records beeps
    vedrix::headless::resetRecords();
#endif
#endif
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(commands().empty());
#if VEDRIX_HEADLESS  // only the headless desktop records beeps
#if VEDRIX_HEADLESS  // only the headless desktop records beeps
    EXPECT_EQ(vedrix::headless::beeps().size(), 1u);
#endif
#endif
}

TEST_F(DialogKeys, TabMovesAmongVisibleEnabledTabStopsBothWays) {
    std::vector<int> order;
    for (int i = 0; i < 5; ++i) {
        pressKey(VK_TAB);
        order.push_back(GetDlgCtrlID(GetFocus()));
    }
    EXPECT_EQ(order, (std::vector<int>{kField4, IDOK, IDCANCEL, kField1, kField4}));
    keyDown(VK_SHIFT);
    pressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), item(kField1));
    pressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), item(IDCANCEL));
    keyUp(VK_SHIFT);
    // From no control (or from the dialog) the search finds the first tab
    // stop forwards and nothing backwards.
    EXPECT_EQ(GetNextDlgTabItem(dlg, nullptr, FALSE), item(kField1));
    EXPECT_EQ(GetNextDlgTabItem(dlg, dlg, FALSE), item(kField1));
    EXPECT_EQ(GetNextDlgTabItem(dlg, nullptr, TRUE), nullptr);
    EXPECT_EQ(GetNextDlgTabItem(dlg, dlg, TRUE), nullptr);
    EXPECT_EQ(GetNextDlgTabItem(dlg, item(kField1), TRUE), item(IDCANCEL));
    EXPECT_TRUE(seenOf(item(kField1), {WM_CHAR}).empty());  // no tab character typed
}

// A tab stop is any visible, enabled control with WS_TABSTOP, whatever its
// class says of itself: a label given the style takes the focus in its turn,
// and a field that loses the style is passed over.
TEST_F(DialogKeys, TabStopsFollowTheStyleWhateverTheClass) {
    SetWindowLongA(item(kLabel), GWL_STYLE, GetWindowLongA(item(kLabel), GWL_STYLE) | WS_TABSTOP);
    SetWindowLongA(item(kField4), GWL_STYLE,
                   GetWindowLongA(item(kField4), GWL_STYLE) & ~WS_TABSTOP);
    SetWindowLongPtrA(item(kField1), GWLP_USERDATA, DLGC_STATIC);
    std::vector<int> order;
    for (int i = 0; i < 4; ++i) {
        pressKey(VK_TAB);
        order.push_back(GetDlgCtrlID(GetFocus()));
    }
    EXPECT_EQ(order, (std::vector<int>{IDOK, IDCANCEL, kLabel, kField1}));
    keyDown(VK_SHIFT);
    pressKey(VK_TAB);
    keyUp(VK_SHIFT);
    EXPECT_EQ(GetFocus(), item(kLabel));
    EXPECT_EQ(GetNextDlgTabItem(dlg, nullptr, FALSE), item(kLabel));
}

TEST_F(DialogKeys, AnEditFocusedByTheDialogManagerHasAllItsTextSelected) {
    // An edit field and a drop-down combo box after Cancel in the tab order.
    HWND edit = CreateWindowExA(0, "Edit", "North wing", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10,
                                100, 80, 20, dlg, reinterpret_cast<HMENU>(1010), nullptr, nullptr);
    HWND combo =
        CreateWindowExA(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN, 100,
                        100, 80, 60, dlg, reinterpret_cast<HMENU>(1011), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(combo, nullptr);
    SetWindowTextA(combo, "Number");
    ASSERT_EQ(GetNextDlgTabItem(dlg, item(IDCANCEL), FALSE), edit);
    ASSERT_EQ(GetNextDlgTabItem(dlg, edit, FALSE), combo);
    auto selection = [](HWND e) {
        DWORD start = 99;
        DWORD end = 99;
        SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return std::make_pair(start, end);
    };

    // The program's own SetFocus leaves the selection alone...
    SetFocus(edit);
    EXPECT_EQ(selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
    // ...Tab selects the whole text, coming from either side.
    SetFocus(item(IDCANCEL));
    pressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), edit);
    EXPECT_EQ(selection(edit), std::make_pair(DWORD{0}, DWORD{10}));
    SendMessageA(edit, EM_SETSEL, 3, 3);
    pressKey(VK_TAB);  // on to the combo box, whose edit field takes the focus
    HWND comboEdit = GetFocus();
    ASSERT_TRUE(IsChild(combo, comboEdit));
    EXPECT_EQ(selection(comboEdit), std::make_pair(DWORD{0}, DWORD{6}));
    keyDown(VK_SHIFT);
    pressKey(VK_TAB);
    keyUp(VK_SHIFT);
    ASSERT_EQ(GetFocus(), edit);
    EXPECT_EQ(selection(edit), std::make_pair(DWORD{0}, DWORD{10}));
}

TEST_F(DialogKeys, ArrowsMoveWithinTheGroup) {
    ASSERT_EQ(GetFocus(), item(kField1));
    pressKey(VK_DOWN);  // the hidden and the disabled fields are skipped
    EXPECT_EQ(GetFocus(), item(kField4));
    pressKey(VK_DOWN);  // the group ends before OK: around to its start
    EXPECT_EQ(GetFocus(), item(kField1));
    pressKey(VK_UP);
    EXPECT_EQ(GetFocus(), item(kField4));
    // The last group goes round the end to the label, which has no WS_GROUP,
    // and back from its start to its last control.
    EXPECT_EQ(GetNextDlgGroupItem(dlg, item(IDOK), FALSE), item(IDCANCEL));
    EXPECT_EQ(GetNextDlgGroupItem(dlg, item(IDCANCEL), FALSE), item(kLabel));
    EXPECT_EQ(GetNextDlgGroupItem(dlg, item(kLabel), FALSE), item(IDOK));
    EXPECT_EQ(GetNextDlgGroupItem(dlg, item(IDOK), TRUE), item(kLabel));
    // A disabled or hidden control still belongs to its group.
    EXPECT_EQ(GetNextDlgGroupItem(dlg, item(kHiddenField), FALSE), item(kField4));
    // From no control: the first visible, enabled control, and nothing back.
    EXPECT_EQ(GetNextDlgGroupItem(dlg, nullptr, FALSE), item(kLabel));
    EXPECT_EQ(GetNextDlgGroupItem(dlg, nullptr, TRUE), nullptr);
}

TEST_F(DialogKeys, AControlThatWantsAllKeysGetsEnterAndEscape) {
    SetWindowLongPtrA(item(kField1), GWLP_USERDATA, DLGC_WANTALLKEYS);
    pressKey(VK_RETURN);
    pressKey(VK_ESCAPE);
    pressKey(VK_TAB);
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(GetFocus(), item(kField1));
    std::vector<WPARAM> chars;
    for (const Seen& s : seen()) {
        if (s.hwnd == item(kField1) && s.msg == WM_CHAR) {
            chars.push_back(s.wParam);
        }
    }
    EXPECT_EQ(chars, (std::vector<WPARAM>{'\r', 0x1B, '\t'}));
}

TEST_F(DialogKeys, AControlThatWantsArrowsOrTabKeepsThem) {
    SetWindowLongPtrA(item(kField1), GWLP_USERDATA, DLGC_WANTARROWS | DLGC_WANTTAB);
    pressKey(VK_DOWN);
    pressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), item(kField1));
    EXPECT_EQ(seenOf(item(kField1), {WM_KEYDOWN}).size(), 2u);
    pressKey(VK_RETURN);  // but not Enter
    EXPECT_EQ(commands(), std::vector<WORD>{IDOK});
}

TEST_F(DialogKeys, CloseAsksForCancel) {
    SendMessageA(dlg, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(dlg));
    pumpMessages();
    EXPECT_EQ(commands(), std::vector<WORD>{IDCANCEL});
}

TEST_F(DialogKeys, NextDialogControlMovesTheFocus) {
    SendMessageA(dlg, WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_EQ(GetFocus(), item(kField4));
    SendMessageA(dlg, WM_NEXTDLGCTL, 1, FALSE);
    EXPECT_EQ(GetFocus(), item(kField1));
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDCANCEL)), TRUE);
    EXPECT_EQ(GetFocus(), item(IDCANCEL));
}

TEST_F(DialogKeys, TheFocusReturnsWhenTheDialogIsActivatedAgain) {
    SetFocus(item(kField4));
    SetActiveWindow(owner);
    EXPECT_EQ(GetFocus(), owner);
    SetActiveWindow(dlg);
    EXPECT_EQ(GetFocus(), item(kField4));
}

TEST_F(DialogKeys, ItemTextsNumbersAndChecks) {
    EXPECT_TRUE(SetDlgItemInt(dlg, kField1, static_cast<UINT>(-42), TRUE));
    BOOL ok = FALSE;
    EXPECT_EQ(static_cast<int>(GetDlgItemInt(dlg, kField1, &ok, TRUE)), -42);
    EXPECT_TRUE(ok);
    SetDlgItemTextA(dlg, kField1, "  17  ");
    EXPECT_EQ(GetDlgItemInt(dlg, kField1, &ok, FALSE), 17u);
    EXPECT_TRUE(ok);
    for (const char* bad : {"", "4294967296", "- 1", "x1"}) {
        SetDlgItemTextA(dlg, kField1, bad);
        GetDlgItemInt(dlg, kField1, &ok, TRUE);
        EXPECT_FALSE(ok) << bad;
    }
    SetDlgItemTextA(dlg, kField1, "2147483648");
    GetDlgItemInt(dlg, kField1, &ok, TRUE);
    EXPECT_FALSE(ok);
    EXPECT_EQ(GetDlgItemInt(dlg, kField1, &ok, FALSE), 2147483648u);
    EXPECT_TRUE(ok);
    char buffer[4] = "xyz";
    EXPECT_EQ(GetDlgItemTextA(dlg, 4711, buffer, sizeof(buffer)), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(SetDlgItemTextA(dlg, 4711, "x"));
    EXPECT_EQ(SendDlgItemMessageA(dlg, 4711, WM_GETTEXTLENGTH, 0, 0), 0);
}

// The number ends at the first character that is not a digit.
TEST_F(DialogKeys, TheNumberEndsAtTheFirstOtherCharacter) {
    BOOL ok = FALSE;
    SetDlgItemTextA(dlg, kField1, "12a");
    EXPECT_EQ(GetDlgItemInt(dlg, kField1, &ok, TRUE), 12u);
    EXPECT_TRUE(ok);
    SetDlgItemTextA(dlg, kField1, " -7 m");
    EXPECT_EQ(static_cast<int>(GetDlgItemInt(dlg, kField1, &ok, TRUE)), -7);
    EXPECT_TRUE(ok);
}

// Unsigned, a minus sign is not looked for: the text has no number.
TEST_F(DialogKeys, AnUnsignedNumberHasNoSign) {
    BOOL ok = TRUE;
    SetDlgItemTextA(dlg, kField1, "-42");
    EXPECT_EQ(GetDlgItemInt(dlg, kField1, &ok, FALSE), 0u);
    EXPECT_FALSE(ok);
}

// A binary template in the platform's layout, built in memory.
std::vector<WORD> binaryTemplate() {
    std::vector<WORD> t;
    auto dword = [&](DWORD d) {
        t.push_back(LOWORD(d));
        t.push_back(HIWORD(d));
    };
    auto text = [&](const char* s) {
        for (; *s; ++s) {
            t.push_back(static_cast<WORD>(static_cast<unsigned char>(*s)));
        }
        t.push_back(0);
    };
    dword(WS_POPUP | WS_CAPTION | DS_SETFONT);
    dword(0);
    t.push_back(2);  // items
    t.push_back(5);
    t.push_back(5);
    t.push_back(60);
    t.push_back(40);
    t.push_back(0);  // no menu
    t.push_back(0);  // the dialog class
    text("Binary");
    t.push_back(9);
    text("Tahoma");
    auto item = [&](DWORD style, short x, WORD id, WORD atom, const char* title) {
        if (t.size() % 2) {
            t.push_back(0);  // DWORD alignment
        }
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        t.push_back(static_cast<WORD>(x));
        t.push_back(4);
        t.push_back(20);
        t.push_back(10);
        t.push_back(id);
        t.push_back(0xFFFF);
        t.push_back(atom);
        text(title);
        t.push_back(0);  // no creation data
    };
    item(WS_TABSTOP | BS_DEFPUSHBUTTON, 4, IDOK, 0x0080, "Yes");
    item(0, 30, 77, 0x0082, "Note");
    return t;
}

TEST_F(Dialogs, BinaryTemplatesAreReadAsThePlatformLaysThemOut) {
    std::vector<WORD> t = binaryTemplate();
    HWND dlg = CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(t.data()),
                                          owner, dialogProc, 0);
    ASSERT_NE(dlg, nullptr);
    char text[16];
    GetWindowTextA(dlg, text, sizeof(text));
    EXPECT_STREQ(text, "Binary");
    HWND yes = GetDlgItem(dlg, IDOK);
    ASSERT_NE(yes, nullptr);
    GetClassNameA(yes, text, sizeof(text));
    EXPECT_STREQ(text, "Button");
    GetWindowTextA(yes, text, sizeof(text));
    EXPECT_STREQ(text, "Yes");
    HWND note = GetDlgItem(dlg, 77);
    ASSERT_NE(note, nullptr);
    GetClassNameA(note, text, sizeof(text));
    EXPECT_STREQ(text, "Static");
    // The template's size is in the dialog units of its own font.
    RECT size{0, 0, 60, 40};
    MapDialogRect(dlg, &size);
    RECT r;
    GetClientRect(dlg, &r);
    EXPECT_TRUE(sameRect(r, size));
    DestroyWindow(dlg);
}

// A template resource found, loaded and locked runs indirectly, and is known
// as the template it came from.
TEST_F(Dialogs, ALockedTemplateResourceIsAcceptedIndirectly) {
    HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCE(kSmallDialog), RT_DIALOG);
    ASSERT_NE(res, nullptr);
    auto* data = static_cast<LPCDLGTEMPLATEA>(LockResource(LoadResource(nullptr, res)));
    ASSERT_NE(data, nullptr);
    person::Person someone;
    someone.onDialog(kSmallDialog, [](person::Dialog&) { person::pressKey(VK_ESCAPE); });
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, data, owner, dialogProc, 0), IDCANCEL);
    EXPECT_EQ(someone.dialogsSeen(), std::vector<int>{kSmallDialog});
}

}  // namespace
