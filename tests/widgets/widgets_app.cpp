// The application object of the widgets tests, and their resources: the
// program's own table (structure_dialog.cpp) for the dialogs.
#include <vedrix/framework/ui.h>

namespace {
CWinApp theApp("Vedrix widgets test");
}
