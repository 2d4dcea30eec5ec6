#include <vedrix/hostsim/drawings.h>

#include <vedrix/framework/text_file.h>
#include <vedrix/hostsim/line_file.h>

#include "file_cache.h"

namespace vedrix::hostsim {

namespace {

bool ReadDrawingsFromFile(const std::string& path, std::vector<Drawing>& drawings) {
    drawings.clear();
    return ReadTextFile(path, [&](std::istream& file) { return ReadDrawingLines(file, drawings); });
}

}  // namespace

std::shared_ptr<const std::vector<Drawing>> SharedDrawings(const std::string& path) {
    static FileCache<std::vector<Drawing>> cache;
    return cache.Get(path, ReadDrawingsFromFile);
}

bool ReadDrawings(const std::string& path, std::vector<Drawing>& drawings) {
    const auto kept = SharedDrawings(path);
    if (!kept) {
        drawings.clear();
        return false;
    }
    drawings = *kept;
    return true;
}

bool WriteDrawings(const std::string& path, const std::vector<Drawing>& drawings) {
    framework::TextFileWriter file(path.c_str());
    if (!file.is_open()) {
        return false;
    }
    WriteDrawingLines(file, drawings);
    return file.Commit();
}

}  // namespace vedrix::hostsim
