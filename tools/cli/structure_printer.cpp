#include "structure_printer.h"

#include <ostream>
#include <utility>
#include <vector>

namespace vedrix::cli {

std::string hierarchyFileName(const std::string& structureName) {
    return structureName.substr(0, structureName.find('.')) + ".hre";
}

namespace {

const char* kindOf(int levelNr) {
    if (levelNr == 0) {
        return "structure";
    }
    return levelNr == Zel_GM_Level::kEntryLevelNr ? "drawing file" : "level";
}

void printLevel(const Zel_GM_Level& level, const Zel_GM_Root& root, int depth, std::ostream& out) {
    out << std::string(static_cast<std::size_t>(depth) * 2, ' ');
    const int levelNr = level.getLevelNr();
    out << level.getNameText() << "  (" << kindOf(levelNr);
    if (levelNr > 0 && levelNr < Zel_GM_Level::kEntryLevelNr) {
        out << ' ' << levelNr;
        if (auto* const* def = root.getLevelDefinitions().find(levelNr)) {
            out << ' ' << (*def)->name.getText();
        }
    }
    out << ", id " << level.getID();
    const int status = level.getStatus();
    if (status & kLevelChecked) {
        out << ", checked";
    }
    if (status & kLevelExpanded) {
        out << ", expanded";
    }
    if (level.getUuidText()[0] != '\0') {
        out << ", " << level.getUuidText();
    }
    const int attributes = static_cast<int>(level.getAttributes().GetCount());
    if (attributes > 0) {
        out << ", " << attributes << (attributes == 1 ? " attribute" : " attributes");
    }
    out << ")\n";
}

}  // namespace

void printStructure(const Zel_GM_Root& root, std::ostream& out) {
    out << "Level definitions:\n";
    if (root.getLevelDefinitions().isEmpty()) {
        out << "  (none)\n";
    }
    for (const auto& node : root.getLevelDefinitions()) {
        const Zel_GM_LevelDefinition& def = *node.value;
        out << "  " << def.levelNr << ' ' << def.name.getText() << "  bitmap "
            << def.bitmapDir.getText() << def.bitmapFile.getText() << '\n';
    }
    out << "Structure:\n";
    // Depth first without recursion: entries may hang below entries.
    std::vector<std::pair<const Zel_GM_Level*, int>> pending{{&root, 1}};
    std::vector<const Zel_GM_Level*> children;
    while (!pending.empty()) {
        auto [level, depth] = pending.back();
        pending.pop_back();
        printLevel(*level, root, depth, out);
        children.clear();
        for (const auto& node : level->GetSublevels()) {
            children.push_back(node.value);
        }
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            pending.emplace_back(*it, depth + 1);
        }
    }
}

}  // namespace vedrix::cli
