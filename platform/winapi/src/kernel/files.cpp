// Files and directories with the platform's paths and error codes.
#include "kernel/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include <io.h>
#include <windows.h>

#include "kernel/file_changes.h"
#include "kernel/name_index.h"
#include "kernel/objects.h"
#include "kernel/paths.h"
#include "kernel/sharing.h"

namespace vedrix::winapi::kernel {

FILETIME FromTicks(std::uint64_t ticks) {
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return time;
}

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FileTimeFromTimespec(const timespec& time) {
    const std::int64_t ticks = static_cast<std::int64_t>(time.tv_sec) * 10000000 +
                               time.tv_nsec / 100 + static_cast<std::int64_t>(kUnixEpochTicks);
    return FromTicks(ticks < 0 ? 0 : static_cast<std::uint64_t>(ticks));
}

timespec TimespecFromFileTime(const FILETIME& time) {
    const std::int64_t ticks =
        static_cast<std::int64_t>(Ticks(time)) - static_cast<std::int64_t>(kUnixEpochTicks);
    timespec result;
    std::int64_t seconds = ticks / 10000000;
    std::int64_t rest = ticks % 10000000;
    if (rest < 0) {
        rest += 10000000;
        --seconds;
    }
    result.tv_sec = static_cast<time_t>(seconds);
    result.tv_nsec = static_cast<long>(rest * 100);
    return result;
}

DWORD AttributesOf(mode_t mode, const std::string& name) {
    DWORD attributes = S_ISDIR(mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (IsReadOnly(mode)) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") {
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    }
    return attributes;
}

namespace {

void FillInfo(const struct statx& st, const std::string& name, FileInfo& info) {
    auto toTime = [](const statx_timestamp& t) {
        timespec ts;
        ts.tv_sec = static_cast<time_t>(t.tv_sec);
        ts.tv_nsec = static_cast<long>(t.tv_nsec);
        return FileTimeFromTimespec(ts);
    };
    info.attributes = AttributesOf(st.stx_mode, name);
    info.size = S_ISDIR(st.stx_mode) ? 0 : st.stx_size;
    info.lastAccess = toTime(st.stx_atime);
    info.lastWrite = toTime(st.stx_mtime);
    // The birth time where the file system keeps one, else the last change.
    info.creation = (st.stx_mask & STATX_BTIME) != 0 ? toTime(st.stx_btime) : info.lastWrite;
}

}  // namespace

bool FileInfoOfPath(const std::string& path, const std::string& name, FileInfo& info, int dirFd) {
    struct statx st;
    if (statx(dirFd, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &st) != 0 &&
        statx(dirFd, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &st) !=
            0) {
        return false;
    }
    FillInfo(st, name, info);
    return true;
}

bool FileInfoOfDescriptor(int fd, const std::string& name, FileInfo& info) {
    struct statx st;
    if (statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &st) != 0) {
        return false;
    }
    FillInfo(st, name, info);
    return true;
}

namespace {

class FileObject final : public KernelObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::kFile;

    FileObject(int fd, bool canRead, bool canWrite, std::string path, bool deleteOnClose,
               const struct stat& file, DWORD sharedAccess, DWORD shareMode)
        : KernelObject(kKind),
          m_fd(fd),
          m_canRead(canRead),
          m_canWrite(canWrite),
          m_path(std::move(path)),
          m_deleteOnClose(deleteOnClose),
          m_sharing(file, sharedAccess, shareMode) {}
    ~FileObject() override {
        close(m_fd);
        if (m_deleteOnClose) {
            unlink(m_path.c_str());
        }
    }
    int fd() const { return m_fd; }
    bool canRead() const { return m_canRead; }
    bool canWrite() const { return m_canWrite; }
    const std::string& path() const { return m_path; }

private:
    int m_fd;
    bool m_canRead;
    bool m_canWrite;
    std::string m_path;
    bool m_deleteOnClose;
    SharingEntry m_sharing;
};

