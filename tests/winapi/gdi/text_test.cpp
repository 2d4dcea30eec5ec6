// Text metrics and extents, text output and DrawTextA formatting.
#include "gdi_support.h"

#include <algorithm>
#include <cstring>

#if VEDRIX_HEADLESS
#include <vedrix/headless/drawing.h>
#endif

namespace gdi_tests {
namespace {

#if VEDRIX_HEADLESS
using vedrix::headless::DrawingEntry;
using vedrix::headless::DrawingKind;
#endif

class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
#if VEDRIX_HEADLESS
        vedrix::headless::resetDrawing();
        vedrix::headless::setRecordMemoryDCs(true);
#endif
        bold = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    }
    void TearDown() override {
#if VEDRIX_HEADLESS
        vedrix::headless::resetDrawing();
#endif
        DeleteObject(bold);
    }

#if VEDRIX_HEADLESS
    // Draws with DrawTextA on a 200 x 60 canvas and returns the call's entry.
    DrawingEntry drawText(const char* text, RECT rect, UINT format, int* result = nullptr) {
        vedrix::headless::clearDrawingRecord();
        int r = DrawTextA(canvas.dc, text, -1, &rect, format);
        if (result != nullptr) {
            *result = r;
        }
        const auto& rec = vedrix::headless::drawingRecord();
        EXPECT_FALSE(rec.empty());
        return rec.empty() ? DrawingEntry{} : rec.back();
    }
#endif

    MemoryCanvas canvas{200, 60};
    HFONT bold = nullptr;
};

TEST_F(TextTest, MetricsAreFixedAndBoldIsWider) {
    HEADLESS_ONLY("reads the headless platform's fixed font metrics");
#if VEDRIX_HEADLESS
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmAscent, 12);
    EXPECT_EQ(tm.tmDescent, 4);
    EXPECT_EQ(tm.tmAveCharWidth, 7);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc, "Hello", 5, &size));
    EXPECT_EQ(size.cx, 35);
    EXPECT_EQ(size.cy, 16);

    HGDIOBJ old = SelectObject(canvas.dc, bold);
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    EXPECT_EQ(tm.tmAveCharWidth, 8);
    GetTextExtentPoint32A(canvas.dc, "Hello", 5, &size);
    EXPECT_EQ(size.cx, 40);
    char face[LF_FACESIZE] = {};
    EXPECT_EQ(GetTextFaceA(canvas.dc, LF_FACESIZE, face), 6);
    EXPECT_STREQ(face, "Tahoma");
    SelectObject(canvas.dc, old);
#endif
}

// What the platform promises of any font: the height is ascent and descent,
// an extent is as high as the font and grows with the text, the partial
// extents of GetTextExtentExPointA add up to the whole, and as many
// characters fit as their extents allow.
TEST_F(TextTest, MetricsAndExtentsAgree) {
    HFONT normal =
        CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ old = SelectObject(canvas.dc, normal);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
    SIZE hello{};
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc, "Hello", 5, &hello));
    EXPECT_EQ(hello.cy, tm.tmHeight);
    SIZE hell{};
    GetTextExtentPoint32A(canvas.dc, "Hell", 4, &hell);
    EXPECT_GT(hello.cx, hell.cx);
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc, "x", -1, &hello));

    int fit = 0;
    int dx[5] = {};
    SIZE all{};
    ASSERT_TRUE(GetTextExtentExPointA(canvas.dc, "Hello", 5, 10000, &fit, dx, &all));
    EXPECT_EQ(fit, 5);
    EXPECT_EQ(all.cx, hello.cx);
    EXPECT_EQ(dx[4], hello.cx);
    EXPECT_EQ(dx[3], hell.cx);
    for (int i = 1; i < 5; ++i) {
        EXPECT_GT(dx[i], dx[i - 1]);
    }
    // Room for the first two characters and not the third.
    ASSERT_TRUE(GetTextExtentExPointA(canvas.dc, "Hello", 5, dx[1], &fit, nullptr, &all));
    EXPECT_EQ(fit, 2);

    // Bold is wider and says so; the font keeps what it was made with.
    SelectObject(canvas.dc, bold);
    TEXTMETRICA boldTm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &boldTm));
    EXPECT_EQ(boldTm.tmWeight, FW_BOLD);
    SIZE boldHello{};
    GetTextExtentPoint32A(canvas.dc, "Hello", 5, &boldHello);
    EXPECT_GT(boldHello.cx, hello.cx);
    char face[LF_FACESIZE] = {};
    int length = GetTextFaceA(canvas.dc, LF_FACESIZE, face);
    EXPECT_GT(length, 0);
    EXPECT_EQ(static_cast<std::size_t>(length), std::strlen(face));
    SelectObject(canvas.dc, old);
    LOGFONTA lf{};
    ASSERT_EQ(GetObject(bold, sizeof(lf), &lf), static_cast<int>(sizeof(LOGFONTA)));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");
    DeleteObject(normal);
}

