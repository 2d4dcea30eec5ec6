// Menus, popup menus, message boxes, beeps and help (the person answers).
#include "user_support.h"

#if VEDRIX_HEADLESS
#include <vedrix/headless/desktop.h>
#endif

#include <cstring>

namespace {

#if VEDRIX_HEADLESS
using namespace vedrix::headless;
#endif
using Menus = UserTest;

HMENU sampleMenu() {
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 201, "Inner");
    AppendMenuA(sub, MF_STRING | MF_GRAYED, 202, "Inner grey");
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 101, "&Open");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "More");
    AppendMenuA(menu, MF_STRING | MF_CHECKED, 103, "Checked");
    return menu;
}

// A text longer than the buffer is cut to it, terminator included: the
// characters that fit before the terminator are counted,
TEST_F(Menus, AMenuStringIsCutToTheBuffer) {
    HMENU menu = sampleMenu();
    char text[8];
    EXPECT_EQ(GetMenuStringA(menu, 0, text, 4, MF_BYPOSITION), 3);
    DestroyMenu(menu);
}

// and the terminator ends them.
TEST_F(Menus, ACutMenuStringIsTerminated) {
    HMENU menu = sampleMenu();
    char text[8];
    std::memset(text, 'x', sizeof text);
    GetMenuStringA(menu, 0, text, 4, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Op");
    DestroyMenu(menu);
}

TEST_F(Menus, ItemsAreFoundByPositionOrByCommandInSubmenus) {
    HMENU menu = sampleMenu();
    EXPECT_EQ(GetMenuItemCount(menu), 4);
    EXPECT_EQ(GetMenuItemID(menu, 0), 101u);
    EXPECT_EQ(GetMenuItemID(menu, 1), 0u);                     // separator
    EXPECT_EQ(GetMenuItemID(menu, 2), static_cast<UINT>(-1));  // popup
    HMENU sub = GetSubMenu(menu, 2);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
    char text[32];
    EXPECT_EQ(GetMenuStringA(menu, 201, text, sizeof(text), MF_BYCOMMAND), 5);
    EXPECT_STREQ(text, "Inner");
    EXPECT_EQ(GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION), 5);
    EXPECT_STREQ(text, "&Open");
    EXPECT_EQ(GetMenuState(menu, 103, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION) >> 8, 2u);  // a popup's item count
    EXPECT_EQ(GetMenuState(menu, 999, MF_BYCOMMAND), static_cast<UINT>(-1));

    EXPECT_EQ(EnableMenuItem(menu, 201, MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, 201, MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(menu, 999, MF_GRAYED), -1);
    EXPECT_EQ(CheckMenuItem(menu, 103, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 0, MF_BYPOSITION | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));

    EXPECT_TRUE(InsertMenuA(menu, 103, MF_BYCOMMAND | MF_STRING, 102, "Before checked"));
    EXPECT_EQ(GetMenuItemID(menu, 3), 102u);
    EXPECT_TRUE(DeleteMenu(menu, 2, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(sub));  // deleted with its item
    EXPECT_TRUE(RemoveMenu(menu, 101, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(DestroyMenu(menu));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    EXPECT_EQ(GetMenuItemCount(menu), -1);
}

TEST_F(Menus, ItemInfoReadsAndWritesItems) {
    HMENU menu = sampleMenu();
    char buffer[16] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = sizeof(buffer);
    ASSERT_TRUE(GetMenuItemInfoA(menu, 3, TRUE, &info));
    EXPECT_EQ(info.wID, 103u);
    EXPECT_EQ(info.fState & MFS_CHECKED, static_cast<UINT>(MFS_CHECKED));
    EXPECT_STREQ(buffer, "Checked");
    info.fMask = MIIM_STATE;
    info.fState = MFS_GRAYED;
    ASSERT_TRUE(SetMenuItemInfoA(menu, 103, FALSE, &info));
    EXPECT_EQ(GetMenuState(menu, 103, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    DestroyMenu(menu);
}

TEST_F(Menus, PopupReturnsTheQueuedCommandAndRecordsWhatWasShown) {
    HEADLESS_ONLY("answers menus from the headless desktop's queue and reads its records");
#if VEDRIX_HEADLESS
    HWND owner = topLevel(0, 0, 100, 100);
    HMENU menu = sampleMenu();
    setHandler([&](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_INITMENUPOPUP) {
            // The program updates its items just before the menu shows.
            EnableMenuItem(reinterpret_cast<HMENU>(wp), 101, MF_GRAYED);
        }
        return std::nullopt;
    });
    queueMenuAnswer(201);
    clearLog();
    UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, 40, 50, 0, owner, nullptr));
    EXPECT_EQ(chosen, 201u);
    EXPECT_EQ(messages(owner, {WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_UNINITMENUPOPUP,
                               WM_EXITMENULOOP, WM_COMMAND}),
              (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_UNINITMENUPOPUP,
                                 WM_EXITMENULOOP}));
    auto shown = menus();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].items, (std::vector<std::string>{"&Open", "", "More", "Checked"}));
    EXPECT_EQ(shown[0].entries[0].state & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(shown[0].position.x, 40);
    EXPECT_EQ(shown[0].owner, owner);
    EXPECT_EQ(shown[0].chosen, 201u);

    // Nothing queued: dismissed. A disabled command cannot be chosen.
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
    queueMenuAnswer(101);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
    queueMenuAnswer(202);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
    EXPECT_EQ(menus().size(), 4u);
    DestroyMenu(menu);
#endif
}

TEST_F(Menus, WithoutReturnCmdTheCommandIsPostedToTheOwner) {
    HEADLESS_ONLY("answers menus from the headless desktop's queue and reads its records");
#if VEDRIX_HEADLESS
    HWND owner = topLevel(0, 0, 100, 100);
    HMENU menu = sampleMenu();
    queueMenuAnswer(103);
    clearLog();
    EXPECT_TRUE(TrackPopupMenuEx(menu, 0, 0, 0, owner, nullptr));
    EXPECT_TRUE(messages(owner, {WM_COMMAND}).empty());  // posted, not yet read
    pumpMessages();
    ASSERT_EQ(messages(owner, {WM_COMMAND}).size(), 1u);
    for (const auto& m : log()) {
        if (m.msg == WM_COMMAND) {
            EXPECT_EQ(m.wParam, MAKEWPARAM(103, 0));
            EXPECT_EQ(m.lParam, 0);
        }
    }
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, nullptr, nullptr));  // no owner
    DestroyMenu(menu);
