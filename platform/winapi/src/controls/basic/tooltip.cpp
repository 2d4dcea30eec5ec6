// The tooltip control ("tooltips_class32").
//
// A tooltip holds tools: windows (TTF_IDISHWND, uId is the tool's window) or
// rectangles of a window (uId is the application's number for it). It learns
// where the mouse is from the mouse messages relayed to it (TTM_RELAYEVENT,
// or by itself for tools added with TTF_SUBCLASS, whose windows it
// subclasses). When the mouse rests over a tool for the initial delay (the
// double-click time, 500 ms, on the timers of the virtual clock) and the
// tooltip is active, the tip shows: the tooltip window becomes visible,
// topmost, 20 pixels below the cursor (centred below the tool with
// TTF_CENTERTIP), sized to its text, and its window text is the tip's text
// (ampersands removed unless TTS_NOPREFIX). It hides again when the mouse
// leaves the tool (checked every 100 ms and on every relayed move), after the
// autopop delay (ten times the initial delay), on a mouse button press or
// release, on TTM_POP and on TTM_ACTIVATE(FALSE). A tip hidden by a click or
// the autopop delay does not show again until the mouse has left the tool.
// Moving from one tool to another while a tip shows shows the next tip after
// the reshow delay (a fifth of the initial delay).
//
// Texts: a string (copied), LPSTR_TEXTCALLBACK (asked for with
// TTN_GETDISPINFO each time the tip shows; TTF_DI_SETITEM in the answer keeps
// the text), or a string number with the module in hinst (loaded each time).
// An empty text shows no tip. TTN_SHOW and TTN_POP go to the tool's hwnd.
//
// Without TTS_ALWAYSTIP a tip shows only while the tool's top-level window
// is the active window.
#include "controls/basic/control_util.h"

#include <algorithm>
#include <vector>

namespace {

using namespace vedrix::controls;

constexpr UINT_PTR kInitialTimer = 1;
constexpr UINT_PTR kAutopopTimer = 2;
constexpr UINT_PTR kLeaveTimer = 3;
constexpr UINT kLeaveInterval = 100;
constexpr int kCursorOffset = 20;
constexpr int kPaddingX = 4;
constexpr int kPaddingY = 2;
constexpr size_t kInfoTextSize = 80;  // the text buffer TTM_GETTOOLINFO fills

struct Tool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    HINSTANCE hinst = nullptr;
    std::string text;
    bool callback = false;
    UINT stringId = 0;  // with hinst: a string number
    LPARAM lParam = 0;
};

struct TooltipState {
    std::vector<Tool> tools;
    bool active = true;
    int current = -1;     // tool whose tip shows
    int pending = -1;     // tool waiting for the delay
    int suppressed = -1;  // tool whose tip was popped; not again until the mouse leaves it
    UINT initialDelay = 0;
    UINT autopopDelay = 0;
    UINT reshowDelay = 0;
    int maxWidth = -1;
    COLORREF background = 0;
    COLORREF foreground = 0;
    RECT margin{};
    std::string title;
    UINT titleIcon = 0;
    HFONT font = nullptr;
    bool trackActive = false;
    POINT trackPos{};
};

InstanceTable<TooltipState> g_tooltips;

HWND toolWindow(const Tool& tool) {
    return (tool.flags & TTF_IDISHWND) != 0 ? reinterpret_cast<HWND>(tool.id) : tool.hwnd;
}

void defaultDelays(TooltipState* s) {
    UINT initial = GetDoubleClickTime();
    s->initialDelay = initial;
    s->autopopDelay = initial * 10;
    s->reshowDelay = initial / 5;
}

