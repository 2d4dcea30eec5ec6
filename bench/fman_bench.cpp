// Benchmarks of the facility-management number work on generated projects on
// disk, each beside a plain loop doing the file work that cannot be avoided,
// in the same run:
//
//   search-all-taken/stat   GetNextFreeTbNr over a project whose numbers 1 to
//                           5998 all hold drawing files with content, every
//                           7th of them also taken by a drawing, so that only
//                           5999 is free, against stat of the 5998 files
//   search-no-drawings/stat the same search with no drawings list in the
//                           project, against the same stat
//   copy-batch/copy         CopyTbsToFreeNumbers of 200 drawing files to free
//                           numbers, named after their sources, against
//                           copying the same 200 files to the same numbers
//
// --smoke shrinks both a hundredfold, for a quick run under the sanitizers.
#include <benchmark/benchmark.h>

#include <vedrix/fman/free_tb_number.h>
#include <vedrix/fman/tb_copy.h>
#include <vedrix/fman/tb_number_table.h>
#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/drawing_file.h>
#include <vedrix/hostsim/drawings.h>
#include <vedrix/samplegen/sample_project.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "module_call.h"
#include "ratio_reporter.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using vedrix::bench::RatioReporter;
using vedrix::bench::takeSmokeFlag;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Sizes {
    int taken = 5998;  // drawing files 1 to `taken` in the search project
    int copies = 200;  // drawing files copied in one batch
};

// Every this many drawing files one is taken by a drawing of the host.
constexpr int kUsedByDrawingEvery = 7;

// A generated project: drawing files 1 to `count` with names, identifiers and
// content, a drawings list in which every kUsedByDrawingEvery-th of them is
// taken by a drawing (at most the host's drawing limit per drawing), and the
// host configuration naming it as the project.
struct Project {
    fs::path dir;
    std::string config;
    std::vector<std::string> paths;  // the drawing files, as the system names them
};

bool makeProject(const std::string& name, int count, Project& project) {
    // A name of its own, so that two runs at the same time (a benchmark and
    // the smoke test) never write over each other's project.
    std::random_device random;
    project.dir =
        fs::temp_directory_path() / ("vedrix-bench-fman-" + name + "-" + std::to_string(random()));
    std::error_code ignored;
    fs::remove_all(project.dir, ignored);
    fs::create_directories(project.dir);
    vedrix::samplegen::StructureSample sample;
    sample.buildings = 0;
    sample.freeDrawingFiles = count;
    sample.firstNumber = 1;
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    if (!vedrix::samplegen::WriteStructureSample(project.dir.string(), sample, summary, error)) {
        std::fprintf(stderr, "%s project: %s\n", name.c_str(), error.c_str());
        return false;
    }
    vedrix::hostsim::HostConfig config;
    std::vector<vedrix::hostsim::Drawing> drawings;
    for (int number = kUsedByDrawingEvery; number <= count; number += kUsedByDrawingEvery) {
        if (drawings.empty() ||
            static_cast<int>(drawings.back().drawingFiles.size()) == config.drawingLimit) {
            const int next = static_cast<int>(drawings.size()) + 1;
            drawings.push_back({next, {}, "Drawing " + std::to_string(next)});
        }
        drawings.back().drawingFiles.push_back(number);
    }
    if (!vedrix::hostsim::WriteDrawings((project.dir / vedrix::hostsim::kDrawingsFileName).string(),
                                        drawings)) {
        std::fprintf(stderr, "%s project: the drawings list cannot be written\n", name.c_str());
        return false;
    }
    config.project = project.dir.string();
    config.namingType = 1;
    project.config = (project.dir / "bench.cfg").string();
    if (!vedrix::hostsim::WriteHostConfig(project.config.c_str(), config)) {
        std::fprintf(stderr, "%s project: the configuration cannot be written\n", name.c_str());
        return false;
    }
    for (int number = 1; number <= count; ++number) {
        project.paths.push_back((project.dir / vedrix::hostsim::DrawingFileName(number)).string());
    }
    return true;
}

void useProject(const Project& project) {
    setenv(vedrix::hostsim::kConfigVariable, project.config.c_str(), 1);
}

// Sends what is printed to stdout nowhere while it lives: the search prints
// a line for every number it passes over, which would drown the report. The
// lines are still written, so their cost stays in the measured time.
class QuietStdout {
public:
    QuietStdout() {
        std::fflush(stdout);
        m_saved = dup(1);
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, 1);
        close(nowhere);
    }
    ~QuietStdout() {
        std::fflush(stdout);
        dup2(m_saved, 1);
        close(m_saved);
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int m_saved = -1;
};

// Puts the project's drawings list in place or out of the way.
bool keepDrawingsList(const Project& project, bool keep) {
    const fs::path list = project.dir / vedrix::hostsim::kDrawingsFileName;
    fs::path away = list;
    away += ".away";
    std::error_code error;
    if (keep && fs::exists(away)) {
        fs::rename(away, list, error);
    } else if (!keep && fs::exists(list)) {
        fs::rename(list, away, error);
    }
    return !error && fs::exists(list) == keep;
}

// Whether the searches wait for the host files to settle before timing.
bool g_settle = true;

void runSearch(benchmark::State& state, const Project& project, int expected,
               bool withDrawingsList) {
    useProject(project);
    if (!keepDrawingsList(project, withDrawingsList)) {
        state.SkipWithError("the drawings list cannot be moved");
        return;
    }
    // Moving the drawings list changed the directory, which stands for the
    // missing list. (The smoke run does not judge times and does not wait.)
    if (g_settle) {
        vedrix::bench::letHostFilesSettle();
    }
    const std::unique_ptr<TbNumberSlot[]> table = NewTbNumberTable();
    for (auto _ : state) {
        QuietStdout quiet;
        const Clock::time_point start = Clock::now();
        const int found = GetNextFreeTbNr(1, table.get());
        state.SetIterationTime(secondsSince(start));
        if (found != expected) {
            state.SkipWithError("the search found another number");
            break;
        }
    }
}

