#include <vedrix/widgets/tree_list_item.h>

CTreeListItem::CTreeListItem() : separator(kSeparator), color(::GetSysColor(COLOR_WINDOWTEXT)) {}

namespace {

// Where field n of `text` starts, or -1 when the text holds fewer than n
// separators.
int fieldStart(const CString& text, char separator, int n) {
    int start = 0;
    for (int i = 0; i < n; ++i) {
        const int next = text.Find(separator, start);
        if (next < 0) {
            return -1;
        }
        start = next + 1;
    }
    return start;
}

// Where the field that starts at `start` ends: at the next separator or at
// the end of the text.
int fieldEnd(const CString& text, char separator, int start) {
    const int next = text.Find(separator, start);
    return next < 0 ? text.GetLength() : next;
}

}  // namespace

CString CTreeListItem::GetColumnText(int nColumn) const {
    const int start = nColumn >= 0 ? fieldStart(text, separator, nColumn) : -1;
    if (start < 0) {
        return CString();
    }
    return text.Mid(start, fieldEnd(text, separator, start) - start);
}

void CTreeListItem::SetColumnText(int nColumn, const char* lpszText) {
    if (nColumn < 0) {
        return;
    }
    const char* value = lpszText != nullptr ? lpszText : "";
    const int start = fieldStart(text, separator, nColumn);
    if (start < 0) {
        int present = 0;
        for (int i = 0; i < text.GetLength(); ++i) {
            present += text[i] == separator ? 1 : 0;
        }
        text += CString(separator, nColumn - present);
        text += value;
        return;
    }
    const int end = fieldEnd(text, separator, start);
    text = text.Left(start) + value + text.Mid(end);
}
