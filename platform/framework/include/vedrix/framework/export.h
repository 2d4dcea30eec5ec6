// Export macro of the framework library. Symbols are hidden by default; every
// class and function that other modules call carries VEDRIX_FRAMEWORK_API.
#pragma once

#if defined(_WIN32)
#if defined(VEDRIX_FRAMEWORK_BUILDING)
#define VEDRIX_FRAMEWORK_API __declspec(dllexport)
#else
#define VEDRIX_FRAMEWORK_API __declspec(dllimport)
#endif
#else
#define VEDRIX_FRAMEWORK_API __attribute__((visibility("default")))
#endif
