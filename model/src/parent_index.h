// ParentIndex: answers "which level below `top` has this ID?" exactly as
// Zel_GM_Level::searchLevel does, in constant time per question.
//
// searchLevel returns the sublevel keyed `id` of the first level, in
// depth-first order with ascending keys, that has such a sublevel. The index
// records that level for every key once, up front. Levels that the readers add
// later carry fresh IDs; as long as a new ID is not yet a key anywhere below
// `top`, the new level is the only holder and goes straight into the index.
// Should a new ID collide with an existing key (IDs wrap around at 2^32), the
// answer could change in ways the index does not follow, so it falls back to
// searchLevel itself from then on.
#pragma once

#include <unordered_map>

#include <vedrix/model/level.h>

namespace vedrix::model {

class ParentIndex {
public:
    explicit ParentIndex(Zel_GM_Level& top);

    Zel_GM_Level* find(unsigned long id);
    // Tells the index that `level` was just added under the key `id`.
    void added(unsigned long id, Zel_GM_Level* level);

private:
    Zel_GM_Level& m_top;
    std::unordered_map<unsigned long, Zel_GM_Level*> m_first;
    bool m_exact = true;
};

}  // namespace vedrix::model
