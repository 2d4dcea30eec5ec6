// Projects on disk for the session subcommand's tests, written as the list
// browser's own end-to-end tests write theirs: a house of a checked,
// expanded ground floor holding drawing file 1 and a checked, collapsed attic
// holding drawing file 2 and drawing file 99, whose file is missing; drawing
// files 3 to 7 are free.
#pragma once

#include <vedrix/hostsim/drawing_file.h>
#include <vedrix/vedrix.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/drawing_files.h"

namespace session_tests {

namespace fs = std::filesystem;

inline const char* const kHouseUuid = "11111111-1111-4111-8111-111111111111";
inline const char* const kGroundUuid = "22222222-2222-4222-8222-222222222222";
inline const char* const kAtticUuid = "33333333-3333-4333-8333-333333333333";

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline void writeDrawingFile(const fs::path& directory, int number, const std::string& name) {
    test_support::WriteNamedDrawingFile(directory, number, name);
}

// A level bitmap: 24 x 24 pixels of one blue, 24 bits a pixel, bottom-up.
inline std::string levelBitmap() {
    const auto put = [](std::string& out, unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    const unsigned pixels = 24 * 24 * 3;
    std::string bmp = "BM";
    put(bmp, 14 + 40 + pixels, 4);
    put(bmp, 0, 4);
    put(bmp, 14 + 40, 4);
    for (const auto& [value, bytes] : {std::pair{40u, 4},
                                       {24u, 4},
                                       {24u, 4},
                                       {1u, 2},
                                       {24u, 2},
                                       {0u, 4},
                                       {pixels, 4},
                                       {2835u, 4},
                                       {2835u, 4},
                                       {0u, 4},
                                       {0u, 4}}) {
        put(bmp, value, bytes);
    }
    for (unsigned i = 0; i < 24 * 24; ++i) {
        bmp += "\xC0\x60\x20";  // blue, green, red
    }
    return bmp;
}

// The campus project in `project` (any earlier content removed); returns
// its hierarchy file's text.
inline std::string writeCampus(const fs::path& project) {
    fs::remove_all(project);
    fs::create_directories(project / "bitmaps");
    for (const char* name : {"building.bmp", "storey.bmp", "part.bmp"}) {
        writeFile(project / "bitmaps" / name, levelBitmap());
    }
    writeDrawingFile(project, 1, "Plan one");
    writeDrawingFile(project, 2, "Plan two");
    const char* const loose[] = {"three", "four", "five", "six", "seven"};
    for (int number = 3; number <= 7; ++number) {
        writeDrawingFile(project, number, std::string("Loose ") + loose[number - 3]);
    }
    const std::string hre = "#BITMAP_PATH:\t" + project.string() + "\\bitmaps\\\n" +
                            "#DEFINED_LEVEL:\t1\tBuilding\tbuilding.bmp\n"
                            "#DEFINED_LEVEL:\t2\tStorey\tstorey.bmp\n"
                            "#DEFINED_LEVEL:\t3\tPart of storey\tpart.bmp\n"
                            "#DATA:\n"
                            "\t1\t1\t0\t2\tHouse\t" +
                            kHouseUuid + "\n\t2\t2\t1\t3\tGround\t" + kGroundUuid +
                            "\n\t2\t3\t1\t1\tAttic\t" + kAtticUuid +
                            "\n#ATTRIBUTES:\n"
                            "\t0\towner\tCity\t0\t0\t0\t0\n"
                            "\t2\tarea\t120\t2\t2\t1\t1\n";
    writeFile(project / "campus.hre", hre);
    writeFile(project / "campus.lis", "#DATA:\n1\t2\t1\t\n2\t3\t1\t\n99\t3\t1\t\n");
    return hre;
}

// A hierarchy file with every identifier the campus did not have replaced
// by "<new N>", numbered in the order they appear: new levels get random
// identifiers, so two sessions that add levels agree on everything else.
inline std::string maskNewIdentifiers(const std::string& text) {
    static const std::regex uuid("[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}");
    std::map<std::string, std::string> names;
    std::string out;
    std::sregex_iterator it(text.begin(), text.end(), uuid), end;
    std::size_t from = 0;
    for (; it != end; ++it) {
        const std::string found = it->str();
        out += text.substr(from, static_cast<std::size_t>(it->position()) - from);
        from = static_cast<std::size_t>(it->position() + it->length());
        if (found == kHouseUuid || found == kGroundUuid || found == kAtticUuid) {
            out += found;
            continue;
        }
        auto [name, added] =
            names.try_emplace(found, "<new " + std::to_string(names.size() + 1) + ">");
        out += name->second;
    }
    return out + text.substr(from);
}

}  // namespace session_tests
