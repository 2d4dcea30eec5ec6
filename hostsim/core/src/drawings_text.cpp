#include <vedrix/hostsim/drawings.h>

#include <vedrix/hostsim/text_lines.h>

#include <istream>
#include <ostream>

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

}  // namespace

bool ReadDrawingLines(std::istream& in, std::vector<Drawing>& drawings) {
    drawings.clear();
    std::string line;
    while (std::getline(in, line)) {
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

void WriteDrawingLines(std::ostream& out, const std::vector<Drawing>& drawings) {
    out << "#number\tdrawing files\tname\n";
    for (const Drawing& drawing : drawings) {
        out << drawing.number << '\t';
        for (std::size_t i = 0; i < drawing.drawingFiles.size(); ++i) {
            out << (i == 0 ? "" : ",") << drawing.drawingFiles[i];
        }
        out << '\t' << OneLineField(drawing.name) << '\n';
    }
}

}  // namespace vedrix::hostsim