#endif
}

TEST_F(Menus, MessageBoxesAnswerTheQueueOrTheirDefaultButton) {
    HEADLESS_ONLY("answers menus from the headless desktop's queue and reads its records");
#if VEDRIX_HEADLESS
    struct Case {
        UINT style;
        int answer;
    } cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, IDYES},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_OK | MB_DEFBUTTON2, IDOK},  // there is no second button
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", c.style), c.answer) << c.style;
    }
    queueMessageBoxAnswer(IDNO);
    queueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "first", nullptr, MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "second", nullptr, MB_YESNO), IDCANCEL);  // as queued
    EXPECT_EQ(MessageBoxA(nullptr, "third", nullptr, MB_YESNO), IDYES);
#endif
}

TEST_F(Menus, MessageBoxesAreRecorded) {
    HEADLESS_ONLY("answers menus from the headless desktop's queue and reads its records");
#if VEDRIX_HEADLESS
    HWND owner = topLevel(0, 0, 100, 100);
    clearLog();
    MessageBoxA(owner, "Careful", nullptr, MB_OK | MB_ICONHAND | MB_TASKMODAL);
    auto boxes = messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Careful");
    EXPECT_EQ(boxes[0].caption, "Error");  // the platform's caption when none is given
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONHAND | MB_TASKMODAL));
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].answer, IDOK);
    EXPECT_TRUE(log().empty());  // a box sends its owner nothing
#if VEDRIX_HEADLESS              // only the headless desktop records beeps
    resetRecords();
#endif
    EXPECT_TRUE(messageBoxes().empty());
#endif
}

TEST_F(Menus, BeepsAndHelpCallsAreRecorded) {
    HEADLESS_ONLY("answers menus from the headless desktop's queue and reads its records");
#if VEDRIX_HEADLESS
    MessageBeep(MB_ICONHAND);
    MessageBeep(0xFFFFFFFF);
#if VEDRIX_HEADLESS  // only the headless desktop records beeps
    EXPECT_EQ(beeps(), (std::vector<UINT>{MB_ICONHAND, 0xFFFFFFFF}));
#endif
    HWND w = topLevel(0, 0, 10, 10);
    EXPECT_TRUE(WinHelpA(w, "C:\\Program\\help.hlp", HELP_CONTEXT, 2258));
    auto calls = helpCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, "C:\\Program\\help.hlp");
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(calls[0].data, 2258u);
    EXPECT_EQ(calls[0].window, w);
#if VEDRIX_HEADLESS  // only the headless desktop records beeps
    resetRecords();
#endif
#if VEDRIX_HEADLESS  // only the headless desktop records beeps
    EXPECT_TRUE(beeps().empty());
#endif
    EXPECT_TRUE(helpCalls().empty());
#endif
}

}  // namespace
