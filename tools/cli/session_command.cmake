# vedrix session: the dialogs run headless, with the person of the automation
# layer acting a script; the module itself is loaded by name at run time, so
# only the declarations of its exports are included.
target_sources(vedrix_cli PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/session_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/session_dialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/session_runner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/session_script.cpp
    ${CMAKE_CURRENT_LIST_DIR}/session_steps.cpp)
target_link_libraries(vedrix_cli PRIVATE vedrix_automation vedrix_hostsim_core)
target_include_directories(vedrix_cli PRIVATE ${PROJECT_SOURCE_DIR}/entry/include)
# Installed, the program finds the module and its language libraries in the
# package's library directory, relative to itself.
file(RELATIVE_PATH vedrix_session_libraries "${CMAKE_INSTALL_FULL_BINDIR}"
    "${CMAKE_INSTALL_FULL_LIBDIR}")
target_compile_definitions(vedrix_cli PRIVATE
    VEDRIX_LIBRARIES_FROM_PROGRAM="${vedrix_session_libraries}")
add_dependencies(vedrix_cli vedrix zelkar_runtime_libraries vedr_en vedr_de)
# The program cannot start without the person's library: it is installed
# beside the module's libraries, and finds the platform library there.
set_target_properties(vedrix_automation PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS vedrix_automation
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
