// Depth-first walks over a level tree without recursion: trees read from files
// may be arbitrarily deep (entries can hang below entries), and a walk must
// never run out of stack.
#pragma once

#include <type_traits>
#include <vector>

#include <vedrix/model/level.h>

namespace vedrix::model {

// Calls visit(level) for `top` and every level below it, each level before
// its sublevels and sublevels in ascending key order. A visit that returns
// false ends the walk; walkPreorder then returns false.
//
// One stack of dictionary nodes serves the whole walk: popping a node yields
// the next sublevel of some level; the in-order successors of that node are
// pushed first and the new level's own sublevels after them, so that the
// subtree below a level is finished before its next sibling comes.
template <class Level, class Visit>
bool walkPreorder(Level& top, Visit&& visit) {
    using Node = typename ZU_Dictionary<unsigned long, Zel_GM_Level*>::Node;
    std::vector<const Node*> pending;
    auto pushLeftSpine = [&pending](const Node* node) {
        for (; node != nullptr; node = node->left) {
            pending.push_back(node);
        }
    };
    if (!visit(top)) {
        return false;
    }
    pushLeftSpine(top.GetSublevels().rootNode());
    while (!pending.empty()) {
        const Node* node = pending.back();
        pending.pop_back();
        pushLeftSpine(node->right);
        Level& level = *node->value;
        if (!visit(level)) {
            return false;
        }
        pushLeftSpine(level.GetSublevels().rootNode());
    }
    return true;
}

}  // namespace vedrix::model
