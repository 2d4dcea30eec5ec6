// The simulated host's state: which project is open, its unit, the host's
// setup directories and folders, where its settings and text table live.
//
// The state is a small text file named by the environment variable
// VEDRIX_HOST_CONFIG (docs/host-simulation.md shows its keys). Every stand-in
// looks at it on each call, so a test that points the variable at another
// file, or rewrites the file, changes the host at once (an unchanged file is
// not read again). Without the variable,
// or when its file cannot be read, the host has the default state: the
// current directory as project, unit 1, no setup directories or folders, no
// settings file, the text table shipped beside the stand-ins.
#pragma once

#include <vedrix/hostsim/export.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vedrix::hostsim {

inline constexpr const char* kConfigVariable = "VEDRIX_HOST_CONFIG";

// A drawing file the host has loaded, and the kind under which it is loaded.
struct LoadedDrawingFile {
    int number = 0;
    int kind = 0;
};

// A host function made to fail on purpose: its `call`-th call (1 for the
// first) does nothing and returns `result` (see failures.h for how calls are
// counted and which functions take it).
struct InjectedFailure {
    std::string function;
    int call = 0;
    int result = 0;
};

struct HostConfig {
    // The current project's directory; "" is the current directory.
    std::string project;
    int unit = 1;
    // The most drawing files one drawing may take.
    int drawingLimit = 40;
    // How copies made for a scenario are named (getScenarioTbNameType).
    int namingType = 0;
    // The settings file of the registry functions; "" when the host has none.
    std::string settingsFile;
    // The host text table; "" for the one shipped beside the stand-ins.
    std::string textTable;
    // Setup directories by kind ("Program") and folders by tag ("ETC").
    std::map<std::string, std::string> setupDirectories;
    std::map<std::string, std::string> folders;
    std::vector<LoadedDrawingFile> loaded;
    // At most one failure per function ("fail.<function>=<call>:<result>").
    std::vector<InjectedFailure> failures;
};

// Reads a configuration file. False when it cannot be opened; lines that
// are not understood are skipped, and their keys keep their defaults.
VEDRIX_HOSTSIM_API bool ReadHostConfig(const char* path, HostConfig& config);
// Writes one (replacing the file). False when it cannot be written.
VEDRIX_HOSTSIM_API bool WriteHostConfig(const char* path, const HostConfig& config);
// The configuration named by VEDRIX_HOST_CONFIG, or the default one.
VEDRIX_HOSTSIM_API HostConfig CurrentHostConfig();
// The same, shared and not copied: the stand-ins that are called once per
// drawing file only look at it. It stays valid while it is held, whatever
// the file does meanwhile.
VEDRIX_HOSTSIM_API std::shared_ptr<const HostConfig> SharedHostConfig();
// Writes `config` to `path` and names that file in VEDRIX_HOST_CONFIG.
VEDRIX_HOSTSIM_API bool UseHostConfig(const char* path, const HostConfig& config);

// A file of the project: its directory, "\" and `name`; just `name` when the
// project is the current directory.
VEDRIX_HOSTSIM_API std::string ProjectFile(const HostConfig& config, const std::string& name);
// `directory` and `name` joined by one "\" (none added when the directory
// already ends with a separator or is empty).
VEDRIX_HOSTSIM_API std::string JoinPath(const std::string& directory, const std::string& name);
// JoinPath into `path`, whose storage is reused: for a caller that joins
// many paths in a row.
VEDRIX_HOSTSIM_API void JoinPathInto(std::string& path, const std::string& directory,
                                     std::string_view name);

// The names of the project's host files.
inline constexpr const char* kViewFileName = "fm_views.txt";
inline constexpr const char* kTbInfoFileName = "fm_tbinfo.txt";
inline constexpr const char* kDrawingsFileName = "drawings.txt";
inline constexpr const char* kTreeViewLogName = "fm_treeview.log";
// The constant texts of the view file: the code path of a view without one,
// the replication date of a view under data maintenance.
inline constexpr const char* kWithoutCodePath = "<without path>";
inline constexpr const char* kDataMaintenanceDate = "<data maintenance>";
// The default text table, beside the stand-in libraries.
inline constexpr const char* kDefaultTextTableName = "zelkar_texts.txt";

}  // namespace vedrix::hostsim
