// Benchmark of checking a structure (what `vedrix check` does, without
// starting the program) on a project of 100,000 levels and 12,000 drawing
// files, beside a reading of the same files in the same run:
//
//   check/read-files        the check against the module's reading of the
//                           same files: hierarchy file, level list file and
//                           attribute section opened as the module opens them
//                           and read with its readers (target <= 2)
//   check/read-files-stat   the same check against that reading plus the
//                           file work a check cannot avoid: a stat of every
//                           entry's drawing file and a read of every level
//                           bitmap (reported)
//
// The project is written once, before any timing, by the sample generator.
// --smoke makes it a hundred times smaller, for a quick run under the
// sanitizers; the check must find it clean at either size.
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <vedrix/framework/text_file.h>
#include <vedrix/model.h>
#include <vedrix/samplegen/sample_project.h>

#include "ratio_reporter.h"
#include "structure_check.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// 10 levels to a building (three storeys of two parts), the drawing files
// spread over the parts.
vedrix::samplegen::StructureSample sampleOf(int levels, int drawingFiles) {
    vedrix::samplegen::StructureSample sample;
    sample.name = "large";
    sample.buildings = levels / 10;
    sample.storeysPerBuilding = 3;
    sample.partsPerStorey = 2;
    sample.drawingFiles = drawingFiles;
    sample.freeDrawingFiles = 0;
    return sample;
}

// The module's reading of the structure: the files it reads, in its order.
std::size_t readStructure(const fs::path& project) {
    Zel_GM_Root root("large.lis");
    const std::string hre = (project / "large.hre").string();
    const std::string lis = (project / "large.lis").string();
    {
        vedrix::framework::TextFileReader in(hre.c_str());
        root.readhre(in, 1);
    }
    {
        vedrix::framework::TextFileReader in(lis.c_str());
        root.readlis(in, 1);
    }
    vedrix::framework::TextFileReader attributes(hre.c_str());
    root.readAttributes(attributes);
    return root.GetSublevels().size();
}

// The file work beside the reading: a stat of each drawing file, and each
// bitmap read whole.
std::size_t statAndReadBitmaps(const std::vector<std::string>& drawingFiles,
                               const std::vector<std::string>& bitmaps) {
    std::size_t found = 0;
    struct stat info;
    for (const std::string& path : drawingFiles) {
        found += ::stat(path.c_str(), &info) == 0 ? 1 : 0;
    }
    for (const std::string& path : bitmaps) {
        std::ifstream in(path, std::ios::binary);
        found += std::string(std::istreambuf_iterator<char>(in), {}).size() > 0 ? 1 : 0;
    }
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    const bool smoke = vedrix::bench::takeSmokeFlag(argc, argv);
    const int levels = smoke ? 1000 : 100000;
    const int drawingFiles = smoke ? 120 : 12000;

    std::random_device random;
    const fs::path project =
        fs::temp_directory_path() / ("vedrix-bench-check-" + std::to_string(random()));
    fs::create_directories(project);
    auto cleanUp = [&project] {
        std::error_code ignored;
        fs::remove_all(project, ignored);
    };
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    if (!WriteStructureSample(project.string(), sampleOf(levels, drawingFiles), summary, error) ||
        summary.levels != levels || summary.drawingFiles != drawingFiles) {
        std::fprintf(stderr, "the sample was not written whole: %s\n", error.c_str());
        cleanUp();
        return 1;
    }
    // The check must read it all and find nothing, or its time means little.
    const vedrix::cli::CheckReport report =
        vedrix::cli::checkStructure(project.string(), "large.lis");
    if (!report.readable || !report.findings.empty()) {
        std::fprintf(stderr, "the sample does not check clean (%zu findings)\n",
                     report.findings.size());
        cleanUp();
        return 1;
    }
    std::vector<std::string> drawingPaths;
    for (const auto& entry : fs::directory_iterator(project)) {
        if (entry.path().extension() == ".zdw") {
            drawingPaths.push_back(entry.path().string());
        }
    }
    std::vector<std::string> bitmaps;
    for (const auto& entry : fs::directory_iterator(project / "bitmaps")) {
        bitmaps.push_back(entry.path().string());
    }
    std::printf("sample: %d levels, %d drawing files\n", summary.levels, summary.drawingFiles);

    const auto add = [](const char* name, auto run) {
        benchmark::RegisterBenchmark(name, run)->UseManualTime()->Unit(benchmark::kMillisecond);
    };
    add("check", [&](benchmark::State& state) {
        for (auto _ : state) {
            const Clock::time_point start = Clock::now();
            const vedrix::cli::CheckReport result =
                vedrix::cli::checkStructure(project.string(), "large.lis");
            state.SetIterationTime(secondsSince(start));
            if (!result.findings.empty()) {
                state.SkipWithError("findings in a clean sample");
            }
        }
    });
    add("baseline/read-files", [&](benchmark::State& state) {
        for (auto _ : state) {
            const Clock::time_point start = Clock::now();
            const std::size_t buildings = readStructure(project);
            state.SetIterationTime(secondsSince(start));
            benchmark::DoNotOptimize(buildings);
        }
    });
    add("baseline/read-files-stat", [&](benchmark::State& state) {
        for (auto _ : state) {
            const Clock::time_point start = Clock::now();
            const std::size_t buildings = readStructure(project);
            const std::size_t found = statAndReadBitmaps(drawingPaths, bitmaps);
            state.SetIterationTime(secondsSince(start));
            benchmark::DoNotOptimize(buildings + found);
        }
    });

    vedrix::bench::RatioReporter reporter(!smoke);
    const bool ran = vedrix::bench::runRegisteredBenchmarks(argc, argv, reporter);
    cleanUp();
    if (!ran) {
        return 1;
    }
    reporter.printRatio("check/read-files", "check", "baseline/read-files", 2);
    reporter.printRatio("check/read-files-stat", "check", "baseline/read-files-stat", 0);
    return reporter.anyError() ? 1 : 0;
}
