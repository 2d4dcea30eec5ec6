// File search with the platform's wildcard rules. The directory is read once
// by FindFirstFileA; FindNextFileA hands out the rest in byte-wise order of
// the names.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include "kernel/files.h"
#include "kernel/objects.h"
#include "kernel/paths.h"

namespace vedrix::winapi::kernel {
namespace {

// The platform's file-name wildcards after its rewriting of the pattern:
// "?" becomes DOS_QM, a "." before "?", "*" or the end DOS_DOT, a "*" before a
// "." DOS_STAR.
constexpr char kDosStar = '<';  // any characters, but not the name's last "."
constexpr char kDosQm = '>';    // one character, or none at a "." or the end
constexpr char kDosDot = '"';   // a "." or, at the end of the name, nothing

std::string RewritePattern(const std::string& pattern) {
    if (pattern == "*.*") {
        return "*";
    }
    std::string rewritten;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c == '?') {
            rewritten.push_back(kDosQm);
        } else if (c == '.' && (next == '?' || next == '*' || next == '\0')) {
            rewritten.push_back(kDosDot);
        } else if (c == '*' && next == '.') {
            rewritten.push_back(kDosStar);
        } else {
            rewritten.push_back(c);
        }
    }
    return rewritten;
}

// Matches names against one search pattern, rewritten once; the table of
// partial results is kept between names, so that a search over a big
// directory allocates nothing per name.
class Matcher {
public:
    explicit Matcher(const std::string& pattern) : m_pattern(RewritePattern(pattern)) {
        FindTheOnlyStar();
    }

    bool Matches(std::string_view name) {
        if (m_plainAroundStar) {
            return MatchesAroundStar(name);
        }
        m_name = name;
        m_lastDot = name.rfind('.');
        m_memo.assign((m_pattern.size() + 1) * (name.size() + 1), -1);
        return Match(0, 0);
    }

private:
    static constexpr std::string_view kWildcards{"*<>\"", 4};

    // Most searches ("tb*.zdw", "*", a name) are plain characters around at
    // most one "*" or DOS_STAR: such a pattern is decided by the name's two
    // ends alone, without the table.
    void FindTheOnlyStar() {
        const size_t star = m_pattern.find_first_of(kWildcards);
        if (star == std::string::npos) {
            m_plainAroundStar = true;
            return;
        }
        const char c = m_pattern[star];
        if ((c == '*' || c == kDosStar) &&
            m_pattern.find_first_of(kWildcards, star + 1) == std::string::npos) {
            m_plainAroundStar = true;
            m_star = star;
        }
    }

    bool MatchesAroundStar(std::string_view name) const {
        const std::string_view pattern(m_pattern);
        if (m_star == std::string::npos) {
            return EqualsNoCase(name, pattern);
        }
        const std::string_view head = pattern.substr(0, m_star);
        const std::string_view tail = pattern.substr(m_star + 1);
        if (name.size() < head.size() + tail.size() ||
            !EqualsNoCase(name.substr(0, head.size()), head) ||
            !EqualsNoCase(name.substr(name.size() - tail.size()), tail)) {
            return false;
        }
        if (pattern[m_star] == '*') {
            return true;
        }
        // A DOS_STAR stops at the name's last dot, when that lies after the
        // head.
        const size_t end = name.size() - tail.size();
        const size_t lastDot = name.rfind('.');
        return lastDot == std::string_view::npos || lastDot < head.size() || end <= lastDot;
    }

    bool Match(size_t p, size_t n) {
        signed char& memo = m_memo[p * (m_name.size() + 1) + n];
        if (memo < 0) {
            memo = Compute(p, n) ? 1 : 0;
        }
        return memo == 1;
    }

    bool Compute(size_t p, size_t n) {
        if (p == m_pattern.size()) {
            return n == m_name.size();
        }
        const char c = m_pattern[p];
        const bool more = n < m_name.size();
        switch (c) {
            case '*':
                for (size_t k = n; k <= m_name.size(); ++k) {
                    if (Match(p + 1, k)) {
                        return true;
                    }
                }
                return false;
            case kDosStar: {
                const size_t limit = (m_lastDot != std::string_view::npos && m_lastDot >= n)
                                         ? m_lastDot
                                         : m_name.size();
                for (size_t k = n; k <= limit; ++k) {
                    if (Match(p + 1, k)) {
                        return true;
                    }
                }
                return false;
            }
            case kDosQm:
                if (more && m_name[n] != '.') {
                    return Match(p + 1, n + 1);
                }
                return Match(p + 1, n);
            case kDosDot:
                if (more && m_name[n] == '.') {
                    return Match(p + 1, n + 1);
                }
                return !more && Match(p + 1, n);
            default:
                return more &&
                       FoldLower(static_cast<unsigned char>(c)) ==
                           FoldLower(static_cast<unsigned char>(m_name[n])) &&
                       Match(p + 1, n + 1);
        }
    }

