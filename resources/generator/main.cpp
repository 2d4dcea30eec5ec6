// vedrix_resgen: generates the language resource libraries' sources.
//
//   vedrix_resgen <resource source> <output directory> <language file>...
//
// Writes, for every language file lang/<code>.txt, <out>/vedr_<code>_table.cpp
// (the headless resource table) and <out>/vedr_<code>.rc (the Windows resource
// script), and once <out>/bitmaps/<id>.bmp and <out>/icons/<id>.ico, which the
// scripts name. Any fault of the sources is reported with its place, and the
// generator then exits with status 1 without writing anything.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "resgen.h"

namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

void writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: vedrix_resgen <resource source> <output directory> "
                     "<language file>...\n";
        return 2;
    }
    try {
        const std::string sourcePath = argv[1];
        const fs::path outDir = argv[2];
        const resgen::Source src = resgen::readSource(sourcePath);
        std::vector<resgen::Language> langs;
        for (int i = 3; i < argc; ++i) {
            langs.push_back(resgen::readLanguage(argv[i]));
            // The build names its outputs after the file, the tables after the
            // code inside: the two must agree.
            const std::string stem = fs::path(argv[i]).stem().string();
            if (langs.back().code != stem) {
                throw resgen::SourceError(
                    langs.back().where,
                    "the language code \"" + langs.back().code + "\" differs from the file name");
            }
        }
        const std::vector<std::string> errors = resgen::checkSources(src, langs);
        if (!errors.empty()) {
            for (const std::string& e : errors) {
                std::cerr << "error: " << e << "\n";
            }
            std::cerr << "vedrix_resgen: " << errors.size()
                      << " fault(s) in the resource sources; nothing written\n";
            return 1;
        }

        // Everything is produced before anything is written, so that a fault
        // leaves the previous outputs alone.
        const std::string sourceName = fs::path(sourcePath).filename().string();
        std::vector<std::pair<fs::path, std::string>> texts;
        for (const resgen::Language& lang : langs) {
            texts.emplace_back(outDir / ("vedr_" + lang.code + "_table.cpp"),
                               resgen::emitTable(src, lang, sourceName));
            texts.emplace_back(outDir / ("vedr_" + lang.code + ".rc"),
                               resgen::emitRc(src, lang, sourceName));
        }
        std::vector<std::pair<fs::path, std::vector<std::uint8_t>>> files;
        for (const resgen::Bitmap& b : src.bitmaps) {
            files.emplace_back(outDir / "bitmaps" / (std::to_string(b.id) + ".bmp"),
                               resgen::bitmapFile(b, src));
        }
        for (const resgen::Icon& ic : src.icons) {
            files.emplace_back(outDir / "icons" / (std::to_string(ic.id) + ".ico"),
                               resgen::iconFile(ic, src));
        }

        fs::create_directories(outDir / "bitmaps");
        fs::create_directories(outDir / "icons");
        for (const auto& [path, bytes] : files) {
            writeFile(path, bytes);
        }
        for (const auto& [path, text] : texts) {
            writeFile(path, text);
        }
    } catch (const resgen::SourceError& e) {
        std::cerr << "error: " << e.what() << "\n"
                  << "vedrix_resgen: the resource sources are malformed; nothing written\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "vedrix_resgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
