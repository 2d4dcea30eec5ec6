#include <vedrix/hostsim/settings.h>

#include <vedrix/framework/text_file.h>
#include <vedrix/hostsim/line_file.h>
#include <vedrix/hostsim/text_lines.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace vedrix::hostsim {

namespace {

bool SameKey(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsComment(const std::string& line) {
    return line.empty() || line[0] == '#' || line[0] == ';';
}

// "[n]" gives true and n; any other line false.
bool SectionOf(const std::string& line, int& section) {
    const std::string trimmed = TrimBlanks(line);
    return trimmed.size() > 2 && trimmed.front() == '[' && trimmed.back() == ']' &&
           ParseInt(std::string_view(trimmed).substr(1, trimmed.size() - 2), section);
}

// The key of a "key=value" line (trimmed), or false.
bool KeyOf(const std::string& line, std::string& key, std::string& value) {
    const std::size_t equals = line.find('=');
    if (IsComment(line) || equals == std::string::npos) {
        return false;
    }
    key = TrimBlanks(std::string_view(line).substr(0, equals));
    value = TrimBlanks(std::string_view(line).substr(equals + 1));
    return true;
}

}  // namespace

bool ReadSetting(const std::string& path, int section, const std::string& key, std::string& value) {
    std::vector<std::string> lines;
    if (path.empty() || !ReadFileLines(path, lines)) {
        return false;
    }
    int current = 0;
    bool inSection = false;
    for (const std::string& line : lines) {
        if (SectionOf(line, current)) {
            inSection = current == section;
            continue;
        }
        std::string lineKey;
        std::string lineValue;
        if (inSection && KeyOf(line, lineKey, lineValue) && SameKey(lineKey, key)) {
            value = lineValue;
            return true;
        }
    }
    return false;
}

bool WriteSetting(const std::string& path, int section, const std::string& key,
                  const std::string& value) {
    std::vector<std::string> lines;
    if (path.empty() || !ReadFileLines(path, lines)) {
        return false;
    }
    const std::string entry = OneLineField(key) + "=" + OneLineField(value);
    // Replace the key's line; otherwise add the key after the section's last
    // entry, or add the section at the end.
    int current = 0;
    bool inSection = false;
    bool replaced = false;
    std::optional<std::size_t> insertAt;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (SectionOf(lines[i], current)) {
            if (inSection) {
                break;
            }
            inSection = current == section;
            if (inSection) {
                insertAt = i + 1;
            }
            continue;
        }
        std::string lineKey;
        std::string lineValue;
        if (inSection && KeyOf(lines[i], lineKey, lineValue) && SameKey(lineKey, key)) {
            lines[i] = entry;
            replaced = true;
            break;
        }
        if (inSection && !TrimBlanks(lines[i]).empty()) {
            insertAt = i + 1;
        }
    }
    if (!replaced) {
        if (!insertAt) {
            lines.push_back("[" + std::to_string(section) + "]");
            insertAt = lines.size();
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*insertAt), entry);
    }
    framework::TextFileWriter file(path.c_str());
    if (!file.is_open()) {
        return false;
    }
    for (const std::string& line : lines) {
        file << line << '\n';
    }
    return file.Commit();
}

}  // namespace vedrix::hostsim
