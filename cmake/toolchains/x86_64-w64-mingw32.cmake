# Cross-compiling for 64-bit Windows with mingw-w64: the whole tree with its
# test programs, which run on a real Windows API (under Wine on Linux).
#
#   cmake --preset windows64
#
# The compilers are Debian's g++-mingw-w64-x86-64 (with
# binutils-mingw-w64-x86-64 for the resource compiler and objdump). The
# posix variant is taken because the tests start threads (std::thread needs
# it with this compiler); everything is linked statically, so the programs
# and DLLs depend on system DLLs only and run from the build directory as
# they are.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(VEDRIX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VEDRIX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEDRIX_MINGW_PREFIX}-g++-posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-sysroot.cmake)

# The compiler's run-time libraries (libgcc, libstdc++, winpthread) are
# linked into each program and DLL.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
