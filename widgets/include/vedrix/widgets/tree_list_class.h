// The window class of the tree-list's custom control. A dialog template names
// it for the place where the tree-list frame goes; the dialogs that carry one
// register the class at set-up and unregister it when they are destroyed.
#pragma once

#include <vedrix/widgets/export.h>

#include <windows.h>

// The class name the dialog templates use.
inline constexpr const char* kTreeListClassName = "MORVALTREELISTCTRL";

// Registers the class for the module's instance: double clicks, redrawn on
// both resizes, global, the default window procedure, no extra bytes, no icon
// or cursor, the stock light grey background, no menu. Returns the class atom,
// or 0 when the class cannot be registered (for instance because it already
// is, which leaves the earlier registration in force).
VEDRIX_WIDGETS_API ATOM RegisterTreeListClass();

// Unregisters the class for the module's instance; false when it was not
// registered.
VEDRIX_WIDGETS_API BOOL UnregisterTreeListClass();
