#include "file_lines.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace vedrix::cli {

FileLines::FileLines(std::istream& text) {
    text.clear();
    text.seekg(0);
    m_text.assign(std::istreambuf_iterator<char>(text), std::istreambuf_iterator<char>());
    m_lineStarts.push_back(0);
    const char* const begin = m_text.data();
    const char* const end = begin + m_text.size();
    for (const char* p = begin; p < end;) {
        const void* newline = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        if (newline == nullptr) {
            break;
        }
        p = static_cast<const char*>(newline) + 1;
        m_lineStarts.push_back(static_cast<std::size_t>(p - begin));
    }
}

int FileLines::lineOf(std::streamoff position) const {
    if (position < 0) {
        return 0;
    }
    auto at = std::min(static_cast<std::size_t>(position), m_text.size());
    const std::size_t first = m_text.find_first_not_of(" \t\r\n\v\f", at);
    if (first != std::string::npos) {
        at = first;
    }
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), at);
    return static_cast<int>(after - m_lineStarts.begin());
}

}  // namespace vedrix::cli
