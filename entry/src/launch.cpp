#include "launch.h"

#include "browser_resources.h"

#include <io.h>

#include <cstring>

#include <zelkar/reg.h>
#include <zelkar/utility_general.h>
#include <zelkar/utility_language.h>
#include <zelkar/vedada.h>

namespace vedrix::entry {
namespace {

// The host's setup directory of kind "Program"; empty when it has none.
CString programDirectory() {
    char dir[256] = {};
    if (!ZSYST_ZelRegGetSetupPath("Program", dir)) {
        return CString();
    }
    dir[sizeof dir - 1] = '\0';
    return CString(dir);
}

}  // namespace

HINSTANCE loadLanguageLibrary(const char* language, bool trySetupDirectory) {
    CString tried;
    tried.Format("vedr_%s.dll", language != nullptr ? language : "");
    HINSTANCE library = ::LoadLibraryA(tried);
    if (library == nullptr && trySetupDirectory) {
        const CString setup = programDirectory();
        if (!setup.IsEmpty()) {
            tried = setup + "\\" + tried;
            library = ::LoadLibraryA(tried);
        }
    }
    if (library == nullptr) {
        CString text = tried;
        text.MakeUpper();
        text += " not found";
        ::MessageBoxA(nullptr, text, kLaunchCaption, MB_ICONHAND | MB_TASKMODAL);
        return nullptr;
    }
    AfxSetResourceHandle(library);
    return library;
}

HMODULE loadNameLibrary() {
    CString tried = VEDADA_LIBRARY_NAME;
    HMODULE library = ::LoadLibraryA(tried);
    if (library == nullptr) {
        const CString setup = programDirectory();
        if (!setup.IsEmpty()) {
            tried.Format("%s\\%s", static_cast<LPCSTR>(setup), VEDADA_LIBRARY_NAME);
            library = ::LoadLibraryA(tried);
        }
    }
    if (library == nullptr) {
        const CString text = vedrix::browser::textWithArgument(2015, tried);
        ::MessageBeep(MB_ICONHAND);
        ::MessageBoxA(nullptr, text, nullptr, MB_ICONHAND);
    }
    return library;
}

CString hierarchyFileName(const char* structure) {
    CString name = structure != nullptr ? structure : "";
    const int dot = name.Find('.');
    if (dot >= 0) {
        name = name.Left(dot);
    }
    return name + ".hre";
}

CString directoryPrefix(const char* directory) {
    CString prefix = directory != nullptr ? directory : "";
    if (!prefix.IsEmpty() && prefix[prefix.GetLength() - 1] != '\\') {
        prefix += '\\';
    }
    return prefix;
}

TemplateCopy copyTemplateIfMissing(const char* directory, const CString& hierarchyName) {
    const CString prefix = directoryPrefix(directory);
    TemplateCopy copy;
    copy.hierarchyPath = prefix + hierarchyName;
    copy.templatePath = prefix + "listunit.def";
    if (_access(copy.hierarchyPath, 0) != 0) {
        // The host keeps these paths in buffers of 200 characters: a longer
        // one is refused rather than cut into another file's name.
        const bool fits = copy.hierarchyPath.GetLength() < kMaxStructurePath &&
                          copy.templatePath.GetLength() < kMaxStructurePath;
        copy.failed = !fits || !::CopyFileA(copy.templatePath, copy.hierarchyPath, TRUE);
    }
    return copy;
}

void reportCopyFailure(HWND parent, const TemplateCopy& copy) {
    const CString text =
        "Error copying file \n<" + copy.templatePath + "> \nto \n<" + copy.hierarchyPath + "> !";
    ::MessageBoxA(parent, text, kLaunchCaption, MB_ICONHAND | MB_TASKMODAL);
}

void reportCopyFailureAfx(const TemplateCopy& copy) {
    const CString text =
        "Error copying file <" + copy.templatePath + "> to <" + copy.hierarchyPath + "> !";
    AfxMessageBox(text);
}

CString displayTitle(const char* title) {
    CString shown = title != nullptr ? title : "";
    if (shown.IsEmpty()) {
        shown.LoadString(2017);
    }
    char* buffer = shown.GetBuffer(shown.GetLength());
    AsciiTextToIso(buffer, buffer);
    shown.ReleaseBuffer();
    return shown;
}

int attributeMenuSetting() {
    int value = 0;
    if (ZelRegGetNumber(kAttributeMenuSection, kAttributeMenuKey, &value) != 0) {
        return 0;
    }
    return value != 0 ? 1 : 0;
}

}  // namespace vedrix::entry
