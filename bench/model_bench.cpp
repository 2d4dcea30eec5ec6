// Benchmarks of the structure-file readers and writers. Every figure is set
// beside a baseline measured in the same run on the same bytes, and the
// program ends with the ratios between them:
//
//   hierarchy-read/line-split    readhre against splitting the file into lines
//   hierarchy-write/line-write   writehre against writing the file's lines
//   level-list-read/N-vs-M       readlis of twice the entries against once
//
// --smoke shrinks the sizes a hundredfold (the level list's structure only
// tenfold, so that it still repeats IDs), for a quick run under the
// sanitizers; the ratios are printed then too but mean little.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <vedrix/framework/text_file.h>
#include <vedrix/model.h>

#include "ratio_reporter.h"
#include "sample_structure.h"

namespace {

using vedrix::bench::RatioReporter;
using vedrix::bench::takeSmokeFlag;
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
// a writer's own work shows alone.
class CountingBuf : public std::streambuf {
public:
    std::size_t count() const { return m_count; }

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

struct HierarchyData {
    std::string text;
    std::vector<std::string> lines;  // with their line ends
    std::size_t levels = 0;
};

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
    // Parents are found by the search rule, which matters only where IDs repeat.
    Zel_GM_Root structure("Project");
    std::istringstream again(list.hierarchy);
    if (structure.readhre(again, 1) != 0 || structure.checkIDunique() != 0) {
        std::fprintf(stderr, "level list sample: the structure repeats no ID\n");
        ok = false;
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

// The same two readings of the hierarchy file on disk, opened as the module
// opens structure files (the text-file reader): the opening is measured in
// both.
void runReadHierarchyFile(benchmark::State& state, const HierarchyData& data,
                          const std::string& path) {
    for (auto _ : state) {
        auto root = std::make_unique<Zel_GM_Root>("Project");
        const Clock::time_point start = Clock::now();
        vedrix::framework::TextFileReader in(path.c_str());
        const int result = root->readhre(in, 1);
        state.SetIterationTime(secondsSince(start));
        if (result != 0) {
            state.SkipWithError("the sample file does not read");
            break;
        }
        root.reset();  // outside the measured time
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(data.text.size()));
}

void runSplitLinesFile(benchmark::State& state, const HierarchyData& data,
                       const std::string& path) {
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        vedrix::framework::TextFileReader in(path.c_str());
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

// Writing the hierarchy file on disk as the module writes structure files
// (beside the target, then put in its place), against writing the same lines
// to the same kind of file.
void runWriteHierarchyFile(benchmark::State& state, const HierarchyData& data,
                           const std::string& path) {
    Zel_GM_Root root("Project");
    std::istringstream in(data.text);
    if (root.readhre(in, 1) != 0) {
        state.SkipWithError("the sample does not read");
        return;
    }
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        vedrix::framework::TextFileWriter out(path.c_str());
        root.writehre(out);
        const bool written = out.Commit();
        state.SetIterationTime(secondsSince(start));
        if (!written) {
            state.SkipWithError("the file could not be written");
            break;
        }
    }
}

void runWriteLinesFile(benchmark::State& state, const HierarchyData& data,
                       const std::string& path) {
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        vedrix::framework::TextFileWriter out(path.c_str());
        for (const std::string& line : data.lines) {
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
        }
        const bool written = out.Commit();
        state.SetIterationTime(secondsSince(start));
        if (!written) {
            state.SkipWithError("the file could not be written");
            break;
        }
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

// Keeps the bytes in a string whose storage is reserved once and kept from
// iteration to iteration, as a file stream's buffer is: the copying is
// measured, the growth of the storage (page faults, mostly) is not.
class MemoryBuf : public std::streambuf {
public:
    explicit MemoryBuf(std::string& out) : m_out(out) { m_out.clear(); }

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        m_out.append(s, static_cast<std::size_t>(n));
        return n;
    }
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            m_out.push_back(traits_type::to_char_type(c));
        }
        return traits_type::not_eof(c);
    }

private:
    std::string& m_out;
};

// The two sinks the writers are measured with: the memory file and the
// counting sink, which shows the writer's own work alone. Each iteration gets
// a fresh one, made outside the measured time.
struct MemorySink {
    static std::string& storage() {
        static std::string bytes;
        return bytes;
    }
    MemoryBuf buf{storage()};
    std::ostream os{&buf};
    std::size_t count() const { return storage().size(); }
};

struct NullSink {
    CountingBuf buf;
    std::ostream os{&buf};
    std::size_t count() const { return buf.count(); }
};

template <class Sink>
void runWriteHierarchy(benchmark::State& state, const HierarchyData& data) {
    Zel_GM_Root root("Project");
    std::istringstream in(data.text);
    if (root.readhre(in, 1) != 0) {
        state.SkipWithError("the sample does not read");
        return;
    }
    for (auto _ : state) {
        auto sink = std::make_unique<Sink>();
        const Clock::time_point start = Clock::now();
        root.writehre(sink->os);
        state.SetIterationTime(secondsSince(start));
        if (sink->count() != data.text.size()) {
            state.SkipWithError("writehre wrote a different number of bytes");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(data.text.size()));
}

template <class Sink>
void runWriteLines(benchmark::State& state, const HierarchyData& data) {
    for (auto _ : state) {
        auto sink = std::make_unique<Sink>();
        const Clock::time_point start = Clock::now();
        for (const std::string& line : data.lines) {
            sink->os.write(line.data(), static_cast<std::streamsize>(line.size()));
        }
        state.SetIterationTime(secondsSince(start));
        if (sink->count() != data.text.size()) {
            state.SkipWithError("the lines add up to a different number of bytes");
            break;
        }
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

}  // namespace

int main(int argc, char** argv) {
    Sizes sizes;
    const bool smoke = vedrix::bench::takeSmokeFlag(argc, argv);
    if (smoke) {
        sizes.hierarchyLevels /= 100;
        sizes.listLevels /= 10;
        sizes.listEntries /= 100;
    }
    const HierarchyData hierarchy = makeHierarchy(sizes);
    const LevelListData list = makeLevelList(sizes);
    std::printf(
        "hierarchy file: %zu levels, %zu bytes; level lists: %d and %d entries under %d levels\n",
        hierarchy.levels, hierarchy.text.size(), list.entries, 2 * list.entries, sizes.listLevels);
    if (!verify(hierarchy, list)) {
        return 1;
    }
    MemorySink::storage().reserve(hierarchy.text.size());

    const std::string single = "level-list/read/" + std::to_string(list.entries);
    const std::string twice = "level-list/read/" + std::to_string(2 * list.entries);
    const auto add = [](const std::string& name, auto run) {
        benchmark::RegisterBenchmark(name.c_str(), run)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    };
    // The sample on disk, for the readings of the file itself.
    const std::string hierarchyPath =
        (std::filesystem::temp_directory_path() / "vedrix-bench-sample.hre").string();
    {
        std::ofstream out(hierarchyPath, std::ios::binary);
        out << hierarchy.text;
    }
    add("hierarchy/read-file",
        [&](benchmark::State& s) { runReadHierarchyFile(s, hierarchy, hierarchyPath); });
    add("baseline/line-split-file",
        [&](benchmark::State& s) { runSplitLinesFile(s, hierarchy, hierarchyPath); });
    const std::string writePath =
        (std::filesystem::temp_directory_path() / "vedrix-bench-written.hre").string();
    add("hierarchy/write-file",
        [&](benchmark::State& s) { runWriteHierarchyFile(s, hierarchy, writePath); });
    add("baseline/line-write-file",
        [&](benchmark::State& s) { runWriteLinesFile(s, hierarchy, writePath); });
    add("hierarchy/read", [&](benchmark::State& s) { runReadHierarchy(s, hierarchy); });
    add("baseline/line-split", [&](benchmark::State& s) { runSplitLines(s, hierarchy); });
    add("hierarchy/write",
        [&](benchmark::State& s) { runWriteHierarchy<MemorySink>(s, hierarchy); });
    add("baseline/line-write",
        [&](benchmark::State& s) { runWriteLines<MemorySink>(s, hierarchy); });
    add("hierarchy/write-null",
        [&](benchmark::State& s) { runWriteHierarchy<NullSink>(s, hierarchy); });
    add("baseline/line-write-null",
        [&](benchmark::State& s) { runWriteLines<NullSink>(s, hierarchy); });
    add("hierarchy/walk-tree", [&](benchmark::State& s) { runWalkTree(s, hierarchy); });
    add(single, [&](benchmark::State& s) { runReadLevelList(s, list, list.single); });
    add(twice, [&](benchmark::State& s) { runReadLevelList(s, list, list.twice); });

    vedrix::bench::RatioReporter reporter(!smoke);
    if (!vedrix::bench::runRegisteredBenchmarks(argc, argv, reporter)) {
        return 1;
    }
    std::remove(hierarchyPath.c_str());
    reporter.printRatio("hierarchy-file-read/line-split", "hierarchy/read-file",
                        "baseline/line-split-file", 3);
    reporter.printRatio("hierarchy-read/line-split, in memory", "hierarchy/read",
                        "baseline/line-split", 0);
    std::remove(writePath.c_str());
    reporter.printRatio("hierarchy-file-write/line-write", "hierarchy/write-file",
                        "baseline/line-write-file", 2);
    reporter.printRatio("hierarchy-write/line-write, in memory", "hierarchy/write",
                        "baseline/line-write", 0);
    reporter.printRatio("hierarchy-write/line-write, counting sink", "hierarchy/write-null",
                        "baseline/line-write-null", 0);
    reporter.printRatio("tree-walk/line-write, counting sink", "hierarchy/walk-tree",
                        "baseline/line-write-null", 0);
    const std::string listLabel = "level-list-read/" + std::to_string(2 * list.entries) + "-vs-" +
                                  std::to_string(list.entries);
    reporter.printRatio(listLabel.c_str(), twice, single, 2.5);
    return 0;
}
