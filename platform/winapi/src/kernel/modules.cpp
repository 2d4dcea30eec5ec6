// Modules over the system's dynamic loader. An HMODULE is the handle that
// dlopen gives; GetModuleHandleA(NULL) is dlopen(nullptr). Libraries are
// loaded with RTLD_LOCAL so that two modules never see each other's symbols,
// as on the platform.
#include "kernel/modules.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <windows.h>

#include "kernel/name_index.h"
#include "kernel/paths.h"

namespace vedrix::winapi::kernel {
namespace {

thread_local std::string t_loaderMessage;

// References taken through LoadLibraryA/LoadLibraryExA, by handle.
std::map<void*, int>& LoadedLibraries() {
    static auto* const loaded = new std::map<void*, int>;
    return *loaded;
}

void* ProgramHandle() {
    static void* const handle = dlopen(nullptr, RTLD_NOW);
    return handle;
}

std::string ProgramPath() {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) {
        return std::string();
    }
    return std::string(buffer, static_cast<size_t>(length));
}

link_map* LinkMapOf(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0) {
        return nullptr;
    }
    return map;
}

// Every object the loader has loaded, the program first.
std::vector<link_map*> LoadedObjects() {
    std::vector<link_map*> objects;
    link_map* map = LinkMapOf(ProgramHandle());
    while (map != nullptr && map->l_prev != nullptr) {
        map = map->l_prev;
    }
    for (; map != nullptr; map = map->l_next) {
        objects.push_back(map);
    }
    return objects;
}

// True for handles that name a loaded object: the program, libraries loaded
// here, and any other object the loader holds (its handle is its link map).
bool IsModuleHandle(void* handle) {
    if (handle == nullptr) {
        return false;
    }
    if (handle == ProgramHandle() || LoadedLibraries().count(handle) != 0) {
        return true;
    }
    for (link_map* map : LoadedObjects()) {
        if (static_cast<void*>(map) == handle) {
            return true;
        }
    }
    return false;
}

// The symbol if the module itself defines it (not one of its dependencies).
void* OwnSymbol(void* handle, const char* name, std::string* message) {
    dlerror();
    void* symbol = dlsym(handle, name);
    if (symbol == nullptr) {
        if (message != nullptr) {
            const char* error = dlerror();
            *message = error != nullptr ? error : std::string("undefined symbol: ") + name;
        }
        return nullptr;
    }
    Dl_info info;
    void* owner = nullptr;
    if (dladdr1(symbol, &info, &owner, RTLD_DL_LINKMAP) == 0 || owner != LinkMapOf(handle)) {
        if (message != nullptr) {
            *message = std::string("symbol ") + name + " is not defined by the module itself";
        }
        return nullptr;
    }
    return symbol;
}

// The library name as the platform reads it: separators turned to "/", ".dll"
// appended when the file name has no extension, a trailing "." removed.
bool LibraryName(const char* name, std::string& native) {
    NativePath converted = ToNative(name);
    if (!converted.ok) {
        SetLastError(converted.error == ERROR_PATH_NOT_FOUND ? ERROR_MOD_NOT_FOUND
                                                             : converted.error);
        t_loaderMessage =
            std::string(name != nullptr ? name : "(null)") + ": not a library name on this system";
        return false;
    }
    native = converted.path;
    const std::string file = LastComponent(native);
    if (file.empty() || native.back() == '/') {
        SetLastError(ERROR_MOD_NOT_FOUND);
        t_loaderMessage = native + ": no file name";
        return false;
    }
    if (native.back() == '.') {
        native.pop_back();
    } else if (file.find('.') == std::string::npos) {
        native += ".dll";
    }
    return true;
}

