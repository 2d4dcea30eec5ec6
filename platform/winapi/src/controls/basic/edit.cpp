// The "Edit" window class: single-line and multiline text fields.
//
// The control keeps its text, a selection (anchor and caret; EM_GETSEL gives
// the lower and upper end), a limit, the modification flag and one level of
// undo. Typing (WM_CHAR) replaces the selection; Backspace and Delete remove
// the selection or one character; the arrow keys, Home and End move the caret
// and extend the selection while Shift is held; a left click places the caret
// and dragging selects. Each change of the text sends EN_UPDATE and then
// EN_CHANGE to the parent; a refused insertion sends EN_MAXTEXT.
//
// Lines of a multiline control are separated by "\r\n". Lines are not wrapped
// at the control's width (every line is one line, as with ES_AUTOHSCROLL).
//
// Choices where the platform leaves room:
// - The initial limit is 32767 characters; EM_LIMITTEXT with 0 sets the
//   largest limit. WM_SETTEXT ignores the limit, as the platform documents;
//   EM_REPLACESEL and typing respect it (EM_REPLACESEL inserts what fits).
// - Typing into a read-only control, or a non-digit into an ES_NUMBER
//   control, is refused with MessageBeep(MB_OK).
// - A single-line control without ES_AUTOHSCROLL refuses typing that would
//   not fit into its client width (EN_MAXTEXT).
// - The left and right margins are 1 pixel until EM_SETMARGINS says otherwise.
// - WM_CUT, WM_COPY and WM_PASTE are not supported (there is no clipboard).
// - The edit field of a combo box hands the keys that open, close and move the
//   combo box's list (Up, Down, Page Up, Page Down, F4, and Enter and Escape
//   while the list is open) to the combo box.
#include "controls/basic/control_util.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

namespace {

using namespace vedrix::controls;

constexpr UINT kDefaultLimit = 32767;
constexpr UINT kLargestLimitSingle = 0x7FFFFFFE;
constexpr UINT kLargestLimitMulti = 0xFFFFFFFF;

struct EditState {
    std::string text;
    int anchor = 0;
    int caret = 0;
    UINT limit = kDefaultLimit;
    bool modified = false;
    HFONT font = nullptr;
    bool focused = false;
    bool selecting = false;  // left button held inside the control
    int firstChar = 0;       // first visible character (single-line)
    int firstLine = 0;       // first visible line (multiline)
    char passwordChar = 0;
    int leftMargin = 1;
    int rightMargin = 1;
    // One level of undo: the text and selection before the last change.
    bool canUndo = false;
    bool typingRun = false;  // consecutive typed characters undo together
    std::string undoText;
    int undoAnchor = 0;
    int undoCaret = 0;
};

InstanceTable<EditState> g_edits;

bool isMultiline(HWND hwnd) {
    return (windowStyle(hwnd) & ES_MULTILINE) != 0;
}
bool isReadOnly(HWND hwnd) {
    return (windowStyle(hwnd) & ES_READONLY) != 0;
}
bool isEnabled(HWND hwnd) {
    return (windowStyle(hwnd) & WS_DISABLED) == 0;
}

int selStart(const EditState* s) {
    return std::min(s->anchor, s->caret);
}
int selEnd(const EditState* s) {
    return std::max(s->anchor, s->caret);
}
int textLength(const EditState* s) {
    return static_cast<int>(s->text.size());
}

// Whether the parent is a combo box whose edit field this control is.
bool inComboBox(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    if (parent == nullptr) {
        return false;
    }
    char name[16] = {};
    GetClassNameA(parent, name, sizeof(name));
    return lstrcmpiA(name, WC_COMBOBOXA) == 0;
}

// ---------------------------------------------------------------------------
// Lines

std::vector<int> lineStarts(const EditState* s, bool multiline) {
    std::vector<int> starts{0};
    if (!multiline) {
        return starts;
    }
    for (size_t i = 0; i + 1 < s->text.size(); ++i) {
        if (s->text[i] == '\r' && s->text[i + 1] == '\n') {
            starts.push_back(static_cast<int>(i + 2));
            ++i;
        }
    }
    return starts;
}

// End of line `line` (before its "\r\n").
int lineEnd(const EditState* s, const std::vector<int>& starts, size_t line) {
    if (line + 1 < starts.size()) {
        return starts[line + 1] - 2;
    }
    return textLength(s);
}

size_t lineOf(const std::vector<int>& starts, int pos) {
    auto it = std::upper_bound(starts.begin(), starts.end(), pos);
    return static_cast<size_t>(it - starts.begin()) - 1;
}

// ---------------------------------------------------------------------------
// Measuring

std::string displayText(const EditState* s, int from, int to) {
    if (s->passwordChar != 0) {
        return std::string(static_cast<size_t>(std::max(0, to - from)), s->passwordChar);
    }
    return s->text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}

int widthBetween(HDC dc, const EditState* s, int from, int to) {
    if (to <= from) {
        return 0;
    }
    std::string shown = displayText(s, from, to);
    return textWidth(dc, shown.c_str(), static_cast<int>(shown.size()));
}

int lineHeight(HDC dc) {
    TEXTMETRICA tm{};
    if (dc != nullptr && GetTextMetricsA(dc, &tm) && tm.tmHeight > 0) {
        return tm.tmHeight;
    }
    return 16;
}

int availableWidth(HWND hwnd, const EditState* s) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    return std::max(0, static_cast<int>(rc.right - rc.left) - s->leftMargin - s->rightMargin);
}

