// Benchmark of the view selection through its exported function, as the
// host calls it, on a generated facility-management project of 100
// buildings holding 1,000 views (500 originals, each with one variant), every
// view listed in the host's view file:
//
//   open/read-files   tb_fman_ViewSelect until its dialog is shown (the
//                     language library, the item images, reading the
//                     hierarchy file and the level bitmaps, filling the tree,
//                     reading the view file, giving every view its flags and
//                     image), against reading the same hierarchy file and
//                     view file line by line with a plain loop
//
// The module is loaded by name, as the host loads it; the headless desktop's
// modal hook stands in for the person: it notes when the dialog is shown and
// cancels it. --smoke makes the project ten times smaller, for a quick run
// under the sanitizers.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <windows.h>
// commctrl.h needs the base types of windows.h before it.
#include <commctrl.h>
#include <vedrix/headless/desktop.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/samplegen/sample_project.h>

#include "module_call.h"
#include "ratio_reporter.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kViewSelectTemplate = 139;
constexpr int kStructureTree = 1029;

using ViewSelectFunction = int (*)(HWND, int, const char*, const char*, const char*, const char*,
                                   int, int, char*);

struct Project : vedrix::bench::ScratchProject {
    Project() : ScratchProject("vedrix-bench-views-") {}
    std::string name = "fm";
    int levels = 0;
    int views = 0;

    std::string file(const std::string& fileName) const { return (dir() / fileName).string(); }
};

// `buildings` buildings of 5 original views with one variant each; no
// drawing files, which the view selection does not read.
std::unique_ptr<Project> writeProject(int buildings) {
    auto project = std::make_unique<Project>();
    if (!project->ok()) {
        return nullptr;
    }
    vedrix::samplegen::FmSample sample;
    sample.name = project->name;
    sample.buildings = buildings;
    sample.viewsPerBuilding = 5;
    sample.variantsPerView = 1;
    sample.drawingFilesPerView = 0;
    sample.freeDrawingFiles = 0;
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    if (!vedrix::samplegen::WriteFmSample(project->dir().string(), sample, summary, error)) {
        std::fprintf(stderr, "sample: %s\n", error.c_str());
        return nullptr;
    }
    project->levels = summary.levels;
    project->views = summary.views;
    return project;
}

ViewSelectFunction g_viewSelect = nullptr;
const Project* g_project = nullptr;

// One call of the view selection, cancelled as soon as it is shown; the
// time it took to show, and the number of tree items then (0 when the
// dialog was not shown or not cancelled).
int openOnce(double& seconds) {
    int items = 0;
    Clock::time_point shown;
    vedrix::headless::setModalHook([&](HWND dialog, int templateId) {
        shown = Clock::now();
        if (templateId == kViewSelectTemplate) {
            items = static_cast<int>(
                ::SendMessageA(::GetDlgItem(dialog, kStructureTree), TVM_GETCOUNT, 0, 0));
            ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    char picked[100];
    const Clock::time_point start = Clock::now();
    const int result = g_viewSelect(nullptr, 0, "en", g_project->dir().string().c_str(), "Campus",
                                    (g_project->name + ".lis").c_str(), 0, 2, picked);
    vedrix::headless::setModalHook(nullptr);
    seconds = std::chrono::duration<double>(shown - start).count();
    return result == IDCANCEL ? items : 0;
}

void runOpen(benchmark::State& state) {
    for (auto _ : state) {
        double seconds = 0;
        if (openOnce(seconds) == 0) {
            state.SkipWithError("the view selection did not open");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

// Lines of a text file read one by one, as the plainest reader would.
std::size_t countLines(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::size_t lines = 0;
    while (std::getline(in, line)) {
        lines += line.empty() ? 0 : 1;
    }
    return lines;
}

void runRead(benchmark::State& state) {
    const std::string hre = g_project->file(g_project->name + ".hre");
    const std::string views = g_project->file(vedrix::hostsim::kViewFileName);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const std::size_t lines = countLines(hre) + countLines(views);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (lines == 0) {
            state.SkipWithError("the project does not read");
            break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool smoke = vedrix::bench::takeSmokeFlag(argc, argv);
    const auto project = writeProject(smoke ? 10 : 100);
    g_viewSelect = vedrix::bench::moduleExport<ViewSelectFunction>("tb_fman_ViewSelect");
    if (!project || g_viewSelect == nullptr) {
        std::fprintf(stderr, "the project or the module is not there\n");
        return 1;
    }
    g_project = project.get();
    std::printf("project: %d levels, %d views\n", project->levels, project->views);
    // Before any timing: the tree shows the root, every building and every view.
    double seconds = 0;
    const int items = openOnce(seconds);
    if (items != 1 + project->levels) {
        std::fprintf(stderr, "the tree shows %d items, not %d\n", items, 1 + project->levels);
        return 1;
    }

    const auto add = [](const char* name, void (*run)(benchmark::State&)) {
        benchmark::RegisterBenchmark(name, run)->UseManualTime()->Unit(benchmark::kMillisecond);
    };
    add("view-select/open", runOpen);
    add("baseline/read-files", runRead);
    vedrix::bench::RatioReporter reporter(!smoke);
    if (!vedrix::bench::runRegisteredBenchmarks(argc, argv, reporter)) {
        return 1;
    }
    reporter.printRatio("open/read-files", "view-select/open", "baseline/read-files", 2);
    return reporter.anyError() ? 1 : 0;
}
