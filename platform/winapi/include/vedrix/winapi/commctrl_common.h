// Common controls: what all of them share. Class names, initialisation,
// the notification code ranges and the standard notifications, the messages
// every common control understands, and custom draw.
//
// Included by <commctrl.h> after <windows.h>; NMHDR and WM_NOTIFY come from
// <winuser.h>. Macros that other parts of <commctrl.h> may define as well are
// guarded and spelt exactly as the platform spells them.
#pragma once

#include <windows.h>

// ---------------------------------------------------------------------------
// Initialisation

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_HOTKEY_CLASS 0x00000040
#define ICC_ANIMATE_CLASS 0x00000080
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_DATE_CLASSES 0x00000100
#define ICC_USEREX_CLASSES 0x00000200
#define ICC_COOL_CLASSES 0x00000400
#define ICC_INTERNET_CLASSES 0x00000800
#define ICC_PAGESCROLLER_CLASS 0x00001000
#define ICC_NATIVEFNTCTL_CLASS 0x00002000
#define ICC_STANDARD_CLASSES 0x00004000
#define ICC_LINK_CLASS 0x00008000

WINCOMMCTRLAPI void WINAPI InitCommonControls(void);
WINCOMMCTRLAPI BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);

// ---------------------------------------------------------------------------
// Window class names

#ifndef WC_HEADERA
#define WC_HEADERA "SysHeader32"
#endif
#ifndef WC_HEADER
#define WC_HEADER WC_HEADERA
#endif
#ifndef WC_LISTVIEWA
#define WC_LISTVIEWA "SysListView32"
#endif
#ifndef WC_LISTVIEW
#define WC_LISTVIEW WC_LISTVIEWA
#endif
#ifndef WC_TREEVIEWA
#define WC_TREEVIEWA "SysTreeView32"
#endif
#ifndef WC_TREEVIEW
#define WC_TREEVIEW WC_TREEVIEWA
#endif
#ifndef TOOLTIPS_CLASSA
#define TOOLTIPS_CLASSA "tooltips_class32"
#endif
#ifndef TOOLTIPS_CLASS
#define TOOLTIPS_CLASS TOOLTIPS_CLASSA
#endif
#define WC_COMBOBOXEXA "ComboBoxEx32"
#define WC_COMBOBOXEX WC_COMBOBOXEXA
#define WC_TABCONTROLA "SysTabControl32"
#define WC_TABCONTROL WC_TABCONTROLA
#define WC_IPADDRESSA "SysIPAddress32"
#define WC_IPADDRESS WC_IPADDRESSA
#define WC_PAGESCROLLERA "SysPager"
#define WC_PAGESCROLLER WC_PAGESCROLLERA
#define WC_NATIVEFONTCTLA "NativeFontCtl"
#define WC_NATIVEFONTCTL WC_NATIVEFONTCTLA
#define PROGRESS_CLASSA "msctls_progress32"
#define PROGRESS_CLASS PROGRESS_CLASSA
#define UPDOWN_CLASSA "msctls_updown32"
#define UPDOWN_CLASS UPDOWN_CLASSA
#define TRACKBAR_CLASSA "msctls_trackbar32"
#define TRACKBAR_CLASS TRACKBAR_CLASSA
#define STATUSCLASSNAMEA "msctls_statusbar32"
#define STATUSCLASSNAME STATUSCLASSNAMEA
#define TOOLBARCLASSNAMEA "ToolbarWindow32"
#define TOOLBARCLASSNAME TOOLBARCLASSNAMEA
#define REBARCLASSNAMEA "ReBarWindow32"
#define REBARCLASSNAME REBARCLASSNAMEA
#define HOTKEY_CLASSA "msctls_hotkey32"
#define HOTKEY_CLASS HOTKEY_CLASSA
#define ANIMATE_CLASSA "SysAnimate32"
#define ANIMATE_CLASS ANIMATE_CLASSA
#define MONTHCAL_CLASSA "SysMonthCal32"
#define MONTHCAL_CLASS MONTHCAL_CLASSA
#define DATETIMEPICK_CLASSA "SysDateTimePick32"
#define DATETIMEPICK_CLASS DATETIMEPICK_CLASSA