// Horizontal offset of the text of a single-line control inside the margins,
// for ES_CENTER and ES_RIGHT when the whole text fits.
int alignOffset(HWND hwnd, HDC dc, const EditState* s, int lineFrom, int lineTo) {
    DWORD style = windowStyle(hwnd);
    if ((style & (ES_CENTER | ES_RIGHT)) == 0) {
        return 0;
    }
    int avail = availableWidth(hwnd, s);
    int width = widthBetween(dc, s, lineFrom, lineTo);
    if (width >= avail) {
        return 0;
    }
    return (style & ES_RIGHT) != 0 ? avail - width : (avail - width) / 2;
}

// The character position nearest to a client point.
int positionFromPoint(HWND hwnd, EditState* s, POINT pt) {
    FontDC dc(hwnd, s->font);
    bool multi = isMultiline(hwnd);
    std::vector<int> starts = lineStarts(s, multi);
    size_t line = 0;
    int firstChar = 0;
    if (multi) {
        int row = pt.y < 0 ? -1 : pt.y / lineHeight(dc.get());
        long wanted = static_cast<long>(s->firstLine) + row;
        wanted = std::clamp<long>(wanted, 0, static_cast<long>(starts.size()) - 1);
        line = static_cast<size_t>(wanted);
        firstChar = starts[line];
    } else {
        firstChar = s->firstChar;
    }
    int from = multi ? starts[line] : 0;
    int to = lineEnd(s, starts, line);
    int origin = s->leftMargin + alignOffset(hwnd, dc.get(), s, from, to) -
                 (multi ? 0 : widthBetween(dc.get(), s, 0, firstChar));
    int x = pt.x - origin;
    int best = from;
    int previousWidth = 0;
    for (int i = from + 1; i <= to; ++i) {
        int width = widthBetween(dc.get(), s, from, i);
        if (x < (previousWidth + width + 1) / 2) {
            return best;
        }
        best = i;
        previousWidth = width;
    }
    return best;
}

// Scrolls so that the caret is visible.
void scrollCaretIntoView(HWND hwnd, EditState* s) {
    FontDC dc(hwnd, s->font);
    if (isMultiline(hwnd)) {
        std::vector<int> starts = lineStarts(s, true);
        int line = static_cast<int>(lineOf(starts, s->caret));
        RECT rc;
        GetClientRect(hwnd, &rc);
        int rows = std::max(1, static_cast<int>(rc.bottom - rc.top) / lineHeight(dc.get()));
        if (line < s->firstLine) {
            s->firstLine = line;
        } else if (line >= s->firstLine + rows) {
            s->firstLine = line - rows + 1;
        }
        return;
    }
    s->firstChar = std::min(s->firstChar, textLength(s));
    if (s->caret < s->firstChar) {
        s->firstChar = s->caret;
    }
    int avail = availableWidth(hwnd, s);
    while (s->firstChar < s->caret && widthBetween(dc.get(), s, s->firstChar, s->caret) > avail) {
        ++s->firstChar;
    }
}

void updateCaret(HWND hwnd, EditState* s) {
    if (!s->focused) {
        return;
    }
    FontDC dc(hwnd, s->font);
    bool multi = isMultiline(hwnd);
    std::vector<int> starts = lineStarts(s, multi);
    size_t line = lineOf(starts, s->caret);
    int from = starts[line];
    int x = s->leftMargin + alignOffset(hwnd, dc.get(), s, from, lineEnd(s, starts, line));
    int y = 0;
    if (multi) {
        x += widthBetween(dc.get(), s, from, s->caret);
        y = (static_cast<int>(line) - s->firstLine) * lineHeight(dc.get());
    } else {
        x += widthBetween(dc.get(), s, s->firstChar, s->caret);
    }
    SetCaretPos(x, y);
}

