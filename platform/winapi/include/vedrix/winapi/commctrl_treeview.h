// Common controls: the tree view ("SysTreeView32").
//
// Included by <commctrl.h> after <windows.h> and the shared common-control
// part; NMHDR and WM_NOTIFY come from <winuser.h>, HIMAGELIST from the image
// list part. Names, values and structure layouts are the platform's.
//
// Geometry of the headless tree view (fixed, so that item rectangles and hit
// tests are the same on every run). All values are client coordinates.
//
//   Row height    the item height: by default the largest of 16 (one line of
//                 text), the height of the normal image list and the height of
//                 the state image list; TVM_SETITEMHEIGHT overrides it (rounded
//                 down to an even number unless TVS_NONEVENHEIGHT; -1 returns
//                 to the default).
//   Rows          the visible items (every ancestor expanded) in tree order;
//                 row r occupies y = (r - first visible row) * height up to the
//                 next row. The view never scrolls past the point where the last
//                 item sits on the last fully visible row.
//   Indent        19 pixels per level (TVM_SETINDENT, at least 5). Root items
//                 are at level 0. With TVS_LINESATROOT together with
//                 TVS_HASLINES or TVS_HASBUTTONS the root items get a column of
//                 their own, so every item moves one indent to the right.
//                 x0 = (level + that column) * indent is where the item starts.
//   Button        the indent column just left of x0 (x0 - indent .. x0) holds
//                 the item's expand button (TVS_HASBUTTONS and the item has
//                 children); it is drawn as a 9 x 9 box centred in the column.
//   State image   x0 .. x0 + state image width, when a state image list is set
//                 and the item's state image index (bits 12-15) is not 0.
//   Image         then the image width of the normal image list, when one is
//                 set.
//   Label         then the text: 2 pixels of margin, the text's extent in the
//                 tree's font (7 pixels per character, 8 in bold) and 2 pixels
//                 of margin. TVM_GETITEMRECT with TRUE returns this rectangle
//                 over the row's height; with FALSE it returns the whole row
//                 (0 .. client width). It fails for items inside a collapsed
//                 branch; items scrolled out of the client area give
//                 rectangles outside it.
//
// Hit tests (TVM_HITTEST): outside the client area TVHT_ABOVE, TVHT_BELOW,
// TVHT_TOLEFT and TVHT_TORIGHT combine and no item is returned; inside it
// below the last row TVHT_NOWHERE; on a row, left of the button column
// TVHT_ONITEMINDENT, the button column TVHT_ONITEMBUTTON when the item shows a
// button (TVHT_ONITEMINDENT otherwise), then TVHT_ONITEMSTATEICON,
// TVHT_ONITEMICON, TVHT_ONITEMLABEL, and right of the label TVHT_ONITEMRIGHT.
//
// Label editing places an "Edit" child over the label: the label's left edge,
// top and height, as wide as the label of the edited text plus 14 pixels (at
// least the label's width, at most to the right edge of the client area).
//
// Vertical scroll bar: while the rows do not all fit, the range is 0 to the
// number of visible rows less one, with a page of the fully visible rows;
// while they fit, the range is 0 ... 0 without a page and the bar is hidden.
// Expanding and collapsing update it at once, other changes when the tree
// next lays its rows out (painting, scrolling).
//
// There is no horizontal scrolling; rows keep their integral height of one.
// Item handles are small non-zero numbers, unique in the process, so that they
// survive being kept in 32-bit fields.
#pragma once

#include <windows.h>
#include <vedrix/winapi/commctrl_common.h>

#include <cstring>

// ---------------------------------------------------------------------------
// Class name

#ifndef WC_TREEVIEWA
#define WC_TREEVIEWA "SysTreeView32"
#endif
#ifndef WC_TREEVIEW
#define WC_TREEVIEW WC_TREEVIEWA
#endif

#ifndef SNDMSG
#define SNDMSG SendMessage
#endif

// ---------------------------------------------------------------------------
// Items

