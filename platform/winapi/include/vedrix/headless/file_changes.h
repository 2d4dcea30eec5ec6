// Headless-only: the file changes a process makes through the platform's
// file functions, counted in steps, so that a test can stop the process at
// an exact point of its writing (and kill it there) to see what a crash at
// that point leaves on disk.
//
// Each call that changes the file system counts one step as it begins:
// CreateFileA that asks for write access or may create or truncate,
// SetEndOfFile, FlushFileBuffers, CloseHandle of a handle with write access,
// DeleteFileA, MoveFileExA (and MoveFileA), ReplaceFileA, CopyFileA,
// SetFileAttributesA, CreateDirectoryA and RemoveDirectoryA. WriteFile
// counts one step per byte.
#pragma once

#include <cstdint>

#include <windef.h>

namespace vedrix::headless {

// The steps counted so far in this process.
VEDRIX_WINAPI_VISIBLE std::uint64_t FileChangeSteps();

// Stops the process (SIGSTOP) just before step `step` takes effect: before
// the call that begins there, or in the middle of a write, after the bytes
// before that step have reached the file. 0 (the start) stops nowhere. Once
// continued, the process goes on where it stopped.
VEDRIX_WINAPI_VISIBLE void StopBeforeFileChangeStep(std::uint64_t step);

}  // namespace vedrix::headless
