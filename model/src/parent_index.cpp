#include "parent_index.h"

#include <cstdint>

#include "level_walk.h"

namespace vedrix::model {

namespace {

constexpr std::size_t kFirstSlots = 1024;

}  // namespace

ParentIndex::ParentIndex(Zel_GM_Level& top) : m_top(top) {}

void ParentIndex::build() {
    m_built = true;
    m_slots.assign(kFirstSlots, Slot{});
    walkPreorder(m_top, [this](Zel_GM_Level& level) {
        for (const auto& node : level.GetSublevels()) {
            insertFirst(node.key, node.value);
        }
        return true;
    });
}

Zel_GM_Level* ParentIndex::find(unsigned long id) {
    if (!m_exact) {
        return m_top.searchLevel(id);
    }
    if (!m_built) {
        build();
    }
    for (std::size_t slot = slotOf(id);; slot = (slot + 1) & (m_slots.size() - 1)) {
        const Slot& at = m_slots[slot];
        if (at.level == nullptr) {
            return nullptr;
        }
        if (at.id == id) {
            return at.level;
        }
    }
}

void ParentIndex::added(unsigned long id, Zel_GM_Level* level) {
    // An index not built yet finds the new level in the tree when it is.
    if (!m_exact || !m_built) {
        return;
    }
    if (!insertFirst(id, level)) {
        m_exact = false;
        m_slots = std::vector<Slot>();
    }
}

bool ParentIndex::insertFirst(unsigned long id, Zel_GM_Level* level) {
    if (level == nullptr) {
        return true;
    }
    if ((m_used + 1) * 2 > m_slots.size()) {
        grow();
    }
    std::size_t slot = slotOf(id);
    for (; m_slots[slot].level != nullptr; slot = (slot + 1) & (m_slots.size() - 1)) {
        if (m_slots[slot].id == id) {
            return false;
        }
    }
    m_slots[slot] = Slot{id, level};
    ++m_used;
    return true;
}

// Fibonacci hashing: IDs are mostly consecutive, and the multiplication
// spreads them over the table's high bits.
std::size_t ParentIndex::slotOf(unsigned long id) const {
    const std::uint64_t mixed = static_cast<std::uint64_t>(id) * 0x9E3779B97F4A7C15ULL;
    return static_cast<std::size_t>(mixed >> 32) & (m_slots.size() - 1);
}

void ParentIndex::grow() {
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    m_used = 0;
    for (const Slot& slot : old) {
        if (slot.level != nullptr) {
            insertFirst(slot.id, slot.level);
        }
    }
}

}  // namespace vedrix::model
