// The items of one tree view by their IDs (the handles the control hands
// out).
//
// A tree of thousands of items is filled one insertion at a time, and every
// question about an item looks it up by ID. Items are therefore made in
// blocks and reused once freed, and found through one open-addressed table
// (linear probing, at most half of the slots used, an erased entry closing
// its gap by moving the entries behind it back), instead of two allocations
// per item and a node walk per question. An item keeps its address from
// add() to erase().
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace vedrix::controls::treeview {

struct Item;

class ItemTable {
public:
    ItemTable();
    ItemTable(const ItemTable&) = delete;
    ItemTable& operator=(const ItemTable&) = delete;
    ~ItemTable();

    // A new item in its default state, with `id` (not 0, held by no item).
    Item* add(DWORD id);
    // The item with `id`; null when there is none.
    Item* find(DWORD id) const;
    // Destroys the item with `id`, if there is one.
    void erase(DWORD id);
    std::size_t size() const { return m_used; }

    // Calls visit(item) for every item, in no particular order; `visit` must
    // not add or erase items.
    template <class Visit>
    void forEach(Visit&& visit) const {
        for (const Slot& slot : m_slots) {
            if (slot.item != nullptr) {
                visit(*slot.item);
            }
        }
    }

private:
    struct Slot {
        DWORD id = 0;
        Item* item = nullptr;  // null: the slot is free
    };
    // Raw room for one item; a freed room holds the next free one.
    union Room;

    std::size_t homeOf(DWORD id) const;
    void grow();
    void place(DWORD id, Item* item);
    Item* make();
    void release(Item* item);

    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
    std::vector<std::unique_ptr<Room[]>> m_blocks;
    std::size_t m_usedInLastBlock = 0;
    Room* m_freeRooms = nullptr;
};

}  // namespace vedrix::controls::treeview
