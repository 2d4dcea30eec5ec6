// ReplaceFileA: one file put in another's place in one step, keeping the
// replaced file's permissions, owner and group.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include <windows.h>

#include "kernel/file_changes.h"
#include "kernel/files.h"
#include "kernel/name_index.h"
#include "kernel/paths.h"
#include "kernel/sharing.h"

using namespace vedrix::winapi::kernel;

namespace {

constexpr DWORD kAllShares = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// The replaced file's security carried over to the replacement: owner and
// group first (changing them may clear permission bits), then the
// permissions. False with errno set when one of them cannot be kept.
bool TakeOverSecurity(const std::string& replacement, const struct stat& source,
                      const struct stat& target) {
    if ((source.st_uid != target.st_uid || source.st_gid != target.st_gid) &&
        chown(replacement.c_str(), target.st_uid, target.st_gid) != 0) {
        return false;
    }
    return chmod(replacement.c_str(), target.st_mode & 07777) == 0;
}

}  // namespace

BOOL WINAPI ReplaceFileA(LPCSTR lpReplacedFileName, LPCSTR lpReplacementFileName,
                         LPCSTR lpBackupFileName, DWORD dwReplaceFlags, LPVOID lpExclude,
                         LPVOID lpReserved) {
    BeginFileChange();
    if (lpExclude != nullptr || lpReserved != nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    std::string replaced;
    std::string replacement;
    std::string backup;
    if (!PrepareExisting(lpReplacedFileName, replaced) ||
        !PrepareExisting(lpReplacementFileName, replacement) ||
        (lpBackupFileName != nullptr && !PrepareExisting(lpBackupFileName, backup))) {
        return FALSE;
    }
    struct stat target;
    if (stat(replaced.c_str(), &target) != 0) {
        return Fail(ErrorFromErrno(errno, replaced));
    }
    // The replaced file is opened for reading and deleting, sharing
    // everything; the caller must be allowed to write it.
    if (S_ISDIR(target.st_mode) || IsReadOnly(target.st_mode) ||
        access(replaced.c_str(), W_OK) != 0) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (SharingRefuses(target, FILE_SHARE_READ | FILE_SHARE_DELETE, kAllShares)) {
        return Fail(ERROR_SHARING_VIOLATION);
    }
    struct stat source;
    if (stat(replacement.c_str(), &source) != 0) {
        return Fail(ErrorFromErrno(errno, replacement));
    }
    if (S_ISDIR(source.st_mode)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    // The replacement is opened for reading, writing and deleting, sharing
    // nothing: the same file twice, or any handle open on it, refuses that.
    if ((source.st_dev == target.st_dev && source.st_ino == target.st_ino) ||
        SharingRefuses(source, kAllShares, 0)) {
        return Fail(ERROR_SHARING_VIOLATION);
    }
    if (!TakeOverSecurity(replacement, source, target) &&
        (dwReplaceFlags & REPLACEFILE_IGNORE_ACL_ERRORS) == 0) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    // The replacement's name leaves its directory; the replaced name stays.
    // (With a backup, the index is left untold and so read again.)
    NameChange leaving(replacement);
    if (!backup.empty()) {
        if (std::rename(replaced.c_str(), backup.c_str()) != 0) {
            return Fail(ERROR_UNABLE_TO_REMOVE_REPLACED);
        }
        if (std::rename(replacement.c_str(), replaced.c_str()) != 0) {
            return Fail(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
        }
        return TRUE;
    }
    if (std::rename(replacement.c_str(), replaced.c_str()) != 0) {
        return Fail(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    }
    leaving.Removed();
    return TRUE;
}
