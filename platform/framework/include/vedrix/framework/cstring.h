// CString: an 8-bit character string with value semantics.
//
// Positions and lengths are ints counted in bytes. Arguments that point
// outside the string are clamped (Mid, Left, Right, Insert, Delete) or give
// "not found" (Find); reading or writing a single character outside the
// string (GetAt, SetAt, operator[]) is a programming error.
#pragma once

#include <concepts>
#include <cstdarg>
#include <string>

#include <vedrix/framework/debug.h>
#include <vedrix/framework/export.h>
#include <vedrix/framework/types.h>

#if defined(__MINGW_PRINTF_FORMAT)
#define VEDRIX_PRINTF_FORMAT(fmt, first) __attribute__((format(__MINGW_PRINTF_FORMAT, fmt, first)))
#elif defined(__GNUC__)
#define VEDRIX_PRINTF_FORMAT(fmt, first) __attribute__((format(printf, fmt, first)))
#else
#define VEDRIX_PRINTF_FORMAT(fmt, first)
#endif

class VEDRIX_FRAMEWORK_API CString {
public:
    CString() = default;
    // A null pointer gives the empty string.
    CString(const char* psz);
    // The first nLength bytes of pch (which may hold zero bytes).
    CString(const char* pch, int nLength);
    explicit CString(char ch, int nRepeat = 1);
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    ~CString() = default;

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* psz);
    CString& operator=(char ch);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty() ? TRUE : FALSE; }
    void Empty() { m_str.clear(); }

    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);
    // Any integer type: a template, so that s[i] never competes with the
    // built-in subscript of the const char* conversion.
    template <std::integral I>
    char operator[](I nIndex) const {
        VEDRIX_REQUIRE(nIndex >= 0 && static_cast<unsigned long long>(nIndex) < m_str.size());
        return m_str[static_cast<std::size_t>(nIndex)];
    }

    // Always zero-terminated, valid until the string is next changed.
    operator LPCTSTR() const { return m_str.c_str(); }
    LPCTSTR GetString() const { return m_str.c_str(); }

    CString& operator+=(const CString& str);
    CString& operator+=(const char* psz);
    CString& operator+=(char ch);

    // Byte-wise comparison (bytes as unsigned): negative, zero or positive.
    // A null psz compares as the empty string.
    int Compare(const char* psz) const;
    int Compare(const CString& str) const;
    // Comparison with the letters A to Z folded to lower case.
    int CompareNoCase(const char* psz) const;
    // Comparison by the current locale's collation order.
    int Collate(const char* psz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    // The leading characters that are all in lpszCharSet.
    CString SpanIncluding(const char* lpszCharSet) const;
    // The leading characters that are all not in lpszCharSet.
    CString SpanExcluding(const char* lpszCharSet) const;

    // Index of the first occurrence at or after nStart, or -1.
    int Find(char ch, int nStart = 0) const;
    int Find(const char* lpszSub, int nStart = 0) const;
    // Index of the last occurrence of ch, or -1.
    int ReverseFind(char ch) const;
    // Index of the first character that is in lpszCharSet, or -1.
    int FindOneOf(const char* lpszCharSet) const;

    // Case changes fold the letters A to Z only.
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // White space is space, tab, line feed, vertical tab, form feed and
    // carriage return.
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(const char* lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(const char* lpszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(const char* lpszTargets);

    // Each returns the number of replacements or removals made. Occurrences of
    // lpszOld are found left to right without overlapping; an empty or null
    // lpszOld replaces nothing, a null lpszNew removes.
    int Replace(char chOld, char chNew);
    int Replace(const char* lpszOld, const char* lpszNew);
    int Remove(char ch);
    // Insert and Delete return the new length.
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, const char* psz);
    int Delete(int nIndex, int nCount = 1);

    // printf formatting, of any length.
    void Format(const char* lpszFormat, ...) VEDRIX_PRINTF_FORMAT(2, 3);
    void FormatV(const char* lpszFormat, va_list args) VEDRIX_PRINTF_FORMAT(2, 0);
    void AppendFormat(const char* lpszFormat, ...) VEDRIX_PRINTF_FORMAT(2, 3);
    void AppendFormatV(const char* lpszFormat, va_list args) VEDRIX_PRINTF_FORMAT(2, 0);

    // The text with that number from the resources in force
    // (AfxGetResourceHandle); FALSE, and an empty string, when there is none.
    BOOL LoadString(UINT nID);

    // The next token after nStart, skipping leading delimiters; nStart moves
    // past the token's end. When no token is left the result is empty and
    // nStart becomes -1.
    CString Tokenize(const char* pszTokens, int& iStart) const;

    // Direct access to the characters: the buffer holds at least
    // nMinBufLength characters and a terminating zero, and keeps the current
    // contents. After writing, ReleaseBuffer sets the length: nNewLength, or
    // with -1 the length up to the first zero byte.
    LPTSTR GetBuffer();
    LPTSTR GetBuffer(int nMinBufLength);
    LPTSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    void AppendFormatImpl(const char* lpszFormat, va_list args) VEDRIX_PRINTF_FORMAT(2, 0);

    std::string m_str;
};

VEDRIX_FRAMEWORK_API CString operator+(const CString& str1, const CString& str2);
VEDRIX_FRAMEWORK_API CString operator+(const CString& str, const char* psz);
VEDRIX_FRAMEWORK_API CString operator+(const char* psz, const CString& str);
VEDRIX_FRAMEWORK_API CString operator+(const CString& str, char ch);
VEDRIX_FRAMEWORK_API CString operator+(char ch, const CString& str);

inline bool operator==(const CString& s1, const CString& s2) {
    return s1.Compare(s2) == 0;
}
inline bool operator==(const CString& s1, const char* s2) {
    return s1.Compare(s2) == 0;
}
inline bool operator==(const char* s1, const CString& s2) {
    return s2.Compare(s1) == 0;
}
inline bool operator!=(const CString& s1, const CString& s2) {
    return !(s1 == s2);
}
inline bool operator!=(const CString& s1, const char* s2) {
    return s1.Compare(s2) != 0;
}
inline bool operator!=(const char* s1, const CString& s2) {
    return s2.Compare(s1) != 0;
}
inline bool operator<(const CString& s1, const CString& s2) {
    return s1.Compare(s2) < 0;
}
inline bool operator<(const CString& s1, const char* s2) {
    return s1.Compare(s2) < 0;
}
inline bool operator<(const char* s1, const CString& s2) {
    return s2.Compare(s1) > 0;
}
inline bool operator>(const CString& s1, const CString& s2) {
    return s1.Compare(s2) > 0;
}
inline bool operator>(const CString& s1, const char* s2) {
    return s1.Compare(s2) > 0;
}
inline bool operator>(const char* s1, const CString& s2) {
    return s2.Compare(s1) < 0;
}
inline bool operator<=(const CString& s1, const CString& s2) {
    return s1.Compare(s2) <= 0;
}
inline bool operator<=(const CString& s1, const char* s2) {
    return s1.Compare(s2) <= 0;
}
inline bool operator<=(const char* s1, const CString& s2) {
    return s2.Compare(s1) >= 0;
}
inline bool operator>=(const CString& s1, const CString& s2) {
    return s1.Compare(s2) >= 0;
}
inline bool operator>=(const CString& s1, const char* s2) {
    return s1.Compare(s2) >= 0;
}
inline bool operator>=(const char* s1, const CString& s2) {
    return s2.Compare(s1) <= 0;
}
