// Reading compiled extended dialog templates: the fields land where the
// checks look for them, the items are found at their DWORD boundaries, and
// a template cut short or in the older form is refused.
#include <gtest/gtest.h>

#include <cstring>

#include "dialog_template.h"

namespace {

// Writes a template's bytes as a resource compiler lays them out.
class TemplateBytes {
public:
    TemplateBytes& word(unsigned v) {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
        return *this;
    }
    TemplateBytes& dword(DWORD v) { return word(v & 0xFFFF).word(v >> 16); }
    TemplateBytes& text(const char* s) {
        for (; *s != '\0'; ++s) {
            word(static_cast<unsigned char>(*s));
        }
        return word(0);
    }
    TemplateBytes& ordinal(unsigned n) { return word(0xFFFF).word(n); }
    TemplateBytes& rect(int x, int y, int cx, int cy) {
        return word(static_cast<unsigned>(x) & 0xFFFF)
            .word(static_cast<unsigned>(y) & 0xFFFF)
            .word(static_cast<unsigned>(cx) & 0xFFFF)
            .word(static_cast<unsigned>(cy) & 0xFFFF);
    }
    TemplateBytes& align() {
        while (bytes.size() % 4 != 0) {
            bytes.push_back(0);
        }
        return *this;
    }

    std::vector<std::uint8_t> bytes;
};

constexpr DWORD kDsSetFont = 0x40;

// A dialog with a font, a push button named by ordinal and a tree named by
// string, whose creation data must be stepped over.
TemplateBytes sampleDialog() {
    TemplateBytes t;
    t.word(1).word(0xFFFF).dword(0).dword(0x8).dword(0x80C80000 | kDsSetFont).word(2);
    t.rect(0, 0, 340, 250).word(0).word(0).text("Levels \xE4");
    t.word(8).word(400).word(0).text("MS Shell Dlg");
    t.align().dword(0).dword(0).dword(0x50010001).rect(7, 229, 50, 14).dword(1);
    t.ordinal(0x80).text("OK").word(0);
    t.align().dword(0).dword(0x200).dword(0x50010027).rect(-3, 30, 179, 190).dword(1029);
    t.text("SysTreeView32").ordinal(5).word(3);
    t.bytes.insert(t.bytes.end(), {9, 9, 9});
    return t;
}

TEST(DialogTemplate, ReadsTheDialogAndItsItems) {
    const TemplateBytes t = sampleDialog();
    restest::ParsedDialog parsed;
    ASSERT_TRUE(restest::parseDialogTemplate(t.bytes.data(), t.bytes.size(), parsed));
    const VedrixDialogTemplate& d = parsed.dialog;
    EXPECT_EQ(d.style, 0x80C80000U | kDsSetFont);
    EXPECT_EQ(d.exStyle, 0x8U);
    EXPECT_EQ(d.cx, 340);
    EXPECT_EQ(d.cy, 250);
    EXPECT_STREQ(d.caption, "Levels \xE4");
    EXPECT_STREQ(d.fontName, "MS Shell Dlg");
    EXPECT_EQ(d.fontSize, 8);
    ASSERT_EQ(d.itemCount, 2);

    const VedrixDialogItem& ok = d.items[0];
    EXPECT_EQ(ok.id, 1);
    EXPECT_STREQ(ok.windowClass, "Button");
    EXPECT_STREQ(ok.text, "OK");
    EXPECT_EQ(ok.style, 0x50010001U);
    EXPECT_EQ(ok.y, 229);

    const VedrixDialogItem& tree = d.items[1];
    EXPECT_EQ(tree.id, 1029);
    EXPECT_STREQ(tree.windowClass, "SysTreeView32");
    EXPECT_STREQ(tree.text, "#5");
    EXPECT_EQ(tree.exStyle, 0x200U);
    EXPECT_EQ(tree.x, -3);
    EXPECT_EQ(tree.cy, 190);
}

TEST(DialogTemplate, WithoutAFontTheItemsFollowTheCaption) {
    TemplateBytes t;
    t.word(1).word(0xFFFF).dword(0).dword(0).dword(0x80C80000).word(1);
    t.rect(0, 0, 100, 50).word(0).word(0).text("A");
    t.align().dword(0).dword(0).dword(0x50000000).rect(1, 2, 3, 4).dword(1008);
    t.ordinal(0x82).text("").word(0);
    restest::ParsedDialog parsed;
    ASSERT_TRUE(restest::parseDialogTemplate(t.bytes.data(), t.bytes.size(), parsed));
    EXPECT_STREQ(parsed.dialog.fontName, "");
    ASSERT_EQ(parsed.dialog.itemCount, 1);
    EXPECT_STREQ(parsed.dialog.items[0].windowClass, "Static");
    EXPECT_EQ(parsed.dialog.items[0].id, 1008);
}

TEST(DialogTemplate, RefusesTemplatesCutShortOrInTheOlderForm) {
    const TemplateBytes t = sampleDialog();
    // Every cut, within the header or an item, is found, never read past.
    for (std::size_t size = 0; size < t.bytes.size(); ++size) {
        restest::ParsedDialog parsed;
        EXPECT_FALSE(restest::parseDialogTemplate(t.bytes.data(), size, parsed)) << size;
        EXPECT_LT(parsed.dialog.itemCount, 2) << size;
    }
    std::vector<std::uint8_t> older = t.bytes;
    older[2] = 0;  // no 0xFFFF signature: a DLGTEMPLATE
    older[3] = 0;
    restest::ParsedDialog parsed;
    EXPECT_FALSE(restest::parseDialogTemplate(older.data(), older.size(), parsed));
}

}  // namespace
