// Sample projects of any size for tests, benchmarks and a first look: the
// structure files, level bitmaps, drawing files with names and identifiers,
// and the host's files (views, drawings, configuration).
#pragma once

#include <functional>
#include <string>

namespace vedrix::samplegen {

// A building structure as the list browser arranges it: buildings (level 1),
// storeys (2), parts of storeys (3), drawing files under the parts, and
// drawing files in the project that the structure does not use.
struct StructureSample {
    std::string name = "sample";  // <name>.hre and <name>.lis
    int buildings = 2;
    int storeysPerBuilding = 3;
    int partsPerStorey = 2;
    int drawingFilesPerPart = 2;
    // When not negative: this many drawing files spread evenly over all the
    // parts in order (the first parts take one more where they do not
    // divide), in place of drawingFilesPerPart each.
    int drawingFiles = -1;
    int freeDrawingFiles = 5;
    int firstNumber = 1;  // drawing-file numbers count up from here
};

// A facility-management structure: buildings (level 1) holding original
// views (level 2) with drawing files, each original with variant views whose
// drawing files are copies referring to their sources; the view file lists
// every view, the drawing-file information every placed drawing file (the
// copies marked as inserted), and each building has one host drawing of its
// first view. The last original view of each building is locked, and its
// second to last has been replicated, when the building has that many.
struct FmSample {
    std::string name = "fm";
    int buildings = 2;
    int viewsPerBuilding = 2;
    int drawingFilesPerView = 3;
    int variantsPerView = 1;
    int freeDrawingFiles = 5;
    int firstNumber = 1;
    bool lockLastView = true;
    bool replicateView = true;
};

// The replication date that the sample gives a replicated view.
inline constexpr const char* kSampleReplicationDate = "2026-03-01 10:00";

// What was written.
struct SampleSummary {
    int levels = 0;        // structure levels (1 to 9)
    int drawingFiles = 0;  // drawing files written, free ones included
    int lastNumber = 0;    // the highest drawing-file number written
    int views = 0;
};

// Told after each drawing file written: how many are written and how many
// the sample has in all.
using SampleProgress = std::function<void(int written, int total)>;

// Writes the sample into `directory` (which must exist), with bitmaps in its
// "bitmaps" folder and "host.cfg", a host configuration naming it as the
// project. False, with `error` saying what failed, when a file cannot be
// written or a count does not fit the numbers (1 to 999999).
bool WriteStructureSample(const std::string& directory, const StructureSample& sample,
                          SampleSummary& summary, std::string& error,
                          const SampleProgress& progress = {});
bool WriteFmSample(const std::string& directory, const FmSample& sample, SampleSummary& summary,
                   std::string& error, const SampleProgress& progress = {});

}  // namespace vedrix::samplegen
