// List view control ("SysListView32"): styles, structures, messages,
// notifications and the ListView_* macros. Included through <commctrl.h>.
//
// Geometry of the headless list view (report view, the view the dialogs use).
// Every rectangle and hit test follows from these numbers, in client
// coordinates, with the horizontal scroll position subtracted from x:
//
//   - The header child ("SysHeader32", LVM_GETHEADER) lies at the top, 20 pixels
//     high (0 with LVS_NOCOLUMNHEADER); rows start right below it.
//   - A row is max(16, height of the small image list's images) pixels high;
//     row r (counted from the top index) starts at y = 20 + r x row height.
//   - Columns lie side by side in header order from x = 0; LVIR_BOUNDS of an
//     item spans all columns. Column 0 of a row holds, from its left edge: the
//     state image (width of the state image list's images, 0 without one), the
//     indentation (iIndent x width of a small image), the small image (its
//     width, 0 without a small image list) and the label, which runs to the
//     right edge of column 0.
//   - Texts are measured with the fixed font metrics (7 pixels a character) and
//     drawn 2 pixels inside their label or sub-item rectangle.
//   - LVM_GETCOUNTPERPAGE counts the rows that fit completely below the header.
//   - Hit tests: a point on the state image, image or label of column 0 hits
//     the item (LVHT_ONITEMSTATEICON, LVHT_ONITEMICON, LVHT_ONITEMLABEL); points
//     in the other columns hit it only with LVS_EX_FULLROWSELECT (as its
//     label). Points outside the client area report LVHT_ABOVE, LVHT_BELOW,
//     LVHT_TOLEFT, LVHT_TORIGHT; other points LVHT_NOWHERE.
//
// The other views (icon, small icon, list) use the same rows without a header
// or sub-items.
#pragma once

#include <windows.h>

#ifndef SNDMSG
#define SNDMSG SendMessage
#endif

#ifndef WC_LISTVIEWA
#define WC_LISTVIEWA "SysListView32"
#endif
#ifndef WC_LISTVIEW
#define WC_LISTVIEW WC_LISTVIEWA
#endif

#ifndef LVN_FIRST
#define LVN_FIRST (0U - 100U)
#endif
#ifndef LVN_LAST
#define LVN_LAST (0U - 199U)
#endif
#ifndef LVM_FIRST
#define LVM_FIRST 0x1000
#endif

// Owner-draw control type of list views (DRAWITEMSTRUCT::CtlType).
#define ODT_LISTVIEW 102

// Styles.
#define LVS_ICON 0x0000
#define LVS_REPORT 0x0001
#define LVS_SMALLICON 0x0002
#define LVS_LIST 0x0003
#define LVS_TYPEMASK 0x0003
#define LVS_SINGLESEL 0x0004
#define LVS_SHOWSELALWAYS 0x0008
#define LVS_SORTASCENDING 0x0010
#define LVS_SORTDESCENDING 0x0020
#define LVS_SHAREIMAGELISTS 0x0040
#define LVS_NOLABELWRAP 0x0080
#define LVS_AUTOARRANGE 0x0100
#define LVS_EDITLABELS 0x0200
#define LVS_OWNERDRAWFIXED 0x0400
#define LVS_ALIGNTOP 0x0000
#define LVS_ALIGNLEFT 0x0800
#define LVS_ALIGNMASK 0x0c00
#define LVS_OWNERDATA 0x1000
#define LVS_NOSCROLL 0x2000
#define LVS_NOCOLUMNHEADER 0x4000
#define LVS_NOSORTHEADER 0x8000
#define LVS_TYPESTYLEMASK 0xfc00

// Extended styles (LVM_SETEXTENDEDLISTVIEWSTYLE).
#define LVS_EX_GRIDLINES 0x00000001
#define LVS_EX_SUBITEMIMAGES 0x00000002
#define LVS_EX_CHECKBOXES 0x00000004
#define LVS_EX_TRACKSELECT 0x00000008
#define LVS_EX_HEADERDRAGDROP 0x00000010
#define LVS_EX_FULLROWSELECT 0x00000020
#define LVS_EX_ONECLICKACTIVATE 0x00000040
#define LVS_EX_TWOCLICKACTIVATE 0x00000080
#define LVS_EX_FLATSB 0x00000100
#define LVS_EX_REGIONAL 0x00000200
#define LVS_EX_INFOTIP 0x00000400
#define LVS_EX_UNDERLINEHOT 0x00000800
#define LVS_EX_UNDERLINECOLD 0x00001000
#define LVS_EX_MULTIWORKAREAS 0x00002000
#define LVS_EX_LABELTIP 0x00004000
#define LVS_EX_BORDERSELECT 0x00008000
#define LVS_EX_DOUBLEBUFFER 0x00010000
#define LVS_EX_HIDELABELS 0x00020000
#define LVS_EX_SINGLEROW 0x00040000
#define LVS_EX_SNAPTOGRID 0x00080000
#define LVS_EX_SIMPLESELECT 0x00100000