bool IsRegularFile(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The file of that name in dir: the exact name, or else a case-insensitive
// match. "" when there is none.
std::string FindLibraryIn(const std::string& dir, const std::string& file) {
    const std::string base = dir.empty() ? "." : dir;
    const std::string exact = base + "/" + file;
    if (IsRegularFile(exact)) {
        return MakeAbsolute(exact);
    }
    const std::string match = FindEntryNoCase(base, file);
    if (!match.empty() && IsRegularFile(base + "/" + match)) {
        return MakeAbsolute(base + "/" + match);
    }
    return std::string();
}

std::vector<std::string> SearchDirectories() {
    std::vector<std::string> dirs;
    const std::string program = ProgramPath();
    if (!program.empty()) {
        dirs.push_back(DirectoryOf(program));
    }
    dirs.push_back(".");
    if (const char* path = std::getenv("PATH")) {
        std::string list = path;
        size_t pos = 0;
        while (pos <= list.size()) {
            size_t end = list.find(':', pos);
            if (end == std::string::npos) {
                end = list.size();
            }
            if (end > pos) {
                dirs.push_back(list.substr(pos, end - pos));
            }
            pos = end + 1;
        }
    }
    return dirs;
}

// Why a found file did not load, in the platform's terms.
DWORD LoadFailure(const std::string& path, const std::string& message) {
    std::ifstream file(path, std::ios::binary);
    char magic[4] = {};
    if (!file.read(magic, sizeof magic) || std::memcmp(magic, "\177ELF", 4) != 0) {
        return ERROR_BAD_EXE_FORMAT;
    }
    if (message.find("undefined symbol") != std::string::npos) {
        return ERROR_PROC_NOT_FOUND;
    }
    if (message.find("ELF") != std::string::npos ||
        message.find("file too short") != std::string::npos ||
        message.find("executable") != std::string::npos) {
        return ERROR_BAD_EXE_FORMAT;
    }
    return ERROR_MOD_NOT_FOUND;
}

HMODULE OpenLibrary(const std::string& path, DWORD flags) {
    const DWORD lazyFlags = DONT_RESOLVE_DLL_REFERENCES | LOAD_LIBRARY_AS_DATAFILE |
                            LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
    const int mode = ((flags & lazyFlags) != 0 ? RTLD_LAZY : RTLD_NOW) | RTLD_LOCAL;
    dlerror();
    void* handle = dlopen(path.c_str(), mode);
    if (handle == nullptr) {
        const char* error = dlerror();
        t_loaderMessage = error != nullptr ? error : path + ": cannot be loaded";
        SetLastError(LoadFailure(path, t_loaderMessage));
        return nullptr;
    }
    ++LoadedLibraries()[handle];
    t_loaderMessage.clear();
    return static_cast<HMODULE>(handle);
}

// A loaded object (not the program) whose file name, or whole path when
// byPath, equals name case-insensitively.
link_map* FindLoaded(const std::string& name, bool byPath) {
    const std::vector<link_map*> objects = LoadedObjects();
    for (link_map* map : objects) {
        if (map->l_name == nullptr || map->l_name[0] == '\0') {
            continue;
        }
        const std::string loaded = map->l_name;
        if (byPath ? EqualsNoCase(loaded, name) : EqualsNoCase(LastComponent(loaded), name)) {
            return map;
        }
    }
    return nullptr;
}

}  // namespace

const VedrixMessageEntry* ModuleMessageTable(HMODULE module) {
    void* handle = module != nullptr ? static_cast<void*>(module) : ProgramHandle();
    if (!IsModuleHandle(handle)) {
        return nullptr;
    }
    void* symbol = OwnSymbol(handle, VEDRIX_MESSAGE_TABLE_SYMBOL, nullptr);
    if (symbol == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<VedrixMessageTableProc>(symbol)();
}

}  // namespace vedrix::winapi::kernel

namespace vedrix::headless {

std::string LastLoaderMessage() {
    return vedrix::winapi::kernel::t_loaderMessage;
}

}  // namespace vedrix::headless

using namespace vedrix::winapi::kernel;

