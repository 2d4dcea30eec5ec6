// Temporary directories, files and saved process state for the kernel tests.
#pragma once

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace kernel_test {

namespace fs = std::filesystem;

// A fresh directory, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        const fs::path base = fs::temp_directory_path();
        for (;;) {
            m_path = base / ("vedrix-kernel-" + std::to_string(random()));
            if (fs::create_directory(m_path)) {
                break;
            }
        }
    }
    ~TempDir() {
        std::error_code ignored;
        // Read-only files and directories must not keep their parent alive.
        for (auto it = fs::recursive_directory_iterator(m_path, ignored);
             it != fs::recursive_directory_iterator(); it.increment(ignored)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return m_path; }
    std::string str() const { return m_path.string(); }
    // The path of a name in the directory, in the platform's form ("\").
    std::string win(const std::string& name = std::string()) const {
        std::string result = m_path.string();
        if (!name.empty()) {
            result += "/" + name;
        }
        for (char& c : result) {
            if (c == '/') {
                c = '\\';
            }
        }
        return result;
    }

private:
    fs::path m_path;
};

inline void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string text(static_cast<size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    return text;
}

// Restores the current directory at the end of the test.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() : m_saved(fs::current_path()) {}
    ~CurrentDirectoryGuard() {
        std::error_code ignored;
        fs::current_path(m_saved, ignored);
    }
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

private:
    fs::path m_saved;
};

// Restores an environment variable at the end of the test.
class VariableGuard {
public:
    explicit VariableGuard(const char* name) : m_name(name) {
        char buffer[32768];
        const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
        m_had = length > 0 && length < sizeof buffer;
        if (m_had) {
            m_value = buffer;
        }
    }
    ~VariableGuard() { SetEnvironmentVariableA(m_name.c_str(), m_had ? m_value.c_str() : nullptr); }
    VariableGuard(const VariableGuard&) = delete;
    VariableGuard& operator=(const VariableGuard&) = delete;

private:
    std::string m_name;
    std::string m_value;
    bool m_had = false;
};

}  // namespace kernel_test
