// The automation layer in one include: the person's hands (input.h), what
// the person sees and acts on (control.h, dialog.h, tree_view.h,
// list_view.h), drag and drop (drag.h), scripts inside modal dialogs with the
// answers and records (person.h) and the console capture (console.h).
// docs/automation.md shows a whole test.
#pragma once

#include <vedrix/automation/console.h>
#include <vedrix/automation/control.h>
#include <vedrix/automation/dialog.h>
#include <vedrix/automation/drag.h>
#include <vedrix/automation/input.h>
#include <vedrix/automation/list_view.h>
#include <vedrix/automation/person.h>
#include <vedrix/automation/tree_view.h>
