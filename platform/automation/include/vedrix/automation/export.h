// Export macro of the automation library. Symbols are hidden by default; every
// class and function that tests and scripts call carries VEDRIX_AUTOMATION_API.
#pragma once

#if defined(_WIN32)
#if defined(VEDRIX_AUTOMATION_BUILDING)
#define VEDRIX_AUTOMATION_API __declspec(dllexport)
#else
#define VEDRIX_AUTOMATION_API __declspec(dllimport)
#endif
#else
#define VEDRIX_AUTOMATION_API __attribute__((visibility("default")))
#endif
