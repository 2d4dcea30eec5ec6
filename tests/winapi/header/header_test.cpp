// The header control: items with width, text, format, parameter, image and
// order; HDM_LAYOUT; hit tests on headings and dividers; item changes with
// their notifications; heading clicks; divider tracking and double-clicks;
// painting, owner-drawn items included.
#include "person.h"

#include <windows.h>
#include <commctrl.h>

#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#if VEDRIX_HEADLESS
namespace desk = vedrix::headless;
#endif

namespace {

// The message macros cast to the platform's types, as the platform's header
// does; used as statements (widthOf below) they draw no warning.
static_assert(std::is_same_v<decltype(Header_GetItemCount(HWND{})), int>);
static_assert(std::is_same_v<decltype(Header_DeleteItem(HWND{}, 0)), BOOL>);
static_assert(std::is_same_v<decltype(Header_GetImageList(HWND{})), HIMAGELIST>);

struct Note {
    UINT code = 0;
    HWND from = nullptr;
    int item = -1;
    int button = -1;
    bool hasItem = false;
    UINT mask = 0;
    int width = -1;
};

struct Draw {
    UINT ctlType = 0;
    UINT ctlId = 0;
    UINT itemId = 0;
    UINT action = 0;
    UINT state = 0;
    HWND window = nullptr;
    RECT rect{};
    ULONG_PTR data = 0;
    bool hasDC = false;
};

class HeaderControl : public ::testing::Test {
protected:
    void SetUp() override {
        person::resetDesktop();
        current = this;
        WNDCLASSA cls;
        std::memset(&cls, 0, sizeof cls);
        cls.lpfnWndProc = &HeaderControl::parentProc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = "HeaderTestParent";
        WNDCLASSA existing;
        if (!GetClassInfoA(cls.hInstance, cls.lpszClassName, &existing)) {
            ASSERT_NE(RegisterClassA(&cls), 0);
        }
        parent =
            CreateWindowExA(0, cls.lpszClassName, "Header test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            0, 0, 400, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
    }
    void TearDown() override {
        if (parent != nullptr && IsWindow(parent)) {
            DestroyWindow(parent);
        }
        current = nullptr;
        person::resetDesktop();
    }

    HWND create(DWORD style, int width = 300, int x = 0) {
        header = CreateWindowExA(0, WC_HEADERA, "", WS_CHILD | WS_VISIBLE | style, x, 0, width, 20,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(370)),
                                 GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(header, nullptr);
        return header;
    }
    int add(int index, const char* text, int width, int format = HDF_LEFT | HDF_STRING,
            LPARAM param = 0) {
        HDITEMA item;
        std::memset(&item, 0, sizeof item);
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_LPARAM;
        item.pszText = const_cast<char*>(text);
        item.cxy = width;
        item.fmt = format;
        item.lParam = param;
        return Header_InsertItem(header, index, &item);
    }
    int widthOf(int index) {
        HDITEMA item;
        std::memset(&item, 0, sizeof item);
        item.mask = HDI_WIDTH;
        item.cxy = -1;
        Header_GetItem(header, index, &item);
        return item.cxy;
    }
    std::string textOf(int index) {
        char buffer[64] = "<none>";
        HDITEMA item;
        std::memset(&item, 0, sizeof item);
        item.mask = HDI_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        if (!Header_GetItem(header, index, &item)) {
            return "<invalid>";
        }
        return buffer;
    }
    std::vector<int> order() {
        std::vector<int> result(static_cast<size_t>(Header_GetItemCount(header)));
        if (!Header_GetOrderArray(header, static_cast<int>(result.size()), result.data())) {
            result.clear();
        }
        return result;
    }
    UINT hit(int x, int y, int* item) {
        HDHITTESTINFO info;
        std::memset(&info, 0, sizeof info);
        info.pt.x = x;
        info.pt.y = y;
        int result =
            static_cast<int>(SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
        EXPECT_EQ(result, info.iItem);
        *item = info.iItem;
        return info.flags;
    }
    // The height of a line of the header's font.
    int lineHeight() {
        HDC dc = GetDC(header);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0));
        HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
        TEXTMETRICA metrics;
        std::memset(&metrics, 0, sizeof metrics);
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(header, dc);
        return metrics.tmHeight;
    }
    POINT screen(int x, int y) {
        POINT pt{x, y};
        ClientToScreen(header, &pt);
        return pt;
    }
    std::vector<UINT> codes() {
        std::vector<UINT> result;
        for (const Note& note : notes) {
            result.push_back(note.code);
        }
        return result;
    }
    std::vector<Note> notesOf(UINT code) {
        std::vector<Note> result;
        for (const Note& note : notes) {
            if (note.code == code) {
                result.push_back(note);
            }
        }
        return result;
    }

