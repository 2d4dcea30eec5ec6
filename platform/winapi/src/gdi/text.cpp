// Fonts' fixed metrics and text output (TextOut, ExtTextOut).
#include "gdi/gdi.h"

#include <cstring>

namespace vedrix::winapi::gdi {

using vedrix::headless::DrawingEntry;
using vedrix::headless::DrawingKind;

int charWidth(const DeviceContext& dc) {
    return fontWeightOf(dc) >= FW_BOLD ? kBoldCharWidth : kCharWidth;
}

// Each character other than a space is a box inside its cell; see drawing.h.
void drawGlyphs(DeviceContext& dc, int x, int y, const std::string& text, const int* advances,
                const RECT* clipRect) {
    Canvas canvas(dc);
    if (!canvas.ok()) {
        return;
    }
    int cw = charWidth(dc);
    Pixel color = pixelFromColor(resolveColor(&dc, dc.st.textColor));
    int cx = x;
    for (std::size_t i = 0; i < text.size(); ++i) {
        int advance = advances != nullptr ? advances[i] : cw;
        if (text[i] != ' ') {
            RECT box{cx + 1, y + 3, cx + cw - 1, y + 13};
            if (clipRect != nullptr) {
                box = rectIntersect(box, *clipRect);
            }
            canvas.forRect(box, [color](int, int, Pixel) { return std::optional<Pixel>(color); });
        }
        cx += advance;
    }
}

}  // namespace vedrix::winapi::gdi

using namespace vedrix::winapi::gdi;

namespace {

// Places a line of text of the given width by the context's alignment and
// returns the top-left corner of its box in logical coordinates.
POINT alignText(DeviceContext& dc, int x, int y, int width) {
    UINT align = dc.st.textAlign;
    if ((align & TA_UPDATECP) != 0) {
        x = dc.st.position.x;
        y = dc.st.position.y;
    }
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER) {
        left = x - width / 2;
    } else if ((align & TA_RIGHT) != 0) {
        left = x - width;
    }
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE) {
        top = y - kAscent;
    } else if ((align & TA_BOTTOM) != 0) {
        top = y - kLineHeight;
    }
    if ((align & TA_UPDATECP) != 0) {
        if ((align & TA_CENTER) == TA_CENTER) {
            // the current position stays
        } else if ((align & TA_RIGHT) != 0) {
            dc.st.position.x = left;
        } else {
            dc.st.position.x = left + width;
        }
    }
    return POINT{left, top};
}

}  // namespace

BOOL vedrix::winapi::gdi::textOut(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR s,
                                  int c, const INT* lpDx, DrawingKind kind) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || c < 0 || (s == nullptr && c > 0)) {
        return FALSE;
    }
    std::string text(s != nullptr ? s : "", static_cast<std::size_t>(c));
    int cw = charWidth(*dc);
    int width = 0;
    for (int i = 0; i < c; ++i) {
        width += lpDx != nullptr ? lpDx[i] : cw;
    }
    POINT topLeft = alignText(*dc, x, y, width);
    RECT box =
        toDevice(*dc, RECT{topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + kLineHeight});
    RECT optionRect{0, 0, 0, 0};
    if (lprect != nullptr) {
        RECT lr = rectNormalised(lprect->left, lprect->top, lprect->right, lprect->bottom);
        optionRect = toDevice(*dc, lr);
    }
    COLORREF bk = resolveColor(dc, dc->st.bkColor);
    if ((options & ETO_OPAQUE) != 0 && lprect != nullptr) {
        fillSolid(*dc, optionRect, bk);
    }
    const RECT* clip = (options & ETO_CLIPPED) != 0 && lprect != nullptr ? &optionRect : nullptr;
    if (c > 0) {
        if (dc->st.bkMode == OPAQUE) {
            fillSolid(*dc, clip != nullptr ? rectIntersect(box, *clip) : box, bk);
        }
        drawGlyphs(*dc, box.left, box.top, text, lpDx, clip);
    }
    if (recorded(*dc)) {
        DrawingEntry e;
        e.kind = kind;
        e.rect = box;
        e.bounds = optionRect;
        e.text = text;
        e.flags = options;
        record(*dc, e);
    }
    return TRUE;
}

