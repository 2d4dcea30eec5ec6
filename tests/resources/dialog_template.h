// A compiled extended dialog template (DLGTEMPLATEEX and its
// DLGITEMTEMPLATEEX items, as a resource section holds them) read into the
// form of the headless resource table, so that the same checks look at the
// templates of both platforms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include <vedrix/headless/resource_table.h>

namespace restest {

struct ParsedDialog {
    VedrixDialogTemplate dialog{};
    std::vector<VedrixDialogItem> items;
    std::deque<std::string> strings;  // what the template's pointers point to
};

// False when the bytes are no sound extended template; `out` then holds what
// was read before the fault.
bool parseDialogTemplate(const std::uint8_t* data, std::size_t size, ParsedDialog& out);

}  // namespace restest
