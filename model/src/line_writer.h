// LineWriter: builds the structure files' lines in a buffer and hands them to
// the stream in large blocks. Errors stay in the stream's state.
#pragma once

#include <charconv>
#include <ostream>
#include <string>

namespace vedrix::model {

class LineWriter {
public:
    explicit LineWriter(std::ostream& os) : m_os(os) { m_buf.reserve(kBlock + 512); }
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;
    ~LineWriter() { flush(); }

    LineWriter& text(const char* s) {
        m_buf += s;
        return *this;
    }
    LineWriter& ch(char c) {
        m_buf += c;
        return *this;
    }
    template <class Number>
    LineWriter& number(Number n) {
        char digits[24];
        auto result = std::to_chars(digits, digits + sizeof digits, n);
        m_buf.append(digits, result.ptr);
        return *this;
    }
    // Ends a line; full blocks go to the stream.
    void endLine() {
        m_buf += '\n';
        if (m_buf.size() >= kBlock) {
            flush();
        }
    }
    void flush() {
        if (!m_buf.empty()) {
            m_os.write(m_buf.data(), static_cast<std::streamsize>(m_buf.size()));
            m_buf.clear();
        }
    }

private:
    static constexpr std::size_t kBlock = 64 * 1024;
    std::ostream& m_os;
    std::string m_buf;
};

}  // namespace vedrix::model
