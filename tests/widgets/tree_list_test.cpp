// The tree-list control and its header, in the attribute dialog's template:
// what they paint (asserted on the headless device context's record, whose
// text is 7 pixels a character, 8 in bold, rows 16 pixels high and indents
// 19), the column texts kept in a row's record, and the commands a person's
// clicks send.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vedrix/automation/automation.h>
#include <vedrix/widgets/tree_list_class.h>

#include <string>
#include <utility>
#include <vector>

#include "support/headless_only.h"
#include "tree_list_dialog.h"

namespace {

using namespace widgets_tests;
using ::testing::ElementsAre;
#if VEDRIX_HEADLESS
using vedrix::headless::DrawingEntry;
using vedrix::headless::DrawingKind;

constexpr COLORREF kRed = RGB(255, 0, 0);
#endif

class TreeListTest : public TreeListFixture {
protected:
#if VEDRIX_HEADLESS
    // The texts the tree-list drew, with where and how.
    std::vector<DrawingEntry> texts() {
        return only(m_dialog.paint(m_dialog.tree()), DrawingKind::DrawText);
    }
#endif
};

#if VEDRIX_HEADLESS
std::vector<std::string> textsOf(const std::vector<DrawingEntry>& entries) {
    std::vector<std::string> found;
    for (const auto& entry : entries) {
        found.push_back(entry.text);
    }
    return found;
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
#endif

// ---------------------------------------------------------------------------
// The record's columns

TEST(TreeListItem, ColumnsAreFieldsBetweenSeparators) {
    const std::string sep(1, CTreeListItem::kSeparator);
    CTreeListItem record;
    record.text = ("a" + sep + "b" + sep + "c").c_str();
    EXPECT_STREQ(record.GetColumnText(0), "a");
    EXPECT_STREQ(record.GetColumnText(2), "c");
    EXPECT_STREQ(record.GetColumnText(3), "");
    record.text = "a";
    EXPECT_STREQ(record.GetColumnText(1), "");
    record.SetColumnText(3, "d");
    EXPECT_EQ(std::string(record.text), "a" + sep + sep + sep + "d");

    record.text = ("a" + sep + "b" + sep + "c").c_str();
    record.SetColumnText(1, "x");
    EXPECT_EQ(std::string(record.text), "a" + sep + "x" + sep + "c");
    record.text = (sep + "b" + sep + "c").c_str();
    record.SetColumnText(1, "x");
    EXPECT_EQ(std::string(record.text), sep + "x" + sep + "c");
    record.text = ("a" + sep + "b").c_str();
    record.SetColumnText(0, "x");
    EXPECT_EQ(std::string(record.text), "x" + sep + "b");
}

TEST(TreeListItem, AValueHoldingTheSeparatorReadsBackAsSeveralColumns) {
    const std::string sep(1, CTreeListItem::kSeparator);
    CTreeListItem record;
    record.SetColumnText(0, "name");
    record.SetColumnText(1, ("left" + sep + "right").c_str());
    EXPECT_STREQ(record.GetColumnText(1), "left");
    EXPECT_STREQ(record.GetColumnText(2), "right");
    // A TAB is an ordinary character.
    record.SetColumnText(0, "with\ttab");
    EXPECT_STREQ(record.GetColumnText(0), "with\ttab");
    EXPECT_STREQ(record.GetColumnText(1), "left");
}

TEST(TreeListItem, AColumnSetFromTheRecordsOwnTextKeepsIt) {
    const std::string sep(1, CTreeListItem::kSeparator);
    CTreeListItem record;
    record.text = ("alpha" + sep + "b" + sep + "c").c_str();
    record.SetColumnText(1, record.text.GetString() + 1);  // "lpha¶b¶c"
    EXPECT_EQ(std::string(record.text), "alpha" + sep + "lpha" + sep + "b" + sep + "c" + sep + "c");
}

// All columns at once give the text that setting them one by one gives, on
// any record, including texts taken from the record itself.
TEST(TreeListItem, AllColumnsAtOnceJoinThemAsSettingEachDoes) {
    const std::string sep(1, CTreeListItem::kSeparator);
    CTreeListItem oneByOne;
    oneByOne.SetColumnText(0, "Attribute 7");
    oneByOne.SetColumnText(1, "");
    oneByOne.SetColumnText(2, "Number");
    CTreeListItem atOnce;
    atOnce.text = ("old" + sep + "texts").c_str();
    const char* const columns[] = {"Attribute 7", nullptr, "Number"};
    atOnce.SetColumnTexts(columns, 3);
    EXPECT_EQ(std::string(atOnce.text), std::string(oneByOne.text));
    EXPECT_EQ(std::string(atOnce.text), "Attribute 7" + sep + sep + "Number");

    CTreeListItem own;
    own.text = ("alpha" + sep + "b").c_str();
    const char* const fromItself[] = {own.text.GetString() + 6, own.text.GetString()};
    own.SetColumnTexts(fromItself, 2);
    EXPECT_EQ(std::string(own.text), "b" + sep + "alpha" + sep + "b");

    // A text holding the separator is cut there by the next column, as
    // setting the columns one by one cuts it.
    const std::string split = "left" + sep + "right";
    const char* const splitting[] = {"Split", split.c_str(), "String"};
    CTreeListItem cut;
    cut.SetColumnTexts(splitting, 3);
    EXPECT_EQ(std::string(cut.text), "Split" + sep + "left" + sep + "String");
    const char* const lastSplits[] = {"Split", split.c_str()};
    cut.SetColumnTexts(lastSplits, 2);
    EXPECT_EQ(std::string(cut.text), "Split" + sep + "left" + sep + "right");

    own.SetColumnTexts(nullptr, 0);
    EXPECT_TRUE(own.text.IsEmpty());
}

// ---------------------------------------------------------------------------
// Painting

TEST_F(TreeListTest, EachColumnIsDrawnInsideItsWidthLessFourPixels) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    m_dialog.addColumns({100, 80, 60});
    HTREEITEM row = m_dialog.addRow("Alpha");
    m_dialog.tree().SetItemText(row, 1, "one");
    m_dialog.tree().SetItemText(row, 2, "two");
    const auto drawn = texts();
    ASSERT_THAT(textsOf(drawn), ElementsAre("Alpha", "one", "two"));
    // Column 0 starts 2 pixels after the label (a root item's label starts
    // one indent in); the others at their column's left edge.
    EXPECT_TRUE(sameRect(drawn[0].bounds, RECT{21, 0, 96, 16}));
    EXPECT_TRUE(sameRect(drawn[1].bounds, RECT{100, 0, 176, 16}));
    EXPECT_TRUE(sameRect(drawn[2].bounds, RECT{180, 0, 236, 16}));
    for (const auto& entry : drawn) {
        EXPECT_EQ(entry.flags, static_cast<UINT>(DT_SINGLELINE | DT_VCENTER | DT_LEFT));
        EXPECT_EQ(entry.textColor, ::GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(entry.bkMode, TRANSPARENT);
    }
#endif
}

TEST_F(TreeListTest, AlignmentComesFromTheHeading) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    m_dialog.addColumns({100, 80, 60});
    HTREEITEM row = m_dialog.addRow("Alpha");
    m_dialog.tree().SetItemText(row, 1, "right");
    m_dialog.tree().SetItemText(row, 2, "centre");
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    item.fmt = HDF_OWNERDRAW | HDF_RIGHT;
    m_dialog.header().SetItem(1, &item);
    item.fmt = HDF_OWNERDRAW | HDF_CENTER;
    m_dialog.header().SetItem(2, &item);
    EXPECT_EQ(m_dialog.tree().GetColumnAlign(1), CNewTreeListCtrl::kAlignRight);
    EXPECT_EQ(m_dialog.tree().GetColumnAlign(2), CNewTreeListCtrl::kAlignCenter);
    const auto drawn = texts();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[1].flags, static_cast<UINT>(DT_SINGLELINE | DT_VCENTER | DT_RIGHT));
    EXPECT_EQ(drawn[2].flags, static_cast<UINT>(DT_SINGLELINE | DT_VCENTER | DT_CENTER));
#endif
}