void updateScrollBar(HWND hwnd, EditState* s) {
    if (!isMultiline(hwnd) || (windowStyle(hwnd) & WS_VSCROLL) == 0) {
        return;
    }
    FontDC dc(hwnd, s->font);
    RECT rc;
    GetClientRect(hwnd, &rc);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = static_cast<int>(lineStarts(s, true).size()) - 1;
    si.nPage =
        static_cast<UINT>(std::max(1, static_cast<int>(rc.bottom - rc.top) / lineHeight(dc.get())));
    si.nPos = s->firstLine;
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

void refresh(HWND hwnd, EditState* s) {
    scrollCaretIntoView(hwnd, s);
    updateScrollBar(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
    updateCaret(hwnd, s);
}

// ---------------------------------------------------------------------------
// Changing the text

void rememberForUndo(EditState* s) {
    s->undoText = s->text;
    s->undoAnchor = s->anchor;
    s->undoCaret = s->caret;
    s->canUndo = true;
}

// After a change: EN_UPDATE then EN_CHANGE. The parent may destroy the
// control while handling them, so nothing is touched afterwards.
void notifyChange(HWND hwnd) {
    notifyParent(hwnd, EN_UPDATE);
    if (IsWindow(hwnd)) {
        notifyParent(hwnd, EN_CHANGE);
    }
}

std::string adjustCase(HWND hwnd, std::string text) {
    DWORD style = windowStyle(hwnd);
    if ((style & ES_UPPERCASE) != 0) {
        for (char& c : text) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    } else if ((style & ES_LOWERCASE) != 0) {
        for (char& c : text) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return text;
}

// How many characters of `insert` fit in place of the selection, given the
// limit and, for a single-line control without ES_AUTOHSCROLL, the width.
size_t fittingLength(HWND hwnd, EditState* s, const std::string& insert) {
    size_t kept = s->text.size() - static_cast<size_t>(selEnd(s) - selStart(s));
    size_t room = s->limit > kept ? s->limit - kept : 0;
    size_t count = std::min(insert.size(), room);
    if (!isMultiline(hwnd) && (windowStyle(hwnd) & ES_AUTOHSCROLL) == 0) {
        FontDC dc(hwnd, s->font);
        int avail = availableWidth(hwnd, s);
        while (count > 0) {
            std::string candidate = s->text;
            candidate.replace(static_cast<size_t>(selStart(s)),
                              static_cast<size_t>(selEnd(s) - selStart(s)),
                              insert.substr(0, count));
            EditState probe;
            probe.text = candidate;
            probe.passwordChar = s->passwordChar;
            if (widthBetween(dc.get(), &probe, 0, static_cast<int>(candidate.size())) <= avail) {
                break;
            }
            --count;
        }
    }
    return count;
}

// Replaces the selection with `insert`. `whole` refuses a partial insertion
// (typing); otherwise what fits is inserted. Returns whether the text changed.
bool replaceSelection(HWND hwnd, EditState* s, std::string insert, bool whole, bool undoable,
                      bool typing) {
    if (!isMultiline(hwnd)) {
        size_t newline = insert.find_first_of("\r\n");
        if (newline != std::string::npos) {
            insert.resize(newline);
        }
    }
    insert = adjustCase(hwnd, insert);
    size_t fits = fittingLength(hwnd, s, insert);
    bool truncated = fits < insert.size();
    if (truncated && whole) {
        notifyParent(hwnd, EN_MAXTEXT);
        return false;
    }
    insert.resize(fits);
    int start = selStart(s);
    int end = selEnd(s);
    if (insert.empty() && start == end) {
        if (truncated) {
            notifyParent(hwnd, EN_MAXTEXT);
        }
        return false;
    }
    if (undoable && !(typing && s->typingRun)) {
        rememberForUndo(s);
    }
    s->typingRun = typing;
    s->text.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), insert);
    s->anchor = s->caret = start + static_cast<int>(insert.size());
    s->modified = true;
    refresh(hwnd, s);
    if (truncated) {
        notifyParent(hwnd, EN_MAXTEXT);
    }
    notifyChange(hwnd);
    return true;
}

// Removes the selection, or the character before (backward) or after the
// caret when nothing is selected; "\r\n" goes as one.
void deleteAt(HWND hwnd, EditState* s, bool backward) {
    if (selStart(s) == selEnd(s)) {
        int pos = s->caret;
        if (backward) {
            if (pos == 0) {
                return;
            }
            int from = pos - 1;
            if (from > 0 && s->text[static_cast<size_t>(from)] == '\n' &&
                s->text[static_cast<size_t>(from - 1)] == '\r') {
                --from;
            }
            s->anchor = from;
        } else {
            if (pos >= textLength(s)) {
                return;
            }
            int to = pos + 1;
            if (s->text[static_cast<size_t>(pos)] == '\r' && to < textLength(s) &&
                s->text[static_cast<size_t>(to)] == '\n') {
                ++to;
            }
            s->anchor = pos;
            s->caret = to;
        }
    }
    s->typingRun = false;
    replaceSelection(hwnd, s, std::string(), false, true, false);
}

void setSelection(HWND hwnd, EditState* s, int anchor, int caret) {
    int length = textLength(s);
    s->anchor = std::clamp(anchor, 0, length);
    s->caret = std::clamp(caret, 0, length);
    s->typingRun = false;
    refresh(hwnd, s);
}

void undo(HWND hwnd, EditState* s) {
    if (!s->canUndo) {
        return;
    }
    std::swap(s->text, s->undoText);
    std::swap(s->anchor, s->undoAnchor);
    std::swap(s->caret, s->undoCaret);
    s->typingRun = false;
    s->modified = true;
    refresh(hwnd, s);
    notifyChange(hwnd);
}

// ---------------------------------------------------------------------------
// Keyboard

bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

int wordLeft(const EditState* s, int pos) {
    while (pos > 0 && !isWordChar(s->text[static_cast<size_t>(pos - 1)])) {
        --pos;
    }
    while (pos > 0 && isWordChar(s->text[static_cast<size_t>(pos - 1)])) {
        --pos;
    }
    return pos;
}

int wordRight(const EditState* s, int pos) {
    int length = textLength(s);
    while (pos < length && isWordChar(s->text[static_cast<size_t>(pos)])) {
        ++pos;
    }
    while (pos < length && !isWordChar(s->text[static_cast<size_t>(pos)])) {
        ++pos;
    }
    return pos;
}

// Moves one character left or right, stepping over "\r\n" as one.
int stepLeft(const EditState* s, int pos) {
    if (pos <= 0) {
        return 0;
    }
    if (pos >= 2 && s->text[static_cast<size_t>(pos - 1)] == '\n' &&
        s->text[static_cast<size_t>(pos - 2)] == '\r') {
        return pos - 2;
    }
    return pos - 1;
}

int stepRight(const EditState* s, int pos) {
    int length = textLength(s);
    if (pos >= length) {
        return length;
    }
    if (s->text[static_cast<size_t>(pos)] == '\r' && pos + 1 < length &&
        s->text[static_cast<size_t>(pos + 1)] == '\n') {
        return pos + 2;
    }
    return pos + 1;
}

int verticalMove(HWND hwnd, EditState* s, int pos, int lines) {
    std::vector<int> starts = lineStarts(s, true);
    size_t line = lineOf(starts, pos);
    long target = static_cast<long>(line) + lines;
    target = std::clamp<long>(target, 0, static_cast<long>(starts.size()) - 1);
    if (static_cast<size_t>(target) == line) {
        return pos;
    }
    FontDC dc(hwnd, s->font);
    int column = widthBetween(dc.get(), s, starts[line], pos);
    auto t = static_cast<size_t>(target);
    int from = starts[t];
    int to = lineEnd(s, starts, t);
    int best = from;
    for (int i = from; i <= to; ++i) {
        if (widthBetween(dc.get(), s, from, i) > column) {
            break;
        }
        best = i;
    }
    return best;
}

int visibleRows(HWND hwnd, EditState* s) {
    FontDC dc(hwnd, s->font);
    RECT rc;
    GetClientRect(hwnd, &rc);
    return std::max(1, static_cast<int>(rc.bottom - rc.top) / lineHeight(dc.get()));
}

bool onKeyDown(HWND hwnd, EditState* s, WPARAM key) {
    bool multi = isMultiline(hwnd);
    bool shift = keyDown(VK_SHIFT);
    bool control = keyDown(VK_CONTROL);
    int pos = s->caret;
    std::vector<int> starts = lineStarts(s, multi);
    switch (key) {
        case VK_LEFT:
            if (!shift && selStart(s) != selEnd(s)) {
                pos = selStart(s);
            } else {
                pos = control ? wordLeft(s, pos) : stepLeft(s, pos);
            }
            break;
        case VK_RIGHT:
            if (!shift && selStart(s) != selEnd(s)) {
                pos = selEnd(s);
            } else {
                pos = control ? wordRight(s, pos) : stepRight(s, pos);
            }
            break;
        case VK_UP:
            pos = multi ? verticalMove(hwnd, s, pos, -1) : stepLeft(s, pos);
            break;
        case VK_DOWN:
            pos = multi ? verticalMove(hwnd, s, pos, 1) : stepRight(s, pos);
            break;
        case VK_PRIOR:
            if (!multi) {
                return false;
            }
            pos = verticalMove(hwnd, s, pos, -visibleRows(hwnd, s));
            break;
        case VK_NEXT:
            if (!multi) {
                return false;
            }
            pos = verticalMove(hwnd, s, pos, visibleRows(hwnd, s));
            break;
        case VK_HOME:
            pos = (control || !multi) ? 0 : starts[lineOf(starts, pos)];
            break;
        case VK_END:
            pos = (control || !multi) ? textLength(s) : lineEnd(s, starts, lineOf(starts, pos));
            break;
        case VK_DELETE:
            if (isReadOnly(hwnd)) {
                return true;
            }
            deleteAt(hwnd, s, false);
            return true;
        default:
            return false;
    }
    setSelection(hwnd, s, shift ? s->anchor : pos, pos);
    return true;
}

void onChar(HWND hwnd, EditState* s, WPARAM code) {
    auto c = static_cast<unsigned char>(code & 0xFF);
    bool multi = isMultiline(hwnd);
    switch (c) {
        case 0x01:  // Ctrl+A
            setSelection(hwnd, s, 0, textLength(s));
            return;
        case 0x1A:  // Ctrl+Z
            if (!isReadOnly(hwnd)) {
                undo(hwnd, s);
            }
            return;
        case '\b':
            if (isReadOnly(hwnd)) {
                MessageBeep(MB_OK);
                return;
            }
            deleteAt(hwnd, s, true);
            return;
        case '\r':
            if (!multi) {
                return;
            }
            if (isReadOnly(hwnd)) {
                MessageBeep(MB_OK);
                return;
            }
            replaceSelection(hwnd, s, "\r\n", true, true, true);
            return;
        case '\t':
            if (!multi) {
                return;
            }
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                return;
            }
            break;
    }
    if (isReadOnly(hwnd)) {
        MessageBeep(MB_OK);
        return;
    }
    if ((windowStyle(hwnd) & ES_NUMBER) != 0 && (c < '0' || c > '9')) {
        MessageBeep(MB_OK);
        return;
    }
    replaceSelection(hwnd, s, std::string(1, static_cast<char>(c)), true, true, true);
}

