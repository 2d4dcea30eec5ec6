// vedrix import <project> <structure> FILE: reads a structure in JSON
// (structure_json.h) and writes the structure's hierarchy file and level list
// file as the list browser writes them, both or neither. A document that
// is malformed or holds what the files cannot carry is refused with the
// place it names, and nothing is written.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include <CLI/CLI.hpp>

#include "commands.h"
#include "strict_json.h"
#include "structure_file_texts.h"
#include "structure_json.h"
#include "structure_printer.h"
#include "structure_saving.h"

namespace vedrix::cli {
namespace {

// The whole input, "-" standing for standard input. False when it cannot
// be read.
bool readInput(const std::string& file, std::string& text) {
    if (file == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return !std::cin.bad();
    }
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Reads the texts back as the module would and compares the structure with
// the one they were written from: the checks of structureFromJson keep to
// the files' rules, and this makes sure that nothing else changes on the
// way. Empty when they agree, else the place (in the files' order: levels
// by ID, definitions by level number) that would come back changed.
std::string readBackDifference(const Zel_GM_Root& written, const StructureTexts& texts,
                               const std::string& structureName) {
    Zel_GM_Root reread(structureName.c_str());
    std::istringstream hierarchy(texts.hierarchy), levelList(texts.levelList),
        attributes(texts.hierarchy);
    readStructure(reread, hierarchy, &levelList, attributes);
    StructureJson given, back;
    std::string problem;
    if (!structureToJson(written, given, problem)) {
        return "/";
    }
    if (!structureToJson(reread, back, problem)) {
        return "/ (" + problem + ")";
    }
    if (given == back) {
        return {};
    }
    const StructureJson patch = StructureJson::diff(given, back);
    return patch.empty() ? "/" : patch[0]["path"].get<std::string>();
}

int importStructure(const std::filesystem::path& project, const std::string& structureName,
                    const std::string& file) {
    std::string text;
    if (!readInput(file, text)) {
        std::fprintf(stderr, "vedrix: cannot read %s\n", file.c_str());
        return 2;
    }
    StructureJson document;
    std::string problem;
    if (!parseStrictJson(text, document, problem)) {
        std::fprintf(stderr, "vedrix: %s: %s\n", file.c_str(), problem.c_str());
        return 1;
    }
    Zel_GM_Root root(structureName.c_str());
    JsonRefusal refusal;
    if (!structureFromJson(document, root, refusal)) {
        std::fprintf(stderr, "vedrix: %s: %s: %s\n", file.c_str(),
                     refusal.place.empty() ? "/" : refusal.place.c_str(), refusal.reason.c_str());
        return 1;
    }
    const StructureTexts texts = writeStructureTexts(root);
    const std::string changed = readBackDifference(root, texts, structureName);
    if (!changed.empty()) {
        std::fprintf(stderr,
                     "vedrix: %s: %s: the structure files cannot carry this structure: it would "
                     "read back changed (levels counted in ID order, definitions by level "
                     "number)\n",
                     file.c_str(), changed.c_str());
        return 1;
    }
    const std::string hrePath = (project / hierarchyFileName(structureName)).string();
    const std::string lisPath = (project / structureName).string();
    std::string error;
    if (!saveStructureFiles(hrePath, lisPath, texts, error)) {
        std::fprintf(stderr, "vedrix: %s; nothing was changed\n", error.c_str());
        return 1;
    }
    std::cout << "Wrote " << hrePath << " and " << lisPath << '\n';
    return 0;
}

}  // namespace

void addImportCommand(CLI::App& app, int& status) {
    auto project = std::make_shared<std::string>();
    auto structure = std::make_shared<std::string>();
    auto file = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand(
        "import",
        "Writes the structure that FILE holds in JSON (as export writes it, see "
        "docs/structure-json.md) as the hierarchy file and level list file of <structure>, both "
        "or neither. Exit status 0 written, 1 refused (the message names the place) or not "
        "written, 2 FILE cannot be read");
    command->add_option("project", *project, "The project directory")->required();
    command->add_option("structure", *structure, "The structure's level list file name")
        ->required();
    command->add_option("file", *file, "The JSON file; - reads standard input")->required();
    command->callback([project, structure, file, &status] {
        status = importStructure(*project, *structure, *file);
    });
}

}  // namespace vedrix::cli
