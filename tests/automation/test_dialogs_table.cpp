// The test program's own dialog templates, as the headless platform reads
// them: a resource table the program exports like a resource library does.
// test_dialogs.rc holds the same templates for Windows.
#include "test_dialogs.h"

#include <vedrix/headless/resource_table.h>

namespace automation_tests {

namespace {

// Templates in dialog units (2 pixels each headless).

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

const VedrixDialogItem kStructureItems[] = {
    {kTree, "SysTreeView32", "",
     kChild | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
         TVS_EDITLABELS | TVS_SHOWSELALWAYS | TVS_CHECKBOXES,
     0, 5, 5, 140, 150},
    {kFiles, "SysListView32", "", kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS,
     0, 150, 5, 145, 150},
    {kNote, "Edit", "", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 5, 160, 140, 12},
    {kDelete, "Button", "&Delete", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 150, 160, 45, 14},
    {kDetails, "Button", "De&tails...", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 200, 160, 45, 14},
    {IDOK, "Button", "OK", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 150, 180, 45, 14},
    {IDCANCEL, "Button", "Cancel", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 200, 180, 45, 14},
};

const VedrixDialogItem kDetailsItems[] = {
    {kDetailsName, "Edit", "", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 5, 5, 100, 12},
    {IDOK, "Button", "OK", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 110, 5, 35, 14},
    {IDCANCEL, "Button", "Cancel", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 110, 22, 35, 14},
};

const VedrixDialogTemplate kStructureTemplateData = {
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
    0,
    0,
    0,
    300,
    200,
    "Structure",
    "",
    0,
    static_cast<WORD>(sizeof(kStructureItems) / sizeof(kStructureItems[0])),
    kStructureItems};

const VedrixDialogTemplate kDetailsTemplateData = {
    WS_POPUP | WS_CAPTION | DS_MODALFRAME,
    0,
    20,
    20,
    150,
    50,
    "Details",
    "",
    0,
    static_cast<WORD>(sizeof(kDetailsItems) / sizeof(kDetailsItems[0])),
    kDetailsItems};

const VedrixResource kResources[] = {
    {5 /* RT_DIALOG */, kStructureTemplate, &kStructureTemplateData, sizeof kStructureTemplateData},
    {5 /* RT_DIALOG */, kDetailsTemplate, &kDetailsTemplateData, sizeof kDetailsTemplateData},
};

const VedrixResourceDirectory kTable = {
    1, "en", static_cast<DWORD>(sizeof(kResources) / sizeof(kResources[0])), kResources};

}  // namespace

}  // namespace automation_tests

// The program exports its resource table like a resource library does.
extern "C" __attribute__((visibility("default"))) const VedrixResourceDirectory*
VedrixResourceTable(void) {
    return &automation_tests::kTable;
}
