# Installation: public headers under include/vedrix, the libraries, and a CMake
# package so that a host module can say find_package(vedrix CONFIG REQUIRED)
# and link vedrix::model.
include(CMakePackageConfigHelpers)

install(TARGETS vedrix_framework vedrix_model
    EXPORT vedrixTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY platform/framework/include/ model/include/
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
