#include "kernel/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <windows.h>

#include "kernel/name_index.h"

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
    // Names mostly match in their exact case: one comparison of the bytes.
    if (a == b) {
        return true;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldLower(static_cast<unsigned char>(a[i])) !=
            FoldLower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

namespace {

enum class PathCharacter : unsigned char { kPlain, kSeparator, kWildcard, kInvalid };

// What each character is in a path: control characters and < > : " | are
// never part of a name, * and ? only of a search pattern, "\" separates.
const std::array<PathCharacter, 256>& PathCharacterKinds() {
    static const std::array<PathCharacter, 256> kinds = [] {
        std::array<PathCharacter, 256> table{};
        for (int c = 0; c < 32; ++c) {
            table[static_cast<std::size_t>(c)] = PathCharacter::kInvalid;
        }
        for (const char c : {'<', '>', ':', '"', '|'}) {
            table[static_cast<unsigned char>(c)] = PathCharacter::kInvalid;
        }
        table[static_cast<unsigned char>('*')] = PathCharacter::kWildcard;
        table[static_cast<unsigned char>('?')] = PathCharacter::kWildcard;
        table[static_cast<unsigned char>('\\')] = PathCharacter::kSeparator;
        return table;
    }();
    return kinds;
}

// Sixteen characters at a time, as the compiler's vector types hold them.
using Chunk = unsigned char __attribute__((vector_size(16)));
// What comparing two chunks gives: all bits set where they hold.
using Mask = signed char __attribute__((vector_size(16)));
constexpr std::size_t kChunkSize = sizeof(Chunk);
constexpr std::size_t kHalfSize = kChunkSize / 2;

// Which of the sixteen characters at `text` are special: control characters
// and < > : " | * ? \ (all bits set), every other character plain (zero).
// Each test is one comparison of the whole chunk, so that a long path is
// judged a chunk at a time.
Mask SpecialsIn(const char* text) {
    Chunk chunk;
    std::memcpy(&chunk, text, kChunkSize);
    // (a character compared with a chunk is compared with each of its sixteen)
    using C = unsigned char;
    return (chunk < C{32}) | (chunk == C{'<'}) | (chunk == C{'>'}) | (chunk == C{':'}) |
           (chunk == C{'"'}) | (chunk == C{'|'}) | (chunk == C{'*'}) | (chunk == C{'?'}) |
           (chunk == C{'\\'});
}

// Converts one character of a path in place: false for one that cannot
// stand in it.
bool ConvertCharacter(char& ch, PathCharacter kind, bool allowWildcards) {
    switch (kind) {
        case PathCharacter::kPlain:
            return true;
        case PathCharacter::kSeparator:
            ch = '/';
            return true;
        case PathCharacter::kWildcard:
            return allowWildcards;
        case PathCharacter::kInvalid:
            return false;
    }
    return false;
}

}  // namespace

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
    // Every file operation converts its path: the characters are taken in
    // one copy and judged sixteen at a time; only the special ones among
    // them are looked up in the table. The last chunk ends at the path's end
    // and may overlap the one before: judging a converted character again
    // keeps it as it is. A path shorter than a chunk is judged character by
    // character.
    result.path.assign(path, length);
    const std::array<PathCharacter, 256>& kinds = PathCharacterKinds();
    char* const text = result.path.data();
    const auto convert = [&](size_t i) {
        return ConvertCharacter(text[i], kinds[static_cast<unsigned char>(text[i])],
                                allowWildcards);
    };
    bool converted = true;
    if (length < kChunkSize) {
        for (size_t i = 0; i < length && converted; ++i) {
            converted = convert(i);
        }
    } else {
        for (size_t at = 0; at < length && converted; at += kChunkSize) {
            const size_t start = std::min(at, length - kChunkSize);
            const Mask special = SpecialsIn(text + start);
            std::uint64_t halves[2];
            std::memcpy(halves, &special, sizeof halves);
            for (size_t half = 0; half < 2 && converted; ++half) {
                if (halves[half] == 0) {
                    continue;  // eight plain characters
                }
                for (size_t i = half * kHalfSize; i < (half + 1) * kHalfSize && converted; ++i) {
                    converted = special[i] == 0 || convert(start + i);
                }
            }
        }
    }
    if (!converted) {
        result.error = ERROR_INVALID_NAME;
        result.path.clear();
        return result;
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

// The path's components without the empty ones that repeated and trailing
// separators leave.
std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> components;
    size_t pos = 0;
    while (pos < path.size()) {
        size_t end = path.find('/', pos);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > pos) {
            components.push_back(path.substr(pos, end - pos));
        }
        pos = end + 1;
    }
    return components;
}

// Appends a component, with a separator unless the path is empty or ends
// with one.
void Append(std::string& path, std::string_view component) {
    if (!path.empty() && path.back() != '/') {
        path.push_back('/');
    }
    path.append(component);
}

