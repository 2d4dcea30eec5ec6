// A network message module with one text, for the lookup of network error
// codes.
#include <vedrix/headless/modules.h>
#include <windows.h>

extern "C" VEDRIX_WINAPI_VISIBLE const VedrixMessageEntry* VedrixMessageTable() {
    static const VedrixMessageEntry entries[] = {
        {2102, "The network service of this workstation is not running.\r\n"},
        {0, nullptr},
    };
    return entries;
}
