// vedrix-demohost: loads the dialog module by name, resolves its exported
// functions and calls them the way the CAD host does.
//
//   vedrix-demohost <project directory> <level list file> [language]
//
// The host's state (setup directory, folders) comes from the host's own
// configuration. Without a person in front of the screen every dialog is
// cancelled as soon as it is idle, so the run shows the launch of each
// entry point and the result it hands back.
#include "demo_calls.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: vedrix-demohost <project directory> <level list file> "
                     "[language]\n");
        return 2;
    }
    const char* directory = argv[1];
    const char* structure = argv[2];
    const char* language = argc > 3 ? argv[3] : "en";

    return vedrix::demohost::callEachExport(directory, structure, language);
}
