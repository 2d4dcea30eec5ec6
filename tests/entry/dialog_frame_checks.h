// What the tests of the resizable dialogs look at in a dialog's frame: where
// its controls are, and what it draws while minimised.
#pragma once

#include <vedrix/automation/dialog.h>
#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

#include <windows.h>

#include <vector>

namespace entry_tests {

// A control's rectangle in the dialog's client coordinates.
inline RECT placeOf(const vedrix::automation::Dialog& d, int id) {
    RECT r = d.control(id).rect();
    POINT corner{r.left, r.top};
    ::ScreenToClient(d.hwnd(), &corner);
    return RECT{corner.x, corner.y, corner.x + (r.right - r.left), corner.y + (r.bottom - r.top)};
}

#if VEDRIX_HEADLESS
// Minimises the dialog, has it repaint and gives the icons it drew, with the
// client rectangle it had then.
inline std::vector<vedrix::headless::DrawingEntry> iconsDrawnMinimised(
    const vedrix::automation::Dialog& d, RECT& client) {
    ::SendMessageA(d.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    vedrix::headless::clearDrawingRecord();
    ::InvalidateRect(d.hwnd(), nullptr, TRUE);
    ::UpdateWindow(d.hwnd());
    client = d.clientRect();
    std::vector<vedrix::headless::DrawingEntry> icons;
    for (const auto& entry : vedrix::headless::drawingRecord(d.hwnd())) {
        if (entry.kind == vedrix::headless::DrawingKind::DrawIcon) {
            icons.push_back(entry);
        }
    }
    return icons;
}
#endif

}  // namespace entry_tests