// Image lists.
#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1
#define LVSIL_STATE 2

// Item attributes.
#define LVIF_TEXT 0x00000001
#define LVIF_IMAGE 0x00000002
#define LVIF_PARAM 0x00000004
#define LVIF_STATE 0x00000008
#define LVIF_INDENT 0x00000010
#define LVIF_GROUPID 0x00000100
#define LVIF_COLUMNS 0x00000200
#define LVIF_NORECOMPUTE 0x00000800
#define LVIF_DI_SETITEM 0x00001000

// Item states.
#define LVIS_FOCUSED 0x0001
#define LVIS_SELECTED 0x0002
#define LVIS_CUT 0x0004
#define LVIS_DROPHILITED 0x0008
#define LVIS_GLOW 0x0010
#define LVIS_ACTIVATING 0x0020
#define LVIS_OVERLAYMASK 0x0F00
#define LVIS_STATEIMAGEMASK 0xF000
#ifndef INDEXTOSTATEIMAGEMASK
#define INDEXTOSTATEIMAGEMASK(i) ((i) << 12)
#endif

#ifndef LPSTR_TEXTCALLBACKA
#define LPSTR_TEXTCALLBACKA ((LPSTR)-1L)
#endif
#ifndef LPSTR_TEXTCALLBACK
#define LPSTR_TEXTCALLBACK LPSTR_TEXTCALLBACKA
#endif
#define I_IMAGECALLBACK (-1)
#define I_IMAGENONE (-2)
#define I_INDENTCALLBACK (-1)

typedef struct tagLVITEMA {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
    int iGroupId;
    UINT cColumns;
    UINT* puColumns;
} LVITEMA, *LPLVITEMA;
typedef LVITEMA LVITEM;
typedef LPLVITEMA LPLVITEM;
#define LV_ITEMA LVITEMA
#define LV_ITEM LVITEM

// Columns.
#define LVCF_FMT 0x0001
#define LVCF_WIDTH 0x0002
#define LVCF_TEXT 0x0004
#define LVCF_SUBITEM 0x0008
#define LVCF_IMAGE 0x0010
#define LVCF_ORDER 0x0020

#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002
#define LVCFMT_JUSTIFYMASK 0x0003
#define LVCFMT_IMAGE 0x0800
#define LVCFMT_BITMAP_ON_RIGHT 0x1000
#define LVCFMT_COL_HAS_IMAGES 0x8000

typedef struct tagLVCOLUMNA {
    UINT mask;
    int fmt;
    int cx;
    LPSTR pszText;
    int cchTextMax;
    int iSubItem;
    int iImage;
    int iOrder;
} LVCOLUMNA, *LPLVCOLUMNA;
typedef LVCOLUMNA LVCOLUMN;
typedef LPLVCOLUMNA LPLVCOLUMN;
#define LV_COLUMNA LVCOLUMNA
#define LV_COLUMN LVCOLUMN

#define LVSCW_AUTOSIZE (-1)
#define LVSCW_AUTOSIZE_USEHEADER (-2)

// LVM_GETNEXTITEM.
#define LVNI_ALL 0x0000
#define LVNI_FOCUSED 0x0001
#define LVNI_SELECTED 0x0002
#define LVNI_CUT 0x0004
#define LVNI_DROPHILITED 0x0008
#define LVNI_ABOVE 0x0100
#define LVNI_BELOW 0x0200
#define LVNI_TOLEFT 0x0400
#define LVNI_TORIGHT 0x0800

// LVM_FINDITEM.
#define LVFI_PARAM 0x0001
#define LVFI_STRING 0x0002
#define LVFI_SUBSTRING 0x0004
#define LVFI_PARTIAL 0x0008
#define LVFI_WRAP 0x0020
#define LVFI_NEARESTXY 0x0040