    static LRESULT CALLBACK parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        HeaderControl* test = current;
        if (test != nullptr && message == WM_NOTIFY) {
            auto* nm = reinterpret_cast<NMHEADERA*>(lParam);
            // Only the header's own notifications are recorded; custom draw
            // comes with every painting, and the release of the capture is
            // counted apart.
            if (nm->hdr.code == NM_RELEASEDCAPTURE) {
                ++test->capturesReleased;
                return 0;
            }
            if (nm->hdr.code > HDN_FIRST || nm->hdr.code < HDN_LAST) {
                return 0;
            }
            Note note;
            note.code = nm->hdr.code;
            note.from = nm->hdr.hwndFrom;
            if (nm->hdr.code != HDN_GETDISPINFOA) {
                note.item = nm->iItem;
                note.button = nm->iButton;
                note.hasItem = nm->pitem != nullptr;
                if (nm->pitem != nullptr) {
                    note.mask = nm->pitem->mask;
                    note.width = (nm->pitem->mask & HDI_WIDTH) ? nm->pitem->cxy : -1;
                }
            }
            test->notes.push_back(note);
            return test->respond ? test->respond(nm) : 0;
        }
        if (test != nullptr && message == WM_DRAWITEM) {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            Draw draw;
            draw.ctlType = dis->CtlType;
            draw.ctlId = dis->CtlID;
            draw.itemId = dis->itemID;
            draw.action = dis->itemAction;
            draw.state = dis->itemState;
            draw.window = dis->hwndItem;
            draw.rect = dis->rcItem;
            draw.data = dis->itemData;
            draw.hasDC = dis->hDC != nullptr;
            EXPECT_EQ(wParam, static_cast<WPARAM>(dis->CtlID));
            test->draws.push_back(draw);
            return TRUE;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND parent = nullptr;
    HWND header = nullptr;
    std::vector<Note> notes;
    std::vector<Draw> draws;
    int capturesReleased = 0;
    std::function<LRESULT(NMHEADERA*)> respond;
    static HeaderControl* current;
};

HeaderControl* HeaderControl::current = nullptr;

::testing::AssertionResult rectIs(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
    if (r.left == left && r.top == top && r.right == right && r.bottom == bottom) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

TEST_F(HeaderControl, ItemsAreInsertedGotAndSetByIndex) {
    create(HDS_BUTTONS);
    EXPECT_EQ(add(0, "Name", 100, HDF_LEFT | HDF_STRING, 11), 0);
    EXPECT_EQ(add(5, "Value", 80, HDF_RIGHT | HDF_STRING, 22), 1);  // clamped to the end
    EXPECT_EQ(add(1, "Type", 60, HDF_CENTER | HDF_OWNERDRAW, 33), 1);
    EXPECT_EQ(add(-1, "Bad", 10), -1);
    EXPECT_EQ(Header_InsertItem(header, 0, nullptr), -1);
    EXPECT_EQ(Header_GetItemCount(header), 3);
    EXPECT_EQ(textOf(1), "Type");
    EXPECT_EQ(textOf(2), "Value");
    EXPECT_EQ(textOf(3), "<invalid>");

    HDITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = HDI_FORMAT | HDI_LPARAM | HDI_WIDTH | HDI_ORDER;
    ASSERT_TRUE(Header_GetItem(header, 1, &item));
    // An item given a text may also be marked HDF_STRING.
    EXPECT_EQ(item.fmt & ~HDF_STRING, HDF_CENTER | HDF_OWNERDRAW);
    EXPECT_EQ(item.lParam, 33);
    EXPECT_EQ(item.cxy, 60);
    EXPECT_EQ(item.iOrder, 1);

    // Items stand side by side in their order.
    RECT rect;
    ASSERT_TRUE(Header_GetItemRect(header, 2, &rect));
    EXPECT_TRUE(rectIs(rect, 160, 0, 240, 20));
    EXPECT_FALSE(Header_GetItemRect(header, 3, &rect));

    // A new order moves the rectangles; an order that is no permutation is refused.
    int newOrder[3] = {2, 0, 1};
    EXPECT_TRUE(Header_SetOrderArray(header, 3, newOrder));
    EXPECT_EQ(order(), (std::vector<int>{2, 0, 1}));
    ASSERT_TRUE(Header_GetItemRect(header, 0, &rect));
    EXPECT_TRUE(rectIs(rect, 80, 0, 180, 20));
    EXPECT_EQ(Header_OrderToIndex(header, 0), 2);
    EXPECT_EQ(Header_OrderToIndex(header, 7), 7);  // invalid: the order comes back
    EXPECT_FALSE(Header_SetOrderArray(header, 2, newOrder));
    int shortArray[2];
    EXPECT_FALSE(Header_GetOrderArray(header, 2, shortArray));

    // Deleting keeps the others' order.
    EXPECT_TRUE(Header_DeleteItem(header, 0));
    EXPECT_EQ(order(), (std::vector<int>{1, 0}));
    EXPECT_EQ(textOf(0), "Type");
    EXPECT_FALSE(Header_DeleteItem(header, 2));

    // An item inserted with HDI_ORDER takes that place.
    HDITEMA ordered;
    std::memset(&ordered, 0, sizeof ordered);
    ordered.mask = HDI_WIDTH | HDI_ORDER;
    ordered.cxy = 10;
    ordered.iOrder = 0;
    EXPECT_EQ(Header_InsertItem(header, 2, &ordered), 2);
    EXPECT_EQ(order(), (std::vector<int>{2, 1, 0}));
}

// Where the header goes comes from the area given; its height from its font,
// at least one line of it (the headless header is 20 pixels high).
TEST_F(HeaderControl, LayoutPutsTheHeaderAtTheTopOfTheArea) {
    create(HDS_BUTTONS);
    RECT area{10, 5, 210, 105};
    WINDOWPOS pos;
    std::memset(&pos, 0, sizeof pos);
    HDLAYOUT layout{&area, &pos};
    ASSERT_TRUE(Header_Layout(header, &layout));
    EXPECT_EQ(pos.hwnd, header);
    EXPECT_EQ(pos.x, 10);
    EXPECT_EQ(pos.y, 5);
    EXPECT_EQ(pos.cx, 200);
    EXPECT_GE(pos.cy, lineHeight());
    EXPECT_TRUE(rectIs(area, 10, 5 + pos.cy, 210, 105));

    // A hidden header takes no room.
    DestroyWindow(header);
    create(HDS_HIDDEN);
    RECT again{0, 0, 100, 50};
    layout.prc = &again;
    ASSERT_TRUE(Header_Layout(header, &layout));
    EXPECT_EQ(pos.cy, 0);
    EXPECT_EQ(again.top, 0);
}

TEST_F(HeaderControl, BadArgumentsAreRefused) {
    HEADLESS_ONLY(
        "the real header checks neither its pointer arguments nor that an order names each item "
        "once");
#if VEDRIX_HEADLESS
    create(HDS_BUTTONS);
    add(0, "A", 100);
    add(1, "B", 100);
    add(2, "C", 100);
    HDLAYOUT empty{nullptr, nullptr};
    EXPECT_FALSE(Header_Layout(header, &empty));
    EXPECT_EQ(SendMessageA(header, HDM_HITTEST, 0, 0), -1);
    int badOrder[3] = {0, 0, 1};
    EXPECT_FALSE(Header_SetOrderArray(header, 3, badOrder));
    EXPECT_EQ(order(), (std::vector<int>{0, 1, 2}));
#endif
}

// How far a divider's zone reaches either side of an item's edge is the
// platform's; the pixel left of the edge is always on it, the middle of an
// item never.
TEST_F(HeaderControl, HitTestsFindHeadingsAndDividers) {
    create(HDS_BUTTONS);
    add(0, "A", 100);
    add(1, "B", 0);  // hidden column
    add(2, "C", 50);
    int item = -2;
    EXPECT_EQ(hit(10, 10, &item), static_cast<UINT>(HHT_ONHEADER));
    EXPECT_EQ(item, 0);
    EXPECT_EQ(hit(50, 10, &item), static_cast<UINT>(HHT_ONHEADER));
    EXPECT_EQ(item, 0);
    // At the right edge of A (x = 100): left of it A's divider; on it the
    // hidden column B, which can be opened.
    EXPECT_EQ(hit(99, 10, &item), static_cast<UINT>(HHT_ONDIVIDER));
    EXPECT_EQ(item, 0);
    EXPECT_EQ(hit(100, 10, &item), static_cast<UINT>(HHT_ONDIVOPEN));
    EXPECT_EQ(item, 1);
    EXPECT_EQ(hit(125, 10, &item), static_cast<UINT>(HHT_ONHEADER));
    EXPECT_EQ(item, 2);
    EXPECT_EQ(hit(149, 10, &item), static_cast<UINT>(HHT_ONDIVIDER));
    EXPECT_EQ(item, 2);
    // Right of the last item, and outside the window on every side.
    EXPECT_EQ(hit(250, 10, &item), static_cast<UINT>(HHT_NOWHERE));
    EXPECT_EQ(item, -1);
    EXPECT_EQ(hit(310, 10, &item), static_cast<UINT>(HHT_TORIGHT));
    EXPECT_EQ(hit(-5, 10, &item), static_cast<UINT>(HHT_TOLEFT));
    EXPECT_EQ(hit(10, -5, &item), static_cast<UINT>(HHT_ABOVE));
    EXPECT_EQ(hit(10, 25, &item), static_cast<UINT>(HHT_BELOW));
    EXPECT_EQ(item, -1);
}

TEST_F(HeaderControl, SetItemSendsChangingAndChangedAndCanBeRefused) {
    create(HDS_BUTTONS);
    add(0, "A", 100);
    HDITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = HDI_WIDTH;
    item.cxy = 120;
    EXPECT_TRUE(Header_SetItem(header, 0, &item));
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_ITEMCHANGINGA, HDN_ITEMCHANGEDA}));
    EXPECT_EQ(notes[1].item, 0);
    EXPECT_EQ(notes[1].width, 120);
    EXPECT_EQ(notes[1].mask, static_cast<UINT>(HDI_WIDTH));
    EXPECT_EQ(notes[1].from, header);
    EXPECT_EQ(widthOf(0), 120);

