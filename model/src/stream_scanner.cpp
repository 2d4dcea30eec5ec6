#include "stream_scanner.h"

#include <cstdint>
#include <cstring>

namespace vedrix::model {

namespace {

// The get area of any stream buffer. The members are protected; pointers to
// them, formed through a class derived from std::streambuf, apply to every
// stream buffer.
class GetArea : public std::streambuf {
public:
    static char* next(std::streambuf* buf) { return (buf->*&GetArea::gptr)(); }
    static char* end(std::streambuf* buf) { return (buf->*&GetArea::egptr)(); }
    static void bump(std::streambuf* buf, int n) { (buf->*&GetArea::gbump)(n); }
};

}  // namespace

StreamScanner::StreamScanner(std::istream& is) : m_is(is), m_buf(is.rdbuf()) {
    if (m_buf == nullptr) {
        m_is.setstate(std::ios::badbit);
        return;
    }
    fetch();
}

void StreamScanner::fetch() {
    m_cur = m_fetched = GetArea::next(m_buf);
    m_end = GetArea::end(m_buf);
    if (m_cur == nullptr) {
        m_cur = m_end = m_fetched = nullptr;
    }
}

void StreamScanner::sync() {
    if (m_cur != m_fetched) {
        GetArea::bump(m_buf, static_cast<int>(m_cur - m_fetched));
        m_fetched = m_cur;
    }
}

int StreamScanner::refill() {
    sync();
    const int c = m_buf->sgetc();
    if (c == kEof) {
        reachedEnd();
        return kEof;
    }
    fetch();
    return c;
}

int StreamScanner::get() {
    if (!m_is.good()) {
        fail();
        return kEof;
    }
    const int c = peek();
    if (c == kEof) {
        fail();
        return kEof;
    }
    advance();
    return c;
}

void StreamScanner::skipSpace() {
    if (!m_is.good()) {
        fail();
        return;
    }
    for (;;) {
        const char* p = m_cur;
        const char* const end = m_end;
        while (p < end && isSpace(static_cast<unsigned char>(*p))) {
            ++p;
        }
        m_cur = p;
        if (p < end) {
            return;
        }
        const int c = refill();
        if (c == kEof) {
            return;
        }
        if (m_cur >= m_end) {  // a buffer without a get area
            if (!isSpace(c)) {
                return;
            }
            advance();
        }
    }
}

bool StreamScanner::getChar(char& c) {
    skipSpace();
    if (!m_is.good()) {
        fail();
        return false;
    }
    const int ch = get();
    if (ch == kEof) {
        return false;
    }
    c = static_cast<char>(ch);
    return true;
}

bool StreamScanner::readWord(char* buf, std::size_t cap) {
    skipSpace();
    std::size_t n = 0;
    if (m_is.good()) {
        for (int c = peek(); n + 1 < cap && c != kEof && !isSpace(c); c = peek()) {
            buf[n++] = static_cast<char>(c);
            advance();
        }
    }
    if (cap > 0) {
        buf[n] = '\0';
    }
    if (n == 0) {
        fail();
        return false;
    }
    return true;
}

bool StreamScanner::getLine(char* buf, std::size_t cap, char delim) {
    if (cap > 0) {
        buf[0] = '\0';
    }
    if (!m_is.good()) {
        fail();
        return false;
    }
    const int d = static_cast<unsigned char>(delim);
    std::size_t n = 0;
    for (;;) {
        const int c = peek();
        if (c == kEof) {
            if (n == 0) {
                fail();  // nothing at all could be read
            }
            break;
        }
        if (c == d) {
            advance();  // taken, not stored
            break;
        }
        if (n + 1 >= cap) {
            fail();  // the line is longer than the buffer
            break;
        }
        if (m_cur < m_end) {
            // Copy up to the delimiter or as much as still fits, in one piece.
            const std::size_t room = cap - 1 - n;
            const std::size_t avail = static_cast<std::size_t>(m_end - m_cur);
            const std::size_t span = avail < room ? avail : room;
            const void* hit = std::memchr(m_cur, delim, span);
            const std::size_t take =
                hit != nullptr ? static_cast<std::size_t>(static_cast<const char*>(hit) - m_cur)
                               : span;
            std::memcpy(buf + n, m_cur, take);
            n += take;
            m_cur += take;
        } else {  // a buffer without a get area
            buf[n++] = static_cast<char>(c);
            advance();
        }
        buf[n] = '\0';
    }
    return !m_is.fail();
}

bool StreamScanner::getField(char* buf, std::size_t cap, char delim, std::size_t* length) {
    if (cap > 0) {
        buf[0] = '\0';
    }
    if (!m_is.good()) {
        fail();
        return false;
    }
    std::size_t n = 0;
    std::size_t whole = 0;
    for (int c = peek();; c = peek()) {
        if (c == kEof) {
            fail();
            return false;
        }
        advance();
        if (c == static_cast<unsigned char>(delim)) {
            if (length != nullptr) {
                *length = whole;
            }
            return true;
        }
        ++whole;
        if (n + 1 < cap) {
            buf[n++] = static_cast<char>(c);
            buf[n] = '\0';
        }
    }
}

void StreamScanner::skipToEither(char a, char b) {
    for (;;) {
        const int c = peek();
        if (c == kEof || c == static_cast<unsigned char>(a) || c == static_cast<unsigned char>(b)) {
            return;
        }
        if (m_cur < m_end) {
            const char* p = m_cur;
            while (p < m_end && *p != a && *p != b) {
                ++p;
            }
            m_cur = p;
        } else {  // a buffer without a get area
            advance();
        }
    }
}

void StreamScanner::ignore(std::size_t count, char delim) {
    if (!m_is.good()) {
        fail();
        return;
    }
    std::size_t taken = 0;
    while (taken < count) {
        const int c = peek();
        if (c == kEof) {
            return;
        }
        if (m_cur < m_end) {
            const std::size_t avail = static_cast<std::size_t>(m_end - m_cur);
            const std::size_t span = avail < count - taken ? avail : count - taken;
            const void* hit = std::memchr(m_cur, delim, span);
            if (hit != nullptr) {
                m_cur = static_cast<const char*>(hit) + 1;
                return;
            }
            m_cur += span;
            taken += span;
        } else {  // a buffer without a get area
            advance();
            ++taken;
            if (c == static_cast<unsigned char>(delim)) {
                return;
            }
        }
    }
}

bool StreamScanner::readMagnitude(unsigned long long limit, unsigned long long& magnitude) {
    int c = peek();
    if (c < '0' || c > '9') {
        return false;
    }
    bool overflow = false;
    magnitude = 0;
    for (;;) {
        // Local copies: the loop runs in registers.
        const char* p = m_cur;
        const char* const end = m_end;
        unsigned long long value = magnitude;
        while (p < end && static_cast<unsigned char>(*p - '0') <= 9) {
            value = value * 10 + static_cast<unsigned char>(*p - '0');
            if (value > limit) {
                overflow = true;
                value = limit;  // keeps taking digits without wrapping
            }
            ++p;
        }
        m_cur = p;
        magnitude = value;
        if (p < end) {
            return !overflow;
        }
        c = refill();
        if (c < '0' || c > '9') {
            return !overflow;
        }
        if (m_cur >= m_end) {  // a buffer without a get area
            if (!overflow) {
                magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
                overflow = magnitude > limit;
            }
            advance();
        }
    }
}

bool StreamScanner::readInt(int& value) {
    skipSpace();
    if (!m_is.good()) {
        fail();
        return false;
    }
    bool negative = false;
    const int c = peek();
    if (c == '-' || c == '+') {
        negative = c == '-';
        advance();
    }
    unsigned long long magnitude = 0;
    const unsigned long long limit = negative ? 2147483648ULL : 2147483647ULL;
    if (!readMagnitude(limit, magnitude)) {
        fail();
        return false;
    }
    value = negative ? static_cast<int>(-static_cast<long long>(magnitude))
                     : static_cast<int>(magnitude);
    return true;
}

bool StreamScanner::readUnsigned(unsigned long& value) {
    skipSpace();
    if (!m_is.good()) {
        fail();
        return false;
    }
    bool negative = false;
    const int c = peek();
    if (c == '-' || c == '+') {
        negative = c == '-';
        advance();
    }
    unsigned long long magnitude = 0;
    if (!readMagnitude(0xFFFFFFFFULL, magnitude)) {
        fail();
        return false;
    }
    const std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    value = negative ? static_cast<std::uint32_t>(0u - bits) : bits;
    return true;
}

std::streampos StreamScanner::tell() {
    sync();
    const std::streampos pos = m_buf->pubseekoff(0, std::ios::cur, std::ios::in);
    fetch();
    return pos;
}

void StreamScanner::seek(std::streampos pos) {
    sync();
    m_is.seekg(pos);
    fetch();
}

}  // namespace vedrix::model
