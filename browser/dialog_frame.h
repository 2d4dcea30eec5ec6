// What the module's resizable dialogs do alike in their frame: moving their
// controls along when they are resized, and showing their icon while they
// are minimised.
#pragma once

#include <vedrix/framework/ui.h>

namespace vedrix::browser {

// Moves control `id` of `dialog` by (dx, dy) and makes it `grow` wider and
// `growDown` taller, in the dialog's client coordinates. A control the
// dialog lacks is passed over.
void shiftControl(CWnd& dialog, int id, int dx, int dy, int grow, int growDown);

// Places control `id` of `dialog` at `x` with `width`, moved down by
// `moveDown` and made `grow` taller; a negative x or width keeps the
// control's own. A control the dialog lacks is passed over.
void placeControl(CWnd& dialog, int id, int x, int width, int moveDown, int grow);

// Paints `icon` centred in the client area of the minimised `dialog`.
// False, painting nothing, when the dialog is not minimised: the caller then
// paints as usual.
bool paintIconWhenMinimised(CWnd& dialog, HICON icon);

}  // namespace vedrix::browser