TEST_F(TreeListTest, TooLongTextsAreCutToTheWidthLessEightAndEndInDots) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    m_dialog.addColumns({100, 50, 60});
    HTREEITEM row = m_dialog.addRow("Alpha");
    // 42 pixels of room: 6 characters fit, one more goes for the dots.
    m_dialog.tree().SetItemText(row, 1, "abcdefghij");
    // 52 pixels: 7 characters fit exactly and stay.
    m_dialog.tree().SetItemText(row, 2, "abcdefg");
    std::string veryLong(5000, 'w');
    HTREEITEM second = m_dialog.addRow(veryLong.c_str());
    const auto drawn = texts();
    EXPECT_THAT(textsOf(drawn),
                ElementsAre("Alpha", "abcde...", "abcdefg", std::string(9, 'w') + "..."));
    // The record keeps the whole text.
    EXPECT_EQ(m_dialog.tree().GetItemText(second, 0).GetLength(), 5000);
#endif
}

#if VEDRIX_HEADLESS
// The wipes are opaque fills in the window colour (an empty text drawn over
// its option rectangle), compared here with their edges in order.
bool wipes(const std::vector<DrawingEntry>& record, RECT rect) {
    if (rect.right < rect.left) {
        std::swap(rect.left, rect.right);
    }
    for (const auto& entry : only(record, DrawingKind::ExtTextOut)) {
        RECT filled = entry.bounds;
        if (filled.right < filled.left) {
            std::swap(filled.left, filled.right);
        }
        if ((entry.flags & ETO_OPAQUE) != 0 && entry.text.empty() &&
            entry.bkColor == ::GetSysColor(COLOR_WINDOW) && sameRect(filled, rect)) {
            return true;
        }
    }
    return false;
}
#endif

