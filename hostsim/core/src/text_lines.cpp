#include <vedrix/hostsim/text_lines.h>

#include <charconv>
#include <cstring>

namespace vedrix::hostsim {

bool ParseInt(std::string_view text, int& value) {
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty()) {
        return false;
    }
    const char* begin = trimmed.data();
    const char* end = begin + trimmed.size();
    if (*begin == '+') {
        ++begin;
    }
    int parsed = 0;
    const auto [stop, error] = std::from_chars(begin, end, parsed);
    if (error != std::errc() || stop != end) {
        return false;
    }
    value = parsed;
    return true;
}

std::string TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::string();
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string TrimTrailingBlanks(std::string_view text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t stop = text.find(separator, start);
        if (stop == std::string_view::npos) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, stop - start));
        start = stop + 1;
    }
}

std::string OneLineField(std::string_view text) {
    std::string field;
    AppendOneLineField(field, text);
    return field;
}

void AppendOneLineField(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    out.append(text);
    for (std::size_t i = start; i < out.size(); ++i) {
        if (out[i] == '\t' || out[i] == '\r' || out[i] == '\n') {
            out[i] = ' ';
        }
    }
}

void CopyBounded(char* buffer, std::size_t size, std::string_view text) {
    if (buffer == nullptr || size == 0) {
        return;
    }
    const std::size_t length = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

void CopyPadded(char* buffer, std::string_view text, std::size_t length) {
    if (buffer == nullptr) {
        return;
    }
    const std::size_t used = text.size() < length ? text.size() : length;
    std::memcpy(buffer, text.data(), used);
    std::memset(buffer + used, ' ', length - used);
    buffer[length] = '\0';
}

}  // namespace vedrix::hostsim