    respond = [](NMHEADERA* nm) -> LRESULT { return nm->hdr.code == HDN_ITEMCHANGINGA; };
    item.cxy = 10;
    EXPECT_FALSE(Header_SetItem(header, 0, &item));
    EXPECT_EQ(widthOf(0), 120);
    EXPECT_FALSE(Header_SetItem(header, 1, &item));
}

TEST_F(HeaderControl, AClickOnAHeadingIsReportedOnRelease) {
    create(HDS_BUTTONS);
    add(0, "A", 100);
    add(1, "B", 100);
    person::click(screen(50, 10));
    std::vector<Note> clicks = notesOf(HDN_ITEMCLICKA);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].item, 0);
    EXPECT_EQ(clicks[0].button, 0);
    // The header held the mouse while the heading was pressed.
    EXPECT_EQ(capturesReleased, 1);
    EXPECT_NE(GetCapture(), header);

    // On a divider: no click.
    notes.clear();
    person::click(screen(99, 10));
    EXPECT_TRUE(notesOf(HDN_ITEMCLICKA).empty());

    // A double-click reports a click, then the double-click, both on B.
    notes.clear();
    person::doubleClick(screen(150, 10));
    std::vector<UINT> seen = codes();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0], static_cast<UINT>(HDN_ITEMCLICKA));
    EXPECT_EQ(seen[1], static_cast<UINT>(HDN_ITEMDBLCLICKA));
    for (const Note& note : notes) {
        EXPECT_EQ(note.item, 1);
    }

    // Without HDS_BUTTONS the headings are no buttons.
    DestroyWindow(header);
    create(0);
    add(0, "A", 100);
    notes.clear();
    person::click(screen(50, 10));
    person::doubleClick(screen(50, 10));
    EXPECT_TRUE(notes.empty());
}

