#include <vedrix/framework/cstring.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

std::string_view View(const char* psz) {
    return psz != nullptr ? std::string_view(psz) : std::string_view();
}

// Clamps v into [lo, hi].
int Clamp(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

char AsciiLower(char ch) {
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

char AsciiUpper(char ch) {
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

bool IsWhiteSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

int FindResult(std::string::size_type pos) {
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

}  // namespace

CString::CString(const char* psz) : m_str(View(psz)) {}

CString::CString(const char* pch, int nLength) {
    if (pch != nullptr && nLength > 0) {
        m_str.assign(pch, static_cast<std::size_t>(nLength));
    }
}

CString::CString(char ch, int nRepeat) {
    if (nRepeat > 0) {
        m_str.assign(static_cast<std::size_t>(nRepeat), ch);
    }
}

CString& CString::operator=(const char* psz) {
    // psz may point into this string: assign copies before it frees.
    m_str.assign(View(psz));
    return *this;
}

CString& CString::operator=(char ch) {
    m_str.assign(1, ch);
    return *this;
}

char CString::GetAt(int nIndex) const {
    VEDRIX_REQUIRE(nIndex >= 0 && nIndex < GetLength());
    return m_str[static_cast<std::size_t>(nIndex)];
}

void CString::SetAt(int nIndex, char ch) {
    VEDRIX_REQUIRE(nIndex >= 0 && nIndex < GetLength());
    m_str[static_cast<std::size_t>(nIndex)] = ch;
}

CString& CString::operator+=(const CString& str) {
    m_str += str.m_str;
    return *this;
}

CString& CString::operator+=(const char* psz) {
    m_str.append(View(psz));
    return *this;
}

CString& CString::operator+=(char ch) {
    m_str += ch;
    return *this;
}

int CString::Compare(const char* psz) const {
    // std::char_traits<char> compares bytes as unsigned char, like strcmp.
    return Sign(std::string_view(m_str).compare(View(psz)));
}

int CString::Compare(const CString& str) const {
    return Sign(m_str.compare(str.m_str));
}

int CString::CompareNoCase(const char* psz) const {
    const std::string_view other = View(psz);
    const std::size_t n = (std::min)(m_str.size(), other.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto a = static_cast<unsigned char>(AsciiLower(m_str[i]));
        const auto b = static_cast<unsigned char>(AsciiLower(other[i]));
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
    return Sign(static_cast<int>(m_str.size() > other.size()) -
                static_cast<int>(m_str.size() < other.size()));
}

int CString::Collate(const char* psz) const {
    return Sign(std::strcoll(m_str.c_str(), psz != nullptr ? psz : ""));
}

CString CString::Mid(int nFirst) const {
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const {
    const int nLength = GetLength();
    nFirst = Clamp(nFirst, 0, nLength);
    nCount = Clamp(nCount, 0, nLength - nFirst);
    return CString(m_str.data() + nFirst, nCount);
}

CString CString::Left(int nCount) const {
    return CString(m_str.data(), Clamp(nCount, 0, GetLength()));
}

CString CString::Right(int nCount) const {
    nCount = Clamp(nCount, 0, GetLength());
    return CString(m_str.data() + (GetLength() - nCount), nCount);
}

CString CString::SpanIncluding(const char* lpszCharSet) const {
    const std::string::size_type end = m_str.find_first_not_of(View(lpszCharSet));
    return Left(end == std::string::npos ? GetLength() : static_cast<int>(end));
}

CString CString::SpanExcluding(const char* lpszCharSet) const {
    const std::string::size_type end = m_str.find_first_of(View(lpszCharSet));
    return Left(end == std::string::npos ? GetLength() : static_cast<int>(end));
}

int CString::Find(char ch, int nStart) const {
    if (nStart >= GetLength()) {
        return -1;
    }
    return FindResult(m_str.find(ch, static_cast<std::size_t>((std::max)(nStart, 0))));
}

int CString::Find(const char* lpszSub, int nStart) const {
    if (nStart > GetLength()) {
        return -1;
    }
    return FindResult(m_str.find(View(lpszSub), static_cast<std::size_t>((std::max)(nStart, 0))));
}

int CString::ReverseFind(char ch) const {
    return FindResult(m_str.rfind(ch));
}

int CString::FindOneOf(const char* lpszCharSet) const {
    return FindResult(m_str.find_first_of(View(lpszCharSet)));
}

CString& CString::MakeUpper() {
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), AsciiUpper);
    return *this;
}

CString& CString::MakeLower() {
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), AsciiLower);
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget) {
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(const char* lpszTargets) {
    return TrimRight(lpszTargets).TrimLeft(lpszTargets);
}

CString& CString::TrimLeft() {
    m_str.erase(m_str.begin(), std::find_if_not(m_str.begin(), m_str.end(), IsWhiteSpace));
    return *this;
}

CString& CString::TrimLeft(char chTarget) {
    m_str.erase(0, m_str.find_first_not_of(chTarget));
    return *this;
}

CString& CString::TrimLeft(const char* lpszTargets) {
    m_str.erase(0, m_str.find_first_not_of(View(lpszTargets)));
    return *this;
}

CString& CString::TrimRight() {
    m_str.erase(std::find_if_not(m_str.rbegin(), m_str.rend(), IsWhiteSpace).base(), m_str.end());
    return *this;
}

CString& CString::TrimRight(char chTarget) {
    const std::string::size_type last = m_str.find_last_not_of(chTarget);
    m_str.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

CString& CString::TrimRight(const char* lpszTargets) {
    const std::string::size_type last = m_str.find_last_not_of(View(lpszTargets));
    m_str.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

int CString::Replace(char chOld, char chNew) {
    int nCount = 0;
    for (char& ch : m_str) {
        if (ch == chOld) {
            ch = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Replace(const char* lpszOld, const char* lpszNew) {
    const std::string_view oldText = View(lpszOld);
    if (oldText.empty()) {
        return 0;
    }
    // Copy the replacement first: it may point into this string.
    const std::string newText(View(lpszNew));
    std::string result;
    int nCount = 0;
    std::string::size_type from = 0;
    for (std::string::size_type at = m_str.find(oldText); at != std::string::npos;
         at = m_str.find(oldText, from)) {
        result.append(m_str, from, at - from);
        result += newText;
        from = at + oldText.size();
        ++nCount;
    }
    if (nCount > 0) {
        result.append(m_str, from, std::string::npos);
        m_str.swap(result);
    }
    return nCount;
}

int CString::Remove(char ch) {
    const auto newEnd = std::remove(m_str.begin(), m_str.end(), ch);
    const int nCount = static_cast<int>(m_str.end() - newEnd);
    m_str.erase(newEnd, m_str.end());
    return nCount;
}

int CString::Insert(int nIndex, char ch) {
    m_str.insert(static_cast<std::size_t>(Clamp(nIndex, 0, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, const char* psz) {
    const std::string text(View(psz));  // psz may point into this string
    m_str.insert(static_cast<std::size_t>(Clamp(nIndex, 0, GetLength())), text);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
    if (nIndex < 0) {
        // Characters before the start do not exist: only the rest of the
        // range is deleted.
        nCount += nIndex;
        nIndex = 0;
    }
    if (nIndex < GetLength() && nCount > 0) {
        m_str.erase(static_cast<std::size_t>(nIndex),
                    static_cast<std::size_t>(Clamp(nCount, 0, GetLength() - nIndex)));
    }
    return GetLength();
}

void CString::Format(const char* lpszFormat, ...) {
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::FormatV(const char* lpszFormat, va_list args) {
    // The arguments may be this string's own text: format into a new string.
    CString result;
    result.AppendFormatImpl(lpszFormat, args);
    m_str.swap(result.m_str);
}

void CString::AppendFormat(const char* lpszFormat, ...) {
    va_list args;
    va_start(args, lpszFormat);
    AppendFormatV(lpszFormat, args);
    va_end(args);
}

void CString::AppendFormatV(const char* lpszFormat, va_list args) {
    CString result(*this);
    result.AppendFormatImpl(lpszFormat, args);
    m_str.swap(result.m_str);
}

void CString::AppendFormatImpl(const char* lpszFormat, va_list args) {
    VEDRIX_REQUIRE(lpszFormat != nullptr);
    va_list measure;
    va_copy(measure, args);
    const int nAdded = std::vsnprintf(nullptr, 0, lpszFormat, measure);
    va_end(measure);
    if (nAdded <= 0) {
        return;  // nothing to add, or a format the C library refused
    }
    const std::size_t nOld = m_str.size();
    m_str.resize(nOld + static_cast<std::size_t>(nAdded));
    // vsnprintf writes the terminating zero at m_str[size()], which the
    // string keeps zero anyway.
    std::vsnprintf(m_str.data() + nOld, static_cast<std::size_t>(nAdded) + 1, lpszFormat, args);
}

CString CString::Tokenize(const char* pszTokens, int& iStart) const {
    const int nLength = GetLength();
    if (iStart < 0 || iStart >= nLength) {
        iStart = -1;
        return CString();
    }
    const std::string_view delimiters = View(pszTokens);
    if (delimiters.empty()) {
        // No delimiters: the rest of the string is one token.
        CString token = Mid(iStart);
        iStart = nLength + 1;
        return token;
    }
    const std::string::size_type from =
        m_str.find_first_not_of(delimiters, static_cast<std::size_t>(iStart));
    if (from == std::string::npos) {
        iStart = -1;
        return CString();
    }
    std::string::size_type to = m_str.find_first_of(delimiters, from);
    if (to == std::string::npos) {
        to = m_str.size();
    }
    iStart = static_cast<int>(to) + 1;
    return CString(m_str.data() + from, static_cast<int>(to - from));
}

LPTSTR CString::GetBuffer() {
    return m_str.data();
}

LPTSTR CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength > GetLength()) {
        // Pad with zeros, so that the buffer is terminated wherever the
        // caller stops writing.
        m_str.resize(static_cast<std::size_t>(nMinBufLength));
    }
    return m_str.data();
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
    m_str.resize(static_cast<std::size_t>((std::max)(nNewLength, 0)));
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0) {
        // The string's own terminator bounds the search.
        nNewLength = static_cast<int>(std::strlen(m_str.c_str()));
    }
    m_str.resize(static_cast<std::size_t>(Clamp(nNewLength, 0, GetLength())));
}

CString operator+(const CString& str1, const CString& str2) {
    CString result(str1);
    result += str2;
    return result;
}

CString operator+(const CString& str, const char* psz) {
    CString result(str);
    result += psz;
    return result;
}

CString operator+(const char* psz, const CString& str) {
    CString result(psz);
    result += str;
    return result;
}

CString operator+(const CString& str, char ch) {
    CString result(str);
    result += ch;
    return result;
}

CString operator+(char ch, const CString& str) {
    CString result(ch);
    result += str;
    return result;
}
