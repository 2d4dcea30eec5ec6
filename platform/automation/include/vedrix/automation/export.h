// Export macro of the automation library. Symbols are hidden by default; every
// class and function that tests and scripts call carries VEDRIX_AUTOMATION_API.
#pragma once

#define VEDRIX_AUTOMATION_API __attribute__((visibility("default")))