int findTool(const TooltipState* s, HWND hwnd, UINT_PTR id) {
    for (size_t i = 0; i < s->tools.size(); ++i) {
        if (s->tools[i].hwnd == hwnd && s->tools[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int findTool(const TooltipState* s, const TTTOOLINFOA* ti) {
    if (ti == nullptr || ti->cbSize < TTTOOLINFOA_V1_SIZE) {
        return -1;
    }
    return findTool(s, ti->hwnd, ti->uId);
}

// The tool under a point given in client coordinates of `hwnd`.
int toolAt(const TooltipState* s, HWND hwnd, POINT pt) {
    if (hwnd == nullptr) {
        return -1;
    }
    for (size_t i = 0; i < s->tools.size(); ++i) {
        const Tool& tool = s->tools[i];
        if ((tool.flags & TTF_IDISHWND) != 0) {
            if (reinterpret_cast<HWND>(tool.id) == hwnd) {
                return static_cast<int>(i);
            }
        } else if (tool.hwnd == hwnd && PtInRect(&tool.rect, pt)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The tool under the cursor now.
int toolUnderCursor(const TooltipState* s) {
    POINT pt;
    if (!GetCursorPos(&pt)) {
        return -1;
    }
    HWND hwnd = WindowFromPoint(pt);
    if (hwnd == nullptr) {
        return -1;
    }
    ScreenToClient(hwnd, &pt);
    return toolAt(s, hwnd, pt);
}

void setText(Tool& tool, const TTTOOLINFOA* ti) {
    tool.callback = false;
    tool.stringId = 0;
    tool.text.clear();
    tool.hinst = ti->hinst;
    if (ti->lpszText == LPSTR_TEXTCALLBACKA) {
        tool.callback = true;
    } else if (ti->lpszText != nullptr && IS_INTRESOURCE(ti->lpszText)) {
        if (ti->hinst != nullptr) {
            tool.stringId = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(ti->lpszText));
        }
    } else if (ti->lpszText != nullptr) {
        tool.text = ti->lpszText;
    }
}

std::string loadString(HINSTANCE instance, UINT id) {
    char buffer[1024] = {};
    int length = LoadStringA(instance, id, buffer, sizeof(buffer));
    return std::string(buffer, static_cast<size_t>(std::max(length, 0)));
}

// The text a tool's tip shows now; asks the tool's window for callback texts.
std::string resolveText(HWND hwnd, TooltipState* s, int index) {
    Tool& tool = s->tools[static_cast<size_t>(index)];
    if (tool.stringId != 0) {
        return loadString(tool.hinst, tool.stringId);
    }
    if (!tool.callback) {
        return tool.text;
    }
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = hwnd;
    info.hdr.idFrom = tool.id;
    info.hdr.code = TTN_GETDISPINFOA;
    info.lpszText = info.szText;
    info.uFlags = tool.flags;
    info.lParam = tool.lParam;
    HWND owner = tool.hwnd;
    UINT_PTR id = tool.id;
    if (owner != nullptr) {
        SendMessageA(owner, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info));
    }
    // The receiver may have deleted tools; look the tool up again.
    index = findTool(s, owner, id);
    std::string text;
    if (info.hinst != nullptr && info.lpszText != nullptr && IS_INTRESOURCE(info.lpszText)) {
        text =
            loadString(info.hinst, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info.lpszText)));
    } else if (info.lpszText != nullptr && info.lpszText != LPSTR_TEXTCALLBACKA &&
               !IS_INTRESOURCE(info.lpszText)) {
        if (info.lpszText == info.szText) {
            info.szText[sizeof(info.szText) - 1] = '\0';
        }
        text = info.lpszText;
    }
    if (index >= 0 && (info.uFlags & TTF_DI_SETITEM) != 0) {
        Tool& kept = s->tools[static_cast<size_t>(index)];
        kept.callback = false;
        kept.stringId = 0;
        kept.text = text;
    }
    return text;
}

// Without TTS_NOPREFIX a tip shows "&&" as "&" and drops single ampersands.
std::string shownText(HWND hwnd, const std::string& text) {
    if ((windowStyle(hwnd) & TTS_NOPREFIX) != 0) {
        return text;
    }
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                result += '&';
                ++i;
            }
            continue;
        }
        result += text[i];
    }
    return result;
}

SIZE bubbleSize(HWND hwnd, const TooltipState* s, const std::string& text) {
    FontDC dc(hwnd, s->font);
    RECT rc{0, 0, s->maxWidth > 0 ? s->maxWidth : 0x7FFF, 0};
    UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS;
    format |= s->maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &rc, format);
    SIZE size;
    size.cx = (rc.right - rc.left) + 2 * kPaddingX + s->margin.left + s->margin.right;
    size.cy = (rc.bottom - rc.top) + 2 * kPaddingY + s->margin.top + s->margin.bottom;
    return size;
}

