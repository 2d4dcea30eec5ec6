// The resource lookup of the headless platform, shared by the window manager,
// the dialog manager and GDI (LoadBitmapA, LoadIconA, LoadImageA).
//
// A module handle is the handle the dynamic loader gave for the shared object
// (what LoadLibraryA returns); a null module handle means the running program.
// A module has resources when it exports the C function VedrixResourceTable
// (<vedrix/headless/resource_table.h>).
#pragma once

#include <windows.h>

#include <vedrix/headless/resource_table.h>

namespace vedrix::winapi {

// The module's resource table, or null when it has none (or the handle is bad).
const VedrixResourceDirectory* resourceTable(HMODULE module);

// One resource by its type (RT_ number) and number; null when the module has
// no such resource.
const VedrixResource* findResource(HMODULE module, WORD type, WORD id);

// A resource name or type as the API takes it (MAKEINTRESOURCE or "#123") as
// a number; false for names that are not numbers.
bool resourceNumber(LPCSTR name, WORD* number);

// The resource number of a dialog template that LockResource handed out, or
// false when the pointer is no template of a resource table.
bool dialogTemplateId(const void* data, WORD* id);

}  // namespace vedrix::winapi