// A character cell is 7 x 16; a character other than a space fills x + 1 ...
// x + 5 by y + 3 ... y + 12 with the text colour; OPAQUE fills the cells.
TEST_F(TextTest, TextOutDrawsCharacterBoxes) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    SetTextColor(canvas.dc, RGB(0, 0, 255));
    SetBkColor(canvas.dc, RGB(255, 0, 0));
    ASSERT_TRUE(TextOutA(canvas.dc, 2, 1, "A B", 3));
    const COLORREF blue = RGB(0, 0, 255);
    EXPECT_EQ(canvas.rows(2, 4, 23, 5, blue), ".#####.........#####.\n");
    EXPECT_EQ(canvas.rows(2, 3, 23, 4, blue), ".....................\n");
    EXPECT_EQ(canvas.at(3, 13), blue);
    EXPECT_EQ(canvas.at(3, 14), RGB(255, 0, 0));      // the cell's background
    EXPECT_EQ(canvas.at(23, 5), RGB(255, 255, 255));  // right of the last cell

    SetBkMode(canvas.dc, TRANSPARENT);
    TextOutA(canvas.dc, 2, 30, "A", 1);
    EXPECT_EQ(canvas.at(2, 30), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(4, 35), blue);

    const auto& rec = vedrix::headless::drawingRecord();
    ASSERT_GE(rec.size(), 2u);
    EXPECT_EQ(rec[rec.size() - 2].kind, DrawingKind::TextOut);
    EXPECT_EQ(rec[rec.size() - 2].text, "A B");
    EXPECT_EQ(rec[rec.size() - 2].rect.right, 23);
    EXPECT_EQ(rec[rec.size() - 2].textColor, blue);
    EXPECT_EQ(rec.back().bkMode, TRANSPARENT);
#endif
}

TEST_F(TextTest, TextAlignmentPlacesTheBox) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    SetTextAlign(canvas.dc, TA_RIGHT | TA_BASELINE);
    TextOutA(canvas.dc, 100, 40, "abc", 3);
    EXPECT_EQ(vedrix::headless::drawingRecord().back().rect.left, 79);
    EXPECT_EQ(vedrix::headless::drawingRecord().back().rect.top, 28);
    SetTextAlign(canvas.dc, TA_CENTER | TA_BOTTOM);
    TextOutA(canvas.dc, 100, 40, "abcd", 4);
    EXPECT_EQ(vedrix::headless::drawingRecord().back().rect.left, 86);
    EXPECT_EQ(vedrix::headless::drawingRecord().back().rect.top, 24);

    // TA_UPDATECP: drawn at the current position, which moves past the text.
    SetTextAlign(canvas.dc, TA_UPDATECP);
    MoveToEx(canvas.dc, 10, 5, nullptr);
    TextOutA(canvas.dc, 0, 0, "ab", 2);
    TextOutA(canvas.dc, 0, 0, "c", 1);
    EXPECT_EQ(vedrix::headless::drawingRecord().back().rect.left, 24);
    POINT cp{};
    GetCurrentPositionEx(canvas.dc, &cp);
    EXPECT_EQ(cp.x, 31);
    EXPECT_EQ(GetTextAlign(canvas.dc), static_cast<UINT>(TA_UPDATECP));
#endif
}