// A heading is a button: pressed on one heading and released on another, it
// was not clicked.
TEST_F(HeaderControl, APressReleasedOnAnotherHeadingIsNoClick) {
    create(HDS_BUTTONS);
    add(0, "A", 100);
    add(1, "B", 100);
    person::drag(screen(50, 10), screen(150, 10));
    EXPECT_TRUE(notesOf(HDN_ITEMCLICKA).empty());
    EXPECT_NE(GetCapture(), header);
}

// How many HDN_TRACK a drag gives is the platform's; each reports the width
// the divider's place would give, the last one the width where it stopped.
TEST_F(HeaderControl, DraggingADividerResizesTheItem) {
    create(HDS_BUTTONS);
    add(0, "A", 100);
    add(1, "B", 50);
    person::drag(screen(99, 10), screen(129, 12), person::Button::Left, 10);
    std::vector<UINT> seen = codes();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), static_cast<UINT>(HDN_BEGINTRACKA));
    EXPECT_EQ(notes.front().width, 100);
    std::vector<Note> tracks = notesOf(HDN_TRACKA);
    ASSERT_FALSE(tracks.empty());
    int previous = 100;
    for (const Note& track : tracks) {
        EXPECT_GE(track.width, previous);
        EXPECT_LE(track.width, 130);
        previous = track.width;
    }
    EXPECT_EQ(tracks.back().width, 130);
    // Released: the end after every move, then the new width.
    auto endTrack = std::find(seen.begin(), seen.end(), static_cast<UINT>(HDN_ENDTRACKA));
    ASSERT_NE(endTrack, seen.end());
    auto at = static_cast<size_t>(endTrack - seen.begin());
    EXPECT_EQ(notes[at].width, 130);
    EXPECT_EQ(std::find(endTrack, seen.end(), static_cast<UINT>(HDN_TRACKA)), seen.end());
    std::vector<Note> changed = notesOf(HDN_ITEMCHANGEDA);
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed.back().width, 130);
    EXPECT_EQ(widthOf(0), 130);
    EXPECT_TRUE(notesOf(HDN_ITEMCLICKA).empty());
    EXPECT_NE(GetCapture(), header);

    // The parent may refuse the tracking.
    notes.clear();
    respond = [](NMHEADERA* nm) -> LRESULT { return nm->hdr.code == HDN_BEGINTRACKA; };
    person::drag(screen(179, 10), screen(200, 10), person::Button::Left, 21);
    EXPECT_EQ(codes(), (std::vector<UINT>{HDN_BEGINTRACKA}));
    EXPECT_EQ(widthOf(1), 50);
}

