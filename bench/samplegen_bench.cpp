// Benchmarks of the sample generator (WriteStructureSample) writing a project
// into an empty directory, beside a plain loop that writes the same bytes
// into the same files in the same run:
//
//   samplegen/write-bytes   a project of 6,000 drawing files under 1,000
//                           levels against writing its files' bytes
//   samplegen/12000-vs-6000 the project twice as large (12,000 drawing files
//                           under 2,000 levels) against the 6,000 one: whether
//                           writing a file costs more as the directory fills;
//                           the same pair of plain loops shows how much of
//                           that the file system's own
//
// Every iteration writes into a fresh directory, made outside the measured
// time. The directories are all removed at the end only: a file system that
// has just deleted thousands of files is slower to create new ones (it
// passes over the recently freed inodes), which would weigh on whichever
// side runs next. --smoke shrinks the projects tenfold, for a quick run
// under the sanitizers.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <vedrix/samplegen/sample_project.h>

#include "ratio_reporter.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// 100 buildings with 3 storeys of 2 parts (1,000 levels) and 10 drawing
// files per part: 6,000 drawing files.
vedrix::samplegen::StructureSample sampleOf(int buildings) {
    vedrix::samplegen::StructureSample sample;
    sample.name = "generated";
    sample.buildings = buildings;
    sample.storeysPerBuilding = 3;
    sample.partsPerStorey = 2;
    sample.drawingFilesPerPart = 10;
    sample.freeDrawingFiles = 0;
    return sample;
}

// A fresh, empty directory below `base` for one iteration.
fs::path newDirectory(const fs::path& base) {
    static int made = 0;
    const fs::path dir = base / ("run-" + std::to_string(++made));
    fs::create_directories(dir);
    return dir;
}

// One file of a generated project: its path below the project and its bytes.
struct WrittenFile {
    fs::path relative;
    std::string bytes;
    bool directory = false;
};

// Every file and folder that a generation wrote, in the order a listing
// gives them, folders first so that the loop can make them before their
// files.
std::vector<WrittenFile> takeFiles(const fs::path& project) {
    std::vector<WrittenFile> folders;
    std::vector<WrittenFile> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(project)) {
        WrittenFile file;
        file.relative = fs::relative(entry.path(), project);
        if (entry.is_directory()) {
            file.directory = true;
            folders.push_back(std::move(file));
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        file.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        files.push_back(std::move(file));
    }
    folders.insert(folders.end(), std::make_move_iterator(files.begin()),
                   std::make_move_iterator(files.end()));
    return folders;
}

bool generate(const fs::path& dir, const vedrix::samplegen::StructureSample& sample,
              int& drawingFiles) {
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    if (!vedrix::samplegen::WriteStructureSample(dir.string(), sample, summary, error)) {
        std::fprintf(stderr, "sample: %s\n", error.c_str());
        return false;
    }
    drawingFiles = summary.drawingFiles;
    return true;
}

void runGenerate(benchmark::State& state, const fs::path& base,
                 const vedrix::samplegen::StructureSample& sample, int expected) {
    for (auto _ : state) {
        const fs::path dir = newDirectory(base);
        int drawingFiles = 0;
        const Clock::time_point start = Clock::now();
        const bool written = generate(dir, sample, drawingFiles);
        state.SetIterationTime(secondsSince(start));
        if (!written || drawingFiles != expected) {
            state.SkipWithError("the sample was not written whole");
            break;
        }
    }
}

bool writeBytes(const fs::path& path, const std::string& bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const bool written =
        write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    return close(fd) == 0 && written;
}

// The same folders and files with the same bytes, written with plain calls.
void runWriteLoop(benchmark::State& state, const fs::path& base,
                  const std::vector<WrittenFile>& files) {
    for (auto _ : state) {
        const fs::path dir = newDirectory(base);
        const Clock::time_point start = Clock::now();
        bool ok = true;
        for (const WrittenFile& file : files) {
            const fs::path path = dir / file.relative;
            ok = (file.directory ? mkdir(path.c_str(), 0777) == 0 : writeBytes(path, file.bytes)) &&
                 ok;
        }
        state.SetIterationTime(secondsSince(start));
        if (!ok) {
            state.SkipWithError("a file was not written");
            break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool smoke = vedrix::bench::takeSmokeFlag(argc, argv);
    const int buildings = smoke ? 10 : 100;
    const vedrix::samplegen::StructureSample once = sampleOf(buildings);
    const vedrix::samplegen::StructureSample twice = sampleOf(2 * buildings);
    const int onceFiles = buildings * 3 * 2 * 10;

    std::random_device random;
    const fs::path base =
        fs::temp_directory_path() / ("vedrix-bench-samplegen-" + std::to_string(random()));
    fs::create_directories(base);
    // Before any timing: one generation of each size, whose files the loops
    // write again.
    std::vector<WrittenFile> files;
    std::vector<WrittenFile> twiceFiles;
    for (const auto& [sample, expected, taken] :
         {std::tuple(once, onceFiles, &files), std::tuple(twice, 2 * onceFiles, &twiceFiles)}) {
        const fs::path first = newDirectory(base);
        int drawingFiles = 0;
        if (!generate(first, sample, drawingFiles) || drawingFiles != expected) {
            std::fprintf(stderr, "the sample was not written whole\n");
            std::error_code ignored;
            fs::remove_all(base, ignored);
            return 1;
        }
        *taken = takeFiles(first);
    }
    std::printf("samples: %d and %d drawing files; %zu and %zu files and folders written\n",
                onceFiles, 2 * onceFiles, files.size(), twiceFiles.size());

    const std::string generateOnce = "samplegen/" + std::to_string(onceFiles);
    const std::string generateTwice = "samplegen/" + std::to_string(2 * onceFiles);
    const std::string loop = "baseline/write-bytes/" + std::to_string(onceFiles);
    const std::string loopTwice = "baseline/write-bytes/" + std::to_string(2 * onceFiles);
    const auto add = [](const std::string& name, auto run) {
        benchmark::RegisterBenchmark(name.c_str(), run)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    };
    add(generateOnce, [&](benchmark::State& s) { runGenerate(s, base, once, onceFiles); });
    add(loop, [&](benchmark::State& s) { runWriteLoop(s, base, files); });
    add(generateTwice, [&](benchmark::State& s) { runGenerate(s, base, twice, 2 * onceFiles); });
    add(loopTwice, [&](benchmark::State& s) { runWriteLoop(s, base, twiceFiles); });

    vedrix::bench::RatioReporter reporter(!smoke);
    const bool ran = vedrix::bench::runRegisteredBenchmarks(argc, argv, reporter);
    std::error_code ignored;
    fs::remove_all(base, ignored);
    if (!ran) {
        return 1;
    }
    reporter.printRatio("samplegen/write-bytes", generateOnce, loop, 2);
    const std::string label =
        "samplegen/" + std::to_string(2 * onceFiles) + "-vs-" + std::to_string(onceFiles);
    reporter.printRatio(label.c_str(), generateTwice, generateOnce, 2.2);
    reporter.printRatio((label + ", plain loops").c_str(), loopTwice, loop, 0);
    return reporter.anyError() ? 1 : 0;
}