// ResolveCase of a path that does not exist under its exact name. When the
// path's directory was looked at on the way, `directory` receives its status.
std::string ResolveMissing(const std::string& nativePath, struct stat* directory = nullptr,
                           bool* directoryKnown = nullptr) {
    const std::vector<std::string_view> components = Components(nativePath);
    const std::string root = nativePath[0] == '/' ? "/" : "";
    // Mostly only the last component is missing: when its directory exists,
    // every component before it exists under its exact name, since the
    // system reaches a path through each of its prefixes.
    // (stat() rather than lstat(): a parent that only exists as a dangling
    // link takes the walk below, which keeps it as it is.) Its status then
    // serves the lookup of the last component.
    size_t known = 0;
    struct stat parentStatus;
    if (components.size() > 1) {
        std::string parent = root;
        for (size_t i = 0; i + 1 < components.size(); ++i) {
            Append(parent, components[i]);
        }
        if (stat(parent.c_str(), &parentStatus) == 0) {
            known = components.size() - 1;
            if (directory != nullptr && directoryKnown != nullptr) {
                *directory = parentStatus;
                *directoryKnown = true;
            }
        }
    }
    std::string resolved = root;
    bool matching = true;
    for (size_t i = 0; i < components.size(); ++i) {
        const std::string_view component = components[i];
        std::string next = resolved;
        Append(next, component);
        // The whole path as given is known to be missing.
        if (matching && i >= known && component != "." && component != ".." &&
            (next == nativePath || !Exists(next))) {
            const std::string match =
                FindEntryNoCase(resolved.empty() ? "." : resolved, std::string(component),
                                known > 0 && i == known ? &parentStatus : nullptr);
            if (match.empty()) {
                matching = false;
            } else {
                next = resolved;
                Append(next, match);
            }
        }
        resolved = std::move(next);
    }
    if (nativePath.back() == '/' && resolved.back() != '/') {
        resolved.push_back('/');
    }
    return resolved;
}

}  // namespace

std::string ResolveCase(const std::string& nativePath) {
    if (nativePath.empty() || Exists(nativePath)) {
        return nativePath;
    }
    return ResolveMissing(nativePath);
}

bool StatUnnamed(const std::string& nativePath, PathStatus& looked) {
    const std::size_t slash = nativePath.rfind('/');
    if (slash == std::string::npos || slash + 1 == nativePath.size() ||
        nativePath.find("//") != std::string::npos || nativePath.find("/./") != std::string::npos ||
        nativePath.find("/../") != std::string::npos) {
        return false;
    }
    const std::string_view name = std::string_view(nativePath).substr(slash + 1);
    if (name == "." || name == "..") {
        return false;
    }
    const std::string directory = slash == 0 ? "/" : nativePath.substr(0, slash);
    struct stat directoryStatus;
    if (stat(directory.c_str(), &directoryStatus) != 0 || !S_ISDIR(directoryStatus.st_mode) ||
        !FindEntryNoCase(directory, std::string(name), &directoryStatus).empty()) {
        return false;
    }
    looked = PathStatus();
    looked.path = nativePath;
    looked.directoryKnown = true;
    looked.directory = directoryStatus;
    errno = ENOENT;
    return true;
}

PathStatus StatResolved(std::string nativePath) {
    PathStatus result;
    if (nativePath.empty()) {
        result.exists = stat(nativePath.c_str(), &result.status) == 0;
        return result;
    }
    if (lstat(nativePath.c_str(), &result.status) == 0) {
        // Only a link needs a second look, at what it points to.
        result.named = true;
        result.exists =
            !S_ISLNK(result.status.st_mode) || stat(nativePath.c_str(), &result.status) == 0;
        result.path = std::move(nativePath);
        return result;
    }
    return StatResolvedMissing(std::move(nativePath), errno);
}

PathStatus StatResolvedMissing(std::string nativePath, int missing) {
    if (nativePath.empty()) {
        return StatResolved(std::move(nativePath));
    }
    PathStatus result;
    result.path = ResolveMissing(nativePath, &result.directory, &result.directoryKnown);
    if (result.path == nativePath) {
        // Nothing else matched: stat() fails as lstat() did, for the same
        // reason, since the two differ only at a last component that is a
        // link.
        errno = missing;
        return result;
    }
    result.exists = stat(result.path.c_str(), &result.status) == 0;
    if (!result.exists) {
        const int err = errno;
        struct stat link;
        result.named = lstat(result.path.c_str(), &link) == 0;
        errno = err;
    } else {
        result.named = true;
    }
    return result;
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

DWORD ErrorFromErrno(int err, const std::string& nativePath, const struct stat* dirStatus) {
    switch (err) {
        case 0:
            return ERROR_SUCCESS;
        case ENOENT: {
            if (nativePath.empty()) {
                return ERROR_FILE_NOT_FOUND;
            }
            if (dirStatus != nullptr) {
                return S_ISDIR(dirStatus->st_mode) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
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
