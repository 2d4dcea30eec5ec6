# What both mingw-w64 toolchains share, for the target VEDRIX_MINGW_PREFIX
# names: its resource compiler, and libraries and headers from the target's
# sysroot only; programs (the resource generator, for instance) come from
# the build machine.
set(CMAKE_RC_COMPILER ${VEDRIX_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VEDRIX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
