// CNewTreeListCtrl: a tree control with columns. The platform draws the tree
// part of each row (indentation, lines, expand buttons, images); the control
// then wipes the rows' labels and paints the texts of every column itself.
// Column headings, widths and alignments live in the header, which the frame
// (CTLFrame) creates beside the control; the control is always the frame's
// middle child.
//
// Every item carries a CTreeListItem record as its parameter. The control
// allocates the records; DeleteItem frees those of the rows it deletes, and
// destroying the window frees all that are left.
//
// Notifications to the frame, as WM_COMMAND with lParam 0: 200 when a row is
// double-clicked inside column 0 (not on its expand button), 201 when a row
// is right-clicked on the item.
#pragma once

#include <vedrix/framework/gdi.h>
#include <vedrix/framework/treectrl.h>
#include <vedrix/widgets/export.h>
#include <vedrix/widgets/new_header_ctrl.h>
#include <vedrix/widgets/tree_list_item.h>

class CTLFrame;

class VEDRIX_WIDGETS_API CNewTreeListCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CNewTreeListCtrl)

public:
    enum : int { kControlId = 373, kDoubleClickCommand = 200, kRightClickCommand = 201 };
    // Column alignments as GetColumnAlign gives them.
    enum : int { kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2 };

    // What the sort callback compares by.
    struct SortParams {
        int column;
        BOOL ascending;
    };

    CNewTreeListCtrl() = default;

    // Inserts a heading (owner-drawn, left-aligned) of the given width (-1:
    // none given); the first column starts sorted ascending. Returns the
    // header's index of the new column.
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nWidth = -1);
    // A new row with `lpszItem` in column 0, inserted sorted among its
    // siblings (whose platform labels are all empty, so it goes last). The
    // frame is fitted first.
    HTREEITEM InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage,
                         HTREEITEM hParent = TVI_ROOT);
    // The same with every field of the new row's record given at once: the
    // row carries `row` (a copy of it, or itself when moved in) from its
    // insertion on.
    HTREEITEM InsertItem(CTreeListItem row, int nImage, int nSelectedImage,
                         HTREEITEM hParent = TVI_ROOT);
    void SetItemText(HTREEITEM hItem, int nColumn, LPCSTR lpszText);
    CString GetItemText(HTREEITEM hItem, int nColumn) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD dwData);
    DWORD GetItemData(HTREEITEM hItem) const;
    // Bold and colour last as long as the row; there is no way back to normal.
    BOOL SetItemBold(HTREEITEM hItem);
    BOOL SetItemColor(HTREEITEM hItem, COLORREF color);
    // Deletes the row with every row below it, and their records.
    BOOL DeleteItem(HTREEITEM hItem);
    // The row's record (null for an item without one).
    CTreeListItem* GetItemRecord(HTREEITEM hItem) const;
    int GetColumnWidth(int nColumn) const;
    int GetColumnAlign(int nColumn) const;
    void UpdateTotalWidth();

    // The sort callback: numbers inside texts with the same prefix compare by
    // value (Level 2 before Level 10), everything else case-insensitively.
    // lParamSort points to SortParams.
    static int CALLBACK CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    int m_nColumnCount = 0;
    int m_nTotalWidth = 0;
    CNewHeaderCtrl m_wndHeader;
    CFont m_headerFont;
    CImageList m_headerImages;
    int m_nScrollOffset = 0;  // 0 or minus the sideways scroll position

protected:
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnDestroy();
    void OnRButtonDown(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    // Draws one column's text cut to `width` less 8 pixels, with "..." when
    // it had to be cut; the rectangle's right edge becomes left + width - 4.
    void DrawColumnText(CDC& dc, CString text, int width, int align, CRect rect);
    // Where the painted part of a row starts: its label's left edge, or the
    // end of column 0 when that comes first and there are several columns.
    int RowTextStart(const CRect& label) const;
    bool InsideColumn0(CPoint point) const;
    // Sets the record as the item's parameter again, so the row is redrawn.
    BOOL ResetParam(HTREEITEM hItem, CTreeListItem* record);
    CTLFrame* Frame() const;
    void RefitFrame();
    // Fits the frame before an insertion (once the frame exists).
    void FitFrameBeforeInsertion();
    // Frees the records of `first`, its following siblings and everything
    // below them.
    void FreeRecords(HTREEITEM first);
};
