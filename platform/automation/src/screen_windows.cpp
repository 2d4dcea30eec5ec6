// The person's turn inside modal loops, on a real screen.
//
// A thread timer ticks while a hook is set. A dialog's modal loop (dialogs and
// message boxes) passes every message it reads through IsDialogMessage, which
// calls the thread's message filter with MSGF_DIALOGBOX; a popup menu's loop
// calls it with MSGF_MENU. The filter notes which loop read the tick, so that
// when the tick is dispatched the person knows where the turn is:
// - in a dialog's loop: the newest dialog of the thread that has not had its
//   turn gets it. A message box is read (caption, text, buttons, icon) and
//   answered by clicking the queued answer's button (else its default
//   button); any other dialog runs the hook with its template's number.
// - in a menu's loop: the menu opened (recorded when WM_INITMENUPOPUP was
//   handled) is answered by clicking the queued command's item, or dismissed.
// Ticks that the person's own dispatching reads pass no filter and do nothing,
// so a script never starts inside another script's input.
#include "hands.h"
#include "screen.h"
#include "windows_queue.h"

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

namespace vedrix::automation::screen {

namespace {

using windows::isDialogWindow;
using windows::templateOf;

constexpr UINT kTickMs = 30;

enum class Loop { None, Dialog, Menu };

struct OpenMenu {
    bool open = false;
    HMENU menu = nullptr;
    bool answered = false;
    MenuRecord record;
    // The chosen item's way still to go: a submenu opens only when the
    // menu's loop has read the click on its item, so each step is one tick.
    HMENU at = nullptr;
    std::vector<int> path;
};

struct ModalState {
    ModalHook hook;
    HHOOK filter = nullptr;
    HHOOK creation = nullptr;
    HHOOK calls = nullptr;
    UINT_PTR timer = 0;
    Loop tickFrom = Loop::None;
    std::vector<HWND> dialogs;  // top-level dialogs of the thread, oldest first
    std::vector<HWND> visited;  // those that had their turn
    std::deque<int> boxAnswers;
    std::deque<UINT> menuAnswers;
    std::vector<MessageBoxRecord> boxes;
    std::vector<MenuRecord> menus;
    OpenMenu menu;
    bool inTurn = false;
};

ModalState& state() {
    static ModalState s;
    return s;
}

bool contains(const std::vector<HWND>& list, HWND hwnd) {
    return std::find(list.begin(), list.end(), hwnd) != list.end();
}

void forget(std::vector<HWND>& list, HWND hwnd) {
    list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
}

std::string textOf(HWND hwnd) {
    char text[1024] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string classOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

POINT centreOf(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// ---------------------------------------------------------------------------
// Message boxes

std::vector<HWND> childrenOf(HWND parent) {
    std::vector<HWND> out;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        out.push_back(c);
    }
    return out;
}

bool isBoxButton(HWND child) {
    int id = GetDlgCtrlID(child);
    return lstrcmpiA(classOf(child).c_str(), "Button") == 0 && id >= IDOK && id <= IDCONTINUE &&
           IsWindowVisible(child);
}

// A dialog the system made for MessageBox: no template of its module, a text
// and the standard buttons only.
bool isMessageBox(HWND dialog) {
    bool text = false;
    bool buttons = false;
    for (HWND child : childrenOf(dialog)) {
        std::string cls = classOf(child);
        if (isBoxButton(child)) {
            buttons = true;
        } else if (lstrcmpiA(cls.c_str(), "Static") == 0) {
            text = text || (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON;
        } else if (lstrcmpiA(cls.c_str(), "Button") == 0 && !IsWindowVisible(child)) {
            continue;
        } else {
            return false;
        }
    }
    return text && buttons && templateOf(dialog) == 0;
}

UINT buttonsStyle(const std::vector<int>& ids) {
    auto has = [&](int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); };
    if (has(IDABORT)) {
        return MB_ABORTRETRYIGNORE;
    }
    if (has(IDYES)) {
        return has(IDCANCEL) ? MB_YESNOCANCEL : MB_YESNO;
    }
    if (has(IDTRYAGAIN)) {
        return MB_CANCELTRYCONTINUE;
    }
    if (has(IDRETRY)) {
        return MB_RETRYCANCEL;
    }
    return has(IDCANCEL) ? MB_OKCANCEL : MB_OK;
}

UINT iconStyle(HWND dialog) {
    struct Icon {
        LPCSTR id;
        UINT style;
    };
    static const Icon icons[] = {{IDI_HAND, MB_ICONHAND},
                                 {IDI_QUESTION, MB_ICONQUESTION},
                                 {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                                 {IDI_ASTERISK, MB_ICONASTERISK}};
    for (HWND child : childrenOf(dialog)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            continue;
        }
        auto shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        for (const Icon& icon : icons) {
            if (shown && LoadIconA(nullptr, icon.id) == shown) {
                return icon.style;
            }
        }
    }
    return 0;
}

void answerMessageBox(HWND box) {
    MessageBoxRecord record;
    record.caption = textOf(box);
    record.owner = GetWindow(box, GW_OWNER);
    // The buttons as the person sees them, left to right; the default one
    // has the default push button's frame.
    std::vector<std::pair<LONG, int>> shown;
    int defaultId = 0;
    for (HWND child : childrenOf(box)) {
        if (isBoxButton(child)) {
            RECT r{};
            GetWindowRect(child, &r);
            shown.emplace_back(r.left, GetDlgCtrlID(child));
            if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                defaultId = GetDlgCtrlID(child);
            }
        } else if (lstrcmpiA(classOf(child).c_str(), "Static") == 0 &&
                   (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            record.text = textOf(child);
        }
    }
    std::sort(shown.begin(), shown.end());
    std::vector<int> ids;
    for (const auto& button : shown) {
        ids.push_back(button.second);
    }
    auto position = std::find(ids.begin(), ids.end(), defaultId);
    UINT defaultButton = position == ids.end() || position == ids.begin()
                             ? MB_DEFBUTTON1
                             : (position - ids.begin() == 1 ? MB_DEFBUTTON2 : MB_DEFBUTTON3);
    record.style = buttonsStyle(ids) | iconStyle(box) | defaultButton;
    int answer = defaultId != 0 ? defaultId : (ids.empty() ? IDOK : ids.front());
    if (!state().boxAnswers.empty()) {
        answer = state().boxAnswers.front();
        state().boxAnswers.pop_front();
    }
    record.answer = answer;
    state().boxes.push_back(record);
    HWND button = GetDlgItem(box, answer);
    RECT r{};
    if (button && IsWindowVisible(button) && GetWindowRect(button, &r)) {
        hands::click(centreOf(r), hands::LeftButton);
    }
    if (IsWindowVisible(box)) {
        // An answer without a button of its own (or a click that missed):
        // the box ends with it, as the person's choice.
        EndDialog(box, answer);
    }
}

// ---------------------------------------------------------------------------
// Dialogs

// The newest dialog of the thread that has not had its turn.
HWND dialogWaiting() {
    ModalState& s = state();
    for (auto it = s.dialogs.rbegin(); it != s.dialogs.rend(); ++it) {
        if (IsWindow(*it) && IsWindowVisible(*it) && !contains(s.visited, *it)) {
            return *it;
        }
    }
    return nullptr;
}

void dialogTurn(HWND dialog) {
    ModalState& s = state();
    s.visited.push_back(dialog);
    if (isMessageBox(dialog)) {
        answerMessageBox(dialog);
        return;
    }
    if (s.hook) {
        ModalHook hook = s.hook;
        hook(dialog, templateOf(dialog));
    }
    // A dialog the script left open is cancelled, as a person who walks away
    // would: the Cancel command first, then the end of its loop.
    if (IsWindow(dialog) && IsWindowVisible(dialog)) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    if (IsWindow(dialog) && IsWindowVisible(dialog)) {
        EndDialog(dialog, IDCANCEL);
    }
}

// ---------------------------------------------------------------------------
// Menus

std::string menuText(HMENU menu, UINT position) {
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

void recordMenuItems(HMENU menu, MenuRecord& record) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        MenuItemRecord item;
        bool separator = (info.fType & MFT_SEPARATOR) != 0;
        item.text = separator ? "" : menuText(menu, static_cast<UINT>(i));
        item.id = separator || info.hSubMenu ? 0 : info.wID;
        item.state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) &
                     (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP);
        record.items.push_back(item.text);
        record.entries.push_back(item);
    }
}

// The path of positions from `menu` to an enabled command item `command`.
bool findCommand(HMENU menu, UINT command, std::vector<int>& path) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT itemState = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (itemState & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR)) {
            continue;
        }
        path.push_back(i);
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (findCommand(sub, command, path)) {
                return true;
            }
        } else if (GetMenuItemID(menu, i) == command) {
            return true;
        }
        path.pop_back();
    }
    return false;
}

