// The host's facility-management library "Zelkar_FMAN10.dll". The host hands
// the module its handle; the module reaches its one function through
// GetProcAddress, so this header names it and gives its type.
#pragma once

#define FMAN_LIBRARY_NAME "Zelkar_FMAN10.dll"
#define FMAN_START_TREE_VIEW "fmManStartTreeView"

extern "C" {
// Opens the host's facility-management tree view at the view's code path.
// 0 on success.
typedef int (*FmManStartTreeView)(const char* codePath);
}
