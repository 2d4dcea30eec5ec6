// List view geometry and what it shows: item and sub-item rectangles,
// hit tests, scrolling, the header's column click, the drag image, painting
// into the drawing record, and label editing. Heights and margins come from
// the font and the image lists, so the tests take them from the list itself
// (its header, its first row, its client rectangle) and check how the
// rectangles stand to each other and to the columns.
#include "listview/listview_fixture.h"

#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

#include <algorithm>
#include <cstring>
#include <string>

using listview_tests::ListViewTest;
using listview_tests::makeImages;
using listview_tests::Note;
using listview_tests::rectIs;
#if VEDRIX_HEADLESS
namespace desk = vedrix::headless;
#endif

namespace {

class ListViewDisplay : public ListViewTest {
protected:
    void fill(int rows, DWORD style = 0) {
        createList(LVS_REPORT | style);
        insertColumn(0, "File", 100);
        insertColumn(1, "Name", 60);
        insertColumn(2, "Size", 30, LVCFMT_RIGHT);
        for (int i = 0; i < rows; ++i) {
            insert(i, ("row" + std::to_string(i)).c_str(), i);
            setText(i, 1, ("name" + std::to_string(i)).c_str());
            setText(i, 2, std::to_string(i * 10).c_str());
        }
        clearNotes();
    }
    RECT itemRect(int index, int code) {
        RECT rect{-1, -1, -1, -1};
        EXPECT_TRUE(ListView_GetItemRect(list, index, &rect, code));
        return rect;
    }
    RECT subItemRect(int index, int subItem, int code) {
        RECT rect{-1, -1, -1, -1};
        EXPECT_TRUE(ListView_GetSubItemRect(list, index, subItem, code, &rect));
        return rect;
    }
    // The bottom of the header: where the rows begin in report view.
    int headerBottom() {
        RECT rect{};
        GetWindowRect(ListView_GetHeader(list), &rect);
        POINT corner{rect.right, rect.bottom};
        ScreenToClient(list, &corner);
        return corner.y;
    }
    int rowHeight() {
        RECT first = itemRect(0, LVIR_BOUNDS);
        return first.bottom - first.top;
    }
    int clientHeight() {
        RECT client{};
        GetClientRect(list, &client);
        return client.bottom;
    }
    // The rows that fit wholly below the header.
    int rowsPerPage() { return (clientHeight() - headerBottom()) / rowHeight(); }
    // A point in the middle of a rectangle.
    static POINT middleOf(const RECT& r) {
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    UINT hit(POINT pt, int* item) { return hit(pt.x, pt.y, item); }
    UINT hit(int x, int y, int* item, bool subItems = false, int* subItem = nullptr) {
        LVHITTESTINFO info;
        std::memset(&info, 0, sizeof info);
        info.pt.x = x;
        info.pt.y = y;
        int result =
            subItems ? ListView_SubItemHitTest(list, &info) : ListView_HitTest(list, &info);
        EXPECT_EQ(result, info.iItem);
        *item = info.iItem;
        if (subItem != nullptr) {
            *subItem = info.iSubItem;
        }
        return info.flags;
    }
};

TEST_F(ListViewDisplay, RectanglesStandInRowsBelowTheHeaderAndInTheColumns) {
    fill(3);
    // Without image lists: rows one below the other, from the header down,
    // as wide as the columns together (100 + 60 + 30).
    int top = headerBottom();
    int row = rowHeight();
    EXPECT_GT(top, 0);
    EXPECT_GT(row, 0);
    EXPECT_TRUE(rectIs(itemRect(0, LVIR_BOUNDS), 0, top, 190, top + row));
    EXPECT_TRUE(rectIs(itemRect(2, LVIR_BOUNDS), 0, top + 2 * row, 190, top + 3 * row));
    RECT icon = itemRect(1, LVIR_ICON);
    EXPECT_EQ(icon.right - icon.left, 0);
    EXPECT_EQ(icon.top, top + row);
    EXPECT_TRUE(rectIs(itemRect(1, LVIR_LABEL), icon.right, top + row, 100, top + 2 * row));
    EXPECT_TRUE(rectIs(subItemRect(1, 1, LVIR_BOUNDS), 100, top + row, 160, top + 2 * row));
    EXPECT_TRUE(rectIs(subItemRect(1, 2, LVIR_LABEL), 160, top + row, 190, top + 2 * row));
    EXPECT_TRUE(rectIs(subItemRect(1, 0, LVIR_BOUNDS), 0, top + row, 190, top + 2 * row));
    POINT position{-1, -1};
    EXPECT_TRUE(ListView_GetItemPosition(list, 2, &position));
    EXPECT_GE(position.x, 0);
    EXPECT_LT(position.x, 100);
    EXPECT_EQ(position.y, top + 2 * row);

    // A 16-pixel small image list puts the image before the label; state
    // images come first.
    HIMAGELIST small = makeImages(16, 16, 4);
    HIMAGELIST states = makeImages(16, 16, 2);
    ListView_SetImageList(list, small, LVSIL_SMALL);
    row = rowHeight();
    EXPECT_GE(row, 16);
    icon = itemRect(0, LVIR_ICON);
    EXPECT_EQ(icon.right - icon.left, 16);
    EXPECT_EQ(icon.top, top);
    RECT label = itemRect(0, LVIR_LABEL);
    EXPECT_TRUE(rectIs(label, icon.right, top, 100, top + row));
    // The selection's bounds hold the image and the start of the label, and
    // stay in the first column.
    RECT selectBounds = itemRect(0, LVIR_SELECTBOUNDS);
    EXPECT_EQ(selectBounds.left, icon.left);
    EXPECT_GT(selectBounds.right, label.left);
    EXPECT_LE(selectBounds.right, 100);
    ListView_SetImageList(list, states, LVSIL_STATE);
    EXPECT_EQ(itemRect(0, LVIR_ICON).left, icon.left + 16);
    ListView_SetImageList(list, nullptr, LVSIL_STATE);

    // Indentation counts in image widths.
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = LVIF_INDENT;
    item.iItem = 1;
    item.iIndent = 2;
    ListView_SetItem(list, &item);
    EXPECT_EQ(itemRect(1, LVIR_ICON).left, icon.left + 2 * 16);

    // 24-pixel images make rows at least that high.
    HIMAGELIST large = makeImages(24, 24, 2);
    ListView_SetImageList(list, large, LVSIL_SMALL);
    row = rowHeight();
    EXPECT_GE(row, 24);
    EXPECT_TRUE(rectIs(itemRect(1, LVIR_BOUNDS), 0, top + row, 190, top + 2 * row));
    EXPECT_EQ(ListView_GetCountPerPage(list), rowsPerPage());

    RECT bad{LVIR_BOUNDS, 0, 0, 0};
    EXPECT_FALSE(ListView_GetItemRect(list, 3, &bad, LVIR_BOUNDS));
    ImageList_Destroy(states);
    ImageList_Destroy(small);
}

TEST_F(ListViewDisplay, HitTestsNameThePartOfTheRow) {
    fill(3);
    HIMAGELIST small = makeImages(16, 16, 4);
    ListView_SetImageList(list, small, LVSIL_SMALL);
    int item = -2;
    EXPECT_EQ(hit(middleOf(itemRect(0, LVIR_ICON)), &item), static_cast<UINT>(LVHT_ONITEMICON));
    EXPECT_EQ(item, 0);
    RECT label = itemRect(1, LVIR_LABEL);
    EXPECT_EQ(hit(label.left + 2, middleOf(label).y, &item), static_cast<UINT>(LVHT_ONITEMLABEL));
    EXPECT_EQ(item, 1);
    label = itemRect(2, LVIR_LABEL);
    EXPECT_EQ(hit(label.right - 1, label.bottom - 1, &item), static_cast<UINT>(LVHT_ONITEMLABEL));
    EXPECT_EQ(item, 2);
    // Below the last row, and in a sub-item column.
    int row0 = middleOf(itemRect(0, LVIR_BOUNDS)).y;
    EXPECT_EQ(hit(50, label.bottom + 2, &item), static_cast<UINT>(LVHT_NOWHERE));
    EXPECT_EQ(item, -1);
    EXPECT_EQ(hit(120, row0, &item), static_cast<UINT>(LVHT_NOWHERE));
    // Outside the client area.
    EXPECT_EQ(hit(-1, row0, &item), static_cast<UINT>(LVHT_TOLEFT));
    EXPECT_EQ(hit(205, row0, &item), static_cast<UINT>(LVHT_TORIGHT));
    EXPECT_EQ(hit(50, clientHeight() + 5, &item), static_cast<UINT>(LVHT_BELOW));
    EXPECT_EQ(hit(-5, -5, &item), static_cast<UINT>(LVHT_ABOVE | LVHT_TOLEFT));
    EXPECT_EQ(item, -1);

    // The sub-item hit test names the column.
    int subItem = -2;
    EXPECT_EQ(hit(120, row0, &item, true, &subItem), static_cast<UINT>(LVHT_ONITEMLABEL));
    EXPECT_EQ(item, 0);
    EXPECT_EQ(subItem, 1);
    int row2 = middleOf(itemRect(2, LVIR_BOUNDS)).y;
    EXPECT_EQ(hit(165, row2, &item, true, &subItem), static_cast<UINT>(LVHT_ONITEMLABEL));
    EXPECT_EQ(item, 2);
    EXPECT_EQ(subItem, 2);
    EXPECT_EQ(hit(195, row0, &item, true, &subItem), static_cast<UINT>(LVHT_NOWHERE));

    // Full-row selection makes the whole row the item's.
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    EXPECT_NE(hit(120, row0, &item) & LVHT_ONITEM, 0u);
    EXPECT_EQ(item, 0);

    // The state image.
    HIMAGELIST states = makeImages(16, 16, 2);
    ListView_SetImageList(list, states, LVSIL_STATE);
    RECT icon = itemRect(0, LVIR_ICON);
    EXPECT_EQ(hit(icon.left - 8, row0, &item), static_cast<UINT>(LVHT_ONITEMSTATEICON));
    EXPECT_EQ(hit(icon.left + 2, row0, &item), static_cast<UINT>(LVHT_ONITEMICON));
}

TEST_F(ListViewDisplay, ScrollingMovesTheTopIndexByWholeRows) {
    fill(20);
    int perPage = rowsPerPage();
    int row = rowHeight();
    ASSERT_GT(perPage, 2);
    EXPECT_EQ(ListView_GetCountPerPage(list), perPage);
    EXPECT_EQ(ListView_GetTopIndex(list), 0);
    EXPECT_TRUE(ListView_EnsureVisible(list, 10, FALSE));
    int top = 10 - perPage + 1;  // row 10 is the last one shown
    EXPECT_EQ(ListView_GetTopIndex(list), top);
    EXPECT_EQ(itemRect(10, LVIR_BOUNDS).top, headerBottom() + (perPage - 1) * row);
    int item = -2;
    hit(30, headerBottom() + row / 2, &item);
    EXPECT_EQ(item, top);
    EXPECT_TRUE(ListView_EnsureVisible(list, 2, FALSE));
    EXPECT_EQ(ListView_GetTopIndex(list), 2);
    // LVM_SCROLL: whole rows, never past the end.
    EXPECT_TRUE(ListView_Scroll(list, 0, 3 * row));
    EXPECT_EQ(ListView_GetTopIndex(list), 5);
    EXPECT_TRUE(ListView_Scroll(list, 0, 1000));
    EXPECT_EQ(ListView_GetTopIndex(list), 20 - perPage);
    // Deleting rows brings the last page up.
    for (int i = 0; i < 10; ++i) {
        ListView_DeleteItem(list, 0);
    }
    EXPECT_EQ(ListView_GetTopIndex(list), 10 - perPage);
    EXPECT_FALSE(ListView_EnsureVisible(list, 10, FALSE));
}

// LVM_SCROLL in report view: "the dy parameter is rounded to the nearest
// number of pixels that form a whole line increment".
TEST_F(ListViewDisplay, ScrollingRoundsToTheNearestRow) {
    fill(20);
    int row = rowHeight();
    ASSERT_GT(row, 4);
    EXPECT_TRUE(ListView_Scroll(list, 0, row / 2 - 1));
    EXPECT_EQ(ListView_GetTopIndex(list), 0);
    EXPECT_TRUE(ListView_Scroll(list, 0, row / 2 + 1));
    EXPECT_EQ(ListView_GetTopIndex(list), 1);
    EXPECT_TRUE(ListView_Scroll(list, 0, 2 * row + row / 2 + 1));
    EXPECT_EQ(ListView_GetTopIndex(list), 4);
}

TEST_F(ListViewDisplay, AHeadingClickIsAColumnClick) {
    fill(2);
    HWND header = ListView_GetHeader(list);
    RECT rect;
    ASSERT_TRUE(Header_GetItemRect(header, 1, &rect));
    EXPECT_TRUE(rectIs(rect, 100, 0, 160, headerBottom()));
    POINT middle = middleOf(rect);
    click(middle.x, middle.y);
    // The header's click reaches the list's parent too, before or after the
    // column click.
    EXPECT_EQ(notes(HDN_ITEMCLICKA).size(), 1u);
    std::vector<Note> columnClicks = notes(LVN_COLUMNCLICK);
    ASSERT_EQ(columnClicks.size(), 1u);
    EXPECT_EQ(columnClicks[0].item, -1);
    EXPECT_EQ(columnClicks[0].subItem, 1);
    EXPECT_EQ(columnClicks[0].from, list);

    // Without sortable headings the header is no button.
    DestroyWindow(list);
    fill(2, LVS_NOSORTHEADER);
    click(middle.x, middle.y);
    EXPECT_TRUE(notes(LVN_COLUMNCLICK).empty());
}

TEST_F(ListViewDisplay, TheDragImageShowsTheItemsImageAndText) {
    fill(3);
    HIMAGELIST small = makeImages(16, 16, 4);
    ListView_SetImageList(list, small, LVSIL_SMALL);
    POINT upperLeft{-1, -1};
    HIMAGELIST drag = ListView_CreateDragImage(list, 1, &upperLeft);
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(drag), 1);
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(drag, &cx, &cy));
    // At least the image and "row1", from the item's corner.
    EXPECT_GE(cx, 16 + ListView_GetStringWidth(list, "row1"));
    EXPECT_GE(cy, 16);
    RECT bounds = itemRect(1, LVIR_BOUNDS);
    EXPECT_EQ(upperLeft.x, bounds.left);
    EXPECT_EQ(upperLeft.y, bounds.top);
    ImageList_Destroy(drag);
    EXPECT_EQ(ListView_CreateDragImage(list, 7, &upperLeft), nullptr);
}