// ETO_OPAQUE fills the rectangle with the background colour (an empty text
// only fills it); ETO_CLIPPED keeps the text inside the rectangle.
TEST_F(TextTest, ExtTextOutFillsAndClipsToTheRectangle) {
    const COLORREF green = RGB(0, 255, 0);
    const COLORREF white = RGB(255, 255, 255);
    RECT r{10, 10, 20, 30};
    SetBkColor(canvas.dc, green);
    SetTextColor(canvas.dc, RGB(0, 0, 0));
    ASSERT_TRUE(ExtTextOutA(canvas.dc, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr));
    EXPECT_EQ(canvas.rows(9, 10, 21, 11, green), ".##########.\n");
    EXPECT_EQ(canvas.at(19, 29), green);
    EXPECT_EQ(canvas.at(19, 30), white);

    SIZE size{};
    GetTextExtentPoint32A(canvas.dc, "WW", 2, &size);
    SetBkMode(canvas.dc, TRANSPARENT);
    RECT clip{100, 10, 100 + size.cx / 2, 10 + size.cy};
    ASSERT_TRUE(ExtTextOutA(canvas.dc, 100, 10, ETO_CLIPPED, &clip, "WW", 2, nullptr));
    int inside = 0;
    int outside = 0;
    for (int y = 10; y < 10 + size.cy; ++y) {
        for (int x = 100; x < 100 + size.cx; ++x) {
            int& count = x < clip.right ? inside : outside;
            count += canvas.at(x, y) != white ? 1 : 0;
        }
    }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
}

TEST_F(TextTest, ExtTextOutIsRecordedWithItsClipAndAdvances) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    RECT r{10, 10, 20, 30};
    SetTextColor(canvas.dc, RGB(0, 0, 0));
    // Clipped to the rectangle: the second character (cell 17..24) is cut at 20.
    ExtTextOutA(canvas.dc, 10, 10, ETO_CLIPPED, &r, "WW", 2, nullptr);
    EXPECT_EQ(canvas.at(18, 15), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(20, 15), RGB(255, 255, 255));
    const DrawingEntry& e = vedrix::headless::drawingRecord().back();
    EXPECT_EQ(e.kind, DrawingKind::ExtTextOut);
    EXPECT_EQ(e.flags, static_cast<UINT>(ETO_CLIPPED));
    EXPECT_EQ(e.bounds.right, 20);
    // Per-character advances.
    const INT dx[2] = {20, 20};
    ExtTextOutA(canvas.dc, 0, 40, 0, nullptr, "ab", 2, dx);
    EXPECT_EQ(vedrix::headless::drawingRecord().back().rect.right, 40);
#endif
}

// DT_CALCRECT measures with the selected font: one line is as high as the
// font, lines break between words, and a word longer than the line stays
// whole and widens the rectangle.
TEST_F(TextTest, CalcRectMeasures) {
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    const int line = tm.tmHeight;
    auto width = [&](const char* text) {
        SIZE size{};
        GetTextExtentPoint32A(canvas.dc, text, static_cast<int>(std::strlen(text)), &size);
        return static_cast<int>(size.cx);
    };

    RECT r{5, 5, 5, 5};
    EXPECT_EQ(DrawTextA(canvas.dc, "Hello", -1, &r, DT_CALCRECT | DT_SINGLELINE), line);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.right, 5 + width("Hello"));
    EXPECT_EQ(r.bottom, 5 + line);

    r = RECT{0, 0, 0, 0};
    EXPECT_EQ(DrawTextA(canvas.dc, "ab\r\ncdef\nx", -1, &r, DT_CALCRECT), 3 * line);
    EXPECT_EQ(r.right, std::max({width("ab"), width("cdef"), width("x")}));

    // Room for "aaa bbb" and not for "ccc" after it.
    const int room = width("aaa bbb ");
    ASSERT_LT(room, width("aaa bbb c"));
    r = RECT{0, 0, room, 0};
    EXPECT_EQ(DrawTextA(canvas.dc, "aaa bbb ccc", -1, &r, DT_CALCRECT | DT_WORDBREAK), 2 * line);
    // The rectangle narrows to the longest line (whether a space at the
    // break counts is the platform's choice).
    EXPECT_GE(r.right, width("aaa bbb"));
    EXPECT_LE(r.right, room);
    r = RECT{0, 0, width("abc"), 0};
    EXPECT_EQ(DrawTextA(canvas.dc, "abcdefgh ij", -1, &r, DT_CALCRECT | DT_WORDBREAK), 2 * line);
    EXPECT_EQ(r.right, width("abcdefgh"));

    // A count measures that many characters, in the selected font.
    HGDIOBJ old = SelectObject(canvas.dc, bold);
    r = RECT{0, 0, 0, 0};
    DrawTextA(canvas.dc, "Hello", 3, &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.right, width("Hel"));
    SelectObject(canvas.dc, old);

    // An empty text has no width.
    r = RECT{0, 0, 0, 0};
    DrawTextA(canvas.dc, "", -1, &r, DT_CALCRECT);
    EXPECT_EQ(r.right, 0);
#if VEDRIX_HEADLESS
    // The platform needs a rectangle; the headless one refuses its absence.
    EXPECT_EQ(DrawTextA(canvas.dc, "x", -1, nullptr, 0), 0);
