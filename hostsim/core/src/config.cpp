#include <vedrix/hostsim/config.h>

#include <vedrix/framework/text_file.h>
#include <vedrix/hostsim/failures.h>
#include <vedrix/hostsim/text_lines.h>

#include <windows.h>

#include "file_cache.h"

#include <string>

namespace vedrix::hostsim {

namespace {

constexpr std::string_view kSetupPrefix = "setup.";
constexpr std::string_view kFolderPrefix = "folder.";
constexpr std::string_view kFailPrefix = "fail.";

// "12:2 14:3": drawing-file number and kind, pairs separated by blanks.
void ReadLoadedList(const std::string& value, std::vector<LoadedDrawingFile>& loaded) {
    loaded.clear();
    for (const std::string& pair : Split(value, ' ')) {
        const std::vector<std::string> parts = Split(pair, ':');
        LoadedDrawingFile entry;
        if (parts.size() == 2 && ParseInt(parts[0], entry.number) &&
            ParseInt(parts[1], entry.kind)) {
            loaded.push_back(entry);
        }
    }
}

// "3:104": the call that fails and its result. A later line for the same
// function replaces an earlier one.
void ReadFailure(const std::string& function, const std::string& value,
                 std::vector<InjectedFailure>& failures) {
    const std::vector<std::string> parts = Split(value, ':');
    InjectedFailure failure;
    failure.function = function;
    if (parts.size() != 2 || !ParseInt(parts[0], failure.call) ||
        !ParseInt(parts[1], failure.result) || failure.call < 1) {
        return;
    }
    std::erase_if(failures, [&](const InjectedFailure& f) { return f.function == function; });
    failures.push_back(failure);
}

void ReadSetting(const std::string& key, const std::string& value, HostConfig& config) {
    if (key == "project") {
        config.project = value;
    } else if (key == "unit") {
        ParseInt(value, config.unit);
    } else if (key == "drawing_limit") {
        ParseInt(value, config.drawingLimit);
    } else if (key == "naming") {
        ParseInt(value, config.namingType);
    } else if (key == "settings") {
        config.settingsFile = value;
    } else if (key == "texts") {
        config.textTable = value;
    } else if (key == "loaded") {
        ReadLoadedList(value, config.loaded);
    } else if (key.starts_with(kSetupPrefix) && key.size() > kSetupPrefix.size()) {
        config.setupDirectories[key.substr(kSetupPrefix.size())] = value;
    } else if (key.starts_with(kFolderPrefix) && key.size() > kFolderPrefix.size()) {
        config.folders[key.substr(kFolderPrefix.size())] = value;
    } else if (key.starts_with(kFailPrefix) && key.size() > kFailPrefix.size()) {
        ReadFailure(key.substr(kFailPrefix.size()), value, config.failures);
    }
}

}  // namespace

bool ReadHostConfig(const char* path, HostConfig& config) {
    framework::TextFileReader file(path);
    if (!file.is_open()) {
        return false;
    }
    std::string line;
    while (std::getline(file, line)) {
        const std::string trimmed = TrimBlanks(line);
        const std::size_t equals = trimmed.find('=');
        if (trimmed.empty() || trimmed[0] == '#' || equals == std::string::npos) {
            continue;
        }
        ReadSetting(TrimBlanks(trimmed.substr(0, equals)), TrimBlanks(trimmed.substr(equals + 1)),
                    config);
    }
    return true;
}

bool WriteHostConfig(const char* path, const HostConfig& config) {
    framework::TextFileWriter file(path);
    if (!file.is_open()) {
        return false;
    }
    file << "# simulated host configuration\n";
    file << "project=" << config.project << '\n';
    file << "unit=" << config.unit << '\n';
    file << "drawing_limit=" << config.drawingLimit << '\n';
    file << "naming=" << config.namingType << '\n';
    file << "settings=" << config.settingsFile << '\n';
    file << "texts=" << config.textTable << '\n';
    for (const auto& [kind, directory] : config.setupDirectories) {
        file << kSetupPrefix << kind << '=' << directory << '\n';
    }
    for (const auto& [tag, folder] : config.folders) {
        file << kFolderPrefix << tag << '=' << folder << '\n';
    }
    file << "loaded=";
    for (std::size_t i = 0; i < config.loaded.size(); ++i) {
        file << (i == 0 ? "" : " ") << config.loaded[i].number << ':' << config.loaded[i].kind;
    }
    file << '\n';
    for (const InjectedFailure& failure : config.failures) {
        file << kFailPrefix << failure.function << '=' << failure.call << ':' << failure.result
             << '\n';
    }
    // A configuration written afresh counts the calls of its failures afresh.
    ResetInjectedFailureCounts();
    return file.Commit();
}

std::shared_ptr<const HostConfig> SharedHostConfig() {
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(kConfigVariable, path, sizeof path);
    if (length > 0 && length < sizeof path) {
        static FileCache<HostConfig> cache;
        auto kept = cache.Get(path, [](const std::string& file, HostConfig& read) {
            return ReadHostConfig(file.c_str(), read);
        });
        if (kept) {
            return kept;
        }
    }
    static const auto defaults = std::make_shared<const HostConfig>();
    return defaults;
}

HostConfig CurrentHostConfig() {
    return *SharedHostConfig();
}

bool UseHostConfig(const char* path, const HostConfig& config) {
    return WriteHostConfig(path, config) && SetEnvironmentVariableA(kConfigVariable, path) != FALSE;
}

void JoinPathInto(std::string& path, const std::string& directory, std::string_view name) {
    path.assign(directory);
    if (!directory.empty() && directory.back() != '\\' && directory.back() != '/') {
        path.push_back('\\');
    }
    path.append(name);
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    // Put together in one piece: every call about a drawing file joins a
    // path.
    std::string path;
    path.reserve(directory.size() + 1 + name.size());
    JoinPathInto(path, directory, name);
    return path;
}

std::string ProjectFile(const HostConfig& config, const std::string& name) {
    return JoinPath(config.project, name);
}

}  // namespace vedrix::hostsim
