// Fuzz target: the resource generator's input, the resource source of the
// language libraries. The input is read as the source (with the English
// language file of the tree as its one language), checked, and, when sound,
// turned into everything the generator writes. A fault of the input must be
// reported as a fault of the sources (SourceError, which names its place);
// anything else that escapes, or a crash, is a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "resgen.h"

namespace {

// The input as a file, since the generator reads files by name.
std::string inputFile(const std::uint8_t* data, std::size_t size) {
    static const std::string path =
        "/tmp/vedrix_fuzz_resource_source_" + std::to_string(::getpid()) + ".res";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

const resgen::Language& english() {
    static const resgen::Language language = resgen::readLanguage(VEDRIX_FUZZ_LANGUAGE_FILE);
    return language;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<resgen::Language> languages = {english()};
    try {
        const resgen::Source src = resgen::readSource(inputFile(data, size));
        if (!resgen::checkSources(src, languages).empty()) {
            return 0;
        }
        resgen::emitTable(src, languages[0], "fuzz.res");
        resgen::emitRc(src, languages[0], "fuzz.res");
        for (const resgen::Bitmap& bitmap : src.bitmaps) {
            resgen::bitmapFile(bitmap, src);
        }
        for (const resgen::Icon& icon : src.icons) {
            resgen::iconFile(icon, src);
            resgen::iconBitmapFile(icon, src);
        }
    } catch (const resgen::SourceError&) {
        // A fault of the sources, reported with its place.
    }
    return 0;
}