struct _TREEITEM;
typedef struct _TREEITEM* HTREEITEM;

#define TVI_ROOT ((HTREEITEM)(ULONG_PTR)-0x10000)
#define TVI_FIRST ((HTREEITEM)(ULONG_PTR)-0x0FFFF)
#define TVI_LAST ((HTREEITEM)(ULONG_PTR)-0x0FFFE)
#define TVI_SORT ((HTREEITEM)(ULONG_PTR)-0x0FFFD)

// Styles
#define TVS_HASBUTTONS 0x0001
#define TVS_HASLINES 0x0002
#define TVS_LINESATROOT 0x0004
#define TVS_EDITLABELS 0x0008
#define TVS_DISABLEDRAGDROP 0x0010
#define TVS_SHOWSELALWAYS 0x0020
#define TVS_RTLREADING 0x0040
#define TVS_NOTOOLTIPS 0x0080
#define TVS_CHECKBOXES 0x0100
#define TVS_TRACKSELECT 0x0200
#define TVS_SINGLEEXPAND 0x0400
#define TVS_INFOTIP 0x0800
#define TVS_FULLROWSELECT 0x1000
#define TVS_NOSCROLL 0x2000
#define TVS_NONEVENHEIGHT 0x4000
#define TVS_NOHSCROLL 0x8000

// Item fields (TVITEM::mask)
#define TVIF_TEXT 0x0001
#define TVIF_IMAGE 0x0002
#define TVIF_PARAM 0x0004
#define TVIF_STATE 0x0008
#define TVIF_HANDLE 0x0010
#define TVIF_SELECTEDIMAGE 0x0020
#define TVIF_CHILDREN 0x0040
#define TVIF_INTEGRAL 0x0080
#define TVIF_STATEEX 0x0100
#define TVIF_EXPANDEDIMAGE 0x0200
#define TVIF_DI_SETITEM 0x1000

// Item states (TVITEM::state)
#define TVIS_FOCUSED 0x0001
#define TVIS_SELECTED 0x0002
#define TVIS_CUT 0x0004
#define TVIS_DROPHILITED 0x0008
#define TVIS_BOLD 0x0010
#define TVIS_EXPANDED 0x0020
#define TVIS_EXPANDEDONCE 0x0040
#define TVIS_EXPANDPARTIAL 0x0080
#define TVIS_OVERLAYMASK 0x0F00
#define TVIS_STATEIMAGEMASK 0xF000
#define TVIS_USERMASK 0xF000

#define TVIS_EX_FLAT 0x0001
#define TVIS_EX_DISABLED 0x0002
#define TVIS_EX_ALL 0x0002

#ifndef INDEXTOSTATEIMAGEMASK
#define INDEXTOSTATEIMAGEMASK(i) ((i) << 12)
#endif
#ifndef INDEXTOOVERLAYMASK
#define INDEXTOOVERLAYMASK(i) ((i) << 8)
#endif

#define I_CHILDRENCALLBACK (-1)
#define I_CHILDRENAUTO (-2)
#ifndef I_IMAGECALLBACK
#define I_IMAGECALLBACK (-1)
#endif
#ifndef I_IMAGENONE
#define I_IMAGENONE (-2)
#endif

#ifndef LPSTR_TEXTCALLBACKA
#define LPSTR_TEXTCALLBACKA ((LPSTR)-1L)
#endif
#ifndef LPSTR_TEXTCALLBACK
#define LPSTR_TEXTCALLBACK LPSTR_TEXTCALLBACKA
#endif

typedef struct tagTVITEMA {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
} TVITEMA, *LPTVITEMA;

typedef struct tagTVITEMEXA {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
    int iIntegral;
    UINT uStateEx;
    HWND hwnd;
    int iExpandedImage;
    int iReserved;
} TVITEMEXA, *LPTVITEMEXA;

