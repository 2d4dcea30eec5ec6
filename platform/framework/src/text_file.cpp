#include <vedrix/framework/text_file.h>

#include <vedrix/framework/file_save.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace vedrix::framework {

std::string NativePath(const char* path) {
    std::string native = path != nullptr ? path : "";
#if !defined(_WIN32)
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
#endif
    return native;
}

namespace {

// Drops each carriage return that stands before a line feed and gives the
// length that is left. The carriage returns are found with memchr and the
// text between two dropped ones moves down as one block, so a file without
// them is not copied at all.
std::size_t DropCarriageReturns(char* text, std::size_t length) {
    if (length == 0) {
        return 0;
    }
    const char* const end = text + length;
    char* out = text;
    const char* from = text;
    for (const char* cr = static_cast<const char*>(std::memchr(text, '\r', length)); cr != nullptr;
         cr = static_cast<const char*>(
             std::memchr(cr + 1, '\r', static_cast<std::size_t>(end - cr - 1)))) {
        if (cr + 1 < end && cr[1] == '\n') {
            const auto kept = static_cast<std::size_t>(cr - from);
            if (out != from) {
                std::memmove(out, from, kept);
            }
            out += kept;
            from = cr + 1;
        }
    }
    const auto rest = static_cast<std::size_t>(end - from);
    if (out != from) {
        std::memmove(out, from, rest);
    }
    return static_cast<std::size_t>(out - text) + rest;
}

}  // namespace

void TextFileReader::Buffer::assign(std::vector<char>&& bytes) {
    m_bytes = std::move(bytes);
    char* begin = m_bytes.data();
    setg(begin, begin, begin + m_bytes.size());
}

TextFileReader::Buffer::pos_type TextFileReader::Buffer::seekoff(off_type off,
                                                                 std::ios_base::seekdir dir,
                                                                 std::ios_base::openmode which) {
    if (!(which & std::ios_base::in)) {
        return pos_type(off_type(-1));
    }
    off_type base = 0;
    if (dir == std::ios_base::cur) {
        base = gptr() - eback();
    } else if (dir == std::ios_base::end) {
        base = egptr() - eback();
    }
    return seekpos(pos_type(base + off), which);
}

TextFileReader::Buffer::pos_type TextFileReader::Buffer::seekpos(pos_type pos,
                                                                 std::ios_base::openmode which) {
    const off_type offset = off_type(pos);
    if (!(which & std::ios_base::in) || offset < 0 || offset > egptr() - eback()) {
        return pos_type(off_type(-1));
    }
    setg(eback(), eback() + offset, egptr());
    return pos;
}

TextFileReader::TextFileReader(const char* path) : std::istream(nullptr) {
    rdbuf(&m_buffer);
    std::ifstream file(NativePath(path), std::ios::binary);
    if (!file) {
        setstate(std::ios::failbit);
        return;
    }
    // A path that opens but cannot be read (a directory, where the platform
    // lets one be opened) fails like a file that does not open; the stream
    // library reports such a read error by throwing.
    std::vector<char> bytes;
    try {
        char chunk[1 << 16];
        for (std::streamsize got; (got = file.rdbuf()->sgetn(chunk, sizeof chunk)) > 0;) {
            bytes.insert(bytes.end(), chunk, chunk + got);
        }
    } catch (const std::ios_base::failure&) {
        file.setstate(std::ios::badbit);
    }
    if (file.bad()) {
        setstate(std::ios::failbit);
        return;
    }
    bytes.resize(DropCarriageReturns(bytes.data(), bytes.size()));
    m_buffer.assign(std::move(bytes));
    m_open = true;
}

TextFileReader::~TextFileReader() = default;

TextFileWriter::TextFileWriter(const char* path)
    : std::ostream(nullptr), m_target(path != nullptr ? path : "") {
    rdbuf(&m_text);
    if (m_target.empty()) {
        setstate(std::ios::failbit);
    }
}

TextFileWriter::~TextFileWriter() = default;

bool TextFileWriter::Commit() {
    if (m_committed) {
        return false;
    }
    if (m_target.empty() || !good()) {
        setstate(std::ios::badbit);
        return false;
    }
    m_committed = true;
    std::string bytes = m_text.str();
#if defined(_WIN32)
    // Text mode: each line feed is written as carriage return and line feed.
    std::string lines;
    lines.reserve(bytes.size() + bytes.size() / 16);
    for (const char c : bytes) {
        if (c == '\n') {
            lines.push_back('\r');
        }
        lines.push_back(c);
    }
    bytes.swap(lines);
#endif
    if (SaveFile(m_target.c_str(), bytes.data(), bytes.size()) == SaveResult::kFailed) {
        setstate(std::ios::badbit);
        return false;
    }
    return true;
}

}  // namespace vedrix::framework