TEST_F(ListViewDisplay, PaintingShowsRowsSubItemsImagesAndTheSelection) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    fill(3);
    HIMAGELIST small = makeImages(16, 16, 4);
    ListView_SetImageList(list, small, LVSIL_SMALL);
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = LVIF_IMAGE;
    item.iItem = 2;
    item.iImage = 3;
    ListView_SetItem(list, &item);
    SetFocus(list);
    select(1, LVIS_SELECTED | LVIS_FOCUSED);

    desk::clearDrawingRecord();
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    std::vector<desk::DrawingEntry> record = desk::drawingRecord(list);
    auto textAt = [&](const std::string& text) -> const desk::DrawingEntry* {
        for (const auto& entry : record) {
            if (entry.kind == desk::DrawingKind::DrawText && entry.text == text) {
                return &entry;
            }
        }
        return nullptr;
    };
    const desk::DrawingEntry* row0 = textAt("row0");
    ASSERT_NE(row0, nullptr);
    EXPECT_TRUE(rectIs(row0->bounds, 16 + 2, 20, 100 - 2, 36));
    const desk::DrawingEntry* name2 = textAt("name2");
    ASSERT_NE(name2, nullptr);
    EXPECT_TRUE(rectIs(name2->bounds, 102, 52, 158, 68));
    const desk::DrawingEntry* size2 = textAt("20");
    ASSERT_NE(size2, nullptr);
    EXPECT_TRUE(size2->flags & DT_RIGHT);

    // The selected, focused row: highlight behind its text, highlight text
    // colour, a focus rectangle.
    const desk::DrawingEntry* row1 = textAt("row1");
    ASSERT_NE(row1, nullptr);
    EXPECT_EQ(row1->textColor, GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(row0->textColor, GetSysColor(COLOR_WINDOWTEXT));
    bool highlight = false;
    bool focusRect = false;
    for (const auto& entry : record) {
        if (entry.kind == desk::DrawingKind::FillRect &&
            entry.color == GetSysColor(COLOR_HIGHLIGHT) &&
            rectIs(entry.rect, 16, 36, 16 + 4 * 7 + 4, 52)) {
            highlight = true;
        }
        if (entry.kind == desk::DrawingKind::FocusRect &&
            rectIs(entry.rect, 16, 36, 16 + 4 * 7 + 4, 52)) {
            focusRect = true;
        }
    }
    EXPECT_TRUE(highlight);
    EXPECT_TRUE(focusRect);

    // Images at their icon rectangles, with the item's image index.
    int images = 0;
    for (const auto& entry : record) {
        if (entry.kind == desk::DrawingKind::ImageListDraw && entry.imageList == small) {
            ++images;
            if (entry.image == 3) {
                EXPECT_EQ(entry.rect.left, 0);
                EXPECT_EQ(entry.rect.top, 52);
            }
        }
    }
    EXPECT_EQ(images, 3);

    // Without the focus and without LVS_SHOWSELALWAYS the selection is not shown.
    SetFocus(parent);
    desk::clearDrawingRecord();
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    record = desk::drawingRecord(list);
    row1 = textAt("row1");
    ASSERT_NE(row1, nullptr);
    EXPECT_EQ(row1->textColor, GetSysColor(COLOR_WINDOWTEXT));

    // With LVS_SHOWSELALWAYS it is shown in the button face colours.
    SetWindowLongPtrA(list, GWL_STYLE, GetWindowLongPtrA(list, GWL_STYLE) | LVS_SHOWSELALWAYS);
    desk::clearDrawingRecord();
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    record = desk::drawingRecord(list);
    row1 = textAt("row1");
    ASSERT_NE(row1, nullptr);
    EXPECT_EQ(row1->textColor, GetSysColor(COLOR_BTNTEXT));
    bool faceFill = false;
    for (const auto& entry : record) {
        faceFill = faceFill || (entry.kind == desk::DrawingKind::FillRect &&
                                entry.color == GetSysColor(COLOR_BTNFACE) &&
                                rectIs(entry.rect, 16, 36, 16 + 4 * 7 + 4, 52));
    }
    EXPECT_TRUE(faceFill);
#endif
}

