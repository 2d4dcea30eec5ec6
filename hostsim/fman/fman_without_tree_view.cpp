// A facility-management library "Zelkar_FMAN10.dll" of a host that cannot
// start the tree view: it lacks fmManStartTreeView, so that a caller's
// handling of the missing function can be tried. It lies in a folder of its
// own ("fman_without_tree_view" beside the other stand-ins), where only a
// caller that loads it by its path finds it.
#include <zelkar/api.h>

// The library's version; present so that the library exports something.
extern "C" ZELKAR_EXPORT int fmManVersion() {
    return 1;
}
