#include <vedrix/framework/debug.h>

#include <cstdio>
#include <cstdlib>

namespace vedrix::framework {

void AssertFailedLine(const char* file, int line, const char* expression) {
    std::fprintf(stderr, "%s(%d): assertion failed: %s\n", file, line, expression);
    std::fflush(stderr);
    std::abort();
}

}  // namespace vedrix::framework
