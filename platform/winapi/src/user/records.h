// What the headless desktop records for tests, and the answers queued for
// message boxes and menus (<vedrix/headless/desktop.h>).
#pragma once

#include <vedrix/headless/desktop.h>

namespace vedrix::winapi {

// The next queued menu answer (0 when none is queued).
UINT takeMenuAnswer();
void addMenuRecord(const headless::MenuRecord& record);

// The modal hook set by the person (may be empty).
const headless::ModalHook& modalHook();

}  // namespace vedrix::winapi
