#include "stream_scanner.h"

#include <cstdint>

namespace vedrix::model {

namespace {
constexpr int kEof = std::char_traits<char>::eof();
}

bool StreamScanner::sentry() {
    if (!m_is.good()) {
        // Any operation on a stream that is not good fails, as the stream's
        // own sentry makes it.
        fail();
        return false;
    }
    return true;
}

int StreamScanner::peek() {
    if (!m_is.good()) {
        return kEof;
    }
    int c = m_buf->sgetc();
    if (c == kEof) {
        m_is.setstate(std::ios::eofbit);
    }
    return c;
}

int StreamScanner::get() {
    if (!sentry()) {
        return kEof;
    }
    int c = m_buf->sbumpc();
    if (c == kEof) {
        m_is.setstate(std::ios::eofbit | std::ios::failbit);
    }
    return c;
}

void StreamScanner::skipSpace() {
    if (!m_is.good()) {
        fail();
        return;
    }
    int c = m_buf->sgetc();
    while (c != kEof && isSpace(c)) {
        c = m_buf->snextc();
    }
    if (c == kEof) {
        m_is.setstate(std::ios::eofbit);
    }
}

bool StreamScanner::getChar(char& c) {
    skipSpace();
    if (!m_is.good()) {
        fail();
        return false;
    }
    int ch = get();
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
        int c = m_buf->sgetc();
        while (n + 1 < cap && c != kEof && !isSpace(c)) {
            buf[n++] = static_cast<char>(c);
            c = m_buf->snextc();
        }
        if (c == kEof) {
            m_is.setstate(std::ios::eofbit);
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
    std::size_t n = 0;
    if (cap > 0) {
        buf[0] = '\0';
    }
    if (!sentry()) {
        return false;
    }
    const int d = std::char_traits<char>::to_int_type(delim);
    int c = m_buf->sgetc();
    for (;;) {
        if (c == kEof) {
            m_is.setstate(n == 0 ? (std::ios::eofbit | std::ios::failbit) : std::ios::eofbit);
            break;
        }
        if (c == d) {
            m_buf->sbumpc();
            ++n;  // the delimiter counts as extracted
            break;
        }
        if (n + 1 >= cap) {
            fail();  // line longer than the buffer
            break;
        }
        buf[n++] = static_cast<char>(c);
        buf[n] = '\0';
        c = m_buf->snextc();
    }
    return !m_is.fail();
}

bool StreamScanner::getField(char* buf, std::size_t cap, char delim) {
    std::size_t n = 0;
    if (cap > 0) {
        buf[0] = '\0';
    }
    if (!sentry()) {
        return false;
    }
    const int d = std::char_traits<char>::to_int_type(delim);
    for (int c = m_buf->sbumpc();; c = m_buf->sbumpc()) {
        if (c == kEof) {
            m_is.setstate(std::ios::eofbit | std::ios::failbit);
            return false;
        }
        if (c == d) {
            return true;
        }
        if (n + 1 < cap) {
            buf[n++] = static_cast<char>(c);
            buf[n] = '\0';
        }
    }
}

void StreamScanner::ignore(std::size_t count, char delim) {
    if (!m_is.good()) {
        fail();
        return;
    }
    const int d = std::char_traits<char>::to_int_type(delim);
    for (std::size_t taken = 0; taken < count; ++taken) {
        int c = m_buf->sbumpc();
        if (c == kEof) {
            m_is.setstate(std::ios::eofbit);
            return;
        }
        if (c == d) {
            return;
        }
    }
}

bool StreamScanner::readMagnitude(unsigned long long limit, unsigned long long& magnitude) {
    int c = m_buf->sgetc();
    if (c < '0' || c > '9') {
        if (c == kEof) {
            m_is.setstate(std::ios::eofbit);
        }
        return false;
    }
    bool overflow = false;
    magnitude = 0;
    while (c >= '0' && c <= '9') {
        if (!overflow) {
            magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
            overflow = magnitude > limit;
        }
        c = m_buf->snextc();
    }
    if (c == kEof) {
        m_is.setstate(std::ios::eofbit);
    }
    return !overflow;
}

bool StreamScanner::readInt(int& value) {
    skipSpace();
    if (!m_is.good()) {
        fail();
        return false;
    }
    bool negative = false;
    int c = m_buf->sgetc();
    if (c == '-' || c == '+') {
        negative = c == '-';
        m_buf->sbumpc();
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
    int c = m_buf->sgetc();
    if (c == '-' || c == '+') {
        negative = c == '-';
        m_buf->sbumpc();
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

}  // namespace vedrix::model
