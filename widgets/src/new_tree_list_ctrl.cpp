// The tree-list control: its records and columns, painting, input and the
// sort comparison.
#include <vedrix/widgets/new_tree_list_ctrl.h>
#include <vedrix/widgets/tl_frame.h>

#include <cstdlib>
#include <cstring>
#include <utility>

IMPLEMENT_DYNAMIC(CNewTreeListCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CNewTreeListCtrl, CTreeCtrl)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_WM_DESTROY()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

// A hit on the item itself: icon, label, indent, right of the label or state
// icon, not the expand button.
constexpr UINT kOnItem = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT |
                         TVHT_ONITEMSTATEICON;

// One column's text inside a record's text, without copying it.
struct ColumnView {
    const char* text = "";
    std::size_t length = 0;
};

ColumnView columnView(const CTreeListItem* record, int column) {
    if (record == nullptr || column < 0) {
        return {};
    }
    const char* text = record->text.GetString();
    const char* const end = text + record->text.GetLength();
    for (int i = 0; i < column; ++i) {
        const void* next =
            std::memchr(text, record->separator, static_cast<std::size_t>(end - text));
        if (next == nullptr) {
            return {};
        }
        text = static_cast<const char*>(next) + 1;
    }
    const void* next = std::memchr(text, record->separator, static_cast<std::size_t>(end - text));
    const char* const stop = next != nullptr ? static_cast<const char*>(next) : end;
    return {text, static_cast<std::size_t>(stop - text)};
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The case-insensitive comparison of two texts from position `from` on:
// -1, 0 or 1.
int compareNoCase(const ColumnView& a, const ColumnView& b, std::size_t from) {
    const std::size_t n = a.length < b.length ? a.length : b.length;
    for (std::size_t i = from; i < n; ++i) {
        const auto x = static_cast<unsigned char>(asciiLower(a.text[i]));
        const auto y = static_cast<unsigned char>(asciiLower(b.text[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.length == b.length ? 0 : (a.length < b.length ? -1 : 1);
}

// The value of the run of digits that starts at `from` (0 when there is
// none). A run too long for the value saturates, so equal runs still compare
// equal.
unsigned long long numberAt(const ColumnView& column, std::size_t from) {
    constexpr unsigned long long kMost = ~0ULL;
    unsigned long long value = 0;
    for (std::size_t i = from; i < column.length && isDigit(column.text[i]); ++i) {
        const auto digit = static_cast<unsigned>(column.text[i] - '0');
        value = value > kMost / 10 || (value == kMost / 10 && digit > kMost % 10)
                    ? kMost
                    : value * 10 + digit;
    }
    return value;
}

// The digits of a run from `from` on, without its leading zeros.
struct DigitRun {
    const char* digits;
    std::size_t length;
};

DigitRun significantDigits(const ColumnView& column, std::size_t from) {
    std::size_t start = from;
    while (start < column.length && column.text[start] == '0') {
        ++start;
    }
    std::size_t end = start;
    while (end < column.length && isDigit(column.text[end])) {
        ++end;
    }
    return {column.text + start, end - start};
}

// The runs of digits from `from` on compared by value: -1, 0 or 1. Runs of
// up to 19 significant digits hold their exact values, so the longer is the
// greater and runs of one length compare digit by digit; longer runs are
// compared by their saturated values.
int compareNumbersAt(const ColumnView& a, const ColumnView& b, std::size_t from) {
    constexpr std::size_t kExactDigits = 19;
    const DigitRun x = significantDigits(a, from);
    const DigitRun y = significantDigits(b, from);
    if (x.length > kExactDigits || y.length > kExactDigits) {
        const unsigned long long valueA = numberAt(a, from);
        const unsigned long long valueB = numberAt(b, from);
        return valueA == valueB ? 0 : (valueA > valueB ? 1 : -1);
    }
    if (x.length != y.length) {
        return x.length > y.length ? 1 : -1;
    }
    const int digits = std::memcmp(x.digits, y.digits, x.length);
    return digits == 0 ? 0 : (digits > 0 ? 1 : -1);
}

// Both texts are walked together once: they have the same part before their
// first digit exactly when the walk reaches, at the same position and with
// nothing different before it, a digit or the end in both. The parts already
// walked are equal, so a comparison as texts goes on from there.
int compareTexts(const ColumnView& a, const ColumnView& b) {
    const std::size_t shorter = a.length < b.length ? a.length : b.length;
    std::size_t i = 0;
    while (i < shorter && a.text[i] == b.text[i] && !isDigit(a.text[i])) {
        ++i;
    }
    const bool digitA = i < a.length && isDigit(a.text[i]);
    const bool digitB = i < b.length && isDigit(b.text[i]);
    const bool prefixEndsA = digitA || i == a.length;
    const bool prefixEndsB = digitB || i == b.length;
    if (prefixEndsA && prefixEndsB && (digitA || digitB)) {
        if (const int byValue = compareNumbersAt(a, b, i); byValue != 0) {
            return byValue;
        }
    }
    return compareNoCase(a, b, i);
}

}  // namespace

// ---------------------------------------------------------------------------
// Columns and records

int CNewTreeListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nWidth) {
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = const_cast<LPSTR>(lpszColumnHeading != nullptr ? lpszColumnHeading : "");
    item.fmt = HDF_OWNERDRAW;
    if (nWidth != -1) {
        item.mask |= HDI_WIDTH;
        item.cxy = nWidth;
    }
    const int index = m_wndHeader.InsertItem(nCol, &item);
    ++m_nColumnCount;
    if (m_nColumnCount == 1) {
        m_wndHeader.SetSortState(index, CNewHeaderCtrl::kAscending);
    }
    UpdateTotalWidth();
    return index;
}

HTREEITEM CNewTreeListCtrl::InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage,
                                       HTREEITEM hParent) {
    CTreeListItem row;
    row.SetColumnText(0, lpszItem);
    return InsertItem(std::move(row), nImage, nSelectedImage, hParent);
}

// The row's record goes in with the item, so that the platform holds the
// row complete from its insertion on.
HTREEITEM CNewTreeListCtrl::InsertItem(CTreeListItem row, int nImage, int nSelectedImage,
                                       HTREEITEM hParent) {
    auto* record = new CTreeListItem(std::move(row));
    FitFrameBeforeInsertion();
    TVINSERTSTRUCTA insert{};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<LPSTR>("");
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    insert.item.lParam = reinterpret_cast<LPARAM>(record);
    HTREEITEM item = CTreeCtrl::InsertItem(&insert);
    if (item == nullptr) {
        delete record;
    }
    return item;
}

void CNewTreeListCtrl::FitFrameBeforeInsertion() {
    if (CTLFrame* frame = Frame()) {
        frame->FitHorzScrollBar();
    }
}

CTreeListItem* CNewTreeListCtrl::GetItemRecord(HTREEITEM hItem) const {
    return hItem != nullptr ? reinterpret_cast<CTreeListItem*>(CTreeCtrl::GetItemData(hItem))
                            : nullptr;
}

BOOL CNewTreeListCtrl::ResetParam(HTREEITEM hItem, CTreeListItem* record) {
    return CTreeCtrl::SetItemData(hItem, reinterpret_cast<DWORD_PTR>(record));
}

void CNewTreeListCtrl::SetItemText(HTREEITEM hItem, int nColumn, LPCSTR lpszText) {
    if (CTreeListItem* record = GetItemRecord(hItem)) {
        record->SetColumnText(nColumn, lpszText);
        ResetParam(hItem, record);
    }
}

CString CNewTreeListCtrl::GetItemText(HTREEITEM hItem, int nColumn) const {
    const CTreeListItem* record = GetItemRecord(hItem);
    return record != nullptr ? record->GetColumnText(nColumn) : CString();
}

BOOL CNewTreeListCtrl::SetItemData(HTREEITEM hItem, DWORD dwData) {
    CTreeListItem* record = GetItemRecord(hItem);
    if (record == nullptr) {
        return FALSE;
    }
    record->data = dwData;
    return ResetParam(hItem, record);
}

DWORD CNewTreeListCtrl::GetItemData(HTREEITEM hItem) const {
    const CTreeListItem* record = GetItemRecord(hItem);
    return record != nullptr ? record->data : 0;
}

BOOL CNewTreeListCtrl::SetItemBold(HTREEITEM hItem) {
    CTreeListItem* record = GetItemRecord(hItem);
    if (record == nullptr) {
        return FALSE;
    }
    record->bold = 1;
    if (!ResetParam(hItem, record)) {
        return FALSE;
    }
    Invalidate(TRUE);
    return TRUE;
}

BOOL CNewTreeListCtrl::SetItemColor(HTREEITEM hItem, COLORREF color) {
    CTreeListItem* record = GetItemRecord(hItem);
    if (record == nullptr) {
        return FALSE;
    }
    record->color = color;
    if (!ResetParam(hItem, record)) {
        return FALSE;
    }
    Invalidate(TRUE);
    return TRUE;
}

int CNewTreeListCtrl::GetColumnWidth(int nColumn) const {
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    if (m_wndHeader.m_hWnd == nullptr || !m_wndHeader.GetItem(nColumn, &item)) {
        return 0;
    }
    return item.cxy;
}

int CNewTreeListCtrl::GetColumnAlign(int nColumn) const {
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    if (m_wndHeader.m_hWnd == nullptr || !m_wndHeader.GetItem(nColumn, &item)) {
        return kAlignLeft;
    }
    if (item.fmt & HDF_RIGHT) {
        return kAlignRight;
    }
    return (item.fmt & HDF_CENTER) ? kAlignCenter : kAlignLeft;
}

void CNewTreeListCtrl::UpdateTotalWidth() {
    int total = 0;
    for (int i = 0; i < m_nColumnCount; ++i) {
        total += GetColumnWidth(i);
    }
    m_nTotalWidth = total;
}

// The texts are compared where they stand in the records, since a sort
// compares each row many times.
int CALLBACK CNewTreeListCtrl::CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort) {
    const auto* params = reinterpret_cast<const SortParams*>(lParamSort);
    const int column = params != nullptr ? params->column : 0;
    const ColumnView s1 = columnView(reinterpret_cast<const CTreeListItem*>(lParam1), column);
    const ColumnView s2 = columnView(reinterpret_cast<const CTreeListItem*>(lParam2), column);

    const int result = compareTexts(s1, s2);
    return (params == nullptr || params->ascending) ? result : -result;
}

// ---------------------------------------------------------------------------
// Painting

int CNewTreeListCtrl::RowTextStart(const CRect& label) const {
    const int column0 = GetColumnWidth(0);
    return m_nColumnCount > 1 && label.left >= column0 ? column0 : label.left;
}

// The platform paints the tree with its labels in the window colour on the
// window colour, so only lines, buttons and images show; everything right of
// column 0 and every row's label area is then wiped, and the column texts
// are drawn over it.
void CNewTreeListCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect clipBox;
    dc.GetClipBox(&clipBox);
    CRect client;
    GetClientRect(&client);
    CRgn clip;
    clip.CreateRectRgnIndirect(&clipBox);
    dc.SelectClipRgn(&clip);

    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    dc.SetViewportOrg(m_nScrollOffset, 0);
    dc.SetTextColor(window);
    CTreeCtrl::DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

    dc.FillSolidRect(GetColumnWidth(0), 1, client.Width(), client.Height(), window);

    const int rows = static_cast<int>(GetVisibleCount()) + 1;
    const auto forEachVisibleRow = [&](auto&& paintRow) {
        HTREEITEM item = GetFirstVisibleItem();
        for (int i = 0; i < rows && item != nullptr; ++i, item = GetNextVisibleItem(item)) {
            CRect label;
            CRect row;
            GetItemRect(item, &label, TRUE);
            GetItemRect(item, &row, FALSE);
            paintRow(item, RowTextStart(label), row);
        }
    };
    forEachVisibleRow([&](HTREEITEM, int x, const CRect& row) {
        dc.FillSolidRect(x, row.top, m_nTotalWidth - x, row.Height(), window);
    });

    LOGFONTA description{};
    HGDIOBJ own = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    if (own == nullptr || ::GetObjectA(own, sizeof description, &description) == 0) {
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    }
    CFont normal;
    normal.CreateFontIndirect(&description);
    description.lfWeight = FW_BOLD;
    CFont bold;
    bold.CreateFontIndirect(&description);
    CFont* previous = dc.SelectObject(&normal);

    forEachVisibleRow([&](HTREEITEM item, int x, const CRect& row) {
        const CTreeListItem* record = GetItemRecord(item);
        if (record == nullptr) {
            return;
        }
        CRect band(x, row.top, m_nTotalWidth, row.bottom);
        const bool highlighted = (GetItemState(item, TVIS_SELECTED | TVIS_DROPHILITED) &
                                  (TVIS_SELECTED | TVIS_DROPHILITED)) != 0;
        if (highlighted) {
            CBrush highlight;
            highlight.CreateSysColorBrush(COLOR_HIGHLIGHT);
            dc.FillRect(&band, &highlight);
            dc.DrawFocusRect(&band);
            dc.SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
            dc.SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            dc.SetBkMode(TRANSPARENT);
            dc.SetBkColor(window);
            dc.SetTextColor(record->color);
        }
        if (record->bold) {
            dc.SelectObject(&bold);
        }
        const int column0 = GetColumnWidth(0);
        DrawColumnText(dc, record->GetColumnText(0), column0 - x - 2, GetColumnAlign(0),
                       CRect(x + 2, row.top, column0, row.bottom));
        int left = column0;
        for (int i = 1; i < m_nColumnCount; ++i) {
            const int width = GetColumnWidth(i);
            DrawColumnText(dc, record->GetColumnText(i), width, GetColumnAlign(i),
                           CRect(left, row.top, left + width, row.bottom));
            left += width;
        }
        if (!highlighted) {
            dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        }
        if (record->bold) {
            dc.SelectObject(&normal);
        }
    });

    dc.SelectObject(previous);
}