    const std::string m_pattern;
    bool m_plainAroundStar = false;
    size_t m_star = std::string::npos;  // where the only star is, if any
    std::string_view m_name;
    size_t m_lastDot = std::string_view::npos;
    std::vector<signed char> m_memo;
};

// A name with its first eight bytes as one number, big end first and
// padded with zero bytes (which no name holds): byte-wise order compares
// those numbers first, so that most comparisons among a big directory's
// names are one comparison; names alike in them compare whole.
struct OrderedName {
    std::uint64_t head;
    std::string_view name;
};

std::uint64_t HeadOf(std::string_view name) {
    std::uint64_t head = 0;
    for (size_t i = 0; i < sizeof head; ++i) {
        head = (head << 8) | (i < name.size() ? static_cast<unsigned char>(name[i]) : 0u);
    }
    return head;
}

bool InByteOrder(const OrderedName& a, const OrderedName& b) {
    return a.head != b.head ? a.head < b.head : a.name < b.name;
}

class FileSearch final : public KernelObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::kFileSearch;

    FileSearch() : KernelObject(kKind) {}

    std::vector<WIN32_FIND_DATAA> entries;
    size_t next = 0;
};

}  // namespace
}  // namespace vedrix::winapi::kernel

using namespace vedrix::winapi::kernel;

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    if (lpFindFileData == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    NativePath converted = ToNative(lpFileName, true);
    if (!converted.ok) {
        SetLastError(converted.error);
        return INVALID_HANDLE_VALUE;
    }
    const std::string& path = converted.path;
    if (path.back() == '/') {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const size_t slash = path.rfind('/');
    const std::string dirPart =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string pattern = slash == std::string::npos ? path : path.substr(slash + 1);
    if (dirPart.find_first_of("*?") != std::string::npos) {
        SetLastError(ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }
    const std::string dir = ResolveCase(dirPart);
    std::vector<std::string> names;
    if (!ListDirectory(dir, names)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    names.emplace_back(".");
    names.emplace_back("..");
    // Only the matching names are put in order, and the order moves views
    // of them with their heads (OrderedName), not the names.
    Matcher matcher(pattern);
    std::vector<OrderedName> matching;
    matching.reserve(names.size());
    for (const std::string& name : names) {
        if (name.size() < MAX_PATH && matcher.Matches(name)) {
            matching.push_back({HeadOf(name), name});
        }
    }
    std::sort(matching.begin(), matching.end(), InByteOrder);
    // The entries are looked at from the open directory, which spares
    // walking the directory's path again for each of them.
    const int dirFd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    auto find = std::make_unique<FileSearch>();
    find->entries.reserve(matching.size());
    for (const OrderedName& ordered : matching) {
        const std::string name(ordered.name);
        FileInfo info;
        if (dirFd >= 0 ? !FileInfoOfPath(name, name, info, dirFd)
                       : !FileInfoOfPath(dir + "/" + name, name, info)) {
            continue;  // vanished since the directory was read
        }
        WIN32_FIND_DATAA data;
        std::memset(&data, 0, sizeof data);
        data.dwFileAttributes = info.attributes;
        data.ftCreationTime = info.creation;
        data.ftLastAccessTime = info.lastAccess;
        data.ftLastWriteTime = info.lastWrite;
        data.nFileSizeHigh = static_cast<DWORD>(info.size >> 32);
        data.nFileSizeLow = static_cast<DWORD>(info.size & 0xFFFFFFFF);
        std::memcpy(data.cFileName, name.c_str(), name.size() + 1);
        find->entries.push_back(data);
    }
    if (dirFd >= 0) {
        close(dirFd);
    }
    if (find->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *lpFindFileData = find->entries[0];
    find->next = 1;
    return AddObject(std::move(find));
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    FileSearch* find = FindObjectOf<FileSearch>(hFindFile);
    if (find == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (lpFindFileData == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (find->next >= find->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *lpFindFileData = find->entries[find->next++];
    return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
    if (FindObjectOf<FileSearch>(hFindFile) == nullptr || !RemoveObject(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