void sendToolNotify(HWND hwnd, const Tool& tool, UINT code) {
    NMHDR hdr{};
    hdr.hwndFrom = hwnd;
    hdr.idFrom = tool.id;
    hdr.code = code;
    if (tool.hwnd != nullptr) {
        SendMessageA(tool.hwnd, WM_NOTIFY, static_cast<WPARAM>(tool.id),
                     reinterpret_cast<LPARAM>(&hdr));
    }
}

void cancelPending(HWND hwnd, TooltipState* s) {
    s->pending = -1;
    KillTimer(hwnd, kInitialTimer);
}

// A tip hidden by a click or the autopop delay stays hidden until the mouse
// leaves its tool; the leave timer watches for that.
void suppress(HWND hwnd, TooltipState* s, int tool) {
    s->suppressed = tool;
    if (tool >= 0) {
        SetTimer(hwnd, kLeaveTimer, kLeaveInterval, nullptr);
    }
}

void hideTip(HWND hwnd, TooltipState* s) {
    KillTimer(hwnd, kAutopopTimer);
    if (s->pending < 0 && s->suppressed < 0) {
        KillTimer(hwnd, kLeaveTimer);
    }
    if (s->current < 0) {
        return;
    }
    Tool tool = s->tools[static_cast<size_t>(s->current)];
    s->current = -1;
    s->trackActive = false;
    ShowWindow(hwnd, SW_HIDE);
    sendToolNotify(hwnd, tool, TTN_POP);
}

// Where the tip goes: below the cursor, centred below the tool, or at the
// tracking position.
POINT tipPosition(const TooltipState* s, const Tool& tool, SIZE size) {
    POINT pt{0, 0};
    if (s->trackActive) {
        pt = s->trackPos;
        if ((tool.flags & TTF_ABSOLUTE) == 0) {
            pt.y += kCursorOffset;
        }
    } else if ((tool.flags & TTF_CENTERTIP) != 0) {
        RECT rc = tool.rect;
        HWND window = toolWindow(tool);
        if ((tool.flags & TTF_IDISHWND) != 0) {
            GetWindowRect(window, &rc);
        } else {
            MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        }
        pt.x = (rc.left + rc.right) / 2 - size.cx / 2;
        pt.y = rc.bottom;
    } else {
        GetCursorPos(&pt);
        pt.y += kCursorOffset;
    }
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    pt.x = std::clamp<LONG>(pt.x, 0, std::max<LONG>(0, screenWidth - size.cx));
    pt.y = std::clamp<LONG>(pt.y, 0, std::max<LONG>(0, screenHeight - size.cy));
    return pt;
}

bool mayShow(HWND hwnd, const TooltipState* s, const Tool& tool) {
    if (!s->active) {
        return false;
    }
    if ((windowStyle(hwnd) & TTS_ALWAYSTIP) != 0) {
        return true;
    }
    HWND window = toolWindow(tool);
    HWND root = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
    return root != nullptr && GetActiveWindow() == root;
}

// Shows the tip of tool `index`; `force` skips the activation checks
// (tracking tips, TTM_POPUP).
void showTip(HWND hwnd, TooltipState* s, int index, bool force) {
    if (index < 0 || static_cast<size_t>(index) >= s->tools.size()) {
        return;
    }
    if (!force && !mayShow(hwnd, s, s->tools[static_cast<size_t>(index)])) {
        return;
    }
    HWND owner = s->tools[static_cast<size_t>(index)].hwnd;
    UINT_PTR id = s->tools[static_cast<size_t>(index)].id;
    std::string text = shownText(hwnd, resolveText(hwnd, s, index));
    s = g_tooltips.find(hwnd);
    if (s == nullptr) {
        return;
    }
    index = findTool(s, owner, id);
    if (index < 0 || text.empty()) {
        return;
    }
    s->pending = -1;
    KillTimer(hwnd, kInitialTimer);
    s->current = index;
    SetWindowTextA(hwnd, text.c_str());
    Tool tool = s->tools[static_cast<size_t>(index)];
    SIZE size = bubbleSize(hwnd, s, text);
    POINT pt = tipPosition(s, tool, size);
    SetWindowPos(hwnd, HWND_TOPMOST, pt.x, pt.y, size.cx, size.cy, SWP_NOACTIVATE);
    // A TTN_SHOW receiver may place the tip itself (and answers TRUE); showing
    // keeps wherever it stands then.
    sendToolNotify(hwnd, tool, TTN_SHOW);
    s = g_tooltips.find(hwnd);
    if (s == nullptr || s->current != index) {
        return;
    }
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (!s->trackActive) {
        SetTimer(hwnd, kAutopopTimer, s->autopopDelay, nullptr);
        SetTimer(hwnd, kLeaveTimer, kLeaveInterval, nullptr);
    }
}

