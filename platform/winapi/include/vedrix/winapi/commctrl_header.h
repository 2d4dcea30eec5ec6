// Header control ("SysHeader32"): styles, structures, messages, notifications
// and the Header_* macros. Included through <commctrl.h>.
//
// Geometry of the headless header, in client coordinates:
//
//   - HDM_LAYOUT gives the header a height of 20 pixels (0 with HDS_HIDDEN) at
//     the top of the rectangle it is given, over the rectangle's full width.
//   - Items lie side by side in their order (HDM_GETORDERARRAY) from x = 0, each
//     as wide as its cxy; an item's rectangle spans the client height.
//   - The divider of an item is its right edge. A point less than 4 pixels left
//     of it, or less than 4 pixels right of it, is on the divider
//     (HHT_ONDIVIDER); left of the edge the divider belongs to the last item of
//     non-zero width that ends there, right of it to the last item that ends
//     there, reported as HHT_ONDIVOPEN when that item has zero width.
//   - Texts are drawn with the fixed font metrics, 6 pixels inside the item on
//     either side, single line, vertically centred, with the item's alignment.
//
// Mouse: pressing the left button on a divider starts tracking (HDN_BEGINTRACK,
// which the parent may refuse; HDN_TRACK on every move; on release HDN_ENDTRACK
// and the new width through HDN_ITEMCHANGING/HDN_ITEMCHANGED). With HDS_FULLDRAG
// the width is applied on every move as well. With HDS_BUTTONS, pressing and
// releasing the left button on the same item (not on a divider) sends
// HDN_ITEMCLICK; a double-click on an item sends HDN_ITEMDBLCLICK, on a divider
// HDN_DIVIDERDBLCLICK. Items with HDF_OWNERDRAW are painted by the parent
// through WM_DRAWITEM (ODT_HEADER; itemID the item index, itemData its lParam,
// itemState ODS_SELECTED while the item is pressed).
#pragma once

#include <windows.h>

#ifndef SNDMSG
#define SNDMSG SendMessage
#endif

#ifndef WC_HEADERA
#define WC_HEADERA "SysHeader32"
#endif
#ifndef WC_HEADER
#define WC_HEADER WC_HEADERA
#endif

#ifndef HDN_FIRST
#define HDN_FIRST (0U - 300U)
#endif
#ifndef HDN_LAST
#define HDN_LAST (0U - 399U)
#endif
#ifndef HDM_FIRST
#define HDM_FIRST 0x1200
#endif

// Owner-draw control type of header items (DRAWITEMSTRUCT::CtlType).
#define ODT_HEADER 100

// Styles.
#define HDS_HORZ 0x0000
#define HDS_BUTTONS 0x0002
#define HDS_HOTTRACK 0x0004
#define HDS_HIDDEN 0x0008
#define HDS_DRAGDROP 0x0040
#define HDS_FULLDRAG 0x0080
#define HDS_FILTERBAR 0x0100
#define HDS_FLAT 0x0200

// Item attributes.
#define HDI_WIDTH 0x0001
#define HDI_HEIGHT HDI_WIDTH
#define HDI_TEXT 0x0002
#define HDI_FORMAT 0x0004
#define HDI_LPARAM 0x0008
#define HDI_BITMAP 0x0010
#define HDI_IMAGE 0x0020
#define HDI_DI_SETITEM 0x0040
#define HDI_ORDER 0x0080
#define HDI_FILTER 0x0100

// Item formats.
#define HDF_LEFT 0x0000
#define HDF_RIGHT 0x0001
#define HDF_CENTER 0x0002
#define HDF_JUSTIFYMASK 0x0003
#define HDF_RTLREADING 0x0004
#define HDF_SORTDOWN 0x0200
#define HDF_SORTUP 0x0400
#define HDF_IMAGE 0x0800
#define HDF_BITMAP_ON_RIGHT 0x1000
#define HDF_BITMAP 0x2000
#define HDF_STRING 0x4000
#define HDF_OWNERDRAW 0x8000

