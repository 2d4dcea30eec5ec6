// The attribute dialog's rows as a person reads and handles them: the
// tree-list shows its texts only by painting them, so the rows are read from
// what it draws (the headless device context's record), and a row is aimed
// at where its name was drawn. A real screen's drawing cannot be read back:
// there the rows are read from the records the tree-list paints (each item's
// CTreeListItem, in the order the tree shows them), and a row is aimed at
// its label.
#pragma once

#include <vedrix/automation/automation.h>
#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#else
#include <vedrix/widgets/tree_list_item.h>
#endif

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

namespace listbrowser_tests {

struct ShownRow {
    std::string name, value, type;
    RECT nameBox{};  // where the name was drawn, in the tree-list's client area
    int weight = 0;
    COLORREF color = 0;
};

class AttributeRows {
public:
    enum : int { kFrame = 1018, kHeader = 370, kTreeList = 373 };
    explicit AttributeRows(const vedrix::automation::Dialog& dialog)
        : tree_(::GetDlgItem(::GetDlgItem(dialog.hwnd(), kFrame), kTreeList)) {}

    HWND hwnd() const { return tree_; }

    // Reads the tree-list's rows from top to bottom.
    std::vector<ShownRow> rows() const {
#if VEDRIX_HEADLESS
        return drawnRows();
#else
        return recordedRows();
#endif
    }

    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const ShownRow& row : rows()) {
            found.push_back(row.name);
        }
        return found;
    }

    ShownRow row(std::string_view name) const {
        for (const ShownRow& row : rows()) {
            if (row.name == name) {
                return row;
            }
        }
        throw vedrix::automation::AutomationError("no attribute row \"" + std::string(name) +
                                                  "\" on the screen");
    }

    // On the row's name, and on its expand button (the indent column just
    // left of its label).
    vedrix::automation::Place on(std::string_view name) const {
        const RECT box = row(name).nameBox;
        return vedrix::automation::Control(tree_).at(box.left + 1, box.top + 8);
    }
    vedrix::automation::Place button(std::string_view name) const {
        const RECT box = row(name).nameBox;
        return vedrix::automation::Control(tree_).at(box.left - 2 - 10, box.top + 8);
    }

    void click(std::string_view name) const {
        vedrix::automation::wait(1000);  // never the second half of a double click
        vedrix::automation::click(on(name));
    }
    void expand(std::string_view name) const {
        vedrix::automation::wait(1000);
        vedrix::automation::click(button(name));
    }
    void doubleClick(std::string_view name) const {
        vedrix::automation::wait(1000);
        vedrix::automation::doubleClick(on(name));
    }
    // A right click on the row and the command chosen in its menu.
    void choose(std::string_view name, UINT command, vedrix::automation::Person& person) const {
        vedrix::automation::wait(1000);
        person.chooseNextMenuCommand(command);
        vedrix::automation::rightClick(on(name));
    }

private:
#if VEDRIX_HEADLESS
    // Paints the tree-list and reads the rows from what it drew.
    std::vector<ShownRow> drawnRows() const {
        vedrix::headless::clearDrawingRecord();
        ::InvalidateRect(tree_, nullptr, TRUE);
        ::UpdateWindow(tree_);
        HWND header = ::GetDlgItem(::GetParent(tree_), kHeader);
        RECT columns[3]{};
        for (int i = 0; i < 3; ++i) {
            ::SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(&columns[i]));
        }
        std::vector<ShownRow> shown;
        for (const auto& entry : vedrix::headless::drawingRecord(tree_)) {
            if (entry.kind != vedrix::headless::DrawingKind::DrawText) {
                continue;
            }
            if (shown.empty() || shown.back().nameBox.top != entry.bounds.top) {
                shown.push_back(ShownRow{});
                shown.back().nameBox = RECT{-1, entry.bounds.top, -1, entry.bounds.bottom};
            }
            ShownRow& row = shown.back();
            const int x = entry.bounds.left;
            if (x < columns[0].right) {
                row.name = entry.text;
                row.nameBox = entry.bounds;
                row.weight = entry.fontWeight;
                row.color = entry.textColor;
            } else if (x < columns[1].right) {
                row.value = entry.text;
            } else {
                row.type = entry.text;
            }
        }
        return shown;
    }
#else
    // The visible items' records, each aimed at by its label's rectangle.
    std::vector<ShownRow> recordedRows() const {
        std::vector<ShownRow> shown;
        auto item = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
        for (; item != nullptr;
             item = reinterpret_cast<HTREEITEM>(::SendMessageA(
                 tree_, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item)))) {
            TVITEMA tv{};
            tv.mask = TVIF_PARAM | TVIF_HANDLE;
            tv.hItem = item;
            ::SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
            const auto* record = reinterpret_cast<const CTreeListItem*>(tv.lParam);
            RECT label{};
            *reinterpret_cast<HTREEITEM*>(&label) = item;
            ::SendMessageA(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label));
            ShownRow row;
            row.nameBox = label;
            if (record != nullptr) {
                // The columns' texts, each up to the next separator.
                std::string* columns[] = {&row.name, &row.value, &row.type};
                std::size_t column = 0;
                for (const char* c = record->text.GetString(); *c != '\0' && column < 3; ++c) {
                    if (*c == CTreeListItem::kSeparator) {
                        ++column;
                    } else {
                        columns[column]->push_back(*c);
                    }
                }
                row.weight = record->bold != 0 ? FW_BOLD : FW_NORMAL;
                row.color = record->color;
            }
            shown.push_back(row);
        }
        return shown;
    }
#endif

    HWND tree_;
};

}  // namespace listbrowser_tests
