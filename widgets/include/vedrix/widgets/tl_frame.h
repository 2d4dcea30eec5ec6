// CTLFrame: the window that makes the tree-list a widget. A dialog template
// holds a custom control of the tree-list's window class; the dialog
// subclasses it with a frame and calls Initialize, which creates the column
// header at the top, the tree-list below it and a horizontal scroll bar at
// the bottom. The frame keeps the three in step: the tree-list fills the
// client area, the scroll bar shows only while the columns are wider than
// the tree-list, sideways scrolling moves the tree-list's painting and the
// header together (the tree-list window itself stays put), a click on a
// heading sorts the rows, and the tree-list's commands 200 and 201 go on to
// the dialog.
#pragma once

#include <vedrix/framework/controls.h>
#include <vedrix/framework/wnd.h>
#include <vedrix/widgets/export.h>
#include <vedrix/widgets/new_tree_list_ctrl.h>

class VEDRIX_WIDGETS_API CTLFrame : public CWnd {
    DECLARE_DYNAMIC(CTLFrame)

public:
    enum : int { kHeaderId = 370, kScrollBarId = 377, kSortImages = 120, kLineStep = 6 };

    CTLFrame() = default;

    // Creates the header, the tree-list and the scroll bar inside the frame.
    void Initialize();
    // Shows or hides the scroll bar and sets its range from the columns'
    // total width.
    void FitHorzScrollBar();
    // After input that may have shown or hidden the tree-list's vertical
    // scroll bar: the tree-list's height and the sideways range follow.
    void RefitAfterInput();
    // Sorts the children of every item of the sibling chain from `first`
    // down, depth first.
    void SortAll(int nColumn, BOOL bAscending, HTREEITEM first);

    CNewTreeListCtrl m_wndTree;
    CScrollBar m_wndHorzScroll;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnRowDoubleClick();
    void OnRowRightClick();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

    DECLARE_MESSAGE_MAP()

private:
    struct Metrics {
        int treeWidth;     // Wt: the tree-list's client width
        int frameWidth;    // Wf
        int frameHeight;   // Hf
        int headerHeight;  // Hh
        int barHeight;     // Hb
    };
    Metrics Measure() const;
    int VerticalRangeMax() const;
    void ResizeTree(int cx, int cy);
    void ResizeScrollBar(int cx, int cy);
    void ShowScrollBar(bool show);
    void SetSidewaysRange(int minimum, int maximum);
    void SetSidewaysPosition(int position);
    // Sideways scrolling ends: the painting moves back and the header spans
    // the frame again.
    void HideSideways(const Metrics& m);
    // The header at (x, 0), `width` wide, keeping its height, shown.
    void PlaceHeader(int x, int width);
    // A header wide enough to cover every column: the least multiple of
    // `unit` above the total width when that exceeds the frame, else the
    // frame's width.
    int HeaderWidth(int unit, int frameWidth) const;
    void OnHeaderClick(int nColumn);
    void OnColumnWidthChanged();
};
