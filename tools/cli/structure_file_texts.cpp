#include "structure_file_texts.h"

#include <istream>
#include <sstream>

namespace vedrix::cli {

StructureTexts writeStructureTexts(Zel_GM_Root& root) {
    std::ostringstream hierarchy;
    root.writehre(hierarchy);
    hierarchy << "#ATTRIBUTES:\n";
    root.writeAttributes(hierarchy);
    std::ostringstream levelList;
    root.writelis(levelList);
    return {hierarchy.str(), levelList.str()};
}

StructureReadResults readStructure(Zel_GM_Root& root, std::istream& hierarchy,
                                   std::istream* levelList, std::istream& attributes) {
    StructureReadResults results;
    results.hierarchy = root.readhre(hierarchy, 1);
    if (levelList != nullptr) {
        results.levelList = root.readlis(*levelList, 1);
    }
    root.readAttributes(attributes);
    return results;
}

}  // namespace vedrix::cli