// Clicks an item of an open menu. The menu's loop reads the click itself, so
// nothing is dispatched here.
bool clickMenuItem(HMENU menu, int position) {
    RECT r{};
    if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &r)) {
        return false;
    }
    POINT p = centreOf(r);
    SetCursorPos(p.x, p.y);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
    return true;
}

void menuTurn() {
    ModalState& s = state();
    if (!s.menu.open || !s.menu.menu) {
        return;
    }
    if (s.menu.answered) {
        if (!s.menu.path.empty()) {
            clickMenuItem(s.menu.at, s.menu.path.front());
            s.menu.at = GetSubMenu(s.menu.at, s.menu.path.front());
            s.menu.path.erase(s.menu.path.begin());
        }
        return;
    }
    s.menu.answered = true;
    UINT answer = 0;
    if (!s.menuAnswers.empty()) {
        answer = s.menuAnswers.front();
        s.menuAnswers.pop_front();
    }
    std::vector<int> path;
    if (answer != 0 && findCommand(s.menu.menu, answer, path)) {
        s.menu.record.chosen = answer;
        clickMenuItem(s.menu.menu, path.front());
        s.menu.at = GetSubMenu(s.menu.menu, path.front());
        s.menu.path.assign(path.begin() + 1, path.end());
        return;
    }
    EndMenu();
}

