// vedrix tree <project directory> <structure name>: reads the structure's
// hierarchy file and level list file from the project directory and prints
// the building structure as an indented tree.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include <vedrix/framework/text_file.h>
#include <vedrix/model.h>

#include "commands.h"
#include "structure_printer.h"

namespace vedrix::cli {
namespace {

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
    const std::filesystem::path hrePath = project / hierarchyFileName(structureName);
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
    printStructure(root, std::cout);
    return hreResult == 0 ? 0 : 1;
}

}  // namespace

void addTreeCommand(CLI::App& app, int& status) {
    auto project = std::make_shared<std::string>();
    auto structure = std::make_shared<std::string>();
    CLI::App* tree = app.add_subcommand(
        "tree",
        "Prints the building structure of <structure> (the level list file, e.g. demo.lis) "
        "and its hierarchy file (demo.hre) as an indented tree");
    tree->add_option("project", *project, "The project directory")->required();
    tree->add_option("structure", *structure, "The structure's level list file name")->required();
    tree->callback([project, structure, &status] { status = printTree(*project, *structure); });
}

}  // namespace vedrix::cli
