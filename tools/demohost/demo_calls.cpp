// The demo host's calls of the module's exports.
#include "demo_calls.h"

#include <windows.h>

#include <cstdio>

namespace vedrix::demohost {

namespace {

using ListBrowser = int(WINAPIV*)(HWND, const char*, const char*, const char*, const char*,
                                  const char*);
using SelectBuilding = int(WINAPIV*)(HWND, const char*, const char*, const char*, const char*);
using ViewSelect = int(WINAPIV*)(HWND, int, const char*, const char*, const char*, const char*, int,
                                 int, char*);
using FmBrowser = int(WINAPIV*)(HWND, HMODULE, const char*, const char*, const char*, const char*,
                                const char*);
using EnableAttrib = int(WINAPIV*)();
using SetIfcActive = int(WINAPIV*)(int);

// The export `name` of `module` as a function of type T; null, with a
// message, when the module lacks it.
template <typename T>
T resolve(HMODULE module, const char* name) {
    FARPROC address = ::GetProcAddress(module, name);
    if (address == nullptr) {
        std::printf("Function: <%s> in %s not found !\n", name, "vedrix.dll");
    }
    // (through the generic function type, which every function type casts to)
    return reinterpret_cast<T>(reinterpret_cast<void (*)()>(address));
}

}  // namespace

int callEachExport(const char* directory, const char* structure, const char* language,
                   const BeforeCall& before) {
    // (flushed first, so that what the host prints and what the dialogs'
    // watcher prints keep their order)
    const BeforeCall tell = [&before](const char* name) {
        std::fflush(stdout);
        if (before) {
            before(name);
        }
    };
    HMODULE module = ::LoadLibraryA("vedrix.dll");
    if (module == nullptr) {
        std::fprintf(stderr, "vedrix.dll could not be loaded (error %lu)\n",
                     static_cast<unsigned long>(::GetLastError()));
        return 1;
    }
    auto listBrowser = resolve<ListBrowser>(module, "tb_list_browser");
    auto selectBuilding = resolve<SelectBuilding>(module, "tb_selprj");
    auto viewSelect = resolve<ViewSelect>(module, "tb_fman_ViewSelect");
    auto fmBrowser = resolve<FmBrowser>(module, "tb_fman_browser");
    auto enableAttrib = resolve<EnableAttrib>(module, "tb_enableattrib");
    auto setIfcActive = resolve<SetIfcActive>(module, "tb_setIFCActive");
    if (!listBrowser || !selectBuilding || !viewSelect || !fmBrowser || !enableAttrib ||
        !setIfcActive) {
        ::FreeLibrary(module);
        return 1;
    }

    std::printf("tb_enableattrib: %d\n", enableAttrib());
    std::printf("tb_setIFCActive(1): %d\n", setIfcActive(1));
    tell("tb_list_browser");
    const int listResult = listBrowser(nullptr, language, directory, "", structure, "");
    std::printf("tb_list_browser: %d\n", listResult);
    tell("tb_selprj");
    const int selectResult = selectBuilding(nullptr, language, directory, "", structure);
    std::printf("tb_selprj: %d\n", selectResult);
    char picked[100] = {};
    tell("tb_fman_ViewSelect");
    const int viewResult = viewSelect(nullptr, 0, language, directory, "", structure, 0, 2, picked);
    std::printf("tb_fman_ViewSelect: %d, picked \"%s\"\n", viewResult, picked);
    HMODULE facility = ::LoadLibraryA("Zelkar_FMAN10.dll");
    tell("tb_fman_browser");
    const int fmResult = fmBrowser(nullptr, facility, language, directory, "", structure, "");
    std::printf("tb_fman_browser: %d\n", fmResult);
    if (facility != nullptr) {
        ::FreeLibrary(facility);
    }
    std::printf("tb_setIFCActive(0): %d\n", setIfcActive(0));
    std::fflush(stdout);
    ::FreeLibrary(module);
    return 0;
}

}  // namespace vedrix::demohost
