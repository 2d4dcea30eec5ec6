#include <vedrix/hostsim/drawings.h>

#include <vedrix/framework/text_file.h>
#include <vedrix/hostsim/line_file.h>
#include <vedrix/hostsim/text_lines.h>

#include "file_cache.h"

namespace vedrix::hostsim {

namespace {

bool ParseDrawing(const std::string& line, Drawing& drawing) {
    const std::vector<std::string> fields = Split(line, '\t');
    if (fields.size() != 3 || !ParseInt(fields[0], drawing.number) || drawing.number < 1) {
        return false;
    }
    if (!TrimBlanks(fields[1]).empty()) {
        for (const std::string& item : Split(fields[1], ',')) {
            int number = 0;
            if (!ParseInt(item, number)) {
                return false;
            }
            drawing.drawingFiles.push_back(number);
        }
    }
    drawing.name = fields[2];
    return true;
}

bool ReadDrawingsFromFile(const std::string& path, std::vector<Drawing>& drawings) {
    drawings.clear();
    std::vector<std::string> lines;
    if (!ReadFileLines(path, lines)) {
        return false;
    }
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        Drawing drawing;
        if (!ParseDrawing(line, drawing)) {
            drawings.clear();
            return false;
        }
        drawings.push_back(std::move(drawing));
    }
    return true;
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
    file << "#number\tdrawing files\tname\n";
    for (const Drawing& drawing : drawings) {
        file << drawing.number << '\t';
        for (std::size_t i = 0; i < drawing.drawingFiles.size(); ++i) {
            file << (i == 0 ? "" : ",") << drawing.drawingFiles[i];
        }
        file << '\t' << OneLineField(drawing.name) << '\n';
    }
    return file.Commit();
}

}  // namespace vedrix::hostsim
