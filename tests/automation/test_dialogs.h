// Small real dialogs for the automation tests, built from the test program's
// own resource table, with dialog procedures that record what the program
// received: commands, tree and list notifications, label edits, drops and
// menu choices.
//
// Template 201 "Structure": tree 1001 (buttons, lines, label editing, check
// boxes) holding
//     Project
//       Building 1      (expanded)
//         Storey 1
//         Storey 2
//       Building 2      (collapsed)
//         Storey 1
// list 1002 (report, several selectable) with the columns File and Name and
// the rows 110..113, edit 1010, buttons 1020 Delete (asks with a Yes/No
// message box), 1021 Details (opens template 202), IDOK, IDCANCEL.
// - The root's label cannot be edited (TVN_BEGINLABELEDIT refused); an empty
//   name is refused with a message box.
// - A double click on an item prints "---> open <label>" to stdout.
// - Dragging list rows (LVN_BEGINDRAG) captures the mouse: over a tree item
//   it drop-highlights the item and shows IDC_ARROW, elsewhere IDC_NO; the
//   release records the dragged files and the item under the cursor.
// - A right click on a tree item shows a popup menu: 301 Rename, 302
//   Properties (grayed on the root), 303 Remove (deletes the item).
// - IDOK prints "---> confirmed: <n> files selected" and keeps the edit's
//   text.
// Template 202 "Details": edit 1016, IDOK (keeps the text), IDCANCEL.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace automation_tests {

enum : int {
    kStructureTemplate = 201,
    kDetailsTemplate = 202,
    kTree = 1001,
    kFiles = 1002,
    kNote = 1010,
    kDelete = 1020,
    kDetails = 1021,
    kDetailsName = 1016,
    kMenuRename = 301,
    kMenuProperties = 302,
    kMenuRemove = 303,
};

struct Drop {
    std::vector<std::string> files;  // the selected rows' file names at LVN_BEGINDRAG
    std::string target;              // the tree item under the cursor at the release ("" none)
    int moves = 0;                   // WM_MOUSEMOVE messages seen while dragging
};

struct MenuChoice {
    std::string item;  // the tree item right-clicked
    UINT command = 0;  // what TrackPopupMenu returned
};

// Everything the dialogs received, reset by each run.
struct Received {
    std::vector<std::pair<int, int>> commands;  // WM_COMMAND (id, notification code)
    std::vector<UINT> treeNotes;                // WM_NOTIFY codes from the tree (no custom draw)
    std::vector<UINT> listNotes;                // WM_NOTIFY codes from the list (no custom draw)
    std::vector<std::string> editsBegun;        // TVN_BEGINLABELEDIT item texts
    std::vector<std::optional<std::string>> editsEnded;  // TVN_ENDLABELEDIT pszText
    std::vector<Drop> drops;
    std::vector<MenuChoice> menuChoices;
    std::vector<std::string> deleted;  // items removed by Delete or the menu
    std::string note;                  // edit 1010 at IDOK
    INT_PTR detailsResult = 0;         // what template 202 returned
    std::string detailsName;           // its edit at IDOK
    HWND dialog = nullptr;             // the last structure dialog
    bool dragging = false;
};

Received& received();

// Runs template 201 (and returns what DialogBoxParamA returned); the record
// is cleared first.
INT_PTR runStructureDialog(HWND owner = nullptr);

// True when `code` appears in `codes`; how often.
int countOf(const std::vector<UINT>& codes, UINT code);
bool gotCommand(int id, int code);

}  // namespace automation_tests
