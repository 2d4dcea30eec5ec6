// The headless device contexts: what they draw, what they record, and the
// state of the drag image, for tests and the automation layer.
//
// Device contexts
// - A window device context (GetDC, GetWindowDC, BeginPaint) draws no pixels.
//   Its device coordinates are the window's client coordinates (no non-client
//   area takes space) and it clips to the client rectangle; BeginPaint's
//   context clips to the update rectangle as well. Every drawing call on it is
//   appended to the drawing record below. Reading pixels from it (GetPixel,
//   BitBlt as a source) reads an empty white screen.
// - A memory device context (CreateCompatibleDC) with a selected bitmap draws
//   real pixels into that bitmap, so tests can check them with GetPixel or
//   GetDIBits. Its calls are recorded only while setRecordMemoryDCs(true).
// - The screen context (GetDC(NULL), CreateDC("DISPLAY")) is 1920 x 1080,
//   draws no pixels and is recorded with a null window.
// - Bitmaps keep 32-bit pixels; a bitmap of a smaller depth (monochrome
//   bitmaps, bitmaps and DIB sections of 4, 8, 16 or 24 bits) reduces every
//   colour written to it to what the depth holds (nearest colour-table entry,
//   5 or 6 bits per channel), and monochrome bitmaps convert in blits as on
//   the platform (colour to mono: the source's background colour becomes
//   white, all else black; mono to colour: black becomes the destination's
//   text colour, white its background colour). Colour device bitmaps have the
//   display's 32 bits.
// - Pen lines leave out their end point (Bresenham); wide pens stamp a square
//   of their width; dashed and dotted pens draw solid. Stretching takes the
//   nearest source pixel in every stretch mode. Mapping modes other than
//   MM_TEXT are refused.
//
// Text
// - Every font has the same fixed metrics: each character is 7 pixels wide
//   (8 in a font whose weight is FW_BOLD or more), a line is 16 pixels high,
//   ascent 12, descent 4, no leading. The font's height, width and face only
//   matter to GetObject and GetTextFace. SYSTEM_FONT has normal weight.
// - Text drawn into a bitmap is a box per character cell: a character other
//   than a space fills columns x + 1 to x + 5 (x + 6 bold) and rows y + 3 to
//   y + 12 of its cell (x, y: the cell's top-left corner) with the text
//   colour. In OPAQUE mode the whole cell is first filled with the background
//   colour.
// - DrawTextA: prefixes ("&x", "&&") are removed unless DT_NOPREFIX;
//   DT_WORDBREAK breaks at spaces only (a longer word stays whole);
//   DT_END_ELLIPSIS and DT_PATH_ELLIPSIS shorten a line to the rectangle's
//   width; DT_CALCRECT makes the rectangle as wide as the widest line and as
//   high as the lines (an empty text has no line).
//
// GDI objects
// - Objects live in a handle table; a deleted, stale or wrong-kind handle makes
//   the call fail as the platform fails (null, FALSE, 0, CLR_INVALID,
//   HGDI_ERROR), never crash. Stock objects cannot be deleted (DeleteObject
//   returns TRUE and does nothing).
// - DeleteObject of a bitmap selected into a device context fails (FALSE) and
//   the bitmap stays. DeleteObject of a pen, brush, font, region or palette
//   that is still selected into a device context (or kept in one of its saved
//   states) returns TRUE but the object lives on until no context refers to it
//   any more, then it is freed.
// - gdiObjectCount() counts the live objects (stock objects excluded, device
//   contexts included), so a test can tell that a piece of code leaves no
//   objects behind.
#pragma once

#include <windows.h>
#include <vedrix/winapi/commctrl_imagelist.h>

#include <cstddef>
#include <string>
#include <vector>

