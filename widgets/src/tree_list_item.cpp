#include <vedrix/widgets/tree_list_item.h>

#include <cstring>
#include <utility>

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

// The text is changed where it stands: missing separators and the new field
// are appended, or field n is cut out and the new one put in its place.
void CTreeListItem::SetColumnText(int nColumn, const char* lpszText) {
    if (nColumn < 0) {
        return;
    }
    const char* value = lpszText != nullptr ? lpszText : "";
    const int start = fieldStart(text, separator, nColumn);
    if (start < 0) {
        int present = 0;
        for (int at = text.Find(separator); at >= 0; at = text.Find(separator, at + 1)) {
            ++present;
        }
        for (; present < nColumn; ++present) {
            text += separator;
        }
        text += value;
        return;
    }
    const int end = fieldEnd(text, separator, start);
    // A text taken from this record itself is copied before the cut.
    const char* const own = text.GetString();
    const bool fromItself = value >= own && value <= own + text.GetLength();
    const CString copy(fromItself ? value : "");
    text.Delete(start, end - start);
    text.Insert(start, fromItself ? copy.GetString() : value);
}

// Texts without the separator are joined in one go. A text holding it would
// read back as several columns, and the next column set in turn replaces
// the first of those; such texts are set one by one, as the rule says.
void CTreeListItem::SetColumnTexts(const char* const* texts, int count) {
    if (count <= 0) {
        text.Empty();
        return;
    }
    int length = count - 1;
    for (int i = 0; i < count; ++i) {
        const std::size_t n = texts[i] != nullptr ? std::strlen(texts[i]) : 0;
        if (std::memchr(texts[i] != nullptr ? texts[i] : "", separator, n) != nullptr) {
            CTreeListItem oneByOne;
            for (int column = 0; column < count; ++column) {
                oneByOne.SetColumnText(column, texts[column]);
            }
            text = std::move(oneByOne.text);
            return;
        }
        length += static_cast<int>(n);
    }
    // The texts may come from this record itself, so they are joined apart
    // before they replace it.
    CString joined;
    char* out = joined.GetBufferSetLength(length);
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            *out++ = separator;
        }
        if (texts[i] != nullptr) {
            const std::size_t n = std::strlen(texts[i]);
            std::memcpy(out, texts[i], n);
            out += n;
        }
    }
    joined.ReleaseBuffer(length);
    text = std::move(joined);
}