void runCopyBatch(benchmark::State& state, const Project& project, int count) {
    useProject(project);
    std::vector<int> sources;
    for (int number = 1; number <= count; ++number) {
        sources.push_back(number);
    }
    std::vector<int> copies(sources.size());
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const int result =
            CopyTbsToFreeNumbers(sources.data(), copies.data(), count, kTbCopyKeepUuid,
                                 kDefaultVariantStartTbNr, "Variant");
        state.SetIterationTime(secondsSince(start));
        if (result != 0) {
            state.SkipWithError("the batch failed");
            break;
        }
        // The next batch finds the same numbers free again.
        for (const int copy : copies) {
            fs::remove(project.dir / vedrix::hostsim::DrawingFileName(copy));
        }
    }
}

// The drawing files a batch of `count` makes: the first numbers after the
// project's own, the sources, since the search passes over those.
std::vector<fs::path> copyPaths(const Project& project, int count) {
    std::vector<fs::path> paths;
    for (int i = 1; i <= count; ++i) {
        const int number = static_cast<int>(project.paths.size()) + i;
        paths.push_back(project.dir / vedrix::hostsim::DrawingFileName(number));
    }
    return paths;
}

// Copies a whole file with read and write; false on any failure.
bool copyFile(const std::string& from, const std::string& to) {
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return false;
    }
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    bool ok = out >= 0;
    char buffer[65536];
    ssize_t got = 0;
    while (ok && (got = read(in, buffer, sizeof buffer)) > 0) {
        ok = write(out, buffer, static_cast<size_t>(got)) == got;
    }
    ok = ok && got == 0;
    close(in);
    if (out >= 0) {
        ok = close(out) == 0 && ok;
    }
    return ok;
}

// Copies the project's first `count` drawing files to the numbers a batch
// gives them; the copies are deleted outside the measured time.
void runCopyLoop(benchmark::State& state, const Project& project, int count) {
    const std::vector<fs::path> copies = copyPaths(project, count);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        bool ok = true;
        for (int i = 0; i < count; ++i) {
            ok = copyFile(project.paths[static_cast<std::size_t>(i)],
                          copies[static_cast<std::size_t>(i)].string()) &&
                 ok;
        }
        state.SetIterationTime(secondsSince(start));
        for (const fs::path& copy : copies) {
            fs::remove(copy);
        }
        if (!ok) {
            state.SkipWithError("a drawing file was not copied");
            break;
        }
    }
}

// Stats each of the project's first `count` drawing files once.
void runStat(benchmark::State& state, const Project& project, int count) {
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        int found = 0;
        for (int i = 0; i < count; ++i) {
            struct stat info;
            found += stat(project.paths[static_cast<std::size_t>(i)].c_str(), &info) == 0 ? 1 : 0;
        }
        state.SetIterationTime(secondsSince(start));
        if (found != count) {
            state.SkipWithError("a drawing file is missing");
            break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    Sizes sizes;
    const bool smoke = takeSmokeFlag(argc, argv);
    if (smoke) {
        sizes.taken /= 100;
        sizes.copies /= 100;
        g_settle = false;
    }
    Project searchProject;
    Project copyProject;
    const auto removeProjects = [&] {
        std::error_code ignored;
        fs::remove_all(searchProject.dir, ignored);
        fs::remove_all(copyProject.dir, ignored);
    };
    if (!makeProject("search", sizes.taken, searchProject) ||
        !makeProject("copy", sizes.copies, copyProject)) {
        removeProjects();
        return 1;
    }
    std::printf("search: drawing files 1 to %d taken; copy: a batch of %d drawing files\n",
                sizes.taken, sizes.copies);

    const std::string search = "search/all-taken/" + std::to_string(sizes.taken);
    const std::string searchBare = "search/no-drawings-list/" + std::to_string(sizes.taken);
    const std::string searchStat = "baseline/stat/" + std::to_string(sizes.taken);
    const std::string copy = "copy/batch/" + std::to_string(sizes.copies);
    const std::string copyLoop = "baseline/copy/" + std::to_string(sizes.copies);
    const auto add = [](const std::string& name, auto run) {
        benchmark::RegisterBenchmark(name.c_str(), run)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    };
    add(search, [&](benchmark::State& s) { runSearch(s, searchProject, sizes.taken + 1, true); });
    add(searchBare,
        [&](benchmark::State& s) { runSearch(s, searchProject, sizes.taken + 1, false); });
    add(searchStat, [&](benchmark::State& s) { runStat(s, searchProject, sizes.taken); });
    add(copy, [&](benchmark::State& s) { runCopyBatch(s, copyProject, sizes.copies); });
    add(copyLoop, [&](benchmark::State& s) { runCopyLoop(s, copyProject, sizes.copies); });

    RatioReporter reporter(!smoke);
    if (!runRegisteredBenchmarks(argc, argv, reporter)) {
        removeProjects();
        return 1;
    }
    reporter.printRatio("search-all-taken/stat", search, searchStat, 2);
    reporter.printRatio("search-no-drawings/stat", searchBare, searchStat, 2);
    reporter.printRatio("copy-batch/copy", copy, copyLoop, 2);
    removeProjects();
    // A wrong result of the search or the batch fails the program (and the
    // smoke test).
    return reporter.anyError() ? 1 : 0;
}
