// Drag and drop as the person does it: press on the source, move in small
// steps (one WM_MOUSEMOVE each, so that the program sees every move: it
// starts the drag once the drag rectangle is left, moves its drag image,
// changes the cursor and the drop highlight), look at the screen at the
// target, release.
//
// The source decides what is dragged: pressing on a list row that belongs to
// a multiple selection keeps the selection, so selecting rows first
// (ListRow::click / ctrlClick / shiftClick) and then dragging one of them
// drags them all. A tree item is dragged from its label.
//
//     Drag drag(files.row("110"));
//     DragHover over = drag.moveTo(tree.item({"Project", "Building 1"}));
//     EXPECT_EQ(over.cursor, "IDC_ARROW");
//     EXPECT_TRUE(tree.item({"Project", "Building 1"}).isDropHighlighted());
//     drag.drop();
//
// or in one call, with a look at the target before the release:
//
//     dragAndDrop(files.row("110"), tree.item({"Project"}),
//                 [&](const DragHover& over) { EXPECT_EQ(over.cursor, "IDC_NO"); });
#pragma once

#include <vedrix/automation/export.h>
#include <vedrix/automation/input.h>

#include <windows.h>
#include <vedrix/automation/records.h>

#include <functional>
#include <string>

namespace vedrix::automation {

// What the person sees at a point of a drag.
struct DragHover {
    POINT point{};             // the cursor, screen coordinates
    HWND window = nullptr;     // the window under the cursor
    std::string cursor;        // its shape: "IDC_NO", "IDC_ARROW"... (cursorName())
    DragImageState dragImage;  // the ImageList_ drag image, if any
};

class VEDRIX_AUTOMATION_API Drag {
public:
    // Moves to the source and presses the button there.
    explicit Drag(const Place& from, Button button = Button::Left, int step = 4);
    // Releases the button if the drag was neither dropped nor cancelled (so a
    // failing script never leaves the button held).
    ~Drag();
    Drag(const Drag&) = delete;
    Drag& operator=(const Drag&) = delete;

    // Moves there in steps of at most `step` pixels and reports what the
    // person sees on arrival.
    DragHover moveTo(const Place& to);
    // What the person sees now.
    DragHover hover() const;
    // Releases the button where the cursor is.
    void drop();
    // Presses Escape with the button held, then releases it.
    void cancelWithEscape();
    bool isHeld() const { return held_; }

private:
    Button button_;
    int step_;
    bool held_ = false;
};

// Drags from one place to another and drops there. `atTarget`, when given,
// runs with the button still held, after the last move onto the target.
// Returns what the person saw at the target just before the release.
VEDRIX_AUTOMATION_API DragHover
dragAndDrop(const Place& from, const Place& to,
            const std::function<void(const DragHover&)>& atTarget = nullptr,
            Button button = Button::Left, int step = 4);

}  // namespace vedrix::automation
