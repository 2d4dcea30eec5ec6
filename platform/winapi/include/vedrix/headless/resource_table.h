// The table of resources that a headless resource library exports.
//
// A language resource library is a shared object that exports the C function
// VedrixResourceTable. The resource functions of the headless platform
// (FindResourceA, LoadStringA, LoadBitmapA, LoadIconA, LoadMenuA and the
// dialog manager) find a module's resources through it. The tables are
// generated from the resource source in resources/.
#pragma once

#include <windef.h>

extern "C" {

// One control of a dialog template. Rectangles are in dialog units.
struct VedrixDialogItem {
    WORD id;
    const char* windowClass;  // "Button", "Static", "SysTreeView32", a registered class...
    const char* text;         // "" when none
    DWORD style;              // WS_CHILD and WS_VISIBLE included as the template gives them
    DWORD exStyle;
    short x;
    short y;
    short cx;
    short cy;
};

struct VedrixDialogTemplate {
    DWORD style;
    DWORD exStyle;
    short x;
    short y;
    short cx;
    short cy;
    const char* caption;
    const char* fontName;  // "" when the template names no font
    WORD fontSize;
    WORD itemCount;
    const VedrixDialogItem* items;
};

// One menu item; a popup carries its own items.
struct VedrixMenuItem {
    UINT flags;  // MF_STRING, MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_CHECKED...
    UINT id;     // command identifier (0 for popups and separators)
    const char* text;
    WORD itemCount;  // popups only
    const VedrixMenuItem* items;
};

struct VedrixMenu {
    WORD itemCount;
    const VedrixMenuItem* items;
};

// One resource. `type` is the platform's RT_ number: RT_BITMAP (2), RT_ICON
// (3), RT_MENU (4), RT_DIALOG (5), RT_STRING (6, one entry per text number),
// RT_CURSOR (1), RT_DLGINIT (240, a dialog's list entries, with the dialog's
// number). `data` points to:
//   RT_STRING  the zero-terminated text (size: its length)
//   RT_BITMAP  the bytes of a BMP file, file header included (size: bytes)
//   RT_ICON    the bytes of a BMP file of the icon's image (size: bytes)
//   RT_CURSOR  the bytes of a BMP file of the cursor's image (size: bytes)
//   RT_DIALOG  a VedrixDialogTemplate
//   RT_MENU    a VedrixMenu
//   RT_DLGINIT the platform's dialog-initialisation block (size: bytes)
struct VedrixResource {
    WORD type;
    WORD id;
    const void* data;
    DWORD size;
};

// The table that VedrixResourceTable returns. It is named apart from the
// function, so that a unit defining the function can still name its table.
struct VedrixResourceDirectory {
    DWORD version;         // 1
    const char* language;  // "en", "de"
    DWORD count;
    const VedrixResource* entries;  // sorted by type, then id
};

typedef const VedrixResourceDirectory* (*VedrixResourceTableProc)(void);

}  // extern "C"
