// Export macro of the model library: the level tree and attribute classes are
// linked by the host's other modules.
#pragma once

#if defined(_WIN32)
#if defined(VEDRIX_MODEL_BUILDING)
#define VEDRIX_MODEL_API __declspec(dllexport)
#else
#define VEDRIX_MODEL_API __declspec(dllimport)
#endif
#else
#define VEDRIX_MODEL_API __attribute__((visibility("default")))
#endif
