// vedrix: the module's command-line program. Each subcommand is in a file of
// its own (see commands.h); `vedrix --help` and `vedrix <subcommand> --help`
// describe them.
#include <CLI/CLI.hpp>

#include "commands.h"

int main(int argc, char** argv) {
    CLI::App app{"vedrix: the building structure of a project, from the command line"};
    app.require_subcommand(1);
    int status = 0;
    vedrix::cli::addTreeCommand(app, status);
    vedrix::cli::addSessionCommand(app, status);
    vedrix::cli::addExportCommand(app, status);
    vedrix::cli::addImportCommand(app, status);
    vedrix::cli::addCheckCommand(app, status);
    vedrix::cli::addSampleCommand(app, status);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help prints and succeeds; a command line that does not parse is a
        // usage error, status 2, whatever the parser's own code for it.
        return app.exit(e) == 0 ? 0 : 2;
    }
    return status;
}
