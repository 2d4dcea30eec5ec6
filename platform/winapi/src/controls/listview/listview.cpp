// The "SysListView32" window class: its window procedure and messages.
//
// The control creates its header ("SysHeader32", LVM_GETHEADER) as a child
// at creation and keeps it laid out at its top in report view. The header's
// notifications reach the list view, which passes every one on to its own
// parent unchanged (returning the parent's answer, so HDN_ITEMCHANGING and
// HDN_BEGINTRACK can be refused there); a heading click (HDN_ITEMCLICK) is
// then reported as LVN_COLUMNCLICK with the column in iSubItem, and a
// double-click on a divider sizes the column to its content.
//
// Choices where the platform leaves room:
// - Destroying the control sends LVN_DELETEALLITEMS and LVN_DELETEITEM as
//   LVM_DELETEALLITEMS does, and destroys its image lists unless the style has
//   LVS_SHAREIMAGELISTS.
// - LVM_SETSELECTIONMARK ignores an index that names no item (other than -1)
//   and returns the previous mark.
// - LVM_GETORIGIN and LVM_GETVIEWRECT answer FALSE in report and list view,
//   as the platform documents; LVM_SETITEMPOSITION fails there.
#include "controls/listview/listview_state.h"

#include "controls/basic/control_util.h"

#include <algorithm>
#include <unordered_map>