// The longest prefix whose extent fits is found by halving, which gives the
// same cut as removing one character at a time, since a longer prefix is
// never narrower.
void CNewTreeListCtrl::DrawColumnText(CDC& dc, CString text, int width, int align, CRect rect) {
    rect.right = rect.left + width - 4;
    const int room = width - 8;
    const int length = text.GetLength();
    if (length > 0 && dc.GetTextExtent(text, length).cx > room) {
        int fits = 0;       // longest prefix known to fit
        int over = length;  // shortest prefix known not to fit
        while (over - fits > 1) {
            const int middle = fits + (over - fits) / 2;
            if (dc.GetTextExtent(text, middle).cx > room) {
                over = middle;
            } else {
                fits = middle;
            }
        }
        text = text.Left(fits > 0 ? fits - 1 : 0) + "...";
    }
    UINT format = DT_SINGLELINE | DT_VCENTER;
    format |= align == kAlignRight ? DT_RIGHT : (align == kAlignCenter ? DT_CENTER : DT_LEFT);
    if (!text.IsEmpty() && rect.right > rect.left) {
        dc.DrawText(text, &rect, format);
    }
}

// ---------------------------------------------------------------------------
// Input

CTLFrame* CNewTreeListCtrl::Frame() const {
    return dynamic_cast<CTLFrame*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CNewTreeListCtrl::RefitFrame() {
    if (CTLFrame* frame = Frame()) {
        frame->RefitAfterInput();
    }
}

bool CNewTreeListCtrl::InsideColumn0(CPoint point) const {
    return m_nColumnCount == 0 || point.x < GetColumnWidth(0);
}

void CNewTreeListCtrl::OnLButtonDown(UINT, CPoint point) {
    UINT flags = 0;
    HTREEITEM item = HitTest(point, &flags);
    if (item != nullptr && (flags & kOnItem) != 0) {
        SelectItem(item);
    }
    if (InsideColumn0(point)) {
        UINT shiftedFlags = 0;
        HTREEITEM shifted = HitTest(CPoint(point.x - m_nScrollOffset, point.y), &shiftedFlags);
        if (shifted != nullptr && (shiftedFlags & TVHT_ONITEMBUTTON) != 0) {
            Expand(shifted, TVE_TOGGLE);
        }
    }
    SetFocus();
    RefitFrame();
}

void CNewTreeListCtrl::OnLButtonDblClk(UINT, CPoint point) {
    if (InsideColumn0(point)) {
        UINT flags = 0;
        HitTest(CPoint(point.x - m_nScrollOffset, point.y), &flags);
        if ((flags & TVHT_ONITEMBUTTON) == 0) {
            if (CWnd* parent = GetParent()) {
                parent->SendMessage(WM_COMMAND, MAKEWPARAM(kDoubleClickCommand, 0), 0);
            }
        }
        Default();
        RefitFrame();
    }
    SetFocus();
}

void CNewTreeListCtrl::OnRButtonDown(UINT, CPoint point) {
    UINT flags = 0;
    HTREEITEM item = HitTest(point, &flags);
    if (item != nullptr && (flags & kOnItem) != 0) {
        SelectItem(item);
        if (CWnd* parent = GetParent()) {
            parent->SendMessage(WM_COMMAND, MAKEWPARAM(kRightClickCommand, 0), 0);
        }
    }
    SetFocus();
    RefitFrame();
}

void CNewTreeListCtrl::OnKeyDown(UINT, UINT, UINT) {
    Default();
    RefitFrame();
}

// ---------------------------------------------------------------------------
// Destruction

void CNewTreeListCtrl::FreeRecords(HTREEITEM first) {
    for (HTREEITEM item = first; item != nullptr; item = GetNextSiblingItem(item)) {
        delete GetItemRecord(item);
        ResetParam(item, nullptr);
        if (HTREEITEM child = GetChildItem(item)) {
            FreeRecords(child);
        }
    }
}

BOOL CNewTreeListCtrl::DeleteItem(HTREEITEM hItem) {
    if (hItem == nullptr || hItem == TVI_ROOT) {
        FreeRecords(GetRootItem());
    } else {
        delete GetItemRecord(hItem);
        ResetParam(hItem, nullptr);
        FreeRecords(GetChildItem(hItem));
    }
    return CTreeCtrl::DeleteItem(hItem);
}

void CNewTreeListCtrl::OnDestroy() {
    FreeRecords(GetRootItem());
    Default();
}