typedef struct tagLVFINDINFOA {
    UINT flags;
    LPCSTR psz;
    LPARAM lParam;
    POINT pt;
    UINT vkDirection;
} LVFINDINFOA, *LPFINDINFOA;
typedef LVFINDINFOA LVFINDINFO;
#define LV_FINDINFOA LVFINDINFOA
#define LV_FINDINFO LVFINDINFO

// Hit tests. LVHT_ABOVE has the value of LVHT_ONITEMSTATEICON, as on the
// platform; LVHT_ABOVE is only reported together with iItem -1.
#define LVHT_NOWHERE 0x00000001
#define LVHT_ONITEMICON 0x00000002
#define LVHT_ONITEMLABEL 0x00000004
#define LVHT_ONITEMSTATEICON 0x00000008
#define LVHT_ONITEM (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON)
#define LVHT_ABOVE 0x00000008
#define LVHT_BELOW 0x00000010
#define LVHT_TORIGHT 0x00000020
#define LVHT_TOLEFT 0x00000040

typedef struct tagLVHITTESTINFO {
    POINT pt;
    UINT flags;
    int iItem;
    int iSubItem;
    int iGroup;
} LVHITTESTINFO, *LPLVHITTESTINFO;
#define LV_HITTESTINFO LVHITTESTINFO

// LVM_GETITEMRECT / LVM_GETSUBITEMRECT.
#define LVIR_BOUNDS 0
#define LVIR_ICON 1
#define LVIR_LABEL 2
#define LVIR_SELECTBOUNDS 3

// Key flags of NMITEMACTIVATE.
#define LVKF_ALT 0x0001
#define LVKF_CONTROL 0x0002
#define LVKF_SHIFT 0x0004

typedef int(CALLBACK* PFNLVCOMPARE)(LPARAM, LPARAM, LPARAM);

// Notification structures.
typedef struct tagNMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
} NMLISTVIEW, *LPNMLISTVIEW;
#define NM_LISTVIEW NMLISTVIEW
#define LPNM_LISTVIEW LPNMLISTVIEW

typedef struct tagNMITEMACTIVATE {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
    UINT uKeyFlags;
} NMITEMACTIVATE, *LPNMITEMACTIVATE;

typedef struct tagLVDISPINFOA {
    NMHDR hdr;
    LVITEMA item;
} NMLVDISPINFOA, *LPNMLVDISPINFOA;
typedef NMLVDISPINFOA NMLVDISPINFO;
#define LV_DISPINFOA NMLVDISPINFOA
#define LV_DISPINFO NMLVDISPINFO

#pragma pack(push, 1)
typedef struct tagLVKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
} NMLVKEYDOWN, *LPNMLVKEYDOWN;
#pragma pack(pop)
#define LV_KEYDOWN NMLVKEYDOWN

// Notifications (WM_NOTIFY codes).
#define LVN_ITEMCHANGING (LVN_FIRST - 0)
#define LVN_ITEMCHANGED (LVN_FIRST - 1)
#define LVN_INSERTITEM (LVN_FIRST - 2)
#define LVN_DELETEITEM (LVN_FIRST - 3)
#define LVN_DELETEALLITEMS (LVN_FIRST - 4)
#define LVN_BEGINLABELEDITA (LVN_FIRST - 5)
#define LVN_ENDLABELEDITA (LVN_FIRST - 6)
#define LVN_COLUMNCLICK (LVN_FIRST - 8)
#define LVN_BEGINDRAG (LVN_FIRST - 9)
#define LVN_BEGINRDRAG (LVN_FIRST - 11)
#define LVN_ODCACHEHINT (LVN_FIRST - 13)
#define LVN_ITEMACTIVATE (LVN_FIRST - 14)
#define LVN_ODSTATECHANGED (LVN_FIRST - 15)
#define LVN_HOTTRACK (LVN_FIRST - 21)
#define LVN_GETDISPINFOA (LVN_FIRST - 50)
#define LVN_SETDISPINFOA (LVN_FIRST - 51)
#define LVN_ODFINDITEMA (LVN_FIRST - 52)
#define LVN_KEYDOWN (LVN_FIRST - 55)
#define LVN_MARQUEEBEGIN (LVN_FIRST - 56)
#define LVN_BEGINLABELEDIT LVN_BEGINLABELEDITA
#define LVN_ENDLABELEDIT LVN_ENDLABELEDITA
#define LVN_GETDISPINFO LVN_GETDISPINFOA
#define LVN_SETDISPINFO LVN_SETDISPINFOA
#define LVN_ODFINDITEM LVN_ODFINDITEMA

