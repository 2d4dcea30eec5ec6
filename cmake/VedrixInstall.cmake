# Installation: public headers under include/vedrix, the libraries, and a CMake
# package so that a host module can say find_package(vedrix CONFIG REQUIRED)
# and link vedrix::model: the module library, which carries the model's
# classes. A build without the framework's windows (the fuzz build) has no
# module and installs nothing.
if(NOT TARGET vedrix)
    return()
endif()
include(CMakePackageConfigHelpers)

install(TARGETS vedrix_framework vedrix
    EXPORT vedrixTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# Where there is no host, the host's libraries are the stand-ins: the module
# imports them, so they are installed beside it, and the installed libraries
# find each other in their own directory.
if(TARGET zelkar_reg)
    set_target_properties(vedrix PROPERTIES INSTALL_RPATH "$ORIGIN")
    install(TARGETS vedrix_hostsim_core zelkar_file_access zelkar_business_basics
            zelkar_data_resource zelkar_user_info zelkar_utility_general
            zelkar_utility_language zelkar_reg zelkar_vedada zelkar_fman
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    foreach(target IN ITEMS vedrix_hostsim_core zelkar_file_access zelkar_business_basics
            zelkar_data_resource zelkar_user_info zelkar_utility_general
            zelkar_utility_language zelkar_reg zelkar_vedada zelkar_fman)
        set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
    endforeach()
endif()
# The language libraries, which the module loads by name, beside it.
foreach(language IN ITEMS vedr_en vedr_de)
    if(TARGET ${language})
        install(TARGETS ${language}
            LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
            RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()
# The programs: each finds the installed libraries relative to itself, so
# that it runs from any prefix without a library search path.
file(RELATIVE_PATH vedrix_lib_from_bin "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBDIR}")
foreach(program IN ITEMS vedrix_cli)
    if(TARGET ${program})
        set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/${vedrix_lib_from_bin}")
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()
install(DIRECTORY platform/framework/include/ model/include/ entry/include/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT vedrixTargets NAMESPACE vedrix::
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vedrix)

configure_package_config_file(cmake/vedrixConfig.cmake.in
    ${PROJECT_BINARY_DIR}/vedrixConfig.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vedrix)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/vedrixConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/vedrixConfig.cmake ${PROJECT_BINARY_DIR}/vedrixConfigVersion.cmake
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vedrix)

# The headless platform, for programs built against it outside the project
# (its headers carry the platform's own names, so they get a folder of their
# own).
if(TARGET vedrix_winapi)
    install(TARGETS vedrix_winapi EXPORT vedrixTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(DIRECTORY platform/winapi/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vedrix/winapi)
endif()