HMODULE WINAPI LoadLibraryExA(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags) {
    if (hFile != nullptr) {
        t_loaderMessage = "a file handle is not accepted";
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::string name;
    if (!LibraryName(lpLibFileName, name)) {
        return nullptr;
    }
    if (name.find('/') != std::string::npos) {
        // A directory part: that directory only.
        const std::string dir = ResolveCase(DirectoryOf(name));
        const std::string found = FindLibraryIn(dir, LastComponent(name));
        if (found.empty()) {
            t_loaderMessage = name + ": no such library";
            SetLastError(ERROR_MOD_NOT_FOUND);
            return nullptr;
        }
        return OpenLibrary(found, dwFlags);
    }
    // A module of that name that is loaded already is the one meant, wherever
    // the search would look now.
    if (link_map* loaded = FindLoaded(name, false)) {
        HMODULE module = OpenLibrary(loaded->l_name, dwFlags);
        if (module != nullptr) {
            return module;
        }
    }
    for (const std::string& dir : SearchDirectories()) {
        const std::string found = FindLibraryIn(dir, name);
        if (!found.empty()) {
            return OpenLibrary(found, dwFlags);
        }
    }
    t_loaderMessage = name + ": not found beside the program, in the current directory or in PATH";
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
    return LoadLibraryExA(lpLibFileName, nullptr, 0);
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    void* handle = hModule != nullptr ? static_cast<void*>(hModule) : ProgramHandle();
    if (!IsModuleHandle(handle)) {
        t_loaderMessage = "not a module handle";
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // Names below 0x10000 are ordinals, which shared objects do not have.
    if (reinterpret_cast<uintptr_t>(lpProcName) >> 16 == 0) {
        t_loaderMessage = "functions are found by name only";
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    std::string message;
    void* symbol = OwnSymbol(handle, lpProcName, &message);
    if (symbol == nullptr) {
        t_loaderMessage = message;
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    t_loaderMessage.clear();
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
    void* handle = hLibModule;
    if (handle == ProgramHandle()) {
        return TRUE;
    }
    if (!IsModuleHandle(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto& loaded = LoadedLibraries();
    auto it = loaded.find(handle);
    if (it == loaded.end()) {
        // Loaded by the program's own dependencies, not by LoadLibraryA.
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (--it->second == 0) {
        loaded.erase(it);
    }
    if (dlclose(handle) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    if (lpModuleName == nullptr) {
        return static_cast<HMODULE>(ProgramHandle());
    }
    std::string name;
    if (!LibraryName(lpModuleName, name)) {
        return nullptr;
    }
    const bool byPath = name.find('/') != std::string::npos;
    const std::string wanted = byPath ? MakeAbsolute(name) : name;
    const std::string program = ProgramPath();
    if (byPath ? EqualsNoCase(program, wanted) : EqualsNoCase(LastComponent(program), wanted)) {
        return static_cast<HMODULE>(ProgramHandle());
    }
    link_map* map = FindLoaded(wanted, byPath);
    if (map == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // The loader's handle for it, without keeping a reference.
    void* handle = dlopen(map->l_name, RTLD_LAZY | RTLD_NOLOAD);
    if (handle == nullptr) {
        return reinterpret_cast<HMODULE>(map);
    }
    dlclose(handle);
    return static_cast<HMODULE>(handle);
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    std::string path;
    void* handle = hModule != nullptr ? static_cast<void*>(hModule) : ProgramHandle();
    if (handle == ProgramHandle()) {
        path = ProgramPath();
    } else if (IsModuleHandle(handle)) {
        link_map* map = LinkMapOf(handle);
        path = map != nullptr && map->l_name != nullptr ? map->l_name : "";
    } else {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (lpFilename == nullptr || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() < nSize) {
        std::memcpy(lpFilename, path.c_str(), path.size() + 1);
        return static_cast<DWORD>(path.size());
    }
    // Truncated, but terminated, as the platform does.
    std::memcpy(lpFilename, path.data(), nSize - 1);
    lpFilename[nSize - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}

BOOL WINAPI GetModuleHandleExA(DWORD dwFlags, LPCSTR lpModuleName, HMODULE* phModule) {
    if (phModule == nullptr ||
        (dwFlags &
         (GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT)) ==
            (GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *phModule = nullptr;
    void* handle = nullptr;
    if ((dwFlags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) != 0) {
        Dl_info info;
        void* owner = nullptr;
        if (lpModuleName == nullptr || dladdr1(lpModuleName, &info, &owner, RTLD_DL_LINKMAP) == 0 ||
            owner == nullptr) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return FALSE;
        }
        link_map* map = static_cast<link_map*>(owner);
        if (map == LinkMapOf(ProgramHandle()) || map->l_name == nullptr || map->l_name[0] == '\0') {
            handle = ProgramHandle();
        } else {
            handle = dlopen(map->l_name, RTLD_LAZY | RTLD_NOLOAD);
            if (handle == nullptr) {
                handle = map;
            } else {
                dlclose(handle);
            }
        }
    } else {
        handle = GetModuleHandleA(lpModuleName);
        if (handle == nullptr) {
            return FALSE;
        }
    }
    if (handle != ProgramHandle() &&
        (dwFlags & GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT) == 0) {
        link_map* map = LinkMapOf(handle);
        const int mode = RTLD_LAZY | RTLD_NOLOAD |
                         ((dwFlags & GET_MODULE_HANDLE_EX_FLAG_PIN) != 0 ? RTLD_NODELETE : 0);
        if (map != nullptr && dlopen(map->l_name, mode) != nullptr &&
            (dwFlags & GET_MODULE_HANDLE_EX_FLAG_PIN) == 0) {
            ++LoadedLibraries()[handle];
        }
    }
    *phModule = static_cast<HMODULE>(handle);
    return TRUE;
}
