// Benchmarks of the facility-management browser through its exported
// function, as the host calls it, on a generated project of 100 levels,
// 1,000 views and 6,000 drawing files, every drawing file on disk with a
// header and a name, the view file and the drawing-file information listing
// them all:
//
//   open/read-files      tb_fman_browser until its dialog is shown (libraries,
//                        both structure files, the level bitmaps, filling the
//                        tree with every drawing file's name, the free list,
//                        the view file and the drawing-file information of
//                        the view form), against reading both structure files,
//                        the view file, the drawing-file information and the
//                        header of every drawing file once
//   confirm/write-files  confirming the dialog until tb_fman_browser returns
//                        (the level tree rebuilt, both structure files, the
//                        drawing-file information with every header's
//                        identifiers, and the view file written), against
//                        writing the same files and reading each header once
//   variant/copy-files   a variant of a view of 40 drawing files (free numbers
//                        searched, files copied, headers updated, items
//                        shown), against copying the same 40 files
//
// The module is loaded by name, as the host loads it; the person in front of
// the screen is the headless desktop's modal hook. --smoke shrinks the
// project tenfold, for a quick run under the sanitizers.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
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

namespace fs = std::filesystem;
using vedrix::bench::cancelDialog;
using vedrix::bench::Clock;
using vedrix::bench::secondsBetween;

constexpr int kFmBrowserTemplate = 127;
constexpr int kTree = 1025;
constexpr int kVariantCommand = 32791;
constexpr int kRecordSize = 1024;
// Drawing files are numbered from here, so that the numbers below stay free
// for the copies of variants.
constexpr int kFirstNumber = 1000;

using FmBrowserFunction = int (*)(HWND, HMODULE, const char*, const char*, const char*, const char*,
                                  const char*);

struct Project {
    explicit Project(const char* tag)
        : scratch("vedrix-bench-fm-" + std::string(tag) + "-"), dir(scratch.dir()) {}
    vedrix::bench::ScratchProject scratch;
    fs::path dir;
    std::string name = "fm";
    int levels = 0;
    int views = 0;
    int drawingFiles = 0;

    std::string file(const std::string& name_) const { return (dir / name_).string(); }
};

std::unique_ptr<Project> writeProject(const char* tag, int buildings, int views, int files) {
    auto project = std::make_unique<Project>(tag);
    if (!project->scratch.ok()) {
        return nullptr;
    }
    vedrix::samplegen::FmSample sample;
    sample.name = project->name;
    sample.buildings = buildings;
    sample.viewsPerBuilding = views;
    sample.drawingFilesPerView = files;
    sample.variantsPerView = 0;
    sample.freeDrawingFiles = 0;
    sample.firstNumber = kFirstNumber;
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    if (!vedrix::samplegen::WriteFmSample(project->dir.string(), sample, summary, error)) {
        std::fprintf(stderr, "sample: %s\n", error.c_str());
        return nullptr;
    }
    project->levels = buildings;
    project->views = summary.views;
    project->drawingFiles = summary.drawingFiles;
    return project;
}

// Points the host stand-ins at `project`, whose configuration its scratch
// directory wrote once.
void useProject(const Project& project) {
    ::SetEnvironmentVariableA(vedrix::hostsim::kConfigVariable,
                              (project.dir / "host.cfg").string().c_str());
}

FmBrowserFunction g_fmBrowser = nullptr;
const Project* g_project = nullptr;

// One call of the browser on g_project; `act` runs once the dialog is shown
// and returns with it closed. Gives the call's result.
int browse(const std::function<void(HWND)>& act, Clock::time_point& shown) {
    return vedrix::bench::showModal(kFmBrowserTemplate, act, shown, [] {
        return g_fmBrowser(nullptr, nullptr, "en", g_project->dir.string().c_str(), "Site",
                           (g_project->name + ".lis").c_str(), "");
    });
}

void confirm(HWND dialog) {
    vedrix::bench::clickButton(dialog, IDOK);
}

