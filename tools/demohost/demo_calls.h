// The demo host's calls: the dialog module loaded by name, its exported
// functions resolved and each called the way the CAD host calls it, with
// what each returns printed to stdout.
#pragma once

#include <functional>

namespace vedrix::demohost {

// Told the name of each export just before it is called.
using BeforeCall = std::function<void(const char* exportName)>;

// Calls, on the project in `directory` with its level list file `structure`
// and the language library `language` ("en", "de"): tb_enableattrib,
// tb_setIFCActive(1), tb_list_browser, tb_selprj, tb_fman_ViewSelect,
// tb_fman_browser (with the facility library loaded) and tb_setIFCActive(0).
// Returns 0, or 1 when the module cannot be loaded or lacks an export (said
// on stderr or stdout).
int callEachExport(const char* directory, const char* structure, const char* language,
                   const BeforeCall& before = nullptr);

}  // namespace vedrix::demohost
