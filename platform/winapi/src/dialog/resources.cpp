// Resource lookup over the modules' resource tables, and the resource
// functions of the API (FindResourceA and friends, LoadStringA).
//
// The table of a module is found through GetProcAddress(module,
// "VedrixResourceTable"); for a null module, the running program's own
// exported table. Resources are numbered; a string name must be "#<number>".
// RT_GROUP_ICON and RT_GROUP_CURSOR find the RT_ICON and RT_CURSOR entries of
// the same number (a resource table keeps one image per icon). An HRSRC is
// the address of the table entry; LoadResource and LockResource give the
// entry's data (for RT_DIALOG a VedrixDialogTemplate, which the *Indirect*
// dialog functions recognise).
#include "dialog/resources.h"

#include "user/window_manager.h"

#include <dlfcn.h>

#include <cstring>
#include <set>
#include <vector>

#pragma weak GetProcAddress

namespace vedrix::winapi {

namespace {

constexpr WORD kCursor = 1;
constexpr WORD kIcon = 3;
constexpr WORD kDialog = 5;
constexpr WORD kString = 6;
constexpr WORD kGroupCursor = 12;
constexpr WORD kGroupIcon = 14;

struct ResourceState {
    std::set<const VedrixResource*> handedOut;
    std::map<const void*, WORD> dialogTemplates;
};

ResourceState& resourceState() {
    static ResourceState* s = new ResourceState;
    return *s;
}

void* lookupSymbol(HMODULE module) {
    FARPROC (*volatile getProc)(HMODULE, LPCSTR) = &GetProcAddress;
    if (getProc) {
        FARPROC f = getProc(module, "VedrixResourceTable");
        void* p = nullptr;
        static_assert(sizeof(p) == sizeof(f));
        std::memcpy(&p, &f, sizeof(p));
        return p;
    }
    // Without the kernel part: the module handle is the loader's handle.
    static void* self = dlopen(nullptr, RTLD_LAZY);
    return dlsym(module ? static_cast<void*>(module) : self, "VedrixResourceTable");
}

}  // namespace

bool programHasResourceTable();

const VedrixResourceDirectory* resourceTable(HMODULE module) {
    if (!module && !programHasResourceTable()) {
        return nullptr;
    }
    void* symbol = lookupSymbol(module);
    if (!symbol) {
        return nullptr;
    }
    VedrixResourceTableProc proc;
    std::memcpy(&proc, &symbol, sizeof(proc));
    const VedrixResourceDirectory* table = proc();
    if (!table || table->version != 1 || (table->count && !table->entries)) {
        return nullptr;
    }
    return table;
}

const VedrixResource* findResource(HMODULE module, WORD type, WORD id) {
    const VedrixResourceDirectory* table = resourceTable(module);
    if (!table) {
        return nullptr;
    }
    if (type == kGroupIcon) {
        type = kIcon;
    } else if (type == kGroupCursor) {
        type = kCursor;
    }
    for (DWORD i = 0; i < table->count; ++i) {
        const VedrixResource& r = table->entries[i];
        if (r.type == type && r.id == id) {
            if (type == kDialog && r.data) {
                resourceState().dialogTemplates[r.data] = id;
            }
            return &r;
        }
    }
    return nullptr;
}

bool resourceNumber(LPCSTR name, WORD* number) {
    if (!name) {
        return false;
    }
    if (IS_INTRESOURCE(name)) {
        *number = LOWORD(reinterpret_cast<ULONG_PTR>(name));
        return true;
    }
    if (name[0] != '#' || !name[1]) {
        return false;
    }
    unsigned long v = 0;
    for (const char* p = name + 1; *p; ++p) {
        if (*p < '0' || *p > '9') {
            return false;
        }
        v = v * 10 + static_cast<unsigned long>(*p - '0');
        if (v > 0xFFFF) {
            return false;
        }
    }
    *number = static_cast<WORD>(v);
    return true;
}

bool dialogTemplateId(const void* data, WORD* id) {
    auto& m = resourceState().dialogTemplates;
    auto it = m.find(data);
    if (it == m.end()) {
        return false;
    }
    *id = it->second;
    return true;
}

}  // namespace vedrix::winapi

using namespace vedrix::winapi;

extern "C" {

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    WORD type = 0;
    WORD id = 0;
    if (!resourceNumber(lpType, &type)) {
        setLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    if (!resourceNumber(lpName, &id)) {
        setLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    if (!resourceTable(hModule)) {
        setLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    const VedrixResource* r = findResource(hModule, type, id);
    if (!r) {
        setLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    resourceState().handedOut.insert(r);
    return reinterpret_cast<HRSRC>(const_cast<VedrixResource*>(r));
}

BOOL WINAPI EnumResourceNamesA(HMODULE hModule, LPCSTR lpType, ENUMRESNAMEPROCA lpEnumFunc,
                               LONG_PTR lParam) {
    WORD type = 0;
    if (!lpEnumFunc) {
        setLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!resourceNumber(lpType, &type)) {
        setLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return FALSE;
    }
    const VedrixResourceDirectory* table = resourceTable(hModule);
    if (!table) {
        setLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return FALSE;
    }
    const WORD stored = type == kGroupIcon ? kIcon : type == kGroupCursor ? kCursor : type;
    // The table is sorted by type, then number, so each name comes once and
    // in ascending order when repeats are dropped as they come.
    std::vector<WORD> names;
    for (DWORD i = 0; i < table->count; ++i) {
        const VedrixResource& r = table->entries[i];
        if (r.type != stored) {
            continue;
        }
        const WORD name = type == kString ? static_cast<WORD>(r.id / 16 + 1) : r.id;
        if (names.empty() || names.back() != name) {
            names.push_back(name);
        }
    }
    if (names.empty()) {
        setLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return FALSE;
    }
    for (WORD name : names) {
        if (!lpEnumFunc(hModule, lpType, MAKEINTRESOURCEA(name), lParam)) {
            setLastError(ERROR_RESOURCE_ENUM_USER_STOP);
            return FALSE;
        }
    }
    return TRUE;
}

HRSRC WINAPI FindResourceExA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD) {
    return FindResourceA(hModule, lpName, lpType);
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC hResInfo) {
    auto* r = reinterpret_cast<const VedrixResource*>(hResInfo);
    if (!r || !resourceState().handedOut.count(r)) {
        setLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return const_cast<void*>(r->data);
}

LPVOID WINAPI LockResource(HGLOBAL hResData) {
    return hResData;
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC hResInfo) {
    auto* r = reinterpret_cast<const VedrixResource*>(hResInfo);
    if (!r || !resourceState().handedOut.count(r)) {
        setLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return 0;
    }
    return r->size;
}

BOOL WINAPI FreeResource(HGLOBAL) {
    return FALSE;
}

// Copies at most cchBufferMax - 1 characters and a terminating zero and
// returns the number copied. A buffer size of 0 (which only the wide variant
// of the platform gives a meaning to) copies nothing and returns 0; so does a
// missing string, after emptying the buffer.
int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
    if (!lpBuffer || cchBufferMax <= 0) {
        setLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const VedrixResource* r =
        uID <= 0xFFFF ? findResource(hInstance, kString, static_cast<WORD>(uID)) : nullptr;
    if (!r || !r->data) {
        lpBuffer[0] = '\0';
        setLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    const char* text = static_cast<const char*>(r->data);
    size_t n = std::min(std::strlen(text), static_cast<size_t>(cchBufferMax - 1));
    std::memcpy(lpBuffer, text, n);
    lpBuffer[n] = '\0';
    return static_cast<int>(n);
}

}  // extern "C"