HTREEITEM nextItem(HWND tree, HTREEITEM item, UINT how) {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// The first view of the first level: the root's first grandchild.
HTREEITEM firstView(HWND tree) {
    HTREEITEM root = nextItem(tree, nullptr, TVGN_ROOT);
    return nextItem(tree, nextItem(tree, root, TVGN_CHILD), TVGN_CHILD);
}

int childCount(HWND tree, HTREEITEM item) {
    int count = 0;
    for (HTREEITEM child = nextItem(tree, item, TVGN_CHILD); child != nullptr;
         child = nextItem(tree, child, TVGN_NEXT)) {
        ++count;
    }
    return count;
}

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Before any timing: the dialog shows every level, view and drawing file, a
// variant copies every drawing file of the view, and a confirmation writes
// the whole structure and the drawing-file information back.
bool verify(const Project& big, const Project& variantProject) {
    g_project = &variantProject;
    useProject(variantProject);
    int copies = 0;
    Clock::time_point shown;
    browse(
        [&](HWND dialog) {
            HWND tree = ::GetDlgItem(dialog, kTree);
            ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                           reinterpret_cast<LPARAM>(firstView(tree)));
            ::SendMessageA(dialog, WM_COMMAND, kVariantCommand, 0);
            // The new variant is selected.
            copies = childCount(tree, nextItem(tree, nullptr, TVGN_CARET));
            cancelDialog(dialog);
        },
        shown);
    const int leftOver =
        static_cast<int>(vedrix::hostsim::DrawingFileNumbers(variantProject.dir.string()).size());

    g_project = &big;
    useProject(big);
    int items = 0;
    const int result = browse(
        [&](HWND dialog) {
            items =
                static_cast<int>(::SendMessageA(::GetDlgItem(dialog, kTree), TVM_GETCOUNT, 0, 0));
            confirm(dialog);
        },
        shown);
    const int expectedItems = 1 + big.levels + big.views + big.drawingFiles;
    std::ifstream info(big.file("fm_tbinfo.txt"));
    int infoLines = 0;
    for (std::string line; std::getline(info, line);) {
        infoLines += !line.empty() && line[0] != '#' ? 1 : 0;
    }
    if (result != IDOK || items != expectedItems || infoLines != big.drawingFiles ||
        copies != variantProject.drawingFiles || leftOver != variantProject.drawingFiles) {
        std::fprintf(stderr,
                     "result %d; %d of %d items; %d of %d drawing-file information lines; "
                     "%d of %d copies, %d drawing files left after cancelling\n",
                     result, items, expectedItems, infoLines, big.drawingFiles, copies,
                     variantProject.drawingFiles, leftOver);
        return false;
    }
    return true;
}

void runOpen(benchmark::State& state) {
    vedrix::bench::timeOpening(state, browse, "the browser did not open");
}

void runConfirm(benchmark::State& state) {
    for (auto _ : state) {
        Clock::time_point shown, start;
        const int result = browse(
            [&](HWND dialog) {
                start = Clock::now();
                confirm(dialog);
            },
            shown);
        const Clock::time_point end = Clock::now();
        if (result != IDOK) {
            state.SkipWithError("the browser was not confirmed");
            break;
        }
        state.SetIterationTime(secondsBetween(start, end));
    }
}

void runVariant(benchmark::State& state) {
    for (auto _ : state) {
        Clock::time_point shown, start, end;
        browse(
            [&](HWND dialog) {
                HWND tree = ::GetDlgItem(dialog, kTree);
                ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                               reinterpret_cast<LPARAM>(firstView(tree)));
                start = Clock::now();
                ::SendMessageA(dialog, WM_COMMAND, kVariantCommand, 0);
                end = Clock::now();
                cancelDialog(dialog);  // deletes the copies again
            },
            shown);
        state.SetIterationTime(secondsBetween(start, end));
    }
}

// Reads the two structure files into a fresh root, both host tables line by
// line, and the header of every drawing file.
void runRead(benchmark::State& state) {
    const std::vector<int> numbers = vedrix::hostsim::DrawingFileNumbers(g_project->dir.string());
    std::vector<char> header(kRecordSize);
    for (auto _ : state) {
        auto root = std::make_unique<Zel_GM_Root>("Site");
        const Clock::time_point start = Clock::now();
        vedrix::framework::TextFileReader hre(g_project->file("fm.hre").c_str());
        int result = root->readhre(hre, 1);
        vedrix::framework::TextFileReader lis(g_project->file("fm.lis").c_str());
        result |= root->readlis(lis, 1);
        std::size_t lines = 0;
        for (const char* table : {"fm_views.txt", "fm_tbinfo.txt"}) {
            std::ifstream in(g_project->file(table));
            for (std::string line; std::getline(in, line);) {
                ++lines;
            }
        }
        for (int number : numbers) {
            std::ifstream in(g_project->file(vedrix::hostsim::DrawingFileName(number)),
                             std::ios::binary);
            in.read(header.data(), kRecordSize);
            lines += in.gcount() == kRecordSize ? 1 : 0;
        }
        state.SetIterationTime(secondsBetween(start, Clock::now()));
        benchmark::DoNotOptimize(lines);
        if (result != 0) {
            state.SkipWithError("the project does not read");
            break;
        }
    }
}

