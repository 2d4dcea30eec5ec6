// Fuzz target: the level list file, read into a root that already holds a
// small building structure, as the browser does after reading the hierarchy
// file. Two structures are used: one with small IDs (one of them repeated in
// two places), and one whose highest ID lies just below 2^32, so that the
// entries' new IDs wrap around onto IDs the structure already has.
//
// On the first structure, the entries that hang directly below structure
// levels must come back below the same levels, in the same order, when the
// list is written and read again.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include <vedrix/model.h>

#include "fuzz_support.h"

namespace {

using namespace vedrix::fuzz;

constexpr int kEntryLevelNr = Zel_GM_Level::kEntryLevelNr;

const char kSmallIds[] =
    "#BITMAP_PATH:\tC:\\Project\\Bitmaps\\\n"
    "#DEFINED_LEVEL:\t1\tBuilding\tbuilding.bmp\n"
    "#DEFINED_LEVEL:\t2\tStorey\tstorey.bmp\n"
    "#DEFINED_LEVEL:\t3\tPart of storey\tpart.bmp\n"
    "#DATA:\n"
    "\t1\t1\t0\t0\tMain building\n"
    "\t2\t2\t1\t0\tGround floor\n"
    "\t3\t4\t2\t1\tWest flat\n"
    "\t3\t5\t2\t0\tEast flat\n"
    "\t2\t3\t1\t2\tFirst floor\n"
    "\t1\t6\t0\t0\tAnnex\n"
    "\t2\t7\t6\t0\tAnnex ground floor\n"
    "\t3\t4\t7\t0\tCopied flat\n";

const char kWrappingIds[] =
    "#DATA:\n"
    "\t1\t4294967293\t0\t0\tTower\n"
    "\t2\t1\t4294967293\t0\tTower level one\n"
    "\t2\t2\t4294967293\t0\tTower level two\n"
    "\t1\t3\t0\t0\tPodium\n";

std::string writeList(const Zel_GM_Root& root) {
    std::ostringstream out;
    root.writelis(out);
    return out.str();
}

// True when every entry hangs directly below a structure level or the root
// and has a name that the list's word reading gives back as a name.
bool entriesReadBack(const Zel_GM_Root& root) {
    bool ok = true;
    auto check = [&ok](const Zel_GM_Level& parent) {
        for (const auto& node : parent.GetSublevels()) {
            const Zel_GM_Level& level = *node.value;
            if (level.getLevelNr() != kEntryLevelNr) {
                continue;
            }
            // A line that begins with "!" is a comment line.
            const char first = level.getNameText()[0];
            if (parent.getLevelNr() >= kEntryLevelNr || first == '\0' || first == '!') {
                ok = false;
            }
        }
    };
    check(root);
    forEachLevel(
        root, [](const Zel_GM_Level&) { return true; }, check);
    return ok;
}

void readStructure(Zel_GM_Root& root, const char* text) {
    std::istringstream in(text);
    if (root.readhre(in, 1) != 0) {
        std::abort();  // the fixed structures are well-formed
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes =
        size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
    {
        Zel_GM_Root root("Project");
        readStructure(root, kWrappingIds);
        std::istringstream in(bytes);
        root.readlis(in, 1);
        writeList(root);
    }

    Zel_GM_Root root("Project");
    readStructure(root, kSmallIds);
    std::istringstream in(bytes);
    root.readlis(in, 1);
    const std::string written = writeList(root);
    if (!entriesReadBack(root)) {
        return 0;
    }
    Zel_GM_Root again("Project");
    readStructure(again, kSmallIds);
    std::istringstream back(written);
    const int result = again.readlis(back, 1);
    if (result != 0) {
        mismatch("written list does not read", written, std::to_string(result));
    }
    const std::string rewritten = writeList(again);
    if (rewritten != written) {
        mismatch("level list", written, rewritten);
    }
    return 0;
}
