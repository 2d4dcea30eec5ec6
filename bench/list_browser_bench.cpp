// Benchmarks of the list browser through its exported function, as the host
// calls it, on a generated project of 1,000 levels and 6,000 drawing files
// (5,400 in the structure, 600 free), every drawing file on disk with a name
// that the host's name lookup (the stand-in vedada.dll) reads from its header:
//
//   open/read-files      tb_list_browser until its dialog is shown (libraries,
//                        reading both structure files, the level bitmaps, the
//                        attribute section, filling the tree, listing and
//                        naming the free drawing files, the palette), against
//                        reading the same two structure files
//   confirm/write-files  confirming the dialog (the level tree rebuilt from
//                        the tree control, both files written beside
//                        themselves and put in place), against writing the
//                        same structure into the same two files
//
// The module is loaded by name, as the host loads it; the person in front of
// the screen is the headless desktop's modal hook, which notes when the
// dialog is shown and then cancels or confirms it. --smoke shrinks the
// project tenfold, for a quick run under the sanitizers.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include <windows.h>
// commctrl.h needs the base types of windows.h before it.
#include <commctrl.h>
#include <vedrix/headless/desktop.h>

#include <vedrix/framework/text_file.h>
#include <vedrix/model.h>
#include <vedrix/samplegen/sample_project.h>

#include "module_call.h"
#include "ratio_reporter.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kListBrowserTemplate = 101;
constexpr int kConfirmButton = 1003;

using ListBrowserFunction = int (*)(HWND, const char*, const char*, const char*, const char*,
                                    const char*);

double secondsBetween(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double>(end - start).count();
}

struct Project : vedrix::bench::ScratchProject {
    Project() : ScratchProject("vedrix-bench-list-") {}
    std::string name = "campus";
    int levels = 0;
    int drawingFiles = 0;
    int placed = 0;

    std::string file(const char* extension) const { return (dir() / (name + extension)).string(); }
};

std::unique_ptr<Project> writeProject(int buildings, int filesPerPart, int freeFiles) {
    auto project = std::make_unique<Project>();
    if (!project->ok()) {
        return nullptr;
    }
    vedrix::samplegen::StructureSample sample;
    sample.name = project->name;
    sample.buildings = buildings;
    sample.storeysPerBuilding = 3;
    sample.partsPerStorey = 2;
    sample.drawingFilesPerPart = filesPerPart;
    sample.freeDrawingFiles = freeFiles;
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    if (!vedrix::samplegen::WriteStructureSample(project->dir().string(), sample, summary, error)) {
        std::fprintf(stderr, "sample: %s\n", error.c_str());
        return nullptr;
    }
    project->levels = summary.levels;
    project->drawingFiles = summary.drawingFiles;
    project->placed = summary.drawingFiles - freeFiles;
    return project;
}

// Levels and drawing-file entries below `level`.
int countBelow(const Zel_GM_Level& level) {
    int count = 0;
    for (const auto& node : level.GetSublevels()) {
        count += 1 + countBelow(*node.value);
    }
    return count;
}

ListBrowserFunction g_listBrowser = nullptr;
const Project* g_project = nullptr;

// One call of the list browser; `act` runs once the dialog is shown and
// returns with it closed. Gives the call's result.
int browse(const std::function<void(HWND)>& act, Clock::time_point& shown) {
    vedrix::headless::setModalHook([&](HWND dialog, int templateId) {
        shown = Clock::now();
        if (templateId == kListBrowserTemplate) {
            act(dialog);
        }
    });
    const int result = g_listBrowser(nullptr, "en", g_project->dir().string().c_str(), "Campus",
                                     (g_project->name + ".lis").c_str(), "");
    vedrix::headless::setModalHook(nullptr);
    return result;
}

void cancel(HWND dialog) {
    ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

void confirm(HWND dialog) {
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kConfirmButton, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kConfirmButton)));
}

// Before any timing: the dialog shows every level, drawing file and free
// drawing file, and a confirmation writes the whole structure back.
bool verify() {
    int items = 0;
    int freeRows = 0;
    Clock::time_point shown;
    const int result = browse(
        [&](HWND dialog) {
            items =
                static_cast<int>(::SendMessageA(::GetDlgItem(dialog, 1001), TVM_GETCOUNT, 0, 0));
            freeRows = static_cast<int>(
                ::SendMessageA(::GetDlgItem(dialog, 1002), LVM_GETITEMCOUNT, 0, 0));
            confirm(dialog);
        },
        shown);
    Zel_GM_Root root("Campus");
    vedrix::framework::TextFileReader hre(g_project->file(".hre").c_str());
    vedrix::framework::TextFileReader lis(g_project->file(".lis").c_str());
    const bool read = root.readhre(hre, 1) == 0 && root.readlis(lis, 1) == 0;
    const int levels = countBelow(root);
    const int expectedItems = 1 + g_project->levels + g_project->placed;
    const int expectedFree = g_project->drawingFiles - g_project->placed;
    if (result != IDOK || items != expectedItems || freeRows != expectedFree || !read ||
        levels != g_project->levels + g_project->placed) {
        std::fprintf(stderr,
                     "result %d; %d of %d items, %d of %d free rows; files %s with %d of %d "
                     "levels and entries\n",
                     result, items, expectedItems, freeRows, expectedFree, read ? "read" : "unread",
                     levels, g_project->levels + g_project->placed);
        return false;
    }
    return true;
}

