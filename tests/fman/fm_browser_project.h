// Facility-management projects on disk for the FM browser's tests: the
// structure files, drawing files with identifiers in their headers, the
// host's view file and drawing-file information, opened in the browser as
// the host opens it.
#pragma once

#include <vedrix/hostsim/drawing_file.h>
#include <vedrix/vedrix.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "launch_fixture.h"

#include "support/drawing_files.h"

namespace fmbrowser_tests {

namespace fs = std::filesystem;

// Identifier halves that tell drawing files apart: the number in the first
// half, `tag` in the second.
struct Halves {
    double first = 0;
    double second = 0;
};
inline Halves idOf(int number, int tag = 1) {
    return {static_cast<double>(number), static_cast<double>(tag)};
}

// The identifier halves as the headers' string form (what the drawing-file
// information holds).
inline std::string uuidText(const Halves& halves) {
    UUID uuid = vedrix::hostsim::HalvesToUuid(halves.first, halves.second);
    RPC_CSTR text = nullptr;
    ::UuidToStringA(&uuid, &text);
    std::string result(reinterpret_cast<const char*>(text));
    ::RpcStringFreeA(&text);
    return result;
}

// A project "site" (site.hre, site.lis) whose files a test sets up.
class FmBrowserTest : public entry_tests::LaunchTest {
protected:
    void addDrawingFile(int number, const std::string& name, Halves own = {}, Halves ref = {}) {
        vedrix::hostsim::DrawingHeader header;
        header.number = number;
        header.name = name;
        header.content = true;
        header.uuid[0] = own.first;
        header.uuid[1] = own.second;
        header.refUuid[0] = ref.first;
        header.refUuid[1] = ref.second;
        test_support::WriteDrawingFile(project, header);
    }

    vedrix::hostsim::DrawingHeader header(int number) const {
        vedrix::hostsim::DrawingHeader result;
        const std::string bytes =
            entry_tests::readBytes(project / vedrix::hostsim::DrawingFileName(number));
        if (bytes.size() >= ZEL_TB_RECORD_SIZE) {
            vedrix::hostsim::DecodeHeader(bytes.data(), result);
        }
        return result;
    }

    bool exists(int number) const {
        return fs::exists(project / vedrix::hostsim::DrawingFileName(number));
    }

    // A line of the view file: name, identifier, code path, replication
    // date, original identifier, lock flag.
    static std::string viewLine(const std::string& name, const std::string& id,
                                const std::string& codePath, const std::string& date,
                                const std::string& original, const std::string& lock) {
        return "0\t" + name + "\t" + id + "\t0\t" + codePath + "\t" + date + "\t" + original +
               "\t" + lock + "\n";
    }

    void writeProject() {
        entry_tests::writeFile(project / "site.hre", hre);
        entry_tests::writeFile(project / "site.lis", lis);
        if (!views.empty()) {
            entry_tests::writeFile(project / "fm_views.txt", views);
        }
        if (!tbinfo.empty()) {
            entry_tests::writeFile(project / "fm_tbinfo.txt", tbinfo);
        }
    }

    int browse(HMODULE facility = nullptr) {
        return tb_fman_browser(nullptr, facility, "en", project.string().c_str(), "Site",
                               "site.lis", "site.hlp");
    }

    std::string file(const std::string& name) const {
        return entry_tests::readFile(project / name);
    }

    // The data lines of a host table file (comment lines dropped).
    std::vector<std::string> tableLines(const std::string& name) const {
        std::vector<std::string> lines;
        std::istringstream in(file(name));
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line[0] != '#') {
                lines.push_back(line);
            }
        }
        return lines;
    }

    // The view file's lines by identifier, each as its fields.
    std::map<std::string, std::vector<std::string>> viewFile() const {
        std::map<std::string, std::vector<std::string>> result;
        for (const std::string& line : tableLines("fm_views.txt")) {
            std::vector<std::string> fields;
            std::istringstream in(line);
            std::string field;
            while (std::getline(in, field, '\t')) {
                fields.push_back(field);
            }
            if (fields.size() > 2) {
                result[fields[2]] = fields;
            }
        }
        return result;
    }

    std::string hre, lis, views, tbinfo;
};

}  // namespace fmbrowser_tests
