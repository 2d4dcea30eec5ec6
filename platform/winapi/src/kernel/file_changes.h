// Counting the steps of file changes (<vedrix/headless/file_changes.h>).
#pragma once

#include <cstdint>

namespace vedrix::winapi::kernel {

// Counts one step for a changing call that begins now, stopping first when
// it is the step to stop at.
void BeginFileChange();
// How many of the next `count` bytes may be written before the stop step
// (`count` when it lies beyond them); stops first when the first of them is
// the stop step.
std::uint64_t BytesBeforeStop(std::uint64_t count);
// Counts `count` bytes written, then stops when the stop step is next.
void CountBytesWritten(std::uint64_t count);

}  // namespace vedrix::winapi::kernel