TEST_F(ListViewDisplay, OtherViewsShowOneItemPerRowWithoutHeader) {
    createList(LVS_LIST);
    insert(0, "first");
    insert(1, "second");
    // No header: rows from the top; the label holds its text.
    int row = rowHeight();
    EXPECT_EQ(itemRect(0, LVIR_BOUNDS).top, 0);
    RECT label = itemRect(1, LVIR_LABEL);
    RECT bounds = itemRect(1, LVIR_BOUNDS);
    EXPECT_EQ(label.top, row);
    EXPECT_EQ(label.bottom, 2 * row);
    EXPECT_EQ(label.left, bounds.left);
    EXPECT_LE(label.right, bounds.right);
    EXPECT_GE(label.right - label.left, ListView_GetStringWidth(list, "second"));
    int item = -2;
    EXPECT_EQ(hit(label.left + 3, row + row / 2, &item), static_cast<UINT>(LVHT_ONITEMLABEL));
    EXPECT_EQ(item, 1);
    EXPECT_EQ(hit(label.right + 10, row + row / 2, &item), static_cast<UINT>(LVHT_NOWHERE));
    click(3, row / 2);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 0);
    EXPECT_FALSE(ListView_SetColumnWidth(list, 0, -5));
    EXPECT_TRUE(ListView_SetColumnWidth(list, 0, 90));
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 90);
    UpdateWindow(list);

    // Switched to report view, the header appears and the rows move down.
    SetWindowLongPtrA(list, GWL_STYLE,
                      (GetWindowLongPtrA(list, GWL_STYLE) & ~LVS_TYPEMASK) | LVS_REPORT);
    insertColumn(0, "Name", 80);
    EXPECT_TRUE(IsWindowVisible(ListView_GetHeader(list)));
    int top = headerBottom();
    EXPECT_GT(top, 0);
    row = rowHeight();
    EXPECT_TRUE(rectIs(itemRect(1, LVIR_BOUNDS), 0, top + row, 80, top + 2 * row));
}

