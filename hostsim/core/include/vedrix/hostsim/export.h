// Export macro of the stand-ins' shared core library.
#pragma once

#if defined(_WIN32)
#if defined(VEDRIX_HOSTSIM_BUILDING)
#define VEDRIX_HOSTSIM_API __declspec(dllexport)
#else
#define VEDRIX_HOSTSIM_API __declspec(dllimport)
#endif
#else
#define VEDRIX_HOSTSIM_API __attribute__((visibility("default")))
#endif
