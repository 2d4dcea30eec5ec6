#include <vedrix/framework/file_save.h>

#include <windows.h>

#include <string>

namespace vedrix::framework {

namespace {

constexpr char kSideSuffix[] = ".new";

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Writes the contents to a new file at `side`, through to the disk, so that
// it is complete before it can take the target's place.
bool WriteSideFile(const std::string& side, const char* data, std::size_t size) {
    HANDLE file = CreateFileA(side.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool written = WriteAll(file, data, size) && FlushFileBuffers(file);
    return CloseHandle(file) && written;
}

// Puts the side file in the target's place; a target that does not exist
// yet is given its name by a move.
bool PutInPlace(const std::string& side, const char* path) {
    if (ReplaceFileA(path, side.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
        return true;
    }
    return GetLastError() == ERROR_FILE_NOT_FOUND &&
           MoveFileExA(side.c_str(), path, MOVEFILE_WRITE_THROUGH);
}

// The plain write: the target opened (or created) for writing, sharing
// reading and writing as an ordinary program's write does, written from its
// start and cut after the new contents. Opening it without truncating keeps
// its attributes, as a plain write does.
bool Overwrite(const char* path, const char* data, std::size_t size) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool written = WriteAll(file, data, size) && SetEndOfFile(file);
    return CloseHandle(file) && written;
}

}  // namespace

NewFileResult WriteNewFile(const char* path, const void* data, std::size_t size) {
    if (path == nullptr || path[0] == '\0') {
        return NewFileResult::kFailed;
    }
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_EXISTS ? NewFileResult::kExists
                                                   : NewFileResult::kFailed;
    }
    const bool written = WriteAll(file, static_cast<const char*>(data), size);
    if (CloseHandle(file) && written) {
        return NewFileResult::kCreated;
    }
    DeleteFileA(path);
    return NewFileResult::kFailed;
}

SaveResult SaveFile(const char* path, const void* data, std::size_t size) {
    if (path == nullptr || path[0] == '\0') {
        return SaveResult::kFailed;
    }
    const char* bytes = static_cast<const char*>(data);
    const std::string side = std::string(path) + kSideSuffix;
    if (WriteSideFile(side, bytes, size) && PutInPlace(side, path)) {
        return SaveResult::kReplaced;
    }
    DeleteFileA(side.c_str());
    return Overwrite(path, bytes, size) ? SaveResult::kOverwritten : SaveResult::kFailed;
}

}  // namespace vedrix::framework
