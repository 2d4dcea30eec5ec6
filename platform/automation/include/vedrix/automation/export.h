// Export macro of the automation library. Symbols are hidden by default; every
// class and function that tests and scripts call carries VEDRIX_AUTOMATION_API.
// For Windows the library is static (it is linked only into test programs),
// so nothing is exported there.
#pragma once

#ifdef _WIN32
#define VEDRIX_AUTOMATION_API
#else
#define VEDRIX_AUTOMATION_API __attribute__((visibility("default")))
#endif
