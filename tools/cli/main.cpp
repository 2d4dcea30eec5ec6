// vedrix: the module's command-line program.
//
//   vedrix tree <project directory> <structure name>
//
// reads the structure's hierarchy file and level list file from the project
// directory and prints the building structure as an indented tree.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include <vedrix/framework/text_file.h>
#include <vedrix/model.h>

#include "structure_printer.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: vedrix tree <project directory> <structure name>\n"
                 "  prints the building structure of <structure name> (the level list\n"
                 "  file, e.g. demo.lis) and its hierarchy file (demo.hre)\n");
    return 2;
}

const char* readResult(int result) {
    switch (result) {
        case 0:
            return "read";
        case -1:
            return "out of memory";
        default:
            return "ended early (file missing, incomplete or malformed)";
    }
}

int printTree(const std::filesystem::path& project, const std::string& structureName) {
    const std::filesystem::path hrePath = project / vedrix::cli::hierarchyFileName(structureName);
    const std::filesystem::path lisPath = project / structureName;
    Zel_GM_Root root(structureName.c_str());

    using vedrix::framework::TextFileReader;
    TextFileReader hre(hrePath.string().c_str());
    if (!hre.is_open()) {
        std::fprintf(stderr, "vedrix: cannot open %s\n", hrePath.string().c_str());
        return 1;
    }
    const int hreResult = root.readhre(hre, 1);
    TextFileReader attributes(hrePath.string().c_str());
    root.readAttributes(attributes);

    TextFileReader lis(lisPath.string().c_str());
    const int lisResult = lis.is_open() ? root.readlis(lis, 1) : 1;

    std::cout << "Project " << project.string() << '\n';
    std::cout << "Hierarchy file " << hrePath.filename().string() << ": " << readResult(hreResult)
              << '\n';
    std::cout << "Level list file " << lisPath.filename().string() << ": "
              << (lis.is_open() ? readResult(lisResult) : "missing") << '\n';
    vedrix::cli::printStructure(root, std::cout);
    return hreResult == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "tree") == 0) {
        return printTree(argv[2], argv[3]);
    }
    return usage();
}
