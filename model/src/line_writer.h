// LineWriter: builds the structure files' lines in a buffer and hands them to
// the stream in large blocks. Errors stay in the stream's state.
#pragma once

#include <charconv>
#include <cstring>
#include <ostream>

namespace vedrix::model {

class LineWriter {
public:
    explicit LineWriter(std::ostream& os) : m_os(os) {}
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;
    ~LineWriter() { flush(); }

    LineWriter& text(const char* s) { return bytes(s, std::strlen(s)); }
    LineWriter& bytes(const char* s, std::size_t n) {
        if (n > kBlock - m_len) {
            flush();
            if (n > kBlock) {
                m_os.write(s, static_cast<std::streamsize>(n));
                return *this;
            }
        }
        std::memcpy(m_buf + m_len, s, n);
        m_len += n;
        return *this;
    }
    LineWriter& ch(char c) {
        if (m_len == kBlock) {
            flush();
        }
        m_buf[m_len++] = c;
        return *this;
    }
    template <class Number>
    LineWriter& number(Number n) {
        if (kBlock - m_len < kMaxDigits) {
            flush();
        }
        auto result = std::to_chars(m_buf + m_len, m_buf + m_len + kMaxDigits, n);
        m_len = static_cast<std::size_t>(result.ptr - m_buf);
        return *this;
    }
    void endLine() { ch('\n'); }
    void flush() {
        if (m_len > 0) {
            m_os.write(m_buf, static_cast<std::streamsize>(m_len));
            m_len = 0;
        }
    }

private:
    static constexpr std::size_t kBlock = 32 * 1024;
    static constexpr std::size_t kMaxDigits = 24;
    std::ostream& m_os;
    std::size_t m_len = 0;
    char m_buf[kBlock];
};

}  // namespace vedrix::model
