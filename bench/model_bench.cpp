// Benchmarks of the structure-file readers and writers. Every figure is set
// beside a baseline measured in the same run on the same bytes, and the
// program ends with the ratios between them:
//
//   hierarchy-read/line-split    readhre against splitting the file into lines
//   hierarchy-write/line-write   writehre against writing the file's lines
//   level-list-read/N-vs-M       readlis of twice the entries against once
//
// --smoke shrinks every size a hundredfold, for a quick run under the
// sanitizers; the ratios are printed then too but mean little.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <vedrix/model.h>

#include "sample_structure.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Sizes {
    int hierarchyLevels = 100000;
    int listLevels = 1000;
    int listEntries = 6000;  // the second list holds twice as many
};

// An output sink that keeps nothing and counts the bytes it is given, so that
// the write benchmarks measure the writers rather than memory copies.
class CountingBuf : public std::streambuf {
public:
    std::size_t count() const { return m_count; }
    void reset() { m_count = 0; }

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        m_count += static_cast<std::size_t>(n);
        return n;
    }
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            ++m_count;
        }
        return traits_type::not_eof(c);
    }

private:
    std::size_t m_count = 0;
};

// One structure line's fields, as the reader takes them apart.
struct LevelRecord {
    int levelNr;
    unsigned long id;
    unsigned long parentID;
    int status;
    std::string name;
    std::string uuid;
};

struct HierarchyData {
    std::string text;
    std::vector<std::string> lines;     // with their line ends
    std::vector<LevelRecord> records;   // the structure lines in file order
    std::size_t levels = 0;
};

// The levels below `root` in the order the hierarchy file lists them.
std::vector<LevelRecord> recordsOf(const Zel_GM_Root& root) {
    std::vector<LevelRecord> records;
    std::vector<const Zel_GM_Level*> pending{&root};
    std::vector<const Zel_GM_Level*> children;
    while (!pending.empty()) {
        const Zel_GM_Level* level = pending.back();
        pending.pop_back();
        if (level != &root) {
            records.push_back({level->getLevelNr(), level->getID(), level->getParentID(),
                               level->getStatus(), level->getNameText(), level->getUuidText()});
        }
        children.clear();
        for (const auto& node : level->GetSublevels()) {
            children.push_back(node.value);
        }
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return records;
}

struct LevelListData {
    std::string hierarchy;
    std::string single;  // listEntries entries
    std::string twice;   // 2 * listEntries entries; the first half is `single`
    int entries = 0;
};

HierarchyData makeHierarchy(const Sizes& sizes) {
    HierarchyData data;
    Zel_GM_Root root("Project");
    vedrix::bench::StructureShape shape;
    shape.levels = sizes.hierarchyLevels;
    shape.duplicateIdEvery = 50;
    shape.seed = 2024;
    vedrix::bench::buildStructure(root, shape);
    data.text = vedrix::bench::writeHierarchy(root);
    data.records = recordsOf(root);
    data.levels = static_cast<std::size_t>(sizes.hierarchyLevels);
    std::istringstream in(data.text);
    for (std::string line; std::getline(in, line);) {
        data.lines.push_back(line + '\n');
    }
    return data;
}

LevelListData makeLevelList(const Sizes& sizes) {
    LevelListData data;
    Zel_GM_Root root("Project");
    vedrix::bench::StructureShape shape;
    shape.levels = sizes.listLevels;
    shape.duplicateIdEvery = 7;
    shape.seed = 77;
    const std::vector<unsigned long> ids = vedrix::bench::buildStructure(root, shape);
    data.hierarchy = vedrix::bench::writeHierarchy(root);
    data.entries = sizes.listEntries;
    const unsigned long highest = root.getHighestID();
    data.twice = vedrix::bench::levelListText(ids, highest, 2 * sizes.listEntries, 5);
    // The first `listEntries` lines of the longer file, which number their
    // entries exactly as they do there.
    std::size_t end = 0;
    for (int line = 0; line <= sizes.listEntries; ++line) {
        end = data.twice.find('\n', end) + 1;
    }
    data.single = data.twice.substr(0, end);
    return data;
}

// The samples must read back completely before their timings mean anything.
bool verify(const HierarchyData& hierarchy, const LevelListData& list) {
    bool ok = true;
    {
        Zel_GM_Root root("Project");
        std::istringstream in(hierarchy.text);
        const int result = root.readhre(in, 1);
        const std::size_t levels = vedrix::bench::countLevels(root, 1, 9);
        if (result != 0 || levels != hierarchy.levels) {
            std::fprintf(stderr, "hierarchy sample: readhre gave %d with %zu of %zu levels\n",
                         result, levels, hierarchy.levels);
            ok = false;
        } else if (vedrix::bench::writeHierarchy(root) != hierarchy.text) {
            std::fprintf(stderr, "hierarchy sample: written again it differs\n");
            ok = false;
        }
    }
    for (const std::string* text : {&list.single, &list.twice}) {
        Zel_GM_Root root("Project");
        std::istringstream hin(list.hierarchy);
        std::istringstream lin(*text);
        const int hre = root.readhre(hin, 1);
        const int lis = root.readlis(lin, 1);
        const std::size_t expected =
            static_cast<std::size_t>(text == &list.single ? list.entries : 2 * list.entries);
        const std::size_t entries = vedrix::bench::countLevels(root, 10, 10);
        if (hre != 0 || lis != 0 || entries != expected) {
            std::fprintf(stderr, "level list sample: readhre %d, readlis %d, %zu of %zu entries\n",
                         hre, lis, entries, expected);
            ok = false;
        }
    }
    return ok;
}

void runReadHierarchy(benchmark::State& state, const HierarchyData& data) {
    for (auto _ : state) {
        auto root = std::make_unique<Zel_GM_Root>("Project");
        std::istringstream in(data.text);
        const Clock::time_point start = Clock::now();
        const int result = root->readhre(in, 1);
        state.SetIterationTime(secondsSince(start));
        benchmark::DoNotOptimize(result);
        root.reset();  // outside the measured time
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(data.text.size()));
}

void runSplitLines(benchmark::State& state, const HierarchyData& data) {
    for (auto _ : state) {
        std::istringstream in(data.text);
        const Clock::time_point start = Clock::now();
        std::size_t lines = 0;
        for (std::string line; std::getline(in, line);) {
            ++lines;
        }
        state.SetIterationTime(secondsSince(start));
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(data.text.size()));
}

// The tree that readhre builds, built from fields taken apart beforehand: the
// share of a reading that is spent on creating levels rather than on text.
void runBuildTree(benchmark::State& state, const HierarchyData& data) {
    std::vector<Zel_GM_Level*> chain;
    for (auto _ : state) {
        auto root = std::make_unique<Zel_GM_Root>("Project");
        const Clock::time_point start = Clock::now();
        chain.assign(1, root.get());
        for (const LevelRecord& r : data.records) {
            while (r.levelNr <= chain.back()->getLevelNr()) {
                chain.pop_back();
            }
            auto* uuid = reinterpret_cast<unsigned char*>(const_cast<char*>(r.uuid.c_str()));
            chain.push_back(chain.back()->addSublevel(r.levelNr, r.id, r.parentID, r.name.c_str(),
                                                      r.status, uuid));
        }
        state.SetIterationTime(secondsSince(start));
        root.reset();
    }
}

// Visits every level as writehre does, depth first in key order, and touches
// the fields it writes: the share of a writing spent on walking the tree.
void runWalkTree(benchmark::State& state, const HierarchyData& data) {
    Zel_GM_Root root("Project");
    std::istringstream in(data.text);
    if (root.readhre(in, 1) != 0) {
        state.SkipWithError("the sample does not read");
        return;
    }
    std::vector<const Zel_GM_Level*> pending;
    std::vector<const Zel_GM_Level*> children;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        std::size_t touched = 0;
        pending.assign(1, &root);
        while (!pending.empty()) {
            const Zel_GM_Level* level = pending.back();
            pending.pop_back();
            touched += std::strlen(level->getNameText()) + std::strlen(level->getUuidText()) +
                       static_cast<std::size_t>(level->getStatus());
            children.clear();
            for (const auto& node : level->GetSublevels()) {
                children.push_back(node.value);
            }
            pending.insert(pending.end(), children.rbegin(), children.rend());
        }
        state.SetIterationTime(secondsSince(start));
        benchmark::DoNotOptimize(touched);
    }
}

