// Tree view geometry, scrolling, hit testing and drawing. The layout is the
// one documented in <vedrix/winapi/commctrl_treeview.h>; the table of visible
// rows is rebuilt only when something asks for rows after the structure
// changed, never per insertion.
#include "controls/treeview/treeview_state.h"

#include <algorithm>
#include <cstring>

namespace vedrix::controls::treeview {

namespace {

constexpr int kTextHeight = 16;
constexpr int kLabelMargin = 2;

DWORD styleOf(const Tree& tree) {
    return static_cast<DWORD>(GetWindowLongPtrA(tree.hwnd, GWL_STYLE));
}

SIZE imageSize(HIMAGELIST list) {
    SIZE size{0, 0};
    if (list != nullptr) {
        int cx = 0, cy = 0;
        if (ImageList_GetIconSize(list, &cx, &cy)) {
            size.cx = cx;
            size.cy = cy;
        }
    }
    return size;
}

RECT clientRect(const Tree& tree) {
    RECT client{0, 0, 0, 0};
    GetClientRect(tree.hwnd, &client);
    return client;
}

bool rootColumn(DWORD style) {
    return (style & TVS_LINESATROOT) != 0 && (style & (TVS_HASLINES | TVS_HASBUTTONS)) != 0;
}

COLORREF resolve(COLORREF color, int systemColor) {
    return (color == CLR_NONE || color == CLR_DEFAULT) ? GetSysColor(systemColor) : color;
}

void fill(HDC dc, const RECT& rect, HBRUSH brush) {
    if (rect.right > rect.left && rect.bottom > rect.top) {
        FillRect(dc, &rect, brush);
    }
}

// The connecting lines of one row: the item's own column (to its parent and
// on to its next sibling) and the columns of ancestors that have siblings
// below.
void drawLines(Tree& tree, HDC dc, Item* item, const RowGeometry& g, HBRUSH brush, DWORD style) {
    const int extra = rootColumn(style) ? 1 : 0;
    const int level = item->depth + extra;
    const int middle = (g.row.top + g.row.bottom) / 2;
    if (level > 0) {
        int x = g.buttonLeft + tree.indent / 2;
        int from = (item->depth == 0 && item->prev == nullptr) ? middle : g.row.top;
        int to = item->next != nullptr ? g.row.bottom : middle + 1;
        fill(dc, RECT{x, from, x + 1, to}, brush);
        fill(dc, RECT{x, middle, g.itemLeft, middle + 1}, brush);
    }
    for (Item* ancestor = item->parent; ancestor != nullptr && ancestor->depth >= 0;
         ancestor = ancestor->parent) {
        int ancestorLevel = ancestor->depth + extra;
        if (ancestorLevel > 0 && ancestor->next != nullptr) {
            int x = (ancestorLevel - 1) * tree.indent + tree.indent / 2;
            fill(dc, RECT{x, g.row.top, x + 1, g.row.bottom}, brush);
        }
    }
}

// A 9 x 9 box centred in the button column, with a minus, and a plus while
// collapsed.
void drawButton(Tree& tree, HDC dc, Item* item, const RowGeometry& g, HBRUSH background,
                HBRUSH frame, HBRUSH sign) {
    const int cx = g.buttonLeft + tree.indent / 2;
    const int cy = (g.row.top + g.row.bottom) / 2;
    RECT box{cx - 4, cy - 4, cx + 5, cy + 5};
    FillRect(dc, &box, background);
    FrameRect(dc, &box, frame);
    fill(dc, RECT{cx - 2, cy, cx + 3, cy + 1}, sign);
    if ((item->state & TVIS_EXPANDED) == 0) {
        fill(dc, RECT{cx, cy - 2, cx + 1, cy + 3}, sign);
    }
}

int imageIndex(Tree& tree, Item* item, bool selected) {
    int index = selected ? item->selectedImage : item->image;
    if (index == I_IMAGECALLBACK) {
        NMTVDISPINFOA info;
        UINT mask = selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE;
        requestDisplayInfo(tree, item, mask, info, nullptr, 0);
        index = selected ? info.item.iSelectedImage : info.item.iImage;
    }
    return index;
}

}  // namespace

int itemHeight(const Tree& tree) {
    if (tree.explicitItemHeight > 0) {
        return tree.explicitItemHeight;
    }
    int height = kTextHeight;
    height = std::max<int>(height, imageSize(tree.normalImages).cy);
    height = std::max<int>(height, imageSize(tree.stateImages).cy);
    return height;
}

int pageRows(const Tree& tree) {
    RECT client = clientRect(tree);
    int height = client.bottom - client.top;
    return height > 0 ? height / itemHeight(tree) : 0;
}

void ensureLayout(Tree& tree) {
    if (tree.layoutValid) {
        return;
    }
    ++tree.layoutGeneration;
    tree.rows.clear();
    Item* q = tree.root.firstChild;
    while (q != nullptr) {
        q->row = static_cast<int>(tree.rows.size());
        q->rowGeneration = tree.layoutGeneration;
        tree.rows.push_back(q);
        if ((q->state & TVIS_EXPANDED) != 0 && q->firstChild != nullptr) {
            q = q->firstChild;
            continue;
        }
        while (q != nullptr && q != &tree.root && q->next == nullptr) {
            q = q->parent;
        }
        q = (q == nullptr || q == &tree.root) ? nullptr : q->next;
    }
    tree.layoutValid = true;
}

// The row shown at the top. The first visible item is kept while rows change
// above or below it; the view never scrolls so far that the last page is not
// full.
int topRow(Tree& tree) {
    ensureLayout(tree);
    int row = 0;
    if (tree.top != nullptr) {
        Item* anchor = tree.top;
        while (anchor != nullptr && anchor->depth >= 0 &&
               anchor->rowGeneration != tree.layoutGeneration) {
            anchor = anchor->parent;
        }
        row = (anchor != nullptr && anchor->depth >= 0) ? anchor->row : 0;
    }
    const int count = static_cast<int>(tree.rows.size());
    const int page = std::max(1, pageRows(tree));
    row = std::clamp(row, 0, std::max(0, count - page));
    tree.top = row > 0 ? tree.rows[static_cast<size_t>(row)] : nullptr;
    return row;
}

void setTopRow(Tree& tree, int row) {
    ensureLayout(tree);
    const int count = static_cast<int>(tree.rows.size());
    const int page = std::max(1, pageRows(tree));
    row = std::clamp(row, 0, std::max(0, count - page));
    Item* top = row > 0 ? tree.rows[static_cast<size_t>(row)] : nullptr;
    if (top != tree.top) {
        tree.top = top;
        invalidate(tree);
    }
    updateScrollBar(tree);
}

bool scrollIntoView(Tree& tree, Item* item) {
    ensureLayout(tree);
    if (item == nullptr || item->rowGeneration != tree.layoutGeneration) {
        return false;
    }
    const int top = topRow(tree);
    const int page = std::max(1, pageRows(tree));
    if (item->row < top) {
        setTopRow(tree, item->row);
        return true;
    }
    if (item->row >= top + page) {
        setTopRow(tree, item->row - page + 1);
        return true;
    }
    return false;
}

void updateScrollBar(Tree& tree) {
    if ((styleOf(tree) & TVS_NOSCROLL) != 0) {
        return;
    }
    ensureLayout(tree);
    const int count = static_cast<int>(tree.rows.size());
    const int pos = topRow(tree);
    // Rows that all fit need no bar: the range is then empty (0 ... 0), as
    // for a window that never had one, so a parent can tell from the range
    // whether the bar shows.
    const bool fits = count <= pageRows(tree) && pos == 0;
    const int page = fits ? 0 : pageRows(tree);
    const int max = fits || count == 0 ? 0 : count - 1;
    if (pos == tree.scrollPos && max == tree.scrollMax && page == tree.scrollPage) {
        return;
    }
    tree.scrollPos = pos;
    tree.scrollMax = max;
    tree.scrollPage = page;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = max;
    info.nPage = static_cast<UINT>(page);
    info.nPos = pos;
    // The scroll bar is non-client and takes no space here; redrawing it
    // would only invalidate the rows again.
    SetScrollInfo(tree.hwnd, SB_VERT, &info, FALSE);
}

HFONT boldFont(Tree& tree) {
    if (tree.boldFont == nullptr) {
        LOGFONTA font;
        std::memset(&font, 0, sizeof font);
        HGDIOBJ base = tree.font != nullptr ? static_cast<HGDIOBJ>(tree.font)
                                            : GetStockObject(DEFAULT_GUI_FONT);
        if (base == nullptr || GetObjectA(base, sizeof font, &font) == 0) {
            std::memset(&font, 0, sizeof font);
            font.lfHeight = -11;
        }
        font.lfWeight = FW_BOLD;
        tree.boldFont = CreateFontIndirectA(&font);
    }
    return tree.boldFont;
}

int labelTextWidth(Tree& tree, Item* item, const std::string& text) {
    const bool bold = (item->state & TVIS_BOLD) != 0;
    int width = static_cast<int>(text.size()) * (bold ? 8 : 7);
    HDC dc = GetDC(tree.hwnd);
    if (dc != nullptr) {
        HFONT font = bold ? boldFont(tree) : tree.font;
        HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
        SIZE size{0, 0};
        if (text.empty()) {
            width = 0;
        } else if (GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size)) {
            width = size.cx;
        }
        if (old != nullptr) {
            SelectObject(dc, old);
        }
        ReleaseDC(tree.hwnd, dc);
    }
    return width + 2 * kLabelMargin;
}