WINGDIAPI BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    return textOut(hdc, x, y, 0, nullptr, lpString, c, nullptr, DrawingKind::TextOut);
}

WINGDIAPI BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect,
                                  LPCSTR lpString, UINT c, const INT* lpDx) {
    if (c > 0x7FFFFFFFu) {
        return FALSE;
    }
    return textOut(hdc, x, y, options, lprect, lpString, static_cast<int>(c), lpDx,
                   DrawingKind::ExtTextOut);
}

WINGDIAPI BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || lptm == nullptr) {
        return FALSE;
    }
    Font* font = fontOf(static_cast<HFONT>(dc->st.font));
    LOGFONTA lf = font != nullptr ? font->lf : LOGFONTA{};
    int cw = charWidth(*dc);
    TEXTMETRICA tm{};
    tm.tmHeight = kLineHeight;
    tm.tmAscent = kAscent;
    tm.tmDescent = kDescent;
    tm.tmInternalLeading = 0;
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = cw;
    tm.tmMaxCharWidth = cw;
    tm.tmWeight = fontWeightOf(*dc);
    tm.tmOverhang = 0;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = lf.lfItalic;
    tm.tmUnderlined = lf.lfUnderline;
    tm.tmStruckOut = lf.lfStrikeOut;
    // Every character has the same width: the "variable pitch" bit stays clear.
    tm.tmPitchAndFamily =
        static_cast<BYTE>((lf.lfPitchAndFamily & 0xF0) | TMPF_VECTOR | TMPF_TRUETYPE);
    tm.tmCharSet = lf.lfCharSet;
    *lptm = tm;
    return TRUE;
}

WINGDIAPI BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || psizl == nullptr || c < 0 || (lpString == nullptr && c > 0)) {
        return FALSE;
    }
    psizl->cx = c * charWidth(*dc);
    psizl->cy = kLineHeight;
    return TRUE;
}

WINGDIAPI BOOL WINAPI GetTextExtentPointA(HDC hdc, LPCSTR lpString, int c, LPSIZE lpsz) {
    return GetTextExtentPoint32A(hdc, lpString, c, lpsz);
}

WINGDIAPI BOOL WINAPI GetTextExtentExPointA(HDC hdc, LPCSTR lpszString, int cchString,
                                            int nMaxExtent, LPINT lpnFit, LPINT lpnDx,
                                            LPSIZE lpSize) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || lpSize == nullptr || cchString < 0 ||
        (lpszString == nullptr && cchString > 0)) {
        return FALSE;
    }
    int cw = charWidth(*dc);
    int fit = 0;
    for (int i = 0; i < cchString; ++i) {
        int extent = (i + 1) * cw;
        if (lpnDx != nullptr) {
            lpnDx[i] = extent;
        }
        if (nMaxExtent < 0 || extent <= nMaxExtent) {
            fit = i + 1;
        }
    }
    if (lpnFit != nullptr) {
        *lpnFit = fit;
    }
    lpSize->cx = cchString * cw;
    lpSize->cy = kLineHeight;
    return TRUE;
}

WINGDIAPI int WINAPI GetTextFaceA(HDC hdc, int c, LPSTR lpName) {
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        return 0;
    }
    Font* font = fontOf(static_cast<HFONT>(dc->st.font));
    const char* face = font != nullptr ? font->lf.lfFaceName : "";
    int len = static_cast<int>(std::strlen(face));
    if (lpName == nullptr) {
        return len + 1;
    }
    if (c <= 0) {
        return 0;
    }
    int n = len < c - 1 ? len : c - 1;
    std::memcpy(lpName, face, static_cast<std::size_t>(n));
    lpName[n] = '\0';
    return n;
}
