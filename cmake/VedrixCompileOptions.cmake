# Warning and sanitizer flags shared by every target of the project.
add_library(vedrix_compile_options INTERFACE)
if(MSVC)
    target_compile_options(vedrix_compile_options INTERFACE /W4 $<$<BOOL:${VEDRIX_WERROR}>:/WX>)
else()
    target_compile_options(vedrix_compile_options INTERFACE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align -Wformat=2
        $<$<BOOL:${VEDRIX_WERROR}>:-Werror>)
endif()
# GCC 12 reports overlapping copies inside std::string's own concatenation
# and assignment when it optimises fully (the Windows and release builds),
# where there are none; that one warning is left out with that compiler.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
        AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(vedrix_compile_options INTERFACE -Wno-restrict)
endif()

if(VEDRIX_SANITIZE)
    set(VEDRIX_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${VEDRIX_SANITIZER_FLAGS})
    add_link_options(${VEDRIX_SANITIZER_FLAGS})
endif()

# vedrix_target(<name>): the project's warning flags for one target.
function(vedrix_target name)
    target_link_libraries(${name} PRIVATE $<BUILD_INTERFACE:vedrix_compile_options>)
endfunction()
