// The tree-list frame: creating the header, the tree-list and the scroll
// bar, laying them out, scrolling sideways, sorting on a heading click and
// passing the tree-list's commands on.
#include <vedrix/framework/gdi.h>
#include <vedrix/widgets/tl_frame.h>

IMPLEMENT_DYNAMIC(CTLFrame, CWnd)

BEGIN_MESSAGE_MAP(CTLFrame, CWnd)
ON_COMMAND(CNewTreeListCtrl::kDoubleClickCommand, OnRowDoubleClick)
ON_COMMAND(CNewTreeListCtrl::kRightClickCommand, OnRowRightClick)
ON_WM_HSCROLL()
END_MESSAGE_MAP()

namespace {

constexpr UINT kResize = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

void resizeWindow(CWnd& window, int cx, int cy) {
    CRect rect;
    window.GetWindowRect(&rect);
    if (rect.Width() != cx || rect.Height() != cy) {
        window.SetWindowPos(nullptr, 0, 0, cx, cy, kResize);
    }
}

}  // namespace

void CTLFrame::Initialize() {
    CRect window;
    GetWindowRect(&window);
    const int width = window.Width();
    CNewHeaderCtrl& header = m_wndTree.m_wndHeader;
    header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS, CRect(-1, -1, width, 0), this, kHeaderId);

    // The header writes in a copy of the dialog's font.
    LOGFONTA description{};
    CWnd* dialog = GetParent();
    CFont* dialogFont = dialog != nullptr ? dialog->GetFont() : nullptr;
    if (dialogFont == nullptr || dialogFont->GetLogFont(&description) == 0) {
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    }
    m_wndTree.m_headerFont.CreateFontIndirect(&description);
    header.SetFont(&m_wndTree.m_headerFont, TRUE);

    int textHeight = 0;
    {
        CClientDC dc(&header);
        CFont* previous = dc.SelectObject(&m_wndTree.m_headerFont);
        textHeight = dc.GetTextExtent("A", 1).cy;
        dc.SelectObject(previous);
    }
    header.SetWindowPos(nullptr, -1, -1, width + 1, textHeight + 4,
                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);

    if (m_wndTree.m_headerImages.Create(kSortImages, 16, 10, RGB(0, 0, 0))) {
        header.m_pImages = &m_wndTree.m_headerImages;
    }

    GetWindowRect(&window);
    const CRect treeRect(0, textHeight + 4, window.Width() - 5,
                         window.Height() - ::GetSystemMetrics(SM_CYHSCROLL) - 4);
    m_wndTree.Create(
        WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
        treeRect, this, CNewTreeListCtrl::kControlId);
    // The bar takes the system's height at the top of its rectangle, whose
    // bottom is the frame window's bottom edge.
    m_wndHorzScroll.Create(
        WS_CHILD | WS_VISIBLE | WS_DISABLED | SBS_HORZ | SBS_TOPALIGN,
        CRect(0, treeRect.bottom, window.Width() - 5 - ::GetSystemMetrics(SM_CXVSCROLL),
              window.bottom),
        this, kScrollBarId);
    SortAll(0, TRUE, m_wndTree.GetRootItem());
}

CTLFrame::Metrics CTLFrame::Measure() const {
    CRect tree, frame, header, bar;
    m_wndTree.GetClientRect(&tree);
    GetClientRect(&frame);
    m_wndTree.m_wndHeader.GetClientRect(&header);
    m_wndHorzScroll.GetClientRect(&bar);
    return Metrics{tree.Width(), frame.Width(), frame.Height(), header.Height(), bar.Height()};
}

int CTLFrame::VerticalRangeMax() const {
    int minimum = 0;
    int maximum = 0;
    ::GetScrollRange(m_wndTree.m_hWnd, SB_VERT, &minimum, &maximum);
    return maximum;
}

// The layout is fitted before every row inserted outside a batch, and
// almost always finds it as it was. A window is therefore resized, moved,
// shown, enabled or given a scroll range only where that differs from what
// it has: setting the same again changes nothing on the screen.
void CTLFrame::ResizeTree(int cx, int cy) {
    resizeWindow(m_wndTree, cx, cy);
}

void CTLFrame::ResizeScrollBar(int cx, int cy) {
    resizeWindow(m_wndHorzScroll, cx, cy);
}