bool rowGeometry(Tree& tree, Item* item, RowGeometry& g) {
    ensureLayout(tree);
    if (item == nullptr || item->rowGeneration != tree.layoutGeneration) {
        return false;
    }
    const int height = itemHeight(tree);
    const int y = (item->row - topRow(tree)) * height;
    const RECT client = clientRect(tree);
    const DWORD style = styleOf(tree);
    g.row = RECT{0, y, client.right, y + height};
    const int level = item->depth + (rootColumn(style) ? 1 : 0);
    g.itemLeft = level * tree.indent;
    g.buttonLeft = g.itemLeft - tree.indent;
    const DWORD id = item->id;
    g.button = (style & TVS_HASBUTTONS) != 0 && level > 0 && hasChildren(tree, item);
    item = findItem(tree, id);
    if (item == nullptr) {
        return false;
    }
    int x = g.itemLeft;
    const UINT stateIndex = (item->state & TVIS_STATEIMAGEMASK) >> 12;
    g.stateImage = RECT{x, y, x, y + height};
    if (tree.stateImages != nullptr && stateIndex != 0) {
        x += imageSize(tree.stateImages).cx;
        g.stateImage.right = x;
    }
    g.image = RECT{x, y, x, y + height};
    if (tree.normalImages != nullptr) {
        x += imageSize(tree.normalImages).cx;
        g.image.right = x;
    }
    std::string text = displayText(tree, item);
    item = findItem(tree, id);
    if (item == nullptr) {
        return false;
    }
    g.label = RECT{x, y, x + labelTextWidth(tree, item, text), y + height};
    return true;
}

