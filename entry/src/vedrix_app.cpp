#include "vedrix_app.h"

#include <vedrix/model/drawing_file_directory.h>

#include "listbrowse_dlg.h"

BEGIN_MESSAGE_MAP(CVedrixApp, CWinApp)
ON_COMMAND(32772, OnAttributeCommand)
END_MESSAGE_MAP()

namespace {
// The module's own instance handle: the library this code lives in.
HINSTANCE ownInstance() {
    HMODULE module = nullptr;
    ::GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&ownInstance), &module);
    return module;
}

// Where the running dialog's drawing files lie: the FM project directory
// while an FM dialog runs, else the project directory of the list browser.
CString drawingFileDirectory() {
    if (!vedrixApp().m_csFmProjectDir.IsEmpty()) {
        return vedrixApp().m_csFmProjectDir;
    }
    if (vedrixApp().m_pListBrowser != nullptr) {
        return vedrixApp().m_pListBrowser->m_csDirectory;
    }
    return CString();
}
}  // namespace

CVedrixApp::CVedrixApp() : CWinApp("vedrix") {
    // The base class registered the object with the state in force while the
    // library loads, which is the host's; the module's dialogs run in the
    // module's own state.
    AFX_MODULE_STATE* loading = AfxGetModuleState();
    AFX_MODULE_STATE* own = AfxGetStaticModuleState();
    if (loading != own && loading->m_pCurrentWinApp == this) {
        loading->m_pCurrentWinApp = nullptr;
    }
    m_hInstance = ownInstance();
    AttachToModuleState(own);
    vedrix::model::setDrawingFileDirectorySource(&drawingFileDirectory);
}

CVedrixApp::~CVedrixApp() {
    vedrix::model::setDrawingFileDirectorySource(nullptr);
    AFX_MODULE_STATE* own = AfxGetStaticModuleState();
    if (own->m_pCurrentWinApp == this) {
        own->m_pCurrentWinApp = nullptr;
    }
}

void CVedrixApp::OnAttributeCommand() {
    if (m_pListBrowser != nullptr) {
        m_pListBrowser->SendMessage(WM_COMMAND, 32772, 0);
    }
}

namespace {
CVedrixApp theApp;
}  // namespace

CVedrixApp& vedrixApp() {
    return theApp;
}
