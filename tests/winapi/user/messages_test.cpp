// Sending and posting, the queue, painting and timers.
#include "user_support.h"

#if VEDRIX_HEADLESS
#include <vedrix/headless/desktop.h>
#endif

namespace {

using Messages = UserTest;
using person::pumpMessages;
#if VEDRIX_HEADLESS
using vedrix::headless::advanceTime;
using vedrix::headless::virtualTime;
#endif

std::vector<LoggedMessage> only(const std::vector<LoggedMessage>& all, UINT first, UINT last) {
    std::vector<LoggedMessage> out;
    for (const auto& m : all) {
        if (m.msg >= first && m.msg <= last) {
            out.push_back(m);
        }
    }
    return out;
}

TEST_F(Messages, SentMessagesRunAtOncePostedOnesInOrderWhenRead) {
    HWND w = topLevel(0, 0, 10, 10);
    clearLog();
    PostMessageA(w, WM_USER + 1, 1, 0);
    PostMessageA(w, WM_USER + 2, 2, 0);
    SendMessageA(w, WM_USER + 3, 3, 0);
    EXPECT_EQ(messages(w), std::vector<UINT>{WM_USER + 3});
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(msg.hwnd, w);
    DispatchMessageA(&msg);
    pumpMessages();
    EXPECT_EQ(messages(w, {WM_USER + 1, WM_USER + 2, WM_USER + 3}),
              (std::vector<UINT>{WM_USER + 3, WM_USER + 1, WM_USER + 2}));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, PeekFiltersByWindowAndRange) {
    HWND a = topLevel(0, 0, 10, 10);
    HWND b = topLevel(0, 0, 10, 10);
    HWND bChild = child(b, 1, 0, 0, 5, 5);
    PostMessageA(a, WM_USER, 0, 0);
    PostMessageA(bChild, WM_USER + 5, 0, 0);
    PostMessageA(nullptr, WM_APP, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));  // a window's children count
    EXPECT_EQ(msg.hwnd, bChild);
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP));  // thread messages only
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER + 1, WM_USER + 10, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a);
}

TEST_F(Messages, QuitComesAfterPostedMessagesAndAnEmptyQueueQuits) {
    HWND w = topLevel(0, 0, 10, 10);
    pumpMessages();  // the first paint
    PostQuitMessage(3);
    PostMessageA(w, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
#if VEDRIX_HEADLESS
    // Nobody is there to wait for: an empty queue answers WM_QUIT too (a real
    // queue waits for input).
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
#endif
}

TEST_F(Messages, PostedMessagesOfADestroyedWindowAreDropped) {
    HWND w = topLevel(0, 0, 10, 10);
    HWND other = topLevel(0, 0, 10, 10);
    PostMessageA(w, WM_USER, 0, 0);
    PostMessageA(other, WM_USER, 0, 0);
    DestroyWindow(w);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, other);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
}

TEST_F(Messages, MessagePositionAndTimeComeFromTheLastMessageRead) {
    HWND w = topLevel(0, 0, 10, 10);
    person::moveTo(POINT{300, 200});
    person::wait(40);
    const LONG posted = static_cast<LONG>(GetTickCount());
    PostMessageA(w, WM_USER, 0, 0);
    SetCursorPos(5, 5);
    Sleep(20);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.pt.x, 300);
    // The time it was posted, not the time it was read.
    EXPECT_GE(GetMessageTime(), posted);
    EXPECT_LT(GetMessageTime(), static_cast<LONG>(GetTickCount()));
    DWORD pos = GetMessagePos();
    EXPECT_EQ(LOWORD(pos), 300);
    EXPECT_EQ(HIWORD(pos), 200);
}

TEST_F(Messages, PaintIsGeneratedForInvalidVisibleWindowsOnly) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND hidden = child(top, 1, 0, 0, 50, 50, WS_CHILD);
    pumpMessages();  // the first paints
    clearLog();
    RECT r{10, 10, 20, 20};
    InvalidateRect(hidden, &r, FALSE);
    pumpMessages();
    EXPECT_TRUE(messages(hidden, {WM_PAINT}).empty());
    RECT update;
    ShowWindow(hidden, SW_SHOW);
    pumpMessages();
    EXPECT_EQ(messages(hidden, {WM_PAINT}).size(), 1u);
    EXPECT_FALSE(GetUpdateRect(hidden, &update, FALSE));  // validated by the default procedure
}

