// vedrix sample <directory> [--levels N] [--drawings N] [--fm] ...: writes a
// sample project of any size (the sample generator, sample_project.h), with
// a progress bar on standard error when it is a terminal and the writing
// takes longer than a second.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include <CLI/CLI.hpp>

#include <vedrix/hostsim/config.h>
#include <vedrix/samplegen/sample_project.h>

#include "commands.h"
#include "progress_bar.h"

namespace vedrix::cli {
namespace {

using samplegen::FmSample;
using samplegen::StructureSample;

// The options as given; a count not given keeps the sample's default.
struct SampleOptions {
    std::string directory;
    bool fm = false;
    std::string name;
    std::optional<int> levels;    // at least this many structure levels, in whole buildings
    std::optional<int> drawings;  // drawing files in the structure
    std::optional<int> buildings, storeys, parts, files, views, variants, free, first;
};

void take(const std::optional<int>& given, int& count) {
    if (given) {
        count = *given;
    }
}

int ceilDiv(long long a, long long b) {
    return b > 0 ? static_cast<int>((a + b - 1) / b) : 0;
}

// The structure sample the options ask for: --levels gives the number of
// buildings, --drawings the drawing files spread over the parts.
StructureSample structureSample(const SampleOptions& options) {
    StructureSample sample;
    take(options.buildings, sample.buildings);
    take(options.storeys, sample.storeysPerBuilding);
    take(options.parts, sample.partsPerStorey);
    take(options.files, sample.drawingFilesPerPart);
    take(options.free, sample.freeDrawingFiles);
    take(options.first, sample.firstNumber);
    if (options.levels) {
        sample.buildings = ceilDiv(
            *options.levels, 1LL + 1LL * sample.storeysPerBuilding * (1 + sample.partsPerStorey));
    }
    take(options.drawings, sample.drawingFiles);
    if (!options.name.empty()) {
        sample.name = options.name;
    }
    return sample;
}

// The facility-management sample the options ask for: --levels gives the
// number of buildings, --drawings the drawing files of each view (rounded
// up, a variant's copies counted).
FmSample fmSample(const SampleOptions& options) {
    FmSample sample;
    take(options.buildings, sample.buildings);
    take(options.views, sample.viewsPerBuilding);
    take(options.files, sample.drawingFilesPerView);
    take(options.variants, sample.variantsPerView);
    take(options.free, sample.freeDrawingFiles);
    take(options.first, sample.firstNumber);
    const long long viewsPerBuilding = 1LL * sample.viewsPerBuilding * (1 + sample.variantsPerView);
    if (options.levels) {
        sample.buildings = ceilDiv(*options.levels, 1 + viewsPerBuilding);
    }
    if (options.drawings) {
        sample.drawingFilesPerView =
            ceilDiv(*options.drawings, sample.buildings * viewsPerBuilding);
    }
    if (!options.name.empty()) {
        sample.name = options.name;
    }
    return sample;
}

int writeSample(const SampleOptions& options) {
    std::error_code error;
    std::filesystem::create_directories(options.directory, error);
    samplegen::SampleSummary summary;
    std::string problem;
    bool written = false;
    {
        ProgressBar bar(stderr);
        const samplegen::SampleProgress progress = [&bar](int done, int total) {
            bar.update(done, total);
        };
        written = options.fm
                      ? samplegen::WriteFmSample(options.directory, fmSample(options), summary,
                                                 problem, progress)
                      : samplegen::WriteStructureSample(options.directory, structureSample(options),
                                                        summary, problem, progress);
    }
    if (!written) {
        std::cerr << "vedrix: " << problem << '\n';
        return 1;
    }
    std::cout << summary.levels << " levels, " << summary.drawingFiles << " drawing files (up to "
              << "number " << summary.lastNumber << "), " << summary.views << " views written to "
              << options.directory << '\n';
    std::cout << hostsim::kConfigVariable << '='
              << (std::filesystem::path(options.directory) / "host.cfg").string() << '\n';
    return 0;
}

}  // namespace

void addSampleCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<SampleOptions>();
    CLI::App* sample = app.add_subcommand(
        "sample",
        "Writes a sample project into <directory> (made when missing): a building structure of "
        "buildings, storeys and parts with drawing files, or with --fm a facility-management "
        "project of buildings and views. Afterwards VEDRIX_HOST_CONFIG=<directory>/host.cfg "
        "makes it the simulated host's project");
    sample->add_option("directory", options->directory, "The project directory")->required();
    sample->add_flag("--fm", options->fm, "A facility-management project");
    sample->add_option("--name", options->name, "The structure's name (<name>.hre, <name>.lis)");
    auto* buildings = sample->add_option("--buildings", options->buildings, "Buildings (level 1)");
    sample
        ->add_option("--levels", options->levels,
                     "At least this many structure levels, in whole buildings")
        ->excludes(buildings);
    sample->add_option("--drawings", options->drawings,
                       "Drawing files in the structure (with --fm: at least this many)");
    sample->add_option("--storeys", options->storeys, "Storeys per building");
    sample->add_option("--parts", options->parts, "Parts per storey");
    sample->add_option("--files", options->files, "Drawing files per part (with --fm: per view)");
    sample->add_option("--views", options->views, "--fm: views per building");
    sample->add_option("--variants", options->variants, "--fm: variants per view");
    sample->add_option("--free", options->free, "Drawing files outside the structure");
    sample->add_option("--first", options->first, "The first drawing-file number");
    sample->callback([options, &status] { status = writeSample(*options); });
}

}  // namespace vedrix::cli
