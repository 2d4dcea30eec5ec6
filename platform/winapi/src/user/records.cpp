// Message boxes, beeps, help calls and the records the headless desktop keeps
// of them; the modal hook; resetting the desktop.
#include "user/records.h"

#include "user/window_manager.h"

#include <vedrix/headless/drawing.h>

#include <deque>

namespace vedrix::winapi {
namespace {

struct Records {
    std::deque<int> boxAnswers;
    std::deque<UINT> menuAnswers;
    std::vector<headless::MessageBoxRecord> boxes;
    std::vector<headless::MenuRecord> menus;
    std::vector<UINT> beeps;
    std::vector<headless::HelpCall> help;
    headless::ModalHook hook;
    std::vector<ModalLoop> loops;
};

Records& records() {
    static Records* r = new Records;
    return *r;
}

// The buttons of each message box type, in order.
int defaultAnswer(UINT type) {
    static const int kButtons[][3] = {
        {IDOK, 0, 0},                        // MB_OK
        {IDOK, IDCANCEL, 0},                 // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},        // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},             // MB_YESNOCANCEL
        {IDYES, IDNO, 0},                    // MB_YESNO
        {IDRETRY, IDCANCEL, 0},              // MB_RETRYCANCEL
        {IDCANCEL, IDTRYAGAIN, IDCONTINUE},  // MB_CANCELTRYCONTINUE
    };
    UINT kind = type & MB_TYPEMASK;
    if (kind > 6) {
        kind = 0;
    }
    UINT which = (type & MB_DEFMASK) >> 8;
    const int* buttons = kButtons[kind];
    int count = buttons[2] ? 3 : buttons[1] ? 2 : 1;
    if (static_cast<int>(which) >= count) {
        which = 0;
    }
    return buttons[which];
}

}  // namespace

UINT takeMenuAnswer() {
    auto& q = records().menuAnswers;
    if (q.empty()) {
        return 0;
    }
    UINT a = q.front();
    q.pop_front();
    return a;
}

void addMenuRecord(const headless::MenuRecord& record) {
    records().menus.push_back(record);
}

const headless::ModalHook& modalHook() {
    return records().hook;
}

std::vector<ModalLoop>& modalLoops() {
    return records().loops;
}

void resetRecords() {
    Records& r = records();
    r.boxAnswers.clear();
    r.menuAnswers.clear();
    r.boxes.clear();
    r.menus.clear();
    r.beeps.clear();
    r.help.clear();
}

}  // namespace vedrix::winapi

using namespace vedrix::winapi;

namespace vedrix::headless {

void setModalHook(ModalHook hook) {
    records().hook = std::move(hook);
}

std::vector<HWND> modalDialogs() {
    std::vector<HWND> out;
    for (const auto& l : records().loops) {
        out.push_back(l.dialog);
    }
    return out;
}

void queueMessageBoxAnswer(int answer) {
    records().boxAnswers.push_back(answer);
}

std::vector<MessageBoxRecord> messageBoxes() {
    return records().boxes;
}

void queueMenuAnswer(UINT command) {
    records().menuAnswers.push_back(command);
}

std::vector<MenuRecord> menus() {
    return records().menus;
}

std::vector<UINT> beeps() {
    return records().beeps;
}

std::vector<HelpCall> helpCalls() {
    return records().help;
}

void resetRecords() {
    vedrix::winapi::resetRecords();
}

void resetDesktop() {
    records().hook = nullptr;
    resetWindows();
    // The drawing belongs to the desktop too: a test that starts afresh must
    // not see the last one's drawing record, memory recording or drag.
    resetDrawing();
    resetMessages();
    resetFocus();
    resetInput();
    resetCaret();
    vedrix::winapi::resetRecords();
    records().loops.clear();
}

}  // namespace vedrix::headless

extern "C" {

int WINAPI MessageBoxExA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType, WORD) {
    if (hWnd && !IsWindow(hWnd)) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    Records& r = records();
    int answer;
    if (!r.boxAnswers.empty()) {
        answer = r.boxAnswers.front();
        r.boxAnswers.pop_front();
    } else {
        answer = defaultAnswer(uType);
    }
    vedrix::headless::MessageBoxRecord rec;
    rec.text = lpText ? lpText : "";
    rec.caption = lpCaption ? lpCaption : "Error";
    rec.style = uType;
    rec.owner = hWnd;
    rec.answer = answer;
    r.boxes.push_back(rec);
    return answer;
}

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    return MessageBoxExA(hWnd, lpText, lpCaption, uType, 0);
}

BOOL WINAPI MessageBeep(UINT uType) {
    records().beeps.push_back(uType);
    return TRUE;
}

BOOL WINAPI WinHelpA(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData) {
    vedrix::headless::HelpCall call;
    call.window = hWndMain;
    call.file = lpszHelp ? lpszHelp : "";
    call.command = uCommand;
    call.data = dwData;
    records().help.push_back(call);
    return TRUE;
}

}  // extern "C"