HTREEITEM hitTest(Tree& tree, TVHITTESTINFO* info) {
    if (info == nullptr) {
        return nullptr;
    }
    const RECT client = clientRect(tree);
    const POINT pt = info->pt;
    UINT flags = 0;
    if (pt.x < client.left) {
        flags |= TVHT_TOLEFT;
    } else if (pt.x >= client.right) {
        flags |= TVHT_TORIGHT;
    }
    if (pt.y < client.top) {
        flags |= TVHT_ABOVE;
    } else if (pt.y >= client.bottom) {
        flags |= TVHT_BELOW;
    }
    info->hItem = nullptr;
    if (flags != 0) {
        info->flags = flags;
        return nullptr;
    }
    ensureLayout(tree);
    const int row = topRow(tree) + pt.y / itemHeight(tree);
    if (row >= static_cast<int>(tree.rows.size())) {
        info->flags = TVHT_NOWHERE;
        return nullptr;
    }
    Item* item = tree.rows[static_cast<size_t>(row)];
    RowGeometry g;
    if (!rowGeometry(tree, item, g)) {
        info->flags = TVHT_NOWHERE;
        return nullptr;
    }
    if (pt.x < g.buttonLeft) {
        flags = TVHT_ONITEMINDENT;
    } else if (pt.x < g.itemLeft) {
        flags = g.button ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    } else if (pt.x < g.stateImage.right) {
        flags = TVHT_ONITEMSTATEICON;
    } else if (pt.x < g.image.right) {
        flags = TVHT_ONITEMICON;
    } else if (pt.x < g.label.right) {
        flags = TVHT_ONITEMLABEL;
    } else {
        flags = TVHT_ONITEMRIGHT;
    }
    info->flags = flags;
    info->hItem = handleOf(item);
    return info->hItem;
}