TEST_F(TreeListTest, OneColumnWipesFromTheLabelSeveralFromColumnZeroAtMost) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    m_dialog.addColumns({30});
    HTREEITEM parent = m_dialog.addRow("P");
    m_dialog.addRow("C", parent);
    m_dialog.tree().Expand(parent, TVE_EXPAND);
    auto record = m_dialog.paint(m_dialog.tree());
    // One column: each row from its label (the child's at 38, right of the
    // column's end) to the columns' total width.
    EXPECT_TRUE(wipes(record, RECT{38, 16, 30, 32}));
    EXPECT_TRUE(wipes(record, RECT{19, 0, 30, 16}));
    // Everything right of column 0 first.
    EXPECT_TRUE(wipes(record, RECT{30, 1, 30 + 612, 1 + 344}));

    m_dialog.tree().InsertColumn(1, "Second", 50);
    record = m_dialog.paint(m_dialog.tree());
    EXPECT_TRUE(wipes(record, RECT{30, 16, 80, 32}));
    EXPECT_TRUE(wipes(record, RECT{19, 0, 80, 16}));
#endif
}

TEST_F(TreeListTest, BoldRedTopRowAndBoldGroups) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    m_dialog.addColumns({120, 80, 60});
    HTREEITEM top = m_dialog.addRow("Storey");
    HTREEITEM group = m_dialog.addRow("Walls", top);
    HTREEITEM plain = m_dialog.addRow("Height", group);
    m_dialog.tree().SetItemText(group, 2, "Group");
    m_dialog.tree().SetItemText(plain, 1, "3.5");
    ASSERT_TRUE(m_dialog.tree().SetItemBold(group));
    ASSERT_TRUE(m_dialog.tree().SetItemBold(top));
    ASSERT_TRUE(m_dialog.tree().SetItemColor(top, kRed));
    m_dialog.tree().Expand(top, TVE_EXPAND);
    m_dialog.tree().Expand(group, TVE_EXPAND);
    const auto drawn = texts();
    ASSERT_THAT(textsOf(drawn), ElementsAre("Storey", "Walls", "Group", "Height", "3.5"));
    EXPECT_EQ(drawn[0].fontWeight, FW_BOLD);
    EXPECT_EQ(drawn[0].textColor, kRed);
    EXPECT_EQ(drawn[1].fontWeight, FW_BOLD);
    EXPECT_EQ(drawn[2].fontWeight, FW_BOLD);
    EXPECT_EQ(drawn[1].textColor, ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_LT(drawn[3].fontWeight, FW_BOLD);
    EXPECT_LT(drawn[4].fontWeight, FW_BOLD);
    // Deeper rows start further right, one indent a level.
    EXPECT_EQ(drawn[1].bounds.left, 38 + 2);
    EXPECT_EQ(drawn[3].bounds.left, 57 + 2);
#endif
}

