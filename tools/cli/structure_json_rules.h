// What the structure files can hold, as the JSON model of a structure
// (structure_json.h) carries it in both directions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

namespace vedrix::cli::structure_json_rules {

inline constexpr long long kHighestId = 0xFFFFFFFFLL;
inline constexpr long long kLowestInt = std::numeric_limits<std::int32_t>::min();
inline constexpr long long kHighestInt = std::numeric_limits<std::int32_t>::max();
inline constexpr int kHighestStructureLevel = 9;
inline constexpr long long kHighestDrawingFileNumber = 999999;

// What the files' lines leave for each text (docs/structure-files.md): a
// level's name and an attribute's name or value 254 characters, a UUID 99;
// the rest of a "#BITMAP_PATH:" line 191 with the TAB before the directory;
// the rest of a definition line 254 with the TABs before the name and the
// bitmap file name.
inline constexpr std::size_t kNameChars = 254;
inline constexpr std::size_t kUuidChars = 99;
inline constexpr std::size_t kBitmapDirectoryChars = 190;
inline constexpr std::size_t kDefinitionChars = 252;

inline constexpr const char* kTypeWords[] = {"String", "Number", "Universal", "Group"};

}  // namespace vedrix::cli::structure_json_rules