void onMouseOverTool(HWND hwnd, TooltipState* s, int tool) {
    if (tool != s->suppressed) {
        s->suppressed = -1;
    }
    if (tool < 0) {
        cancelPending(hwnd, s);
        hideTip(hwnd, s);
        return;
    }
    if (tool == s->current || tool == s->pending || tool == s->suppressed || s->trackActive) {
        return;
    }
    UINT delay = s->initialDelay;
    if (s->current >= 0) {
        hideTip(hwnd, s);
        delay = s->reshowDelay;
    }
    if (!s->active) {
        return;
    }
    s->pending = tool;
    SetTimer(hwnd, kInitialTimer, std::max<UINT>(delay, 1), nullptr);
    SetTimer(hwnd, kLeaveTimer, kLeaveInterval, nullptr);
}

void relayEvent(HWND hwnd, TooltipState* s, const MSG* msg) {
    if (msg == nullptr || s->trackActive) {
        return;
    }
    POINT pt = pointFromLParam(msg->lParam);
    switch (msg->message) {
        case WM_MOUSEMOVE:
            onMouseOverTool(hwnd, s, toolAt(s, msg->hwnd, pt));
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: {
            int tool = toolAt(s, msg->hwnd, pt);
            cancelPending(hwnd, s);
            hideTip(hwnd, s);
            suppress(hwnd, s, tool);
            break;
        }
        default:
            break;
    }
}

void fillToolInfo(const Tool& tool, TTTOOLINFOA* ti) {
    ti->uFlags = tool.flags;
    ti->hwnd = tool.hwnd;
    ti->uId = tool.id;
    ti->rect = tool.rect;
    ti->hinst = tool.hinst;
    if (tool.callback) {
        ti->lpszText = LPSTR_TEXTCALLBACKA;
    } else if (tool.stringId != 0) {
        ti->lpszText = MAKEINTRESOURCEA(tool.stringId);
    } else if (ti->lpszText != nullptr && ti->lpszText != LPSTR_TEXTCALLBACKA &&
               !IS_INTRESOURCE(ti->lpszText)) {
        copyText(tool.text, ti->lpszText, kInfoTextSize);
    }
    if (ti->cbSize >= TTTOOLINFOA_V2_SIZE) {
        ti->lParam = tool.lParam;
    }
}

// ---------------------------------------------------------------------------
// Subclassed tool windows

LRESULT CALLBACK toolWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

struct Subclass {
    WNDPROC previous = nullptr;
    std::vector<HWND> tooltips;
};

std::unordered_map<HWND, Subclass>& subclasses() {
    static std::unordered_map<HWND, Subclass> table;
    return table;
}

void subclassTool(HWND tooltip, HWND window) {
    if (window == nullptr || !IsWindow(window)) {
        return;
    }
    auto& table = subclasses();
    auto it = table.find(window);
    if (it == table.end()) {
        Subclass entry;
        entry.previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
        if (entry.previous == nullptr || entry.previous == toolWindowProc) {
            return;
        }
        entry.tooltips.push_back(tooltip);
        table.emplace(window, entry);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(toolWindowProc));
        return;
    }
    auto& list = it->second.tooltips;
    if (std::find(list.begin(), list.end(), tooltip) == list.end()) {
        list.push_back(tooltip);
    }
}

// Takes the tooltip off a window; restores the window's procedure when no
// tooltip needs it any more and nothing has subclassed the window after us.
void unsubclassTool(HWND tooltip, HWND window) {
    auto& table = subclasses();
    auto it = table.find(window);
    if (it == table.end()) {
        return;
    }
    auto& list = it->second.tooltips;
    list.erase(std::remove(list.begin(), list.end(), tooltip), list.end());
    if (list.empty() && IsWindow(window) &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) == toolWindowProc) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.previous));
        table.erase(it);
    }
}

void releaseSubclassIfUnused(HWND tooltip, TooltipState* s, HWND window) {
    for (const Tool& tool : s->tools) {
        if ((tool.flags & TTF_SUBCLASS) != 0 && toolWindow(tool) == window) {
            return;
        }
    }
    unsubclassTool(tooltip, window);
}

