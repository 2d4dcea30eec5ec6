// List views: rows by index or text through the public LVM_ messages, and
// the person's clicks on them.
#include <vedrix/automation/list_view.h>

#include "util.h"

#include "hands.h"

#include <algorithm>
#include <vector>

namespace vedrix::automation {

namespace {

std::string listName(HWND list) {
    return "list " + std::to_string(GetDlgCtrlID(list));
}

int rowCountOf(HWND list) {
    return IsWindow(list) ? static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string cellText(HWND list, int row, int column) {
    if (row < 0 || row >= rowCountOf(list)) {
        return std::string();
    }
    std::vector<char> buffer(1024, '\0');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    const char* text = item.pszText ? item.pszText : buffer.data();
    return std::string(text);
}

int columnCountOf(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    if (header && IsWindow(header)) {
        return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    }
    // Without a header, count the columns LVM_GETCOLUMN knows.
    int n = 0;
    for (;; ++n) {
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        if (!SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(n),
                          reinterpret_cast<LPARAM>(&column))) {
            return n;
        }
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// ListRow

void ListRow::requireRow() const {
    if (!IsWindow(list_)) {
        throw AutomationError("the list view is gone");
    }
    int n = rowCountOf(list_);
    if (index_ < 0 || index_ >= n) {
        throw AutomationError(listName(list_) + " has no row " + std::to_string(index_) + " (" +
                              std::to_string(n) + " rows)");
    }
}

std::string ListRow::text(int column) const {
    return cellText(list_, index_, column);
}

std::vector<std::string> ListRow::texts() const {
    std::vector<std::string> out;
    int columns = IsWindow(list_) ? columnCountOf(list_) : 0;
    for (int c = 0; c < std::max(1, columns); ++c) {
        out.push_back(text(c));
    }
    return out;
}

UINT ListRow::state(UINT mask) const {
    if (!IsWindow(list_) || index_ < 0 || index_ >= rowCountOf(list_)) {
        return 0;
    }
    return static_cast<UINT>(
        SendMessageA(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(index_), mask));
}

LPARAM ListRow::param() const {
    if (!IsWindow(list_) || index_ < 0 || index_ >= rowCountOf(list_)) {
        return 0;
    }
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index_;
    SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

RECT ListRow::rect() const {
    RECT r{};
    if (!IsWindow(list_) || index_ < 0 || index_ >= rowCountOf(list_)) {
        return r;
    }
    r.left = LVIR_BOUNDS;
    if (!SendMessageA(list_, LVM_GETITEMRECT, static_cast<WPARAM>(index_),
                      reinterpret_cast<LPARAM>(&r))) {
        return RECT{};
    }
    return r;
}

Place ListRow::place() const {
    ListRow self = *this;
    return Place(
        [self] {
            self.requireRow();
            if (!IsWindowVisible(self.list_)) {
                throw AutomationError(listName(self.list_) +
                                      " is not visible: a person cannot see " + self.describe());
            }
            auto labelCentre = [&self](POINT& p) {
                RECT r{};
                r.left = LVIR_LABEL;
                if (!SendMessageA(self.list_, LVM_GETITEMRECT, static_cast<WPARAM>(self.index_),
                                  reinterpret_cast<LPARAM>(&r))) {
                    return false;
                }
                p = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
                LVHITTESTINFO hit{};
                hit.pt = p;
                SendMessageA(self.list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
                return hit.iItem == self.index_ && (hit.flags & LVHT_ONITEM) != 0 &&
                       detail::inClient(self.list_, p);
            };
            POINT p{};
            if (!labelCentre(p)) {
                // The person scrolls the row into view.
                SendMessageA(self.list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(self.index_),
                             FALSE);
                hands::pumpMessages();
                if (!labelCentre(p)) {
                    throw AutomationError(self.describe() + " cannot be brought into view");
                }
            }
            return detail::toScreen(self.list_, p);
        },
        describe());
}

void ListRow::click() const {
    automation::click(place());
}

void ListRow::ctrlClick() const {
    clickWith(place(), {VK_CONTROL});
}

void ListRow::shiftClick() const {
    clickWith(place(), {VK_SHIFT});
}

void ListRow::doubleClick() const {
    automation::doubleClick(place());
}

void ListRow::rightClick() const {
    automation::rightClick(place());
}

std::string ListRow::describe() const {
    std::string out = "row " + std::to_string(index_);
    if (IsWindow(list_) && index_ >= 0 && index_ < rowCountOf(list_)) {
        out += " (" + detail::quoted(text(0)) + ")";
    }
    return out + " of " + (IsWindow(list_) ? listName(list_) : std::string("a list view"));
}

// ---------------------------------------------------------------------------
// ListView

int ListView::rowCount() const {
    return rowCountOf(hwnd_);
}

int ListView::columnCount() const {
    return exists() ? columnCountOf(hwnd_) : 0;
}

std::vector<std::string> ListView::columnHeadings() const {
    std::vector<std::string> out;
    int n = columnCount();
    for (int c = 0; c < n; ++c) {
        std::vector<char> buffer(256, '\0');
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = buffer.data();
        column.cchTextMax = static_cast<int>(buffer.size());
        SendMessageA(hwnd_, LVM_GETCOLUMNA, static_cast<WPARAM>(c),
                     reinterpret_cast<LPARAM>(&column));
        out.emplace_back(column.pszText ? column.pszText : buffer.data());
    }
    return out;
}

ListRow ListView::row(int index) const {
    requireWindow();
    ListRow r(hwnd_, index);
    if (index < 0 || index >= rowCount()) {
        throw AutomationError(listName(hwnd_) + " has no row " + std::to_string(index) + " (" +
                              std::to_string(rowCount()) + " rows)");
    }
    return r;
}

ListRow ListView::row(std::string_view text, int column) const {
    requireWindow();
    int index = findRow(text, column);
    if (index < 0) {
        throw AutomationError(listName(hwnd_) + " has no row with " + detail::quoted(text) +
                              " in column " + std::to_string(column) + "; it holds:\n" + table());
    }
    return ListRow(hwnd_, index);
}

int ListView::findRow(std::string_view text, int column) const {
    int n = rowCount();
    for (int i = 0; i < n; ++i) {
        if (cellText(hwnd_, i, column) == text) {
            return i;
        }
    }
    return -1;
}

std::vector<int> ListView::selectedRows() const {
    std::vector<int> out;
    if (!exists()) {
        return out;
    }
    int n = rowCount();
    int i = -1;
    // LVM_GETNEXTITEM walks the selection; the bound guards a faulty control.
    for (int guard = 0; guard <= n; ++guard) {
        i = static_cast<int>(
            SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED));
        if (i < 0) {
            break;
        }
        out.push_back(i);
    }
    return out;
}

std::vector<std::string> ListView::selectedTexts(int column) const {
    std::vector<std::string> out;
    for (int i : selectedRows()) {
        out.push_back(cellText(hwnd_, i, column));
    }
    return out;
}

std::vector<std::string> ListView::columnTexts(int column) const {
    std::vector<std::string> out;
    int n = rowCount();
    for (int i = 0; i < n; ++i) {
        out.push_back(cellText(hwnd_, i, column));
    }
    return out;
}

int ListView::focusedRow() const {
    return exists() ? static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                    LVNI_FOCUSED))
                    : -1;
}

void ListView::clickBelowRows() const {
    requireWindow();
    RECT client = clientRect();
    int n = rowCount();
    int y = client.bottom - 2;
    if (n > 0) {
        RECT last{};
        last.left = LVIR_BOUNDS;
        if (SendMessageA(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(n - 1),
                         reinterpret_cast<LPARAM>(&last)) &&
            last.bottom + 2 < client.bottom) {
            y = last.bottom + 2;
        } else {
            throw AutomationError(listName(hwnd_) + " shows no empty space below its rows");
        }
    }
    clickAt(client.right / 2 > 4 ? 4 : client.right / 2, y);
}

std::string ListView::table() const {
    std::string out;
    int n = rowCount();
    for (int i = 0; i < n; ++i) {
        ListRow r(hwnd_, i);
        out += r.isSelected() ? "* " : "  ";
        std::vector<std::string> cells = r.texts();
        for (size_t c = 0; c < cells.size(); ++c) {
            out += (c ? " | " : "") + cells[c];
        }
        out += "\n";
    }
    return out;
}

}  // namespace vedrix::automation
