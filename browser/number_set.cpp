#include "number_set.h"

#include <cstddef>

namespace vedrix::browser {

namespace {

constexpr int kWordBits = 64;

std::uint64_t bitOf(int number) {
    return std::uint64_t{1} << (number % kWordBits);
}

}  // namespace

bool NumberSet::insert(int number) {
    if (number < 0 || number >= kBitmapEnd) {
        return m_others.insert(number).second;
    }
    const auto word = static_cast<std::size_t>(number / kWordBits);
    if (word >= m_bits.size()) {
        m_bits.resize(word + 1, 0);
    }
    if ((m_bits[word] & bitOf(number)) != 0) {
        return false;
    }
    m_bits[word] |= bitOf(number);
    return true;
}

bool NumberSet::contains(int number) const {
    if (number < 0 || number >= kBitmapEnd) {
        return m_others.count(number) != 0;
    }
    const auto word = static_cast<std::size_t>(number / kWordBits);
    return word < m_bits.size() && (m_bits[word] & bitOf(number)) != 0;
}

void NumberSet::clear() {
    m_bits.clear();
    m_others.clear();
}

}  // namespace vedrix::browser
