// ParentIndex: answers "which level below `top` has this ID?" exactly as
// Zel_GM_Level::searchLevel does, in constant time per question.
//
// searchLevel returns the sublevel keyed `id` of the first level, in
// depth-first order with ascending keys, that has such a sublevel. The index
// records that level for every key, at the first question, so that a reader
// that never asks (an attribute section without lines) walks nothing. Levels
// that the readers add later carry fresh IDs; as long as a new ID is not yet
// a key anywhere below `top`, the new level is the only holder and goes
// straight into the index. Should a new ID collide with an existing key (IDs
// wrap around at 2^32), the answer could change in ways the index does not
// follow, so it falls back to searchLevel itself from then on.
//
// The keys live in one open-addressed table (linear probing, a power of two
// slots, at most half of them used): a reader asks once per line and adds
// once per entry, so a node allocated per key would cost more than the
// question itself.
#pragma once

#include <cstddef>
#include <vector>

#include <vedrix/model/level.h>

namespace vedrix::model {

class ParentIndex {
public:
    explicit ParentIndex(Zel_GM_Level& top);

    Zel_GM_Level* find(unsigned long id);
    // Tells the index that `level` was just added under the key `id`.
    void added(unsigned long id, Zel_GM_Level* level);

private:
    struct Slot {
        unsigned long id = 0;
        Zel_GM_Level* level = nullptr;  // null: the slot is free
    };

    void build();
    // Enters `level` under `id` unless the key is there already; false then.
    bool insertFirst(unsigned long id, Zel_GM_Level* level);
    std::size_t slotOf(unsigned long id) const;
    void grow();

    Zel_GM_Level& m_top;
    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
    bool m_built = false;
    bool m_exact = true;
};

}  // namespace vedrix::model
