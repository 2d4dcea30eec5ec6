// Benchmarks of the list browser through its exported function, as the host
// calls it, on a generated project of 1,000 levels and 6,000 drawing files
// (5,400 in the structure, 600 free), every drawing file on disk with a name
// that the host's name lookup (the stand-in vedada.dll) reads from its header:
//
//   open/read-files      tb_list_browser until its dialog is shown (libraries,
//                        reading both structure files, the level bitmaps, the
//                        attribute section, filling the tree, listing and
//                        naming the free drawing files, the palette), against
//                        a plain loop that reads the same two structure files
//                        and each drawing file's header and stats the file
//   confirm/write-files  confirming the dialog (the level tree rebuilt from
//                        the tree control, both files written beside
//                        themselves and put in place), against a plain loop
//                        that writes the same bytes into the same two files,
//                        each beside itself, flushed and put in place
//
// The module is loaded by name, as the host loads it; the person in front of
// the screen is the headless desktop's modal hook, which notes when the
// dialog is shown and then cancels or confirms it. --smoke shrinks the
// project tenfold, for a quick run under the sanitizers.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
// commctrl.h needs the base types of windows.h before it.
#include <commctrl.h>
#include <vedrix/headless/desktop.h>

#include <vedrix/framework/text_file.h>
#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/drawing_file.h>
#include <vedrix/model.h>
#include <vedrix/samplegen/sample_project.h>

#include "modal_session.h"
#include "module_call.h"
#include "plain_save.h"
#include "ratio_reporter.h"

namespace {

using vedrix::bench::Clock;
using vedrix::bench::secondsBetween;

constexpr int kListBrowserTemplate = 101;
constexpr int kConfirmButton = 1003;

using ListBrowserFunction = int (*)(HWND, const char*, const char*, const char*, const char*,
                                    const char*);

struct Project : vedrix::bench::ScratchProject {
    Project() : ScratchProject("vedrix-bench-list-") {}
    std::string name = "campus";
    int levels = 0;
    int drawingFiles = 0;
    int placed = 0;

    std::string file(const char* extension) const { return (dir() / (name + extension)).string(); }
    // The drawing files, numbered from 1.
    std::string drawingFile(int number) const {
        return (dir() / vedrix::hostsim::DrawingFileName(number)).string();
    }
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
    return vedrix::bench::showModal(kListBrowserTemplate, act, shown, [] {
        return g_listBrowser(nullptr, "en", g_project->dir().string().c_str(), "Campus",
                             (g_project->name + ".lis").c_str(), "");
    });
}

void confirm(HWND dialog) {
    vedrix::bench::clickButton(dialog, kConfirmButton);
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
    vedrix::bench::timeOpening(state, browse, "the list browser did not open");
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

// The whole file into `bytes`; the count read, or -1.
long readFile(const std::string& path, std::vector<char>& bytes, std::size_t limit) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    std::size_t total = 0;
    for (;;) {
        if (total == bytes.size() && bytes.size() < limit) {
            bytes.resize(bytes.size() < 4096 ? 4096 : 2 * bytes.size());
        }
        const std::size_t room = (bytes.size() < limit ? bytes.size() : limit) - total;
        const ssize_t got = room == 0 ? 0 : read(fd, bytes.data() + total, room);
        if (got <= 0) {
            close(fd);
            return got < 0 ? -1 : static_cast<long>(total);
        }
        total += static_cast<std::size_t>(got);
    }
}

// The file work of opening the dialog that nothing can spare: both structure
// files read whole, and each drawing file's header read (the name lookup)
// and its attributes asked for (the existence check), each file once.
void runRead(benchmark::State& state) {
    std::vector<char> structure;
    std::vector<char> header(ZEL_TB_RECORD_SIZE);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        bool ok = readFile(g_project->file(".hre"), structure, SIZE_MAX) > 0 &&
                  readFile(g_project->file(".lis"), structure, SIZE_MAX) > 0;
        for (int number = 1; number <= g_project->drawingFiles; ++number) {
            const std::string path = g_project->drawingFile(number);
            struct stat info;
            ok = readFile(path, header, ZEL_TB_RECORD_SIZE) == ZEL_TB_RECORD_SIZE &&
                 stat(path.c_str(), &info) == 0 && ok;
        }
        state.SetIterationTime(secondsBetween(start, Clock::now()));
        if (!ok) {
            state.SkipWithError("the project does not read");
            break;
        }
    }
}

// The file work of confirming that nothing can spare: the same bytes that a
// confirmation writes (taken from the files it wrote) written into the same
// two files, each beside itself, flushed and put in place.
void runWrite(benchmark::State& state) {
    std::string hre;
    std::string lis;
    {
        std::vector<char> bytes;
        long got = readFile(g_project->file(".hre"), bytes, SIZE_MAX);
        hre.assign(bytes.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
        got = readFile(g_project->file(".lis"), bytes, SIZE_MAX);
        lis.assign(bytes.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    if (hre.empty() || lis.empty()) {
        state.SkipWithError("the project does not read");
        return;
    }
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const bool written = vedrix::bench::saveDurably(g_project->file(".hre"), hre) &&
                             vedrix::bench::saveDurably(g_project->file(".lis"), lis);
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
    if (!smoke) {
        vedrix::bench::letHostFilesSettle();
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
    reporter.printRatio("open/read-files", "list-browser/open", "baseline/read-files", 2);
    reporter.printRatio("confirm/write-files", "list-browser/confirm", "baseline/write-files", 3);
    return reporter.anyError() ? 1 : 0;
}
