// The JSON model of a building structure: the level definitions, the levels
// with their status, identifiers and attributes, and the drawing-file
// entries, as docs/structure-json.md describes them. It converts between the
// model's classes and that document in both directions; import checks the
// document against everything the hierarchy file, its attribute section and
// the level list file can hold, so that what it builds is written and read
// back unchanged.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include <vedrix/model.h>

namespace vedrix::cli {

using StructureJson = nlohmann::ordered_json;

// The version of the document that this program writes and reads.
inline constexpr int kStructureJsonVersion = 1;

// Drawing-file entries below drawing-file entries nest at most this deep.
inline constexpr int kMaxEntryNesting = 100;

// The document of the structure below `root`, texts turned from the host's
// code page into UTF-8. False, with `problem` saying which level, when the
// tree holds what the document cannot carry: an entry whose name is not a
// drawing-file number 0 to 999999, a level number other than 1 to 10, entries
// nested deeper than kMaxEntryNesting.
bool structureToJson(const Zel_GM_Root& root, StructureJson& document, std::string& problem);

// Why a document was refused: `place` is the JSON pointer of the offending
// value (of a missing field, the place where it belongs).
struct JsonRefusal {
    std::string place;
    std::string reason;
};

// Builds the structure that `document` describes below `root`, a root that
// holds nothing yet. False, with `refusal` set, at the first value that is
// malformed, unknown, missing or that the structure files cannot hold; `root`
// then holds part of the structure and is to be thrown away.
bool structureFromJson(const StructureJson& document, Zel_GM_Root& root, JsonRefusal& refusal);

}  // namespace vedrix::cli
