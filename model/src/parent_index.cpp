#include "parent_index.h"

#include "level_walk.h"

namespace vedrix::model {

ParentIndex::ParentIndex(Zel_GM_Level& top) : m_top(top) {
    walkPreorder(top, [this](Zel_GM_Level& level) {
        for (const auto& node : level.GetSublevels()) {
            m_first.try_emplace(node.key, node.value);
        }
        return true;
    });
}

Zel_GM_Level* ParentIndex::find(unsigned long id) {
    if (!m_exact) {
        return m_top.searchLevel(id);
    }
    auto it = m_first.find(id);
    return it != m_first.end() ? it->second : nullptr;
}

void ParentIndex::added(unsigned long id, Zel_GM_Level* level) {
    if (!m_exact) {
        return;
    }
    auto [it, inserted] = m_first.try_emplace(id, level);
    if (!inserted) {
        m_exact = false;
        m_first.clear();
    }
}

}  // namespace vedrix::model
