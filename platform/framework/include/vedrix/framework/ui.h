// The framework's windows: application, windows and dialogs, controls, GDI
// objects, image lists and menus.
#pragma once

#include <vedrix/framework/cmdtarget.h>
#include <vedrix/framework/controls.h>
#include <vedrix/framework/dialog.h>
#include <vedrix/framework/gdi.h>
#include <vedrix/framework/geometry.h>
#include <vedrix/framework/imagelist.h>
#include <vedrix/framework/listctrl.h>
#include <vedrix/framework/menu.h>
#include <vedrix/framework/tooltipctrl.h>
#include <vedrix/framework/treectrl.h>
#include <vedrix/framework/winapp.h>
#include <vedrix/framework/wnd.h>