BOOL itemRect(Tree& tree, RECT* rect, bool textOnly) {
    if (rect == nullptr) {
        return FALSE;
    }
    // The item's handle comes in the first bytes of the rectangle.
    HTREEITEM handle = nullptr;
    std::memcpy(&handle, rect, sizeof handle);
    Item* item = findItem(tree, handle);
    RowGeometry g;
    if (item == nullptr || !rowGeometry(tree, item, g)) {
        return FALSE;
    }
    *rect = textOnly ? g.label : g.row;
    return TRUE;
}

void paint(Tree& tree, HDC dc, const RECT& clip) {
    ensureLayout(tree);
    updateScrollBar(tree);
    const RECT client = clientRect(tree);
    const DWORD style = styleOf(tree);
    const COLORREF background = resolve(tree.bkColor, COLOR_WINDOW);
    const COLORREF text = resolve(tree.textColor, COLOR_WINDOWTEXT);
    HGDIOBJ oldFont = tree.font != nullptr ? SelectObject(dc, tree.font) : nullptr;

    NMTVCUSTOMDRAW custom{};
    custom.nmcd.dwDrawStage = CDDS_PREPAINT;
    custom.nmcd.hdc = dc;
    custom.nmcd.rc = client;
    const LRESULT mode = notify(tree, NM_CUSTOMDRAW, &custom.nmcd.hdr);
    if (tree.destroyed) {
        return;
    }
    HBRUSH backgroundBrush = CreateSolidBrush(background);
    if ((mode & CDRF_SKIPDEFAULT) == 0) {
        fill(dc, clip, backgroundBrush);
        HBRUSH lineBrush = CreateSolidBrush(resolve(tree.lineColor, COLOR_GRAYTEXT));
        HBRUSH signBrush = CreateSolidBrush(text);
        const int height = itemHeight(tree);
        const int top = topRow(tree);
        std::vector<DWORD> ids;
        for (int row = top;
             row < static_cast<int>(tree.rows.size()) && (row - top) * height < client.bottom;
             ++row) {
            ids.push_back(tree.rows[static_cast<size_t>(row)]->id);
        }
        for (DWORD id : ids) {
            Item* item = findItem(tree, id);
            RowGeometry g;
            if (item == nullptr || !rowGeometry(tree, item, g)) {
                continue;
            }
            item = findItem(tree, id);
            if (item == nullptr || tree.destroyed) {
                continue;
            }
            if (g.row.bottom <= clip.top || g.row.top >= clip.bottom) {
                continue;
            }
            if ((style & TVS_HASLINES) != 0) {
                drawLines(tree, dc, item, g, lineBrush, style);
            }
            if (g.button) {
                drawButton(tree, dc, item, g, backgroundBrush, lineBrush, signBrush);
            }
            const UINT stateIndex = (item->state & TVIS_STATEIMAGEMASK) >> 12;
            if (tree.stateImages != nullptr && stateIndex != 0) {
                int y = g.row.top + (height - imageSize(tree.stateImages).cy) / 2;
                ImageList_Draw(tree.stateImages, static_cast<int>(stateIndex), dc,
                               g.stateImage.left, y, ILD_TRANSPARENT);
            }
            if (tree.normalImages != nullptr) {
                int index = imageIndex(tree, item, item == tree.caret);
                item = findItem(tree, id);
                if (item == nullptr) {
                    continue;
                }
                if (index >= 0) {
                    UINT flags = ILD_TRANSPARENT | (item->state & TVIS_OVERLAYMASK);
                    if ((item->state & TVIS_CUT) != 0) {
                        flags |= ILD_SELECTED;
                    }
                    int y = g.row.top + (height - imageSize(tree.normalImages).cy) / 2;
                    ImageList_Draw(tree.normalImages, index, dc, g.image.left, y, flags);
                }
            }

            // The label: highlighted while it is the drop target, or the
            // selected item (in grey when the control has no focus and shows
            // its selection always).
            const bool caret = item == tree.caret;
            const bool highlight =
                tree.drop == item ||
                (tree.drop == nullptr && caret && (tree.focused || (style & TVS_SHOWSELALWAYS)));
            COLORREF foreground = text;
            COLORREF back = background;
            if (highlight) {
                const bool strong = tree.drop == item || tree.focused;
                foreground = GetSysColor(strong ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
                back = GetSysColor(strong ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
            }
            bool skip = false;
            bool ownFont = false;
            if ((mode & CDRF_NOTIFYITEMDRAW) != 0) {
                NMTVCUSTOMDRAW itemDraw{};
                itemDraw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
                itemDraw.nmcd.hdc = dc;
                itemDraw.nmcd.rc = g.row;
                itemDraw.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(handleOf(item));
                itemDraw.nmcd.uItemState =
                    (caret ? CDIS_SELECTED : 0u) | (caret && tree.focused ? CDIS_FOCUS : 0u);
                itemDraw.nmcd.lItemlParam = item->lParam;
                itemDraw.clrText = foreground;
                itemDraw.clrTextBk = back;
                itemDraw.iLevel = item->depth;
                LRESULT itemMode = notify(tree, NM_CUSTOMDRAW, &itemDraw.nmcd.hdr);
                item = findItem(tree, id);
                if (tree.destroyed || item == nullptr) {
                    break;
                }
                skip = (itemMode & CDRF_SKIPDEFAULT) != 0;
                ownFont = (itemMode & CDRF_NEWFONT) != 0;
                foreground = itemDraw.clrText;
                back = itemDraw.clrTextBk;
            }
            if (skip) {
                continue;
            }
            const bool editing = tree.edit != nullptr && tree.editItem == id;
            if (!editing) {
                std::string label = displayText(tree, item);
                item = findItem(tree, id);
                if (item == nullptr) {
                    continue;
                }
                HGDIOBJ previous = nullptr;
                if (!ownFont && (item->state & TVIS_BOLD) != 0) {
                    previous = SelectObject(dc, boldFont(tree));
                }
                SetTextColor(dc, foreground);
                SetBkColor(dc, back);
                SetBkMode(dc, OPAQUE);
                ExtTextOutA(dc, g.label.left + kLabelMargin,
                            g.label.top + (height - kTextHeight) / 2, ETO_OPAQUE | ETO_CLIPPED,
                            &g.label, label.c_str(), static_cast<UINT>(label.size()), nullptr);
                if (previous != nullptr) {
                    SelectObject(dc, previous);
                }
                if (caret && tree.focused) {
                    DrawFocusRect(dc, &g.label);
                }
            }
            if (tree.insertMark == item) {
                HBRUSH markBrush =
                    CreateSolidBrush(resolve(tree.insertMarkColor, COLOR_WINDOWTEXT));
                int y = tree.insertMarkAfter ? g.row.bottom : g.row.top;
                fill(dc, RECT{g.itemLeft, y - 1, g.label.right, y + 1}, markBrush);
                DeleteObject(markBrush);
            }
            if ((mode & CDRF_NOTIFYITEMDRAW) != 0) {
                NMTVCUSTOMDRAW post{};
                post.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT;
                post.nmcd.hdc = dc;
                post.nmcd.rc = g.row;
                post.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(handleOf(item));
                post.nmcd.lItemlParam = item->lParam;
                post.iLevel = item->depth;
                notify(tree, NM_CUSTOMDRAW, &post.nmcd.hdr);
                if (tree.destroyed) {
                    break;
                }
            }
        }
        DeleteObject(signBrush);
        DeleteObject(lineBrush);
    }
    DeleteObject(backgroundBrush);
    if (!tree.destroyed && (mode & CDRF_NOTIFYPOSTPAINT) != 0) {
        NMTVCUSTOMDRAW post{};
        post.nmcd.dwDrawStage = CDDS_POSTPAINT;
        post.nmcd.hdc = dc;
        post.nmcd.rc = client;
        notify(tree, NM_CUSTOMDRAW, &post.nmcd.hdr);
    }
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
}

// The drag image of an item: its image and its label, side by side, in one
// image of an image list that the caller owns. The label is drawn opaque in
// the window colours; what lies around the image is transparent.
HIMAGELIST createDragImage(Tree& tree, Item* item) {
    if (item == nullptr || tree.normalImages == nullptr) {
        return nullptr;
    }
    const DWORD id = item->id;
    std::string label = displayText(tree, item);
    item = findItem(tree, id);
    if (item == nullptr) {
        return nullptr;
    }
    const SIZE image = imageSize(tree.normalImages);
    const int labelWidth = labelTextWidth(tree, item, label);
    const int cx = image.cx + labelWidth;
    const int cy = std::max<int>(itemHeight(tree), image.cy);
    const int index = imageIndex(tree, item, false);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
    HIMAGELIST list = nullptr;
    if (memory != nullptr && bitmap != nullptr) {
        const COLORREF transparent = RGB(255, 0, 255);
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        HBRUSH clear = CreateSolidBrush(transparent);
        RECT all{0, 0, cx, cy};
        FillRect(memory, &all, clear);
        DeleteObject(clear);
        if (index >= 0) {
            ImageList_Draw(tree.normalImages, index, memory, 0, (cy - image.cy) / 2,
                           ILD_TRANSPARENT);
        }
        HGDIOBJ oldFont = nullptr;
        HFONT font = (item->state & TVIS_BOLD) != 0 ? boldFont(tree) : tree.font;
        if (font != nullptr) {
            oldFont = SelectObject(memory, font);
        }
        RECT labelRect{image.cx, 0, cx, cy};
        SetTextColor(memory, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(memory, GetSysColor(COLOR_WINDOW));
        ExtTextOutA(memory, image.cx + kLabelMargin, (cy - kTextHeight) / 2, ETO_OPAQUE, &labelRect,
                    label.c_str(), static_cast<UINT>(label.size()), nullptr);
        if (oldFont != nullptr) {
            SelectObject(memory, oldFont);
        }
        SelectObject(memory, oldBitmap);
        list = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 1, 0);
        if (list != nullptr && ImageList_AddMasked(list, bitmap, transparent) < 0) {
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
        ReleaseDC(nullptr, screen);
    }
    return list;
}

// The state images of TVS_CHECKBOXES: 0 none, 1 an empty box, 2 a checked
// box, 16 x 16 each. As on the platform, the list outlives the control; its
// owner destroys it.
HIMAGELIST createCheckBoxImages() {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 48, 16);
    HIMAGELIST list = nullptr;
    if (memory != nullptr && bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
        RECT all{0, 0, 48, 16};
        FillRect(memory, &all, white);
        for (int i = 1; i <= 2; ++i) {
            const int x = i * 16;
            RECT box{x + 1, 1, x + 14, 14};
            FrameRect(memory, &box, black);
            if (i == 2) {
                for (int k = 0; k < 3; ++k) {
                    RECT r{x + 4 + k, 7 + k, x + 6 + k, 9 + k};
                    FillRect(memory, &r, black);
                }
                for (int k = 0; k < 5; ++k) {
                    RECT r{x + 7 + k, 8 - k, x + 9 + k, 10 - k};
                    FillRect(memory, &r, black);
                }
            }
        }
        DeleteObject(white);
        DeleteObject(black);
        SelectObject(memory, old);
        list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
        if (list != nullptr && ImageList_AddMasked(list, bitmap, RGB(255, 255, 255)) < 0) {
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
        ReleaseDC(nullptr, screen);
    }
    return list;
}

}  // namespace vedrix::controls::treeview
