// Platform paths on POSIX: turning "\" paths into native ones, matching names
// case-insensitively, and mapping errno values to the platform's error codes.
// Shared by the kernel's file functions and by other areas that open files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

#include <windef.h>

namespace vedrix::winapi::kernel {

// The result of turning a platform path into a native one.
struct NativePath {
    bool ok = false;
    DWORD error = 0;   // the platform's error code when !ok
    std::string path;  // native path ("/" separators) when ok
};

// Checks and converts a platform path: null is ERROR_INVALID_PARAMETER, an
// empty path or a drive prefix ("C:") ERROR_PATH_NOT_FOUND, MAX_PATH
// characters or more ERROR_FILENAME_EXCED_RANGE, control characters or any of
// < > : " | ERROR_INVALID_NAME, and so are "*" and "?" unless allowWildcards.
NativePath ToNative(const char* path, bool allowWildcards = false);

// Replaces each component of a native path that does not exist under its
// exact name by an existing entry of the same directory whose name matches
// case-insensitively (the byte-wise smallest if several do; see
// kernel/name_index.h). Components after the first one with no match at all
// are kept as given.
std::string ResolveCase(const std::string& nativePath);

// A path resolved as ResolveCase does, with what was learnt about it.
struct PathStatus {
    std::string path;  // the resolved path
    // Whether stat() of it succeeded, with `status` filled; else errno is
    // stat()'s.
    bool exists = false;
    struct stat status {};
    // Whether something has that name, perhaps a link that leads nowhere.
    bool named = false;
    // Whether `directory` holds the stat() of the path's directory, taken
    // while the path was resolved.
    bool directoryKnown = false;
    struct stat directory {};
};

// ResolveCase, then stat() of the result. A path that exists under its exact
// name and is no link is looked at once, and becomes the result's path
// without a copy.
PathStatus StatResolved(std::string nativePath);

// For a path about to be made: true, with `looked` filled as StatResolved
// fills it for a path that is not there, when the path's directory is there
// and holds no name that matches the last component in any case, which
// takes one look at the directory instead of two. False when that cannot be
// told so; the caller then looks with StatResolved.
bool StatUnnamed(const std::string& nativePath, PathStatus& looked);

// StatResolved of a path that the caller just failed to open under its exact
// name with `missing` (ENOENT), which spares looking at that name again. A
// link of that name that leads nowhere is then taken for no name at all
// (`named` stays false), which matters only to a caller about to create.
PathStatus StatResolvedMissing(std::string nativePath, int missing);

// Case folding of the 8-bit Western code page (1252).
unsigned char FoldLower(unsigned char c);
unsigned char FoldUpper(unsigned char c);
bool EqualsNoCase(std::string_view a, std::string_view b);

// The names in a directory (without "." and ".."), or false if it cannot be
// read.
bool ListDirectory(const std::string& dir, std::vector<std::string>& names);

// An absolute path (relative ones start at the current directory) with "."
// components, ".." components and repeated separators removed lexically.
std::string MakeAbsolute(const std::string& nativePath);

// The directory part of a native path ("." when there is none) and the last
// component.
std::string DirectoryOf(const std::string& nativePath);
std::string LastComponent(const std::string& nativePath);

// The platform error code for an errno value of an operation on the given
// native path: ENOENT becomes ERROR_FILE_NOT_FOUND when the directory exists
// and ERROR_PATH_NOT_FOUND when it does not. `dirStatus`, when given, is the
// stat() of the path's directory just taken by the caller.
DWORD ErrorFromErrno(int err, const std::string& nativePath = std::string(),
                     const struct stat* dirStatus = nullptr);

// Converts, resolves case, and sets the last error on failure.
bool PrepareExisting(const char* path, std::string& native);

}  // namespace vedrix::winapi::kernel
