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

bool ReadFileLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    if (FileIsMissing(path)) {
        return true;
    }
    framework::TextFileReader file(path.c_str());
    if (!file.is_open()) {
        return false;
    }
    std::string line;
    while (std::getline(file, line)) {
        lines.push_back(std::move(line));
    }
    return true;
}

}  // namespace vedrix::hostsim
