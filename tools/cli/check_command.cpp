// vedrix check <project directory> <structure name> [--json]: reads the
// structure as the module does and reports, one line each, what the module
// would silently drop, change or stop at (structure_check.h). Exit status 0
// when nothing is found, 1 with findings, 2 when the structure cannot be
// read.
#include <iostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "structure_check.h"

namespace vedrix::cli {
namespace {

constexpr int kClean = 0;
constexpr int kFound = 1;
constexpr int kUnreadable = 2;

int statusOf(const CheckReport& report) {
    if (!report.readable) {
        return kUnreadable;
    }
    return report.findings.empty() ? kClean : kFound;
}

void printText(const CheckReport& report) {
    if (!report.readable) {
        std::cerr << "vedrix: " << report.problem << '\n';
        return;
    }
    for (const Finding& finding : report.findings) {
        std::cout << finding.file << ':' << finding.line << ": " << finding.kind << ": "
                  << finding.message << '\n';
    }
    std::cout << report.findings.size() << (report.findings.size() == 1 ? " finding" : " findings")
              << '\n';
}

void printJson(const CheckReport& report, const std::string& project,
               const std::string& structure) {
    static const char* const kStatusNames[] = {"clean", "findings", "unreadable"};
    nlohmann::json out;
    out["project"] = project;
    out["structure"] = structure;
    out["status"] = kStatusNames[statusOf(report)];
    if (!report.readable) {
        out["error"] = report.problem;
    }
    out["findings"] = nlohmann::json::array();
    for (const Finding& finding : report.findings) {
        out["findings"].push_back({{"file", finding.file},
                                   {"line", finding.line},
                                   {"kind", finding.kind},
                                   {"message", finding.message}});
    }
    // Names and paths come from the files as they are: bytes that are no
    // UTF-8 are replaced rather than refused.
    std::cout << out.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

}  // namespace

void addCheckCommand(CLI::App& app, int& status) {
    auto project = std::make_shared<std::string>();
    auto structure = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    CLI::App* check = app.add_subcommand(
        "check",
        "Reads <structure> as the module does and reports, one line each with file and line, "
        "what the module would silently drop, change or stop at. Exit status 0 clean, "
        "1 findings, 2 unreadable");
    check->add_option("project", *project, "The project directory")->required();
    check->add_option("structure", *structure, "The structure's level list file name")->required();
    check->add_flag("--json", *json, "Print the findings as JSON");
    check->callback([project, structure, json, &status] {
        const CheckReport report = checkStructure(*project, *structure);
        if (*json) {
            printJson(report, *project, *structure);
        } else {
            printText(report);
        }
        status = statusOf(report);
    });
}

}  // namespace vedrix::cli