// ---------------------------------------------------------------------------
// Painting

void paintRun(HDC dc, const EditState* s, int& x, int y, int from, int to, bool selected) {
    if (to <= from) {
        return;
    }
    std::string shown = displayText(s, from, to);
    int width = textWidth(dc, shown.c_str(), static_cast<int>(shown.size()));
    if (selected) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    TextOutA(dc, x, y, shown.c_str(), static_cast<int>(shown.size()));
    x += width;
}

void paint(HWND hwnd, EditState* s, HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    HGDIOBJ oldFont = s->font != nullptr ? SelectObject(dc, s->font) : nullptr;
    bool grey = isReadOnly(hwnd) || !isEnabled(hwnd);
    HBRUSH brush = controlBrush(hwnd, dc, grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                grey ? COLOR_BTNFACE : COLOR_WINDOW);
    FillRect(dc, &rc, brush);
    bool multi = isMultiline(hwnd);
    bool showSelection = s->focused || (windowStyle(hwnd) & ES_NOHIDESEL) != 0;
    int height = lineHeight(dc);
    std::vector<int> starts = lineStarts(s, multi);
    size_t firstLine = multi ? static_cast<size_t>(std::max(0, s->firstLine)) : 0;
    COLORREF textColor = GetSysColor(isEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    for (size_t line = firstLine; line < starts.size(); ++line) {
        int y = static_cast<int>(line - firstLine) * height;
        if (y >= rc.bottom) {
            break;
        }
        int from = multi ? starts[line] : s->firstChar;
        int to = lineEnd(s, starts, line);
        int x = s->leftMargin + alignOffset(hwnd, dc, s, multi ? from : 0, to);
        int a = showSelection ? std::clamp(selStart(s), from, to) : to;
        int b = showSelection ? std::clamp(selEnd(s), from, to) : to;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, textColor);
        paintRun(dc, s, x, y, from, a, false);
        paintRun(dc, s, x, y, a, b, true);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, textColor);
        paintRun(dc, s, x, y, b, to, false);
    }
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
}