TEST_F(HeaderControl, ATrackedWidthNeverGoesBelowZero) {
    create(HDS_BUTTONS, 300, 60);
    add(0, "A", 30);
    person::drag(screen(29, 10), screen(-40, 10), person::Button::Left, 100);
    std::vector<Note> tracks = notesOf(HDN_TRACKA);
    ASSERT_FALSE(tracks.empty());
    for (const Note& track : tracks) {
        EXPECT_GE(track.width, 0);
    }
    EXPECT_EQ(tracks.back().width, 0);
    EXPECT_EQ(widthOf(0), 0);
}

TEST_F(HeaderControl, FullDragAppliesTheWidthWhileMoving) {
    create(HDS_BUTTONS | HDS_FULLDRAG);
    add(0, "A", 100);
    person::moveTo(screen(99, 10));
    person::pressButton(person::Button::Left);
    person::moveTo(screen(119, 10));
    EXPECT_EQ(widthOf(0), 120);
    std::vector<Note> changed = notesOf(HDN_ITEMCHANGEDA);
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed.back().width, 120);
    person::releaseButton(person::Button::Left);
    EXPECT_EQ(widthOf(0), 120);
    EXPECT_EQ(notesOf(HDN_ENDTRACKA).size(), 1u);
}

TEST_F(HeaderControl, DoubleClickOnADividerIsReported) {
    create(HDS_BUTTONS);
    add(0, "A", 100);
    person::doubleClick(screen(101, 10));
    std::vector<Note> dbl = notesOf(HDN_DIVIDERDBLCLICKA);
    ASSERT_EQ(dbl.size(), 1u);
    EXPECT_EQ(dbl[0].item, 0);
    EXPECT_TRUE(notesOf(HDN_ITEMDBLCLICKA).empty());
    EXPECT_EQ(widthOf(0), 100);
}