typedef TVITEMA TVITEM;
typedef LPTVITEMA LPTVITEM;
typedef TVITEMEXA TVITEMEX;
typedef LPTVITEMEXA LPTVITEMEX;
#define TV_ITEMA TVITEMA
#define TV_ITEM TVITEM
#define LPTV_ITEMA LPTVITEMA
#define LPTV_ITEM LPTVITEM

typedef struct tagTVINSERTSTRUCTA {
    HTREEITEM hParent;
    HTREEITEM hInsertAfter;
    union {
        TVITEMEXA itemex;
        TVITEMA item;
    };
} TVINSERTSTRUCTA, *LPTVINSERTSTRUCTA;

typedef TVINSERTSTRUCTA TVINSERTSTRUCT;
typedef LPTVINSERTSTRUCTA LPTVINSERTSTRUCT;
#define TV_INSERTSTRUCTA TVINSERTSTRUCTA
#define TV_INSERTSTRUCT TVINSERTSTRUCT
#define LPTV_INSERTSTRUCTA LPTVINSERTSTRUCTA
#define LPTV_INSERTSTRUCT LPTVINSERTSTRUCT

// ---------------------------------------------------------------------------
// Messages

#define TV_FIRST 0x1100

#define TVM_INSERTITEMA (TV_FIRST + 0)
#define TVM_DELETEITEM (TV_FIRST + 1)
#define TVM_EXPAND (TV_FIRST + 2)
#define TVM_GETITEMRECT (TV_FIRST + 4)
#define TVM_GETCOUNT (TV_FIRST + 5)
#define TVM_GETINDENT (TV_FIRST + 6)
#define TVM_SETINDENT (TV_FIRST + 7)
#define TVM_GETIMAGELIST (TV_FIRST + 8)
#define TVM_SETIMAGELIST (TV_FIRST + 9)
#define TVM_GETNEXTITEM (TV_FIRST + 10)
#define TVM_SELECTITEM (TV_FIRST + 11)
#define TVM_GETITEMA (TV_FIRST + 12)
#define TVM_SETITEMA (TV_FIRST + 13)
#define TVM_EDITLABELA (TV_FIRST + 14)
#define TVM_GETEDITCONTROL (TV_FIRST + 15)
#define TVM_GETVISIBLECOUNT (TV_FIRST + 16)
#define TVM_HITTEST (TV_FIRST + 17)
#define TVM_CREATEDRAGIMAGE (TV_FIRST + 18)
#define TVM_SORTCHILDREN (TV_FIRST + 19)
#define TVM_ENSUREVISIBLE (TV_FIRST + 20)
#define TVM_SORTCHILDRENCB (TV_FIRST + 21)
#define TVM_ENDEDITLABELNOW (TV_FIRST + 22)
#define TVM_GETISEARCHSTRINGA (TV_FIRST + 23)
#define TVM_SETTOOLTIPS (TV_FIRST + 24)
#define TVM_GETTOOLTIPS (TV_FIRST + 25)
#define TVM_SETINSERTMARK (TV_FIRST + 26)
#define TVM_SETITEMHEIGHT (TV_FIRST + 27)
#define TVM_GETITEMHEIGHT (TV_FIRST + 28)
#define TVM_SETBKCOLOR (TV_FIRST + 29)
#define TVM_SETTEXTCOLOR (TV_FIRST + 30)
#define TVM_GETBKCOLOR (TV_FIRST + 31)
#define TVM_GETTEXTCOLOR (TV_FIRST + 32)
#define TVM_SETSCROLLTIME (TV_FIRST + 33)
#define TVM_GETSCROLLTIME (TV_FIRST + 34)
#define TVM_SETINSERTMARKCOLOR (TV_FIRST + 37)
#define TVM_GETINSERTMARKCOLOR (TV_FIRST + 38)
#define TVM_GETITEMSTATE (TV_FIRST + 39)
#define TVM_SETLINECOLOR (TV_FIRST + 40)
#define TVM_GETLINECOLOR (TV_FIRST + 41)
#define TVM_SETEXTENDEDSTYLE (TV_FIRST + 44)
#define TVM_GETEXTENDEDSTYLE (TV_FIRST + 45)

