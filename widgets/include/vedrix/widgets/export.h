// Export macro of the widgets library.
#pragma once

#if defined(_WIN32)
#if defined(VEDRIX_WIDGETS_BUILDING)
#define VEDRIX_WIDGETS_API __declspec(dllexport)
#else
#define VEDRIX_WIDGETS_API __declspec(dllimport)
#endif
#else
#define VEDRIX_WIDGETS_API __attribute__((visibility("default")))
#endif
