// Saving a file's whole new contents so that the person never has less than
// a plain write would give them.
//
// The contents go to a side file beside the target ("<name>.new"), which is
// flushed to disk and then put in the target's place in one step
// (ReplaceFileA, keeping the target's permissions and attributes; a move
// when there is no target yet): a crash or a full disk on the way leaves the
// complete old file. Where that cannot be done (the directory takes no new
// file, the target is held open without delete sharing, its owner cannot be
// kept) the target itself is truncated and written, as a plain write would.
// No side file is left behind by any of this; one left by a crash is
// replaced at the next save of the same file.
#pragma once

#include <cstddef>

#include <vedrix/framework/export.h>

namespace vedrix::framework {

enum class SaveResult {
    kReplaced,     // the side file took the target's place
    kOverwritten,  // the target itself was truncated and written
    kFailed,       // neither could be done; see below
};

// Saves `size` bytes as the whole file at `path` (the platform's form).
// kFailed when even the plain write failed: the target is as it was when it
// could not be opened for writing, or holds what was written before the
// write failed.
VEDRIX_FRAMEWORK_API SaveResult SaveFile(const char* path, const void* data, std::size_t size);

enum class NewFileResult {
    kCreated,  // the file was made with the contents
    kExists,   // a file of that name is there; nothing was written
    kFailed,   // it could not be made or written; nothing of it is left
};

// Writes `size` bytes as a new file at `path` (the platform's form), which
// must not exist yet: written in place and not flushed. A file that did
// not exist holds nothing of the person's, so there is no old contents to
// keep, and until something refers to it its loss in a crash loses nothing
// either; whoever later makes it part of the person's data flushes it then
// (FlushFileBuffers). An existing file is left alone (kExists).
VEDRIX_FRAMEWORK_API NewFileResult WriteNewFile(const char* path, const void* data,
                                                std::size_t size);

}  // namespace vedrix::framework
