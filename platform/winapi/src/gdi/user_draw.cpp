// The drawing functions of user32: rectangles, focus rectangles, edges and
// formatted text (DrawTextA, TabbedTextOutA).
#include "gdi/gdi.h"

#include <algorithm>
#include <cstring>

using namespace vedrix::winapi::gdi;
using vedrix::headless::DrawingEntry;
using vedrix::headless::DrawingKind;

namespace {

void recordRect(const DeviceContext& dc, DrawingKind kind, const RECT& rect, COLORREF color,
                UINT flags = 0) {
    if (!recorded(dc)) {
        return;
    }
    DrawingEntry e;
    e.kind = kind;
    e.rect = rect;
    e.color = color;
    e.flags = flags;
    record(dc, e);
}

// ---------------------------------------------------------------------------
// Text layout for DrawTextA

// Removes prefix characters: "&x" shows x, "&&" shows "&", a last lone "&"
// shows nothing.
std::string stripPrefixes(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size()) {
                out += s[i + 1];
                ++i;
            }
            continue;
        }
        out += s[i];
    }
    return out;
}

std::string expandTabs(const std::string& s, int tabChars) {
    std::string out;
    for (char c : s) {
        if (c == '\t') {
            std::size_t next = (out.size() / static_cast<std::size_t>(tabChars) + 1) * tabChars;
            out.append(next - out.size(), ' ');
        } else {
            out += c;
        }
    }
    return out;
}

// Greedy word wrapping at spaces: a line takes words while they fit into
// `maxChars`; a word longer than a line stands alone (and is clipped), and
// the spaces where a line breaks are dropped.
std::vector<std::string> wrap(const std::string& line, int maxChars) {
    std::vector<std::string> out;
    std::string current;
    bool started = false;  // the text's first word has been placed
    std::size_t i = 0;
    while (i < line.size()) {
        std::size_t wordStart = i;
        while (wordStart < line.size() && line[wordStart] == ' ') {
            ++wordStart;
        }
        std::size_t wordEnd = wordStart;
        while (wordEnd < line.size() && line[wordEnd] != ' ') {
            ++wordEnd;
        }
        std::string spaces = line.substr(i, wordStart - i);
        std::string word = line.substr(wordStart, wordEnd - wordStart);
        i = wordEnd;
        if (word.empty()) {  // spaces at the end of the text
            current += spaces;
            break;
        }
        if (!started) {  // leading spaces of the text stay
            current = spaces + word;
            started = true;
        } else if (static_cast<int>(current.size() + spaces.size() + word.size()) <= maxChars) {
            current += spaces + word;
        } else {
            out.push_back(current);
            current = word;
        }
    }
    out.push_back(current);
    return out;
}

std::string endEllipsis(const std::string& line, int maxChars) {
    if (static_cast<int>(line.size()) <= maxChars) {
        return line;
    }
    int keep = std::max(0, maxChars - 3);
    return line.substr(0, static_cast<std::size_t>(keep)) + "...";
}

// Keeps the last path component and as much of the start as fits.
std::string pathEllipsis(const std::string& line, int maxChars) {
    if (static_cast<int>(line.size()) <= maxChars) {
        return line;
    }
    std::size_t slash = line.find_last_of("\\/");
    if (slash == std::string::npos) {
        return endEllipsis(line, maxChars);
    }
    std::string last = line.substr(slash);
    int keep = maxChars - 3 - static_cast<int>(last.size());
    if (keep < 0) {
        return endEllipsis("..." + last, maxChars);
    }
    return line.substr(0, static_cast<std::size_t>(keep)) + "..." + last;
}

struct Layout {
    std::vector<std::string> lines;
    int maxWidth = 0;
};

