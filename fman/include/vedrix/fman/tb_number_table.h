// The number table of the facility-management browser: one slot per
// drawing-file number from 1 to 6000 (slot 0 is never used), telling the
// free-number search which numbers to pass over and carrying what the batch
// copy needs to know about each source and its copy.
#pragma once

#include <cstdint>
#include <memory>

// Drawing-file numbers handed out for variants lie below this one.
inline constexpr int kTbNumberEnd = 6000;
// Slots in a number table: numbers 0 to kTbNumberEnd.
inline constexpr int kTbNumberTableSize = kTbNumberEnd + 1;

// Values of a slot's taken mark.
inline constexpr std::uint8_t kTbFree = 0;
inline constexpr std::uint8_t kTbTakenBySource = 1;   // a drawing file being copied
inline constexpr std::uint8_t kTbTakenByCopy = 0xFF;  // handed out in this batch already

struct TbNumberSlot {
    // Non-zero: the search passes over the number without a message.
    std::uint8_t taken;
    // The kind (2 or 3) under which the host has the drawing file loaded; 0 otherwise.
    std::uint8_t loadedKind;
    // The header identifier (two halves) that the copy of this drawing file
    // takes as its reference identifier.
    double carriedUuid[2];
    // The number of the copy made from this drawing file.
    std::int32_t copyNumber;
    // 1 once a copy of this drawing file was attempted in the current batch.
    std::int32_t copied;
};
static_assert(sizeof(TbNumberSlot) == 32, "a number table slot is 32 bytes");

// A zeroed number table of kTbNumberTableSize slots, or null when the memory
// cannot be had.
std::unique_ptr<TbNumberSlot[]> NewTbNumberTable();
