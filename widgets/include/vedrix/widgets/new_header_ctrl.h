// CNewHeaderCtrl: the column header of the tree-list. Every heading is
// owner-drawn: its text, with an ellipsis when it does not fit, and for the
// column by which the rows are sorted an image of the direction. The frame
// sets the sort state of each column when a heading is clicked.
#pragma once

#include <vedrix/framework/cmap.h>
#include <vedrix/framework/listctrl.h>
#include <vedrix/widgets/export.h>

class VEDRIX_WIDGETS_API CNewHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CNewHeaderCtrl)

public:
    // Sort states: no image, image 0 (ascending), image 1 (descending).
    enum : int { kUnsorted = -1, kAscending = 0, kDescending = 1 };

    CNewHeaderCtrl() = default;

    // Stores the column's state, keeps the heading owner-drawn and redraws
    // the whole header.
    void SetSortState(int nColumn, int nState);
    // The column's state; kUnsorted for a column that never got one.
    int GetSortState(int nColumn) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    CImageList* m_pImages = nullptr;  // the sort images; not owned
    CMap<int, int, int, int> m_sortStates;
};