LRESULT dialogCode(HWND hwnd, LPARAM lParam) {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    bool keyMessage = msg != nullptr && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR);
    if (inComboBox(hwnd) && SendMessageA(GetParent(hwnd), CB_GETDROPPEDSTATE, 0, 0) != 0) {
        // While the combo box's list is open, Enter and Escape close it.
        return code | DLGC_WANTALLKEYS;
    }
    if (isMultiline(hwnd) && (windowStyle(hwnd) & ES_WANTRETURN) != 0) {
        if (keyMessage && (msg->wParam == VK_TAB || msg->wParam == VK_ESCAPE)) {
            return code;
        }
        return code | DLGC_WANTALLKEYS;
    }
    return code;
}

// Keys that belong to the combo box when this is its edit field.
bool forwardToComboBox(HWND hwnd, UINT message, WPARAM key, LPARAM lParam) {
    if (!inComboBox(hwnd)) {
        return false;
    }
    HWND combo = GetParent(hwnd);
    bool dropped = SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
    bool comboKey = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT ||
                    key == VK_F4 || (dropped && (key == VK_RETURN || key == VK_ESCAPE));
    if (message == WM_SYSKEYDOWN) {
        comboKey = key == VK_UP || key == VK_DOWN;
    }
    if (!comboKey) {
        return false;
    }
    SendMessageA(combo, message, key, lParam);
    return true;
}

LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        EditState* s = g_edits.create(hwnd);
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (cs != nullptr) {
            if (cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName)) {
                s->text = cs->lpszName;
                if ((cs->style & ES_MULTILINE) == 0) {
                    size_t newline = s->text.find_first_of("\r\n");
                    if (newline != std::string::npos) {
                        s->text.resize(newline);
                    }
                }
            }
            if ((cs->style & ES_PASSWORD) != 0 && (cs->style & ES_MULTILINE) == 0) {
                s->passwordChar = '*';
            }
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    EditState* s = g_edits.find(hwnd);
    if (s == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_NCDESTROY:
            g_edits.erase(hwnd);
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_CREATE:
            refresh(hwnd, s);
            return 0;

        case WM_GETDLGCODE:
            return dialogCode(hwnd, lParam);

        case WM_GETTEXT:
            return copyText(s->text, reinterpret_cast<LPSTR>(lParam), wParam);

        case WM_GETTEXTLENGTH:
            return textLength(s);

        case WM_SETTEXT: {
            const char* text = reinterpret_cast<const char*>(lParam);
            std::string value = text != nullptr && !IS_INTRESOURCE(text) ? text : "";
            if (!isMultiline(hwnd)) {
                size_t newline = value.find_first_of("\r\n");
                if (newline != std::string::npos) {
                    value.resize(newline);
                }
            }
            s->text = adjustCase(hwnd, value);
            s->anchor = s->caret = 0;
            s->firstChar = 0;
            s->firstLine = 0;
            s->modified = false;
            s->canUndo = false;
            s->typingRun = false;
            refresh(hwnd, s);
            notifyChange(hwnd);
            return TRUE;
        }

        case WM_CHAR:
            if (inComboBox(hwnd) && (wParam == '\r' || wParam == 0x1B)) {
                return 0;
            }
            onChar(hwnd, s, wParam);
            return 0;

        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (forwardToComboBox(hwnd, message, wParam, lParam)) {
                return 0;
            }
            if (message == WM_KEYDOWN && onKeyDown(hwnd, s, wParam)) {
                return 0;
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_LBUTTONDOWN: {
            if (GetFocus() != hwnd) {
                SetFocus(hwnd);
                s = g_edits.find(hwnd);
                if (s == nullptr) {
                    return 0;
                }
            }
            int pos = positionFromPoint(hwnd, s, pointFromLParam(lParam));
            setSelection(hwnd, s, (wParam & MK_SHIFT) != 0 ? s->anchor : pos, pos);
            s->selecting = true;
            SetCapture(hwnd);
            return 0;
        }

        case WM_MOUSEMOVE:
            if (s->selecting) {
                int pos = positionFromPoint(hwnd, s, pointFromLParam(lParam));
                if (pos != s->caret) {
                    setSelection(hwnd, s, s->anchor, pos);
                }
            }
            return 0;

        case WM_LBUTTONUP:
            if (s->selecting) {
                s->selecting = false;
                if (GetCapture() == hwnd) {
                    ReleaseCapture();
                }
            }
            return 0;

        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) {
                s->selecting = false;
            }
            return 0;

        case WM_LBUTTONDBLCLK: {
            int pos = positionFromPoint(hwnd, s, pointFromLParam(lParam));
            int from = pos;
            int to = pos;
            while (from > 0 && isWordChar(s->text[static_cast<size_t>(from - 1)])) {
                --from;
            }
            while (to < textLength(s) && isWordChar(s->text[static_cast<size_t>(to)])) {
                ++to;
            }
            setSelection(hwnd, s, from, to);
            return 0;
        }

        case WM_SETFOCUS: {
            s->focused = true;
            FontDC dc(hwnd, s->font);
            CreateCaret(hwnd, nullptr, 1, lineHeight(dc.get()));
            updateCaret(hwnd, s);
            ShowCaret(hwnd);
            InvalidateRect(hwnd, nullptr, TRUE);
            notifyParent(hwnd, EN_SETFOCUS);
            return 0;
        }

        case WM_KILLFOCUS:
            s->focused = false;
            s->typingRun = false;
            DestroyCaret();
            InvalidateRect(hwnd, nullptr, TRUE);
            notifyParent(hwnd, EN_KILLFOCUS);
            return 0;

        case WM_SIZE:
            refresh(hwnd, s);
            return 0;

        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;

        case WM_SETFONT:
            s->font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam) != 0) {
                refresh(hwnd, s);
            }
            return 0;

        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s->font);

        case WM_VSCROLL: {
            if (!isMultiline(hwnd)) {
                return 0;
            }
            int lines = static_cast<int>(lineStarts(s, true).size());
            int rows = visibleRows(hwnd, s);
            int first = s->firstLine;
            switch (LOWORD(wParam)) {
                case SB_LINEUP:
                    --first;
                    break;
                case SB_LINEDOWN:
                    ++first;
                    break;
                case SB_PAGEUP:
                    first -= rows;
                    break;
                case SB_PAGEDOWN:
                    first += rows;
                    break;
                case SB_THUMBPOSITION:
                case SB_THUMBTRACK:
                    first = static_cast<SHORT>(HIWORD(wParam));
                    break;
                case SB_TOP:
                    first = 0;
                    break;
                case SB_BOTTOM:
                    first = lines;
                    break;
                default:
                    return 0;
            }
            s->firstLine = std::clamp(first, 0, std::max(0, lines - rows));
            updateScrollBar(hwnd, s);
            InvalidateRect(hwnd, nullptr, TRUE);
            updateCaret(hwnd, s);
            return 0;
        }

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

        case WM_PRINTCLIENT:
            paint(hwnd, s, reinterpret_cast<HDC>(wParam));
            return 0;

        case WM_CLEAR:
            if (!isReadOnly(hwnd) && selStart(s) != selEnd(s)) {
                deleteAt(hwnd, s, false);
            }
            return 0;

        case WM_UNDO:
        case EM_UNDO:
            if (!s->canUndo) {
                // EM_UNDO answers TRUE on a single-line control even when
                // there was nothing to undo; only a multiline one reports it.
                return message == EM_UNDO && !isMultiline(hwnd) ? TRUE : FALSE;
            }
            undo(hwnd, s);
            return TRUE;

        case EM_CANUNDO:
            return s->canUndo ? TRUE : FALSE;

        case EM_EMPTYUNDOBUFFER:
            s->canUndo = false;
            s->typingRun = false;
            return 0;

        case EM_GETSEL: {
            auto start = static_cast<DWORD>(selStart(s));
            auto end = static_cast<DWORD>(selEnd(s));
            if (wParam != 0) {
                *reinterpret_cast<DWORD*>(wParam) = start;
            }
            if (lParam != 0) {
                *reinterpret_cast<DWORD*>(lParam) = end;
            }
            if (start > 0xFFFF || end > 0xFFFF) {
                return -1;
            }
            return MAKELONG(start, end);
        }

        case EM_SETSEL: {
            auto start = static_cast<int>(static_cast<INT_PTR>(wParam));
            auto end = static_cast<int>(lParam);
            int length = textLength(s);
            if (start == -1) {
                // Deselects, keeping the caret where it is.
                setSelection(hwnd, s, s->caret, s->caret);
                return 0;
            }
            if (start < 0) {
                start = length;
            }
            if (end < 0) {
                end = length;
            }
            setSelection(hwnd, s, start, end);
            return 0;
        }

        case EM_REPLACESEL: {
            const char* text = reinterpret_cast<const char*>(lParam);
            replaceSelection(hwnd, s, text != nullptr ? text : "", false, wParam != 0, false);
            return 0;
        }

        case EM_LIMITTEXT: {
            UINT limit = static_cast<UINT>(wParam);
            if (limit == 0) {
                limit = isMultiline(hwnd) ? kLargestLimitMulti : kLargestLimitSingle;
            }
            s->limit = limit;
            return 0;
        }

        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(s->limit);

        case EM_GETLINECOUNT:
            return static_cast<LRESULT>(lineStarts(s, isMultiline(hwnd)).size());

        case EM_LINEINDEX: {
            std::vector<int> starts = lineStarts(s, isMultiline(hwnd));
            auto line = static_cast<INT_PTR>(wParam);
            if (line == -1) {
                line = static_cast<INT_PTR>(lineOf(starts, s->caret));
            }
            if (line < 0 || static_cast<size_t>(line) >= starts.size()) {
                return -1;
            }
            return starts[static_cast<size_t>(line)];
        }

        case EM_LINEFROMCHAR: {
            std::vector<int> starts = lineStarts(s, isMultiline(hwnd));
            auto pos = static_cast<INT_PTR>(wParam);
            if (pos < 0) {
                pos = selStart(s);
            }
            return static_cast<LRESULT>(
                lineOf(starts, static_cast<int>(std::min<INT_PTR>(pos, textLength(s)))));
        }

        case EM_LINELENGTH: {
            std::vector<int> starts = lineStarts(s, isMultiline(hwnd));
            auto pos = static_cast<INT_PTR>(wParam);
            if (pos < 0) {
                size_t first = lineOf(starts, selStart(s));
                size_t last = lineOf(starts, selEnd(s));
                return (selStart(s) - starts[first]) + (lineEnd(s, starts, last) - selEnd(s));
            }
            if (pos > textLength(s)) {
                return 0;
            }
            size_t line = lineOf(starts, static_cast<int>(pos));
            return lineEnd(s, starts, line) - starts[line];
        }

        case EM_GETLINE: {
            auto* buffer = reinterpret_cast<char*>(lParam);
            if (buffer == nullptr) {
                return 0;
            }
            WORD size = 0;
            std::memcpy(&size, buffer, sizeof(size));
            std::vector<int> starts = lineStarts(s, isMultiline(hwnd));
            size_t line = isMultiline(hwnd) ? static_cast<size_t>(wParam) : 0;
            if (line >= starts.size()) {
                return 0;
            }
            int from = starts[line];
            int count = std::min<int>(lineEnd(s, starts, line) - from, size);
            s->text.copy(buffer, static_cast<size_t>(count), static_cast<size_t>(from));
            return count;
        }

        case EM_GETMODIFY:
            return s->modified ? TRUE : FALSE;

        case EM_SETMODIFY:
            s->modified = wParam != 0;
            return 0;

        case EM_SETREADONLY: {
            DWORD style = windowStyle(hwnd);
            DWORD wanted =
                wParam != 0 ? (style | ES_READONLY) : (style & ~static_cast<DWORD>(ES_READONLY));
            if (wanted != style) {
                setWindowStyle(hwnd, wanted);
            }
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        }

        case EM_SETPASSWORDCHAR: {
            if (isMultiline(hwnd)) {
                return 0;
            }
            s->passwordChar = static_cast<char>(wParam & 0xFF);
            DWORD style = windowStyle(hwnd);
            DWORD wanted = s->passwordChar != 0 ? (style | ES_PASSWORD)
                                                : (style & ~static_cast<DWORD>(ES_PASSWORD));
            if (wanted != style) {
                setWindowStyle(hwnd, wanted);
            }
            refresh(hwnd, s);
            return 0;
        }

        case EM_GETPASSWORDCHAR:
            return static_cast<unsigned char>(s->passwordChar);

        case EM_SETMARGINS:
            if ((wParam & EC_LEFTMARGIN) != 0) {
                s->leftMargin = (wParam & EC_USEFONTINFO) != 0 ? 1 : LOWORD(lParam);
            }
            if ((wParam & EC_RIGHTMARGIN) != 0) {
                s->rightMargin = (wParam & EC_USEFONTINFO) != 0 ? 1 : HIWORD(lParam);
            }
            refresh(hwnd, s);
            return 0;

        case EM_GETMARGINS:
            return MAKELONG(s->leftMargin, s->rightMargin);

        case EM_GETRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (rect != nullptr) {
                GetClientRect(hwnd, rect);
                rect->left += s->leftMargin;
                rect->right -= s->rightMargin;
            }
            return 0;
        }

        case EM_GETFIRSTVISIBLELINE:
            return isMultiline(hwnd) ? s->firstLine : s->firstChar;

        case EM_SCROLLCARET:
            refresh(hwnd, s);
            return TRUE;

        case EM_LINESCROLL: {
            if (!isMultiline(hwnd)) {
                return FALSE;
            }
            int lines = static_cast<int>(lineStarts(s, true).size());
            s->firstLine =
                std::clamp(s->firstLine + static_cast<int>(lParam), 0, std::max(0, lines - 1));
            updateScrollBar(hwnd, s);
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        }

        case EM_POSFROMCHAR: {
            auto pos = static_cast<int>(static_cast<INT_PTR>(wParam));
            if (pos < 0 || pos >= textLength(s)) {
                return -1;
            }
            FontDC dc(hwnd, s->font);
            bool multi = isMultiline(hwnd);
            std::vector<int> starts = lineStarts(s, multi);
            size_t line = lineOf(starts, pos);
            int from = starts[line];
            int x = s->leftMargin + alignOffset(hwnd, dc.get(), s, from, lineEnd(s, starts, line));
            int y = 0;
            if (multi) {
                x += widthBetween(dc.get(), s, from, pos);
                y = (static_cast<int>(line) - s->firstLine) * lineHeight(dc.get());
            } else {
                x += widthBetween(dc.get(), s, 0, pos) - widthBetween(dc.get(), s, 0, s->firstChar);
            }
            return MAKELONG(x, y);
        }

        case EM_CHARFROMPOS: {
            POINT pt = pointFromLParam(lParam);
            int pos = positionFromPoint(hwnd, s, pt);
            std::vector<int> starts = lineStarts(s, isMultiline(hwnd));
            return MAKELONG(pos, lineOf(starts, pos));
        }

        case EM_SETTABSTOPS:
            return TRUE;

        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

struct Registration {
    Registration() { registerControlClass(WC_EDITA, editProc, CS_DBLCLKS | CS_PARENTDC); }
} g_registration;

}  // namespace
