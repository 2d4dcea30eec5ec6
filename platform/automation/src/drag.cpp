// Drag and drop: press, move in steps, look, release.
#include <vedrix/automation/drag.h>

#include "hands.h"
#include "screen.h"

namespace vedrix::automation {

Drag::Drag(const Place& from, Button button, int step)
    : button_(button), step_(step < 1 ? 1 : step) {
    automation::moveTo(from);
    pressButton(button_);
    held_ = true;
}

Drag::~Drag() {
    if (!held_) {
        return;
    }
    try {
        drop();
    } catch (...) {
        // The button is up; what the program did with it no longer matters.
    }
}

DragHover Drag::moveTo(const Place& to) {
    POINT target = to.point();
    POINT start = cursorPosition();
    if (start.x == target.x && start.y == target.y) {
        // Already there: the program still gets one WM_MOUSEMOVE at the
        // target, as from a hand that never holds quite still.
        hands::moveMouse(target);
    } else {
        glideTo(target, step_);
    }
    return hover();
}

DragHover Drag::hover() const {
    DragHover h;
    h.point = cursorPosition();
    h.window = windowAt(h.point);
    h.cursor = cursorName();
    h.dragImage = screen::dragImage();
    return h;
}

void Drag::drop() {
    if (!held_) {
        return;
    }
    held_ = false;
    releaseButton(button_);
}

void Drag::cancelWithEscape() {
    if (!held_) {
        return;
    }
    pressKey(VK_ESCAPE);
    drop();
}

DragHover dragAndDrop(const Place& from, const Place& to,
                      const std::function<void(const DragHover&)>& atTarget, Button button,
                      int step) {
    Drag drag(from, button, step);
    DragHover over = drag.moveTo(to);
    if (atTarget) {
        atTarget(over);
    }
    drag.drop();
    return over;
}

}  // namespace vedrix::automation
