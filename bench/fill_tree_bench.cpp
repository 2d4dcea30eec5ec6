// Benchmarks of filling a browser's structure tree from a project read from
// its files (Zel_GM_Level::setItem into the headless tree control), on
// generated projects on disk whose drawing files carry names that the host's
// name lookup (the stand-in vedada.dll) reads from their headers:
//
//   fill-tree/headers-stat filling 6,000 entries under 1,000 levels against a
//                          plain loop that reads each entry's drawing-file
//                          header (the name lookup's work) and stats the
//                          file (the existence check's)
//   fill-tree-without-names/stat
//                          the same fill without name lookups against the
//                          stat of each entry's drawing file
//   fill-tree/N-vs-M       filling twice the entries below one level against
//                          once, which shows whether sorted insertion among
//                          many siblings grows faster than the entries
//
// --smoke shrinks the projects tenfold, for a quick run under the
// sanitizers; the ratios are printed then too but mean little.
#include <benchmark/benchmark.h>

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

#include <vedrix/framework/text_file.h>
#include <vedrix/framework/ui.h>
#include <vedrix/hostsim/drawing_file.h>
#include <vedrix/model.h>
#include <vedrix/model/drawing_file_directory.h>
#include <vedrix/samplegen/sample_project.h>
#include <vedrix/widgets/ext_tree_ctrl.h>
#include <zelkar/vedada.h>

#include "ratio_reporter.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using ItemMap = CMap<int, int, unsigned long, unsigned long>;

CWinApp theApp("Vedrix fill-tree benchmark");

constexpr UINT kTreeId = 1;
constexpr char kFrameClass[] = "VedrixBenchFrame";

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Sizes {
    // 100 buildings with 3 storeys of 2 parts: 1,000 levels; 10 drawing
    // files per part: 6,000 entries.
    int buildings = 100;
    int filesPerPart = 10;
    int singleLevelFiles = 6000;  // the second single-level project has twice as many
};

// One generated project on disk, removed with the object.
struct Project {
    fs::path dir;
    std::string name;
    int levels = 0;
    int entries = 0;

    Project() = default;
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;
    ~Project() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    std::string file(const char* extension) const { return (dir / (name + extension)).string(); }
    // The drawing files of the entries, numbered from 1.
    std::string drawingFile(int number) const {
        return (dir / vedrix::hostsim::DrawingFileName(number)).string();
    }
};

// Writes the sample into a fresh directory, or into `shared` when given,
// whose drawing files it then writes again.
std::unique_ptr<Project> writeProject(const char* label,
                                      const vedrix::samplegen::StructureSample& sample,
                                      const Project* shared = nullptr) {
    auto project = std::make_unique<Project>();
    if (shared != nullptr) {
        project->dir = shared->dir;
    } else {
        std::random_device random;
        project->dir = fs::temp_directory_path() /
                       ("vedrix-bench-" + std::string(label) + "-" + std::to_string(random()));
        fs::create_directories(project->dir);
    }
    project->name = sample.name;
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    if (!vedrix::samplegen::WriteStructureSample(project->dir.string(), sample, summary, error)) {
        std::fprintf(stderr, "sample %s: %s\n", label, error.c_str());
        return nullptr;
    }
    project->levels = summary.levels;
    project->entries = summary.drawingFiles;
    return project;
}

// Reads the project's two structure files as the dialogs do; 0 when both read.
int readProject(const Project& project, Zel_GM_Root& root) {
    vedrix::framework::TextFileReader hre(project.file(".hre").c_str());
    const int hreResult = root.readhre(hre, 1);
    vedrix::framework::TextFileReader lis(project.file(".lis").c_str());
    const int lisResult = root.readlis(lis, 1);
    return hreResult != 0 ? hreResult : lisResult;
}

// The window that holds the structure tree, as a dialog holds it: the tree
// gets its deletion notifications back and frees its items' records.
class Frame : public CWnd {
public:
    CExtTreeCtrl m_tree;
};

// The host's name lookup and the directory the model checks drawing files
// in, both pointed at one project at a time.
struct Host {
    HMODULE vedada = nullptr;
    VedadaSetListPath setListPath = nullptr;
    VedadaReadObjectName readObjectName = nullptr;

    static std::string& directory() {
        static std::string dir;
        return dir;
    }
    static CString drawingDirectory() { return CString(directory().c_str()); }

