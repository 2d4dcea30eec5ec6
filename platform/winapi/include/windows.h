// The platform API, headless build: everything <windows.h> declares that the
// module and its framework use.
#pragma once

#include <windef.h>
#if __has_include(<winerror.h>)
#include <winerror.h>
#endif
#if __has_include(<winbase.h>)
#include <winbase.h>
#endif
#if __has_include(<wingdi.h>)
#include <wingdi.h>
#endif
#if __has_include(<winuser.h>)
#include <winuser.h>
#endif