// Writes the read structure into both structure files, the two host tables
// from their texts, and reads each drawing file's header for its
// identifiers, as a confirmation does. Every file is flushed before it takes
// the old one's place, as a confirmation must (plain_save.h).
void runWrite(benchmark::State& state) {
    Zel_GM_Root root("Site");
    {
        vedrix::framework::TextFileReader hre(g_project->file("fm.hre").c_str());
        vedrix::framework::TextFileReader lis(g_project->file("fm.lis").c_str());
        if (root.readhre(hre, 1) != 0 || root.readlis(lis, 1) != 0) {
            state.SkipWithError("the project does not read");
            return;
        }
    }
    const std::string views = readWhole(g_project->file("fm_views.txt"));
    const std::string info = readWhole(g_project->file("fm_tbinfo.txt"));
    const std::vector<int> numbers = vedrix::hostsim::DrawingFileNumbers(g_project->dir.string());
    std::vector<char> header(kRecordSize);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        vedrix::framework::TextFileWriter hre(g_project->file("fm.hre").c_str());
        root.writehre(hre);
        hre << "#ATTRIBUTES:\n";
        root.writeAttributes(hre);
        vedrix::framework::TextFileWriter lis(g_project->file("fm.lis").c_str());
        root.writelis(lis);
        bool written = hre.Commit() && lis.Commit();
        std::size_t read = 0;
        for (int number : numbers) {
            std::ifstream in(g_project->file(vedrix::hostsim::DrawingFileName(number)),
                             std::ios::binary);
            in.read(header.data(), kRecordSize);
            read += static_cast<std::size_t>(in.gcount());
        }
        for (const auto& [name, text] :
             {std::make_pair("fm_views.txt", &views), std::make_pair("fm_tbinfo.txt", &info)}) {
            written = vedrix::bench::saveDurably(g_project->file(name), *text) && written;
        }
        state.SetIterationTime(secondsBetween(start, Clock::now()));
        benchmark::DoNotOptimize(read);
        if (!written) {
            state.SkipWithError("the files cannot be written");
            break;
        }
    }
}

// Copies the 40 drawing files of the variant project to 40 new files, whole,
// and deletes the copies again outside the measured time.
void runCopy(benchmark::State& state) {
    const std::vector<int> numbers = vedrix::hostsim::DrawingFileNumbers(g_project->dir.string());
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        int target = 100;
        bool copied = true;
        for (int number : numbers) {
            const std::string bytes =
                readWhole(g_project->file(vedrix::hostsim::DrawingFileName(number)));
            std::ofstream out(g_project->file(vedrix::hostsim::DrawingFileName(target++)),
                              std::ios::binary | std::ios::trunc);
            out << bytes;
            copied = copied && static_cast<bool>(out);
        }
        state.SetIterationTime(secondsBetween(start, Clock::now()));
        for (int copy = 100; copy < target; ++copy) {
            fs::remove(g_project->file(vedrix::hostsim::DrawingFileName(copy)));
        }
        if (!copied) {
            state.SkipWithError("the files cannot be copied");
            break;
        }
    }
}

// Runs `run` with the stand-ins on `project`.
template <const Project** Which>
void onProject(benchmark::State& state, void (*run)(benchmark::State&)) {
    g_project = *Which;
    useProject(*g_project);
    run(state);
}

const Project* g_big = nullptr;
const Project* g_forty = nullptr;

}  // namespace

int main(int argc, char** argv) {
    const bool smoke = vedrix::bench::takeSmokeFlag(argc, argv);
    // 100 levels with 10 views of 6 drawing files: 1,000 views, 6,000
    // drawing files; and one view of 40 drawing files for the variants.
    const auto big = smoke ? writeProject("big", 10, 10, 6) : writeProject("big", 100, 10, 6);
    const auto forty = writeProject("forty", 1, 1, 40);
    g_fmBrowser = vedrix::bench::moduleExport<FmBrowserFunction>("tb_fman_browser");
    if (!big || !forty || g_fmBrowser == nullptr) {
        std::fprintf(stderr, "the projects or the module are not there\n");
        return 1;
    }
    g_big = big.get();
    g_forty = forty.get();
    std::printf("project: %d levels, %d views, %d drawing files; variant of a view of %d\n",
                big->levels, big->views, big->drawingFiles, forty->drawingFiles);
    if (!verify(*big, *forty)) {
        return 1;
    }
    if (!smoke) {
        vedrix::bench::letHostFilesSettle();
    }

    const auto add = [](const char* name, const std::function<void(benchmark::State&)>& run) {
        benchmark::RegisterBenchmark(name, run)->UseManualTime()->Unit(benchmark::kMillisecond);
    };
    add("fm-browser/open", [](benchmark::State& s) { onProject<&g_big>(s, runOpen); });
    add("baseline/read-files", [](benchmark::State& s) { onProject<&g_big>(s, runRead); });
    add("fm-browser/confirm", [](benchmark::State& s) { onProject<&g_big>(s, runConfirm); });
    add("baseline/write-files", [](benchmark::State& s) { onProject<&g_big>(s, runWrite); });
    add("fm-browser/variant", [](benchmark::State& s) { onProject<&g_forty>(s, runVariant); });
    add("baseline/copy-files", [](benchmark::State& s) { onProject<&g_forty>(s, runCopy); });

    vedrix::bench::RatioReporter reporter(!smoke);
    if (!vedrix::bench::runRegisteredBenchmarks(argc, argv, reporter)) {
        return 1;
    }
    reporter.printRatio("open/read-files", "fm-browser/open", "baseline/read-files", 2);
    reporter.printRatio("confirm/write-files", "fm-browser/confirm", "baseline/write-files", 2);
    reporter.printRatio("variant/copy-files", "fm-browser/variant", "baseline/copy-files", 2);
    return reporter.anyError() ? 1 : 0;
}
