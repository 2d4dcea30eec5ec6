// A temporary project directory with the simulated host's configuration
// pointing at it, and helpers to lay out and inspect its files.
#pragma once

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/drawing_file.h>

#include <filesystem>
#include <string>

namespace hostsim_test {

namespace fs = std::filesystem;

class HostProject {
public:
    // A fresh directory; the configuration names it as the project, with the
    // settings file "settings.ini" inside.
    HostProject();
    ~HostProject();
    HostProject(const HostProject&) = delete;
    HostProject& operator=(const HostProject&) = delete;

    const fs::path& dir() const { return m_dir; }
    std::string str() const { return m_dir.string(); }
    fs::path file(const std::string& name) const { return m_dir / name; }

    vedrix::hostsim::HostConfig& config() { return m_config; }
    // Writes the configuration again after config() was changed.
    void apply();

    // Writes drawing file `number` with a header of that number, the name,
    // content byte and identifiers given, followed by `content`.
    void addDrawingFile(int number, const std::string& name, bool hasContent = true,
                        const std::string& content = "content");
    void addDrawingFile(const vedrix::hostsim::DrawingHeader& header,
                        const std::string& content = "content");
    fs::path drawingFile(int number) const;
    // Writes raw bytes as a file of the project.
    void writeFile(const std::string& name, const std::string& bytes) const;
    std::string readFile(const std::string& name) const;
    // A text file as a text stream reads it (its "\r\n" line ends on
    // Windows read as "\n").
    std::string readText(const std::string& name) const;
    vedrix::hostsim::DrawingHeader header(int number) const;

private:
    fs::path m_dir;
    vedrix::hostsim::HostConfig m_config;
};

}  // namespace hostsim_test
