#include "controls/treeview/item_table.h"

#include <cstdint>
#include <new>

#include "controls/treeview/treeview_state.h"

namespace vedrix::controls::treeview {

union ItemTable::Room {
    Room() {}
    ~Room() {}
    Item item;
    Room* nextFree;
};

namespace {

constexpr std::size_t kBlockItems = 256;
constexpr std::size_t kFirstSlots = 64;

}  // namespace

ItemTable::ItemTable() = default;

ItemTable::~ItemTable() {
    for (Slot& slot : m_slots) {
        if (slot.item != nullptr) {
            slot.item->~Item();
        }
    }
}

// Fibonacci hashing: IDs are handed out one after the other, and the
// multiplication spreads them over the table.
std::size_t ItemTable::homeOf(DWORD id) const {
    const std::uint64_t mixed = static_cast<std::uint64_t>(id) * 0x9E3779B97F4A7C15ULL;
    return static_cast<std::size_t>(mixed >> 32) & (m_slots.size() - 1);
}

Item* ItemTable::find(DWORD id) const {
    if (id == 0 || m_slots.empty()) {
        return nullptr;
    }
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = homeOf(id);; at = (at + 1) & mask) {
        const Slot& slot = m_slots[at];
        if (slot.item == nullptr) {
            return nullptr;
        }
        if (slot.id == id) {
            return slot.item;
        }
    }
}

Item* ItemTable::add(DWORD id) {
    if ((m_used + 1) * 2 > m_slots.size()) {
        grow();
    }
    Item* item = make();
    place(id, item);
    ++m_used;
    return item;
}

void ItemTable::place(DWORD id, Item* item) {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = homeOf(id);
    while (m_slots[at].item != nullptr) {
        at = (at + 1) & mask;
    }
    m_slots[at] = Slot{id, item};
}

void ItemTable::grow() {
    std::vector<Slot> old(m_slots.empty() ? kFirstSlots : m_slots.size() * 2);
    old.swap(m_slots);
    for (const Slot& slot : old) {
        if (slot.item != nullptr) {
            place(slot.id, slot.item);
        }
    }
}

void ItemTable::erase(DWORD id) {
    if (id == 0 || m_slots.empty()) {
        return;
    }
    const std::size_t mask = m_slots.size() - 1;
    std::size_t gap = homeOf(id);
    for (;; gap = (gap + 1) & mask) {
        if (m_slots[gap].item == nullptr) {
            return;
        }
        if (m_slots[gap].id == id) {
            break;
        }
    }
    Item* item = m_slots[gap].item;
    // Entries behind the gap whose home lies at or before it move into it,
    // so that every entry stays reachable from its home without a free slot
    // in between.
    for (std::size_t next = (gap + 1) & mask; m_slots[next].item != nullptr;
         next = (next + 1) & mask) {
        const std::size_t home = homeOf(m_slots[next].id);
        const bool homeAfterGap =
            gap <= next ? (gap < home && home <= next) : (gap < home || home <= next);
        if (!homeAfterGap) {
            m_slots[gap] = m_slots[next];
            gap = next;
        }
    }
    m_slots[gap] = Slot{};
    --m_used;
    release(item);
}

Item* ItemTable::make() {
    Room* room = m_freeRooms;
    if (room != nullptr) {
        m_freeRooms = room->nextFree;
    } else {
        if (m_blocks.empty() || m_usedInLastBlock == kBlockItems) {
            m_blocks.push_back(std::make_unique<Room[]>(kBlockItems));
            m_usedInLastBlock = 0;
        }
        room = &m_blocks.back()[m_usedInLastBlock++];
    }
    return new (&room->item) Item();
}

void ItemTable::release(Item* item) {
    item->~Item();
    Room* room = reinterpret_cast<Room*>(item);
    room->nextFree = m_freeRooms;
    m_freeRooms = room;
}

}  // namespace vedrix::controls::treeview
