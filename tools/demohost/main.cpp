// vedrix-demohost: loads the dialog module by name, resolves its exported
// functions and calls them the way the CAD host does.
//
//   vedrix-demohost <project directory> <level list file> [language]
//
// The host's state (setup directory, folders) comes from the host's own
// configuration. Without a person in front of the screen every dialog is
// cancelled as soon as it is idle, so the run shows the launch of each
// entry point and the result it hands back.
#include <windows.h>

#include <cstdio>
#include <cstring>

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

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: vedrix-demohost <project directory> <level list file> "
                     "[language]\n");
        return 2;
    }
    const char* directory = argv[1];
    const char* structure = argv[2];
    const char* language = argc > 3 ? argv[3] : "en";

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
    std::printf("tb_list_browser: %d\n",
                listBrowser(nullptr, language, directory, "", structure, ""));
    std::printf("tb_selprj: %d\n", selectBuilding(nullptr, language, directory, "", structure));
    char picked[100] = {};
    const int viewResult = viewSelect(nullptr, 0, language, directory, "", structure, 0, 2, picked);
    std::printf("tb_fman_ViewSelect: %d, picked \"%s\"\n", viewResult, picked);
    HMODULE facility = ::LoadLibraryA("Zelkar_FMAN10.dll");
    std::printf("tb_fman_browser: %d\n",
                fmBrowser(nullptr, facility, language, directory, "", structure, ""));
    if (facility != nullptr) {
        ::FreeLibrary(facility);
    }
    std::printf("tb_setIFCActive(0): %d\n", setIfcActive(0));
    ::FreeLibrary(module);
    return 0;
}
