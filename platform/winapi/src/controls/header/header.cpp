// The "SysHeader32" window class: column headings side by side, with
// dividers the user drags to resize a column, headings that act as buttons,
// and owner-drawn headings.
//
// The fixed geometry (20-pixel height from HDM_LAYOUT, divider zones of 4
// pixels on either side of an item's right edge, texts 6 pixels inside the
// item) is described in <vedrix/winapi/commctrl_header.h>.
//
// Choices where the platform leaves room:
// - HDM_SETITEM sends HDN_ITEMCHANGING (the parent may refuse the change by
//   returning TRUE) and HDN_ITEMCHANGED, with pitem pointing at a copy of the
//   caller's HDITEM; HDM_INSERTITEM and HDM_DELETEITEM send nothing.
// - An item inserted without HDI_WIDTH is 0 pixels wide; one inserted without
//   HDI_ORDER takes the position equal to its index.
// - HDN_ITEMCLICK, HDN_ITEMDBLCLICK and HDN_DIVIDERDBLCLICK carry no pitem.
// - The end of divider tracking sends HDN_ENDTRACK, then applies the final
//   width through HDN_ITEMCHANGING/HDN_ITEMCHANGED (with HDS_FULLDRAG the width
//   has followed every move already). A parent that returns TRUE from
//   HDN_TRACK ends the tracking there, with the last width it accepted. Losing
//   the capture cancels the tracking: HDN_ENDTRACK reports the width from
//   before the drag, which is restored.
// - A double-click on a heading (HDS_BUTTONS) sends HDN_ITEMDBLCLICK and
//   presses the heading again, so its release sends one more HDN_ITEMCLICK.
// - Giving up the mouse after a press on a heading or a divider sends
//   NM_RELEASEDCAPTURE before the click or the end of the tracking is
//   reported.
// - HDF_BITMAP images and sort arrows are not drawn; HDF_IMAGE images are.
#include "controls/basic/control_util.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vedrix::controls::header {
namespace {

constexpr int kHeaderHeight = 20;
constexpr int kDividerZone = 4;  // pixels on either side of an item's right edge
constexpr int kTextMargin = 6;   // text inset on either side of an item

struct Item {
    int width = 0;
    std::string text;
    bool textCallback = false;
    HBITMAP bitmap = nullptr;
    int format = HDF_LEFT;
    LPARAM lParam = 0;
    int image = 0;
};

enum class Mode { idle, pressing, tracking };

struct Header {
    HWND hwnd = nullptr;
    HWND notifyWindow = nullptr;
    bool destroyed = false;

    std::vector<Item> items;
    std::vector<int> order;  // display position -> item index
    HIMAGELIST images = nullptr;
    HFONT font = nullptr;