typedef struct _HD_ITEMA {
    UINT mask;
    int cxy;
    LPSTR pszText;
    HBITMAP hbm;
    int cchTextMax;
    int fmt;
    LPARAM lParam;
    int iImage;
    int iOrder;
    UINT type;
    void* pvFilter;
} HDITEMA, *LPHDITEMA;
typedef HDITEMA HDITEM;
typedef LPHDITEMA LPHDITEM;
#define HD_ITEMA HDITEMA
#define HD_ITEM HDITEM

typedef struct _HD_LAYOUT {
    RECT* prc;
    WINDOWPOS* pwpos;
} HDLAYOUT, *LPHDLAYOUT;
#define HD_LAYOUT HDLAYOUT

// Hit tests.
#define HHT_NOWHERE 0x0001
#define HHT_ONHEADER 0x0002
#define HHT_ONDIVIDER 0x0004
#define HHT_ONDIVOPEN 0x0008
#define HHT_ONFILTER 0x0010
#define HHT_ONFILTERBUTTON 0x0020
#define HHT_ABOVE 0x0100
#define HHT_BELOW 0x0200
#define HHT_TORIGHT 0x0400
#define HHT_TOLEFT 0x0800

typedef struct _HD_HITTESTINFO {
    POINT pt;
    UINT flags;
    int iItem;
} HDHITTESTINFO, *LPHDHITTESTINFO;
#define HD_HITTESTINFO HDHITTESTINFO

// Messages.
#define HDM_GETITEMCOUNT (HDM_FIRST + 0)
#define HDM_INSERTITEMA (HDM_FIRST + 1)
#define HDM_DELETEITEM (HDM_FIRST + 2)
#define HDM_GETITEMA (HDM_FIRST + 3)
#define HDM_SETITEMA (HDM_FIRST + 4)
#define HDM_LAYOUT (HDM_FIRST + 5)
#define HDM_HITTEST (HDM_FIRST + 6)
#define HDM_GETITEMRECT (HDM_FIRST + 7)
#define HDM_SETIMAGELIST (HDM_FIRST + 8)
#define HDM_GETIMAGELIST (HDM_FIRST + 9)
#define HDM_ORDERTOINDEX (HDM_FIRST + 15)
#define HDM_CREATEDRAGIMAGE (HDM_FIRST + 16)
#define HDM_GETORDERARRAY (HDM_FIRST + 17)
#define HDM_SETORDERARRAY (HDM_FIRST + 18)
#define HDM_SETHOTDIVIDER (HDM_FIRST + 19)
#define HDM_INSERTITEM HDM_INSERTITEMA
#define HDM_GETITEM HDM_GETITEMA
#define HDM_SETITEM HDM_SETITEMA

// Notifications (WM_NOTIFY codes).
#define HDN_ITEMCHANGINGA (HDN_FIRST - 0)
#define HDN_ITEMCHANGEDA (HDN_FIRST - 1)
#define HDN_ITEMCLICKA (HDN_FIRST - 2)
#define HDN_ITEMDBLCLICKA (HDN_FIRST - 3)
#define HDN_DIVIDERDBLCLICKA (HDN_FIRST - 5)
#define HDN_BEGINTRACKA (HDN_FIRST - 6)
#define HDN_ENDTRACKA (HDN_FIRST - 7)
#define HDN_TRACKA (HDN_FIRST - 8)
#define HDN_GETDISPINFOA (HDN_FIRST - 9)
#define HDN_BEGINDRAG (HDN_FIRST - 10)
#define HDN_ENDDRAG (HDN_FIRST - 11)
#define HDN_ITEMCHANGING HDN_ITEMCHANGINGA
#define HDN_ITEMCHANGED HDN_ITEMCHANGEDA
#define HDN_ITEMCLICK HDN_ITEMCLICKA
#define HDN_ITEMDBLCLICK HDN_ITEMDBLCLICKA
#define HDN_DIVIDERDBLCLICK HDN_DIVIDERDBLCLICKA
#define HDN_BEGINTRACK HDN_BEGINTRACKA
#define HDN_ENDTRACK HDN_ENDTRACKA
#define HDN_TRACK HDN_TRACKA
#define HDN_GETDISPINFO HDN_GETDISPINFOA

