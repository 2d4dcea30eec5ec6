# Cross-compiling for 32-bit Windows with mingw-w64 (the host is a 32-bit
# Windows program, so the module and its libraries are 32-bit DLLs).
#
#   cmake --preset windows
#
# The compilers are Debian's g++-mingw-w64-i686 (with binutils-mingw-w64-i686
# for the resource compiler and objdump).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(VEDRIX_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${VEDRIX_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${VEDRIX_MINGW_PREFIX}-g++)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-sysroot.cmake)

# The DLLs carry their own copy of the compiler's run-time libraries, so the
# host loads them without libgcc or libstdc++ DLLs beside them.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