void runWriteHierarchy(benchmark::State& state, const HierarchyData& data) {
    Zel_GM_Root root("Project");
    std::istringstream in(data.text);
    if (root.readhre(in, 1) != 0) {
        state.SkipWithError("the sample does not read");
        return;
    }
    CountingBuf sink;
    std::ostream os(&sink);
    for (auto _ : state) {
        sink.reset();
        const Clock::time_point start = Clock::now();
        root.writehre(os);
        state.SetIterationTime(secondsSince(start));
    }
    if (sink.count() != data.text.size()) {
        state.SkipWithError("writehre wrote a different number of bytes");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(data.text.size()));
}

void runWriteLines(benchmark::State& state, const HierarchyData& data) {
    CountingBuf sink;
    std::ostream os(&sink);
    for (auto _ : state) {
        sink.reset();
        const Clock::time_point start = Clock::now();
        for (const std::string& line : data.lines) {
            os.write(line.data(), static_cast<std::streamsize>(line.size()));
        }
        state.SetIterationTime(secondsSince(start));
    }
    if (sink.count() != data.text.size()) {
        state.SkipWithError("the lines add up to a different number of bytes");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(data.text.size()));
}

// Each iteration reads the list into a fresh root that holds the structure
// levels; building that root and destroying it afterwards are not measured.
void runReadLevelList(benchmark::State& state, const LevelListData& data, const std::string& text) {
    for (auto _ : state) {
        auto root = std::make_unique<Zel_GM_Root>("Project");
        std::istringstream hin(data.hierarchy);
        if (root->readhre(hin, 1) != 0) {
            state.SkipWithError("the structure does not read");
            break;
        }
        std::istringstream lin(text);
        const Clock::time_point start = Clock::now();
        const int result = root->readlis(lin, 1);
        state.SetIterationTime(secondsSince(start));
        benchmark::DoNotOptimize(result);
        root.reset();
    }
}