void runOpen(benchmark::State& state) {
    for (auto _ : state) {
        Clock::time_point shown;
        const Clock::time_point start = Clock::now();
        if (browse(cancel, shown) != IDCANCEL) {
            state.SkipWithError("the list browser did not open");
            break;
        }
        state.SetIterationTime(secondsBetween(start, shown));
    }
}

void runConfirm(benchmark::State& state) {
    for (auto _ : state) {
        Clock::time_point shown, start, end;
        const int result = browse(
            [&](HWND dialog) {
                start = Clock::now();
                confirm(dialog);
                end = Clock::now();
            },
            shown);
        if (result != IDOK) {
            state.SkipWithError("the list browser was not confirmed");
            break;
        }
        state.SetIterationTime(secondsBetween(start, end));
    }
}

// Reading both structure files into a fresh root, as the dialog's set-up
// reads them.
void runRead(benchmark::State& state) {
    for (auto _ : state) {
        auto root = std::make_unique<Zel_GM_Root>("Campus");
        const Clock::time_point start = Clock::now();
        vedrix::framework::TextFileReader hre(g_project->file(".hre").c_str());
        int result = root->readhre(hre, 1);
        vedrix::framework::TextFileReader lis(g_project->file(".lis").c_str());
        result |= root->readlis(lis, 1);
        state.SetIterationTime(secondsBetween(start, Clock::now()));
        if (result != 0) {
            state.SkipWithError("the project does not read");
            break;
        }
    }
}

// Writing the read structure into the same two files, as a confirmation
// writes them.
void runWrite(benchmark::State& state) {
    Zel_GM_Root root("Campus");
    {
        vedrix::framework::TextFileReader hre(g_project->file(".hre").c_str());
        vedrix::framework::TextFileReader lis(g_project->file(".lis").c_str());
        if (root.readhre(hre, 1) != 0 || root.readlis(lis, 1) != 0) {
            state.SkipWithError("the project does not read");
            return;
        }
    }
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        vedrix::framework::TextFileWriter hre(g_project->file(".hre").c_str());
        root.writehre(hre);
        hre << "#ATTRIBUTES:\n";
        root.writeAttributes(hre);
        vedrix::framework::TextFileWriter lis(g_project->file(".lis").c_str());
        root.writelis(lis);
        const bool written = hre.Commit() && lis.Commit();
        state.SetIterationTime(secondsBetween(start, Clock::now()));
        if (!written) {
            state.SkipWithError("the files cannot be written");
            break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool smoke = vedrix::bench::takeSmokeFlag(argc, argv);
    // 100 buildings with 3 storeys of 2 parts: 1,000 levels; 9 drawing files
    // per part and 600 free ones: 6,000 drawing files.
    const auto project = smoke ? writeProject(10, 9, 60) : writeProject(100, 9, 600);
    g_listBrowser = vedrix::bench::moduleExport<ListBrowserFunction>("tb_list_browser");
    if (!project || g_listBrowser == nullptr) {
        std::fprintf(stderr, "the project or the module is not there\n");
        return 1;
    }
    g_project = project.get();
    std::printf("project: %d levels, %d drawing files (%d in the structure)\n", project->levels,
                project->drawingFiles, project->placed);
    if (!verify()) {
        return 1;
    }

    const auto add = [](const char* name, void (*run)(benchmark::State&)) {
        benchmark::RegisterBenchmark(name, run)->UseManualTime()->Unit(benchmark::kMillisecond);
    };
    add("list-browser/open", runOpen);
    add("baseline/read-files", runRead);
    add("list-browser/confirm", runConfirm);
    add("baseline/write-files", runWrite);

    vedrix::bench::RatioReporter reporter(!smoke);
    if (!vedrix::bench::runRegisteredBenchmarks(argc, argv, reporter)) {
        return 1;
    }
    reporter.printRatio("open/read-files", "list-browser/open", "baseline/read-files", 0);
    reporter.printRatio("confirm/write-files", "list-browser/confirm", "baseline/write-files", 0);
    return reporter.anyError() ? 1 : 0;
}
