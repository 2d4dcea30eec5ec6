// Geometry, hit tests, scrolling and painting of the list view. The layout
// is described in <vedrix/winapi/commctrl_listview.h>.
//
// Choices where the platform leaves room:
// - Rows are max(16, image height) pixels high, so 16 with 16-pixel images
//   and as high as the images of a larger small image list.
// - A selected item is highlighted over its text (plus 2 pixels either side)
//   in column 0, over the whole row with LVS_EX_FULLROWSELECT; the highlight
//   is COLOR_HIGHLIGHT while the control has the focus and COLOR_BTNFACE
//   without it (LVS_SHOWSELALWAYS; without that style an unfocused list shows
//   no selection). A drop-highlighted item is highlighted like a selected
//   one in a focused list. The focused item gets a focus rectangle over the
//   highlight area while the control has the focus.
// - LVM_SCROLL in report view scrolls by whole rows, dy rounded to the
//   nearest multiple of the row height; the top index never passes the last
//   full page.
// - LVM_CREATEDRAGIMAGE makes a one-image list as wide as the small image
//   and the item's text (plus 2 pixels either side) and one row high, the
//   image and the text drawn on the list's background colour, which is the
//   mask colour; the upper left corner reported is the image's.
#include "controls/listview/listview_state.h"

#include "controls/basic/control_util.h"

#include <algorithm>

