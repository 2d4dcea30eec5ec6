// The module's dialogs that a session can run: the export that opens each,
// its dialog template and the controls a person uses in it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vedrix::cli {

// What the host hands to the export.
struct DialogCall {
    std::string language;
    std::string directory;
    std::string title;
    std::string structure;
};

struct SessionDialog {
    const char* name;        // as given on the command line
    const char* exportName;  // the module's export that opens it
    int templateId;          // the dialog template
    int tree;                // the structure tree; 0 when the dialog has none
    int items;               // the list of items to pick from (no tree); 0 when none
    int palette;             // the level-type palette; 0 when none
    int freeFiles;           // the free drawing files; 0 when none
    int okButton;
    int cancelButton;
    // Resolves the export in `module` and calls it as the host does; false
    // when the module lacks it. `outcome` describes what it handed back.
    bool (*open)(HMODULE module, const DialogCall& call, std::string& outcome);
};

// Every dialog a session can run, in the order the help lists them.
const std::vector<SessionDialog>& sessionDialogs();

// The dialog of that name; null when there is none.
const SessionDialog* findSessionDialog(const std::string& name);

}  // namespace vedrix::cli