#define TVM_INSERTITEM TVM_INSERTITEMA
#define TVM_GETITEM TVM_GETITEMA
#define TVM_SETITEM TVM_SETITEMA
#define TVM_EDITLABEL TVM_EDITLABELA
#define TVM_GETISEARCHSTRING TVM_GETISEARCHSTRINGA

// TVM_EXPAND actions, also NMTREEVIEW::action of the expansion notifications
#define TVE_COLLAPSE 0x0001
#define TVE_EXPAND 0x0002
#define TVE_TOGGLE 0x0003
#define TVE_EXPANDPARTIAL 0x4000
#define TVE_COLLAPSERESET 0x8000

// TVM_SETIMAGELIST / TVM_GETIMAGELIST
#define TVSIL_NORMAL 0
#define TVSIL_STATE 2

// TVM_GETNEXTITEM and TVM_SELECTITEM
#define TVGN_ROOT 0x0000
#define TVGN_NEXT 0x0001
#define TVGN_PREVIOUS 0x0002
#define TVGN_PARENT 0x0003
#define TVGN_CHILD 0x0004
#define TVGN_FIRSTVISIBLE 0x0005
#define TVGN_NEXTVISIBLE 0x0006
#define TVGN_PREVIOUSVISIBLE 0x0007
#define TVGN_DROPHILITE 0x0008
#define TVGN_CARET 0x0009
#define TVGN_LASTVISIBLE 0x000A
#define TVGN_NEXTSELECTED 0x000B
#define TVSI_NOSINGLEEXPAND 0x8000

// TVM_HITTEST
#define TVHT_NOWHERE 0x0001
#define TVHT_ONITEMICON 0x0002
#define TVHT_ONITEMLABEL 0x0004
#define TVHT_ONITEM (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)
#define TVHT_ONITEMINDENT 0x0008
#define TVHT_ONITEMBUTTON 0x0010
#define TVHT_ONITEMRIGHT 0x0020
#define TVHT_ONITEMSTATEICON 0x0040
#define TVHT_ABOVE 0x0100
#define TVHT_BELOW 0x0200
#define TVHT_TORIGHT 0x0400
#define TVHT_TOLEFT 0x0800

typedef struct tagTVHITTESTINFO {
    POINT pt;
    UINT flags;
    HTREEITEM hItem;
} TVHITTESTINFO, *LPTVHITTESTINFO;
#define TV_HITTESTINFO TVHITTESTINFO
#define LPTV_HITTESTINFO LPTVHITTESTINFO

// TVM_SORTCHILDRENCB
typedef int(CALLBACK* PFNTVCOMPARE)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

typedef struct tagTVSORTCB {
    HTREEITEM hParent;
    PFNTVCOMPARE lpfnCompare;
    LPARAM lParam;
} TVSORTCB, *LPTVSORTCB;
#define TV_SORTCB TVSORTCB
#define LPTV_SORTCB LPTVSORTCB

// ---------------------------------------------------------------------------
// Notifications (WM_NOTIFY to the parent)

#ifndef TVN_FIRST
#define TVN_FIRST (0U - 400U)
#endif
#ifndef TVN_LAST
#define TVN_LAST (0U - 499U)
#endif

#define TVN_SELCHANGINGA (TVN_FIRST - 1)
#define TVN_SELCHANGEDA (TVN_FIRST - 2)
#define TVN_GETDISPINFOA (TVN_FIRST - 3)
#define TVN_SETDISPINFOA (TVN_FIRST - 4)
#define TVN_ITEMEXPANDINGA (TVN_FIRST - 5)
#define TVN_ITEMEXPANDEDA (TVN_FIRST - 6)
#define TVN_BEGINDRAGA (TVN_FIRST - 7)
#define TVN_BEGINRDRAGA (TVN_FIRST - 8)
#define TVN_DELETEITEMA (TVN_FIRST - 9)
#define TVN_BEGINLABELEDITA (TVN_FIRST - 10)
#define TVN_ENDLABELEDITA (TVN_FIRST - 11)
#define TVN_KEYDOWN (TVN_FIRST - 12)
#define TVN_GETINFOTIPA (TVN_FIRST - 13)
#define TVN_SINGLEEXPAND (TVN_FIRST - 15)