namespace vedrix::controls::listview {
namespace {

constexpr int kHeaderHeight = 20;
constexpr int kMinRowHeight = 16;
constexpr int kTextPadding = 2;
constexpr int kDefaultIndentWidth = 16;

SIZE imageSize(HIMAGELIST images) {
    SIZE size{0, 0};
    int cx = 0;
    int cy = 0;
    if (images != nullptr && ImageList_GetIconSize(images, &cx, &cy)) {
        size.cx = cx;
        size.cy = cy;
    }
    return size;
}

DWORD styleOf(const ListView& lv) {
    return windowStyle(lv.hwnd);
}

RECT clientRect(const ListView& lv) {
    RECT rc{};
    GetClientRect(lv.hwnd, &rc);
    return rc;
}

int columnAt(const ListView& lv, int x) {
    int left = -lv.scrollX;
    for (int index : lv.order) {
        if (index < 0 || index >= static_cast<int>(lv.columns.size())) {
            continue;
        }
        int width = lv.columns[static_cast<size_t>(index)].width;
        if (x >= left && x < left + width) {
            return index;
        }
        left += width;
    }
    return -1;
}

UINT drawTextAlign(int format) {
    switch (format & LVCFMT_JUSTIFYMASK) {
        case LVCFMT_RIGHT:
            return DT_RIGHT;
        case LVCFMT_CENTER:
            return DT_CENTER;
        default:
            return DT_LEFT;
    }
}

bool inRange(LONG x, const RECT& rc) {
    return x >= rc.left && x < rc.right;
}

void updateScrollBars(ListView& lv) {
    static bool updating = false;  // SetScrollInfo may resize the window
    if (updating || lv.destroyed) {
        return;
    }
    updating = true;
    SCROLLINFO vertical{};
    vertical.cbSize = sizeof(vertical);
    vertical.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    vertical.nMin = 0;
    vertical.nMax = std::max(0, itemCount(lv) - 1);
    vertical.nPage = static_cast<UINT>(countPerPage(lv));
    vertical.nPos = lv.topIndex;
    SetScrollInfo(lv.hwnd, SB_VERT, &vertical, TRUE);
    if (isReport(lv)) {
        RECT client = clientRect(lv);
        SCROLLINFO horizontal{};
        horizontal.cbSize = sizeof(horizontal);
        horizontal.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        horizontal.nMin = 0;
        horizontal.nMax = std::max(0, totalColumnWidth(lv) - 1);
        horizontal.nPage = static_cast<UINT>(std::max<LONG>(0, client.right - client.left));
        horizontal.nPos = lv.scrollX;
        SetScrollInfo(lv.hwnd, SB_HORZ, &horizontal, TRUE);
    }
    updating = false;
}

HBRUSH solidBrush(COLORREF color) {
    return CreateSolidBrush(color);
}

void fill(HDC dc, const RECT& rc, COLORREF color) {
    if (rc.right <= rc.left || rc.bottom <= rc.top) {
        return;
    }
    HBRUSH brush = solidBrush(color);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

void drawImage(HIMAGELIST images, int image, HDC dc, int x, int rowTop, int rowHeight, UINT style) {
    if (images == nullptr || image < 0) {
        return;
    }
    SIZE size = imageSize(images);
    ImageList_Draw(images, image, dc, x, rowTop + (rowHeight - size.cy) / 2, style);
}

void paintItem(ListView& lv, HDC dc, int index) {
    Item* item = lv.items[static_cast<size_t>(index)].get();
    std::string text = itemText(lv, index, 0);
    int image = itemImage(lv, index);
    index = indexOf(lv, item, index);
    if (index < 0 || lv.destroyed) {
        return;
    }
    ItemGeometry g = itemGeometry(lv, index);
    int height = rowHeight(lv);
    DWORD style = styleOf(lv);
    bool fullRow = isReport(lv) && (lv.exStyle & LVS_EX_FULLROWSELECT) != 0;
    bool drop = (item->state & LVIS_DROPHILITED) != 0;
    bool selected = (item->state & LVIS_SELECTED) != 0;
    bool highlighted = drop || (selected && (lv.focused || (style & LVS_SHOWSELALWAYS)));
    bool strong = drop || lv.focused;
    COLORREF highlightBk = GetSysColor(strong ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    COLORREF highlightText = GetSysColor(strong ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);

    UINT stateIndex = (item->state & LVIS_STATEIMAGEMASK) >> 12;
    if (stateIndex > 0) {
        drawImage(lv.stateImages, static_cast<int>(stateIndex) - 1, dc, g.stateImage.left,
                  g.row.top, height, ILD_NORMAL);
    }
    if (lv.smallImages != nullptr && g.icon.right > g.icon.left) {
        UINT drawStyle = (item->state & LVIS_OVERLAYMASK) |
                         ((highlighted && strong) ? ILD_SELECTED : ILD_NORMAL);
        drawImage(lv.smallImages, image, dc, g.icon.left, g.row.top, height, drawStyle);
    }

    RECT highlight = g.label;
    highlight.right =
        std::min(g.label.right, g.label.left + textWidth(lv, text) + 2 * kTextPadding);
    if (fullRow) {
        highlight.right = g.row.right;
    }
    SetBkMode(dc, TRANSPARENT);
    if (highlighted) {
        fill(dc, highlight, highlightBk);
        SetTextColor(dc, highlightText);
    } else {
        if (lv.textBkColor != CLR_NONE && lv.textBkColor != lv.bkColor) {
            fill(dc, highlight, lv.textBkColor);
        }
        SetTextColor(dc, lv.textColor);
    }
    RECT textBox = g.label;
    textBox.left += kTextPadding;
    textBox.right -= kTextPadding;
    if (!text.empty() && textBox.right > textBox.left) {
        DrawTextA(dc, text.c_str(), -1, &textBox,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
    }

    if (isReport(lv)) {
        for (size_t column = 1; column < lv.columns.size() && !lv.destroyed; ++column) {
            RECT box{};
            box.left = columnLeft(lv, static_cast<int>(column));
            box.right = box.left + lv.columns[column].width;
            box.top = g.row.top;
            box.bottom = g.row.bottom;
            if (box.right <= box.left) {
                continue;
            }
            if (lv.exStyle & LVS_EX_SUBITEMIMAGES) {
                int subImage = subItemImage(lv, index, static_cast<int>(column));
                if (subImage >= 0 && lv.smallImages != nullptr) {
                    drawImage(lv.smallImages, subImage, dc, box.left, box.top, height, ILD_NORMAL);
                    box.left += imageSize(lv.smallImages).cx;
                }
            }
            std::string sub = itemText(lv, index, static_cast<int>(column));
            index = indexOf(lv, item, index);
            if (index < 0 || lv.destroyed || column >= lv.columns.size()) {
                return;
            }
            if (sub.empty()) {
                continue;
            }
            SetTextColor(dc, highlighted && fullRow ? highlightText : lv.textColor);
            box.left += kTextPadding;
            box.right -= kTextPadding;
            if (box.right > box.left) {
                DrawTextA(dc, sub.c_str(), -1, &box,
                          DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                              drawTextAlign(lv.columns[column].format));
            }
        }
    }

    if ((item->state & LVIS_FOCUSED) && lv.focused) {
        DrawFocusRect(dc, &highlight);
    }
}

void paintGridLines(ListView& lv, HDC dc) {
    RECT client = clientRect(lv);
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(dc, pen);
    int height = rowHeight(lv);
    int right = std::min(static_cast<int>(client.right), totalColumnWidth(lv) - lv.scrollX);
    for (int y = headerHeight(lv) + height - 1; y < client.bottom; y += height) {
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, right, y);
    }
    int x = -lv.scrollX;
    for (int index : lv.order) {
        x += lv.columns[static_cast<size_t>(index)].width;
        MoveToEx(dc, x - 1, headerHeight(lv), nullptr);
        LineTo(dc, x - 1, client.bottom);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

}  // namespace

bool isReport(const ListView& lv) {
    return (styleOf(lv) & LVS_TYPEMASK) == LVS_REPORT;
}

int headerHeight(const ListView& lv) {
    return isReport(lv) && !(styleOf(lv) & LVS_NOCOLUMNHEADER) ? kHeaderHeight : 0;
}

int rowHeight(const ListView& lv) {
    int height = kMinRowHeight;
    height = std::max(height, static_cast<int>(imageSize(lv.smallImages).cy));
    height = std::max(height, static_cast<int>(imageSize(lv.stateImages).cy));
    return height;
}

int countPerPage(const ListView& lv) {
    RECT client = clientRect(lv);
    int available = static_cast<int>(client.bottom - client.top) - headerHeight(lv);
    return std::max(0, available / rowHeight(lv));
}

int totalColumnWidth(const ListView& lv) {
    int total = 0;
    for (const Column& column : lv.columns) {
        total += column.width;
    }
    return total;
}

int columnLeft(const ListView& lv, int index) {
    int left = -lv.scrollX;
    for (int shown : lv.order) {
        if (shown == index) {
            return left;
        }
        if (shown >= 0 && shown < static_cast<int>(lv.columns.size())) {
            left += lv.columns[static_cast<size_t>(shown)].width;
        }
    }
    return left;
}

int textWidth(ListView& lv, const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    FontDC dc(lv.hwnd, lv.font);
    if (dc.get() == nullptr) {
        return static_cast<int>(text.size()) * 7;
    }
    return vedrix::controls::textWidth(dc.get(), text.c_str(), static_cast<int>(text.size()));
}

ItemGeometry itemGeometry(ListView& lv, int index) {
    ItemGeometry g;
    int height = rowHeight(lv);
    int top = headerHeight(lv) + (index - lv.topIndex) * height;
    const Item& item = *lv.items[static_cast<size_t>(index)];
    int stateWidth = imageSize(lv.stateImages).cx;
    int smallWidth = imageSize(lv.smallImages).cx;
    int indentWidth = item.indent * (smallWidth > 0 ? smallWidth : kDefaultIndentWidth);

    int left = 0;
    int right = 0;
    if (isReport(lv)) {
        left = columnLeft(lv, 0);
        right = lv.columns.empty() ? left : left + lv.columns[0].width;
        g.row.left = -lv.scrollX;
        g.row.right = g.row.left + totalColumnWidth(lv);
    } else {
        // Other views: one item per row, as wide as its content.
        Item* kept = lv.items[static_cast<size_t>(index)].get();
        std::string text = itemText(lv, index, 0);
        if (indexOf(lv, kept, index) != index) {
            return g;
        }
        right = stateWidth + indentWidth + smallWidth + textWidth(lv, text) + 2 * kTextPadding;
        g.row.left = 0;
        g.row.right = right;
    }
    g.row.top = top;
    g.row.bottom = top + height;

    int x = left;
    g.stateImage = RECT{x, top, x + stateWidth, top + height};
    x += stateWidth + indentWidth;
    g.icon = RECT{x, top, x + smallWidth, top + height};
    x += smallWidth;
    g.label = RECT{x, top, std::max(x, right), top + height};
    g.selectBounds = RECT{g.icon.left, top, g.label.right, top + height};
    return g;
}

BOOL getItemRect(ListView& lv, int index, RECT* rect) {
    if (rect == nullptr || !validItem(lv, index)) {
        return FALSE;
    }
    LONG code = rect->left;
    ItemGeometry g = itemGeometry(lv, index);
    switch (code) {
        case LVIR_BOUNDS:
            *rect = g.row;
            return TRUE;
        case LVIR_ICON:
            *rect = g.icon;
            return TRUE;
        case LVIR_LABEL:
            *rect = g.label;
            return TRUE;
        case LVIR_SELECTBOUNDS:
            *rect = g.selectBounds;
            return TRUE;
        default:
            return FALSE;
    }
}

BOOL getSubItemRect(ListView& lv, int index, RECT* rect) {
    if (rect == nullptr || !validItem(lv, index)) {
        return FALSE;
    }
    LONG subItem = rect->top;
    LONG code = rect->left;
    if (subItem < 0 || (subItem > 0 && subItem >= static_cast<LONG>(lv.columns.size()))) {
        return FALSE;
    }
    if (code != LVIR_BOUNDS && code != LVIR_ICON && code != LVIR_LABEL &&
        code != LVIR_SELECTBOUNDS) {
        return FALSE;
    }
    ItemGeometry g = itemGeometry(lv, index);
    if (subItem == 0) {
        rect->left = code;
        return getItemRect(lv, index, rect);
    }
    RECT box{};
    box.left = columnLeft(lv, subItem);
    box.right = box.left + lv.columns[static_cast<size_t>(subItem)].width;
    box.top = g.row.top;
    box.bottom = g.row.bottom;
    int iconWidth = (lv.exStyle & LVS_EX_SUBITEMIMAGES) ? imageSize(lv.smallImages).cx : 0;
    if (code == LVIR_ICON) {
        box.right = box.left + iconWidth;
    } else if (code == LVIR_LABEL) {
        box.left += iconWidth;
    }
    *rect = box;
    return TRUE;
}

int hitTest(ListView& lv, LVHITTESTINFO* info, bool subItems) {
    if (info == nullptr) {
        return -1;
    }
    POINT pt = info->pt;
    RECT client = clientRect(lv);
    info->iItem = -1;
    info->iSubItem = subItems ? -1 : 0;
    UINT outside = 0;
    if (pt.y < client.top) {
        outside |= LVHT_ABOVE;
    } else if (pt.y >= client.bottom) {
        outside |= LVHT_BELOW;
    }
    if (pt.x < client.left) {
        outside |= LVHT_TOLEFT;
    } else if (pt.x >= client.right) {
        outside |= LVHT_TORIGHT;
    }
    if (outside != 0) {
        info->flags = outside;
        return -1;
    }
    info->flags = LVHT_NOWHERE;
    int height = rowHeight(lv);
    int header = headerHeight(lv);
    if (pt.y < header) {
        return -1;
    }
    int index = lv.topIndex + (pt.y - header) / height;
    if (!validItem(lv, index)) {
        return -1;
    }
    ItemGeometry g = itemGeometry(lv, index);
    if (!validItem(lv, index)) {
        return -1;
    }
    UINT flags = 0;
    int column = 0;
    if (subItems && isReport(lv)) {
        column = columnAt(lv, pt.x);
        if (column < 0) {
            return -1;
        }
    }
    if (column == 0) {
        if (inRange(pt.x, g.stateImage)) {
            flags = LVHT_ONITEMSTATEICON;
        } else if (inRange(pt.x, g.icon)) {
            flags = LVHT_ONITEMICON;
        } else if (inRange(pt.x, g.label)) {
            flags = LVHT_ONITEMLABEL;
        } else if (!subItems && isReport(lv) && (lv.exStyle & LVS_EX_FULLROWSELECT) &&
                   inRange(pt.x, g.row)) {
            flags = LVHT_ONITEMLABEL;
        }
    } else {
        int iconWidth = (lv.exStyle & LVS_EX_SUBITEMIMAGES) ? imageSize(lv.smallImages).cx : 0;
        flags = pt.x < columnLeft(lv, column) + iconWidth ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
    }
    if (flags == 0) {
        return -1;
    }
    info->flags = flags;
    info->iItem = index;
    if (subItems) {
        info->iSubItem = column;
    }
    return index;
}

void layoutHeader(ListView& lv) {
    if (lv.header == nullptr) {
        return;
    }
    if (headerHeight(lv) == 0) {
        ShowWindow(lv.header, SW_HIDE);
        return;
    }
    RECT client = clientRect(lv);
    WINDOWPOS pos{};
    HDLAYOUT layout{&client, &pos};
    if (!SendMessageA(lv.header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout))) {
        return;
    }
    SetWindowPos(lv.header, pos.hwndInsertAfter, pos.x - lv.scrollX, pos.y, pos.cx + lv.scrollX,
                 pos.cy, pos.flags | SWP_SHOWWINDOW);
}

void clampScroll(ListView& lv) {
    int maxTop = std::max(0, itemCount(lv) - std::max(1, countPerPage(lv)));
    lv.topIndex = std::clamp(lv.topIndex, 0, maxTop);
    int oldX = lv.scrollX;
    if (isReport(lv)) {
        RECT client = clientRect(lv);
        int maxX = std::max(0, totalColumnWidth(lv) - static_cast<int>(client.right));
        lv.scrollX = std::clamp(lv.scrollX, 0, maxX);
    } else {
        lv.scrollX = 0;
    }
    if (oldX != lv.scrollX) {
        layoutHeader(lv);
    }
    updateScrollBars(lv);
}

void setTopIndex(ListView& lv, int top) {
    int old = lv.topIndex;
    lv.topIndex = top;
    clampScroll(lv);
    if (lv.topIndex != old) {
        invalidate(lv);
    }
}

BOOL ensureVisible(ListView& lv, int index, bool partialOK) {
    if (!validItem(lv, index)) {
        return FALSE;
    }
    int perPage = std::max(1, countPerPage(lv));
    if (index < lv.topIndex) {
        setTopIndex(lv, index);
    } else if (index >= lv.topIndex + perPage) {
        RECT client = clientRect(lv);
        int available = static_cast<int>(client.bottom) - headerHeight(lv);
        bool partlyShown =
            index == lv.topIndex + countPerPage(lv) && available % rowHeight(lv) != 0;
        if (!(partialOK && partlyShown)) {
            setTopIndex(lv, index - perPage + 1);
        }
    }
    return TRUE;
}

BOOL scroll(ListView& lv, int dx, int dy) {
    int height = rowHeight(lv);
    int rows = dy >= 0 ? (dy + height / 2) / height : -((-dy + height / 2) / height);
    int oldX = lv.scrollX;
    lv.scrollX += dx;
    setTopIndex(lv, lv.topIndex + rows);
    if (lv.scrollX != oldX) {
        layoutHeader(lv);
        invalidate(lv);
    }
    return TRUE;
}

void invalidate(ListView& lv) {
    if (!lv.destroyed) {
        InvalidateRect(lv.hwnd, nullptr, TRUE);
    }
}

void invalidateItem(ListView& lv, int index) {
    if (lv.destroyed || !validItem(lv, index)) {
        return;
    }
    RECT client = clientRect(lv);
    int height = rowHeight(lv);
    RECT row{};
    row.left = client.left;
    row.right = client.right;
    row.top = headerHeight(lv) + (index - lv.topIndex) * height;
    row.bottom = row.top + height;
    InvalidateRect(lv.hwnd, &row, TRUE);
}

void eraseBackground(ListView& lv, HDC dc) {
    if (lv.bkColor == CLR_NONE) {
        return;
    }
    RECT client = clientRect(lv);
    fill(dc, client, lv.bkColor);
}

void paint(ListView& lv, HDC dc) {
    HGDIOBJ oldFont = lv.font != nullptr ? SelectObject(dc, lv.font) : nullptr;
    int last = std::min(itemCount(lv) - 1, lv.topIndex + countPerPage(lv));
    for (int index = lv.topIndex; index <= last && !lv.destroyed; ++index) {
        if (!validItem(lv, index)) {
            break;
        }
        paintItem(lv, dc, index);
    }
    if (!lv.destroyed && isReport(lv) && (lv.exStyle & LVS_EX_GRIDLINES)) {
        paintGridLines(lv, dc);
    }
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
}

HIMAGELIST createDragImage(ListView& lv, int index, POINT* upperLeft) {
    if (!validItem(lv, index)) {
        return nullptr;
    }
    Item* item = lv.items[static_cast<size_t>(index)].get();
    std::string text = itemText(lv, index, 0);
    int image = itemImage(lv, index);
    index = indexOf(lv, item, index);
    if (index < 0 || lv.destroyed) {
        return nullptr;
    }
    ItemGeometry g = itemGeometry(lv, index);
    SIZE small = imageSize(lv.smallImages);
    int width = small.cx + textWidth(lv, text) + 2 * kTextPadding;
    int height = rowHeight(lv);

    HDC screen = GetDC(lv.hwnd);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HIMAGELIST list = nullptr;
    if (memory != nullptr && bitmap != nullptr) {
        COLORREF background = lv.bkColor == CLR_NONE ? GetSysColor(COLOR_WINDOW) : lv.bkColor;
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        HGDIOBJ oldFont = lv.font != nullptr ? SelectObject(memory, lv.font) : nullptr;
        RECT all{0, 0, width, height};
        fill(memory, all, background);
        if (lv.smallImages != nullptr && image >= 0) {
            ImageList_Draw(lv.smallImages, image, memory, 0, (height - small.cy) / 2, ILD_NORMAL);
        }
        RECT textBox{small.cx + kTextPadding, 0, width - kTextPadding, height};
        SetBkMode(memory, TRANSPARENT);
        SetTextColor(memory, lv.textColor);
        if (!text.empty()) {
            DrawTextA(memory, text.c_str(), -1, &textBox,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
        }
        if (oldFont != nullptr) {
            SelectObject(memory, oldFont);
        }
        SelectObject(memory, oldBitmap);
        list = ImageList_Create(width, height, ILC_COLORDDB | ILC_MASK, 1, 0);
        if (list != nullptr && ImageList_AddMasked(list, bitmap, background) < 0) {
            ImageList_Destroy(list);
            list = nullptr;
        }
    }
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    if (screen != nullptr) {
        ReleaseDC(lv.hwnd, screen);
    }
    if (list != nullptr && upperLeft != nullptr) {
        upperLeft->x = g.icon.left;
        upperLeft->y = g.row.top;
    }
    return list;
}

}  // namespace vedrix::controls::listview