void CTLFrame::ShowScrollBar(bool show) {
    const DWORD style = m_wndHorzScroll.GetStyle();
    if (((style & WS_DISABLED) == 0) != show) {
        m_wndHorzScroll.EnableWindow(show ? TRUE : FALSE);
    }
    if (((style & WS_VISIBLE) != 0) != show) {
        m_wndHorzScroll.ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
}

void CTLFrame::SetSidewaysRange(int minimum, int maximum) {
    int oldMinimum = 0;
    int oldMaximum = 0;
    m_wndHorzScroll.GetScrollRange(&oldMinimum, &oldMaximum);
    if (oldMinimum != minimum || oldMaximum != maximum) {
        m_wndHorzScroll.SetScrollRange(minimum, maximum, TRUE);
    }
}

void CTLFrame::SetSidewaysPosition(int position) {
    if (m_wndHorzScroll.GetScrollPos() != position) {
        m_wndHorzScroll.SetScrollPos(position, TRUE);
    }
}

void CTLFrame::PlaceHeader(int x, int width) {
    CNewHeaderCtrl& header = m_wndTree.m_wndHeader;
    CRect placed;
    header.GetWindowRect(&placed);
    ScreenToClient(&placed);
    if (placed.left != x || placed.top != 0 || placed.Width() != width ||
        (header.GetStyle() & WS_VISIBLE) == 0) {
        header.SetWindowPos(nullptr, x, 0, width, placed.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

int CTLFrame::HeaderWidth(int unit, int frameWidth) const {
    if (unit <= 0) {
        return frameWidth;
    }
    const int covering = (m_wndTree.m_nTotalWidth / unit + 1) * unit;
    return covering > frameWidth ? covering : frameWidth;
}

void CTLFrame::HideSideways(const Metrics& m) {
    ShowScrollBar(false);
    ResizeTree(m.frameWidth, m.frameHeight - m.headerHeight);
    SetSidewaysRange(0, 0);
    m_wndTree.m_nScrollOffset = 0;
    m_wndTree.Invalidate(TRUE);
    PlaceHeader(0, HeaderWidth(m.frameWidth, m.frameWidth));
}

void CTLFrame::FitHorzScrollBar() {
    const Metrics m = Measure();
    const int total = m_wndTree.m_nTotalWidth;
    if (total <= m.treeWidth) {
        HideSideways(m);
        return;
    }
    ShowScrollBar(true);
    ResizeTree(m.frameWidth, m.frameHeight - m.headerHeight - m.barHeight);
    const int barWidth =
        VerticalRangeMax() == 0 ? m.frameWidth : m.frameWidth - ::GetSystemMetrics(SM_CXVSCROLL);
    ResizeScrollBar(barWidth, m.barHeight);
    SetSidewaysRange(0, total - m.treeWidth);
    CRect header;
    m_wndTree.m_wndHeader.GetWindowRect(&header);
    ScreenToClient(&header);
    m_wndTree.m_nScrollOffset = header.left;
    SetSidewaysPosition(-header.left);
}

// The sideways range was set for the tree-list's width at the time; when
// the tree-list's own vertical bar comes or goes, that width changes by the
// bar's width, and the range follows.
void CTLFrame::RefitAfterInput() {
    if (m_wndTree.m_hWnd == nullptr || m_wndHorzScroll.m_hWnd == nullptr) {
        return;
    }
    const Metrics m = Measure();
    const int total = m_wndTree.m_nTotalWidth;
    const int vbar = ::GetSystemMetrics(SM_CXVSCROLL);
    int minimum = 0;
    int maximum = 0;
    m_wndHorzScroll.GetScrollRange(&minimum, &maximum);
    ResizeTree(m.frameWidth, maximum == 0 ? m.frameHeight - m.headerHeight
                                          : m.frameHeight - m.headerHeight - m.barHeight);
    m_wndHorzScroll.GetScrollRange(&minimum, &maximum);

    if (maximum == 0) {
        if (VerticalRangeMax() <= 0 || total <= m.treeWidth) {
            return;
        }
        ShowScrollBar(true);
        ResizeTree(m.frameWidth, m.frameHeight - m.headerHeight - m.barHeight);
        ResizeScrollBar(m.frameWidth - vbar, m.barHeight);
        m_wndHorzScroll.SetScrollRange(0, total - m.treeWidth, TRUE);
        return;
    }
    if (VerticalRangeMax() == 0) {
        ResizeScrollBar(m.frameWidth, m.barHeight);
        m_wndHorzScroll.GetScrollRange(&minimum, &maximum);
        if (maximum - minimum != total - m.treeWidth + vbar) {
            return;
        }
        if (maximum - vbar > 0) {
            m_wndHorzScroll.SetScrollRange(minimum, maximum - vbar, TRUE);
        } else {
            HideSideways(m);
        }
        return;
    }
    ResizeScrollBar(m.frameWidth - vbar, m.barHeight);
    m_wndHorzScroll.GetScrollRange(&minimum, &maximum);
    if (maximum - minimum == total - m.treeWidth - vbar) {
        m_wndHorzScroll.SetScrollRange(minimum, maximum + vbar, TRUE);
    }
}

// The walk asks the tree-list directly for each row's first child and next
// sibling, and the platform for one sort per parent.
void CTLFrame::SortAll(int nColumn, BOOL bAscending, HTREEITEM first) {
    for (HTREEITEM item = first; item != nullptr; item = m_wndTree.WalkNextSibling(item)) {
        HTREEITEM child = m_wndTree.WalkChild(item);
        if (child == nullptr) {
            continue;
        }
        CNewTreeListCtrl::SortParams params{nColumn, bAscending};
        TVSORTCB sort{};
        sort.hParent = item;
        sort.lpfnCompare = &CNewTreeListCtrl::CompareItems;
        sort.lParam = reinterpret_cast<LPARAM>(&params);
        m_wndTree.SortChildrenCB(&sort);
        SortAll(nColumn, bAscending, m_wndTree.WalkChild(item));
    }
}

void CTLFrame::OnRowDoubleClick() {
    if (CWnd* parent = GetParent()) {
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(CNewTreeListCtrl::kDoubleClickCommand, 0), 0);
    }
}

void CTLFrame::OnRowRightClick() {
    if (CWnd* parent = GetParent()) {
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(CNewTreeListCtrl::kRightClickCommand, 0), 0);
    }
}

// Lines are 6 pixels; the thumb snaps to the next multiple of 6 above where
// it was let go. The position never reaches the limit itself.
void CTLFrame::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    if (pScrollBar == nullptr || pScrollBar->m_hWnd != m_wndHorzScroll.m_hWnd) {
        Default();
        return;
    }
    const Metrics m = Measure();
    const int position = m_wndHorzScroll.GetScrollPos();
    const int limit = m_wndHorzScroll.GetScrollLimit();
    const int thumb = static_cast<int>(nPos);
    int next = position;
    switch (nSBCode) {
        case SB_LINELEFT:
            next = position - kLineStep > 0 ? position - kLineStep : 0;
            break;
        case SB_LINERIGHT:
            next = position + kLineStep < limit - 1 ? position + kLineStep : limit - 1;
            break;
        case SB_PAGELEFT:
            next = position - m.treeWidth > 0 ? position - m.treeWidth : 0;
            break;
        case SB_PAGERIGHT:
            next = position + m.treeWidth >= limit - 1 ? limit - 1 : position + m.treeWidth;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            next = thumb == 0 ? 0 : (thumb / kLineStep + 1) * kLineStep;
            next = next < limit - 1 ? next : limit - 1;
            break;
        case SB_LEFT:
            next = 0;
            break;
        case SB_RIGHT:
            next = limit - 1;
            break;
        default:
            break;
    }
    m_wndHorzScroll.SetScrollPos(next, TRUE);
    m_wndTree.m_nScrollOffset = -next;
    CRect client;
    m_wndTree.GetClientRect(&client);
    ::ScrollWindow(m_wndTree.m_hWnd, position - next, 0, &client, &client);
    PlaceHeader(m_wndTree.m_nScrollOffset, HeaderWidth(m.treeWidth, m.frameWidth));
    Default();
}

BOOL CTLFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* note = reinterpret_cast<const NMHDR*>(lParam);
    if (note != nullptr && note->idFrom == static_cast<UINT_PTR>(kHeaderId)) {
        if (note->code == HDN_ITEMCLICKA) {
            OnHeaderClick(reinterpret_cast<const NMHEADERA*>(lParam)->iItem);
        } else if (note->code == HDN_ITEMCHANGEDA) {
            OnColumnWidthChanged();
        }
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

// The first click on a column sorts it ascending, each further click on it
// reverses the direction.
void CTLFrame::OnHeaderClick(int nColumn) {
    CNewHeaderCtrl& header = m_wndTree.m_wndHeader;
    const BOOL ascending = header.GetSortState(nColumn) != CNewHeaderCtrl::kAscending;
    for (int i = 0; i < m_wndTree.m_nColumnCount; ++i) {
        header.SetSortState(i, CNewHeaderCtrl::kUnsorted);
    }
    header.SetSortState(nColumn,
                        ascending ? CNewHeaderCtrl::kAscending : CNewHeaderCtrl::kDescending);
    CNewTreeListCtrl::SortParams params{nColumn, ascending};
    TVSORTCB sort{};
    sort.hParent = TVI_ROOT;
    sort.lpfnCompare = &CNewTreeListCtrl::CompareItems;
    sort.lParam = reinterpret_cast<LPARAM>(&params);
    m_wndTree.SortChildrenCB(&sort);
    SortAll(nColumn, ascending, m_wndTree.GetRootItem());
    m_wndTree.UpdateWindow();
}

// Scrolled fully right, a narrower column keeps the last column's right edge
// at the tree-list's right edge.
void CTLFrame::OnColumnWidthChanged() {
    const int oldTotal = m_wndTree.m_nTotalWidth;
    const int position = m_wndHorzScroll.GetScrollPos();
    const int limit = m_wndHorzScroll.GetScrollLimit();
    m_wndTree.UpdateTotalWidth();
    FitHorzScrollBar();
    const int total = m_wndTree.m_nTotalWidth;
    const Metrics m = Measure();
    if (oldTotal > total && position == limit - 1 && m.treeWidth < total) {
        m_wndTree.m_nScrollOffset = m.treeWidth - total;
        m_wndTree.m_wndHeader.SetWindowPos(nullptr, m_wndTree.m_nScrollOffset, 0, 0, 0,
                                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_wndTree.Invalidate(TRUE);
}
