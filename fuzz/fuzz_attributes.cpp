// Fuzz target: the attribute section, read onto a root that holds a few
// levels (one ID appears twice, so that lines naming it go to the level that
// searchLevel finds first). Where the conditions in fuzz_support.h hold, the
// written section must read back onto the same levels and write the same text.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include <vedrix/model.h>

#include "fuzz_support.h"

namespace {

using namespace vedrix::fuzz;

Zel_GM_Level* addLevels(Zel_GM_Root& root) {
    unsigned char uuid[] = "0b7d4a52-3c1e-4f6a-9d2b-5e8f7a6c1d90";
    Zel_GM_Level* building = root.addSublevel(1, 1, 0, "Main building", 0, uuid);
    Zel_GM_Level* storey = building->addSublevel(2, 2, 1, "Ground floor", 0, nullptr);
    storey->addSublevel(3, 7, 2, "West flat", 1, nullptr);
    Zel_GM_Level* annex = root.addSublevel(1, 3, 0, "Annex", 0, nullptr);
    annex->addSublevel(2, 7, 3, "Annex storey", 0, nullptr);
    root.addSublevel(1, 4294967295UL, 0, "Highest", 0, nullptr);
    return building;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes =
        size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
    {
        // Read onto a level below the root: lines that name no level below
        // the building stay with the building.
        Zel_GM_Root root("Project");
        Zel_GM_Level* building = addLevels(root);
        std::istringstream in(bytes);
        building->readAttributes(in);
        writeAttributeSection(root);
    }
    Zel_GM_Root root("Project");
    addLevels(root);
    std::istringstream in(bytes);
    root.readAttributes(in);
    const std::string written = writeAttributeSection(root);
    if (!attributesReadBack(root)) {
        return 0;
    }
    Zel_GM_Root again("Project");
    addLevels(again);
    std::istringstream back(written);
    again.readAttributes(back);
    const std::string rewritten = writeAttributeSection(again);
    if (rewritten != written) {
        mismatch("attribute section", written, rewritten);
    }
    return 0;
}