bool isMouseMessage(UINT message) {
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN || message == WM_RBUTTONUP ||
           message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDOWN || message == WM_MBUTTONUP ||
           message == WM_MBUTTONDBLCLK;
}

LRESULT CALLBACK toolWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& table = subclasses();
    auto it = table.find(hwnd);
    if (it == table.end()) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    WNDPROC previous = it->second.previous;
    if (isMouseMessage(message)) {
        std::vector<HWND> tooltips = it->second.tooltips;
        MSG msg{};
        msg.hwnd = hwnd;
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        msg.time = static_cast<DWORD>(GetMessageTime());
        GetCursorPos(&msg.pt);
        for (HWND tooltip : tooltips) {
            if (IsWindow(tooltip)) {
                SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
            }
        }
    }
    if (message == WM_NCDESTROY) {
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == toolWindowProc) {
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        }
        table.erase(hwnd);
    }
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Tool messages

LRESULT addTool(HWND hwnd, TooltipState* s, const TTTOOLINFOA* ti) {
    if (ti == nullptr || ti->cbSize < TTTOOLINFOA_V1_SIZE) {
        return FALSE;
    }
    Tool tool;
    tool.flags = ti->uFlags;
    tool.hwnd = ti->hwnd;
    tool.id = ti->uId;
    tool.rect = ti->rect;
    setText(tool, ti);
    if (ti->cbSize >= TTTOOLINFOA_V2_SIZE) {
        tool.lParam = ti->lParam;
    }
    s->tools.push_back(tool);
    if ((tool.flags & TTF_SUBCLASS) != 0) {
        subclassTool(hwnd, toolWindow(tool));
    }
    return TRUE;
}

void deleteTool(HWND hwnd, TooltipState* s, const TTTOOLINFOA* ti) {
    int index = findTool(s, ti);
    if (index < 0) {
        return;
    }
    if (s->current == index) {
        hideTip(hwnd, s);
    }
    if (s->pending == index) {
        cancelPending(hwnd, s);
    }
    Tool tool = s->tools[static_cast<size_t>(index)];
    s->tools.erase(s->tools.begin() + index);
    auto shift = [index](int& i) {
        if (i == index) {
            i = -1;
        } else if (i > index) {
            --i;
        }
    };
    shift(s->current);
    shift(s->pending);
    shift(s->suppressed);
    if ((tool.flags & TTF_SUBCLASS) != 0) {
        releaseSubclassIfUnused(hwnd, s, toolWindow(tool));
    }
}

void refreshShownTip(HWND hwnd, TooltipState* s) {
    if (s->current < 0) {
        return;
    }
    int index = s->current;
    std::string text = shownText(hwnd, resolveText(hwnd, s, index));
    s = g_tooltips.find(hwnd);
    if (s == nullptr || s->current < 0) {
        return;
    }
    if (text.empty()) {
        hideTip(hwnd, s);
        return;
    }
    SetWindowTextA(hwnd, text.c_str());
    SIZE size = bubbleSize(hwnd, s, text);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, TRUE);
}

UINT delayValue(LPARAM lParam, UINT fallback) {
    auto value = static_cast<SHORT>(LOWORD(lParam));
    return value < 0 ? fallback : static_cast<UINT>(value);
}

void setDelay(TooltipState* s, WPARAM which, LPARAM lParam) {
    UINT initial = GetDoubleClickTime();
    switch (which) {
        case TTDT_AUTOMATIC: {
            UINT t = delayValue(lParam, initial);
            s->initialDelay = t;
            s->autopopDelay = t * 10;
            s->reshowDelay = t / 5;
            break;
        }
        case TTDT_INITIAL:
            s->initialDelay = delayValue(lParam, initial);
            break;
        case TTDT_AUTOPOP:
            s->autopopDelay = delayValue(lParam, initial * 10);
            break;
        case TTDT_RESHOW:
            s->reshowDelay = delayValue(lParam, initial / 5);
            break;
        default:
            break;
    }
}