namespace vedrix::controls::listview {
namespace {

std::unordered_map<HWND, std::shared_ptr<ListView>> g_lists;

void createHeader(ListView& lv) {
    DWORD style = windowStyle(lv.hwnd);
    DWORD headerStyle = WS_CHILD | HDS_HORZ;
    if (!(style & LVS_NOSORTHEADER)) {
        headerStyle |= HDS_BUTTONS;
    }
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(lv.hwnd, GWLP_HINSTANCE));
    lv.header = CreateWindowExA(0, WC_HEADERA, "", headerStyle, 0, 0, 0, 0, lv.hwnd, nullptr,
                                instance, nullptr);
    if (lv.header != nullptr && lv.font != nullptr) {
        SendMessageA(lv.header, WM_SETFONT, reinterpret_cast<WPARAM>(lv.font), FALSE);
    }
    layoutHeader(lv);
}

void updateHeaderStyle(ListView& lv) {
    if (lv.header == nullptr) {
        return;
    }
    DWORD style = windowStyle(lv.hwnd);
    DWORD headerStyle = windowStyle(lv.header);
    DWORD wanted = (style & LVS_NOSORTHEADER) ? (headerStyle & ~static_cast<DWORD>(HDS_BUTTONS))
                                              : (headerStyle | HDS_BUTTONS);
    if (wanted != headerStyle) {
        setWindowStyle(lv.header, wanted);
    }
    layoutHeader(lv);
}

LRESULT onHeaderNotify(ListView& lv, WPARAM wParam, NMHDR* header) {
    LRESULT result = 0;
    if (lv.notifyWindow != nullptr) {
        result = SendMessageA(lv.notifyWindow, WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(header));
    }
    if (lv.destroyed) {
        return result;
    }
    auto* nm = reinterpret_cast<NMHEADERA*>(header);
    switch (header->code) {
        case HDN_ITEMCHANGEDA:
            syncColumnsFromHeader(lv);
            clampScroll(lv);
            invalidate(lv);
            break;
        case HDN_ITEMCLICKA:
            notifyListView(lv, LVN_COLUMNCLICK, -1, nm->iItem, 0, 0, 0, POINT{}, 0);
            break;
        case HDN_DIVIDERDBLCLICKA:
            setColumnWidth(lv, nm->iItem, LVSCW_AUTOSIZE);
            break;
        default:
            break;
    }
    return result;
}

void destroyImageLists(ListView& lv) {
    if (windowStyle(lv.hwnd) & LVS_SHAREIMAGELISTS) {
        return;
    }
    for (HIMAGELIST* list : {&lv.normalImages, &lv.smallImages, &lv.stateImages}) {
        if (*list != nullptr) {
            ImageList_Destroy(*list);
            *list = nullptr;
        }
    }
}

LRESULT setImageList(ListView& lv, WPARAM which, HIMAGELIST list) {
    HIMAGELIST* slot = nullptr;
    switch (which) {
        case LVSIL_NORMAL:
            slot = &lv.normalImages;
            break;
        case LVSIL_SMALL:
            slot = &lv.smallImages;
            break;
        case LVSIL_STATE:
            slot = &lv.stateImages;
            break;
        default:
            return 0;
    }
    HIMAGELIST old = *slot;
    *slot = list;
    clampScroll(lv);
    invalidate(lv);
    return reinterpret_cast<LRESULT>(old);
}

LRESULT getImageList(const ListView& lv, WPARAM which) {
    switch (which) {
        case LVSIL_NORMAL:
            return reinterpret_cast<LRESULT>(lv.normalImages);
        case LVSIL_SMALL:
            return reinterpret_cast<LRESULT>(lv.smallImages);
        case LVSIL_STATE:
            return reinterpret_cast<LRESULT>(lv.stateImages);
        default:
            return 0;
    }
}

void onScrollBar(ListView& lv, int bar, WORD code) {
    if (bar == SB_VERT) {
        int page = std::max(1, countPerPage(lv));
        int top = lv.topIndex;
        switch (code) {
            case SB_LINEUP:
                --top;
                break;
            case SB_LINEDOWN:
                ++top;
                break;
            case SB_PAGEUP:
                top -= page;
                break;
            case SB_PAGEDOWN:
                top += page;
                break;
            case SB_TOP:
                top = 0;
                break;
            case SB_BOTTOM:
                top = itemCount(lv);
                break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: {
                SCROLLINFO info{};
                info.cbSize = sizeof(info);
                info.fMask = SIF_TRACKPOS;
                if (GetScrollInfo(lv.hwnd, SB_VERT, &info)) {
                    top = info.nTrackPos;
                }
                break;
            }
            default:
                return;
        }
        setTopIndex(lv, top);
        return;
    }
    RECT client{};
    GetClientRect(lv.hwnd, &client);
    int dx = 0;
    switch (code) {
        case SB_LINELEFT:
            dx = -7;
            break;
        case SB_LINERIGHT:
            dx = 7;
            break;
        case SB_PAGELEFT:
            dx = -static_cast<int>(client.right);
            break;
        case SB_PAGERIGHT:
            dx = static_cast<int>(client.right);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            if (GetScrollInfo(lv.hwnd, SB_HORZ, &info)) {
                dx = info.nTrackPos - lv.scrollX;
            }
            break;
        }
        default:
            return;
    }
    scroll(lv, dx, 0);
}

