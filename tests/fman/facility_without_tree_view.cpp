// A facility library that lacks the function starting the tree view, as an
// older host might ship it.
#include <zelkar/api.h>

extern "C" ZELKAR_EXPORT int fmManVersion() {
    return 1;
}