// The standard controls under their common-control names.
#define WC_BUTTONA "Button"
#define WC_BUTTON WC_BUTTONA
#define WC_STATICA "Static"
#define WC_STATIC WC_STATICA
#define WC_EDITA "Edit"
#define WC_EDIT WC_EDITA
#define WC_LISTBOXA "ListBox"
#define WC_LISTBOX WC_LISTBOXA
#define WC_COMBOBOXA "ComboBox"
#define WC_COMBOBOX WC_COMBOBOXA
#define WC_SCROLLBARA "ScrollBar"
#define WC_SCROLLBAR WC_SCROLLBARA

// ---------------------------------------------------------------------------
// Notification code ranges (WM_NOTIFY's NMHDR::code)

#ifndef NM_FIRST
#define NM_FIRST (0U - 0U)
#endif
#ifndef NM_LAST
#define NM_LAST (0U - 99U)
#endif
#ifndef LVN_FIRST
#define LVN_FIRST (0U - 100U)
#endif
#ifndef LVN_LAST
#define LVN_LAST (0U - 199U)
#endif
#ifndef HDN_FIRST
#define HDN_FIRST (0U - 300U)
#endif
#ifndef HDN_LAST
#define HDN_LAST (0U - 399U)
#endif
#ifndef TVN_FIRST
#define TVN_FIRST (0U - 400U)
#endif
#ifndef TVN_LAST
#define TVN_LAST (0U - 499U)
#endif
#ifndef TTN_FIRST
#define TTN_FIRST (0U - 520U)
#endif
#ifndef TTN_LAST
#define TTN_LAST (0U - 549U)
#endif
#ifndef TCN_FIRST
#define TCN_FIRST (0U - 550U)
#endif
#ifndef TCN_LAST
#define TCN_LAST (0U - 580U)
#endif
#ifndef CDN_FIRST
#define CDN_FIRST (0U - 601U)
#endif
#ifndef CDN_LAST
#define CDN_LAST (0U - 699U)
#endif
#ifndef TBN_FIRST
#define TBN_FIRST (0U - 700U)
#endif
#ifndef TBN_LAST
#define TBN_LAST (0U - 720U)
#endif
#ifndef UDN_FIRST
#define UDN_FIRST (0U - 721)
#endif
#ifndef UDN_LAST
#define UDN_LAST (0U - 729)
#endif

// Notifications every common control may send.
#ifndef NM_OUTOFMEMORY
#define NM_OUTOFMEMORY (NM_FIRST - 1)
#endif
#ifndef NM_CLICK
#define NM_CLICK (NM_FIRST - 2)
#endif
#ifndef NM_DBLCLK
#define NM_DBLCLK (NM_FIRST - 3)
#endif
#ifndef NM_RETURN
#define NM_RETURN (NM_FIRST - 4)
#endif
#ifndef NM_RCLICK
#define NM_RCLICK (NM_FIRST - 5)
#endif
#ifndef NM_RDBLCLK
#define NM_RDBLCLK (NM_FIRST - 6)
#endif
#ifndef NM_SETFOCUS
#define NM_SETFOCUS (NM_FIRST - 7)
#endif
#ifndef NM_KILLFOCUS
#define NM_KILLFOCUS (NM_FIRST - 8)
#endif
#ifndef NM_CUSTOMDRAW
#define NM_CUSTOMDRAW (NM_FIRST - 12)
#endif
#ifndef NM_HOVER
#define NM_HOVER (NM_FIRST - 13)
#endif
#ifndef NM_NCHITTEST
#define NM_NCHITTEST (NM_FIRST - 14)
#endif
#ifndef NM_KEYDOWN
#define NM_KEYDOWN (NM_FIRST - 15)
#endif
#ifndef NM_RELEASEDCAPTURE
#define NM_RELEASEDCAPTURE (NM_FIRST - 16)
#endif
#ifndef NM_SETCURSOR
#define NM_SETCURSOR (NM_FIRST - 17)
#endif
#ifndef NM_CHAR
#define NM_CHAR (NM_FIRST - 18)
#endif
#ifndef NM_TOOLTIPSCREATED
#define NM_TOOLTIPSCREATED (NM_FIRST - 19)
#endif
#ifndef NM_LDOWN
#define NM_LDOWN (NM_FIRST - 20)
#endif
#ifndef NM_RDOWN
#define NM_RDOWN (NM_FIRST - 21)
#endif
#ifndef NM_THEMECHANGED
#define NM_THEMECHANGED (NM_FIRST - 22)
#endif

// ---------------------------------------------------------------------------
// Messages and styles every common control understands

