// StreamScanner: the structure-file readers' view of an input stream.
//
// It mirrors the stream operations the file formats are defined by (a word
// read with a width, getline with a count, ignore, formatted numbers): the
// same characters are taken, and the stream's eof and fail states are set
// where those operations set them, so a caller sees the stream as it would
// after them. For speed it reads the stream buffer's get area directly and
// hands the position back to the buffer whenever it refills, is positioned,
// or the scanner ends.
#pragma once

#include <cstddef>
#include <cstring>
#include <istream>
#include <streambuf>

namespace vedrix::model {

inline bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

class StreamScanner {
public:
    static constexpr int kEof = std::char_traits<char>::eof();

    explicit StreamScanner(std::istream& is);
    StreamScanner(const StreamScanner&) = delete;
    StreamScanner& operator=(const StreamScanner&) = delete;
    ~StreamScanner() { sync(); }

    bool ok() const { return !m_is.fail(); }
    bool atEnd() const { return m_is.eof(); }

    // The next character without taking it; EOF (and eofbit) at the end.
    int peek() {
        if (!m_is.good()) {
            return kEof;
        }
        return m_cur < m_end ? static_cast<unsigned char>(*m_cur) : refill();
    }
    // Takes one character; EOF (eofbit and failbit) at the end.
    int get();
    // Skips white space ("is >> std::ws").
    void skipSpace();
    // "is >> c": skips white space, then takes one character.
    bool getChar(char& c);
    // "is >> std::setw(cap) >> buf": skips white space and reads at most
    // cap - 1 characters of one word; fails when no character is read.
    bool readWord(char* buf, std::size_t cap);
    // "is.getline(buf, cap, delim)": at most cap - 1 characters; fails when
    // the line is longer or nothing at all can be read; eofbit when the stream
    // ends before the delimiter.
    bool getLine(char* buf, std::size_t cap, char delim = '\n');
    // A field up to `delim`, which is taken: keeps at most cap - 1 characters
    // and passes over the rest; `length` (may be null) receives the field's
    // whole length. Fails when the stream ends before `delim`.
    bool getField(char* buf, std::size_t cap, char delim, std::size_t* length = nullptr);
    // "is.ignore(count, delim)".
    void ignore(std::size_t count, char delim);
    // Passes over every character before the next `a` or `b`, which stays
    // next; at the end of the stream only eofbit is set, as by peek().
    void skipToEither(char a, char b);
    // Formatted numbers (white space skipped first). A signed number must fit
    // in 32 bits; an unsigned one is read as the platform's 32-bit unsigned
    // conversion does: a leading minus negates it modulo 2^32, a magnitude
    // beyond 32 bits fails.
    bool readInt(int& value);
    bool readUnsigned(unsigned long& value);

    // The rest of the current line, up to (not including) its newline, when
    // all of it already lies in the stream buffer; false otherwise. Nothing is
    // taken.
    bool bufferedLine(const char*& begin, const char*& newline) {
        if (!m_is.good() || m_cur >= m_end) {
            return false;
        }
        const void* hit = std::memchr(m_cur, '\n', static_cast<std::size_t>(m_end - m_cur));
        if (hit == nullptr) {
            return false;
        }
        begin = m_cur;
        newline = static_cast<const char*>(hit);
        return true;
    }
    // Takes everything before `p`, a position inside the buffered line.
    void takeUntil(const char* p) { m_cur = p; }

    // The stream's own position of the next character, for returning to the
    // start of a line (-1 for a stream that cannot tell it). Asked of the
    // stream buffer, since a stream's positions need not count the
    // characters it hands out: a text-mode file counts the carriage returns
    // it drops.
    std::streampos tell();
    void seek(std::streampos pos);

private:
    // The character at the cursor, after a refill; EOF at the end.
    int refill();
    // Moves past the character at the cursor.
    void advance() {
        if (m_cur < m_end) {
            ++m_cur;
        } else {
            sync();
            m_buf->sbumpc();  // a buffer without a get area
            fetch();
        }
    }
    void fetch();
    void sync();
    bool readMagnitude(unsigned long long limit, unsigned long long& magnitude);
    void fail() { m_is.setstate(std::ios::failbit); }
    void reachedEnd() { m_is.setstate(std::ios::eofbit); }

    std::istream& m_is;
    std::streambuf* m_buf;
    // The part of the buffer's get area not yet taken, and where the buffer
    // itself stands.
    const char* m_cur = nullptr;
    const char* m_end = nullptr;
    const char* m_fetched = nullptr;
};

}  // namespace vedrix::model
