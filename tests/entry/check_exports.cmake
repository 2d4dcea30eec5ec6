# Checks what the module library exports, as a host sees it: its C functions
# are exactly the six entry points, under their plain names, and the model's
# classes are there for the host's other modules.
#   -DMODULE=<path of vedrix.dll> -DNM=<nm>
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${NM} -D --defined-only "${MODULE}"
    OUTPUT_VARIABLE listing RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${MODULE}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(functions "")
set(classes "")
foreach(line IN LISTS lines)
    if(line MATCHES "^[0-9a-f]+ [TW] ([A-Za-z][A-Za-z0-9_]*)$")
        list(APPEND functions "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^[0-9a-f]+ [TWVDBR] _Z.*(Zel_GM_Root|Zel_GM_Level|ZU_String|ZU_Dictionary|CAttribData)")
        list(APPEND classes "${CMAKE_MATCH_1}")
    endif()
endforeach()
list(SORT functions)
set(expected tb_enableattrib tb_fman_ViewSelect tb_fman_browser tb_list_browser tb_selprj
    tb_setIFCActive)
if(NOT functions STREQUAL expected)
    message(FATAL_ERROR "the module exports the C functions '${functions}', not '${expected}'")
endif()
foreach(class IN ITEMS Zel_GM_Root Zel_GM_Level ZU_String ZU_Dictionary CAttribData)
    if(NOT class IN_LIST classes)
        message(FATAL_ERROR "the module exports nothing of ${class}")
    endif()
endforeach()
message(STATUS "the module exports the six entry points and the model's classes")
