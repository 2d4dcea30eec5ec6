// Sample building structures for the model benchmarks: level trees shaped like
// real projects (buildings, storeys, parts of storeys, sub-parts) and level list
// files whose entries hang below their levels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <vedrix/model.h>

namespace vedrix::bench {

struct StructureShape {
    int levels = 1000;         // structure levels below the root, exactly
    int uuidPercent = 85;      // share of levels that carry a UUID text
    int duplicateIdEvery = 0;  // every n-th part reuses an ID of the storey before (0: never)
    std::uint32_t seed = 1;
};

// Fills `root` with level definitions 1 to 4 and exactly `shape.levels`
// structure levels. Returns the IDs of all structure levels in creation
// order; a reused ID appears once for each level that carries it.
std::vector<unsigned long> buildStructure(Zel_GM_Root& root, const StructureShape& shape);

// A level list file with `entries` drawing-file entries. Parents are mostly
// structure levels from `structureIDs`, some the root (0) and some an earlier
// entry of the same file, which a reading numbers highestID + 1, + 2, ...
std::string levelListText(const std::vector<unsigned long>& structureIDs, unsigned long highestID,
                          int entries, std::uint32_t seed);

// Counts the levels below `level` whose level number lies in [low, high].
std::size_t countLevels(const Zel_GM_Level& level, int low, int high);

std::string writeHierarchy(const Zel_GM_Root& root);

}  // namespace vedrix::bench