#endif
}

TEST_F(TextTest, AlignmentInTheRectangle) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    RECT box{0, 0, 100, 20};
    int result = 0;
    EXPECT_EQ(drawText("abcd", box, DT_LEFT | DT_SINGLELINE).rect.left, 0);
    EXPECT_EQ(drawText("abcd", box, DT_CENTER | DT_SINGLELINE).rect.left, 36);
    EXPECT_EQ(drawText("abcd", box, DT_RIGHT | DT_SINGLELINE).rect.left, 72);
    DrawingEntry v = drawText("abcd", box, DT_VCENTER | DT_SINGLELINE, &result);
    EXPECT_EQ(v.rect.top, 2);
    EXPECT_EQ(result, 18);
    DrawingEntry b = drawText("abcd", box, DT_BOTTOM | DT_SINGLELINE, &result);
    EXPECT_EQ(b.rect.top, 4);
    EXPECT_EQ(result, 20);
    // Without DT_SINGLELINE the vertical flags do nothing.
    EXPECT_EQ(drawText("abcd", box, DT_VCENTER).rect.top, 0);
    DrawingEntry multi = drawText("ab\ncdef", RECT{0, 0, 100, 60}, DT_CENTER);
    EXPECT_EQ(multi.text, "ab\ncdef");
    EXPECT_EQ(multi.rect.left, 36);  // the widest line's left edge
    EXPECT_EQ(multi.rect.bottom, 32);
    EXPECT_EQ(multi.bounds.right, 100);
    EXPECT_EQ(multi.flags, static_cast<UINT>(DT_CENTER));
#endif
}

TEST_F(TextTest, EllipsisAndPrefixes) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    RECT seven{0, 0, 50, 16};  // room for 7 characters
    EXPECT_EQ(drawText("abcdefghij", seven, DT_SINGLELINE | DT_END_ELLIPSIS).text, "abcd...");
    EXPECT_EQ(drawText("abcdefg", seven, DT_SINGLELINE | DT_END_ELLIPSIS).text, "abcdefg");
    EXPECT_EQ(drawText("abcdefghij", seven, DT_SINGLELINE).text, "abcdefghij");
    RECT sixteen{0, 0, 112, 16};
    EXPECT_EQ(drawText("C:\\dir\\sub\\file.txt", sixteen, DT_SINGLELINE | DT_PATH_ELLIPSIS).text,
              "C:\\d...\\file.txt");
    EXPECT_EQ(drawText("&File", seven, DT_SINGLELINE).text, "File");
    EXPECT_EQ(drawText("a&&b", seven, DT_SINGLELINE).text, "a&b");
    EXPECT_EQ(drawText("&File", seven, DT_SINGLELINE | DT_NOPREFIX).text, "&File");
    EXPECT_EQ(drawText("a\tb", RECT{0, 0, 100, 16}, DT_SINGLELINE | DT_EXPANDTABS).rect.right, 63);

    char buffer[32] = "abcdefghij";
    RECT r = seven;
    DrawTextA(canvas.dc, buffer, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_STREQ(buffer, "abcd...");
#endif
}

// Text is clipped to the formatting rectangle unless DT_NOCLIP: nothing is
// drawn right of a rectangle narrower than the text, and with DT_NOCLIP the
// text goes on past it.
TEST_F(TextTest, DrawTextClipsToTheRectangle) {
    SIZE size{};
    GetTextExtentPoint32A(canvas.dc, "WWWW", 4, &size);
    const int right = size.cx / 2;
    // The pixels not white in columns [left, end) of the line at top.
    auto ink = [&](int left, int end, int top) {
        int count = 0;
        for (int y = top; y < top + size.cy; ++y) {
            for (int x = left; x < end; ++x) {
                count += canvas.at(x, y) != RGB(255, 255, 255) ? 1 : 0;
            }
        }
        return count;
    };
    SetBkMode(canvas.dc, TRANSPARENT);
    RECT r{0, 0, right, size.cy};
    DrawTextA(canvas.dc, "WWWW", -1, &r, DT_SINGLELINE);
    EXPECT_GT(ink(0, right, 0), 0);
    EXPECT_EQ(ink(right, size.cx, 0), 0);
    RECT r2{0, size.cy, right, 2 * size.cy};
    DrawTextA(canvas.dc, "WWWW", -1, &r2, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(ink(right, size.cx, size.cy), 0);
}

}  // namespace
}  // namespace gdi_tests
