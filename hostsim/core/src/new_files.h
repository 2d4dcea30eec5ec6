// The drawing files this process made where no file was, written without a
// flush, until their header is completed: a copy that nothing refers to yet
// holds nothing of the person's, so completing its header may write the
// record in place instead of saving the whole file again with a flush.
//
// A file counts as such only while it is exactly as it was left (identity,
// size and change and modification times, FileStamp); any other change, and
// the first header written into it, end that. Whoever makes the file part of
// the person's data (a confirmed structure naming it) flushes it then. Where
// no stamp can be had (the Windows build), no file is remembered and every
// header goes through the whole-file save.
#pragma once

#include <string>

namespace vedrix::hostsim {

// Notes the file at `path`, just made where no file was.
void NoteNewFile(const std::string& path);

// Whether the file at `path` is a noted new file, still as it was left.
// Forgets it either way: a new file's header is completed once.
bool TakeNewFile(const std::string& path);

}  // namespace vedrix::hostsim