Layout layoutText(const std::string& text, UINT format, int rectWidth, int cw) {
    Layout l;
    std::vector<std::string> raw;
    if ((format & DT_SINGLELINE) != 0) {
        raw.push_back(text);
    } else {
        std::string cur;
        for (std::size_t i = 0; i < text.size(); ++i) {
            char c = text[i];
            if (c == '\r' || c == '\n') {
                raw.push_back(cur);
                cur.clear();
                if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                    ++i;
                }
            } else {
                cur += c;
            }
        }
        raw.push_back(cur);
    }
    int tabChars = 8;
    if ((format & DT_TABSTOP) != 0 && ((format >> 8) & 0xFF) != 0) {
        tabChars = static_cast<int>((format >> 8) & 0xFF);
    }
    int maxChars = rectWidth > 0 ? rectWidth / cw : 0;
    for (std::string line : raw) {
        if ((format & DT_NOPREFIX) == 0) {
            line = stripPrefixes(line);
        }
        if ((format & DT_EXPANDTABS) != 0) {
            line = expandTabs(line, tabChars);
        }
        std::vector<std::string> pieces;
        if ((format & DT_WORDBREAK) != 0 && (format & DT_SINGLELINE) == 0) {
            pieces = wrap(line, maxChars);
        } else {
            pieces.push_back(line);
        }
        for (std::string& p : pieces) {
            if ((format & DT_PATH_ELLIPSIS) != 0) {
                p = pathEllipsis(p, maxChars);
            } else if ((format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) != 0) {
                p = endEllipsis(p, maxChars);
            }
            l.maxWidth = std::max(l.maxWidth, static_cast<int>(p.size()) * cw);
            l.lines.push_back(p);
        }
    }
    return l;
}

}  // namespace

// ---------------------------------------------------------------------------
// Rectangles

WINUSERAPI int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* dc = dcOf(hDC);
    const Brush* brush = brushOrSysColor(hbr);
    if (dc == nullptr || lprc == nullptr || brush == nullptr) {
        return 0;
    }
    RECT r = toDevice(*dc, *lprc);
    patBlt(*dc, r, brush, PATCOPY);
    recordRect(*dc, DrawingKind::FillRect, r, brushColor(dc, brush));
    return 1;
}

WINUSERAPI int WINAPI FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* dc = dcOf(hDC);
    const Brush* brush = brushOrSysColor(hbr);
    if (dc == nullptr || lprc == nullptr || brush == nullptr) {
        return 0;
    }
    RECT r = toDevice(*dc, *lprc);
    if (!rectEmpty(r)) {
        patBlt(*dc, RECT{r.left, r.top, r.right, r.top + 1}, brush, PATCOPY);
        patBlt(*dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, brush, PATCOPY);
        patBlt(*dc, RECT{r.left, r.top, r.left + 1, r.bottom}, brush, PATCOPY);
        patBlt(*dc, RECT{r.right - 1, r.top, r.right, r.bottom}, brush, PATCOPY);
    }
    recordRect(*dc, DrawingKind::FrameRect, r, brushColor(dc, brush));
    return 1;
}

WINUSERAPI BOOL WINAPI InvertRect(HDC hDC, const RECT* lprc) {
    DeviceContext* dc = dcOf(hDC);
    if (dc == nullptr || lprc == nullptr) {
        return FALSE;
    }
    RECT r = toDevice(*dc, *lprc);
    patBlt(*dc, r, nullptr, DSTINVERT);
    recordRect(*dc, DrawingKind::InvertRect, r, CLR_INVALID);
    return TRUE;
}

// A dotted frame drawn by inverting every other pixel of the border, so that
// drawing it twice removes it, as on the platform.
WINUSERAPI BOOL WINAPI DrawFocusRect(HDC hDC, const RECT* lprc) {
    DeviceContext* dc = dcOf(hDC);
    if (dc == nullptr || lprc == nullptr) {
        return FALSE;
    }
    RECT r = toDevice(*dc, *lprc);
    {
        Canvas canvas(*dc);
        canvas.forRect(r, [&r](int x, int y, Pixel d) -> std::optional<Pixel> {
            bool border = x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1;
            if (!border || ((x + y) & 1) != 0) {
                return std::nullopt;
            }
            return (~d) & 0x00FFFFFFu;
        });
    }
    recordRect(*dc, DrawingKind::FocusRect, r, CLR_INVALID);
    return TRUE;
}