#define TVN_SELCHANGING TVN_SELCHANGINGA
#define TVN_SELCHANGED TVN_SELCHANGEDA
#define TVN_GETDISPINFO TVN_GETDISPINFOA
#define TVN_SETDISPINFO TVN_SETDISPINFOA
#define TVN_ITEMEXPANDING TVN_ITEMEXPANDINGA
#define TVN_ITEMEXPANDED TVN_ITEMEXPANDEDA
#define TVN_BEGINDRAG TVN_BEGINDRAGA
#define TVN_BEGINRDRAG TVN_BEGINRDRAGA
#define TVN_DELETEITEM TVN_DELETEITEMA
#define TVN_BEGINLABELEDIT TVN_BEGINLABELEDITA
#define TVN_ENDLABELEDIT TVN_ENDLABELEDITA
#define TVN_GETINFOTIP TVN_GETINFOTIPA

// NMTREEVIEW::action of TVN_SELCHANGING and TVN_SELCHANGED
#define TVC_UNKNOWN 0x0000
#define TVC_BYMOUSE 0x0001
#define TVC_BYKEYBOARD 0x0002

// Result of TVN_SINGLEEXPAND
#define TVNRET_DEFAULT 0
#define TVNRET_SKIPOLD 1
#define TVNRET_SKIPNEW 2

typedef struct tagNMTREEVIEWA {
    NMHDR hdr;
    UINT action;
    TVITEMA itemOld;
    TVITEMA itemNew;
    POINT ptDrag;
} NMTREEVIEWA, *LPNMTREEVIEWA;
typedef NMTREEVIEWA NMTREEVIEW;
typedef LPNMTREEVIEWA LPNMTREEVIEW;
#define NM_TREEVIEWA NMTREEVIEWA
#define NM_TREEVIEW NMTREEVIEW
#define LPNM_TREEVIEW LPNMTREEVIEW

typedef struct tagTVDISPINFOA {
    NMHDR hdr;
    TVITEMA item;
} NMTVDISPINFOA, *LPNMTVDISPINFOA;
typedef NMTVDISPINFOA NMTVDISPINFO;
typedef LPNMTVDISPINFOA LPNMTVDISPINFO;
#define TV_DISPINFOA NMTVDISPINFOA
#define TV_DISPINFO NMTVDISPINFO

#pragma pack(push, 1)
typedef struct tagTVKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
} NMTVKEYDOWN, *LPNMTVKEYDOWN;
#pragma pack(pop)
#define TV_KEYDOWN NMTVKEYDOWN

// NM_CUSTOMDRAW of a tree view
typedef struct tagNMTVCUSTOMDRAW {
    NMCUSTOMDRAW nmcd;
    COLORREF clrText;
    COLORREF clrTextBk;
    int iLevel;
} NMTVCUSTOMDRAW, *LPNMTVCUSTOMDRAW;

typedef struct tagNMTVGETINFOTIPA {
    NMHDR hdr;
    LPSTR pszText;
    int cchTextMax;
    HTREEITEM hItem;
    LPARAM lParam;
} NMTVGETINFOTIPA, *LPNMTVGETINFOTIPA;
typedef NMTVGETINFOTIPA NMTVGETINFOTIP;
typedef LPNMTVGETINFOTIPA LPNMTVGETINFOTIP;

// ---------------------------------------------------------------------------
// Message macros

// Each macro casts the message's result to the platform's type, as the
// platform's own header does. Programs see these headers as system headers
// (as they see the platform's), so a macro used as a statement draws no
// "value computed is not used" warning on either platform.

