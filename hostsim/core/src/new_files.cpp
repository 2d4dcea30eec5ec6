#include "new_files.h"

#include "file_cache.h"

#include <map>

namespace vedrix::hostsim {

namespace {

// The host calls its libraries on its user-interface thread only.
std::map<std::string, FileStamp>& NewFiles() {
    static std::map<std::string, FileStamp> files;
    return files;
}

}  // namespace

void NoteNewFile(const std::string& path) {
    FileStamp stamp;
    if (StampOf(path, stamp)) {
        NewFiles()[path] = stamp;
    }
}

bool TakeNewFile(const std::string& path) {
    auto& files = NewFiles();
    const auto found = files.find(path);
    if (found == files.end()) {
        return false;
    }
    const FileStamp noted = found->second;
    files.erase(found);
    FileStamp now;
    return StampOf(path, now) && now == noted;
}

}  // namespace vedrix::hostsim