TEST_F(ListViewDisplay, LabelEditingReportsTheNewText) {
    fill(2, LVS_EDITLABELS);
    HWND edit = ListView_EditLabel(list, 1);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(ListView_GetEditControl(list), edit);
    EXPECT_EQ(GetFocus(), edit);
    std::vector<Note> begin = notes(LVN_BEGINLABELEDITA);
    ASSERT_EQ(begin.size(), 1u);
    EXPECT_EQ(begin[0].item, 1);
    EXPECT_EQ(begin[0].text, "row1");

    // The parent accepts the text: the item takes it.
    respond = [](NMHDR* nm) -> LRESULT { return nm->code == LVN_ENDLABELEDITA ? TRUE : 0; };
    SetWindowTextA(edit, "Storey1");
    person::pressKey(VK_RETURN);
    std::vector<Note> end = notes(LVN_ENDLABELEDITA);
    ASSERT_EQ(end.size(), 1u);
    EXPECT_TRUE(end[0].hasText);
    EXPECT_EQ(end[0].text, "Storey1");
    EXPECT_EQ(textOf(1), "Storey1");
    EXPECT_EQ(ListView_GetEditControl(list), nullptr);
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(GetFocus(), list);

    // Escape ends the edit without a text.
    clearNotes();
    edit = ListView_EditLabel(list, 0);
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, "ignored");
    person::pressKey(VK_ESCAPE);
    end = notes(LVN_ENDLABELEDITA);
    ASSERT_EQ(end.size(), 1u);
    EXPECT_FALSE(end[0].hasText);
    EXPECT_EQ(textOf(0), "row0");

    // The parent can refuse to start.
    respond = [](NMHDR* nm) -> LRESULT { return nm->code == LVN_BEGINLABELEDITA ? TRUE : 0; };
    EXPECT_EQ(ListView_EditLabel(list, 0), nullptr);
    EXPECT_EQ(ListView_GetEditControl(list), nullptr);
}

}  // namespace