FileObject* FindFile(HANDLE handle) {
    FileObject* file = FindObjectOf<FileObject>(handle);
    if (file == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return file;
}

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

BOOL FailErrno(int err, const std::string& path) {
    return Fail(ErrorFromErrno(err, path));
}

// True, with ERROR_SHARING_VIOLATION, when a handle of this process that
// does not share deleting holds the file at `path` open.
bool DeleteRefused(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0 &&
        SharingRefuses(st, FILE_SHARE_DELETE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return true;
    }
    return false;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Writes all of data; false with errno set on failure.
bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Copies the contents, permission bits and times of an open source into a
// new side file beside the destination. Returns the side file's path, or ""
// with the last error set.
std::string CopyToSideFile(int in, const struct stat& source, const std::string& destination) {
    std::string side =
        DirectoryOf(destination) + "/." + LastComponent(destination) + ".copy-XXXXXX";
    const int out = mkostemp(side.data(), O_CLOEXEC);
    if (out < 0) {
        SetLastError(ErrorFromErrno(errno, destination));
        return std::string();
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(in, buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 || !WriteAll(out, buffer, static_cast<size_t>(got))) {
            const int err = errno;
            close(out);
            unlink(side.c_str());
            SetLastError(ErrorFromErrno(err, destination));
            return std::string();
        }
    }
    const timespec times[2] = {source.st_atim, source.st_mtim};
    if (fchmod(out, source.st_mode & 07777) != 0 || futimens(out, times) != 0 || fsync(out) != 0) {
        const int err = errno;
        close(out);
        unlink(side.c_str());
        SetLastError(ErrorFromErrno(err, destination));
        return std::string();
    }
    if (close(out) != 0) {
        const int err = errno;
        unlink(side.c_str());
        SetLastError(ErrorFromErrno(err, destination));
        return std::string();
    }
    return side;
}

// Copies source to destination, which must not be the same file. When
// failIfExists, an existing destination is never replaced.
BOOL CopyNative(const std::string& source, const std::string& destination, bool failIfExists) {
    const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return FailErrno(errno, source);
    }
    struct stat st;
    if (fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(in);
        return Fail(ERROR_ACCESS_DENIED);
    }
    struct stat existing;
    if (stat(destination.c_str(), &existing) == 0) {
        DWORD error = 0;
        if (failIfExists) {
            error = ERROR_FILE_EXISTS;
        } else if (SameFile(st, existing)) {
            error = ERROR_SHARING_VIOLATION;
        } else if (S_ISDIR(existing.st_mode) || IsReadOnly(existing.st_mode)) {
            error = ERROR_ACCESS_DENIED;
        }
        if (error != 0) {
            close(in);
            return Fail(error);
        }
    }
    const std::string side = CopyToSideFile(in, st, destination);
    close(in);
    if (side.empty()) {
        return FALSE;
    }
    if (failIfExists) {
        // link() never replaces a file, so a destination that appeared
        // meanwhile is kept.
        if (link(side.c_str(), destination.c_str()) != 0) {
            const int err = errno;
            unlink(side.c_str());
            return FailErrno(err, destination);
        }
        unlink(side.c_str());
        return TRUE;
    }
    if (rename(side.c_str(), destination.c_str()) != 0) {
        const int err = errno;
        unlink(side.c_str());
        return FailErrno(err, destination);
    }
    return TRUE;
}

bool PrepareNew(const char* path, std::string& native) {
    return PrepareExisting(path, native);
}

// An existing regular file opened under its exact name for reading or
// writing, without a look at the path before: the open finds the file, and
// its status, taken from the open file, is checked as that look would have
// checked it (a file the platform marks read-only is not opened for
// writing). -1, with nothing opened, for anything else, which then takes
// CreateFileA's usual way. `missing` tells whether nothing has the exact
// name.
int OpenExactRegularFile(const std::string& path, bool canRead, bool canWrite, struct stat& st,
                         bool& missing) {
    const int flags = O_CLOEXEC | (canRead && canWrite ? O_RDWR : canWrite ? O_WRONLY : O_RDONLY);
    const int fd = open(path.c_str(), flags);
    missing = fd < 0 && errno == ENOENT;
    if (fd < 0) {
        return -1;
    }
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || (canWrite && IsReadOnly(st.st_mode))) {
        close(fd);
        return -1;
    }
    return fd;
}

// The error of a path that StatResolved did not find (errno is its stat()'s).
DWORD MissingError(const PathStatus& looked) {
    return ErrorFromErrno(errno, looked.path, looked.directoryKnown ? &looked.directory : nullptr);
}