TEST_F(HeaderControl, OwnerDrawnItemsArePaintedByTheParent) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    create(HDS_BUTTONS);
    add(0, "Attribute", 100, HDF_OWNERDRAW, 7);
    add(1, "Value", 80, HDF_RIGHT | HDF_STRING, 8);
    desk::clearDrawingRecord();
    InvalidateRect(header, nullptr, TRUE);
    UpdateWindow(header);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].ctlType, static_cast<UINT>(ODT_HEADER));
    EXPECT_EQ(draws[0].ctlId, 370u);
    EXPECT_EQ(draws[0].itemId, 0u);
    EXPECT_EQ(draws[0].action, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(draws[0].state, 0u);
    EXPECT_EQ(draws[0].window, header);
    EXPECT_TRUE(rectIs(draws[0].rect, 0, 0, 100, 20));
    EXPECT_EQ(draws[0].data, 7u);
    EXPECT_TRUE(draws[0].hasDC);

    // The other item is drawn by the header: its text, right-aligned, 6
    // pixels inside the item.
    bool valueDrawn = false;
    for (const auto& entry : desk::drawingRecord(header)) {
        if (entry.kind == desk::DrawingKind::DrawText && entry.text == "Value") {
            valueDrawn = true;
            EXPECT_TRUE(rectIs(entry.bounds, 106, 0, 174, 20));
            EXPECT_TRUE(entry.flags & DT_RIGHT);
        }
        EXPECT_NE(entry.text, "Attribute");
    }
    EXPECT_TRUE(valueDrawn);

    // While the owner-drawn heading is pressed, it is drawn selected.
    draws.clear();
    person::moveTo(screen(50, 10));
    person::pressButton(person::Button::Left);
    UpdateWindow(header);
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back().state, static_cast<UINT>(ODS_SELECTED));
    draws.clear();
    person::releaseButton(person::Button::Left);
    UpdateWindow(header);
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back().state, 0u);
#endif
}

}  // namespace