// Shows every run as the console reporter does and keeps each benchmark's
// real time per iteration, in seconds, for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                continue;
            }
            Times& times = m_times[run.run_name.function_name];
            const double seconds = run.GetAdjustedRealTime() / perSecond(run.time_unit);
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name == "median") {
                    times.median = seconds;
                }
            } else {
                times.sum += seconds;
                ++times.runs;
            }
        }
    }

    // Seconds per iteration: the median over repetitions when there were
    // several, else the mean of the runs. Negative when nothing was measured.
    double seconds(const std::string& name) const {
        auto it = m_times.find(name);
        if (it == m_times.end() || it->second.runs == 0) {
            return -1;
        }
        return it->second.median >= 0 ? it->second.median : it->second.sum / it->second.runs;
    }

    void printRatio(const char* label, const std::string& measured, const std::string& baseline,
                    double target) const {
        const double a = seconds(measured);
        const double b = seconds(baseline);
        if (a < 0 || b <= 0) {
            std::printf("ratio %s: not measured (%s, %s)\n", label, measured.c_str(),
                        baseline.c_str());
            return;
        }
        const double ratio = a / b;
        if (target <= 0) {
            std::printf("ratio %s: %.2f (breakdown, no target)   [%.3f ms / %.3f ms]\n", label,
                        ratio, a * 1e3, b * 1e3);
            return;
        }
        std::printf("ratio %s: %.2f (target <= %g)%s   [%.3f ms / %.3f ms]\n", label, ratio,
                    target, ratio <= target ? "" : "  MISSED", a * 1e3, b * 1e3);
    }

private:
    struct Times {
        double sum = 0;
        int runs = 0;
        double median = -1;
    };

    static double perSecond(benchmark::TimeUnit unit) {
        switch (unit) {
            case benchmark::kNanosecond:
                return 1e9;
            case benchmark::kMicrosecond:
                return 1e6;
            case benchmark::kMillisecond:
                return 1e3;
            case benchmark::kSecond:
                return 1;
        }
        return 1e9;
    }

    std::map<std::string, Times> m_times;
};

// Takes "--smoke" out of the arguments; true when it was there.
bool takeSmokeFlag(int& argc, char** argv) {
    bool found = false;
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && std::strcmp(argv[i], "--smoke") == 0) {
            found = true;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    Sizes sizes;
    if (takeSmokeFlag(argc, argv)) {
        sizes.hierarchyLevels /= 100;
        sizes.listLevels /= 100;
        sizes.listEntries /= 100;
    }
    const HierarchyData hierarchy = makeHierarchy(sizes);
    const LevelListData list = makeLevelList(sizes);
    std::printf("hierarchy file: %zu levels, %zu bytes; level lists: %d and %d entries under %d levels\n",
                hierarchy.levels, hierarchy.text.size(), list.entries, 2 * list.entries,
                sizes.listLevels);
    if (!verify(hierarchy, list)) {
        return 1;
    }

    const std::string single = "level-list/read/" + std::to_string(list.entries);
    const std::string twice = "level-list/read/" + std::to_string(2 * list.entries);
    const auto add = [](const std::string& name, auto run) {
        benchmark::RegisterBenchmark(name.c_str(), run)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    };
    add("hierarchy/read", [&](benchmark::State& s) { runReadHierarchy(s, hierarchy); });
    add("baseline/line-split", [&](benchmark::State& s) { runSplitLines(s, hierarchy); });
    add("hierarchy/build-tree", [&](benchmark::State& s) { runBuildTree(s, hierarchy); });
    add("hierarchy/write", [&](benchmark::State& s) { runWriteHierarchy(s, hierarchy); });
    add("baseline/line-write", [&](benchmark::State& s) { runWriteLines(s, hierarchy); });
    add("hierarchy/walk-tree", [&](benchmark::State& s) { runWalkTree(s, hierarchy); });
    add(single, [&](benchmark::State& s) { runReadLevelList(s, list, list.single); });
    add(twice, [&](benchmark::State& s) { runReadLevelList(s, list, list.twice); });

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n");
    reporter.printRatio("hierarchy-read/line-split", "hierarchy/read", "baseline/line-split", 3);
    reporter.printRatio("hierarchy-write/line-write", "hierarchy/write", "baseline/line-write", 2);
    reporter.printRatio("tree-build/line-split", "hierarchy/build-tree", "baseline/line-split", 0);
    reporter.printRatio("tree-walk/line-write", "hierarchy/walk-tree", "baseline/line-write", 0);
    const std::string listLabel = "level-list-read/" + std::to_string(2 * list.entries) + "-vs-" +
                                  std::to_string(list.entries);
    reporter.printRatio(listLabel.c_str(), twice, single, 2.5);
    return 0;
}
