// Structure files as 8-bit text streams.
//
// Paths are written with "\" as the separator, as the host writes them; on
// platforms whose separator is "/" it is turned into that. Reading drops a
// carriage return before a line feed, so files written on either platform
// read the same. Writing goes to a file beside the target, which replaces the
// target only when everything was written: a crash or a full disk in the
// middle leaves the old file, never a torn one.
#pragma once

#include <fstream>
#include <istream>
#include <ostream>
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

// Writes beside `path` and replaces it on Commit. Without a successful
// Commit the target stays as it was and the side file is removed.
class VEDRIX_FRAMEWORK_API TextFileWriter : public std::ostream {
public:
    explicit TextFileWriter(const char* path);
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;
    ~TextFileWriter() override;

    bool is_open() const { return m_file.is_open(); }
    // Flushes and closes the side file and puts it in the target's place.
    // False (target unchanged) when anything failed on the way.
    bool Commit();

private:
    std::string m_target;
    std::string m_side;
    std::filebuf m_file;
    bool m_committed = false;
};

}  // namespace vedrix::framework
