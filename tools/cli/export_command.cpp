// vedrix export <project> <structure> [--json FILE]: reads the structure's
// hierarchy file and level list file as the list browser reads them and
// writes the whole structure as JSON (structure_json.h) to standard output
// or to FILE.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include <vedrix/framework/file_save.h>
#include <vedrix/framework/text_file.h>

#include "commands.h"
#include "structure_file_texts.h"
#include "structure_json.h"
#include "structure_printer.h"

namespace vedrix::cli {
namespace {

// Says on standard error what a reader that stopped early leaves out.
bool reportRead(const std::string& file, int result) {
    if (result == 0) {
        return true;
    }
    std::fprintf(stderr, "vedrix: %s: %s; what was read before is exported, the rest is not\n",
                 file.c_str(),
                 result < 0 ? "out of memory while reading" : "the reader stopped before the end");
    return false;
}

int exportStructure(const std::filesystem::path& project, const std::string& structureName,
                    const std::string& jsonFile) {
    const std::string hrePath = (project / hierarchyFileName(structureName)).string();
    const std::string lisPath = (project / structureName).string();
    using framework::TextFileReader;
    TextFileReader hre(hrePath.c_str());
    if (!hre.is_open()) {
        std::fprintf(stderr, "vedrix: cannot open %s\n", hrePath.c_str());
        return 2;
    }
    TextFileReader lis(lisPath.c_str());
    if (!lis.is_open()) {
        std::fprintf(stderr,
                     "vedrix: note: %s does not exist: the structure has no drawing-file "
                     "entries\n",
                     lisPath.c_str());
    }
    TextFileReader attributes(hrePath.c_str());
    Zel_GM_Root root(structureName.c_str());
    const StructureReadResults results =
        readStructure(root, hre, lis.is_open() ? &lis : nullptr, attributes);

    StructureJson document;
    std::string problem;
    if (!structureToJson(root, document, problem)) {
        std::fprintf(stderr, "vedrix: cannot export %s: %s\n", structureName.c_str(),
                     problem.c_str());
        return 1;
    }
    const std::string text = document.dump(2) + "\n";
    if (jsonFile.empty()) {
        std::cout << text << std::flush;
    } else if (framework::SaveFile(jsonFile.c_str(), text.data(), text.size()) ==
               framework::SaveResult::kFailed) {
        std::fprintf(stderr, "vedrix: cannot write %s\n", jsonFile.c_str());
        return 1;
    }
    const bool hierarchyComplete = reportRead(hrePath, results.hierarchy);
    const bool levelListComplete = reportRead(lisPath, results.levelList);
    return hierarchyComplete && levelListComplete ? 0 : 1;
}

}  // namespace

void addExportCommand(CLI::App& app, int& status) {
    auto project = std::make_shared<std::string>();
    auto structure = std::make_shared<std::string>();
    auto jsonFile = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand(
        "export",
        "Writes the whole structure of <structure> (the level list file, e.g. demo.lis, and its "
        "hierarchy file demo.hre) as JSON, as docs/structure-json.md describes it. Exit status 0 "
        "exported, 1 a file did not read to its end (what was read is exported) or the "
        "structure holds what the JSON cannot carry, 2 the hierarchy file cannot be read");
    command->add_option("project", *project, "The project directory")->required();
    command->add_option("structure", *structure, "The structure's level list file name")
        ->required();
    command->add_option("--json", *jsonFile,
                        "Write the JSON to this file instead of standard output");
    command->callback([project, structure, jsonFile, &status] {
        status = exportStructure(*project, *structure, *jsonFile);
    });
}

}  // namespace vedrix::cli
