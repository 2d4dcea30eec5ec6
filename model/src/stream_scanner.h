// StreamScanner: the structure-file readers' view of an input stream.
//
// It works on the stream's buffer directly, which keeps reading fast, but it
// mirrors the stream operations the file formats are defined by (a word read
// with a width, getline with a count, ignore, formatted numbers): the same
// characters are taken and the stream's eof and fail states are set where
// those operations set them, so a caller sees the stream as it would after
// them.
#pragma once

#include <cstddef>
#include <istream>
#include <streambuf>

namespace vedrix::model {

class StreamScanner {
public:
    explicit StreamScanner(std::istream& is) : m_is(is), m_buf(is.rdbuf()) {
        if (m_buf == nullptr) {
            m_is.setstate(std::ios::badbit);
        }
    }

    bool ok() const { return !m_is.fail(); }
    bool atEnd() const { return m_is.eof(); }
    void clear() { m_is.clear(); }

    // The next character without taking it; EOF (and eofbit) at the end.
    int peek();
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
    // and passes over the rest. Fails when the stream ends before `delim`.
    bool getField(char* buf, std::size_t cap, char delim);
    // "is.ignore(count, delim)".
    void ignore(std::size_t count, char delim);
    // Formatted numbers (white space skipped first). A signed number must fit
    // in 32 bits; an unsigned one is read as the platform's 32-bit unsigned
    // conversion does: a leading minus negates it modulo 2^32, a magnitude
    // beyond 32 bits fails.
    bool readInt(int& value);
    bool readUnsigned(unsigned long& value);

    // Position for returning to the start of a line.
    std::streampos tell() { return m_is.tellg(); }
    void seek(std::streampos pos) { m_is.seekg(pos); }

private:
    bool sentry();
    bool readMagnitude(unsigned long long limit, unsigned long long& magnitude);
    void fail() { m_is.setstate(std::ios::failbit); }

    std::istream& m_is;
    std::streambuf* m_buf;
};

inline bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace vedrix::model
