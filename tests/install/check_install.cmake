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
# path: it writes a project and reads it back.
set(program "${prefix}/bin/vedrix")
set(project "${WORK_DIR}/project")
foreach(arguments IN ITEMS "sample;${project}" "tree;${project};sample.lis"
        "check;${project};sample.lis")
    run(${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH "${program}" ${arguments})
endforeach()
