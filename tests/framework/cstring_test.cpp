#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include <vedrix/framework/cstring.h>

TEST(CString, ConstructsFromPointersCountsAndCharacters) {
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString("abc", 2), "ab");
    const CString withZero("a\0b", 3);
    EXPECT_EQ(withZero.GetLength(), 3);
    EXPECT_NE(withZero, CString("a\0c", 3));
    EXPECT_EQ(CString('x', 3), "xxx");
    EXPECT_TRUE(CString('x', 0).IsEmpty());

    CString moved("value");
    const CString target(std::move(moved));
    EXPECT_EQ(target, "value");
    const char* p = target;
    EXPECT_EQ(p[target.GetLength()], '\0');
}

TEST(CString, ConcatenatesAndComparesBytewise) {
    CString s = "ab";
    s += 'c';
    s += CString("de");
    s += "f";
    EXPECT_EQ(s, "abcdef");
    EXPECT_EQ("x" + s + 'y', "xabcdefy");
    EXPECT_EQ('<' + CString("a") + ">", "<a>");
    s += s;
    EXPECT_EQ(s, "abcdefabcdef");

    // Bytes compare as unsigned: 0xE4 sorts after every ASCII letter.
    EXPECT_LT(CString("z"), CString("\xE4"));
    EXPECT_TRUE("abc" < CString("abd"));
    EXPECT_TRUE(CString("ab") < "abc");
    EXPECT_TRUE("b" > CString("abc"));
    EXPECT_TRUE(CString("abc") >= "abc" && "abc" <= CString("abc"));
    EXPECT_EQ(CString("Apple").Compare("apple"), -1);
    EXPECT_EQ(CString("Apple").CompareNoCase("aPPLE"), 0);
    EXPECT_GT(CString("apples").CompareNoCase("APPLE"), 0);
    EXPECT_EQ(CString("").Compare(nullptr), 0);
}

TEST(CString, ExtractionClampsOutOfRangeArguments) {
    const CString s = "Hello";
    EXPECT_EQ(s.Mid(1, 3), "ell");
    EXPECT_EQ(s.Mid(3), "lo");
    EXPECT_EQ(s.Mid(-2, 3), "Hel");
    EXPECT_EQ(s.Mid(4, 100), "o");
    EXPECT_EQ(s.Mid(5), "");
    EXPECT_EQ(s.Mid(9, 2), "");
    EXPECT_EQ(s.Mid(1, -1), "");
    EXPECT_EQ(s.Left(2), "He");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(50), "Hello");
    EXPECT_EQ(s.Right(3), "llo");
    EXPECT_EQ(s.Right(50), "Hello");
    EXPECT_EQ(s.Right(-3), "");
    EXPECT_EQ(CString("123abc").SpanIncluding("0123456789"), "123");
    EXPECT_EQ(CString("key=value").SpanExcluding("=;"), "key");
    EXPECT_EQ(CString("plain").SpanExcluding("=;"), "plain");
}

TEST(CString, FindsCharactersAndSubstrings) {
    const CString s = "a.b.c";
    EXPECT_EQ(s.Find('.'), 1);
    EXPECT_EQ(s.Find('.', 2), 3);
    EXPECT_EQ(s.Find('.', 4), -1);
    EXPECT_EQ(s.Find('.', 99), -1);
    EXPECT_EQ(s.Find("b.c"), 2);
    EXPECT_EQ(s.Find("b.c", 3), -1);
    EXPECT_EQ(s.Find("x"), -1);
    EXPECT_EQ(s.ReverseFind('.'), 3);
    EXPECT_EQ(s.ReverseFind('x'), -1);
    EXPECT_EQ(s.FindOneOf("cb"), 2);
    EXPECT_EQ(s.FindOneOf("xyz"), -1);
}

TEST(CString, EditsInPlace) {
    CString s = "Mixed Case";
    EXPECT_EQ(s.MakeUpper(), "MIXED CASE");
    EXPECT_EQ(s.MakeLower().MakeReverse(), "esac dexim");

    s = "a-b-c";
    EXPECT_EQ(s.Remove('-'), 2);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(s.Insert(1, 'X'), 4);
    EXPECT_EQ(s.Insert(99, "!"), 5);
    EXPECT_EQ(s.Insert(-5, ">"), 6);
    EXPECT_EQ(s, ">aXbc!");
    EXPECT_EQ(s.Delete(2), 5);
    EXPECT_EQ(s.Delete(3, 99), 3);
    EXPECT_EQ(s.Delete(-1, 2), 2);
    EXPECT_EQ(s, "ab");
    EXPECT_EQ(s.Delete(10, 1), 2);
    s.SetAt(0, 'z');
    EXPECT_EQ(s.GetAt(0), 'z');
    EXPECT_EQ(s[1], 'b');
    EXPECT_EQ(s[std::size_t{1}], 'b');
}

