// Diagnostics for programming errors.
//
// ASSERT(f) checks f in debug builds (NDEBUG not defined) and compiles to
// nothing otherwise. VERIFY(f) always evaluates f and checks it in debug
// builds only. VEDRIX_REQUIRE(f) guards the containers' and the string's
// preconditions (an element of an empty list, an index out of range): it is
// checked in every build, so that such a mistake stops the program at once
// instead of reading or writing memory that is not there.
#pragma once

#include <vedrix/framework/export.h>

namespace vedrix::framework {

// Writes "file(line): assertion failed: expression" to the standard error
// stream and aborts the program.
[[noreturn]] VEDRIX_FRAMEWORK_API void AssertFailedLine(const char* file, int line,
                                                        const char* expression);

}  // namespace vedrix::framework

#define VEDRIX_REQUIRE(f) \
    ((f) ? static_cast<void>(0) : ::vedrix::framework::AssertFailedLine(__FILE__, __LINE__, #f))

#ifndef NDEBUG
#ifndef ASSERT
#define ASSERT(f) VEDRIX_REQUIRE(f)
#endif
#ifndef VERIFY
#define VERIFY(f) VEDRIX_REQUIRE(f)
#endif
#else
#ifndef ASSERT
#define ASSERT(f) static_cast<void>(0)
#endif
#ifndef VERIFY
#define VERIFY(f) static_cast<void>(f)
#endif
#endif