    Mode mode = Mode::idle;
    int pressed = -1;            // item pressed while Mode::pressing
    bool pressedInside = false;  // the cursor is over the pressed item
    int tracked = -1;            // item whose divider is dragged while Mode::tracking
    int trackStartX = 0;
    int trackStartWidth = 0;
    int trackWidth = 0;
};

std::unordered_map<HWND, std::shared_ptr<Header>> g_headers;

DWORD style(const Header& h) {
    return windowStyle(h.hwnd);
}

bool validIndex(const Header& h, int index) {
    return index >= 0 && index < static_cast<int>(h.items.size());
}

int positionOf(const Header& h, int index) {
    auto it = std::find(h.order.begin(), h.order.end(), index);
    return it == h.order.end() ? -1 : static_cast<int>(it - h.order.begin());
}

// Left edge of the item shown at `position`.
int leftOfPosition(const Header& h, int position) {
    int x = 0;
    for (int p = 0; p < position && p < static_cast<int>(h.order.size()); ++p) {
        x += h.items[static_cast<size_t>(h.order[static_cast<size_t>(p)])].width;
    }
    return x;
}

RECT itemRect(const Header& h, int index) {
    RECT client{};
    GetClientRect(h.hwnd, &client);
    RECT rc{};
    int position = positionOf(h, index);
    rc.left = leftOfPosition(h, position);
    rc.right = rc.left + h.items[static_cast<size_t>(index)].width;
    rc.top = 0;
    rc.bottom = client.bottom;
    return rc;
}

void invalidate(const Header& h) {
    InvalidateRect(h.hwnd, nullptr, TRUE);
}

LRESULT notify(Header& h, UINT code, int item, int button, HDITEMA* pitem) {
    if (h.notifyWindow == nullptr) {
        return 0;
    }
    NMHEADERA nm{};
    nm.hdr.hwndFrom = h.hwnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(h.hwnd));
    nm.hdr.code = code;
    nm.iItem = item;
    nm.iButton = button;
    nm.pitem = pitem;
    return SendMessageA(h.notifyWindow, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void notifyPlain(Header& h, UINT code) {
    if (h.notifyWindow == nullptr) {
        return;
    }
    NMHDR nm{};
    nm.hwndFrom = h.hwnd;
    nm.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(h.hwnd));
    nm.code = code;
    SendMessageA(h.notifyWindow, WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}

// --- hit testing ------------------------------------------------------------

struct Hit {
    UINT flags = HHT_NOWHERE;
    int item = -1;
};

Hit hitTest(const Header& h, POINT pt) {
    Hit hit;
    RECT client{};
    GetClientRect(h.hwnd, &client);
    UINT outside = 0;
    if (pt.y < client.top) {
        outside |= HHT_ABOVE;
    } else if (pt.y >= client.bottom) {
        outside |= HHT_BELOW;
    }
    if (pt.x < client.left) {
        outside |= HHT_TOLEFT;
    } else if (pt.x >= client.right) {
        outside |= HHT_TORIGHT;
    }
    if (outside != 0) {
        hit.flags = outside;
        return hit;
    }

    // The nearest divider within reach: left of an edge it belongs to the item
    // of non-zero width ending there, right of it to the last item ending there.
    int bestDistance = kDividerZone + 1;
    int x = 0;
    for (size_t p = 0; p < h.order.size(); ++p) {
        int index = h.order[p];
        const Item& item = h.items[static_cast<size_t>(index)];
        x += item.width;
        int distance = -1;
        bool rightSide = pt.x >= x;
        if (rightSide && pt.x < x + kDividerZone) {
            distance = pt.x - x;
        } else if (!rightSide && pt.x >= x - kDividerZone && item.width > 0) {
            distance = x - pt.x;
        }
        if (distance < 0) {
            continue;
        }
        if (distance < bestDistance || (distance == bestDistance && rightSide)) {
            bestDistance = distance;
            hit.item = index;
            hit.flags = (rightSide && item.width == 0) ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
        }
    }
    if (hit.item >= 0) {
        return hit;
    }

    x = 0;
    for (int index : h.order) {
        int width = h.items[static_cast<size_t>(index)].width;
        if (pt.x >= x && pt.x < x + width) {
            hit.item = index;
            hit.flags = HHT_ONHEADER;
            return hit;
        }
        x += width;
    }
    return hit;
}

// --- items ------------------------------------------------------------------

void setText(Item& item, LPCSTR text) {
    if (text == LPSTR_TEXTCALLBACKA) {
        item.text.clear();
        item.textCallback = true;
        return;
    }
    item.textCallback = false;
    item.text = text != nullptr ? text : "";
}

// The text shown for an item, asking the parent for a callback text.
std::string displayText(Header& h, int index) {
    Item& item = h.items[static_cast<size_t>(index)];
    if (!item.textCallback) {
        return item.text;
    }
    char buffer[260] = {};
    NMHDDISPINFOA info{};
    info.hdr.hwndFrom = h.hwnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(h.hwnd));
    info.hdr.code = HDN_GETDISPINFOA;
    info.iItem = index;
    info.mask = HDI_TEXT;
    info.pszText = buffer;
    info.cchTextMax = static_cast<int>(sizeof(buffer));
    info.lParam = item.lParam;
    if (h.notifyWindow != nullptr) {
        SendMessageA(h.notifyWindow, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    }
    if (info.pszText == nullptr || info.pszText == LPSTR_TEXTCALLBACKA) {
        return {};
    }
    if (info.pszText == buffer) {
        buffer[sizeof(buffer) - 1] = '\0';
    }
    return info.pszText;
}

void moveToPosition(Header& h, int index, int position) {
    int current = positionOf(h, index);
    if (current < 0) {
        return;
    }
    h.order.erase(h.order.begin() + current);
    position = std::clamp(position, 0, static_cast<int>(h.order.size()));
    h.order.insert(h.order.begin() + position, index);
}

int insertItem(Header& h, int index, const HDITEMA* in) {
    if (in == nullptr || index < 0) {
        return -1;
    }
    index = std::min(index, static_cast<int>(h.items.size()));
    Item item;
    if (in->mask & HDI_WIDTH) {
        item.width = std::max(0, in->cxy);
    }
    if (in->mask & HDI_TEXT) {
        setText(item, in->pszText);
    }
    if (in->mask & HDI_FORMAT) {
        item.format = in->fmt;
    }
    if (in->mask & HDI_LPARAM) {
        item.lParam = in->lParam;
    }
    if (in->mask & HDI_BITMAP) {
        item.bitmap = in->hbm;
    }
    if (in->mask & HDI_IMAGE) {
        item.image = in->iImage;
    }
    for (int& entry : h.order) {
        if (entry >= index) {
            ++entry;
        }
    }
    h.items.insert(h.items.begin() + index, std::move(item));
    int position = (in->mask & HDI_ORDER) ? in->iOrder : index;
    position = std::clamp(position, 0, static_cast<int>(h.order.size()));
    h.order.insert(h.order.begin() + position, index);
    invalidate(h);
    return index;
}

BOOL deleteItem(Header& h, int index) {
    if (!validIndex(h, index)) {
        return FALSE;
    }
    if (h.mode != Mode::idle && (h.pressed == index || h.tracked == index)) {
        h.mode = Mode::idle;
        h.pressed = h.tracked = -1;
        if (GetCapture() == h.hwnd) {
            ReleaseCapture();
        }
    }
    h.items.erase(h.items.begin() + index);
    h.order.erase(h.order.begin() + positionOf(h, index));
    for (int& entry : h.order) {
        if (entry > index) {
            --entry;
        }
    }
    for (int* tracked : {&h.pressed, &h.tracked}) {
        if (*tracked > index) {
            --*tracked;
        }
    }
    invalidate(h);
    return TRUE;
}

BOOL getItem(Header& h, int index, HDITEMA* out) {
    if (out == nullptr || !validIndex(h, index)) {
        return FALSE;
    }
    const Item& item = h.items[static_cast<size_t>(index)];
    if (out->mask & HDI_WIDTH) {
        out->cxy = item.width;
    }
    if (out->mask & HDI_TEXT) {
        if (item.textCallback) {
            out->pszText = LPSTR_TEXTCALLBACKA;
        } else if (out->pszText != nullptr && out->cchTextMax > 0) {
            copyText(item.text, out->pszText, static_cast<size_t>(out->cchTextMax));
        }
    }
    if (out->mask & HDI_FORMAT) {
        out->fmt = item.format;
    }
    if (out->mask & HDI_LPARAM) {
        out->lParam = item.lParam;
    }
    if (out->mask & HDI_BITMAP) {
        out->hbm = item.bitmap;
    }
    if (out->mask & HDI_IMAGE) {
        out->iImage = item.image;
    }
    if (out->mask & HDI_ORDER) {
        out->iOrder = positionOf(h, index);
    }
    return TRUE;
}

// HDM_SETITEM and every width change the user makes.
BOOL setItem(Header& h, int index, const HDITEMA* in) {
    if (in == nullptr || !validIndex(h, index)) {
        return FALSE;
    }
    HDITEMA change = *in;
    if (notify(h, HDN_ITEMCHANGINGA, index, 0, &change) != 0 || h.destroyed) {
        return FALSE;
    }
    if (!validIndex(h, index)) {
        return FALSE;
    }
    Item& item = h.items[static_cast<size_t>(index)];
    if (in->mask & HDI_WIDTH) {
        item.width = std::max(0, in->cxy);
    }
    if (in->mask & HDI_TEXT) {
        setText(item, in->pszText);
    }
    if (in->mask & HDI_FORMAT) {
        item.format = in->fmt;
    }
    if (in->mask & HDI_LPARAM) {
        item.lParam = in->lParam;
    }
    if (in->mask & HDI_BITMAP) {
        item.bitmap = in->hbm;
    }
    if (in->mask & HDI_IMAGE) {
        item.image = in->iImage;
    }
    if (in->mask & HDI_ORDER) {
        moveToPosition(h, index, in->iOrder);
    }
    invalidate(h);
    change = *in;
    notify(h, HDN_ITEMCHANGEDA, index, 0, &change);
    return TRUE;
}

BOOL setWidth(Header& h, int index, int width) {
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    return setItem(h, index, &item);
}

BOOL layout(Header& h, HDLAYOUT* lay) {
    if (lay == nullptr || lay->prc == nullptr || lay->pwpos == nullptr) {
        return FALSE;
    }
    int height = (style(h) & HDS_HIDDEN) ? 0 : kHeaderHeight;
    WINDOWPOS* pos = lay->pwpos;
    pos->hwnd = h.hwnd;
    pos->hwndInsertAfter = nullptr;
    pos->x = lay->prc->left;
    pos->y = lay->prc->top;
    pos->cx = lay->prc->right - lay->prc->left;
    pos->cy = height;
    pos->flags = SWP_NOZORDER | SWP_NOACTIVATE;
    lay->prc->top += height;
    return TRUE;
}

BOOL getOrder(const Header& h, WPARAM count, LPARAM array) {
    if (array == 0 || count != h.order.size()) {
        return FALSE;
    }
    int* out = reinterpret_cast<int*>(array);
    std::copy(h.order.begin(), h.order.end(), out);
    return TRUE;
}

BOOL setOrder(Header& h, WPARAM count, LPARAM array) {
    if (array == 0 || count != h.order.size()) {
        return FALSE;
    }
    const int* in = reinterpret_cast<const int*>(array);
    std::vector<int> order(in, in + count);
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 0; i < sorted.size(); ++i) {
        if (sorted[i] != static_cast<int>(i)) {
            return FALSE;
        }
    }
    h.order = std::move(order);
    invalidate(h);
    return TRUE;
}

// --- painting ---------------------------------------------------------------

void drawItem(Header& h, HDC dc, int index) {
    RECT rc = itemRect(h, index);
    bool pushed = h.mode == Mode::pressing && h.pressed == index && h.pressedInside;
    Item& item = h.items[static_cast<size_t>(index)];
    if (item.format & HDF_OWNERDRAW) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_HEADER;
        draw.CtlID = static_cast<UINT>(GetDlgCtrlID(h.hwnd));
        draw.itemID = static_cast<UINT>(index);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = pushed ? ODS_SELECTED : 0;
        draw.hwndItem = h.hwnd;
        draw.hDC = dc;
        draw.rcItem = rc;
        draw.itemData = static_cast<ULONG_PTR>(item.lParam);
        if (h.notifyWindow != nullptr) {
            SendMessageA(h.notifyWindow, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        }
        return;
    }

    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge = rc;
    DrawEdge(dc, &edge, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    RECT text = rc;
    text.left += kTextMargin;
    text.right -= kTextMargin;
    if (pushed) {
        OffsetRect(&text, 1, 1);
    }
    if ((item.format & HDF_IMAGE) && h.images != nullptr) {
        int cx = 0;
        int cy = 0;
        ImageList_GetIconSize(h.images, &cx, &cy);
        int y = rc.top + (rc.bottom - rc.top - cy) / 2;
        if (item.format & HDF_BITMAP_ON_RIGHT) {
            ImageList_Draw(h.images, item.image, dc, text.right - cx, y, ILD_NORMAL);
            text.right -= cx + kTextMargin;
        } else {
            ImageList_Draw(h.images, item.image, dc, text.left, y, ILD_NORMAL);
            text.left += cx + kTextMargin;
        }
    }
    std::string label = displayText(h, index);
    if (h.destroyed) {
        return;
    }
    if (!label.empty() && text.right > text.left) {
        UINT align = DT_LEFT;
        if ((item.format & HDF_JUSTIFYMASK) == HDF_RIGHT) {
            align = DT_RIGHT;
        } else if ((item.format & HDF_JUSTIFYMASK) == HDF_CENTER) {
            align = DT_CENTER;
        }
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(dc, label.c_str(), -1, &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | align);
    }
}

void paint(Header& h, HDC dc) {
    RECT client{};
    GetClientRect(h.hwnd, &client);
    HGDIOBJ oldFont = h.font != nullptr ? SelectObject(dc, h.font) : nullptr;
    std::vector<int> order = h.order;  // an owner-draw parent may change the items
    int right = 0;
    for (int index : order) {
        if (h.destroyed || !validIndex(h, index)) {
            break;
        }
        drawItem(h, dc, index);
        right = std::max(right, static_cast<int>(itemRect(h, index).right));
    }
    if (!h.destroyed && right < client.right) {
        RECT rest = client;
        rest.left = right;
        FillRect(dc, &rest, GetSysColorBrush(COLOR_BTNFACE));
    }
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
}

// --- mouse ------------------------------------------------------------------

void beginTracking(Header& h, int index, POINT pt) {
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = h.items[static_cast<size_t>(index)].width;
    if (notify(h, HDN_BEGINTRACKA, index, 0, &item) != 0 || h.destroyed || !validIndex(h, index)) {
        return;
    }
    h.mode = Mode::tracking;
    h.tracked = index;
    h.trackStartX = pt.x;
    h.trackStartWidth = h.items[static_cast<size_t>(index)].width;
    h.trackWidth = h.trackStartWidth;
    SetCapture(h.hwnd);
}

// Gives up the mouse held since a press on a heading or a divider and tells
// the parent (NM_RELEASEDCAPTURE).
void releaseMouse(Header& h) {
    if (GetCapture() != h.hwnd) {
        return;
    }
    ReleaseCapture();
    notifyPlain(h, NM_RELEASEDCAPTURE);
}

// Ends divider tracking; `commit` applies the tracked width, otherwise the
// width from before the drag is restored.
void endTracking(Header& h, bool commit) {
    int index = h.tracked;
    int width = commit ? h.trackWidth : h.trackStartWidth;
    h.mode = Mode::idle;
    h.tracked = -1;
    releaseMouse(h);
    if (h.destroyed || !validIndex(h, index)) {
        return;
    }
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    notify(h, HDN_ENDTRACKA, index, 0, &item);
    if (h.destroyed || !validIndex(h, index)) {
        return;
    }
    bool fullDrag = (style(h) & HDS_FULLDRAG) != 0;
    if (!fullDrag && commit) {
        setWidth(h, index, width);
    } else if (fullDrag && h.items[static_cast<size_t>(index)].width != width) {
        setWidth(h, index, width);
    }
}

void trackTo(Header& h, POINT pt) {
    int width = std::max(0, h.trackStartWidth + static_cast<int>(pt.x) - h.trackStartX);
    if (width == h.trackWidth) {
        return;
    }
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    if (notify(h, HDN_TRACKA, h.tracked, 0, &item) != 0) {
        if (!h.destroyed && h.mode == Mode::tracking) {
            endTracking(h, true);
        }
        return;
    }
    if (h.destroyed || h.mode != Mode::tracking) {
        return;
    }
    h.trackWidth = width;
    if (style(h) & HDS_FULLDRAG) {
        setWidth(h, h.tracked, width);
    }
}

void beginPress(Header& h, int index) {
    h.mode = Mode::pressing;
    h.pressed = index;
    h.pressedInside = true;
    SetCapture(h.hwnd);
    invalidate(h);
}

void onButtonDown(Header& h, POINT pt, bool doubleClick) {
    if (h.mode != Mode::idle) {
        return;
    }
    Hit hit = hitTest(h, pt);
    if (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        if (doubleClick) {
            notify(h, HDN_DIVIDERDBLCLICKA, hit.item, 0, nullptr);
        } else {
            beginTracking(h, hit.item, pt);
        }
        return;
    }
    if ((hit.flags & HHT_ONHEADER) && (style(h) & HDS_BUTTONS)) {
        if (doubleClick) {
            notify(h, HDN_ITEMDBLCLICKA, hit.item, 0, nullptr);
            if (h.destroyed || !validIndex(h, hit.item)) {
                return;
            }
        }
        beginPress(h, hit.item);
    }
}

void onMouseMove(Header& h, POINT pt) {
    if (h.mode == Mode::tracking) {
        trackTo(h, pt);
    } else if (h.mode == Mode::pressing) {
        Hit hit = hitTest(h, pt);
        bool inside = (hit.flags & HHT_ONHEADER) && hit.item == h.pressed;
        if (inside != h.pressedInside) {
            h.pressedInside = inside;
            invalidate(h);
        }
    }
}

void onButtonUp(Header& h, POINT pt) {
    if (h.mode == Mode::tracking) {
        trackTo(h, pt);
        if (!h.destroyed && h.mode == Mode::tracking) {
            endTracking(h, true);
        }
        return;
    }
    if (h.mode != Mode::pressing) {
        return;
    }
    int pressed = h.pressed;
    h.mode = Mode::idle;
    h.pressed = -1;
    releaseMouse(h);
    if (h.destroyed) {
        return;
    }
    invalidate(h);
    Hit hit = hitTest(h, pt);
    if ((hit.flags & HHT_ONHEADER) && hit.item == pressed) {
        notify(h, HDN_ITEMCLICKA, pressed, 0, nullptr);
    }
}

void onCaptureLost(Header& h) {
    if (h.mode == Mode::tracking) {
        endTracking(h, false);
    } else if (h.mode == Mode::pressing) {
        h.mode = Mode::idle;
        h.pressed = -1;
        invalidate(h);
    }
}

// --- window procedure ------------------------------------------------------

LRESULT handle(Header& h, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(h.hwnd, &ps);
            if (dc != nullptr) {
                paint(h, dc);
            }
            EndPaint(h.hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            if (wParam != 0) {
                paint(h, reinterpret_cast<HDC>(wParam));
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFONT:
            h.font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam) != 0) {
                invalidate(h);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(h.font);

        case WM_LBUTTONDOWN:
            onButtonDown(h, pointFromLParam(lParam), false);
            return 0;
        case WM_LBUTTONDBLCLK:
            onButtonDown(h, pointFromLParam(lParam), true);
            return 0;
        case WM_MOUSEMOVE:
            onMouseMove(h, pointFromLParam(lParam));
            return 0;
        case WM_LBUTTONUP:
            onButtonUp(h, pointFromLParam(lParam));
            return 0;
        case WM_RBUTTONUP:
            notifyPlain(h, NM_RCLICK);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != h.hwnd) {
                onCaptureLost(h);
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE && h.mode != Mode::idle) {
                onCaptureLost(h);
                return 0;
            }
            break;

        case HDM_GETITEMCOUNT:
            return static_cast<LRESULT>(h.items.size());
        case HDM_INSERTITEMA:
            return insertItem(h, static_cast<int>(wParam),
                              reinterpret_cast<const HDITEMA*>(lParam));
        case HDM_DELETEITEM:
            return deleteItem(h, static_cast<int>(wParam));
        case HDM_GETITEMA:
            return getItem(h, static_cast<int>(wParam), reinterpret_cast<HDITEMA*>(lParam));
        case HDM_SETITEMA:
            return setItem(h, static_cast<int>(wParam), reinterpret_cast<const HDITEMA*>(lParam));
        case HDM_LAYOUT:
            return layout(h, reinterpret_cast<HDLAYOUT*>(lParam));
        case HDM_HITTEST: {
            auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
            if (info == nullptr) {
                return -1;
            }
            Hit hit = hitTest(h, info->pt);
            info->flags = hit.flags;
            info->iItem = hit.item;
            return hit.item;
        }
        case HDM_GETITEMRECT: {
            auto* rc = reinterpret_cast<RECT*>(lParam);
            int index = static_cast<int>(wParam);
            if (rc == nullptr || !validIndex(h, index)) {
                return FALSE;
            }
            *rc = itemRect(h, index);
            return TRUE;
        }
        case HDM_SETIMAGELIST: {
            HIMAGELIST old = h.images;
            h.images = reinterpret_cast<HIMAGELIST>(lParam);
            invalidate(h);
            return reinterpret_cast<LRESULT>(old);
        }
        case HDM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(h.images);
        case HDM_ORDERTOINDEX: {
            auto position = static_cast<INT_PTR>(wParam);
            if (position < 0 || position >= static_cast<INT_PTR>(h.order.size())) {
                return static_cast<LRESULT>(wParam);
            }
            return h.order[static_cast<size_t>(position)];
        }
        case HDM_GETORDERARRAY:
            return getOrder(h, wParam, lParam);
        case HDM_SETORDERARRAY:
            return setOrder(h, wParam, lParam);
        default:
            break;
    }
    return DefWindowProcA(h.hwnd, message, wParam, lParam);
}

LRESULT CALLBACK headerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto state = std::make_shared<Header>();
        state->hwnd = hwnd;
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        state->notifyWindow = create != nullptr ? create->hwndParent : nullptr;
        g_headers[hwnd] = state;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto found = g_headers.find(hwnd);
    if (found == g_headers.end()) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    std::shared_ptr<Header> state = found->second;  // keeps the state alive during the call
    if (message == WM_NCDESTROY) {
        state->destroyed = true;
        g_headers.erase(found);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return handle(*state, message, wParam, lParam);
}

struct Registration {
    Registration() {
        registerControlClass(WC_HEADERA, headerProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
    }
} g_registration;

}  // namespace
}  // namespace vedrix::controls::header