#define TreeView_InsertItem(hwnd, lpis) \
    ((HTREEITEM)SNDMSG((hwnd), TVM_INSERTITEM, 0, (LPARAM)(LPTV_INSERTSTRUCT)(lpis)))
#define TreeView_DeleteItem(hwnd, hitem) \
    ((BOOL)SNDMSG((hwnd), TVM_DELETEITEM, 0, (LPARAM)(HTREEITEM)(hitem)))
#define TreeView_DeleteAllItems(hwnd) ((BOOL)SNDMSG((hwnd), TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT))
#define TreeView_Expand(hwnd, hitem, code) \
    ((BOOL)SNDMSG((hwnd), TVM_EXPAND, (WPARAM)(code), (LPARAM)(HTREEITEM)(hitem)))

// TVM_GETITEMRECT takes the item in the first bytes of the rectangle. The
// handle is copied in bytewise because a RECT need not be aligned for a
// pointer.
inline BOOL TreeView_GetItemRect_(HWND hwnd, HTREEITEM hitem, RECT* prc, BOOL code) {
    if (prc) {
        std::memcpy(prc, &hitem, sizeof hitem);
    }
    return (BOOL)SNDMSG(hwnd, TVM_GETITEMRECT, (WPARAM)code, (LPARAM)prc);
}
#define TreeView_GetItemRect(hwnd, hitem, prc, code) \
    TreeView_GetItemRect_((hwnd), (HTREEITEM)(hitem), (prc), (BOOL)(code))

#define TreeView_GetCount(hwnd) ((UINT)SNDMSG((hwnd), TVM_GETCOUNT, 0, 0))
#define TreeView_GetIndent(hwnd) ((UINT)SNDMSG((hwnd), TVM_GETINDENT, 0, 0))
#define TreeView_SetIndent(hwnd, indent) ((BOOL)SNDMSG((hwnd), TVM_SETINDENT, (WPARAM)(indent), 0))
#define TreeView_GetImageList(hwnd, iImage) \
    ((HIMAGELIST)SNDMSG((hwnd), TVM_GETIMAGELIST, (WPARAM)(iImage), 0))
#define TreeView_SetImageList(hwnd, himl, iImage) \
    ((HIMAGELIST)SNDMSG((hwnd), TVM_SETIMAGELIST, (WPARAM)(iImage), (LPARAM)(HIMAGELIST)(himl)))

#define TreeView_GetNextItem(hwnd, hitem, code) \
    ((HTREEITEM)SNDMSG((hwnd), TVM_GETNEXTITEM, (WPARAM)(code), (LPARAM)(HTREEITEM)(hitem)))
#define TreeView_GetChild(hwnd, hitem) TreeView_GetNextItem(hwnd, hitem, TVGN_CHILD)
#define TreeView_GetNextSibling(hwnd, hitem) TreeView_GetNextItem(hwnd, hitem, TVGN_NEXT)
#define TreeView_GetPrevSibling(hwnd, hitem) TreeView_GetNextItem(hwnd, hitem, TVGN_PREVIOUS)
#define TreeView_GetParent(hwnd, hitem) TreeView_GetNextItem(hwnd, hitem, TVGN_PARENT)
#define TreeView_GetFirstVisible(hwnd) TreeView_GetNextItem(hwnd, NULL, TVGN_FIRSTVISIBLE)
#define TreeView_GetNextVisible(hwnd, hitem) TreeView_GetNextItem(hwnd, hitem, TVGN_NEXTVISIBLE)
#define TreeView_GetPrevVisible(hwnd, hitem) TreeView_GetNextItem(hwnd, hitem, TVGN_PREVIOUSVISIBLE)
#define TreeView_GetSelection(hwnd) TreeView_GetNextItem(hwnd, NULL, TVGN_CARET)
#define TreeView_GetDropHilight(hwnd) TreeView_GetNextItem(hwnd, NULL, TVGN_DROPHILITE)
#define TreeView_GetDropHilite(hwnd) TreeView_GetDropHilight(hwnd)
#define TreeView_GetRoot(hwnd) TreeView_GetNextItem(hwnd, NULL, TVGN_ROOT)
#define TreeView_GetLastVisible(hwnd) TreeView_GetNextItem(hwnd, NULL, TVGN_LASTVISIBLE)

