// A set of drawing-file numbers for the passes over every drawing file of a
// project (the numbers the structure uses, the numbers the view-form pass
// has met, the numbers the host marks as inserted).
//
// A drawing file's number is the six digits of its name, so the numbers
// from 0 to 999999 are kept as one bit each, in a bitmap that grows to the
// highest number met; any other number (a name whose digits read as a
// negative number) goes into a sorted tree. An insertion thus allocates
// nothing per number, where a tree node per number cost more than the
// rest of the pass's work on a drawing file.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

namespace vedrix::browser {

class NumberSet {
public:
    // Adds `number`; true when it was not in the set before.
    bool insert(int number);
    bool contains(int number) const;
    // Empties the set; the bitmap keeps its memory for the next pass.
    void clear();

private:
    static constexpr int kBitmapEnd = 1000000;

    std::vector<std::uint64_t> m_bits;
    std::set<int> m_others;
};

}  // namespace vedrix::browser
