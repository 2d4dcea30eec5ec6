#include <vedrix/framework/text_file.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#if defined(_WIN32)
#include <windows.h>
#endif

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
    // Drop each carriage return that stands before a line feed.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            continue;
        }
        bytes[kept++] = bytes[i];
    }
    bytes.resize(kept);
    m_buffer.assign(std::move(bytes));
    m_open = true;
}

TextFileReader::~TextFileReader() = default;

TextFileWriter::TextFileWriter(const char* path)
    : std::ostream(nullptr), m_target(NativePath(path)), m_side(m_target + ".new") {
    // Text mode: lines end as the platform's text files end them.
    if (m_file.open(m_side, std::ios::out | std::ios::trunc) == nullptr) {
        setstate(std::ios::failbit);
        return;
    }
    rdbuf(&m_file);
}

TextFileWriter::~TextFileWriter() {
    if (!m_committed) {
        if (m_file.is_open()) {
            m_file.close();
            std::remove(m_side.c_str());
        }
    }
}

bool TextFileWriter::Commit() {
    if (m_committed || !m_file.is_open()) {
        return false;
    }
    flush();
    const bool written = good();
    const bool closed = m_file.close() != nullptr;
    if (!written || !closed) {
        std::remove(m_side.c_str());
        setstate(std::ios::badbit);
        return false;
    }
#if defined(_WIN32)
    const bool replaced =
        MoveFileExA(m_side.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    const bool replaced = std::rename(m_side.c_str(), m_target.c_str()) == 0;
#endif
    if (!replaced) {
        std::remove(m_side.c_str());
        setstate(std::ios::badbit);
        return false;
    }
    m_committed = true;
    return true;
}

}  // namespace vedrix::framework