#define TreeView_Select(hwnd, hitem, code) \
    ((BOOL)SNDMSG((hwnd), TVM_SELECTITEM, (WPARAM)(code), (LPARAM)(HTREEITEM)(hitem)))
#define TreeView_SelectItem(hwnd, hitem) TreeView_Select(hwnd, hitem, TVGN_CARET)
#define TreeView_SelectDropTarget(hwnd, hitem) TreeView_Select(hwnd, hitem, TVGN_DROPHILITE)
#define TreeView_SelectSetFirstVisible(hwnd, hitem) TreeView_Select(hwnd, hitem, TVGN_FIRSTVISIBLE)

#define TreeView_GetItem(hwnd, pitem) \
    ((BOOL)SNDMSG((hwnd), TVM_GETITEM, 0, (LPARAM)(TV_ITEM*)(pitem)))
#define TreeView_SetItem(hwnd, pitem) \
    ((BOOL)SNDMSG((hwnd), TVM_SETITEM, 0, (LPARAM)(const TV_ITEM*)(pitem)))
#define TreeView_EditLabel(hwnd, hitem) \
    ((HWND)SNDMSG((hwnd), TVM_EDITLABEL, 0, (LPARAM)(HTREEITEM)(hitem)))
#define TreeView_GetEditControl(hwnd) ((HWND)SNDMSG((hwnd), TVM_GETEDITCONTROL, 0, 0))
#define TreeView_GetVisibleCount(hwnd) ((UINT)SNDMSG((hwnd), TVM_GETVISIBLECOUNT, 0, 0))
#define TreeView_HitTest(hwnd, lpht) \
    ((HTREEITEM)SNDMSG((hwnd), TVM_HITTEST, 0, (LPARAM)(LPTV_HITTESTINFO)(lpht)))
#define TreeView_CreateDragImage(hwnd, hitem) \
    ((HIMAGELIST)SNDMSG((hwnd), TVM_CREATEDRAGIMAGE, 0, (LPARAM)(HTREEITEM)(hitem)))
#define TreeView_SortChildren(hwnd, hitem, recurse) \
    ((BOOL)SNDMSG((hwnd), TVM_SORTCHILDREN, (WPARAM)(recurse), (LPARAM)(HTREEITEM)(hitem)))
#define TreeView_EnsureVisible(hwnd, hitem) \
    ((BOOL)SNDMSG((hwnd), TVM_ENSUREVISIBLE, 0, (LPARAM)(HTREEITEM)(hitem)))
#define TreeView_SortChildrenCB(hwnd, psort, recurse) \
    ((BOOL)SNDMSG((hwnd), TVM_SORTCHILDRENCB, (WPARAM)(recurse), (LPARAM)(LPTV_SORTCB)(psort)))
#define TreeView_EndEditLabelNow(hwnd, fCancel) \
    ((BOOL)SNDMSG((hwnd), TVM_ENDEDITLABELNOW, (WPARAM)(fCancel), 0))
#define TreeView_GetISearchString(hwnd, lpsz) \
    ((BOOL)SNDMSG((hwnd), TVM_GETISEARCHSTRING, 0, (LPARAM)(LPSTR)(lpsz)))
#define TreeView_SetToolTips(hwnd, hwndTT) \
    ((HWND)SNDMSG((hwnd), TVM_SETTOOLTIPS, (WPARAM)(hwndTT), 0))