    bool load() {
        vedada = LoadLibraryA(VEDADA_LIBRARY_NAME);
        if (vedada == nullptr) {
            return false;
        }
        setListPath = reinterpret_cast<VedadaSetListPath>(
            reinterpret_cast<void (*)()>(GetProcAddress(vedada, VEDADA_SET_LIST_PATH)));
        readObjectName = reinterpret_cast<VedadaReadObjectName>(
            reinterpret_cast<void (*)()>(GetProcAddress(vedada, VEDADA_READ_OBJECT_NAME)));
        vedrix::model::setDrawingFileDirectorySource(&Host::drawingDirectory);
        return setListPath != nullptr && readObjectName != nullptr;
    }
    void use(const Project& project) {
        directory() = project.dir.string();
        setListPath(directory().data());
    }
};

Host g_host;
Frame* g_frame = nullptr;

struct Fill {
    CList<CString, CString> names;
    ItemMap items;
    int images[kImageSlotCount];
    Fill() {
        for (int i = 0; i < kImageSlotCount; ++i) {
            images[i] = i;
        }
    }
    void run(Zel_GM_Root& root, VedadaReadObjectName lookup) {
        root.setItem(&g_frame->m_tree, &names, &items, images, nullptr, lookup);
    }
    void clear() {
        g_frame->m_tree.DeleteAllItems();
        names.RemoveAll();
        items.RemoveAll();
    }
};

// Before any timing: a fill places every level and entry, and shows the
// looked-up name of every drawing file (none is missing).
bool verify(const Project& project) {
    Zel_GM_Root root("Project");
    if (readProject(project, root) != 0) {
        std::fprintf(stderr, "%s: the project does not read\n", project.dir.string().c_str());
        return false;
    }
    g_host.use(project);
    Fill fill;
    fill.run(root, g_host.readObjectName);
    CExtTreeCtrl& tree = g_frame->m_tree;
    const UINT expected = static_cast<UINT>(1 + project.levels + project.entries);
    int named = 0;
    std::vector<HTREEITEM> pending{tree.GetRootItem()};
    while (!pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        for (; item != nullptr; item = tree.GetNextSiblingItem(item)) {
            auto* record = reinterpret_cast<TBItemData*>(tree.GetItemData(item));
            if (record != nullptr && record->getType() == TBItemData::kDrawingFile &&
                !record->isFileMissing() && tree.GetItemText(item).Find("  ") > 0) {
                ++named;
            }
            pending.push_back(tree.GetChildItem(item));
        }
    }
    const bool ok = tree.GetCount() == expected && named == project.entries &&
                    fill.names.GetCount() == project.entries;
    if (!ok) {
        std::fprintf(stderr, "%s: %u of %u items, %d of %d entries named\n",
                     project.dir.string().c_str(), tree.GetCount(), expected, named,
                     project.entries);
    }
    fill.clear();
    return ok;
}

// Each iteration fills an empty tree from the same read project; emptying
// the tree afterwards (which frees the records) is not measured.
void runFill(benchmark::State& state, const Project& project, bool lookUpNames) {
    Zel_GM_Root root("Project");
    if (readProject(project, root) != 0) {
        state.SkipWithError("the project does not read");
        return;
    }
    g_host.use(project);
    Fill fill;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        fill.run(root, lookUpNames ? g_host.readObjectName : nullptr);
        state.SetIterationTime(secondsSince(start));
        fill.clear();
    }
    state.counters["items"] = static_cast<double>(1 + project.levels + project.entries);
}

// The file work of a fill that nothing can spare: each entry's drawing file
// has its header read once when names are looked up, and is statted.
void runFileLoop(benchmark::State& state, const Project& project, bool readHeaders) {
    char header[ZEL_TB_RECORD_SIZE];
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        int complete = 0;
        for (int number = 1; number <= project.entries; ++number) {
            const std::string path = project.drawingFile(number);
            bool read = true;
            if (readHeaders) {
                const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
                read = fd >= 0 && ::read(fd, header, sizeof header) == sizeof header;
                if (fd >= 0) {
                    close(fd);
                }
            }
            struct stat info;
            complete += read && stat(path.c_str(), &info) == 0 ? 1 : 0;
        }
        state.SetIterationTime(secondsSince(start));
        if (complete != project.entries) {
            state.SkipWithError("a drawing file is missing");
            break;
        }
    }
}

