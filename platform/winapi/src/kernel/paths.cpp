#include "kernel/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <windows.h>

namespace vedrix::winapi::kernel {

unsigned char FoldLower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<unsigned char>(c + 32);
    }
    // Latin-1 capitals (except the multiplication sign) and the capitals of
    // code page 1252's extra range.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return static_cast<unsigned char>(c + 32);
    }
    switch (c) {
        case 0x8A:
            return 0x9A;
        case 0x8C:
            return 0x9C;
        case 0x8E:
            return 0x9E;
        case 0x9F:
            return 0xFF;
        default:
            return c;
    }
}

unsigned char FoldUpper(unsigned char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<unsigned char>(c - 32);
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return static_cast<unsigned char>(c - 32);
    }
    switch (c) {
        case 0x9A:
            return 0x8A;
        case 0x9C:
            return 0x8C;
        case 0x9E:
            return 0x8E;
        case 0xFF:
            return 0x9F;
        default:
            return c;
    }
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldLower(static_cast<unsigned char>(a[i])) !=
            FoldLower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

NativePath ToNative(const char* path, bool allowWildcards) {
    NativePath result;
    if (path == nullptr) {
        result.error = ERROR_INVALID_PARAMETER;
        return result;
    }
    const size_t length = std::strlen(path);
    if (length == 0) {
        result.error = ERROR_PATH_NOT_FOUND;
        return result;
    }
    if (length >= MAX_PATH) {
        result.error = ERROR_FILENAME_EXCED_RANGE;
        return result;
    }
    // "X:" names a drive, which this system does not have.
    if (length >= 2 && path[1] == ':' &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
        result.error = ERROR_PATH_NOT_FOUND;
        return result;
    }
    result.path.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < 32 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|') {
            result.error = ERROR_INVALID_NAME;
            result.path.clear();
            return result;
        }
        if ((c == '*' || c == '?') && !allowWildcards) {
            result.error = ERROR_INVALID_NAME;
            result.path.clear();
            return result;
        }
        result.path.push_back(c == '\\' ? '/' : static_cast<char>(c));
    }
    result.ok = true;
    return result;
}

bool ListDirectory(const std::string& dir, std::vector<std::string>& names) {
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (d == nullptr) {
        return false;
    }
    while (const dirent* entry = readdir(d)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            names.emplace_back(entry->d_name);
        }
    }
    closedir(d);
    return true;
}

namespace {

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string FindEntryNoCase(const std::string& dir, const std::string& name) {
    std::vector<std::string> names;
    if (!ListDirectory(dir, names)) {
        return std::string();
    }
    std::string best;
    for (const std::string& candidate : names) {
        if (EqualsNoCase(candidate, name) && (best.empty() || candidate < best)) {
            best = candidate;
        }
    }
    return best;
}

std::string ResolveCase(const std::string& nativePath) {
    if (nativePath.empty() || Exists(nativePath)) {
        return nativePath;
    }
    std::string resolved;
    size_t pos = 0;
    if (nativePath[0] == '/') {
        resolved = "/";
        pos = 1;
    }
    bool matching = true;
    while (pos <= nativePath.size()) {
        size_t end = nativePath.find('/', pos);
        if (end == std::string::npos) {
            end = nativePath.size();
        }
        const std::string component = nativePath.substr(pos, end - pos);
        const bool last = end == nativePath.size();
        if (!component.empty()) {
            std::string next = resolved;
            if (!next.empty() && next.back() != '/') {
                next.push_back('/');
            }
            if (matching && component != "." && component != ".." && !Exists(next + component)) {
                const std::string match =
                    FindEntryNoCase(resolved.empty() ? "." : resolved, component);
                if (match.empty()) {
                    matching = false;
                    next += component;
                } else {
                    next += match;
                }
            } else {
                next += component;
            }
            resolved = next;
        }
        if (last) {
            if (!nativePath.empty() && nativePath.back() == '/' && resolved.back() != '/') {
                resolved.push_back('/');
            }
            break;
        }
        pos = end + 1;
    }
    return resolved;
}

std::string MakeAbsolute(const std::string& nativePath) {
    std::string full;
    if (!nativePath.empty() && nativePath[0] == '/') {
        full = nativePath;
    } else {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd) == nullptr) {
            return nativePath;
        }
        full = std::string(cwd) + "/" + nativePath;
    }
    std::vector<std::string> parts;
    size_t pos = 0;
    while (pos <= full.size()) {
        size_t end = full.find('/', pos);
        if (end == std::string::npos) {
            end = full.size();
        }
        const std::string part = full.substr(pos, end - pos);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        pos = end + 1;
    }
    std::string result;
    for (const std::string& part : parts) {
        result += "/" + part;
    }
    return result.empty() ? "/" : result;
}

std::string DirectoryOf(const std::string& nativePath) {
    std::string path = nativePath;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    if (slash == 0) {
        return "/";
    }
    return path.substr(0, slash);
}

std::string LastComponent(const std::string& nativePath) {
    std::string path = nativePath;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

DWORD ErrorFromErrno(int err, const std::string& nativePath) {
    switch (err) {
        case 0:
            return ERROR_SUCCESS;
        case ENOENT: {
            if (nativePath.empty()) {
                return ERROR_FILE_NOT_FOUND;
            }
            struct stat st;
            const std::string dir = DirectoryOf(nativePath);
            if (stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
                return ERROR_FILE_NOT_FOUND;
            }
            return ERROR_PATH_NOT_FOUND;
        }
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EISDIR:
            return ERROR_ACCESS_DENIED;
        case EROFS:
            return ERROR_WRITE_PROTECT;
        case EEXIST:
            return ERROR_FILE_EXISTS;
        case ENOSPC:
        case EDQUOT:
            return ERROR_DISK_FULL;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case ENOTEMPTY:
            return ERROR_DIR_NOT_EMPTY;
        case EBUSY:
        case ETXTBSY:
            return ERROR_SHARING_VIOLATION;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        case EBADF:
            return ERROR_INVALID_HANDLE;
        case EMFILE:
        case ENFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case EXDEV:
            return ERROR_NOT_SAME_DEVICE;
        case ELOOP:
            return ERROR_CANT_RESOLVE_FILENAME;
        default:
            return ERROR_GEN_FAILURE;
    }
}

bool PrepareExisting(const char* path, std::string& native) {
    NativePath converted = ToNative(path);
    if (!converted.ok) {
        SetLastError(converted.error);
        return false;
    }
    native = ResolveCase(converted.path);
    return true;
}

}  // namespace vedrix::winapi::kernel
