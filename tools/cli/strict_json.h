// Parsing a JSON document strictly: besides malformed text, an object that
// names a field twice is refused, since taking either value would change
// what was written without a word.
#pragma once

#include <string>

#include "structure_json.h"

namespace vedrix::cli {

// Parses `text` as one JSON document into `document`. False, with `problem`
// saying where (the line and column of malformed text, the JSON pointer of a
// field given twice) and what is wrong.
bool parseStrictJson(const std::string& text, StructureJson& document, std::string& problem);

}  // namespace vedrix::cli
