// CTreeListItem: the record that every row of the tree-list carries as its
// item parameter. The texts of all columns live in one string, column after
// column, each separated from the next by the byte 182; the row's own label
// in the tree view stays empty.
#pragma once

#include <vedrix/framework/cstring.h>
#include <vedrix/widgets/export.h>

#include <windows.h>

class VEDRIX_WIDGETS_API CTreeListItem {
public:
    static constexpr char kSeparator = static_cast<char>(182);

    CTreeListItem();
    CTreeListItem(const CTreeListItem&) = default;
    CTreeListItem(CTreeListItem&&) noexcept = default;
    CTreeListItem& operator=(const CTreeListItem&) = default;
    CTreeListItem& operator=(CTreeListItem&&) noexcept = default;

    // The characters between the n-th and the (n+1)-th separator (column 0:
    // before the first); empty when the text holds fewer than n separators.
    CString GetColumnText(int nColumn) const;
    // Replaces field n, keeping every other field and separator; a text with
    // fewer than n separators first gets the missing ones appended. A text
    // that holds the separator byte itself is stored as it is and then reads
    // back as several columns.
    void SetColumnText(int nColumn, const char* lpszText);
    // Replaces the whole text with `count` columns, column 0 first (a null
    // text counts as empty): the same text as setting each column in turn
    // on an empty record, built in one go where no text holds the separator.
    void SetColumnTexts(const char* const* texts, int count);

    CString text;    // the columns' texts joined by the separator
    DWORD data = 0;  // the caller's value
    char separator;  // always kSeparator
    int bold = 0;    // non-zero: drawn in the bold font
    COLORREF color;  // text colour while the row is not selected
};