TEST(CString, TrimsWhiteSpaceCharactersAndSets) {
    CString s = " \t\r\n text  \n";
    EXPECT_EQ(s.Trim(), "text");
    s = "xxaxx";
    EXPECT_EQ(CString(s).TrimLeft('x'), "axx");
    EXPECT_EQ(CString(s).TrimRight('x'), "xxa");
    s = "-=+value+=-";
    EXPECT_EQ(s.Trim("+-="), "value");
    s = "   ";
    EXPECT_TRUE(s.Trim().IsEmpty());
    s = "xyzyx";
    EXPECT_TRUE(s.Trim("xyz").IsEmpty());
}

TEST(CString, ReplacesWithoutOverlapping) {
    CString s = "aaaa";
    EXPECT_EQ(s.Replace("aa", "a"), 2);
    EXPECT_EQ(s, "aa");
    s = "aaa";
    EXPECT_EQ(s.Replace("aa", "b"), 1);
    EXPECT_EQ(s, "ba");
    s = "abc";
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace(nullptr, "x"), 0);
    EXPECT_EQ(s.Replace("b", ""), 1);
    EXPECT_EQ(s, "ac");
    EXPECT_EQ(s.Replace("a", "aa"), 1);  // the replacement is not searched again
    EXPECT_EQ(s, "aac");
    EXPECT_EQ(s.Replace('a', 'b'), 2);
    EXPECT_EQ(s, "bbc");
    EXPECT_EQ(s.Replace("zz", "y"), 0);
    EXPECT_EQ(s, "bbc");

    s = "path\\to\\file";
    EXPECT_EQ(s.Replace("\\", "/"), 2);
    EXPECT_EQ(s, "path/to/file");
    s = "ab";
    EXPECT_EQ(s.Replace("b", s), 1);  // the replacement is the string itself
    EXPECT_EQ(s, "aab");
}

TEST(CString, FormatsTextOfAnyLength) {
    CString s;
    s.Format("%d-%s-%05.1f", 42, "x", 3.14159);
    EXPECT_EQ(s, "42-x-003.1");

    const std::string longText(10000, 'q');
    s.Format("[%s]", longText.c_str());
    EXPECT_EQ(s.GetLength(), 10002);
    EXPECT_EQ(s.Right(2), "q]");

    s = "n=";
    s.AppendFormat("%u", 7u);
    s.AppendFormat("%s", "");
    EXPECT_EQ(s, "n=7");
    s.Format("%s%s", static_cast<const char*>(s), static_cast<const char*>(s));
    EXPECT_EQ(s, "n=7n=7");
}

TEST(CString, TokenizeSkipsDelimiterRuns) {
    const CString s = ";;alpha; beta;;gamma;";
    int pos = 0;
    std::string tokens;
    for (CString token = s.Tokenize("; ", pos); pos != -1; token = s.Tokenize("; ", pos)) {
        tokens += std::string(token) + "|";
    }
    EXPECT_EQ(tokens, "alpha|beta|gamma|");

    pos = 0;
    EXPECT_TRUE(CString("").Tokenize(",", pos).IsEmpty());
    EXPECT_EQ(pos, -1);
    pos = 0;
    EXPECT_EQ(CString("one").Tokenize(",", pos), "one");
    EXPECT_TRUE(CString("one").Tokenize(",", pos).IsEmpty());
    EXPECT_EQ(pos, -1);
    pos = 1;
    EXPECT_EQ(CString("a,b").Tokenize("", pos), ",b");
    EXPECT_TRUE(CString("a,b").Tokenize("", pos).IsEmpty());
    EXPECT_EQ(pos, -1);
}

TEST(CString, BufferAccessSetsTheLength) {
    CString s = "old";
    char* p = s.GetBuffer(64);
    std::strcpy(p, "new text");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 8);
    EXPECT_EQ(s, "new text");

    p = s.GetBuffer(2);  // smaller than the text: the text stays
    EXPECT_EQ(std::string(p), "new text");
    p[3] = '\0';
    s.ReleaseBuffer(-1);
    EXPECT_EQ(s, "new");

    p = s.GetBuffer(10);
    std::memcpy(p, "abcdef", 6);  // no terminator written
    s.ReleaseBuffer(4);
    EXPECT_EQ(s, "abcd");

    p = s.GetBufferSetLength(2);
    p[1] = 'Z';
    EXPECT_EQ(s, "aZ");
    s.ReleaseBuffer(99);  // never longer than the buffer
    EXPECT_EQ(s, "aZ");
}

TEST(CStringDeathTest, CharacterAccessOutsideTheStringStops) {
    CString s = "ab";
    EXPECT_DEATH(s.GetAt(2), "assertion failed");
    EXPECT_DEATH(s.SetAt(-1, 'x'), "assertion failed");
    EXPECT_DEATH(static_cast<void>(s[5]), "assertion failed");
}