// One-pixel borders in the system's 3-D colours; BF_ADJUST shrinks the
// rectangle by the borders drawn. Diagonal edges are recorded but not drawn.
WINUSERAPI BOOL WINAPI DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || qrc == nullptr) {
        return FALSE;
    }
    RECT logical = *qrc;
    RECT r = toDevice(*dc, logical);
    recordRect(*dc, DrawingKind::DrawEdge, r, CLR_INVALID, (edge << 16) | (grfFlags & 0xFFFF));
    if ((grfFlags & BF_DIAGONAL) != 0) {
        return TRUE;
    }
    struct Ring {
        bool present;
        int topLeft;
        int bottomRight;
    };
    UINT outer = edge & BDR_OUTER;
    UINT inner = edge & BDR_INNER;
    Ring rings[2] = {
        {outer != 0, (outer & BDR_RAISEDOUTER) != 0 ? COLOR_3DLIGHT : COLOR_3DSHADOW,
         (outer & BDR_RAISEDOUTER) != 0 ? COLOR_3DDKSHADOW : COLOR_3DHILIGHT},
        {inner != 0, (inner & BDR_RAISEDINNER) != 0 ? COLOR_3DHILIGHT : COLOR_3DDKSHADOW,
         (inner & BDR_RAISEDINNER) != 0 ? COLOR_3DSHADOW : COLOR_3DLIGHT},
    };
    if ((grfFlags & BF_FLAT) != 0) {
        rings[0].topLeft = rings[0].bottomRight = COLOR_3DSHADOW;
        rings[1].topLeft = rings[1].bottomRight = COLOR_3DFACE;
    }
    if ((grfFlags & BF_MONO) != 0) {
        rings[0].topLeft = rings[0].bottomRight = COLOR_WINDOWFRAME;
        rings[1].topLeft = rings[1].bottomRight = COLOR_WINDOW;
    }
    int inset = 0;
    for (const Ring& ring : rings) {
        if (!ring.present) {
            continue;
        }
        RECT b{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
        if (rectEmpty(b)) {
            break;
        }
        COLORREF tl = sysColor(ring.topLeft);
        COLORREF br = sysColor(ring.bottomRight);
        if ((grfFlags & BF_TOP) != 0) {
            fillSolid(*dc, RECT{b.left, b.top, b.right, b.top + 1}, tl);
        }
        if ((grfFlags & BF_LEFT) != 0) {
            fillSolid(*dc, RECT{b.left, b.top, b.left + 1, b.bottom}, tl);
        }
        if ((grfFlags & BF_BOTTOM) != 0) {
            fillSolid(*dc, RECT{b.left, b.bottom - 1, b.right, b.bottom}, br);
        }
        if ((grfFlags & BF_RIGHT) != 0) {
            fillSolid(*dc, RECT{b.right - 1, b.top, b.right, b.bottom}, br);
        }
        ++inset;
    }
    RECT rest = logical;
    if ((grfFlags & BF_LEFT) != 0) {
        rest.left += inset;
    }
    if ((grfFlags & BF_TOP) != 0) {
        rest.top += inset;
    }
    if ((grfFlags & BF_RIGHT) != 0) {
        rest.right -= inset;
    }
    if ((grfFlags & BF_BOTTOM) != 0) {
        rest.bottom -= inset;
    }
    if ((grfFlags & BF_MIDDLE) != 0) {
        fillSolid(*dc, toDevice(*dc, rest), sysColor(COLOR_3DFACE));
    }
    if ((grfFlags & BF_ADJUST) != 0) {
        *qrc = rest;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Text

// Lines are 16 pixels high and characters 7 (bold 8) pixels wide. Choices:
// DT_WORDBREAK never breaks inside a word; DT_CALCRECT makes the rectangle as
// wide as the widest line and as high as the lines; an empty text has no
// line and height 0.
WINUSERAPI int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || lprc == nullptr || (lpchText == nullptr && cchText != 0)) {
        return 0;
    }
    std::size_t length = cchText < 0 ? std::strlen(lpchText) : static_cast<std::size_t>(cchText);
    std::string text(lpchText != nullptr ? lpchText : "", length);
    int cw = charWidth(*dc);
    int rectWidth = lprc->right - lprc->left;
    Layout layout;
    if (!text.empty()) {
        layout = layoutText(text, format, rectWidth, cw);
    }
    int height = static_cast<int>(layout.lines.size()) * kLineHeight;
    if ((format & DT_MODIFYSTRING) != 0 && cchText != 0 &&
        (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) != 0 &&
        layout.lines.size() == 1 && layout.lines[0].size() <= length + 4) {
        // The buffer must hold the text plus four characters, as the platform requires.
        std::memcpy(const_cast<char*>(lpchText), layout.lines[0].c_str(),
                    layout.lines[0].size() + 1);
    }
    if ((format & DT_CALCRECT) != 0) {
        lprc->right = lprc->left + layout.maxWidth;
        lprc->bottom = lprc->top + height;
        return height;
    }
    bool single = (format & DT_SINGLELINE) != 0;
    int top = lprc->top;
    if (single && (format & DT_VCENTER) != 0) {
        top = lprc->top + (lprc->bottom - lprc->top - height) / 2;
    } else if (single && (format & DT_BOTTOM) != 0) {
        top = lprc->bottom - height;
    }
    RECT bounds = toDevice(*dc, *lprc);
    const RECT* clip = (format & DT_NOCLIP) != 0 ? nullptr : &bounds;
    COLORREF bk = resolveColor(dc, dc->st.bkColor);
    RECT placed{0, 0, 0, 0};
    std::string shown;
    int y = top;
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const std::string& line = layout.lines[i];
        int width = static_cast<int>(line.size()) * cw;
        int x = lprc->left;
        if ((format & DT_CENTER) != 0) {
            x = lprc->left + (rectWidth - width) / 2;
        } else if ((format & DT_RIGHT) != 0) {
            x = lprc->right - width;
        }
        RECT box = toDevice(*dc, RECT{x, y, x + width, y + kLineHeight});
        if (dc->st.bkMode == OPAQUE) {
            fillSolid(*dc, clip != nullptr ? rectIntersect(box, *clip) : box, bk);
        }
        drawGlyphs(*dc, box.left, box.top, line, nullptr, clip);
        if (i == 0) {
            placed = box;
        } else {
            placed.left = std::min(placed.left, box.left);
            placed.right = std::max(placed.right, box.right);
            placed.bottom = box.bottom;
        }
        if (i > 0) {
            shown += '\n';
        }
        shown += line;
        y += kLineHeight;
    }
    if (recorded(*dc)) {
        DrawingEntry e;
        e.kind = DrawingKind::DrawText;
        e.rect = placed;
        e.bounds = bounds;
        e.text = shown;
        e.flags = format;
        record(*dc, e);
    }
    if (single && (format & (DT_VCENTER | DT_BOTTOM)) != 0) {
        return top - lprc->top + height;
    }
    return height;
}