namespace vedrix::headless {

// What a drawing record entry stands for. The fields that carry meaning for
// each kind are listed with it; all coordinates are device coordinates of the
// context, i.e. client coordinates for a window context (logical coordinates
// after the viewport and window origins were applied).
enum class DrawingKind {
    BeginPaint,      // rect: rcPaint of the PAINTSTRUCT
    EndPaint,        // -
    TextOut,         // rect: the text's box (after alignment); text; colours; fontWeight
    ExtTextOut,      // rect: the text's box; bounds: the option rectangle (or empty);
                     // flags: ETO_ options; text (may be empty for an opaque fill)
    DrawText,        // rect: the box of the lines as placed; bounds: the formatting
                     // rectangle; text: the lines as shown (prefixes removed, ellipsis
                     // applied), joined by '\n'; flags: DT_ flags
    FillRect,        // rect; color: the brush's colour (CLR_INVALID when not solid)
    FrameRect,       // rect; color
    FocusRect,       // rect
    InvertRect,      // rect
    DrawEdge,        // rect; flags: edge in the high word, BF_ flags in the low word
    PatBlt,          // rect; flags: raster operation; color: brush colour
    BitBlt,          // rect: destination; bounds: source rectangle (source device
                     // coordinates); flags: raster operation
    StretchBlt,      // as BitBlt
    DIBitsToDevice,  // rect: destination (SetDIBitsToDevice, StretchDIBits); flags: rop
    SetPixel,        // rect: the pixel; color
    LineTo,          // points: start and end; color: pen colour
    Polyline,        // points; color: pen colour
    Polygon,         // points; color: brush colour
    Rectangle,       // rect; color: brush colour
    Ellipse,         // rect; color: brush colour
    FillRgn,         // rect: the region's bounding box; color: brush colour
    DrawIcon,        // rect: destination
    ImageListDraw,   // rect: destination; imageList, image; flags: ILD_ style;
                     // color: the background colour used (CLR_NONE when transparent)
    SetClip,         // rect: the resulting clip box (SelectClipRgn, IntersectClipRect...)
    SetViewportOrg,  // rect.left/top: the new viewport origin
    SetWindowOrg,    // rect.left/top: the new window origin
};

// One recorded drawing call.
struct DrawingEntry {
    DrawingKind kind;
    HWND window = nullptr;  // the window of the context; null for a memory or screen context
    HDC dc = nullptr;
    RECT rect{};    // see DrawingKind
    RECT bounds{};  // see DrawingKind
    RECT clip{};    // the context's clip box (device coordinates) when the call was made
    std::vector<POINT> points;
    std::string text;
    COLORREF textColor = 0;
    COLORREF bkColor = 0;
    int bkMode = 0;
    int fontWeight = 0;
    COLORREF color = CLR_INVALID;
    UINT flags = 0;
    HIMAGELIST imageList = nullptr;
    int image = -1;
};

// The whole record, in call order, of every window context (and memory
// contexts while they are recorded). When it reaches 2^20 entries the older
// half is dropped, so that a long session without clearDrawingRecord() does
// not grow without bound.
VEDRIX_WINAPI_VISIBLE const std::vector<DrawingEntry>& drawingRecord();
// The entries of one window, in call order.
VEDRIX_WINAPI_VISIBLE std::vector<DrawingEntry> drawingRecord(HWND window);
VEDRIX_WINAPI_VISIBLE void clearDrawingRecord();
// Record the calls on memory device contexts too (off at start).
VEDRIX_WINAPI_VISIBLE void setRecordMemoryDCs(bool record);
// Back to the start: empties the record, stops recording memory contexts and
// ends a drag (its drag image list is destroyed). GDI objects stay.
VEDRIX_WINAPI_VISIBLE void resetDrawing();
// A short name of a kind ("TextOut", "FillRect"...), for messages of tests.
VEDRIX_WINAPI_VISIBLE const char* drawingKindName(DrawingKind kind);

// Live GDI objects (bitmaps, brushes, pens, fonts, regions, palettes, device
// contexts), stock objects excluded.
VEDRIX_WINAPI_VISIBLE std::size_t gdiObjectCount();
// Live objects of one OBJ_ type (OBJ_BITMAP, OBJ_BRUSH...; OBJ_DC counts all contexts).
VEDRIX_WINAPI_VISIBLE std::size_t gdiObjectCount(DWORD objectType);
// Live image lists (the drag image's own list included) and icons.
VEDRIX_WINAPI_VISIBLE std::size_t imageListCount();
VEDRIX_WINAPI_VISIBLE std::size_t iconCount();

// The drag image, as the ImageList_ drag functions leave it.
struct DragImageState {
    bool dragging = false;            // between ImageList_BeginDrag and ImageList_EndDrag
    bool locked = false;              // between ImageList_DragEnter and ImageList_DragLeave
    bool shown = false;               // the image is visible (DragEnter, DragShowNolock(TRUE))
    HWND lockWindow = nullptr;        // the window given to DragEnter (null: the desktop)
    HIMAGELIST imageList = nullptr;   // the drag image's own list (ImageList_GetDragImage)
    HIMAGELIST sourceList = nullptr;  // the list and image given to ImageList_BeginDrag
    int sourceImage = -1;
    SIZE imageSize{};          // size of the drag image
    POINT hotspot{};           // hot spot within the image
    POINT position{};          // last position given to DragEnter/DragMove, relative to the
                               // lock window's upper-left corner
    POINT screenPosition{};    // the same position in screen coordinates
    RECT screenRect{};         // where the image stands on the screen (position - hotspot, size)
    bool cursorImage = false;  // ImageList_SetDragCursorImage merged a cursor image in
};
VEDRIX_WINAPI_VISIBLE DragImageState dragImageState();

}  // namespace vedrix::headless