// Messages.
#define LVM_GETBKCOLOR (LVM_FIRST + 0)
#define LVM_SETBKCOLOR (LVM_FIRST + 1)
#define LVM_GETIMAGELIST (LVM_FIRST + 2)
#define LVM_SETIMAGELIST (LVM_FIRST + 3)
#define LVM_GETITEMCOUNT (LVM_FIRST + 4)
#define LVM_GETITEMA (LVM_FIRST + 5)
#define LVM_SETITEMA (LVM_FIRST + 6)
#define LVM_INSERTITEMA (LVM_FIRST + 7)
#define LVM_DELETEITEM (LVM_FIRST + 8)
#define LVM_DELETEALLITEMS (LVM_FIRST + 9)
#define LVM_GETCALLBACKMASK (LVM_FIRST + 10)
#define LVM_SETCALLBACKMASK (LVM_FIRST + 11)
#define LVM_GETNEXTITEM (LVM_FIRST + 12)
#define LVM_FINDITEMA (LVM_FIRST + 13)
#define LVM_GETITEMRECT (LVM_FIRST + 14)
#define LVM_SETITEMPOSITION (LVM_FIRST + 15)
#define LVM_GETITEMPOSITION (LVM_FIRST + 16)
#define LVM_GETSTRINGWIDTHA (LVM_FIRST + 17)
#define LVM_HITTEST (LVM_FIRST + 18)
#define LVM_ENSUREVISIBLE (LVM_FIRST + 19)
#define LVM_SCROLL (LVM_FIRST + 20)
#define LVM_REDRAWITEMS (LVM_FIRST + 21)
#define LVM_ARRANGE (LVM_FIRST + 22)
#define LVM_EDITLABELA (LVM_FIRST + 23)
#define LVM_GETEDITCONTROL (LVM_FIRST + 24)
#define LVM_GETCOLUMNA (LVM_FIRST + 25)
#define LVM_SETCOLUMNA (LVM_FIRST + 26)
#define LVM_INSERTCOLUMNA (LVM_FIRST + 27)
#define LVM_DELETECOLUMN (LVM_FIRST + 28)
#define LVM_GETCOLUMNWIDTH (LVM_FIRST + 29)
#define LVM_SETCOLUMNWIDTH (LVM_FIRST + 30)
#define LVM_GETHEADER (LVM_FIRST + 31)
#define LVM_CREATEDRAGIMAGE (LVM_FIRST + 33)
#define LVM_GETVIEWRECT (LVM_FIRST + 34)
#define LVM_GETTEXTCOLOR (LVM_FIRST + 35)
#define LVM_SETTEXTCOLOR (LVM_FIRST + 36)
#define LVM_GETTEXTBKCOLOR (LVM_FIRST + 37)
#define LVM_SETTEXTBKCOLOR (LVM_FIRST + 38)
#define LVM_GETTOPINDEX (LVM_FIRST + 39)
#define LVM_GETCOUNTPERPAGE (LVM_FIRST + 40)
#define LVM_GETORIGIN (LVM_FIRST + 41)
#define LVM_UPDATE (LVM_FIRST + 42)
#define LVM_SETITEMSTATE (LVM_FIRST + 43)
#define LVM_GETITEMSTATE (LVM_FIRST + 44)
#define LVM_GETITEMTEXTA (LVM_FIRST + 45)
#define LVM_SETITEMTEXTA (LVM_FIRST + 46)
#define LVM_SETITEMCOUNT (LVM_FIRST + 47)
#define LVM_SORTITEMS (LVM_FIRST + 48)
#define LVM_SETITEMPOSITION32 (LVM_FIRST + 49)
#define LVM_GETSELECTEDCOUNT (LVM_FIRST + 50)
#define LVM_GETITEMSPACING (LVM_FIRST + 51)
#define LVM_GETISEARCHSTRINGA (LVM_FIRST + 52)
#define LVM_SETICONSPACING (LVM_FIRST + 53)
#define LVM_SETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 54)
#define LVM_GETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 55)
#define LVM_GETSUBITEMRECT (LVM_FIRST + 56)
#define LVM_SUBITEMHITTEST (LVM_FIRST + 57)
#define LVM_SETCOLUMNORDERARRAY (LVM_FIRST + 58)
#define LVM_GETCOLUMNORDERARRAY (LVM_FIRST + 59)
#define LVM_SETHOTITEM (LVM_FIRST + 60)
#define LVM_GETHOTITEM (LVM_FIRST + 61)
#define LVM_APPROXIMATEVIEWRECT (LVM_FIRST + 64)
#define LVM_GETSELECTIONMARK (LVM_FIRST + 66)
#define LVM_SETSELECTIONMARK (LVM_FIRST + 67)
#define LVM_SORTITEMSEX (LVM_FIRST + 81)

