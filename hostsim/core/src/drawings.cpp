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

bool ReadDrawings(const std::string& path, std::vector<Drawing>& drawings) {
    static FileCache<std::vector<Drawing>> cache;
    if (!cache.Get(path, drawings, ReadDrawingsFromFile)) {
        drawings.clear();
        return false;
    }
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