// ---------------------------------------------------------------------------
// Hooks

void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD) {
    ModalState& s = state();
    Loop from = std::exchange(s.tickFrom, Loop::None);
    if (from == Loop::Menu) {
        menuTurn();
    } else if (from == Loop::Dialog) {
        if (HWND dialog = dialogWaiting()) {
            dialogTurn(dialog);
        }
    }
}

LRESULT CALLBACK onFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    ModalState& s = state();
    if (code >= 0 && msg && msg->message == WM_TIMER && msg->hwnd == nullptr &&
        msg->wParam == s.timer) {
        s.tickFrom = code == MSGF_MENU ? Loop::Menu : Loop::Dialog;
    }
    return CallNextHookEx(s.filter, code, wParam, lParam);
}

LRESULT CALLBACK onCreation(int code, WPARAM wParam, LPARAM lParam) {
    ModalState& s = state();
    auto hwnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND) {
        auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        bool topLevel = (create->lpcs->style & WS_CHILD) == 0;
        if (topLevel && isDialogWindow(hwnd)) {
            s.dialogs.push_back(hwnd);
        }
    } else if (code == HCBT_DESTROYWND) {
        forget(s.dialogs, hwnd);
        forget(s.visited, hwnd);
    }
    return CallNextHookEx(s.creation, code, wParam, lParam);
}

