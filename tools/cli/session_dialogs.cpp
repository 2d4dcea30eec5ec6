// The dialogs a session can run, each opened through the module's export as
// the host calls it.
#include "session_dialogs.h"

#include <string>

#include <vedrix/vedrix.h>

namespace vedrix::cli {
namespace {

// The exports' function types, from their declarations (the module itself is
// loaded at run time, never linked).
using ListBrowser = decltype(&tb_list_browser);
using SelectBuilding = decltype(&tb_selprj);
using ViewSelect = decltype(&tb_fman_ViewSelect);
using FmBrowser = decltype(&tb_fman_browser);

// The export `name` of `module` as a function of type T; null when missing.
template <typename T>
T resolve(HMODULE module, const char* name) {
    // (through the generic function type, which every function type casts to)
    return reinterpret_cast<T>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

std::string dialogResult(int result) {
    switch (result) {
        case IDOK:
            return "OK";
        case IDCANCEL:
            return "Cancel";
        case 0:
            return "0 (a library could not be loaded)";
        case -1:
            return "-1 (the dialog could not be created)";
        default:
            return std::to_string(result);
    }
}

bool openListBrowser(HMODULE module, const DialogCall& call, std::string& outcome) {
    auto browse = resolve<ListBrowser>(module, "tb_list_browser");
    if (browse == nullptr) {
        return false;
    }
    outcome = "dialog result: " +
              dialogResult(browse(nullptr, call.language.c_str(), call.directory.c_str(),
                                  call.title.c_str(), call.structure.c_str(), ""));
    return true;
}

bool openBuildingSelection(HMODULE module, const DialogCall& call, std::string& outcome) {
    auto select = resolve<SelectBuilding>(module, "tb_selprj");
    if (select == nullptr) {
        return false;
    }
    const int chosen = select(nullptr, call.language.c_str(), call.directory.c_str(),
                              call.title.c_str(), call.structure.c_str());
    outcome = "chosen level: " + (chosen == 0 ? std::string("none") : std::to_string(chosen));
    return true;
}

bool openViewSelection(HMODULE module, const DialogCall& call, std::string& outcome) {
    auto select = resolve<ViewSelect>(module, "tb_fman_ViewSelect");
    if (select == nullptr) {
        return false;
    }
    // Mode 2: any view that is not locked may be picked.
    char picked[100] = {};
    const int result = select(nullptr, 0, call.language.c_str(), call.directory.c_str(),
                              call.title.c_str(), call.structure.c_str(), 0, 2, picked);
    picked[sizeof picked - 1] = '\0';
    outcome = "dialog result: " + dialogResult(result) + ", picked view: " + picked;
    return true;
}

bool openFacilityBrowser(HMODULE module, const DialogCall& call, std::string& outcome) {
    auto browse = resolve<FmBrowser>(module, "tb_fman_browser");
    if (browse == nullptr) {
        return false;
    }
    // The host's facility library, loaded by name as the host does.
    HMODULE facility = ::LoadLibraryA("Zelkar_FMAN10.dll");
    outcome = "dialog result: " +
              dialogResult(browse(nullptr, facility, call.language.c_str(), call.directory.c_str(),
                                  call.title.c_str(), call.structure.c_str(), ""));
    if (facility != nullptr) {
        ::FreeLibrary(facility);
    }
    return true;
}

}  // namespace

const std::vector<SessionDialog>& sessionDialogs() {
    static const std::vector<SessionDialog> dialogs{
        {"list-browser", "tb_list_browser", 101, 1001, 0, 1000, 1002, 1003, 1007, openListBrowser},
        {"select-building", "tb_selprj", 104, 0, 1020, 0, 0, IDOK, IDCANCEL, openBuildingSelection},
        {"fm-browser", "tb_fman_browser", 127, 1025, 0, 0, 1026, IDOK, 1007, openFacilityBrowser},
        {"view-select", "tb_fman_ViewSelect", 139, 1029, 0, 0, 0, IDOK, IDCANCEL,
         openViewSelection},
    };
    return dialogs;
}

const SessionDialog* findSessionDialog(const std::string& name) {
    for (const SessionDialog& dialog : sessionDialogs()) {
        if (name == dialog.name || name == dialog.exportName) {
            return &dialog;
        }
    }
    return nullptr;
}

}  // namespace vedrix::cli