#define LVM_GETITEM LVM_GETITEMA
#define LVM_SETITEM LVM_SETITEMA
#define LVM_INSERTITEM LVM_INSERTITEMA
#define LVM_FINDITEM LVM_FINDITEMA
#define LVM_GETSTRINGWIDTH LVM_GETSTRINGWIDTHA
#define LVM_EDITLABEL LVM_EDITLABELA
#define LVM_GETCOLUMN LVM_GETCOLUMNA
#define LVM_SETCOLUMN LVM_SETCOLUMNA
#define LVM_INSERTCOLUMN LVM_INSERTCOLUMNA
#define LVM_GETITEMTEXT LVM_GETITEMTEXTA
#define LVM_SETITEMTEXT LVM_SETITEMTEXTA
#define LVM_GETISEARCHSTRING LVM_GETISEARCHSTRINGA

// LVM_SETITEMCOUNT flags (virtual lists).
#define LVSICF_NOINVALIDATEALL 0x00000001
#define LVSICF_NOSCROLL 0x00000002

// Macros. Each macro casts the message's result to the platform's type, as the
// platform's own header does. Programs see these headers as system headers
// (as they see the platform's), so a macro used as a statement draws no
// "value computed is not used" warning on either platform.

inline BOOL ListView_GetItemRect_(HWND hwnd, int i, RECT* prc, int code) {
    if (prc != NULL) {
        prc->left = code;
    }
    return (BOOL)SNDMSG(hwnd, LVM_GETITEMRECT, (WPARAM)i, (LPARAM)prc);
}

inline BOOL ListView_GetSubItemRect_(HWND hwnd, int iItem, int iSubItem, int code, RECT* prc) {
    if (prc != NULL) {
        prc->top = iSubItem;
        prc->left = code;
    }
    return (BOOL)SNDMSG(hwnd, LVM_GETSUBITEMRECT, (WPARAM)iItem, (LPARAM)prc);
}

inline void ListView_SetItemState_(HWND hwnd, int i, UINT data, UINT mask) {
    LVITEMA item = {};
    item.stateMask = mask;
    item.state = data;
    SNDMSG(hwnd, LVM_SETITEMSTATE, (WPARAM)i, (LPARAM)&item);
}

inline void ListView_GetItemText_(HWND hwnd, int i, int iSubItem, LPSTR pszText, int cchTextMax) {
    LVITEMA item = {};
    item.iSubItem = iSubItem;
    item.cchTextMax = cchTextMax;
    item.pszText = pszText;
    SNDMSG(hwnd, LVM_GETITEMTEXT, (WPARAM)i, (LPARAM)&item);
}

inline void ListView_SetItemText_(HWND hwnd, int i, int iSubItem, LPSTR pszText) {
    LVITEMA item = {};
    item.iSubItem = iSubItem;
    item.pszText = pszText;
    SNDMSG(hwnd, LVM_SETITEMTEXT, (WPARAM)i, (LPARAM)&item);
}

#define ListView_GetBkColor(hwnd) ((COLORREF)SNDMSG((hwnd), LVM_GETBKCOLOR, 0, 0))
#define ListView_SetBkColor(hwnd, clrBk) \
    ((BOOL)SNDMSG((hwnd), LVM_SETBKCOLOR, 0, (LPARAM)(COLORREF)(clrBk)))
#define ListView_GetImageList(hwnd, iImageList) \
    ((HIMAGELIST)SNDMSG((hwnd), LVM_GETIMAGELIST, (WPARAM)(INT)(iImageList), 0))
#define ListView_SetImageList(hwnd, himl, iImageList) \
    ((HIMAGELIST)SNDMSG((hwnd), LVM_SETIMAGELIST, (WPARAM)(iImageList), (LPARAM)(HIMAGELIST)(himl)))
