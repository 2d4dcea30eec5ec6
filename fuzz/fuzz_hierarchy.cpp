// Fuzz target: the hierarchy file, as the dialogs read it: the header and the
// structure levels, then the attribute section from a second stream over the
// same bytes. What was read is written back and read again; where the tree
// meets the conditions in fuzz_support.h, the second reading must succeed and
// write the same text.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include <vedrix/model.h>

#include "fuzz_support.h"

namespace {

using namespace vedrix::fuzz;

struct Reading {
    int result;
    std::string structure;   // writehre
    std::string attributes;  // "#ATTRIBUTES:" and writeAttributes
    bool structureFaithful;  // the structure text reads back into the same text
    bool wholeFaithful;      // the whole text does
};

Reading readAll(Zel_GM_Root& root, const std::string& bytes) {
    std::istringstream levels(bytes);
    const int result = root.readhre(levels, 1);
    std::istringstream attributes(bytes);
    root.readAttributes(attributes);
    Reading r{result, writeStructure(root), writeAttributeSection(root), false, false};
    r.structureFaithful = structureReadsBack(root);
    r.wholeFaithful =
        r.structureFaithful && attributesReadBack(root) && structureTextsFreeOfHash(root);
    return r;
}

// The header alone (readLevels 0) gives exactly the definitions and result
// that the full reading gives for its header.
void checkHeaderOnly(const std::string& bytes, const Reading& full) {
    Zel_GM_Root root("Project");
    std::istringstream in(bytes);
    const int result = root.readhre(in, 0);
    const std::string header = writeStructure(root);
    if (result != 0 && result != full.result) {
        mismatch("header-only result differs from the full reading's", std::to_string(full.result),
                 std::to_string(result));
    }
    if (full.structure.compare(0, header.size(), header) != 0) {
        mismatch("header-only definitions differ", full.structure, header);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes =
        size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
    Reading previous{};
    {
        Zel_GM_Root root("Project");
        previous = readAll(root, bytes);
    }
    checkHeaderOnly(bytes, previous);

    // Twice: from the input's tree, then from the tree of the first writing.
    for (int round = 0; round < 2; ++round) {
        {
            Zel_GM_Root root("Project");
            std::istringstream in(previous.structure);
            const int result = root.readhre(in, 1);
            if (previous.structureFaithful) {
                if (result != 0) {
                    mismatch("written structure does not read", previous.structure,
                             std::to_string(result));
                }
                const std::string again = writeStructure(root);
                if (again != previous.structure) {
                    mismatch("structure", previous.structure, again);
                }
            }
        }
        Zel_GM_Root root("Project");
        const std::string whole = previous.structure + previous.attributes;
        Reading next = readAll(root, whole);
        if (previous.wholeFaithful) {
            if (next.result != 0) {
                mismatch("written file does not read", whole, std::to_string(next.result));
            }
            if (next.structure + next.attributes != whole) {
                mismatch("structure and attributes", whole, next.structure + next.attributes);
            }
        }
        previous = std::move(next);
    }
    return 0;
}
