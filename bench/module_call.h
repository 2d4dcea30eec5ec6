// What the benchmarks of the module's exported functions share: a project
// directory of their own that the host stand-ins take as the current
// project, and the module loaded by name as the host loads it.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <thread>

#include <vedrix/hostsim/config.h>

namespace vedrix::bench {

// A fresh directory in the temporary directory, removed with everything in
// it when the object goes.
class ScratchProject {
public:
    // Creates "<prefix><random number>" and points the host stand-ins at it.
    // ok() tells whether both worked.
    explicit ScratchProject(const std::string& prefix) {
        std::random_device random;
        m_dir = std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
        std::error_code error;
        std::filesystem::create_directories(m_dir, error);
        vedrix::hostsim::HostConfig config;
        config.project = m_dir.string();
        m_ok = !error && vedrix::hostsim::UseHostConfig((m_dir / "host.cfg").c_str(), config);
        if (!m_ok) {
            std::fprintf(stderr,
                         "the project directory or its host configuration cannot be made\n");
        }
    }
    ~ScratchProject() {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    ScratchProject(const ScratchProject&) = delete;
    ScratchProject& operator=(const ScratchProject&) = delete;

    bool ok() const { return m_ok; }
    const std::filesystem::path& dir() const { return m_dir; }

private:
    std::filesystem::path m_dir;
    bool m_ok = false;
};

// Waits until the host files written so far are older than the time after
// which the host stand-ins keep what they read of a file while it stays as
// it is (they read a file changed within the last second or two afresh on
// every call, since coarse file times could hide a second change). A dialog
// in a session meets host files written long before; one timed at once
// would measure the stand-ins reading their configuration on every call.
// (The platform's Sleep only moves the desktop's virtual clock.)
inline void letHostFilesSettle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
}

// The module's export `name`, the module loaded by name from the program's
// directory; null when either is missing.
template <typename Function>
Function moduleExport(const char* name) {
    HMODULE module = ::LoadLibraryA("vedrix.dll");
    return module != nullptr ? reinterpret_cast<Function>(
                                   reinterpret_cast<void (*)()>(::GetProcAddress(module, name)))
                             : nullptr;
}

}  // namespace vedrix::bench
