// vedrix session <dialog> <project> <structure> --script FILE: opens one of
// the module's dialogs, loading the module by name as the host does, and
// lets a script act as the person at the screen. Message boxes are printed
// as they come; the first step that cannot be done ends the session with a
// message naming its script line.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include <vedrix/automation/automation.h>
#include <vedrix/hostsim/config.h>

#include "commands.h"
#include "session_dialogs.h"
#include "session_runner.h"
#include "session_script.h"

namespace vedrix::cli {
namespace {

namespace fs = std::filesystem;

struct SessionOptions {
    std::string dialog;
    std::string project;
    std::string structure;
    std::string script;
    std::string title;
    std::string language = "en";
};

// "vedrix: script.txt:12: why", or without the line when none is to blame.
void reportAt(const std::string& file, int line, const std::string& why) {
    std::cerr << "vedrix: " << file << (line > 0 ? ":" + std::to_string(line) : std::string())
              << ": " << why << '\n';
}

// The host configuration the module's host libraries read: the one the
// script names (relative to the script), else the one the environment
// names, else a temporary one naming the project as the host's project.
// `temporary` is set to a file to remove afterwards. False when the named
// configuration cannot be read.
// The directory an installed program's libraries are in: the library
// directory relative to the program's own, as the package installs them;
// empty when there is none (the build tree keeps them beside the program).
fs::path installedLibraryDirectory() {
    char program[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, program, sizeof program);
    if (length == 0 || length >= sizeof program) {
        return {};
    }
    std::error_code error;
    const fs::path directory = fs::weakly_canonical(
        fs::path(program).parent_path() / VEDRIX_LIBRARIES_FROM_PROGRAM, error);
    if (error || !fs::exists(directory / "vedrix.dll", error)) {
        return {};
    }
    return directory;
}

// The module by name, as a host loads it; an installed program, whose
// module lies in the package's library directory, loads it from there.
HMODULE loadModule() {
    HMODULE module = ::LoadLibraryA("vedrix.dll");
    if (module == nullptr) {
        const fs::path libraries = installedLibraryDirectory();
        if (!libraries.empty()) {
            module = ::LoadLibraryA((libraries / "vedrix.dll").string().c_str());
        }
    }
    return module;
}

bool useHostConfiguration(const SessionOptions& options, const SessionScript& script,
                          fs::path& temporary) {
    if (!script.hostConfig.empty()) {
        const fs::path named = fs::path(options.script).parent_path() / script.hostConfig;
        vedrix::hostsim::HostConfig config;
        if (!vedrix::hostsim::ReadHostConfig(named.string().c_str(), config)) {
            reportAt(options.script, 0,
                     "the host configuration " + named.string() + " cannot be read");
            return false;
        }
        ::setenv("VEDRIX_HOST_CONFIG", fs::absolute(named).string().c_str(), 1);
        return true;
    }
    const char* inherited = std::getenv("VEDRIX_HOST_CONFIG");
    if (inherited != nullptr && *inherited != '\0') {
        return true;
    }
    temporary =
        fs::temp_directory_path() / ("vedrix-session-" + std::to_string(::getpid()) + "-host.cfg");
    vedrix::hostsim::HostConfig config;
    config.project = fs::absolute(options.project).string();
    // The host's program directory is where its libraries are: the module
    // finds its language libraries there when they are not beside the
    // program.
    const fs::path libraries = installedLibraryDirectory();
    if (!libraries.empty()) {
        config.setupDirectories["Program"] = libraries.string();
    }
    if (!vedrix::hostsim::UseHostConfig(temporary.string().c_str(), config)) {
        std::cerr << "vedrix: cannot write the host configuration " << temporary.string() << '\n';
        return false;
    }
    return true;
}

int runSession(const SessionOptions& options) {
    const SessionDialog* dialog = findSessionDialog(options.dialog);
    std::ifstream in(options.script);
    if (!in) {
        std::cerr << "vedrix: cannot read the script " << options.script << '\n';
        return 2;
    }
    SessionScript script;
    ScriptError error;
    if (!parseSessionScript(in, script, error)) {
        reportAt(options.script, error.line, error.message);
        return 2;
    }
    fs::path temporaryConfig;
    if (!useHostConfiguration(options, script, temporaryConfig)) {
        return 2;
    }

    int status = 1;
    HMODULE module = loadModule();
    if (module == nullptr) {
        std::cerr << "vedrix: vedrix.dll could not be loaded (error " << ::GetLastError() << ")\n";
    } else {
        automation::Person person;
        SessionRunner runner(*dialog, script, person, std::cout);
        runner.prepare();
        std::string outcome;
        if (!dialog->open(module,
                          {options.language, options.project, options.title, options.structure},
                          outcome)) {
            std::cerr << "vedrix: vedrix.dll has no function " << dialog->exportName << '\n';
        } else {
            runner.finish();
            std::cout << outcome << '\n';
            if (const auto& failure = runner.failure()) {
                reportAt(options.script, failure->line, failure->message);
            } else {
                status = 0;
            }
        }
        ::FreeLibrary(module);
    }
    if (!temporaryConfig.empty()) {
        std::error_code ignored;
        fs::remove(temporaryConfig, ignored);
    }
    return status;
}

// The title the host shows for a structure: its name up to the first ".".
std::string defaultTitle(const std::string& structure) {
    return structure.substr(0, structure.find('.'));
}

}  // namespace

void addSessionCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<SessionOptions>();
    CLI::App* session = app.add_subcommand(
        "session",
        "Runs one of the module's dialogs with a script of what a person does (see "
        "docs/session-scripts.md); prints every message box and exits with 1 at the first "
        "step that cannot be done");
    std::string names;
    for (const SessionDialog& d : sessionDialogs()) {
        names += std::string(names.empty() ? "" : ", ") + d.name + " (" + d.exportName + ")";
    }
    session->add_option("dialog", options->dialog, "The dialog: " + names)
        ->required()
        ->check([](const std::string& name) {
            return findSessionDialog(name) ? std::string() : "no dialog \"" + name + "\"";
        });
    session->add_option("project", options->project, "The project directory")->required();
    session->add_option("structure", options->structure, "The structure's level list file name")
        ->required();
    session->add_option("--script", options->script, "The script of what the person does")
        ->required();
    session->add_option("--title", options->title,
                        "The title the host gives the dialog (the root's label in the tree); "
                        "the structure name without its extension when not given");
    session->add_option("--language", options->language, "The language of the dialog's texts")
        ->capture_default_str();
    session->callback([options, &status] {
        if (options->title.empty()) {
            options->title = defaultTitle(options->structure);
        }
        status = runSession(*options);
    });
}

}  // namespace vedrix::cli
