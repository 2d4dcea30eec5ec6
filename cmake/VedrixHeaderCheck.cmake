# vedrix_check_headers(<name> BASE <include dir> LIBS <libraries...>): an object
# library with one unit per public header under <include dir>, each including
# just that header, so that every header compiles on its own, in any order of
# inclusion, against the platform being built for. The Windows build checks
# the headers that no unit of its own includes yet (the host's) this way.
function(vedrix_check_headers name)
    cmake_parse_arguments(ARG "" "BASE" "LIBS" ${ARGN})
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${ARG_BASE} ${ARG_BASE}/*.h)
    set(units "")
    foreach(header IN LISTS headers)
        string(MAKE_C_IDENTIFIER ${header} stem)
        set(unit ${CMAKE_CURRENT_BINARY_DIR}/header_check/${name}/${stem}.cpp)
        set(text "#include <${header}>\n")
        if(EXISTS ${unit})
            file(READ ${unit} old)
        else()
            set(old "")
        endif()
        if(NOT old STREQUAL text)
            file(WRITE ${unit} ${text})
        endif()
        list(APPEND units ${unit})
    endforeach()
    add_library(${name} OBJECT ${units})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    vedrix_target(${name})
endfunction()