// PrepareExisting with the stat() of the path it gives (see StatResolved).
bool PrepareAndStat(const char* path, PathStatus& looked) {
    NativePath converted = ToNative(path);
    if (!converted.ok) {
        SetLastError(converted.error);
        return false;
    }
    looked = StatResolved(std::move(converted.path));
    return true;
}

DWORD ReturnString(const std::string& value, DWORD size, LPSTR buffer) {
    if (buffer != nullptr && size > value.size()) {
        std::memcpy(buffer, value.c_str(), value.size() + 1);
        return static_cast<DWORD>(value.size());
    }
    return static_cast<DWORD>(value.size() + 1);
}

}  // namespace
}  // namespace vedrix::winapi::kernel

using namespace vedrix::winapi::kernel;

int _access(const char* path, int mode) {
    if ((mode & ~6) != 0) {
        errno = EINVAL;
        return -1;
    }
    NativePath converted = ToNative(path);
    if (!converted.ok) {
        errno = path == nullptr ? EINVAL : ENOENT;
        return -1;
    }
    // Whether something is there under the exact name is told by the path
    // walk alone, without taking the file's status; anything else (another
    // case, a permission to check) takes the look below.
    if (mode == 0 && access(converted.path.c_str(), F_OK) == 0) {
        return 0;
    }
    const PathStatus looked = StatResolved(std::move(converted.path));
    const std::string& native = looked.path;
    const struct stat& st = looked.status;
    if (!looked.exists) {
        if (errno == ENOTDIR) {
            errno = ENOENT;
        }
        return -1;
    }
    // Write permission follows the read-only attribute, as on the platform,
    // also for a user whom the system would let write anyway.
    if ((mode & 2) != 0 && (IsReadOnly(st.st_mode) || access(native.c_str(), W_OK) != 0)) {
        errno = EACCES;
        return -1;
    }
    if ((mode & 4) != 0 && access(native.c_str(), R_OK) != 0) {
        errno = EACCES;
        return -1;
    }
    return 0;
}

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
    PathStatus looked;
    if (!PrepareAndStat(lpFileName, looked)) {
        return INVALID_FILE_ATTRIBUTES;
    }
    if (!looked.exists) {
        SetLastError(MissingError(looked));
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(looked.status.st_mode, LastComponent(looked.path));
}

BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) {
    BeginFileChange();
    PathStatus looked;
    if (!PrepareAndStat(lpFileName, looked)) {
        return FALSE;
    }
    const std::string& native = looked.path;
    const struct stat& st = looked.status;
    if (!looked.exists) {
        return Fail(MissingError(looked));
    }
    mode_t mode = st.st_mode & 07777;
    if ((dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    } else {
        mode |= S_IWUSR;
    }
    if (chmod(native.c_str(), mode) != 0) {
        return FailErrno(errno, native);
    }
    return TRUE;
}

BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
    BeginFileChange();
    std::string source;
    std::string destination;
    if (!PrepareExisting(lpExistingFileName, source) || !PrepareNew(lpNewFileName, destination)) {
        return FALSE;
    }
    NameChange change(destination);
    if (!CopyNative(source, destination, bFailIfExists != FALSE)) {
        return FALSE;
    }
    change.Added();
    return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    BeginFileChange();
    std::string native;
    if (!PrepareExisting(lpFileName, native) || DeleteRefused(native)) {
        return FALSE;
    }
    struct stat st;
    if (lstat(native.c_str(), &st) != 0) {
        return FailErrno(errno, native);
    }
    // The platform deletes neither directories nor read-only files.
    if (S_ISDIR(st.st_mode) || (!S_ISLNK(st.st_mode) && IsReadOnly(st.st_mode))) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    NameChange change(native);
    if (unlink(native.c_str()) != 0) {
        return FailErrno(errno, native);
    }
    change.Removed();
    return TRUE;
}

BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
    BeginFileChange();
    if ((dwFlags & MOVEFILE_DELAY_UNTIL_REBOOT) != 0 || lpNewFileName == nullptr) {
        // Nothing is ever done at the next start of this system.
        return Fail(ERROR_INVALID_PARAMETER);
    }
    std::string source;
    std::string destination;
    if (!PrepareExisting(lpExistingFileName, source) || !PrepareNew(lpNewFileName, destination) ||
        DeleteRefused(source)) {
        return FALSE;
    }
    struct stat sourceStat;
    if (lstat(source.c_str(), &sourceStat) != 0) {
        return FailErrno(errno, source);
    }
    struct stat existing;
    if (lstat(destination.c_str(), &existing) == 0) {
        if (SameFile(sourceStat, existing)) {
            // The same file under another case: a rename to the name given.
            destination =
                DirectoryOf(destination) + "/" + LastComponent(ToNative(lpNewFileName).path);
        } else if ((dwFlags & MOVEFILE_REPLACE_EXISTING) == 0) {
            return Fail(ERROR_ALREADY_EXISTS);
        } else if (S_ISDIR(existing.st_mode) || S_ISDIR(sourceStat.st_mode) ||
                   IsReadOnly(existing.st_mode)) {
            return Fail(ERROR_ACCESS_DENIED);
        } else if (DeleteRefused(destination)) {
            return FALSE;
        }
    }
    NameChange leaving(source);
    NameChange arriving(destination);
    if (rename(source.c_str(), destination.c_str()) == 0) {
        leaving.Removed();
        arriving.Added();
        return TRUE;
    }
    if (errno == EXDEV && (dwFlags & MOVEFILE_COPY_ALLOWED) != 0 && S_ISREG(sourceStat.st_mode)) {
        // Another file system: copy, then delete the original.
        if (!CopyNative(source, destination, (dwFlags & MOVEFILE_REPLACE_EXISTING) == 0)) {
            return FALSE;
        }
        arriving.Added();
        if (unlink(source.c_str()) != 0) {
            return FailErrno(errno, source);
        }
        leaving.Removed();
        return TRUE;
    }
    return FailErrno(errno, destination);
}

BOOL WINAPI MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName) {
    return MoveFileExA(lpExistingFileName, lpNewFileName, MOVEFILE_COPY_ALLOWED);
}

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    BeginFileChange();
    std::string native;
    if (!PrepareNew(lpPathName, native)) {
        return FALSE;
    }
    NameChange change(native);
    if (mkdir(native.c_str(), 0777) != 0) {
        return Fail(errno == EEXIST
                        ? ERROR_ALREADY_EXISTS
                        : (errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno, native)));
    }
    change.Added();
    return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName) {
    BeginFileChange();
    std::string native;
    if (!PrepareExisting(lpPathName, native)) {
        return FALSE;
    }
    NameChange change(native);
    if (rmdir(native.c_str()) != 0) {
        switch (errno) {
            case ENOTDIR:
                return Fail(ERROR_DIRECTORY);
            case EEXIST:
            case ENOTEMPTY:
                return Fail(ERROR_DIR_NOT_EMPTY);
            default:
                return FailErrno(errno, native);
        }
    }
    change.Removed();
    return TRUE;
}

DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd) == nullptr) {
        SetLastError(ErrorFromErrno(errno));
        return 0;
    }
    return ReturnString(cwd, nBufferLength, lpBuffer);
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName) {
    std::string native;
    if (!PrepareExisting(lpPathName, native)) {
        return FALSE;
    }
    if (chdir(native.c_str()) != 0) {
        return Fail(errno == ENOTDIR ? ERROR_DIRECTORY : ErrorFromErrno(errno, native));
    }
    return TRUE;
}

DWORD WINAPI GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) {
    std::string dir = "/tmp";
    for (const char* name : {"TMPDIR", "TMP", "TEMP"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') {
            dir = value;
            break;
        }
    }
    if (dir.back() != '/') {
        dir.push_back('/');
    }
    return ReturnString(dir, nBufferLength, lpBuffer);
}

DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer,
                              LPSTR* lpFilePart) {
    NativePath converted = ToNative(lpFileName, true);
    if (!converted.ok) {
        SetLastError(converted.error);
        return 0;
    }
    std::string full = MakeAbsolute(converted.path);
    const bool directory = converted.path.back() == '/';
    if (directory && full.back() != '/') {
        full.push_back('/');
    }
    const DWORD result = ReturnString(full, nBufferLength, lpBuffer);
    if (lpFilePart != nullptr) {
        *lpFilePart = nullptr;
        if (result == full.size() && !directory) {
            *lpFilePart = lpBuffer + full.rfind('/') + 1;
        }
    }
    return result;
}

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE) {
    const DWORD sharedAccess = SharedAccessOf(dwDesiredAccess);
    if ((sharedAccess & FILE_SHARE_WRITE) != 0 || dwCreationDisposition != OPEN_EXISTING) {
        BeginFileChange();
    }
    NativePath converted = ToNative(lpFileName);
    if (!converted.ok) {
        SetLastError(converted.error);
        return INVALID_HANDLE_VALUE;
    }
    if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const bool canRead = (dwDesiredAccess & (GENERIC_READ | GENERIC_ALL)) != 0;
    const bool canWrite = (dwDesiredAccess & (GENERIC_WRITE | GENERIC_ALL)) != 0;
    if (dwCreationDisposition == TRUNCATE_EXISTING && !canWrite) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    bool exactMissing = false;
    if (dwCreationDisposition == OPEN_EXISTING && (canRead || canWrite)) {
        struct stat opened;
        const int fd =
            OpenExactRegularFile(converted.path, canRead, canWrite, opened, exactMissing);
        if (fd >= 0) {
            if (SharingRefuses(opened, sharedAccess, dwShareMode)) {
                close(fd);
                SetLastError(ERROR_SHARING_VIOLATION);
                return INVALID_HANDLE_VALUE;
            }
            SetLastError(ERROR_SUCCESS);
            return AddObject(std::make_unique<FileObject>(
                fd, canRead, canWrite, std::move(converted.path),
                (dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) != 0, opened, sharedAccess,
                dwShareMode));
        }
    }
    PathStatus looked;
    if (dwCreationDisposition != CREATE_NEW || !StatUnnamed(converted.path, looked)) {
        looked = exactMissing ? StatResolvedMissing(std::move(converted.path), ENOENT)
                              : StatResolved(std::move(converted.path));
    }
    const std::string& native = looked.path;
    const struct stat& st = looked.status;
    const bool exists = looked.exists;
    if (exists) {
        if (dwCreationDisposition == CREATE_NEW) {
            SetLastError(ERROR_FILE_EXISTS);
            return INVALID_HANDLE_VALUE;
        }
        if (S_ISDIR(st.st_mode) && (dwFlagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS) == 0) {
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        const bool truncates =
            dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING;
        if ((canWrite || truncates) && IsReadOnly(st.st_mode)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        if (SharingRefuses(st, sharedAccess, dwShareMode)) {
            SetLastError(ERROR_SHARING_VIOLATION);
            return INVALID_HANDLE_VALUE;
        }
    } else if (dwCreationDisposition == OPEN_EXISTING ||
               dwCreationDisposition == TRUNCATE_EXISTING) {
        SetLastError(MissingError(looked));
        return INVALID_HANDLE_VALUE;
    }
    int flags = O_CLOEXEC;
    if (exists && S_ISDIR(st.st_mode)) {
        flags |= O_RDONLY | O_DIRECTORY;
    } else if (canRead && canWrite) {
        flags |= O_RDWR;
    } else if (canWrite) {
        flags |= O_WRONLY;
    } else {
        flags |= O_RDONLY;
    }
    switch (dwCreationDisposition) {
        case CREATE_NEW:
            flags |= O_CREAT | O_EXCL;
            break;
        case CREATE_ALWAYS:
            flags |= O_CREAT | (exists ? O_TRUNC : 0);
            break;
        case OPEN_ALWAYS:
            flags |= O_CREAT;
            break;
        case TRUNCATE_EXISTING:
            flags |= O_TRUNC;
            break;
        default:
            break;
    }
    if ((flags & O_TRUNC) != 0 && (flags & O_ACCMODE) == O_RDONLY) {
        flags = (flags & ~O_ACCMODE) | O_WRONLY;
    }
    const mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
    // Only a file that is not there yet adds a name to its directory (a
    // dangling link is there: it creates its target, wherever that is).
    std::optional<NameChange> creation;
    if (!exists && (flags & O_CREAT) != 0 && !looked.named) {
        creation.emplace(native, looked.directoryKnown ? &looked.directory : nullptr);
    }
    int fd = open(native.c_str(), flags, mode);
    if (fd < 0 && errno == EACCES && !canRead && !canWrite) {
        // Asking only for the file's attributes needs no permission to read.
        fd = open(native.c_str(), O_PATH | O_CLOEXEC);
    }
    if (fd < 0) {
        SetLastError(errno == EEXIST ? ERROR_FILE_EXISTS : ErrorFromErrno(errno, native));
        return INVALID_HANDLE_VALUE;
    }
    struct stat opened;
    if (fstat(fd, &opened) != 0) {
        const int err = errno;
        close(fd);
        SetLastError(ErrorFromErrno(err, native));
        return INVALID_HANDLE_VALUE;
    }
    if (creation) {
        creation->Added();
    }
    HANDLE handle = AddObject(std::make_unique<FileObject>(
        fd, canRead, canWrite, native, (dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) != 0,
        opened, sharedAccess, dwShareMode));
    const bool reportsExisting =
        dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
    SetLastError(reportsExisting && exists ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesRead != nullptr) {
        *lpNumberOfBytesRead = 0;
    }
    FileObject* file = FindFile(hFile);
    if (file == nullptr) {
        return FALSE;
    }
    if (!file->canRead()) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (lpBuffer == nullptr && nNumberOfBytesToRead != 0) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (lpOverlapped != nullptr) {
        const off_t offset =
            static_cast<off_t>((static_cast<std::uint64_t>(lpOverlapped->u.s.OffsetHigh) << 32) |
                               lpOverlapped->u.s.Offset);
        if (lseek(file->fd(), offset, SEEK_SET) < 0) {
            return FailErrno(errno, file->path());
        }
    }
    DWORD total = 0;
    char* buffer = static_cast<char*>(lpBuffer);
    while (total < nNumberOfBytesToRead) {
        const ssize_t got = read(file->fd(), buffer + total, nNumberOfBytesToRead - total);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (lpNumberOfBytesRead != nullptr) {
                *lpNumberOfBytesRead = total;
            }
            return FailErrno(errno, file->path());
        }
        if (got == 0) {
            break;  // the end of the file: success with fewer bytes
        }
        total += static_cast<DWORD>(got);
    }
    if (lpNumberOfBytesRead != nullptr) {
        *lpNumberOfBytesRead = total;
    }
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesWritten != nullptr) {
        *lpNumberOfBytesWritten = 0;
    }
    FileObject* file = FindFile(hFile);
    if (file == nullptr) {
        return FALSE;
    }
    if (!file->canWrite()) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (lpBuffer == nullptr && nNumberOfBytesToWrite != 0) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (lpOverlapped != nullptr) {
        const off_t offset =
            static_cast<off_t>((static_cast<std::uint64_t>(lpOverlapped->u.s.OffsetHigh) << 32) |
                               lpOverlapped->u.s.Offset);
        if (lseek(file->fd(), offset, SEEK_SET) < 0) {
            return FailErrno(errno, file->path());
        }
    }
    DWORD total = 0;
    const char* buffer = static_cast<const char*>(lpBuffer);
    while (total < nNumberOfBytesToWrite) {
        const auto part = static_cast<size_t>(BytesBeforeStop(nNumberOfBytesToWrite - total));
        const ssize_t put = write(file->fd(), buffer + total, part);
        if (put >= 0) {
            CountBytesWritten(static_cast<std::uint64_t>(put));
        }
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (lpNumberOfBytesWritten != nullptr) {
                *lpNumberOfBytesWritten = total;
            }
            return FailErrno(errno, file->path());
        }
        total += static_cast<DWORD>(put);
    }
    if (lpNumberOfBytesWritten != nullptr) {
        *lpNumberOfBytesWritten = total;
    }
    return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, LONG* lpDistanceToMoveHigh,
                            DWORD dwMoveMethod) {
    FileObject* file = FindFile(hFile);
    if (file == nullptr) {
        return INVALID_SET_FILE_POINTER;
    }
    std::int64_t distance = lDistanceToMove;
    if (lpDistanceToMoveHigh != nullptr) {
        distance = static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(static_cast<std::uint32_t>(*lpDistanceToMoveHigh)) << 32) |
            static_cast<std::uint32_t>(lDistanceToMove));
    }
    std::int64_t base = 0;
    switch (dwMoveMethod) {
        case FILE_BEGIN:
            break;
        case FILE_CURRENT:
            base = lseek(file->fd(), 0, SEEK_CUR);
            break;
        case FILE_END: {
            struct stat st;
            base = fstat(file->fd(), &st) == 0 ? st.st_size : -1;
            break;
        }
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return INVALID_SET_FILE_POINTER;
    }
    if (base < 0) {
        SetLastError(ErrorFromErrno(errno, file->path()));
        return INVALID_SET_FILE_POINTER;
    }
    const std::int64_t position = base + distance;
    if (position < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceToMoveHigh == nullptr && position > 0xFFFFFFFELL) {
        // Without the high part the position must fit the result.
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (lseek(file->fd(), static_cast<off_t>(position), SEEK_SET) < 0) {
        SetLastError(ErrorFromErrno(errno, file->path()));
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceToMoveHigh != nullptr) {
        *lpDistanceToMoveHigh = static_cast<LONG>(position >> 32);
    }
    // Success is told apart from a low part of 0xFFFFFFFF by the last error.
    SetLastError(NO_ERROR);
    return static_cast<DWORD>(position & 0xFFFFFFFF);
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    FileObject* file = FindFile(hFile);
    if (file == nullptr) {
        return INVALID_FILE_SIZE;
    }
    struct stat st;
    if (fstat(file->fd(), &st) != 0) {
        SetLastError(ErrorFromErrno(errno, file->path()));
        return INVALID_FILE_SIZE;
    }
    const std::uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
    if (lpFileSizeHigh != nullptr) {
        *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
    }
    SetLastError(NO_ERROR);
    return static_cast<DWORD>(size & 0xFFFFFFFF);
}

