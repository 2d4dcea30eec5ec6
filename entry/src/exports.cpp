// The six exported functions. Each runs in the module's own framework state,
// installs the language resource library, prepares the project and runs one
// modal dialog; nothing thrown inside ever reaches the host.
#include <vedrix/vedrix.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>

#include "fman_listbrowse_dlg.h"
#include "fman_view_select_dlg.h"
#include "launch.h"
#include "listbrowse_dlg.h"
#include "selbuilding_dlg.h"
#include "vedrix_app.h"

using namespace vedrix::entry;

namespace {

// Runs `body`; a failure inside it gives `failed` instead of leaving the module.
template <typename Body>
int guarded(int failed, Body body) {
    try {
        return body();
    } catch (...) {
        return failed;
    }
}

// Makes the module's own state current and its instance the resource handle,
// for the rest of the call.
void enterModule() {
    AfxSetResourceHandle(vedrixApp().m_hInstance);
}

// Leaves the application's FM project directory and the current FM browser
// empty when an FM dialog ends, however it ends.
struct FmCallScope {
    explicit FmCallScope(const char* directory) {
        vedrixApp().m_csFmProjectDir = directory != nullptr ? directory : "";
    }
    ~FmCallScope() {
        vedrixApp().m_csFmProjectDir.Empty();
        vedrixApp().m_pFmBrowser = nullptr;
    }
    FmCallScope(const FmCallScope&) = delete;
    FmCallScope& operator=(const FmCallScope&) = delete;
};

// A library handle freed when the call ends, however it ends.
struct LibraryRelease {
    void operator()(HMODULE library) const { ::FreeLibrary(library); }
};
using LoadedLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryRelease>;

// Clears one of the application's current-dialog slots when the call ends.
template <typename Dialog>
struct CurrentDialog {
    CurrentDialog(Dialog*& slot, Dialog* dialog) : m_slot(slot) { m_slot = dialog; }
    ~CurrentDialog() { m_slot = nullptr; }
    CurrentDialog(const CurrentDialog&) = delete;
    CurrentDialog& operator=(const CurrentDialog&) = delete;
    Dialog*& m_slot;
};

// The language library and then vedada.dll; null when either is missing
// (the person has been told which).
HMODULE loadLibraries(const char* language, bool trySetupDirectory) {
    if (loadLanguageLibrary(language, trySetupDirectory) == nullptr) {
        return nullptr;
    }
    return loadNameLibrary();
}

// What the browsers receive from the launch.
template <typename Dialog>
void handOver(Dialog& dialog, HMODULE names, const char* directory, const char* title,
              const char* structure) {
    dialog.m_hNameLib = names;
    dialog.m_csDirectory = directory != nullptr ? directory : "";
    dialog.m_csTitle = displayTitle(title);
    dialog.m_csStructureName = structure != nullptr ? structure : "";
    dialog.m_csHreName = hierarchyFileName(structure);
}

}  // namespace

VEDRIX_EXPORT int WINAPIV tb_list_browser(HWND parent, const char* language, const char* directory,
                                          const char* title, const char* structure,
                                          const char* helpFile) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return guarded(0, [&] {
        enterModule();
        vedrixApp().SetHelpFilePath(helpFile);
        LoadedLibrary names(loadLibraries(language, true));
        if (names == nullptr) {
            return 0;
        }
        CListbrowseDlg dialog(CWnd::FromHandle(parent));
        CurrentDialog current(vedrixApp().m_pListBrowser, &dialog);
        handOver(dialog, names.get(), directory, title, structure);
        vedrixApp().m_nAttribMenu = attributeMenuSetting();
        dialog.m_pAttribMenu = &vedrixApp().m_nAttribMenu;
        const TemplateCopy copy = copyTemplateIfMissing(directory, dialog.m_csHreName);
        if (copy.failed) {
            reportCopyFailure(parent, copy);
        }
        return static_cast<int>(dialog.DoModal());
    });
}

VEDRIX_EXPORT int WINAPIV tb_selprj(HWND parent, const char* language, const char* directory,
                                    const char* title, const char* structure) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return guarded(0, [&] {
        enterModule();
        LoadedLibrary names(loadLibraries(language, false));
        if (names == nullptr) {
            return 0;
        }
        CSelBuildingDlg dialog(CWnd::FromHandle(parent));
        handOver(dialog, names.get(), directory, title, structure);
        const TemplateCopy copy = copyTemplateIfMissing(directory, dialog.m_csHreName);
        if (copy.failed) {
            reportCopyFailure(parent, copy);
        }
        dialog.DoModal();
        return static_cast<int>(dialog.m_nChosenLevel);
    });
}

VEDRIX_EXPORT int WINAPIV tb_fman_ViewSelect(HWND parent, int /*unused2*/, const char* language,
                                             const char* directory, const char* title,
                                             const char* structure, int /*unused7*/, int mode,
                                             char* picked) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return guarded(0, [&] {
        enterModule();
        if (loadLanguageLibrary(language, true) == nullptr) {
            return 0;
        }
        if (picked != nullptr) {
            std::strcpy(picked, "0");
        }
        FmCallScope scope(directory);
        CFmanViewSelectDlg dialog(CWnd::FromHandle(parent));
        dialog.m_csDirectory = directory != nullptr ? directory : "";
        dialog.m_csTitle = displayTitle(title);
        dialog.m_csHreName = hierarchyFileName(structure);
        dialog.m_nMode = mode;
        const int result = static_cast<int>(dialog.DoModal());
        if (result == IDOK && picked != nullptr) {
            std::memcpy(picked, dialog.m_szPickedId, sizeof dialog.m_szPickedId);
            picked[99] = '\0';
        }
        return result;
    });
}

VEDRIX_EXPORT int WINAPIV tb_fman_browser(HWND parent, HMODULE facility, const char* language,
                                          const char* directory, const char* title,
                                          const char* structure, const char* helpFile) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return guarded(0, [&] {
        enterModule();
        vedrixApp().SetHelpFilePath(helpFile);
        LoadedLibrary names(loadLibraries(language, true));
        if (names == nullptr) {
            return 0;
        }
        CFmanListbrowseDlg dialog(CWnd::FromHandle(parent));
        CurrentDialog current(vedrixApp().m_pFmBrowser, &dialog);
        handOver(dialog, names.get(), directory, title, structure);
        dialog.m_hFacilityLib = facility;
        const TemplateCopy copy = copyTemplateIfMissing(directory, dialog.m_csHreName);
        if (copy.failed) {
            reportCopyFailureAfx(copy);
        }
        FmCallScope scope(directory);
        return static_cast<int>(dialog.DoModal());
    });
}

VEDRIX_EXPORT int WINAPIV tb_enableattrib() {
    return 1;
}

VEDRIX_EXPORT int WINAPIV tb_setIFCActive(int active) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    const int previous = vedrixApp().m_nIFCActive;
    vedrixApp().m_nIFCActive = active;
    return previous;
}