LRESULT handle(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = lv.hwnd;
    switch (message) {
        case WM_CREATE:
            lv.bkColor = GetSysColor(COLOR_WINDOW);
            lv.textColor = GetSysColor(COLOR_WINDOWTEXT);
            lv.textBkColor = GetSysColor(COLOR_WINDOW);
            createHeader(lv);
            syncColumnsFromHeader(lv);
            return 0;
        case WM_DESTROY:
            if (lv.edit != nullptr) {
                endLabelEdit(lv, true);
            }
            deleteAllItems(lv);
            destroyImageLists(lv);
            return DefWindowProcA(hwnd, message, wParam, lParam);

        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc != nullptr) {
                paint(lv, dc);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            if (wParam != 0) {
                eraseBackground(lv, reinterpret_cast<HDC>(wParam));
                paint(lv, reinterpret_cast<HDC>(wParam));
            }
            return 0;
        case WM_ERASEBKGND:
            if (wParam != 0) {
                eraseBackground(lv, reinterpret_cast<HDC>(wParam));
            }
            return 1;
        case WM_SIZE:
            layoutHeader(lv);
            clampScroll(lv);
            invalidate(lv);
            return 0;
        case WM_STYLECHANGED:
            if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
                updateHeaderStyle(lv);
                clampScroll(lv);
                invalidate(lv);
            }
            return 0;
        case WM_SETFONT:
            lv.font = reinterpret_cast<HFONT>(wParam);
            if (lv.header != nullptr) {
                SendMessageA(lv.header, WM_SETFONT, wParam, lParam);
            }
            if (LOWORD(lParam) != 0) {
                invalidate(lv);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(lv.font);
        case WM_SETFOCUS: {
            lv.focused = true;
            invalidate(lv);
            NMHDR nm{};
            notify(lv, NM_SETFOCUS, &nm);
            return 0;
        }
        case WM_KILLFOCUS: {
            lv.focused = false;
            invalidate(lv);
            NMHDR nm{};
            notify(lv, NM_KILLFOCUS, &nm);
            return 0;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header != nullptr && header->hwndFrom == lv.header && lv.header != nullptr) {
                return onHeaderNotify(lv, wParam, header);
            }
            return 0;
        }

        case WM_LBUTTONDOWN:
            onButtonDown(lv, pointFromLParam(lParam), wParam, false, false);
            return 0;
        case WM_LBUTTONDBLCLK:
            onButtonDown(lv, pointFromLParam(lParam), wParam, false, true);
            return 0;
        case WM_RBUTTONDOWN:
            onButtonDown(lv, pointFromLParam(lParam), wParam, true, false);
            return 0;
        case WM_RBUTTONDBLCLK:
            onButtonDown(lv, pointFromLParam(lParam), wParam, true, true);
            return 0;
        case WM_MOUSEMOVE:
            onMouseMove(lv, pointFromLParam(lParam));
            return 0;
        case WM_LBUTTONUP:
            onButtonUp(lv, pointFromLParam(lParam), false);
            return 0;
        case WM_RBUTTONUP:
            onButtonUp(lv, pointFromLParam(lParam), true);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) {
                onCaptureLost(lv);
            }
            return 0;
        case WM_KEYDOWN:
            onKeyDown(lv, wParam);
            // The key goes on as in any window, so that F1 asks for help.
            return lv.destroyed ? 0 : DefWindowProcA(lv.hwnd, message, wParam, lParam);
        case WM_VSCROLL:
            onScrollBar(lv, SB_VERT, LOWORD(wParam));
            return 0;
        case WM_HSCROLL:
            onScrollBar(lv, SB_HORZ, LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL: {
            int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            setTopIndex(lv, lv.topIndex - 3 * notches);
            return 0;
        }

        case LVM_GETBKCOLOR:
            return static_cast<LRESULT>(lv.bkColor);
        case LVM_SETBKCOLOR:
            lv.bkColor = static_cast<COLORREF>(lParam);
            invalidate(lv);
            return TRUE;
        case LVM_GETTEXTCOLOR:
            return static_cast<LRESULT>(lv.textColor);
        case LVM_SETTEXTCOLOR:
            lv.textColor = static_cast<COLORREF>(lParam);
            invalidate(lv);
            return TRUE;
        case LVM_GETTEXTBKCOLOR:
            return static_cast<LRESULT>(lv.textBkColor);
        case LVM_SETTEXTBKCOLOR:
            lv.textBkColor = static_cast<COLORREF>(lParam);
            invalidate(lv);
            return TRUE;
        case LVM_GETIMAGELIST:
            return getImageList(lv, wParam);
        case LVM_SETIMAGELIST:
            return setImageList(lv, wParam, reinterpret_cast<HIMAGELIST>(lParam));
        case LVM_GETITEMCOUNT:
            return itemCount(lv);
        case LVM_GETITEMA:
            return getItem(lv, reinterpret_cast<LVITEMA*>(lParam));
        case LVM_SETITEMA:
            return setItem(lv, reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_INSERTITEMA:
            return insertItem(lv, reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_DELETEITEM:
            return deleteItem(lv, static_cast<int>(wParam));
        case LVM_DELETEALLITEMS:
            return deleteAllItems(lv);
        case LVM_GETCALLBACKMASK:
            return lv.callbackMask;
        case LVM_SETCALLBACKMASK:
            lv.callbackMask = static_cast<UINT>(wParam);
            return TRUE;
        case LVM_GETNEXTITEM:
            return nextItem(lv, static_cast<int>(wParam), LOWORD(lParam));
        case LVM_FINDITEMA:
            return findItem(lv, static_cast<int>(wParam),
                            reinterpret_cast<const LVFINDINFOA*>(lParam));
        case LVM_GETITEMRECT:
            return getItemRect(lv, static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
        case LVM_GETSUBITEMRECT:
            return getSubItemRect(lv, static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
        case LVM_GETITEMPOSITION: {
            auto* pt = reinterpret_cast<POINT*>(lParam);
            int index = static_cast<int>(wParam);
            if (pt == nullptr || !validItem(lv, index)) {
                return FALSE;
            }
            ItemGeometry g = itemGeometry(lv, index);
            pt->x = g.row.left;
            pt->y = g.row.top;
            return TRUE;
        }
        case LVM_SETITEMPOSITION:
        case LVM_SETITEMPOSITION32:
            return FALSE;
        case LVM_GETSTRINGWIDTHA: {
            auto text = reinterpret_cast<LPCSTR>(lParam);
            return text == nullptr ? 0 : textWidth(lv, text);
        }
        case LVM_HITTEST:
            return hitTest(lv, reinterpret_cast<LVHITTESTINFO*>(lParam), false);
        case LVM_SUBITEMHITTEST:
            return hitTest(lv, reinterpret_cast<LVHITTESTINFO*>(lParam), true);
        case LVM_ENSUREVISIBLE:
            return ensureVisible(lv, static_cast<int>(wParam), LOWORD(lParam) != 0);
        case LVM_SCROLL:
            return scroll(lv, static_cast<int>(wParam), static_cast<int>(lParam));
        case LVM_REDRAWITEMS:
        case LVM_ARRANGE:
            invalidate(lv);
            return TRUE;
        case LVM_UPDATE:
            if (!validItem(lv, static_cast<int>(wParam))) {
                return FALSE;
            }
            invalidateItem(lv, static_cast<int>(wParam));
            return TRUE;
        case LVM_EDITLABELA:
            return reinterpret_cast<LRESULT>(editLabel(lv, static_cast<int>(wParam)));
        case LVM_GETEDITCONTROL:
            return reinterpret_cast<LRESULT>(lv.edit);
        case LVM_GETCOLUMNA:
            return getColumn(lv, static_cast<int>(wParam), reinterpret_cast<LVCOLUMNA*>(lParam));
        case LVM_SETCOLUMNA:
            return setColumn(lv, static_cast<int>(wParam),
                             reinterpret_cast<const LVCOLUMNA*>(lParam));
        case LVM_INSERTCOLUMNA:
            return insertColumn(lv, static_cast<int>(wParam),
                                reinterpret_cast<const LVCOLUMNA*>(lParam));
        case LVM_DELETECOLUMN:
            return deleteColumn(lv, static_cast<int>(wParam));
        case LVM_GETCOLUMNWIDTH:
            return columnWidth(lv, static_cast<int>(wParam));
        case LVM_SETCOLUMNWIDTH:
            return setColumnWidth(lv, static_cast<int>(wParam), static_cast<SHORT>(LOWORD(lParam)));
        case LVM_GETCOLUMNORDERARRAY: {
            auto* out = reinterpret_cast<int*>(lParam);
            if (out == nullptr || wParam != lv.order.size()) {
                return FALSE;
            }
            std::copy(lv.order.begin(), lv.order.end(), out);
            return TRUE;
        }
        case LVM_SETCOLUMNORDERARRAY: {
            if (lv.header == nullptr || lParam == 0) {
                return FALSE;
            }
            LRESULT done = SendMessageA(lv.header, HDM_SETORDERARRAY, wParam, lParam);
            syncColumnsFromHeader(lv);
            invalidate(lv);
            return done;
        }
        case LVM_GETHEADER:
            return reinterpret_cast<LRESULT>(lv.header);
        case LVM_CREATEDRAGIMAGE:
            return reinterpret_cast<LRESULT>(
                createDragImage(lv, static_cast<int>(wParam), reinterpret_cast<POINT*>(lParam)));
        case LVM_GETVIEWRECT:
        case LVM_GETORIGIN:
            if (message == LVM_GETORIGIN && lParam != 0) {
                auto* pt = reinterpret_cast<POINT*>(lParam);
                pt->x = 0;
                pt->y = 0;
            }
            return FALSE;
        case LVM_GETTOPINDEX:
            return lv.topIndex;
        case LVM_GETCOUNTPERPAGE:
            return countPerPage(lv);
        case LVM_SETITEMSTATE:
            return setItemState(lv, static_cast<int>(wParam),
                                reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_GETITEMSTATE: {
            int index = static_cast<int>(wParam);
            if (!validItem(lv, index)) {
                return 0;
            }
            return lv.items[static_cast<size_t>(index)]->state & static_cast<UINT>(lParam);
        }
        case LVM_GETITEMTEXTA:
            return getItemText(lv, static_cast<int>(wParam), reinterpret_cast<LVITEMA*>(lParam));
        case LVM_SETITEMTEXTA:
            return setItemText(lv, static_cast<int>(wParam),
                               reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_SETITEMCOUNT:
            return setItemCount(lv, static_cast<int>(wParam));
        case LVM_SORTITEMS:
            return sortItems(lv, static_cast<LPARAM>(wParam),
                             reinterpret_cast<PFNLVCOMPARE>(lParam), false);
        case LVM_SORTITEMSEX:
            return sortItems(lv, static_cast<LPARAM>(wParam),
                             reinterpret_cast<PFNLVCOMPARE>(lParam), true);
        case LVM_GETSELECTEDCOUNT:
            return selectedCount(lv);
        case LVM_SETEXTENDEDLISTVIEWSTYLE: {
            DWORD old = lv.exStyle;
            DWORD mask = wParam == 0 ? 0xFFFFFFFFu : static_cast<DWORD>(wParam);
            lv.exStyle = (old & ~mask) | (static_cast<DWORD>(lParam) & mask);
            invalidate(lv);
            return static_cast<LRESULT>(old);
        }
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
            return static_cast<LRESULT>(lv.exStyle);
        case LVM_GETSELECTIONMARK:
            return lv.selectionMark;
        case LVM_SETSELECTIONMARK: {
            int old = lv.selectionMark;
            int mark = static_cast<int>(lParam);
            if (mark == -1 || validItem(lv, mark)) {
                lv.selectionMark = mark;
            }
            return old;
        }
        case LVM_GETHOTITEM:
            return lv.hotItem;
        case LVM_SETHOTITEM: {
            int old = lv.hotItem;
            int hot = static_cast<int>(wParam);
            lv.hotItem = validItem(lv, hot) ? hot : -1;
            return old;
        }
        case LVM_GETISEARCHSTRINGA:
            return 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK listViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto state = std::make_shared<ListView>();
        state->hwnd = hwnd;
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        state->notifyWindow = create != nullptr ? create->hwndParent : nullptr;
        g_lists[hwnd] = state;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto found = g_lists.find(hwnd);
    if (found == g_lists.end()) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    std::shared_ptr<ListView> state = found->second;  // keeps the state alive during the call
    if (message == WM_NCDESTROY) {
        state->destroyed = true;
        g_lists.erase(found);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return handle(*state, message, wParam, lParam);
}

struct Registration {
    Registration() { registerControlClass(WC_LISTVIEWA, listViewProc, CS_DBLCLKS); }
} g_registration;

}  // namespace

std::shared_ptr<ListView> findListView(HWND hwnd) {
    auto found = g_lists.find(hwnd);
    return found == g_lists.end() ? nullptr : found->second;
}

}  // namespace vedrix::controls::listview
