// vedrix-sample: writes a sample project of any size.
//
//   vedrix-sample <directory> [--fm] [--name N] [--buildings N] [--storeys N]
//                 [--parts N] [--files N] [--views N] [--variants N]
//                 [--free N] [--first N]
//
// Without --fm a building structure (buildings, storeys, parts, drawing
// files); with --fm a facility-management project (buildings, views with
// drawing files, variants). The directory is made when missing. Afterwards
// VEDRIX_HOST_CONFIG=<directory>/host.cfg makes it the simulated host's
// project.
#include <vedrix/samplegen/sample_project.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/text_lines.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: vedrix-sample <directory> [--fm] [--name N] [--buildings N] "
                 "[--storeys N] [--parts N] [--files N] [--views N] [--variants N] [--free N] "
                 "[--first N]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vedrix::samplegen;
    if (argc < 2) {
        return Usage();
    }
    const std::string directory = argv[1];
    bool fm = false;
    std::string name;
    std::map<std::string, int> counts;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--fm") {
            fm = true;
        } else if (option == "--name" && i + 1 < argc) {
            name = argv[++i];
        } else if (option.starts_with("--") && i + 1 < argc &&
                   vedrix::hostsim::ParseInt(argv[i + 1], counts[option.substr(2)])) {
            ++i;
        } else {
            return Usage();
        }
    }
    CreateDirectoryA(directory.c_str(), nullptr);

    SampleSummary summary;
    std::string error;
    bool written = false;
    auto take = [&](const char* key, int& value) {
        if (counts.count(key) != 0) {
            value = counts[key];
        }
    };
    if (fm) {
        FmSample sample;
        take("buildings", sample.buildings);
        take("views", sample.viewsPerBuilding);
        take("files", sample.drawingFilesPerView);
        take("variants", sample.variantsPerView);
        take("free", sample.freeDrawingFiles);
        take("first", sample.firstNumber);
        sample.name = name.empty() ? sample.name : name;
        written = WriteFmSample(directory, sample, summary, error);
    } else {
        StructureSample sample;
        take("buildings", sample.buildings);
        take("storeys", sample.storeysPerBuilding);
        take("parts", sample.partsPerStorey);
        take("files", sample.drawingFilesPerPart);
        take("free", sample.freeDrawingFiles);
        take("first", sample.firstNumber);
        sample.name = name.empty() ? sample.name : name;
        written = WriteStructureSample(directory, sample, summary, error);
    }
    if (!written) {
        std::fprintf(stderr, "vedrix-sample: %s\n", error.c_str());
        return 1;
    }
    std::printf("%d levels, %d drawing files (up to number %d), %d views written to %s\n",
                summary.levels, summary.drawingFiles, summary.lastNumber, summary.views,
                directory.c_str());
    std::printf("%s=%s\n", vedrix::hostsim::kConfigVariable,
                vedrix::hostsim::JoinPath(directory, "host.cfg").c_str());
    return 0;
}
