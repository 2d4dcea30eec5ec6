// The content last read from a host file, kept while the file stays as it
// was, so that the stand-ins, which look at their files on every call, do
// not read and parse an unchanged file again and again.
//
// Where the kernel reports changes to the file (file_watch.h), the content
// read is kept until a change is reported, which costs a call no look at
// the file at all. Elsewhere the file's stamp decides:
// a file stays as it was while its identity (device and inode), its size and
// its change and modification times stay; a missing file stays missing while
// its directory's do. Content is kept only when the file
// changed at least a second before it was read: file systems with coarse
// times give a change within the same tick the same times, and a file that
// changed so recently is read again until its times have settled. On
// Windows the identity is the volume's serial number and the file index, the
// times the change and last-write times.
#pragma once

#include <memory>
#include <string>

#include "file_watch.h"

namespace vedrix::hostsim {

struct FileStamp {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long changeSeconds = 0;
    long changeNanoseconds = 0;
    long long modifySeconds = 0;
    long modifyNanoseconds = 0;
    // No file is there: the rest is its directory's stamp, which changes
    // when a file of that name is made or moved in.
    bool absent = false;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path` ("\" separators allowed), or, when there
// is no file of that name, its directory's marked absent; false when there is
// none to be had. What a read made of a missing file is so kept too.
bool StampOf(const std::string& path, FileStamp& stamp);

// Whether no file answers to `path` when its case is ignored, as the
// platform's file functions look names up: a stamp marked absent speaks only
// for the exact name.
bool MissingInAnyCase(const std::string& path);

// Whether content read now under `stamp` may be kept.
bool Settled(const FileStamp& stamp);

// One file's content of type T, kept between calls and handed out shared,
// so that a call that only looks at it copies nothing. The host calls its
// libraries on its user-interface thread only, so a cache needs no lock.
template <typename T>
class FileCache {
public:
    // The content of the file at `path`: the kept one while the file stays
    // as it was, else what `read(path, value)` gives; null when that read
    // fails (and then nothing is kept).
    template <typename Read>
    std::shared_ptr<const T> Get(const std::string& path, Read read) {
        if (m_value && m_watched && m_path == path && UnchangedSince(m_ticket)) {
            return m_value;
        }
        WatchTicket ticket;
        if (WatchFile(path, ticket)) {
            return ReadWatched(path, std::move(ticket), read);
        }
        return ReadStamped(path, read);
    }

private:
    // Reads the file under a watch started before the reading: what it
    // gives is kept until a change is reported.
    template <typename Read>
    std::shared_ptr<const T> ReadWatched(const std::string& path, WatchTicket ticket, Read read) {
        m_value.reset();
        auto value = std::make_shared<T>();
        if (!read(path, *value)) {
            return nullptr;
        }
        m_path = path;
        m_watched = true;
        m_ticket = std::move(ticket);
        m_value = value;
        return value;
    }

    // Reads the file unless its stamp is the kept content's; keeps what it
    // reads once the file has settled.
    template <typename Read>
    std::shared_ptr<const T> ReadStamped(const std::string& path, Read read) {
        FileStamp stamp;
        const bool stamped = StampOf(path, stamp);
        if (stamped && m_value && !m_watched && m_path == path && m_stamp == stamp) {
            return m_value;
        }
        m_value.reset();
        auto value = std::make_shared<T>();
        if (!read(path, *value)) {
            return nullptr;
        }
        if (stamped && Settled(stamp) && (!stamp.absent || MissingInAnyCase(path))) {
            m_path = path;
            m_watched = false;
            m_stamp = stamp;
            m_value = value;
        }
        return value;
    }

    std::string m_path;
    // Kept under a watch (m_ticket) or under the file's stamp (m_stamp).
    bool m_watched = false;
    WatchTicket m_ticket;
    FileStamp m_stamp;
    std::shared_ptr<const T> m_value;
};

}  // namespace vedrix::hostsim
