// How the browsers end a label edit of their tree from the dialog's confirm
// and cancel: Enter and Escape end it (Escape dropping the new text) by
// giving the tree the focus; anything else only beeps.
#pragma once

#include <vedrix/framework/ui.h>

namespace vedrix::browser {

// `cancelled` becomes 1 when Escape ends the edit. Always true: the dialog
// stays open.
inline bool endLabelEditByKey(CWnd& tree, int key, int& cancelled) {
    if (::GetKeyState(key) < 0) {
        if (key == VK_ESCAPE) {
            cancelled = 1;
        }
        tree.SetFocus();
    } else {
        ::MessageBeep(0);
    }
    return true;
}

}  // namespace vedrix::browser