TEST_F(Messages, InvalidationCollectsABoundingRectangleClippedToTheClient) {
    HWND top = topLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    pumpMessages();
    RECT a{10, 10, 20, 20};
    RECT b{50, 60, 200, 200};
    InvalidateRect(top, &a, FALSE);
    InvalidateRect(top, &b, FALSE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_TRUE(sameRect(update, RECT{10, 10, 100, 100}));
    ValidateRect(top, nullptr);
    EXPECT_FALSE(GetUpdateRect(top, &update, FALSE));
}

TEST_F(Messages, InvalidatingAParentReachesOverlappedChildrenUnlessClipChildren) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND inside = child(top, 1, 10, 10, 20, 20);
    HWND outside = child(top, 2, 60, 60, 20, 20);
    pumpMessages();
    RECT r{0, 0, 40, 40};
    InvalidateRect(top, &r, TRUE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(inside, &update, FALSE));
    EXPECT_TRUE(sameRect(update, RECT{0, 0, 20, 20}));
    EXPECT_FALSE(GetUpdateRect(outside, &update, FALSE));
    pumpMessages();

    SetWindowLongA(top, GWL_STYLE, GetWindowLongA(top, GWL_STYLE) | WS_CLIPCHILDREN);
    InvalidateRect(top, nullptr, TRUE);
    EXPECT_FALSE(GetUpdateRect(inside, &update, FALSE));
}

TEST_F(Messages, ParentsPaintBeforeChildren) {
    HWND top = topLevel(0, 0, 100, 100);
    HWND c = child(top, 1, 10, 10, 20, 20);
    pumpMessages();
    clearLog();
    InvalidateRect(top, nullptr, TRUE);
    pumpMessages();
    std::vector<HWND> painted;
    for (const auto& m : log()) {
        if (m.msg == WM_PAINT) {
            painted.push_back(m.hwnd);
        }
    }
    EXPECT_EQ(painted, (std::vector<HWND>{top, c}));
}

TEST_F(Messages, APaintHandlerThatDoesNotValidateIsNotCalledForever) {
    HEADLESS_ONLY(
        "the headless platform validates what a paint handler left invalid; the platform "
        "sends WM_PAINT until the window is validated");
    HWND top = topLevel(0, 0, 100, 100);
    setHandler([](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_PAINT) {
            return 0;
        }
        return std::nullopt;
    });
    pumpMessages();
    EXPECT_EQ(messages(top, {WM_PAINT}).size(), 1u);
}

TEST_F(Messages, UpdateWindowPaintsAtOnceAndRedrawOffStopsInvalidation) {
    HWND top = topLevel(0, 0, 100, 100);
    pumpMessages();
    clearLog();
    InvalidateRect(top, nullptr, FALSE);
    UpdateWindow(top);
    EXPECT_EQ(messages(top, {WM_PAINT}).size(), 1u);
    UpdateWindow(top);
    EXPECT_EQ(messages(top, {WM_PAINT}).size(), 1u);  // nothing left to paint

    SendMessageA(top, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(top, nullptr, FALSE);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(top, &update, FALSE));
    SendMessageA(top, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(top, nullptr, FALSE);
    EXPECT_TRUE(GetUpdateRect(top, &update, FALSE));
}

TEST_F(Messages, TimersFireInOrderOfDueTimeAsTheClockAdvances) {
    HEADLESS_ONLY("steps the virtual clock and reads it");
#if VEDRIX_HEADLESS
    HWND w = topLevel(0, 0, 10, 10);
    EXPECT_EQ(virtualTime(), 0u);
    EXPECT_EQ(SetTimer(w, 1, 100, nullptr), 1u);
    EXPECT_EQ(SetTimer(w, 2, 30, nullptr), 2u);
    pumpMessages();
    EXPECT_TRUE(messages(w, {WM_TIMER}).empty());  // time stands still
    clearLog();
    std::vector<std::pair<WPARAM, DWORD>> fired;
    setHandler([&](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_TIMER) {
            fired.emplace_back(wp, virtualTime());
        }
        return std::nullopt;
    });
    advanceTime(100);
    std::vector<std::pair<WPARAM, DWORD>> expected = {{2, 30}, {2, 60}, {2, 90}, {1, 100}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(virtualTime(), 100u);

    EXPECT_TRUE(KillTimer(w, 2));
    EXPECT_FALSE(KillTimer(w, 2));
    fired.clear();
    advanceTime(250);
    EXPECT_EQ(fired, (std::vector<std::pair<WPARAM, DWORD>>{{1, 200}, {1, 300}}));
#endif
}

TEST_F(Messages, TheTickCountIsTheVirtualClockAndSleepMovesIt) {
    HEADLESS_ONLY("steps the virtual clock and reads it");
#if VEDRIX_HEADLESS
    HWND w = topLevel(0, 0, 10, 10);
    EXPECT_EQ(GetTickCount(), 0u);  // the desktop was reset: the same on every run
    advanceTime(1234);
    EXPECT_EQ(GetTickCount(), 1234u);
    EXPECT_EQ(GetTickCount64(), 1234u);

    // A program that waits for the tick count gets there, and a timer that
    // fell due while it slept fires in the next loop, not during the sleep.
    SetTimer(w, 7, 100, nullptr);
    clearLog();
    const DWORD start = GetTickCount();
    int naps = 0;
    while (GetTickCount() - start < 250 && naps < 1000) {
        Sleep(10);
        ++naps;
    }
    EXPECT_EQ(naps, 25);
    EXPECT_EQ(GetTickCount(), 1484u);
    EXPECT_TRUE(messages(w, {WM_TIMER}).empty());
    std::vector<DWORD> firedAt;
    setHandler([&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_TIMER) {
            firedAt.push_back(static_cast<DWORD>(GetMessageTime()));
        }
        return std::nullopt;
    });
    pumpMessages();
    EXPECT_EQ(firedAt, std::vector<DWORD>{1484u});  // one message however late
#endif
}