#define ListView_GetItemCount(hwnd) ((int)SNDMSG((hwnd), LVM_GETITEMCOUNT, 0, 0))
#define ListView_GetItem(hwnd, pitem) \
    ((BOOL)SNDMSG((hwnd), LVM_GETITEM, 0, (LPARAM)(LV_ITEM*)(pitem)))
#define ListView_SetItem(hwnd, pitem) \
    ((BOOL)SNDMSG((hwnd), LVM_SETITEM, 0, (LPARAM)(const LV_ITEM*)(pitem)))
#define ListView_InsertItem(hwnd, pitem) \
    ((int)SNDMSG((hwnd), LVM_INSERTITEM, 0, (LPARAM)(const LV_ITEM*)(pitem)))
#define ListView_DeleteItem(hwnd, i) ((BOOL)SNDMSG((hwnd), LVM_DELETEITEM, (WPARAM)(int)(i), 0))
#define ListView_DeleteAllItems(hwnd) ((BOOL)SNDMSG((hwnd), LVM_DELETEALLITEMS, 0, 0))
#define ListView_GetCallbackMask(hwnd) ((UINT)SNDMSG((hwnd), LVM_GETCALLBACKMASK, 0, 0))
#define ListView_SetCallbackMask(hwnd, mask) \
    ((BOOL)SNDMSG((hwnd), LVM_SETCALLBACKMASK, (WPARAM)(UINT)(mask), 0))
#define ListView_GetNextItem(hwnd, i, flags) \
    ((int)SNDMSG((hwnd), LVM_GETNEXTITEM, (WPARAM)(int)(i), MAKELPARAM((flags), 0)))
#define ListView_FindItem(hwnd, iStart, plvfi) \
    ((int)SNDMSG((hwnd), LVM_FINDITEM, (WPARAM)(int)(iStart), (LPARAM)(const LV_FINDINFO*)(plvfi)))
#define ListView_GetItemRect(hwnd, i, prc, code) \
    ListView_GetItemRect_((hwnd), (int)(i), (RECT*)(prc), (int)(code))
#define ListView_SetItemPosition(hwndLV, i, x, y) \
    ((BOOL)SNDMSG((hwndLV), LVM_SETITEMPOSITION, (WPARAM)(int)(i), MAKELPARAM((x), (y))))
#define ListView_GetItemPosition(hwndLV, i, ppt) \
    ((BOOL)SNDMSG((hwndLV), LVM_GETITEMPOSITION, (WPARAM)(int)(i), (LPARAM)(POINT*)(ppt)))
#define ListView_GetStringWidth(hwndLV, psz) \
    ((int)SNDMSG((hwndLV), LVM_GETSTRINGWIDTH, 0, (LPARAM)(LPCSTR)(psz)))
#define ListView_HitTest(hwndLV, pinfo) \
    ((int)SNDMSG((hwndLV), LVM_HITTEST, 0, (LPARAM)(LV_HITTESTINFO*)(pinfo)))
#define ListView_EnsureVisible(hwndLV, i, fPartialOK) \
    ((BOOL)SNDMSG((hwndLV), LVM_ENSUREVISIBLE, (WPARAM)(int)(i), MAKELPARAM((fPartialOK), 0)))
#define ListView_Scroll(hwndLV, dx, dy) \
    ((BOOL)SNDMSG((hwndLV), LVM_SCROLL, (WPARAM)(int)(dx), (LPARAM)(int)(dy)))
#define ListView_RedrawItems(hwndLV, iFirst, iLast) \
    ((BOOL)SNDMSG((hwndLV), LVM_REDRAWITEMS, (WPARAM)(int)(iFirst), (LPARAM)(int)(iLast)))
#define ListView_Arrange(hwndLV, code) \
    ((BOOL)SNDMSG((hwndLV), LVM_ARRANGE, (WPARAM)(UINT)(code), 0))
#define ListView_EditLabel(hwndLV, i) ((HWND)SNDMSG((hwndLV), LVM_EDITLABEL, (WPARAM)(int)(i), 0))
#define ListView_GetEditControl(hwndLV) ((HWND)SNDMSG((hwndLV), LVM_GETEDITCONTROL, 0, 0))
#define ListView_GetColumn(hwnd, iCol, pcol) \
    ((BOOL)SNDMSG((hwnd), LVM_GETCOLUMN, (WPARAM)(int)(iCol), (LPARAM)(LV_COLUMN*)(pcol)))
