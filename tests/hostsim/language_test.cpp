// The language library: code page conversion and the host text table.
#include "host_project.h"

#include <zelkar/utility_language.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace hostsim_test;

namespace {

TEST(CodePageTest, ConvertsCodePage850ToTheDisplaySetInPlace) {
    // "Grüße, Ærø" and a box-drawing line in code page 850.
    char text[] =
        "Gr\x81\xE1"
        "e, \x92r\x9B \xC4\xC5\xB3";
    const std::size_t length = std::strlen(text);
    AsciiTextToIso(text, text);
    EXPECT_EQ(std::strlen(text), length);
    EXPECT_STREQ(text,
                 "Gr\xFC\xDF"
                 "e, \xC6r\xF8 -+|");
}

TEST(CodePageTest, PlainAsciiIsUnchanged) {
    char text[] = "tb000042.zdw Ground floor";
    AsciiTextToIso(text, text);
    EXPECT_STREQ(text, "tb000042.zdw Ground floor");
}

TEST(CodePageTest, EveryCharacterMapsToOneNonZeroCharacter) {
    char text[129];
    for (int i = 0; i < 128; ++i) {
        text[i] = static_cast<char>(0x80 + i);
    }
    text[128] = '\0';
    AsciiTextToIso(text, text);
    EXPECT_EQ(std::strlen(text), 128u);
}

TEST(HostTextTest, DefaultTableHoldsTheTextsTheDialogsUse) {
    HostProject project;
    const struct {
        unsigned int number;
        unsigned int part;
    } used[] = {{2200007, 1}, {2200007, 2}, {2200007, 3}, {2200009, 0}, {2202026, 1}, {2202026, 2},
                {300627, 0},  {2202023, 0}, {2202027, 0}, {1501761, 0}, {1200052, 0}};
    for (const auto& text : used) {
        CTecString string;
        string.GetVarlomText(text.number, text.part, 80);
        EXPECT_STRNE(string, "") << text.number << " part " << text.part;
    }
}

TEST(HostTextTest, ConfiguredTableAndLengthLimit) {
    HostProject project;
    project.writeFile("texts.txt",
                      "# comment\n2200007\t1\tFirst line\n2200007\t2\tSecond\n"
                      "bad line\n2200009\t0\t" +
                          std::string(100, 'c') + "\n");
    project.config().textTable = project.file("texts.txt").string();
    project.apply();
    CTecString text;
    text.GetVarlomText(2200007, 2, 80);
    EXPECT_STREQ(text, "Second");
    text.GetVarlomText(2200009, 0, 80);
    EXPECT_EQ(std::string(text), std::string(80, 'c'));
    text.GetVarlomText(2200007, 3, 80);
    EXPECT_STREQ(text, "");
    // Copies are independent.
    text.GetVarlomText(2200007, 1, 5);
    CTecString copy;
    static_cast<CZelString&>(copy) = text;
    text.GetVarlomText(2200007, 2, 80);
    EXPECT_STREQ(copy, "First");
}

TEST(HostTextTest, MissingTableGivesEmptyTexts) {
    HostProject project;
    project.config().textTable = project.file("none.txt").string();
    project.apply();
    CTecString text;
    text.GetVarlomText(2200007, 1, 80);
    EXPECT_STREQ(text, "");
}

}  // namespace