#define TreeView_GetToolTips(hwnd) ((HWND)SNDMSG((hwnd), TVM_GETTOOLTIPS, 0, 0))
#define TreeView_SetInsertMark(hwnd, hItem, fAfter) \
    ((BOOL)SNDMSG((hwnd), TVM_SETINSERTMARK, (WPARAM)(fAfter), (LPARAM)(hItem)))
#define TreeView_SetItemHeight(hwnd, iHeight) \
    ((int)SNDMSG((hwnd), TVM_SETITEMHEIGHT, (WPARAM)(iHeight), 0))
#define TreeView_GetItemHeight(hwnd) ((int)SNDMSG((hwnd), TVM_GETITEMHEIGHT, 0, 0))
#define TreeView_SetBkColor(hwnd, clr) ((COLORREF)SNDMSG((hwnd), TVM_SETBKCOLOR, 0, (LPARAM)(clr)))
#define TreeView_SetTextColor(hwnd, clr) \
    ((COLORREF)SNDMSG((hwnd), TVM_SETTEXTCOLOR, 0, (LPARAM)(clr)))
#define TreeView_GetBkColor(hwnd) ((COLORREF)SNDMSG((hwnd), TVM_GETBKCOLOR, 0, 0))
#define TreeView_GetTextColor(hwnd) ((COLORREF)SNDMSG((hwnd), TVM_GETTEXTCOLOR, 0, 0))
#define TreeView_SetScrollTime(hwnd, uTime) \
    ((UINT)SNDMSG((hwnd), TVM_SETSCROLLTIME, (WPARAM)(uTime), 0))
#define TreeView_GetScrollTime(hwnd) ((UINT)SNDMSG((hwnd), TVM_GETSCROLLTIME, 0, 0))
#define TreeView_SetInsertMarkColor(hwnd, clr) \
    ((COLORREF)SNDMSG((hwnd), TVM_SETINSERTMARKCOLOR, 0, (LPARAM)(clr)))
#define TreeView_GetInsertMarkColor(hwnd) ((COLORREF)SNDMSG((hwnd), TVM_GETINSERTMARKCOLOR, 0, 0))
#define TreeView_SetLineColor(hwnd, clr) \
    ((COLORREF)SNDMSG((hwnd), TVM_SETLINECOLOR, 0, (LPARAM)(clr)))
#define TreeView_GetLineColor(hwnd) ((COLORREF)SNDMSG((hwnd), TVM_GETLINECOLOR, 0, 0))
#define TreeView_GetItemState(hwndTV, hti, mask) \
    ((UINT)SNDMSG((hwndTV), TVM_GETITEMSTATE, (WPARAM)(hti), (LPARAM)(mask)))
#define TreeView_GetCheckState(hwndTV, hti) \
    ((((UINT)(SNDMSG((hwndTV), TVM_GETITEMSTATE, (WPARAM)(hti), TVIS_STATEIMAGEMASK))) >> 12) - 1)
#define TreeView_SetExtendedStyle(hwnd, dw, mask) \
    ((DWORD)SNDMSG((hwnd), TVM_SETEXTENDEDSTYLE, (WPARAM)(mask), (LPARAM)(dw)))
#define TreeView_GetExtendedStyle(hwnd) ((DWORD)SNDMSG((hwnd), TVM_GETEXTENDEDSTYLE, 0, 0))

inline void TreeView_SetItemState_(HWND hwnd, HTREEITEM hti, UINT data, UINT mask) {
    TVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = TVIF_STATE;
    item.hItem = hti;
    item.stateMask = mask;
    item.state = data;
    SNDMSG(hwnd, TVM_SETITEM, 0, (LPARAM)&item);
}
#define TreeView_SetItemState(hwndTV, hti, data, _mask) \
    TreeView_SetItemState_((hwndTV), (HTREEITEM)(hti), (UINT)(data), (UINT)(_mask))
#define TreeView_SetCheckState(hwndTV, hti, fCheck) \
    TreeView_SetItemState(hwndTV, hti, INDEXTOSTATEIMAGEMASK((fCheck) ? 2 : 1), TVIS_STATEIMAGEMASK)