void paint(HWND hwnd, TooltipState* s, HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    HBRUSH brush = CreateSolidBrush(s->background);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    std::string text = windowText(hwnd);
    if (text.empty()) {
        return;
    }
    HGDIOBJ oldFont = s->font != nullptr ? SelectObject(dc, s->font) : nullptr;
    RECT textRect{rc.left + kPaddingX + s->margin.left, rc.top + kPaddingY + s->margin.top,
                  rc.right - kPaddingX - s->margin.right, rc.bottom - kPaddingY - s->margin.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, s->foreground);
    UINT format = DT_NOPREFIX | DT_EXPANDTABS | (s->maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, format);
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
}

LRESULT CALLBACK tooltipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        TooltipState* s = g_tooltips.create(hwnd);
        defaultDelays(s);
        s->background = GetSysColor(COLOR_INFOBK);
        s->foreground = GetSysColor(COLOR_INFOTEXT);
        // A tooltip is always a hidden popup until a tip shows.
        DWORD style = windowStyle(hwnd);
        DWORD wanted = (style | WS_POPUP) & ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE);
        if (wanted != style) {
            setWindowStyle(hwnd, wanted);
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    TooltipState* s = g_tooltips.find(hwnd);
    if (s == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_DESTROY: {
            KillTimer(hwnd, kInitialTimer);
            KillTimer(hwnd, kAutopopTimer);
            KillTimer(hwnd, kLeaveTimer);
            std::vector<HWND> windows;
            for (const Tool& tool : s->tools) {
                if ((tool.flags & TTF_SUBCLASS) != 0) {
                    windows.push_back(toolWindow(tool));
                }
            }
            for (HWND window : windows) {
                unsubclassTool(hwnd, window);
            }
            return 0;
        }

        case WM_NCDESTROY:
            g_tooltips.erase(hwnd);
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_NCHITTEST:
            return HTTRANSPARENT;

        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            // The mouse reached the tip itself.
            if (s->current >= 0 &&
                (s->tools[static_cast<size_t>(s->current)].flags & TTF_TRANSPARENT) == 0) {
                suppress(hwnd, s, s->current);
                hideTip(hwnd, s);
            }
            return 0;

        case WM_TIMER:
            switch (wParam) {
                case kInitialTimer: {
                    KillTimer(hwnd, kInitialTimer);
                    int pending = s->pending;
                    s->pending = -1;
                    if (pending >= 0 && toolUnderCursor(s) == pending) {
                        showTip(hwnd, s, pending, false);
                    } else if (s->current < 0 && s->suppressed < 0) {
                        KillTimer(hwnd, kLeaveTimer);
                    }
                    return 0;
                }
                case kAutopopTimer:
                    if (s->current >= 0) {
                        suppress(hwnd, s, s->current);
                    }
                    hideTip(hwnd, s);
                    return 0;
                case kLeaveTimer: {
                    if (s->current < 0 && s->pending < 0 && s->suppressed < 0) {
                        KillTimer(hwnd, kLeaveTimer);
                        return 0;
                    }
                    int under = toolUnderCursor(s);
                    if (s->current >= 0 && under != s->current) {
                        hideTip(hwnd, s);
                    }
                    if (s->pending >= 0 && under != s->pending) {
                        cancelPending(hwnd, s);
                    }
                    if (under != s->suppressed) {
                        s->suppressed = -1;
                    }
                    if (s->current < 0 && s->pending < 0 && s->suppressed < 0) {
                        KillTimer(hwnd, kLeaveTimer);
                    }
                    return 0;
                }
                default:
                    return DefWindowProcA(hwnd, message, wParam, lParam);
            }

        case WM_SETFONT:
            s->font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam) != 0) {
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;

        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s->font);

        case WM_ERASEBKGND:
            return 1;

        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc != nullptr) {
                paint(hwnd, s, dc);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }

        case TTM_ACTIVATE:
            s->active = wParam != 0;
            if (!s->active) {
                cancelPending(hwnd, s);
                hideTip(hwnd, s);
            }
            return 0;

        case TTM_ADDTOOLA:
            return addTool(hwnd, s, reinterpret_cast<const TTTOOLINFOA*>(lParam));

        case TTM_DELTOOLA:
            deleteTool(hwnd, s, reinterpret_cast<const TTTOOLINFOA*>(lParam));
            return 0;

        case TTM_NEWTOOLRECTA: {
            const auto* ti = reinterpret_cast<const TTTOOLINFOA*>(lParam);
            int index = findTool(s, ti);
            if (index >= 0) {
                s->tools[static_cast<size_t>(index)].rect = ti->rect;
            }
            return 0;
        }

        case TTM_RELAYEVENT:
            relayEvent(hwnd, s, reinterpret_cast<const MSG*>(lParam));
            return 0;

        case TTM_GETTOOLINFOA: {
            auto* ti = reinterpret_cast<TTTOOLINFOA*>(lParam);
            int index = findTool(s, ti);
            if (index < 0) {
                return FALSE;
            }
            fillToolInfo(s->tools[static_cast<size_t>(index)], ti);
            return TRUE;
        }

        case TTM_SETTOOLINFOA: {
            const auto* ti = reinterpret_cast<const TTTOOLINFOA*>(lParam);
            int index = findTool(s, ti);
            if (index < 0) {
                return 0;
            }
            Tool& tool = s->tools[static_cast<size_t>(index)];
            HWND oldWindow = toolWindow(tool);
            bool oldSubclass = (tool.flags & TTF_SUBCLASS) != 0;
            tool.flags = ti->uFlags;
            tool.rect = ti->rect;
            setText(tool, ti);
            if (ti->cbSize >= TTTOOLINFOA_V2_SIZE) {
                tool.lParam = ti->lParam;
            }
            if ((tool.flags & TTF_SUBCLASS) != 0) {
                subclassTool(hwnd, toolWindow(tool));
            }
            if (oldSubclass) {
                releaseSubclassIfUnused(hwnd, s, oldWindow);
            }
            if (s->current == index) {
                refreshShownTip(hwnd, s);
            }
            return 0;
        }

        case TTM_HITTESTA: {
            auto* hit = reinterpret_cast<TTHITTESTINFOA*>(lParam);
            if (hit == nullptr) {
                return FALSE;
            }
            int index = toolAt(s, hit->hwnd, hit->pt);
            if (index < 0) {
                return FALSE;
            }
            if (hit->ti.cbSize >= TTTOOLINFOA_V1_SIZE) {
                fillToolInfo(s->tools[static_cast<size_t>(index)], &hit->ti);
            }
            return TRUE;
        }

        case TTM_GETTEXTA: {
            auto* ti = reinterpret_cast<TTTOOLINFOA*>(lParam);
            int index = findTool(s, ti);
            if (index < 0 || ti->lpszText == nullptr || IS_INTRESOURCE(ti->lpszText) ||
                ti->lpszText == LPSTR_TEXTCALLBACKA) {
                return 0;
            }
            size_t size = wParam != 0 ? static_cast<size_t>(wParam) : kInfoTextSize;
            LPSTR buffer = ti->lpszText;
            std::string text = resolveText(hwnd, s, index);
            return copyText(text, buffer, size);
        }

        case TTM_UPDATETIPTEXTA: {
            const auto* ti = reinterpret_cast<const TTTOOLINFOA*>(lParam);
            int index = findTool(s, ti);
            if (index < 0) {
                return 0;
            }
            setText(s->tools[static_cast<size_t>(index)], ti);
            if (s->current == index) {
                refreshShownTip(hwnd, s);
            }
            return 0;
        }

        case TTM_GETTOOLCOUNT:
            return static_cast<LRESULT>(s->tools.size());

        case TTM_ENUMTOOLSA: {
            auto* ti = reinterpret_cast<TTTOOLINFOA*>(lParam);
            if (ti == nullptr || ti->cbSize < TTTOOLINFOA_V1_SIZE || wParam >= s->tools.size()) {
                return FALSE;
            }
            fillToolInfo(s->tools[wParam], ti);
            return TRUE;
        }

        case TTM_GETCURRENTTOOLA: {
            if (s->current < 0) {
                return FALSE;
            }
            auto* ti = reinterpret_cast<TTTOOLINFOA*>(lParam);
            if (ti != nullptr && ti->cbSize >= TTTOOLINFOA_V1_SIZE) {
                fillToolInfo(s->tools[static_cast<size_t>(s->current)], ti);
            }
            return TRUE;
        }

        case TTM_WINDOWFROMPOINT: {
            const auto* pt = reinterpret_cast<const POINT*>(lParam);
            return pt != nullptr ? reinterpret_cast<LRESULT>(WindowFromPoint(*pt)) : 0;
        }

        case TTM_TRACKACTIVATE: {
            const auto* ti = reinterpret_cast<const TTTOOLINFOA*>(lParam);
            if (wParam == 0) {
                if (s->trackActive) {
                    hideTip(hwnd, s);
                }
                s->trackActive = false;
                return 0;
            }
            int index = findTool(s, ti);
            if (index < 0) {
                return 0;
            }
            cancelPending(hwnd, s);
            hideTip(hwnd, s);
            s->trackActive = true;
            showTip(hwnd, s, index, true);
            return 0;
        }

        case TTM_TRACKPOSITION:
            s->trackPos = pointFromLParam(lParam);
            if (s->trackActive && s->current >= 0) {
                RECT rc;
                GetWindowRect(hwnd, &rc);
                SIZE size{rc.right - rc.left, rc.bottom - rc.top};
                POINT pt = tipPosition(s, s->tools[static_cast<size_t>(s->current)], size);
                SetWindowPos(hwnd, HWND_TOPMOST, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
            }
            return 0;

        case TTM_SETTIPBKCOLOR:
            s->background = static_cast<COLORREF>(wParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;

        case TTM_SETTIPTEXTCOLOR:
            s->foreground = static_cast<COLORREF>(wParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;

        case TTM_GETTIPBKCOLOR:
            return static_cast<LRESULT>(s->background);

        case TTM_GETTIPTEXTCOLOR:
            return static_cast<LRESULT>(s->foreground);

        case TTM_SETDELAYTIME:
            setDelay(s, wParam, lParam);
            return 0;

        case TTM_GETDELAYTIME:
            switch (wParam) {
                case TTDT_INITIAL:
                case TTDT_AUTOMATIC:
                    return s->initialDelay;
                case TTDT_AUTOPOP:
                    return s->autopopDelay;
                case TTDT_RESHOW:
                    return s->reshowDelay;
                default:
                    return 0;
            }

        case TTM_SETMAXTIPWIDTH: {
            int previous = s->maxWidth;
            s->maxWidth = static_cast<int>(lParam);
            refreshShownTip(hwnd, s);
            return previous;
        }

        case TTM_GETMAXTIPWIDTH:
            return s->maxWidth;

        case TTM_SETMARGIN:
            if (lParam != 0) {
                s->margin = *reinterpret_cast<const RECT*>(lParam);
            }
            return 0;

        case TTM_GETMARGIN:
            if (lParam != 0) {
                *reinterpret_cast<RECT*>(lParam) = s->margin;
            }
            return 0;

        case TTM_POP:
            cancelPending(hwnd, s);
            hideTip(hwnd, s);
            return 0;

        case TTM_POPUP: {
            int tool = toolUnderCursor(s);
            if (tool >= 0) {
                cancelPending(hwnd, s);
                hideTip(hwnd, s);
                showTip(hwnd, s, tool, true);
            }
            return 0;
        }

        case TTM_UPDATE:
            refreshShownTip(hwnd, s);
            return 0;

        case TTM_GETBUBBLESIZE: {
            int index = findTool(s, reinterpret_cast<const TTTOOLINFOA*>(lParam));
            if (index < 0) {
                return 0;
            }
            std::string text = shownText(hwnd, resolveText(hwnd, s, index));
            s = g_tooltips.find(hwnd);
            if (s == nullptr) {
                return 0;
            }
            SIZE size = bubbleSize(hwnd, s, text);
            return MAKELONG(size.cx, size.cy);
        }

        case TTM_ADJUSTRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (rect == nullptr) {
                return FALSE;
            }
            int dx = kPaddingX;
            int dy = kPaddingY;
            if (wParam != 0) {
                rect->left -= dx + s->margin.left;
                rect->top -= dy + s->margin.top;
                rect->right += dx + s->margin.right;
                rect->bottom += dy + s->margin.bottom;
            } else {
                rect->left += dx + s->margin.left;
                rect->top += dy + s->margin.top;
                rect->right -= dx + s->margin.right;
                rect->bottom -= dy + s->margin.bottom;
            }
            return TRUE;
        }

        case TTM_SETTITLEA: {
            const char* title = reinterpret_cast<const char*>(lParam);
            s->title = title != nullptr ? title : "";
            s->titleIcon = static_cast<UINT>(wParam);
            return TRUE;
        }

        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

struct Registration {
    Registration() { registerControlClass(TOOLTIPS_CLASSA, tooltipProc, CS_DBLCLKS | CS_SAVEBITS); }
} g_registration;

}  // namespace
