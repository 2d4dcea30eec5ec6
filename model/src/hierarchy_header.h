// The header shared by the hierarchy file and the level list file.
#pragma once

#include <istream>

class Zel_GM_Root;

namespace vedrix::model {

class ReadObserver;

// Reads "#BITMAP_PATH:" and "#DEFINED_LEVEL:" lines into the root's level
// definitions, skipping other lines, up to and including "#DATA:". Returns 0
// when the levels begin there, 1 when the stream ends or fails first, -1 when
// a definition record cannot be created; `observer` (may be null) hears why
// a reading ended early.
int readHierarchyHeader(Zel_GM_Root& root, std::istream& is, ReadObserver* observer);

}  // namespace vedrix::model