// Tabs stop every 8 average character widths, or every lpnTabStopPositions[0]
// pixels, or at the listed positions (measured from nTabOrigin). Recorded as
// a TextOut with the tabs shown as spaces.
WINUSERAPI LONG WINAPI TabbedTextOutA(HDC hdc, int x, int y, LPCSTR lpString, int chCount,
                                      int nTabPositions, const INT* lpnTabStopPositions,
                                      int nTabOrigin) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || chCount < 0 || (lpString == nullptr && chCount > 0)) {
        return 0;
    }
    int cw = charWidth(*dc);
    std::string text(lpString != nullptr ? lpString : "", static_cast<std::size_t>(chCount));
    std::vector<INT> advances;
    int pos = x;
    for (char& c : text) {
        if (c != '\t') {
            advances.push_back(cw);
            pos += cw;
            continue;
        }
        c = ' ';
        int next = pos + 1;
        if (nTabPositions <= 1 || lpnTabStopPositions == nullptr) {
            int step =
                (nTabPositions == 1 && lpnTabStopPositions != nullptr && lpnTabStopPositions[0] > 0)
                    ? lpnTabStopPositions[0]
                    : 8 * cw;
            next = nTabOrigin + ((pos - nTabOrigin) / step + 1) * step;
        } else {
            next = pos + cw;
            for (int i = 0; i < nTabPositions; ++i) {
                int stop = nTabOrigin + lpnTabStopPositions[i];
                if (stop > pos) {
                    next = stop;
                    break;
                }
            }
        }
        advances.push_back(next - pos);
        pos = next;
    }
    UINT align = dc->st.textAlign;
    dc->st.textAlign = align & ~TA_UPDATECP;
    textOut(hdc, x, y, 0, nullptr, text.c_str(), static_cast<int>(text.size()),
            advances.empty() ? nullptr : advances.data(), DrawingKind::TextOut);
    dc->st.textAlign = align;
    return MAKELONG(pos - x, kLineHeight);
}
