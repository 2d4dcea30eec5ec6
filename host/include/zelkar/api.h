// Import and export of the host's libraries. The module imports every host
// function; the stand-ins under hostsim/ define ZELKAR_<LIBRARY>_BUILDING
// while they build the library that exports it.
#pragma once

#if defined(_WIN32)
#define ZELKAR_EXPORT __declspec(dllexport)
#define ZELKAR_IMPORT __declspec(dllimport)
#else
#define ZELKAR_EXPORT __attribute__((visibility("default")))
#define ZELKAR_IMPORT __attribute__((visibility("default")))
#endif