// A row inserted with its whole record shows it as rows given their columns
// one at a time do, and keeps its own copy.
TEST_F(TreeListTest, ARowInsertedWithItsRecordIsPaintedFromIt) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    m_dialog.addColumns({120, 80, 60});
    HTREEITEM top = m_dialog.addRow("Storey");
    CTreeListItem record;
    record.SetColumnText(0, "Walls");
    record.SetColumnText(2, "Group");
    record.data = 7;
    record.bold = 1;
    HTREEITEM group = m_dialog.tree().InsertItem(record, 1, 1, top);
    ASSERT_NE(group, nullptr);
    record.SetColumnText(0, "changed afterwards");
    m_dialog.tree().Expand(top, TVE_EXPAND);
    EXPECT_EQ(m_dialog.tree().GetItemData(group), 7u);
    EXPECT_THAT(m_dialog.columnTexts(top, 0), ElementsAre("Walls"));
    const auto drawn = texts();
    ASSERT_THAT(textsOf(drawn), ElementsAre("Storey", "Walls", "Group"));
    EXPECT_EQ(drawn[1].fontWeight, FW_BOLD);
    EXPECT_EQ(drawn[1].bounds.left, 38 + 2);
    // A row for a parent that is no row is refused.
    EXPECT_EQ(m_dialog.tree().InsertItem(record, 1, 1, reinterpret_cast<HTREEITEM>(0x7FFFFFF0)),
              nullptr);
#endif
}

TEST_F(TreeListTest, TheSelectionIsHighlightedToTheColumnsTotalWidthWithAFocusRectangle) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    m_dialog.addColumns({100, 80, 60});
    HTREEITEM top = m_dialog.addRow("Storey");
    m_dialog.tree().SetItemBold(top);
    m_dialog.tree().SetItemColor(top, kRed);
    m_dialog.addRow("Other");
    ASSERT_TRUE(m_dialog.tree().SelectItem(top));
    ASSERT_NE(::GetFocus(), m_dialog.tree().m_hWnd);
    const auto record = m_dialog.paint(m_dialog.tree());
    const RECT band{19, 0, 240, 16};
    bool filled = false;
    for (const auto& fill : only(record, DrawingKind::FillRect)) {
        filled =
            filled || (sameRect(fill.rect, band) && fill.color == ::GetSysColor(COLOR_HIGHLIGHT));
    }
    EXPECT_TRUE(filled);
    const auto focus = only(record, DrawingKind::FocusRect);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_TRUE(sameRect(focus[0].rect, band));
    const auto drawn = only(record, DrawingKind::DrawText);
    ASSERT_THAT(textsOf(drawn), ElementsAre("Storey", "Other"));
    // Selected, the red gives way to the highlight text colour; bold stays.
    EXPECT_EQ(drawn[0].textColor, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(drawn[0].fontWeight, FW_BOLD);
    EXPECT_EQ(drawn[1].textColor, ::GetSysColor(COLOR_WINDOWTEXT));
#endif
}

TEST_F(TreeListTest, WithoutColumnsNothingIsWritten) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    m_dialog.addRow("Alone");
    const auto record = m_dialog.paint(m_dialog.tree());
    EXPECT_TRUE(only(record, DrawingKind::DrawText).empty());
    EXPECT_TRUE(wipes(record, RECT{0, 1, 612, 1 + 344}));