LRESULT CALLBACK onCallReturn(int code, WPARAM wParam, LPARAM lParam) {
    ModalState& s = state();
    auto* call = reinterpret_cast<CWPRETSTRUCT*>(lParam);
    if (code >= 0 && call) {
        if (call->message == WM_ENTERMENULOOP && call->wParam == TRUE) {
            s.menu = OpenMenu{};
            s.menu.open = true;
            s.menu.record.owner = call->hwnd;
        } else if (call->message == WM_INITMENUPOPUP && s.menu.open && !s.menu.menu &&
                   HIWORD(call->lParam) == 0) {
            // The menu as the person sees it: after its owner has set it up.
            s.menu.menu = reinterpret_cast<HMENU>(call->wParam);
            recordMenuItems(s.menu.menu, s.menu.record);
        } else if (call->message == WM_EXITMENULOOP && s.menu.open) {
            RECT r{};
            if (s.menu.menu && GetMenuItemRect(nullptr, s.menu.menu, 0, &r)) {
                s.menu.record.position = POINT{r.left, r.top};
            }
            s.menus.push_back(s.menu.record);
            s.menu = OpenMenu{};
        }
    }
    return CallNextHookEx(s.calls, code, wParam, lParam);
}

void uninstall() {
    ModalState& s = state();
    if (s.timer) {
        KillTimer(nullptr, s.timer);
    }
    for (HHOOK* h : {&s.filter, &s.creation, &s.calls}) {
        if (*h) {
            UnhookWindowsHookEx(*h);
        }
        *h = nullptr;
    }
    s.timer = 0;
}

void install() {
    ModalState& s = state();
    if (s.timer) {
        return;
    }
    DWORD thread = GetCurrentThreadId();
    s.filter = SetWindowsHookExA(WH_MSGFILTER, onFilter, nullptr, thread);
    s.creation = SetWindowsHookExA(WH_CBT, onCreation, nullptr, thread);
    s.calls = SetWindowsHookExA(WH_CALLWNDPROCRET, onCallReturn, nullptr, thread);
    s.timer = SetTimer(nullptr, 0, kTickMs, onTick);
}

}  // namespace

void setModalHook(ModalHook hook) {
    state().hook = std::move(hook);
    if (state().hook) {
        install();
    } else {
        uninstall();
    }
}

int modalDepth() {
    const ModalState& s = state();
    return static_cast<int>(std::count_if(s.visited.begin(), s.visited.end(), [](HWND d) {
        return IsWindow(d) && IsWindowVisible(d);
    }));
}

void queueMessageBoxAnswer(int answer) {
    state().boxAnswers.push_back(answer);
}

std::vector<MessageBoxRecord> messageBoxes() {
    return state().boxes;
}

void queueMenuAnswer(UINT command) {
    state().menuAnswers.push_back(command);
}

std::vector<MenuRecord> menus() {
    return state().menus;
}

// A real screen's beeps and help calls are heard and shown, not recorded.
std::vector<UINT> beeps() {
    return {};
}

std::vector<HelpCall> helpCalls() {
    return {};
}

void resetRecords() {
    ModalState& s = state();
    s.boxAnswers.clear();
    s.menuAnswers.clear();
    s.boxes.clear();
    s.menus.clear();
}

void forget() {
    ModalState& s = state();
    s.dialogs.clear();
    s.visited.clear();
    s.menu = OpenMenu{};
    s.tickFrom = Loop::None;
    resetRecords();
}

DragImageState dragImage() {
    DragImageState image;
    POINT position{};
    POINT hotspot{};
    HIMAGELIST list = ImageList_GetDragImage(&position, &hotspot);
    if (!list) {
        return image;
    }
    image.dragging = true;
    image.imageList = list;
    image.position = position;
    image.hotspot = hotspot;
    int cx = 0;
    int cy = 0;
    if (ImageList_GetIconSize(list, &cx, &cy)) {
        image.imageSize = SIZE{cx, cy};
    }
    return image;
}

}  // namespace vedrix::automation::screen

namespace vedrix::automation::windows {

bool isPersonTick(const MSG& msg) {
    UINT_PTR timer = screen::state().timer;
    return msg.message == WM_TIMER && msg.hwnd == nullptr && timer != 0 && msg.wParam == timer;
}

}  // namespace vedrix::automation::windows
