// Edit controls: typing, selection, the caret keys, limits, read-only and
// number fields, multiline text, undo and the notifications to the parent.
#include "controls/controls_fixture.h"

#if VEDRIX_HEADLESS
#include <vedrix/headless/desktop.h>
#include <vedrix/headless/drawing.h>
#endif

#include <algorithm>

namespace controls_tests {
namespace {

#if VEDRIX_HEADLESS
namespace hl = vedrix::headless;
#endif

class EditTest : public ControlsTest {
protected:
    HWND edit(const char* initial, DWORD extra = ES_AUTOHSCROLL, int width = 150) {
        HWND hwnd = create("Edit", initial, WS_BORDER | WS_TABSTOP | extra, 10, 10, width, 22, 20);
        SetFocus(hwnd);
        clearRecords();
        return hwnd;
    }
    static std::pair<DWORD, DWORD> selection(HWND hwnd) {
        DWORD start = 99;
        DWORD end = 99;
        SendMessageA(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    static std::pair<DWORD, DWORD> sel(DWORD a, DWORD b) { return {a, b}; }
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndNotifiesEachChange) {
    HWND e = edit("");
    person::type("Hello");
    EXPECT_EQ(text(e), "Hello");
    EXPECT_EQ(count(20, EN_CHANGE), 5);
    EXPECT_EQ(count(20, EN_UPDATE), 5);
    // EN_UPDATE comes before EN_CHANGE.
    std::vector<int> c = codes(20);
    ASSERT_GE(c.size(), 2u);
    EXPECT_EQ(c[0], EN_UPDATE);
    EXPECT_EQ(c[1], EN_CHANGE);
    EXPECT_EQ(selection(e), sel(5, 5));
    EXPECT_TRUE(SendMessageA(e, EM_GETMODIFY, 0, 0));
}

TEST_F(EditTest, TypingReplacesTheSelection) {
    HWND e = edit("abcdef");
    SendMessageA(e, EM_SETSEL, 1, 4);
    person::type("X");
    EXPECT_EQ(text(e), "aXef");
    EXPECT_EQ(selection(e), sel(2, 2));
}

TEST_F(EditTest, BackspaceAndDeleteRemoveOneCharacterOrTheSelection) {
    HWND e = edit("abcdef");
    SendMessageA(e, EM_SETSEL, 3, 3);
    person::pressKey(VK_BACK);
    EXPECT_EQ(text(e), "abdef");
    person::pressKey(VK_DELETE);
    EXPECT_EQ(text(e), "abef");
    SendMessageA(e, EM_SETSEL, 0, 2);
    person::pressKey(VK_DELETE);
    EXPECT_EQ(text(e), "ef");
    SendMessageA(e, EM_SETSEL, 0, 0);
    person::pressKey(VK_BACK);  // nothing before the caret: no change, no notification
    EXPECT_EQ(text(e), "ef");
    EXPECT_EQ(count(20, EN_CHANGE), 3);
}

TEST_F(EditTest, ArrowsHomeEndMoveTheCaretAndShiftSelects) {
    HWND e = edit("one two");
    SendMessageA(e, EM_SETSEL, 0, 0);
    person::pressKey(VK_END);
    EXPECT_EQ(selection(e), sel(7, 7));
    person::pressKey(VK_LEFT);
    person::pressKey(VK_LEFT);
    EXPECT_EQ(selection(e), sel(5, 5));
    person::keyDown(VK_SHIFT);
    person::pressKey(VK_HOME);
    person::keyUp(VK_SHIFT);
    EXPECT_EQ(selection(e), sel(0, 5));
    // An arrow without Shift ends the selection (where the caret then stands
    // is the platform's choice).
    person::pressKey(VK_RIGHT);
    auto after = selection(e);
    EXPECT_EQ(after.first, after.second);
    SendMessageA(e, EM_SETSEL, 7, 7);
    person::keyDown(VK_CONTROL);
    person::pressKey(VK_LEFT);
    person::keyUp(VK_CONTROL);
    EXPECT_EQ(selection(e), sel(4, 4));
    EXPECT_TRUE(codes(20).empty());  // moving the caret notifies nothing
}

TEST_F(EditTest, SetSelHandlesMinusOneAndReversedRanges) {
    HWND e = edit("abcdef");
    SendMessageA(e, EM_SETSEL, 0, -1);
    EXPECT_EQ(selection(e), sel(0, 6));
    SendMessageA(e, EM_SETSEL, 5, 2);
    EXPECT_EQ(selection(e), sel(2, 5));
    SendMessageA(e, EM_SETSEL, 2, 100);
    EXPECT_EQ(selection(e), sel(2, 6));
    LRESULT packed = SendMessageA(e, EM_GETSEL, 0, 0);
    EXPECT_EQ(LOWORD(packed), 2);
    EXPECT_EQ(HIWORD(packed), 6);
    SendMessageA(e, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    auto s = selection(e);
    EXPECT_EQ(s.first, s.second);
}

TEST_F(EditTest, LimitRefusesTypingWithMaxTextButNotSetText) {
    HWND e = edit("");
    SendMessageA(e, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 3);
    person::type("abcd");
    EXPECT_EQ(text(e), "abc");
    // EN_CHANGE says the text may have changed: the refused character may
    // send one too.
    EXPECT_GE(count(20, EN_CHANGE), 3);
    EXPECT_EQ(count(20, EN_MAXTEXT), 1);
    // Replacing a selection within the limit is fine.
    SendMessageA(e, EM_SETSEL, 0, 1);
    person::type("z");
    EXPECT_EQ(text(e), "zbc");
    SetWindowTextA(e, "longer than three");
    EXPECT_EQ(text(e), "longer than three");
}

TEST_F(EditTest, ReplaceSelInsertsWhatFitsTheLimit) {
    HWND e = edit("ab");
    SendMessageA(e, EM_LIMITTEXT, 5, 0);
    SendMessageA(e, EM_SETSEL, 2, 2);
    SendMessageA(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("cdefgh"));
    EXPECT_EQ(text(e), "abcde");
    EXPECT_EQ(count(20, EN_MAXTEXT), 1);
    EXPECT_EQ(count(20, EN_CHANGE), 1);
    EXPECT_EQ(selection(e), sel(5, 5));
}

TEST_F(EditTest, TheDefaultLimitIs32767Characters) {
    HWND e = edit("");
    EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 32767);
}

TEST_F(EditTest, ALimitOfZeroGoesBeyondTheDefault) {
    HWND e = edit("");
    SendMessageA(e, EM_LIMITTEXT, 0, 0);
    EXPECT_GT(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 32767);
}

TEST_F(EditTest, ReadOnlyBlocksTypingButNotProgramChanges) {
    HWND e = edit("fixed", ES_AUTOHSCROLL | ES_READONLY);
#if VEDRIX_HEADLESS  // only the headless desktop records beeps
    hl::resetRecords();
#endif
    person::type("xy");
    person::pressKey(VK_BACK);
    person::pressKey(VK_DELETE);
    EXPECT_EQ(text(e), "fixed");
    EXPECT_EQ(count(20, EN_CHANGE), 0);
#if VEDRIX_HEADLESS  // only the headless desktop records beeps
    EXPECT_FALSE(hl::beeps().empty());
#endif
    SetWindowTextA(e, "changed");
    EXPECT_EQ(text(e), "changed");
    // EM_SETREADONLY switches it off again, and the style follows.
    EXPECT_TRUE(SendMessageA(e, EM_SETREADONLY, FALSE, 0));
    EXPECT_EQ(style(e) & ES_READONLY, 0u);
    SendMessageA(e, EM_SETSEL, 7, 7);
    person::type("!");
    EXPECT_EQ(text(e), "changed!");
    SendMessageA(e, EM_SETREADONLY, TRUE, 0);
    EXPECT_NE(style(e) & ES_READONLY, 0u);
}

TEST_F(EditTest, NumberFieldRefusesOtherCharacters) {
    HWND e = edit("", ES_AUTOHSCROLL | ES_NUMBER);
    person::type("1a2-3");
    EXPECT_EQ(text(e), "123");
    EXPECT_EQ(count(20, EN_CHANGE), 3);
}

TEST_F(EditTest, SetTextNotifiesResetsModifyAndMovesTheCaretHome) {
    HWND e = edit("");
    person::type("ab");
    ASSERT_TRUE(SendMessageA(e, EM_GETMODIFY, 0, 0));
    clearRecords();
    SetWindowTextA(e, "new text");
    EXPECT_EQ(count(20, EN_CHANGE), 1);
    EXPECT_FALSE(SendMessageA(e, EM_GETMODIFY, 0, 0));
    EXPECT_EQ(selection(e), sel(0, 0));
    EXPECT_EQ(GetWindowTextLengthA(e), 8);
    SendMessageA(e, EM_SETMODIFY, TRUE, 0);
    EXPECT_TRUE(SendMessageA(e, EM_GETMODIFY, 0, 0));
}

TEST_F(EditTest, SingleLineControlKeepsOneLine) {
    HWND e = edit("");
    // What becomes of the line break itself is the platform's choice (the
    // headless control keeps the text before it).
    SetWindowTextA(e, "first\r\nsecond");
    EXPECT_EQ(text(e).rfind("first", 0), 0u);
    EXPECT_EQ(SendMessageA(e, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(EditTest, WithoutAutoScrollTypingStopsAtTheWidth) {
    HWND e = edit("", 0, 50);
    const std::string typed = "abcdefghij";
    // The longest start of it that fits the formatting rectangle in the
    // control's font.
    RECT format{};
    SendMessageA(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    HDC dc = GetDC(e);
    auto font = reinterpret_cast<HFONT>(SendMessageA(e, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    size_t fits = 0;
    SIZE extent{};
    while (fits < typed.size() &&
           GetTextExtentPoint32A(dc, typed.c_str(), static_cast<int>(fits + 1), &extent) &&
           extent.cx <= format.right - format.left) {
        ++fits;
    }
    if (old != nullptr) {
        SelectObject(dc, old);
    }
    ReleaseDC(e, dc);
    ASSERT_GT(fits, 0u);
    ASSERT_LT(fits, typed.size());
    person::type(typed);
    EXPECT_EQ(text(e), typed.substr(0, fits));
    EXPECT_GE(count(20, EN_MAXTEXT), 1);
}

TEST_F(EditTest, AutoScrollKeepsTheCaretVisible) {
    HWND e = edit("", ES_AUTOHSCROLL, 50);
    person::type("abcdefghij");
    EXPECT_EQ(text(e), "abcdefghij");
    EXPECT_GT(SendMessageA(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    person::pressKey(VK_HOME);
    EXPECT_EQ(SendMessageA(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(EditTest, MultilineLinesAndVerticalMoves) {
    HWND e = create("Edit", "", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, 10, 10, 150, 80, 20);
    SetFocus(e);
    person::type("ab");
    person::pressKey(VK_RETURN);
    person::type("cdef");
    EXPECT_EQ(text(e), "ab\r\ncdef");
    EXPECT_EQ(SendMessageA(e, EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(e, EM_LINEINDEX, 1, 0), 4);
    EXPECT_EQ(SendMessageA(e, EM_LINELENGTH, 4, 0), 4);
    EXPECT_EQ(SendMessageA(e, EM_LINEFROMCHAR, 5, 0), 1);
    person::pressKey(VK_UP);  // column 4 does not exist on line 0: end of line
    EXPECT_EQ(selection(e), sel(2, 2));
    person::pressKey(VK_LEFT);
    person::pressKey(VK_DOWN);
    EXPECT_EQ(selection(e), sel(5, 5));
    person::pressKey(VK_HOME);
    EXPECT_EQ(selection(e), sel(4, 4));
    person::pressKey(VK_BACK);  // the line break goes as one
    EXPECT_EQ(text(e), "abcdef");
    char line[16] = {};
    *reinterpret_cast<WORD*>(line) = sizeof(line);
    EXPECT_EQ(SendMessageA(e, EM_GETLINE, 0, reinterpret_cast<LPARAM>(line)), 6);
    EXPECT_EQ(std::string(line, 6), "abcdef");
}

TEST_F(EditTest, DialogCodes) {
    HWND single = edit("");
    LRESULT code = SendMessageA(single, WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(code & (DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS),
              DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
    EXPECT_EQ(code & DLGC_WANTALLKEYS, 0);
    HWND multi = create("Edit", "", ES_MULTILINE | ES_WANTRETURN, 10, 40, 150, 60, 21);
    EXPECT_NE(SendMessageA(multi, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
}

TEST_F(EditTest, FocusNotificationsAndTheCaret) {
    HWND e = create("Edit", "abc", ES_AUTOHSCROLL, 10, 10, 150, 22, 20);
    HWND other = create("Edit", "", ES_AUTOHSCROLL, 10, 40, 150, 22, 21);
    SetFocus(e);
    EXPECT_EQ(codes(20), std::vector<int>{EN_SETFOCUS});
#if VEDRIX_HEADLESS  // only the headless desktop tells whose caret it is
    EXPECT_EQ(hl::caret().owner, e);
#endif
    // The caret stands where the control places the character after it.
    SendMessageA(e, EM_SETSEL, 2, 2);
    auto packed = static_cast<DWORD>(SendMessageA(e, EM_POSFROMCHAR, 2, 0));
    POINT caret{-1, -1};
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.x, static_cast<SHORT>(LOWORD(packed)));
    EXPECT_GT(caret.x, static_cast<SHORT>(LOWORD(SendMessageA(e, EM_POSFROMCHAR, 0, 0))));
    SetFocus(other);
    EXPECT_EQ(codes(20), (std::vector<int>{EN_SETFOCUS, EN_KILLFOCUS}));
}

TEST_F(EditTest, ClickPlacesTheCaretAndDragSelects) {
    HWND e = edit("abcdefgh");
    // Just right of where character i starts, as the control places it.
    auto nearStartOf = [e](int i) {
        auto packed = static_cast<DWORD>(SendMessageA(e, EM_POSFROMCHAR, i, 0));
        return at(e, static_cast<SHORT>(LOWORD(packed)) + 1,
                  static_cast<SHORT>(HIWORD(packed)) + 4);
    };
    person::click(nearStartOf(3));
    EXPECT_EQ(selection(e), sel(3, 3));
    person::drag(nearStartOf(1), nearStartOf(5));
    EXPECT_EQ(selection(e), sel(1, 5));
}

TEST_F(EditTest, UndoRestoresTheTextBeforeTheLastEdit) {
    HWND e = edit("start");
    SendMessageA(e, EM_SETSEL, 5, 5);
    person::type("123");
    EXPECT_TRUE(SendMessageA(e, EM_CANUNDO, 0, 0));
    EXPECT_TRUE(SendMessageA(e, EM_UNDO, 0, 0));
    EXPECT_EQ(text(e), "start");
    // Undoing again redoes.
    SendMessageA(e, WM_UNDO, 0, 0);
    EXPECT_EQ(text(e), "start123");
    SendMessageA(e, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_FALSE(SendMessageA(e, EM_CANUNDO, 0, 0));
    // A single-line control answers EM_UNDO with TRUE all the same; nothing
    // changes.
    EXPECT_TRUE(SendMessageA(e, EM_UNDO, 0, 0));
    EXPECT_EQ(text(e), "start123");
}

TEST_F(EditTest, PasswordFieldKeepsTheTextButShowsStars) {
    HWND e = edit("", ES_AUTOHSCROLL | ES_PASSWORD);
    EXPECT_EQ(SendMessageA(e, EM_GETPASSWORDCHAR, 0, 0), '*');
    person::type("pw");
    EXPECT_EQ(text(e), "pw");
#if VEDRIX_HEADLESS  // only the headless device context records what is drawn
    hl::clearDrawingRecord();
    InvalidateRect(e, nullptr, TRUE);
    UpdateWindow(e);
    auto record = hl::drawingRecord(e);
    bool stars = false;
    for (const auto& entry : record) {
        EXPECT_EQ(entry.text.find("pw"), std::string::npos);
        stars = stars || entry.text == "**";
    }
    EXPECT_TRUE(stars);
#endif
}

TEST_F(EditTest, UpperCaseStyleConvertsTypedText) {
    HWND e = edit("", ES_AUTOHSCROLL | ES_UPPERCASE);
    person::type("aBc");
    EXPECT_EQ(text(e), "ABC");
}

TEST_F(EditTest, PaintsTheVisibleTextWithTheSelectionHighlighted) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    HWND e = edit("abcdef");
    SendMessageA(e, EM_SETSEL, 2, 4);
    hl::clearDrawingRecord();
    InvalidateRect(e, nullptr, TRUE);
    UpdateWindow(e);
    auto record = hl::drawingRecord(e);
    std::vector<std::string> runs;
    for (const auto& entry : record) {
        if (entry.kind == hl::DrawingKind::TextOut) {
            runs.push_back(entry.text);
            if (entry.text == "cd") {
                EXPECT_EQ(entry.bkMode, OPAQUE);
                EXPECT_EQ(entry.bkColor, GetSysColor(COLOR_HIGHLIGHT));
                EXPECT_EQ(entry.rect.left, 1 + 2 * 7);
            }
        }
    }
    EXPECT_EQ(runs, (std::vector<std::string>{"ab", "cd", "ef"}));
#endif
}

}  // namespace
}  // namespace controls_tests
