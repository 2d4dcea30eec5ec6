// The running program's own resource table (the null module handle).
//
// A program exports its table like a resource library does, by defining the C
// function VedrixResourceTable. A program's functions are only in its dynamic
// symbol table when a shared library it links needs them, so the platform
// library refers to that name weakly: a program that defines the function
// thereby exports it, and GetProcAddress(NULL, "VedrixResourceTable") finds
// it without any special link option.
#include <vedrix/headless/resource_table.h>

extern "C" __attribute__((visibility("default"))) const VedrixResourceDirectory*
VedrixResourceTable(void);
#pragma weak VedrixResourceTable

namespace vedrix::winapi {

bool programHasResourceTable() {
    const VedrixResourceDirectory* (*volatile own)(void) = &VedrixResourceTable;
    return own != nullptr;
}

}  // namespace vedrix::winapi