#define ListView_SetColumn(hwnd, iCol, pcol) \
    ((BOOL)SNDMSG((hwnd), LVM_SETCOLUMN, (WPARAM)(int)(iCol), (LPARAM)(const LV_COLUMN*)(pcol)))
#define ListView_InsertColumn(hwnd, iCol, pcol) \
    ((int)SNDMSG((hwnd), LVM_INSERTCOLUMN, (WPARAM)(int)(iCol), (LPARAM)(const LV_COLUMN*)(pcol)))
#define ListView_DeleteColumn(hwnd, iCol) \
    ((BOOL)SNDMSG((hwnd), LVM_DELETECOLUMN, (WPARAM)(int)(iCol), 0))
#define ListView_GetColumnWidth(hwnd, iCol) \
    ((int)SNDMSG((hwnd), LVM_GETCOLUMNWIDTH, (WPARAM)(int)(iCol), 0))
#define ListView_SetColumnWidth(hwnd, iCol, cx) \
    ((BOOL)SNDMSG((hwnd), LVM_SETCOLUMNWIDTH, (WPARAM)(int)(iCol), MAKELPARAM((cx), 0)))
#define ListView_GetHeader(hwnd) ((HWND)SNDMSG((hwnd), LVM_GETHEADER, 0, 0))
#define ListView_CreateDragImage(hwnd, i, lpptUpLeft)                  \
    ((HIMAGELIST)SNDMSG((hwnd), LVM_CREATEDRAGIMAGE, (WPARAM)(int)(i), \
                        (LPARAM)(LPPOINT)(lpptUpLeft)))
#define ListView_GetViewRect(hwnd, prc) \
    ((BOOL)SNDMSG((hwnd), LVM_GETVIEWRECT, 0, (LPARAM)(RECT*)(prc)))
#define ListView_GetTextColor(hwnd) ((COLORREF)SNDMSG((hwnd), LVM_GETTEXTCOLOR, 0, 0))
#define ListView_SetTextColor(hwnd, clrText) \
    ((BOOL)SNDMSG((hwnd), LVM_SETTEXTCOLOR, 0, (LPARAM)(COLORREF)(clrText)))
#define ListView_GetTextBkColor(hwnd) ((COLORREF)SNDMSG((hwnd), LVM_GETTEXTBKCOLOR, 0, 0))
#define ListView_SetTextBkColor(hwnd, clrTextBk) \
    ((BOOL)SNDMSG((hwnd), LVM_SETTEXTBKCOLOR, 0, (LPARAM)(COLORREF)(clrTextBk)))
#define ListView_GetTopIndex(hwndLV) ((int)SNDMSG((hwndLV), LVM_GETTOPINDEX, 0, 0))
#define ListView_GetCountPerPage(hwndLV) ((int)SNDMSG((hwndLV), LVM_GETCOUNTPERPAGE, 0, 0))
#define ListView_GetOrigin(hwndLV, ppt) \
    ((BOOL)SNDMSG((hwndLV), LVM_GETORIGIN, (WPARAM)0, (LPARAM)(POINT*)(ppt)))
#define ListView_Update(hwndLV, i) ((BOOL)SNDMSG((hwndLV), LVM_UPDATE, (WPARAM)(i), 0))
#define ListView_SetItemState(hwndLV, i, data, mask) \
    ListView_SetItemState_((hwndLV), (int)(i), (UINT)(data), (UINT)(mask))
#define ListView_SetCheckState(hwndLV, i, fCheck) \
    ListView_SetItemState(hwndLV, i, INDEXTOSTATEIMAGEMASK((fCheck) ? 2 : 1), LVIS_STATEIMAGEMASK)
#define ListView_GetItemState(hwndLV, i, mask) \
    ((UINT)SNDMSG((hwndLV), LVM_GETITEMSTATE, (WPARAM)(i), (LPARAM)(mask)))
#define ListView_GetCheckState(hwndLV, i) \
    ((((UINT)SNDMSG((hwndLV), LVM_GETITEMSTATE, (WPARAM)(i), LVIS_STATEIMAGEMASK)) >> 12) - 1)
#define ListView_GetItemText(hwndLV, i, iSubItem_, pszText_, cchTextMax_) \
    ListView_GetItemText_((hwndLV), (int)(i), (iSubItem_), (pszText_), (cchTextMax_))
