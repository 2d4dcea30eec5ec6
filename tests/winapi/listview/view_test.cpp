// List view geometry and what it shows: item and sub-item rectangles from
// the fixed metrics (header 20 pixels, rows 16 or the image height, 7 pixels
// a character), hit tests, scrolling, the header's column click, the drag
// image, painting into the drawing record, and label editing.
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

TEST_F(ListViewDisplay, RectanglesFollowTheFixedGeometry) {
    fill(3);
    // Without image lists: rows of 16 pixels below the 20-pixel header.
    EXPECT_TRUE(rectIs(itemRect(0, LVIR_BOUNDS), 0, 20, 190, 36));
    EXPECT_TRUE(rectIs(itemRect(2, LVIR_BOUNDS), 0, 52, 190, 68));
    EXPECT_TRUE(rectIs(itemRect(1, LVIR_ICON), 0, 36, 0, 52));
    EXPECT_TRUE(rectIs(itemRect(1, LVIR_LABEL), 0, 36, 100, 52));
    EXPECT_TRUE(rectIs(subItemRect(1, 1, LVIR_BOUNDS), 100, 36, 160, 52));
    EXPECT_TRUE(rectIs(subItemRect(1, 2, LVIR_LABEL), 160, 36, 190, 52));
    EXPECT_TRUE(rectIs(subItemRect(1, 0, LVIR_BOUNDS), 0, 36, 190, 52));
    POINT position{-1, -1};
    EXPECT_TRUE(ListView_GetItemPosition(list, 2, &position));
    EXPECT_EQ(position.x, 0);
    EXPECT_EQ(position.y, 52);

    // A 16-pixel small image list puts the image before the label; state
    // images come first.
    HIMAGELIST small = makeImages(16, 16, 4);
    HIMAGELIST states = makeImages(16, 16, 2);
    ListView_SetImageList(list, small, LVSIL_SMALL);
    EXPECT_TRUE(rectIs(itemRect(0, LVIR_ICON), 0, 20, 16, 36));
    EXPECT_TRUE(rectIs(itemRect(0, LVIR_LABEL), 16, 20, 100, 36));
    EXPECT_TRUE(rectIs(itemRect(0, LVIR_SELECTBOUNDS), 0, 20, 100, 36));
    ListView_SetImageList(list, states, LVSIL_STATE);
    EXPECT_TRUE(rectIs(itemRect(0, LVIR_ICON), 16, 20, 32, 36));
    ListView_SetImageList(list, nullptr, LVSIL_STATE);

    // Indentation counts in image widths.
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = LVIF_INDENT;
    item.iItem = 1;
    item.iIndent = 2;
    ListView_SetItem(list, &item);
    EXPECT_TRUE(rectIs(itemRect(1, LVIR_ICON), 32, 36, 48, 52));

    // 24-pixel images make 24-pixel rows.
    HIMAGELIST large = makeImages(24, 24, 2);
    ListView_SetImageList(list, large, LVSIL_SMALL);
    EXPECT_TRUE(rectIs(itemRect(1, LVIR_BOUNDS), 0, 44, 190, 68));
    EXPECT_EQ(ListView_GetCountPerPage(list), (116 - 20) / 24);

    RECT bad{LVIR_BOUNDS, 0, 0, 0};
    EXPECT_FALSE(ListView_GetItemRect(list, 3, &bad, LVIR_BOUNDS));
    EXPECT_FALSE(ListView_GetSubItemRect(list, 0, 3, LVIR_BOUNDS, &bad));
    ImageList_Destroy(states);
    ImageList_Destroy(small);
}

TEST_F(ListViewDisplay, HitTestsNameThePartOfTheRow) {
    fill(3);
    HIMAGELIST small = makeImages(16, 16, 4);
    ListView_SetImageList(list, small, LVSIL_SMALL);
    int item = -2;
    EXPECT_EQ(hit(5, 25, &item), static_cast<UINT>(LVHT_ONITEMICON));
    EXPECT_EQ(item, 0);
    EXPECT_EQ(hit(16, 40, &item), static_cast<UINT>(LVHT_ONITEMLABEL));
    EXPECT_EQ(item, 1);
    EXPECT_EQ(hit(99, 67, &item), static_cast<UINT>(LVHT_ONITEMLABEL));
    EXPECT_EQ(item, 2);
    // Below the last row, in the header, and in a sub-item column.
    EXPECT_EQ(hit(50, 70, &item), static_cast<UINT>(LVHT_NOWHERE));
    EXPECT_EQ(item, -1);
    EXPECT_EQ(hit(50, 10, &item), static_cast<UINT>(LVHT_NOWHERE));
    EXPECT_EQ(hit(120, 25, &item), static_cast<UINT>(LVHT_NOWHERE));
    // Outside the client area.
    EXPECT_EQ(hit(-1, 25, &item), static_cast<UINT>(LVHT_TOLEFT));
    EXPECT_EQ(hit(200, 25, &item), static_cast<UINT>(LVHT_TORIGHT));
    EXPECT_EQ(hit(50, 116, &item), static_cast<UINT>(LVHT_BELOW));
    EXPECT_EQ(hit(-5, -5, &item), static_cast<UINT>(LVHT_ABOVE | LVHT_TOLEFT));
    EXPECT_EQ(item, -1);

    // The sub-item hit test names the column.
    int subItem = -2;
    EXPECT_EQ(hit(120, 25, &item, true, &subItem), static_cast<UINT>(LVHT_ONITEMLABEL));
    EXPECT_EQ(item, 0);
    EXPECT_EQ(subItem, 1);
    EXPECT_EQ(hit(165, 57, &item, true, &subItem), static_cast<UINT>(LVHT_ONITEMLABEL));
    EXPECT_EQ(item, 2);
    EXPECT_EQ(subItem, 2);
    EXPECT_EQ(hit(195, 25, &item, true, &subItem), static_cast<UINT>(LVHT_NOWHERE));

    // Full-row selection makes the whole row the item's.
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    EXPECT_EQ(hit(120, 25, &item), static_cast<UINT>(LVHT_ONITEMLABEL));
    EXPECT_EQ(item, 0);

    // The state image.
    HIMAGELIST states = makeImages(16, 16, 2);
    ListView_SetImageList(list, states, LVSIL_STATE);
    EXPECT_EQ(hit(3, 25, &item), static_cast<UINT>(LVHT_ONITEMSTATEICON));
    EXPECT_EQ(hit(20, 25, &item), static_cast<UINT>(LVHT_ONITEMICON));
}