#define CCM_FIRST 0x2000
#define CCM_LAST (CCM_FIRST + 0x200)
#define CCM_SETBKCOLOR (CCM_FIRST + 1)
#define CCM_SETCOLORSCHEME (CCM_FIRST + 2)
#define CCM_GETCOLORSCHEME (CCM_FIRST + 3)
#define CCM_GETDROPTARGET (CCM_FIRST + 4)
#define CCM_SETUNICODEFORMAT (CCM_FIRST + 5)
#define CCM_GETUNICODEFORMAT (CCM_FIRST + 6)
#define CCM_SETVERSION (CCM_FIRST + 0x7)
#define CCM_GETVERSION (CCM_FIRST + 0x8)
#define CCM_SETNOTIFYWINDOW (CCM_FIRST + 0x9)
#define CCM_SETWINDOWTHEME (CCM_FIRST + 0xb)
#define CCM_DPISCALE (CCM_FIRST + 0xc)

#define CCS_TOP 0x00000001L
#define CCS_NOMOVEY 0x00000002L
#define CCS_BOTTOM 0x00000003L
#define CCS_NORESIZE 0x00000004L
#define CCS_NOPARENTALIGN 0x00000008L
#define CCS_ADJUSTABLE 0x00000020L
#define CCS_NODIVIDER 0x00000040L
#define CCS_VERT 0x00000080L
#define CCS_LEFT (CCS_VERT | CCS_TOP)
#define CCS_RIGHT (CCS_VERT | CCS_BOTTOM)
#define CCS_NOMOVEX (CCS_VERT | CCS_NOMOVEY)

// Text and image placeholders asking the parent for the value on demand.
#ifndef LPSTR_TEXTCALLBACKA
#define LPSTR_TEXTCALLBACKA ((LPSTR)(LONG_PTR)-1)
#endif
#ifndef LPSTR_TEXTCALLBACK
#define LPSTR_TEXTCALLBACK LPSTR_TEXTCALLBACKA
#endif

#ifndef CLR_NONE
#define CLR_NONE 0xFFFFFFFFL
#endif
#ifndef CLR_DEFAULT
#define CLR_DEFAULT 0xFF000000L
#endif

// ---------------------------------------------------------------------------
// Custom draw

#define CDRF_DODEFAULT 0x00000000
#define CDRF_NEWFONT 0x00000002
#define CDRF_SKIPDEFAULT 0x00000004
#define CDRF_DOERASE 0x00000008
#define CDRF_SKIPPOSTPAINT 0x00000100
#define CDRF_NOTIFYPOSTPAINT 0x00000010
#define CDRF_NOTIFYITEMDRAW 0x00000020
#define CDRF_NOTIFYSUBITEMDRAW 0x00000020
#define CDRF_NOTIFYPOSTERASE 0x00000040

#define CDDS_PREPAINT 0x00000001
#define CDDS_POSTPAINT 0x00000002
#define CDDS_PREERASE 0x00000003
#define CDDS_POSTERASE 0x00000004
#define CDDS_ITEM 0x00010000
#define CDDS_ITEMPREPAINT (CDDS_ITEM | CDDS_PREPAINT)
#define CDDS_ITEMPOSTPAINT (CDDS_ITEM | CDDS_POSTPAINT)
#define CDDS_ITEMPREERASE (CDDS_ITEM | CDDS_PREERASE)
#define CDDS_ITEMPOSTERASE (CDDS_ITEM | CDDS_POSTERASE)
#define CDDS_SUBITEM 0x00020000

#define CDIS_SELECTED 0x0001
#define CDIS_GRAYED 0x0002
#define CDIS_DISABLED 0x0004
#define CDIS_CHECKED 0x0008
#define CDIS_FOCUS 0x0010
#define CDIS_DEFAULT 0x0020
#define CDIS_HOT 0x0040
#define CDIS_MARKED 0x0080
#define CDIS_INDETERMINATE 0x0100
#define CDIS_SHOWKEYBOARDCUES 0x0200

typedef struct tagNMCUSTOMDRAWINFO {
    NMHDR hdr;
    DWORD dwDrawStage;
    HDC hdc;
    RECT rc;
    DWORD_PTR dwItemSpec;
    UINT uItemState;
    LPARAM lItemlParam;
} NMCUSTOMDRAW, *LPNMCUSTOMDRAW;
