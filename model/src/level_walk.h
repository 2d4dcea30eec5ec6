// Depth-first walks over a level tree without recursion: trees read from files
// may be arbitrarily deep (entries can hang below entries), and a walk must
// never run out of stack.
#pragma once

#include <utility>
#include <vector>

#include <vedrix/model/level.h>

namespace vedrix::model {

// Calls visit(level, parentID) for `top` and every level below it, each level
// before its sublevels and sublevels in ascending key order. `parentID` is
// the ID of the level the walk came from (`topParentID` for `top`). A visit
// that returns false ends the walk; walkPreorder then returns false.
template <class Level, class Visit>
bool walkPreorder(Level& top, unsigned long topParentID, Visit&& visit) {
    std::vector<std::pair<Level*, unsigned long>> pending{{&top, topParentID}};
    std::vector<Level*> children;
    while (!pending.empty()) {
        auto [level, parentID] = pending.back();
        pending.pop_back();
        if (!visit(*level, parentID)) {
            return false;
        }
        children.clear();
        for (const auto& node : level->GetSublevels()) {
            children.push_back(node.value);
        }
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            pending.emplace_back(*it, level->getID());
        }
    }
    return true;
}

}  // namespace vedrix::model
