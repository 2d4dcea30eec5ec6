// A dialog template as the dialog manager uses it, made from a resource
// table's VedrixDialogTemplate or from the platform's binary DLGTEMPLATE /
// DLGTEMPLATEEX.
#pragma once

#include <windows.h>

#include <vedrix/headless/resource_table.h>

#include <string>
#include <vector>

namespace vedrix::winapi {

struct DialogItemSpec {
    WORD id = 0;
    std::string windowClass;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
};

struct DialogLayout {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    std::string windowClass;  // "" for the dialog class
    std::string caption;
    std::string fontName;  // "" when the template names no font
    WORD fontSize = 0;
    std::vector<DialogItemSpec> items;
    int templateId = 0;
};

DialogLayout specFromTable(const VedrixDialogTemplate& t, int templateId);
// Reads a binary template (DLGTEMPLATE or DLGTEMPLATEEX).
DialogLayout specFromBinary(const void* data);

}  // namespace vedrix::winapi