BOOL WINAPI FlushFileBuffers(HANDLE hFile) {
    BeginFileChange();
    FileObject* file = FindFile(hFile);
    if (file == nullptr) {
        return FALSE;
    }
    if (!file->canWrite()) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (fsync(file->fd()) != 0) {
        return FailErrno(errno, file->path());
    }
    return TRUE;
}

BOOL WINAPI SetEndOfFile(HANDLE hFile) {
    BeginFileChange();
    FileObject* file = FindFile(hFile);
    if (file == nullptr) {
        return FALSE;
    }
    if (!file->canWrite()) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    const off_t position = lseek(file->fd(), 0, SEEK_CUR);
    if (position < 0 || ftruncate(file->fd(), position) != 0) {
        return FailErrno(errno, file->path());
    }
    return TRUE;
}

BOOL WINAPI GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                        LPFILETIME lpLastWriteTime) {
    FileObject* file = FindFile(hFile);
    if (file == nullptr) {
        return FALSE;
    }
    FileInfo info;
    if (!FileInfoOfDescriptor(file->fd(), LastComponent(file->path()), info)) {
        return FailErrno(errno, file->path());
    }
    if (lpCreationTime != nullptr) {
        *lpCreationTime = info.creation;
    }
    if (lpLastAccessTime != nullptr) {
        *lpLastAccessTime = info.lastAccess;
    }
    if (lpLastWriteTime != nullptr) {
        *lpLastWriteTime = info.lastWrite;
    }
    return TRUE;
}

BOOL WINAPI SetFileTime(HANDLE hFile, const FILETIME*, const FILETIME* lpLastAccessTime,
                        const FILETIME* lpLastWriteTime) {
    FileObject* file = FindFile(hFile);
    if (file == nullptr) {
        return FALSE;
    }
    // The creation time cannot be set here; it is accepted and left alone.
    timespec times[2];
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_nsec = UTIME_OMIT;
    if (lpLastAccessTime != nullptr) {
        times[0] = TimespecFromFileTime(*lpLastAccessTime);
    }
    if (lpLastWriteTime != nullptr) {
        times[1] = TimespecFromFileTime(*lpLastWriteTime);
    }
    if (futimens(file->fd(), times) != 0) {
        return FailErrno(errno, file->path());
    }
    return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    const FileObject* file = FindObjectOf<FileObject>(hObject);
    if (file != nullptr && file->canWrite()) {
        BeginFileChange();
    }
    if (file == nullptr || !RemoveObject(hObject)) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    return TRUE;
}
