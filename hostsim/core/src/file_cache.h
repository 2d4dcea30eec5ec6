// The content last read from a host file, kept while the file stays as it
// was, so that the stand-ins, which look at their files on every call, do
// not read and parse an unchanged file again and again.
//
// A file stays as it was while its identity (device and inode), its size and
// its change and modification times stay. Content is kept only when the file
// changed at least a second before it was read: file systems with coarse
// times give a change within the same tick the same times, and a file that
// changed so recently is read again until its times have settled. Where the
// times cannot be had (the Windows build), every call reads the file.
#pragma once

#include <string>

namespace vedrix::hostsim {

struct FileStamp {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long changeSeconds = 0;
    long changeNanoseconds = 0;
    long long modifySeconds = 0;
    long modifyNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path` ("\" separators allowed); false when there
// is none to be had.
bool StampOf(const std::string& path, FileStamp& stamp);

// Whether content read now under `stamp` may be kept.
bool Settled(const FileStamp& stamp);

// One file's content of type T, kept between calls. The host calls its
// libraries on its user-interface thread only, so a cache needs no lock.
template <typename T>
class FileCache {
public:
    // The content of the file at `path`: the kept one while the file stays
    // as it was, else what `read(path, value)` gives (its result is
    // returned; a failed read keeps nothing).
    template <typename Read>
    bool Get(const std::string& path, T& value, Read read) {
        FileStamp stamp;
        const bool stamped = StampOf(path, stamp);
        if (stamped && m_kept && m_path == path && m_stamp == stamp) {
            value = m_value;
            return true;
        }
        m_kept = false;
        if (!read(path, value)) {
            return false;
        }
        if (stamped && Settled(stamp)) {
            m_path = path;
            m_stamp = stamp;
            m_value = value;
            m_kept = true;
        }
        return true;
    }

private:
    bool m_kept = false;
    std::string m_path;
    FileStamp m_stamp;
    T m_value{};
};

}  // namespace vedrix::hostsim
