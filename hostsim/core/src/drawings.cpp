#include <vedrix/hostsim/drawings.h>

#include <vedrix/framework/text_file.h>
#include <vedrix/hostsim/line_file.h>

namespace vedrix::hostsim {

bool ReadDrawings(const std::string& path, std::vector<Drawing>& drawings) {
    drawings.clear();
    return ReadTextFile(path, [&](std::istream& file) { return ReadDrawingLines(file, drawings); });
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
