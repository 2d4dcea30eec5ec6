#include <vedrix/hostsim/line_file.h>

#include <vedrix/framework/text_file.h>

#include <windows.h>

namespace vedrix::hostsim {

bool FileIsMissing(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool ReadTextFile(const std::string& path, const std::function<bool(std::istream&)>& read) {
    if (FileIsMissing(path)) {
        return true;
    }
    framework::TextFileReader file(path.c_str());
    return file.is_open() && read(file);
}

bool ForEachFileLine(const std::string& path, const std::function<bool(std::string_view)>& visit) {
    return ReadTextFile(path, [&](std::istream& file) {
        // One buffer for every line: a line costs no allocation of its own
        // once the buffer has grown to the longest line.
        std::string line;
        while (std::getline(file, line)) {
            if (!visit(line)) {
                break;
            }
        }
        return true;
    });
}

bool ReadFileLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    return ForEachFileLine(path, [&](std::string_view line) {
        lines.emplace_back(line);
        return true;
    });
}

}  // namespace vedrix::hostsim
