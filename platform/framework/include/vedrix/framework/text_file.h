// Structure files as 8-bit text streams.
//
// Paths are written with "\" as the separator, as the host writes them; on
// platforms whose separator is "/" it is turned into that. Reading drops a
// carriage return before a line feed, so files written on either platform
// read the same. Writing collects the text and saves it whole on Commit
// (<vedrix/framework/file_save.h>): a crash or a full disk in the middle
// leaves the old file, never a torn one, wherever the file's directory and
// the programs holding it open allow that.
#pragma once

#include <istream>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <vedrix/framework/export.h>

namespace vedrix::framework {

// The path as the platform's file functions take it.
VEDRIX_FRAMEWORK_API std::string NativePath(const char* path);

// The whole file, line ends normalised, held in memory; it can be read and
// positioned like any input stream. A file that cannot be opened gives a
// stream whose failbit is set.
class VEDRIX_FRAMEWORK_API TextFileReader : public std::istream {
public:
    explicit TextFileReader(const char* path);
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;
    ~TextFileReader() override;

    bool is_open() const { return m_open; }

private:
    class Buffer : public std::streambuf {
    public:
        void assign(std::vector<char>&& bytes);

    protected:
        pos_type seekoff(off_type off, std::ios_base::seekdir dir,
                         std::ios_base::openmode which) override;
        pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;

    private:
        std::vector<char> m_bytes;
    };

    Buffer m_buffer;
    bool m_open = false;
};

// Collects the text of the file at `path` and saves it on Commit, with lines
// ended as the platform's text files end them. Without a Commit nothing is
// written.
class VEDRIX_FRAMEWORK_API TextFileWriter : public std::ostream {
public:
    explicit TextFileWriter(const char* path);
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;
    ~TextFileWriter() override;

    // True when the writer takes text: it was given a file name. Whether the
    // file can be written shows at Commit.
    bool is_open() const { return !m_target.empty(); }
    // Saves the text (SaveFile). False, with badbit, when the stream failed
    // or even the plain write of the file failed. A second Commit saves
    // nothing and is false.
    bool Commit();

private:
    std::string m_target;
    std::stringbuf m_text;
    bool m_committed = false;
};

}  // namespace vedrix::framework
