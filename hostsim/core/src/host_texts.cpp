#include <vedrix/hostsim/host_texts.h>

#include <vedrix/hostsim/line_file.h>
#include <vedrix/hostsim/text_lines.h>

#include <windows.h>

#include <string>
#include <vector>

namespace vedrix::hostsim {

namespace {

// The directory of this library's file, with its separator at the end; ""
// when it cannot be found.
std::string OwnDirectory() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(&OwnDirectory), &module)) {
        return std::string();
    }
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, sizeof path);
    if (length == 0 || length >= sizeof path) {
        return std::string();
    }
    const std::string file(path, length);
    const std::size_t separator = file.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : file.substr(0, separator + 1);
}

}  // namespace

std::string TextTablePath(const HostConfig& config) {
    if (!config.textTable.empty()) {
        return config.textTable;
    }
    return OwnDirectory() + kDefaultTextTableName;
}

bool LookUpHostText(const std::string& tablePath, unsigned int number, unsigned int part,
                    std::string& text) {
    std::vector<std::string> lines;
    if (!ReadFileLines(tablePath, lines)) {
        return false;
    }
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t first = line.find('\t');
        const std::size_t second =
            first == std::string::npos ? std::string::npos : line.find('\t', first + 1);
        int lineNumber = 0;
        int linePart = 0;
        if (second == std::string::npos || !ParseInt(line.substr(0, first), lineNumber) ||
            !ParseInt(line.substr(first + 1, second - first - 1), linePart)) {
            continue;
        }
        if (static_cast<unsigned int>(lineNumber) == number &&
            static_cast<unsigned int>(linePart) == part) {
            text = line.substr(second + 1);
            return true;
        }
    }
    return false;
}

}  // namespace vedrix::hostsim
