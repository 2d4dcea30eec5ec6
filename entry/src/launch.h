// The steps that every entry point takes before it runs its dialog: the
// language resource library, the name-lookup library, the hierarchy file.
#pragma once

#include <vedrix/framework/ui.h>

namespace vedrix::entry {

// The caption of the launch's own message boxes.
inline constexpr const char* kLaunchCaption = "TECTORA QX - TB-BROWSER";

// "vedr_" + language code + ".dll", loaded by name and, when
// `trySetupDirectory`, from the host's "Program" setup directory after that.
// Installs it as the module's resource library. Null, after telling the
// person which library is missing, when neither place has it.
HINSTANCE loadLanguageLibrary(const char* language, bool trySetupDirectory);

// vedada.dll by name, else from the host's "Program" setup directory; null,
// after telling the person, when neither has it.
HMODULE loadNameLibrary();

// The hierarchy file name that belongs to a level list file name: the name
// up to its first ".", then ".hre".
CString hierarchyFileName(const char* structure);

// The project directory ready to take a file name: a "\" added unless it
// already ends in one; an empty directory stays empty.
CString directoryPrefix(const char* directory);

// The longest a structure file's path may be, plus one.
inline constexpr int kMaxStructurePath = 200;

// What became of copying "listunit.def" to a missing hierarchy file.
struct TemplateCopy {
    CString templatePath;
    CString hierarchyPath;
    bool failed = false;
};

// Copies the project's "listunit.def" to the hierarchy file when there is
// none yet (never over an existing one); a path of kMaxStructurePath
// characters or more counts as a failed copy.
TemplateCopy copyTemplateIfMissing(const char* directory, const CString& hierarchyName);

// The browsers' report of a failed copy: a box owned by the host's window.
void reportCopyFailure(HWND parent, const TemplateCopy& copy);
// The facility-management browser's report: the framework's message box.
void reportCopyFailureAfx(const TemplateCopy& copy);

// The title the dialogs show: text 2017 for an empty one, converted to the
// display character set.
CString displayTitle(const char* title);

// The host's setting that offers the attribute editor in the list browser's
// context menu: a number in the host's settings, read each time the list
// browser opens; anything but a stored non-zero number leaves the menu off.
inline constexpr int kAttributeMenuSection = 1;
inline constexpr const char* kAttributeMenuKey = "Settings\\ListBrowser_AttributeMenu";
int attributeMenuSetting();

}  // namespace vedrix::entry