#define ListView_SetItemText(hwndLV, i, iSubItem_, pszText_) \
    ListView_SetItemText_((hwndLV), (int)(i), (iSubItem_), (pszText_))
#define ListView_SetItemCount(hwndLV, cItems) \
    ((LRESULT)SNDMSG((hwndLV), LVM_SETITEMCOUNT, (WPARAM)(cItems), 0))
#define ListView_SetItemCountEx(hwndLV, cItems, dwFlags) \
    ((LRESULT)SNDMSG((hwndLV), LVM_SETITEMCOUNT, (WPARAM)(cItems), (LPARAM)(dwFlags)))
#define ListView_SortItems(hwndLV, _pfnCompare, _lPrm)              \
    ((BOOL)SNDMSG((hwndLV), LVM_SORTITEMS, (WPARAM)(LPARAM)(_lPrm), \
                  (LPARAM)(PFNLVCOMPARE)(_pfnCompare)))
#define ListView_SortItemsEx(hwndLV, _pfnCompare, _lPrm)              \
    ((BOOL)SNDMSG((hwndLV), LVM_SORTITEMSEX, (WPARAM)(LPARAM)(_lPrm), \
                  (LPARAM)(PFNLVCOMPARE)(_pfnCompare)))
#define ListView_GetSelectedCount(hwndLV) ((UINT)SNDMSG((hwndLV), LVM_GETSELECTEDCOUNT, 0, 0))
#define ListView_GetItemSpacing(hwndLV, fSmall) \
    ((DWORD)SNDMSG((hwndLV), LVM_GETITEMSPACING, (WPARAM)(fSmall), 0))
#define ListView_GetISearchString(hwndLV, lpsz) \
    ((BOOL)SNDMSG((hwndLV), LVM_GETISEARCHSTRING, 0, (LPARAM)(LPTSTR)(lpsz)))
#define ListView_SetExtendedListViewStyle(hwndLV, dw) \
    ((DWORD)SNDMSG((hwndLV), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)(dw)))
#define ListView_SetExtendedListViewStyleEx(hwndLV, dwMask, dw) \
    ((DWORD)SNDMSG((hwndLV), LVM_SETEXTENDEDLISTVIEWSTYLE, (WPARAM)(dwMask), (LPARAM)(dw)))
#define ListView_GetExtendedListViewStyle(hwndLV) \
    ((DWORD)SNDMSG((hwndLV), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0))
#define ListView_GetSubItemRect(hwnd, iItem, iSubItem, code, prc) \
    ListView_GetSubItemRect_((hwnd), (int)(iItem), (int)(iSubItem), (int)(code), (RECT*)(prc))
#define ListView_SubItemHitTest(hwnd, plvhti) \
    ((int)SNDMSG((hwnd), LVM_SUBITEMHITTEST, 0, (LPARAM)(LPLVHITTESTINFO)(plvhti)))
#define ListView_SetColumnOrderArray(hwnd, iCount, pi) \
    ((BOOL)SNDMSG((hwnd), LVM_SETCOLUMNORDERARRAY, (WPARAM)(iCount), (LPARAM)(LPINT)(pi)))
#define ListView_GetColumnOrderArray(hwnd, iCount, pi) \
    ((BOOL)SNDMSG((hwnd), LVM_GETCOLUMNORDERARRAY, (WPARAM)(iCount), (LPARAM)(LPINT)(pi)))
#define ListView_SetHotItem(hwnd, i) ((int)SNDMSG((hwnd), LVM_SETHOTITEM, (WPARAM)(i), 0))
#define ListView_GetHotItem(hwnd) ((int)SNDMSG((hwnd), LVM_GETHOTITEM, 0, 0))
#define ListView_GetSelectionMark(hwnd) ((int)SNDMSG((hwnd), LVM_GETSELECTIONMARK, 0, 0))
#define ListView_SetSelectionMark(hwnd, i) \
    ((int)SNDMSG((hwnd), LVM_SETSELECTIONMARK, 0, (LPARAM)(i)))
#define ListView_ApproximateViewRect(hwnd, iWidth, iHeight, iCount) \
    ((DWORD)SNDMSG((hwnd), LVM_APPROXIMATEVIEWRECT, iCount, MAKELPARAM(iWidth, iHeight)))