#endif
}

// ---------------------------------------------------------------------------
// The header

class TreeListHeaderTest : public TreeListTest {
protected:
#if VEDRIX_HEADLESS
    std::vector<DrawingEntry> headerRecord() {
        return m_dialog.paint(m_dialog.header());
    }
#endif
};

TEST_F(TreeListHeaderTest, HeadingsAreInsetByTwoSpacesAndTheSortedColumnShowsItsImage) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    m_dialog.addColumns({100, 90, 90});
    m_dialog.addRow("Alpha");
    const auto record = headerRecord();
    const auto drawn = only(record, DrawingKind::DrawText);
    ASSERT_THAT(textsOf(drawn), ElementsAre("Column 0", "Column 1", "Column 2"));
    EXPECT_TRUE(sameRect(drawn[0].bounds, RECT{14, 0, 86, 20}));
    EXPECT_TRUE(sameRect(drawn[1].bounds, RECT{114, 0, 176, 20}));
    EXPECT_EQ(drawn[0].flags, static_cast<UINT>(DT_SINGLELINE | DT_VCENTER | DT_NOCLIP |
                                                DT_NOPREFIX | DT_END_ELLIPSIS));
    // Column 0 starts sorted ascending: image 0, two first characters left
    // of the text's right edge, a third of the margin down.
    const auto images = only(record, DrawingKind::ImageListDraw);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].image, 0);
    EXPECT_EQ(images[0].rect.left, 86 - 2 * 7);
    EXPECT_EQ(images[0].rect.top, 14 / 3);
    EXPECT_EQ(images[0].color, CLR_NONE);
#endif
}

TEST_F(TreeListHeaderTest, ARightAlignedHeadingHasItsImageFirst) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    m_dialog.addColumns({100, 90, 90});
    m_dialog.addRow("Alpha");
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    item.fmt = HDF_OWNERDRAW | HDF_RIGHT;
    m_dialog.header().SetItem(1, &item);
    m_dialog.header().SetSortState(0, CNewHeaderCtrl::kUnsorted);
    m_dialog.header().SetSortState(1, CNewHeaderCtrl::kDescending);
    const auto record = headerRecord();
    const auto images = only(record, DrawingKind::ImageListDraw);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].image, 1);
    EXPECT_EQ(images[0].rect.left, 100 + 14);
    const auto drawn = only(record, DrawingKind::DrawText);
    ASSERT_EQ(drawn.size(), 3u);
    // The text starts after half the margin and the 16-pixel image, then the
    // margin again.
    EXPECT_EQ(drawn[1].bounds.left, 100 + 7 + 16 + 14);
    EXPECT_EQ(drawn[1].bounds.right, 190 - 14);
    EXPECT_TRUE(drawn[1].flags & DT_RIGHT);
#endif
}

TEST_F(TreeListHeaderTest, APressedHeadingMovesItsTextButNotItsImage) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    m_dialog.addColumns({100, 90, 90});
    m_dialog.addRow("Alpha");
    RECT header = vedrix::automation::Control(m_dialog.header().m_hWnd).rect();
    vedrix::automation::moveTo(POINT{header.left + 20, header.top + 10});
    vedrix::automation::pressButton(vedrix::automation::Button::Left);
    const auto record = headerRecord();
    vedrix::automation::releaseButton(vedrix::automation::Button::Left);
    const auto drawn = only(record, DrawingKind::DrawText);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_TRUE(sameRect(drawn[0].bounds, RECT{15, 2, 87, 20}));
    EXPECT_TRUE(sameRect(drawn[1].bounds, RECT{114, 0, 176, 20}));
    const auto images = only(record, DrawingKind::ImageListDraw);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].rect.left, 87 - 2 * 7);
    EXPECT_EQ(images[0].rect.top, 4);
#endif
}

