// The subcommands of the vedrix program. Each lives in a file of its own,
// <name>_command.cpp, and adds itself to the program's argument parser with
// its options and a callback; the callback leaves the program's exit status
// in `status`.
#pragma once

namespace CLI {
class App;
}

namespace vedrix::cli {

// vedrix tree <project> <structure>: prints the building structure.
void addTreeCommand(CLI::App& app, int& status);
// vedrix export <project> <structure> [--json FILE] and
// vedrix import <project> <structure> FILE: the structure as JSON.
void addExportCommand(CLI::App& app, int& status);
void addImportCommand(CLI::App& app, int& status);

// vedrix session <dialog> <project> <structure> --script FILE: runs a dialog
// with a script of what a person does.
void addSessionCommand(CLI::App& app, int& status);
// vedrix check <project> <structure> [--json]: reports what the module would
// silently drop, change or stop at.
void addCheckCommand(CLI::App& app, int& status);
// vedrix sample <directory> [--levels N --drawings N --fm ...]: writes a
// sample project.
void addSampleCommand(CLI::App& app, int& status);

}  // namespace vedrix::cli