typedef struct tagNMHEADERA {
    NMHDR hdr;
    int iItem;
    int iButton;
    HDITEMA* pitem;
} NMHEADERA, *LPNMHEADERA;
typedef NMHEADERA NMHEADER;
typedef LPNMHEADERA LPNMHEADER;
#define HD_NOTIFYA NMHEADERA
#define HD_NOTIFY NMHEADER

typedef struct tagNMHDDISPINFOA {
    NMHDR hdr;
    int iItem;
    UINT mask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
} NMHDDISPINFOA, *LPNMHDDISPINFOA;
typedef NMHDDISPINFOA NMHDDISPINFO;

// Macros. Each macro casts the message's result to the platform's type, as the
// platform's own header does. Programs see these headers as system headers
// (as they see the platform's), so a macro used as a statement draws no
// "value computed is not used" warning on either platform.

#define Header_GetItemCount(hwndHD) ((int)SNDMSG((hwndHD), HDM_GETITEMCOUNT, 0, 0))
#define Header_InsertItem(hwndHD, i, phdi) \
    ((int)SNDMSG((hwndHD), HDM_INSERTITEM, (WPARAM)(int)(i), (LPARAM)(const HD_ITEM*)(phdi)))
#define Header_DeleteItem(hwndHD, i) ((BOOL)SNDMSG((hwndHD), HDM_DELETEITEM, (WPARAM)(int)(i), 0))
#define Header_GetItem(hwndHD, i, phdi) \
    ((BOOL)SNDMSG((hwndHD), HDM_GETITEM, (WPARAM)(int)(i), (LPARAM)(HD_ITEM*)(phdi)))
#define Header_SetItem(hwndHD, i, phdi) \
    ((BOOL)SNDMSG((hwndHD), HDM_SETITEM, (WPARAM)(int)(i), (LPARAM)(const HD_ITEM*)(phdi)))
#define Header_Layout(hwndHD, playout) \
    ((BOOL)SNDMSG((hwndHD), HDM_LAYOUT, 0, (LPARAM)(HD_LAYOUT*)(playout)))
#define Header_GetItemRect(hwnd, iItem, lprc) \
    ((BOOL)SNDMSG((hwnd), HDM_GETITEMRECT, (WPARAM)(iItem), (LPARAM)(lprc)))
#define Header_SetImageList(hwnd, himl) \
    ((HIMAGELIST)SNDMSG((hwnd), HDM_SETIMAGELIST, 0, (LPARAM)(himl)))
#define Header_GetImageList(hwnd) ((HIMAGELIST)SNDMSG((hwnd), HDM_GETIMAGELIST, 0, 0))
#define Header_OrderToIndex(hwnd, i) ((int)SNDMSG((hwnd), HDM_ORDERTOINDEX, (WPARAM)(i), 0))
#define Header_CreateDragImage(hwnd, i) \
    ((HIMAGELIST)SNDMSG((hwnd), HDM_CREATEDRAGIMAGE, (WPARAM)(i), 0))
#define Header_GetOrderArray(hwnd, iCount, lpi) \
    ((BOOL)SNDMSG((hwnd), HDM_GETORDERARRAY, (WPARAM)(iCount), (LPARAM)(lpi)))
#define Header_SetOrderArray(hwnd, iCount, lpi) \
    ((BOOL)SNDMSG((hwnd), HDM_SETORDERARRAY, (WPARAM)(iCount), (LPARAM)(lpi)))
#define Header_SetHotDivider(hwnd, fPos, dw) \
    ((int)SNDMSG((hwnd), HDM_SETHOTDIVIDER, (WPARAM)(fPos), (LPARAM)(dw)))
