// A small dialog with the browsers' structure tree, from the test program's
// own resources (template 301: tree 1001, OK, Cancel). It drives drags of
// tree items the way the browsers do: the tree's drag image shown over the
// desktop, moved and hidden at each mouse move while the move is handled,
// shown again, and ended at the release.
//
// Every record it hangs on an item carries one attribute named after the
// item, which reports its destruction into `destroyed`. The tree has an
// image list (a tree without one has no drag images).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <vedrix/framework/ui.h>
#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif
#include <vedrix/model.h>
#include <vedrix/widgets/drag_image.h>
#include <vedrix/widgets/ext_tree_ctrl.h>

#include "tracked_attribute.h"

namespace widgets_tests {

enum : int { kStructureTemplate = 301, kTree = 1001 };

using model_test_support::TrackedAttribute;

// What the dialog saw at one mouse move of a drag, while it handled it (and,
// headless, the drag image's state then).
struct MoveSeen {
    POINT cursor{};  // screen coordinates
#if VEDRIX_HEADLESS
    vedrix::headless::DragImageState image;
#endif
};

class StructureDialog : public CDialog {
public:
    explicit StructureDialog(std::vector<std::string>& destroyed)
        : CDialog(kStructureTemplate), m_destroyed(destroyed) {}

    // Adds an item below `parent` with a record of the given type.
    HTREEITEM add(HTREEITEM parent, const char* text, unsigned char type);
    // Fills the tree:
    //     Project
    //       Building 1
    //         Storey 1
    //         Storey 2
    //           110
    //       Building 2
    // every branch expanded.
    void fill();

    CExtTreeCtrl m_tree;
    CImageList m_images;  // one 16 x 16 image for every item
    CDragImage m_drag;
    bool m_dragging = false;
    std::vector<MoveSeen> m_moves;
    std::function<void(StructureDialog&)> m_onInit;  // after the tree is filled
    bool m_sampleItems = true;                       // whether fill() runs at initialisation

protected:
    BOOL OnInitDialog() override;
    void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::string>& m_destroyed;
};

}  // namespace widgets_tests