TEST_F(Messages, ResettingATimerStartsItsIntervalAgainAndDestroyKillsIt) {
    HEADLESS_ONLY("steps the virtual clock and reads it");
#if VEDRIX_HEADLESS
    HWND w = topLevel(0, 0, 10, 10);
    SetTimer(w, 5, 50, nullptr);
    advanceTime(40);
    SetTimer(w, 5, 50, nullptr);  // due at 90 now
    clearLog();
    advanceTime(45);
    EXPECT_TRUE(messages(w, {WM_TIMER}).empty());
    advanceTime(5);
    EXPECT_EQ(messages(w, {WM_TIMER}).size(), 1u);
    DestroyWindow(w);
    EXPECT_FALSE(KillTimer(w, 5));
#endif
}

#if VEDRIX_HEADLESS
std::vector<std::pair<UINT_PTR, DWORD>> g_procCalls;

void CALLBACK timerProc(HWND, UINT msg, UINT_PTR id, DWORD time) {
    EXPECT_EQ(msg, static_cast<UINT>(WM_TIMER));
    g_procCalls.emplace_back(id, time);
}
#endif

TEST_F(Messages, TimerProceduresAreCalledInsteadOfTheWindow) {
    HEADLESS_ONLY("steps the virtual clock and reads it");
#if VEDRIX_HEADLESS
    g_procCalls.clear();
    UINT_PTR id = SetTimer(nullptr, 0, 20, timerProc);
    ASSERT_NE(id, 0u);
    advanceTime(45);
    EXPECT_EQ(g_procCalls, (std::vector<std::pair<UINT_PTR, DWORD>>{{id, 20}, {id, 40}}));
    EXPECT_TRUE(KillTimer(nullptr, id));
    // A forged WM_TIMER with a procedure that is no timer's is ignored.
    MSG forged{};
    forged.message = WM_TIMER;
    forged.wParam = id;
    forged.lParam = reinterpret_cast<LPARAM>(timerProc);
    DispatchMessageA(&forged);
    EXPECT_EQ(g_procCalls.size(), 2u);
#endif
}

TEST_F(Messages, TranslateMessageTurnsKeysIntoCharactersBeforeTheKeyUp) {
    HWND w = topLevel(0, 0, 10, 10);
    SetFocus(w);
    clearLog();
    person::keyDown('A');
    person::keyUp('A');
    auto keys = only(log(), WM_KEYFIRST, WM_KEYLAST);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].msg, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(keys[1].msg, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(keys[1].wParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(keys[2].msg, static_cast<UINT>(WM_KEYUP));
}

TEST_F(Messages, RegisteredMessagesAreSharedByName) {
    UINT a = RegisterWindowMessageA("VedrixTestMessage");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageA("vedrixtestmessage"), a);
    EXPECT_NE(RegisterWindowMessageA("VedrixOtherMessage"), a);
}

}  // namespace