bool createFrame() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = AfxWndProc;
    wc.lpszClassName = kFrameClass;
    RegisterClassA(&wc);
    static Frame frame;
    if (!frame.CreateEx(0, kFrameClass, "Structure", WS_OVERLAPPED | WS_VISIBLE,
                        CRect(0, 0, 400, 600), nullptr, 0) ||
        !frame.m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES,
                             CRect(0, 0, 400, 600), &frame, kTreeId)) {
        return false;
    }
    g_frame = &frame;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Sizes sizes;
    const bool smoke = vedrix::bench::takeSmokeFlag(argc, argv);
    if (smoke) {
        sizes.buildings /= 10;
        sizes.singleLevelFiles /= 10;
    }
    vedrix::samplegen::StructureSample wide;
    wide.buildings = sizes.buildings;
    wide.storeysPerBuilding = 3;
    wide.partsPerStorey = 2;
    wide.drawingFilesPerPart = sizes.filesPerPart;
    wide.freeDrawingFiles = 0;
    vedrix::samplegen::StructureSample single;
    single.buildings = 1;
    single.storeysPerBuilding = 1;
    single.partsPerStorey = 1;
    single.drawingFilesPerPart = sizes.singleLevelFiles;
    single.freeDrawingFiles = 0;
    vedrix::samplegen::StructureSample twice = single;
    twice.name = "twice";
    twice.drawingFilesPerPart = 2 * sizes.singleLevelFiles;

    // The single-level project of 6,000 entries uses the first half of the
    // drawing files of the one with 12,000, in the same directory.
    const auto structure = writeProject("structure", wide);
    const auto doubled = writeProject("twice", twice);
    const auto once = doubled ? writeProject("once", single, doubled.get()) : nullptr;
    if (!structure || !once || !doubled || !g_host.load() || !createFrame()) {
        std::fprintf(stderr, "the projects, the name lookup or the tree are not there\n");
        return 1;
    }
    std::printf("projects: %d entries under %d levels; %d and %d entries under one level\n",
                structure->entries, structure->levels, once->entries, doubled->entries);
    if (!verify(*structure) || !verify(*once) || !verify(*doubled)) {
        return 1;
    }

    const auto add = [](const std::string& name, auto run) {
        benchmark::RegisterBenchmark(name.c_str(), run)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    };
    const std::string structureFill = "fill/" + std::to_string(structure->entries) + "-entries";
    const std::string onceFill = "fill/one-level/" + std::to_string(once->entries);
    const std::string twiceFill = "fill/one-level/" + std::to_string(doubled->entries);
    add(structureFill, [&](benchmark::State& s) { runFill(s, *structure, true); });
    add("baseline/headers-stat", [&](benchmark::State& s) { runFileLoop(s, *structure, true); });
    add(structureFill + "-no-lookup", [&](benchmark::State& s) { runFill(s, *structure, false); });
    add("baseline/stat", [&](benchmark::State& s) { runFileLoop(s, *structure, false); });
    add(onceFill, [&](benchmark::State& s) { runFill(s, *once, true); });
    add(twiceFill, [&](benchmark::State& s) { runFill(s, *doubled, true); });
    add(onceFill + "-no-lookup", [&](benchmark::State& s) { runFill(s, *once, false); });
    add(twiceFill + "-no-lookup", [&](benchmark::State& s) { runFill(s, *doubled, false); });

    vedrix::bench::RatioReporter reporter(!smoke);
    if (!vedrix::bench::runRegisteredBenchmarks(argc, argv, reporter)) {
        return 1;
    }
    reporter.printRatio("fill-tree/headers-stat", structureFill, "baseline/headers-stat", 2);
    reporter.printRatio("fill-tree-without-names/stat", structureFill + "-no-lookup",
                        "baseline/stat", 0);
    const std::string label = "fill-tree/" + std::to_string(doubled->entries) + "-vs-" +
                              std::to_string(once->entries) + " under one level";
    reporter.printRatio(label.c_str(), twiceFill, onceFill, 3);
    // Without the name lookups, the tree's own share weighs more.
    reporter.printRatio((label + ", without names").c_str(), twiceFill + "-no-lookup",
                        onceFill + "-no-lookup", 0);
    g_frame->DestroyWindow();
    return 0;
}
