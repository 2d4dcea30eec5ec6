#include "kernel/name_index.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "kernel/paths.h"

namespace vedrix::winapi::kernel {
namespace {

// At most this many directories keep their names; the one used longest ago
// makes room for the next.
constexpr std::size_t kMaxDirectories = 64;

// A directory's identity and the last time an entry of it changed.
struct DirectoryStamp {
    dev_t device = 0;
    ino_t inode = 0;
    time_t changeSeconds = 0;
    long changeNanoseconds = 0;

    bool SameDirectory(const DirectoryStamp& other) const {
        return device == other.device && inode == other.inode;
    }
    bool operator==(const DirectoryStamp&) const = default;
};

// False when the status is not a directory's.
bool StampOf(const struct stat& st, DirectoryStamp& stamp) {
    if (!S_ISDIR(st.st_mode)) {
        return false;
    }
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.changeSeconds = st.st_ctim.tv_sec;
    stamp.changeNanoseconds = st.st_ctim.tv_nsec;
    return true;
}

// False when the path is not a directory that can be looked at.
bool StampOf(const std::string& dir, DirectoryStamp& stamp) {
    struct stat st;
    return stat(dir.c_str(), &st) == 0 && StampOf(st, stamp);
}

std::string Folded(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        c = static_cast<char>(FoldLower(static_cast<unsigned char>(c)));
    }
    return folded;
}

// Whether a path is absolute with no "." or ".." component, no repeated
// separator and none at its end: what MakeAbsolute would make of it anyway.
bool IsPlainAbsolute(const std::string& path) {
    if (path.empty() || path[0] != '/') {
        return false;
    }
    if (path.size() > 1 && path.back() == '/') {
        return false;
    }
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '/') {
            continue;
        }
        const std::string_view rest = std::string_view(path).substr(i + 1);
        if (rest.starts_with('/') || rest == "." || rest == ".." || rest.starts_with("./") ||
            rest.starts_with("../")) {
            return false;
        }
    }
    return true;
}

// The index's key of a directory: its absolute path.
std::string KeyOf(const std::string& dir) {
    return IsPlainAbsolute(dir) ? dir : MakeAbsolute(dir);
}

// One directory's names by their folded form; the names of one folded form
// in byte-wise order.
struct DirectoryNames {
    DirectoryStamp stamp;
    std::unordered_map<std::string, std::vector<std::string>> byFolded;
    std::uint64_t lastUse = 0;

    void Insert(const std::string& name) {
        std::vector<std::string>& names = byFolded[Folded(name)];
        const auto at = std::lower_bound(names.begin(), names.end(), name);
        if (at == names.end() || *at != name) {
            names.insert(at, name);
        }
    }
    void Erase(const std::string& name) {
        const auto found = byFolded.find(Folded(name));
        if (found == byFolded.end()) {
            return;
        }
        std::erase(found->second, name);
        if (found->second.empty()) {
            byFolded.erase(found);
        }
    }
    std::string Smallest(const std::string& name) const {
        const auto found = byFolded.find(Folded(name));
        return found == byFolded.end() ? std::string() : found->second.front();
    }
};

// The index of every directory looked up so far, by its absolute path.
class NameIndex {
public:
    std::string Find(const std::string& dir, const std::string& name, const struct stat* status) {
        const std::string key = KeyOf(dir);
        std::lock_guard<std::mutex> lock(m_mutex);
        DirectoryStamp stamp;
        if (status != nullptr ? !StampOf(*status, stamp) : !StampOf(dir, stamp)) {
            m_directories.erase(key);
            return std::string();
        }
        auto found = m_directories.find(key);
        if (found == m_directories.end() || !(found->second.stamp == stamp)) {
            // Stamped before reading: a change made while the names are
            // read moves the change time past the stamp, so the next lookup
            // reads them again.
            std::vector<std::string> names;
            if (!ListDirectory(dir, names)) {
                m_directories.erase(key);
                return std::string();
            }
            DirectoryNames read;
            read.stamp = stamp;
            for (const std::string& entry : names) {
                read.Insert(entry);
            }
            MakeRoomFor(key);
            found = m_directories.insert_or_assign(key, std::move(read)).first;
        }
        found->second.lastUse = ++m_uses;
        return found->second.Smallest(name);
    }

    // Whether the directory's names are kept and still current. Names that
    // are no longer current are dropped.
    bool Current(const std::string& dir, const struct stat* status) {
        const std::string key = KeyOf(dir);
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_directories.find(key);
        if (found == m_directories.end()) {
            return false;
        }
        DirectoryStamp stamp;
        if ((status != nullptr ? StampOf(*status, stamp) : StampOf(dir, stamp)) &&
            found->second.stamp == stamp) {
            return true;
        }
        m_directories.erase(found);
        return false;
    }

    // After the platform's own change of one name: the names take the
    // change and the directory's new stamp.
    void Apply(const std::string& dir, const std::string& name, bool added) {
        const std::string key = KeyOf(dir);
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_directories.find(key);
        if (found == m_directories.end()) {
            return;
        }
        DirectoryStamp stamp;
        if (!StampOf(dir, stamp) || !stamp.SameDirectory(found->second.stamp)) {
            m_directories.erase(found);
            return;
        }
        if (added) {
            found->second.Insert(name);
        } else {
            found->second.Erase(name);
        }
        found->second.stamp = stamp;
    }

    void Drop(const std::string& dir) {
        const std::string key = KeyOf(dir);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_directories.erase(key);
    }

private:
    void MakeRoomFor(const std::string& key) {
        if (m_directories.size() < kMaxDirectories || m_directories.count(key) != 0) {
            return;
        }
        const auto oldest = std::min_element(
            m_directories.begin(), m_directories.end(),
            [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        m_directories.erase(oldest);
    }

    std::mutex m_mutex;
    std::unordered_map<std::string, DirectoryNames> m_directories;
    std::uint64_t m_uses = 0;
};

// Never destroyed: file functions may still run while statics are torn down.
NameIndex& TheIndex() {
    static NameIndex* index = new NameIndex;
    return *index;
}

}  // namespace

std::string FindEntryNoCase(const std::string& dir, const std::string& name,
                            const struct stat* dirStatus) {
    return TheIndex().Find(dir.empty() ? "." : dir, name, dirStatus);
}

NameChange::NameChange(const std::string& nativePath, const struct stat* dirStatus)
    : m_directory(DirectoryOf(nativePath)),
      m_name(LastComponent(nativePath)),
      m_current(TheIndex().Current(m_directory, dirStatus)) {}

void NameChange::Added() {
    Apply(true);
}

void NameChange::Removed() {
    Apply(false);
}

void NameChange::Apply(bool added) {
    if (m_current) {
        TheIndex().Apply(m_directory, m_name, added);
    }
    m_current = false;
}

NameChange::~NameChange() {
    // Neither told: the change failed, perhaps halfway; names that were
    // current before it may no longer be.
    if (m_current) {
        TheIndex().Drop(m_directory);
    }
}

}  // namespace vedrix::winapi::kernel