TEST_F(ListViewDisplay, ScrollingMovesTheTopIndexByWholeRows) {
    fill(20);
    EXPECT_EQ(ListView_GetCountPerPage(list), 6);
    EXPECT_EQ(ListView_GetTopIndex(list), 0);
    EXPECT_TRUE(ListView_EnsureVisible(list, 10, FALSE));
    EXPECT_EQ(ListView_GetTopIndex(list), 5);  // row 10 is the last one shown
    EXPECT_TRUE(rectIs(itemRect(10, LVIR_BOUNDS), 0, 20 + 5 * 16, 190, 20 + 6 * 16));
    int item = -2;
    hit(30, 25, &item);
    EXPECT_EQ(item, 5);
    EXPECT_TRUE(ListView_EnsureVisible(list, 2, FALSE));
    EXPECT_EQ(ListView_GetTopIndex(list), 2);
    // LVM_SCROLL: rows from pixels, rounded to whole rows, never past the end.
    EXPECT_TRUE(ListView_Scroll(list, 0, 3 * 16));
    EXPECT_EQ(ListView_GetTopIndex(list), 5);
    EXPECT_TRUE(ListView_Scroll(list, 0, 7));
    EXPECT_EQ(ListView_GetTopIndex(list), 5);
    EXPECT_TRUE(ListView_Scroll(list, 0, 9));
    EXPECT_EQ(ListView_GetTopIndex(list), 6);
    EXPECT_TRUE(ListView_Scroll(list, 0, 1000));
    EXPECT_EQ(ListView_GetTopIndex(list), 14);
    // Deleting rows brings the last page up.
    for (int i = 0; i < 10; ++i) {
        ListView_DeleteItem(list, 0);
    }
    EXPECT_EQ(ListView_GetTopIndex(list), 4);
    EXPECT_FALSE(ListView_EnsureVisible(list, 10, FALSE));
}

TEST_F(ListViewDisplay, AHeadingClickIsAColumnClick) {
    fill(2);
    HWND header = ListView_GetHeader(list);
    RECT rect;
    ASSERT_TRUE(Header_GetItemRect(header, 1, &rect));
    EXPECT_TRUE(rectIs(rect, 100, 0, 160, 20));
    click((rect.left + rect.right) / 2, 10);
    std::vector<UINT> seen;
    for (UINT code : codes()) {
        if (code == HDN_ITEMCLICKA || code == LVN_COLUMNCLICK) {
            seen.push_back(code);
        }
    }
    EXPECT_EQ(seen, (std::vector<UINT>{HDN_ITEMCLICKA, LVN_COLUMNCLICK}));
    std::vector<Note> columnClicks = notes(LVN_COLUMNCLICK);
    ASSERT_EQ(columnClicks.size(), 1u);
    EXPECT_EQ(columnClicks[0].item, -1);
    EXPECT_EQ(columnClicks[0].subItem, 1);
    EXPECT_EQ(columnClicks[0].from, list);

    // Without sortable headings the header is no button.
    DestroyWindow(list);
    fill(2, LVS_NOSORTHEADER);
    click(130, 10);
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
    EXPECT_EQ(cx, 16 + 4 * 7 + 4);  // image, "row1" and its margins
    EXPECT_EQ(cy, 16);
    EXPECT_EQ(upperLeft.x, 0);
    EXPECT_EQ(upperLeft.y, 36);
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
    // No header: rows from the top, as wide as their text.
    EXPECT_TRUE(rectIs(itemRect(1, LVIR_BOUNDS), 0, 16, 6 * 7 + 4, 32));
    EXPECT_TRUE(rectIs(itemRect(1, LVIR_LABEL), 0, 16, 6 * 7 + 4, 32));
    int item = -2;
    EXPECT_EQ(hit(3, 20, &item), static_cast<UINT>(LVHT_ONITEMLABEL));
    EXPECT_EQ(item, 1);
    EXPECT_EQ(hit(100, 20, &item), static_cast<UINT>(LVHT_NOWHERE));
    click(3, 4);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 0);
    EXPECT_EQ(ListView_GetCountPerPage(list), 116 / 16);
    EXPECT_FALSE(ListView_SetColumnWidth(list, 0, -5));
    EXPECT_TRUE(ListView_SetColumnWidth(list, 0, 90));
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 90);
    UpdateWindow(list);

    // Switched to report view, the header appears and the rows move down.
    SetWindowLongPtrA(list, GWL_STYLE,
                      (GetWindowLongPtrA(list, GWL_STYLE) & ~LVS_TYPEMASK) | LVS_REPORT);
    insertColumn(0, "Name", 80);
    EXPECT_TRUE(IsWindowVisible(ListView_GetHeader(list)));
    EXPECT_TRUE(rectIs(itemRect(1, LVIR_BOUNDS), 0, 36, 80, 52));
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
