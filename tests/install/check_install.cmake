# Installs the build into a fresh prefix, then configures, builds and runs the
# consumer project against the installed package.
#   -DBUILD_DIR= -DCONSUMER_DIR= -DWORK_DIR= -DCXX= -DCXX_FLAGS= -DLINKER_FLAGS=
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}")
    endif()
endfunction()

run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
foreach(header vedrix/model.h vedrix/model/level.h vedrix/framework/cstring.h)
    if(NOT EXISTS "${prefix}/include/${header}")
        message(FATAL_ERROR "not installed: include/${header}")
    endif()
endforeach()
run(${CMAKE_COMMAND} -S "${CONSUMER_DIR}" -B "${WORK_DIR}/build" -G Ninja
    "-DCMAKE_PREFIX_PATH=${prefix}" "-DCMAKE_CXX_COMPILER=${CXX}"
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/build")
run("${WORK_DIR}/build/consumer")

# The installed program runs from the prefix as it is, with no library search
# path and no host configuration: it writes a project, reads it back, and
# opens the list browser on it (the module and its language library found in
# the package), where a script selects a building and cancels.
set(program "${prefix}/bin/vedrix")
set(project "${WORK_DIR}/project")
file(WRITE "${WORK_DIR}/cancel.script" "select sample/Building 1\ncancel\n")
foreach(arguments IN ITEMS "sample;${project}" "tree;${project};sample.lis"
        "check;${project};sample.lis"
        "session;list-browser;${project};sample.lis;--script;${WORK_DIR}/cancel.script")
    run(${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH --unset=VEDRIX_HOST_CONFIG
        "${program}" ${arguments})
endforeach()
