// The common controls, headless build. Each control's declarations stand in a
// part of their own under vedrix/winapi/.
#pragma once

#include <windows.h>

#if __has_include(<vedrix/winapi/commctrl_common.h>)
#include <vedrix/winapi/commctrl_common.h>
#endif
#if __has_include(<vedrix/winapi/commctrl_imagelist.h>)
#include <vedrix/winapi/commctrl_imagelist.h>
#endif
#if __has_include(<vedrix/winapi/commctrl_treeview.h>)
#include <vedrix/winapi/commctrl_treeview.h>
#endif
#if __has_include(<vedrix/winapi/commctrl_listview.h>)
#include <vedrix/winapi/commctrl_listview.h>
#endif
#if __has_include(<vedrix/winapi/commctrl_header.h>)
#include <vedrix/winapi/commctrl_header.h>
#endif
#if __has_include(<vedrix/winapi/commctrl_tooltip.h>)
#include <vedrix/winapi/commctrl_tooltip.h>
#endif