TEST_F(TreeListHeaderTest, ALongHeadingEndsInAnEllipsisAndWithoutImagesNoneIsDrawn) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    m_dialog.tree().InsertColumn(0, "A heading far too long for its column", 120);
    m_dialog.addRow("Alpha");
    m_dialog.header().m_pImages = nullptr;
    const auto record = headerRecord();
    const auto drawn = only(record, DrawingKind::DrawText);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_LE(static_cast<int>(drawn[0].text.size()) * 7, 120 - 28);
    EXPECT_EQ(drawn[0].text.substr(drawn[0].text.size() - 3), "...");
    EXPECT_TRUE(only(record, DrawingKind::ImageListDraw).empty());
#endif
}

// ---------------------------------------------------------------------------
// Clicks

class TreeListClickTest : public TreeListTest {
protected:
    // A point of the tree-list's client area, as the place a person aims at.
    vedrix::automation::Place at(int x, int y) {
        return vedrix::automation::Control(m_dialog.tree().m_hWnd).at(x, y);
    }
};

TEST_F(TreeListClickTest, ARightClickOnARowSelectsItAndSends201) {
    m_dialog.addColumns({100, 80, 60});
    m_dialog.addRow("First");
    HTREEITEM second = m_dialog.addRow("Second");
    vedrix::automation::rightClick(at(21, 24));
    EXPECT_EQ(m_dialog.tree().GetSelectedItem(), second);
    EXPECT_EQ(m_dialog.m_rightClicks, 1);
    EXPECT_EQ(::GetFocus(), m_dialog.tree().m_hWnd);
    // Below the last row nothing is selected and nothing is sent.
    vedrix::automation::rightClick(at(21, 100));
    EXPECT_EQ(m_dialog.tree().GetSelectedItem(), second);
    EXPECT_EQ(m_dialog.m_rightClicks, 1);
}

TEST_F(TreeListClickTest, DoubleClicksInsideColumnZeroSend200ExceptOnTheButton) {
    HEADLESS_ONLY("fixed metrics: aims at rows 16 pixels high indented by 19");
    m_dialog.addColumns({100, 80, 60});
    HTREEITEM parent = m_dialog.addRow("Parent");
    m_dialog.addRow("Child", parent);
    const auto expanded = [&] {
        return (m_dialog.tree().GetItemState(parent, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    };
    vedrix::automation::click(at(21, 8));
    EXPECT_EQ(m_dialog.tree().GetSelectedItem(), parent);
    // The platform's own double-click handling toggles the branch as well.
    vedrix::automation::doubleClick(at(21, 8));
    EXPECT_EQ(m_dialog.m_doubleClicks, 1);
    EXPECT_TRUE(expanded());
    // The expand button (the indent column left of the label) toggles the
    // branch and sends nothing.
    vedrix::automation::wait(1000);
    vedrix::automation::click(at(9, 8));
    EXPECT_FALSE(expanded());
    vedrix::automation::wait(1000);
    vedrix::automation::doubleClick(at(9, 8));
    EXPECT_EQ(m_dialog.m_doubleClicks, 1);
    // Right of column 0: nothing.
    vedrix::automation::wait(1000);
    vedrix::automation::doubleClick(at(150, 8));
    EXPECT_EQ(m_dialog.m_doubleClicks, 1);
}

// The records live until the window goes; the leak checker reports any
// that destroying it leaves behind.
TEST_F(TreeListClickTest, DestroyingTheWindowFreesTheRecordsOfEveryLevel) {
    m_dialog.addColumns({100});
    HTREEITEM parent = m_dialog.addRow("Parent");
    for (int i = 0; i < 50; ++i) {
        m_dialog.addRow(("Child " + std::to_string(i)).c_str(),
                        i % 2 == 0 ? parent : m_dialog.tree().GetChildItem(parent));
    }
    ASSERT_EQ(m_dialog.tree().GetCount(), 51u);
    m_dialog.DestroyWindow();
    EXPECT_EQ(m_dialog.m_hWnd, nullptr);
}

}  // namespace
