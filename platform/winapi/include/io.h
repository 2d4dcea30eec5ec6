// Low-level file access of the C run time, headless build.
#pragma once

#include <windef.h>

// Checks a file or directory: mode 0 existence, 2 write permission, 4 read
// permission, 6 both. Returns 0, or -1 with errno set (ENOENT: no such file
// or the path is invalid here; EACCES: the permission is missing; EINVAL: a
// bad mode). As on the platform, write permission follows the read-only
// attribute (the owner's write permission bit), whoever runs the program.
extern "C" VEDRIX_WINAPI_VISIBLE int _access(const char* path, int mode);
