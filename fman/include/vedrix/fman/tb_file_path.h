// Where the host keeps a drawing file: its name (lfznamC) in its directory
// (lfinigC), joined as they are.
#pragma once

#include <memory>

enum class TbFilePathResult {
    kFound,   // the path is given
    kNoFile,  // the host names no file for the number
    kFailed,  // the host gives no directory, or the memory cannot be had
};

// The path of drawing file `number` into `path` on kFound.
TbFilePathResult GetTbFilePath(int number, std::unique_ptr<char[]>& path);

// Flushes the drawing files `numbers` to disk. Copies are made without a
// flush, since nothing refers to them while they are only copies; before a
// confirmed structure names them they must be on disk, so that a crash
// after the confirmation cannot leave it naming lost files. False when one
// of them could not be flushed (the others still are).
bool FlushTbFiles(const unsigned int* numbers, int count);
