// System metrics and colours.
//
// Metrics describe the fixed headless screen: 1920 x 1080, 96 dots per inch.
// Captions, menu bars and frames take no space (their heights are 0), so
// window and client rectangles agree; line widths (SM_CXBORDER, SM_CXEDGE)
// and control parts (scroll bar arrows, check boxes, icons) have the
// platform's usual sizes at 96 DPI. Colours are the platform's default scheme.
#include "user/window_manager.h"

namespace vedrix::winapi {
namespace {

struct Metric {
    int index;
    int value;
};

const Metric kMetrics[] = {
    {SM_CXSCREEN, 1920},
    {SM_CYSCREEN, 1080},
    {SM_CXVSCROLL, 17},
    {SM_CYHSCROLL, 17},
    {SM_CYCAPTION, 0},
    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 0},
    {SM_CYDLGFRAME, 0},
    {SM_CYVTHUMB, 17},
    {SM_CXHTHUMB, 17},
    {SM_CXICON, 32},
    {SM_CYICON, 32},
    {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},
    {SM_CYMENU, 0},
    {SM_CXFULLSCREEN, 1920},
    {SM_CYFULLSCREEN, 1080},
    {SM_MOUSEPRESENT, 1},
    {SM_CYVSCROLL, 17},
    {SM_CXHSCROLL, 17},
    {SM_CXMIN, 0},
    {SM_CYMIN, 0},
    {SM_CXSIZE, 0},
    {SM_CYSIZE, 0},
    {SM_CXFRAME, 0},
    {SM_CYFRAME, 0},
    {SM_CXMINTRACK, 0},
    {SM_CYMINTRACK, 0},
    {SM_CXDOUBLECLK, 4},
    {SM_CYDOUBLECLK, 4},
    {SM_CXICONSPACING, 75},
    {SM_CYICONSPACING, 75},
    {SM_CMOUSEBUTTONS, 3},
    {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},
    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
    {SM_CYSMCAPTION, 0},
    {SM_CXMAXTRACK, 1920},
    {SM_CYMAXTRACK, 1080},
    {SM_CXMAXIMIZED, 1920},
    {SM_CYMAXIMIZED, 1080},
    {SM_CXDRAG, 4},
    {SM_CYDRAG, 4},
    {SM_CXMENUCHECK, 13},
    {SM_CYMENUCHECK, 13},
    {SM_MOUSEWHEELPRESENT, 1},
    {SM_CXVIRTUALSCREEN, 1920},
    {SM_CYVIRTUALSCREEN, 1080},
    {SM_CMONITORS, 1},
    {SM_SAMEDISPLAYFORMAT, 1},
    {SM_CXFOCUSBORDER, 1},
    {SM_CYFOCUSBORDER, 1},
};

const COLORREF kColors[] = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(0, 0, 0),        // COLOR_BACKGROUND
    RGB(153, 180, 209),  // COLOR_ACTIVECAPTION
    RGB(191, 205, 219),  // COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(100, 100, 100),  // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(0, 0, 0),        // COLOR_CAPTIONTEXT
    RGB(180, 180, 180),  // COLOR_ACTIVEBORDER
    RGB(244, 247, 252),  // COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // COLOR_APPWORKSPACE
    RGB(0, 120, 215),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // COLOR_BTNFACE
    RGB(160, 160, 160),  // COLOR_BTNSHADOW
    RGB(109, 109, 109),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(0, 0, 0),        // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105),  // COLOR_3DDKSHADOW
    RGB(227, 227, 227),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(0, 0, 0),        // 25 (unused)
    RGB(0, 102, 204),    // COLOR_HOTLIGHT
    RGB(185, 209, 234),  // COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 120, 215),    // COLOR_MENUHILIGHT
    RGB(240, 240, 240),  // COLOR_MENUBAR
};

constexpr int kColorCount = static_cast<int>(sizeof(kColors) / sizeof(kColors[0]));

}  // namespace
}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" {

int WINAPI GetSystemMetrics(int nIndex) {
    for (const auto& m : kMetrics) {
        if (m.index == nIndex) {
            return m.value;
        }
    }
    return 0;
}

DWORD WINAPI GetSysColor(int nIndex) {
    return nIndex >= 0 && nIndex < kColorCount ? kColors[nIndex] : 0;
}

// The brushes are made once, through GDI, and live for the whole run (the
// platform's system colour brushes cannot be deleted either).
HBRUSH WINAPI GetSysColorBrush(int nIndex) {
    if (nIndex < 0 || nIndex >= kColorCount) {
        return nullptr;
    }
    static HBRUSH brushes[kColorCount] = {};
    if (!brushes[nIndex]) {
        brushes[nIndex] = gdi::createSolidBrush(kColors[nIndex]);
    }
    return brushes[nIndex];
}

BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT, PVOID pvParam, UINT) {
    switch (uiAction) {
        case SPI_GETWORKAREA:
            if (!pvParam) {
                return FALSE;
            }
            *static_cast<RECT*>(pvParam) = RECT{0, 0, 1920, 1080};
            return TRUE;
        case SPI_GETDRAGFULLWINDOWS:
            if (!pvParam) {
                return FALSE;
            }
            *static_cast<BOOL*>(pvParam) = TRUE;
            return TRUE;
        default:
            setLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
    }
}

}  // extern "C"
